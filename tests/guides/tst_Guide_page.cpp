// Opening a guide page: which rows become header fields and which become text
// blocks, with what look; the polymerization warning; the one-shot product
// line; a guide the database does not hold.
#include "Guide_program.h"

#include "app/Child_windows.h"
#include "app/General.h"
#include "app/Row_cells.h"
#include "guides/Guide_page.h"
#include "guides/frmGuidePage.h"

#include <QFrame>
#include <QLabel>
#include <QMdiArea>
#include <QtTest>

using namespace vexo;

namespace {

// Page 128 holds one sentence of every code, stored out of key order, with
// its title in the middle, two sub-headings in a row, a slot without a
// sentence and a code the program does not know. Page 124 is short. Page 141
// holds sentences with bold words, well marked and not.
const char* kRows = R"sql(
INSERT INTO Sentences VALUES (1, 'GUÍA 128', 5), (2, 'Líquidos Inflamables (no mezclables con agua)', 2),
  (3, 'PELIGROS POTENCIALES', 3), (4, 'INCENDIO O EXPLOSIÓN', 4), (5, '• ALTAMENTE INFLAMABLE.', 1),
  (6, '• Los vapores pueden formar mezclas explosivas con el aire.', 0), (7, 'Derrame Grande', 6),
  (8, 'A LA SALUD', 4), (9, 'Texto de código desconocido', 9),
  (20, 'GUÍA 124', 5), (21, 'Gases Tóxicos y/o Corrosivos - Oxidantes', 2),
  (40, 'GUÍA 141', 5), (41, '• <b>TÓXICO</b>; evite el contacto & <b>NO LO TOQUE</b>.', 0),
  (42, '• <b>EXCEPTO para UN1384', 0), (43, '• NO</b> LO <b>TOQUE', 1), (44, '<b>Derrame Grande</b>', 1);
INSERT INTO Guides_pages VALUES (16, 128, 7), (10, 128, 1), (11, 128, 3), (12, 128, 4), (13, 128, 5),
  (14, 128, 2), (15, 128, 6), (17, 128, 8), (18, 128, 99), (19, 128, 9),
  (30, 124, 20), (31, 124, 21), (32, 124, 3), (33, 124, 6),
  (40, 141, 40), (41, 141, 41), (42, 141, 42), (43, 141, 43), (44, 141, 44);
)sql";

QStringList Texts(const frmGuidePage* page)
{
    QStringList texts;
    for (qint16 i = 0; i <= page->Last_block(); ++i)
        texts << page->lblText[i]->text();
    return texts;
}

} // namespace

class tst_Guide_page : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void blocks_follow_the_key_order();
    void header_takes_number_and_title();
    void each_code_has_its_look_data();
    void each_code_has_its_look();
    void bold_marks_show_as_bold_words_data();
    void bold_marks_show_as_bold_words();
    void sub_headings_each_get_a_rule_line();
    void polymerization_code_warns_then_opens_the_same_page();
    void long_code_is_cut_to_the_guide_number();
    void product_line_is_shown_once();
    void guide_without_rows_is_reported_data();
    void guide_without_rows_is_reported();
    void a_second_guide_replaces_the_first();
    void opener_is_given_back_its_input();

private:
    std::unique_ptr<test::Guide_program> program_;
};

void tst_Guide_page::init()
{
    program_ = std::make_unique<test::Guide_program>(QString::fromUtf8(kRows));
}

void tst_Guide_page::cleanup()
{
    program_.reset();
}

void tst_Guide_page::blocks_follow_the_key_order()
{
    frmGuidePage* page = Open_guide_page("128");
    QVERIFY(page);
    // Key 13 holds the guide number and 14 the title: the next sentences
    // close the gap, so the indices stay contiguous.
    QCOMPARE(Texts(page), QStringList({"PELIGROS POTENCIALES", "INCENDIO O EXPLOSIÓN", "• ALTAMENTE INFLAMABLE.",
                                       "• Los vapores pueden formar mezclas explosivas con el aire.", "Derrame Grande",
                                       "A LA SALUD", "", ""}));
    QCOMPARE(page->Last_block(), qint16(7));
    for (qint16 i = 0; i <= page->Last_block(); ++i)
        QVERIFY2(page->lblText[i]->isVisible(), qPrintable(QString::number(i)));
    // The slot without a sentence and the unknown code stay empty, untagged.
    QCOMPARE(Tag(page->lblText[6]), QString());
    QCOMPARE(Tag(page->lblText[7]), QString());
    QVERIFY(!page->lblText[7]->autoFillBackground());
}

