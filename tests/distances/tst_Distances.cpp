// The distances windows as the reader meets them: the table, the box a guide
// page opens, Table 3 and its links, the water-reactive list and its question.
#include "lookup/Lookup_fixture.h"
#include "support/Rows_program.h"
#include "support/Widgets.h"

#include "app/Child_windows.h"
#include "app/General.h"
#include "app/Row_cells.h"
#include "app/frmMain.h"
#include "contents/frmContent.h"
#include "data/Queries.h"
#include "data/Schema.h"
#include "distances/Distances.h"
#include "distances/frmGreen.h"
#include "distances/frmGreenBox.h"
#include "distances/frmTable3.h"
#include "distances/frmWater.h"
#include "guides/Guide_page.h"
#include "guides/frmGuidePage.h"
#include "lookup/frmPages.h"
#include "platform/Twips.h"
#include "summary/frmSummary.h"

#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

#include <set>

using namespace vexo;
using namespace Qt::StringLiterals;
using platform::Answer;
using test::Child;
using test::Shown;

namespace {

// Rows 1001..1000+n, "Material NN " (names end with a blank); column c holds
// "<id>.<c>", so a value in a wrong cell shows. Danger rows have no values.
QString Numbered_rows(int n, const std::set<int>& danger)
{
    QStringList rows;
    for (int id = 1001; id <= 1000 + n; ++id) {
        QStringList values;
        for (int column = 0; column < Value_count; ++column)
            values << (danger.count(id) ? u"''"_s : u"'%1.%2'"_s.arg(id).arg(column));
        rows << u"(%1, 'Material %2 ', %3)"_s.arg(id).arg(id % 100, 2, 10, QChar(u'0')).arg(values.join(u','));
    }
    return u"INSERT INTO Green VALUES "_s + rows.join(u',') + u';';
}

const std::set<int> kDanger{1005, 1020, 1021};

// 1010 is a gas of Table 3, 1012 an agent whose miles the book does not
// give, 1013 a name longer than its place.
const QString kTable_rows = Numbered_rows(30, kDanger) + QStringLiteral(R"sql(
UPDATE Green SET LP_Isolate_meters = 'Consulte la Tabla 3', LP_Isolate_feets = 'Consulte la Tabla 3', LP_Protect_Day_km = 'Consulte la Tabla 3',
  LP_Protect_Day_miles = 'Consulte la Tabla 3', LP_Protect_Night_km = 'Consulte la Tabla 3', LP_Protect_Night_miles = 'Consulte la Tabla 3' WHERE ID = 1010;
UPDATE Green SET LP_Protect_Day_miles = '', LP_Protect_Night_miles = '' WHERE ID = 1012;
UPDATE Green SET Name_of_material = 'Chlorosulphonic acid (with or without sulphur trioxide), technically pure and stabilized (cuando es derramado sobre la tierra)' WHERE ID = 1013;
)sql");

// The book's materials. Large spills of 1005, 1017 and 2186 are in Table 3;
// 1111 gives off one gas and is not toxic itself, 1754 two and is toxic by
// inhalation (a land row and a water row), 2988 three; 1051's name only
// contains a gas's name. char(34) is a double quote.
const QString kRows = QStringLiteral(R"sql(
INSERT INTO Sentences VALUES (1, 'GUÍA 124', 5), (2, 'Gases Tóxicos y/o Corrosivos', 2), (3, 'GUÍA 139', 5), (4, 'Sustancias que Reaccionan con Agua (Emiten Gases Tóxicos)', 2);
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
  (1005, 'Ammonia, anhydrous ', '30', '100', '0.1', '0.1', '0.2', '0.1', %1),
  (1017, 'Chlorine ', '60', '200', '0.3', '0.2', '1.5', '0.9', %1),
  (1111, 'O''Brien''s mix (cuando es derramado en el agua)', '30', '100', '0.1', '0.1', '0.4', '0.2', '60', '200', '0.2', '0.1', '1.0', '0.6'),
  (1754, 'Chlorosulfonic acid (cuando es derramado sobre la tierra)', '30', '100', '0.1', '0.1', '0.1', '0.1', '60', '200', '0.3', '0.2', '0.6', '0.4'),
  (1754, 'Chlorosulfonic acid (cuando es derramado en el agua)', '30', '100', '0.1', '0.1', '0.3', '0.2', '100', '300', '0.6', '0.4', '1.9', '1.2'),
  (2186, 'Hydrogen chloride, refrigerated liquid ', '30', '100', '0.1', '0.1', '0.3', '0.2', %1),
  (2810, 'Sarin (cuando es utilizado como una arma)', '60', '200', '0.4', '0.3', '1.1', '0.7', '400', '1250', '2.1', '1.3', '4.9', '3.0'),
  (2988, 'Widget ' || char(34) || 'X' || char(34) || ' compound (cuando es derramado en el agua)', '30', '100', '0.2', '0.1', '0.7', '0.4', '300', '1000', '1.9', '1.2', '4.6', '2.9');
INSERT INTO Water VALUES ('1111', 'Amoníaco (NH3)', '1005', 'Ammonia, anhydrous', '', '', '', '', '', ''),
  ('1754', 'Cloruro de hidrógeno (HCl)', '1050', 'Hydrogen chloride, anhydrous', 'Fluoruro de hidrógeno (HF)', '1052', 'Hydrogen fluoride, anhydrous', '', '', ''),
  ('2988', 'Cloruro de hidrógeno (HCl)', '1050', 'Hydrogen chloride, anhydrous', 'Fluoruro de hidrógeno (HF)', '1052', 'Hydrogen fluoride, anhydrous', 'Cloro (Cl2)', '1017', 'Chlorine');
)sql").arg(QStringList(6, u"'Consulte la Tabla 3'"_s).join(u','));

const QString kIn_water = u"(cuando es derramado en el agua)"_s;
const QString kOn_land = u"(cuando es derramado sobre la tierra)"_s;
const QString kRefer = u"Consulte la Tabla 3"_s;
const QString kBanner = u"PELIGROSO: Cuando se derrama en el agua, vea la lista al final de esta tabla"_s;

// The ways the user turns away from the distances box.
const QStringList kTurns{"to the guide page", "to a window of its own, as the find dialog or a message box",
                         "its guide page closed", "its guide page rebuilt for another product",
                         "its button pressed again"};

template <class Window>
Window* Opened(void (*open)())
{
    open();
    return Find_child<Window>();
}

QScrollBar* Bar(const QWidget* window)
{
    return Child<QScrollBar>(window, "vscData");
}

// Where a widget stands across the window.
std::pair<int, int> Span(const QWidget* widget, const QWidget* window)
{
    const int left = widget->mapTo(window, QPoint(0, 0)).x();
    return {left, left + widget->width()};
}

// The headings standing over a cell, read upwards from it.
QStringList Headings_over(const QWidget* cell, const frmGreen* table)
{
    const auto under = Span(cell, table);
    QMap<int, QString> over;  // the lowest first
    for (QLabel* label : Child(table, "frmTitle")->findChildren<QLabel*>()) {
        const auto span = Span(label, table);
        if (Shown(label) && label->width() > 0 && span.first <= under.first && under.second <= span.second
            && !label->text().isEmpty())
            over.insert(-label->y(), label->text());
    }
    return over.values();
}

// A row as the reader sees it: its number, its name, then each value shown
// (the note standing once for the large spill), "|" between.
QString Row_shown(const QWidget* window, int row)
{
    QStringList cells{Child<QLabel>(window, "lblID", row)->text(), Child<QLabel>(window, "lblMat", row)->text()};
    for (int column = SIM; column < Value_count; ++column) {
        if (column == LIM && Shown(Child(window, "lblNote", row, 1)))
            cells << Child<QLabel>(window, "lblNote", row, 1)->text();
        if (Shown(Child(window, "lblValue", row, column)))
            cells << Child<QLabel>(window, "lblValue", row, column)->text();
    }
    return cells.join(u'|');
}

// The Table 3 line that shows the gas's heading, or -1.
int Heading_line(const frmTable3* table, const QString& id)
{
    for (int index = 0; table && index < frmTable3::kRows; ++index) {
        const QLabel* block = Child<QLabel>(table, "lblBlock", index);
        if (!block->isHidden() && block->text().contains(id + u"  "_s))
            return index;
    }
    return -1;
}

QString Value(const frmTable3* table, int line, int column)
{
    return Child<QLabel>(table, "lblValue", line, column)->text();
}

// A Table 3 line as shown, "|" between cells, without the brackets round feet and miles.
QString Line_shown(const frmTable3* table, int line)
{
    QStringList cells{Child<QLabel>(table, "lblContainer", line)->text()};
    for (int column = 0; column < 14; ++column)
        cells << Value(table, line, column);
    return cells.join(u'|').remove(u'(').remove(u')');
}

} // namespace

