#pragma once

#include "ForwardingHost.h"
#include "MsgBoxRecorder.h"
#include "RecordingShell.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <QWidget>
#include <acad/Connector.h>
#include <acad/Host.h>
#include <cadhost/engine/Engine.h>
#include <cadhost/engine/MemoryStore.h>
#include <explorer/frmMainCommands.h>
#include <functional>
#include <memory>
#include <platform/MsgBox.h>
#include <startup/basMain.h>

class frmMain;
class NameCountForm;
class QLineEdit;

// A CAD host that passes every call on and counts it; once "gone" every call fails as a host that
// has quit does.
class CountingHost final : public testsupport::ForwardingHost
{
public:
    // queue: the in-process host's object whose queued command-line input the next call works off
    // first, as the host's process does over the bus (a call comes after the commands sent before it).
    explicit CountingHost(std::shared_ptr<acad::Host> inner, QObject* queue = nullptr);

    int calls = 0;
    QHash<QString, int> callsByName;
    int bringToFrontCalls = 0;
    QStringList sentCommands;
    bool gone = false;
    // Command strings are refused as a busy host refuses them; every other call still works.
    bool refuseCommands = false;

    int callsOf(const QString& name) const { return callsByName.value(name); }
    void bringToFront() override;
    void sendCommand(acad::DocId doc, const QString& text) override;

protected:
    acad::Host& next(const char* call) override;

private:
    QObject* m_queue;
};

// A drawing with the model layout and the named paper-space layouts, A3 landscape to "DWG To PDF.pc3";
// the current layout is active, else the first paper layout, else model space.
cadhost::Drawing sampleDrawing(const QStringList& layouts, const QString& active = {});

// The in-process CAD program behind a counting connector, as the tests of start-up and window use it.
class CadFixture
{
public:
    CadFixture();
    ~CadFixture();

    // A drawing with the model layout and the named paper-space layouts, opened in the engine.
    acad::DocId open(const QString& path, const QStringList& layouts, const QString& active = {});

    std::shared_ptr<cadhost::MemoryStore> store;
    std::shared_ptr<cadhost::Engine> engine;
    std::shared_ptr<CountingHost> host;
    acad::FunctionConnector connector;
    bool running = true;   // the host answers the running-object lookup
    bool creatable = true; // creating a new instance succeeds
    int lookups = 0;       // isRunning, attach and create calls
    int creates = 0;
};

// Runs the start-up routine against the fixture's CAD program; the window is shown and active.
// Ends with the window closed (unload handler) and dropped.
class BlattwartSession
{
public:
    explicit BlattwartSession(CadFixture& cad);
    ~BlattwartSession();

    bool start();         // the program's Main(); true when the window is shown
    bool activate();      // makes the main window the active one
    bool leave();         // makes another window the active one
    void close();         // the unload handler, then the program is dropped
    int endings = 0;      // calls of the program's EndProgram
    RecordingShell shell; // what the program hands to the desktop

    // The program of the running session; a new one for each start.
    basMain::Program& program() { return *m_program; }
    frmMain* window() const; // nullptr before the start and after the close

private:
    CadFixture& m_cad;
    std::unique_ptr<basMain::Program> m_program;
    std::unique_ptr<QWidget> m_other;
};

// What one test case of the window needs: an empty settings store, the CAD program, the message boxes
// and a session of Blattwart against them.
struct WindowHarness
{
    WindowHarness();
    CadFixture cad;
    testsupport::MsgBoxRecorder boxes;
    BlattwartSession session{cad};
};

// The key of the drawing or layout node that shows text (the library holds files of the same names);
// "" when there is none.
QString loadedNodeKey(frmMain& window, const QString& text);
// What a click on that node does: the selection, then what follows it.
void selectLoadedNode(frmMain& window, const QString& text);
// Selects exactly the list items that show one of texts.
void selectListItems(frmMain& window, const QStringList& texts);

// Triggers the command's action as menu, toolbar and key do; false when it is disabled.
bool triggerCommand(frmMain& window, explorer::Cmd cmd);
// Runs act on the copy or rename dialog the command opens, once it is active; a dialog that act
// leaves open is cancelled. False when the command is disabled or opened no such dialog.
bool withNameCountDialog(frmMain& window, explorer::Cmd cmd, const std::function<void(NameCountForm*)>& act);
// The line edit a label edit opened, once it has the focus; nullptr when none has it within 5 s.
QLineEdit* labelEditor();
// The open document with that full path; 0 when none has it.
acad::DocId documentOf(acad::Host& host, const QString& path);
// The layouts of the open document with that full path, in tab order.
QStringList layoutNames(acad::Host& host, const QString& path);

// The program's main window among the top-level windows; nullptr when there is none.
frmMain* mainWindow();

// Removes the per-user settings file so that a test starts from an empty store.
void clearUserSettings();
bool userSettingsExist();
