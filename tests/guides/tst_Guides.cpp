// The guides as the responder reads them: the chooser, a page's header and
// blocks, the messages of opening one, the sheet at any window size.
#include "app/Child_windows.h"
#include "app/General.h"
#include "app/Row_cells.h"
#include "guides/Guide_rows.h"
#include "guides/Guide_page.h"
#include "guides/frmGuide.h"
#include "guides/frmGuidePage.h"
#include "platform/Twips.h"
#include "support/Rows_program.h"

#include <QFrame>
#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

using namespace vexo;

namespace {

// Page 128 holds one sentence of every code out of key order, its title in
// the middle, two sub-headings, a slot without a sentence and an unknown code.
// Page 141 holds bold words, well marked and not. Page 124 has a title that
// wraps; 121 a single block; 131 80 long sentences, a sub-heading every tenth.
QString Rows()
{
    QString sql = QStringLiteral(R"sql(
INSERT INTO Sentences VALUES (1, 'GUÍA 128', 5), (2, 'Líquidos Inflamables (no mezclables con agua)', 2),
  (3, 'PELIGROS POTENCIALES', 3), (4, 'INCENDIO O EXPLOSIÓN', 4), (5, '• ALTAMENTE INFLAMABLE.', 1),
  (6, '• Los vapores pueden formar mezclas explosivas con el aire.', 0), (7, 'Derrame Grande', 6),
  (8, 'A LA SALUD', 4), (9, 'Texto de código desconocido', 9),
  (20, 'GUÍA 124', 5), (21, 'Sustancias - Tóxicas y/o Corrosivas (inflamables / susceptibles al agua)', 2), (22, '• Mantener alejado al personal no autorizado.', 0),
  (30, 'GUÍA 121', 5), (31, 'Intencionalmente dejada en blanco', 2), (32, 'No hay materiales que hagan referencia a esta guía.', 0),
  (40, 'GUÍA 141', 5), (41, '• <b>TÓXICO</b>; evite el contacto & <b>NO LO TOQUE</b>.', 0),
  (42, '• <b>EXCEPTO para UN1384', 0), (43, '• NO</b> LO <b>TOQUE', 1), (44, '<b>Derrame Grande</b>', 1),
  (50, 'GUÍA 131', 5), (51, 'Líquidos Inflamables - Tóxicos', 2),
  (52, '• Los vapores pueden causar mareos o asfixia, especialmente en lugares cerrados o espacios confinados, y pueden viajar a una fuente de encendido y regresar en llamas hasta el origen del derrame.', 0);
INSERT INTO Guides_pages VALUES (16, 128, 7), (10, 128, 1), (11, 128, 3), (12, 128, 4), (13, 128, 5),
  (14, 128, 2), (15, 128, 6), (17, 128, 8), (18, 128, 99), (19, 128, 9),
  (20, 124, 20), (21, 124, 21), (22, 124, 3), (23, 124, 4), (24, 124, 22), (30, 121, 30), (31, 121, 31), (32, 121, 32),
  (40, 141, 40), (41, 141, 41), (42, 141, 42), (43, 141, 43), (44, 141, 44), (100, 131, 50), (101, 131, 51), (102, 131, 3))sql");
    for (int key = 103; key < 183; ++key)
        sql += QStringLiteral(", (%1, 131, %2)").arg(key).arg(key % 10 == 0 ? 4 : 52);
    return sql + ";\n";
}

// A block as "tag alignment background text-colour [bold] [wrap] [rich]|text";
// "-|text" for a block left unfilled.
QString Block(const QLabel* label)
{
    if (!label->autoFillBackground())
        return "-|" + label->text();
    const int align = label->alignment() & Qt::AlignHorizontal_Mask;
    QStringList look{Tag(label), align == Qt::AlignHCenter ? "centre" : align == Qt::AlignLeft ? "left" : "other",
                     label->palette().color(QPalette::Window).name(), label->palette().color(QPalette::WindowText).name()};
    for (const auto& [on, word] : {std::pair{label->font().bold(), "bold"}, {label->wordWrap(), "wrap"},
                                   {label->textFormat() == Qt::RichText, "rich"}})
        if (on)
            look << word;
    if (label->font().pointSizeF() != 9.75)
        look << QString::number(label->font().pointSizeF());
    return look.join(u' ') + u'|' + label->text();
}

QStringList Blocks(const frmGuidePage* page)
{
    QStringList blocks;
    for (qint16 i = 0; i <= page->Last_block(); ++i)
        blocks << Block(page->lblText[i]);
    return blocks;
}

int Bottom(const QWidget* w)
{
    return w->y() + w->height();
}

} // namespace

class tst_Guides : public QObject {
    Q_OBJECT
    std::unique_ptr<test::Rows_program> program_;

