#include "ControlError.h"

namespace explorer {

ControlError::ControlError(const QString& description)
    : std::runtime_error(description.toStdString()), m_description(description)
{
}

} // namespace explorer
