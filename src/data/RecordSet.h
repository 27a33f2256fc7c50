// The rows of one query as they were when it ran, with the movements the
// paged windows need: first, next, previous, a bookmark and n rows from it.
#pragma once

#include <QString>
#include <QStringList>

#include <string>
#include <vector>

namespace vexo {

class Database;

class RecordSet {
public:
    using Bookmark = int;

    RecordSet(Database& db, const QString& jet_sql);

    // Value of a field of the current row by its select-list name, as text;
    // Null reads as the empty text.
    QString Field(const QString& name) const;
    bool Is_null(const QString& name) const;

    int RecordCount() const { return static_cast<int>(rows_); }
    bool Eof() const { return pos_ >= rows_; }
    bool Bof() const { return pos_ < 0 || rows_ == 0; }
    bool Empty() const { return rows_ == 0; }

    void MoveFirst() { pos_ = 0; }
    void MoveLast() { pos_ = rows_ == 0 ? 0 : rows_ - 1; }
    void MoveNext();
    void MovePrevious();
    // Jumps n rows after (before, if negative) the bookmarked row; past
    // either end the set is at its end or before its start.
    void Move(int rows, Bookmark from);
    Bookmark bookmark() const;

    // Runs the same text again (after rows of the table were deleted).
    void Requery();
    void Close();

    QStringList Field_names() const { return names_; }
    QString sql() const { return sql_; }

private:
    int Column(const QString& name) const;
    void Run();

    Database* db_;
    QString sql_;
    QStringList names_;
    // Row-major cells as SQLite gave them; text is made only for the fields a
    // window reads (a page shows 15 rows of thousands).
    struct Cell {
        qsizetype offset;
        qsizetype length; // -1: Null
    };
    std::string bytes_;
    std::vector<Cell> cells_;
    const Cell& Current_cell(const QString& name) const;
    qsizetype rows_ = 0;
    qsizetype pos_ = 0;
};

} // namespace vexo
