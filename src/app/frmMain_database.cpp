// Finding, opening and validating the database while the main window loads.
#include "app/frmMain.h"

#include "app/General.h"
#include "app/Verified_database.h"
#include "platform/File_locations.h"
#include "platform/Ini_file.h"
#include "platform/Platform.h"
#include "summary/Summary_store.h"

#include <QDir>
#include <QFileInfo>

namespace vexo {

namespace {

const QString kKey = QStringLiteral("GRENA");

void Open_failure_box(const QString& text)
{
    platform::MsgBox(text, platform::Icon::Exclamation);
}

} // namespace

void frmMain::Load_from_ini_file()
{
    const platform::Items read = platform::Read_items(Ini_file_path);
    if (read.error == platform::File_error::Not_found) {
        Database_path = platform::Default_database();
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
        start_folder = platform::Data_folder();
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
    const Validation_outcome checked = Validate_main_database();
    if (!checked.valid) {
        platform::MsgBox(QStringLiteral("Este no es un base de datos válida.  Por favor especificar una base de datos válida."),
                         platform::Icon::Critical);
        return false;
    }
    Set_summary_empty(checked.summary_empty);
    return true;
}

} // namespace vexo
