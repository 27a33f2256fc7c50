// The query catalogue: every text as the windows compose it, run by the
// program and by the stock sqlite3 command on the book's rows, and what each
// one returns from a database with known rows.
#include "data/Data_fixture.h"

#include <QtTest>

using namespace vexo;
using test::Query_rows;
using test::Find_SQL;

namespace {

const char* kRows =
    "INSERT INTO Sentences VALUES (1, 'GUÍA', 5), (2, 'GASES TÓXICOS', 2), (3, 'LÍQUIDOS INFLAMABLES', 2);\n"
    "INSERT INTO Guides_pages VALUES (1, 124, 1), (2, 124, 2), (10, 128, 1), (11, 128, 3), (20, 130, 1);\n"
    "INSERT INTO Yellow VALUES\n"
    "  ('1005', 'Ammonia, anhydrous', 124, 10, 10, 1, NULL, NULL, NULL, NULL),\n"
    "  ('1017', 'Chlorine', 124, 30, 20, 1, NULL, NULL, NULL, NULL),\n"
    "  ('1050', 'Hydrogen chloride', 124, 35, 45, 1, NULL, NULL, NULL, NULL),\n"
    "  ('1203', 'Gasoline', 128, 40, 40, NULL, NULL, NULL, NULL, NULL),\n"
    "  ('1754', 'Chlorosulfonic acid', 124, 45, 25, 1, 'W', NULL, NULL, NULL),\n"
    "  ('1993', 'Diesel fuel', 128, 50, 30, NULL, NULL, NULL, NULL, NULL),\n"
    "  ('1993', 'Diesel fuel', 128, 50, 30, NULL, NULL, NULL, NULL, NULL),\n"
    "  ('9999', 'Orphan material', 130, 60, 60, NULL, NULL, NULL, NULL, NULL),\n"
    "  ('2222', 'Shell 5\" caliber', 128, 90, 54, NULL, NULL, NULL, NULL, NULL),\n"
    "  ('----', 'ÁCIDO PRUEBA', 128, 95, 5, NULL, NULL, NULL, NULL, NULL);\n"
    "INSERT INTO Green VALUES\n"
    "  (1017, 'Chlorine ', '60', '200', '0.3', '0.2', '1.1', '0.7', '500', '1500', '3.0', '1.9', '7.9', '4.9'),\n"
    "  (2222, 'Shell 5\" caliber ', '', '', '', '', '', '', '', '', '', '', '', '');\n"
    "INSERT INTO Water VALUES ('1754', 'Cloruro de hidrógeno (HCl)', '1050', 'Hydrogen chloride',\n"
    "  'Ácido sulfúrico (H2SO4)', '1830', 'Sulfuric acid', '', '', '');\n";

// Runs SQLite text in the sqlite3 command, fields joined as the program's
// rows are; an error is its one row. Rows end in a character no guide text
// holds, since texts run over several lines.
QStringList Sqlite3_rows(const QString& path, const QString& sql)
{
    QProcess sqlite3;
    sqlite3.start("sqlite3", {"-batch", "-bail", "-separator", "|", "-newline", "\x1e", path, sql});
    const bool finished = sqlite3.waitForFinished(60000);
    const QByteArray error = sqlite3.readAllStandardError();
    if (!finished || sqlite3.exitCode() != 0 || !error.isEmpty())
        return {"sqlite3 failed: " + QString::fromUtf8(error)};
    return QString::fromUtf8(sqlite3.readAllStandardOutput()).split(QChar(0x1e), Qt::SkipEmptyParts);
}

} // namespace

class tst_Queries : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::unique_ptr<Database> db_;
    QString guidebook_; // a copy of the default database

