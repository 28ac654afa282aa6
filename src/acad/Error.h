#pragma once

#include <QString>
#include <stdexcept>

namespace acad {

// An automation error. description() is the German text that the error traps show as it stands.
class Error : public std::runtime_error
{
public:
    explicit Error(const QString& description);
    const QString& description() const noexcept { return m_description; }

private:
    QString m_description;
};

} // namespace acad
