// Start-up and shutdown as the user meets them: the exit question, the fatal
// box, the placement kept between runs, the splash.
#include "app/General.h"
#include "app/Child_windows.h"
#include "app/First_start.h"
#include "app/frmMain.h"
#include "app/frmWelcome.h"
#include "app/frmSplash.h"
#include "platform/Platform.h"
#include "platform/Settings.h"
#include "platform/Twips.h"
#include "support/Scripted_platform.h"

#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QToolBar>
#include <QtTest>

using namespace vexo;
using test::Program_ended;

class tst_General : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void unknown_error_names_number_and_place();
    void confirm_exit_asks_yes_or_no();
    void globals_start_as_written();
    void first_run_places_the_window_at_the_defaults();
    void first_start_shows_the_whole_welcome_page_data();
    void first_start_shows_the_whole_welcome_page();
    void placement_is_restored_from_the_store();
    void close_saves_placement_then_asks();
    void close_while_minimised_saves_nothing();
    void yes_ends_the_program();
    void splash_shows_version_and_platform();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<test::Scripted_platform> ui_;
};

void tst_General::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_->path());
    platform::Set_app_path(dir_->path());
    ui_ = std::make_unique<test::Scripted_platform>();
}

void tst_General::cleanup()
{
    Main_form = nullptr;
    ui_.reset();
}

void tst_General::unknown_error_names_number_and_place()
{
    QVERIFY_THROWS_EXCEPTION(Program_ended, Unknown_error(1, 3051));
    QCOMPARE(ui_->texts(), QStringList{"Error desconocido 3051#1. El programa finalizará su sesión."});
    QCOMPARE(ui_->shown.first().icon, platform::Icon::Exclamation);
    QCOMPARE(ui_->shown.first().buttons, platform::Buttons::Ok);
    QCOMPARE(ui_->shown.first().title, QStringLiteral("MARDOVI VEXO"));
}

void tst_General::confirm_exit_asks_yes_or_no()
{
    ui_->answers << platform::Answer::Yes << platform::Answer::No;
    QVERIFY(Confirm_exit());
    QVERIFY(!Confirm_exit());
    QCOMPARE(ui_->texts().first(), QStringLiteral("Está seguro que quiere salir de MARDOVI VEXO?"));
    QCOMPARE(ui_->shown.first().icon, platform::Icon::Question);
    QCOMPARE(ui_->shown.first().buttons, platform::Buttons::YesNo);
}

void tst_General::globals_start_as_written()
{
    Pages_inactive = true;
    Find_saved_IDs[3] = "1017";
    Find_saved_name = "cloro";
    Find_saved_match = 2;
    Initialize_globals();
    QVERIFY(!Pages_inactive);
    QCOMPARE(Find_saved_IDs[3], QString());
    QCOMPARE(Find_saved_name, QString());
    QCOMPARE(Find_saved_match, qint16(0));
    QCOMPARE(Ini_file_path, QDir(dir_->path()).filePath("vexo.ini"));
    QCOMPARE(Cyan_highlight, QColor(0, 255, 255));
    QCOMPARE(Green_highlight, QColor(0, 255, 0));
}

void tst_General::first_run_places_the_window_at_the_defaults()
{
    frmMain window;
    window.Restore_placement();
    QCOMPARE(window.pos(), QPoint(twips(1000), twips(1000)));
    QCOMPARE(window.size(), QSize(twips(6500), twips(6500)));
}

void tst_General::first_start_shows_the_whole_welcome_page_data()
{
    QTest::addColumn<QRect>("screen");
    QTest::newRow("1024x768") << QRect(0, 0, 1024, 768);
    QTest::newRow("1920x1080") << QRect(0, 0, 1920, 1080);
    QTest::newRow("1920x1080 beside a panel") << QRect(64, 0, 1856, 1040);
}

