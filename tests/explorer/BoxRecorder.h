#pragma once

#include <QList>
#include <QString>
#include <platform/MsgBox.h>

// Keeps every message box shown and answers from a script (OK when the script has run out).
// Installed for its lifetime.
class BoxRecorder final : public platform::MessageBoxHandler
{
public:
    struct Box
    {
        QString text;
        int style = 0;
        QString title;
    };

    BoxRecorder();
    ~BoxRecorder() override;
    BoxRecorder(const BoxRecorder&) = delete;
    BoxRecorder& operator=(const BoxRecorder&) = delete;

    QList<Box> boxes;
    QList<platform::MsgBoxResult> answers;

    platform::MsgBoxResult show(const QString& text, int style, const QString& title) override;
    QStringList texts() const;
    void clear() { boxes.clear(); }

private:
    platform::MessageBoxHandler* m_previous;
};
