// Database files: built from good sources, every bad row refused with its
// file, line and field; opened whatever their kind; read as record sets; and
// SQLite's failures read as the program's error numbers, the same in every
// part of the data layer: the numbers the start-up messages are keyed on.
#include "data/Data_fixture.h"
#include "data/Data_version.h"
#include "data/Database_builder.h"
#include "data/Schema.h"
#include "data/Statement.h"
#include "data/Validation.h"

#include <QtTest>

#include <sqlite3.h>

#include <random>

using namespace vexo;
using test::Error_number;
using test::Query_rows;

namespace {

const QByteArray kLarge_spills_header =
    "Key,Block,ID,Name_of_material,Container,Isolate_meters,Isolate_feets,Day_low_km,Day_low_miles,"
    "Day_moderate_km,Day_moderate_miles,Day_high_km,Day_high_miles,Night_low_km,Night_low_miles,"
    "Night_moderate_km,Night_moderate_miles,Night_high_km,Night_high_miles\n";

// Copies of `original`, each damaged in one way named in its file name (a
// letter or digit changed is mostly a value), the same copies every run.
void Make_damaged_copies(const QByteArray& original, const QDir& folder, int count)
{
    std::mt19937 rng(14);
    const auto below = [&](qsizetype end, qsizetype start = 0) {
        return std::uniform_int_distribution<qsizetype>(start, end - 1)(rng);
    };
    const int stored_size = uchar(original[16]) << 8 | uchar(original[17]);
    const qsizetype size = stored_size == 1 ? 65536 : stored_size;
    const qsizetype pages = original.size() / size;
    const QByteArray alnum = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QList<qsizetype> letters; // most of them row values
    for (qsizetype i = 0; i < original.size(); ++i)
        if (alnum.contains(original[i]))
            letters << i;
    const QList<QByteArray> kinds{"value", "value", "value", "value", "value", "value", "bytes",
                                  "bytes", "bytes", "zero_page", "copy_page", "cut", "header"};
    for (int n = 0; n < count; ++n) {
        QByteArray data = original;
        const QByteArray& kind = kinds[n % kinds.size()];
        if (kind == "value") {
            for (qsizetype changes = below(3, 1); changes > 0; --changes) {
                const qsizetype at = letters[below(letters.size())];
                QByteArray others = alnum;
                others.remove(alnum.indexOf(data[at]), 1);
                data[at] = others[below(others.size())];
            }
        } else if (kind == "bytes") {
            for (qsizetype changes = below(5, 1); changes > 0; --changes)
                data[below(data.size(), 100)] = char(below(256));
        } else if (kind == "zero_page") {
            data.replace(below(pages, 1) * size, size, QByteArray(size, '\0'));
        } else if (kind == "copy_page") {
            const qsizetype from = below(pages, 1);
            const qsizetype to = (from + below(pages - 2)) % (pages - 1) + 1; // any other page
            data.replace(to * size, size, original.mid(from * size, size));
        } else if (kind == "cut") {
            data.truncate(below(pages, 1) * size);
        } else {
            const int at = QList<int>{16, 17, 20, 28, 29, 30, 31, 40, 43, 44, 52, 56, 59}[below(13)];
            data[at] = char(uchar(data[at]) + below(256, 1));
        }
        test::Write_file(folder.filePath(QString::asprintf("%03d_%s.mdb", n, kind.constData())), data);
    }
}

} // namespace

class tst_Database : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    std::unique_ptr<QTemporaryDir> sources_; // a small book's, fresh for each test

    QString Build(const char* out = "out.mdb")
    {
        return Build_database(sources_->path(), sources_->filePath(out));
    }

    QString Made(const QString& name)
    {
        const QString path = dir_.filePath(name);
        test::Make_database(path, test::Minimal_rows());
        return path;
    }

