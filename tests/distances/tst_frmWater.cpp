// The water-reactive list: gases named as the book joins them, the spill
// question choosing the distances row (every lookup it composes finds its
// row), the summary and its warning, and the gases found in the index.
#include "Distances_program.h"
#include "support/Widgets.h"

#include "app/Child_windows.h"
#include "app/General.h"
#include "app/Row_cells.h"
#include "data/Queries.h"
#include "distances/Distances.h"
#include "distances/frmWater.h"
#include "guides/Guide_page.h"
#include "guides/frmGuidePage.h"
#include "lookup/frmPages.h"
#include "summary/frmSummary.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

using namespace vexo;
using platform::Answer;
using test::Child;
using test::Shown;

namespace {

// 1111 gives off one gas and is not toxic itself; 1754 two and is toxic by
// inhalation (a land row and a water row); 2988 three. 1051's name only
// contains a gas's name: the gases search must not find it.
const char* kRows =
    "INSERT INTO Sentences VALUES (1, 'GUÍA 124', 5), (2, 'Gases Tóxicos y/o Corrosivos', 2),\n"
    "  (3, 'GUÍA 139', 5), (4, 'Sustancias que Reaccionan con Agua (Emiten Gases Tóxicos)', 2);\n"
    "INSERT INTO Guides_pages VALUES (1, 124, 1), (2, 124, 2), (3, 139, 3), (4, 139, 4);\n"
    "INSERT INTO Yellow VALUES ('1005', 'Ammonia, anhydrous', 124, 10, 10, 1, NULL, NULL, NULL, NULL),\n"
    "  ('1017', 'Chlorine', 124, 20, 20, 1, NULL, NULL, NULL, NULL),\n"
    "  ('1050', 'Hydrogen chloride, anhydrous', 124, 30, 30, 1, NULL, NULL, NULL, NULL),\n"
    "  ('1051', 'Hydrogen chloride, anhydrous solution', 124, 35, 35, 1, NULL, NULL, NULL, NULL),\n"
    "  ('1052', 'Hydrogen fluoride, anhydrous', 124, 40, 40, 1, NULL, NULL, NULL, NULL),\n"
    "  ('1111', 'O''Brien''s mix', 139, 50, 50, NULL, 'W', NULL, NULL, NULL),\n"
    "  ('1754', 'Chlorosulfonic acid', 139, 60, 60, 1, 'W', NULL, NULL, NULL),\n"
    "  ('2988', 'Widget \"X\" compound', 139, 70, 70, NULL, 'W', NULL, NULL, NULL);\n"
    "INSERT INTO Green VALUES\n"
    "  (1111, 'O''Brien''s mix (cuando es derramado en el agua)', '30', '100', '0.1', '0.1', '0.4', '0.2',"
    " '60', '200', '0.2', '0.1', '1.0', '0.6'),\n"
    "  (1754, 'Chlorosulfonic acid (cuando es derramado sobre la tierra)', '30', '100', '0.1', '0.1', '0.1', '0.1',"
    " '60', '200', '0.3', '0.2', '0.6', '0.4'),\n"
    "  (1754, 'Chlorosulfonic acid (cuando es derramado en el agua)', '30', '100', '0.1', '0.1', '0.3', '0.2',"
    " '100', '300', '0.6', '0.4', '1.9', '1.2'),\n"
    "  (2988, 'Widget \"X\" compound (cuando es derramado en el agua)', '30', '100', '0.2', '0.1', '0.7', '0.4',"
    " '300', '1000', '1.9', '1.2', '4.6', '2.9');\n"
    "INSERT INTO Water VALUES\n"
    "  ('1111', 'Amoníaco (NH3)', '1005', 'Ammonia, anhydrous', '', '', '', '', '', ''),\n"
    "  ('1754', 'Cloruro de hidrógeno (HCl)', '1050', 'Hydrogen chloride, anhydrous',"
    " 'Fluoruro de hidrógeno (HF)', '1052', 'Hydrogen fluoride, anhydrous', '', '', ''),\n"
    "  ('2988', 'Cloruro de hidrógeno (HCl)', '1050', 'Hydrogen chloride, anhydrous',"
    " 'Fluoruro de hidrógeno (HF)', '1052', 'Hydrogen fluoride, anhydrous', 'Cloro (Cl2)', '1017', 'Chlorine');\n";

const QString kIn_water = QStringLiteral("(cuando es derramado en el agua)");
const QString kOn_land = QStringLiteral("(cuando es derramado sobre la tierra)");

frmWater* Open_list()
{
    Open_water_list();
    return Find_child<frmWater>();
}

QStringList Summary_rows()
{
    return test::Rows_of(QStringLiteral("SELECT ID, Name, High_green, Bold FROM Summary ORDER BY Key"),
                         {QStringLiteral("ID"), QStringLiteral("Name"), QStringLiteral("High_green"),
                          QStringLiteral("Bold")});
}

// The Green names the lookup finds: exactly one is right.
QStringList Found_by(const QString& lookup)
{
    return test::Rows_of(lookup, {QStringLiteral("Name_of_material")});
}

} // namespace