    // Over `rows`, or over a copy of the default database.
    void Start(const QString& rows, bool book = false)
    {
        program_.reset();
        program_ = book ? test::Rows_program::On_file(QStringLiteral(VEXO_BOOK))
                        : std::make_unique<test::Rows_program>(rows);
        // The stand-ins a test needs replace the program's box and printing.
        frmGuidePage::Distances_box_opener = nullptr;
        frmGuidePage::Page_printer = nullptr;
    }

private Q_SLOTS:
    void init() { Start(Rows()); }
    void cleanup() { program_.reset(); }

    // One button per guide in rows that break only when a button would not
    // fit. Each opens its guide without the product an earlier opener left.
    // The book holds guides 111 to 172 and the two of its 2024 edition.
    void chooser_data()
    {
        QTest::addColumn<int>("guides");  // -1: the default database
        QTest::addColumn<int>("width");  // 0: as opened
        QTest::newRow("the book") << -1 << 0;
        QTest::newRow("a short list") << 5 << 0;
        QTest::newRow("a newer book, wide") << 64 << 900;
        QTest::newRow("a newer book, narrow") << 64 << 350;
        QTest::newRow("no guide at all") << 0 << 0;
    }
    void chooser()
    {
        QFETCH(int, guides);
        QFETCH(int, width);
        Start(test::Guide_rows(guides), guides < 0);
        Open_guide_chooser();
        Open_guide_chooser();  // opening again replaces it
        QVERIFY(Work_area()->subWindowList().size() == 1 && !Guide_records);
        const int count = guides < 0 ? 64 : guides;
        const frmGuide* chooser = Find_child<frmGuide>();
        const QList<QPushButton*> buttons = chooser->findChildren<QPushButton*>(QStringLiteral("cmdGuide"));
        const QLabel* title = chooser->findChild<QLabel*>("lblTitle");
        const QString explanation = QStringLiteral(
            "Esta sección es esencialmente la más importante de la Guía porque proporciona las recomendaciones de "
            "seguridad, que conforman un total de %1 Guías que contienen la información de respuesta a emergencias "
            "para protegerte").arg(count);
        QCOMPARE(QStringList({chooser->windowTitle(), chooser->findChild<QLabel*>("lblRes")->text(), title->text()}),
                 QStringList({"Guías de Respuesta de Emergencia", "Guías de Respuesta de Emergencia", explanation}));
        QCOMPARE(buttons.size(), count);
        if (guides < 0)  // a blank page, and the newest guide
            QCOMPARE(buttons[121 - 111]->toolTip() + '|' + buttons[173 - 111]->toolTip(),
                     QStringLiteral("Intencionalmente dejada en blanco|Gases Adsorbidos - Tóxico*"));
        Child_frame<frmGuide>()->resize(width ? QSize(width, 700) : Child_frame<frmGuide>()->size());
        QCoreApplication::processEvents();
        const QFrame* panel = chooser->findChild<QFrame*>("frmButton");
        QVERIFY(panel->y() > Bottom(title));
        const int gap = twips(120);
        for (int i = 0; i < count; ++i) {
            const QPushButton* button = buttons[i];
            QCOMPARE(button->text(), QString::number(111 + i));
            if (guides >= 0)
                QCOMPARE(button->toolTip(), QStringLiteral("Título %1").arg(111 + i));
            QVERIFY(button->isVisible() && button->x() + button->width() <= panel->width());
            const QPushButton* previous = i ? buttons[i - 1] : button;
            const int after = previous->x() + previous->width() + gap;  // the next place on its row
            const bool wraps = i && after + button->width() > panel->width();
            QCOMPARE(button->pos(), !i ? QPoint(0, 0) : wraps ? QPoint(0, Bottom(previous) + gap) : QPoint(after, previous->y()));
        }
        if (!width && count)  // as opened, every button is in the window
            QVERIFY(Bottom(buttons.back()) <= panel->height() && chooser->rect().contains(panel->geometry()));
        for (QPushButton* button : buttons) {
            Product_label = QStringLiteral("Gasoline, Número de identificación 1203");
            QTest::mouseClick(button, Qt::LeftButton);
            const frmGuidePage* page = Find_child<frmGuidePage>();
            QVERIFY2(page, qPrintable(button->text()));
            QCOMPARE(page->lblGuide->text() + u'|' + page->lblProduct->text(), "GUÍA " + button->text() + u'|' + button->toolTip());
            QVERIFY(page->lblNameProduct->isHidden() && page->cmdIIPAD->isHidden());
            QVERIFY2(page->Last_block() >= 0 && page->frmWhite->isVisible(), qPrintable(button->text()));
            for (const QString& block : Blocks(page))  // each filled, tagged, with text
                QVERIFY2(!block.startsWith(u'-') && !block.startsWith(u' ') && !block.endsWith(u'|'),
                         qPrintable(button->text() + u' ' + block));
        }
        QVERIFY(Find_child<frmGuide>());
        QVERIFY(program_->ui.shown.isEmpty());
    }

