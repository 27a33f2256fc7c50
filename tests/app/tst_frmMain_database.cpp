// Start-up as the user meets it: the database the ini file names or the user
// picks, every kind of unusable file, where the user's files and copy go, the
// placement kept between runs and the first start.
#include "app/Child_windows.h"
#include "app/First_start.h"
#include "app/General.h"
#include "app/frmMain.h"
#include "app/frmWelcome.h"
#include "data/Data_version.h"
#include "data/Validation.h"
#include "platform/Platform.h"
#include "platform/Settings.h"
#include "platform/Twips.h"
#include "support/Fixture.h"
#include "support/Rows_program.h"
#include "support/Scripted_platform.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QScrollBar>
#include <QtTest>

using namespace vexo;
using namespace Qt::StringLiterals;
using test::Program_ended;

namespace {

const QString kNotFound = QStringLiteral("La Base de datos no encuentró '%1'. Por favor buscar un producto válido en la base de datos.");
const QString kInvalidPath = QStringLiteral("Unidad no válida. Por favor buscar un producto válido en la base de datos.");
const QString kUnknownFormat = QStringLiteral("Base de datos desconocida '%1'. Por favor buscar un producto válido en la base de datos.");
const QString kNotValid = QStringLiteral("Este no es un base de datos válida.  Por favor especificar una base de datos válida.");
const QString kGiveUp = QStringLiteral("Este programa no podrá  funcionar sin una base de datos válida.");

// The ini file that names `database`, as the program writes it.
QByteArray Ini(const QString& database)
{
    return "[base de datos]\r\nGRENA=" + database.toUtf8() + "\r\n";
}

// A database as the builder leaves it: `extra` rows, its reference tables'
// checksums, a data version.
QString Good_database(const QString& path, const QString& extra = {}, int version = 0)
{
    test::Make_database(path, test::Minimal_rows() + extra + QStringLiteral("PRAGMA user_version = %1;").arg(version));
    validation::Write_checksums(*Database::Open(path));
    return path;
}

} // namespace

class tst_frmMain_database : public QObject {
    Q_OBJECT
    std::unique_ptr<test::Rows_program> program_;
    test::Scripted_platform* ui_ = nullptr;
    frmMain* main_ = nullptr;

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

    QString At(const QString& name) const { return QDir(program_->folder()).filePath(name); }

    // The program as installed: usr/bin with the data folder beside it, the
    // user's files under XDG_DATA_HOME.
    QString Bin() const { return At("usr/bin"); }
    QString Installed() const { return QDir(Bin()).filePath(VEXO_DATA_FROM_PROGRAM "/guide2ks.mdb"); }
    QString User(const QString& name) const
    {
        return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath(name);
    }
    void Install()
    {
        QVERIFY(QDir().mkpath(Bin()) && QDir().mkpath(QFileInfo(Installed()).path() + "/Content/espanol"));
        platform::Set_app_path(Bin());
    }

private Q_SLOTS:
    void init()
    {
        program_ = test::Rows_program::Before_start();
        test::Open_to_everyone(program_->folder());
        qputenv("XDG_DATA_HOME", At("home/.local/share").toUtf8());
        ui_ = &program_->ui;
        main_ = program_->main();
    }

    void cleanup() { program_.reset(); }

