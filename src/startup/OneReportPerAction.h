#pragma once

#include <acad/ActionScope.h>
#include <memory>
#include <platform/MsgBox.h>

namespace basMain {

// Sits in front of the message box for as long as it lives. A plain message (OK only) that carries
// the description of the action's host call that got no answer is shown once per user action; the
// action's later steps fail with the same description and would only repeat it.
class OneReportPerAction final : public platform::MessageBoxHandler
{
public:
    explicit OneReportPerAction(std::shared_ptr<acad::ActionScope> scope);
    ~OneReportPerAction() override;
    OneReportPerAction(const OneReportPerAction&) = delete;
    OneReportPerAction& operator=(const OneReportPerAction&) = delete;

    platform::MsgBoxResult show(const QString& text, int style, const QString& title) override;

private:
    std::shared_ptr<acad::ActionScope> m_scope;
    platform::MessageBoxHandler* m_next;
};

} // namespace basMain
