// How a record set reads a select text a window at a time: the text's own
// ORDER BY keys become the window's bookmarks (keyset paging), so a page far
// from the first is read from the nearest remembered key, not counted to.
#pragma once

#include <QString>
#include <QStringList>

namespace vexo {
class Database;
}

namespace vexo::window_sql {

// A select ordered by plain columns that its rows carry, rewritten for
// keyset reads. Empty `start` when the text cannot be read that way (no
// order, a descending or computed key, a key the rows do not show, a
// grouping or a limit of its own): such a text is read by row number.
struct Keyset {
    // The rows from the lowest key on: the keys ride along after the
    // selected fields, and ?1 is the lowest value of the first key's type.
    QString start;
    // The rows from a remembered key on: ?1… are its values.
    QString resume;
    // A row whose first key is Null, which sorts before every other.
    QString no_first_key;
    // Whether the text asked for distinct rows: the reader removes repeats
    // itself, among the rows of one key (equal rows have equal keys), so
    // SQLite need not keep every row it passes to compare.
    bool distinct = false;
    qsizetype keys = 0;
};

// `sqlite_sql`: the text as SQLite runs it; `fields`: the names of its
// selected fields.
Keyset Keyset_of(const QString& sqlite_sql, const QStringList& fields);

// A keyset whose rows reach their guide's title through the guide's slots
// (the index, its finds, the water list, the summary), without those joins:
// the guide's number stands where the title was, and the reader puts the
// guide's titles there (see File_memo::Titles), one row for each, and no
// row for a guide without one. SQLite then reads one entry per row instead
// of every slot of its guide. Empty `start` when the text has not that shape.
struct Untitled {
    QString start;
    QString resume;
    qsizetype title_field = -1; // the reader's to find: a `*` hides it in the text
};
Untitled Untitled_of(const Keyset& keyset);

// The count of a text's rows. The order does not change it; DISTINCT is
// left out where every row shows a whole row of a table (`*`), as no two
// such rows of the book's tables are alike and each guide has one title
// (a test checks it on the book's data): counting distinct rows would make
// SQLite keep every row to compare.
QString Count_sql(const QString& sqlite_sql, const QString& jet_sql);

// The rows a count text (Count_sql's) gives, counted once while the file
// stays as it is (see File_memo): reopening a list does not count it again.
qint64 Count(Database& db, const QString& count_sql, const QString& jet_sql);

// A find whose one condition is a name containing `typed` (`filter` is
// " AND (" + Find_contains_term(typed) + ")"), through the lookup index when
// the file has it: the text to open, which lists the rows of
// Find_result_SQL(filter, by_number) in their order, and whose count is
// taken from the index (a few documents read instead of every name). By
// name it starts at the first entry that matches, which the index gives,
// rather than walking the names before it. "" when the file or the text
// cannot be served that way: the find's own text then serves.
QString Find_through_lookup_index(Database& db, const QString& filter, const QString& typed, bool by_number);

} // namespace vexo::window_sql
