// Keyset reading of an ordered select: the text split at its clauses, read
// outside literals and parentheses so a typed value can never move a clause.
#include "data/RecordSet_query.h"

#include "data/Database.h"
#include "data/File_memo.h"
#include "data/Queries.h"
#include "data/Statement.h"

#include <QRegularExpression>

#include <sqlite3.h>

#include <vector>

namespace vexo::window_sql {

namespace {

struct Word {
    QString upper;
    qsizetype at;
};

// The words of a text outside literals, quoted names and parentheses, and
// whether a `*` stands there before the first FROM (a whole row selected).
struct Top_level {
    std::vector<Word> words;
    bool star_selected = false;
};

bool Word_char(QChar c)
{
    return c.isLetterOrNumber() || c == u'_';
}

Top_level Scan(const QString& sql)
{
    Top_level top;
    int depth = 0;
    bool from_seen = false;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        const QChar c = sql.at(i);
        if (c == u'\'' || c == u'"' || c == u'`' || c == u'[') {
            const QChar close = c == u'[' ? QChar(u']') : c;
            const qsizetype end = sql.indexOf(close, i + 1);
            i = end < 0 ? sql.size() : end; // a doubled quote is two literals back to back: the same words
            continue;
        }
        if (c == u'(')
            ++depth;
        else if (c == u')')
            --depth;
        else if (depth == 0 && c == u'*' && !from_seen)
            top.star_selected = true;
        else if (depth == 0 && (c.isLetter() || c == u'_') && (i == 0 || !Word_char(sql.at(i - 1)))) {
            qsizetype end = i;
            while (end < sql.size() && Word_char(sql.at(end)))
                ++end;
            top.words.push_back({sql.mid(i, end - i).toUpper(), i});
            from_seen = from_seen || top.words.back().upper == QLatin1String("FROM");
            i = end - 1;
        }
    }
    return top;
}

const Word* Find(const std::vector<Word>& words, const char* upper, qsizetype from = 0)
{
    for (const Word& w : words)
        if (w.at >= from && w.upper == QLatin1String(upper))
            return &w;
    return nullptr;
}

} // namespace

