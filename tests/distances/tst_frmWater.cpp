// The water-reactive list: gases named as the book joins them, the spill
// question choosing the distances row, the summary and its warning, and the
// gases found in the index.
#include "support/Rows_program.h"
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
#include <QtTest>

using namespace vexo;
using namespace Qt::StringLiterals;
using platform::Answer;
using test::Child;
using test::Shown;

namespace {

// 1111 gives off one gas and is not toxic itself; 1754 two and is toxic by
// inhalation (a land row and a water row); 2988 three. 1051's name only
// contains a gas's name: the gases search must not find it. char(34) is a
// double quote.
const QString kRows = QStringLiteral(R"sql(
INSERT INTO Sentences VALUES (1, 'GUÍA 124', 5), (2, 'Gases Tóxicos y/o Corrosivos', 2),
  (3, 'GUÍA 139', 5), (4, 'Sustancias que Reaccionan con Agua (Emiten Gases Tóxicos)', 2);
INSERT INTO Guides_pages VALUES (1, 124, 1), (2, 124, 2), (3, 139, 3), (4, 139, 4);
INSERT INTO Yellow VALUES ('1005', 'Ammonia, anhydrous', 124, 10, 10, 1, NULL, NULL, NULL, NULL),
  ('1017', 'Chlorine', 124, 20, 20, 1, NULL, NULL, NULL, NULL),
  ('1050', 'Hydrogen chloride, anhydrous', 124, 30, 30, 1, NULL, NULL, NULL, NULL),
  ('1051', 'Hydrogen chloride, anhydrous solution', 124, 35, 35, 1, NULL, NULL, NULL, NULL),
  ('1052', 'Hydrogen fluoride, anhydrous', 124, 40, 40, 1, NULL, NULL, NULL, NULL),
  ('1111', 'O''Brien''s mix', 139, 50, 50, NULL, 'W', NULL, NULL, NULL),
  ('1754', 'Chlorosulfonic acid', 139, 60, 60, 1, 'W', NULL, NULL, NULL),
  ('2988', 'Widget ' || char(34) || 'X' || char(34) || ' compound', 139, 70, 70, NULL, 'W', NULL, NULL, NULL);
INSERT INTO Green VALUES
  (1111, 'O''Brien''s mix (cuando es derramado en el agua)', '30', '100', '0.1', '0.1', '0.4', '0.2', '60', '200', '0.2', '0.1', '1.0', '0.6'),
  (1754, 'Chlorosulfonic acid (cuando es derramado sobre la tierra)', '30', '100', '0.1', '0.1', '0.1', '0.1', '60', '200', '0.3', '0.2', '0.6', '0.4'),
  (1754, 'Chlorosulfonic acid (cuando es derramado en el agua)', '30', '100', '0.1', '0.1', '0.3', '0.2', '100', '300', '0.6', '0.4', '1.9', '1.2'),
  (2988, 'Widget ' || char(34) || 'X' || char(34) || ' compound (cuando es derramado en el agua)', '30', '100', '0.2', '0.1', '0.7', '0.4', '300', '1000', '1.9', '1.2', '4.6', '2.9');
INSERT INTO Water VALUES ('1111', 'Amoníaco (NH3)', '1005', 'Ammonia, anhydrous', '', '', '', '', '', ''),
  ('1754', 'Cloruro de hidrógeno (HCl)', '1050', 'Hydrogen chloride, anhydrous', 'Fluoruro de hidrógeno (HF)', '1052', 'Hydrogen fluoride, anhydrous', '', '', ''),
  ('2988', 'Cloruro de hidrógeno (HCl)', '1050', 'Hydrogen chloride, anhydrous', 'Fluoruro de hidrógeno (HF)', '1052', 'Hydrogen fluoride, anhydrous', 'Cloro (Cl2)', '1017', 'Chlorine');
)sql");

const QString kIn_water = u"(cuando es derramado en el agua)"_s;
const QString kOn_land = u"(cuando es derramado sobre la tierra)"_s;

frmWater* Open_list()
{
    Open_water_list();
    return Find_child<frmWater>();
}

// The Green names the lookup finds: exactly one is right.
QStringList Found_by(const QString& lookup)
{
    return test::Rows_of(lookup, {u"Name_of_material"_s});
}

} // namespace

