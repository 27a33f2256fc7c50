// The index pages on a small index: each index down to its last page, the
// marks and colours of the rows, and what a row's guide button does.
#include "Lookup_fixture.h"

#include "app/Child_windows.h"
#include "app/frmMain.h"
#include "app/Row_cells.h"
#include "data/Queries.h"
#include "data/RecordSet.h"
#include "guides/Guide_page.h"
#include "guides/frmGuidePage.h"
#include "lookup/frmPages.h"
#include "summary/frmSummary.h"

#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QtTest>

using namespace vexo;
using platform::Answer;
using test::Ids;
using test::Show_entry;
using test::Summary_rows;

namespace {

// "RIT|MRA" for a row with both marks, "|" for a row with none.
QStringList Marks(const frmPages* pages)
{
    QStringList marks;
    for (int i = 0; i < frmPages::kRows; ++i)
        if (!pages->lblID[i]->isHidden())
            marks << (pages->lblReaction[i]->isHidden() ? QString() : pages->lblReaction[i]->text()) + u'|'
                         + (pages->lblDWRM[i]->isHidden() ? QString() : pages->lblDWRM[i]->text());
    return marks;
}

// An index as it opens and as its last page reads.
struct Index_case {
    int mode;
    bool chemical;
    QString caption;
    QColor highlight;
    QString count;
    QStringList last_ids, last_marks, last_guides;
};

// An entry's guide button: the answers given, the messages shown, the
// Green name the distances button finds ("" no button) and the summary.
struct Guide_case {
    QString id, name;
    QList<Answer> answers;
    QStringList messages;
    QString distances;
    QStringList stored;
};

const QString kWarning_two_gases = QStringLiteral(
    "ADVERTENCIA: Substancia tóxica por inhalación!\n\nChlorosulfonic acid, Número de identificación 1754, crea "
    "grandes cantidades de vapores tóxicos de Cloruro de hidrógeno (HCl) y Ácido sulfúrico (H2SO4) cuando se derrama "
    "en agua.\n\nLa información pertinente para aquellos materiales está accesible en el resumen del informe. quiere "
    "abrir el informe?");

} // namespace

