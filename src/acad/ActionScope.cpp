#include "ActionScope.h"

namespace acad {

void ActionScope::beginAction()
{
    m_noAnswer.clear();
    m_noAnswerReported = false;
}

const QString& ActionScope::noAnswer() const
{
    return m_noAnswer;
}

void ActionScope::rememberNoAnswer(const QString& description)
{
    m_noAnswer = description;
}

bool ActionScope::noAnswerReported() const
{
    return m_noAnswerReported;
}

void ActionScope::setNoAnswerReported()
{
    m_noAnswerReported = true;
}

} // namespace acad