void tst_General::first_start_shows_the_whole_welcome_page()
{
    QFETCH(QRect, screen);
    QVERIFY(First_start());
    frmMain window;
    Main_form = &window;
    window.Toolbar_small();
    QMdiSubWindow* welcome = Show_child(new frmWelcome);
    const bool maximised = Fit_first_start(window, welcome->size(), screen);
    QCOMPARE(window.windowState().testFlag(Qt::WindowMaximized), maximised);
    if (maximised) {
        // What a window manager leaves of the screen to a maximised window.
        window.setWindowState(Qt::WindowNoState);
        window.setGeometry(screen.adjusted(twips(120), twips(450), -twips(120), -twips(120)));
    } else {
        QVERIFY(window.width() >= screen.width() * 0.8 && window.height() >= screen.height() * 0.8);
        QVERIFY(std::abs(window.geometry().center().x() - screen.center().x()) <= twips(120));
    }
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.Work_area()->viewport()->rect().contains(welcome->geometry()));
    QVERIFY(!window.Work_area()->verticalScrollBar()->isVisible());
    QVERIFY(window.findChild<QLineEdit*>("txtLookup")->isVisible());

    window.Save_placement();
    QVERIFY(!First_start());
}

void tst_General::placement_is_restored_from_the_store()
{
    platform::Save_setting("Settings", "MainLeft", "1500");
    platform::Save_setting("Settings", "MainTop", "750.5");
    platform::Save_setting("Settings", "MainWidth", "9000");
    platform::Save_setting("Settings", "MainHeight", "not a number");
    frmMain window;
    window.Restore_placement();
    QCOMPARE(window.pos(), QPoint(twips(1500), twips(750.5)));
    QCOMPARE(window.size(), QSize(twips(9000), twips(6500)));
}

void tst_General::close_saves_placement_then_asks()
{
    frmMain window;
    window.move(150, 90);
    window.resize(600, 450);
    ui_->answers << platform::Answer::No;
    QVERIFY(!window.close());
    QCOMPARE(ui_->texts(), QStringList{"Está seguro que quiere salir de MARDOVI VEXO?"});
    QVERIFY(!ui_->ended);
    QCOMPARE(platform::Get_setting("Settings", "MainLeft", "").toFloat(), float(to_twips(150)));
    QCOMPARE(platform::Get_setting("Settings", "MainWidth", "").toFloat(), float(to_twips(600)));

    // The next start puts the window back where it was.
    frmMain next;
    next.Restore_placement();
    QCOMPARE(next.pos(), QPoint(150, 90));
    QCOMPARE(next.size(), QSize(600, 450));
}

void tst_General::close_while_minimised_saves_nothing()
{
    frmMain window;
    window.setWindowState(Qt::WindowMinimized);
    ui_->answers << platform::Answer::No;
    QVERIFY(!window.close());
    QCOMPARE(platform::Get_setting("Settings", "MainLeft", "absent"), QStringLiteral("absent"));
    QCOMPARE(ui_->shown.size(), 1);
}

void tst_General::yes_ends_the_program()
{
    frmMain window;
    ui_->answers << platform::Answer::Yes;
    QVERIFY_THROWS_EXCEPTION(Program_ended, window.close());
    QVERIFY(ui_->ended);
}

void tst_General::splash_shows_version_and_platform()
{
    frmSplash splash;
    const auto* version = splash.findChild<QLabel*>(QStringLiteral("lblVersion"));
    const auto* platform = splash.findChild<QLabel*>(QStringLiteral("lblPlatform"));
    const auto* picture = splash.findChild<QLabel*>(QStringLiteral("imgSplash"));
    QCOMPARE(version->text(), QStringLiteral("Versión 2.00"));
    QCOMPARE(platform->text(), QStringLiteral("Windows 95/NT"));
    QCOMPARE(picture->pos(), QPoint(0, 0));
    QCOMPARE(splash.width(), picture->width() + twips(100));
    QCOMPARE(splash.height(), picture->height() + twips(100));
    QCOMPARE(version->geometry().right(), picture->geometry().right());
    QCOMPARE(platform->geometry().right(), picture->geometry().right());
}

QTEST_MAIN(tst_General)
#include "tst_General.moc"
