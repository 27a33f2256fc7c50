// The rows of one query, with the movements the paged windows need: first,
// next, previous, a bookmark and n rows from it.
//
// Only a window of rows is held: the rows around the current one, read again
// from the query when a move leaves the window. A query ordered by columns
// its rows show is read from a key on (keyset paging): the keys of every
// 32nd row passed are remembered, so a page is read from the nearest of
// them, however far it is from the first. Any other query is read by row
// number. A query whose rows fit in the first window, or that SQLite must
// sort before its first row (a find, whose matches are sorted), is read
// whole, once, like a snapshot. The count of a larger one comes from a count
// query of its own, run when a move or the caller first needs it, so a
// window can show its first page before (see Count_known). Besides the
// window, the one read before it is kept, so a page moved back to after a
// page down is not read again. A list whose rows reach their guide's title
// through the guide's slots is read without those joins, one row per entry,
// and the set puts beside each entry its guide's titles, kept per file
// (File_memo::Titles), when SQLite reads the entries in the same order
// either way.
//
// What the first open of a text finds out (its fields, how it is read, its
// key and count texts) is kept by the database for the next opens of the
// same text, and the statements are the database's, lent while the set is
// open; whether any row lacks a first key is asked at every open. A text
// whose last open gave no more rows than a first window is read whole at
// the next.
//
// How the paged windows (index pages, water list, distances table, summary)
// use a set, which these movements keep:
// - the position is -1 before the first row and RecordCount() past the last;
//   MovePrevious from the first row gives Bof, MoveNext from the last Eof;
// - a bookmark is the row's number from 0, so the page at scroll value v is
//   Move(v, bookmark of the first record) and reads the 15 rows from there;
// - the scroll maximum is RecordCount() - 15 (0 for a short set), so the
//   last page shows the last 15 rows.
#pragma once

#include "data/Statement.h"

#include <QString>
#include <QStringList>

#include <memory>
#include <optional>
#include <string>
#include <vector>

struct sqlite3_value;

namespace vexo {

class Database;
struct Guide_title;
struct Read_plan;

class RecordSet {
public:
    using Bookmark = int;

    RecordSet(Database& db, const QString& jet_sql);
    ~RecordSet();
    RecordSet(const RecordSet&) = delete;
    RecordSet& operator=(const RecordSet&) = delete;

    // Value of a field of the current row by its select-list name, as text;
    // Null reads as the empty text.
    QString Field(const QString& name) const;
    bool Is_null(const QString& name) const;

    // The count of a large set is taken when first needed (see Count_known).
    int RecordCount() const { return static_cast<int>(Rows()); }
    // Whether the count is taken: a window can show its first page before
    // it, and ask for it once the page is on screen.
    bool Count_known() const { return !count_due_; }
    // Reads the row's window when it is not held: a count taken without
    // DISTINCT may promise rows that repeats then leave out (see Count_sql).
    bool Eof() const;
    bool Bof() const { return pos_ < 0 || Empty(); }
    // A set whose count is due holds a full first window.
    bool Empty() const { return !count_due_ && rows_ == 0; }

    void MoveFirst() { pos_ = 0; }
    void MoveLast() { pos_ = Rows() == 0 ? 0 : Rows() - 1; }
    void MoveNext();
    void MovePrevious();
    // Jumps n rows after (before, if negative) the bookmarked row; past
    // either end the set is at its end or before its start.
    void Move(int rows, Bookmark from);
    Bookmark bookmark() const;

    // Runs the same text again (after rows of the table were changed).
    void Requery();
    void Close();

    QStringList Field_names() const { return names_; }
    QString sql() const { return sql_; }

