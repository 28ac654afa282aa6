#pragma once

#include <QtGlobal>
#include <functional>

class frmMain;

// The program's life cycle: start-up, the watch on the CAD program and the end.
namespace basMain {

// Created once by Main; empty until then.
extern frmMain* MainForm;
// 1 when the main window was in front at the last watch tick.
extern qint16 ForegroundSeen;

// Ends the program at once, without the unload handler (the answer No to the start prompt).
// Tests replace it; the default leaves the event loop, or makes Main return false before it runs.
extern std::function<void()> EndProgram;

// The start-up routine. Returns true when the window is shown and the event loop should run; false when
// the program ends (No to the start prompt, a second instance, an error in start-up).
bool Main();
// Drops the main window and the hand-over; called once the event loop has ended.
void Shutdown();

// The watch, called every 500 ms by the main window's timer.
void CheckAutoCAD();
// True when the main window is the active window of the desktop.
bool MainWindowInFront();

// Asks whether the CAD program should be started. False for the answer No.
bool AskStartAutoCAD();

// Brings the CAD program's window (by its handle) to the front.
void BringWindowToFront(qint64 hwnd);

} // namespace basMain
