// The welcome page and the About box built alone: nothing cut off or
// covered, at each size class of the page; the About box's texts and its
// system information button, which never closes the box. What the page's
// buttons open, and opening the box from the menu, are tested with the main
// window's commands.
#include "app/General.h"
#include "app/frmAbout.h"
#include "app/frmWelcome.h"
#include "platform/Twips.h"
#include "support/Scripted_platform.h"

#include <QtTest>

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

using namespace vexo;

namespace {

template <class T = QWidget>
T* Part(const QWidget& window, const char* name)
{
    return window.findChild<T*>(QLatin1String(name));
}

// The first shown widget, all the way down, that is not whole inside its
// parent, meets a sibling, or whose caption does not fit; "" when none.
QString First_fault(const QWidget& parent)
{
    QList<const QWidget*> placed;
    for (const QWidget* child : parent.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (!child->isVisibleTo(&parent))
            continue;
        const QString name = child->objectName();
        if (!parent.rect().contains(child->geometry()))
            return name + QStringLiteral(" cut off");
        for (const QWidget* other : placed)
            if (other->geometry().intersects(child->geometry()))
                return name + QStringLiteral(" over ") + other->objectName();
        placed << child;
        if (const auto* button = qobject_cast<const QPushButton*>(child);
            button && button->fontMetrics().horizontalAdvance(QString(button->text()).remove(u'&')) + 8 >= button->width())
            return name + QStringLiteral(" caption too wide");
        if (QString fault = First_fault(*child); !fault.isEmpty())
            return fault;
    }
    return {};
}

} // namespace

class tst_Layouts : public QObject {
    Q_OBJECT
    frmAbout about_;

private Q_SLOTS:
    // Below 800 pixels of screen the page is built smaller: font, then button,
    // menu and map widths in twips; at its minimum size, or larger, nothing
    // is cut off or covered, the menu sits at the right, centred up and down,
    // and the map midway between the logo and the menu.
    void welcome_page_data()
    {
        QTest::addColumn<int>("screen_width");
        QTest::addColumn<QSize>("page"); // pixels asked of the page
        QTest::addColumn<QList<int>>("sizes");
        const QList<int> small{7, 1700, 350, 2175, 3675}, large{9, 2175, 495, 2655, 4305};
        QTest::newRow("640, at its minimum") << 640 << QSize(0, 0) << small;
        QTest::newRow("799") << 799 << QSize(0, 0) << small;
        QTest::newRow("800, at its minimum") << 800 << QSize(0, 0) << large;
        QTest::newRow("1920, wide page") << 1920 << QSize(1200, 900) << large;
    }

    void welcome_page()
    {
        QFETCH(int, screen_width);
        QFETCH(QSize, page);
        QFETCH(QList<int>, sizes);
        frmWelcome welcome(screen_width);
        const auto* tanks = Part<QPushButton>(welcome, "cmdTanks");
        QCOMPARE(tanks->font().family(), QStringLiteral("Arial"));
        QCOMPARE((QList<int>{tanks->font().pointSize(), tanks->width(), tanks->height(),
                             Part(welcome, "frmMenu")->width(), Part(welcome, "imgAmerica")->width()}),
                 (QList<int>{sizes[0], twips(sizes[1]), twips(sizes[2]), twips(sizes[3]), twips(sizes[4])}));

        welcome.resize(page); // never below the minimum
        welcome.show();
        QVERIFY(QTest::qWaitForWindowExposed(&welcome));
        QCOMPARE(welcome.size(), page.expandedTo(QSize(twips(9915), twips(9750))));
        QCOMPARE(First_fault(welcome), QString());
        const QRect logo = Part(welcome, "picLogo")->geometry();
        const QRect menu = Part(welcome, "frmMenu")->geometry();
        const QRect map = Part(welcome, "imgAmerica")->geometry();
        QCOMPARE(logo.topLeft(), QPoint(0, 0));
        QVERIFY(qAbs(menu.right() + 1 + twips(120) - welcome.width()) <= 1);
        QVERIFY(qAbs(menu.top() - (welcome.height() - menu.bottom() - 1)) <= 1);
        QVERIFY(qAbs((map.left() - logo.right()) - (menu.left() - map.right())) <= 2);
    }

    void about_box()
    {
        QCOMPARE(Part<QPushButton>(about_, "cmdOK")->text(), QStringLiteral("&Aceptar"));
        QCOMPARE(Part<QPushButton>(about_, "cmdSysInfo")->text(), QStringLiteral("&Información"));
        // The disclaimer names the edition and sends the reader to the printed book.
        const QString disclaimer = Part<QLabel>(about_, "lblDisclaimer")->text();
        QVERIFY(disclaimer.contains(QStringLiteral("GRE2024")) && disclaimer.contains(QStringLiteral("guía impresa")));
        QVERIFY(Part<QLabel>(about_, "lblThanks")->text().contains(QStringLiteral("Complemento Carta Porte del SAT")));

        about_.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about_));
        QCOMPARE(First_fault(about_), QString());
        // Each wrapped text has the height its lines need; the box ends a
        // margin below its last part.
        for (const char* name : {"lblDescription", "lblThanks", "lblDisclaimer"}) {
            const auto* label = Part<QLabel>(about_, name);
            QCOMPARE(label->height(), label->heightForWidth(label->width()));
        }
        const auto bottom = [this](const char* name) { return Part(about_, name)->geometry().bottom() + 1; };
        QVERIFY(Part(about_, "lneRule")->y() > bottom("lblCopyright"));
        QVERIFY(Part(about_, "cmdSysInfo")->y() < Part(about_, "cmdOK")->y());
        QCOMPARE(about_.height(), std::max(bottom("lblDisclaimer"), bottom("cmdOK")) + twips(360));
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
        Part<QPushButton>(about_, "cmdSysInfo")->click();
        QCOMPARE(ui.started, started.isEmpty() ? QStringList() : QStringList{started});
        QCOMPARE(ui.texts(), started.isEmpty() ? QStringList{"La información del Sistema no está disponible en este momento"}
                                               : QStringList());
        if (started.isEmpty())
            QCOMPARE(ui.shown.first().buttons, platform::Buttons::Ok);
        QVERIFY(about_.isVisible());
    }
};

QTEST_MAIN(tst_Layouts)
#include "tst_Layouts.moc"
