#include "support/Loaded_program.h"

#include "app/General.h"
#include "app/frmMain.h"

#include <QFile>
#include <QSettings>

namespace vexo::test {

Loaded_program::Loaded_program(const QString& database)
{
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.filePath(QStringLiteral("settings")));
    platform::Set_app_path(dir_.path());
    if (!QFile::copy(database, dir_.filePath(QStringLiteral("guide2ks.mdb"))))
        qFatal("cannot copy the fixture database %s", qPrintable(database));
    Main_database.reset();
    Database_path.clear();
    main_ = std::make_unique<frmMain>();
    Main_form = main_.get();
    main_->Load();
}

Loaded_program::~Loaded_program()
{
    main_.reset();
    Main_form = nullptr;
    Main_database.reset();
    Guide_records.reset();
}

} // namespace vexo::test