class tst_frmPages : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void each_index_down_to_its_last_page_data()
    {
        QTest::addColumn<Index_case>("index");
        QTest::newRow("numeric") << Index_case{0, false, "Indice numérico", QColor(255, 255, 0), "19 similares",
            {"1090", "1111", "1203", "1230", "1294", "1754", "1830", "1993", "2209", "2222", "2810", "2810", "2988", "3048", "1307"},
            {"|", "|", "|", "|", "|", "RIT|MRA", "|", "|", "|", "|", "RIT|Q/B", "RIT|Q/B", "|MRA", "|Q/B", "|"},
            {"128", "128", "128", "128", "128", "139", "153", "128", "128P", "128", "153", "153", "139", "153", "128"}};
        QTest::newRow("alphabetical") << Index_case{1, false, "Indice alfabético", QColor(0, 255, 255), "19 similares",
            {"1017", "2988", "1754", "1993", "----", "2209", "1203", "1050", "1230", "1111", "2810", "2222", "1830", "1294", "1307"},
            {"RIT|", "|MRA", "RIT|MRA", "|", "|", "|", "|", "RIT|", "|", "|", "RIT|Q/B", "|", "|", "|", "|"},
            {"124", "139", "139", "128", "128", "128P", "128", "124", "128", "128", "153", "128", "153", "128", "128"}};
        // Fewer than a page: the last page is the first, with no scroll bar.
        QTest::newRow("chemical agents") << Index_case{0, true, "Indice de Arma Quimica", QColor(255, 255, 0), "3 similares",
            {"2810", "2810", "3048"}, {"RIT|Q/B", "RIT|Q/B", "|Q/B"}, {"153", "153", "153"}};
    }

    void each_index_down_to_its_last_page()
    {
        QFETCH(Index_case, index);
        const auto& [mode, chemical, caption, highlight, count, last_ids, last_marks, last_guides] = index;
        auto world = test::Lookup_program();
        Index_mode = static_cast<qint16>(mode);
        Chemical_agents_only = chemical;
        Open_pages();
        frmPages* pages = Find_child<frmPages>();
        QVERIFY(pages);
        QCOMPARE(pages->windowTitle(), caption);
        QCOMPARE(pages->lblNbrMatch->text(), count);
        QVERIFY(!pages->cmdFirst->isEnabled());

        const bool paged = last_ids.size() == frmPages::kRows;
        QCOMPARE(pages->vscData->isHidden(), !paged);
        pages->vscData->setValue(pages->vscData->maximum());
        QCOMPARE(Ids(pages), last_ids);
        QCOMPARE(Marks(pages), last_marks);
        QCOMPARE(pages->cmdFirst->isEnabled(), paged);
        for (int i = 0; i < last_ids.size(); ++i) {
            QCOMPARE(pages->cmdGuide[i]->text(), last_guides[i]);
            const QColor expected = last_marks[i] == u'|' ? White : highlight;
            QCOMPARE(Background(pages->lblID[i]), expected);
            QCOMPARE(Background(pages->txtMaterial[i]), expected);
        }
        for (int i = last_ids.size(); i < frmPages::kRows; ++i)
            QVERIFY(pages->txtMaterial[i]->isHidden() && pages->cmdGuide[i]->isHidden() && pages->lblDWRM[i]->isHidden());

        pages->cmdFirst_Click();
        QCOMPARE(pages->vscData->value(), 0);
        QVERIFY(!pages->cmdFirst->isEnabled());
        QCOMPARE(Ids(pages).first(), chemical ? "2810" : mode == 0 ? "----" : "1090");
    }

    void guide_button_data()
    {
        QTest::addColumn<Guide_case>("guide");
        const QString question = QStringLiteral("El producto se derramó en el agua?");
        const QString land = QStringLiteral(" (cuando es derramado sobre la tierra)");
        const QString water = QStringLiteral(" (cuando es derramado en el agua)");
        const QString acid = QStringLiteral("Chlorosulfonic acid"), silanes = QStringLiteral("Chlorosilanes, water-reactive");
        const QString gas = QStringLiteral("Hydrogen chloride, anhydrous|1050|1|0");
        QTest::newRow("inhalation hazard") << Guide_case{"1017", "Chlorine", {}, {}, "Chlorine ", {"Chlorine|1017|0|1"}};
        QTest::newRow("agent") << Guide_case{"2810", "Sarin", {}, {}, "Sarin (cuando es utilizado como una arma)",
                                             {"Sarin|2810|0|1"}};
        QTest::newRow("no mark") << Guide_case{"1090", "Acetone", {}, {}, "", {"Acetone|1090|0|1"}};
        QTest::newRow("water-reactive and toxic, on land")
            << Guide_case{"1754", acid, {Answer::No}, {question}, acid + land, {acid + "|1754|0|1"}};
        QTest::newRow("water-reactive and toxic, in water")
            << Guide_case{"1754", acid, {Answer::Yes, Answer::No}, {question, kWarning_two_gases}, acid + water,
                          {acid + "|1754|1|1", gas, "Sulfuric acid|1830|1|0"}};
        QTest::newRow("water-reactive only, on land")
            << Guide_case{"2988", silanes, {Answer::No}, {question}, "", {silanes + "|2988|0|1"}};
        QTest::newRow("water-reactive only, in water, one gas")
            << Guide_case{"2988", silanes, {Answer::Yes, Answer::No},
                          {question, "ADVERTENCIA: Substancia tóxica por inhalación!\n\nChlorosilanes, water-reactive, "
                                     "Número de identificación 2988, crea grandes cantidades de vapores tóxicos de Cloruro "
                                     "de hidrógeno (HCl) cuando se derrama en agua.\n\nLa información pertinente para "
                                     "aquellos materiales está accesible en el resumen del informe. quiere abrir el informe?"},
                          silanes + water, {silanes + "|2988|1|1", gas}};
        QTest::newRow("polymerization")
            << Guide_case{"2209", "Formaldehyde solution", {},
                          {"ADVERTENCIA: Este material tiende a presentar peligro de polimerización."}, "",
                          {"Formaldehyde solution|2209|0|1"}};
    }

    void guide_button()
    {
        QFETCH(Guide_case, guide);
        const auto& [id, name, answers, messages, distances, stored] = guide;
        auto world = test::Lookup_program();
        world->ui.answers = answers;
        Open_index_by_number();
        frmPages* pages = Find_child<frmPages>();
        const int row = Show_entry(pages, id + u'|' + name);
        QVERIFY(row >= 0);
        QVERIFY(!pages->cmdReport->isEnabled());

        pages->txtMaterial[row]->clear(); // what the box shows does not count: the row does
        pages->cmdGuide[row]->click();
        QCOMPARE(world->ui.texts(), messages);
        QCOMPARE(Summary_rows(), stored);
        QVERIFY(!Summary_empty);
        QVERIFY(pages->cmdReport->isEnabled());

        frmGuidePage* page = Find_child<frmGuidePage>();
        QVERIFY(page);
        QCOMPARE(page->lblNameProduct->text(), name + ", Número de identificación " + id);
        const QString lookup = Tag(page->cmdIIPAD);
        if (distances.isEmpty()) {
            QCOMPARE(lookup, QString());
            QCOMPARE(Tag(page->cmdPrint), QString());
            return;
        }
        auto row_found = Main_database->OpenRecordset(lookup);
        QCOMPARE(row_found->RecordCount(), 1);
        QCOMPARE(row_found->Field("Name_of_material"), distances);
        QCOMPARE(Tag(page->cmdPrint), " " + distances.mid(name.size() + 1));
    }

    void the_warning_answered_yes_opens_the_summary()
    {
        auto world = test::Lookup_program();
        world->ui.answers = {Answer::Yes, Answer::Yes};
        Open_index_by_number();
        frmPages* pages = Find_child<frmPages>();
        pages->cmdGuide[Show_entry(pages, "1754|Chlorosulfonic acid")]->click();
        frmSummary* summary = Find_child<frmSummary>();
        QVERIFY(summary);
        QCOMPARE(summary->findChild<QLineEdit*>("txtMat_0")->text(), QStringLiteral("Chlorosulfonic acid"));
        QVERIFY(!summary->findChild<QLineEdit*>("txtMat_2")->isHidden());
        QVERIFY(summary->findChild<QLineEdit*>("txtMat_3")->isHidden());
    }

    void the_same_row_twice_is_stored_twice()
    {
        auto world = test::Lookup_program();
        Open_index_by_name();
        frmPages* pages = Find_child<frmPages>();
        const int row = Show_entry(pages, "1005|Ammonia, anhydrous");
        pages->cmdGuide[row]->click();
        pages->cmdGuide[row]->click();
        QCOMPARE(Summary_rows(), QStringList({"Ammonia, anhydrous|1005|0|1", "Ammonia, anhydrous|1005|0|1"}));
    }

    void a_callers_query_is_shown_with_its_count()
    {
        auto world = test::Lookup_program();
        Open_index_query(sql::Gas_index_SQL({"chlorine"}), Cyan_highlight);
        frmPages* pages = Find_child<frmPages>();
        QCOMPARE(Ids(pages), QStringList{"1017"});
        QCOMPARE(pages->lblNbrMatch->text(), QStringLiteral("1 similar"));
        QCOMPARE(Background(pages->lblID[0]), Cyan_highlight);
        QVERIFY(!pages->optYellow->isChecked() && !pages->optBlue->isChecked() && !pages->optChem->isChecked());
        QVERIFY(pages->vscData->isHidden());
        // In name order the name comes first.
        QVERIFY(pages->txtMaterial[0]->x() < pages->lblID[0]->x());
    }

    // A name box shows the database: Cut and Paste leave it alone, Copy
    // takes its selection.
    void the_edit_commands_never_change_a_name()
    {
        auto world = test::Lookup_program();
        Open_index_by_number();
        QLineEdit* name = Find_child<frmPages>()->txtMaterial[1];
        name->setFocus();
        QGuiApplication::clipboard()->setText(QStringLiteral("1203"));
        for (const char* item : {"mnuEditCut", "mnuEditPaste", "mnuEditCopy"}) {
            name->selectAll();
            Main_form->findChild<QAction*>(QLatin1String(item))->trigger();
            QCOMPARE(name->text(), QStringLiteral("Ammonia, anhydrous"));
        }
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Ammonia, anhydrous"));
    }

    void options_switch_the_index_in_place()
    {
        auto world = test::Lookup_program();
        Open_index_by_number();
        frmPages* pages = Find_child<frmPages>();
        pages->vscData->setValue(3);
        pages->optBlue->click();
        QCOMPARE(pages->windowTitle(), QStringLiteral("Indice alfabético"));
        QCOMPARE(pages->vscData->value(), 0);
        QCOMPARE(Ids(pages).mid(0, 3), QStringList({"1090", "3048", "1005"}));
        pages->optChem->click();
        QCOMPARE(Ids(pages), QStringList({"2810", "2810", "3048"}));
        QVERIFY(pages->lblID[0]->x() < pages->txtMaterial[0]->x());
    }
};

QTEST_MAIN(tst_frmPages)
#include "tst_frmPages.moc"