    // What a guide code opens over another page: the blocks in key order,
    // each code with its look; bold marks show only when they pair up. A code
    // the database does not hold opens nothing: the earlier page never
    // stands in for it.
    void guide_code_opens_its_page_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("product");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("blocks");  // the title, then the blocks; empty: no page
        const QString poly = "ADVERTENCIA: Este material tiende a presentar peligro de polimerización.";
        const QString liquids = QStringLiteral("Líquidos Inflamables (no mezclables con agua)");
        const QStringList every_code{liquids, "3 centre #000000 #ffffff bold wrap|PELIGROS POTENCIALES",
            "4 left #c0c0c0 #000000 bold|INCENDIO O EXPLOSIÓN", "1 left #ffffff #000000 bold wrap|• ALTAMENTE INFLAMABLE.",
            "0 left #ffffff #000000 wrap|• Los vapores pueden formar mezclas explosivas con el aire.",
            "6 left #ffffff #000000 wrap|Derrame Grande", "4 left #c0c0c0 #000000 bold|A LA SALUD", "-|", "-|"};
        const QString missing = QStringLiteral("La guía %1 no se encuentra en la base de datos.");
        QTest::newRow("every code") << "128" << "" << "" << every_code;
        QTest::newRow("bold marks") << "141" << "" << ""
            << QStringList{"", "0 left #ffffff #000000 wrap rich|• <b>TÓXICO</b>; evite el contacto &amp; <b>NO LO TOQUE</b>.",
                           "0 left #ffffff #000000 wrap|• <b>EXCEPTO para UN1384",
                           "1 left #ffffff #000000 bold wrap|• NO</b> LO <b>TOQUE",
                           "1 left #ffffff #000000 bold wrap rich|<b>Derrame Grande</b>"};
        QTest::newRow("polymerizes: warns, then the same page")
            << "128P" << "Gasoline, Número de identificación 1203" << poly << every_code;
        QTest::newRow("long code: its first three characters") << "1285" << "" << "" << every_code;
        QTest::newRow("number without rows")
            << "150" << "Chlorine, Número de identificación 1017" << missing.arg("150") << QStringList();
        QTest::newRow("not a number") << "1a5" << "" << missing.arg("1a5") << QStringList();
        QTest::newRow("empty code") << "" << "" << missing.arg("") << QStringList();
    }
    void guide_code_opens_its_page()
    {
        QFETCH(QString, code);
        QFETCH(QString, product);
        QFETCH(QString, message);
        QFETCH(QStringList, blocks);
        auto* opener = new QWidget;
        Show_child(opener);
        Open_guide_page("124");
        Work_area()->setActiveSubWindow(Work_area()->subWindowList().first());
        Product_label = product;
        frmGuidePage* page = Open_guide_page(code);
        QCOMPARE(program_->ui.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        for (const platform::Message& shown : program_->ui.shown)
            QVERIFY(shown.icon == platform::Icon::Exclamation && shown.buttons == platform::Buttons::Ok
                    && (!code.endsWith(u'P') || shown.title == QStringLiteral("Peligro de polimerización")));
        QCOMPARE(Work_area()->subWindowList().size(), blocks.isEmpty() ? 1 : 2);  // the opener, the one page
        QCOMPARE(page != nullptr, !blocks.isEmpty());
        if (page) {
            const QString guide = "GUÍA " + code.left(3);
            QCOMPARE(QStringList({page->lblGuide->text(), page->windowTitle()}), QStringList({guide, guide}));
            QCOMPARE(page->lblNameProduct->isVisible() ? page->lblNameProduct->text() : QString(), product);
            QCOMPARE(QStringList{page->lblProduct->text()} + Blocks(page), blocks);
        }
        // The product line goes with the call; the window that asked is usable again.
        QVERIFY(Product_label.isEmpty() && !Guide_page_records && opener->isEnabled() && !QApplication::overrideCursor());
    }

    // At every size the title shows whole, the blocks stand edge to edge and
    // the scroll bar reaches the sheet's end, even past the 16-bit twips a
    // long page needs. Without printing, print shows disabled; without a
    // distances box, its button stays hidden even with a lookup.
    void sheet_is_laid_out_at_any_size_data()
    {
        QTest::addColumn<QString>("guide");
        QTest::addColumn<QString>("product");
        QTest::addColumn<QSize>("frame");  // empty: as opened
        QTest::addColumn<int>("scrolls");  // 1 yes, 0 no, -1 either
        QTest::addColumn<bool>("box");     // the program has a distances box
        QTest::newRow("long, as opened") << "131" << "" << QSize() << 1 << true;
        QTest::newRow("long, narrow") << "131" << "Methanol, Número de identificación 1230" << QSize(450, 500) << 1 << true;
        QTest::newRow("long, wide") << "131" << "" << QSize(990, 500) << 1 << true;
        QTest::newRow("long, smallest") << "131" << "" << QSize(1, 1) << 1 << true;
        QTest::newRow("short, roomy, no box") << "124" << "" << QSize(700, 600) << 0 << false;
        QTest::newRow("short, title wraps beside the buttons")
            << "124" << "Sodium hydrosulfide, Número de identificación 2922" << QSize(50, 600) << -1 << true;
        QTest::newRow("one block, low") << "121" << "" << QSize(400, 200) << -1 << true;
    }
    void sheet_is_laid_out_at_any_size()
    {
        QFETCH(QString, guide);
        QFETCH(QString, product);
        QFETCH(QSize, frame);
        QFETCH(int, scrolls);
        QFETCH(bool, box);
        if (box)
            frmGuidePage::Distances_box_opener = [] {};
        Product_label = product;
        frmGuidePage* page = Open_guide_page(guide);
        const QStringList captions{page->cmdPrint->text(), page->cmdPrint->toolTip(), page->cmdIIPAD->text(), page->cmdIIPAD->toolTip()};
        QCOMPARE(captions.join(u'|'), "&Imprimir|Imprimir esta página de la guía|DAIAP|Distancias de aislamiento inicial y acción protectora");
        QVERIFY(page->cmdPrint->isVisible() && !page->cmdPrint->isEnabled() && page->cmdIIPAD->isHidden());
        page->Show_distances(QStringLiteral("SELECT * FROM Green WHERE ID = 2922"));
        QCOMPARE(page->cmdIIPAD->isHidden(), !box);
        Child_frame<frmGuidePage>()->resize(frame.isValid() ? frame : Child_frame<frmGuidePage>()->size());
        QCoreApplication::processEvents();
        QVERIFY(Child_frame<frmGuidePage>()->contentsRect().width() >= page->width());
        const QLabel* title = page->lblProduct;
        QVERIFY(title->height() >= title->heightForWidth(title->width()));
        QVERIFY(title->x() + title->width() <= page->frmHeader->width());
        for (const QPushButton* button : {page->cmdPrint, page->cmdIIPAD})
            QVERIFY(!button->geometry().intersects(title->geometry()));
        QVERIFY(Bottom(page->lblNameProduct) <= page->frmHeader->height() || product.isEmpty());

        const int sheet = page->frmWhite->width();
        int lines = 0;
        for (qint16 i = 0; i <= page->Last_block(); ++i) {
            const QLabel* block = page->lblText[i];
            QCOMPARE(block->pos(), QPoint(0, i == 0 ? 0 : Bottom(page->lblText[i - 1])));
            QVERIFY(block->height() >= block->heightForWidth(block->width()));
            if (Tag(block) == "4")
                QCOMPARE(page->lnLine[lines++]->geometry(), QRect(0, block->y(), sheet, 1));
            else
                QCOMPARE(block->width(), sheet);
        }
        QCOMPARE(lines, guide == "131" ? 8 : guide == "124" ? 1 : 0);
        QCOMPARE(page->lnLine[0]->isVisible(), lines > 0);
        QCOMPARE(page->frmWhite->height(), Bottom(page->lblText[page->Last_block()]));
        QVERIFY(frame != QSize(1, 1) || to_twips(page->frmWhite->height()) > 32767);

        if (scrolls >= 0)
            QCOMPARE(page->vsGuide->isVisible(), scrolls == 1);
        const int top = Bottom(page->frmHeader) + twips(120);
        QCOMPARE(page->frmWhite->y(), top);
        // At the end the sheet stops 240 twips above the window's bottom,
        // within half a scroll unit of `last block` twips.
        page->vsGuide->setValue(page->vsGuide->maximum());
        const int end = page->vsGuide->isVisible() ? page->height() - twips(240) : top + page->frmWhite->height();
        QVERIFY2(std::abs(Bottom(page->frmWhite) - end) <= twips(page->Last_block()) + 1,
                 qPrintable(QStringLiteral("sheet ends at %1, not %2").arg(Bottom(page->frmWhite)).arg(end)));
        page->vsGuide->setValue(0);
        QCOMPARE(page->frmWhite->y(), top);
    }
};

QTEST_MAIN(tst_Guides)
#include "tst_Guides.moc"
