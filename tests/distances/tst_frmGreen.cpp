// The distances table as the reader sees it: each value under its own
// headings, the danger banner exactly on the rows without distances, paging
// to the last record, the Table 3 note, and the banner's way to the
// water-reactive list.
#include "Distances_program.h"

#include "app/Child_windows.h"
#include "app/General.h"
#include "data/Queries.h"
#include "distances/Distances.h"
#include "distances/frmGreen.h"
#include "distances/frmWater.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

#include <set>

using namespace vexo;

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
            values << (danger.count(id) ? QStringLiteral("''") : QStringLiteral("'%1.%2'").arg(id).arg(column));
        rows << QStringLiteral("(%1, 'Material %2 ', %3)").arg(id).arg(id % 100, 2, 10, QChar(u'0')).arg(values.join(
                    QStringLiteral(", ")));
    }
    return QStringLiteral("INSERT INTO Green VALUES ") + rows.join(QStringLiteral(",\n")) + u';';
}

// 1020 is also in the water-reactive list, so its banner leads somewhere.
const char* kWater_rows =
    "INSERT INTO Sentences VALUES (1, 'GUÍA 139', 5), (2, 'Sustancias que Reaccionan con Agua', 2);\n"
    "INSERT INTO Guides_pages VALUES (1, 139, 1), (2, 139, 2);\n"
    "INSERT INTO Yellow VALUES ('1020', 'Material 20', 139, 1, 1, NULL, 'W', NULL, NULL, NULL),\n"
    "  ('1050', 'Hydrogen chloride, anhydrous', 139, 2, 2, 1, NULL, NULL, NULL, NULL);\n"
    "INSERT INTO Water VALUES ('1020', 'Cloruro de hidrógeno (HCl)', '1050', 'Hydrogen chloride, anhydrous',"
    " '', '', '', '', '', '');\n";

const std::set<int> kDanger{1005, 1020, 1021};

QString Table_rows()
{
    return Green_rows(30, kDanger) + QString::fromUtf8(kWater_rows)
         // A gas of Table 3, and an agent whose miles the book does not give.
         + QStringLiteral(
               "UPDATE Green SET LP_Isolate_meters = 'Consulte la Tabla 3', LP_Isolate_feets = 'Consulte la Tabla 3',"
               " LP_Protect_Day_km = 'Consulte la Tabla 3', LP_Protect_Day_miles = 'Consulte la Tabla 3',"
               " LP_Protect_Night_km = 'Consulte la Tabla 3', LP_Protect_Night_miles = 'Consulte la Tabla 3'"
               " WHERE ID = 1010;\n"
               "UPDATE Green SET LP_Protect_Day_miles = '', LP_Protect_Night_miles = '' WHERE ID = 1012;\n"
               "UPDATE Green SET Name_of_material = 'Chlorosulphonic acid (with or without sulphur trioxide), "
               "technically pure and stabilized (cuando es derramado sobre la tierra)' WHERE ID = 1013;\n");
}

frmGreen* Open_table()
{
    Open_distances_table();
    return Find_child<frmGreen>();
}

// Where a widget stands across the window.
std::pair<int, int> Span(const QWidget* widget, const QWidget* window)
{
    const int left = widget->mapTo(window, QPoint(0, 0)).x();
    return {left, left + widget->width()};
}

bool Within(std::pair<int, int> inner, std::pair<int, int> outer)
{
    return inner.first >= outer.first && inner.second <= outer.second;
}

bool Shown(const QWidget* widget)
{
    return widget->isVisibleTo(widget->window());
}

} // namespace

class tst_frmGreen : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void value_under_its_headings_data();
    void value_under_its_headings();
    void banner_exactly_on_rows_without_distances();
    void last_page_ends_on_last_record();
    void short_table_has_no_scroll_bar();
    void table_3_gases_read_once_across_large_spill();
    void missing_imperial_value_shows_empty_parentheses();
    void long_name_keeps_its_spill_condition();
    void banner_opens_water_list_of_its_material();
    void headings_pop_up_with_left_button_only();
};

void tst_frmGreen::value_under_its_headings_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("group");
    QTest::addColumn<QString>("period");  // "" for isolation
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("shown");   // for record 1003
    const QString small = QStringLiteral("DERRAMES PEQUEÑOS"), large = QStringLiteral("DERRAMES GRANDES");
    QTest::newRow("small isolate metres") << int(SIM) << small << "" << "Metros" << "1003.0";
    QTest::newRow("small isolate feet") << int(SIF) << small << "" << "(Pies)" << "(1003.1)";
    QTest::newRow("small day km") << int(SPDK) << small << "DIA" << "Kms." << "1003.2";
    QTest::newRow("small day miles") << int(SPDM) << small << "DIA" << "(Millas)" << "(1003.3)";
    QTest::newRow("small night km") << int(SPNK) << small << "NOCHE" << "Kms." << "1003.4";
    QTest::newRow("small night miles") << int(SPNM) << small << "NOCHE" << "(Millas)" << "(1003.5)";
    QTest::newRow("large isolate metres") << int(LIM) << large << "" << "Metros" << "1003.6";
    QTest::newRow("large isolate feet") << int(LIF) << large << "" << "(Pies)" << "(1003.7)";
    QTest::newRow("large day km") << int(LPDK) << large << "DIA" << "Kms." << "1003.8";
    QTest::newRow("large day miles") << int(LPDM) << large << "DIA" << "(Millas)" << "(1003.9)";
    QTest::newRow("large night km") << int(LPNK) << large << "NOCHE" << "Kms." << "1003.10";
    QTest::newRow("large night miles") << int(LPNM) << large << "NOCHE" << "(Millas)" << "(1003.11)";
}

