// Small databases made by a test from SQL text, so each test shows its data.
#pragma once

#include "data/Database.h"

#include <QByteArray>
#include <QString>

namespace vexo::test {

// Creates a database with the program's six tables at `path` and runs
// `inserts` (SQLite text, several statements) on it.
void Make_database(const QString& path, const QString& inserts);

// A few rows in each of the five reference tables: enough to pass
// validation and to run every catalogue query.
QString Minimal_rows();

// While alive, files are opened with an ordinary user's rights: root passes
// over permissions, so a test run as root acts as user "nobody" to meet a
// read-only file or folder. Folders the test made for it must be open to
// others (`Open_to_everyone`).
class Without_root {
public:
    Without_root();
    ~Without_root();
    Without_root(const Without_root&) = delete;
    Without_root& operator=(const Without_root&) = delete;

private:
    bool switched_ = false;
};

// A file's bytes, empty when it cannot be read.
QByteArray Read_file(const QString& path);
// Writes `bytes` as the whole file; fails the test when it cannot.
void Write_file(const QString& path, const QByteArray& bytes);

// The error number `action` fails with, 0 when it does not fail.
template <class Action>
int Error_number(Action&& action)
{
    try {
        action();
        return 0;
    } catch (const Db_error& e) {
        return e.number();
    }
}

// Gives everyone rights to `path` (0777, or 0666 for a file).
void Open_to_everyone(const QString& path);

} // namespace vexo::test
