#pragma once

#include <QString>
#include <functional>

namespace acad {

// What the host calls of one user action share. A call that got no answer in time is remembered
// until the action ends: the action's later calls fail at once with the same description, so that
// one action waits at most one call timeout in all. The program begins each action (a click, a key,
// a command, the return to its window); the next action thus tries the host again.
class ActionScope final
{
public:
    // A new user action: the host is asked again.
    void beginAction();
    // The description of this action's call that got no answer; empty when there was none.
    const QString& noAnswer() const;
    void rememberNoAnswer(const QString& description);
    // Whether this action has reported its call that got no answer already: it reports it once.
    bool noAnswerReported() const;
    void setNoAnswerReported();

    // Run when a call has waited for kBusyAfterMs and when that call ends; the program shows the
    // busy cursor in between. Empty: nothing is shown.
    std::function<void()> busyBegins;
    std::function<void()> busyEnds;

private:
    QString m_noAnswer;
    bool m_noAnswerReported = false;
};

} // namespace acad
