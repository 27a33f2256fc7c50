// The one open database and its record sets, over SQLite. Failures carry the
// error numbers that the program's messages are keyed on.
#pragma once

#include "data/Jet_dialect.h"

#include <QHash>
#include <QString>

#include <memory>
#include <stdexcept>

struct sqlite3;

namespace vexo {

class File_memo;
class RecordSet;

// Error numbers the program tells apart.
namespace Db_code {
constexpr int File_not_found = 3024;   // the file is not there
constexpr int Invalid_path = 3044;     // the folder (or drive) is not there
constexpr int Cannot_open = 3051;      // no permission, or locked
constexpr int Unrecognized = 3343;     // not a database of ours, or damaged
constexpr int Syntax = 3075;           // the query text is not valid
constexpr int No_such_table = 3078;    // a table the query names is missing
constexpr int No_such_field = 3265;    // a field the caller asks for is missing
constexpr int No_current_record = 3021;
constexpr int Other = 3000;
} // namespace Db_code

class Db_error : public std::runtime_error {
public:
    Db_error(int number, const QString& description);
    int number() const { return number_; }
    QString description() const { return description_; }

private:
    int number_;
    QString description_;
};

class Database {
public:
    // Opens an existing file shared and read-write; throws Db_error with
    // File_not_found, Invalid_path, Unrecognized, Cannot_open or Other.
    static std::unique_ptr<Database> Open(const QString& path);
    // Creates (or truncates) a database file, for the builder and tests.
    static std::unique_ptr<Database> Create(const QString& path);

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Runs a select text and keeps its rows as they are now.
    std::unique_ptr<RecordSet> OpenRecordset(const QString& jet_sql);
    // Runs an action text (insert, delete).
    void Execute(const QString& jet_sql);
    // Runs SQLite's own text unchanged (schema, pragmas); several statements.
    void Execute_native(const QString& sql);
    // A text of the program as it runs on this file (the dialect step, with
    // names read through the folded copies the file carries).
    QString Translate(const QString& jet_sql) const;

    QString path() const { return path_; }
    sqlite3* handle() const { return db_; }
    // Counts and facts of this file learnt once (see File_memo).
    File_memo& Memo() const { return *memo_; }

private:
    Database(sqlite3* db, const QString& path);
    sqlite3* db_;
    QString path_;
    jet::Folded_columns folded_;
    // The program runs the same few texts again and again (every open,
    // requery and window of a list): each is rewritten once per file.
    mutable QHash<QString, QString> translated_;
    std::unique_ptr<File_memo> memo_;
};

} // namespace vexo
