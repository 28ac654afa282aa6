#include "MsgBox.h"

#include "ProgramFolder.h"

#include <QList>
#include <QtDebug>

namespace platform {

namespace {

// Without a GUI (a core-only tool, or before the GUI library installed its handler) the box is
// written to the log and answered with its default button, so that nothing waits for a click.
class LogMessageBoxHandler final : public MessageBoxHandler
{
public:
    MsgBoxResult show(const QString& text, int style, const QString& title) override
    {
        qWarning().noquote() << title << ":" << text;
        return defaultAnswer(style);
    }
};

LogMessageBoxHandler logHandler;
MessageBoxHandler* currentHandler = &logHandler;

} // namespace

QList<MsgBoxResult> buttonsOf(int style)
{
    switch (style & vbButtonsMask) {
    case vbOKCancel:
        return {vbOK, vbCancel};
    case vbAbortRetryIgnore:
        return {vbAbort, vbRetry, vbIgnore};
    case vbYesNoCancel:
        return {vbYes, vbNo, vbCancel};
    case vbYesNo:
        return {vbYes, vbNo};
    case vbRetryCancel:
        return {vbRetry, vbCancel};
    default:
        return {vbOK};
    }
}

MsgBoxResult defaultAnswer(int style)
{
    const QList<MsgBoxResult> buttons = buttonsOf(style);
    const qsizetype index = (style & vbDefaultMask) / vbDefaultButton2;
    return index < buttons.size() ? buttons.at(index) : buttons.first();
}

MsgBoxResult MsgBox(const QString& text, int style, const QString& title)
{
    return currentHandler->show(text, style, title.isEmpty() ? programTitle() : title);
}

MessageBoxHandler* setMessageBoxHandler(MessageBoxHandler* handler)
{
    MessageBoxHandler* previous = currentHandler == &logHandler ? nullptr : currentHandler;
    currentHandler = handler ? handler : &logHandler;
    return previous;
}

} // namespace platform
