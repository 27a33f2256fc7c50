// The summary report over a small index: what each collected product looks
// like, paging, deleting and clearing, and its guide buttons' distances.
#include "lookup/Lookup_fixture.h"

#include "app/Child_windows.h"
#include "app/Row_cells.h"
#include "guides/Guide_page.h"
#include "guides/frmGuidePage.h"
#include "lookup/frmPages.h"
#include "platform/Printer_surface.h"
#include "platform/Twips.h"
#include "summary/Summary_store.h"
#include "summary/frmSummary.h"

#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

using namespace vexo;

namespace {

// "name|guide|marks|bold|green" of each row shown.
QStringList Rows(const frmSummary* summary)
{
    QStringList rows;
    for (int i = 0; i < frmSummary::kRows; ++i) {
        if (summary->txtMat[i]->isHidden())
            continue;
        const QString marks = (summary->lblDWRM[i]->isHidden() ? QString() : summary->lblDWRM[i]->text()) + u' '
                            + (summary->lblTIH[i]->isHidden() ? QString() : summary->lblTIH[i]->text());
        rows << QStringList{summary->txtMat[i]->text(), summary->cmdGuide[i]->text(), marks.trimmed(),
                            summary->txtMat[i]->font().bold() ? "bold" : "regular",
                            Background(summary->lblID[i]) == Green_highlight ? "green" : "white"}
                    .join(u'|');
    }
    return rows;
}

frmSummary* Open()
{
    Summary_empty = false;
    Open_summary();
    return Find_child<frmSummary>();
}

void Collect(int count)
{
    for (int i = 0; i < count; ++i)
        Add_to_summary(i % 2 ? "Toluene" : "Methanol", i % 2 ? "1294" : "1230", "0", "1");
}

bool Closed()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return Find_child<frmSummary>() == nullptr;
}

} // namespace

class tst_frmSummary : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void each_product_with_its_guide_marks_and_type();
    void a_short_summary_has_no_scroll_bar();
    void more_than_a_page_scrolls_and_coming_back_shows_the_store_now();
    void a_tick_never_moves_to_another_product_data();
    void a_tick_never_moves_to_another_product();
    void deleting_selected_rows();
    void deleting_every_row_closes_the_window();
    void clearing_asks_first();
    void guide_button_hands_over_the_distances_data();
    void guide_button_hands_over_the_distances();
    void index_buttons_open_the_indexes();

private:
    std::unique_ptr<test::Lookup_world> world_;
};

void tst_frmSummary::init()
{
    world_ = std::make_unique<test::Lookup_world>();
}

void tst_frmSummary::cleanup()
{
    world_.reset();
}

void tst_frmSummary::each_product_with_its_guide_marks_and_type()
{
    Add_to_summary("Chlorosulfonic acid", "1754", "1", "1");
    Add_to_summary("Hydrogen chloride, anhydrous", "1050", "1", "0");
    Add_to_summary("Chlorine", "1017", "0", "1");
    Add_to_summary("Chlorine", "1050", "0", "1");       // no index entry with this ID and name
    Add_to_summary("Orphan material", "9999", "0", "1"); // its guide has no title
    Add_to_summary("formaldehyde SOLUTION", "2209", "0", "1");
    Add_to_summary("Sarin", "2810", "0", "1");
    frmSummary* summary = Open();
    QVERIFY(summary);
    QCOMPARE(summary->windowTitle(), QStringLiteral("Resumen"));
    QCOMPARE(Rows(summary), QStringList({
                                "Chlorosulfonic acid|139|MRA RIT|bold|green",
                                "Hydrogen chloride, anhydrous|124|RIT|regular|green",
                                "Chlorine|124|RIT|bold|white",
                                "formaldehyde SOLUTION|128P||bold|white",
                                "Sarin|153|Q/B RIT|bold|white",
                            }));
    QCOMPARE(summary->cmdGuide[0]->toolTip(), QStringLiteral("SUSTANCIAS QUE REACCIONAN CON AGUA"));
    QVERIFY(!summary->cmdDeleteItem->isEnabled());

    // The summary on paper: both buttons ask about the guide pages, then for
    // the printer or the file (both cancelled here).
    QCOMPARE(summary->cmdPrintSummary->text(), QStringLiteral("Im&primir resumen"));
    QCOMPARE(summary->cmdSavePdf->text(), QStringLiteral("&Guardar como PDF"));
    int printers_asked = 0;
    platform::Install_printer_chooser([&](const QString&) {
        ++printers_asked;
        return nullptr;
    });
    summary->cmdPrintSummary->click();
    summary->cmdSavePdf->click();
    platform::Install_printer_chooser({});
    QCOMPARE(world_->ui.shown.size(), 2);
    QCOMPARE(printers_asked, 1);
    QCOMPARE(world_->ui.proposed.size(), 1);
}

