// The guide page viewer's layout as the user sees it: blocks stacked on the
// sheet, the header with and without a product, the scroll bar and its range
// following content and window size, and the two buttons.
#include "Guide_program.h"

#include "app/Child_windows.h"
#include "app/General.h"
#include "app/Row_cells.h"
#include "guides/Guide_page.h"
#include "guides/frmGuidePage.h"
#include "platform/Twips.h"

#include <QFrame>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

using namespace vexo;

namespace {

// Page 131: a heading, then 80 long body sentences with a sub-heading every
// tenth slot: far taller than any window. Page 124: a title that wraps, and
// three short blocks.
// Page 121: a single block.
QString Rows()
{
    QString sql = QStringLiteral(
        "INSERT INTO Sentences VALUES (1, 'GUÍA 131', 5), (2, 'Líquidos Inflamables - Tóxicos', 2),"
        " (3, 'PELIGROS POTENCIALES', 3), (4, 'A LA SALUD', 4),"
        " (5, '• Los vapores pueden causar mareos o asfixia, especialmente en lugares cerrados o espacios "
        "confinados, y pueden viajar a una fuente de encendido y regresar en llamas hasta el origen del derrame.', 0),"
        " (6, 'GUÍA 124', 5),"
        " (7, 'Sustancias - Tóxicas y/o Corrosivas (inflamables / susceptibles al agua)', 2), (8, '• Mantener alejado al personal no autorizado.', 0),"
        " (9, 'GUÍA 121', 5), (10, 'Intencionalmente dejada en blanco', 2),"
        " (11, 'No hay materiales que hagan referencia a esta guía.', 0);\n"
        "INSERT INTO Guides_pages VALUES (1, 131, 1), (2, 131, 2), (3, 131, 3)");
    for (int key = 4; key < 84; ++key)
        sql += QStringLiteral(", (%1, 131, %2)").arg(key).arg(key % 10 == 0 ? 4 : 5);
    sql += QStringLiteral(", (100, 124, 6), (101, 124, 7), (102, 124, 3), (103, 124, 4), (104, 124, 8)"
                          ", (110, 121, 9), (111, 121, 10), (112, 121, 11);\n");
    return sql;
}

int Bottom(const QWidget* w)
{
    return w->y() + w->height();
}

// The sheet's place on screen when the scroll box is at the end, against
// where it should stand: 240 twips above the window's bottom. One scroll
// unit is `last block` twips, so the range lands within half a unit.
void Verify_sheet_end(frmGuidePage* page)
{
    page->vsGuide->setValue(page->vsGuide->maximum());
    const int tolerance = twips(page->Last_block()) + 1;
    const int expected = page->height() - twips(240);
    QVERIFY2(std::abs(Bottom(page->frmWhite) - expected) <= tolerance,
             qPrintable(QStringLiteral("sheet ends at %1, expected %2").arg(Bottom(page->frmWhite)).arg(expected)));
    page->vsGuide->setValue(0);
    QCOMPARE(page->frmWhite->y(), Bottom(page->frmHeader) + twips(120));
}

void Resize_frame(int width, int height)
{
    Child_frame<frmGuidePage>()->resize(width, height);
    QCoreApplication::processEvents();
}

} // namespace

class tst_frmGuidePage : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void captions_and_buttons();
    void blocks_touch_and_span_the_sheet();
    void header_ends_below_title_and_button_data();
    void header_ends_below_title_and_button();
    void header_shows_the_whole_title_data();
    void header_shows_the_whole_title();
    void scroll_bar_shows_when_the_page_does_not_fit();
    void scroll_range_follows_content_and_window_size();
    void long_page_in_narrow_window_scrolls_to_its_end();
    void resize_relays_every_block();
    void window_does_not_get_smaller_than_its_minimum();
    void distances_button_hands_over_its_lookup();
    void print_button_prints_this_page();
    void page_of_one_block_is_laid_out();

private:
    std::unique_ptr<test::Guide_program> program_;
};

void tst_frmGuidePage::init()
{
    program_ = std::make_unique<test::Guide_program>(Rows());
}

void tst_frmGuidePage::cleanup()
{
    frmGuidePage::Distances_box_opener = nullptr;
    frmGuidePage::Page_printer = nullptr;
    program_.reset();
}

void tst_frmGuidePage::captions_and_buttons()
{
    frmGuidePage* page = Open_guide_page("124");
    QCOMPARE(page->cmdPrint->text(), QStringLiteral("&Imprimir"));
    QCOMPARE(page->cmdPrint->toolTip(), QStringLiteral("Imprimir esta página de la guía"));
    QCOMPARE(page->cmdIIPAD->text(), QStringLiteral("DAIAP"));
    QCOMPARE(page->cmdIIPAD->toolTip(), QStringLiteral("Distancias de aislamiento inicial y acción protectora"));
    // Under the guide number; it cannot be pressed while the program has no
    // printing.
    QVERIFY(page->cmdPrint->isVisible());
    QVERIFY(!page->cmdPrint->isEnabled());
    QCOMPARE(page->cmdPrint->y(), Bottom(page->lblGuide));
    QCOMPARE(page->cmdPrint->x(), page->lblGuide->x());
    QVERIFY(page->cmdIIPAD->isHidden());
    QCOMPARE(page->lblGuide->font().pointSizeF(), 20.25);
    QCOMPARE(page->lblProduct->font().pointSizeF(), 12.0);
}

