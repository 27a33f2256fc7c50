// The tables of the guidebook database, as the builder creates them and as
// the program reads them: six that every database has, and the large spills
// by transport container, which a database may leave out.
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
    bool optional = false; // a database without it is still whole
};

const std::vector<Table>& Tables();
const Table* Find_table(const QString& name);

// Columns holding names that users type or that are matched by name.
bool Is_name_column(const QString& table, const QString& field);
// The column where the builder keeps a name column's folded copy (see
// Jet_dialect), which lets plain SQL compare names without regard to case
// and accents.
QString Folded_column(const QString& field);

// CREATE TABLE statements for the six tables every database has: plain
// SQLite, with no collation or function of the program's own.
QString Create_tables_sql();
// The CREATE TABLE statement of one table (an optional one is made only when
// there are rows for it).
QString Create_table_sql(const Table& table);
// Indexes for every join and order the program's queries use; made after
// the rows are in, which is faster.
QString Create_indexes_sql();

} // namespace vexo::schema
