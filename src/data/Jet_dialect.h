// The query texts of the program are written in the dialect of the original
// database engine; this unit runs them on SQLite with the same meaning.
#pragma once

#include <QString>

struct sqlite3;

namespace vexo::jet {

// Rewrites a query text to SQLite: literals in either quote become SQLite
// literals, "DELETE * FROM" becomes "DELETE FROM". Wildcards stay: the
// like function registered below reads them the old way.
QString To_sqlite(const QString& jet_sql);

// Registers on a connection what the translated texts rely on: a `like`
// with the asterisk wildcard that ignores case and accents, and the
// collation "ES" that the name columns use so `=` ignores them too.
bool Register_functions(sqlite3* db);

// A value as the database holds it, as text: UTF-8, or, when its bytes are
// not valid UTF-8, Windows-1252 (names exported from an old Access file).
// The comparisons above decode stored values the same way, so a lookup built
// from a name shown finds its row again.
QString Text(const char* bytes, qsizetype n);

// A name as a Spanish-speaking user compares it: lower case, no accents.
QString Fold(const QString& text);

// The old engine's like: * any run, ? one character, # one digit,
// [abc] [a-z] [!abc] one character of (or not of) a set. Case and accents
// are ignored on both sides.
bool Like(const QString& value, const QString& pattern);

} // namespace vexo::jet
