// The summary store over a database that cannot be written: nothing already
// there is lost, and the user is told why, for each change refused.
#include "app/General.h"
#include "summary/Summary_store.h"
#include "support/Fixture.h"
#include "support/Scripted_platform.h"

#include <QtTest>

using namespace vexo;

namespace {

QStringList Stored(const QString& field)
{
    QStringList values;
    auto rs = Main_database->OpenRecordset("SELECT * FROM Summary ORDER BY Key");
    for (rs->MoveFirst(); !rs->Eof(); rs->MoveNext())
        values << rs->Field(field);
    return values;
}

} // namespace

class tst_Summary_store : public QObject {
    Q_OBJECT
private Q_SLOTS:
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
        QTemporaryDir dir;
        const QString folder = dir.filePath("datos");
        const QString path = folder + "/s.mdb";
        QVERIFY(QDir().mkpath(folder));
        test::Make_database(path, test::Minimal_rows()
                                      + "INSERT INTO Summary (ID, Name, High_green, Bold) VALUES ('1017', 'Chlorine', 0, 1);");
        test::Open_to_everyone(dir.path());
        QFile::setPermissions(folder, QFileDevice::Permissions(folder_read_only ? 0x5555 : 0x7777));
        QFile::setPermissions(path, QFileDevice::Permissions(folder_read_only ? 0x6666 : 0x4444));
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
        const QString unchanged = "El Resúmen no se cambió porque la base de datos no se puede escribir: " + reason + ".";
        QCOMPARE(ui.texts(),
                 QStringList({"El producto no se agregó al Resúmen porque la base de datos no se puede escribir: "
                                  + reason + ".",
                              unchanged, unchanged}));
        QCOMPARE(ui.shown.first().icon, platform::Icon::Exclamation);
    }
};

QTEST_GUILESS_MAIN(tst_Summary_store)
#include "tst_Summary_store.moc"
