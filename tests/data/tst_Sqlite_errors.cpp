// SQLite's failures read as the program's error numbers, the same in every
// part of the data layer: the numbers the start-up messages are keyed on.
#include "data/Database.h"
#include "data/Queries.h"
#include "data/RecordSet.h"
#include "data/Statement.h"
#include "support/Fixture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

using namespace vexo;

class tst_Sqlite_errors : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;

    QString Made(const QString& name)
    {
        const QString path = dir_.filePath(name);
        test::Make_database(path, test::Minimal_rows());
        return path;
    }

private Q_SLOTS:
    void result_codes_data()
    {
        QTest::addColumn<int>("result_code");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("number");
        // Extended codes count as their primary code; compile errors by their message.
        QTest::newRow("busy, extended") << SQLITE_BUSY_SNAPSHOT << "database is locked" << Db_code::Cannot_open;
        QTest::newRow("read-only") << SQLITE_READONLY << "attempt to write a readonly database" << Db_code::Cannot_open;
        QTest::newRow("damaged index") << SQLITE_CORRUPT_INDEX << "database disk image is malformed"
                                       << Db_code::Unrecognized;
        QTest::newRow("not a database") << SQLITE_NOTADB << "file is not a database" << Db_code::Unrecognized;
        QTest::newRow("missing table") << SQLITE_ERROR << "no such table: Yellow" << Db_code::No_such_table;
        QTest::newRow("missing column") << SQLITE_ERROR << "no such column: Yellow.PIH" << Db_code::No_such_field;
        QTest::newRow("unclosed literal") << SQLITE_ERROR << "unrecognized token: \"'abc\"" << Db_code::Syntax;
        QTest::newRow("input/output") << SQLITE_IOERR_READ << "disk I/O error" << Db_code::Other;
    }
    void result_codes()
    {
        QFETCH(int, result_code);
        QFETCH(QString, message);
        QFETCH(int, number);
        QCOMPARE(sqlite::Classify(result_code, message), number);
    }

    // Another program holds the file: a query and a write both say so, after
    // waiting a moment for it.
    void a_locked_file_is_reported_alike()
    {
        const QString path = Made(QStringLiteral("locked.mdb"));
        auto db = Database::Open(path);
        sqlite3* other = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(path).constData(), &other), SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_busy_timeout(db->handle(), 50);
        const int query = test::Error_number([&] { db->OpenRecordset(sql::Index_by_number_SQL()); });
        const int write = test::Error_number([&] { db->Execute(sql::Clear_summary_SQL()); });
        sqlite3_close(other);
        QCOMPARE(query, Db_code::Cannot_open);
        QCOMPARE(write, Db_code::Cannot_open);
    }

    // A file whose index table page was overwritten opens (its schema is
    // whole) and then fails as unrecognized wherever that table is read.
    void a_damaged_file_is_reported_alike()
    {
        const QString path = Made(QStringLiteral("damaged.mdb"));
        qint64 root = 0, page_size = 0;
        {
            auto db = Database::Open(path);
            auto found = db->OpenRecordset(QStringLiteral("SELECT rootpage FROM sqlite_master WHERE name = 'Yellow'"));
            root = found->Field(QStringLiteral("rootpage")).toLongLong();
            page_size = db->OpenRecordset(QStringLiteral("PRAGMA page_size"))->Field(QStringLiteral("page_size")).toLongLong();
        }
        {
            QFile file(path);
            QVERIFY(root > 1 && file.open(QIODevice::ReadWrite));
            file.seek((root - 1) * page_size);
            file.write(QByteArray(16, '\x55'));
        }
        auto db = Database::Open(path);
        QCOMPARE(test::Error_number([&] {
                     auto records = db->OpenRecordset(sql::Index_by_number_SQL());
                     records->MoveFirst();
                     (void)records->Field(QStringLiteral("Name_of_material"));
                 }),
                 Db_code::Unrecognized);
        QCOMPARE(test::Error_number([&] { db->Execute(QStringLiteral("INSERT INTO Yellow (ID) VALUES ('1017')")); }),
                 Db_code::Unrecognized);
    }
};

QTEST_GUILESS_MAIN(tst_Sqlite_errors)
#include "tst_Sqlite_errors.moc"
