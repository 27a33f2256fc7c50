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

#include <algorithm>
#include <stdexcept>

using namespace vexo;

namespace {

const QString kWater = QStringLiteral("(cuando es derramado en el agua)");
const QString kLand = QStringLiteral("(cuando es derramado sobre la tierra)");
const QString kWeapon = QStringLiteral("(cuando es utilizado como una arma)");

int Count(Database& db, const QString& table)
{
    auto records = db.OpenRecordset(QStringLiteral("SELECT count(*) AS n FROM ") + table);
    return records->Field(QStringLiteral("n")).toInt();
}

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
        QVERIFY(dir.isValid());
        path = dir.filePath(QStringLiteral("x1.mdb"));
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
        const QString file = scale == 1 ? path : dir.filePath(QStringLiteral("x%1.mdb").arg(scale));
        if (scale != 1)
            bench::Make_synthetic_database(file, scale);
        auto made = Database::Open(file);
        QCOMPARE(Count(*made, QStringLiteral("Yellow")), 4000 * scale);
        QCOMPARE(Count(*made, QStringLiteral("Green")), 2000 * scale);
        QCOMPARE(Count(*made, QStringLiteral("Water")), 100 * scale);
        QCOMPARE(Count(*made, QStringLiteral("Guides_pages")), 62 * 60);
        QCOMPARE(Count(*made, QStringLiteral("Summary")), 0);
        QCOMPARE(made->OpenRecordset(sql::Index_by_number_SQL())->RecordCount(), 4000 * scale);
        QVERIFY(!QFile::exists(file + QStringLiteral(".tmp")));
    }
    void every_guide_has_one_title_one_number_and_sixty_slots()
    {
        auto list = db->OpenRecordset(sql::Guide_list_SQL());
        QCOMPARE(list->RecordCount(), 62);
        QSet<QString> titles;
        for (int guide = 111; guide <= 172; ++guide, list->MoveNext()) {
            QCOMPARE(list->Field(QStringLiteral("Guide_page")), QString::number(guide));
            titles.insert(list->Field(QStringLiteral("Sentences")));
            auto page = db->OpenRecordset(sql::Guide_page_SQL(QString::number(guide)));
            QCOMPARE(page->RecordCount(), 60);
            QCOMPARE(page->Field(QStringLiteral("Code")), QStringLiteral("5"));
            QCOMPARE(page->Field(QStringLiteral("Sentences")), QStringLiteral("GUÍA %1").arg(guide));
            int titles_on_page = 0, headings = 0;
            for (; !page->Eof(); page->MoveNext()) {
                const int code = page->Field(QStringLiteral("Code")).toInt();
                titles_on_page += code == 2;
                headings += code == 3 || code == 4;
                QVERIFY(code >= 0 && code <= 6);
            }
            QCOMPARE(titles_on_page, 1);
            QVERIFY(headings >= 3);
        }
        QCOMPARE(titles.size(), 62);
    }

    void index_lists_every_entry_in_both_orders()
    {
        auto by_number = db->OpenRecordset(sql::Index_by_number_SQL());
        QCOMPARE(by_number->RecordCount(), 4000);
        QSet<QString> guides;
        for (int key = 1; !by_number->Eof(); ++key, by_number->MoveNext()) {
            QCOMPARE(by_number->Field(QStringLiteral("Yellow_Key")).toInt(), key);
            guides.insert(by_number->Field(QStringLiteral("Guide_Number")));
        }
        QCOMPARE(guides.size(), 62);

        auto by_name = db->OpenRecordset(sql::Index_by_name_SQL());
        QString previous;
        for (; !by_name->Eof(); by_name->MoveNext()) {
            const QString folded = jet::Fold(by_name->Field(QStringLiteral("Name_of_material")));
            QVERIFY2(previous <= folded, qPrintable(folded));
            previous = folded;
        }
    }

    void names_carry_accents_apostrophes_and_double_quotes()
    {
        int apostrophes = 0, quotes = 0, accents = 0;
        auto all = db->OpenRecordset(sql::Table_SQL(QStringLiteral("Yellow")));
        QString with_apostrophe;
        for (; !all->Eof(); all->MoveNext()) {
            const QString name = all->Field(QStringLiteral("Name_of_material"));
            apostrophes += name.contains(u'\'');
            quotes += name.contains(u'"');
            accents += std::any_of(name.begin(), name.end(), [](QChar c) { return c.unicode() > 0x7F; });
            if (name.contains(u'\'') && with_apostrophe.isEmpty())
                with_apostrophe = name;
        }
        QVERIFY(apostrophes > 10);
        QVERIFY(quotes > 10);
        QVERIFY(accents > 1000);
        auto found = db->OpenRecordset(
            sql::Find_result_SQL(QStringLiteral(" AND (") + sql::Find_is_term(with_apostrophe) + u')', false));
        QCOMPARE(found->RecordCount(), 1);
    }

    // The index pages compose the lookup from the entry's marks; every
    // composed lookup must find one row, and together they cover the table.
    void every_lookup_the_index_composes_finds_one_distance_row()
    {
        auto entries = db->OpenRecordset(QStringLiteral(
            "SELECT * FROM Yellow WHERE PIH = 1 OR Water_reactive = 'W' ORDER BY Yellow_Key"));
        QVERIFY(entries->RecordCount() > 0);
        int found = 0;
        for (; !entries->Eof(); entries->MoveNext()) {
            const QString id = entries->Field(QStringLiteral("ID"));
            const QString name = entries->Field(QStringLiteral("Name_of_material"));
            const bool pih = entries->Field(QStringLiteral("PIH")) == QLatin1String("1");
            const bool water = entries->Field(QStringLiteral("Water_reactive")) == QLatin1String("W");
            QStringList suffixes;
            if (water) {
                suffixes << kWater;
                if (pih)
                    suffixes << kLand;
            } else {
                QString tag = entries->Field(QStringLiteral("Supp_text"));
                if (entries->Field(QStringLiteral("Chemical_Warfare")) == QLatin1String("Z"))
                    tag += kWeapon;
                suffixes << tag;
            }
            for (const QString& suffix : suffixes) {
                auto row = db->OpenRecordset(sql::Distances_lookup(id, name, suffix));
                QVERIFY2(row->RecordCount() == 1, qPrintable(name + u' ' + suffix));
                ++found;
            }
        }
        QCOMPARE(found, 2000);
    }

    void water_reactive_rows_join_the_index_and_name_their_gases()
    {
        auto water = db->OpenRecordset(sql::Table_SQL(QStringLiteral("Water")));
        QSet<QString> ids;
        for (; !water->Eof(); water->MoveNext()) {
            const QString id = water->Field(QStringLiteral("ID"));
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

    void same_scale_gives_the_same_rows()
    {
        const QString again = dir.filePath(QStringLiteral("again.mdb"));
        bench::Make_synthetic_database(again, 1);
        auto other = Database::Open(again);
        for (const char* table : {"Yellow", "Green", "Water", "Sentences", "Guides_pages"}) {
            const QString text = QStringLiteral("SELECT * FROM %1 ORDER BY 1, 2, 3").arg(QLatin1String(table));
            QVERIFY2(Dump(*db, text) == Dump(*other, text), table);
        }
    }

    void a_failed_run_leaves_the_old_file_alone()
    {
        const QString kept = dir.filePath(QStringLiteral("kept.mdb"));
        QFile file(kept);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("old");
        file.close();
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, bench::Make_synthetic_database(kept, 0));
        QCOMPARE(QFileInfo(kept).size(), 3);

        const QString nowhere = dir.filePath(QStringLiteral("missing/folder/x.mdb"));
        QVERIFY_THROWS_EXCEPTION(Db_error, bench::Make_synthetic_database(nowhere, 1));
        QVERIFY(!QFile::exists(nowhere));
        QVERIFY(!QFile::exists(nowhere + QStringLiteral(".tmp")));
    }
};

QTEST_GUILESS_MAIN(tst_Synthetic)
#include "tst_Synthetic.moc"
