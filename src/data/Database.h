// The one open database and its record sets, over SQLite. Failures carry the
// error numbers that the program's messages are keyed on.
#pragma once

#include "data/Jet_dialect.h"
#include "data/Statement.h"

#include <QHash>
#include <QString>

#include <memory>
#include <stdexcept>

struct sqlite3;

namespace vexo {

class File_memo;
class RecordSet;
struct Read_plan;

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

    // What record sets found out about a text on this file (its fields, how
    // it is read): null until kept, forgotten when the schema may have
    // changed (a native text ran, or the memo's watch saw it change).
    std::shared_ptr<Read_plan> Read_plan_of(const QString& jet_sql);
    void Keep_read_plan(const QString& jet_sql, std::shared_ptr<Read_plan> plan);
    // A statement of SQLite's text ready to run: a kept one when it is free,
    // else a new one; it is kept again, reset, when the borrower drops it.
    sqlite::Lent_statement Borrow(const QString& sqlite_sql, const QString& context);

    QString path() const { return path_; }
    sqlite3* handle() const { return db_; }
    // Counts and facts of this file learnt once, and the watch that tells
    // when the file changed (see File_memo).
    File_memo& Memo() const { return *memo_; }

private:
    Database(sqlite3* db, const QString& path);
    void Run_native(const QString& sql);
    void Forget_schema();
    sqlite3* db_;
    QString path_;
    std::shared_ptr<sqlite::Statement_pool> statements_;
    QHash<QString, std::shared_ptr<Read_plan>> plans_;
    quint64 plans_schema_ = 0; // the watch's count of schema changes when the kept plans were made
    jet::Folded_columns folded_;
    // The program runs the same few texts again and again (every open,
    // requery and window of a list): each is rewritten once per file.
    mutable QHash<QString, QString> translated_;
    std::unique_ptr<File_memo> memo_;
};

} // namespace vexo
