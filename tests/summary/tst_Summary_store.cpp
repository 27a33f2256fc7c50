// The summary store: what is written, what the summary query then shows.
#include "app/General.h"
#include "data/Queries.h"
#include "summary/Summary_store.h"
#include "support/Fixture.h"

#include <QtTest>

using namespace vexo;

class tst_Summary_store : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void rows_are_stored_as_given_even_twice();
    void quotes_in_names_are_stored_and_deleted_exactly();
    void clear_empties_the_table_and_sets_the_flag();

private:
    QStringList Stored(const QString& field);
    std::unique_ptr<QTemporaryDir> dir_;
};

void tst_Summary_store::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    const QString path = dir_->filePath("s.mdb");
    test::Make_database(path, test::Minimal_rows());
    Main_database = Database::Open(path);
}

void tst_Summary_store::cleanup()
{
    Main_database.reset();
}

QStringList tst_Summary_store::Stored(const QString& field)
{
    QStringList values;
    auto rs = Main_database->OpenRecordset("SELECT * FROM Summary ORDER BY Key");
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext())
        values << rs->Field(field);
    return values;
}

void tst_Summary_store::rows_are_stored_as_given_even_twice()
{
    Add_to_summary("Chlorine", "1017", "0", "1");
    Add_to_summary("Chlorine", "1017", "0", "1");
    Add_to_summary("Gasoline", "1203", "1", "0");
    QCOMPARE(Stored("Name"), QStringList({"Chlorine", "Chlorine", "Gasoline"}));
    QCOMPARE(Stored("High_green"), QStringList({"0", "0", "1"}));
    QCOMPARE(Stored("Bold"), QStringList({"1", "1", "0"}));
    const QStringList keys = Stored("Key");
    QCOMPARE(QSet<QString>(keys.begin(), keys.end()).size(), 3);
    QCOMPARE(Main_database->OpenRecordset(sql::Summary_view_SQL())->RecordCount(), 3);
}

void tst_Summary_store::quotes_in_names_are_stored_and_deleted_exactly()
{
    Add_to_summary("O'Brien \"5\" mix", "1111", "0", "1");
    Add_to_summary("Chlorine", "1017", "0", "1");
    QCOMPARE(Stored("Name"), QStringList({"O'Brien \"5\" mix", "Chlorine"}));
    Delete_from_summary(Stored("Key").first());
    QCOMPARE(Stored("Name"), QStringList({"Chlorine"}));
}

void tst_Summary_store::clear_empties_the_table_and_sets_the_flag()
{
    Add_to_summary("Chlorine", "1017", "0", "1");
    Summary_empty = false;
    Clear_summary();
    QVERIFY(Summary_empty);
    QVERIFY(Stored("ID").isEmpty());
}

QTEST_GUILESS_MAIN(tst_Summary_store)
#include "tst_Summary_store.moc"
