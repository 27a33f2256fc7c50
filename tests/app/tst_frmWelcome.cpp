// The welcome page: its captions and tips, the two size classes, a layout
// where nothing is cut off or covered and the summary button's guard. What
// its buttons open is tested with the main window's commands.
#include "app/Child_windows.h"
#include "app/General.h"
#include "app/frmMain.h"
#include "app/frmWelcome.h"
#include "platform/Twips.h"
#include "support/Fixture.h"
#include "support/Loaded_program.h"
#include "support/Scripted_platform.h"

#include <QtTest>

#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>

using namespace vexo;

class tst_frmWelcome : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void captions_and_tips_data();
    void captions_and_tips();
    void size_classes_data();
    void size_classes();
    void layout_data();
    void layout();
    void summary_button_follows_activation();

private:
    frmWelcome* Page() const { return Find_child<frmWelcome>(); }
    template <class T>
    static T* Part(const QWidget& page, const char* name) { return page.findChild<T*>(QLatin1String(name)); }

    QTemporaryDir template_; // the fixture database, made once and copied for each test
    std::unique_ptr<test::Loaded_program> program_;
    test::Scripted_platform* ui_ = nullptr;
    frmMain* main_ = nullptr;
};

void tst_frmWelcome::initTestCase()
{
    test::Make_database(template_.filePath(QStringLiteral("guide2ks.mdb")), test::Minimal_rows());
}

void tst_frmWelcome::init()
{
    program_ = std::make_unique<test::Loaded_program>(template_.filePath(QStringLiteral("guide2ks.mdb")));
    ui_ = &program_->ui();
    main_ = program_->main();
    // Every section gets a window that only says it was built.
    auto nothing = [] {};
    main_->openers = {nothing, nothing, nothing, nothing, nothing, nothing, nothing, nothing, nothing, nothing};
    main_->Enable_built_commands();
    main_->resize(1000, 800);
    main_->show();
    QVERIFY(QTest::qWaitForWindowExposed(main_));
}

void tst_frmWelcome::cleanup()
{
    program_.reset();
}

void tst_frmWelcome::captions_and_tips_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("tip");
    auto row = [](const char* button, const char* caption, const char* tip = "") {
        QTest::newRow(button) << QString::fromLatin1(button) << QString::fromUtf8(caption) << QString::fromUtf8(tip);
    };
    row("cmdIDNumber", "&Indice numérico");
    row("cmdMaterial", "Indice a&lfabético");
    row("cmdGuide", "Guías", "Guias de Repuesta a Emergencias");
    row("cmdPlacards", "&Carteles");
    row("cmdTrailer", "Tabla de remolques");
    row("cmdTanks", "Tabla de carros tanque");
    row("cmdDistances", "TDAIAP", "Tabla de distancias de aislamiento inicial y acción protectora");
    row("cmdWater", "LMPRA", "Lista de materiales peligrosos reactivos al agua que producen gases toxicos");
    row("cmdChemWeap", "Agentes Q/B", "Agentes Químicos y/o biológicos");
    row("cmdContents", "T&abla de Contenido");
    row("cmdSummary", "&Resúmen");
}

void tst_frmWelcome::captions_and_tips()
{
    QFETCH(QString, button);
    QFETCH(QString, caption);
    QFETCH(QString, tip);
    QVERIFY(Page());
    QCOMPARE(Page()->windowTitle(), QStringLiteral("Bienvenido"));
    auto* b = Page()->findChild<QPushButton*>(button);
    QVERIFY(b);
    QCOMPARE(b->text(), caption);
    QCOMPARE(b->toolTip(), tip);
}

void tst_frmWelcome::size_classes_data()
{
    QTest::addColumn<int>("screen_width");
    QTest::addColumn<int>("font_size");
    QTest::addColumn<int>("button_width"); // twips
    QTest::addColumn<int>("button_height");
    QTest::addColumn<int>("menu_width");
    QTest::addColumn<int>("map_width");
    QTest::newRow("640") << 640 << 7 << 1700 << 350 << 2175 << 3675;
    QTest::newRow("799") << 799 << 7 << 1700 << 350 << 2175 << 3675;
    QTest::newRow("800") << 800 << 9 << 2175 << 495 << 2655 << 4305;
    QTest::newRow("1920") << 1920 << 9 << 2175 << 495 << 2655 << 4305;
}

void tst_frmWelcome::size_classes()
{
    QFETCH(int, screen_width);
    QFETCH(int, font_size);
    QFETCH(int, button_width);
    QFETCH(int, button_height);
    QFETCH(int, menu_width);
    QFETCH(int, map_width);
    frmWelcome page(screen_width);
    const auto* tanks = Part<QPushButton>(page, "cmdTanks");
    QCOMPARE(tanks->font().pointSize(), font_size);
    QCOMPARE(tanks->font().family(), QStringLiteral("Arial"));
    QCOMPARE(tanks->size(), QSize(twips(button_width), twips(button_height)));
    QCOMPARE(Part<QGroupBox>(page, "frmMenu")->width(), twips(menu_width));
    QCOMPARE(Part<QLabel>(page, "imgAmerica")->width(), twips(map_width));
}

void tst_frmWelcome::layout_data()
{
    QTest::addColumn<int>("screen_width");
    QTest::addColumn<QSize>("page"); // pixels asked of the page
    QTest::newRow("small class at its minimum") << 640 << QSize(0, 0);
    QTest::newRow("large class at its minimum") << 800 << QSize(0, 0);
    QTest::newRow("large class, wide page") << 1280 << QSize(1200, 900);
}

void tst_frmWelcome::layout()
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

void tst_frmWelcome::summary_button_follows_activation()
{
    // The fixture's Summary table is empty.
    QVERIFY(Summary_empty);
    const auto* summary = Part<QPushButton>(*Page(), "cmdSummary");
    QVERIFY(!summary->isEnabled());
    Summary_empty = false; // a product was added elsewhere
    QVERIFY(!summary->isEnabled());
    QMdiSubWindow* frame = main_->Work_area()->addSubWindow(new QLabel(QStringLiteral("otra")));
    frame->show();
    main_->Work_area()->setActiveSubWindow(frame);
    main_->findChild<QAction*>(QStringLiteral("mnuViewWelcome"))->trigger();
    QVERIFY(summary->isEnabled());
}

QTEST_MAIN(tst_frmWelcome)
#include "tst_frmWelcome.moc"
