#include "WindowTestSupport.h"

#include <QFile>
#include <QTest>
#include <QWidget>
#include <acad/Error.h>
#include <explorer/frmMain.h>
#include <platform/UserSettings.h>
#include <startup/basAutoCAD.h>
#include <startup/basMain.h>

CountingHost::CountingHost(std::shared_ptr<acad::Host> inner) : m_inner(std::move(inner)) {}

acad::Host& CountingHost::next()
{
    if (gone)
        throw acad::Error(QStringLiteral("Der Remoteprozeduraufruf ist fehlgeschlagen."));
    return *m_inner;
}

acad::ApplicationSnapshot CountingHost::application()
{
    ++calls;
    return next().application();
}

void CountingHost::setVisible(bool visible)
{
    ++calls;
    next().setVisible(visible);
}

qint64 CountingHost::hwnd()
{
    ++calls;
    return next().hwnd();
}

void CountingHost::bringToFront()
{
    ++calls;
    ++bringToFrontCalls;
    next().bringToFront();
}

void CountingHost::update()
{
    ++calls;
    next().update();
}

void CountingHost::quit()
{
    ++calls;
    next().quit();
}

QString CountingHost::supportPath()
{
    ++calls;
    return next().supportPath();
}

void CountingHost::setSupportPath(const QString& path)
{
    ++calls;
    next().setSupportPath(path);
}

QString CountingHost::templatePath()
{
    ++calls;
    return next().templatePath();
}

void CountingHost::setTemplatePath(const QString& path)
{
    ++calls;
    next().setTemplatePath(path);
}

void CountingHost::loadDVB(const QString& path)
{
    ++calls;
    next().loadDVB(path);
}

void CountingHost::runMacro(const QString& name)
{
    ++calls;
    next().runMacro(name);
}

QStringList CountingHost::menuGroups()
{
    ++calls;
    return next().menuGroups();
}

void CountingHost::loadMenuGroup(const QString& file, bool baseMenu)
{
    ++calls;
    next().loadMenuGroup(file, baseMenu);
}

QList<acad::MenuPopup> CountingHost::menuGroupPopups(const QString& group)
{
    ++calls;
    return next().menuGroupPopups(group);
}

void CountingHost::insertPopupInMenuBar(const QString& group, qint32 popupIndex, qint32 barIndex)
{
    ++calls;
    next().insertPopupInMenuBar(group, popupIndex, barIndex);
}

QList<acad::MenuPopup> CountingHost::menuBar()
{
    ++calls;
    return next().menuBar();
}

acad::DocId CountingHost::openDocument(const QString& path)
{
    ++calls;
    return next().openDocument(path);
}

acad::DocId CountingHost::addDocument(const QString& templatePath)
{
    ++calls;
    return next().addDocument(templatePath);
}

acad::DocumentSnapshot CountingHost::document(acad::DocId doc)
{
    ++calls;
    return next().document(doc);
}

void CountingHost::activateDocument(acad::DocId doc)
{
    ++calls;
    next().activateDocument(doc);
}

void CountingHost::saveDocument(acad::DocId doc)
{
    ++calls;
    next().saveDocument(doc);
}

void CountingHost::closeDocument(acad::DocId doc, bool saveChanges)
{
    ++calls;
    next().closeDocument(doc, saveChanges);
}

void CountingHost::setActiveLayout(acad::DocId doc, const QString& layoutName)
{
    ++calls;
    next().setActiveLayout(doc, layoutName);
}

void CountingHost::setActiveSpace(acad::DocId doc, qint32 space)
{
    ++calls;
    next().setActiveSpace(doc, space);
}

void CountingHost::sendCommand(acad::DocId doc, const QString& text)
{
    ++calls;
    sentCommands.append(text);
    next().sendCommand(doc, text);
}

void CountingHost::setVariable(acad::DocId doc, const QString& name, const QVariant& value)
{
    ++calls;
    next().setVariable(doc, name, value);
}

QVariant CountingHost::variable(acad::DocId doc, const QString& name)
{
    ++calls;
    return next().variable(doc, name);
}

acad::ObjectInfo CountingHost::objectIdToObject(acad::DocId doc, acad::ObjectId id)
{
    ++calls;
    return next().objectIdToObject(doc, id);
}

void CountingHost::setLayoutName(acad::DocId doc, acad::ObjectId layout, const QString& name)
{
    ++calls;
    next().setLayoutName(doc, layout, name);
}

