// The database builder: good sources make a working file, and every bad row
// is refused with its file, line and field.
#include "data/Database.h"
#include "data/Database_builder.h"
#include "data/Data_fixture.h"

#include <QtTest>

using namespace vexo;
using test::Query_rows;

namespace {

const QByteArray kLarge_spills_header =
    "Key,Block,ID,Name_of_material,Container,Isolate_meters,Isolate_feets,Day_low_km,Day_low_miles,"
    "Day_moderate_km,Day_moderate_miles,Day_high_km,Day_high_miles,Night_low_km,Night_low_miles,"
    "Night_moderate_km,Night_moderate_miles,Night_high_km,Night_high_miles\n";

} // namespace

class tst_Database_builder : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir_;

    QString Build(const char* out = "out.mdb") { return Build_database(dir_->path(), dir_->filePath(out)); }

private Q_SLOTS:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        test::Write_sources(dir_->path());
    }

    void builds_a_database_the_program_can_query()
    {
        QCOMPARE(Build(), QString());
        auto db = Database::Open(dir_->filePath("out.mdb"));
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
        test::Write_file(dir_->filePath("Large_spills.csv"), kLarge_spills_header + "1,2,1017,Chlorine,Carro tanque de "
                                                             "ferrocarril,1000,3000,9.6,6.0,6.3,3.9,5.1,3.2,11.0+,7.0+,"
                                                             "8.9,5.6,6.5,4.1\n");
        QCOMPARE(Build("with_spills.mdb"), QString());
        QCOMPARE(Query_rows(*Database::Open(dir_->filePath("with_spills.mdb")), sql::Large_spills_of_SQL("1017"),
                            {"Night_low_km"}),
                 QStringList{"11.0+"});
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
            QFile::remove(dir_->filePath(file));
        else
            test::Write_file(dir_->filePath(file), text);
        QCOMPARE(Build(), message);
        QVERIFY(!QFile::exists(dir_->filePath("out.mdb")));
        QCOMPARE(Build("old.mdb"), message);
        QCOMPARE(Database::Open(dir_->filePath("old.mdb"))->OpenRecordset("SELECT * FROM Water")->RecordCount(), 1);
    }

    void touches_nothing_but_the_output()
    {
        // An output that is a folder: refused, nothing left behind.
        const QString folder = dir_->filePath("folder.mdb");
        QVERIFY(QDir(dir_->path()).mkdir("folder.mdb"));
        const QStringList before = QDir(dir_->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        QCOMPARE(Build("folder.mdb"), folder + " es una carpeta, no un archivo.");
        QCOMPARE(QDir(dir_->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
        QVERIFY(QDir(folder).isEmpty());

        // Files beside the output, whatever their names, outlive a build that
        // succeeds and one that fails.
        for (const char* beside : {"out.mdb.tmp", "out.mdb.bak"})
            test::Write_file(dir_->filePath(beside), "mine");
        QCOMPARE(Build(), QString());
        test::Write_file(dir_->filePath("Water.csv"), "ID\n");
        QVERIFY(!Build().isEmpty());
        for (const char* beside : {"out.mdb.tmp", "out.mdb.bak"})
            QCOMPARE(test::Read_file(dir_->filePath(beside)), QByteArray("mine"));
        QCOMPARE(QDir(dir_->path()).entryList({"out.mdb*"}, QDir::Files).size(), 3);
    }
};

QTEST_GUILESS_MAIN(tst_Database_builder)
#include "tst_Database_builder.moc"
