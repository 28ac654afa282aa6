#pragma once

#include <QString>
#include <stdexcept>

namespace explorer {

// A refused control operation (a key used twice, a key without a node). description() is the German
// text that the callers' error traps show.
class ControlError : public std::runtime_error
{
public:
    explicit ControlError(const QString& description);
    const QString& description() const noexcept { return m_description; }

private:
    QString m_description;
};

} // namespace explorer
