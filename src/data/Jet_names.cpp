// Names compared without regard to case and accents, in plain SQL: name
// columns are read through their folded copies (or the fold function when a
// file has none) and the literals they meet are folded the same way.
#include "data/Jet_names.h"

#include "data/Schema.h"

#include <QList>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>

namespace vexo::jet {

namespace {

// A column, alone or after its table: groups whole, table, field.
const QString kRef = QStringLiteral("(?<![\\w.])((?:([A-Za-z_]\\w*)\\s*\\.\\s*)?([A-Za-z_]\\w*))");

QRegularExpression Rx(const QString& pattern)
{
    return QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption);
}

bool Has_field(const schema::Table& table, const QString& field)
{
    for (const schema::Field& f : table.fields)
        if (f.name.compare(field, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// The tables a text names and the folded copies of the file it runs on.
class Names {
public:
    Names(const std::vector<Piece>& pieces, const Folded_columns& folded) : folded_(folded)
    {
        const auto word_char = [](const QString& text, qsizetype at) {
            return at >= 0 && at < text.size() && (text.at(at).isLetterOrNumber() || text.at(at) == u'_');
        };
        for (const schema::Table& t : schema::Tables()) {
            bool named = false;
            for (const Piece& p : pieces) {
                for (qsizetype at = p.literal ? -1 : p.text.indexOf(t.name, 0, Qt::CaseInsensitive); at >= 0 && !named;
                     at = p.text.indexOf(t.name, at + 1, Qt::CaseInsensitive))
                    named = !word_char(p.text, at - 1) && !word_char(p.text, at + t.name.size());
            }
            if (named)
                tables_ << &t;
        }
    }

    // The table of the name column `field` (after `table`, when given) as
    // this text names it; null when it is no name column or is ambiguous.
    const schema::Table* Owner(const QString& table, const QString& field) const
    {
        const schema::Table* owner = nullptr;
        if (!table.isEmpty()) {
            owner = schema::Find_table(table);
            if (owner && !Has_field(*owner, field))
                owner = nullptr;
        } else {
            for (const schema::Table* t : tables_) {
                if (!Has_field(*t, field))
                    continue;
                if (owner)
                    return nullptr;
                owner = t;
            }
        }
        return owner && schema::Is_name_column(owner->name, field) ? owner : nullptr;
    }

    // A reference to a name column, folded.
    QString Folded(const QString& whole, const QString& table, const QString& field, const schema::Table& owner) const
    {
        if (!Has_copy(owner, field))
            return Fold_sql(whole);
        return (table.isEmpty() ? QString() : table + u'.') + schema::Folded_column(field);
    }

    bool Has_copy(const schema::Table& t, const QString& field) const
    {
        return folded_.contains(t.name.toLower() + u'.' + field.toLower());
    }

    bool Has_copies(const schema::Table& t) const
    {
        for (const schema::Field& f : t.fields)
            if (Has_copy(t, f.name))
                return true;
        return false;
    }

    const QList<const schema::Table*>& tables() const { return tables_; }

private:
    const Folded_columns& folded_;
    QList<const schema::Table*> tables_;
};

// "INSERT INTO t (…) VALUES ('…', …)" of literals: each name it writes is
// written folded too.
void Fold_inserted_names(std::vector<Piece>& pieces, const Names& names)
{
    static const QRegularExpression head =
        Rx(QStringLiteral("^\\s*INSERT\\s+INTO\\s+([A-Za-z_]\\w*)\\s*\\(([^)]*)\\)\\s*VALUES\\s*\\(\\s*$"));
    static const QRegularExpression comma(QStringLiteral("^\\s*,\\s*$"));
    static const QRegularExpression close(QStringLiteral("^\\s*\\)\\s*;?\\s*$"));
    const QRegularExpressionMatch m = head.match(pieces.front().text);
    const schema::Table* table = m.hasMatch() ? schema::Find_table(m.captured(1)) : nullptr;
    if (!table || pieces.size() < 3)
        return;
    QStringList values;
    for (size_t i = 1; i < pieces.size(); i += 2) {
        const bool last = i + 2 >= pieces.size();
        if (!pieces[i].literal || !pieces[i].closed || !(last ? close : comma).match(pieces[i + 1].text).hasMatch())
            return;
        values << pieces[i].text;
    }
    const QStringList columns = m.captured(2).split(u',');
    if (columns.size() != values.size())
        return;
    QString added;
    QStringList folded;
    for (qsizetype k = 0; k < columns.size(); ++k) {
        const QString column = columns.at(k).trimmed();
        if (schema::Is_name_column(table->name, column) && names.Has_copy(*table, column)) {
            added += QStringLiteral(", ") + schema::Folded_column(column);
            folded << Fold(values.at(k));
        }
    }
    if (folded.isEmpty())
        return;
    pieces.front().text = QStringLiteral("INSERT INTO %1 (%2%3) VALUES (").arg(m.captured(1), m.captured(2), added);
    const Piece end = pieces.back();
    pieces.pop_back();
    for (const QString& value : std::as_const(folded)) {
        pieces.push_back({QStringLiteral(", "), false, true});
        pieces.push_back({value, true, true});
    }
    pieces.push_back(end);
}

// Whether code ends in an operator that compares with what follows: the
// rules below run their expressions only where they can apply.
bool Ends_in_comparison(const QString& code)
{
    qsizetype end = code.size();
    while (end > 0 && code.at(end - 1).isSpace())
        --end;
    if (end == 0)
        return false;
    const QChar last = code.at(end - 1);
    return last == u'=' || last == u'<' || last == u'>'
        || (end >= 4 && QStringView(code).sliced(end - 4, 4).compare(u"like", Qt::CaseInsensitive) == 0);
}

bool Ref_char(QChar c) { return c.isLetterOrNumber() || c == u'_' || c == u'.'; }

// Where the column before the trailing comparison of `code` starts, so the
// expression below reads a few characters rather than the whole text.
qsizetype Reference_start(const QString& code)
{
    qsizetype i = code.size();
    while (i > 0 && code.at(i - 1).isSpace())
        --i;
    const qsizetype operator_end = i;
    while (i > 0 && (code.at(i - 1) == u'=' || code.at(i - 1) == u'<' || code.at(i - 1) == u'>'))
        --i;
    if (i == operator_end)
        i = std::max<qsizetype>(0, i - 4); // like
    while (i > 0 && code.at(i - 1).isSpace())
        --i;
    while (i > 0 && Ref_char(code.at(i - 1)))
        --i;
    return i;
}

// "<column> <comparison> <literal>": a name column and its literal folded;
// like on any column becomes GLOB.
void Fold_compared_literals(std::vector<Piece>& pieces, const Names& names)
{
    static const QRegularExpression tail = Rx(kRef + QStringLiteral("\\s*(<>|<=|>=|=|<|>|\\blike\\b)\\s*$"));
    // A literal that is only part of the operand is left as written.
    static const QRegularExpression goes_on = Rx(QStringLiteral("^\\s*(\\|\\||[-+*/%&|]|collate\\b|escape\\b)"));
    for (size_t i = 1; i + 1 < pieces.size(); ++i) {
        Piece& code = pieces[i - 1];
        Piece& value = pieces[i];
        if (!value.literal || !value.closed || !Ends_in_comparison(code.text)
            || goes_on.match(pieces[i + 1].text).hasMatch())
            continue;
        const QRegularExpressionMatch m = tail.match(code.text, Reference_start(code.text));
        if (!m.hasMatch())
            continue;
        const bool like = m.captured(4).compare(QLatin1String("like"), Qt::CaseInsensitive) == 0;
        const schema::Table* owner = names.Owner(m.captured(2), m.captured(3));
        QString left = m.captured(1);
        bool plain = false;
        if (owner) {
            left = names.Folded(left, m.captured(2), m.captured(3), *owner);
            value.text = like ? Glob_pattern(Fold(value.text)) : Fold(value.text);
        } else if (!like) {
            continue;
        } else if (const QString glob = Glob_pattern(value.text, &plain); plain && Fold(value.text) == value.text) {
            value.text = glob;
        } else {
            left = Fold_sql(left);
            value.text = Glob_pattern(Fold(value.text));
        }
        code.text = code.text.left(m.capturedStart(1)) + left + u' '
                  + (like ? QStringLiteral("GLOB") : m.captured(4)) + u' ';
    }
}

// "<name column> = <name column>" (a join on names): both folded.
void Fold_joined_names(QString& code, const Names& names)
{
    static const QRegularExpression ref(QStringLiteral("^(?:([A-Za-z_]\\w*)\\.)?([A-Za-z_]\\w*)$"));
    for (qsizetype eq = code.indexOf(u'='); eq > 0; eq = code.indexOf(u'=', eq + 1)) {
        qsizetype left_end = eq;
        while (left_end > 0 && code.at(left_end - 1).isSpace())
            --left_end;
        qsizetype left = left_end;
        while (left > 0 && Ref_char(code.at(left - 1)))
            --left;
        qsizetype right = eq + 1;
        while (right < code.size() && code.at(right).isSpace())
            ++right;
        qsizetype right_end = right;
        while (right_end < code.size() && Ref_char(code.at(right_end)))
            ++right_end;
        const QRegularExpressionMatch a = ref.match(code.mid(left, left_end - left));
        const QRegularExpressionMatch b = ref.match(code.mid(right, right_end - right));
        if (!a.hasMatch() || !b.hasMatch() || (right_end < code.size() && code.at(right_end) == u'('))
            continue;
        const schema::Table* left_owner = names.Owner(a.captured(1), a.captured(2));
        const schema::Table* right_owner = names.Owner(b.captured(1), b.captured(2));
        if (!left_owner || !right_owner)
            continue;
        const QString folded = names.Folded(a.captured(), a.captured(1), a.captured(2), *left_owner) + QStringLiteral(" = ")
                             + names.Folded(b.captured(), b.captured(1), b.captured(2), *right_owner);
        code.replace(left, right_end - left, folded);
        eq = left + folded.size() - 1;
    }
}

// ORDER BY a name column: by its folded form.
void Fold_order(QString& code, const Names& names)
{
    static const QRegularExpression order_by = Rx(QStringLiteral("\\bORDER\\s+BY\\b"));
    static const QRegularExpression term =
        Rx(QStringLiteral("^(\\s*\\+?\\s*)") + kRef + QStringLiteral("(\\s+(?:ASC|DESC))?\\s*$"));
    const QRegularExpressionMatch m = order_by.match(code);
    if (!m.hasMatch())
        return;
    QStringList terms = code.mid(m.capturedEnd()).split(u',');
    for (QString& t : terms) {
        const QRegularExpressionMatch tm = term.match(t);
        const schema::Table* owner = tm.hasMatch() ? names.Owner(tm.captured(3), tm.captured(4)) : nullptr;
        if (owner)
            t = tm.captured(1) + names.Folded(tm.captured(2), tm.captured(3), tm.captured(4), *owner) + tm.captured(5);
    }
    code = code.left(m.capturedEnd()) + terms.join(u',');
}

QString Field_list(const schema::Table& table, const QString& prefix)
{
    QStringList fields;
    for (const schema::Field& f : table.fields)
        fields << (prefix.isEmpty() ? f.name : prefix + u'.' + f.name);
    return fields.join(QStringLiteral(", "));
}

// "SELECT *" of one table and "<table>.*": the table's own fields, without
// the folded copies.
void List_fields(QString& code, const Names& names)
{
    static const QRegularExpression table_star = Rx(QStringLiteral("(?<![\\w.])([A-Za-z_]\\w*)\\s*\\.\\s*\\*"));
    static const QRegularExpression select_star = Rx(QStringLiteral("\\bSELECT(\\s+DISTINCT)?\\s+\\*"));
    QString out;
    qsizetype at = 0;
    for (auto it = table_star.globalMatch(code); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const schema::Table* table = schema::Find_table(m.captured(1));
        if (!table || !names.Has_copies(*table))
            continue;
        out += code.mid(at, m.capturedStart() - at) + Field_list(*table, m.captured(1));
        at = m.capturedEnd();
    }
    code = out + code.mid(at);
    if (names.tables().size() == 1 && names.Has_copies(*names.tables().front())) {
        const QRegularExpressionMatch m = select_star.match(code);
        if (m.hasMatch())
            code.replace(m.capturedStart(), m.capturedLength(),
                         QStringLiteral("SELECT") + m.captured(1) + u' ' + Field_list(*names.tables().front(), {}));
    }
}

// One set "[…]" of a like pattern starting at p[i], written to `out` as a
// GLOB set; false when it is not closed (the bracket is then a character).
bool Glob_set(const std::u32string& p, size_t& i, std::u32string& out, bool& odd)
{
    size_t j = i + 1;
    const bool negate = j < p.size() && p[j] == '!';
    if (negate)
        ++j;
    const size_t start = j;
    // A "]" first is a member; a "-" last is one; a "^" first would negate.
    std::u32string first, middle, last;
    while (j < p.size() && (p[j] != ']' || j == start)) {
        if (j + 2 < p.size() && p[j + 1] == '-' && p[j + 2] != ']') {
            (p[j] == ']' ? first : middle) += p.substr(j, 3);
            odd = true;
            j += 3;
        } else {
            (p[j] == ']' ? first : p[j] == '-' ? last : middle) += p[j];
            odd = odd || QChar::isLetter(p[j]);
            ++j;
        }
    }
    if (j >= p.size())
        return false;
    i = j;
    if (!negate && first.empty() && !middle.empty() && middle.front() == '^')
        middle = middle.substr(1) + U'^';
    std::u32string body = first + middle + last;
    if (!negate && body.front() == '^')
        body = last + first + middle;
    out += negate ? U"[^" : U"[";
    out += body;
    out += U']';
    return true;
}

} // namespace

QString Glob_pattern(const QString& like_pattern, bool* plain)
{
    const std::u32string p = like_pattern.toStdU32String();
    std::u32string out;
    bool odd = false;
    for (size_t i = 0; i < p.size(); ++i) {
        const char32_t c = p[i];
        if (c == '*') {
            out += c;
        } else if (c == '?') {
            out += c;
            odd = true;
        } else if (c == '#') {
            out += U"[0-9]";
        } else if (c == '[' && i + 2 < p.size() && p[i + 1] != '!' && p[i + 2] == ']') {
            // One character taken as itself, as typed text is written.
            const char32_t one = p[i + 1];
            out += (one == '*' || one == '?' || one == '[') ? std::u32string{U'[', one, U']'} : std::u32string{one};
            odd = odd || QChar::isLetter(one);
            i += 2;
        } else if (c == '[' && Glob_set(p, i, out, odd)) {
            continue;
        } else {
            out += c == '[' ? std::u32string(U"[[]") : std::u32string{c};
            odd = odd || QChar::isLetter(c);
        }
    }
    if (plain)
        *plain = !odd;
    return QString::fromStdU32String(out);
}

void Match_names(std::vector<Piece>& pieces, const Folded_columns& folded)
{
    const Names names(pieces, folded);
    Fold_inserted_names(pieces, names);
    Fold_compared_literals(pieces, names);
    static const QRegularExpression like_number = Rx(QStringLiteral("\\blike(?=\\s+(?:\\d+|null)\\b)"));
    for (Piece& p : pieces) {
        if (p.literal)
            continue;
        // Every name column's name holds "name".
        const bool names_named = p.text.contains(QLatin1String("name"), Qt::CaseInsensitive);
        if (p.text.contains(QLatin1String("like"), Qt::CaseInsensitive))
            p.text.replace(like_number, QStringLiteral("GLOB"));
        if (names_named && p.text.contains(u'='))
            Fold_joined_names(p.text, names);
        if (names_named && p.text.contains(QLatin1String("order"), Qt::CaseInsensitive))
            Fold_order(p.text, names);
        if (p.text.contains(u'*'))
            List_fields(p.text, names);
    }
}

} // namespace vexo::jet
