// Finding the database at start-up: the ini file, every kind of unusable
// file, the file dialog and the end when the user gives up.
#include "app/General.h"
#include "app/frmMain.h"
#include "data/Validation.h"
#include "platform/Platform.h"
#include "support/Fixture.h"
#include "support/Scripted_platform.h"

#include <QtTest>

using namespace vexo;
using test::Program_ended;

namespace {

const QString kNotFound = QStringLiteral("La Base de datos no encuentró '%1'. Por favor buscar un producto válido en la base de datos.");
const QString kInvalidPath = QStringLiteral("Unidad no válida. Por favor buscar un producto válido en la base de datos.");
const QString kUnknownFormat = QStringLiteral("Base de datos desconocida '%1'. Por favor buscar un producto válido en la base de datos.");
const QString kNotValid = QStringLiteral("Este no es un base de datos válida.  Por favor especificar una base de datos válida.");
const QString kGiveUp = QStringLiteral("Este programa no podrá  funcionar sin una base de datos válida.");

} // namespace

class tst_frmMain_database : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<test::Scripted_platform> ui_;
    std::unique_ptr<frmMain> main_;

    // Runs the main window's load; false when the program ended.
    bool Load()
    {
        try {
            main_->Load();
            return true;
        } catch (const Program_ended&) {
            return false;
        }
    }

    QString Good_database(const QString& name = QStringLiteral("good.mdb"), const QString& extra = {})
    {
        const QString path = dir_->filePath(name);
        test::Make_database(path, test::Minimal_rows() + extra);
        // As the builder leaves it: with the checksums of its reference tables.
        validation::Write_checksums(*Database::Open(path));
        return path;
    }

    void Write_ini(const QString& path)
    {
        test::Write_file(dir_->filePath("vexo.ini"), "[base de datos]\r\nGRENA=" + path.toUtf8() + "\r\n");
    }

