// The pictures and icons of the first screen: read from the copies drawn at
// build time for the sizes they are shown at (so start-up draws nothing),
// with the very pixels the vector source gives; any other size is drawn.
#include "app/Picture_drawing.h"
#include "app/Pictures.h"
#include "app/frmSplash.h"
#include "app/frmWelcome.h"

#include <QtTest>

#include <QLabel>

using namespace vexo;

namespace {

// An opaque picture comes back from the screen's pixmap without its alpha.
QImage Pixels(const QPixmap& shown)
{
    return shown.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

class tst_Pictures : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void pictures_shown_at_start_data();
    void pictures_shown_at_start();
    void icons_shown_at_start_data();
    void icons_shown_at_start();
    void other_sizes_are_drawn();
};

void tst_Pictures::pictures_shown_at_start_data()
{
    QTest::addColumn<std::shared_ptr<QWidget>>("window");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("svg");
    const auto splash = std::make_shared<frmSplash>();
    const auto welcome = std::make_shared<frmWelcome>(1024);
    const auto small_welcome = std::make_shared<frmWelcome>(640);
    QTest::newRow("splash") << std::shared_ptr<QWidget>(splash) << "imgSplash" << ":/pictures/splash.svg";
    QTest::newRow("logo") << std::shared_ptr<QWidget>(welcome) << "picLogo" << ":/pictures/logo.svg";
    QTest::newRow("map") << std::shared_ptr<QWidget>(welcome) << "imgAmerica" << ":/pictures/america.svg";
    QTest::newRow("map, small screen") << std::shared_ptr<QWidget>(small_welcome) << "imgAmerica"
                                       << ":/pictures/america.svg";
}

void tst_Pictures::pictures_shown_at_start()
{
    QFETCH(std::shared_ptr<QWidget>, window);
    QFETCH(QString, label);
    QFETCH(QString, svg);
    const QPixmap shown = window->findChild<QLabel*>(label)->pixmap();
    QVERIFY2(!Read_pixels(Prerendered_picture(svg, shown.size())).isNull(), "no build-time copy of this size");
    QCOMPARE(Pixels(shown), Draw_picture(svg, shown.size()));
}

void tst_Pictures::icons_shown_at_start_data()
{
    QTest::addColumn<QString>("svg");
    QTest::addColumn<int>("side");
    // The toolbar in both sizes, the title bar of the welcome page, the
    // main window's icon at each size the window system asks for.
    QTest::newRow("toolbar") << ":/icons/find.svg" << 16;
    QTest::newRow("large toolbar") << ":/icons/rail.svg" << 32;
    QTest::newRow("welcome page's title bar") << ":/icons/welcome.svg" << 18;
    for (int side : {16, 32, 64, 128})
        QTest::addRow("main window, %d", side) << ":/pictures/splash.svg" << side;
}

void tst_Pictures::icons_shown_at_start()
{
    QFETCH(QString, svg);
    QFETCH(int, side);
    const QSize box(side, side);
    QVERIFY2(!Read_pixels(Prerendered_icon(svg, box)).isNull(), "no build-time copy of this size");
    const QIcon icon = Icon(svg);
    QCOMPARE(Pixels(icon.pixmap(box)), Draw_icon(svg, box));
    // Disabled buttons still look disabled.
    QVERIFY(Pixels(icon.pixmap(box, QIcon::Disabled)) != Pixels(icon.pixmap(box)));
}

void tst_Pictures::other_sizes_are_drawn()
{
    const QString svg = QStringLiteral(":/pictures/logo.svg");
    QVERIFY(Read_pixels(Prerendered_picture(svg, QSize(77, 50))).isNull());
    QCOMPARE(Pixels(Picture(svg, QSize(77, 50), 1)), Draw_picture(svg, QSize(77, 50)));
    QCOMPARE(Pixels(Icon(svg).pixmap(QSize(20, 20))), Draw_icon(svg, QSize(20, 20)));
}

QTEST_MAIN(tst_Pictures)
#include "tst_Pictures.moc"
