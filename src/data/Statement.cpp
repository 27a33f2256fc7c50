// SQLite statements and failures for the data layer.
#include "data/Statement.h"

#include "data/Database.h"

#include <sqlite3.h>

namespace vexo::sqlite {

int Classify(int result_code, const QString& message)
{
    switch (result_code & 0xFF) {
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
        return Db_code::Unrecognized;
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH:
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
    case SQLITE_READONLY:
        return Db_code::Cannot_open;
    case SQLITE_ERROR:
        // SQLite's code for any text it cannot compile; the message tells
        // what was missing.
        if (message.startsWith(QLatin1String("no such table")))
            return Db_code::No_such_table;
        if (message.startsWith(QLatin1String("no such column")))
            return Db_code::No_such_field;
        return Db_code::Syntax;
    default:
        return Db_code::Other;
    }
}

namespace {

[[noreturn]] void Throw(int result_code, QString message, const QString& context)
{
    const int number = Classify(result_code, message);
    if (!context.isEmpty())
        message += QStringLiteral(" — ") + context;
    throw Db_error(number, message);
}

} // namespace

void Fail(sqlite3* db, int result_code, const QString& context)
{
    Throw(result_code, QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(result_code)), context);
}

Statement::Statement(sqlite3* db, const QString& sql, const QString& context)
    : db_(db), context_(context)
{
    const QByteArray text = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(db, text.constData(), static_cast<int>(text.size()), &stmt_, nullptr);
    if (rc != SQLITE_OK)
        Fail(db, rc, context_);
    // Only blanks or a comment: nothing a caller could step through.
    if (stmt_ == nullptr)
        throw Db_error(Db_code::Syntax, QStringLiteral("empty query"));
}

Statement::~Statement()
{
    sqlite3_finalize(stmt_);
}

bool Statement::Step()
{
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    // Read before the reset, which leaves the statement ready to run again.
    const QString message = QString::fromUtf8(sqlite3_errmsg(db_));
    sqlite3_reset(stmt_);
    Throw(rc, message, context_);
}

void Statement::Reset()
{
    sqlite3_reset(stmt_);
}

void Statement::Bind(int slot, qint64 value)
{
    sqlite3_bind_int64(stmt_, slot, value);
}

void Statement::Bind(int slot, const QByteArray& utf8)
{
    sqlite3_bind_text(stmt_, slot, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
}

void Statement::Bind_null(int slot)
{
    sqlite3_bind_null(stmt_, slot);
}

void Statement::Bind(int slot, double value)
{
    sqlite3_bind_double(stmt_, slot, value);
}

void Statement::Bind(int slot, const sqlite3_value* value)
{
    sqlite3_bind_value(stmt_, slot, value);
}

int Statement::Parameters() const
{
    return sqlite3_bind_parameter_count(stmt_);
}

int Statement::Columns() const
{
    return sqlite3_column_count(stmt_);
}

QString Statement::Name(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(stmt_, column));
}

QString Statement::Declared_type(int column) const
{
    return QString::fromUtf8(sqlite3_column_decltype(stmt_, column));
}

sqlite3_value* Statement::Value(int column) const
{
    return sqlite3_column_value(stmt_, column);
}

bool Statement::Is_null(int column) const
{
    return sqlite3_column_type(stmt_, column) == SQLITE_NULL;
}

qint64 Statement::Integer(int column) const
{
    return sqlite3_column_int64(stmt_, column);
}

const char* Statement::Bytes(int column, int* length) const
{
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    *length = sqlite3_column_bytes(stmt_, column);
    return text;
}

QString Statement::Text(int column) const
{
    int length = 0;
    const char* bytes = Bytes(column, &length);
    return QString::fromUtf8(bytes, length);
}

Lent_statement Statement_pool::Borrow(const QString& sql, const QString& context)
{
    Give_back back{weak_from_this(), sql, generation_};
    if (const auto found = kept_.find(sql); found != kept_.end()) {
        std::unique_ptr<Statement> statement = std::move(found->second.statement);
        kept_.erase(found);
        statement->Set_context(context);
        return Lent_statement(statement.release(), std::move(back));
    }
    return Lent_statement(new Statement(db_, sql, context), std::move(back));
}

void Statement_pool::Clear()
{
    kept_.clear();
    ++generation_;
}

void Statement_pool::Take_back(const QString& sql, quint64 generation, std::unique_ptr<Statement> statement)
{
    // The program runs a few dozen texts; typed finds make new ones without end.
    constexpr qsizetype kKept_statements = 48;
    if (generation != generation_ || kept_.count(sql) > 0)
        return;
    sqlite3_reset(statement->get());
    sqlite3_clear_bindings(statement->get());
    if (kept_.size() >= kKept_statements) {
        auto oldest = kept_.begin();
        for (auto it = kept_.begin(); it != kept_.end(); ++it)
            if (it->second.last_use < oldest->second.last_use)
                oldest = it;
        kept_.erase(oldest);
    }
    kept_.emplace(sql, Kept{std::move(statement), ++uses_});
}

void Give_back::operator()(Statement* statement) const
{
    std::unique_ptr<Statement> owned(statement);
    if (const std::shared_ptr<Statement_pool> to = pool.lock())
        to->Take_back(sql, generation, std::move(owned));
}

} // namespace vexo::sqlite
