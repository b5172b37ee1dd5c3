#include "store/sqlstatement.h"

#include "base/tracing.h"

#include <QSqlError>
#include <QSqlQuery>

namespace SqlStatement {

QString reasonOf(const QSqlQuery &query)
{
    const QSqlError error = query.lastError();
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

bool failed(const QSqlQuery &query, QString *error)
{
    if (error)
        *error = reasonOf(query);
    qCDebug(lcStore) << "statement failed:" << query.lastQuery().left(60)
                     << query.lastError().text();
    return false;
}

bool run(QSqlQuery &query, QString *error, const QString &statement)
{
    const bool ok = statement.isEmpty() ? query.exec() : query.exec(statement);
    return ok || failed(query, error);
}

bool prepare(QSqlQuery &query, const QString &statement, QString *error)
{
    return query.prepare(statement) || failed(query, error);
}

} // namespace SqlStatement
