// The synthetic database must be a database the program can use, with rows
// that make its joins find what they find in the book; otherwise the
// benchmark times the wrong work.
#include "Synthetic.h"

#include "data/Database.h"
#include "data/Jet_dialect.h"
#include "data/Queries.h"
#include "data/RecordSet.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include <stdexcept>

using namespace vexo;
using namespace Qt::StringLiterals;

namespace {

QString Dump(Database& db, const QString& jet_sql)
{
    auto records = db.OpenRecordset(jet_sql);
    const QStringList names = records->Field_names();
    QString all;
    for (; !records->Eof(); records->MoveNext())
        for (const QString& name : names)
            all += records->Field(name) + u'|';
    return all;
}

} // namespace

class tst_Synthetic : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QString path;
    std::unique_ptr<Database> db;

private Q_SLOTS:
    void initTestCase()
    {
        path = dir.filePath(u"x1.mdb"_s);
        bench::Make_synthetic_database(path, 1);
        db = Database::Open(path);
    }

    void tables_have_their_full_size_data()
    {
        QTest::addColumn<int>("scale");
        QTest::newRow("x1") << 1;
        QTest::newRow("x10: more rows, the same guides") << 10;
    }

    void tables_have_their_full_size()
    {
        QFETCH(int, scale);
        const QString file = scale == 1 ? path : dir.filePath(u"x%1.mdb"_s.arg(scale));
        if (scale != 1)
            bench::Make_synthetic_database(file, scale);
        auto made = Database::Open(file);
        QStringList counts;
        for (const char* table : {"Yellow", "Green", "Water", "Guides_pages", "Summary"})
            counts << made->OpenRecordset(u"SELECT count(*) AS n FROM "_s + QLatin1String(table))->Field(u"n"_s);
        QCOMPARE(counts, (QStringList{QString::number(4000 * scale), QString::number(2000 * scale),
                                      QString::number(100 * scale), "3720", "0"}));
        QCOMPARE(made->OpenRecordset(sql::Index_by_number_SQL())->RecordCount(), 4000 * scale);
        QVERIFY(!QFile::exists(file + u".tmp"_s));
    }

    void every_guide_has_one_title_one_number_and_sixty_slots()
    {
        auto list = db->OpenRecordset(sql::Guide_list_SQL());
        QCOMPARE(list->RecordCount(), 62);
        QSet<QString> titles;
        for (int guide = 111; guide <= 172; ++guide, list->MoveNext()) {
            QCOMPARE(list->Field(u"Guide_page"_s), QString::number(guide));
            titles.insert(list->Field(u"Sentences"_s));
            auto page = db->OpenRecordset(sql::Guide_page_SQL(QString::number(guide)));
            QCOMPARE(page->RecordCount(), 60);
            QCOMPARE(page->Field(u"Sentences"_s) + page->Field(u"Code"_s), u"GUÍA %1"_s.arg(guide) + u'5');
            QMap<int, int> codes;
            for (; !page->Eof(); page->MoveNext())
                ++codes[page->Field(u"Code"_s).toInt()];
            QVERIFY(codes.firstKey() >= 0 && codes.lastKey() <= 6);
            QCOMPARE(codes[5], 1);
            QCOMPARE(codes[2], 1);
            QVERIFY(codes[3] + codes[4] >= 3);
        }
        QCOMPARE(titles.size(), 62);
    }

    // Both orders hold every entry; the names carry apostrophes, double
    // quotes and accents, and a name with an apostrophe is found.
    void index_lists_every_entry_in_both_orders()
    {
        auto by_number = db->OpenRecordset(sql::Index_by_number_SQL());
        QCOMPARE(by_number->RecordCount(), 4000);
        QSet<QString> guides;
        for (int key = 1; !by_number->Eof(); ++key, by_number->MoveNext()) {
            QCOMPARE(by_number->Field(u"Yellow_Key"_s).toInt(), key);
            guides.insert(by_number->Field(u"Guide_Number"_s));
        }
        QCOMPARE(guides.size(), 62);

        int apostrophes = 0, quotes = 0, accents = 0;
        QString previous, with_apostrophe;
        for (auto by_name = db->OpenRecordset(sql::Index_by_name_SQL()); !by_name->Eof(); by_name->MoveNext()) {
            const QString name = by_name->Field(u"Name_of_material"_s);
            QVERIFY2(previous <= jet::Fold(name), qPrintable(name));
            previous = jet::Fold(name);
            apostrophes += name.contains(u'\'');
            quotes += name.contains(u'"');
            accents += std::any_of(name.begin(), name.end(), [](QChar c) { return c.unicode() > 0x7F; });
            if (name.contains(u'\'') && with_apostrophe.isEmpty())
                with_apostrophe = name;
        }
        QVERIFY(apostrophes > 10 && quotes > 10 && accents > 1000);
        auto found = db->OpenRecordset(sql::Find_result_SQL(u" AND ("_s + sql::Find_is_term(with_apostrophe) + u')', false));
        QCOMPARE(found->RecordCount(), 1);
    }

    // The index pages compose the lookup from the entry's marks; every
    // composed lookup must find one row, and together they cover the table.
    void every_lookup_the_index_composes_finds_one_distance_row()
    {
        auto entries = db->OpenRecordset(u"SELECT * FROM Yellow WHERE PIH = 1 OR Water_reactive = 'W' ORDER BY Yellow_Key"_s);
        int found = 0;
        for (; !entries->Eof(); entries->MoveNext()) {
            const QString name = entries->Field(u"Name_of_material"_s);
            QStringList suffixes;
            if (entries->Field(u"Water_reactive"_s) == "W"_L1) {
                suffixes << u"(cuando es derramado en el agua)"_s;
                if (entries->Field(u"PIH"_s) == "1"_L1)
                    suffixes << u"(cuando es derramado sobre la tierra)"_s;
            } else {
                const bool weapon = entries->Field(u"Chemical_Warfare"_s) == "Z"_L1;
                suffixes << entries->Field(u"Supp_text"_s) + (weapon ? u"(cuando es utilizado como una arma)"_s : QString());
            }
            for (const QString& suffix : suffixes) {
                auto row = db->OpenRecordset(sql::Distances_lookup(entries->Field(u"ID"_s), name, suffix));
                QVERIFY2(row->RecordCount() == 1, qPrintable(name + u' ' + suffix));
                ++found;
            }
        }
        QCOMPARE(found, 2000);
    }

    void water_reactive_rows_join_the_index_and_name_their_gases()
    {
        QSet<QString> ids;
        for (auto water = db->OpenRecordset(sql::Table_SQL(u"Water"_s)); !water->Eof(); water->MoveNext()) {
            const QString id = water->Field(u"ID"_s);
            ids.insert(id);
            QVERIFY(db->OpenRecordset(sql::Water_one_SQL(id))->RecordCount() >= 1);
            QStringList gases;
            for (const char* field : {"First_name_search", "Second_name_search", "Third_name_search"})
                if (!water->Field(QLatin1String(field)).isEmpty())
                    gases << water->Field(QLatin1String(field));
            QVERIFY(!gases.isEmpty());
            QCOMPARE(db->OpenRecordset(sql::Gas_index_SQL(gases))->RecordCount(), gases.size());
        }
        QCOMPARE(ids.size(), 100);
        QVERIFY(db->OpenRecordset(sql::Water_list_SQL())->RecordCount() >= 100);
    }

    // The same scale gives the same rows; a failed run leaves the old file alone.
    void runs_are_repeatable_and_safe()
    {
        const QString again = dir.filePath(u"again.mdb"_s);
        bench::Make_synthetic_database(again, 1);
        auto other = Database::Open(again);
        for (const char* table : {"Yellow", "Green", "Water", "Sentences", "Guides_pages"}) {
            const QString text = u"SELECT * FROM %1 ORDER BY 1, 2, 3"_s.arg(QLatin1String(table));
            QVERIFY2(Dump(*db, text) == Dump(*other, text), table);
        }

        const QString kept = dir.filePath(u"kept.mdb"_s);
        QFile file(kept);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("old") == 3);
        file.close();
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, bench::Make_synthetic_database(kept, 0));
        QCOMPARE(QFileInfo(kept).size(), 3);
        const QString nowhere = dir.filePath(u"missing/folder/x.mdb"_s);
        QVERIFY_THROWS_EXCEPTION(Db_error, bench::Make_synthetic_database(nowhere, 1));
        QVERIFY(!QFile::exists(nowhere) && !QFile::exists(nowhere + u".tmp"_s));
    }
};

QTEST_GUILESS_MAIN(tst_Synthetic)
#include "tst_Synthetic.moc"
