// Private to the data layer: the one way its units run SQLite statements and
// the one reading of SQLite's failures as the program's error numbers, so a
// locked or damaged file is reported alike wherever it is met.
#pragma once

#include <QString>

struct sqlite3;
struct sqlite3_stmt;
struct sqlite3_value;

namespace vexo::sqlite {

// The program's error number (Db_code) for a SQLite result code and the
// message SQLite gave with it.
int Classify(int result_code, const QString& message);

// Throws Db_error classified from the connection's last failure; `context`
// (a query text) is appended to the message when given.
[[noreturn]] void Fail(sqlite3* db, int result_code, const QString& context = {});

// A prepared statement that finalizes itself. Every failure to prepare or to
// step throws Db_error through Classify.
class Statement {
public:
    // `context` (the caller's query text) is added to a failure's message.
    Statement(sqlite3* db, const QString& sql, const QString& context = {});
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // True while there is a row; false when done (the statement can then be
    // reset and run again).
    bool Step();
    // Back to before the first row, the bound values kept; releases the read
    // lock the statement held.
    void Reset();
    void Bind(int slot, qint64 value);
    void Bind(int slot, const QByteArray& utf8);
    void Bind_null(int slot);
    void Bind(int slot, double value);
    void Bind(int slot, const sqlite3_value* value);

    int Parameters() const;
    int Columns() const;
    QString Name(int column) const;
    // The declared type of the column a field reads, "" for an expression.
    QString Declared_type(int column) const;
    // The value itself, valid until the next step.
    sqlite3_value* Value(int column) const;
    bool Is_null(int column) const;
    qint64 Integer(int column) const;
    // The value's bytes as SQLite holds them as text, valid until the next step.
    const char* Bytes(int column, int* length) const;
    // The value as UTF-8 text.
    QString Text(int column) const;
    sqlite3_stmt* get() const { return stmt_; }

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
    QString context_;
};

} // namespace vexo::sqlite