private Q_SLOTS:
    void initTestCase()
    {
        test::Make_database(dir_.filePath("q.mdb"), QString::fromUtf8(kRows));
        db_ = Database::Open(dir_.filePath("q.mdb"));
        guidebook_ = dir_.filePath("guide2ks.mdb");
        QVERIFY(QFile::copy(QStringLiteral(VEXO_BOOK), guidebook_));
    }

    void texts_as_written_run_in_sqlite3_data()
    {
        QTest::addColumn<QString>("composed"); // a whole text, or a find's condition
        QTest::addColumn<QString>("written");  // empty: not written down
        const QString titled = "SELECT DISTINCT Yellow.*, Sentences.Sentences FROM (Yellow LEFT JOIN Guides_pages ON "
                               "Yellow.Guide_Number = Guides_pages.Guide_page) LEFT JOIN Sentences ON "
                               "Guides_pages.Sentences_key = Sentences.Key WHERE ";
        const QString start = titled + "Sentences.Code = 2";
        const QString water =
            "SELECT DISTINCT Water.*, Yellow.Name_of_material, Yellow.Guide_Number, Yellow.PIH, Sentences.Sentences "
            "FROM (Water LEFT JOIN Yellow ON Water.ID = Yellow.ID) LEFT JOIN (Guides_pages LEFT JOIN Sentences ON "
            "Guides_pages.Sentences_key = Sentences.Key) ON Yellow.Guide_Number = Guides_pages.Guide_page WHERE "
            "Sentences.Code = 2";
        const QString gases = "SELECT DISTINCT First_product, First_ID, First_name_search, Second_product, "
                              "Second_ID, Second_name_search";
        QTest::newRow("validation") << sql::Table_SQL("Green") << "SELECT * FROM Green";
        QTest::newRow("number") << sql::Index_by_number_SQL() << start + " ORDER BY Yellow.Yellow_Key, Yellow.Blue_Key";
        QTest::newRow("name") << sql::Index_by_name_SQL() << start + " ORDER BY Yellow.Blue_Key, Yellow.Yellow_Key";
        QTest::newRow("chemical agents") << sql::Chemical_agents_SQL()
                                         << titled + "(Sentences.Code = 2 and Yellow.Chemical_Warfare = 'Z') ORDER BY "
                                                     "Yellow.Yellow_Key, Yellow.Blue_Key";
        QTest::newRow("find by ids")
            << Find_SQL(sql::Find_ID_term("1005") + " OR " + sql::Find_ID_term("1017"))
            << start + " AND (Yellow.ID = '1005' OR Yellow.ID = '1017') ORDER BY Yellow.Yellow_Key";
        QTest::newRow("find name starts or id")
            << Find_SQL(sql::Find_starts_term("Chlor") + " OR " + sql::Find_ID_term("1203"), false)
            << start + " AND (Yellow.Name_of_material like 'Chlor*' OR Yellow.ID = '1203') ORDER BY Yellow.Blue_Key";
        QTest::newRow("find contains") << sql::Find_contains_term("chlor") << "Yellow.Name_of_material like '*chlor*'";
        QTest::newRow("find is") << sql::Find_is_term("Chlorine") << "Yellow.Name_of_material = 'Chlorine'";
        QTest::newRow("find guide") << sql::Find_guide_term("128") << "Yellow.Guide_Number like 128";
        QTest::newRow("guide page")
            << sql::Guide_page_SQL("124")
            << "SELECT DISTINCT Guides_pages.Key, Guides_pages.Guide_page, Sentences.Sentences, Sentences.Code FROM "
               "Guides_pages LEFT JOIN Sentences ON Guides_pages.Sentences_key = Sentences.Key WHERE "
               "Guides_pages.Guide_page = 124 ORDER BY Guides_pages.Key";
        QTest::newRow("distances table") << sql::Distances_table_SQL()
                                         << "SELECT * FROM Green ORDER BY ID, Name_of_material";
        QTest::newRow("distances lookup")
            << sql::Distances_lookup("1754", "Chlorosulfonic acid", "(cuando es derramado en el agua)")
            << "SELECT * FROM Green WHERE ID = 1754 AND Name_of_material = \"Chlorosulfonic acid (cuando es derramado "
               "en el agua)\" ORDER BY ID, Name_of_material";
        QTest::newRow("water list") << sql::Water_list_SQL() << water + " ORDER BY Water.ID";
        QTest::newRow("water") << sql::Water_one_SQL("1754") << water + " AND Water.ID = \"1754\" ORDER BY Water.ID";
        QTest::newRow("gases") << sql::Gases_SQL("1754", false) << gases + " FROM Water WHERE ID = \"1754\"";
        QTest::newRow("gases with the third")
            << sql::Gases_SQL("1754", true)
            << gases + ", Third_product, Third_ID, Third_name_search FROM Water WHERE ID = \"1754\"";
        QTest::newRow("gas index entries")
            << sql::Gas_index_SQL({"Hydrogen chloride", "Sulfuric acid"})
            << start + " AND (Name_of_material = \"Hydrogen chloride\" OR Name_of_material = \"Sulfuric acid\") "
                       "ORDER BY Yellow.Yellow_Key, Yellow.Blue_Key";
        QTest::newRow("add to summary")
            << sql::Add_to_summary_SQL("1005", "AMMONIA, anhydrous", "0", "1")
            << "INSERT INTO Summary (ID, Name, High_green,Bold) VALUES (\"1005\", \"AMMONIA, anhydrous\", \"0\", "
               "\"1\")";
        QTest::newRow("summary view")
            << sql::Summary_view_SQL()
            << "SELECT DISTINCT Summary.*, Yellow.Guide_Number, Sentences.Sentences, Yellow.PIH, "
               "Yellow.Water_reactive, Yellow.Chemical_Warfare, Yellow.Polymerization, Yellow.Supp_text FROM Summary "
               "LEFT JOIN (Yellow LEFT JOIN(Guides_pages LEFT JOIN Sentences ON Guides_pages.Sentences_key = "
               "Sentences.Key) ON Yellow.Guide_Number = Guides_pages.Guide_page) ON (Summary.ID = Yellow.ID) AND "
               "(Summary.Name = Yellow.Name_of_material) WHERE Sentences.Code = 2";
        QTest::newRow("summary in order") << sql::Summary_view_in_order_SQL() << "";
        QTest::newRow("delete one") << sql::Delete_summary_row_SQL("1") << "DELETE * FROM Summary WHERE Key = 1";
        QTest::newRow("clear") << sql::Clear_summary_SQL() << "DELETE * FROM Summary";
        // Texts run but not written down here.
        for (const char* table : {"Yellow", "Water", "Sentences", "Guides_pages", "Summary", "Large_spills"})
            QTest::newRow(table) << sql::Table_SQL(table) << "";
        QTest::newRow("find is, a quote") << sql::Find_is_term("2,2'-dichlorodiethyl ETHER") << "";
        QTest::newRow("find starts or IDs") << sql::Find_starts_term("ámmonia") + " OR " + sql::Find_ID_term("1017")
                                                   + " OR " + sql::Find_ID_term("1005") << "";
        QTest::newRow("find wildcards as text") << sql::Find_contains_term("*[?#") << "";
        QTest::newRow("guide range") << sql::Index_guide_range_SQL() << "";
        QTest::newRow("guide list") << sql::Guide_list_SQL() << "";
        QTest::newRow("lookup words") << sql::Lookup_SQL("anhydrous AMMONIA") << "";
        QTest::newRow("lookup number") << sql::Lookup_SQL("101") << "";
        QTest::newRow("lookup's first rows") << sql::Lookup_first_SQL("Amoníaco a", 15) << "";
        QTest::newRow("lookup's count") << sql::Lookup_count_SQL("amoniaco ANHIDRO") << "";
        QTest::newRow("large spills") << sql::Large_spills_SQL() << "";
        QTest::newRow("large spills of one") << sql::Large_spills_of_SQL("1005") << "";
    }

    // Each text as written, and as the program runs it on the book's rows:
    // the rows the stock sqlite3 command gives, under the fields' own names,
    // never a folded copy's. What sqlite3 writes the program reads back as
    // its own.
    void texts_as_written_run_in_sqlite3()
    {
        QFETCH(QString, composed);
        QFETCH(QString, written);
        if (!written.isEmpty())
            QCOMPARE(composed, written);
        const bool statement = QRegularExpression("^(SELECT|INSERT|DELETE) ").match(composed).hasMatch();
        const QString jet_sql = statement ? composed : Find_SQL(composed);
        auto book = Database::Open(guidebook_);
        const QString sqlite = book->Translate(jet_sql);
        if (!jet_sql.startsWith("SELECT")) {
            QCOMPARE(Sqlite3_rows(guidebook_, sqlite), QStringList());
            QCOMPARE(Query_rows(*book, sql::Summary_view_SQL(), {"ID"}),
                     jet_sql.startsWith("INSERT") ? QStringList{"1005"} : QStringList());
            return;
        }
        QCOMPARE(Sqlite3_rows(guidebook_, sqlite), Query_rows(*book, jet_sql));
        const QString names = book->OpenRecordset(jet_sql)->Field_names().join(u',');
        QVERIFY2(!names.contains(QRegularExpression("[+(]|_folded")), qPrintable(names));
    }

    void rows_found_data()
    {
        QTest::addColumn<QString>("query"); // a find condition, or a whole query
        QTest::addColumn<QStringList>("ids");
        const auto ids = [](const char* tag, const QString& query, const QStringList& found) {
            QTest::newRow(tag) << query << found;
        };
        // What the windows' own suites do not tell apart on their pages. The
        // lists drop the guides without a title and repeated rows.
        ids("by number", sql::Index_by_number_SQL(), {"1005", "1017", "1050", "1203", "1754", "1993", "2222", "----"});
        ids("by name", sql::Index_by_name_SQL(), {"----", "1005", "1017", "1754", "1993", "1203", "1050", "2222"});
        ids("water material, a quote", sql::Water_one_SQL("17\"54"), {});
        // The distances row of a name in another case, with a double quote, of
        // another ID.
        ids("distances, any case", sql::Distances_lookup("1017", "CHLORINE", ""), {"1017"});
        ids("distances, double quote in name", sql::Distances_lookup("2222", "Shell 5\" caliber", ""), {"2222"});
        ids("distances, wrong id", sql::Distances_lookup("1018", "Chlorine", ""), {});
        ids("distances, no id", sql::Distances_lookup("----", "Chlorine", ""), {});
        ids("guide", sql::Find_guide_term("128"), {"1203", "1993", "2222", "----"});
        ids("quote in an id", sql::Find_ID_term("10'17"), {});
        ids("guide is a number", sql::Find_guide_term("12 OR 1=1"), {});
        // Blanks SQLite does not read as blanks (a vertical tab, a no-break space).
        ids("guide between odd blanks", sql::Find_guide_term("\v128\u00a0"), {"1203", "1993", "2222", "----"});
        ids("star is no wildcard", sql::Find_contains_term("c*e"), {});
        ids("question mark is no wildcard", sql::Find_contains_term("chlor?ne"), {});
        ids("percent is no wildcard", sql::Find_contains_term("%"), {});
        ids("brackets are text", sql::Find_contains_term("[a-z]"), {});
        ids("hash is text", sql::Find_contains_term("#"), {});
        ids("a quote and a parenthesis cannot escape", sql::Find_is_term("x') OR (1=1"), {});
        ids("very long text", sql::Find_contains_term(QString(5000, u'x')), {});
        ids("lone surrogate is no wildcard", sql::Find_contains_term(QString(QChar(0xD800))), {});
        ids("lone surrogate, starts", sql::Find_starts_term(QString(QChar(0xDC00))), {});
        ids("control characters removed", sql::Find_contains_term(QString::fromUtf8("ch\0lo\tr\x1f", 8)),
            {"1017", "1050", "1754"});
        ids("control characters alone find nothing", sql::Find_contains_term("\x01\x02"), {});
    }

    void rows_found()
    {
        QFETCH(QString, query);
        QFETCH(QStringList, ids);
        QCOMPARE(Query_rows(*db_, query.startsWith("SELECT") ? query : Find_SQL(query), {"ID"}), ids);
    }

    void values_read_find_their_rows_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QString>("shown");
        QTest::newRow("Latin-1") << QByteArray("\xC1" "cido clorh\xED" "drico") << QStringLiteral("Ácido clorhídrico");
        QTest::newRow("cp1252") << QByteArray("Gas \x93mostaza\x94 \x96 H") << QStringLiteral("Gas “mostaza” – H");
        QTest::newRow("NUL and control characters") << QByteArray("Cloro\0x\ty\x7f", 11)
                                                    << QString::fromUtf8("Cloro\0x\ty\x7f", 11);
    }

    // A name stored as an old export left it: every lookup the windows build
    // from the name they show finds its row again.
    void values_read_find_their_rows()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QString, shown);
        const QString name = "CAST(X'" + QString::fromLatin1(stored.toHex()) + "' AS TEXT)";
        const QString path = dir_.filePath(QStringLiteral("%1.mdb").arg(QTest::currentDataTag()));
        test::Make_database(path, test::Minimal_rows() + "INSERT INTO Yellow VALUES ('3333', " + name
                                      + ", 124, 90, 90, 1, 'W', NULL, NULL, NULL); INSERT INTO Green VALUES (3333, "
                                      + name + " || ' (cuando es derramado en el agua)', '30', '100', '0.1', '0.1', "
                                      "'0.2', '0.1', '30', '100', '0.3', '0.2', '1.1', '0.7');"
                                      "INSERT INTO Water VALUES ('3333', 'Gas', '3333', " + name
                                      + ", '', '', '', '', '', '');");
        auto db = Database::Open(path);
        const QString read = Query_rows(*db, Find_SQL(sql::Find_ID_term("3333")), {"Name_of_material"}).value(0);
        QCOMPARE(read, shown);
        QCOMPARE(Query_rows(*db, sql::Distances_lookup("3333", read, "(cuando es derramado en el agua)"), {"ID"}),
                 QStringList{"3333"});
        QCOMPARE(Query_rows(*db, sql::Gases_SQL("3333", true), {"First_name_search"}), QStringList{shown});
        QCOMPARE(Query_rows(*db, sql::Gas_index_SQL({shown}), {"ID"}), QStringList{"3333"});
        db->Execute(sql::Add_to_summary_SQL("3333", read, "1", "1"));
        QCOMPARE(Query_rows(*db, sql::Summary_view_SQL(), {"Name", "Guide_Number"}), QStringList{shown + "|124"});
    }
};

QTEST_GUILESS_MAIN(tst_Queries)
#include "tst_Queries.moc"
