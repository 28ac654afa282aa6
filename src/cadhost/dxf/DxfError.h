#pragma once

#include <QString>
#include <stdexcept>

namespace cadhost {

// A fault in a drawing file, with the line it was found at (1-based; 0 = the file as a whole). The store
// turns it into an acad::Error that names the file.
class DxfError : public std::runtime_error
{
public:
    DxfError(qint64 line, const QString& reason);
    qint64 line() const noexcept { return m_line; }
    const QString& reason() const noexcept { return m_reason; }

private:
    qint64 m_line;
    QString m_reason;
};

} // namespace cadhost
