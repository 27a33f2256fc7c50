// Opening database files of every kind, and moving through record sets.
#include "data/Database.h"
#include "data/Queries.h"
#include "data/RecordSet.h"
#include "data/Schema.h"
#include "data/Validation.h"
#include "support/Fixture.h"

#include <QtTest>

using namespace vexo;
using namespace Qt::StringLiterals;
using test::Error_number;

namespace {

// Every value of every table, as the program would read them.
QString Dump(Database& db)
{
    QString all;
    for (const schema::Table& table : schema::Tables())
        for (auto rows = db.OpenRecordset(sql::Table_SQL(table.name)); !rows->Eof(); rows->MoveNext())
            for (const QString& field : rows->Field_names())
                all += rows->Field(field) + u'|';
    return all;
}

} // namespace

class tst_Database : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

private Q_SLOTS:
    void open_failures_are_told_apart_data()
    {
        QTest::addColumn<QString>("name");     // "" for no name at all
        QTest::addColumn<QByteArray>("bytes"); // written to the file first; "-" for none
        QTest::addColumn<int>("number");
        QTest::newRow("missing file") << "missing.mdb" << QByteArray("-") << int(Db_code::File_not_found);
        QTest::newRow("no name") << "" << QByteArray("-") << int(Db_code::File_not_found);
        QTest::newRow("missing folder") << "no/such/folder/x.mdb" << QByteArray("-") << int(Db_code::Invalid_path);
        QTest::newRow("a folder") << "." << QByteArray("-") << int(Db_code::Invalid_path);
        QTest::newRow("text") << "notes.mdb" << "Este archivo es texto, no una base de datos.\n" + QByteArray(2000, 'x')
                              << int(Db_code::Unrecognized);
        QTest::newRow("empty file") << "empty.mdb" << QByteArray() << int(Db_code::Unrecognized);
        QTest::newRow("header overwritten") << "damaged.mdb" << QByteArray(100, '\xff') << int(Db_code::Unrecognized);
        QTest::newRow("good") << "good.mdb" << QByteArray() << 0;
    }

    void open_failures_are_told_apart()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(int, number);
        const QString path = name.isEmpty() ? QString() : dir_.filePath(name);
        if (name.endsWith(u"good.mdb"_s) || name.endsWith(u"damaged.mdb"_s))
            test::Make_database(path, test::Minimal_rows());
        if (bytes != "-") {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            f.write(bytes);
        }
        QCOMPARE(Error_number([&] { Database::Open(path); }), number);
    }

    // Moves past either end land on Eof or Bof; the rows are those of the
    // moment the query ran, until it is run again.
    void moves_past_the_ends_and_rows_of_their_moment()
    {
        const QString path = dir_.filePath("nav.mdb");
        QString rows = test::Minimal_rows();
        for (int i = 0; i < 40; ++i)
            rows += u"INSERT INTO Summary (ID, Name, High_green, Bold) VALUES ('%1', 'n%1', 0, 1);\n"_s.arg(2000 + i);
        test::Make_database(path, rows);
        auto db = Database::Open(path);
        auto rs = db->OpenRecordset("SELECT * FROM Summary ORDER BY ID");
        rs->MoveFirst();
        const RecordSet::Bookmark origin = rs->bookmark();
        rs->Move(39, origin);
        QCOMPARE(rs->Field("ID"), u"2039"_s);
        rs->MoveNext();
        QVERIFY(rs->Eof());
        rs->Move(40, origin);
        QVERIFY(rs->Eof());
        rs->Move(-1, origin);
        QVERIFY(rs->Bof());
        db->Execute("DELETE * FROM Summary");
        rs->MoveFirst();
        QCOMPARE(rs->Field("ID"), u"2000"_s);
        rs->Requery();
        QCOMPARE(rs->RecordCount(), 0);
        QVERIFY(rs->Eof() && rs->Bof());
    }

    void fields_by_name_nulls_and_errors()
    {
        const QString path = dir_.filePath("fields.mdb");
        test::Make_database(path, test::Minimal_rows());
        auto db = Database::Open(path);
        auto rs = db->OpenRecordset(
            "SELECT DISTINCT Yellow.*, Sentences.Sentences FROM (Yellow LEFT JOIN Guides_pages ON Yellow.Guide_Number "
            "= Guides_pages.Guide_page) LEFT JOIN Sentences ON Guides_pages.Sentences_key = Sentences.Key WHERE "
            "Sentences.Code = 2 AND Yellow.ID = '1203'");
        QCOMPARE(rs->Field("name_of_material"), u"Gasoline"_s);
        QCOMPARE(rs->Field("Sentences"), u"LÍQUIDOS INFLAMABLES"_s);
        QVERIFY(rs->Is_null("PIH"));
        QCOMPARE(rs->Field("PIH"), QString());
        QCOMPARE(Error_number([&] { rs->Field("No_such_field"); }), Db_code::No_such_field);
        // A bad query is an error, not a crash.
        QCOMPARE(Error_number([&] { db->OpenRecordset("SELECT * FROM Nowhere"); }), Db_code::No_such_table);
        QVERIFY(Error_number([&] { db->OpenRecordset("SELECT * FROM Green WHERE Name_of_material = 'open"); }));
        QVERIFY(Error_number([&] { db->Execute("DELETE * FROM"); }));
    }

    // Damaged copies of the default database: each is refused or read exactly.
    void damaged_copies_are_refused_or_read_exactly()
    {
        const QString original = QStringLiteral(VEXO_BIN_DIR "/guide2ks.mdb");
        const QString corpus = dir_.filePath("damaged");
        QProcess make;
        make.start(QStringLiteral(VEXO_PYTHON),
                   {QStringLiteral(VEXO_SOURCE_DIR "/tests/data/make_damaged_databases.py"), original, corpus, "120"});
        QVERIFY(make.waitForFinished(240000));
        QCOMPARE(make.exitCode(), 0);
        const QString expected = Dump(*Database::Open(original));
        // As at a start after the original was found valid: a damaged copy
        // differs from it and is checked in full.
        const QString verified = validation::Validate(*Database::Open(original)).digest;
        QVERIFY(!verified.isEmpty());

        QStringList read_wrongly;
        int refused = 0, changed_values_refused = 0;
        const QStringList files = QDir(corpus).entryList({"*.mdb"}, QDir::Files, QDir::Name);
        QCOMPARE(files.size(), 120);
        for (const QString& name : files) {
            std::unique_ptr<Database> db;
            if (Error_number([&] { db = Database::Open(QDir(corpus).filePath(name)); }) || !validation::Validate(*db, verified).valid) {
                ++refused;
                changed_values_refused += db && name.contains("value");
                continue;
            }
            try {
                if (Dump(*db) != expected)
                    read_wrongly << name;
            } catch (const Db_error& e) {
                read_wrongly << name + ": " + e.description();
            }
        }
        qInfo("%d of %lld damaged copies refused, %d of them with a value changed", refused, files.size(),
              changed_values_refused);
        QCOMPARE(read_wrongly, QStringList());
        QVERIFY(changed_values_refused > 20);
    }
};

QTEST_GUILESS_MAIN(tst_Database)
#include "tst_Database.moc"
