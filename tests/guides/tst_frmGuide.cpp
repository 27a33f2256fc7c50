// The guide chooser: its texts, one button per guide from the guide list,
// the flowing grid, and a guide opened without a product.
#include "Guide_program.h"

#include "app/Child_windows.h"
#include "app/General.h"
#include "app/Row_cells.h"
#include "data/Queries.h"
#include "guides/Guide_page.h"
#include "guides/frmGuide.h"
#include "guides/frmGuidePage.h"
#include "platform/Twips.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace vexo;

namespace {

// `count` guides from 111 on, each with its number, its title "Título nnn"
// and one body sentence.
QString Guides(int count)
{
    QStringList sentences, slots;
    for (int i = 0; i < count; ++i) {
        const int guide = 111 + i;
        const int key = 10 * i;
        sentences << QStringLiteral("(%1, 'GUÍA %2', 5), (%3, 'Título %2', 2), (%4, 'Texto de la guía %2.', 0)")
                         .arg(key + 1)
                         .arg(guide)
                         .arg(key + 2)
                         .arg(key + 3);
        slots << QStringLiteral("(%1, %2, %3), (%4, %2, %5), (%6, %2, %7)")
                     .arg(key + 1)
                     .arg(guide)
                     .arg(key + 1)
                     .arg(key + 2)
                     .arg(key + 2)
                     .arg(key + 3)
                     .arg(key + 3);
    }
    if (count == 0)
        return {};
    return "INSERT INTO Sentences VALUES " + sentences.join(", ") + ";\nINSERT INTO Guides_pages VALUES "
        + slots.join(", ") + ";\n";
}

QStringList Captions(const frmGuide* chooser)
{
    QStringList captions;
    for (const QPushButton* button : chooser->cmdGuide)
        if (!button->isHidden())
            captions << button->text();
    return captions;
}

QStringList Numbers(int first, int last)
{
    QStringList numbers;
    for (int n = first; n <= last; ++n)
        numbers << QString::number(n);
    return numbers;
}

} // namespace

class tst_frmGuide : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void opening_composes_the_guide_list();
    void texts_as_written();
    void one_button_per_guide_data();
    void one_button_per_guide();
    void buttons_flow_in_rows_data();
    void buttons_flow_in_rows();
    void default_size_shows_every_button();
    void a_guide_opens_without_product();

private:
    frmGuide* Open(int guides);
    std::unique_ptr<test::Guide_program> program_;
};

frmGuide* tst_frmGuide::Open(int guides)
{
    program_ = std::make_unique<test::Guide_program>(Guides(guides));
    Open_guide_chooser();
    return Find_child<frmGuide>();
}

void tst_frmGuide::cleanup()
{
    program_.reset();
}

void tst_frmGuide::opening_composes_the_guide_list()
{
    Open(3);
    QCOMPARE(Guide_SQL, sql::Guide_list_SQL());
    QVERIFY(!Guide_records);
    // Opening again replaces the chooser.
    Open_guide_chooser();
    int choosers = 0;
    for (const QMdiSubWindow* frame : Work_area()->subWindowList())
        choosers += qobject_cast<frmGuide*>(frame->widget()) != nullptr;
    QCOMPARE(choosers, 1);
}

void tst_frmGuide::texts_as_written()
{
    const frmGuide* chooser = Open(3);
    QCOMPARE(chooser->windowTitle(), QStringLiteral("Guías de Respuesta de Emergencia"));
    QCOMPARE(chooser->lblRes->text(), QStringLiteral("Guías de Respuesta de Emergencia"));
}

void tst_frmGuide::one_button_per_guide_data()
{
    QTest::addColumn<int>("guides");
    QTest::addColumn<QStringList>("shown");
    QTest::newRow("the 62 guides of the book") << 62 << Numbers(111, 172);
    QTest::newRow("a short list") << 5 << Numbers(111, 115);
    QTest::newRow("the guides of a newer book") << 64 << Numbers(111, 174);
    QTest::newRow("no guide at all") << 0 << QStringList();
}

