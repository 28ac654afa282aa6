#include "DxfError.h"

namespace cadhost {

DxfError::DxfError(qint64 line, const QString& reason)
    : std::runtime_error(reason.toStdString()), m_line(line), m_reason(reason)
{
}

} // namespace cadhost
