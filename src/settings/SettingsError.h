#pragma once

#include <QString>
#include <stdexcept>

namespace settings {

// A failure of the settings and database code; description() is the German text the error traps show.
class Error : public std::runtime_error
{
public:
    explicit Error(const QString& description);
    const QString& description() const noexcept { return m_description; }

private:
    QString m_description;
};

} // namespace settings
