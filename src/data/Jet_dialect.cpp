// Translation of the program's query dialect to SQLite, and the one rule by
// which names compare (case and accent blind), with the functions that bring
// it to SQLite.
#include "data/Jet_dialect.h"

#include "data/Jet_names.h"

#include <QChar>
#include <QRegularExpression>

#include <array>
#include <sqlite3.h>
#include <string>

namespace vexo::jet {
namespace {

// Folding table for the Latin blocks, where all accented Spanish letters live;
// built once from Unicode decompositions so "Á", "á", "A" all read as "a".
constexpr char32_t kTableSize = 0x0250;

const std::array<char32_t, kTableSize>& Fold_table()
{
    static const std::array<char32_t, kTableSize> table = [] {
        std::array<char32_t, kTableSize> t{};
        for (char32_t c = 0; c < kTableSize; ++c) {
            char32_t base = c;
            const QChar ch(static_cast<char16_t>(c));
            if (ch.decompositionTag() == QChar::Canonical) {
                const QString d = ch.decomposition();
                if (!d.isEmpty())
                    base = d.at(0).unicode();
            }
            t[c] = QChar::toCaseFolded(base);
        }
        return t;
    }();
    return table;
}

char32_t Fold_char(char32_t c)
{
    if (c < 0x80)
        return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c;
    if (c < kTableSize)
        return Fold_table()[c];
    return QChar::toCaseFolded(c);
}

// The bytes 0x80–0x9F of Windows-1252; the rest of it is Latin-1.
constexpr char16_t kWindows_1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t Windows_1252(unsigned char b)
{
    return (b >= 0x80 && b < 0xA0) ? kWindows_1252[b - 0x80] : b;
}

// Strict UTF-8: false on any ill-formed sequence (overlong, surrogate, cut
// short).
bool Valid_utf8(const unsigned char* s, qsizetype n)
{
    for (qsizetype i = 0; i < n;) {
        const unsigned char b = s[i];
        if (b < 0x80) {
            ++i;
            continue;
        }
        int len = 0;
        char32_t c = 0, least = 0;
        if (b >= 0xC2 && b <= 0xDF) {
            len = 2, c = b & 0x1F, least = 0x80;
        } else if (b >= 0xE0 && b <= 0xEF) {
            len = 3, c = b & 0x0F, least = 0x800;
        } else if (b >= 0xF0 && b <= 0xF4) {
            len = 4, c = b & 0x07, least = 0x10000;
        } else {
            return false;
        }
        if (i + len > n)
            return false;
        for (int k = 1; k < len; ++k) {
            const unsigned char cb = s[i + k];
            if ((cb & 0xC0) != 0x80)
                return false;
            c = (c << 6) | (cb & 0x3F);
        }
        if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            return false;
        i += len;
    }
    return true;
}

bool Is_digit(char32_t c) { return c >= '0' && c <= '9'; }

// Matches one bracket set starting at p[i] == '['; returns false when the
// set is not closed (then the bracket is an ordinary character).
bool Match_set(const std::u32string& p, size_t& i, char32_t c, bool& matched)
{
    size_t j = i + 1;
    bool negate = false;
    if (j < p.size() && p[j] == '!') {
        negate = true;
        ++j;
    }
    const size_t start = j;
    bool hit = false;
    // A ']' right after the opening (or after '!') is a member, not the end.
    while (j < p.size() && (p[j] != ']' || j == start)) {
        if (j + 2 < p.size() && p[j + 1] == '-' && p[j + 2] != ']') {
            if (c >= p[j] && c <= p[j + 2])
                hit = true;
            j += 3;
        } else {
            if (c == p[j])
                hit = true;
            ++j;
        }
    }
    if (j >= p.size())
        return false;
    matched = negate ? !hit : hit;
    i = j + 1;
    return true;
}

// Matches one pattern element at p[i] against c; advances i past it.
bool Match_one(const std::u32string& p, size_t& i, char32_t c)
{
    const char32_t e = p[i];
    if (e == '?') {
        ++i;
        return true;
    }
    if (e == '#') {
        ++i;
        return Is_digit(c);
    }
    if (e == '[') {
        bool matched = false;
        size_t j = i;
        if (Match_set(p, j, c, matched)) {
            i = j;
            return matched;
        }
    }
    ++i;
    return e == c;
}

// Classic wildcard matching with one backtrack point per star: linear in
// practice, never exponential on hostile patterns.
bool Like_folded(const std::u32string& v, const std::u32string& p)
{
    size_t vi = 0, pi = 0;
    size_t star_p = std::u32string::npos, star_v = 0;
    while (vi < v.size()) {
        if (pi < p.size() && p[pi] == '*') {
            star_p = ++pi;
            star_v = vi;
            continue;
        }
        if (pi < p.size()) {
            size_t next = pi;
            if (Match_one(p, next, v[vi])) {
                pi = next;
                ++vi;
                continue;
            }
        }
        if (star_p == std::u32string::npos)
            return false;
        pi = star_p;
        vi = ++star_v;
    }
    while (pi < p.size() && p[pi] == '*')
        ++pi;
    return pi == p.size();
}

QString Value_text(sqlite3_value* value)
{
    return Text(reinterpret_cast<const char*>(sqlite3_value_text(value)), sqlite3_value_bytes(value));
}

void Sql_like(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    // like(pattern, value): SQLite passes the right operand first.
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    sqlite3_result_int(ctx, Like(Value_text(argv[1]), Value_text(argv[0])) ? 1 : 0);
}

void Sql_fold(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    const QByteArray folded = Fold(Value_text(argv[0])).toUtf8();
    sqlite3_result_text(ctx, folded.constData(), static_cast<int>(folded.size()), SQLITE_TRANSIENT);
}

// The collation of files from earlier builders, which declared it on their
// name columns: such a file still opens, and its indexes still check.
int Collate_es(void*, int n1, const void* s1, int n2, const void* s2)
{
    const std::u32string a = Fold(Text(static_cast<const char*>(s1), n1)).toStdU32String();
    const std::u32string b = Fold(Text(static_cast<const char*>(s2), n2)).toStdU32String();
    return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
}

} // namespace

QString Text(const char* bytes, qsizetype n)
{
    const auto* s = reinterpret_cast<const unsigned char*>(bytes);
    if (Valid_utf8(s, n))
        return QString::fromUtf8(bytes, n);
    QString text(n, Qt::Uninitialized);
    for (qsizetype i = 0; i < n; ++i)
        text[i] = QChar(static_cast<char16_t>(Windows_1252(s[i])));
    return text;
}

QString Fold(const QString& text)
{
    QString folded;
    folded.reserve(text.size());
    bool ascii = true;
    for (const QChar c : text)
        ascii = ascii && c.unicode() < 0x80;
    if (ascii) {
        // Most names: nothing to compose, only case to fold.
        for (const QChar c : text)
            folded += QChar(static_cast<char16_t>(Fold_char(c.unicode())));
        return folded;
    }
    std::u32string out = text.normalized(QString::NormalizationForm_C).toStdU32String();
    for (char32_t& c : out)
        c = Fold_char(c);
    return QString::fromStdU32String(out);
}

bool Like(const QString& value, const QString& pattern)
{
    return Like_folded(Fold(value).toStdU32String(), Fold(pattern).toStdU32String());
}

namespace {

// Every list of the program keeps only rows that reach a guide title
// ("WHERE Sentences.Code = 2", first in the where clause), and the title is
// at the far end of each chain of left joins. A row that a left join keeps
// unmatched therefore never survives the where clause, so inner joins give
// the same rows; they also let SQLite start from the 62 titles instead of
// walking every slot of every entry's guide.
bool Needs_title(const QString& code)
{
    static const QRegularExpression title(QStringLiteral("\\bWHERE\\s*\\(?\\s*Sentences\\.Code\\s*=\\s*2\\b"),
                                          QRegularExpression::CaseInsensitiveOption);
    return title.match(code).hasMatch();
}

// A closed literal as SQLite reads it. SQLite stops reading a statement at a
// NUL, so a control character that a value from the database may hold goes
// in as char(n) and the value reaches its query intact. A lone surrogate has
// no UTF-8 form and would be written as "?", a wildcard: it becomes U+FFFD,
// which no name holds.
QString Sqlite_literal(const QString& value)
{
    QStringList parts;
    QString run;
    const auto close_run = [&] {
        if (!run.isEmpty())
            parts << u'\'' + run.replace(u'\'', QStringLiteral("''")) + u'\'';
        run.clear();
    };
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c.isHighSurrogate() && i + 1 < value.size() && value.at(i + 1).isLowSurrogate()) {
            run += c;
            run += value.at(++i);
        } else if (c.isSurrogate()) {
            run += QChar(QChar::ReplacementCharacter);
        } else if (c.unicode() < 0x20 || c.unicode() == 0x7F) {
            close_run();
            parts << QStringLiteral("char(%1)").arg(c.unicode());
        } else {
            run += c;
        }
    }
    if (parts.isEmpty())
        return u'\'' + run.replace(u'\'', QStringLiteral("''")) + u'\'';
    close_run();
    return u'(' + parts.join(QStringLiteral("||")) + u')';
}