void tst_Guide_page::header_takes_number_and_title()
{
    frmGuidePage* page = Open_guide_page("128");
    QCOMPARE(page->lblGuide->text(), QStringLiteral("GUÍA 128"));
    QCOMPARE(page->windowTitle(), QStringLiteral("GUÍA 128"));
    QCOMPARE(page->lblProduct->text(), QStringLiteral("Líquidos Inflamables (no mezclables con agua)"));
    QVERIFY(!Texts(page).contains("GUÍA 128"));
    QVERIFY(!Texts(page).contains("Líquidos Inflamables (no mezclables con agua)"));
    QVERIFY(!Guide_page_records);
}

void tst_Guide_page::each_code_has_its_look_data()
{
    QTest::addColumn<int>("block");
    QTest::addColumn<QString>("tag");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<QColor>("back");
    QTest::addColumn<QColor>("fore");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("wrap");
    const QColor black(0, 0, 0), white(255, 255, 255), grey(192, 192, 192);
    QTest::newRow("3 section heading") << 0 << "3" << int(Qt::AlignHCenter) << black << white << true << true;
    QTest::newRow("4 sub-heading") << 1 << "4" << int(Qt::AlignLeft) << grey << black << true << false;
    QTest::newRow("1 emphasised body") << 2 << "1" << int(Qt::AlignLeft) << white << black << true << true;
    QTest::newRow("0 body") << 3 << "0" << int(Qt::AlignLeft) << white << black << false << true;
    QTest::newRow("6 second body") << 4 << "6" << int(Qt::AlignLeft) << white << black << false << true;
}

void tst_Guide_page::each_code_has_its_look()
{
    QFETCH(int, block);
    QFETCH(QString, tag);
    QFETCH(int, alignment);
    QFETCH(QColor, back);
    QFETCH(QColor, fore);
    QFETCH(bool, bold);
    QFETCH(bool, wrap);
    frmGuidePage* page = Open_guide_page("128");
    const QLabel* label = page->lblText[block];
    QCOMPARE(Tag(label), tag);
    QCOMPARE(int(label->alignment() & Qt::AlignHorizontal_Mask), alignment);
    QVERIFY(label->autoFillBackground());
    QCOMPARE(label->palette().color(QPalette::Window), back);
    QCOMPARE(label->palette().color(QPalette::WindowText), fore);
    QCOMPARE(label->font().bold(), bold);
    QCOMPARE(label->wordWrap(), wrap);
    QCOMPARE(label->font().pointSizeF(), 9.75);
}

void tst_Guide_page::bold_marks_show_as_bold_words_data()
{
    QTest::addColumn<int>("block");
    QTest::addColumn<bool>("rich");
    QTest::addColumn<QString>("shown");
    QTest::newRow("two runs") << 0 << true << "• <b>TÓXICO</b>; evite el contacto &amp; <b>NO LO TOQUE</b>.";
    QTest::newRow("run left open") << 1 << false << "• <b>EXCEPTO para UN1384";
    QTest::newRow("close before open") << 2 << false << "• NO</b> LO <b>TOQUE";
    QTest::newRow("whole emphasised sentence") << 3 << true << "<b>Derrame Grande</b>";
}

void tst_Guide_page::bold_marks_show_as_bold_words()
{
    QFETCH(int, block);
    QFETCH(bool, rich);
    QFETCH(QString, shown);
    frmGuidePage* page = Open_guide_page("141");
    const QLabel* label = page->lblText[block];
    QCOMPARE(label->textFormat(), rich ? Qt::RichText : Qt::PlainText);
    QCOMPARE(label->text(), shown);
    QVERIFY(label->height() >= label->heightForWidth(label->width()));
}

void tst_Guide_page::sub_headings_each_get_a_rule_line()
{
    frmGuidePage* page = Open_guide_page("128");
    QCOMPARE(page->lnLine.size(), 2);
    QCOMPARE(page->lnLine[0]->y(), page->lblText[1]->y());
    QCOMPARE(page->lnLine[1]->y(), page->lblText[5]->y());
    for (const QFrame* line : page->lnLine) {
        QVERIFY(line->isVisible());
        QCOMPARE(line->x(), 0);
        QCOMPARE(line->width(), page->frmWhite->width());
    }
    // A page without sub-headings shows no line.
    page = Open_guide_page("124");
    QVERIFY(!page->lnLine[0]->isVisible());
}