class tst_frmWater : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each row names its gases, whole in the tool tip (a button too narrow
    // ends its caption in "…"); the rows below the last stay hidden and the
    // note stands just under it.
    void list_as_opened()
    {
        test::Rows_program program(kRows);
        frmWater* water = Open_list();
        QVERIFY(water);
        QStringList rows;
        for (int index = 0; index < 3; ++index) {
            const auto* gases = Child<QPushButton>(water, "cmdProduct2", index);
            const auto* guide = Child<QPushButton>(water, "cmdGuide", index);
            QVERIFY(gases->toolTip().startsWith(gases->text().chopped(1)));
            rows << QStringList{Child<QLabel>(water, "lblID", index)->text(), Tag(Child<QLabel>(water, "lblID", index)),
                                guide->text(), guide->toolTip(), gases->toolTip()}
                        .join(u'|');
        }
        const QString guide = u"139|Sustancias que Reaccionan con Agua (Emiten Gases Tóxicos)|"_s;
        QCOMPARE(rows, (QStringList{
                           "1111||" + guide + "Amoníaco (NH3)",
                           "1754|RIT|" + guide + "Cloruro de hidrógeno (HCl) y Fluoruro de hidrógeno (HF)",
                           "2988||" + guide + "Cloruro de hidrógeno (HCl), Fluoruro de hidrógeno (HF) y Cloro (Cl2)"}));

        QVERIFY(!Shown(Child(water, "vscData")));
        for (int index = 3; index < frmWater::kRows; ++index)
            QVERIFY(!Shown(Child(water, "cmdProduct2", index)) && !Shown(Child(water, "txtMat", index)));
        const QLabel* note = Child<QLabel>(water, "lblTitle4");
        QCOMPARE(note->text(), u"Use esta lista solamente cuando el material sea derramado en agua."_s);
        const QWidget* last = Child(water, "cmdGuide", 2);
        const int last_row = last->mapTo(water, QPoint(0, last->height())).y();
        QVERIFY(note->y() > last_row && note->y() - last_row < last->height() * 2);
    }

    void guide_button_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("in_water");     // the answer to the spill question
        QTest::addColumn<QString>("suffix");   // "" : no distances button
        QTest::addColumn<QStringList>("summary");
        QTest::addColumn<QString>("warning");  // "" : none
        const QString tail = u" cuando se derrama en agua.\n\nLa información pertinente para aquellos materiales está "
                             "accesible en el resumen del informe. quiere abrir el informe?"_s;
        const QString head = u"ADVERTENCIA: Substancia tóxica por inhalación!\n\n"_s;
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
            << head + "Chlorosulfonic acid, Número de identificación 1754, crea grandes cantidades de vapores "
                      "tóxicos de Cloruro de hidrógeno (HCl) y Fluoruro de hidrógeno (HF)" + tail;
        QTest::newRow("three gases, in water")
            << 2 << 1 << kIn_water
            << QStringList{"2988|Widget \"X\" compound|1|1", "1050|Hydrogen chloride, anhydrous|1|0",
                           "1052|Hydrogen fluoride, anhydrous|1|0", "1017|Chlorine|1|0"}
            << head + "Widget \"X\" compound, Número de identificación 2988, crea grandes cantidades de vapores "
                      "tóxicos de Cloruro de hidrógeno (HCl), Fluoruro de hidrógeno (HF) y Cloro (Cl2)" + tail;
        QTest::newRow("three gases, on land") << 2 << 0 << "" << QStringList{"2988|Widget \"X\" compound|0|1"} << "";
    }

    void guide_button()
    {
        QFETCH(int, index);
        QFETCH(int, in_water);
        QFETCH(QString, suffix);
        QFETCH(QStringList, summary);
        QFETCH(QString, warning);
        test::Rows_program program(kRows);
        Install_distances_box();
        frmWater* water = Open_list();
        // The warning answered Yes (three gases) opens the summary as well.
        const bool see_summary = index == 2;
        program.ui.answers = {in_water ? Answer::Yes : Answer::No, see_summary ? Answer::Yes : Answer::No};
        Summary_empty = true;
        Child<QLineEdit>(water, "txtMat", index)->clear();  // what the box shows does not count: the row does
        Child<QPushButton>(water, "cmdGuide", index)->click();

        QList<platform::Message> expected{
            {u"El producto se derramó en el agua?"_s, u"Material derramado"_s, platform::Icon::Question,
             platform::Buttons::YesNo}};
        if (!warning.isEmpty())
            expected << platform::Message{warning, u"MATERIAL PELIGROSO QUE REACCIONA CON EL AGUA"_s,
                                          platform::Icon::Exclamation, platform::Buttons::YesNo};
        QCOMPARE(program.ui.shown.size(), expected.size());
        for (qsizetype k = 0; k < expected.size(); ++k) {
            QCOMPARE(program.ui.shown[k].text, expected[k].text);
            QCOMPARE(program.ui.shown[k].title, expected[k].title);
            QCOMPARE(program.ui.shown[k].icon, expected[k].icon);
        }
        QCOMPARE(test::Rows_of(u"SELECT ID, Name, High_green, Bold FROM Summary ORDER BY Key"_s,
                               {"ID", "Name", "High_green", "Bold"}),
                 summary);
        QVERIFY(!Summary_empty);
        QCOMPARE(Find_child<frmSummary>() != nullptr, see_summary && in_water);

        frmGuidePage* page = Find_child<frmGuidePage>();
        QVERIFY(page);
        const QString id = Child<QLabel>(water, "lblID", index)->text();
        const QString name = summary.first().section(u'|', 1, 1);
        QCOMPARE(page->lblNameProduct->text(), name + u", Número de identificación "_s + id);
        QCOMPARE(Shown(page->cmdIIPAD), !suffix.isEmpty());
        if (!suffix.isEmpty()) {
            QCOMPARE(Found_by(Tag(page->cmdIIPAD)), QStringList{name + u' ' + suffix});
            QCOMPARE(Tag(page->cmdPrint), u' ' + suffix);
        }
    }

    void gases_search_shows_exactly_their_index_entries()
    {
        test::Rows_program program(kRows);
        Child<QPushButton>(Open_list(), "cmdProduct2", 2)->click();
        frmPages* pages = Find_child<frmPages>();
        QVERIFY(pages);
        QCOMPARE(pages->windowTitle(),
                 u"Buscar materiales tóxicos por inhalación, que se liberan de MRA cuando se derrama en el agua"_s);
        QCOMPARE(Index_mode, 2);
        QCOMPARE(Index_highlight, QColor(0, 255, 255));
        QStringList shown;
        for (int index = 0; index < frmPages::kRows; ++index)
            if (Shown(pages->lblID[index]))
                shown << pages->lblID[index]->text() + u'|' + pages->txtMaterial[index]->text();
        QCOMPARE(shown, (QStringList{"1017|Chlorine", "1050|Hydrogen chloride, anhydrous",
                                     "1052|Hydrogen fluoride, anhydrous"}));

        frmWater* water = Find_child<frmWater>();
        QVERIFY(water);
        Child<QPushButton>(water, "cmdProduct2", 0)->click();
        pages = Find_child<frmPages>();
        QCOMPARE(pages->lblID[0]->text(), u"1005"_s);
        QVERIFY(!Shown(pages->lblID[1]));
    }
};

QTEST_MAIN(tst_frmWater)
#include "tst_frmWater.moc"