class tst_Distances : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A box left open when the program closes its windows once asked the
    // emptied work area to bring its page forward.
    void init() { QTest::failOnWarning(QRegularExpression(u"^QMdiArea"_s)); }

    // Each value stands under its own headings; line by line through every
    // page the danger banner moves with its row, and the values with theirs.
    void the_table_reads_as_the_book_prints_it()
    {
        test::Rows_program program(kTable_rows);
        auto* table = Opened<frmGreen>(Open_distances_table);
        const QString isolate = u"Primero AISLAR a la Redonda"_s;
        const QString protect = u"Luego, PROTEJA a las Personas en la Dirección del Viento Durante"_s;
        const QStringList units{"Metros", "(Pies)", "Kms.", "(Millas)", "Kms.", "(Millas)"};
        const QList<QStringList> periods{{isolate}, {"DIA", protect}, {"NOCHE", protect}};  // a pair of columns each
        for (int column = SIM; column < Value_count; ++column) {
            const QLabel* value = Child<QLabel>(table, "lblValue", 2, column);
            QCOMPARE(value->text(), (column % 2 ? u"(1003.%1)"_s : u"1003.%1"_s).arg(column));
            QCOMPARE(Headings_over(value, table), QStringList{units[column % 6]} + periods[column % 6 / 2]
                         + QStringList{column < LIM ? "DERRAMES PEQUEÑOS" : "DERRAMES GRANDES"});
        }
        QCOMPARE(Bar(table)->maximum(), 30 - 15);
        for (int value = 0; value <= Bar(table)->maximum(); ++value) {
            Bar(table)->setValue(value);
            for (int index = 0; index < frmGreen::kRows; ++index) {
                const int id = 1001 + value + index;
                QCOMPARE(Child<QLabel>(table, "lblID", index)->text(), QString::number(id));
                const bool danger = kDanger.count(id) > 0;
                const QLabel* banner = Child<QLabel>(table, "lblDanger", index);
                QCOMPARE(Shown(banner) ? banner->text() : QString(), danger ? kBanner : QString());
                // The cells shown: number and name alone, or with every value (1010 with its note).
                QCOMPARE(Row_shown(table, index).count(u'|'), danger ? 1 : id == 1010 ? 8 : 13);
            }
        }

        // Odd rows, on one page: Table 3's gas (1010) keeps its small spill's
        // figures and reads the book's words once across the large spill's six
        // columns; 1012 gives figures in metric alone; 1013's name is longer
        // than its place.
        Bar(table)->setValue(9);
        QCOMPARE(Row_shown(table, 0), u"1010|Material 10 |1010.0|(1010.1)|1010.2|(1010.3)|1010.4|(1010.5)|"_s + kRefer);
        QVERIFY(!Shown(Child(table, "lblNote", 0, 0)));
        QCOMPARE(Span(Child(table, "lblNote", 0, 1), table),
                 std::make_pair(Span(Child(table, "lblValue", 0, LIM), table).first,
                                Span(Child(table, "lblValue", 0, LPNM), table).second));
        QCOMPARE(Row_shown(table, 2), u"1012|Material 12 |1012.0|(1012.1)|1012.2|(1012.3)|1012.4|(1012.5)|1012.6|"
                                      "(1012.7)|1012.8|()|1012.10|()"_s);

        const QLabel* name = Child<QLabel>(table, "lblMat", 3);
        QVERIFY(name->text().startsWith(u"Chlorosulphonic acid"_s) && name->text().endsWith(kOn_land));
        QVERIFY(name->heightForWidth(name->width()) <= name->height());
        QCOMPARE(name->toolTip(), u"Chlorosulphonic acid (with or without sulphur trioxide), technically pure and "
                                  "stabilized (cuando es derramado sobre la tierra)"_s);

        // A heading's explanation shows while the left button holds it down;
        // the diagram stays inside the rows' frame.
        using Press = std::tuple<const char*, Qt::MouseButton, const char*>;  // heading, button, what pops up
        for (const auto& [heading, button, tip] : {Press{"lblSmall", Qt::RightButton, "lblToolTip1"},
                 Press{"lblLarge", Qt::LeftButton, "lblToolTip2"}, Press{"lblLProtect", Qt::LeftButton, "picToolTip4"}}) {
            const QLabel* shown = Child<QLabel>(table, tip);
            QTest::mousePress(Child(table, heading), button, {}, QPoint(10, 5));
            QCOMPARE(Shown(shown), button == Qt::LeftButton);
            QVERIFY(!Shown(shown) || shown->text().startsWith(u"Muchos envases pequeños"_s)
                    || (!shown->pixmap().isNull() && Child(table, "frmData")->geometry().contains(shown->geometry())));
            QTest::mouseRelease(Child(table, heading), button, {}, QPoint(10, 5));
            QVERIFY(!Shown(shown));
        }
    }

    // The box a guide page opens finds the row its lookup names, whatever the
    // name holds, or shows the headings alone; made narrow, it is widened
    // back. It goes when the user turns to any other window, with its page,
    // or for a fresh box when the button is pressed again.
    void distances_box_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QString>("values");  // as shown; "": nothing found
        const QString weapon = u"(cuando es utilizado como una arma)"_s;
        const QString chlorine = u"60|(200)|0.3|(0.2)|1.5|(0.9)|"_s + kRefer;
        QTest::newRow("toxic itself") << "1017" << "Chlorine" << "" << chlorine;
        QTest::newRow("on land")
            << "1754" << "Chlorosulfonic acid" << kOn_land << "30|(100)|0.1|(0.1)|0.1|(0.1)|60|(200)|0.3|(0.2)|0.6|(0.4)";
        QTest::newRow("in water")
            << "1754" << "Chlorosulfonic acid" << kIn_water << "30|(100)|0.1|(0.1)|0.3|(0.2)|100|(300)|0.6|(0.4)|1.9|(1.2)";
        QTest::newRow("weapon") << "2810" << "Sarin" << weapon << "60|(200)|0.4|(0.3)|1.1|(0.7)|400|(1250)|2.1|(1.3)|4.9|(3.0)";
        QTest::newRow("apostrophes in water")
            << "1111" << "O'Brien's mix" << kIn_water << "30|(100)|0.1|(0.1)|0.4|(0.2)|60|(200)|0.2|(0.1)|1.0|(0.6)";
        QTest::newRow("a spill the book does not give") << "1017" << "Chlorine" << kIn_water << "";
        QTest::newRow("no lookup") << "" << "" << "" << "";
        for (const QString& turn : kTurns)
            QTest::newRow(qPrintable(turn)) << "1017" << "Chlorine" << "" << chlorine;
    }

    void distances_box()
    {
        QFETCH(QString, id);
        QFETCH(QString, name);
        QFETCH(QString, suffix);
        QFETCH(QString, values);
        const int turn = kTurns.indexOf(QString::fromUtf8(QTest::currentDataTag()));  // -1: the box stays
        test::Rows_program program(kRows);
        Install_distances_box();
        Open_distances_table();  // one more window behind the page
        frmGuidePage* page = Open_guide_page(u"124"_s);
        const QString lookup = id.isEmpty() ? QString() : sql::Distances_lookup(id, name, suffix);
        page->Show_distances(lookup);
        page->cmdIIPAD->click();
        QPointer<frmGreenBox> box = Find_child<frmGreenBox>();
        QVERIFY(box && Box_SQL == lookup && box->Found() == !values.isEmpty());
        QCOMPARE(Work_area()->activeSubWindow(), Child_frame<frmGreenBox>());
        QCOMPARE(box->windowTitle(), u"Tabla de distancias de aislamiento inicial y acción protectora"_s);
        QCOMPARE(Row_shown(box, 0), values.isEmpty() ? u"|"_s : id + u'|' + name + u' ' + suffix + u'|' + values);
        QVERIFY(Shown(Child(box, "lblSmall")) && Child<QLabel>(box, "lblUnit", SIM)->text() == u"Metros"_s);
        const int tall = box->height();
        Child_frame<frmGreenBox>()->resize(100, 900);
        QCoreApplication::processEvents();
        QCOMPARE(QList<bool>({box->width() >= twips(9000), box->height() == tall}), QList<bool>({true, true}));
        const QWidget* data = Child(box, "frmData");
        QVERIFY(data->geometry().bottom() < box->height() && Child(box, "lblMat", 0)->geometry().bottom() < data->height());
        if (turn < 0)
            return;
        QWidget other(Main_window(), Qt::Tool);
        if (turn == 0)
            Work_area()->setActiveSubWindow(Child_frame<frmGuidePage>());
        if (turn == 1) {
            other.show();
            other.activateWindow();
        }
        if (turn == 2)
            Child_frame<frmGuidePage>()->close();
        if (turn == 3)
            Open_guide_page(u"124"_s);
        if (turn == 4)
            page->cmdIIPAD->click();
        QTRY_VERIFY(box.isNull());
        QCOMPARE(Find_child<frmGreenBox>() != nullptr, turn == 4);
        // The page the user was reading stays in front of the other windows.
        if (turn < 2)
            QCOMPARE(Work_area()->subWindowList(QMdiArea::StackingOrder).last(), Child_frame<frmGuidePage>());
    }

    // Each gas of the book opens Table 3 with its heading at the top (unless
    // on the last page), its cells as its rows hold them.
    void table3_opens_at_each_gas_with_its_cells()
    {
        auto program = test::Rows_program::On_file(QStringLiteral(VEXO_BOOK));
        for (const QString id : {"1005", "1017", "1040", "1050", "2186", "1052", "1079"}) {
            // The gas's rows, from the container on.
            const QStringList expected = test::Query_rows(*Main_database, sql::Large_spills_of_SQL(id));
            QVERIFY2(!expected.isEmpty(), qPrintable(id));
            Open_table3(id);
            const auto* table = Find_child<frmTable3>();
            const int heading = Heading_line(table, id);  // -1 without a table
            QVERIFY2(heading == 0 || (heading > 0 && Bar(table)->value() == Bar(table)->maximum()), qPrintable(id));
            QVERIFY(heading + expected.size() < frmTable3::kRows);
            for (qsizetype k = 0; k < expected.size(); ++k)
                QCOMPARE(Line_shown(table, heading + 1 + static_cast<int>(k)), expected[k].section(u'|', 4));
            QVERIFY(Value(table, heading + 1, 1).startsWith(u'(') && !Value(table, heading + 1, 0).startsWith(u'('));
            QCOMPARE(Child<QLabel>(table, "lblBlock", heading)->palette().color(QPalette::Window), QColor(255, 255, 0));
            Close_child<frmTable3>();
        }

        Open_table3(QString());
        auto* table = Find_child<frmTable3>();
        // Six headings and 22 container lines.
        QCOMPARE(Bar(table)->maximum(), 28 - frmTable3::kRows);
        QCOMPARE(Heading_line(table, u"1005"_s), 0);
        QTest::keyClick(table, Qt::Key_PageDown);  // to the last page
        QCOMPARE(Heading_line(table, u"1079"_s), frmTable3::kRows - 5);
        QCOMPARE(Value(table, frmTable3::kRows - 4, 2), u"11.0+"_s);
    }

    // Without the table its entries and links are gone and the cells say
    // where the figures are, as the book does; an incomplete table makes the
    // database not valid. A link, in the table or the box, opens the gas's
    // rows (2186 shares 1050's).
    void table3_entries_follow_the_table_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<bool>("valid");
        const QString create = schema::Create_table_sql(*schema::Find_table(u"Large_spills"_s));
        QTest::newRow("with Table 3") << create + QStringLiteral(R"sql(
INSERT INTO Large_spills VALUES
  (2, 2, '1017', 'Chlorine', 'Carro tanque de ferrocarril', '1000', '3000', '9.6', '6.0', '6.3', '3.9', '5.1', '3.2', '11.0+', '7.0+', '8.9', '5.6', '6.5', '4.1'),
  (3, 3, '1050', 'Hydrogen chloride, anhydrous', 'Varios cilindros de una tonelada', '30', '100', '0.4', '0.3', '0.2', '0.1', '0.1', '0.1', '1.0', '0.6', '0.3', '0.2', '0.1', '0.1'),
  (4, 3, '2186', 'Hydrogen chloride, refrigerated liquid', 'Varios cilindros de una tonelada', '30', '100', '0.4', '0.3', '0.2', '0.1', '0.1', '0.1', '1.0', '0.6', '0.3', '0.2', '0.1', '0.1');
)sql") << true;
        QTest::newRow("without Table 3") << QString() << true;
        QTest::newRow("fields missing")
            << "CREATE TABLE Large_spills (Key INTEGER, ID TEXT); INSERT INTO Large_spills VALUES (1, '1017');" << false;
        QTest::newRow("no rows") << create << false;
    }

    void table3_entries_follow_the_table()
    {
        QFETCH(QString, table);
        QFETCH(bool, valid);
        test::Rows_program program(kRows + table);
        QCOMPARE(Main_form->valid_database(), valid);
        QCOMPARE(program.ui.texts(), valid ? QStringList() : QStringList{u"Este no es un base de datos válida.  Por "
                                                                         "favor especificar una base de datos válida."_s});
        if (!valid)
            return;
        const bool with_table = !table.isEmpty();
        frmContent* contents = Reopen_child<frmContent>();
        const auto* entry = contents->findChild<QLabel*>(u"lblTextLabel_%1"_s.arg(kContent_entries - 1));
        QCOMPARE(entry->text(), u"Tabla 3"_s);
        QCOMPARE(entry->isVisibleTo(contents), with_table);
        contents->lblTextLabel_Click(kContent_entries - 1);
        QCOMPARE(Find_child<frmTable3>() != nullptr, with_table);
        Close_child<frmTable3>();
        // The View menu's "Tabla 3" shows only beside the table, and opens it.
        Q_EMIT Main_form->findChild<QMenu*>(u"mnuView"_s)->aboutToShow();
        QAction* menu_entry = Main_form->findChild<QAction*>(u"mnuViewTable3"_s);
        QCOMPARE(menu_entry->isVisible(), with_table);
        menu_entry->trigger();
        QCOMPARE(Find_child<frmTable3>() != nullptr, with_table);
        Close_child<frmTable3>();

        // Eight records: one page without a scroll bar, the lines below empty.
        const auto* green = Opened<frmGreen>(Open_distances_table);
        QVERIFY(!Shown(Bar(green)));
        QCOMPARE(Row_shown(green, 7).count(u'|'), 13);
        for (int index = 8; index < frmGreen::kRows; ++index)  // no value shown either
            QVERIFY(!Shown(Child(green, "lblID", index)) && !Shown(Child(green, "lblMat", index))
                    && Row_shown(green, index).count(u'|') == 1);
        QStringList linked;
        for (int row = 0; row < frmGreen::kRows; ++row) {
            const QPushButton* link = green->findChild<QPushButton*>(u"cmdTable3_%1"_s.arg(row));
            if (link && Shown(link) && Shown(Child(green, "lblID", row)))
                linked << Child<QLabel>(green, "lblID", row)->text();
        }
        QCOMPARE(linked, with_table ? QStringList({"1005", "1017", "2186"}) : QStringList());
        const QLabel* note = Child<QLabel>(green, "lblNote", 0, 1);
        QCOMPARE(Shown(note) ? note->text() : QString(), with_table ? QString() : kRefer);
        Open_table3(u"1017"_s);
        QCOMPARE(Find_child<frmTable3>() != nullptr, with_table);
        if (!with_table)
            return;
        Close_child<frmTable3>();
        Child<QPushButton>(green, "cmdTable3", 5)->click();  // 2186's row
        const frmTable3* table3 = Find_child<frmTable3>();  // open at the gas: its first night figure
        QCOMPARE(table3 ? Value(table3, Heading_line(table3, u"2186"_s) + 1, 8) : QString(), u"1.0"_s);
        Close_child<frmTable3>();
        Box_SQL = sql::Distances_lookup(u"1017"_s, u"Chlorine"_s, QString());
        Child<QPushButton>(Opened<frmGreenBox>(Open_distances_box), "cmdTable3", 0)->click();
        table3 = Find_child<frmTable3>();
        QCOMPARE(table3 ? Value(table3, Heading_line(table3, u"1017"_s) + 1, 8) : QString(), u"11.0+"_s);
    }

    // Each row of the water list names its gases whole in the tool tip (a
    // narrow button ends in "…"); the gases button lists exactly their index
    // entries, not 1051, whose name only contains one.
    void water_list_as_opened()
    {
        test::Rows_program program(kRows);
        const auto* water = Opened<frmWater>(Open_water_list);
        QStringList rows;
        for (int index = 0; index < 3; ++index) {
            const auto* gases = Child<QPushButton>(water, "cmdProduct2", index);
            const auto* guide = Child<QPushButton>(water, "cmdGuide", index);
            QVERIFY(gases->toolTip().startsWith(gases->text().chopped(1)));
            const QLabel* id = Child<QLabel>(water, "lblID", index);
            rows << QStringList{id->text(), Tag(id), guide->text(), guide->toolTip(), gases->toolTip()}.join(u'|');
        }
        const QString guide = u"139|Sustancias que Reaccionan con Agua (Emiten Gases Tóxicos)|"_s;
        QCOMPARE(rows, (QStringList{"1111||" + guide + "Amoníaco (NH3)",
                           "1754|RIT|" + guide + "Cloruro de hidrógeno (HCl) y Fluoruro de hidrógeno (HF)",
                           "2988||" + guide + "Cloruro de hidrógeno (HCl), Fluoruro de hidrógeno (HF) y Cloro (Cl2)"}));
        QVERIFY(!Shown(Bar(water)));
        for (int index = 3; index < frmWater::kRows; ++index)
            QVERIFY(!Shown(Child(water, "cmdProduct2", index)) && !Shown(Child(water, "txtMat", index)));
        const QLabel* note = Child<QLabel>(water, "lblTitle4");
        QCOMPARE(note->text(), u"Use esta lista solamente cuando el material sea derramado en agua."_s);
        const QWidget* last = Child(water, "cmdGuide", 2);
        const int last_row = last->mapTo(water, QPoint(0, last->height())).y();
        QVERIFY(note->y() > last_row && note->y() - last_row < last->height() * 2);

        for (const auto& [index, ids] : {std::pair{2, "1017 1050 1052"}, std::pair{0, "1005"}}) {
            Child<QPushButton>(water, "cmdProduct2", index)->click();
            const frmPages* pages = Find_child<frmPages>();
            QCOMPARE(pages->windowTitle(), u"Buscar materiales tóxicos por inhalación, que se liberan de MRA cuando se "
                                           "derrama en el agua"_s);
            QVERIFY(Index_mode == 2 && Index_highlight == QColor(0, 255, 255));
            QCOMPARE(test::Ids(pages).join(u' '), QString::fromLatin1(ids));
        }
    }

    // A guide button asks where the spill is, collects the product (and in
    // water its gases) into the summary, warns, and opens the guide page.
    void water_guide_button_data()
    {
        QTest::addColumn<bool>("in_water");    // the answer to the spill question
        QTest::addColumn<QString>("suffix");   // "" : no distances button
        QTest::addColumn<QStringList>("summary");  // the product first
        QTest::addColumn<QString>("gases");    // named in the warning; "" : none
        const QString hcl_hf = u"Cloruro de hidrógeno (HCl) y Fluoruro de hidrógeno (HF)"_s;
        const QString hcl = u"Hydrogen chloride, anhydrous|1050|1|0"_s, hf = u"Hydrogen fluoride, anhydrous|1052|1|0"_s;
        const QString mix = u"O'Brien's mix|1111|"_s, acid = u"Chlorosulfonic acid|1754|"_s;
        const QString widget = u"Widget \"X\" compound|2988|"_s, ammonia = u"Ammonia, anhydrous|1005|1|0"_s;
        const QString chlorine = u"Chlorine|1017|1|0"_s;
        const QString three = u"Cloruro de hidrógeno (HCl), Fluoruro de hidrógeno (HF) y Cloro (Cl2)"_s;
        QTest::newRow("not toxic, on land") << false << "" << QStringList{mix + "0|1"} << "";
        QTest::newRow("not toxic, in water") << true << kIn_water << QStringList{mix + "1|1", ammonia} << "Amoníaco (NH3)";
        QTest::newRow("toxic, on land") << false << kOn_land << QStringList{acid + "0|1"} << "";
        QTest::newRow("toxic, in water") << true << kIn_water << QStringList{acid + "1|1", hcl, hf} << hcl_hf;
        QTest::newRow("three gases, in water") << true << kIn_water << QStringList{widget + "1|1", hcl, hf, chlorine} << three;
        QTest::newRow("three gases, on land") << false << "" << QStringList{widget + "0|1"} << "";
    }

    void water_guide_button()
    {
        QFETCH(bool, in_water);
        QFETCH(QString, suffix);
        QFETCH(QStringList, summary);
        QFETCH(QString, gases);
        const QString id = summary.first().section(u'|', 1, 1), name = summary.first().section(u'|', 0, 0);
        const int index = QStringList{"1111", "1754", "2988"}.indexOf(id);  // the product's row
        test::Rows_program program(kRows);
        Install_distances_box();
        const auto* water = Opened<frmWater>(Open_water_list);
        // The warning answered Yes (three gases) opens the summary as well.
        const bool see_summary = index == 2;
        program.ui.answers = {in_water ? Answer::Yes : Answer::No, see_summary ? Answer::Yes : Answer::No};
        Child<QLineEdit>(water, "txtMat", index)->clear();  // what the box shows does not count: the row does
        Child<QPushButton>(water, "cmdGuide", index)->click();

        QStringList expected{u"Material derramado|El producto se derramó en el agua?|%1"_s.arg(int(platform::Icon::Question))};
        if (!gases.isEmpty())
            expected << u"MATERIAL PELIGROSO QUE REACCIONA CON EL AGUA|"_s + test::Gas_warning(name, id, gases) + u'|'
                            + QString::number(int(platform::Icon::Exclamation));
        QStringList shown;
        for (const platform::Message& message : program.ui.shown)
            shown << message.title + u'|' + message.text + u'|' + QString::number(int(message.icon));
        QCOMPARE(shown, expected);
        QCOMPARE(test::Summary_rows(), summary);
        QVERIFY(!Summary_empty);
        QCOMPARE(Find_child<frmSummary>() != nullptr, see_summary && in_water);

        frmGuidePage* page = Find_child<frmGuidePage>();
        QVERIFY(page);
        QCOMPARE(page->lblNameProduct->text(), name + u", Número de identificación "_s + id);
        QCOMPARE(Shown(page->cmdIIPAD), !suffix.isEmpty());
        if (!suffix.isEmpty())
            QCOMPARE(test::Rows_of(Tag(page->cmdIIPAD), {u"Name_of_material"_s}), QStringList{name + u' ' + suffix});
        QCOMPARE(Tag(page->cmdPrint), suffix.isEmpty() ? QString() : u' ' + suffix);
    }
};

QTEST_MAIN(tst_Distances)
#include "tst_Distances.moc"
