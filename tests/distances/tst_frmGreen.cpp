// The distances table as the reader sees it: each value under its own
// headings, the danger banner exactly on the rows without distances, paging
// to the last record, odd rows as the book prints them, and the banner's way
// to the water-reactive list.
#include "support/Rows_program.h"
#include "support/Widgets.h"

#include "app/Child_windows.h"
#include "app/General.h"
#include "data/Queries.h"
#include "distances/Distances.h"
#include "distances/frmGreen.h"
#include "distances/frmWater.h"

#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QtTest>

#include <set>

using namespace vexo;
using namespace Qt::StringLiterals;
using test::Child;
using test::Shown;

namespace {

// Rows 1001..1000+n, "Material NN " (the blank the table's names end with).
// Column c of row id holds "<id>.<c>", so a value in a wrong cell shows.
// Danger rows have no distances of their own.
QString Green_rows(int n, const std::set<int>& danger)
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

// 1020 is also in the water-reactive list, so its banner leads somewhere;
// 1010 is a gas of Table 3, 1012 an agent whose miles the book does not
// give, 1013 a name longer than its place.
QString Table_rows()
{
    return Green_rows(30, kDanger) + QStringLiteral(R"sql(
INSERT INTO Sentences VALUES (1, 'GUÍA 139', 5), (2, 'Sustancias que Reaccionan con Agua', 2);
INSERT INTO Guides_pages VALUES (1, 139, 1), (2, 139, 2);
INSERT INTO Yellow VALUES ('1020', 'Material 20', 139, 1, 1, NULL, 'W', NULL, NULL, NULL),
  ('1050', 'Hydrogen chloride, anhydrous', 139, 2, 2, 1, NULL, NULL, NULL, NULL);
INSERT INTO Water VALUES ('1020', 'Cloruro de hidrógeno (HCl)', '1050', 'Hydrogen chloride, anhydrous', '', '', '', '', '', '');
UPDATE Green SET LP_Isolate_meters = 'Consulte la Tabla 3', LP_Isolate_feets = 'Consulte la Tabla 3',
  LP_Protect_Day_km = 'Consulte la Tabla 3', LP_Protect_Day_miles = 'Consulte la Tabla 3',
  LP_Protect_Night_km = 'Consulte la Tabla 3', LP_Protect_Night_miles = 'Consulte la Tabla 3' WHERE ID = 1010;
UPDATE Green SET LP_Protect_Day_miles = '', LP_Protect_Night_miles = '' WHERE ID = 1012;
UPDATE Green SET Name_of_material = 'Chlorosulphonic acid (with or without sulphur trioxide), technically pure and stabilized (cuando es derramado sobre la tierra)' WHERE ID = 1013;
)sql");
}

frmGreen* Open_table()
{
    Open_distances_table();
    return Find_child<frmGreen>();
}

QScrollBar* Bar(const frmGreen* table)
{
    return Child<QScrollBar>(table, "vscData");
}

QLabel* Cell(const frmGreen* table, const char* name, int row, int column = -1)
{
    return column < 0 ? Child<QLabel>(table, name, row) : Child<QLabel>(table, name, row, column);
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
    QList<QLabel*> over;
    for (QLabel* label : Child(table, "frmTitle")->findChildren<QLabel*>()) {
        const auto span = Span(label, table);
        if (Shown(label) && label->width() > 0 && span.first <= under.first && under.second <= span.second
            && !label->text().isEmpty())
            over << label;
    }
    std::sort(over.begin(), over.end(), [](QLabel* a, QLabel* b) { return a->y() > b->y(); });
    QStringList read;
    for (QLabel* label : over)
        read << label->text();
    return read;
}

} // namespace

