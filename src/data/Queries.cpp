// Query texts in the program's dialect (see Jet_dialect for how they run).
#include "data/Queries.h"

#include "data/Jet_dialect.h"
#include "data/Schema.h"

#include <QRegularExpression>

namespace vexo::sql {

namespace {

const QString q = QStringLiteral("\"");

const QString& Index_joins()
{
    static const QString text = QStringLiteral(
        "SELECT DISTINCT Yellow.*, Sentences.Sentences FROM (Yellow LEFT JOIN Guides_pages ON Yellow.Guide_Number = "
        "Guides_pages.Guide_page) LEFT JOIN Sentences ON Guides_pages.Sentences_key = Sentences.Key");
    return text;
}

const QString& Water_start()
{
    static const QString text = QStringLiteral(
        "SELECT DISTINCT Water.*, Yellow.Name_of_material, Yellow.Guide_Number, Yellow.PIH, Sentences.Sentences FROM "
        "(Water LEFT JOIN Yellow ON Water.ID = Yellow.ID) LEFT JOIN (Guides_pages LEFT JOIN Sentences ON "
        "Guides_pages.Sentences_key = Sentences.Key) ON Yellow.Guide_Number = Guides_pages.Guide_page WHERE "
        "Sentences.Code = 2");
    return text;
}

// Text a user typed or pasted as a search, without control characters. Text
// that was nothing but control characters searches for nothing rather than
// for everything. (How names compare, an accent typed as a separate mark
// included, is the dialect step's; a lone surrogate is dealt with where
// every query is written out: see Jet_dialect.)
QString Typed_text(const QString& typed)
{
    QString kept;
    kept.reserve(typed.size());
    for (const QChar c : typed)
        if (c.category() != QChar::Other_Control)
            kept += c;
    if (kept.isEmpty() && !typed.isEmpty())
        kept = QChar(QChar::ReplacementCharacter);
    return kept;
}

} // namespace

QString Quoted(const QString& value, QChar quote)
{
    QString doubled = value;
    return doubled.replace(quote, QString(2, quote));
}

QString Number(const QString& value)
{
    // Only the digits go into the text: the blanks around them may be ones
    // SQLite does not read as blanks (a vertical tab, a no-break space).
    static const QRegularExpression whole(QStringLiteral("^[0-9]{1,9}$"));
    const QString digits = value.trimmed();
    return whole.match(digits).hasMatch() ? digits : QStringLiteral("Null");
}

QString Like_text(const QString& typed)
{
    QString out;
    out.reserve(typed.size() + 8);
    for (const QChar c : Typed_text(typed)) {
        if (c == u'*' || c == u'?' || c == u'#' || c == u'[')
            out += u'[' + QString(c) + u']';
        else
            out += c;
    }
    return Quoted(out, u'\'');
}

QString Table_SQL(const QString& table)
{
    return QStringLiteral("SELECT * FROM ") + table;
}

QString Index_start_SQL()
{
    return Index_joins() + QStringLiteral(" WHERE Sentences.Code = 2");
}

QString Index_by_number_SQL()
{
    return Index_start_SQL() + QStringLiteral(" ORDER BY Yellow.Yellow_Key, Yellow.Blue_Key");
}

QString Index_by_name_SQL()
{
    return Index_start_SQL() + QStringLiteral(" ORDER BY Yellow.Blue_Key, Yellow.Yellow_Key");
}

QString Chemical_agents_SQL()
{
    return Index_joins()
         + QStringLiteral(" WHERE (Sentences.Code = 2 and Yellow.Chemical_Warfare = 'Z')"
                          " ORDER BY Yellow.Yellow_Key, Yellow.Blue_Key");
}

QString Find_contains_term(const QString& typed)
{
    return QStringLiteral("Yellow.Name_of_material like '*") + Like_text(typed) + QStringLiteral("*'");
}

QString Find_is_term(const QString& typed)
{
    return QStringLiteral("Yellow.Name_of_material = '") + Quoted(Typed_text(typed), u'\'') + QStringLiteral("'");
}

QString Find_starts_term(const QString& typed)
{
    return QStringLiteral("Yellow.Name_of_material like '") + Like_text(typed) + QStringLiteral("*'");
}

QString Find_ID_term(const QString& id)
{
    return QStringLiteral("Yellow.ID = '") + Quoted(Typed_text(id), u'\'') + QStringLiteral("'");
}

QString Find_guide_term(const QString& guide)
{
    return QStringLiteral("Yellow.Guide_Number like ") + Number(guide);
}

QString Find_result_SQL(const QString& filter, bool by_number)
{
    return Index_start_SQL() + filter
         + (by_number ? QStringLiteral(" ORDER BY Yellow.Yellow_Key") : QStringLiteral(" ORDER BY Yellow.Blue_Key"));
}

QString Index_guide_range_SQL()
{
    return QStringLiteral("SELECT MIN(Yellow.Guide_Number) AS First_guide, MAX(Yellow.Guide_Number) AS Last_guide "
                          "FROM Yellow");
}

namespace {

// Words joined pairwise, so thousands of typed words still nest only a few
// levels deep in the query.
QString All_of(const QStringList& terms, qsizetype from, qsizetype count)
{
    if (count == 1)
        return terms.at(from);
    const qsizetype half = count / 2;
    return u'(' + All_of(terms, from, half) + QStringLiteral(" AND ") + All_of(terms, from + half, count - half)
         + u')';
}

} // namespace

bool Lookup_by_number(const QString& typed)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
    return digits.match(typed.trimmed()).hasMatch();
}