void tst_frmGreen::value_under_its_headings()
{
    QFETCH(int, column);
    QFETCH(QString, group);
    QFETCH(QString, period);
    QFETCH(QString, unit);
    QFETCH(QString, shown);
    test::Distances_program program(Table_rows());
    frmGreen* table = Open_table();
    QVERIFY(table);
    const Distance_row& row = table->rows[2];  // record 1003
    QCOMPARE(row.lblID->text(), QStringLiteral("1003"));
    QCOMPARE(row.values[column]->text(), shown);
    QVERIFY(Shown(row.values[column]));

    // Read upwards from the cell: unit, period, group; every one stands over it.
    const auto cell = Span(row.values[column], table);
    QList<QLabel*> over;
    for (QLabel* label : table->frmTitle->findChildren<QLabel*>())
        if (Shown(label) && Within(cell, Span(label, table)) && label->width() > 0)
            over << label;
    std::sort(over.begin(), over.end(), [](QLabel* a, QLabel* b) { return a->y() > b->y(); });
    QStringList read;
    for (QLabel* label : over)
        if (!label->text().isEmpty())
            read << label->text();
    QStringList expected{unit};
    if (period.isEmpty())
        expected << QStringLiteral("Primero AISLAR a la Redonda");
    else
        expected << period << QStringLiteral("Luego, PROTEJA a las Personas en la Dirección del Viento Durante");
    expected << group;
    QCOMPARE(read, expected);
}

void tst_frmGreen::banner_exactly_on_rows_without_distances()
{
    test::Distances_program program(Table_rows());
    frmGreen* table = Open_table();
    QCOMPARE(table->vscData->maximum(), 30 - 15);
    // Every page from the first to the last, by one line: the banner moves
    // with its row, and a row that becomes normal shows its values again.
    for (int value = 0; value <= table->vscData->maximum(); ++value) {
        table->vscData->setValue(value);
        for (int index = 0; index < frmGreen::kRows; ++index) {
            const int id = 1001 + value + index;
            const Distance_row& row = table->rows[static_cast<size_t>(index)];
            QCOMPARE(row.lblID->text(), QString::number(id));
            const bool danger = kDanger.count(id) > 0;
            QVERIFY2(Shown(row.lblDanger) == danger, qPrintable(QStringLiteral("banner of %1").arg(id)));
            if (danger)
                QCOMPARE(row.lblDanger->text(),
                         QStringLiteral("PELIGROSO: Cuando se derrama en el agua, vea la lista al final de esta tabla"));
            for (int column = SIM; column < Value_count; ++column)
                if (id != 1010 || column < LIM)
                    QVERIFY2(Shown(row.values[column]) == !danger,
                             qPrintable(QStringLiteral("value %1 of %2").arg(column).arg(id)));
        }
    }
}

void tst_frmGreen::last_page_ends_on_last_record()
{
    test::Distances_program program(Green_rows(40, {}));
    frmGreen* table = Open_table();
    QVERIFY(Shown(table->vscData));
    QCOMPARE(table->vscData->maximum(), 25);
    QCOMPARE(table->vscData->pageStep(), 15);
    table->vscData->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(table->rows[0].lblID->text(), QStringLiteral("1016"));
    table->vscData->setValue(table->vscData->maximum());
    QCOMPARE(table->rows[14].lblID->text(), QStringLiteral("1040"));
    QCOMPARE(table->rows[14].values[SIM]->text(), QStringLiteral("1040.0"));
    QCOMPARE(table->rows[14].lblMat->toolTip(), QStringLiteral("Material 40 "));
}

void tst_frmGreen::short_table_has_no_scroll_bar()
{
    test::Distances_program program(Green_rows(4, {1002}));
    frmGreen* table = Open_table();
    QVERIFY(!Shown(table->vscData));
    QVERIFY(Shown(table->rows[1].lblDanger));
    QCOMPARE(table->rows[3].lblID->text(), QStringLiteral("1004"));
    for (int index = 4; index < frmGreen::kRows; ++index) {
        const Distance_row& row = table->rows[static_cast<size_t>(index)];
        QVERIFY(!Shown(row.lblID) && !Shown(row.lblMat) && !Shown(row.lblDanger));
        for (QLabel* cell : row.values)
            QVERIFY(!Shown(cell));
    }
}

