// Query texts in the program's dialect (see Jet_dialect for how they run).
#include "data/Queries.h"

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
    static const QRegularExpression whole(QStringLiteral("^\\s*[0-9]{1,9}\\s*$"));
    return whole.match(value).hasMatch() ? value : QStringLiteral("Null");
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

QString Lookup_SQL(const QString& typed)
{
    static const QRegularExpression spaces(QStringLiteral("\\s+"));
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return QString();
    if (Lookup_by_number(text)) {
        // The range of IDs that start with the digits lets the ID index find
        // the few candidates; like keeps the match exactly what it was.
        QString next = text;
        next.back() = QChar(next.back().unicode() + 1);
        return Find_result_SQL(QStringLiteral(" AND Yellow.ID >= '") + text + QStringLiteral("' AND Yellow.ID < '")
                                   + next + QStringLiteral("' AND Yellow.ID like '") + Like_text(text)
                                   + QStringLiteral("*'"),
                               true);
    }
    QStringList words = text.split(spaces, Qt::SkipEmptyParts);
    words.removeDuplicates();
    QStringList terms;
    terms.reserve(words.size());
    for (const QString& word : std::as_const(words))
        terms << Find_contains_term(word);
    return Find_result_SQL(QStringLiteral(" AND ") + All_of(terms, 0, terms.size()), false);
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