void tst_frmSummary::a_short_summary_has_no_scroll_bar()
{
    Collect(3);
    frmSummary* three = Open();
    QVERIFY(three->vscData->isHidden());
    const int short_height = three->frmData->height();
    QCOMPARE(three->frmDelete->y(), three->frmData->geometry().bottom() + 1 + twips(15));

    Collect(12);
    three->Form_Activate();
    QCOMPARE(Rows(three).size(), 15);
    QVERIFY(three->vscData->isHidden());
    QVERIFY(three->frmData->height() > short_height);
}

void tst_frmSummary::a_tick_never_moves_to_another_product_data()
{
    QTest::addColumn<bool>("come_back"); // rows reloaded on return, else scrolled
    QTest::newRow("scrolled") << false;
    QTest::newRow("reloaded on coming back") << true;
}

void tst_frmSummary::a_tick_never_moves_to_another_product()
{
    QFETCH(bool, come_back);
    Collect(17);
    Add_to_summary("Xylenes", "1307", "0", "1");
    frmSummary* summary = Open();
    summary->vscData->setValue(summary->vscData->maximum());
    summary->chkDelete[14]->click();
    QVERIFY(summary->cmdDeleteItem->isEnabled());
    if (come_back)
        summary->Form_Activate();  // a guide page was opened in between
    else
        summary->vscData->setValue(1);
    for (const QCheckBox* box : summary->chkDelete)
        QVERIFY(!box->isChecked());
    QVERIFY(!summary->cmdDeleteItem->isEnabled());
    summary->cmdDeleteItem->click();
    QCOMPARE(Main_database->OpenRecordset("SELECT * FROM Summary")->RecordCount(), 18);
}

void tst_frmSummary::deleting_selected_rows()
{
    Add_to_summary("Chlorine", "1017", "0", "1");
    Add_to_summary("O'Brien's mix", "1111", "0", "1");
    Add_to_summary("Shell 5\" caliber", "2222", "0", "1");
    frmSummary* summary = Open();
    summary->chkDelete[1]->click();
    summary->chkDelete[2]->click();
    summary->chkDelete[2]->click();
    QVERIFY(summary->cmdDeleteItem->isEnabled());
    summary->chkDelete[2]->click();
    summary->cmdDeleteItem->click();
    QCOMPARE(Rows(summary), QStringList{"Chlorine|124|RIT|bold|white"});
    QVERIFY(!summary->chkDelete[0]->isChecked());
    QVERIFY(!Summary_empty);
    QVERIFY(!Closed());
}

void tst_frmSummary::deleting_every_row_closes_the_window()
{
    Add_to_summary("Chlorine", "1017", "0", "1");
    Add_to_summary("Chlorine", "1017", "0", "1");
    frmSummary* summary = Open();
    summary->chkDelete[0]->click();
    summary->chkDelete[1]->click();
    summary->cmdDeleteItem->click();
    QVERIFY(Summary_empty);
    QVERIFY(Closed());
    // The index pages then offer no summary.
    Open_index_by_number();
    QVERIFY(!Find_child<frmPages>()->cmdReport->isEnabled());
}

void tst_frmSummary::clearing_asks_first()
{
    Collect(2);
    frmSummary* summary = Open();
    world_->ui.answers = {platform::Answer::No};
    summary->cmdClearSum->click();
    QCOMPARE(world_->ui.texts(),
             QStringList{"Estas seguro que quieres borrar todos los productos del Resúmen?"});
    QCOMPARE(world_->ui.shown.first().buttons, platform::Buttons::YesNo);
    QCOMPARE(Rows(summary).size(), 2);
    QVERIFY(!Summary_empty);

    world_->ui.answers = {platform::Answer::Yes};
    summary->cmdClearSum->click();
    QVERIFY(Summary_empty);
    QVERIFY(Closed());
    QCOMPARE(Main_database->OpenRecordset("SELECT * FROM Summary")->RecordCount(), 0);
}

