// Windowed record sets: the rows around the current one are read by row
// number from the query, in its order; nothing else of the result is held.
#include "data/RecordSet.h"

#include "data/Database.h"
#include "data/Jet_dialect.h"
#include "data/Statement.h"

#include <QRegularExpression>

#include <algorithm>

namespace vexo {

namespace {

// Rows of the first read: a page and more, and the whole of most find results.
constexpr qsizetype kFirst_window = 64;
// Rows kept before the current one when the window moves, for the moves back
// a page makes before it is read again.
constexpr qsizetype kBehind = 16;
// The most rows a window reads at once; reading on row after row doubles each
// read up to this, so reading a whole large set costs few queries.
constexpr qsizetype kLargest_window = 8192;

// SQLite's text of a query that can take a row limit and offset: a select
// without its own limit. Anything else is read whole.
bool Windowable(const QString& sqlite_sql)
{
    static const QRegularExpression select(QStringLiteral("^\\s*SELECT\\b"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression limit(QStringLiteral("\\bLIMIT\\b|;"), QRegularExpression::CaseInsensitiveOption);
    return select.match(sqlite_sql).hasMatch() && !limit.match(sqlite_sql).hasMatch();
}

// Whether SQLite sorts the whole result before its first row: such a query
// is read whole in one pass, as a window would sort it again each time.
bool Sorted(Database& db, const QString& sqlite_sql, const QString& jet_sql)
{
    sqlite::Statement plan(db.handle(), QStringLiteral("EXPLAIN QUERY PLAN ") + sqlite_sql, jet_sql);
    while (plan.Step())
        if (plan.Text(3).contains(QLatin1String("FOR ORDER BY")))
            return true;
    return false;
}

// The count of a query's rows, without its order, which does not change it.
// DISTINCT stays: a query of distinct values may have far fewer rows.
QString Count_sql(QString sqlite_sql)
{
    static const QRegularExpression order_by(QStringLiteral("\\bORDER\\s+BY\\b[^'\"]*$"),
                                             QRegularExpression::CaseInsensitiveOption);
    sqlite_sql.remove(order_by);
    return QStringLiteral("SELECT count(*) FROM (") + sqlite_sql + u')';
}

} // namespace

RecordSet::RecordSet(Database& db, const QString& jet_sql) : db_(&db), sql_(jet_sql)
{
    Run();
}

RecordSet::~RecordSet() = default;

void RecordSet::Run()
{
    Close();
    names_.clear();
    const QString sql = db_->Translate(sql_);
    if (Windowable(sql) && !Sorted(*db_, sql, sql_)) {
        window_query_ = std::make_unique<sqlite::Statement>(db_->handle(), sql + QStringLiteral(" LIMIT ?1 OFFSET ?2"), sql_);
        // A text that ends early (a comment) leaves the limit out: read it whole.
        if (window_query_->Parameters() != 2)
            window_query_.reset();
    }
    if (!window_query_) {
        sqlite::Statement whole(db_->handle(), sql, sql_);
        for (int c = 0; c < whole.Columns(); ++c)
            names_.append(whole.Name(c));
        while (whole.Step())
            Append_row(whole);
        rows_ = held_;
        return;
    }
    for (int c = 0; c < window_query_->Columns(); ++c)
        names_.append(window_query_->Name(c));
    rows_ = kFirst_window; // an upper bound until the first read tells
    Read_window(0, kFirst_window);
    if (held_ == kFirst_window) {
        sqlite::Statement count(db_->handle(), Count_sql(sql), sql_);
        rows_ = count.Step() ? count.Integer(0) : 0;
    }
    rows_ = std::max(rows_, held_);
    next_read_ = kFirst_window;
}

void RecordSet::Append_row(const sqlite::Statement& row) const
{
    for (int c = 0; c < names_.size(); ++c) {
        if (row.Is_null(c)) {
            cells_.push_back({0, -1});
            continue;
        }
        int length = 0;
        const char* text = row.Bytes(c, &length);
        cells_.push_back({static_cast<qsizetype>(bytes_.size()), length});
        bytes_.append(text, static_cast<size_t>(length));
    }
    ++held_;
}

void RecordSet::Read_window(qsizetype first, qsizetype count) const
{
    bytes_.clear();
    cells_.clear();
    held_ = 0;
    first_held_ = first;
    window_query_->Bind(1, count);
    window_query_->Bind(2, first);
    while (held_ < count && window_query_->Step())
        Append_row(*window_query_);
    window_query_->Reset();
    // Fewer rows than the count promised: rows went since it was taken.
    if (held_ < count && first + held_ < rows_)
        rows_ = first + held_;
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
    if (pos_ < first_held_ || pos_ >= first_held_ + held_) {
        // Reading on from the window's end grows the next read; a jump starts small again.
        next_read_ = pos_ == first_held_ + held_ ? std::min(next_read_ * 2, kLargest_window) : kFirst_window;
        const qsizetype first = std::max<qsizetype>(0, pos_ - kBehind);
        Read_window(first, pos_ - first + next_read_);
        if (pos_ >= rows_)
            throw Db_error(Db_code::No_current_record, QStringLiteral("no current record"));
    }
    return cells_[static_cast<size_t>((pos_ - first_held_) * names_.size() + c)];
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
    window_query_.reset();
    first_held_ = 0;
    held_ = 0;
    rows_ = 0;
    pos_ = 0;
}

} // namespace vexo
