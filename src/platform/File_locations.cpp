// The program's files, beside it or installed.
#include "platform/File_locations.h"

#include "platform/Platform.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace vexo::platform {

namespace {

const QString kIni = QStringLiteral("vexo.ini");
const QString kDatabase = QStringLiteral("guide2ks.mdb");

// The installed data folder when the program runs installed: no data of its
// own beside it, and the folder the install puts it in is there.
QString Installed_data_folder(const QDir& program)
{
    if (program.exists(kDatabase) || program.exists(QStringLiteral("Content")))
        return {};
    // Set by the build from the install layout, e.g. "../share/mardovi-vexo".
    const QString installed = QDir::cleanPath(program.filePath(QString::fromUtf8(VEXO_DATA_FROM_PROGRAM)));
    return QFileInfo(installed).isDir() ? installed : QString();
}

} // namespace

QString Data_folder()
{
    const QDir program(App_path());
    const QString installed = Installed_data_folder(program);
    return installed.isEmpty() ? program.path() : installed;
}

bool Files_per_user()
{
    const QDir program(App_path());
    if (program.exists(kIni))
        return false;
    return !Installed_data_folder(program).isEmpty() || !QFileInfo(program.path()).isWritable();
}

QString User_folder()
{
    const QString own = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(own);
    return own;
}

QString Ini_file()
{
    return Files_per_user() ? QDir(User_folder()).filePath(kIni) : QDir(App_path()).filePath(kIni);
}

QString Default_database()
{
    return Files_per_user() ? QDir(User_folder()).filePath(kDatabase) : Installed_database();
}

QString Installed_database()
{
    return QDir(Data_folder()).filePath(kDatabase);
}

} // namespace vexo::platform
