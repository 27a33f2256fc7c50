// Application object and the report of errors that escape a command.
#include "app/Application.h"

#include "data/Database.h"
#include "platform/Platform.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace vexo {

Application::Application(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("MARDOVI VEXO"));
    setOrganizationName(QStringLiteral("MARDOVI VEXO"));
    setApplicationDisplayName(QStringLiteral("MARDOVI VEXO"));
    // The menu entry this program is started from, for the desktop to match its windows and icon.
    setDesktopFileName(QStringLiteral("org.mardovi.vexo"));
    // The toolkit's own dialogs (file and print dialogs, context menus) speak
    // Spanish like the rest of the program.
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
    auto* translator = new QTranslator(this);
    if (translator->load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(translator);
}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        Report_failure(error);
    }
    return false;
}

void Report_failure(const std::exception& error)
{
    if (const auto* db = dynamic_cast<const Db_error*>(&error)) {
        platform::MsgBox(QStringLiteral("No se pudo completar la consulta en la base de datos (error %1).\n\n%2\n\n"
                                        "Compruebe que la base de datos es válida.")
                             .arg(db->number())
                             .arg(db->description()),
                         platform::Icon::Exclamation);
        return;
    }
    platform::MsgBox(QStringLiteral("No se pudo completar la operación.\n\n%1").arg(QString::fromLocal8Bit(error.what())),
                     platform::Icon::Exclamation);
}

} // namespace vexo
