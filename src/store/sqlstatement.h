#pragma once

#include <QString>

class QSqlQuery;

// Runs the statements of a sequence that ends at the first failure, keeping
// why it failed in words for the user (the database's own when it gives
// some).
namespace SqlStatement {

// Why `query` failed.
QString reasonOf(const QSqlQuery &query);
// Keeps why `query` failed in `error` (when given) and logs it; false, for
// the caller to return.
bool failed(const QSqlQuery &query, QString *error);
// Runs `statement`, or the prepared statement when it is empty.
bool run(QSqlQuery &query, QString *error, const QString &statement = QString());
bool prepare(QSqlQuery &query, const QString &statement, QString *error);

} // namespace SqlStatement
