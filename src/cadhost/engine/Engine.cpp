#include "Engine.h"

#include "EnginePrivate.h"
#include "MemoryStore.h"
#include "Plotters.h"
#include "XDataCodec.h"

#include <acad/Error.h>

namespace cadhost {

namespace {

QString localeMediaNameOf(const QString& canonicalName)
{
    return QString(canonicalName).replace(QLatin1Char('_'), QLatin1Char(' '));
}

const QList<Entity>& entitiesOf(const Document& document, const Layout& layout)
{
    return layout.isModel() ? document.drawing().modelSpace : layout.entities;
}

} // namespace

Engine::Private::Private(Engine* engine, std::shared_ptr<DrawingStore> store)
    : q(engine), documents(engine, std::move(store), commandLine),
      commandLine(engine, documents,
                  [this](acad::DocId line, const QString& name) { return startCommand(line, name); }),
      macros(documents, commandLine)
{
}

Engine::Engine(std::shared_ptr<DrawingStore> store, QObject* parent)
    : QObject(parent),
      d(std::make_unique<Private>(this, store ? std::move(store) : std::make_shared<MemoryStore>()))
{
}

Engine::~Engine() = default;

DrawingStore& Engine::store() const
{
    return d->documents.store();
}

// --- application

acad::ApplicationSnapshot Engine::application()
{
    acad::ApplicationSnapshot s;
    s.documents.reserve(qsizetype(d->documents.all().size()));
    for (const auto& doc : d->documents.all())
        s.documents.append(doc->ref());
    s.activeDocument = d->documents.active();
    s.visible = d->visible;
    return s;
}

void Engine::setVisible(bool visible)
{
    if (d->visible == visible)
        return;
    d->visible = visible;
    emit visibleChanged(visible);
}

qint64 Engine::hwnd()
{
    return d->hwnd;
}

void Engine::bringToFront()
{
    setVisible(true);
    emit bringToFrontRequested();
}

void Engine::update()
{
    emit updateRequested();
}

void Engine::quit()
{
    QStringList unsaved;
    for (const auto& doc : d->documents.all()) {
        if (doc->modified())
            unsaved.append(doc->name());
    }
    if (unsaved.isEmpty()) {
        d->documents.closeAll();
        emit quitRequested();
        return;
    }
    // Unsaved work is never dropped: a user answers the save questions, a headless host refuses.
    if (!d->interactive)
        throw acad::Error(QStringLiteral("Beenden nicht möglich, ungespeicherte Änderungen in: %1")
                              .arg(unsaved.join(QStringLiteral(", "))));
    if (d->commandLine.lineBusy(d->documents.active()))
        throw acad::Error(QStringLiteral("Beenden nicht möglich, solange ein Befehl auf Eingabe wartet."));
    submitInput(QStringLiteral("_quit\r"));
}

// --- preferences

QString Engine::supportPath()
{
    return d->profile.supportPath();
}

void Engine::setSupportPath(const QString& path)
{
    d->profile.setSupportPath(path);
}

QString Engine::templatePath()
{
    return d->profile.templatePath();
}

void Engine::setTemplatePath(const QString& path)
{
    d->profile.setTemplatePath(path);
}

// --- macros

void Engine::loadDVB(const QString& path)
{
    d->macros.load(readMacroProject(d->documents.normalPath(path)));
}

void Engine::runMacro(const QString& name)
{
    d->macros.run(name, d->interactive);
}

// --- documents

acad::DocId Engine::openDocument(const QString& path)
{
    return d->documents.open(path, d->commandLine.filedia());
}

acad::DocId Engine::addDocument(const QString& templatePath)
{
    return d->documents.add(templatePath, d->commandLine.filedia());
}

acad::DocumentSnapshot Engine::document(acad::DocId doc)
{
    return d->documents.doc(doc).snapshot();
}

QList<acad::DocumentSnapshot> Engine::documentSnapshots()
{
    QList<acad::DocumentSnapshot> snapshots;
    snapshots.reserve(qsizetype(d->documents.all().size()));
    for (const auto& doc : d->documents.all())
        snapshots.append(doc->snapshot());
    return snapshots;
}

void Engine::activateDocument(acad::DocId doc)
{
    d->documents.activate(doc);
}

void Engine::saveDocument(acad::DocId doc)
{
    Document& document = d->documents.doc(doc);
    d->documents.write(document, document.fullPath());
}

void Engine::closeDocument(acad::DocId doc, bool saveChanges)
{
    Document& document = d->documents.doc(doc);
    if (saveChanges && document.modified())
        d->documents.write(document, document.fullPath());
    d->documents.close(doc);
}

void Engine::setActiveLayout(acad::DocId doc, const QString& layoutName)
{
    d->documents.doc(doc).setActiveLayout(layoutName);
    emit layoutsChanged(doc);
}

void Engine::setActiveSpace(acad::DocId doc, qint32 space)
{
    d->documents.doc(doc).setActiveSpace(space);
    emit layoutsChanged(doc);
}

void Engine::sendCommand(acad::DocId doc, const QString& text)
{
    d->commandLine.enqueue(doc, text, d->documents.doc(doc).filedia());
}

void Engine::setVariable(acad::DocId doc, const QString& name, const QVariant& value)
{
    Document& document = d->documents.doc(doc);
    if (name.toUpper() != QLatin1String("FILEDIA")) {
        if (variable(doc, name).isValid())
            throw acad::Error(
                QStringLiteral("Die Systemvariable %1 ist schreibgeschützt.").arg(name.toUpper()));
    }
    d->commandLine.setFiledia(&document, value);
}

QVariant Engine::variable(acad::DocId doc, const QString& name)
{
    const QVariant value = d->commandLine.variableOf(&d->documents.doc(doc), name.toUpper());
    if (!value.isValid())
        throw acad::Error(QStringLiteral("Unbekannte Systemvariable: %1").arg(name));
    return value;
}

acad::ObjectInfo Engine::objectIdToObject(acad::DocId doc, acad::ObjectId id)
{
    return d->documents.doc(doc).objectInfo(id);
}

// --- layouts

void Engine::setLayoutName(acad::DocId doc, acad::ObjectId layout, const QString& name)
{
    Document& document = d->documents.doc(doc);
    d->documents.edit(document, [&] { document.renameLayout(layout, name); });
}

acad::PlotSettings Engine::plotSettings(acad::DocId doc, acad::ObjectId layout)
{
    return d->documents.doc(doc).layoutById(layout).plot;
}

void Engine::refreshPlotDeviceInfo(acad::DocId doc, acad::ObjectId layout)
{
    refreshPaperSize(d->documents.doc(doc).layoutById(layout).plot);
}

QString Engine::localeMediaName(acad::DocId doc, acad::ObjectId layout, const QString& canonicalName)
{
    d->documents.doc(doc).layoutById(layout);
    return localeMediaNameOf(canonicalName);
}

QList<acad::EntityInfo> Engine::blockEntities(acad::DocId doc, acad::ObjectId layout)
{
    const Document& document = d->documents.doc(doc);
    const QList<Entity>& entities = entitiesOf(document, document.layoutById(layout));
    QList<acad::EntityInfo> out;
    out.reserve(entities.size());
    for (const Entity& e : entities)
        out.append(entityInfo(e));
    return out;
}

QList<acad::LayoutPlotSettings> Engine::layoutPlotSettings(acad::DocId doc)
{
    Document& document = d->documents.doc(doc);
    const QList<acad::LayoutRef> layouts = document.snapshot().layouts;
    QList<acad::LayoutPlotSettings> out;
    out.reserve(layouts.size());
    for (const acad::LayoutRef& ref : layouts) {
        acad::PlotSettings& plot = document.layoutById(ref.id).plot;
        refreshPaperSize(plot);
        out.append({ref.id, ref.name, plot, localeMediaNameOf(plot.canonicalMediaName)});
    }
    return out;
}

QList<acad::EntityWithXData> Engine::blockEntitiesWithXData(acad::DocId doc, acad::ObjectId layout,
                                                            const QString& application)
{
    const Document& document = d->documents.doc(doc);
    const QList<Entity>& entities = entitiesOf(document, document.layoutById(layout));
    QList<acad::EntityWithXData> out;
    out.reserve(entities.size());
    for (const Entity& e : entities)
        out.append({entityInfo(e), toAutomation(e.xdata, application)});
    return out;
}

QList<acad::LayoutBlockWithXData> Engine::layoutBlocksWithXData(acad::DocId doc, const QString& application)
{
    QList<acad::LayoutBlockWithXData> out;
    for (const acad::LayoutRef& ref : d->documents.doc(doc).snapshot().layouts) {
        if (ref.name != QLatin1String("Model"))
            out.append({ref.id, blockEntitiesWithXData(doc, ref.id, application)});
    }
    return out;
}

void Engine::setLayoutTabOrder(acad::DocId doc, acad::ObjectId layout, qint32 tabOrder)
{
    Document& document = d->documents.doc(doc);
    d->documents.edit(document, [&] { document.moveLayout(layout, tabOrder); });
}

acad::ObjectId Engine::copyLayoutToDocument(acad::DocId source, acad::ObjectId layout, acad::DocId target,
                                            const QString& newName)
{
    const Document& from = d->documents.doc(source);
    Document& to = d->documents.doc(target);
    if (source == target)
        throw acad::Error(
            QStringLiteral("Das Layout kann nur in eine andere Zeichnung kopiert werden; innerhalb "
                           "von „%1“ kopiert es der Befehl LAYOUT mit „Kopieren“.")
                .arg(from.name()));
    const Layout& original = from.layoutById(layout);
    acad::ObjectId id = 0;
    d->documents.edit(to,
                      [&] { id = to.adoptLayout(from.drawing(), original, newName, d->documents.ids()).id; });
    return id;
}

QStringList Engine::plotDeviceNames(acad::DocId doc)
{
    d->documents.doc(doc);
    return plotterNames();
}

QStringList Engine::canonicalMediaNames(acad::DocId doc, acad::ObjectId layout)
{
    return mediaNamesOf(d->documents.doc(doc).layoutById(layout).plot.configName);
}

void Engine::setPlotSettings(acad::DocId doc, acad::ObjectId layout, const acad::PlotSettings& values,
                             quint32 which)
{
    Document& document = d->documents.doc(doc);
    Layout& target = document.layoutById(layout);
    if (target.isModel())
        throw acad::Error(QStringLiteral("Die Seiteneinrichtung gilt nur für Papierbereichslayouts; "
                                         "„Model“ in „%1“ bleibt, wie es ist.")
                              .arg(document.name()));
    acad::PlotSettings plot = target.plot;
    applyPlotSettings(plot, values, which, target.name); // throws before anything changes
    refreshPaperSize(plot);
    if (plot == target.plot)
        return;
    d->documents.edit(document, [&] { document.setPlot(layout, plot); });
}

void Engine::copyPlotSettings(acad::DocId sourceDoc, acad::ObjectId sourceLayout, acad::DocId targetDoc,
                              acad::ObjectId targetLayout, quint32 which)
{
    const acad::PlotSettings values = d->documents.doc(sourceDoc).layoutById(sourceLayout).plot;
    setPlotSettings(targetDoc, targetLayout, values, which);
}

// --- entities

acad::XData Engine::xdata(acad::DocId doc, acad::ObjectId object, const QString& application)
{
    Document& document = d->documents.doc(doc);
    if (const Entity* e = document.entityById(object))
        return toAutomation(e->xdata, application);
    document.objectInfo(object); // a layout has no extended data here; anything else is refused
    return {};
}

void Engine::setXData(acad::DocId doc, acad::ObjectId object, const acad::XData& data)
{
    Document& document = d->documents.doc(doc);
    Entity* e = document.entityById(object);
    if (!e) {
        document.objectInfo(object);
        throw acad::Error(
            QStringLiteral("Erweiterte Daten lassen sich nur an Zeichnungsobjekte hängen (Objekt-ID %1).")
                .arg(object));
    }
    QList<XDataApp> apps = e->xdata;
    applyXData(apps, data);
    d->documents.edit(document, [&] {
        document.entityById(object)->xdata = apps;
        document.setModified(true);
    });
}

QStringList Engine::commandHistory()
{
    return d->commandLine.history();
}

// --- for the window, the bus service and tests

bool Engine::isInteractive() const
{
    return d->interactive;
}

void Engine::setInteractive(bool interactive)
{
    d->interactive = interactive;
}

bool Engine::isVisible() const
{
    return d->visible;
}

void Engine::setHwnd(qint64 hwnd)
{
    d->hwnd = hwnd;
}

void Engine::submitInput(const QString& text)
{
    const Document* doc = d->documents.find(d->documents.active());
    d->commandLine.enqueue(d->documents.active(), text, doc ? doc->filedia() : d->commandLine.filedia());
}

quint64 Engine::promptTicket(acad::DocId doc) const
{
    return d->commandLine.ticket(doc);
}

void Engine::answerPrompt(acad::DocId doc, quint64 ticket, const QString& text)
{
    d->commandLine.enqueueAnswer(doc, ticket, text);
}

void Engine::cancelCommand(acad::DocId doc)
{
    d->commandLine.cancel(doc);
}

QString Engine::currentPrompt() const
{
    return d->commandLine.prompt(d->documents.active());
}

QString Engine::promptDefault(acad::DocId doc) const
{
    return d->commandLine.promptDefault(doc);
}

bool Engine::isBusy() const
{
    return d->commandLine.busy();
}

const Drawing* Engine::drawing(acad::DocId doc) const
{
    const Document* document = d->documents.find(doc);
    return document ? &document->drawing() : nullptr;
}

bool Engine::productStarted() const
{
    return d->macros.productStarted();
}

QString Engine::designCenterPath() const
{
    return d->designCenter;
}

QStringList Engine::loadedProjects() const
{
    return d->macros.files();
}

} // namespace cadhost