void tst_frmSummary::guide_button_hands_over_the_distances_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("green");
    QTest::addColumn<QString>("distances");  // the Green name found; "" for no button

    QTest::newRow("inhalation hazard") << "Chlorine" << "1017" << "0" << "Chlorine ";
    QTest::newRow("agent") << "Sarin" << "2810" << "0" << "Sarin (cuando es utilizado como una arma)";
    QTest::newRow("toxic and water-reactive, in water")
        << "Chlorosulfonic acid" << "1754" << "1" << "Chlorosulfonic acid (cuando es derramado en el agua)";
    QTest::newRow("toxic and water-reactive, on land")
        << "Chlorosulfonic acid" << "1754" << "0" << "Chlorosulfonic acid (cuando es derramado sobre la tierra)";
    QTest::newRow("water-reactive, in water") << "Chlorosilanes, water-reactive" << "2988" << "1"
                                              << "Chlorosilanes, water-reactive (cuando es derramado en el agua)";
    QTest::newRow("water-reactive, on land") << "Chlorosilanes, water-reactive" << "2988" << "0" << "";
    QTest::newRow("no mark") << "Acetone" << "1090" << "0" << "";
}

void tst_frmSummary::guide_button_hands_over_the_distances()
{
    QFETCH(QString, name);
    QFETCH(QString, id);
    QFETCH(QString, green);
    QFETCH(QString, distances);
    Add_to_summary(name, id, green, "1");
    frmSummary* summary = Open();
    summary->txtMat[0]->clear(); // what the box shows does not count: the row does
    summary->cmdGuide[0]->click();
    frmGuidePage* page = Find_child<frmGuidePage>();
    QVERIFY(page);
    QCOMPARE(page->lblNameProduct->text(), name + ", Número de identificación " + id);
    // Nothing more is collected from here.
    QCOMPARE(Main_database->OpenRecordset("SELECT * FROM Summary")->RecordCount(), 1);
    if (distances.isEmpty()) {
        QCOMPARE(Tag(page->cmdIIPAD), QString());
        return;
    }
    auto found = Main_database->OpenRecordset(Tag(page->cmdIIPAD));
    QCOMPARE(found->RecordCount(), 1);
    QCOMPARE(found->Field("Name_of_material"), distances);
    QCOMPARE(Tag(page->cmdPrint), " " + distances.mid(name.size() + 1));
}

void tst_frmSummary::more_than_a_page_scrolls_and_coming_back_shows_the_store_now()
{
    Collect(16);
    frmSummary* summary = Open();
    QVERIFY(!summary->vscData->isHidden());
    summary->vscData->setValue(1);
    Add_to_summary("Xylenes", "1307", "0", "1");
    summary->Form_Activate();
    QCOMPARE(summary->vscData->value(), 0);
    QCOMPARE(summary->vscData->maximum(), 2);
    QCOMPARE(Rows(summary).first(), QStringLiteral("Methanol|128||bold|white"));
    summary->vscData->setValue(2);
    QCOMPARE(Rows(summary).last(), QStringLiteral("Xylenes|128||bold|white"));
    QCOMPARE(Rows(summary).size(), 15);
}

void tst_frmSummary::index_buttons_open_the_indexes()
{
    Collect(1);
    frmSummary* summary = Open();
    summary->cmdChemWeap->click();
    QCOMPARE(Find_child<frmPages>()->windowTitle(), QStringLiteral("Indice de Arma Quimica"));
    summary->cmdMaterial->click();
    QCOMPARE(Find_child<frmPages>()->windowTitle(), QStringLiteral("Indice alfabético"));
    summary->cmdIDNumber->click();
    QCOMPARE(Find_child<frmPages>()->windowTitle(), QStringLiteral("Indice numérico"));
    QVERIFY(Find_child<frmSummary>());
}

QTEST_MAIN(tst_frmSummary)
#include "tst_frmSummary.moc"