void tst_frmGuidePage::blocks_touch_and_span_the_sheet()
{
    frmGuidePage* page = Open_guide_page("131");
    const int sheet = page->frmWhite->width();
    QCOMPARE(page->frmWhite->x(), twips(240));
    int line = 0;
    for (qint16 i = 0; i <= page->Last_block(); ++i) {
        const QLabel* block = page->lblText[i];
        QCOMPARE(block->x(), 0);
        QCOMPARE(block->y(), i == 0 ? 0 : Bottom(page->lblText[i - 1]));
        if (Tag(block) == "4") {
            QVERIFY(block->width() < sheet / 2);
            QCOMPARE(page->lnLine[line]->geometry(), QRect(0, block->y(), sheet, 1));
            ++line;
        } else {
            QCOMPARE(block->width(), sheet);
        }
    }
    QCOMPARE(line, 8);
    QCOMPARE(page->frmWhite->height(), Bottom(page->lblText[page->Last_block()]));
}

void tst_frmGuidePage::header_ends_below_title_and_button_data()
{
    QTest::addColumn<QString>("product");
    QTest::newRow("no product") << QString();
    QTest::newRow("product") << QStringLiteral("Methanol, Número de identificación 1230");
}

void tst_frmGuidePage::header_ends_below_title_and_button()
{
    QFETCH(QString, product);
    Product_label = product;
    frmGuidePage* page = Open_guide_page("131");
    const int lower = std::max(Bottom(page->lblProduct), Bottom(page->cmdPrint));
    if (product.isEmpty()) {
        QVERIFY(page->lblNameProduct->isHidden());
        QVERIFY(std::abs(page->frmHeader->height() - (lower + twips(120))) <= 1);
    } else {
        QVERIFY(page->lblNameProduct->isVisible());
        QVERIFY(std::abs(page->lblNameProduct->y() - (lower + twips(360))) <= 1);
        QCOMPARE(page->lblNameProduct->x(), twips(240));
        QCOMPARE(page->frmHeader->height(), Bottom(page->lblNameProduct));
    }
    QCOMPARE(page->vsGuide->y(), Bottom(page->frmHeader));
    QCOMPARE(page->frmWhite->y(), Bottom(page->frmHeader) + twips(120));
}

void tst_frmGuidePage::header_shows_the_whole_title_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<bool>("distances");
    QTest::newRow("narrowest, both buttons") << 50 << true;
    QTest::newRow("narrowest, print button only") << 50 << false;
    QTest::newRow("as opened, both buttons") << 0 << true;
    QTest::newRow("wide, both buttons") << 1000 << true;
}

void tst_frmGuidePage::header_shows_the_whole_title()
{
    QFETCH(int, width);
    QFETCH(bool, distances);
    frmGuidePage::Distances_box_opener = [] {};
    Product_label = QStringLiteral("Sodium hydrosulfide, Número de identificación 2922");
    frmGuidePage* page = Open_guide_page("124");
    if (distances)
        page->Show_distances(QStringLiteral("SELECT * FROM Green WHERE ID = 2922"));
    if (width)
        Resize_frame(width, 600);
    const QLabel* title = page->lblProduct;
    QVERIFY(title->height() >= title->heightForWidth(title->width()));
    QVERIFY(title->x() + title->width() <= page->frmHeader->width());
    QVERIFY(!page->cmdPrint->geometry().intersects(title->geometry()));
    if (distances)
        QVERIFY(!page->cmdIIPAD->geometry().intersects(title->geometry()));
    QVERIFY(Bottom(title) < page->lblNameProduct->y());
    QVERIFY(Bottom(page->lblNameProduct) <= page->frmHeader->height());
}

void tst_frmGuidePage::scroll_bar_shows_when_the_page_does_not_fit()
{
    frmGuidePage* page = Open_guide_page("124");
    Resize_frame(700, 600);
    QVERIFY(page->vsGuide->isHidden());
    QCOMPARE(page->vsGuide->maximum(), 0);
    // Lower until header + sheet + 820 twips passes the window's height.
    Resize_frame(700, Bottom(page->frmHeader) + page->frmWhite->height() + twips(400));
    QVERIFY(page->vsGuide->isVisible());
    QVERIFY(page->vsGuide->maximum() > 0);
}

