#pragma once

#include "basAutoCAD.h"

#include <QObject>
#include <QtGlobal>
#include <functional>
#include <help/Shell.h>
#include <help/basHTMLHelp.h>
#include <memory>
#include <operations/basKvartoObjekte.h>
#include <settings/basDatenbank.h>

class frmMain;
class SingleInstance;

namespace basMain {
class OneReportPerAction;
}
namespace operations {
class Commands;
}

namespace acad {
class ActionScope;
class Connector;
} // namespace acad

// The program's life cycle: start-up, the watch on the CAD program and the end.
namespace basMain {

// The program: it owns the definitions, the connection to the CAD program, the single-instance
// hand-over and the main window, and wires them together.
class Program final : public QObject
{
    // The real desktop, unless another shell is handed in.
    help::DesktopShell m_desktop;

public:
    // The running-object lookup: the bus connector in the program, an in-process one in tests; the
    // desktop's shell, the real one when none is given (tests record what would go to it).
    explicit Program(acad::Connector& connector, help::Shell* shell = nullptr);
    ~Program() override;

    basDatenbank::Definitions Definitions;
    basAutoCAD::Connection Connection;
    // The desktop's browser, mail program, file manager and programs; the help file's topics.
    help::Shell& Shell;
    basHTMLHelp::HTMLHelp HTMLHelp;
    // The lookup of a layout's viewports and product blocks that the details show.
    basKvarto::LayoutReader LayoutContents;
    // Created once by Main; empty until then.
    std::unique_ptr<frmMain> MainForm;
    // The commands on drawings, layouts and templates, and the sheet list; created with the window.
    std::unique_ptr<operations::Commands> Commands;
    // 1 when the main window was in front at the last watch tick.
    qint16 ForegroundSeen = 0;
    // Ends the program at once, without the unload handler (the answer No to the start prompt).
    // The default leaves the event loop; tests replace it.
    std::function<void()> EndProgram;

    // The start-up routine. True when the window is shown and the event loop should run; false when
    // the program ends (No to the start prompt, a second instance, an error in start-up).
    bool Main();
    // The watch, run by the main window's timer every 500 ms.
    void CheckAutoCAD();
    // The refresh of the watch: the CAD program (the start prompt when it has gone), its active
    // document, then the whole view. Also the command "&Aktualisieren".
    void Refresh();
    // True when the main window is the active window of the desktop.
    bool MainWindowInFront() const;

protected:
    // Each click, key or shortcut begins a user action, except the answer to a message box of the
    // action that is running.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool ensureAutoCAD();
    bool firstInstance();
    void buildWindow();
    void wireFrameCommands();
    void wireHelpCommands();
    bool restartIfGone();

    std::unique_ptr<SingleInstance> m_instance;
    // The host calls of one user action share it: one call timeout per action at most.
    std::shared_ptr<acad::ActionScope> m_actionScope;
    // In front of the message box from construction to destruction (install one after the other,
    // remove in reverse order).
    std::unique_ptr<OneReportPerAction> m_oneReport;
};

// Asks whether the CAD program should be started. False for the answer No.
bool AskStartAutoCAD();

// The answer to "--version" on the command line: the program, its version and the product folder it
// uses; empty when the option is not given (every other argument is left alone, as before).
QString versionRequested(int argc, char** argv);

} // namespace basMain