    // Rows held now, for tests of the window's size.
    qsizetype Rows_held() const { return held_; }
    // Rows SQLite has given so far, for tests of what a far move costs.
    qsizetype Rows_read() const { return rows_read_; }
    // The SQLite text a window is read with, for tests of its plan.
    QString Window_sql() const { return window_sql_; }

private:
    int Column(const QString& name) const;
    std::shared_ptr<Read_plan> Make_plan() const;
    void Run();
    void Open();
    bool Open_keyed(const Read_plan& plan);
    // Reads from a key with these texts; `title_field` is where the guide's
    // titles go (-1: the text reads them itself).
    void Read_keyed_with(const QString& start, const QString& resume, qsizetype title_field) const;
    // Reads `count` rows from row number `first` into the window.
    void Read_window(qsizetype first, qsizetype count) const;
    void Read_keyed(qsizetype first, qsizetype count) const;
    // Takes the row read last (with `title` in the titles' field) into the
    // window when `keep`, and its fields' types and bytes into `image` when
    // given, to tell a repeated row.
    void Take_row(const sqlite::Statement& row, const Guide_title* title = nullptr, bool keep = true,
                  std::string* image = nullptr) const;
    // Empties the window for the rows from row number `first`.
    void Start_window(qsizetype first) const;

    Database* db_;
    QString sql_;
    std::shared_ptr<const Read_plan> plan_;
    QStringList names_;
    // The query with a row limit and offset to bind; none for a text that
    // cannot take them (a pragma, a text with its own limit): read whole.
    // The statements are the database's, lent while the set is open.
    sqlite::Lent_statement window_query_;
    mutable QString window_sql_;
    // Keyset reading: from the lowest key, and from a remembered one.
    mutable sqlite::Lent_statement start_query_;
    mutable sqlite::Lent_statement resume_query_;
    // The field the guides' titles go in, when the texts leave them out.
    mutable qsizetype title_field_ = -1;
    // The rows of one key read so far, when repeats are removed here.
    mutable std::vector<std::string> seen_;
    int keys_ = 0;
    bool distinct_ = false; // repeats are removed here, among the rows of one key
    bool text_keys_ = false; // the first key's lowest value is '' rather than a number
    struct Value_free {
        void operator()(sqlite3_value* v) const;
    };
    using Value = std::unique_ptr<sqlite3_value, Value_free>;
    // The keys of a row, and how many rows of the same keys come before it.
    struct Checkpoint {
        std::vector<Value> keys;
        qsizetype in_group = 0;
    };
    // At rows 32, 64, …, as they were passed; slot 0 (the first row) is the start.
    mutable std::vector<std::optional<Checkpoint>> checkpoints_;
    mutable qsizetype rows_read_ = 0;
    // Row-major cells as SQLite gave them; text is made only for the fields a
    // window reads (a page shows 15 rows of thousands).
    // A whole number is kept as its 8 bytes.
    static constexpr qint32 kNull = -1;
    static constexpr qint32 kInteger = -2;
    struct Cell {
        qint32 offset;
        qint32 length; // or kNull, kInteger
    };
    // The window moves when a field is read, so reading is const to callers.
    mutable std::string bytes_;
    mutable std::vector<Cell> cells_;
    const Cell& Current_cell(const QString& name) const;
    void Hold_current() const;
    mutable qsizetype first_held_ = 0; // row number of the window's first row
    mutable qsizetype held_ = 0;
    // The window read before this one, kept: a page moved back to after the
    // rows after it were read is there still.
    struct Spare {
        std::string bytes;
        std::vector<Cell> cells;
        qsizetype first = 0;
        qsizetype held = 0;
    };
    mutable Spare spare_;
    void Swap_spare() const;
    // The memory of closed sets' windows, kept for the next sets: a list
    // opened again (a requery, a key typed in the search box) reuses it
    // rather than taking from the system what it has just given back.
    static std::vector<Spare>& Kept_windows();
    mutable qsizetype next_read_ = 0; // rows of the next read forward, grown while reading on
    mutable qsizetype rows_ = 0;
    // The count query is still to run; rows_ is then the first window's rows.
    mutable bool count_due_ = false;
    // The rows there are, counting them first when the count is due.
    qsizetype Rows() const;
    // Past the last row.
    bool Past_end(qsizetype row) const;
    qsizetype pos_ = 0;
};

} // namespace vexo
