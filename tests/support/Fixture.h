// Small databases made by a test from SQL text, so each test shows its data.
#pragma once

#include <QString>

namespace vexo::test {

// Creates a database with the program's six tables at `path` and runs
// `inserts` (SQLite text, several statements) on it.
void Make_database(const QString& path, const QString& inserts);

// A few rows in each of the five reference tables: enough to pass
// validation and to run every catalogue query.
QString Minimal_rows();

} // namespace vexo::test
