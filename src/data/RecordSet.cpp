// Windowed record sets: the rows around the current one are read from the
// query, in its order, from a remembered key or by row number; nothing else
// of the result is held.
#include "data/RecordSet.h"

#include "data/Database.h"
#include "data/File_memo.h"
#include "data/Jet_dialect.h"
#include "data/RecordSet_query.h"
#include "data/Statement.h"

#include <QRegularExpression>

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vexo {

namespace {

// Rows of the first read: a page and more, and the whole of most find results.
constexpr qsizetype kFirst_window = 64;
// Rows kept before the current one when the window moves, for the moves back
// a page makes before it is read again.
constexpr qsizetype kBehind = 16;
// The most rows a window reads at once; reading on row after row doubles each
// read up to this, so reading a whole large set costs few queries.
constexpr qsizetype kLargest_window = 1024;
// Rows between two remembered keys: the most a far move reads before its page.
constexpr qsizetype kCheckpoint = 32;
// Rows read after a jump: a page and more.
constexpr qsizetype kJump_window = 32;

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

// The one field of a text that reads a sentence, -1 if none or several.
qsizetype Title_field(const sqlite::Statement& text, qsizetype fields)
{
    qsizetype found = -1;
    for (int c = 0; c < fields; ++c) {
        const char* table = sqlite3_column_table_name(text.get(), c);
        const char* column = sqlite3_column_origin_name(text.get(), c);
        if (table && column && qstricmp(table, "Sentences") == 0 && qstricmp(column, "Sentences") == 0) {
            if (found >= 0)
                return -1;
            found = c;
        }
    }
    return found;
}

// The loops of a text's plan, the outermost first.
QStringList Loops(Database& db, const QString& sqlite_sql, const QString& jet_sql)
{
    sqlite::Statement plan(db.handle(), QStringLiteral("EXPLAIN QUERY PLAN ") + sqlite_sql, jet_sql);
    QStringList loops;
    while (plan.Step())
        loops << plan.Text(3);
    return loops;
}

// Whether SQLite reads the rows of a keyset text without its title joins in
// the order it reads them with: the guides' slots and sentences are its
// innermost loops and the others are the same. Each row's titles then go
// beside it in the order of their sentences' keys, as a whole read gives them.
bool Same_order_untitled(Database& db, const QString& titled, const QString& untitled, const QString& jet_sql)
{
    static const QRegularExpression title_tables(QStringLiteral("\\b(Guides_pages|Sentences)\\b"));
    const QStringList loops = Loops(db, titled, jet_sql);
    qsizetype outer = 0;
    while (outer < loops.size() && !loops.at(outer).contains(title_tables))
        ++outer;
    for (qsizetype i = outer; i < loops.size(); ++i)
        if (!loops.at(i).contains(title_tables))
            return false;
    return outer < loops.size() && loops.mid(0, outer) == Loops(db, untitled, jet_sql);
}

// Appends a value to `image`, to tell equal values apart from others: its
// type and its bytes, a number's own (the text of a real may round it).
// Inline: it runs for every field of every row a list of distinct rows reads.
Q_ALWAYS_INLINE void Add_image(int type, const void* bytes, int length, std::string& image)
{
    char head[1 + sizeof length] = {static_cast<char>('0' + type)};
    std::memcpy(head + 1, &length, sizeof length);
    image.append(head, sizeof head);
    if (length > 0)
        image.append(static_cast<const char*>(bytes), static_cast<size_t>(length));
}

void Add_image(sqlite3_value* value, std::string& image)
{
    const int type = sqlite3_value_type(value);
    if (type == SQLITE_INTEGER) {
        const sqlite3_int64 number = sqlite3_value_int64(value);
        Add_image(type, &number, sizeof number, image);
    } else if (type == SQLITE_FLOAT) {
        const double real = sqlite3_value_double(value);
        Add_image(type, &real, sizeof real, image);
    } else {
        Add_image(type, sqlite3_value_blob(value), sqlite3_value_bytes(value), image);
    }
}

// Whether a column of this declared type holds text, compared as text: its
// lowest value is then '' rather than a number.
bool Text_affinity(const QString& declared)
{
    const QString type = declared.toUpper();
    return !type.contains(QLatin1String("INT"))
        && (type.contains(QLatin1String("CHAR")) || type.contains(QLatin1String("CLOB"))
            || type.contains(QLatin1String("TEXT")));
}

} // namespace

// What the first open of a text found out, kept by the database for the
// next opens of the same text on the same file. Nothing of it depends on
// the rows: whether a row lacks a first key is asked at every open.
struct Read_plan {
    QString sqlite_sql;
    QStringList names;
    // Empty `start` when the text is not read from a key.
    window_sql::Keyset keyset;
    bool text_keys = false;
    // The keyset without the title joins, when SQLite reads its rows in the
    // same order (empty `start` otherwise).
    window_sql::Untitled untitled;
    // How the text is read when not from a key: decided when first needed.
    enum class Way { Undecided, Window, Whole };
    Way other_way = Way::Undecided;
    QString window_sql; // the text with a row limit and offset to bind
    QString count_sql;
    // The last open gave no more rows than a first window holds: the next
    // reads the text whole, at once, as a window's keys and count would cost
    // more than the rows (a guide page, a lookup of one name). An open that
    // then gives more goes back to windows.
    bool few_rows = false;
};

RecordSet::RecordSet(Database& db, const QString& jet_sql) : db_(&db), sql_(jet_sql)
{
    std::vector<Spare>& kept = Kept_windows();
    if (!kept.empty()) {
        bytes_ = std::move(kept.back().bytes);
        cells_ = std::move(kept.back().cells);
        kept.pop_back();
    }
    Run();
}

RecordSet::~RecordSet()
{
    // A few windows of some size but not large: what is kept stays small.
    constexpr size_t kKept = 4;
    constexpr size_t kSmallest_kept = 4096;
    constexpr size_t kLargest_kept = 1 << 20;
    std::vector<Spare>& kept = Kept_windows();
    for (Spare* window : {&spare_, static_cast<Spare*>(nullptr)}) {
        std::string& bytes = window ? window->bytes : bytes_;
        std::vector<Cell>& cells = window ? window->cells : cells_;
        if (kept.size() < kKept && bytes.capacity() >= kSmallest_kept && bytes.capacity() <= kLargest_kept
            && cells.capacity() * sizeof(Cell) <= kLargest_kept) {
            bytes.clear();
            cells.clear();
            kept.push_back({std::move(bytes), std::move(cells)});
        }
    }
}

std::vector<RecordSet::Spare>& RecordSet::Kept_windows()
{
    // Never destroyed: a set that a window keeps open to the end is closed
    // after the program's statics are gone.
    static auto* kept = new std::vector<Spare>;
    return *kept;
}

std::shared_ptr<Read_plan> RecordSet::Make_plan() const
{
    auto plan = std::make_shared<Read_plan>();
    const QString sql = plan->sqlite_sql = db_->Translate(sql_);
    // The fields' names, from the text as it is: it runs only if it compiles.
    {
        const sqlite::Lent_statement fields = db_->Borrow(sql, sql_);
        for (int c = 0; c < fields->Columns(); ++c)
            plan->names.append(fields->Name(c));
    }
    plan->count_sql = window_sql::Count_sql(sql, sql_);
    if (!Windowable(sql))
        return plan;
    const window_sql::Keyset keyset = window_sql::Keyset_of(sql, plan->names);
    if (keyset.start.isEmpty() || Sorted(*db_, keyset.start, sql_))
        return plan;
    const sqlite::Lent_statement start = db_->Borrow(keyset.start, sql_);
    const sqlite::Lent_statement resume = db_->Borrow(keyset.resume, sql_);
    // A text that ends early (a comment) hides the key condition: it is read
    // by row number.
    if (start->Parameters() != 1 || resume->Parameters() != keyset.keys)
        return plan;
    plan->keyset = keyset;
    plan->text_keys = Text_affinity(start->Declared_type(static_cast<int>(plan->names.size())));
    window_sql::Untitled untitled = window_sql::Untitled_of(keyset);
    untitled.title_field = Title_field(*start, plan->names.size());
    if (!untitled.start.isEmpty() && untitled.title_field >= 0
        && Same_order_untitled(*db_, keyset.start, untitled.start, sql_))
        plan->untitled = untitled;
    return plan;
}

void RecordSet::Run()
{
    // A plan kept from before another program changed the file's schema
    // reads it with the old fields, or fails: the file seen to change while
    // opening, the set is opened again, and the schema's version checked.
    const File_watch& watch = db_->Memo().Watch();
    const unsigned version = watch.Pager_version();
    try {
        Open();
    } catch (const Db_error&) {
        if (watch.Pager_version() == version)
            throw;
    }
    if (watch.Pager_version() != version)
        Open();
}

void RecordSet::Open()
{
    Close();
    std::shared_ptr<Read_plan> plan = db_->Read_plan_of(sql_);
    if (!plan) {
        plan = Make_plan();
        db_->Keep_read_plan(sql_, plan);
    }
    plan_ = plan;
    names_ = plan->names;
    const QString& sql = plan->sqlite_sql;
    if (!plan->few_rows && !Open_keyed(*plan)) {
        if (plan->other_way == Read_plan::Way::Undecided) {
            plan->other_way = Read_plan::Way::Whole;
            if (Windowable(sql) && !Sorted(*db_, sql, sql_)) {
                const QString window_sql = sql + QStringLiteral(" LIMIT ?1 OFFSET ?2");
                // A text that ends early (a comment) leaves the limit out: read it whole.
                if (db_->Borrow(window_sql, sql_)->Parameters() == 2) {
                    plan->other_way = Read_plan::Way::Window;
                    plan->window_sql = window_sql;
                }
            }
        }
        if (plan->other_way == Read_plan::Way::Window) {
            window_sql_ = plan->window_sql;
            window_query_ = db_->Borrow(window_sql_, sql_);
        }
    }
    if (!window_query_ && !start_query_) {
        window_sql_ = sql;
        const sqlite::Lent_statement whole = db_->Borrow(sql, sql_);
        while (whole->Step()) {
            ++rows_read_;
            Take_row(*whole);
        }
        rows_ = held_;
        plan->few_rows = rows_ <= kFirst_window;
        return;
    }
    rows_ = kFirst_window; // an upper bound until the first read tells
    Read_window(0, kFirst_window);
    next_read_ = kFirst_window;
    plan->few_rows = rows_ < kFirst_window;
    if (held_ < kFirst_window)
        return;
    // On a large file the count reads every entry: counted when a move or
    // a window first needs it, a first page can be shown before it.
    if (const std::optional<qint64> known = db_->Memo().Count(plan->count_sql)) {
        rows_ = std::max<qsizetype>(*known, held_);
        plan->few_rows = rows_ <= kFirst_window;
    } else
        count_due_ = true;
}

qsizetype RecordSet::Rows() const
{
    if (count_due_) {
        count_due_ = false;
        rows_ = std::max<qsizetype>(window_sql::Count(*db_, plan_->count_sql, sql_), first_held_ + held_);
    }
    return rows_;
}

bool RecordSet::Past_end(qsizetype row) const
{
    // Any row before the window's end is there, without a count.
    return row >= first_held_ + held_ && row >= Rows();
}

bool RecordSet::Open_keyed(const Read_plan& plan)
{
    const window_sql::Keyset& keyset = plan.keyset;
    if (keyset.start.isEmpty())
        return false;
    // Rows without a first key come before the lowest one and the key
    // condition would pass them over: the text is then read by row number.
    if (db_->Borrow(keyset.no_first_key, sql_)->Step())
        return false;
    keys_ = static_cast<int>(keyset.keys);
    distinct_ = keyset.distinct;
    text_keys_ = plan.text_keys;
    // Whether the file's titles serve is known once a read has begun.
    const bool untitled = !plan.untitled.start.isEmpty();
    Read_keyed_with(untitled ? plan.untitled.start : keyset.start, untitled ? plan.untitled.resume : keyset.resume,
                    untitled ? plan.untitled.title_field : -1);
    return true;
}

void RecordSet::Read_keyed_with(const QString& start, const QString& resume, qsizetype title_field) const
{
    start_query_ = db_->Borrow(start, sql_);
    resume_query_ = db_->Borrow(resume, sql_);
    window_sql_ = start;
    title_field_ = title_field;
}

void RecordSet::Value_free::operator()(sqlite3_value* v) const
{
    sqlite3_value_free(v);
}

void RecordSet::Take_row(const sqlite::Statement& row, const Guide_title* title, bool keep, std::string* image) const
{
    sqlite3_stmt* stmt = row.get();
    for (int c = 0; c < names_.size(); ++c) {
        int type = SQLITE_NULL;
        const char* text = "";
        int length = 0;
        qint64 number = 0;
        bool whole_number = false; // its 8 bytes stand for it
        double real = 0;
        bool own_real = false; // its text may round it: its 8 bytes tell it in the image
        if (title && c == title_field_) {
            type = title->type;
            text = title->bytes.data();
            length = static_cast<int>(title->bytes.size());
        } else {
            sqlite3_value* value = sqlite3_column_value(stmt, c);
            type = sqlite3_value_type(value);
            if (type == SQLITE_INTEGER) {
                // Kept as a number, written out only if read: most rows of a
                // window are passed over, and all but a page are not shown.
                number = sqlite3_value_int64(value);
                whole_number = true;
                text = reinterpret_cast<const char*>(&number);
                length = sizeof number;
            } else if (type != SQLITE_NULL) {
                own_real = image && type == SQLITE_FLOAT;
                if (own_real)
                    real = sqlite3_value_double(value);
                text = reinterpret_cast<const char*>(sqlite3_value_text(value));
                length = sqlite3_value_bytes(value);
            }
        }
        if (image && own_real)
            Add_image(type, &real, sizeof real, *image);
        else if (image)
            Add_image(type, text, length, *image);
        if (keep) {
            cells_.push_back({static_cast<qint32>(bytes_.size()),
                              type == SQLITE_NULL ? kNull : whole_number ? kInteger : length});
            bytes_.append(text, static_cast<size_t>(length));
        }
    }
    if (keep)
        ++held_;
}

void RecordSet::Start_window(qsizetype first) const
{
    bytes_.clear();
    cells_.clear();
    held_ = 0;
    first_held_ = first;
}

void RecordSet::Read_window(qsizetype first, qsizetype count) const
{
    if (start_query_) {
        Read_keyed(first, count);
        return;
    }
    Start_window(first);
    window_query_->Bind(1, count);
    window_query_->Bind(2, first);
    while (held_ < count && window_query_->Step()) {
        ++rows_read_;
        Take_row(*window_query_);
    }
    window_query_->Reset();
    // Fewer rows than the count promised: rows went since it was taken.
    if (held_ < count && first + held_ < rows_)
        rows_ = first + held_;
}

void RecordSet::Read_keyed(qsizetype first, qsizetype count) const
{
    Start_window(first);
    const int fields = static_cast<int>(names_.size());

    // From the nearest remembered key at or before the first row wanted.
    qsizetype slot = std::min<qsizetype>(first / kCheckpoint, static_cast<qsizetype>(checkpoints_.size()) - 1);
    while (slot > 0 && !checkpoints_[static_cast<size_t>(slot)])
        --slot;
    sqlite::Statement* query = start_query_.get();
    qsizetype row = 0; // number of the next row the query gives
    if (slot > 0) {
        const Checkpoint& from = *checkpoints_[static_cast<size_t>(slot)];
        query = resume_query_.get();
        for (int k = 0; k < keys_; ++k)
            query->Bind(k + 1, from.keys[static_cast<size_t>(k)].get());
        // The query starts at the first row of these keys.
        row = slot * kCheckpoint - from.in_group;
    } else if (text_keys_) {
        query->Bind(1, QByteArray(""));
    } else {
        query->Bind(1, -HUGE_VAL);
    }

    const File_memo::Guide_titles* titles = nullptr;
    std::string group; // the keys of the rows being passed
    bool keyed = false; // none of them Null
    std::string keys;
    // The rows of this group so far, when repeats are removed here; the
    // strings are used again for the next group's.
    std::vector<std::string>& seen = seen_;
    size_t seen_rows = 0;
    qsizetype in_group = 0;
    bool ended = false;
    while (held_ < count) {
        if (!query->Step()) {
            ended = true;
            break;
        }
        ++rows_read_;
        const std::vector<Guide_title>* row_titles = nullptr;
        if (title_field_ >= 0) {
            // Asked once the query's transaction is open: the titles of the
            // file as the query reads it.
            if (!titles && !(titles = db_->Memo().Titles())) {
                query->Reset();
                Read_keyed_with(plan_->keyset.start, plan_->keyset.resume, -1);
                Read_keyed(first, count);
                return;
            }
            sqlite3_stmt* stmt = query->get();
            if (sqlite3_column_type(stmt, static_cast<int>(title_field_)) != SQLITE_INTEGER)
                continue; // no guide, or none of a number: no title
            const auto found = titles->find(sqlite3_column_int64(stmt, static_cast<int>(title_field_)));
            if (found == titles->end())
                continue;
            row_titles = &found->second;
        }
        keys.clear();
        for (int k = 0; k < keys_; ++k)
            Add_image(query->Value(fields + k), keys);
        if (keys != group) {
            group.swap(keys);
            keyed = true;
            for (int k = 0; k < keys_; ++k)
                keyed = keyed && sqlite3_column_type(query->get(), fields + k) != SQLITE_NULL;
            seen_rows = 0;
            in_group = 0;
        }
        const size_t versions = row_titles ? row_titles->size() : 1;
        for (size_t t = 0; t < versions && held_ < count; ++t) {
            const Guide_title* title = row_titles ? &(*row_titles)[t] : nullptr;
            const bool keep = row >= first;
            if (distinct_) {
                if (seen_rows == seen.size())
                    seen.emplace_back();
                std::string& image = seen[seen_rows];
                image.clear();
                const size_t bytes = bytes_.size(), cells = cells_.size();
                const qsizetype held = held_;
                Take_row(*query, title, keep, &image);
                if (std::find(seen.begin(), seen.begin() + static_cast<qsizetype>(seen_rows), image)
                    != seen.begin() + static_cast<qsizetype>(seen_rows)) {
                    bytes_.resize(bytes); // a repeat: taken back
                    cells_.resize(cells);
                    held_ = held;
                    continue;
                }
                ++seen_rows;
            } else {
                Take_row(*query, title, keep);
            }
            // A key with Null in it cannot be read from: no checkpoint there.
            if (row % kCheckpoint == 0 && row > 0 && keyed) {
                const auto at = static_cast<size_t>(row / kCheckpoint);
                if (at >= checkpoints_.size())
                    checkpoints_.resize(at + 1);
                if (!checkpoints_[at]) {
                    Checkpoint c;
                    for (int k = 0; k < keys_; ++k)
                        c.keys.emplace_back(sqlite3_value_dup(query->Value(fields + k)));
                    c.in_group = in_group;
                    checkpoints_[at] = std::move(c);
                }
            }
            ++in_group;
            ++row;
        }
    }
    query->Reset();
    // Fewer rows than the count promised: rows went since it was taken.
    if (ended && row < rows_)
        rows_ = row;
}

int RecordSet::Column(const QString& name) const
{
    // A dozen columns at most: a scan without allocating beats hashing a
    // lower-cased copy of the name on every read.
    // The name as the text spells it first: comparing without regard to
    // case costs more than the rest of a field's read.
    qsizetype column = names_.indexOf(name);
    for (qsizetype c = 0; c < names_.size() && column < 0; ++c)
        if (names_.at(c).compare(name, Qt::CaseInsensitive) == 0)
            column = c;
    if (column < 0)
        throw Db_error(Db_code::No_such_field, QStringLiteral("no field named ") + name);
    if (pos_ < 0 || Past_end(pos_))
        throw Db_error(Db_code::No_current_record, QStringLiteral("no current record"));
    return static_cast<int>(column);
}

void RecordSet::Hold_current() const
{
    if (pos_ < 0 || (pos_ >= first_held_ && pos_ < first_held_ + held_) || pos_ >= Rows())
        return;
    // Reading on from the window's end grows the next read, which keeps the
    // rows just passed. A jump starts small again, and the window it leaves
    // becomes the spare.
    const bool reading_on = pos_ == first_held_ + held_;
    if (!reading_on) {
        Swap_spare();
        if (pos_ >= first_held_ && pos_ < first_held_ + held_)
            return;
    }
    next_read_ = reading_on ? std::min(next_read_ * 2, kLargest_window) : kJump_window;
    const qsizetype first = std::max<qsizetype>(0, pos_ - kBehind);
    Read_window(first, pos_ - first + next_read_);
}

void RecordSet::Swap_spare() const
{
    std::swap(bytes_, spare_.bytes);
    std::swap(cells_, spare_.cells);
    std::swap(first_held_, spare_.first);
    std::swap(held_, spare_.held);
}

bool RecordSet::Eof() const
{
    Hold_current();
    return Past_end(pos_);
}

const RecordSet::Cell& RecordSet::Current_cell(const QString& name) const
{
    const int c = Column(name);
    Hold_current();
    if (Past_end(pos_))
        throw Db_error(Db_code::No_current_record, QStringLiteral("no current record"));
    return cells_[static_cast<size_t>((pos_ - first_held_) * names_.size() + c)];
}

QString RecordSet::Field(const QString& name) const
{
    const Cell& cell = Current_cell(name);
    if (cell.length == kNull)
        return {};
    if (cell.length == kInteger) {
        qint64 number = 0;
        std::memcpy(&number, bytes_.data() + cell.offset, sizeof number);
        return QString::number(number);
    }
    return jet::Text(bytes_.data() + cell.offset, cell.length);
}

bool RecordSet::Is_null(const QString& name) const
{
    return Current_cell(name).length == kNull;
}

void RecordSet::MoveNext()
{
    if (Past_end(pos_))
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
    if (pos_ < 0 || Past_end(pos_))
        throw Db_error(Db_code::No_current_record, QStringLiteral("no current record"));
    return static_cast<Bookmark>(pos_);
}

void RecordSet::Move(int rows, Bookmark from)
{
    qsizetype target = static_cast<qsizetype>(from) + rows;
    if (target < 0)
        target = -1;
    if (target >= first_held_ + held_ && target > Rows())
        target = Rows();
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
    spare_ = {};
    window_query_.reset();
    start_query_.reset();
    resume_query_.reset();
    title_field_ = -1;
    plan_.reset();
    checkpoints_.clear();
    first_held_ = 0;
    held_ = 0;
    rows_ = 0;
    count_due_ = false;
    pos_ = 0;
}

} // namespace vexo
