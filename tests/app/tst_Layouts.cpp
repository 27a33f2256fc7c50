// The welcome page, the About box and the splash built alone: nothing cut off
// or covered, their texts; the first screen's pictures come from copies drawn
// at build time (start-up draws nothing), with the vector source's pixels.
#include "app/Picture_drawing.h"
#include "app/Pictures.h"
#include "app/frmAbout.h"
#include "app/frmSplash.h"
#include "app/frmWelcome.h"
#include "platform/Twips.h"
#include "support/Fixture.h"
#include "support/Scripted_platform.h"
#include "support/Widgets.h"

#include <QtTest>

#include <QLabel>
#include <QPushButton>

using namespace vexo;

namespace {

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

// An opaque picture comes back from the screen's pixmap without its alpha.
QImage Pixels(const QPixmap& shown)
{
    return shown.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

class tst_Layouts : public QObject {
    Q_OBJECT

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
        const auto* tanks = test::Child<QPushButton>(&welcome, "cmdTanks");
        QCOMPARE(tanks->font().family(), QStringLiteral("Arial"));
        QCOMPARE((QList<int>{tanks->font().pointSize(), tanks->width(), tanks->height(),
                             test::Child(&welcome, "frmMenu")->width(), test::Child(&welcome, "imgAmerica")->width()}),
                 (QList<int>{sizes[0], twips(sizes[1]), twips(sizes[2]), twips(sizes[3]), twips(sizes[4])}));

        welcome.resize(page); // never below the minimum
        welcome.show();
        QVERIFY(QTest::qWaitForWindowExposed(&welcome));
        QCOMPARE(welcome.size(), page.expandedTo(QSize(twips(9915), twips(9750))));
        QCOMPARE(First_fault(welcome), QString());
        const QRect logo = test::Child(&welcome, "picLogo")->geometry();
        const QRect menu = test::Child(&welcome, "frmMenu")->geometry();
        const QRect map = test::Child(&welcome, "imgAmerica")->geometry();
        QCOMPARE(logo.topLeft(), QPoint(0, 0));
        QVERIFY(qAbs(menu.right() + 1 + twips(120) - welcome.width()) <= 1);
        QVERIFY(qAbs(menu.top() - (welcome.height() - menu.bottom() - 1)) <= 1);
        QVERIFY(qAbs((map.left() - logo.right()) - (menu.left() - map.right())) <= 2);
    }

    // The About box and the splash read as written, nothing cut off. The first
    // system information program of the list found on the path is started; else
    // the box says there is none, and stays open either way.
    void about_box_data()
    {
        QTest::addColumn<QStringList>("on_path");
        QTest::addColumn<bool>("start_fails");
        QTest::addColumn<QString>("seen"); // the program started, or the message
        const QString none = QStringLiteral("La información del Sistema no está disponible en este momento");
        QTest::newRow("none on the system") << QStringList{} << false << none;
        QTest::newRow("one found") << QStringList{"kinfocenter"} << false << "/usr/bin/kinfocenter";
        QTest::newRow("the first of the list wins") << QStringList{"lshw-gtk", "hardinfo"} << false << "/usr/bin/hardinfo";
        QTest::newRow("found but does not start") << QStringList{"hardinfo"} << true << none;
        QTest::newRow("an unknown program is not used") << QStringList{"top"} << false << none;
    }
    void about_box()
    {
        QFETCH(QStringList, on_path);
        QFETCH(bool, start_fails);
        QFETCH(QString, seen);
        frmSplash splash;
        QCOMPARE(test::Child<QLabel>(&splash, "lblVersion")->text(), QStringLiteral("Versión 2.00"));
        QCOMPARE(test::Child<QLabel>(&splash, "lblPlatform")->text(), QStringLiteral("Windows 95/NT"));
        frmAbout about;
        QCOMPARE(test::Child<QPushButton>(&about, "cmdOK")->text(), QStringLiteral("&Aceptar"));
        QCOMPARE(test::Child<QPushButton>(&about, "cmdSysInfo")->text(), QStringLiteral("&Información"));
        // The disclaimer names the edition and sends the reader to the printed book.
        const QString disclaimer = test::Child<QLabel>(&about, "lblDisclaimer")->text();
        QVERIFY(disclaimer.contains(QStringLiteral("GRE2024")) && disclaimer.contains(QStringLiteral("guía impresa")));
        QVERIFY(test::Child<QLabel>(&about, "lblThanks")->text().contains(QStringLiteral("Complemento Carta Porte del SAT")));

        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QCOMPARE(First_fault(about), QString());
        // Each wrapped text has the height its lines need.
        for (const char* name : {"lblDescription", "lblThanks", "lblDisclaimer"}) {
            const auto* label = test::Child<QLabel>(&about, name);
            QCOMPARE(label->height(), label->heightForWidth(label->width()));
        }
        QCOMPARE(about.windowTitle(), QStringLiteral("Acerca de la MARDOVI VEXO"));
        test::Scripted_platform ui;
        ui.programs = on_path;
        ui.start_fails = start_fails;
        test::Child<QPushButton>(&about, "cmdSysInfo")->click();
        QCOMPARE(ui.started + ui.texts(), QStringList{seen});
        QVERIFY(ui.shown.isEmpty() || ui.shown.first().buttons == platform::Buttons::Ok);
        QVERIFY(about.isVisible());
        test::Child<QPushButton>(&about, "cmdOK")->click();
        QVERIFY(!about.isVisible() && about.result() == QDialog::Accepted);
    }

    // Each picture of a window's label, and each icon at the sides it is
    // shown at; disabled icons still look disabled.
    void first_screen_pictures_data()
    {
        QTest::addColumn<QString>("svg");
        QTest::addColumn<std::shared_ptr<QWidget>>("window"); // null: an icon
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("side");
        const std::shared_ptr<QWidget> welcome = std::make_shared<frmWelcome>(1024), none;
        QTest::newRow("splash") << ":/pictures/splash.svg" << std::shared_ptr<QWidget>(new frmSplash) << "imgSplash" << 0;
        QTest::newRow("logo") << ":/pictures/logo.svg" << welcome << "picLogo" << 0;
        QTest::newRow("map") << ":/pictures/america.svg" << welcome << "imgAmerica" << 0;
        QTest::newRow("map, small screen") << ":/pictures/america.svg" << std::shared_ptr<QWidget>(new frmWelcome(640))
                                           << "imgAmerica" << 0;
        QTest::newRow("toolbar") << ":/icons/find.svg" << none << "" << 16;
        QTest::newRow("large toolbar") << ":/icons/rail.svg" << none << "" << 32;
        QTest::newRow("welcome page's title bar") << ":/icons/welcome.svg" << none << "" << 18;
        for (int side : {16, 32, 64, 128})
            QTest::addRow("main window, %d", side) << ":/pictures/splash.svg" << none << "" << side;
    }
    void first_screen_pictures()
    {
        QFETCH(QString, svg);
        QFETCH(std::shared_ptr<QWidget>, window);
        QFETCH(QString, label);
        QFETCH(int, side);
        if (window) {
            const QPixmap shown = window->findChild<QLabel*>(label)->pixmap();
            QVERIFY2(!Read_pixels(Prerendered_picture(svg, shown.size())).isNull(), "no build-time copy of this size");
            QCOMPARE(Pixels(shown), Draw_picture(svg, shown.size()));
            return;
        }
        const QSize box(side, side);
        QVERIFY2(!Read_pixels(Prerendered_icon(svg, box)).isNull(), "no build-time copy of this size");
        const QIcon icon = Icon(svg);
        QCOMPARE(Pixels(icon.pixmap(box)), Draw_icon(svg, box));
        QVERIFY(Pixels(icon.pixmap(box, QIcon::Disabled)) != Pixels(icon.pixmap(box)));
    }

    // Other sizes and pixel ratios are drawn; a build-time copy cut short or
    // of another kind reads as none, so the picture is drawn; a missing
    // picture is an empty place, never a crash.
    void other_sizes_and_damaged_copies_are_drawn()
    {
        const QString svg = QStringLiteral(":/pictures/logo.svg");
        const QPixmap sharp = Picture(svg, QSize(77, 50), 2);
        QCOMPARE(sharp.devicePixelRatio(), 2.0);
        QImage drawn = Draw_picture(svg, QSize(154, 100));
        drawn.setDevicePixelRatio(2);
        QCOMPARE(Pixels(sharp), drawn);
        QCOMPARE(Picture(QStringLiteral(":/pictures/none.svg"), QSize(30, 20), 1).size(), QSize(30, 20));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("copy.argb"));
        QVERIFY(Write_pixels(drawn, path));
        const QByteArray whole = test::Read_file(path);
        for (const QByteArray& damaged : {whole.chopped(1), "X" + whole.mid(1)}) {
            test::Write_file(path, damaged);
            QVERIFY(Read_pixels(path).isNull());
        }
    }
};

QTEST_MAIN(tst_Layouts)
#include "tst_Layouts.moc"