namespace {

// The typed words, each once, in the order typed.
QStringList Lookup_words(const QString& text)
{
    static const QRegularExpression spaces(QStringLiteral("\\s+"));
    QStringList words = text.split(spaces, Qt::SkipEmptyParts);
    words.removeDuplicates();
    return words;
}

// The search box's matches: the condition and the order of Lookup_SQL. By
// number the keys are the index's by number, by name its by name, so the
// lookup index (numbered in that order) gives the same first rows.
QString Lookup_filter(const QString& text)
{
    if (Lookup_by_number(text)) {
        // The range of IDs that start with the digits lets the ID index find
        // the few candidates; like keeps the match exactly what it was.
        QString next = text;
        next.back() = QChar(next.back().unicode() + 1);
        return QStringLiteral(" AND Yellow.ID >= '") + text + QStringLiteral("' AND Yellow.ID < '") + next
             + QStringLiteral("' AND Yellow.ID like '") + Like_text(text) + QStringLiteral("*'");
    }
    const QStringList words = Lookup_words(text);
    QStringList terms;
    terms.reserve(words.size());
    for (const QString& word : words)
        terms << Find_contains_term(word);
    return QStringLiteral(" AND ") + All_of(terms, 0, terms.size());
}

QString Lookup_order(const QString& text)
{
    return Lookup_by_number(text) ? QStringLiteral(" ORDER BY Yellow.Yellow_Key, Yellow.Blue_Key")
                                  : QStringLiteral(" ORDER BY Yellow.Blue_Key, Yellow.Yellow_Key");
}

// More words or longer ones than anyone types to find a name: the scan
// serves them, as it serves a file without the lookup index.
constexpr qsizetype kMost_indexed_words = 32;
constexpr qsizetype kLongest_indexed_word = 200;

// The full-text query for the typed text: every word (folded as names are)
// in the name, or the digits at the start of the ID. "" when the text is
// not one the index serves.
QString Lookup_match(const QString& text)
{
    if (text.isEmpty())
        return QString();
    if (Lookup_by_number(text))
        return schema::Lookup_id_query(text);
    const QStringList words = Lookup_words(text);
    if (words.size() > kMost_indexed_words)
        return QString();
    QStringList phrases;
    for (const QString& word : words) {
        if (word.size() > kLongest_indexed_word)
            return QString();
        phrases << schema::Lookup_word_query(jet::Fold(Typed_text(word)));
    }
    return phrases.join(u' ');
}

QString Matching_documents(const QString& match)
{
    return QStringLiteral(" FROM ") + schema::kLookup_terms + QStringLiteral(" WHERE ") + schema::kLookup_terms
         + QStringLiteral(" MATCH '") + Quoted(match, u'\'') + u'\'';
}

} // namespace

