#include "OneReportPerAction.h"

namespace basMain {

OneReportPerAction::OneReportPerAction(std::shared_ptr<acad::ActionScope> scope)
    : m_scope(std::move(scope)), m_next(platform::setMessageBoxHandler(this))
{
}

OneReportPerAction::~OneReportPerAction()
{
    platform::setMessageBoxHandler(m_next);
}

platform::MsgBoxResult OneReportPerAction::show(const QString& text, int style, const QString& title)
{
    const QString& noAnswer = m_scope->noAnswer();
    const bool plain = (style & platform::vbButtonsMask) == platform::vbOKOnly;
    if (plain && !noAnswer.isEmpty() && text.contains(noAnswer)) {
        if (m_scope->noAnswerReported())
            return platform::vbOK;
        m_scope->setNoAnswerReported();
    }
    // Restored for the call, so that the next handler sees the box as if it were installed alone.
    platform::MessageBoxHandler* self = platform::setMessageBoxHandler(m_next);
    const platform::MsgBoxResult answer = platform::MsgBox(text, style, title);
    platform::setMessageBoxHandler(self);
    return answer;
}

} // namespace basMain
