// Where an installed program keeps the user's files, and how the user's copy
// of the default database follows a newer installed one.
#include "app/General.h"
#include "app/frmMain.h"
#include "data/Data_version.h"
#include "data/Database.h"
#include "data/Database_builder.h"
#include "data/RecordSet.h"
#include "data/Validation.h"
#include "platform/Platform.h"
#include "support/Fixture.h"
#include "support/Scripted_platform.h"

#include <QtTest>

using namespace vexo;

namespace {

const QString kGiveUp = QStringLiteral("Este programa no podrá  funcionar sin una base de datos válida.");

// A database as the builder leaves it, with a data version and `extra` rows.
void Make_stamped(const QString& path, int version, const QString& extra = {})
{
    test::Make_database(path, test::Minimal_rows() + extra + QStringLiteral("PRAGMA user_version = %1;").arg(version));
    validation::Write_checksums(*Database::Open(path));
}

// The rows of a query on the file at `path`, fields joined by "|".
QStringList Rows(const QString& path, const QString& sql)
{
    auto db = Database::Open(path);
    auto rs = db->OpenRecordset(sql);
    QStringList rows;
    for (; !rs->Eof(); rs->MoveNext()) {
        QStringList fields;
        for (const QString& name : rs->Field_names())
            fields << rs->Field(name);
        rows << fields.join(u'|');
    }
    return rows;
}

} // namespace

class tst_User_files : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void where_the_files_are_data();
    void where_the_files_are();
    void the_user_copy_follows_a_newer_installed_database_data();
    void the_user_copy_follows_a_newer_installed_database();
    void a_damaged_user_copy_is_reported_data();
    void a_damaged_user_copy_is_reported();
    void the_builder_stamps_the_data_version_data();
    void the_builder_stamps_the_data_version();

private:
    bool Load();
    // The program's own folder as installed: bin/ and its data folder.
    QString Bin() const { return root_->filePath("usr/bin"); }
    QString Installed() const { return QDir(Bin()).filePath(VEXO_DATA_FROM_PROGRAM "/guide2ks.mdb"); }
    QString User(const QString& name) const { return QDir(user_).filePath(name); }

    std::unique_ptr<QTemporaryDir> root_;
    QString user_;
    std::unique_ptr<test::Scripted_platform> ui_;
    std::unique_ptr<frmMain> main_;
};

void tst_User_files::init()
{
    root_ = std::make_unique<QTemporaryDir>();
    test::Open_to_everyone(root_->path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, root_->filePath("settings"));
    qputenv("XDG_DATA_HOME", root_->filePath("home/.local/share").toUtf8());
    user_ = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QVERIFY(QDir().mkpath(Bin()));
    QVERIFY(QDir().mkpath(QFileInfo(Installed()).path() + "/Content/espanol"));
    platform::Set_app_path(Bin());
    ui_ = std::make_unique<test::Scripted_platform>();
    Main_database.reset();
    Database_path.clear();
    main_ = std::make_unique<frmMain>();
    Main_form = main_.get();
}

void tst_User_files::cleanup()
{
    Main_form = nullptr;
    main_.reset();
    Main_database.reset();
    ui_.reset();
}

bool tst_User_files::Load()
{
    try {
        main_->Load();
        return true;
    } catch (const test::Program_ended&) {
        return false;
    }
}

void tst_User_files::where_the_files_are_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<bool>("per_user");
    QTest::newRow("installed, first start: the user's ini file and copy") << "installed" << true;
    QTest::newRow("installed with an ini file beside the program: used as written") << "ini beside" << false;
}

void tst_User_files::where_the_files_are()
{
    QFETCH(QString, layout);
    QFETCH(bool, per_user);
    const QString database = Installed();
    Make_stamped(database, 3);
    if (layout == "ini beside")
        test::Write_file(QDir(Bin()).filePath("vexo.ini"), "[base de datos]\r\nGRENA=" + database.toUtf8() + "\r\n");
    const QStringList before = QDir(Bin()).entryList(QDir::Files);
    QVERIFY(Load());
    QVERIFY(ui_->shown.isEmpty());
    const QString expected = per_user ? User("guide2ks.mdb") : database;
    QCOMPARE(Ini_file_path, per_user ? User("vexo.ini") : QDir(Bin()).filePath("vexo.ini"));
    QCOMPARE(test::Read_file(Ini_file_path), "[base de datos]\r\nGRENA=" + expected.toUtf8() + "\r\n");
    QCOMPARE(Main_database->path(), expected);
    QCOMPARE(QFileInfo::exists(User("guide2ks.mdb")), per_user);
    if (per_user)
        QCOMPARE(test::Read_file(User("guide2ks.mdb")), test::Read_file(database));
    QCOMPARE(QDir(Bin()).entryList(QDir::Files), before);
}

