#include "basMain.h"

#include "SingleInstance.h"
#include "basAutoCAD.h"

#include <QApplication>
#include <acad/Error.h>
#include <explorer/basViewControls.h>
#include <explorer/controls/TreeControl.h>
#include <explorer/frmMain.h>
#include <memory>
#include <platform/MsgBox.h>
#include <platform/ProgramFolder.h>
#include <settings/basDatenbank.h>

namespace basMain {

frmMain* MainForm = nullptr;
qint16 ForegroundSeen = 0;
std::function<void()> EndProgram = [] { QCoreApplication::exit(0); };

namespace {

std::unique_ptr<SingleInstance> gInstance;

template <typename Step> void ignoringErrors(Step&& step)
{
    try {
        step();
    } catch (const acad::Error&) {
    } catch (const std::exception&) {
    }
}

// Step 2: the CAD program first, so that a second start without it asks before it hands over.
bool ensureAutoCAD()
{
    if (basAutoCAD::IsAutoCADRunning())
        return true;
    if (!AskStartAutoCAD())
        return false;
    basAutoCAD::StartAutoCAD();
    return true;
}

// Step 3: a running instance takes over; this one ends.
bool firstInstance()
{
    auto instance = std::make_unique<SingleInstance>();
    if (!instance->claim())
        return false;
    QObject::connect(instance.get(), &SingleInstance::activateRequested, [] {
        if (MainForm)
            MainForm->restoreAndRaise();
    });
    gInstance = std::move(instance);
    return true;
}

void buildWindow()
{
    basAutoCAD::ConnectAutoCAD();
    basDatenbank::LoadTypen(basAutoCAD::AcadApp.get());
    MainForm = new frmMain;
    basViewControls::SelectedNodeType.clear();
    MainForm->Form_Load();
    basViewControls::InitTreeView();
    basViewControls::FillTreeView();
    ForegroundSeen = 1;
    basViewControls::ListColumnSet = 0;
    basViewControls::SetListViewColumns();
    basViewControls::ApplyColumnOrder(basViewControls::tvTreeView()->selectedKey().left(1));
    basViewControls::SetSelectedNodeType();
    MainForm->MnuOptAutoCheck();
    MainForm->SetTreeViewViewBySetting();
}

} // namespace

bool AskStartAutoCAD()
{
    const platform::MsgBoxResult answer = platform::MsgBox(
        QStringLiteral("Soll AutoCAD gestartet werden? Mit 'Nein' wird der Blattwart geschlossen!"),
        platform::vbYesNo | platform::vbQuestion,
        platform::programTitle() + QStringLiteral(": AutoCAD ist nicht aktiv!"));
    return answer != platform::vbNo;
}

bool Main()
{
    try {
        if (!ensureAutoCAD() || !firstInstance())
            return false;
        buildWindow();
        MainForm->show();
        return true;
    } catch (const acad::Error& e) {
        platform::MsgBox(e.description(), platform::vbOKOnly);
    } catch (const std::exception& e) {
        platform::MsgBox(QString::fromUtf8(e.what()), platform::vbOKOnly);
    }
    // A window created but never shown stays hidden; the program ends.
    return false;
}

void Shutdown()
{
    delete MainForm;
    MainForm = nullptr;
    gInstance.reset();
}

bool MainWindowInFront()
{
    return MainForm && QApplication::activeWindow() == MainForm;
}

void CheckAutoCAD()
{
    if (!MainWindowInFront()) {
        ForegroundSeen = 0;
        return;
    }
    if (ForegroundSeen == 1)
        return;
    bool ended = false;
    ignoringErrors([&ended] {
        if (!basAutoCAD::IsAutoCADRunning()) {
            if (!AskStartAutoCAD()) {
                ended = true;
                return;
            }
            basAutoCAD::StartAutoCAD();
        }
    });
    if (ended) {
        EndProgram();
        return;
    }
    ignoringErrors([] { basAutoCAD::ConnectAutoCAD(); });
    if (MainForm)
        ignoringErrors([] { basViewControls::FillTreeView(); });
    ForegroundSeen = 1;
}

void BringWindowToFront(qint64 hwnd)
{
    // The handle names the host's window; the host itself shows, raises and activates it.
    Q_UNUSED(hwnd);
    if (basAutoCAD::AcadApp)
        basAutoCAD::AcadApp->bringToFront();
}

} // namespace basMain
