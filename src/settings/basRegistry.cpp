#include "basRegistry.h"

#include "CRegistry.h"
#include "SettingsError.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>
#include <memory>
#include <platform/Error.h>
#include <platform/MsgBox.h>
#include <platform/ProgramFolder.h>

namespace basRegistry {

namespace {

QString defaultDefDB()
{
    return platform::joinPath(platform::programFolder(), QStringLiteral("Kvarto.mdb"));
}

// CInt: rounds half to even and refuses what does not fit 16 bits.
qint16 toInt16(double value)
{
    const double rounded = std::nearbyint(value);
    if (!std::isfinite(rounded) || rounded < std::numeric_limits<qint16>::min() ||
        rounded > std::numeric_limits<qint16>::max())
        throw settings::Error(QStringLiteral("Überlauf"));
    return static_cast<qint16>(rounded);
}

} // namespace

double Val(const QString& text)
{
    static const QRegularExpression number(
        QStringLiteral("^[ \\t\\r\\n]*([+-]?(?:\\d+\\.?\\d*|\\.\\d+)(?:[eEdD][+-]?\\d+)?)"));
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch())
        return 0;
    QString digits = match.captured(1);
    digits.replace(QLatin1Char('d'), QLatin1Char('e')).replace(QLatin1Char('D'), QLatin1Char('e'));
    bool ok = false;
    const double value = digits.toDouble(&ok);
    return ok ? value : 0;
}

QString GetDefDBPfad()
{
    try {
        const auto gRegistry = std::make_unique<CRegistry>();
        const QString path = gRegistry->KV_DefDB();
        return path.isEmpty() ? defaultDefDB() : path;
    } catch (const std::exception& e) {
        platform::MsgBox(platform::describe(e), platform::vbOKOnly);
        return defaultDefDB();
    }
}

qint16 GetLMBeenden()
{
    try {
        const auto gRegistry = std::make_unique<CRegistry>();
        const QString text = gRegistry->KV_LM_Beenden();
        return text.isEmpty() ? 1 : toInt16(Val(text));
    } catch (const std::exception& e) {
        platform::MsgBox(platform::describe(e), platform::vbOKOnly);
        return 0;
    }
}

void SetLMBeenden(qint16 value)
{
    try {
        const auto gRegistry = std::make_unique<CRegistry>();
        gRegistry->setKV_LM_Beenden(QString::number(value));
    } catch (const std::exception& e) {
        platform::MsgBox(platform::describe(e), platform::vbOKOnly);
    }
}

} // namespace basRegistry