class tst_frmGreen : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void value_under_its_headings()
    {
        test::Rows_program program(Table_rows());
        frmGreen* table = Open_table();
        QCOMPARE(Cell(table, "lblID", 2)->text(), u"1003"_s);
        const QString isolate = u"Primero AISLAR a la Redonda"_s;
        const QString protect = u"Luego, PROTEJA a las Personas en la Dirección del Viento Durante"_s;
        const QStringList units{"Metros", "(Pies)", "Kms.", "(Millas)", "Kms.", "(Millas)"};
        const QList<QStringList> periods{{isolate}, {isolate}, {"DIA", protect}, {"DIA", protect},
                                         {"NOCHE", protect}, {"NOCHE", protect}};
        for (int column = SIM; column < Value_count; ++column) {
            const QLabel* value = Cell(table, "lblValue", 2, column);
            const QString shown = u"1003.%1"_s.arg(column);
            QCOMPARE(value->text(), column % 2 ? u'(' + shown + u')' : shown);
            QVERIFY(Shown(value));
            const QStringList expected = QStringList{units[column % 6]} + periods[column % 6]
                                       + QStringList{column < LIM ? "DERRAMES PEQUEÑOS" : "DERRAMES GRANDES"};
            QCOMPARE(Headings_over(value, table), expected);
        }
    }

    void banner_exactly_on_rows_without_distances()
    {
        test::Rows_program program(Table_rows());
        frmGreen* table = Open_table();
        QCOMPARE(Bar(table)->maximum(), 30 - 15);
        // Every page from the first to the last, by one line: the banner moves
        // with its row, and a row that becomes normal shows its values again.
        for (int value = 0; value <= Bar(table)->maximum(); ++value) {
            Bar(table)->setValue(value);
            for (int index = 0; index < frmGreen::kRows; ++index) {
                const int id = 1001 + value + index;
                QCOMPARE(Cell(table, "lblID", index)->text(), QString::number(id));
                const bool danger = kDanger.count(id) > 0;
                const QLabel* banner = Cell(table, "lblDanger", index);
                QVERIFY2(Shown(banner) == danger, qPrintable(u"banner of %1"_s.arg(id)));
                if (danger)
                    QCOMPARE(banner->text(),
                             u"PELIGROSO: Cuando se derrama en el agua, vea la lista al final de esta tabla"_s);
                for (int column = SIM; column < (id == 1010 ? LIM : Value_count); ++column)
                    QVERIFY2(Shown(Cell(table, "lblValue", index, column)) == !danger,
                             qPrintable(u"value %1 of %2"_s.arg(column).arg(id)));
            }
        }
    }

    void pages_end_on_the_last_record_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("maximum");  // -1: no scroll bar
        QTest::newRow("40 records") << 40 << 25;
        QTest::newRow("4 records, one page") << 4 << -1;
    }

    void pages_end_on_the_last_record()
    {
        QFETCH(int, records);
        QFETCH(int, maximum);
        test::Rows_program program(Green_rows(records, {}));
        frmGreen* table = Open_table();
        QCOMPARE(Shown(Bar(table)), maximum >= 0);
        if (maximum >= 0) {
            QCOMPARE(Bar(table)->maximum(), maximum);
            QTest::keyClick(table, Qt::Key_PageDown);
            QCOMPARE(Cell(table, "lblID", 0)->text(), u"1016"_s);
            QTest::keyClick(table, Qt::Key_End);
        }
        const int last = std::min(records, frmGreen::kRows) - 1;
        const QString id = QString::number(1000 + records);
        QCOMPARE(Cell(table, "lblID", last)->text(), id);
        QCOMPARE(Cell(table, "lblValue", last, SIM)->text(), id + u".0"_s);
        QCOMPARE(Cell(table, "lblMat", last)->toolTip(), u"Material %1 "_s.arg(records, 2, 10, QChar(u'0')));
        // The lines under the last record stay empty.
        for (int index = last + 1; index < frmGreen::kRows; ++index) {
            QVERIFY(!Shown(Cell(table, "lblID", index)) && !Shown(Cell(table, "lblMat", index)));
            for (int column = SIM; column < Value_count; ++column)
                QVERIFY(!Shown(Cell(table, "lblValue", index, column)));
        }
    }

    // Table 3's gas (1010), a figure given in metric alone (1012), a name
    // longer than its place (1013), all on one page.
    void odd_rows_read_as_the_book_prints_them()
    {
        test::Rows_program program(Table_rows());
        frmGreen* table = Open_table();
        Bar(table)->setValue(9);
        QCOMPARE(Cell(table, "lblID", 0)->text(), u"1010"_s);
        // The small spill keeps its figures; the large spill reads the book's
        // words once, across its six columns.
        QCOMPARE(Cell(table, "lblValue", 0, SPNM)->text(), u"(1010.5)"_s);
        QVERIFY(Shown(Cell(table, "lblValue", 0, SPNM)));
        QVERIFY(!Shown(Cell(table, "lblNote", 0, 0)));
        const QLabel* note = Cell(table, "lblNote", 0, 1);
        QVERIFY(Shown(note));
        QCOMPARE(note->text(), u"Consulte la Tabla 3"_s);
        QCOMPARE(Span(note, table), std::make_pair(Span(Cell(table, "lblValue", 0, LIM), table).first,
                                                   Span(Cell(table, "lblValue", 0, LPNM), table).second));
        for (int column = LIM; column < Value_count; ++column)
            QVERIFY(!Shown(Cell(table, "lblValue", 0, column)));
        QVERIFY(!Shown(Cell(table, "lblNote", 1, 1)));
        QVERIFY(Shown(Cell(table, "lblValue", 1, LIM)));

        QStringList metric_alone;
        for (int column : {LPDK, LPDM, LPNM, LIF})
            metric_alone << Cell(table, "lblValue", 2, column)->text();
        QCOMPARE(metric_alone, (QStringList{"1012.8", "()", "()", "(1012.7)"}));

        const QLabel* name = Cell(table, "lblMat", 3);
        QVERIFY(name->text().startsWith(u"Chlorosulphonic acid"_s));
        QVERIFY(name->text().endsWith(u"(cuando es derramado sobre la tierra)"_s));
        QVERIFY(name->heightForWidth(name->width()) <= name->height());
        QCOMPARE(name->toolTip(), u"Chlorosulphonic acid (with or without sulphur trioxide), technically pure and "
                                  "stabilized (cuando es derramado sobre la tierra)"_s);
    }

    void banner_opens_water_list_of_its_material()
    {
        test::Rows_program program(Table_rows());
        frmGreen* table = Open_table();
        Bar(table)->setValue(15);
        QCOMPARE(Cell(table, "lblID", 4)->text(), u"1020"_s);
        QTest::mouseClick(Cell(table, "lblDanger", 4), Qt::LeftButton);
        QCOMPARE(Water_SQL, sql::Water_one_SQL(u"1020"_s));
        frmWater* water = Find_child<frmWater>();
        QVERIFY(water);
        QCOMPARE(Child<QLabel>(water, "lblID", 0)->text(), u"1020"_s);
        QCOMPARE(Child<QLineEdit>(water, "txtMat", 0)->text(), u"Material 20"_s);
        QVERIFY(!Shown(Child(water, "vscData")));
        for (int index = 1; index < frmWater::kRows; ++index)
            QVERIFY(!Shown(Child(water, "cmdGuide", index)));
    }

    void headings_pop_up_with_left_button_only()
    {
        test::Rows_program program(Table_rows());
        frmGreen* table = Open_table();
        QTest::mousePress(Child(table, "lblSmall"), Qt::RightButton);
        QVERIFY(!Shown(Child(table, "lblToolTip1")));
        QTest::mouseRelease(Child(table, "lblSmall"), Qt::RightButton);
        QTest::mousePress(Child(table, "lblLarge"), Qt::LeftButton);
        QVERIFY(Shown(Child(table, "lblToolTip2")));
        QVERIFY(Child<QLabel>(table, "lblToolTip2")->text().startsWith(u"Muchos envases pequeños"_s));
        QTest::mouseRelease(Child(table, "lblLarge"), Qt::LeftButton);
        QVERIFY(!Shown(Child(table, "lblToolTip2")));

        const QLabel* diagram = Child<QLabel>(table, "picToolTip4");
        QTest::mousePress(Child(table, "lblLProtect"), Qt::LeftButton, {}, QPoint(10, 5));
        QVERIFY(Shown(diagram) && !diagram->pixmap().isNull());
        // The diagram stays inside the rows' frame.
        QVERIFY(Child(table, "frmData")->geometry().contains(diagram->geometry()));
        QTest::mouseRelease(Child(table, "lblLProtect"), Qt::LeftButton);
        QVERIFY(!Shown(diagram));
    }
};

QTEST_MAIN(tst_frmGreen)
#include "tst_frmGreen.moc"