// The exceptions to sorting the matches beside a title: one index column
// equal to a value (the chemical agents, which a partial index lists in
// order) or a name containing a text (a find whose first page lies a few
// hundred entries into the index, and whose count the lookup index gives).
// Read in the order of their index, a window holds only what it shows; when
// few entries match, SQLite still chooses to sort, from its statistics.
bool Read_in_order(const std::vector<Piece>& pieces)
{
    static const QRegularExpression before(
        QStringLiteral("\\bWHERE\\s*\\(?\\s*Sentences\\.Code\\s*=\\s*2\\s+AND\\s*\\(?\\s*(?:vexo_fold\\()?Yellow\\.\\w+\\)?\\s+(=|like|glob)\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    // The term may be followed by where the entries that match start.
    static const QRegularExpression after(
        QStringLiteral("^[\\s)]*(AND\\s+Yellow\\.\\w+\\s*>=\\s*[-+.0-9eE]+\\s+)?"
                       "ORDER\\s+BY\\s+Yellow\\.\\w+(\\s*,\\s*Yellow\\.\\w+)*\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    qsizetype literal = -1;
    for (qsizetype i = 0; i < static_cast<qsizetype>(pieces.size()); ++i)
        if (pieces[static_cast<size_t>(i)].literal) {
            if (literal >= 0)
                return false;
            literal = i;
        }
    if (literal < 1 || literal + 1 >= static_cast<qsizetype>(pieces.size()))
        return false;
    const Piece& value = pieces[static_cast<size_t>(literal)];
    const QRegularExpressionMatch term = before.match(pieces[static_cast<size_t>(literal - 1)].text);
    if (!value.closed || !term.hasMatch() || !after.match(pieces[static_cast<size_t>(literal + 1)].text).hasMatch())
        return false;
    return term.captured(1) == QLatin1String("=") || value.text.startsWith(u'*');
}

QString Translate(const QString& jet_sql, const Folded_columns* folded)
{
    // Split the text into code and literals; a literal's quote doubled inside
    // it stands for itself.
    std::vector<Piece> pieces;
    const qsizetype n = jet_sql.size();
    QString code;
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = jet_sql.at(i);
        if (c != u'\'' && c != u'"') {
            code += c;
            continue;
        }
        pieces.push_back({code, false, true});
        code.clear();
        QString value;
        qsizetype j = i + 1;
        for (; j < n; ++j) {
            if (jet_sql.at(j) == c) {
                if (j + 1 < n && jet_sql.at(j + 1) == c) {
                    value += c;
                    ++j;
                    continue;
                }
                break;
            }
            value += jet_sql.at(j);
        }
        pieces.push_back({value, true, j < n});
        i = j;
    }
    pieces.push_back({code, false, true});
    if (folded)
        Match_names(pieces, *folded);

    // Decided on the code alone, so a typed value can never trigger it.
    QString all_code;
    for (const Piece& p : pieces)
        all_code += p.literal ? QStringLiteral(" ") : p.text;
    const bool inner_joins = Needs_title(all_code);
    // A condition beside the title's (a find) keeps a subset: sorting the
    // matches is far cheaper than reading the entries in index order and
    // joining each to its guide's slots, so "+" keeps the order's meaning but
    // not its index. A whole index or list, and the exceptions of
    // Read_in_order, are read in the order of their index, a window at a time.
    static const QRegularExpression condition(QStringLiteral("\\bWHERE\\b.*\\b(AND|OR)\\b"),
                                              QRegularExpression::CaseInsensitiveOption
                                                  | QRegularExpression::DotMatchesEverythingOption);
    const bool sort_matches = inner_joins && condition.match(all_code).hasMatch() && !Read_in_order(pieces);

    static const QRegularExpression delete_star(QStringLiteral("\\bDELETE\\s+\\*\\s+FROM\\b"),
                                                QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression left_join(QStringLiteral("\\bLEFT\\s+JOIN\\b"),
                                              QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression order_by(QStringLiteral("\\bORDER\\s+BY\\s+([A-Za-z_])"),
                                             QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression order_term(QStringLiteral(",\\s*(Yellow\\.[A-Za-z_]+_Key)\\b"));
    QString out;
    out.reserve(n + 16);
    for (Piece& p : pieces) {
        if (p.literal) {
            // An unclosed literal runs to the end, which SQLite then refuses
            // as a syntax error rather than reading it some other way.
            out += p.closed ? Sqlite_literal(p.text) : u'\'' + p.text.replace(u'\'', QStringLiteral("''"));
            continue;
        }
        p.text.replace(delete_star, QStringLiteral("DELETE FROM"));
        if (inner_joins)
            p.text.replace(left_join, QStringLiteral("JOIN"));
        if (sort_matches) {
            // Only the last ORDER BY clause, the whole query's: the field list
            // may name the same keys, and a subquery's order keeps its index.
            const qsizetype order = p.text.lastIndexOf(order_by);
            if (order >= 0) {
                QString terms = p.text.mid(order);
                terms.replace(order_by, QStringLiteral("ORDER BY +\\1"));
                terms.replace(order_term, QStringLiteral(", +\\1"));
                p.text = p.text.left(order) + terms;
            }
        }
        out += p.text;
    }
    return out;
}

} // namespace

QString To_sqlite(const QString& jet_sql)
{
    return Translate(jet_sql, nullptr);
}

QString To_sqlite(const QString& jet_sql, const Folded_columns& folded)
{
    return Translate(jet_sql, &folded);
}

QString Fold_sql(const QString& expression)
{
    return QStringLiteral("vexo_fold(") + expression + u')';
}

bool Register_functions(sqlite3* db)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    return sqlite3_create_function(db, "vexo_fold", 1, flags, nullptr, Sql_fold, nullptr, nullptr) == SQLITE_OK
        && sqlite3_create_function(db, "like", 2, flags, nullptr, Sql_like, nullptr, nullptr) == SQLITE_OK
        && sqlite3_create_collation(db, "ES", SQLITE_UTF8, nullptr, Collate_es) == SQLITE_OK;
}

} // namespace vexo::jet
