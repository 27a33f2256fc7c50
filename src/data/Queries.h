// The catalogue of query texts. Every window composes its queries here, so
// each text exists once, and every value reaches a text through Quoted,
// Number or Like_text: a quote typed by a user can never end a literal.
#pragma once

#include <QString>
#include <QStringList>

namespace vexo::sql {

// A value inside a literal opened with `quote`: that quote is doubled.
QString Quoted(const QString& value, QChar quote);
// A value put in a text unquoted: kept when it is a whole number, otherwise
// Null, which matches nothing.
QString Number(const QString& value);
// Text typed by a user for a like pattern: * ? # [ are taken as themselves.
// The Find_ terms below take typed text: composed, without control
// characters, never a wildcard where a character cannot be encoded. Values
// read from the database go everywhere else unchanged.
QString Like_text(const QString& typed);

QString Table_SQL(const QString& table);

// The material index and its find results.
QString Index_start_SQL();
QString Index_by_number_SQL();
QString Index_by_name_SQL();
QString Chemical_agents_SQL();
QString Find_contains_term(const QString& typed);
QString Find_is_term(const QString& typed);
QString Find_starts_term(const QString& typed);
QString Find_ID_term(const QString& id);
QString Find_guide_term(const QString& guide);
// `filter` is "" or " AND (…)"; by number orders by the ID index, else by name.
QString Find_result_SQL(const QString& filter, bool by_number);
// The lowest and highest guide numbers the index refers to (First_guide,
// Last_guide).
QString Index_guide_range_SQL();

// The toolbar's search box: digits are the start of an ID, listed in ID
// order; any other text is a set of words that must all be in the name, in
// any order, listed by name. "" when nothing was typed.
QString Lookup_SQL(const QString& typed);
// True when Lookup_SQL reads the text as the start of an ID.
bool Lookup_by_number(const QString& typed);
// A row when the file carries the builder's lookup index (see
// Add_lookup_index), which answers the two texts below.
QString Lookup_index_SQL();
// The first `rows` rows of Lookup_SQL (more where an entry has several rows
// of the same keys), found through the lookup index; "" when the text
// cannot use it (nothing typed, hundreds of words): Lookup_SQL serves then.
QString Lookup_first_SQL(const QString& typed, int rows);
// The number of rows of Lookup_SQL (field Matches), from the lookup index
// alone; "" when Lookup_first_SQL is.
QString Lookup_count_SQL(const QString& typed);
// The number of index entries whose name contains the typed text (as
// Find_contains_term matches it), from the lookup index alone; "" when the
// text is not one it serves.
QString Find_contains_count_SQL(const QString& typed);
// The name order's keys (Blue_Key) of the first index entry whose name
// contains the typed text, from the lookup index; "" as above.
QString Find_contains_first_SQL(const QString& typed);

// Guides.
QString Guide_list_SQL();
QString Guide_page_SQL(const QString& guide_number);

// Distances.
QString Distances_table_SQL();
QString Distances_lookup(const QString& id, const QString& name, const QString& suffix);

// Large spills of the six gases by transport container, in the book's order.
QString Large_spills_SQL();
QString Large_spills_of_SQL(const QString& id);

// Water-reactive materials.
QString Water_list_SQL();
QString Water_one_SQL(const QString& id);
QString Gases_SQL(const QString& id, bool with_third);
QString Gas_index_SQL(const QStringList& names);

// The summary report.
QString Summary_view_SQL();
// The same rows in the order they were collected, so a gas follows its product.
QString Summary_view_in_order_SQL();
QString Add_to_summary_SQL(const QString& id, const QString& name, const QString& high_green, const QString& bold);
QString Delete_summary_row_SQL(const QString& key);
QString Clear_summary_SQL();

} // namespace vexo::sql
