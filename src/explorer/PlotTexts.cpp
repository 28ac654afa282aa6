#include "PlotTexts.h"

#include <QLocale>
#include <array>

namespace explorer {

namespace {

QString tableText(qint32 value, const std::array<const char*, 6>& table, qint32 count)
{
    return value >= 0 && value < count ? QString::fromUtf8(table[value]) : QString();
}

// "0.00": two decimals, the separator given and no grouping.
QString twoDecimals(double value, const QString& decimalPoint)
{
    return QString::number(value, 'f', 2).replace(QLatin1Char('.'), decimalPoint);
}

} // namespace

QString orientationText(qint32 rotation)
{
    static const std::array<const char*, 6> texts{
        "Hochformat", "Querformat", "Hochformat (auf dem Kopf)", "Querformat (auf dem Kopf)", "", ""};
    return tableText(rotation, texts, 4);
}

QString plotAreaText(qint32 plotType)
{
    static const std::array<const char*, 6> texts{"Anzeige", "Layout",  "Grenzen",
                                                  "Ansicht", "Fenster", "Layout"};
    return tableText(plotType, texts, 6);
}

bool isNoPlotter(const QString& configName)
{
    const QString name = configName.trimmed();
    return name.isEmpty() || name.compare(QLatin1String("Kein"), Qt::CaseInsensitive) == 0 ||
           name.compare(QLatin1String("none_device"), Qt::CaseInsensitive) == 0;
}

QString plotterText(const QString& configName)
{
    return configName.trimmed().compare(QLatin1String("none_device"), Qt::CaseInsensitive) == 0
               ? QStringLiteral("Kein")
               : configName;
}

QString plotStyleText(const QString& styleSheet)
{
    return styleSheet.isEmpty() ? QStringLiteral("Kein") : styleSheet;
}

QString paperSizeText(double width, double height)
{
    return paperSizeText(width, height, QLocale().decimalPoint());
}

QString paperSizeText(double width, double height, const QString& decimalPoint)
{
    const double first = width > height ? width : height;
    const double second = width > height ? height : width;
    return twoDecimals(first, decimalPoint) + QStringLiteral(" x ") + twoDecimals(second, decimalPoint) +
           QStringLiteral(" mm");
}

} // namespace explorer
