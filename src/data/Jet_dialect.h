// The query texts of the program are written in the dialect of the original
// database engine; this unit runs them on SQLite with the same meaning, and
// owns how names compare: without regard to case and accents.
//
// The dialect step (To_sqlite) rewrites a text as follows. Only the code
// between literals is rewritten, so nothing a user types can trigger a rule.
// - Literals: "…" and '…' both become SQLite's '…' (the inner quote doubled);
//   a control character goes in as char(n), a lone surrogate as U+FFFD.
// - "DELETE * FROM" becomes "DELETE FROM".
// - Lists that keep only rows reaching a guide title ("WHERE Sentences.Code =
//   2" first in the where clause) run their LEFT JOINs as inner joins, which
//   give the same rows, and prefix the terms of their last ORDER BY (the
//   whole query's, not a subquery's) with "+" so that SQLite sorts the
//   result instead of walking an index entry by entry; not when their one
//   other condition is an entry's column equal to a value or like a pattern
//   that starts with "*" (the chemical agents, a find "contains"), which
//   are read in the order of their index.
// - Names, when the database is given (Folded_columns): a name column (see
//   schema::Is_name_column) compared with "=", "<>", "<", ">", "<=", ">=" or
//   like, joined ("=") to another name column, or sorted on, is read through its
//   folded copy "<column>_folded" when the file carries one, otherwise
//   through the fold function the program registers ("vexo_fold(<column>)");
//   the literal it is compared with is folded the same way (Fold). like
//   becomes GLOB, its pattern translated: * and ? stay, # is [0-9], [!…] is
//   [^…]. A like on another column becomes GLOB when case and accents cannot
//   matter to its pattern, else it folds that column too; like a bare number
//   ("Guide_Number like 128") becomes GLOB. An INSERT that writes a name
//   literal also writes its folded copy.
//   "SELECT *" of one table and "<table>.*" list the table's own fields, so
//   the folded copies never reach a record set.
// A file the builder writes thus needs nothing of the program's own for any
// catalogue query: the stock sqlite3 command runs them all. Left as written:
// like whose left side is no column or whose pattern is no literal or number
// (the program's own like then serves); names compared with a literal on the
// left, through an alias, by IN or BETWEEN (they then compare as stored).
// DISTINCT keeps rows apart that differ only in a name's case or accents
// (index entries differ in their keys anyway).
#pragma once

#include <QSet>
#include <QString>

struct sqlite3;

namespace vexo::jet {

// The name columns of one database file that carry a folded copy, as
// "table.column" in lower case.
using Folded_columns = QSet<QString>;

// The dialect step without names: they compare as stored, byte for byte.
QString To_sqlite(const QString& jet_sql);
// The dialect step for a database whose folded copies are `folded`: names
// compare without regard to case and accents.
QString To_sqlite(const QString& jet_sql, const Folded_columns& folded);

// The program's fold function applied to an SQL expression.
QString Fold_sql(const QString& expression);

// Registers on a connection what a text may need beyond the stock engine:
// the fold function for files without folded copies; a like with the
// asterisk wildcard that ignores case and accents, for the like forms left
// as written; and the collation "ES" that files of earlier builders declare
// on their name columns.
bool Register_functions(sqlite3* db);

// A value as the database holds it, as text: UTF-8, or, when its bytes are
// not valid UTF-8, Windows-1252 (names exported from an old Access file).
// The fold function decodes stored values the same way, so a lookup built
// from a name shown finds its row again.
QString Text(const char* bytes, qsizetype n);

// A name as a Spanish-speaking user compares it: composed (NFC), lower case,
// without accents ("Ñ" reads as "n"). The one rule for every comparison of
// names, typed or stored.
QString Fold(const QString& text);

// The old engine's like: * any run, ? one character, # one digit,
// [abc] [a-z] [!abc] one character of (or not of) a set. Case and accents
// are ignored on both sides.
bool Like(const QString& value, const QString& pattern);

} // namespace vexo::jet