void tst_frmGuide::one_button_per_guide()
{
    QFETCH(int, guides);
    QFETCH(QStringList, shown);
    const frmGuide* chooser = Open(guides);
    QCOMPARE(Captions(chooser), shown);
    QCOMPARE(static_cast<qsizetype>(chooser->cmdGuide.size()), shown.size());
    for (int i = 0; i < shown.size(); ++i) {
        QCOMPARE(Tag(chooser->cmdGuide[i]), shown[i]);
        QCOMPARE(chooser->cmdGuide[i]->toolTip(), "Título " + shown[i]);
    }
    // The explanation counts the guides the database holds.
    QCOMPARE(chooser->lblTitle->text(),
             QStringLiteral("Esta sección es esencialmente la más importante de la Guía porque proporciona las "
                            "recomendaciones de seguridad, que conforman un total de %1 Guías que contienen la "
                            "información de respuesta a emergencias para protegerte")
                 .arg(guides));
}

void tst_frmGuide::buttons_flow_in_rows_data()
{
    QTest::addColumn<int>("width");
    QTest::newRow("wide") << 900;
    QTest::newRow("narrow") << 350;
}

void tst_frmGuide::buttons_flow_in_rows()
{
    QFETCH(int, width);
    frmGuide* chooser = Open(64);
    Child_frame<frmGuide>()->resize(width, 700);
    QCoreApplication::processEvents();
    const int gap = twips(120);
    const int panel = chooser->frmButton->width();
    QCOMPARE(chooser->frmButton->y(), chooser->lblTitle->y() + chooser->lblTitle->height() + twips(240));
    QCOMPARE(chooser->cmdGuide[0]->pos(), QPoint(0, 0));
    int rows = 1;
    const int buttons = static_cast<int>(chooser->cmdGuide.size());
    for (int i = 1; i < buttons; ++i) {
        const QPushButton* previous = chooser->cmdGuide[i - 1];
        const QPushButton* button = chooser->cmdGuide[i];
        QVERIFY(button->x() + button->width() <= panel);
        if (button->y() == previous->y()) {
            QCOMPARE(button->x(), previous->x() + previous->width() + gap);
        } else {
            // A new row only when the button would not fit after the last one.
            ++rows;
            QVERIFY(previous->x() + previous->width() + gap + button->width() > panel);
            QCOMPARE(button->x(), 0);
            QCOMPARE(button->y(), previous->y() + previous->height() + gap);
        }
    }
    const int per_row = (panel + gap) / (chooser->cmdGuide[0]->width() + gap);
    QCOMPARE(rows, (buttons + per_row - 1) / per_row);
}

void tst_frmGuide::default_size_shows_every_button()
{
    const frmGuide* chooser = Open(64);
    const QPushButton* last = chooser->cmdGuide.back();
    QVERIFY(last->y() + last->height() <= chooser->frmButton->height());
    QVERIFY(chooser->frmButton->x() + chooser->frmButton->width() <= chooser->width());
    QVERIFY(chooser->frmButton->y() + chooser->frmButton->height() <= chooser->height());
}

void tst_frmGuide::a_guide_opens_without_product()
{
    frmGuide* chooser = Open(62);
    // A product left by an earlier opener must not reach this page.
    Product_label = QStringLiteral("Gasoline, Número de identificación 1203");
    QTest::mouseClick(chooser->cmdGuide[17], Qt::LeftButton);
    const frmGuidePage* page = Find_child<frmGuidePage>();
    QVERIFY(page);
    QCOMPARE(page->lblGuide->text(), QStringLiteral("GUÍA 128"));
    QVERIFY(page->lblNameProduct->isHidden());
    QVERIFY(page->cmdIIPAD->isHidden());
    QVERIFY(program_->ui.shown.isEmpty());
    QVERIFY(Find_child<frmGuide>());  // the chooser stays open behind it
}

QTEST_MAIN(tst_frmGuide)
#include "tst_frmGuide.moc"
