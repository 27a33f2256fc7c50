// The ini file's items, read the way the free-format input always read them.
#include "platform/Ini_file.h"
#include "support/Fixture.h"

#include <QtTest>

using namespace vexo::platform;

class tst_Ini_file : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void items_data()
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
        QTest::newRow("empty file") << QByteArray("") << QStringList{};
        QTest::newRow("missing file is error 53") << QByteArray() << QStringList{};
    }

    void items()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, expected);
        const QString path = dir_.filePath(QTest::currentDataTag() + QStringLiteral(".ini"));
        if (!text.isNull())
            vexo::test::Write_file(path, text);
        const Items read = Read_items(path);
        QCOMPARE(read.error, text.isNull() ? 53 : 0);
        QCOMPARE(read.items, expected);
    }

    // Written lines end in CR LF; a place that cannot be written is an error.
    void writing()
    {
        const QString path = dir_.filePath("w.ini");
        QCOMPARE(Write_lines(path, {"[base de datos]", "GRENA=/x/guía.mdb"}), 0);
        QCOMPARE(vexo::test::Read_file(path), QByteArray("[base de datos]\r\nGRENA=/x/gu\xc3\xad" "a.mdb\r\n"));
        QCOMPARE(Write_lines(dir_.filePath("no/such/folder/v.ini"), {"x"}), File_error::Access);
    }

private:
    QTemporaryDir dir_;
};

QTEST_GUILESS_MAIN(tst_Ini_file)
#include "tst_Ini_file.moc"
