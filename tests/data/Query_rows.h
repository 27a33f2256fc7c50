// The rows of a query as the program reads them, for the data suites to
// compare with the rows they made.
#pragma once

#include "data/Database.h"
#include "data/Queries.h"
#include "data/RecordSet.h"

#include <QStringList>

namespace vexo::test {

// Each row's fields (all of them when none are named) joined by "|".
inline QStringList Query_rows(Database& db, const QString& jet_sql, QStringList fields = {})
{
    auto records = db.OpenRecordset(jet_sql);
    if (fields.isEmpty())
        fields = records->Field_names();
    QStringList rows;
    for (records->MoveFirst(); !records->Eof(); records->MoveNext()) {
        QStringList values;
        for (const QString& field : fields)
            values << records->Field(field);
        rows << values.join(u'|');
    }
    return rows;
}

// The find dialog's query for one condition.
inline QString Find_SQL(const QString& term, bool by_number = true)
{
    return sql::Find_result_SQL(" AND (" + term + ")", by_number);
}

} // namespace vexo::test