private Q_SLOTS:
    void init()
    {
        sources_ = std::make_unique<QTemporaryDir>();
        test::Write_sources(sources_->path());
    }

    void builds_a_database_the_program_can_query()
    {
        QCOMPARE(Build(), QString());
        auto db = Database::Open(sources_->filePath("out.mdb"));
        QCOMPARE(data_version::Read(sources_->filePath("out.mdb")), 0); // sources without a version
        QCOMPARE(Query_rows(*db, sql::Index_by_number_SQL(), {"ID"}),
                 QStringList({"1005", "1017", "1789", "2031", "2000", "1010", "1011", "1012", "1018", "1019"}));
        QCOMPARE(Query_rows(*db, test::Find_SQL(sql::Find_is_term("o'brien's \"MIX\" 50% [x]_y*")), {"ID"}),
                 QStringList{"1010"});
        QCOMPARE(Query_rows(*db, "SELECT * FROM Water", {"ID", "Third_name_search"}), QStringList{"1789|Chlorine"});
        QCOMPARE(Query_rows(*db, "SELECT * FROM Sentences WHERE Key = 4", {"Sentences"}),
                 QStringList{"Línea uno,\nlínea dos"});
        // Summary.csv is optional: the table starts empty and takes rows.
        db->Execute(sql::Add_to_summary_SQL("1017", "Chlorine", "0", "1"));
        QCOMPARE(db->OpenRecordset(sql::Summary_view_SQL())->RecordCount(), 1);
        // Large_spills.csv is optional too: without it the table is not made.
        QVERIFY_THROWS_EXCEPTION(Db_error, db->OpenRecordset(sql::Large_spills_SQL()));
        test::Write_file(sources_->filePath("Large_spills.csv"),
                         kLarge_spills_header + "1,2,1017,Chlorine,Carro tanque de ferrocarril,1000,3000,9.6,6.0,6.3,"
                                                "3.9,5.1,3.2,11.0+,7.0+,8.9,5.6,6.5,4.1\n");
        test::Write_file(sources_->filePath(data_version::kSource_file), "2026120701\n");
        QCOMPARE(Build("with_spills.mdb"), QString());
        QCOMPARE(data_version::Read(sources_->filePath("with_spills.mdb")), 2026120701);
        auto with_spills = Database::Open(sources_->filePath("with_spills.mdb"));
        QVERIFY(validation::Validate(*with_spills).valid);
        QCOMPARE(Query_rows(*with_spills, sql::Large_spills_of_SQL("1017"), {"Night_low_km"}), QStringList{"11.0+"});
    }

    void refuses_bad_sources_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("message");
        const QByteArray sentences = "Key,Sentences,Code\n1,";
        QTest::newRow("letters in a number") << "Sentences.csv" << sentences + "GUÍA,5\n2,X,dos\n"
                                             << "Sentences.csv, línea 3, campo Code: «dos» no es un número entero.";
        QTest::newRow("missing field") << "Sentences.csv" << QByteArray("Key,Sentences\n1,GUÍA\n")
                                       << "Sentences.csv, línea 1: falta el campo Code en el encabezado.";
        QTest::newRow("unknown field") << "Sentences.csv" << QByteArray("Key,Sentences,Code,Color\n1,GUÍA,5,rojo\n")
                                       << "Sentences.csv, línea 1: campo desconocido «Color» en el encabezado.";
        QTest::newRow("short row") << "Guides_pages.csv" << QByteArray("Key,Guide_page,Sentences_key\n1,124,1\n2,124\n")
                                   << "Guides_pages.csv, línea 3: la fila tiene 2 campos y el encabezado 3.";
        QTest::newRow("unclosed quote") << "Sentences.csv" << sentences + "\"GUÍA,5\n2,X,0\n"
                                        << "Sentences.csv, línea 2: comillas sin cerrar.";
        QTest::newRow("repeated key") << "Sentences.csv" << sentences + "GUÍA,5\n1,Otra,0\n"
                                      << "Sentences.csv, línea 3, campo Key: la clave 1 está repetida.";
        QTest::newRow("no rows") << "Green.csv" << test::kGreen_header << "Green.csv: la tabla Green no tiene filas.";
        QTest::newRow("stray opening quote") << "Sentences.csv" << sentences + "\"GUÍA,5\n2,X,0\n3,\"Y\",0\n"
                                             << "Sentences.csv, línea 2: comillas sin cerrar.";
        QTest::newRow("quote inside a field") << "Sentences.csv" << sentences + "GUÍA,5\n2,GU\"ÍA,5\n"
                                              << "Sentences.csv, línea 3: comillas dentro de un campo sin comillas.";
        QTest::newRow("repeated header field")
            << "Sentences.csv" << QByteArray("Key,Sentences,Code,Code\n1,GUÍA,5\n")
            << "Sentences.csv, línea 1: el campo Code está repetido en el encabezado.";
        QTest::newRow("not UTF-8") << "Yellow.csv" << QByteArray("ID,Name\n1017,Cl\xf3ro\n")
                                   << "Yellow.csv, línea 2: el archivo no está en UTF-8.";
        QTest::newRow("optional table, a field missing")
            << "Large_spills.csv" << QByteArray(kLarge_spills_header).replace(",Night_high_miles", "")
            << "Large_spills.csv, línea 1: falta el campo Night_high_miles en el encabezado.";
        QTest::newRow("a version not a number")
            << data_version::kSource_file << QByteArray("v2\n")
            << "data_version.txt: la versión de los datos debe ser un número entero positivo.";
        QTest::newRow("a table missing") << "Water.csv" << QByteArray()
                                         << "Water.csv: falta el archivo de la tabla Water.";
    }

    // A failed build leaves no output, and an old one as it was.
    void refuses_bad_sources()
    {
        QFETCH(QString, file);
        QFETCH(QByteArray, text);
        QFETCH(QString, message);
        QCOMPARE(Build("old.mdb"), QString());
        if (text.isEmpty())
            QFile::remove(sources_->filePath(file));
        else
            test::Write_file(sources_->filePath(file), text);
        QCOMPARE(Build(), message);
        QVERIFY(!QFile::exists(sources_->filePath("out.mdb")));
        QCOMPARE(Build("old.mdb"), message);
        QCOMPARE(Database::Open(sources_->filePath("old.mdb"))->OpenRecordset("SELECT * FROM Water")->RecordCount(), 1);
    }

    void touches_nothing_but_the_output()
    {
        // An output that is a folder: refused, nothing left behind.
        const QString folder = sources_->filePath("folder.mdb");
        QVERIFY(QDir(sources_->path()).mkdir("folder.mdb"));
        const QStringList before = QDir(sources_->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QCOMPARE(Build("folder.mdb"), folder + " es una carpeta, no un archivo.");
        QCOMPARE(QDir(sources_->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
        QVERIFY(QDir(folder).isEmpty());

        // Files beside the output, whatever their names, outlive a build that
        // succeeds and one that fails.
        for (const char* beside : {"out.mdb.tmp", "out.mdb.bak"})
            test::Write_file(sources_->filePath(beside), "mine");
        QCOMPARE(Build(), QString());
        test::Write_file(sources_->filePath("Water.csv"), "ID\n");
        QVERIFY(!Build().isEmpty());
        for (const char* beside : {"out.mdb.tmp", "out.mdb.bak"})
            QCOMPARE(test::Read_file(sources_->filePath(beside)), QByteArray("mine"));
        QCOMPARE(QDir(sources_->path()).entryList({"out.mdb*"}, QDir::Files).size(), 3);
    }

    // No name, files the start-up suite does not meet, and codes no file here
    // gives, read as error numbers. Extended codes count as their primary code.
    void failures_read_as_error_numbers()
    {
        test::Write_file(dir_.filePath("empty.mdb"), QByteArray());
        QFile damaged(Made("header.mdb"));
        QVERIFY(damaged.open(QIODevice::ReadWrite) && damaged.write(QByteArray(100, '\xff')) == 100);
        damaged.close();
        QCOMPARE(Error_number([&] { Database::Open(QString()); }), Db_code::File_not_found);
        QCOMPARE(Error_number([&] { Database::Open(dir_.path()); }), Db_code::Invalid_path);
        QCOMPARE(Error_number([&] { Database::Open(dir_.filePath("empty.mdb")); }), Db_code::Unrecognized);
        QCOMPARE(Error_number([&] { Database::Open(damaged.fileName()); }), Db_code::Unrecognized);
        QCOMPARE(sqlite::Classify(SQLITE_BUSY_SNAPSHOT, "database is locked"), Db_code::Cannot_open);
        QCOMPARE(sqlite::Classify(SQLITE_READONLY, "attempt to write a readonly database"), Db_code::Cannot_open);
        QCOMPARE(sqlite::Classify(SQLITE_IOERR_READ, "disk I/O error"), Db_code::Other);
    }

    // Fields by name in any case, nulls, moves past either end; the rows are
    // those of the moment the query ran, until it runs again; a bad query is
    // an error, not a crash.
    void records_and_bad_queries()
    {
        auto db = Database::Open(Made("fields.mdb"));
        auto rs = db->OpenRecordset(test::Find_SQL(sql::Find_ID_term("1203")));
        QCOMPARE(rs->Field("name_of_material") + u'|' + rs->Field("Sentences"), "Gasoline|LÍQUIDOS INFLAMABLES");
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
        QCOMPARE(index->Field("ID"), "1017");
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
        const QString original = QStringLiteral(VEXO_BOOK);
        const QDir corpus(dir_.filePath("damaged"));
        QVERIFY(corpus.mkpath("."));
        Make_damaged_copies(test::Read_file(original), corpus, 120);
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
        QStringList read_wrongly;
        int changed_values_refused = 0;
        const QStringList files = corpus.entryList({"*.mdb"}, QDir::Files);
        QCOMPARE(files.size(), 120);
        for (const QString& name : files) {
            std::unique_ptr<Database> db;
            if (Error_number([&] { db = Database::Open(corpus.filePath(name)); })
                || !validation::Validate(*db, verified).valid)
                changed_values_refused += db && name.contains("value");
            else if (Error_number([&] { read_wrongly += dump(*db) == expected ? QStringList() : QStringList{name}; }))
                read_wrongly << name + ": not read";
        }
        QCOMPARE(read_wrongly, QStringList());
        QVERIFY(changed_values_refused > 20);
    }
};

QTEST_GUILESS_MAIN(tst_Database)
#include "tst_Database.moc"