    // What the ini file names ("%d" the program folder), what is wrong with
    // that file, what the user is told, and the database the program goes on
    // with once the user picks a good one ("" it ends). A file found valid once
    // is trusted at the next start only while every byte is the same; a summary
    // written in a session is checked on leaving.
    void the_ini_file_names_the_database_data()
    {
        QTest::addColumn<QByteArray>("ini");  // null: no ini file; "folder": a folder in its place
        QTest::addColumn<QString>("spoil");   // "text", or SQL that spoils bad.mdb; "" none
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("later"); // before the next start: SQL, "letter" (a letter of a name changed in
                                            // the bytes), "session"; "" no next start
        QTest::addColumn<QStringList>("then"); // what the user is told at the next start
        const QString fatal = QStringLiteral("Error desconocido %1#2. El programa finalizará su sesión.");
        const auto row = [](const char* tag, const char* ini, const QStringList& messages, const char* database,
                            const QString& spoil = {}) {
            QTest::newRow(tag) << QByteArray(ini) << spoil << messages << QString(database) << QString() << QStringList();
        };
        const auto next_start = [](const char* tag, const char* later, const QStringList& then) {
            QTest::newRow(tag) << QByteArray("GRENA=%d/good.mdb") << QString() << QStringList() << u"good.mdb"_s
                               << QString(later) << then;
        };
        const auto bad = [&row](const char* tag, const QString& spoil, const QString& message) {
            row(tag, "GRENA=%d/bad.mdb", {message}, "good.mdb", spoil);
        };
        row("good", "GRENA=%d/good.mdb", {}, "good.mdb");
        row("first start writes it", nullptr, {}, "guide2ks.mdb");
        row("key in any case, the last wins", "GRENA=%d/other.mdb\r\nother=1\r\ngrena=%d/good.mdb", {}, "good.mdb");
        row("a comma cuts the path", "GRENA=%d/a,b.mdb", {kNotFound.arg("%d/a")}, "good.mdb");
        row("no key names nothing", "", {kNotFound.arg("")}, "good.mdb");
        row("key alone", "GRENA", {fatal.arg(5)}, "");
        row("unreadable", "folder", {fatal.arg(75)}, "");
        row("missing file", "GRENA=%d/bad.mdb", {kNotFound.arg("%d/bad.mdb")}, "good.mdb");
        row("folder that does not exist", "GRENA=%d/no/such/bad.mdb", {kInvalidPath}, "good.mdb");
        // The user picks bad.mdb, which is refused, then gives up: the ini file
        // already names the refused file.
        row("a refused choice, then giving up", "GRENA=%d/missing.mdb",
            {kNotFound.arg("%d/missing.mdb"), kUnknownFormat.arg("%d/bad.mdb"), kGiveUp}, "", "text");
        bad("text file renamed .mdb", "text", kUnknownFormat.arg("%d/bad.mdb"));
        bad("lacks a table", "DROP TABLE Water", kNotValid);
        bad("lacks a field", "DROP INDEX Yellow_by_number; DROP INDEX Yellow_by_name; DROP INDEX Yellow_agents; "
                             "ALTER TABLE Yellow DROP COLUMN Blue_Key", kNotValid);
        for (const char* field : {"Yellow.Water_reactive", "Yellow.Chemical_Warfare", "Water.Third_product",
                                  "Water.Third_ID", "Water.Third_name_search"}) {
            const QStringList table_field = QString::fromLatin1(field).split(u'.');
            bad(qPrintable(u"lacks "_s + field), "DROP INDEX Yellow_agents; ALTER TABLE " + table_field[0] + " DROP COLUMN "
                                                     + table_field[1], kNotValid);
        }
        bad("empty Yellow", "DELETE FROM Yellow", kNotValid);
        bad("empty Sentences", "DELETE FROM Sentences", kNotValid);
        bad("a distance changed", "UPDATE Green SET SP_Isolate_meters = '69'", kNotValid);
        bad("a sentence changed", "UPDATE Sentences SET Sentences = 'SEXURIDAD' WHERE Key = 3", kNotValid);
        bad("a table without its checksum", "CREATE TABLE Extra (x); INSERT INTO Extra VALUES (1)", kNotValid);
        bad("a checksum lost", "DELETE FROM Content_checksums WHERE Table_name = 'Water'", kNotValid);
        next_start("verified, unchanged", "unchanged", {});
        next_start("verified, a distance changed", "UPDATE Green SET SP_Isolate_meters = '69'", {kNotValid});
        next_start("verified, a letter of a name changed in place", "letter", {kNotValid});
        next_start("verified, a table added", "CREATE TABLE Extra (x)", {kNotValid});
        next_start("verified, a summary written in the last session", "session", {});
    }
    void the_ini_file_names_the_database()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QString, spoil);
        QFETCH(QStringList, messages);
        QFETCH(QString, database);
        QFETCH(QString, later);
        QFETCH(QStringList, then);
        const QString good = Good_database(At("good.mdb"));
        QVERIFY(QFile::copy(good, At("a,b.mdb")));
        if (spoil == "text")
            test::Write_file(At("bad.mdb"), QByteArray("Esto no es una base de datos.\n").repeated(100));
        else if (!spoil.isEmpty())
            Database::Open(Good_database(At("bad.mdb")))->Execute_native(spoil);
        if (ini.isNull())
            Good_database(At("guide2ks.mdb"));
        else if (ini == "folder")
            QVERIFY(QDir(program_->folder()).mkdir("vexo.ini"));
        else
            test::Write_file(At("vexo.ini"), "[base de datos]\r\n" + ini.replace("%d", program_->folder().toUtf8()) + "\r\n");
        const bool gives_up = messages.contains(kGiveUp);
        ui_->files << (gives_up ? At("bad.mdb") : good);
        QCOMPARE(Load(), !database.isEmpty());
        QCOMPARE(ui_->texts(), messages.replaceInStrings("%d", program_->folder()));
        if (database.isEmpty()) {
            QCOMPARE(ui_->shown.first().icon, platform::Icon::Exclamation);
            QCOMPARE(ui_->shown.first().title, QStringLiteral("MARDOVI VEXO"));
            QCOMPARE(ui_->shown.last().buttons, platform::Buttons::Ok);
            QCOMPARE(ui_->shown.last().icon, gives_up ? platform::Icon::Critical : platform::Icon::Exclamation);
            if (gives_up)
                QCOMPARE(test::Read_file(At("vexo.ini")), Ini(At("bad.mdb")));
            return;
        }
        // The failures to open beep and warn; a file that opens but is not
        // valid stops with the critical icon.
        const bool beep = !messages.contains(kNotValid);
        QCOMPARE(ui_->beeps, beep ? messages.size() : 0);
        if (!messages.isEmpty())
            QCOMPARE(ui_->shown.first().icon, beep ? platform::Icon::Exclamation : platform::Icon::Critical);
        QVERIFY(Summary_empty);
        QCOMPARE(Database_path, At(database));
        QCOMPARE(Main_database->path(), At(database));
        QCOMPARE(main_->windowTitle(), QStringLiteral("MARDOVI VEXO"));
        QCOMPARE(ui_->filters,
                 messages.isEmpty() ? QStringList() : QStringList{"Microsoft Access (*.mdb)|*.mdb|*.*|*.*"});
        if (!messages.isEmpty() || ini.isNull())
            QCOMPARE(test::Read_file(At("vexo.ini")), Ini(Database_path));
        if (later.isEmpty())
            return;
        QString verified = platform::Get_setting("Settings", "VerifiedDatabase", {});
        QVERIFY(!verified.isEmpty());
        if (later == "session") {
            Main_database->Execute("INSERT INTO Summary (ID, Name, High_green, Bold) VALUES ('1017', 'Chlorine', 0, 1)");
            ui_->answers << platform::Answer::Yes;
            QVERIFY_THROWS_EXCEPTION(Program_ended, main_->close());
            QVERIFY(platform::Get_setting("Settings", "VerifiedDatabase", {}) != verified);
            verified = validation::File_digest(good);
            ui_->shown.clear();
        }
        Main_database.reset();
        if (later == "letter") {
            QByteArray bytes = test::Read_file(good);
            bytes[bytes.indexOf("Gasoline") + 7] = 'f';
            test::Write_file(good, bytes);
        } else if (later.contains(u' ')) {
            Database::Open(good)->Execute_native(later);
        }
        main_->Load_from_ini_file();
        main_->Load_database();
        QCOMPARE(main_->valid_database(), then.isEmpty());
        QCOMPARE(ui_->texts(), then);
        QCOMPARE(platform::Get_setting("Settings", "VerifiedDatabase", {}), verified);
    }

    // The ini file and database stay beside the program when an ini file there
    // names them, else go to the user's data folder with a copy of the
    // database; nothing new is made beside the program.
    void the_users_files_go_where_they_can_be_written_data()
    {
        QTest::addColumn<bool>("installed"); // in usr/bin with the data beside it; else a read-only program folder
        QTest::addColumn<bool>("ini_there"); // an ini file the user can write beside the program
        QTest::newRow("read-only folder, no ini file") << false << false;
        QTest::newRow("read-only folder with an ini file: rewritten in place") << false << true;
        QTest::newRow("installed, first start") << true << false;
        QTest::newRow("installed with an ini file: used as written") << true << true;
    }
    void the_users_files_go_where_they_can_be_written()
    {
        QFETCH(bool, installed);
        QFETCH(bool, ini_there);
        if (installed)
            Install();
        const QDir program(installed ? Bin() : program_->folder());
        const QString shipped = Good_database(installed ? Installed() : At("guide2ks.mdb"), {}, 3);
        // Without an installation the ini file names a missing file and the user picks another.
        const QString named = installed ? shipped : Good_database(At("chosen.mdb"));
        if (ini_there) {
            test::Write_file(program.filePath("vexo.ini"), Ini(installed ? shipped : At("missing.mdb")));
            test::Open_to_everyone(program.filePath("vexo.ini"));
            ui_->files << named;
        }
        QTemporaryDir user_data;
        qputenv("XDG_DATA_HOME", user_data.path().toUtf8());
        test::Open_to_everyone(user_data.path());
        const QStringList before = program.entryList(QDir::Files);
        QFile::setPermissions(program.path(), QFileDevice::Permissions(0x5555));
        {
            test::Without_root ordinary_user;
            QVERIFY(Load());
        }
        QFile::setPermissions(program.path(), QFileDevice::Permissions(0x7777));
        const QString database = ini_there ? named : User("guide2ks.mdb");
        QCOMPARE(Ini_file_path, ini_there ? program.filePath("vexo.ini") : User("vexo.ini"));
        QCOMPARE(test::Read_file(Ini_file_path), Ini(database));
        QCOMPARE(Main_database->path(), database);
        if (!ini_there)
            QCOMPARE(test::Read_file(database), test::Read_file(shipped));
        QCOMPARE(program.entryList(QDir::Files), before);
    }

    // The user's copy takes the reference tables of a newer installed database
    // and keeps the products collected; a damaged copy is never opened quietly
    // nor replaced: the user is told.
    void the_user_copy_follows_a_newer_installed_database_data()
    {
        QTest::addColumn<int>("installed");
        QTest::addColumn<int>("copy");
        QTest::addColumn<QString>("damage"); // "bytes": not a database; SQL run on the copy
        QTest::addColumn<QString>("message");
        QTest::newRow("newer installed data replaces the reference tables") << 20261207 << 20261206 << "" << "";
        QTest::newRow("the same version leaves the copy alone") << 20261206 << 20261206 << "" << "";
        QTest::newRow("older installed data leaves the copy alone") << 20261205 << 20261206 << "" << "";
        QTest::newRow("a copy that is not a database") << 2 << 2 << "bytes" << kUnknownFormat;
        QTest::newRow("a copy without a reference table") << 2 << 2 << "DROP TABLE Green;" << kNotValid;
    }
    void the_user_copy_follows_a_newer_installed_database()
    {
        QFETCH(int, installed);
        QFETCH(int, copy);
        QFETCH(QString, damage);
        QFETCH(QString, message);
        const bool updated = installed > copy && message.isEmpty();
        const QString path = User("guide2ks.mdb");
        Install();
        Good_database(Installed(), "INSERT INTO Yellow VALUES ('9999', 'Nuevo', 128, 30, 30, NULL, NULL, NULL, NULL, NULL);",
                      installed);
        QVERIFY(QDir().mkpath(User("")));
        Good_database(path, "INSERT INTO Summary VALUES (4, '1017', 'Chlorine', 0, 1), (9, '1203', 'Gasoline', 1, 0);", copy);
        if (damage == "bytes")
            test::Write_file(path, QByteArray(4096, 'x'));
        else if (!damage.isEmpty())
            Database::Open(path)->Execute_native(damage);
        const QByteArray before = test::Read_file(path);

        QCOMPARE(Load(), message.isEmpty());
        QCOMPARE(ui_->texts(), message.isEmpty() ? QStringList() : (QStringList{QString(message).replace("%1", path), kGiveUp}));
        if (message.isEmpty()) {
            QVERIFY(!Summary_empty); // the products collected before are there
            QCOMPARE(Main_database->path(), path);
            QCOMPARE(test::Rows_of("SELECT * FROM Summary ORDER BY Key", {"Key", "ID", "Name", "High_green", "Bold"}),
                     (QStringList{"4|1017|Chlorine|0|1", "9|1203|Gasoline|1|0"}));
            QCOMPARE(test::Rows_of("SELECT Name_of_material FROM Yellow WHERE ID = '9999'", {"Name_of_material"}),
                     updated ? QStringList{"Nuevo"} : QStringList{});
            Main_database.reset();
            QCOMPARE(data_version::Read(path), std::max(installed, copy));
        }
        if (!updated) // a refused copy is never replaced either
            QCOMPARE(test::Read_file(path), before);
    }

    // Placement is read in twips, a value not a number taking the default; a
    // window out of reach comes back.
    void placement_is_restored_from_the_store_data()
    {
        QTest::addColumn<QStringList>("stored");  // left, top, width, height
        QTest::addColumn<QRect>("placed");
        QTest::newRow("first run") << QStringList() << QRect(twips(1000), twips(1000), twips(6500), twips(6500));
        QTest::newRow("stored") << QStringList{"1500", "750.5", "9000", "not a number"}
                                << QRect(twips(1500), twips(750.5), twips(9000), twips(6500));
        // Saved on a screen no longer there, and too small to use.
        QTest::newRow("off every screen") << QStringList{"300000", "300000", "10", "10"}
                                          << QRect(twips(1000), twips(1000), 200, 150);
    }
    void placement_is_restored_from_the_store()
    {
        QFETCH(QStringList, stored);
        QFETCH(QRect, placed);
        const char* keys[] = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};
        for (int i = 0; i < stored.size(); ++i)
            platform::Save_setting("Settings", keys[i], stored[i]);
        main_->Restore_placement();
        QCOMPARE(QRect(main_->pos(), main_->size()), placed);
    }

    // At the first start the window takes most of the screen, centred, or all
    // of it when the welcome page needs that; either way the page is whole,
    // without a scroll bar, and the placement is kept.
    void first_start_shows_the_whole_welcome_page_data()
    {
        QTest::addColumn<QRect>("screen");
        QTest::newRow("1024x768") << QRect(0, 0, 1024, 768);
        QTest::newRow("1920x1080") << QRect(0, 0, 1920, 1080);
        QTest::newRow("1920x1080 beside a panel") << QRect(64, 0, 1856, 1040);
    }
    void first_start_shows_the_whole_welcome_page()
    {
        QFETCH(QRect, screen);
        QVERIFY(First_start());
        main_->Toolbar_small();
        QMdiSubWindow* welcome = Show_child(new frmWelcome);
        const bool maximised = Fit_first_start(*main_, welcome->size(), screen);
        QCOMPARE(main_->windowState().testFlag(Qt::WindowMaximized), maximised);
        if (maximised) {
            // What a window manager leaves of the screen to a maximised window.
            main_->setWindowState(Qt::WindowNoState);
            main_->setGeometry(screen.adjusted(twips(120), twips(450), -twips(120), -twips(120)));
        } else {
            QVERIFY(main_->width() >= screen.width() * 0.8 && main_->height() >= screen.height() * 0.8);
            QVERIFY(std::abs(main_->geometry().center().x() - screen.center().x()) <= twips(120));
        }
        main_->show();
        QVERIFY(QTest::qWaitForWindowExposed(main_));
        QVERIFY(main_->Work_area()->viewport()->rect().contains(welcome->geometry()));
        QVERIFY(!main_->Work_area()->verticalScrollBar()->isVisible());
        QVERIFY(main_->findChild<QLineEdit*>("txtLookup")->isVisible());
        main_->Save_placement();
        QVERIFY(!First_start());
    }
};

QTEST_MAIN(tst_frmMain_database)
#include "tst_frmMain_database.moc"
