#include "basMain.h"

#include "OneReportPerAction.h"
#include "SingleInstance.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <acad/Connector.h>
#include <acad/Error.h>
#include <explorer/basViewControls.h>
#include <explorer/frmMain.h>
#include <help/frmInfo.h>
#include <operations/Commands.h>
#include <platform/Error.h>
#include <platform/MsgBox.h>
#include <platform/ProgramFolder.h>

using explorer::Cmd;
using explorer::NodeKind;
using platform::ignoringErrors;

namespace basMain {

bool AskStartAutoCAD()
{
    const platform::MsgBoxResult answer = platform::MsgBox(
        QStringLiteral("Soll AutoCAD gestartet werden? Mit 'Nein' wird der Blattwart geschlossen!"),
        platform::vbYesNo | platform::vbQuestion,
        platform::programTitle() + QStringLiteral(": AutoCAD ist nicht aktiv!"));
    return answer != platform::vbNo;
}

Program::Program(acad::Connector& connector, help::Shell* shell)
    : Connection(connector, Definitions), Shell(shell ? *shell : m_desktop),
      HTMLHelp(platform::programFolder(), Shell), EndProgram([] { QCoreApplication::exit(0); }),
      m_actionScope(connector.actionScope()), m_oneReport(std::make_unique<OneReportPerAction>(m_actionScope))
{
    // Before the window exists the start-up's own refresh follows anyway.
    Connection.FillTreeView = [this] {
        if (MainForm)
            MainForm->views().FillTreeView();
    };
    // The window cannot take input while a call waits; the cursor says so once it is slow.
    m_actionScope->busyBegins = [] { QApplication::setOverrideCursor(Qt::WaitCursor); };
    m_actionScope->busyEnds = [] { QApplication::restoreOverrideCursor(); };
    qApp->installEventFilter(this);
}

Program::~Program()
{
    // The commands use the window; the window's views hold the connection.
    Commands.reset();
    MainForm.reset();
    m_actionScope->busyBegins = nullptr;
    m_actionScope->busyEnds = nullptr;
}

namespace {

bool isUserInput(QEvent::Type type)
{
    return type == QEvent::KeyPress || type == QEvent::MouseButtonPress ||
           type == QEvent::MouseButtonDblClick || type == QEvent::ShortcutOverride ||
           type == QEvent::Shortcut || type == QEvent::Drop;
}

// Input reaches a message box only from inside the action that shows it.
bool answersMessageBox(const QObject* receiver)
{
    if (qobject_cast<const QMessageBox*>(QApplication::activeModalWidget()))
        return true;
    const auto* widget = qobject_cast<const QWidget*>(receiver);
    return widget && qobject_cast<const QMessageBox*>(widget->window());
}

} // namespace

bool Program::eventFilter(QObject* watched, QEvent* event)
{
    if (isUserInput(event->type()) && !answersMessageBox(watched))
        m_actionScope->beginAction();
    return QObject::eventFilter(watched, event);
}

// The CAD program first, so that a second start without it asks before it hands over.
bool Program::ensureAutoCAD()
{
    if (Connection.IsAutoCADRunning())
        return true;
    if (!AskStartAutoCAD())
        return false;
    Connection.StartAutoCAD();
    return true;
}

// A running instance takes over; this one ends.
bool Program::firstInstance()
{
    auto instance = std::make_unique<SingleInstance>();
    if (!instance->claim())
        return false;
    connect(instance.get(), &SingleInstance::activateRequested, this, [this] {
        if (MainForm)
            MainForm->restoreAndRaise();
    });
    m_instance = std::move(instance);
    return true;
}

void Program::buildWindow()
{
    Connection.ConnectAutoCAD();
    Definitions.LoadTypen(Connection.AcadApp.get());
    MainForm = std::make_unique<frmMain>(Connection, Definitions, LayoutContents);
    basViewControls::ViewControls& views = MainForm->views();
    views.State.SelectedNodeType = NodeKind::None;
    MainForm->Form_Load();
    views.InitTreeView();
    views.FillTreeView();
    ForegroundSeen = 1;
    views.State.ListColumnSet = 0;
    views.SetListViewColumns();
    views.ApplyColumnOrder(views.selectedKind());
    views.SetSelectedNodeType();
    MainForm->MnuOptAutoCheck();
    MainForm->SetTreeViewViewBySetting();
    Commands = std::make_unique<operations::Commands>(Connection, Definitions.gBloecke, *MainForm, Shell,
                                                      *m_actionScope);
    wireFrameCommands();
    MainForm->VisbibleMnuMenu();
    connect(MainForm->ctlTimer(), &QTimer::timeout, this, &Program::CheckAutoCAD);
}

// The program's own commands: the refresh that the watch also runs, and help.
void Program::wireFrameCommands()
{
    explorer::MainCommands* commands = MainForm->commands();
    // "&Aktualisieren" (F5) asks what the return to the window asks, and lists the library anew even
    // when its folder's watch saw no change.
    commands->wire(Cmd::mnuRefresh, [this] {
        MainForm->views().InvalidateLibrary();
        Refresh();
    });
    wireHelpCommands();
}

// The "&?" menu; F1 and the toolbar's "Hilfe" share the action of "&Hilfe zum Blattwart".
void Program::wireHelpCommands()
{
    explorer::MainCommands* commands = MainForm->commands();
    commands->wire(Cmd::mnuHelpContents, [this] { HTMLHelp.ShowHelpTopic(QStringLiteral("Kvarto_1")); });
    commands->wire(Cmd::mnuHelpSearchForHelpOn,
                   [this] { HTMLHelp.ShowHelpTopic(QStringLiteral("Kvarto_32")); });
    commands->wire(Cmd::mnuHelpAbout, [this] { frmInfo::ShowModal(MainForm.get(), HTMLHelp, Shell); });
}

bool Program::Main()
{
    // The start-up is one action: a host that does not answer costs one timeout.
    m_actionScope->beginAction();
    try {
        if (!ensureAutoCAD() || !firstInstance())
            return false;
        buildWindow();
        MainForm->show();
        return true;
    } catch (const std::exception& e) {
        platform::MsgBox(platform::describe(e), platform::vbOKOnly);
    }
    // A window created but never shown stays hidden; the program ends.
    return false;
}

bool Program::MainWindowInFront() const
{
    return MainForm && QApplication::activeWindow() == MainForm.get();
}

// False when the user chose to end the program instead of starting the CAD program again.
bool Program::restartIfGone()
{
    bool keepGoing = true;
    ignoringErrors([this, &keepGoing] {
        if (Connection.IsAutoCADRunning())
            return;
        if (!AskStartAutoCAD()) {
            keepGoing = false;
            return;
        }
        Connection.StartAutoCAD();
    });
    return keepGoing;
}

void Program::CheckAutoCAD()
{
    if (!MainWindowInFront()) {
        ForegroundSeen = 0;
        return;
    }
    if (ForegroundSeen == 1)
        return;
    // Set first: a start prompt shown below takes the window out of front, and its answer must not
    // lead to a second refresh.
    ForegroundSeen = 1;
    // The return to the window is one action, whatever it asks the host.
    m_actionScope->beginAction();
    Refresh();
}

void Program::Refresh()
{
    if (!restartIfGone()) {
        EndProgram();
        return;
    }
    ignoringErrors([this] { Connection.ConnectAutoCAD(); });
    if (MainForm)
        ignoringErrors([this] { MainForm->views().FillTreeView(); });
    if (Commands)
        Commands->RefreshBlattliste();
    // The window is in front again after a start prompt; the next tick must not refresh once more.
    ForegroundSeen = 1;
}

} // namespace basMain