void tst_frmGreen::table_3_gases_read_once_across_large_spill()
{
    test::Distances_program program(Table_rows());
    frmGreen* table = Open_table();
    table->vscData->setValue(9);
    const Distance_row& row = table->rows[0];
    QCOMPARE(row.lblID->text(), QStringLiteral("1010"));
    // The small spill keeps its figures; the large spill reads the book's
    // words once, across its six columns.
    QCOMPARE(row.values[SPNM]->text(), QStringLiteral("(1010.5)"));
    QVERIFY(Shown(row.values[SPNM]));
    QVERIFY(!Shown(row.notes[0]));
    QVERIFY(Shown(row.notes[1]));
    QCOMPARE(row.notes[1]->text(), QStringLiteral("Consulte la Tabla 3"));
    QCOMPARE(Span(row.notes[1], table), std::make_pair(Span(row.values[LIM], table).first,
                                                        Span(row.values[LPNM], table).second));
    for (int column = LIM; column < Value_count; ++column)
        QVERIFY(!Shown(row.values[column]));
    // The next row has figures in both groups again.
    const Distance_row& next = table->rows[1];
    QVERIFY(!Shown(next.notes[1]));
    QVERIFY(Shown(next.values[LIM]));
}

void tst_frmGreen::missing_imperial_value_shows_empty_parentheses()
{
    test::Distances_program program(Table_rows());
    frmGreen* table = Open_table();
    table->vscData->setValue(11);
    const Distance_row& row = table->rows[0];
    QCOMPARE(row.lblID->text(), QStringLiteral("1012"));
    QCOMPARE(row.values[LPDK]->text(), QStringLiteral("1012.8"));
    QCOMPARE(row.values[LPDM]->text(), QStringLiteral("()"));
    QCOMPARE(row.values[LPNM]->text(), QStringLiteral("()"));
    QCOMPARE(row.values[LIF]->text(), QStringLiteral("(1012.7)"));
}

void tst_frmGreen::long_name_keeps_its_spill_condition()
{
    test::Distances_program program(Table_rows());
    frmGreen* table = Open_table();
    table->vscData->setValue(12);
    const QLabel* name = table->rows[0].lblMat;
    QCOMPARE(table->rows[0].lblID->text(), QStringLiteral("1013"));
    QVERIFY(name->text().startsWith(QStringLiteral("Chlorosulphonic acid")));
    QVERIFY(name->text().endsWith(QStringLiteral("(cuando es derramado sobre la tierra)")));
    QVERIFY(name->heightForWidth(name->width()) <= name->height());
    QCOMPARE(name->toolTip(), QStringLiteral("Chlorosulphonic acid (with or without sulphur trioxide), technically "
                                             "pure and stabilized (cuando es derramado sobre la tierra)"));
}

void tst_frmGreen::banner_opens_water_list_of_its_material()
{
    test::Distances_program program(Table_rows());
    frmGreen* table = Open_table();
    table->vscData->setValue(15);
    const Distance_row& row = table->rows[4];
    QCOMPARE(row.lblID->text(), QStringLiteral("1020"));
    QTest::mouseClick(row.lblDanger, Qt::LeftButton);
    QCOMPARE(Water_SQL, sql::Water_one_SQL(QStringLiteral("1020")));
    frmWater* water = Find_child<frmWater>();
    QVERIFY(water);
    QCOMPARE(water->lblID[0]->text(), QStringLiteral("1020"));
    QCOMPARE(water->txtMat[0]->text(), QStringLiteral("Material 20"));
    QVERIFY(!Shown(water->vscData));
    for (int index = 1; index < frmWater::kRows; ++index)
        QVERIFY(!Shown(water->cmdGuide[static_cast<size_t>(index)]));
}

void tst_frmGreen::headings_pop_up_with_left_button_only()
{
    test::Distances_program program(Table_rows());
    frmGreen* table = Open_table();
    Distances_heading* title = table->frmTitle;
    QTest::mousePress(title->lblSmall, Qt::RightButton);
    QVERIFY(!Shown(title->lblToolTip1));
    QTest::mouseRelease(title->lblSmall, Qt::RightButton);
    QTest::mousePress(title->lblLarge, Qt::LeftButton);
    QVERIFY(Shown(title->lblToolTip2));
    QVERIFY(title->lblToolTip2->text().startsWith(QStringLiteral("Muchos envases pequeños")));
    QTest::mouseRelease(title->lblLarge, Qt::LeftButton);
    QVERIFY(!Shown(title->lblToolTip2));

    QTest::mousePress(title->lblLProtect, Qt::LeftButton, {}, QPoint(10, 5));
    QVERIFY(Shown(table->picToolTip4));
    QVERIFY(!table->picToolTip4->pixmap().isNull());
    // The diagram stays inside the rows' frame.
    const QRect data(table->frmData->pos(), table->frmData->size());
    QVERIFY(data.contains(table->picToolTip4->geometry()));
    QTest::mouseRelease(title->lblLProtect, Qt::LeftButton);
    QVERIFY(!Shown(table->picToolTip4));
}

QTEST_MAIN(tst_frmGreen)
#include "tst_frmGreen.moc"
