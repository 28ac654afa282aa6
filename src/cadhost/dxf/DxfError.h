#pragma once

#include <platform/Error.h>

namespace cadhost {

// A fault in a drawing file, with the line it was found at (1-based; 0 = the file as a whole). The store
// turns it into an acad::Error that names the file; description() is the reason alone.
class DxfError final : public platform::Error
{
public:
    DxfError(qint64 line, const QString& reason);
    qint64 line() const noexcept { return m_line; }
    const QString& reason() const noexcept { return description(); }

private:
    qint64 m_line;
};

} // namespace cadhost
