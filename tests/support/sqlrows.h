#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QVariant>

// Every row a statement returns, each as the list of its column values;
// empty when the statement fails.
inline QList<QVariantList> queryRows(const QSqlDatabase &database, const QString &statement)
{
    QList<QVariantList> rows;
    QSqlQuery query(database);
    if (!query.exec(statement))
        return rows;
    while (query.next()) {
        QVariantList row;
        for (int i = 0; i < query.record().count(); ++i)
            row << query.value(i);
        rows << row;
    }
    return rows;
}
