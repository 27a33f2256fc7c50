// Private to the data layer: the one way its units run SQLite statements and
// the one reading of SQLite's failures as the program's error numbers, so a
// locked or damaged file is reported alike wherever it is met.
#pragma once

#include <QHashFunctions>
#include <QString>

#include <memory>
#include <unordered_map>

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
    // The text a failure names, for a kept statement lent to another caller.
    void Set_context(const QString& context) { context_ = context; }

private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
    QString context_;
};

class Statement_pool;

// Gives a lent statement back to its pool, or finalizes it when the pool
// is gone (its database closed) or was cleared since it was lent.
struct Give_back {
    std::weak_ptr<Statement_pool> pool;
    QString sql;
    quint64 generation = 0;
    void operator()(Statement* statement) const;
};
using Lent_statement = std::unique_ptr<Statement, Give_back>;

// Statements prepared for texts the program runs again and again (every
// open of a list, every window it reads): preparing costs more than running
// a short query. A statement is lent to one caller at a time; a text already
// lent is prepared anew, and the statement that comes back last stays.
class Statement_pool : public std::enable_shared_from_this<Statement_pool> {
public:
    explicit Statement_pool(sqlite3* db) : db_(db) {}
    Lent_statement Borrow(const QString& sql, const QString& context);
    // Forgets every kept statement (the schema may have changed); those lent
    // now are finalized when they come back.
    void Clear();

private:
    friend struct Give_back;
    void Take_back(const QString& sql, quint64 generation, std::unique_ptr<Statement> statement);
    struct Kept {
        std::unique_ptr<Statement> statement;
        quint64 last_use = 0;
    };
    sqlite3* db_;
    std::unordered_map<QString, Kept> kept_;
    quint64 generation_ = 0;
    quint64 uses_ = 0;
};

} // namespace vexo::sqlite
