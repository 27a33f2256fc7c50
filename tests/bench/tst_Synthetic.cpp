// The synthetic database must be a database the program can use, with rows
// that make its joins find what they find in the book; otherwise the
// benchmark times the wrong work.
#include "Synthetic.h"

#include "app/Safety_rules.h"
#include "data/Data_fixture.h"
#include "data/Jet_dialect.h"

#include <QtTest>

#include <stdexcept>

using namespace vexo;
using test::Query_rows;

class tst_Synthetic : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    std::unique_ptr<Database> db;

private Q_SLOTS:
    void initTestCase()
    {
        bench::Make_synthetic_database(dir.filePath("x1.mdb"), 1);
        db = Database::Open(dir.filePath("x1.mdb"));
    }

    // Scale multiplies the entries, the distances and the water rows, never
    // the guides.
    void tables_have_their_full_size()
    {
        for (const int scale : {1, 10}) {
            const QString file = dir.filePath(QStringLiteral("x%1.mdb").arg(scale));
            if (scale != 1)
                bench::Make_synthetic_database(file, scale);
            auto made = Database::Open(file);
            QStringList counts;
            for (const char* table : {"Yellow", "Green", "Water", "Guides_pages", "Summary"})
                counts += Query_rows(*made, QStringLiteral("SELECT count(*) FROM ") + table);
            QCOMPARE(counts, (QStringList{QString::number(4000 * scale), QString::number(2000 * scale),
                                          QString::number(100 * scale), "3720", "0"}));
            QCOMPARE(made->OpenRecordset(sql::Index_by_number_SQL())->RecordCount(), 4000 * scale);
            QVERIFY(!QFile::exists(file + ".tmp"));
        }
    }

    void every_guide_has_one_title_one_number_and_sixty_slots()
    {
        QStringList guides;
        for (int guide = 111; guide <= 172; ++guide)
            guides << QString::number(guide);
        QCOMPARE(Query_rows(*db, sql::Guide_list_SQL(), {"Guide_page"}), guides);
        QCOMPARE(Query_rows(*db, "SELECT DISTINCT Guide_Number FROM Yellow ORDER BY 1"), guides);
        QCOMPARE(Query_rows(*db, sql::Guide_list_SQL(), {"Sentences"}).removeDuplicates(), 0);
        for (const QString& guide : guides) {
            const QStringList page = Query_rows(*db, sql::Guide_page_SQL(guide), {"Sentences", "Code"});
            QCOMPARE(page.size(), 60);
            QCOMPARE(page.first(), "GUÍA " + guide + "|5");
            QCOMPARE(page.filter(QRegularExpression("\\|5$")).size(), 1);
            QCOMPARE(page.filter(QRegularExpression("\\|2$")).size(), 1);
        }
    }

    // The order by name holds every entry, folded names in order; the names
    // carry apostrophes, double quotes and accents, and one with an
    // apostrophe is found.
    void index_by_name_lists_every_entry_in_order()
    {
        const QStringList names = Query_rows(*db, sql::Index_by_name_SQL(), {"Name_of_material"});
        QCOMPARE(names.size(), 4000);
        for (int i = 1; i < names.size(); ++i)
            QVERIFY2(jet::Fold(names.at(i - 1)) <= jet::Fold(names.at(i)), qPrintable(names.at(i)));
        QVERIFY(names.filter("'").size() > 10 && names.filter("\"").size() > 10);
        QVERIFY(names.filter(QRegularExpression("[^\\x00-\\x7f]")).size() > 1000);
        const QString apostrophe = names.filter("'").first();
        QCOMPARE(Query_rows(*db, test::Find_SQL(sql::Find_is_term(apostrophe), false)).size(), 1);
    }

    // Every lookup the windows compose from an entry's marks finds one row,
    // and together they cover the table.
    void every_lookup_the_windows_compose_finds_one_distance_row()
    {
        QSet<QString> found;
        const QStringList fields{"ID", "Name_of_material", "PIH", "Chemical_Warfare", "Water_reactive", "Supp_text"};
        for (const QString& entry : Query_rows(*db, sql::Table_SQL("Yellow"), fields)) {
            const QStringList field = entry.split(u'|');
            const Product_marks marks = Marks_of(field[2], field[3], field[4]);
            for (const bool in_water : {true, false}) {
                const auto suffix = Distances_suffix(marks, in_water, Inhalation_supplement(field[5], marks.agent));
                if (!suffix)
                    continue;
                QVERIFY2(db->OpenRecordset(sql::Distances_lookup(field[0], field[1], *suffix))->RecordCount() == 1,
                         qPrintable(entry + u' ' + *suffix));
                found.insert(field[0] + field[1] + *suffix);
            }
        }
        QCOMPARE(found.size(), 2000);
    }

    // Each water-reactive row is in the water list and names gases of the index.
    void water_reactive_rows_join_the_index_and_name_their_gases()
    {
        const QStringList ids = Query_rows(*db, sql::Water_list_SQL(), {"ID"});
        for (const QString& row : Query_rows(*db, sql::Table_SQL("Water"), {"ID", "First_name_search",
                                                                          "Second_name_search", "Third_name_search"})) {
            QStringList gases = row.split(u'|');
            QVERIFY(ids.contains(gases.takeFirst()));
            gases.removeAll(QString());
            QVERIFY(!gases.isEmpty());
            QCOMPARE(db->OpenRecordset(sql::Gas_index_SQL(gases))->RecordCount(), gases.size());
        }
    }

    // The same scale gives the same file; a failed run leaves the old file alone.
    void runs_are_repeatable_and_safe()
    {
        bench::Make_synthetic_database(dir.filePath("again.mdb"), 1);
        QVERIFY(test::Read_file(dir.filePath("again.mdb")) == test::Read_file(dir.filePath("x1.mdb")));

        const QString kept = dir.filePath("kept.mdb");
        test::Write_file(kept, "old");
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, bench::Make_synthetic_database(kept, 0));
        QCOMPARE(test::Read_file(kept), QByteArray("old"));
        const QString nowhere = dir.filePath("missing/folder/x.mdb");
        QVERIFY_THROWS_EXCEPTION(Db_error, bench::Make_synthetic_database(nowhere, 1));
        QVERIFY(!QFile::exists(nowhere) && !QFile::exists(nowhere + ".tmp"));
    }
};

QTEST_GUILESS_MAIN(tst_Synthetic)
#include "tst_Synthetic.moc"
