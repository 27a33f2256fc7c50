// The About box: its texts, a layout where nothing covers anything, and the
// system information button, which never closes the box.
#include "app/General.h"
#include "app/frmAbout.h"
#include "platform/Twips.h"
#include "support/Scripted_platform.h"

#include <QtTest>

#include <QFrame>
#include <QLabel>
#include <QPushButton>

using namespace vexo;

namespace {
const QString kNoSysinfo = QStringLiteral("La información del Sistema no está disponible en este momento");
}

class tst_frmAbout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void texts();
    void layout();
    void system_information_data();
    void system_information();
    void ok_closes_the_box();
};

void tst_frmAbout::texts()
{
    frmAbout about;
    QCOMPARE(about.windowTitle(), QStringLiteral("Acerca de la MARDOVI VEXO"));
    QCOMPARE(about.lblTitle->text(), QStringLiteral("MARDOVI VEXO"));
    QCOMPARE(about.lblVersion->text(), QStringLiteral("Versión %1.%2%3").arg(VEXO_VERSION_MAJOR).arg(VEXO_VERSION_MINOR).arg(VEXO_VERSION_PATCH));
    QCOMPARE(about.cmdOK->text(), QStringLiteral("&Aceptar"));
    QCOMPARE(about.cmdSysInfo->text(), QStringLiteral("&Información"));
    QVERIFY(about.isModal());
    // The disclaimer names the edition and sends the reader to the printed book.
    QVERIFY(about.lblDisclaimer->text().contains(QStringLiteral("GRE2024")));
    QVERIFY(about.lblDisclaimer->text().contains(QStringLiteral("guía impresa")));
    QVERIFY(about.lblThanks->text().contains(QStringLiteral("Complemento Carta Porte del SAT")));
    for (QLabel* credit : {about.lblLeader, about.lblProgram, about.lblThanks, about.lblCopyright})
        QVERIFY(!credit->text().isEmpty());
}

void tst_frmAbout::layout()
{
    frmAbout about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    const QList<QWidget*> parts{about.ImgGuide,   about.lblTitle,      about.lblVersion, about.lblDescription,
                                about.lblLeader,  about.lblProgram,    about.lblThanks,  about.lblCopyright,
                                about.lneRule,    about.lblDisclaimer, about.cmdSysInfo, about.cmdOK};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        QVERIFY2(about.rect().contains(parts[i]->geometry()), qPrintable(parts[i]->objectName()));
        for (qsizetype j = i + 1; j < parts.size(); ++j)
            QVERIFY2(!parts[i]->geometry().intersects(parts[j]->geometry()),
                     qPrintable(QStringLiteral("%1 and %2 meet").arg(i).arg(j)));
    }
    // Each wrapped text has the height its lines need.
    for (QLabel* label : {about.lblDescription, about.lblThanks, about.lblDisclaimer})
        QCOMPARE(label->height(), label->heightForWidth(label->width()));
    QVERIFY(about.lneRule->y() > about.lblCopyright->y() + about.lblCopyright->height());
    QVERIFY(about.cmdSysInfo->y() < about.cmdOK->y());
    QVERIFY(about.lblDisclaimer->x() + about.lblDisclaimer->width() < about.cmdSysInfo->x());
    const int bottom = std::max(about.lblDisclaimer->y() + about.lblDisclaimer->height(), about.cmdOK->y() + about.cmdOK->height());
    QCOMPARE(about.height(), bottom + twips(360));
}

void tst_frmAbout::system_information_data()
{
    QTest::addColumn<QStringList>("on_path");
    QTest::addColumn<bool>("start_fails");
    QTest::addColumn<QStringList>("started");
    QTest::addColumn<QStringList>("messages");
    QTest::newRow("none on the system") << QStringList{} << false << QStringList{} << QStringList{kNoSysinfo};
    QTest::newRow("one found") << QStringList{"kinfocenter"} << false << QStringList{"/usr/bin/kinfocenter"}
                               << QStringList{};
    QTest::newRow("the first of the list wins") << QStringList{"lshw-gtk", "hardinfo"} << false
                                                << QStringList{"/usr/bin/hardinfo"} << QStringList{};
    QTest::newRow("found but does not start") << QStringList{"hardinfo"} << true << QStringList{}
                                              << QStringList{kNoSysinfo};
    QTest::newRow("an unknown program is not used") << QStringList{"top"} << false << QStringList{}
                                                    << QStringList{kNoSysinfo};
}

void tst_frmAbout::system_information()
{
    QFETCH(QStringList, on_path);
    QFETCH(bool, start_fails);
    QFETCH(QStringList, started);
    QFETCH(QStringList, messages);
    test::Scripted_platform ui;
    ui.programs = on_path;
    ui.start_fails = start_fails;
    frmAbout about;
    about.show();
    about.cmdSysInfo->click();
    QCOMPARE(ui.started, started);
    QCOMPARE(ui.texts(), messages);
    if (!messages.isEmpty()) {
        QCOMPARE(ui.shown.first().buttons, platform::Buttons::Ok);
        QCOMPARE(ui.shown.first().title, QStringLiteral("MARDOVI VEXO"));
    }
    QVERIFY(about.isVisible());
}

void tst_frmAbout::ok_closes_the_box()
{
    frmAbout about;
    about.show();
    about.cmdOK->click();
    QVERIFY(!about.isVisible());
    QCOMPARE(about.result(), int(QDialog::Accepted));
}

QTEST_MAIN(tst_frmAbout)
#include "tst_frmAbout.moc"
