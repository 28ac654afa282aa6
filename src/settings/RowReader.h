#pragma once

#include <QSqlRecord>
#include <QString>
#include <functional>
#include <stdexcept>

class QSqlQuery;

// Reading the definition database's rows the way the records expect it: a column that is missing,
// null or of a type that does not convert is skipped, and the property keeps the value it had.
namespace settings {

void readColumn(const QSqlRecord& row, const QString& column, qint32& property);
void readColumn(const QSqlRecord& row, const QString& column, double& property);
void readColumn(const QSqlRecord& row, const QString& column, QString& property);

// Reading the rows stopped early: the file is damaged. The rows read before are not to be trusted as
// the whole table. The caller names the file in its message.
class ReadError final : public std::runtime_error
{
public:
    ReadError(int rowsRead, const QString& reason);
    int rowsRead() const noexcept { return m_rowsRead; }
    const QString& reason() const noexcept { return m_reason; }

private:
    int m_rowsRead;
    QString m_reason;
};

// Runs addRow for every row of an executed query, from the first to the end, once each. A row that
// fails (a key that is already present) is skipped and the fill goes on; after the fill one
// critical message shows the first failure's description and how many rows were skipped. Throws
// ReadError, without that message, when a row cannot be read at all.
void fillRows(QSqlQuery& query, const std::function<void(const QSqlRecord&)>& addRow);

} // namespace settings