void tst_User_files::the_user_copy_follows_a_newer_installed_database_data()
{
    QTest::addColumn<int>("installed");
    QTest::addColumn<int>("copy");
    QTest::addColumn<bool>("updated");
    QTest::newRow("newer installed data replaces the reference tables") << 20261207 << 20261206 << true;
    QTest::newRow("the same version leaves the copy alone") << 20261206 << 20261206 << false;
    QTest::newRow("older installed data leaves the copy alone") << 20261205 << 20261206 << false;
}

void tst_User_files::the_user_copy_follows_a_newer_installed_database()
{
    QFETCH(int, installed);
    QFETCH(int, copy);
    QFETCH(bool, updated);
    Make_stamped(Installed(), installed, "INSERT INTO Yellow VALUES ('9999', 'Nuevo', 128, 30, 30, NULL, NULL, NULL, NULL, NULL);");
    QVERIFY(QDir().mkpath(user_));
    const QString summary = "INSERT INTO Summary VALUES (4, '1017', 'Chlorine', 0, 1), (9, '1203', 'Gasoline', 1, 0);";
    Make_stamped(User("guide2ks.mdb"), copy, summary);
    const QByteArray before = test::Read_file(User("guide2ks.mdb"));

    QVERIFY(Load());
    QVERIFY(ui_->shown.isEmpty());
    QCOMPARE(Main_database->path(), User("guide2ks.mdb"));
    Main_database.reset();
    QCOMPARE(Rows(User("guide2ks.mdb"), "SELECT * FROM Summary ORDER BY Key"),
             (QStringList{"4|1017|Chlorine|0|1", "9|1203|Gasoline|1|0"}));
    QCOMPARE(Rows(User("guide2ks.mdb"), "SELECT Name_of_material FROM Yellow WHERE ID = '9999'"),
             updated ? QStringList{"Nuevo"} : QStringList{});
    QCOMPARE(data_version::Read(User("guide2ks.mdb")), std::max(installed, copy));
    if (!updated)
        QCOMPARE(test::Read_file(User("guide2ks.mdb")), before);
}

void tst_User_files::a_damaged_user_copy_is_reported_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("message");
    QTest::newRow("not a database")
        << "bytes" << "Base de datos desconocida '%1'. Por favor buscar un producto válido en la base de datos.";
    QTest::newRow("a reference table dropped")
        << "DROP TABLE Green;" << "Este no es un base de datos válida.  Por favor especificar una base de datos válida.";
}

void tst_User_files::a_damaged_user_copy_is_reported()
{
    QFETCH(QString, damage);
    QFETCH(QString, message);
    Make_stamped(Installed(), 2);
    QVERIFY(QDir().mkpath(user_));
    const QString copy = User("guide2ks.mdb");
    if (damage == "bytes") {
        test::Write_file(copy, QByteArray(4096, 'x'));
    } else {
        Make_stamped(copy, 2);
        Database::Open(copy)->Execute_native(damage);
    }
    const QByteArray before = test::Read_file(copy);
    QVERIFY(!Load());
    QCOMPARE(ui_->texts(), (QStringList{QString(message).replace("%1", copy), kGiveUp}));
    QCOMPARE(test::Read_file(copy), before);
}

void tst_User_files::the_builder_stamps_the_data_version_data()
{
    QTest::addColumn<QByteArray>("version_file"); // empty: no file
    QTest::addColumn<int>("stamped");             // -1: the build is refused
    QTest::newRow("the version of the sources") << QByteArray("2026120701\n") << 2026120701;
    QTest::newRow("sources without a version") << QByteArray() << 0;
    QTest::newRow("a version that is not a number") << QByteArray("v2\n") << -1;
}

void tst_User_files::the_builder_stamps_the_data_version()
{
    QFETCH(QByteArray, version_file);
    QFETCH(int, stamped);
    const QString sources = root_->filePath("csv");
    QVERIFY(QDir().mkpath(sources));
    const QDir committed(QStringLiteral(VEXO_SOURCE_DIR "/resources/database"));
    for (const QString& name : committed.entryList({"*.csv"}, QDir::Files))
        QVERIFY(QFile::copy(committed.filePath(name), QDir(sources).filePath(name)));
    if (!version_file.isEmpty())
        test::Write_file(QDir(sources).filePath(data_version::kSource_file), version_file);
    const QString output = root_->filePath("built.mdb");
    const QString error = Build_database(sources, output);
    if (stamped < 0) {
        QCOMPARE(error, "data_version.txt: la versión de los datos debe ser un número entero positivo.");
        QVERIFY(!QFileInfo::exists(output));
        return;
    }
    QCOMPARE(error, QString());
    QCOMPARE(data_version::Read(output), stamped);
    QVERIFY(validation::Validate(*Database::Open(output)).valid);
}

QTEST_MAIN(tst_User_files)
#include "tst_User_files.moc"
