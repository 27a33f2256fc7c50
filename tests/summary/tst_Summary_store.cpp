// The summary store: what is written, what the summary query then shows.
#include "app/General.h"
#include "data/Queries.h"
#include "summary/Summary_store.h"
#include "support/Fixture.h"
#include "support/Scripted_platform.h"

#include <QtTest>

using namespace vexo;

class tst_Summary_store : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        const QString path = dir_->filePath("s.mdb");
        test::Make_database(path, test::Minimal_rows());
        Main_database = Database::Open(path);
    }

    void cleanup()
    {
        Main_database.reset();
    }

    // Rows stored as given, even twice and with quotes in the name; one
    // deleted by its key; then all cleared.
    void stored_deleted_and_cleared_exactly()
    {
        Add_to_summary("Chlorine", "1017", "0", "1");
        Add_to_summary("Chlorine", "1017", "0", "1");
        Add_to_summary("Gasoline", "1203", "1", "0");
        Add_to_summary("O'Brien \"5\" mix", "1111", "0", "1");
        QCOMPARE(Stored("Name"), QStringList({"Chlorine", "Chlorine", "Gasoline", "O'Brien \"5\" mix"}));
        QCOMPARE(Stored("High_green"), QStringList({"0", "0", "1", "0"}));
        QCOMPARE(Stored("Bold"), QStringList({"1", "1", "0", "1"}));
        const QStringList keys = Stored("Key");
        QCOMPARE(QSet<QString>(keys.begin(), keys.end()).size(), 4);
        QCOMPARE(Main_database->OpenRecordset(sql::Summary_view_SQL())->RecordCount(), 3);  // 1111 is no index entry
        Delete_from_summary(keys.last());
        QCOMPARE(Stored("Name"), QStringList({"Chlorine", "Chlorine", "Gasoline"}));
        Summary_empty = false;
        Clear_summary();
        QVERIFY(Summary_empty);
        QVERIFY(Stored("ID").isEmpty());
    }

    void a_database_that_cannot_be_written_says_why_data()
    {
        QTest::addColumn<bool>("folder_read_only");
        QTest::addColumn<QString>("why"); // %1: the file, %2: its folder
        QTest::newRow("read-only file") << false << "el archivo \"%1\" es de solo lectura";
        QTest::newRow("read-only folder") << true << "la carpeta \"%2\" donde está es de solo lectura";
    }

    void a_database_that_cannot_be_written_says_why()
    {
        QFETCH(bool, folder_read_only);
        QFETCH(QString, why);
        const QString folder = dir_->filePath("datos");
        const QString path = folder + "/s.mdb";
        QVERIFY(QDir().mkpath(folder));
        test::Make_database(path, test::Minimal_rows() + "INSERT INTO Summary (ID, Name, High_green, Bold) VALUES ('1017', 'Chlorine', 0, 1);");
        test::Open_to_everyone(dir_->path());
        QFile::setPermissions(folder, folder_read_only ? QFileDevice::Permissions(0x5555) : QFileDevice::Permissions(0x7777));
        QFile::setPermissions(path, folder_read_only ? QFileDevice::Permissions(0x6666) : QFileDevice::Permissions(0x4444));
        test::Scripted_platform ui;
        ui.answers << platform::Answer::Yes;
        {
            test::Without_root ordinary_user;
            Main_database = Database::Open(path);
            Summary_empty = false;
            QVERIFY(!Add_to_summary("Gasoline", "1203", "0", "1"));
            QVERIFY(!Delete_from_summary(Stored("Key").first()));
            QVERIFY(!Clear_summary());
            // Nothing already there is lost, and the summary is not taken for empty.
            QCOMPARE(Stored("Name"), QStringList{"Chlorine"});
            QVERIFY(!Summary_empty);
            Main_database.reset();
        }
        QFile::setPermissions(folder, QFileDevice::Permissions(0x7777));
        const QString reason = QString(why).replace("%1", path).replace("%2", folder);
        QCOMPARE(ui.texts(), QStringList({"El producto no se agregó al Resúmen porque la base de datos no se puede escribir: " + reason + ".",
                                          "El Resúmen no se cambió porque la base de datos no se puede escribir: " + reason + ".",
                                          "El Resúmen no se cambió porque la base de datos no se puede escribir: " + reason + "."}));
        QCOMPARE(ui.shown.first().icon, platform::Icon::Exclamation);
    }

private:
    QStringList Stored(const QString& field);
    std::unique_ptr<QTemporaryDir> dir_;
};

QStringList tst_Summary_store::Stored(const QString& field)
{
    QStringList values;
    auto rs = Main_database->OpenRecordset("SELECT * FROM Summary ORDER BY Key");
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext())
        values << rs->Field(field);
    return values;
}

QTEST_GUILESS_MAIN(tst_Summary_store)
#include "tst_Summary_store.moc"