class tst_frmWater : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void rows_name_their_gases_data();
    void rows_name_their_gases();
    void short_list_hides_rows_and_scroll_bar();
    void guide_button_data();
    void guide_button();
    void gases_search_shows_exactly_their_index_entries();
    void default_database_lookups_find_their_rows();
};

void tst_frmWater::rows_name_their_gases_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("rit");
    QTest::addColumn<QString>("gases");
    QTest::newRow("one gas") << 0 << "1111" << "" << "Amoníaco (NH3)";
    QTest::newRow("two gases") << 1 << "1754" << "RIT"
                               << "Cloruro de hidrógeno (HCl) y Fluoruro de hidrógeno (HF)";
    QTest::newRow("three gases") << 2 << "2988" << ""
                                 << "Cloruro de hidrógeno (HCl), Fluoruro de hidrógeno (HF) y Cloro (Cl2)";
}

void tst_frmWater::rows_name_their_gases()
{
    QFETCH(int, index);
    QFETCH(QString, id);
    QFETCH(QString, rit);
    QFETCH(QString, gases);
    test::Distances_program program(QString::fromUtf8(kRows));
    frmWater* water = Open_list();
    QVERIFY(water);
    QCOMPARE(Child<QLabel>(water, "lblID", index)->text(), id);
    QCOMPARE(Tag(Child<QLabel>(water, "lblID", index)), rit);
    QCOMPARE(Child<QPushButton>(water, "cmdGuide", index)->text(), QStringLiteral("139"));
    QCOMPARE(Child<QPushButton>(water, "cmdGuide", index)->toolTip(),
             QStringLiteral("Sustancias que Reaccionan con Agua (Emiten Gases Tóxicos)"));
    // The caption, whole in the tool tip (a button too narrow ends it in "…").
    QCOMPARE(Child<QPushButton>(water, "cmdProduct2", index)->toolTip(), gases);
    QVERIFY(gases.startsWith(Child<QPushButton>(water, "cmdProduct2", index)->text().chopped(1)));
}

void tst_frmWater::short_list_hides_rows_and_scroll_bar()
{
    test::Distances_program program(QString::fromUtf8(kRows));
    frmWater* water = Open_list();
    QVERIFY(!Shown(Child(water, "vscData")));
    for (int index = 3; index < frmWater::kRows; ++index)
        QVERIFY(!Shown(Child(water, "cmdProduct2", index)) && !Shown(Child(water, "txtMat", index)));
    const QLabel* note = Child<QLabel>(water, "lblTitle4");
    QCOMPARE(note->text(), QStringLiteral("Use esta lista solamente cuando el material sea derramado en agua."));
    // The note stands just under the last row.
    const QWidget* last = Child(water, "cmdGuide", 2);
    const int last_row = last->mapTo(water, QPoint(0, last->height())).y();
    QVERIFY(note->y() > last_row && note->y() - last_row < last->height() * 2);
}

