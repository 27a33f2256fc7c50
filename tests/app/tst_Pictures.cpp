// The pictures and icons of the first screen: read from the copies drawn at
// build time for the sizes they are shown at (so start-up draws nothing),
// with the very pixels the vector source gives; any other size is drawn, and
// a copy that cannot be read is drawn too.
#include "app/Picture_drawing.h"
#include "app/Pictures.h"
#include "app/frmSplash.h"
#include "app/frmWelcome.h"
#include "support/Fixture.h"

#include <QtTest>

#include <QLabel>
#include <QPainter>

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
    void copies_read_back_as_written();
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

// Other sizes and pixel ratios are drawn, on a button or a painter alike; a
// missing picture is an empty place, never a crash.
void tst_Pictures::other_sizes_are_drawn()
{
    const QString svg = QStringLiteral(":/pictures/logo.svg");
    QVERIFY(Read_pixels(Prerendered_picture(svg, QSize(77, 50))).isNull());
    QCOMPARE(Pixels(Picture(svg, QSize(77, 50), 1)), Draw_picture(svg, QSize(77, 50)));
    const QPixmap sharp = Picture(svg, QSize(77, 50), 2);
    QCOMPARE(sharp.devicePixelRatio(), 2.0);
    QImage drawn = Draw_picture(svg, QSize(154, 100));
    drawn.setDevicePixelRatio(2);
    QCOMPARE(Pixels(sharp), drawn);
    const QIcon icon = Icon(QStringLiteral(":/icons/find.svg"));
    QCOMPARE(Pixels(icon.pixmap(QSize(20, 20))), Draw_icon(QStringLiteral(":/icons/find.svg"), QSize(20, 20)));
    QCOMPARE(icon.actualSize(QSize(20, 20)), QSize(20, 20));
    QImage canvas(40, 40, QImage::Format_ARGB32_Premultiplied);
    canvas.setDevicePixelRatio(2);
    canvas.fill(Qt::transparent);
    QPainter(&canvas).drawPixmap(0, 0, icon.pixmap(QSize(20, 20), 2.0));
    QImage painted(40, 40, QImage::Format_ARGB32_Premultiplied);
    painted.setDevicePixelRatio(2);
    painted.fill(Qt::transparent);
    {
        QPainter painter(&painted);
        icon.paint(&painter, QRect(0, 0, 20, 20));
    }
    QCOMPARE(painted, canvas);
    const QIcon missing = Icon(QStringLiteral(":/icons/none.svg"));
    QVERIFY(missing.pixmap(QSize(16, 16)).isNull() && missing.pixmap(QSize(16, 16), QIcon::Disabled).isNull());
    QCOMPARE(Picture(QStringLiteral(":/pictures/none.svg"), QSize(30, 20), 1).size(), QSize(30, 20));
}

// The build step's copies read back pixel for pixel, opaque or not; a copy
// cut short, of another kind or missing reads as none, so the picture is drawn.
void tst_Pictures::copies_read_back_as_written()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("copy.argb"));
    QImage opaque(5, 3, QImage::Format_RGB32);
    opaque.fill(Qt::darkRed);
    for (const QImage& image : {opaque, Draw_icon(QStringLiteral(":/icons/find.svg"), QSize(24, 24))}) {
        QVERIFY(Write_pixels(image, path));
        QCOMPARE(Pixels(QPixmap::fromImage(Read_pixels(path))), image.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    }
    const QByteArray whole = test::Read_file(path);
    for (const QByteArray& damaged : {whole.chopped(1), whole.left(10), "X" + whole.mid(1)}) {
        test::Write_file(path, damaged);
        QVERIFY(Read_pixels(path).isNull());
    }
    QVERIFY(Read_pixels(dir.filePath(QStringLiteral("none.argb"))).isNull());
    QVERIFY(!Write_pixels(opaque, dir.filePath(QStringLiteral("no/folder/copy.argb"))));
}

QTEST_MAIN(tst_Pictures)
#include "tst_Pictures.moc"
