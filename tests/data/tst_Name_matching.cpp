// The database file is plain SQLite: every catalogue query, as the program
// runs it, runs in the stock sqlite3 command with the same rows; and names
// match without regard to case and accents whether or not the file carries
// the builder's folded copies of its names.
#include "data/Database.h"
#include "data/Database_builder.h"
#include "data/Queries.h"
#include "data/RecordSet.h"
#include "data/RecordSet_query.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace vexo;

namespace {

// SQLite's own separators would clash with the guide texts.
const QString kField = QStringLiteral("\x1f");
const QString kRow = QStringLiteral("\x1e");

QStringList Program_rows(Database& db, const QString& jet_sql)
{
    auto records = db.OpenRecordset(jet_sql);
    QStringList rows;
    for (; !records->Eof(); records->MoveNext()) {
        QStringList fields;
        for (const QString& name : records->Field_names())
            fields << records->Field(name);
        rows << fields.join(kField);
    }
    return rows;
}

// Runs SQLite text in the sqlite3 command; an error is its one row.
QStringList Sqlite3_rows(const QString& path, const QString& sql)
{
    QProcess sqlite3;
    sqlite3.start(QStringLiteral("sqlite3"), {"-batch", "-bail", "-separator", kField, "-newline", kRow, path, sql});
    const bool finished = sqlite3.waitForFinished(60000);
    const QByteArray error = sqlite3.readAllStandardError();
    if (!finished || sqlite3.exitCode() != 0 || !error.isEmpty())
        return {QStringLiteral("sqlite3 failed: ") + QString::fromUtf8(error)};
    return QString::fromUtf8(sqlite3.readAllStandardOutput()).split(kRow, Qt::SkipEmptyParts);
}

QStringList Ids(Database& db, const QString& jet_sql, const QString& field = QStringLiteral("ID"))
{
    QStringList ids;
    for (auto records = db.OpenRecordset(jet_sql); !records->Eof(); records->MoveNext())
        ids << records->Field(field);
    return ids;
}

void Write(const QString& path, const QString& text)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text.toUtf8());
}

} // namespace

class tst_Name_matching : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void catalogue_runs_in_sqlite3_data();
    void catalogue_runs_in_sqlite3();
    void names_match_with_or_without_folded_copies_data();
    void names_match_with_or_without_folded_copies();
    void lookup_index_finds_what_the_scan_finds_data();
    void lookup_index_finds_what_the_scan_finds();
    void finds_through_the_lookup_index_data();
    void finds_through_the_lookup_index();

private:
    QTemporaryDir dir_;
    QString guidebook_; // a copy of the default database
    QString folded_, unfolded_;
};