void tst_frmWater::guide_button_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("in_water");  // the answer to the spill question
    QTest::addColumn<QString>("suffix"); // "" : no distances button
    QTest::addColumn<QStringList>("summary");
    QTest::addColumn<QString>("warning"); // "" : none
    const QString tail = QStringLiteral(" cuando se derrama en agua.\n\nLa información pertinente para aquellos "
                                        "materiales está accesible en el resumen del informe. quiere abrir el informe?");
    const QString head = QStringLiteral("ADVERTENCIA: Substancia tóxica por inhalación!\n\n");
    QTest::newRow("not toxic, on land") << 0 << 0 << "" << QStringList{"1111|O'Brien's mix|0|1"} << "";
    QTest::newRow("not toxic, in water")
        << 0 << 1 << kIn_water << QStringList{"1111|O'Brien's mix|1|1", "1005|Ammonia, anhydrous|1|0"}
        << head + "O'Brien's mix, Número de identificación 1111, crea grandes cantidades de vapores tóxicos de "
                  "Amoníaco (NH3)" + tail;
    QTest::newRow("toxic, on land") << 1 << 0 << kOn_land << QStringList{"1754|Chlorosulfonic acid|0|1"} << "";
    QTest::newRow("toxic, in water")
        << 1 << 1 << kIn_water
        << QStringList{"1754|Chlorosulfonic acid|1|1", "1050|Hydrogen chloride, anhydrous|1|0",
                       "1052|Hydrogen fluoride, anhydrous|1|0"}
        << head + "Chlorosulfonic acid, Número de identificación 1754, crea grandes cantidades de vapores tóxicos de "
                  "Cloruro de hidrógeno (HCl) y Fluoruro de hidrógeno (HF)" + tail;
    QTest::newRow("three gases, in water")
        << 2 << 1 << kIn_water
        << QStringList{"2988|Widget \"X\" compound|1|1", "1050|Hydrogen chloride, anhydrous|1|0",
                       "1052|Hydrogen fluoride, anhydrous|1|0", "1017|Chlorine|1|0"}
        << head + "Widget \"X\" compound, Número de identificación 2988, crea grandes cantidades de vapores tóxicos "
                  "de Cloruro de hidrógeno (HCl), Fluoruro de hidrógeno (HF) y Cloro (Cl2)" + tail;
    QTest::newRow("three gases, on land") << 2 << 0 << "" << QStringList{"2988|Widget \"X\" compound|0|1"} << "";
}

void tst_frmWater::guide_button()
{
    QFETCH(int, index);
    QFETCH(int, in_water);
    QFETCH(QString, suffix);
    QFETCH(QStringList, summary);
    QFETCH(QString, warning);
    test::Distances_program program(QString::fromUtf8(kRows));
    Install_distances_box();
    frmWater* water = Open_list();
    // The warning answered Yes (three gases) opens the summary as well.
    const bool see_summary = index == 2;
    program.ui.answers = {in_water ? Answer::Yes : Answer::No, see_summary ? Answer::Yes : Answer::No};
    Summary_empty = true;
    Child<QLineEdit>(water, "txtMat", index)->clear(); // what the box shows does not count: the row does
    Child<QPushButton>(water, "cmdGuide", index)->click();

    QVERIFY(!program.ui.shown.isEmpty());
    QCOMPARE(program.ui.shown[0].text, QStringLiteral("El producto se derramó en el agua?"));
    QCOMPARE(program.ui.shown[0].title, QStringLiteral("Material derramado"));
    QCOMPARE(program.ui.shown[0].icon, platform::Icon::Question);
    if (warning.isEmpty()) {
        QCOMPARE(program.ui.shown.size(), 1);
    } else {
        QCOMPARE(program.ui.shown.size(), 2);
        QCOMPARE(program.ui.shown[1].text, warning);
        QCOMPARE(program.ui.shown[1].title, QStringLiteral("MATERIAL PELIGROSO QUE REACCIONA CON EL AGUA"));
        QCOMPARE(program.ui.shown[1].icon, platform::Icon::Exclamation);
    }
    QCOMPARE(Summary_rows(), summary);
    QVERIFY(!Summary_empty);
    QCOMPARE(Find_child<frmSummary>() != nullptr, see_summary && in_water);

    frmGuidePage* page = Find_child<frmGuidePage>();
    QVERIFY(page);
    const QString id = Child<QLabel>(water, "lblID", index)->text();
    const QString name = summary.first().section(u'|', 1, 1);
    QCOMPARE(page->lblNameProduct->text(), name + QStringLiteral(", Número de identificación ") + id);
    QCOMPARE(Shown(page->cmdIIPAD), !suffix.isEmpty());
    if (!suffix.isEmpty()) {
        QCOMPARE(Found_by(Tag(page->cmdIIPAD)), QStringList{name + u' ' + suffix});
        QCOMPARE(Tag(page->cmdPrint), u' ' + suffix);
    }
}

