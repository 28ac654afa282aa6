#include "SettingsError.h"

namespace settings {

Error::Error(const QString& description)
    : std::runtime_error(description.toStdString()), m_description(description)
{
}

} // namespace settings
