// Finding, opening and validating the database while the main window loads.
#include "app/frmMain.h"

#include "app/General.h"
#include "data/Queries.h"
#include "platform/Ini_file.h"
#include "platform/Platform.h"

#include <QDir>
#include <QFileInfo>

namespace vexo {

namespace {

const QString kKey = QStringLiteral("GRENA");

QString Default_database_path()
{
    return QDir(platform::App_path()).filePath(QStringLiteral("guide2ks.mdb"));
}

void Open_failure_box(const QString& text)
{
    platform::MsgBox(text, platform::Icon::Exclamation);
}

} // namespace

void frmMain::Load_from_ini_file()
{
    const platform::Items read = platform::Read_items(Ini_file_path);
    if (read.error == platform::File_error::Not_found) {
        Database_path = Default_database_path();
        Write_in_ini_file();
        return;
    }
    if (read.error != 0)
        Unknown_error(2, static_cast<qint16>(read.error));
    for (const QString& item : read.items) {
        if (item.left(5).toUpper() != kKey)
            continue;
        // 5: the key alone leaves nothing to cut after "GRENA=".
        if (item.size() < 6)
            Unknown_error(2, 5);
        Database_path = item.mid(6);
    }
}

void frmMain::Write_in_ini_file()
{
    const int error =
        platform::Write_lines(Ini_file_path, {QStringLiteral("[base de datos]"), kKey + u'=' + Database_path});
    if (error != 0)
        Unknown_error(3, static_cast<qint16>(error));
}

void frmMain::Load_database()
{
    int code = Db_code::File_not_found;
    if (!Database_path.isEmpty()) {
        try {
            Main_database = Database::Open(Database_path);
            return;
        } catch (const Db_error& error) {
            code = error.number();
        }
    }
    platform::Beep();
    switch (code) {
    case Db_code::File_not_found:
        Open_failure_box(QStringLiteral("La Base de datos no encuentró '") + Database_path
                         + QStringLiteral("'. Por favor buscar un producto válido en la base de datos."));
        break;
    case Db_code::Invalid_path:
        Open_failure_box(QStringLiteral("Unidad no válida. Por favor buscar un producto válido en la base de datos."));
        break;
    case Db_code::Unrecognized:
        Open_failure_box(QStringLiteral("Base de datos desconocida '") + Database_path
                         + QStringLiteral("'. Por favor buscar un producto válido en la base de datos."));
        break;
    default:
        Unknown_error(1, static_cast<qint16>(code));
    }
    Open_database_manual();
}

bool frmMain::Open_database_manual()
{
    QString start_folder = QFileInfo(Database_path).absolutePath();
    if (Database_path.isEmpty() || !QDir(start_folder).exists())
        start_folder = platform::App_path();
    const std::optional<QString> chosen =
        platform::Open_file_dialog(QStringLiteral("Microsoft Access (*.mdb)|*.mdb|*.*|*.*"), start_folder);
    if (!chosen) {
        platform::MsgBox(QStringLiteral("Este programa no podrá  funcionar sin una base de datos válida."),
                         platform::Icon::Critical);
        platform::End_program();
    }
    Database_path = *chosen;
    if (!Database_path.isEmpty()) {
        Write_in_ini_file();
        Load_database();
    }
    return true;
}

bool frmMain::valid_database()
{
    struct Table_fields {
        const char* table;
        QStringList fields;
    };
    static const Table_fields checks[] = {
        {"Green",
         {"ID", "Name_of_material", "SP_Isolate_meters", "SP_Isolate_feets", "SP_Protect_Day_km",
          "SP_Protect_Day_miles", "SP_Protect_Night_km", "SP_Protect_Night_miles", "LP_Isolate_meters",
          "LP_Isolate_feets", "LP_Protect_Day_km", "LP_Protect_Day_miles", "LP_Protect_Night_km",
          "LP_Protect_Night_miles"}},
        {"Water", {"ID", "First_product", "First_ID", "First_name_search", "Second_product", "Second_ID",
                   "Second_name_search"}},
        {"Yellow", {"ID", "Name_of_material", "Guide_Number", "Yellow_Key", "Blue_Key", "PIH", "Polymerization",
                    "Supp_text"}},
        {"Sentences", {"Key", "Sentences", "Code"}},
        {"Guides_pages", {"Key", "Guide_page", "Sentences_key"}},
    };
    try {
        if (!Main_database)
            throw Db_error(Db_code::Other, QStringLiteral("no database open"));
        // Reading every field of the first row proves the schema; an empty
        // table has no first row and fails too.
        for (const Table_fields& check : checks) {
            auto records = Main_database->OpenRecordset(sql::Table_SQL(QString::fromLatin1(check.table)));
            for (const QString& field : check.fields)
                (void)records->Field(field);
            records->Close();
        }
        auto summary = Main_database->OpenRecordset(sql::Table_SQL(QStringLiteral("Summary")));
        if (summary->Eof() && summary->Bof()) {
            Summary_empty = true;
        } else {
            Summary_empty = false;
            for (const char* field : {"Key", "ID", "Name", "High_green", "Bold"})
                (void)summary->Field(QString::fromLatin1(field));
        }
        summary->Close();
        return true;
    } catch (const Db_error&) {
        platform::MsgBox(QStringLiteral("Este no es un base de datos válida.  Por favor especificar una base de datos válida."),
                         platform::Icon::Critical);
        return false;
    }
}

} // namespace vexo