void tst_frmWater::gases_search_shows_exactly_their_index_entries()
{
    test::Distances_program program(QString::fromUtf8(kRows));
    frmWater* water = Open_list();
    Child<QPushButton>(water, "cmdProduct2", 2)->click();
    frmPages* pages = Find_child<frmPages>();
    QVERIFY(pages);
    QCOMPARE(pages->windowTitle(),
             QStringLiteral("Buscar materiales tóxicos por inhalación, que se liberan de MRA cuando se derrama en el agua"));
    QCOMPARE(Index_mode, 2);
    QCOMPARE(Index_highlight, QColor(0, 255, 255));
    QStringList shown;
    for (int index = 0; index < frmPages::kRows; ++index)
        if (Shown(pages->lblID[index]))
            shown << pages->lblID[index]->text() + u'|' + pages->txtMaterial[index]->text();
    QCOMPARE(shown, (QStringList{"1017|Chlorine", "1050|Hydrogen chloride, anhydrous",
                                 "1052|Hydrogen fluoride, anhydrous"}));

    water = Find_child<frmWater>();
    QVERIFY(water);
    Child<QPushButton>(water, "cmdProduct2", 0)->click();
    pages = Find_child<frmPages>();
    QCOMPARE(pages->lblID[0]->text(), QStringLiteral("1005"));
    QVERIFY(!Shown(pages->lblID[1]));
}

void tst_frmWater::default_database_lookups_find_their_rows()
{
    auto program = test::Distances_program::On_copy_of(QStringLiteral(VEXO_BIN_DIR "/guide2ks.mdb"));
    QVERIFY(program);
    Install_distances_box();
    frmWater* water = Open_list();
    const int count = Water_records->RecordCount();
    QVERIFY(count > 15);
    int checked = 0;
    QScrollBar* bar = Child<QScrollBar>(water, "vscData");
    QList<int> pages;
    for (int value = 0; value < bar->maximum(); value += frmWater::kRows)
        pages << value;
    pages << bar->maximum();
    for (const int value : pages) {
        bar->setValue(value);
        for (int index = 0; index < frmWater::kRows; ++index) {
            for (const Answer answer : {Answer::No, Answer::Yes}) {
                program->ui.answers = {answer, Answer::No};
                Child<QPushButton>(water, "cmdGuide", index)->click();
                const frmGuidePage* page = Find_child<frmGuidePage>();
                QVERIFY(page);
                const QString name = Child<QLineEdit>(water, "txtMat", index)->text();
                const QString what = Child<QLabel>(water, "lblID", index)->text() + u' ' + name;
                if (answer == Answer::No && Tag(Child<QLabel>(water, "lblID", index)).isEmpty()) {
                    QVERIFY2(!Shown(page->cmdIIPAD), qPrintable(what));
                    continue;
                }
                const QString suffix = answer == Answer::Yes ? kIn_water : kOn_land;
                QVERIFY2(Shown(page->cmdIIPAD), qPrintable(what));
                QCOMPARE(Found_by(Tag(page->cmdIIPAD)), QStringList{name + u' ' + suffix});
                ++checked;
            }
        }
    }
    QVERIFY(checked >= count);
}

QTEST_MAIN(tst_frmWater)
#include "tst_frmWater.moc"
