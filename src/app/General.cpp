// Start-up, the shared globals and the exit and fatal-error boxes.
#include "app/General.h"

#include "app/frmMain.h"
#include "app/frmSplash.h"
#include "data/Data_version.h"
#include "platform/File_locations.h"
#include "platform/Platform.h"
#include "platform/Window_buffer.h"

#include <QApplication>

namespace vexo {

frmMain* Main_form = nullptr;
QString Database_path;
std::unique_ptr<Database> Main_database;
QString Ini_file_path;
qint16 Index_mode = 0;
bool Chemical_agents_only = false;
bool Summary_empty = false;
bool Pages_inactive = false;
std::array<QString, 7> Find_saved_IDs;
qint16 Find_saved_match = 0;
QString Find_saved_name;
qint16 Find_saved_order = 0;
QString Find_saved_guide;
QColor Cyan_highlight;
QColor Green_highlight;
QString Guide_SQL;
QString Water_SQL;
QString Green_SQL;
std::unique_ptr<RecordSet> Guide_records;

QString Index_SQL;
std::unique_ptr<RecordSet> Index_records;
RecordSet::Bookmark Index_first_bookmark = 0;
QColor Index_highlight;
QString Product_label;
QString Guide_page_SQL;
std::unique_ptr<RecordSet> Guide_page_records;
QString Box_SQL;
std::unique_ptr<RecordSet> Green_records;
std::unique_ptr<RecordSet> Water_records;
RecordSet::Bookmark Water_first_bookmark = 0;
QString Summary_SQL;
std::unique_ptr<RecordSet> Summary_records;
RecordSet::Bookmark Summary_first_bookmark = 0;
int Page_number = 0;
double Header_bottom = 0;

int Main()
{
    auto* splash = new frmSplash;
    splash->show();
    // The window system puts the splash on screen while the main window is
    // made; it is drawn before the database is opened. The main window's
    // load may show the database dialogs; the splash stays up behind them.
    Main_form = new frmMain;
    platform::Draw_when_on_screen(splash);
    Main_form->Load();

    delete splash;
    platform::Prepare_buffer(Main_form);
    Main_form->show();
    return QApplication::exec();
}

void Initialize_globals()
{
    Pages_inactive = false;
    for (QString& id : Find_saved_IDs)
        id.clear();
    Find_saved_match = 0;
    Find_saved_name.clear();
    Find_saved_order = 0;
    Find_saved_guide.clear();
    // Beside the program, or the user's own, with the user's copy of the
    // default database brought up to date with the installed one.
    Ini_file_path = platform::Ini_file();
    if (platform::Files_per_user())
        data_version::Refresh_copy(platform::Installed_database(), platform::Default_database());
    Cyan_highlight = QColor(0, 255, 255);
    Green_highlight = QColor(0, 255, 0);
}

bool Confirm_exit()
{
    return platform::MsgBox(QStringLiteral("Está seguro que quiere salir de MARDOVI VEXO?"), platform::Icon::Question,
                            platform::Buttons::YesNo)
        == platform::Answer::Yes;
}

void Unknown_error(qint16 location, qint16 number)
{
    platform::MsgBox(QStringLiteral("Error desconocido %1#%2. El programa finalizará su sesión.").arg(number).arg(location),
                     platform::Icon::Exclamation);
    platform::End_program();
}

QString Version_text()
{
    return QStringLiteral("%1.%2%3").arg(VEXO_VERSION_MAJOR).arg(VEXO_VERSION_MINOR).arg(VEXO_VERSION_PATCH);
}

} // namespace vexo