void tst_Guide_page::polymerization_code_warns_then_opens_the_same_page()
{
    const QStringList plain = Texts(Open_guide_page("128"));
    QVERIFY(program_->ui.shown.isEmpty());

    frmGuidePage* page = Open_guide_page("128P");
    QCOMPARE(program_->ui.shown.size(), 1);
    const platform::Message warning = program_->ui.shown.first();
    QCOMPARE(warning.text, QStringLiteral("ADVERTENCIA: Este material tiende a presentar peligro de polimerización."));
    QCOMPARE(warning.title, QStringLiteral("Peligro de polimerización"));
    QCOMPARE(warning.icon, platform::Icon::Exclamation);
    QCOMPARE(warning.buttons, platform::Buttons::Ok);
    QCOMPARE(page->lblGuide->text(), QStringLiteral("GUÍA 128"));
    QCOMPARE(Texts(page), plain);
}

void tst_Guide_page::long_code_is_cut_to_the_guide_number()
{
    frmGuidePage* page = Open_guide_page("1285");
    QVERIFY(page);
    QCOMPARE(page->lblGuide->text(), QStringLiteral("GUÍA 128"));
    QVERIFY(program_->ui.shown.isEmpty());
    QVERIFY(Guide_page_SQL.endsWith(QStringLiteral(" = 128 ORDER BY Guides_pages.Key")));
}

void tst_Guide_page::product_line_is_shown_once()
{
    Product_label = QStringLiteral("Gasoline, Número de identificación 1203");
    frmGuidePage* page = Open_guide_page("128");
    QVERIFY(page->lblNameProduct->isVisible());
    QCOMPARE(page->lblNameProduct->text(), QStringLiteral("Gasoline, Número de identificación 1203"));
    QCOMPARE(Product_label, QString());

    page = Open_guide_page("124");
    QVERIFY(page->lblNameProduct->isHidden());
    QCOMPARE(page->lblNameProduct->text(), QString());
}

void tst_Guide_page::guide_without_rows_is_reported_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("message");
    QTest::newRow("number without rows") << "150" << "La guía 150 no se encuentra en la base de datos.";
    QTest::newRow("not a number") << "1a5" << "La guía 1a5 no se encuentra en la base de datos.";
    QTest::newRow("empty code") << "" << "La guía  no se encuentra en la base de datos.";
}

void tst_Guide_page::guide_without_rows_is_reported()
{
    QFETCH(QString, code);
    QFETCH(QString, message);
    Open_guide_page("124");
    Product_label = QStringLiteral("Chlorine, Número de identificación 1017");
    QCOMPARE(Open_guide_page(code), nullptr);
    QCOMPARE(program_->ui.texts(), QStringList{message});
    QCOMPARE(program_->ui.shown.first().icon, platform::Icon::Exclamation);
    // The page asked for is not there; the earlier page must not stand in
    // for it, and its product goes with it.
    QCOMPARE(Find_child<frmGuidePage>(), nullptr);
    QCOMPARE(Product_label, QString());
    QVERIFY(!Guide_page_records);
}

void tst_Guide_page::a_second_guide_replaces_the_first()
{
    Open_guide_page("128");
    Open_guide_page("124");
    int pages = 0;
    for (const QMdiSubWindow* frame : Work_area()->subWindowList())
        pages += qobject_cast<frmGuidePage*>(frame->widget()) != nullptr;
    QCOMPARE(pages, 1);
    QCOMPARE(Find_child<frmGuidePage>()->lblGuide->text(), QStringLiteral("GUÍA 124"));
}

void tst_Guide_page::opener_is_given_back_its_input()
{
    auto* opener = new QWidget;
    Show_child(opener);
    Work_area()->setActiveSubWindow(Work_area()->subWindowList().first());
    for (const QString code : {"150", "124"}) {
        Open_guide_page(code);
        QVERIFY(opener->isEnabled());
        QCOMPARE(QApplication::overrideCursor(), nullptr);
    }
}

QTEST_MAIN(tst_Guide_page)
#include "tst_Guide_page.moc"
