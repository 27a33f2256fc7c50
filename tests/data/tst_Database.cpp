// Opening database files of every kind, and moving through record sets.
#include "data/Database.h"
#include "data/Queries.h"
#include "data/RecordSet.h"
#include "data/Schema.h"
#include "data/Validation.h"
#include "support/Fixture.h"

#include <QtTest>

using namespace vexo;

class tst_Database : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void open_failures_are_told_apart();
    void navigation_and_bookmarks();
    void fields_by_name_nulls_and_errors();
    void damaged_copies_are_refused_or_read_exactly();

private:
    int Open_code(const QString& path);
    QTemporaryDir dir_;
};

int tst_Database::Open_code(const QString& path)
{
    try {
        Database::Open(path);
        return 0;
    } catch (const Db_error& e) {
        return e.number();
    }
}

void tst_Database::open_failures_are_told_apart()
{
    const QString good = dir_.filePath("good.mdb");
    test::Make_database(good, test::Minimal_rows());
    QCOMPARE(Open_code(good), 0);
    QCOMPARE(Open_code(dir_.filePath("missing.mdb")), Db_code::File_not_found);
    QCOMPARE(Open_code(dir_.filePath("no/such/folder/x.mdb")), Db_code::Invalid_path);
    QCOMPARE(Open_code(QString()), Db_code::File_not_found);
    QCOMPARE(Open_code(dir_.path()), Db_code::Invalid_path);

    QFile text(dir_.filePath("notes.mdb"));
    QVERIFY(text.open(QIODevice::WriteOnly));
    text.write("Este archivo es texto, no una base de datos.\n" + QByteArray(2000, 'x'));
    text.close();
    QCOMPARE(Open_code(text.fileName()), Db_code::Unrecognized);

    QFile empty(dir_.filePath("empty.mdb"));
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();
    QCOMPARE(Open_code(empty.fileName()), Db_code::Unrecognized);

    // A database whose pages were overwritten in the middle.
    const QString damaged = dir_.filePath("damaged.mdb");
    QVERIFY(QFile::copy(good, damaged));
    QFile f(damaged);
    QVERIFY(f.open(QIODevice::ReadWrite));
    f.seek(0);
    f.write(QByteArray(100, '\xff'));
    f.close();
    QCOMPARE(Open_code(damaged), Db_code::Unrecognized);
}

void tst_Database::navigation_and_bookmarks()
{
    const QString path = dir_.filePath("nav.mdb");
    QString rows = test::Minimal_rows();
    for (int i = 0; i < 40; ++i)
        rows += QStringLiteral("INSERT INTO Summary (ID, Name, High_green, Bold) VALUES ('%1', 'n%1', 0, 1);\n")
                    .arg(2000 + i);
    test::Make_database(path, rows);
    auto db = Database::Open(path);
    auto rs = db->OpenRecordset("SELECT * FROM Summary ORDER BY ID");
    QCOMPARE(rs->RecordCount(), 40);
    rs->MoveFirst();
    const RecordSet::Bookmark origin = rs->bookmark();
    rs->Move(15, origin);
    QCOMPARE(rs->Field("ID"), QStringLiteral("2015"));
    rs->MoveNext();
    QCOMPARE(rs->Field("ID"), QStringLiteral("2016"));
    rs->MovePrevious();
    rs->MovePrevious();
    QCOMPARE(rs->Field("ID"), QStringLiteral("2014"));
    rs->Move(39, origin);
    QCOMPARE(rs->Field("ID"), QStringLiteral("2039"));
    rs->MoveNext();
    QVERIFY(rs->Eof());
    rs->Move(40, origin);
    QVERIFY(rs->Eof());
    rs->Move(-1, origin);
    QVERIFY(rs->Bof());
    rs->MoveFirst();
    rs->MovePrevious();
    QVERIFY(rs->Bof());
    QVERIFY_THROWS_EXCEPTION(Db_error, rs->Field("ID"));
    // The rows are those of the moment the query ran.
    db->Execute("DELETE * FROM Summary");
    rs->MoveFirst();
    QCOMPARE(rs->Field("ID"), QStringLiteral("2000"));
    rs->Requery();
    QCOMPARE(rs->RecordCount(), 0);
    QVERIFY(rs->Eof() && rs->Bof());
}

void tst_Database::fields_by_name_nulls_and_errors()
{
    const QString path = dir_.filePath("fields.mdb");
    test::Make_database(path, test::Minimal_rows());
    auto db = Database::Open(path);
    auto rs = db->OpenRecordset("SELECT DISTINCT Yellow.*, Sentences.Sentences FROM (Yellow LEFT JOIN Guides_pages ON "
                                "Yellow.Guide_Number = Guides_pages.Guide_page) LEFT JOIN Sentences ON "
                                "Guides_pages.Sentences_key = Sentences.Key WHERE Sentences.Code = 2 AND Yellow.ID = "
                                "'1203'");
    QCOMPARE(rs->Field("name_of_material"), QStringLiteral("Gasoline"));
    QCOMPARE(rs->Field("Sentences"), QStringLiteral("LÍQUIDOS INFLAMABLES"));
    QVERIFY(rs->Is_null("PIH"));
    QCOMPARE(rs->Field("PIH"), QString());
    try {
        rs->Field("No_such_field");
        QFAIL("a missing field must be an error");
    } catch (const Db_error& e) {
        QCOMPARE(e.number(), Db_code::No_such_field);
    }
    // A bad query is an error, not a crash.
    try {
        db->OpenRecordset("SELECT * FROM Nowhere");
        QFAIL("a missing table must be an error");
    } catch (const Db_error& e) {
        QCOMPARE(e.number(), Db_code::No_such_table);
    }
    QVERIFY_THROWS_EXCEPTION(Db_error, db->OpenRecordset("SELECT * FROM Green WHERE Name_of_material = 'open"));
    QVERIFY_THROWS_EXCEPTION(Db_error, db->Execute("DELETE * FROM"));
}

namespace {

// Every value of every table, as the program would read them.
QString Dump(Database& db)
{
    QString all;
    for (const schema::Table& table : schema::Tables()) {
        auto rows = db.OpenRecordset(sql::Table_SQL(table.name));
        for (; !rows->Eof(); rows->MoveNext())
            for (const QString& field : rows->Field_names())
                all += rows->Field(field) + u'|';
    }
    return all;
}

} // namespace

void tst_Database::damaged_copies_are_refused_or_read_exactly()
{
    const QString original = QStringLiteral(VEXO_BIN_DIR "/guide2ks.mdb");
    const QString corpus = dir_.filePath("damaged");
    QProcess make;
    make.start(QStringLiteral(VEXO_PYTHON),
               {QStringLiteral(VEXO_SOURCE_DIR "/tests/data/make_damaged_databases.py"), original, corpus, "120"});
    QVERIFY(make.waitForFinished(240000));
    QCOMPARE(make.exitCode(), 0);
    const QString expected = Dump(*Database::Open(original));

    QStringList read_wrongly;
    int refused = 0, changed_values_refused = 0;
    const QStringList files = QDir(corpus).entryList({"*.mdb"}, QDir::Files, QDir::Name);
    QCOMPARE(files.size(), 120);
    for (const QString& name : files) {
        std::unique_ptr<Database> db;
        try {
            db = Database::Open(QDir(corpus).filePath(name));
        } catch (const Db_error&) {
            ++refused;
            continue;
        }
        if (!validation::Validate(*db).valid) {
            ++refused;
            changed_values_refused += name.contains("value");
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

QTEST_GUILESS_MAIN(tst_Database)
#include "tst_Database.moc"
