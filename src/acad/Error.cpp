#include "Error.h"

namespace acad {

Error::Error(const QString& description)
    : std::runtime_error(description.toStdString()), m_description(description)
{
}

} // namespace acad
