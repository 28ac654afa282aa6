#pragma once

#include <QByteArray>
#include <platform/MsgBox.h>

namespace benchsupport {

// Counts the message boxes a run shows (each one is a fault in a benchmark) and answers them with OK.
// Installed while it lives.
class BoxCounter final : public platform::MessageBoxHandler
{
public:
    BoxCounter();
    ~BoxCounter() override;
    BoxCounter(const BoxCounter&) = delete;
    BoxCounter& operator=(const BoxCounter&) = delete;

    int shown = 0;
    platform::MsgBoxResult show(const QString& text, int style, const QString& title) override;

private:
    platform::MessageBoxHandler* m_previous = nullptr;
};

// The load average (1, 5, 15 minutes and the processes) as the kernel gives it: the machine is shared.
QByteArray loadAverage();

} // namespace benchsupport
