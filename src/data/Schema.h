// The tables of the guidebook database, as the builder creates them and as
// the program reads them: six that every database has, and the large spills
// by transport container, which a database may leave out.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace vexo::schema {

enum class Type { Text, Integer };

struct Field {
    QString name;
    Type type;
};

struct Table {
    QString name;
    std::vector<Field> fields;
    bool may_be_empty; // only Summary starts empty
    bool optional = false; // a database without it is still whole
};

const std::vector<Table>& Tables();
const Table* Find_table(const QString& name);

// Columns holding names that users type or that are matched by name.
bool Is_name_column(const QString& table, const QString& field);
// The column where the builder keeps a name column's folded copy (see
// Jet_dialect), which lets plain SQL compare names without regard to case
// and accents.
QString Folded_column(const QString& field);

// CREATE TABLE statements for the six tables every database has: plain
// SQLite, with no collation or function of the program's own.
QString Create_tables_sql();
// The CREATE TABLE statement of one table (an optional one is made only when
// there are rows for it).
QString Create_table_sql(const Table& table);
// Indexes for every join and order the program's queries use; made after
// the rows are in, which is faster.
QString Create_indexes_sql();

// The lookup index, which the builder writes for the toolbar's search box:
// a full-text table (SQLite's FTS5, trigram tokens, no stored content) with
// one document per row of the whole index, and the keys of that row by the
// document's number. Documents are numbered in the order the search box
// lists them (by name, then by number), so the first matches are the first
// documents found, and the count of matches is the count of documents.
// Names are documents twice: the folded name, whose three-letter tokens find
// every word of three letters or more, and its one- and two-letter pieces,
// which find the shorter words; an ID is a document of its own. Every piece
// is marked by control characters that no typed text holds, so a token of
// one kind never matches text of another.
inline const QString kLookup_terms = QStringLiteral("Lookup_terms");
inline const QString kLookup_entries = QStringLiteral("Lookup_entries");
QString Create_lookup_index_sql();
// The document of a folded name, and of an ID.
QString Lookup_name_document(const QString& folded_name);
QString Lookup_id_document(const QString& id);
// The full-text query for one folded word (the name holds it), and for the
// digits an ID starts with.
QString Lookup_word_query(const QString& folded_word);
QString Lookup_id_query(const QString& digits);

} // namespace vexo::schema
