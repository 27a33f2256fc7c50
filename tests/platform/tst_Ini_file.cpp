// The ini file's items, read the way the free-format input always read them.
#include "platform/Ini_file.h"

#include <QtTest>

using namespace vexo::platform;

class tst_Ini_file : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void items_data();
    void items();
    void missing_file_is_error_53();
    void written_lines_end_in_cr_lf();
    void unwritable_place_is_an_access_error();

private:
    QTemporaryDir dir_;
};

void tst_Ini_file::items_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("as the program writes it")
        << QByteArray("[base de datos]\r\nGRENA=/datos/guide2ks.mdb\r\n")
        << QStringList{"[base de datos]", "GRENA=/datos/guide2ks.mdb"};
    QTest::newRow("line feeds only") << QByteArray("a\nb\n") << QStringList{"a", "b"};
    QTest::newRow("comma ends an item") << QByteArray("GRENA=/a,b.mdb\r\n") << QStringList{"GRENA=/a", "b.mdb"};
    QTest::newRow("leading blanks dropped") << QByteArray("   GRENA=/x.mdb\r\n") << QStringList{"GRENA=/x.mdb"};
    QTest::newRow("quoted item keeps commas")
        << QByteArray("\"GRENA=/a,b.mdb\"\r\n") << QStringList{"GRENA=/a,b.mdb"};
    QTest::newRow("empty line is an empty item") << QByteArray("a\r\n\r\nb") << QStringList{"a", "", "b"};
    QTest::newRow("accents") << QByteArray("GRENA=/datos/guía.mdb") << QStringList{"GRENA=/datos/guía.mdb"};
    QTest::newRow("empty file") << QByteArray() << QStringList{};
}

void tst_Ini_file::items()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, expected);
    const QString path = dir_.filePath("items.ini");
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
    f.close();
    const Items read = Read_items(path);
    QCOMPARE(read.error, 0);
    QCOMPARE(read.items, expected);
}

void tst_Ini_file::missing_file_is_error_53()
{
    QCOMPARE(Read_items(dir_.filePath("none.ini")).error, 53);
}

void tst_Ini_file::written_lines_end_in_cr_lf()
{
    const QString path = dir_.filePath("w.ini");
    QCOMPARE(Write_lines(path, {"[base de datos]", "GRENA=/x/guía.mdb"}), 0);
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), QByteArray("[base de datos]\r\nGRENA=/x/gu\xc3\xad" "a.mdb\r\n"));
}

void tst_Ini_file::unwritable_place_is_an_access_error()
{
    QCOMPARE(Write_lines(dir_.filePath("no/such/folder/v.ini"), {"x"}), File_error::Access);
}

QTEST_GUILESS_MAIN(tst_Ini_file)
#include "tst_Ini_file.moc"
