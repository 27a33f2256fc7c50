// The About box: its texts, a layout where nothing covers anything, and the
// system information button, which never closes the box. Opening it from
// the menu and closing it are tested with the main window's commands.
#include "app/General.h"
#include "app/frmAbout.h"
#include "platform/Twips.h"
#include "support/Scripted_platform.h"

#include <QtTest>

#include <QLabel>
#include <QPushButton>

using namespace vexo;

class tst_frmAbout : public QObject {
    Q_OBJECT
    frmAbout about_;

    QWidget* Part(const char* name) const { return about_.findChild<QWidget*>(QLatin1String(name)); }
    QString Text(const char* name) const { return about_.findChild<QLabel*>(QLatin1String(name))->text(); }
    static int Bottom(const QWidget* w) { return w->y() + w->height(); }

private Q_SLOTS:
    void texts()
    {
        QCOMPARE(Text("lblTitle"), QStringLiteral("MARDOVI VEXO"));
        QCOMPARE(Text("lblVersion"), QStringLiteral("Versión %1.%2%3").arg(VEXO_VERSION_MAJOR).arg(VEXO_VERSION_MINOR)
                                         .arg(VEXO_VERSION_PATCH));
        QCOMPARE(static_cast<QPushButton*>(Part("cmdOK"))->text(), QStringLiteral("&Aceptar"));
        QCOMPARE(static_cast<QPushButton*>(Part("cmdSysInfo"))->text(), QStringLiteral("&Información"));
        // The disclaimer names the edition and sends the reader to the printed book.
        QVERIFY(Text("lblDisclaimer").contains(QStringLiteral("GRE2024")) && Text("lblDisclaimer").contains("guía impresa"));
        QVERIFY(Text("lblThanks").contains(QStringLiteral("Complemento Carta Porte del SAT")));
        for (const char* credit : {"lblLeader", "lblProgram", "lblCopyright"})
            QVERIFY2(!Text(credit).isEmpty(), credit);
    }

    void layout()
    {
        about_.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about_));
        const char* names[] = {"ImgGuide",  "lblTitle",  "lblVersion", "lblDescription", "lblLeader",  "lblProgram",
                               "lblThanks", "lblCopyright", "lneRule", "lblDisclaimer",  "cmdSysInfo", "cmdOK"};
        for (size_t i = 0; i < std::size(names); ++i) {
            QVERIFY2(about_.rect().contains(Part(names[i])->geometry()), names[i]);
            for (size_t j = i + 1; j < std::size(names); ++j)
                QVERIFY2(!Part(names[i])->geometry().intersects(Part(names[j])->geometry()), names[j]);
        }
        // Each wrapped text has the height its lines need.
        for (const char* name : {"lblDescription", "lblThanks", "lblDisclaimer"}) {
            const auto* label = static_cast<QLabel*>(Part(name));
            QCOMPARE(label->height(), label->heightForWidth(label->width()));
        }
        QVERIFY(Part("lneRule")->y() > Bottom(Part("lblCopyright")));
        QVERIFY(Part("cmdSysInfo")->y() < Part("cmdOK")->y());
        QVERIFY(Part("lblDisclaimer")->x() + Part("lblDisclaimer")->width() < Part("cmdSysInfo")->x());
        QCOMPARE(about_.height(), std::max(Bottom(Part("lblDisclaimer")), Bottom(Part("cmdOK"))) + twips(360));
    }

    void system_information_data()
    {
        QTest::addColumn<QStringList>("on_path");
        QTest::addColumn<bool>("start_fails");
        QTest::addColumn<QString>("started");  // "": the box says there is none
        QTest::newRow("none on the system") << QStringList{} << false << "";
        QTest::newRow("one found") << QStringList{"kinfocenter"} << false << "/usr/bin/kinfocenter";
        QTest::newRow("the first of the list wins") << QStringList{"lshw-gtk", "hardinfo"} << false << "/usr/bin/hardinfo";
        QTest::newRow("found but does not start") << QStringList{"hardinfo"} << true << "";
        QTest::newRow("an unknown program is not used") << QStringList{"top"} << false << "";
    }
    void system_information()
    {
        QFETCH(QStringList, on_path);
        QFETCH(bool, start_fails);
        QFETCH(QString, started);
        test::Scripted_platform ui;
        ui.programs = on_path;
        ui.start_fails = start_fails;
        about_.show();
        static_cast<QPushButton*>(Part("cmdSysInfo"))->click();
        QCOMPARE(ui.started, started.isEmpty() ? QStringList() : QStringList{started});
        QCOMPARE(ui.texts(), started.isEmpty() ? QStringList{"La información del Sistema no está disponible en este momento"}
                                               : QStringList());
        if (started.isEmpty()) {
            QCOMPARE(ui.shown.first().buttons, platform::Buttons::Ok);
            QCOMPARE(ui.shown.first().title, QStringLiteral("MARDOVI VEXO"));
        }
        QVERIFY(about_.isVisible());
    }
};

QTEST_MAIN(tst_frmAbout)
#include "tst_frmAbout.moc"
