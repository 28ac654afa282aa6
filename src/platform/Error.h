#pragma once

#include <QString>
#include <functional>
#include <stdexcept>

namespace platform {

// The root of every error this system raises itself: a German description() that the error traps
// show as it stands.
class Error : public std::runtime_error
{
public:
    explicit Error(const QString& description);
    const QString& description() const noexcept { return m_description; }

private:
    QString m_description;
};

// The text an error trap shows: the description of one of our errors, else the library's message.
QString describe(const std::exception& error);

// A fixed text of a known failure, followed on its own line by the error's description when the
// error is one of ours: the fixed texts do not say why ("Der CAD-Host antwortet nicht."). Other
// errors' messages are not meant for the user; the fixed text then stands alone.
QString withDescription(const QString& fixedText, const std::exception& error);

// Runs one step and swallows its error, so that the next step still runs. Only errors derived from
// std::exception are swallowed; anything else is a fault and passes.
void ignoringErrors(const std::function<void()>& step);

} // namespace platform