void tst_Name_matching::initTestCase()
{
    guidebook_ = dir_.filePath("guide2ks.mdb");
    QVERIFY(QFile::copy(QStringLiteral(VEXO_BIN_DIR "/guide2ks.mdb"), guidebook_));

    // Names as a Spanish book writes them, one stored decomposed (NFD).
    const QString csv = dir_.filePath("csv");
    QVERIFY(QDir().mkpath(csv));
    Write(csv + "/Yellow.csv",
          "ID,Name_of_material,Guide_Number,Yellow_Key,Blue_Key,PIH,Water_reactive,Chemical_Warfare,Polymerization,"
          "Supp_text\n1005,\"Amoniaco, anhidro\",125,1,3,1,,,,\n1017,Chlorine,124,2,4,1,,,,\n"
          "1789,ÁCIDO CLORHÍDRICO,157,3,1,1,W,,,\n2031,A\u0301cido nítrico,157,4,2,,,,,\n"
          "2000,Piñón tostado,125,5,5,,,,,\n"
          // For the search box: IDs with a common start, odd characters,
          // words of one and two letters, a tab inside a name.
          "1010,\"O'Brien's \"\"mix\"\" 50% [x]_y*\",124,6,10,,,,,\n1011,Butano,125,7,9,,,,,\n"
          "1012,Butileno,125,8,8,,,,,\n1018,\"Gas\tlicuado, de petróleo\",125,9,7,,,,,\n"
          "1019,\"Sosa, solución\",125,10,6,,,,,\n");
    Write(csv + "/Green.csv",
          "ID,Name_of_material,SP_Isolate_meters,SP_Isolate_feets,SP_Protect_Day_km,SP_Protect_Day_miles,"
          "SP_Protect_Night_km,SP_Protect_Night_miles,LP_Isolate_meters,LP_Isolate_feets,LP_Protect_Day_km,"
          "LP_Protect_Day_miles,LP_Protect_Night_km,LP_Protect_Night_miles\n"
          "1789,ácido clorhídrico (cuando es derramado en el agua),30,100,0.1,0.1,0.3,0.2,,,,,,\n"
          "1005,\"AMONIACO, ANHIDRO \",30,100,0.1,0.1,0.2,0.1,,,,,,\n1017,CHLORINE ,60,200,0.3,0.2,1.5,0.9,,,,,,\n"
          "1789,Ácido clorhídrico (cuando es derramado sobre la tierra),30,100,0.1,0.1,0.3,0.2,,,,,,\n");
    Write(csv + "/Water.csv", "ID,First_product,First_ID,First_name_search,Second_product,Second_ID,"
                              "Second_name_search,Third_product,Third_ID,Third_name_search\n"
                              "1789,Cloro (Cl2),1017,CHLORINE,,,,,,\n");
    Write(csv + "/Sentences.csv", "Key,Sentences,Code\n1,GASES TÓXICOS,2\n2,CORROSIVOS,2\n3,GASES,2\n");
    Write(csv + "/Guides_pages.csv", "Key,Guide_page,Sentences_key\n1,124,1\n2,125,3\n3,157,2\n");
    folded_ = dir_.filePath("folded.mdb");
    QCOMPARE(Build_database(csv, folded_), QString());

    // The same rows as another tool would leave them: no folded copies.
    unfolded_ = dir_.filePath("unfolded.mdb");
    QVERIFY(QFile::copy(folded_, unfolded_));
    auto db = Database::Open(unfolded_);
    QString drop;
    for (auto index = db->OpenRecordset("SELECT name FROM sqlite_master WHERE type = 'index' AND sql GLOB '*_folded*'");
         !index->Eof(); index->MoveNext())
        drop += "DROP INDEX " + index->Field("name") + ";";
    for (auto column = db->OpenRecordset("SELECT m.name AS t, c.name AS c FROM sqlite_master AS m, "
                                         "pragma_table_info(m.name) AS c WHERE c.name GLOB '*_folded'");
         !column->Eof(); column->MoveNext())
        drop += "ALTER TABLE " + column->Field("t") + " DROP COLUMN " + column->Field("c") + ";";
    QVERIFY(drop.contains("Name_of_material_folded"));
    drop += "DROP TABLE Lookup_terms; DROP TABLE Lookup_entries;";
    db->Execute_native(drop);
}

void tst_Name_matching::catalogue_runs_in_sqlite3_data()
{
    QTest::addColumn<QString>("jet_sql");
    QTest::addColumn<bool>("writes");
    const auto find = [](const QString& term, bool by_number) {
        return sql::Find_result_SQL(" AND (" + term + ")", by_number);
    };
    for (const char* table : {"Yellow", "Green", "Water", "Sentences", "Guides_pages", "Summary", "Large_spills"})
        QTest::newRow(table) << sql::Table_SQL(table) << false;
    QTest::newRow("index by number") << sql::Index_by_number_SQL() << false;
    QTest::newRow("index by name") << sql::Index_by_name_SQL() << false;
    QTest::newRow("chemical agents") << sql::Chemical_agents_SQL() << false;
    QTest::newRow("find contains") << find(sql::Find_contains_term("CHLOR"), false) << false;
    QTest::newRow("find is, with a quote") << find(sql::Find_is_term("2,2'-dichlorodiethyl ETHER"), true) << false;
    QTest::newRow("find starts, or IDs") << find(sql::Find_starts_term("ámmonia") + " OR " + sql::Find_ID_term("1017")
                                                     + " OR " + sql::Find_ID_term("1005"), true)
                                         << false;
    QTest::newRow("find wildcards as text") << find(sql::Find_contains_term("*[?#"), false) << false;
    QTest::newRow("find guide") << find(sql::Find_guide_term("128"), false) << false;
    QTest::newRow("guide range") << sql::Index_guide_range_SQL() << false;
    QTest::newRow("lookup words") << sql::Lookup_SQL("anhydrous AMMONIA") << false;
    QTest::newRow("lookup number") << sql::Lookup_SQL("101") << false;
    QTest::newRow("lookup's first rows") << sql::Lookup_first_SQL("Amoníaco a", 15) << false;
    QTest::newRow("lookup's count") << sql::Lookup_count_SQL("amoniaco ANHIDRO") << false;
    QTest::newRow("guide list") << sql::Guide_list_SQL() << false;
    QTest::newRow("guide page") << sql::Guide_page_SQL("124") << false;
    QTest::newRow("distances table") << sql::Distances_table_SQL() << false;
    QTest::newRow("distances lookup") << sql::Distances_lookup("1017", "CHLORINE", "") << false;
    QTest::newRow("large spills") << sql::Large_spills_SQL() << false;
    QTest::newRow("large spills of one") << sql::Large_spills_of_SQL("1005") << false;
    QTest::newRow("water list") << sql::Water_list_SQL() << false;
    QTest::newRow("water one") << sql::Water_one_SQL("1162") << false;
    QTest::newRow("gases") << sql::Gases_SQL("1162", true) << false;
    QTest::newRow("gas index") << sql::Gas_index_SQL({"hydrogen chloride, ANHYDROUS", "Chlorine"}) << false;
    QTest::newRow("add to summary") << sql::Add_to_summary_SQL("1005", "AMMONIA, anhydrous", "0", "1") << true;
    QTest::newRow("summary view") << sql::Summary_view_SQL() << false;
    QTest::newRow("summary in order") << sql::Summary_view_in_order_SQL() << false;
    QTest::newRow("delete one") << sql::Delete_summary_row_SQL("1") << true;
    QTest::newRow("clear") << sql::Clear_summary_SQL() << true;
}

