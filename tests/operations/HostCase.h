#pragma once

#include "MsgBoxRecorder.h"
#include "PrivateBus.h"
#include "RecordingShell.h"

#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>
#include <acad/BusConnector.h>
#include <acad/Host.h>
#include <explorer/frmMainCommands.h>
#include <memory>
#include <startup/basMain.h>

class frmMain;
namespace explorer {
class ListControl;
class TreeControl;
} // namespace explorer

// What an end-to-end case against a real cadhost on a private bus holds: the bus with the host, the
// program's connector, the message boxes, the user's own client of the host, a folder for the case's
// drawings and the program. A test class derives from it and calls the steps from its slots.
class HostCase
{
protected:
    // The test program's start: the private bus and the connector the program finds the host with.
    bool startBus();
    // A case's start: empty settings, its own boxes and folder, a fresh host with the user attached.
    // Each case is a user's action of its own: a host that did not answer before is asked again.
    bool beginCase();
    // The program's start routine; true when its window is shown and active.
    bool startProgram(RecordingShell* shell = nullptr);
    // Away to another window and back, with the window's own timer running the watch.
    bool leaveAndReturn();
    // Ends the window (its unload handler runs), the program, the user's client and the host; then
    // every message box must have been expected and shown. Fails the running test where something is
    // left.
    void endCase();

    // A file of the sample library the build made.
    static QString sampleFile(const QString& name);
    QString drawing(const QString& name) const { return folder->filePath(name); }
    frmMain* window() const { return program->MainForm.get(); }
    explorer::TreeControl* tree() const;
    explorer::ListControl* list() const;
    bool trigger(explorer::Cmd cmd);
    acad::DocId docId(const QString& path);
    QStringList layouts(const QString& path);

    PrivateBus bus;
    std::unique_ptr<acad::BusConnector> connector;
    std::unique_ptr<testsupport::MsgBoxRecorder> boxes;
    std::unique_ptr<basMain::Program> program;
    std::shared_ptr<acad::Host> user; // the user at the CAD program
    std::unique_ptr<QTemporaryDir> folder;

private:
    std::unique_ptr<QWidget> m_other;
};
