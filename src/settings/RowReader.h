#pragma once

#include <QSqlRecord>
#include <QString>
#include <functional>

class QSqlQuery;

// Reading the definition database's rows the way the records expect it: a column that is missing,
// null or of a type that does not convert is skipped, and the property keeps the value it had.
namespace settings {

void readColumn(const QSqlRecord& row, const QString& column, qint32& property);
void readColumn(const QSqlRecord& row, const QString& column, double& property);
void readColumn(const QSqlRecord& row, const QString& column, QString& property);

// Runs addRow for every row of an executed query, from the first to the end, once each. A row that
// fails (a key that is already present) is skipped and the fill goes on; after the fill one
// critical message shows the first failure's description and how many rows were skipped.
void fillRows(QSqlQuery& query, const std::function<void(const QSqlRecord&)>& addRow);

} // namespace settings
