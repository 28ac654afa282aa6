#include "RowReader.h"

#include "SettingsError.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <limits>
#include <platform/MsgBox.h>

namespace settings {

namespace {

QVariant columnValue(const QSqlRecord& row, const QString& column)
{
    const int index = row.indexOf(column);
    return index < 0 ? QVariant() : row.value(index);
}

} // namespace

ReadError::ReadError(int rowsRead, const QString& reason)
    : std::runtime_error(reason.toStdString()), m_rowsRead(rowsRead), m_reason(reason)
{
}

void readColumn(const QSqlRecord& row, const QString& column, qint32& property)
{
    const QVariant value = columnValue(row, column);
    if (value.isNull())
        return;
    bool ok = false;
    // A whole number in a text or a floating-point column converts as well, if it fits 32 bits.
    const double number = value.toDouble(&ok);
    if (!ok || number != static_cast<double>(static_cast<qint64>(number)) ||
        number < std::numeric_limits<qint32>::min() || number > std::numeric_limits<qint32>::max())
        return;
    property = static_cast<qint32>(number);
}

void readColumn(const QSqlRecord& row, const QString& column, double& property)
{
    const QVariant value = columnValue(row, column);
    if (value.isNull())
        return;
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (ok)
        property = number;
}

void readColumn(const QSqlRecord& row, const QString& column, QString& property)
{
    const QVariant value = columnValue(row, column);
    if (!value.isNull())
        property = value.toString();
}

void fillRows(QSqlQuery& query, const std::function<void(const QSqlRecord&)>& addRow)
{
    QString firstFailure;
    int failures = 0;
    int rows = 0;
    while (query.next()) {
        ++rows;
        try {
            addRow(query.record());
        } catch (const Error& e) {
            if (failures++ == 0)
                firstFailure = e.description();
        }
    }
    // next() is false at the end and on a read error (a damaged page) alike; only the error is set.
    if (query.lastError().isValid())
        throw ReadError(rows, query.lastError().text());
    if (failures == 0)
        return;
    QString text = firstFailure;
    if (failures > 1)
        text += QStringLiteral("\n\n(%1 Zeilen wurden übersprungen.)").arg(failures);
    platform::MsgBox(text, platform::vbCritical);
}

} // namespace settings
