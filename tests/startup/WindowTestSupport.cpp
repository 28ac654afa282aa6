#include "WindowTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <acad/Error.h>
#include <explorer/basViewControls.h>
#include <explorer/controls/ListControl.h>
#include <explorer/controls/TreeControl.h>
#include <explorer/frmMain.h>
#include <operations/NameCountForm.h>
#include <platform/UserSettings.h>

CountingHost::CountingHost(std::shared_ptr<acad::Host> inner, QObject* queue)
    : ForwardingHost(std::move(inner)), m_queue(queue)
{
}

acad::Host& CountingHost::next(const char* call)
{
    if (m_queue && qstrcmp(call, "sendCommand") != 0)
        QCoreApplication::sendPostedEvents(m_queue, QEvent::MetaCall);
    ++calls;
    ++callsByName[QString::fromLatin1(call)];
    if (gone)
        throw acad::Error(QStringLiteral("Der Remoteprozeduraufruf ist fehlgeschlagen."));
    return ForwardingHost::next(call);
}

void CountingHost::bringToFront()
{
    ++bringToFrontCalls;
    ForwardingHost::bringToFront();
}

void CountingHost::sendCommand(acad::DocId doc, const QString& text)
{
    if (refuseCommands)
        throw acad::Error(QStringLiteral("Der CAD-Host antwortet nicht."));
    sentCommands.append(text);
    ForwardingHost::sendCommand(doc, text);
}

CadFixture::CadFixture()
    : store(std::make_shared<cadhost::MemoryStore>()), engine(std::make_shared<cadhost::Engine>(store)),
      host(std::make_shared<CountingHost>(engine, engine.get()))
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

cadhost::Drawing sampleDrawing(const QStringList& layouts, const QString& active)
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
    return drawing;
}

acad::DocId CadFixture::open(const QString& path, const QStringList& layouts, const QString& active)
{
    store->put(path, sampleDrawing(layouts, active));
    return engine->openDocument(path);
}

BlattwartSession::BlattwartSession(CadFixture& cad) : m_cad(cad)
{
    m_program = std::make_unique<basMain::Program>(m_cad.connector, &shell);
    m_program->EndProgram = [this] { ++endings; };
}

BlattwartSession::~BlattwartSession()
{
    close();
}

frmMain* BlattwartSession::window() const
{
    return m_program ? m_program->MainForm.get() : nullptr;
}

bool BlattwartSession::start()
{
    if (!m_program) {
        m_program = std::make_unique<basMain::Program>(m_cad.connector, &shell);
        m_program->EndProgram = [this] { ++endings; };
    }
    if (!m_program->Main())
        return false;
    return activate();
}

bool BlattwartSession::activate()
{
    frmMain* w = window();
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
    if (window() && window()->isVisible())
        window()->close();
    m_program.reset();
}

QString loadedNodeKey(frmMain& window, const QString& text)
{
    const explorer::TreeControl* tree = window.tvTreeView();
    for (const QString& key : tree->allKeys()) {
        const explorer::NodeKind kind = explorer::kindOf(key);
        if ((kind == explorer::NodeKind::Drawing || kind == explorer::NodeKind::Layout) &&
            tree->text(key) == text)
            return key;
    }
    return {};
}

void selectLoadedNode(frmMain& window, const QString& text)
{
    window.tvTreeView()->select(loadedNodeKey(window, text));
    window.views().TreeSelectionChanged();
}

void selectListItems(frmMain& window, const QStringList& texts)
{
    explorer::ListControl* list = window.lvListView();
    for (const QString& key : list->keys())
        list->setSelected(key, texts.contains(list->text(key)));
}

bool triggerCommand(frmMain& window, explorer::Cmd cmd)
{
    QAction* action = window.commands()->action(cmd);
    if (!action->isEnabled())
        return false;
    action->trigger();
    return true;
}

bool withNameCountDialog(frmMain& window, explorer::Cmd cmd, const std::function<void(NameCountForm*)>& act)
{
    bool ran = false;
    QTimer::singleShot(0, [&] {
        auto* form = qobject_cast<NameCountForm*>(QApplication::activeModalWidget());
        if (!form)
            return;
        ran = true;
        if (QTest::qWaitForWindowActive(form))
            act(form);
        if (form->isVisible())
            form->reject();
    });
    return triggerCommand(window, cmd) && ran;
}

QLineEdit* labelEditor()
{
    QLineEdit* editor = nullptr;
    if (!QTest::qWaitFor(
            [&editor] { return (editor = qobject_cast<QLineEdit*>(QApplication::focusWidget())) != nullptr; },
            5000))
        return nullptr;
    return editor;
}

acad::DocId documentOf(acad::Host& host, const QString& path)
{
    for (const acad::DocumentRef& ref : host.application().documents) {
        if (QDir(ref.path).filePath(ref.name) == path)
            return ref.id;
    }
    return 0;
}

QStringList layoutNames(acad::Host& host, const QString& path)
{
    QStringList names;
    for (const acad::LayoutRef& layout : host.document(documentOf(host, path)).layouts)
        names.append(layout.name);
    return names;
}

frmMain* mainWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* main = qobject_cast<frmMain*>(w))
            return main;
    }
    return nullptr;
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
