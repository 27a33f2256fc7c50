// Table layout of the guidebook database.
#include "data/Schema.h"

namespace vexo::schema {

namespace {

Field T(const char* name) { return {QString::fromLatin1(name), Type::Text}; }
Field N(const char* name) { return {QString::fromLatin1(name), Type::Integer}; }

} // namespace

bool Is_name_column(const QString& table, const QString& field)
{
    return field.compare(QLatin1String("Name_of_material"), Qt::CaseInsensitive) == 0
        || (table.compare(QLatin1String("Summary"), Qt::CaseInsensitive) == 0
            && field.compare(QLatin1String("Name"), Qt::CaseInsensitive) == 0)
        || (table.compare(QLatin1String("Water"), Qt::CaseInsensitive) == 0
            && field.endsWith(QLatin1String("_name_search"), Qt::CaseInsensitive));
}

QString Folded_column(const QString& field)
{
    return field + QStringLiteral("_folded");
}

const std::vector<Table>& Tables()
{
    static const std::vector<Table> tables = {
        {QStringLiteral("Yellow"),
         {T("ID"), T("Name_of_material"), N("Guide_Number"), N("Yellow_Key"), N("Blue_Key"), N("PIH"),
          T("Water_reactive"), T("Chemical_Warfare"), T("Polymerization"), T("Supp_text")},
         false},
        {QStringLiteral("Green"),
         {N("ID"), T("Name_of_material"), T("SP_Isolate_meters"), T("SP_Isolate_feets"), T("SP_Protect_Day_km"),
          T("SP_Protect_Day_miles"), T("SP_Protect_Night_km"), T("SP_Protect_Night_miles"), T("LP_Isolate_meters"),
          T("LP_Isolate_feets"), T("LP_Protect_Day_km"), T("LP_Protect_Day_miles"), T("LP_Protect_Night_km"),
          T("LP_Protect_Night_miles")},
         false},
        {QStringLiteral("Water"),
         {T("ID"), T("First_product"), T("First_ID"), T("First_name_search"), T("Second_product"), T("Second_ID"),
          T("Second_name_search"), T("Third_product"), T("Third_ID"), T("Third_name_search")},
         false},
        {QStringLiteral("Sentences"), {N("Key"), T("Sentences"), N("Code")}, false},
        {QStringLiteral("Guides_pages"), {N("Key"), N("Guide_page"), N("Sentences_key")}, false},
        {QStringLiteral("Summary"), {N("Key"), T("ID"), T("Name"), N("High_green"), N("Bold")}, true},
        {QStringLiteral("Large_spills"),
         {N("Key"), N("Block"), T("ID"), T("Name_of_material"), T("Container"), T("Isolate_meters"),
          T("Isolate_feets"), T("Day_low_km"), T("Day_low_miles"), T("Day_moderate_km"), T("Day_moderate_miles"),
          T("Day_high_km"), T("Day_high_miles"), T("Night_low_km"), T("Night_low_miles"), T("Night_moderate_km"),
          T("Night_moderate_miles"), T("Night_high_km"), T("Night_high_miles")},
         false, true},
    };
    return tables;
}

const Table* Find_table(const QString& name)
{
    for (const Table& t : Tables())
        if (t.name.compare(name, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

QString Create_tables_sql()
{
    QString sql;
    for (const Table& t : Tables())
        if (!t.optional)
            sql += Create_table_sql(t);
    return sql;
}

QString Create_table_sql(const Table& t)
{
    QStringList columns;
    for (const Field& f : t.fields) {
        QString column = f.name + (f.type == Type::Integer ? QStringLiteral(" INTEGER") : QStringLiteral(" TEXT"));
        if (f.name == QLatin1String("Key") && t.name == QLatin1String("Sentences"))
            column += QStringLiteral(" PRIMARY KEY");
        if (f.name == QLatin1String("Key") && t.name == QLatin1String("Summary"))
            column += QStringLiteral(" PRIMARY KEY AUTOINCREMENT");
        columns << column;
    }
    return QStringLiteral("CREATE TABLE %1 (%2);\n").arg(t.name, columns.join(QStringLiteral(", ")));
}

QString Create_indexes_sql()
{
    return QStringLiteral(
        "CREATE INDEX Yellow_by_number ON Yellow (Yellow_Key, Blue_Key);\n"
        "CREATE INDEX Yellow_by_name ON Yellow (Blue_Key, Yellow_Key);\n"
        "CREATE INDEX Yellow_guide ON Yellow (Guide_Number);\n"
        // The guide rides along: the water list counts its entries' titled
        // guides from the index alone.
        "CREATE INDEX Yellow_id_name ON Yellow (ID, Name_of_material, Guide_Number);\n"
        "CREATE INDEX Green_id_name ON Green (ID, Name_of_material);\n"
        "CREATE INDEX Water_id ON Water (ID);\n"
        "CREATE INDEX Sentences_code ON Sentences (Code, Key);\n"
        "CREATE INDEX Guides_pages_page ON Guides_pages (Guide_page, Key);\n"
        "CREATE INDEX Guides_pages_sentence ON Guides_pages (Sentences_key);\n"
        "CREATE INDEX Summary_id_name ON Summary (ID, Name);\n"
        // Paged windows read the index in order and join each entry to its
        // guide's title: the guide's slots with their sentence, from the
        // index alone.
        "CREATE INDEX Guides_pages_titles ON Guides_pages (Guide_page, Sentences_key);\n"
        // The chemical-agent index: a few dozen entries of thousands, found
        // without reading the others, and counted with their guides from it.
        "CREATE INDEX Yellow_agents ON Yellow (Yellow_Key, Blue_Key, Guide_Number) WHERE Chemical_Warfare = 'Z';\n"
        "ANALYZE;\n"
        // Summary is empty when the statistics are taken but holds a few rows
        // later: describe it as it will be, so its join uses the index.
        "DELETE FROM sqlite_stat1 WHERE tbl = 'Summary';\n"
        "INSERT INTO sqlite_stat1 VALUES ('Summary', 'Summary_id_name', '20 1 1');\n");
}

namespace {

// Between the characters of a name's pieces, and before an ID: never typed
// (typed text loses its control characters), never in a piece.
constexpr char32_t kPiece = 0x01;
constexpr char32_t kId = 0x02;

bool Is_control(char32_t c) { return c < 0x20 || c == 0x7F; }

// A full-text phrase: the text between double quotes, its own doubled.
QString Phrase(const std::u32string& text)
{
    return u'"' + QString::fromStdU32String(text).replace(u'"', QStringLiteral("\"\"")) + u'"';
}

} // namespace

QString Create_lookup_index_sql()
{
    return QStringLiteral("CREATE VIRTUAL TABLE %1 USING fts5(Terms, tokenize = 'trigram case_sensitive 1', "
                          "content = '', columnsize = 0);\n"
                          "CREATE TABLE %2 (Rank INTEGER PRIMARY KEY, Blue_Key INTEGER, Yellow_Key INTEGER);\n")
        .arg(kLookup_terms, kLookup_entries);
}

QString Lookup_name_document(const QString& folded_name)
{
    // The name, a control character standing as two markers, so that no
    // token holds a single marker between two letters; then every run of
    // the name without control characters as "\1a\1b\1c\1", whose tokens are
    // "\1a\1" for each letter and "a\1b" for each pair.
    const std::u32string name = folded_name.toStdU32String();
    std::u32string text;
    text.reserve(name.size() * 4 + 4);
    for (const char32_t c : name) {
        if (Is_control(c))
            text += {kPiece, kPiece};
        else
            text += c;
    }
    text += {kPiece, kPiece};
    for (const char32_t c : name) {
        if (Is_control(c)) {
            text += kPiece;
            continue;
        }
        text += c;
        text += kPiece;
    }
    return QString::fromStdU32String(text);
}

QString Lookup_id_document(const QString& id)
{
    std::u32string text = {kId, kId};
    for (const char32_t c : id.toStdU32String())
        text += Is_control(c) ? kPiece : c;
    return QString::fromStdU32String(text);
}

QString Lookup_word_query(const QString& folded_word)
{
    const std::u32string word = folded_word.toStdU32String();
    if (word.size() == 1)
        return Phrase({kPiece, word[0], kPiece});
    if (word.size() == 2)
        return Phrase({word[0], kPiece, word[1]});
    return Phrase(word);
}

QString Lookup_id_query(const QString& digits)
{
    return Phrase(std::u32string{kId, kId} + digits.toStdU32String());
}

} // namespace vexo::schema