void tst_frmGuidePage::scroll_range_follows_content_and_window_size()
{
    frmGuidePage* page = Open_guide_page("131");
    Resize_frame(450, 500);
    QVERIFY(page->vsGuide->isVisible());
    const int narrow = page->vsGuide->maximum();
    Verify_sheet_end(page);

    Resize_frame(950, 500);  // wider: fewer lines, a shorter sheet
    QVERIFY(page->vsGuide->maximum() < narrow);
    Verify_sheet_end(page);

    const int low = page->vsGuide->maximum();
    Resize_frame(950, 700);  // taller: less to scroll
    QVERIFY(page->vsGuide->maximum() < low);
    QCOMPARE(page->vsGuide->pageStep(), static_cast<int>(std::lround(page->vsGuide->maximum() / 3.0)));
    Verify_sheet_end(page);
}

void tst_frmGuidePage::long_page_in_narrow_window_scrolls_to_its_end()
{
    frmGuidePage* page = Open_guide_page("131");
    Resize_frame(1, 1);
    QCOMPARE(page->width(), twips(5000));
    // Past 32767 twips the offset would wrap in 16 bits.
    QVERIFY(to_twips(page->frmWhite->height()) > 32767);
    Verify_sheet_end(page);
}

void tst_frmGuidePage::resize_relays_every_block()
{
    frmGuidePage* page = Open_guide_page("131");
    Resize_frame(600, 500);
    const int narrow_sheet = page->frmWhite->height();
    Resize_frame(990, 500);
    const int sheet = page->frmWhite->width();
    QCOMPARE(sheet, page->vsGuide->x() - 2 * twips(240));
    for (qint16 i = 0; i <= page->Last_block(); ++i) {
        const QLabel* block = page->lblText[i];
        if (Tag(block) != "4") {
            QCOMPARE(block->width(), sheet);
            QCOMPARE(block->height(), block->heightForWidth(sheet));
        }
    }
    for (const QFrame* line : page->lnLine)
        QCOMPARE(line->width(), sheet);
    QVERIFY(page->frmWhite->height() < narrow_sheet);
    QCOMPARE(page->frmHeader->width(), page->width());
}

void tst_frmGuidePage::window_does_not_get_smaller_than_its_minimum()
{
    frmGuidePage* page = Open_guide_page("124");
    Resize_frame(50, 40);
    QCOMPARE(page->size(), QSize(twips(5000), twips(2085)));
    // The frame holds the whole page: nothing is cut off at its edges.
    QVERIFY(Child_frame<frmGuidePage>()->contentsRect().size().width() >= page->width());
}

void tst_frmGuidePage::distances_button_hands_over_its_lookup()
{
    const QString lookup = QStringLiteral(
        "SELECT * FROM Green WHERE ID = 1230 AND Name_of_material = \"Methanol\" ORDER BY ID, Name_of_material");
    frmGuidePage* page = Open_guide_page("131");
    // No distances box in the program: the button stays hidden.
    page->Show_distances(lookup);
    QVERIFY(page->cmdIIPAD->isHidden());

    static int boxes = 0;
    boxes = 0;
    frmGuidePage::Distances_box_opener = [] { ++boxes; };
    page = Open_guide_page("131");
    QVERIFY(page->cmdIIPAD->isHidden());
    page->Show_distances(lookup);
    QVERIFY(page->cmdIIPAD->isVisible());
    QCOMPARE(page->cmdIIPAD->y(), page->cmdPrint->y());
    QCOMPARE(page->cmdIIPAD->x(), page->cmdPrint->x() + page->cmdPrint->width() + twips(120));
    QTest::mouseClick(page->cmdIIPAD, Qt::LeftButton);
    QCOMPARE(Box_SQL, lookup);
    QCOMPARE(boxes, 1);
}

void tst_frmGuidePage::print_button_prints_this_page()
{
    static frmGuidePage* printed = nullptr;
    printed = nullptr;
    frmGuidePage::Page_printer = [](frmGuidePage* page) { printed = page; };
    frmGuidePage* page = Open_guide_page("124");
    QVERIFY(page->cmdPrint->isEnabled());
    QTest::mouseClick(page->cmdPrint, Qt::LeftButton);
    QCOMPARE(printed, page);
}

void tst_frmGuidePage::page_of_one_block_is_laid_out()
{
    frmGuidePage* page = Open_guide_page("121");
    QCOMPARE(page->Last_block(), qint16(0));
    Resize_frame(400, 200);
    Resize_frame(800, 600);
    QCOMPARE(page->lblText[0]->text(), QStringLiteral("No hay materiales que hagan referencia a esta guía."));
    QCOMPARE(page->lblText[0]->width(), page->frmWhite->width());
    QCOMPARE(page->frmWhite->y(), Bottom(page->frmHeader) + twips(120));
}

QTEST_MAIN(tst_frmGuidePage)
#include "tst_frmGuidePage.moc"
