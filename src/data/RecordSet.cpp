// Snapshot record sets: the rows are read once when the query runs, so
// paging back and forth never touches the database again.
#include "data/RecordSet.h"

#include "data/Database.h"
#include "data/Jet_dialect.h"

#include <sqlite3.h>

namespace vexo {

RecordSet::RecordSet(Database& db, const QString& jet_sql) : db_(&db), sql_(jet_sql)
{
    Run();
}

void RecordSet::Run()
{
    names_.clear();
    bytes_.clear();
    cells_.clear();
    rows_ = 0;
    pos_ = 0;

    const QByteArray sql = db_->Translate(sql_).toUtf8();
    sqlite3_stmt* stmt = nullptr;
    sqlite3* handle = db_->handle();
    int rc = sqlite3_prepare_v2(handle, sql.constData(), static_cast<int>(sql.size()), &stmt, nullptr);
    if (rc != SQLITE_OK) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(handle));
        sqlite3_finalize(stmt);
        const int code = message.startsWith(QLatin1String("no such table")) ? Db_code::No_such_table
                         : message.startsWith(QLatin1String("no such column")) ? Db_code::No_such_field
                                                                              : Db_code::Syntax;
        throw Db_error(code, message + QStringLiteral(" — ") + sql_);
    }
    if (stmt == nullptr)
        throw Db_error(Db_code::Syntax, QStringLiteral("empty query"));

    const int n = sqlite3_column_count(stmt);
    for (int c = 0; c < n; ++c) {
        names_.append(QString::fromUtf8(sqlite3_column_name(stmt, c)));
    }
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        for (int c = 0; c < n; ++c) {
            if (sqlite3_column_type(stmt, c) == SQLITE_NULL) {
                cells_.push_back({0, -1});
                continue;
            }
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, c));
            const int length = sqlite3_column_bytes(stmt, c);
            cells_.push_back({static_cast<qsizetype>(bytes_.size()), length});
            bytes_.append(text, static_cast<size_t>(length));
        }
        ++rows_;
    }
    if (rc != SQLITE_DONE) {
        const QString message = QString::fromUtf8(sqlite3_errmsg(handle));
        sqlite3_finalize(stmt);
        throw Db_error((rc & 0xFF) == SQLITE_CORRUPT ? Db_code::Unrecognized : Db_code::Other, message);
    }
    sqlite3_finalize(stmt);
}

int RecordSet::Column(const QString& name) const
{
    // A dozen columns at most: a scan without allocating beats hashing a
    // lower-cased copy of the name on every read.
    qsizetype column = -1;
    for (qsizetype c = 0; c < names_.size() && column < 0; ++c)
        if (names_.at(c).compare(name, Qt::CaseInsensitive) == 0)
            column = c;
    if (column < 0)
        throw Db_error(Db_code::No_such_field, QStringLiteral("no field named ") + name);
    if (pos_ < 0 || pos_ >= rows_)
        throw Db_error(Db_code::No_current_record, QStringLiteral("no current record"));
    return static_cast<int>(column);
}

const RecordSet::Cell& RecordSet::Current_cell(const QString& name) const
{
    const int c = Column(name);
    return cells_[static_cast<size_t>(pos_ * names_.size() + c)];
}

QString RecordSet::Field(const QString& name) const
{
    const Cell& cell = Current_cell(name);
    if (cell.length < 0)
        return {};
    return jet::Text(bytes_.data() + cell.offset, cell.length);
}

bool RecordSet::Is_null(const QString& name) const
{
    return Current_cell(name).length < 0;
}

void RecordSet::MoveNext()
{
    if (pos_ >= rows_)
        throw Db_error(Db_code::No_current_record, QStringLiteral("already at the end"));
    ++pos_;
}

void RecordSet::MovePrevious()
{
    if (pos_ < 0)
        throw Db_error(Db_code::No_current_record, QStringLiteral("already before the start"));
    --pos_;
}

RecordSet::Bookmark RecordSet::bookmark() const
{
    if (pos_ < 0 || pos_ >= rows_)
        throw Db_error(Db_code::No_current_record, QStringLiteral("no current record"));
    return static_cast<Bookmark>(pos_);
}

void RecordSet::Move(int rows, Bookmark from)
{
    qsizetype target = static_cast<qsizetype>(from) + rows;
    if (target < 0)
        target = -1;
    if (target > rows_)
        target = rows_;
    pos_ = target;
}

void RecordSet::Requery()
{
    Run();
}

void RecordSet::Close()
{
    bytes_.clear();
    cells_.clear();
    rows_ = 0;
    pos_ = 0;
}

} // namespace vexo