private Q_SLOTS:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_->filePath("settings"));
        platform::Set_app_path(dir_->path());
        ui_ = std::make_unique<test::Scripted_platform>();
        Main_database.reset();
        Database_path.clear();
        main_ = std::make_unique<frmMain>();
        Main_form = main_.get();
    }

    void cleanup()
    {
        Main_form = nullptr;
        main_.reset();
        Main_database.reset();
        ui_.reset();
    }

    // What the ini file names ("%d" the program folder), what the user is
    // told, and the database the program goes on with ("" it ends).
    void the_ini_file_names_the_database_data()
    {
        QTest::addColumn<QByteArray>("ini");  // null: no ini file; "folder": a folder in its place
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("database");
        const QString fatal = QStringLiteral("Error desconocido %1#2. El programa finalizará su sesión.");
        QTest::newRow("good") << QByteArray("GRENA=%d/good.mdb") << QStringList() << "good.mdb";
        QTest::newRow("first start writes it") << QByteArray() << QStringList() << "guide2ks.mdb";
        QTest::newRow("key in any case, the last wins")
            << QByteArray("GRENA=%d/other.mdb\r\nother=1\r\ngrena=%d/good.mdb") << QStringList() << "good.mdb";
        QTest::newRow("a comma cuts the path") << QByteArray("GRENA=%d/a,b.mdb") << QStringList{kNotFound.arg("%d/a")}
                                               << "good.mdb";
        QTest::newRow("no key names nothing") << QByteArray("") << QStringList{kNotFound.arg("")} << "good.mdb";
        QTest::newRow("key alone") << QByteArray("GRENA") << QStringList{fatal.arg(5)} << "";
        QTest::newRow("unreadable") << QByteArray("folder") << QStringList{fatal.arg(75)} << "";
    }
    void the_ini_file_names_the_database()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QStringList, messages);
        QFETCH(QString, database);
        const QString good = Good_database();
        QVERIFY(QFile::copy(good, dir_->filePath("a,b.mdb")));
        if (ini.isNull())
            Good_database(QStringLiteral("guide2ks.mdb"));
        else if (ini == "folder")
            QVERIFY(QDir(dir_->path()).mkdir("vexo.ini"));
        else
            test::Write_file(dir_->filePath("vexo.ini"), "[base de datos]\r\n" + ini.replace("%d", dir_->path().toUtf8()) + "\r\n");
        ui_->files << good;
        QCOMPARE(Load(), !database.isEmpty());
        QCOMPARE(ui_->texts(), messages.replaceInStrings("%d", dir_->path()));
        if (database.isEmpty()) {
            QCOMPARE(ui_->shown.first().icon, platform::Icon::Exclamation);
            QCOMPARE(ui_->shown.first().title, QStringLiteral("MARDOVI VEXO"));
            return;
        }
        QCOMPARE(ui_->beeps, messages.size());
        QCOMPARE(Database_path, dir_->filePath(database));
        QCOMPARE(main_->windowTitle(), QStringLiteral("MARDOVI VEXO"));
        if (!messages.isEmpty())
            QCOMPARE(ui_->filters, QStringList{"Microsoft Access (*.mdb)|*.mdb|*.*|*.*"});
        if (!messages.isEmpty() || ini.isNull())
            QCOMPARE(test::Read_file(dir_->filePath("vexo.ini")), "[base de datos]\r\nGRENA=" + Database_path.toUtf8() + "\r\n");
    }

    void unusable_files_data()
    {
        QTest::addColumn<QString>("kind"); // a kind of file, or SQL that spoils a good one
        QTest::addColumn<QString>("message"); // %1: the path in the ini file
        QTest::newRow("missing file") << "missing" << kNotFound;
        QTest::newRow("folder that does not exist") << "no folder" << kInvalidPath;
        QTest::newRow("text file renamed .mdb") << "text" << kUnknownFormat;
        QTest::newRow("lacks a table") << "DROP TABLE Water" << kNotValid;
        QTest::newRow("lacks a field")
            << "DROP INDEX Yellow_by_number; DROP INDEX Yellow_by_name; DROP INDEX Yellow_agents; "
               "ALTER TABLE Yellow DROP COLUMN Blue_Key"
            << kNotValid;
        for (const char* field : {"Yellow.Water_reactive", "Yellow.Chemical_Warfare", "Water.Third_product",
                                  "Water.Third_ID", "Water.Third_name_search"}) {
            const QStringList table_field = QString::fromLatin1(field).split(u'.');
            QTest::addRow("lacks %s", field) << "DROP INDEX Yellow_agents; ALTER TABLE " + table_field[0] + " DROP COLUMN "
                                                       + table_field[1]
                                             << kNotValid;
        }
        QTest::newRow("empty Yellow") << "DELETE FROM Yellow" << kNotValid;
        QTest::newRow("empty Sentences") << "DELETE FROM Sentences" << kNotValid;
        QTest::newRow("a distance changed") << "UPDATE Green SET SP_Isolate_meters = '69'" << kNotValid;
        QTest::newRow("a sentence changed") << "UPDATE Sentences SET Sentences = 'SEXURIDAD' WHERE Key = 3" << kNotValid;
        QTest::newRow("a table without its checksum") << "CREATE TABLE Extra (x); INSERT INTO Extra VALUES (1)" << kNotValid;
        QTest::newRow("a checksum lost") << "DELETE FROM Content_checksums WHERE Table_name = 'Water'" << kNotValid;
    }

    void unusable_files()
    {
        QFETCH(QString, kind);
        QFETCH(QString, message);
        QString path = dir_->filePath("bad.mdb");
        if (kind == "no folder") {
            path = dir_->filePath("no/such/folder/bad.mdb");
        } else if (kind == "text") {
            test::Write_file(path, QByteArray("Esto no es una base de datos.\n").repeated(100));
        } else if (kind != "missing") {
            Good_database("bad.mdb");
            Database::Open(path)->Execute_native(kind);
        }
        Write_ini(path);
        const QString good = Good_database();
        ui_->files << good;
        QVERIFY(Load());
        QCOMPARE(ui_->texts(), QStringList{message.contains("%1") ? message.arg(path) : message});
        // The three failures to open beep and warn; a file that opens but is
        // not valid stops with the critical icon.
        const bool beep = message != kNotValid;
        QCOMPARE(ui_->shown.first().icon, beep ? platform::Icon::Exclamation : platform::Icon::Critical);
        QCOMPARE(ui_->beeps, beep ? 1 : 0);
        QCOMPARE(test::Read_file(dir_->filePath("vexo.ini")), "[base de datos]\r\nGRENA=" + good.toUtf8() + "\r\n");
        QCOMPARE(Main_database->path(), good);
    }

    void cancel_ends_with_the_message()
    {
        Write_ini(dir_->filePath("missing.mdb"));
        QVERIFY(!Load());
        QCOMPARE(ui_->texts().last(), kGiveUp);
        QCOMPARE(ui_->shown.last().icon, platform::Icon::Critical);
        QVERIFY(ui_->ended);
    }

    void chosen_file_is_remembered_before_it_is_opened()
    {
        // A text file is chosen, refused, and the user then gives up: the ini
        // file already names the refused file.
        const QString text = dir_->filePath("notes.mdb");
        test::Write_file(text, QByteArray("texto\n").repeated(500));
        Write_ini(dir_->filePath("missing.mdb"));
        ui_->files << text;
        QVERIFY(!Load());
        QCOMPARE(ui_->texts(), QStringList({kNotFound.arg(dir_->filePath("missing.mdb")), kUnknownFormat.arg(text), kGiveUp}));
        QCOMPARE(ui_->beeps, 2);
        QCOMPARE(test::Read_file(dir_->filePath("vexo.ini")), "[base de datos]\r\nGRENA=" + text.toUtf8() + "\r\n");
    }

    void summary_rows_decide_summary_empty()
    {
        Write_ini(Good_database());
        QVERIFY(Load());
        QVERIFY(Summary_empty);
        Write_ini(Good_database("full.mdb", "INSERT INTO Summary (ID, Name, High_green, Bold) VALUES ('1017', 'Chlorine', 0, 1);"));
        main_->Load_from_ini_file();
        main_->Load_database();
        QVERIFY(main_->valid_database());
        QVERIFY(!Summary_empty);
    }

    void a_read_only_program_folder_goes_on_data()
    {
        QTest::addColumn<bool>("ini_there"); // a writable ini file in the folder
        QTest::newRow("no ini file: kept in the user's data folder, with a copy of the database") << false;
        QTest::newRow("an ini file that can be written: rewritten in place") << true;
    }

    void a_read_only_program_folder_goes_on()
    {
        QFETCH(bool, ini_there);
        Good_database(QStringLiteral("guide2ks.mdb"));
        const QString chosen = Good_database(QStringLiteral("chosen.mdb"));
        if (ini_there) {
            Write_ini(dir_->filePath("missing.mdb"));
            test::Open_to_everyone(dir_->filePath("vexo.ini"));
            ui_->files << chosen;
        }
        QTemporaryDir user_data;
        qputenv("XDG_DATA_HOME", user_data.path().toUtf8());
        test::Open_to_everyone(user_data.path());
        const QStringList before = QDir(dir_->path()).entryList(QDir::Files);
        QFile::setPermissions(dir_->path(), QFileDevice::Permissions(0x5555));
        QDir own;
        {
            test::Without_root ordinary_user;
            QVERIFY(Load());
            own.setPath(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
        }
        QFile::setPermissions(dir_->path(), QFileDevice::Permissions(0x7777));
        const QString ini = ini_there ? dir_->filePath("vexo.ini") : own.filePath("vexo.ini");
        const QString database = ini_there ? chosen : own.filePath("guide2ks.mdb");
        QCOMPARE(Ini_file_path, ini);
        QCOMPARE(test::Read_file(ini), "[base de datos]\r\nGRENA=" + database.toUtf8() + "\r\n");
        QCOMPARE(Main_database->path(), database);
        // Nothing was made beside the program.
        QCOMPARE(QDir(dir_->path()).entryList(QDir::Files), before);
    }
};


QTEST_MAIN(tst_frmMain_database)
#include "tst_frmMain_database.moc"
