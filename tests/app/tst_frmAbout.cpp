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
    QCOMPARE(about.findChild<QLabel*>(QStringLiteral("lblTitle"))->text(), QStringLiteral("MARDOVI VEXO"));
    QCOMPARE(about.findChild<QLabel*>(QStringLiteral("lblVersion"))->text(), QStringLiteral("Versión %1.%2%3").arg(VEXO_VERSION_MAJOR).arg(VEXO_VERSION_MINOR).arg(VEXO_VERSION_PATCH));
    QCOMPARE(about.findChild<QPushButton*>(QStringLiteral("cmdOK"))->text(), QStringLiteral("&Aceptar"));
    QCOMPARE(about.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->text(), QStringLiteral("&Información"));
    QVERIFY(about.isModal());
    // The disclaimer names the edition and sends the reader to the printed book.
    QVERIFY(about.findChild<QLabel*>(QStringLiteral("lblDisclaimer"))->text().contains(QStringLiteral("GRE2024")));
    QVERIFY(about.findChild<QLabel*>(QStringLiteral("lblDisclaimer"))->text().contains(QStringLiteral("guía impresa")));
    QVERIFY(about.findChild<QLabel*>(QStringLiteral("lblThanks"))->text().contains(QStringLiteral("Complemento Carta Porte del SAT")));
    for (QLabel* credit : {about.findChild<QLabel*>(QStringLiteral("lblLeader")), about.findChild<QLabel*>(QStringLiteral("lblProgram")), about.findChild<QLabel*>(QStringLiteral("lblThanks")), about.findChild<QLabel*>(QStringLiteral("lblCopyright"))})
        QVERIFY(!credit->text().isEmpty());
}

void tst_frmAbout::layout()
{
    frmAbout about;
    about.show();
    QVERIFY(QTest::qWaitForWindowExposed(&about));
    const QList<QWidget*> parts{about.findChild<QLabel*>(QStringLiteral("ImgGuide")),   about.findChild<QLabel*>(QStringLiteral("lblTitle")),      about.findChild<QLabel*>(QStringLiteral("lblVersion")), about.findChild<QLabel*>(QStringLiteral("lblDescription")),
                                about.findChild<QLabel*>(QStringLiteral("lblLeader")),  about.findChild<QLabel*>(QStringLiteral("lblProgram")),    about.findChild<QLabel*>(QStringLiteral("lblThanks")),  about.findChild<QLabel*>(QStringLiteral("lblCopyright")),
                                about.findChild<QFrame*>(QStringLiteral("lneRule")),    about.findChild<QLabel*>(QStringLiteral("lblDisclaimer")), about.findChild<QPushButton*>(QStringLiteral("cmdSysInfo")), about.findChild<QPushButton*>(QStringLiteral("cmdOK"))};
    for (qsizetype i = 0; i < parts.size(); ++i) {
        QVERIFY2(about.rect().contains(parts[i]->geometry()), qPrintable(parts[i]->objectName()));
        for (qsizetype j = i + 1; j < parts.size(); ++j)
            QVERIFY2(!parts[i]->geometry().intersects(parts[j]->geometry()),
                     qPrintable(QStringLiteral("%1 and %2 meet").arg(i).arg(j)));
    }
    // Each wrapped text has the height its lines need.
    for (QLabel* label : {about.findChild<QLabel*>(QStringLiteral("lblDescription")), about.findChild<QLabel*>(QStringLiteral("lblThanks")), about.findChild<QLabel*>(QStringLiteral("lblDisclaimer"))})
        QCOMPARE(label->height(), label->heightForWidth(label->width()));
    QVERIFY(about.findChild<QFrame*>(QStringLiteral("lneRule"))->y() > about.findChild<QLabel*>(QStringLiteral("lblCopyright"))->y() + about.findChild<QLabel*>(QStringLiteral("lblCopyright"))->height());
    QVERIFY(about.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->y() < about.findChild<QPushButton*>(QStringLiteral("cmdOK"))->y());
    QVERIFY(about.findChild<QLabel*>(QStringLiteral("lblDisclaimer"))->x() + about.findChild<QLabel*>(QStringLiteral("lblDisclaimer"))->width() < about.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->x());
    const int bottom = std::max(about.findChild<QLabel*>(QStringLiteral("lblDisclaimer"))->y() + about.findChild<QLabel*>(QStringLiteral("lblDisclaimer"))->height(), about.findChild<QPushButton*>(QStringLiteral("cmdOK"))->y() + about.findChild<QPushButton*>(QStringLiteral("cmdOK"))->height());
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
    about.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->click();
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
    about.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
    QVERIFY(!about.isVisible());
    QCOMPARE(about.result(), int(QDialog::Accepted));
}

QTEST_MAIN(tst_frmAbout)
#include "tst_frmAbout.moc"