void tst_Name_matching::catalogue_runs_in_sqlite3()
{
    QFETCH(QString, jet_sql);
    QFETCH(bool, writes);
    auto db = Database::Open(guidebook_);
    const QString sqlite = db->Translate(jet_sql);
    if (writes) {
        // Written by sqlite3, read back by the program: a name it wrote is
        // found as if the program had written it.
        QCOMPARE(Sqlite3_rows(guidebook_, sqlite), QStringList());
        QCOMPARE(Ids(*db, sql::Summary_view_SQL()), jet_sql.startsWith("INSERT") ? QStringList{"1005"} : QStringList());
        return;
    }
    QCOMPARE(Sqlite3_rows(guidebook_, sqlite), Program_rows(*db, jet_sql));
    // Fields read by name are there under their own names, folded copies not.
    const QString names = db->OpenRecordset(jet_sql)->Field_names().join(u',');
    QVERIFY2(!names.contains(QRegularExpression("[+(]|_folded")), qPrintable(names));
}

void tst_Name_matching::names_match_with_or_without_folded_copies_data()
{
    QTest::addColumn<QString>("jet_sql");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QStringList>("ids");
    const auto find = [](const QString& term) { return sql::Find_result_SQL(" AND (" + term + ")", true); };
    QTest::newRow("contains, accent typed") << find(sql::Find_contains_term("amoníaco")) << "ID" << QStringList{"1005"};
    QTest::newRow("contains, accents stored, one decomposed")
        << find(sql::Find_contains_term("acido")) << "ID" << QStringList{"1789", "2031"};
    QTest::newRow("is, other case and accents")
        << find(sql::Find_is_term("ácido CLORHIDRICO")) << "ID" << QStringList{"1789"};
    QTest::newRow("starts, accent typed decomposed")
        << find(sql::Find_starts_term("A\u0301CIDO N")) << "ID" << QStringList{"2031"};
    QTest::newRow("eñe reads as n") << find(sql::Find_starts_term("pinon")) << "ID" << QStringList{"2000"};
    QTest::newRow("lookup words in any order") << sql::Lookup_SQL("ANHIDRO amoniaco") << "ID" << QStringList{"1005"};
    QTest::newRow("distances lookup, name in another case")
        << sql::Distances_lookup("1005", "Amoniaco, anhidro", "") << "ID" << QStringList{"1005"};
    QTest::newRow("distances ordered by name without accents")
        << sql::Distances_table_SQL() << "Name_of_material"
        << QStringList{"AMONIACO, ANHIDRO ", "CHLORINE ", "ácido clorhídrico (cuando es derramado en el agua)",
                       "Ácido clorhídrico (cuando es derramado sobre la tierra)"};
    QTest::newRow("gas index, name in another case") << sql::Gas_index_SQL({"chlorine"}) << "ID" << QStringList{"1017"};
    QTest::newRow("summary joins a name in another case")
        << sql::Summary_view_SQL() << "ID" << QStringList{"1005"};
}

void tst_Name_matching::names_match_with_or_without_folded_copies()
{
    QFETCH(QString, jet_sql);
    QFETCH(QString, field);
    QFETCH(QStringList, ids);
    for (const QString& path : {folded_, unfolded_}) {
        auto db = Database::Open(path);
        db->Execute(sql::Clear_summary_SQL());
        db->Execute(sql::Add_to_summary_SQL("1005", "AMONÍACO, anhidro", "0", "1"));
        QCOMPARE(Ids(*db, jet_sql, field), ids);
    }
    // The rows themselves, and their order, are the same too.
    auto folded = Database::Open(folded_);
    auto unfolded = Database::Open(unfolded_);
    QCOMPARE(Program_rows(*folded, jet_sql), Program_rows(*unfolded, jet_sql));
}

