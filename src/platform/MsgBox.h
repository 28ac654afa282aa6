#pragma once

#include <QString>

// The message box in its own terms: text, a style made of buttons, icon and default button, and a
// title. Program code calls platform::MsgBox(); tests install a recorder that answers from a script.
namespace platform {

enum MsgBoxStyle : int
{
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton1 = 0,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
};

// The parts of a style.
enum MsgBoxStyleMask : int
{
    vbButtonsMask = 0x0007,
    vbIconMask = 0x0070,
    vbDefaultMask = 0x0F00,
};

enum MsgBoxResult : int
{
    vbOK = 1,
    vbCancel = 2,
    vbAbort = 3,
    vbRetry = 4,
    vbIgnore = 5,
    vbYes = 6,
    vbNo = 7,
};

class MessageBoxHandler
{
public:
    virtual ~MessageBoxHandler() = default;
    virtual MsgBoxResult show(const QString& text, int style, const QString& title) = 0;
};

// Shows the box through the installed handler (QMessageBox by default, once the GUI library has
// installed it). The title defaults to the program's title.
MsgBoxResult MsgBox(const QString& text, int style = vbOKOnly, const QString& title = QString());

// Installs a handler and returns the previous one; nullptr restores the default.
MessageBoxHandler* setMessageBoxHandler(MessageBoxHandler* handler);

// The answers a style offers, left to right ("Ja", "Nein"), and the one its default button gives.
QList<MsgBoxResult> buttonsOf(int style);
MsgBoxResult defaultAnswer(int style);

} // namespace platform