acad::PlotSettings CountingHost::plotSettings(acad::DocId doc, acad::ObjectId layout)
{
    ++calls;
    return next().plotSettings(doc, layout);
}

void CountingHost::refreshPlotDeviceInfo(acad::DocId doc, acad::ObjectId layout)
{
    ++calls;
    next().refreshPlotDeviceInfo(doc, layout);
}

QString CountingHost::localeMediaName(acad::DocId doc, acad::ObjectId layout, const QString& canonicalName)
{
    ++calls;
    return next().localeMediaName(doc, layout, canonicalName);
}

QList<acad::EntityInfo> CountingHost::blockEntities(acad::DocId doc, acad::ObjectId layout)
{
    ++calls;
    return next().blockEntities(doc, layout);
}

acad::XData CountingHost::xdata(acad::DocId doc, acad::ObjectId object, const QString& application)
{
    ++calls;
    return next().xdata(doc, object, application);
}

void CountingHost::setXData(acad::DocId doc, acad::ObjectId object, const acad::XData& data)
{
    ++calls;
    next().setXData(doc, object, data);
}

QStringList CountingHost::commandHistory()
{
    ++calls;
    return next().commandHistory();
}

CadFixture::CadFixture()
    : store(std::make_shared<cadhost::MemoryStore>()), engine(std::make_shared<cadhost::Engine>(store)),
      host(std::make_shared<CountingHost>(engine))
{
    connector.running = [this](const QString&) {
        ++lookups;
        return running;
    };
    connector.attaching = [this](const QString&) -> std::shared_ptr<acad::Host> {
        ++lookups;
        if (!running)
            throw acad::Error(QStringLiteral("ActiveX-Komponente kann kein Objekt erstellen."));
        return host;
    };
    connector.creating = [this](const QString&) -> std::shared_ptr<acad::Host> {
        ++lookups;
        ++creates;
        if (!creatable)
            throw acad::Error(QStringLiteral("Das Programm \"cadhost\" wurde nicht gefunden."));
        running = true;
        host->gone = false;
        return host;
    };
}

CadFixture::~CadFixture() = default;

acad::DocId CadFixture::open(const QString& path, const QStringList& layouts, const QString& active)
{
    cadhost::Drawing drawing;
    cadhost::Layout model;
    model.name = QStringLiteral("Model");
    drawing.layouts.append(model);
    for (int i = 0; i < layouts.size(); ++i) {
        cadhost::Layout layout;
        layout.name = layouts[i];
        layout.tabOrder = i + 1;
        layout.plot.configName = QStringLiteral("DWG To PDF.pc3");
        layout.plot.canonicalMediaName = QStringLiteral("ISO_full_bleed_A3_(420.00_x_297.00_MM)");
        drawing.layouts.append(layout);
    }
    drawing.activeLayout =
        active.isEmpty() ? (layouts.isEmpty() ? QStringLiteral("Model") : layouts.first()) : active;
    store->put(path, drawing);
    return engine->openDocument(path);
}

BlattwartSession::BlattwartSession(CadFixture& cad) : m_cad(cad)
{
    basAutoCAD::setConnector(&m_cad.connector);
    basMain::EndProgram = [this] { ++endings; };
}

BlattwartSession::~BlattwartSession()
{
    close();
    basAutoCAD::setConnector(nullptr);
    basAutoCAD::AcadApp.reset();
    basAutoCAD::ActiveDoc = 0;
}

bool BlattwartSession::start()
{
    if (!basMain::Main())
        return false;
    return activate();
}

bool BlattwartSession::activate()
{
    frmMain* w = basMain::MainForm;
    if (!w)
        return false;
    w->activateWindow();
    return QTest::qWaitForWindowActive(w);
}

bool BlattwartSession::leave()
{
    if (!m_other) {
        m_other = std::make_unique<QWidget>();
        m_other->setWindowTitle(QStringLiteral("Andere Anwendung"));
        m_other->resize(200, 100);
    }
    m_other->show();
    m_other->activateWindow();
    return QTest::qWaitForWindowActive(m_other.get());
}

void BlattwartSession::close()
{
    if (basMain::MainForm && basMain::MainForm->isVisible())
        basMain::MainForm->close();
    basMain::Shutdown();
}

void clearUserSettings()
{
    QFile::remove(platform::userSettingsFile());
}

bool userSettingsExist()
{
    return QFile::exists(platform::userSettingsFile());
}

WindowHarness::WindowHarness()
{
    clearUserSettings();
}
