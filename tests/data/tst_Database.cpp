// Opening database files of every kind, reading record sets, and SQLite's
// failures read as the program's error numbers, the same in every part of
// the data layer: the numbers the start-up messages are keyed on.
#include "data/Database.h"
#include "data/Data_fixture.h"
#include "data/Schema.h"
#include "data/Statement.h"
#include "data/Validation.h"
#include "support/Fixture.h"

#include <QtTest>

#include <sqlite3.h>

using namespace vexo;
using namespace Qt::StringLiterals;
using test::Error_number;
using test::Query_rows;

class tst_Database : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;

    QString Made(const QString& name)
    {
        const QString path = dir_.filePath(name);
        test::Make_database(path, test::Minimal_rows());
        return path;
    }

private Q_SLOTS:
    // Files the start-up suite does not meet: a folder, an empty file, a
    // header overwritten.
    void open_failures_are_told_apart_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes"); // written over the file's start
        QTest::addColumn<int>("number");
        QTest::newRow("a folder") << "." << QByteArray() << int(Db_code::Invalid_path);
        QTest::newRow("empty file") << "empty.mdb" << QByteArray() << int(Db_code::Unrecognized);
        QTest::newRow("header overwritten") << "damaged.mdb" << QByteArray(100, '\xff') << int(Db_code::Unrecognized);
    }

    void open_failures_are_told_apart()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        QFETCH(int, number);
        const QString path = name == "damaged.mdb"_L1 ? Made(name) : dir_.filePath(name);
        QFile file(path);
        QVERIFY(name == "."_L1 || (file.open(QIODevice::ReadWrite) && file.write(bytes) == bytes.size()));
        file.close();
        QCOMPARE(Error_number([&] { Database::Open(path); }), number);
    }

    void result_codes_data()
    {
        QTest::addColumn<int>("result_code");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("number");
        // Extended codes count as their primary code. (A damaged file, one not a
        // database and bad queries are met below.)
        QTest::newRow("busy, extended") << SQLITE_BUSY_SNAPSHOT << "database is locked" << Db_code::Cannot_open;
        QTest::newRow("read-only") << SQLITE_READONLY << "attempt to write a readonly database" << Db_code::Cannot_open;
        QTest::newRow("input/output") << SQLITE_IOERR_READ << "disk I/O error" << Db_code::Other;
    }

    void result_codes()
    {
        QFETCH(int, result_code);
        QFETCH(QString, message);
        QFETCH(int, number);
        QCOMPARE(sqlite::Classify(result_code, message), number);
    }

    // Fields by name in any case, nulls, moves past either end; the rows are
    // those of the moment the query ran, until it runs again; a bad query is
    // an error, not a crash.
    void records_and_bad_queries()
    {
        auto db = Database::Open(Made("fields.mdb"));
        auto rs = db->OpenRecordset(test::Find_SQL(sql::Find_ID_term("1203")));
        QCOMPARE(rs->Field("name_of_material") + u'|' + rs->Field("Sentences"), u"Gasoline|LÍQUIDOS INFLAMABLES"_s);
        QVERIFY(rs->Is_null("PIH") && rs->Field("PIH").isEmpty());
        QCOMPARE(Error_number([&] { rs->Field("No_such_field"); }), Db_code::No_such_field);
        QCOMPARE(Error_number([&] { db->OpenRecordset("SELECT * FROM Nowhere"); }), Db_code::No_such_table);
        QCOMPARE(Error_number([&] { db->OpenRecordset("SELECT Nope FROM Yellow"); }), Db_code::No_such_field);
        QCOMPARE(Error_number([&] { db->OpenRecordset("SELECT * FROM Green WHERE Name_of_material = 'open"); }),
                 Db_code::Syntax);
        QVERIFY(Error_number([&] { db->Execute("DELETE * FROM"); }));

        auto index = db->OpenRecordset(sql::Index_by_number_SQL());
        index->MoveFirst();
        const RecordSet::Bookmark origin = index->bookmark();
        index->Move(2, origin);
        QVERIFY(index->Eof());
        index->Move(-1, origin);
        QVERIFY(index->Bof());
        db->Execute("DELETE * FROM Yellow");
        index->MoveFirst();
        QCOMPARE(index->Field("ID"), u"1017"_s);
        index->Requery();
        QVERIFY(index->Eof() && index->Bof());
    }

    // Another program holds the file: a query and a write both say so, after
    // waiting a moment for it.
    void a_locked_file_is_reported_alike()
    {
        const QString path = Made("locked.mdb");
        auto db = Database::Open(path);
        sqlite3* other = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(path).constData(), &other), SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_busy_timeout(db->handle(), 50);
        const int query = Error_number([&] { db->OpenRecordset(sql::Index_by_number_SQL()); });
        const int write = Error_number([&] { db->Execute(sql::Clear_summary_SQL()); });
        sqlite3_close(other);
        QCOMPARE(query, Db_code::Cannot_open);
        QCOMPARE(write, Db_code::Cannot_open);
    }

    // A file whose index table page was overwritten opens (its schema is
    // whole) and then fails as unrecognized wherever that table is read.
    void a_damaged_file_is_reported_alike()
    {
        const QString path = Made("damaged_page.mdb");
        const auto number = [&](const char* sql) {
            return Query_rows(*Database::Open(path), sql).value(0).toLongLong();
        };
        const qint64 root = number("SELECT rootpage FROM sqlite_master WHERE name = 'Yellow'");
        const qint64 page_size = number("PRAGMA page_size");
        QFile file(path);
        QVERIFY(root > 1 && file.open(QIODevice::ReadWrite) && file.seek((root - 1) * page_size));
        file.write(QByteArray(16, '\x55'));
        file.close();
        auto db = Database::Open(path);
        QCOMPARE(Error_number([&] { Query_rows(*db, sql::Index_by_number_SQL()); }), Db_code::Unrecognized);
        QCOMPARE(Error_number([&] { db->Execute("INSERT INTO Yellow (ID) VALUES ('1017')"); }), Db_code::Unrecognized);
    }

    // Damaged copies of the default database: each is refused or read exactly.
    void damaged_copies_are_refused_or_read_exactly()
    {
        const QString original = QStringLiteral(VEXO_BIN_DIR "/guide2ks.mdb");
        const QDir corpus(dir_.filePath("damaged"));
        QProcess make;
        make.start(VEXO_PYTHON,
                   {VEXO_SOURCE_DIR "/tests/data/make_damaged_databases.py", original, corpus.path(), "120"});
        QVERIFY(make.waitForFinished(240000));
        QCOMPARE(make.exitCode(), 0);
        // Every value of every table, as the program would read them.
        const auto dump = [](Database& db) {
            QStringList all;
            for (const schema::Table& table : schema::Tables())
                all += Query_rows(db, sql::Table_SQL(table.name));
            return all;
        };
        const QStringList expected = dump(*Database::Open(original));
        // As at a start after the original was found valid: a damaged copy
        // differs from it and is checked in full.
        const QString verified = validation::Validate(*Database::Open(original)).digest;
        QVERIFY(!verified.isEmpty());

        QStringList read_wrongly;
        int refused = 0, changed_values_refused = 0;
        const QStringList files = corpus.entryList({"*.mdb"}, QDir::Files, QDir::Name);
        QCOMPARE(files.size(), 120);
        for (const QString& name : files) {
            std::unique_ptr<Database> db;
            if (Error_number([&] { db = Database::Open(corpus.filePath(name)); })
                || !validation::Validate(*db, verified).valid) {
                ++refused;
                changed_values_refused += db && name.contains("value");
                continue;
            }
            if (Error_number([&] { read_wrongly += dump(*db) == expected ? QStringList() : QStringList{name}; }))
                read_wrongly << name + ": not read";
        }
        qInfo("%d of %lld damaged copies refused, %d of them with a value changed", refused, files.size(),
              changed_values_refused);
        QCOMPARE(read_wrongly, QStringList());
        QVERIFY(changed_values_refused > 20);
    }
};

QTEST_GUILESS_MAIN(tst_Database)
#include "tst_Database.moc"