QString Lookup_SQL(const QString& typed)
{
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return QString();
    return Index_start_SQL() + Lookup_filter(text) + Lookup_order(text);
}

QString Lookup_index_SQL()
{
    return QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name = '") + schema::kLookup_terms
         + u'\'';
}

QString Lookup_first_SQL(const QString& typed, int rows)
{
    const QString text = typed.trimmed();
    const QString match = Lookup_match(text);
    if (match.isEmpty())
        return QString();
    // The keys of the first documents, in the index's order; the rows of
    // those keys still meet the condition of Lookup_SQL, so nothing the scan
    // would not list is listed.
    const QString& entries = schema::kLookup_entries;
    return Index_start_SQL() + Lookup_filter(text)
         + QStringLiteral(" AND (Yellow.Blue_Key, Yellow.Yellow_Key) IN (SELECT %1.Blue_Key, %1.Yellow_Key FROM %1 "
                          "WHERE %1.Rank IN (SELECT rowid")
               .arg(entries)
         + Matching_documents(match) + QStringLiteral(" ORDER BY rowid LIMIT %1))").arg(rows) + Lookup_order(text);
}

QString Lookup_count_SQL(const QString& typed)
{
    const QString match = Lookup_match(typed.trimmed());
    if (match.isEmpty())
        return QString();
    return QStringLiteral("SELECT count(*) AS Matches") + Matching_documents(match);
}

namespace {

// The name documents that hold the typed text as one piece, spaces and all,
// as the like term takes it; "" when the index does not serve the text.
QString Matching_names(const QString& typed)
{
    const QString folded = jet::Fold(Typed_text(typed));
    if (folded.isEmpty() || folded.size() > kLongest_indexed_word)
        return QString();
    // Names are the first half of the documents (see schema), IDs the second.
    return Matching_documents(schema::Lookup_word_query(folded))
         + QStringLiteral(" AND rowid <= (SELECT max(Rank) FROM %1) / 2").arg(schema::kLookup_entries);
}

} // namespace

QString Find_contains_count_SQL(const QString& typed)
{
    const QString names = Matching_names(typed);
    return names.isEmpty() ? QString() : QStringLiteral("SELECT count(*) AS Matches") + names;
}

QString Find_contains_first_SQL(const QString& typed)
{
    const QString names = Matching_names(typed);
    return names.isEmpty() ? QString()
                           : QStringLiteral("SELECT Blue_Key FROM %1 WHERE Rank = (SELECT rowid").arg(schema::kLookup_entries)
                                 + names + QStringLiteral(" ORDER BY rowid LIMIT 1)");
}

QString Guide_list_SQL()
{
    return QStringLiteral(
        "SELECT DISTINCT Guides_pages.Key, Guides_pages.Guide_page, Sentences.Sentences FROM Guides_pages LEFT JOIN "
        "Sentences ON Guides_pages.Sentences_key = Sentences.Key WHERE Sentences.Code = 2 ORDER BY "
        "Guides_pages.Guide_page");
}

QString Guide_page_SQL(const QString& guide_number)
{
    return QStringLiteral(
               "SELECT DISTINCT Guides_pages.Key, Guides_pages.Guide_page, Sentences.Sentences, Sentences.Code FROM "
               "Guides_pages LEFT JOIN Sentences ON Guides_pages.Sentences_key = Sentences.Key WHERE "
               "Guides_pages.Guide_page = ")
         + Number(guide_number) + QStringLiteral(" ORDER BY Guides_pages.Key");
}

