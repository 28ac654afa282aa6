#include "DxfError.h"

namespace cadhost {

DxfError::DxfError(qint64 line, const QString& reason) : platform::Error(reason), m_line(line) {}

} // namespace cadhost