Keyset Keyset_of(const QString& sqlite_sql, const QStringList& fields)
{
    const Top_level top = Scan(sqlite_sql);
    const std::vector<Word>& words = top.words;
    if (words.size() < 4 || words.front().upper != QLatin1String("SELECT"))
        return {};
    for (const char* clause : {"GROUP", "HAVING", "LIMIT", "OFFSET", "UNION", "INTERSECT", "EXCEPT", "WINDOW"})
        if (Find(words, clause))
            return {};
    const Word* from = Find(words, "FROM");
    const Word* order = nullptr;
    for (size_t w = 0; w + 1 < words.size(); ++w)
        if (words[w].upper == QLatin1String("ORDER") && words[w + 1].upper == QLatin1String("BY"))
            order = &words[w];
    if (!from || !order || order->at < from->at)
        return {};
    const qsizetype terms_at = sqlite_sql.indexOf(QRegularExpression(QStringLiteral("\\bBY\\b"),
                                                                     QRegularExpression::CaseInsensitiveOption),
                                                  order->at)
                             + 2;
    const QString terms_text = sqlite_sql.mid(terms_at);

    // Plain ascending columns that the rows show (a name through its folded
    // copy counts as the name): equal rows then have equal keys.
    static const QRegularExpression term(QStringLiteral("^\\s*((?:[A-Za-z_]\\w*\\.)?([A-Za-z_]\\w*))(?:\\s+ASC)?\\s*$"),
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression folded(QStringLiteral("_folded$"), QRegularExpression::CaseInsensitiveOption);
    QStringList keys;
    for (const QString& t : terms_text.split(u',')) {
        const QRegularExpressionMatch m = term.match(t);
        if (!m.hasMatch())
            return {};
        QString field = m.captured(2);
        field.remove(folded);
        if (!fields.contains(field, Qt::CaseInsensitive))
            return {};
        keys << m.captured(1);
    }

    Keyset k;
    k.keys = keys.size();
    QString select = sqlite_sql.left(from->at);
    if (words[1].upper == QLatin1String("DISTINCT")) {
        k.distinct = true;
        select.remove(words[1].at, 8);
    }
    select = select.trimmed() + QStringLiteral(", ") + keys.join(QStringLiteral(", ")) + u' ';
    const Word* where = Find(words, "WHERE", from->at);
    QString body;
    if (where && where->at < order->at)
        body = sqlite_sql.mid(from->at, where->at - from->at) + QStringLiteral("WHERE (")
             + sqlite_sql.mid(where->at + 5, order->at - where->at - 5).trimmed() + QStringLiteral(") AND ");
    else
        body = sqlite_sql.mid(from->at, order->at - from->at).trimmed() + QStringLiteral(" WHERE ");
    const QString order_by = QStringLiteral(" ORDER BY ") + terms_text.trimmed();

    QStringList slots;
    for (qsizetype i = 1; i <= keys.size(); ++i)
        slots << QStringLiteral("?%1").arg(i);
    k.start = select + body + keys.first() + QStringLiteral(" >= ?1") + order_by;
    k.resume = select + body
             + (keys.size() == 1 ? keys.first() + QStringLiteral(" >= ?1")
                                 : u'(' + keys.join(QStringLiteral(", ")) + QStringLiteral(") >= (")
                                       + slots.join(QStringLiteral(", ")) + u')')
             + order_by;
    k.no_first_key = select + body + keys.first() + QStringLiteral(" IS NULL LIMIT 1");
    return k;
}

namespace {

// How a list reaches its entries' guide titles, as the dialect step writes
// it: an entry's guide slots and their sentences, or a guide's slots and
// their sentences joined to an entry.
const QString& Index_joins()
{
    static const QString text = QStringLiteral(
        "(Yellow JOIN Guides_pages ON Yellow.Guide_Number = Guides_pages.Guide_page) JOIN Sentences ON "
        "Guides_pages.Sentences_key = Sentences.Key");
    return text;
}

// A where clause that starts by keeping the rows beside a title.
const QRegularExpression& Title_condition()
{
    static const QRegularExpression condition(QStringLiteral("\\bWHERE\\s*\\(*\\s*(Sentences\\.Code\\s*=\\s*2)\\b"));
    return condition;
}

const QString& Slot_joins()
{
    static const QString text =
        QStringLiteral("(Guides_pages JOIN Sentences ON Guides_pages.Sentences_key = Sentences.Key)");
    return text;
}

// One keyset text without its title joins; "" when it has not their shape.
// Everything read is before the text's first literal (the fields, the joins,
// the title's condition): a typed value is never rewritten.
QString Without_titles(const QString& sql)
{
    static const QString slots = Slot_joins() + QStringLiteral(" ON Yellow.Guide_Number = Guides_pages.Guide_page");
    static const QRegularExpression slot_joins(QStringLiteral("\\s*JOIN\\s*") + QRegularExpression::escape(slots));
    const QRegularExpression& title = Title_condition();
    static const QRegularExpression title_term(QStringLiteral("(^|, )(Sentences\\.Sentences)(?=, )"));
    static const QRegularExpression literal(QStringLiteral("'[^']*'"));
    // Nothing else may read the slots or their sentences, nor keep rows
    // another way than beside the title.
    static const QRegularExpression elsewhere(QStringLiteral("\\b(Sentences\\.|Guides_pages\\.|OR\\b)"),
                                              QRegularExpression::CaseInsensitiveOption);
    const qsizetype first_literal = sql.indexOf(u'\'');
    QString head = first_literal < 0 ? sql : sql.left(first_literal);
    const qsizetype from = head.indexOf(QLatin1String(" FROM "));
    if (from < 0 || head.left(from).contains(u'('))
        return QString();
    const QString fields = head.left(from) + u',' + u' ';
    const QRegularExpressionMatch field = title_term.match(fields);
    if (!field.hasMatch() || fields.indexOf(title_term, field.capturedEnd()) >= 0)
        return QString();
    QString joins = head.mid(from);
    if (joins.count(Index_joins()) + joins.count(slots) != 1)
        return QString();
    joins.replace(Index_joins(), QStringLiteral("Yellow")).replace(slot_joins, QString());
    const QRegularExpressionMatch where = title.match(joins);
    if (!where.hasMatch())
        return QString();
    joins.replace(where.capturedStart(1), where.capturedLength(1), QStringLiteral("1"));
    QString untitled = head.left(from);
    untitled.replace(field.capturedStart(2), field.capturedLength(2), QStringLiteral("Yellow.Guide_Number"));
    untitled += joins + (first_literal < 0 ? QString() : sql.mid(first_literal));
    if (QString(untitled).remove(literal).contains(elsewhere))
        return QString();
    return untitled;
}

} // namespace

Untitled Untitled_of(const Keyset& keyset)
{
    Untitled u{Without_titles(keyset.start), Without_titles(keyset.resume)};
    if (u.start.isEmpty() || u.resume.isEmpty())
        return {};
    return u;
}

QString Count_sql(const QString& sqlite_sql, const QString& jet_sql)
{
    static const QRegularExpression order_by(QStringLiteral("\\bORDER\\s+BY\\b[^'\"]*$"),
                                             QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression distinct(QStringLiteral("^\\s*SELECT\\s+DISTINCT\\b"),
                                             QRegularExpression::CaseInsensitiveOption);
    QString sql = sqlite_sql;
    sql.remove(order_by);
    if (!Scan(jet_sql).star_selected)
        return QStringLiteral("SELECT count(*) FROM (") + sql + u')';
    sql.replace(distinct, QStringLiteral("SELECT"));
    // A list whose rows reach their guide's title through the guide's slots
    // (the index, the water list): the titled slots, a few dozen, are listed
    // once, so each row finds its title at once instead of through every
    // slot of its guide. The same rows, so the same count.
    const QString& index_joins = Index_joins();
    const QString& slot_joins = Slot_joins();
    static const QString titles = QStringLiteral(
        "(SELECT Guides_pages.Guide_page FROM Guides_pages JOIN Sentences ON Guides_pages.Sentences_key = "
        "Sentences.Key WHERE Sentences.Code = 2 LIMIT -1) AS Guides_pages");
    const QRegularExpression& title = Title_condition();
    const std::vector<Word> words = Scan(sql).words;
    const Word* from = Find(words, "FROM");
    QString joins = from ? sql.mid(from->at) : QString();
    const QRegularExpressionMatch where = title.match(joins);
    const bool by_index = joins.count(index_joins) == 1;
    if (where.hasMatch() && (by_index || joins.count(slot_joins) == 1)) {
        joins.replace(where.capturedStart(1), where.capturedLength(1), QStringLiteral("1"));
        // Nothing else may read the slots or their sentences: only the titled
        // guides' numbers are left.
        QString rest = joins;
        rest.remove(by_index ? index_joins : slot_joins);
        rest.remove(QStringLiteral("Guides_pages.Guide_page"));
        if (!rest.contains(QLatin1String("Sentences.")) && !rest.contains(QLatin1String("Guides_pages."))) {
            if (by_index)
                joins.replace(index_joins,
                              QStringLiteral("Yellow JOIN ") + titles
                                  + QStringLiteral(" ON Yellow.Guide_Number = Guides_pages.Guide_page"));
            else
                joins.replace(slot_joins, titles);
            return QStringLiteral("SELECT count(*) ") + joins;
        }
    }
    return QStringLiteral("SELECT count(*) FROM (") + sql + u')';
}

qint64 Count(Database& db, const QString& count_sql, const QString& jet_sql)
{
    if (const std::optional<qint64> rows = db.Memo().Count(count_sql))
        return *rows;
    qint64 rows = 0;
    {
        const sqlite::Lent_statement count = db.Borrow(db.Memo().Counted_with(count_sql), jet_sql);
        rows = count->Step() ? count->Integer(0) : 0;
    }
    db.Memo().Remember_count(count_sql, rows);
    return rows;
}

QString Find_through_lookup_index(Database& db, const QString& filter, const QString& typed, bool by_number)
{
    const QString count_sql = sql::Find_contains_count_SQL(typed);
    if (count_sql.isEmpty() || !db.Memo().Has_lookup_index())
        return QString();
    QString from;
    if (!by_number) {
        // The first key as stored, whole or fractional, written exactly.
        const sqlite::Lent_statement first = db.Borrow(sql::Find_contains_first_SQL(typed), QString());
        if (first->Step()) {
            const int type = sqlite3_column_type(first->get(), 0);
            if (type == SQLITE_INTEGER)
                from = QString::number(first->Integer(0));
            else if (type == SQLITE_FLOAT)
                from = QString::number(sqlite3_column_double(first->get(), 0), 'g', 17);
        }
    }
    const QString find_sql =
        sql::Find_result_SQL(filter + (from.isEmpty() ? QString() : QStringLiteral(" AND Yellow.Blue_Key >= ") + from),
                             by_number);
    // Counted when the find's list needs it, from the lookup index.
    db.Memo().Count_with(Count_sql(db.Translate(find_sql), find_sql), count_sql);
    return find_sql;
}

} // namespace vexo::window_sql
