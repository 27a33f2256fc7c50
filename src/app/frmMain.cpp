// Main window: load and unload, and where the window sits on the screen.
#include "app/frmMain.h"

#include "app/General.h"
#include "platform/Platform.h"
#include "platform/Settings.h"
#include "platform/Twips.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QMdiArea>
#include <QScreen>

namespace vexo {

namespace {

const QString kSection = QStringLiteral("Settings");

double Setting_twips(const QString& key, double default_value)
{
    bool ok = false;
    const double value =
        platform::Get_setting(kSection, key, QString::number(default_value)).trimmed().toFloat(&ok);
    return ok ? value : default_value;
}

} // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent), mdiArea(new QMdiArea(this))
{
    setCentralWidget(mdiArea);
    mdiArea->setBackground(QColor(128, 128, 128));
    setWindowIcon(QIcon(QStringLiteral(":/pictures/splash.svg")));
}

void frmMain::Load()
{
    Restore_placement();
    Initialize_globals();
    setWindowTitle(QStringLiteral("MARDOVI VEXO"));
    Load_from_ini_file();
    Load_database();
    while (!valid_database()) {
        if (!Open_database_manual())
            platform::End_program();
    }
}

void frmMain::Restore_placement()
{
    const double left = Setting_twips(QStringLiteral("MainLeft"), 1000);
    const double top = Setting_twips(QStringLiteral("MainTop"), 1000);
    const double width = Setting_twips(QStringLiteral("MainWidth"), 6500);
    const double height = Setting_twips(QStringLiteral("MainHeight"), 6500);
    QRect placed(twips(left), twips(top), std::max(twips(width), 200), std::max(twips(height), 150));
    // A placement saved on a screen that is no longer attached would put the
    // window out of reach: bring it back to the default corner.
    bool visible = false;
    for (const QScreen* screen : QGuiApplication::screens())
        visible = visible || screen->availableGeometry().intersects(placed);
    if (!visible && !QGuiApplication::screens().isEmpty())
        placed.moveTopLeft(QPoint(twips(1000), twips(1000)));
    move(placed.topLeft());
    resize(placed.size());
}

void frmMain::Save_placement()
{
    platform::Save_setting(kSection, QStringLiteral("MainLeft"), QString::number(static_cast<float>(to_twips(x()))));
    platform::Save_setting(kSection, QStringLiteral("MainTop"), QString::number(static_cast<float>(to_twips(y()))));
    platform::Save_setting(kSection, QStringLiteral("MainWidth"),
                           QString::number(static_cast<float>(to_twips(width()))));
    platform::Save_setting(kSection, QStringLiteral("MainHeight"),
                           QString::number(static_cast<float>(to_twips(height()))));
}

void frmMain::closeEvent(QCloseEvent* event)
{
    // Saved before the question, so the placement survives even a No.
    if (!isMinimized())
        Save_placement();
    if (Confirm_exit())
        platform::End_program();
    event->ignore();
}

} // namespace vexo
