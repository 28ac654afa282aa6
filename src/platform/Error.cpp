#include "Error.h"

namespace platform {

Error::Error(const QString& description)
    : std::runtime_error(description.toStdString()), m_description(description)
{
}

QString describe(const std::exception& error)
{
    if (const auto* own = dynamic_cast<const Error*>(&error))
        return own->description();
    return QString::fromUtf8(error.what());
}

QString withDescription(const QString& fixedText, const std::exception& error)
{
    const auto* own = dynamic_cast<const Error*>(&error);
    if (!own || own->description().isEmpty())
        return fixedText;
    return fixedText + QLatin1Char('\n') + own->description();
}

void ignoringErrors(const std::function<void()>& step)
{
    try {
        step();
    } catch (const std::exception&) {
        // Skipped on purpose: the caller goes on with its next step.
    }
}

} // namespace platform
