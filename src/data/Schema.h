// The six tables of the guidebook database, as the builder creates them and
// as the program reads them.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace vexo::schema {

enum class Type { Text, Integer };

struct Field {
    QString name;
    Type type;
};

struct Table {
    QString name;
    std::vector<Field> fields;
    bool may_be_empty; // only Summary starts empty
};

const std::vector<Table>& Tables();
const Table* Find_table(const QString& name);

// CREATE TABLE statements for all six tables. Name columns compare with the
// "ES" collation so "acido" equals "ÁCIDO".
QString Create_tables_sql();
// Indexes for every join and order the program's queries use; made after
// the rows are in, which is faster.
QString Create_indexes_sql();

} // namespace vexo::schema