QString Distances_table_SQL()
{
    return QStringLiteral("SELECT * FROM Green ORDER BY ID, Name_of_material");
}

QString Distances_lookup(const QString& id, const QString& name, const QString& suffix)
{
    return QStringLiteral("SELECT * FROM Green WHERE ID = ") + Number(id) + QStringLiteral(" AND Name_of_material = ")
         + q + Quoted(name + u' ' + suffix, u'"') + q + QStringLiteral(" ORDER BY ID, Name_of_material");
}

QString Water_list_SQL()
{
    return Water_start() + QStringLiteral(" ORDER BY Water.ID");
}

QString Large_spills_SQL()
{
    return QStringLiteral("SELECT * FROM Large_spills ORDER BY Key");
}

QString Large_spills_of_SQL(const QString& id)
{
    return QStringLiteral("SELECT * FROM Large_spills WHERE ID = ") + q + Quoted(id, u'"') + q
         + QStringLiteral(" ORDER BY Key");
}

QString Water_one_SQL(const QString& id)
{
    return Water_start() + QStringLiteral(" AND Water.ID = ") + q + Quoted(id, u'"') + q
         + QStringLiteral(" ORDER BY Water.ID");
}

QString Gases_SQL(const QString& id, bool with_third)
{
    return QStringLiteral("SELECT DISTINCT First_product, First_ID, First_name_search, Second_product, Second_ID, "
                          "Second_name_search")
         + (with_third ? QStringLiteral(", Third_product, Third_ID, Third_name_search") : QString())
         + QStringLiteral(" FROM Water WHERE ID = ") + q + Quoted(id, u'"') + q;
}

QString Gas_index_SQL(const QStringList& names)
{
    QStringList terms;
    for (const QString& name : names)
        terms << QStringLiteral("Name_of_material = ") + q + Quoted(name, u'"') + q;
    return Index_start_SQL() + QStringLiteral(" AND (") + terms.join(QStringLiteral(" OR "))
         + QStringLiteral(") ORDER BY Yellow.Yellow_Key, Yellow.Blue_Key");
}

QString Summary_view_SQL()
{
    return QStringLiteral(
        "SELECT DISTINCT Summary.*, Yellow.Guide_Number, Sentences.Sentences, Yellow.PIH, Yellow.Water_reactive, "
        "Yellow.Chemical_Warfare, Yellow.Polymerization, Yellow.Supp_text FROM Summary LEFT JOIN (Yellow LEFT "
        "JOIN(Guides_pages LEFT JOIN Sentences ON Guides_pages.Sentences_key = Sentences.Key) ON Yellow.Guide_Number "
        "= Guides_pages.Guide_page) ON (Summary.ID = Yellow.ID) AND (Summary.Name = Yellow.Name_of_material) WHERE "
        "Sentences.Code = 2");
}

QString Summary_view_in_order_SQL()
{
    return Summary_view_SQL() + QStringLiteral(" ORDER BY Summary.Key");
}

QString Add_to_summary_SQL(const QString& id, const QString& name, const QString& high_green, const QString& bold)
{
    return QStringLiteral("INSERT INTO Summary (ID, Name, High_green,Bold) VALUES (") + q + Quoted(id, u'"') + q
         + QStringLiteral(", ") + q + Quoted(name, u'"') + q + QStringLiteral(", ") + q + Quoted(high_green, u'"') + q
         + QStringLiteral(", ") + q + Quoted(bold, u'"') + q + QStringLiteral(")");
}

QString Delete_summary_row_SQL(const QString& key)
{
    return QStringLiteral("DELETE * FROM Summary WHERE Key = ") + Number(key);
}

QString Clear_summary_SQL()
{
    return QStringLiteral("DELETE * FROM Summary");
}

} // namespace vexo::sql
