// The welcome page built alone: the two size classes and a layout where
// nothing is cut off or covered. Its captions, what its buttons open and the
// summary button's guard are tested with the main window's commands.
#include "app/frmWelcome.h"
#include "platform/Twips.h"

#include <QtTest>

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

using namespace vexo;

class tst_frmWelcome : public QObject {
    Q_OBJECT
    template <class T>
    static T* Part(const QWidget& page, const char* name) { return page.findChild<T*>(QLatin1String(name)); }

private Q_SLOTS:
    // Below 800 pixels of screen the page is built smaller: font, then button,
    // menu and map widths in twips.
    void size_classes_data()
    {
        QTest::addColumn<int>("screen_width");
        QTest::addColumn<QList<int>>("sizes");
        QTest::newRow("640") << 640 << QList<int>{7, 1700, 350, 2175, 3675};
        QTest::newRow("799") << 799 << QList<int>{7, 1700, 350, 2175, 3675};
        QTest::newRow("800") << 800 << QList<int>{9, 2175, 495, 2655, 4305};
        QTest::newRow("1920") << 1920 << QList<int>{9, 2175, 495, 2655, 4305};
    }

    void size_classes()
    {
        QFETCH(int, screen_width);
        QFETCH(QList<int>, sizes);
        frmWelcome page(screen_width);
        const auto* tanks = Part<QPushButton>(page, "cmdTanks");
        QCOMPARE(tanks->font().family(), QStringLiteral("Arial"));
        QCOMPARE((QList<int>{tanks->font().pointSize(), tanks->width(), tanks->height(), Part<QGroupBox>(page, "frmMenu")->width(),
                             Part<QLabel>(page, "imgAmerica")->width()}),
                 (QList<int>{sizes[0], twips(sizes[1]), twips(sizes[2]), twips(sizes[3]), twips(sizes[4])}));
    }

    void layout_data()
    {
        QTest::addColumn<int>("screen_width");
        QTest::addColumn<QSize>("page"); // pixels asked of the page
        QTest::newRow("small class at its minimum") << 640 << QSize(0, 0);
        QTest::newRow("large class at its minimum") << 800 << QSize(0, 0);
        QTest::newRow("large class, wide page") << 1280 << QSize(1200, 900);
    }

    void layout()
    {
        QFETCH(int, screen_width);
        QFETCH(QSize, page);
        frmWelcome welcome(screen_width);
        welcome.resize(page); // never below the minimum
        welcome.show();
        QVERIFY(QTest::qWaitForWindowExposed(&welcome));
        QCOMPARE(welcome.width(), std::max(page.width(), twips(9915)));
        QCOMPARE(welcome.height(), std::max(page.height(), twips(9750)));

        const QRect logo = Part<QLabel>(welcome, "picLogo")->geometry();
        QCOMPARE(logo.topLeft(), QPoint(0, 0));
        const QRect menu = Part<QGroupBox>(welcome, "frmMenu")->geometry();
        QVERIFY(qAbs(menu.right() + 1 + twips(120) - welcome.width()) <= 1);
        QVERIFY(qAbs(menu.top() - (welcome.height() - menu.bottom() - 1)) <= 1);

        // The map sits between the logo and the buttons, centred, touching neither.
        const QRect map = Part<QLabel>(welcome, "imgAmerica")->geometry();
        QVERIFY(map.left() > logo.right());
        QVERIFY(map.right() < menu.left());
        QVERIFY(qAbs((map.left() - logo.right()) - (menu.left() - map.right())) <= 2);
        QVERIFY(map.top() >= 0 && map.bottom() < welcome.height());

        // Every button shows whole inside its section, every section inside the
        // menu frame, and no two of them meet.
        QList<QRect> sections;
        for (const char* name : {"frmSection1", "frmSection2", "frmSection3"}) {
            const auto* section = Part<QGroupBox>(welcome, name);
            QVERIFY(QRect(QPoint(0, 0), menu.size()).contains(section->geometry()));
            for (const QRect& other : sections)
                QVERIFY(!other.intersects(section->geometry()));
            sections << section->geometry();
            QList<QRect> buttons;
            for (QPushButton* button : section->findChildren<QPushButton*>()) {
                QVERIFY2(section->contentsRect().contains(button->geometry()), qPrintable(button->text()));
                for (const QRect& other : buttons)
                    QVERIFY2(!other.intersects(button->geometry()), qPrintable(button->text()));
                buttons << button->geometry();
                const QString caption = QString(button->text()).remove(u'&');
                QVERIFY2(button->fontMetrics().horizontalAdvance(caption) + 8 < button->width(), qPrintable(caption));
            }
        }
    }
};

QTEST_MAIN(tst_frmWelcome)
#include "tst_frmWelcome.moc"