void tst_Name_matching::lookup_index_finds_what_the_scan_finds_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("matches");
    for (const auto& [typed, matches] : std::initializer_list<std::pair<const char*, int>>{
             {"1", 8}, {"10", 7}, {"101", 6}, {"1017", 1}, {"2", 2}, {"3", 0}, {"a", 7}, {"N", 8}, {"ñ", 8},
             {"e\u0301", 4}, {"ab", 0}, {"an", 2}, {"de", 1}, {"o", 10}, {"ACIDO", 2}, {"amoniaco ANHIDRO", 1},
             {"anhidro amoníaco", 1}, {"an an", 2}, {"u o", 4}, {"o'brien", 1}, {"\"mix\"", 1}, {"50%", 1},
             {"%", 1}, {"_", 1}, {"[x]", 1}, {"*", 1}, {"x]_y*", 1}, {"gas licuado", 1}, {"s\tl", 2},
             {"petroleo gas", 1}, {"tostado piñon", 1}, {"zzz", 0}})
        QTest::newRow(typed) << QString::fromUtf8(typed) << matches;
    QTest::newRow("a word of 10,000 letters") << QString(10000, u'x') << 0;
    QTest::newRow("a hundred words") << QStringLiteral("o a ").repeated(50) + "z" << 0;
}

void tst_Name_matching::lookup_index_finds_what_the_scan_finds()
{
    QFETCH(QString, typed);
    QFETCH(int, matches);
    auto indexed = Database::Open(folded_);
    auto plain = Database::Open(unfolded_);
    QVERIFY(!indexed->OpenRecordset(sql::Lookup_index_SQL())->Empty());
    QVERIFY(plain->OpenRecordset(sql::Lookup_index_SQL())->Empty());
    const QStringList all = Program_rows(*plain, sql::Lookup_SQL(typed));
    QCOMPARE(all.size(), matches);
    QCOMPARE(Program_rows(*indexed, sql::Lookup_SQL(typed)), all);
    // Through the index: the same first rows, in the same order, and the
    // same count, or the scan when the text is beyond what the index serves.
    const QString first = sql::Lookup_first_SQL(typed, 3);
    QCOMPARE(first.isEmpty(), typed.size() > 1000);
    if (first.isEmpty())
        return;
    QCOMPARE(Program_rows(*indexed, first), all.mid(0, 3));
    QCOMPARE(indexed->OpenRecordset(sql::Lookup_count_SQL(typed))->Field("Matches").toInt(), matches);

    // The find dialog's "contains", the text as one piece: counted from the
    // index, read a window at a time, it lists what the scan lists.
    for (const bool by_number : {true, false}) {
        const QString filter = " AND (" + sql::Find_contains_term(typed) + ")";
        const QStringList found = Program_rows(*plain, sql::Find_result_SQL(filter, by_number));
        QVERIFY(window_sql::Find_through_lookup_index(*plain, filter, typed, by_number).isEmpty());
        const QString through = window_sql::Find_through_lookup_index(*indexed, filter, typed, by_number);
        QCOMPARE(through.isEmpty(), typed.size() > 200);
        if (through.isEmpty())
            continue;
        QCOMPARE(indexed->OpenRecordset(through)->RecordCount(), found.size());
        QCOMPARE(Program_rows(*indexed, through), found);
    }
}

void tst_Name_matching::finds_through_the_lookup_index_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("by_number");
    for (const char* typed : {"cloruro", "ÁCIDO", "o", "de", "n ", "101", "zzz"})
        for (const bool by_number : {true, false})
            QTest::newRow((QByteArray(typed) + (by_number ? " by number" : " by name")).constData())
                << QString::fromUtf8(typed) << by_number;
}

// On the default database, where a find lists more than a window holds: the
// count at open and every row, in order, as the find's own text gives them
// on a connection that has not counted it.
void tst_Name_matching::finds_through_the_lookup_index()
{
    QFETCH(QString, typed);
    QFETCH(bool, by_number);
    const QString filter = " AND (" + sql::Find_contains_term(typed) + ")";
    auto own = Database::Open(guidebook_);
    auto indexed = Database::Open(guidebook_);
    auto expected = own->OpenRecordset(sql::Find_result_SQL(filter, by_number));
    const int count = expected->RecordCount();
    const QString through = window_sql::Find_through_lookup_index(*indexed, filter, typed, by_number);
    QVERIFY(!through.isEmpty());
    QCOMPARE(indexed->OpenRecordset(through)->RecordCount(), count);
    QCOMPARE(Program_rows(*indexed, through), Program_rows(*own, sql::Find_result_SQL(filter, by_number)));
}

QTEST_GUILESS_MAIN(tst_Name_matching)
#include "tst_Name_matching.moc"
