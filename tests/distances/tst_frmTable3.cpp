// Table 3: every gas's cells by container as the committed source holds
// them, the page each opening starts at, the one-click links of the distances
// table and box, and databases without the table or with it incomplete.
#include "support/Rows_program.h"
#include "support/Widgets.h"

#include "app/Child_windows.h"
#include "app/General.h"
#include "app/frmMain.h"
#include "contents/frmContent.h"
#include "data/Csv.h"
#include "data/Queries.h"
#include "data/Schema.h"
#include "distances/Distances.h"
#include "distances/frmGreen.h"
#include "distances/frmGreenBox.h"
#include "distances/frmTable3.h"

#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

using namespace vexo;
using namespace Qt::StringLiterals;
using test::Child;

namespace {

const QString kNot_valid =
    u"Este no es un base de datos válida.  Por favor especificar una base de datos válida."_s;

QString Table3_rows()
{
    return schema::Create_table_sql(*schema::Find_table(u"Large_spills"_s))
         + QStringLiteral(R"sql(
INSERT INTO Large_spills VALUES
  (1, 1, '1005', 'Ammonia, anhydrous', 'Carro tanque de ferrocarril', '300', '1000', '1.6', '1.0', '1.2', '0.8',
   '1.0', '0.6', '4.1', '2.6', '2.1', '1.3', '1.3', '0.8'),
  (2, 2, '1017', 'Chlorine', 'Carro tanque de ferrocarril', '1000', '3000', '9.6', '6.0', '6.3', '3.9', '5.1',
   '3.2', '11.0+', '7.0+', '8.9', '5.6', '6.5', '4.1'),
  (3, 3, '1050', 'Hydrogen chloride, anhydrous', 'Varios cilindros de una tonelada', '30', '100', '0.4', '0.3',
   '0.2', '0.1', '0.1', '0.1', '1.0', '0.6', '0.3', '0.2', '0.1', '0.1'),
  (4, 3, '2186', 'Hydrogen chloride, refrigerated liquid', 'Varios cilindros de una tonelada', '30', '100', '0.4',
   '0.3', '0.2', '0.1', '0.1', '0.1', '1.0', '0.6', '0.3', '0.2', '0.1', '0.1');
)sql");
}

QString Green_rows()
{
    const QString refer = QStringList(6, u"'Consulte la Tabla 3'"_s).join(u',');
    return QStringLiteral(R"sql(
INSERT INTO Sentences VALUES (1, 'GUÍA 124', 5), (2, 'Gases Tóxicos y/o Corrosivos', 2);
INSERT INTO Guides_pages VALUES (1, 124, 1), (2, 124, 2);
INSERT INTO Yellow VALUES ('1017', 'Chlorine', 124, 1, 1, 1, NULL, NULL, NULL, NULL);
INSERT INTO Water VALUES ('2977', 'Fluoruro de hidrógeno (HF)', '1052', 'Hydrogen fluoride', '', '', '', '', '', '');
INSERT INTO Green VALUES
  (1005, 'Ammonia, anhydrous ', '30', '100', '0.1', '0.1', '0.2', '0.1', %1),
  (1017, 'Chlorine ', '60', '200', '0.3', '0.2', '1.5', '0.9', %1),
  (1076, 'Phosgene ', '100', '300', '0.6', '0.4', '2.5', '1.6', '500', '1500', '3.0', '1.9', '9.5', '5.9'),
  (2186, 'Hydrogen chloride, refrigerated liquid ', '30', '100', '0.1', '0.1', '0.3', '0.2', %1);
)sql").arg(refer);
}

// The committed rows of Table 3: per gas, its containers with their cells as shown.
QMap<QString, QList<QStringList>> Committed_rows()
{
    QFile file(QStringLiteral(VEXO_SOURCE_DIR "/resources/database/Large_spills.csv"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const csv::Parsed parsed = csv::Parse(QString::fromUtf8(file.readAll()));
    QMap<QString, QList<QStringList>> rows;
    for (size_t r = 1; r < parsed.rows.size(); ++r) {
        const QStringList& f = parsed.rows[r].fields;
        QStringList shown{f[4]};
        for (int column = 0; column < 14; ++column)
            shown << (column % 2 ? u'(' + f[5 + column] + u')' : f[5 + column]);
        rows[f[2]] << shown;
    }
    return rows;
}

// The page line that shows the gas's heading, or -1.
int Heading_line(const frmTable3* table, const QString& id)
{
    for (int index = 0; index < frmTable3::kRows; ++index) {
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

QStringList Line_cells(const frmTable3* table, int line)
{
    QStringList cells{Child<QLabel>(table, "lblContainer", line)->text()};
    for (int column = 0; column < 14; ++column)
        cells << Value(table, line, column);
    return cells;
}

QScrollBar* Bar(const frmTable3* table)
{
    return Child<QScrollBar>(table, "vscData");
}

} // namespace

class tst_frmTable3 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Each gas opens with its heading at the top of the page (unless it is on
    // the last page), its containers' cells as the committed source holds
    // them; the keys page through the whole table.
    void default_database_opens_at_each_gas_with_its_cells()
    {
        const auto committed = Committed_rows();
        auto program = test::Rows_program::On_file(QStringLiteral(VEXO_BIN_DIR "/guide2ks.mdb"));
        for (const QString id : {"1005", "1017", "1040", "1050", "2186", "1052", "1079"}) {
            const QList<QStringList> expected = committed.value(id);
            QVERIFY2(!expected.isEmpty(), qPrintable(id));
            Open_table3(id);
            frmTable3* table = Find_child<frmTable3>();
            QVERIFY(table);
            const int heading = Heading_line(table, id);
            QVERIFY2(heading == 0 || (heading > 0 && Bar(table)->value() == Bar(table)->maximum()), qPrintable(id));
            QVERIFY(heading + expected.size() < frmTable3::kRows);
            for (qsizetype k = 0; k < expected.size(); ++k)
                QCOMPARE(Line_cells(table, heading + 1 + static_cast<int>(k)), expected[k]);
            QCOMPARE(Child<QLabel>(table, "lblBlock", heading)->palette().color(QPalette::Window), QColor(255, 255, 0));
            Close_child<frmTable3>();
        }

        Open_table3(QString());
        frmTable3* table = Find_child<frmTable3>();
        // Six headings and 22 container lines.
        QCOMPARE(Bar(table)->maximum(), 28 - frmTable3::kRows);
        QCOMPARE(Heading_line(table, u"1005"_s), 0);
        QTest::keyClick(table, Qt::Key_PageDown);
        QCOMPARE(Bar(table)->value(), Bar(table)->maximum());
        QCOMPARE(Heading_line(table, u"1079"_s), frmTable3::kRows - 5);
        QCOMPARE(Value(table, frmTable3::kRows - 4, 2), u"11.0+"_s);
        QTest::keyClick(table, Qt::Key_Up);
        QCOMPARE(Bar(table)->value(), Bar(table)->maximum() - 1);
        QTest::keyClick(table, Qt::Key_Home);
        QCOMPARE(Heading_line(table, u"1005"_s), 0);
    }

    // From the distances table (only the rows Table 1 sends to Table 3 carry
    // the link) and from the distances box, one click opens the gas's rows.
    void each_table3_cell_opens_its_gas_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("night_low_km");  // first container's
        QTest::newRow("1005") << "1005" << "Ammonia, anhydrous" << "4.1";
        QTest::newRow("1017") << "1017" << "Chlorine" << "11.0+";
        QTest::newRow("2186 shares 1050's rows") << "2186" << "Hydrogen chloride, refrigerated liquid" << "1.0";
    }

    void each_table3_cell_opens_its_gas()
    {
        QFETCH(QString, id);
        QFETCH(QString, name);
        QFETCH(QString, night_low_km);
        test::Rows_program program(Green_rows() + Table3_rows());
        const auto opened_at_gas = [&] {
            frmTable3* table = Find_child<frmTable3>();
            const int heading = table ? Heading_line(table, id) : -1;
            return heading >= 0 && Value(table, heading + 1, 8) == night_low_km;
        };
        Open_distances_table();
        frmGreen* green = Find_child<frmGreen>();
        int shown = 0;
        for (int row = 0; row < frmGreen::kRows; ++row) {
            const QLabel* row_id = Child<QLabel>(green, "lblID", row);
            if (row_id->isHidden())
                continue;
            const bool referred = row_id->text() != "1076"_L1;
            QCOMPARE(test::Shown(Child(green, "cmdTable3", row)), referred);
            QVERIFY(!test::Shown(Child(green, "lblNote", row, 1)));
            shown += referred;
            if (row_id->text() == id)
                Child<QPushButton>(green, "cmdTable3", row)->click();
        }
        QCOMPARE(shown, 3);
        QVERIFY(opened_at_gas());

        Close_child<frmTable3>();
        Box_SQL = sql::Distances_lookup(id, name, QString());
        Open_distances_box();
        frmGreenBox* box = Find_child<frmGreenBox>();
        QVERIFY(box && test::Shown(Child(box, "cmdTable3", 0)));
        Child<QPushButton>(box, "cmdTable3", 0)->click();
        QVERIFY(opened_at_gas());
    }

    // Without the table its menu entry, contents entry and links are gone,
    // and the cells say where the figures are, as the book does; a table
    // that is there but incomplete makes the database not valid.
    void entries_follow_the_table_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<bool>("valid");
        QTest::newRow("with Table 3") << Table3_rows() << true;
        QTest::newRow("without Table 3") << QString() << true;
        QTest::newRow("a field missing")
            << "CREATE TABLE Large_spills (Key INTEGER, Block INTEGER, ID TEXT, Name_of_material TEXT, Container TEXT);\n"
               "INSERT INTO Large_spills VALUES (1, 1, '1017', 'Chlorine', 'Carro tanque de ferrocarril');\n"
            << false;
        QTest::newRow("no rows") << schema::Create_table_sql(*schema::Find_table(u"Large_spills"_s)) << false;
    }

    void entries_follow_the_table()
    {
        QFETCH(QString, table);
        QFETCH(bool, valid);
        test::Rows_program program(Green_rows() + table);
        QCOMPARE(Main_form->valid_database(), valid);
        QCOMPARE(program.ui.texts(), valid ? QStringList() : QStringList{kNot_valid});
        if (!valid)
            return;
        const bool with_table = !table.isEmpty();
        Q_EMIT Main_form->findChild<QMenu*>(u"mnuView"_s)->aboutToShow();
        QCOMPARE(Main_form->findChild<QAction*>(u"mnuViewTable3"_s)->isVisible(), with_table);
        Reopen_child<frmContent>();
        frmContent* contents = Find_child<frmContent>();
        QVERIFY(contents);
        const auto* entry = contents->findChild<QLabel*>(u"lblTextLabel_%1"_s.arg(kContent_entries - 1));
        QCOMPARE(entry->text(), u"Tabla 3"_s);
        QCOMPARE(entry->isVisibleTo(contents), with_table);
        contents->lblTextLabel_Click(kContent_entries - 1);
        QCOMPARE(Find_child<frmTable3>() != nullptr, with_table);
        Close_child<frmTable3>();

        Open_distances_table();
        const frmGreen* green = Find_child<frmGreen>();
        const QPushButton* link = green->findChild<QPushButton*>(u"cmdTable3_0"_s);
        QCOMPARE(link && test::Shown(link), with_table);
        QCOMPARE(test::Shown(Child(green, "lblNote", 0, 1)), !with_table);
        QCOMPARE(Child<QLabel>(green, "lblNote", 0, 1)->text(), u"Consulte la Tabla 3"_s);
        Open_table3(u"1017"_s);
        QCOMPARE(Find_child<frmTable3>() != nullptr, with_table);
    }
};

QTEST_MAIN(tst_frmTable3)
#include "tst_frmTable3.moc"
