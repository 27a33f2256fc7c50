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
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<test::Scripted_platform> ui_;

private Q_SLOTS:
    void init()
    {
        dir_ = std::make_unique<QTemporaryDir>();
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_->path());
        platform::Set_app_path(dir_->path());
        ui_ = std::make_unique<test::Scripted_platform>();
    }

    void cleanup()
    {
        Main_form = nullptr;
        ui_.reset();
    }

    void unknown_error_names_number_and_place()
    {
        QVERIFY_THROWS_EXCEPTION(Program_ended, Unknown_error(1, 3051));
        QCOMPARE(ui_->texts(), QStringList{"Error desconocido 3051#1. El programa finalizará su sesión."});
        QCOMPARE(ui_->shown.first().icon, platform::Icon::Exclamation);
        QCOMPARE(ui_->shown.first().buttons, platform::Buttons::Ok);
        QCOMPARE(ui_->shown.first().title, QStringLiteral("MARDOVI VEXO"));
    }

    // Placement is read in twips, a value that is not a number taking the
    // default, as on the first run.
    void placement_is_restored_from_the_store_data()
    {
        QTest::addColumn<QStringList>("stored");  // left, top, width, height
        QTest::addColumn<QRect>("placed");
        QTest::newRow("first run") << QStringList() << QRect(twips(1000), twips(1000), twips(6500), twips(6500));
        QTest::newRow("stored") << QStringList{"1500", "750.5", "9000", "not a number"}
                                << QRect(twips(1500), twips(750.5), twips(9000), twips(6500));
    }
    void placement_is_restored_from_the_store()
    {
        QFETCH(QStringList, stored);
        QFETCH(QRect, placed);
        const char* keys[] = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};
        for (int i = 0; i < stored.size(); ++i)
            platform::Save_setting("Settings", keys[i], stored[i]);
        frmMain window;
        window.Restore_placement();
        QCOMPARE(QRect(window.pos(), window.size()), placed);
    }

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

    // Closing saves the placement (not while minimised), then asks; only Yes
    // ends the program, and the next start puts the window back.
    void closing_asks_first_data()
    {
        QTest::addColumn<platform::Answer>("answer");
        QTest::addColumn<bool>("minimised");
        QTest::newRow("no") << platform::Answer::No << false;
        QTest::newRow("no, minimised") << platform::Answer::No << true;
        QTest::newRow("yes") << platform::Answer::Yes << false;
    }
    void closing_asks_first()
    {
        QFETCH(platform::Answer, answer);
        QFETCH(bool, minimised);
        frmMain window;
        window.setGeometry(150, 90, 600, 450);
        if (minimised)
            window.setWindowState(Qt::WindowMinimized);
        ui_->answers << answer;
        if (answer == platform::Answer::Yes)
            QVERIFY_THROWS_EXCEPTION(Program_ended, window.close());
        else
            QVERIFY(!window.close());
        QCOMPARE(ui_->ended, answer == platform::Answer::Yes);
        QCOMPARE(ui_->texts(), QStringList{"Está seguro que quiere salir de MARDOVI VEXO?"});
        QCOMPARE(ui_->shown.first().icon, platform::Icon::Question);
        QCOMPARE(ui_->shown.first().buttons, platform::Buttons::YesNo);
        const QString left = platform::Get_setting("Settings", "MainLeft", "absent");
        QCOMPARE(left == "absent", minimised);
        if (minimised)
            return;
        QCOMPARE(left.toFloat(), float(to_twips(150)));
        frmMain next;
        next.Restore_placement();
        QCOMPARE(QRect(next.pos(), next.size()), QRect(150, 90, 600, 450));
    }

    void splash_shows_version_and_platform()
    {
        frmSplash splash;
        QCOMPARE(splash.findChild<QLabel*>(QStringLiteral("lblVersion"))->text(), QStringLiteral("Versión 2.00"));
        QCOMPARE(splash.findChild<QLabel*>(QStringLiteral("lblPlatform"))->text(), QStringLiteral("Windows 95/NT"));
    }
};


QTEST_MAIN(tst_General)
#include "tst_General.moc"
