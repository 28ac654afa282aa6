#include "ViewSettings.h"

#include <QStringList>
#include <cmath>
#include <limits>
#include <platform/UserSettings.h>

namespace explorer::viewsettings {

namespace {

// Larger than any screen, and far inside what a pixel count can hold.
constexpr double kPlacementLimit = 1e6;

struct Entry
{
    Key key;
    const char* name;
    const char* fallback;
    // The values the key can take; a text outside them is no such value.
    double min;
    double max;
};

constexpr Entry kTable[] = {
    {Key::ViewMode, "ViewMode", "0", 0, 3},
    {Key::MainLeft, "MainLeft", "1000", -kPlacementLimit, kPlacementLimit},
    {Key::MainTop, "MainTop", "1000", -kPlacementLimit, kPlacementLimit},
    {Key::MainWidth, "MainWidth", "6500", 0, kPlacementLimit},
    {Key::MainHeight, "MainHeight", "6500", 0, kPlacementLimit},
    {Key::AskDeleteLayouts, "LayoutsLoeschenFragen", "1", 0, 1},
    // 1100 x 480 pixels at 96 dots per inch.
    {Key::SheetListWidth, "BlattlisteBreite", "16500", 0, kPlacementLimit},
    {Key::SheetListHeight, "BlattlisteHoehe", "7200", 0, kPlacementLimit},
    // Texts: the range does not apply.
    {Key::PublishFolder, "VeroeffentlichenOrdner", "", 0, 0},
    {Key::PublishOneFile, "VeroeffentlichenEineDatei", "0", 0, 1},
    {Key::PublishFileName, "VeroeffentlichenDatei", "Blätter.pdf", 0, 0},
    {Key::PublishPattern, "VeroeffentlichenMuster", "{zeichnung} - {layout}.pdf", 0, 0},
};

const Entry& entry(Key key)
{
    return kTable[static_cast<int>(key)];
}

QString read(Key key)
{
    const Entry& e = entry(key);
    return platform::GetSetting(QString::fromLatin1(e.name), QString::fromUtf8(e.fallback));
}

bool isPublishText(Key key)
{
    return key == Key::PublishFolder || key == Key::PublishFileName || key == Key::PublishPattern;
}

void write(Key key, const QString& value)
{
    platform::SaveSetting(QString::fromLatin1(entry(key).name), value);
}

bool inRange(const Entry& e, double value)
{
    return std::isfinite(value) && value >= e.min && value <= e.max;
}

QString widthKey(int set, int column)
{
    return QStringLiteral("Col_%1_%2").arg(set).arg(column);
}

QString sheetListColumnKey(int column)
{
    return QStringLiteral("BlattlisteSpalte_%1").arg(column);
}

std::optional<qint32> widthOf(const QString& text)
{
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    if (!ok || value < 0 || value > std::numeric_limits<qint32>::max())
        return std::nullopt;
    return qint32(value);
}

QString orderKey(const QString& kind)
{
    return kind + QStringLiteral("ColOrder");
}

QString sortKey(const QString& kind)
{
    return kind + QStringLiteral("ColSort");
}

} // namespace

std::optional<int> viewMode()
{
    const double rounded = std::round(read(Key::ViewMode).toDouble());
    if (inRange(entry(Key::ViewMode), rounded))
        return static_cast<int>(rounded);
    return std::nullopt;
}

void setViewMode(int mode)
{
    write(Key::ViewMode, QString::number(mode));
}

double placement(Key key)
{
    bool ok = false;
    const double value = read(key).toFloat(&ok);
    return ok && inRange(entry(key), value) ? value : QString::fromLatin1(entry(key).fallback).toDouble();
}

void setPlacement(Key key, double twips)
{
    const Entry& e = entry(key);
    if (inRange(e, twips))
        write(key, QString::number(static_cast<float>(twips)));
}

bool askDeleteLayouts()
{
    return read(Key::AskDeleteLayouts).trimmed() != QLatin1String("0");
}

void setAskDeleteLayouts(bool ask)
{
    write(Key::AskDeleteLayouts, ask ? QStringLiteral("1") : QStringLiteral("0"));
}

QString publishText(Key key)
{
    return isPublishText(key) ? read(key) : QString();
}

void setPublishText(Key key, const QString& text)
{
    if (isPublishText(key))
        write(key, text);
}

bool publishOneFile()
{
    return read(Key::PublishOneFile).trimmed() != QLatin1String("0");
}

void setPublishOneFile(bool one)
{
    write(Key::PublishOneFile, one ? QStringLiteral("1") : QStringLiteral("0"));
}

std::optional<qint32> sheetListColumnWidth(int column)
{
    return widthOf(platform::GetSetting(sheetListColumnKey(column)));
}

void setSheetListColumnWidth(int column, qint32 twips)
{
    platform::SaveSetting(sheetListColumnKey(column), QString::number(twips));
}

qint32 columnWidth(int set, int column, qint32 fallback)
{
    return widthOf(platform::GetSetting(widthKey(set, column), QString::number(fallback))).value_or(fallback);
}

void setColumnWidth(int set, int column, qint32 twips)
{
    platform::SaveSetting(widthKey(set, column), QString::number(twips));
}

QList<int> columnOrder(const QString& kind)
{
    const QString stored = platform::GetSetting(orderKey(kind));
    QList<int> positions;
    if (stored.isEmpty())
        return positions;
    for (const QString& part : stored.split(QLatin1Char(',')))
        positions.append(part.trimmed().toInt());
    return positions;
}

void setColumnOrder(const QString& kind, const QList<int>& positions)
{
    QStringList parts;
    for (int position : positions)
        parts.append(QString::number(position));
    platform::SaveSetting(orderKey(kind), parts.join(QLatin1Char(',')));
}

std::optional<ListSort> listSort(const QString& kind)
{
    const QStringList parts = platform::GetSetting(sortKey(kind)).split(QLatin1Char(','));
    if (parts.size() != 2)
        return std::nullopt;
    bool columnOk = false;
    bool orderOk = false;
    const int column = parts[0].trimmed().toInt(&columnOk);
    const int order = parts[1].trimmed().toInt(&orderOk);
    if (!columnOk || !orderOk || column < -1 || (order != 0 && order != 1))
        return std::nullopt;
    return ListSort{column, order};
}

void setListSort(const QString& kind, ListSort sort)
{
    platform::SaveSetting(sortKey(kind), QStringLiteral("%1,%2").arg(sort.column).arg(sort.order));
}

} // namespace explorer::viewsettings
