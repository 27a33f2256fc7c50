// The distances box: the lookup the guide page carries finds the row it
// names, whatever the name holds; a lookup that finds nothing leaves the
// headings alone; the box goes when the user turns to any other window, and
// with the guide page that opened it.
#include "support/Rows_program.h"
#include "support/Widgets.h"

#include "app/Child_windows.h"
#include "app/General.h"
#include "data/Queries.h"
#include "distances/Distances.h"
#include "distances/frmGreenBox.h"
#include "guides/Guide_page.h"
#include "guides/frmGuidePage.h"
#include "platform/Twips.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QtTest>

using namespace vexo;
using namespace Qt::StringLiterals;
using test::Child;
using test::Shown;

namespace {

// char(34) is a double quote, in the names that hold one.
const QString kRows = QStringLiteral(R"sql(
INSERT INTO Sentences VALUES (1, 'GUÍA 124', 5), (2, 'Gases Tóxicos y/o Corrosivos', 2);
INSERT INTO Guides_pages VALUES (1, 124, 1), (2, 124, 2);
INSERT INTO Yellow VALUES ('1017', 'Chlorine', 124, 1, 1, 1, NULL, NULL, NULL, NULL);
INSERT INTO Green VALUES
  (1017, 'Chlorine ', '60', '200', '0.3', '0.2', '1.5', '0.9', 'Consulte la Tabla 3', 'Consulte la Tabla 3', 'Consulte la Tabla 3', 'Consulte la Tabla 3', 'Consulte la Tabla 3', 'Consulte la Tabla 3'),
  (1754, 'Chlorosulfonic acid (cuando es derramado sobre la tierra)', '30', '100', '0.1', '0.1', '0.1', '0.1', '60', '200', '0.3', '0.2', '0.6', '0.4'),
  (1754, 'Chlorosulfonic acid (cuando es derramado en el agua)', '30', '100', '0.1', '0.1', '0.3', '0.2', '100', '300', '0.6', '0.4', '1.9', '1.2'),
  (2810, 'Sarin (cuando es utilizado como una arma)', '60', '200', '0.4', '0.3', '1.1', '0.7', '400', '1250', '2.1', '1.3', '4.9', '3.0'),
  (2222, 'Shell 5' || char(34) || ' caliber ', '30', '100', '0.2', '0.1', '0.9', '0.6', '150', '500', '1.0', '0.6', '3.4', '2.1'),
  (1111, 'O''Brien''s mix (cuando es derramado en el agua)', '30', '100', '0.1', '0.1', '0.4', '0.2', '60', '200', '0.2', '0.1', '1.0', '0.6');
)sql");

frmGreenBox* Box_for(const QString& lookup)
{
    Box_SQL = lookup;
    Open_distances_box();
    return Find_child<frmGreenBox>();
}

QLabel* Cell(const frmGreenBox* box, const char* name, int column = -1)
{
    return column < 0 ? Child<QLabel>(box, name, 0) : Child<QLabel>(box, name, 0, column);
}

} // namespace

class tst_frmGreenBox : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lookup_finds_its_row_data()
    {
        QTest::addColumn<QString>("id");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QString>("night_km");   // small spill, night
        QTest::addColumn<QString>("day_miles");  // large spill, day
        QTest::newRow("toxic itself") << "1017" << "Chlorine" << "" << "1.5" << "";
        QTest::newRow("on land") << "1754" << "Chlorosulfonic acid" << "(cuando es derramado sobre la tierra)" << "0.1"
                                 << "(0.2)";
        QTest::newRow("in water") << "1754" << "Chlorosulfonic acid" << "(cuando es derramado en el agua)" << "0.3"
                                  << "(0.4)";
        QTest::newRow("weapon") << "2810" << "Sarin" << "(cuando es utilizado como una arma)" << "1.1" << "(1.3)";
        QTest::newRow("double quote") << "2222" << "Shell 5\" caliber" << "" << "0.9" << "(0.6)";
        QTest::newRow("apostrophes in water") << "1111" << "O'Brien's mix" << "(cuando es derramado en el agua)" << "0.4"
                                              << "(0.1)";
    }

    void lookup_finds_its_row()
    {
        QFETCH(QString, id);
        QFETCH(QString, name);
        QFETCH(QString, suffix);
        QFETCH(QString, night_km);
        QFETCH(QString, day_miles);
        test::Rows_program program(kRows);
        frmGreenBox* box = Box_for(sql::Distances_lookup(id, name, suffix));
        QVERIFY(box);
        QVERIFY(box->Found());
        QCOMPARE(Cell(box, "lblID")->text(), id);
        QCOMPARE(Cell(box, "lblMat")->text(), name + u' ' + suffix);
        QCOMPARE(Cell(box, "lblValue", SPNK)->text(), night_km);
        QVERIFY(Shown(Cell(box, "lblValue", SPNK)));
        // Chlorine's large spill is in the book's Table 3.
        QCOMPARE(Shown(Cell(box, "lblNote", 1)), day_miles.isEmpty());
        QCOMPARE(Shown(Cell(box, "lblValue", LPDM)), !day_miles.isEmpty());
        QCOMPARE(Cell(box, day_miles.isEmpty() ? "lblNote" : "lblValue", day_miles.isEmpty() ? 1 : LPDM)->text(),
                 day_miles.isEmpty() ? u"Consulte la Tabla 3"_s : day_miles);
        QCOMPARE(box->windowTitle(), u"Tabla de distancias de aislamiento inicial y acción protectora"_s);
    }

    void lookup_that_finds_nothing_shows_headings_only()
    {
        test::Rows_program program(kRows);
        for (const QString& lookup : {sql::Distances_lookup(u"1017"_s, u"Chlorine"_s,
                                                            u"(cuando es derramado en el agua)"_s),
                                      QString()}) {
            frmGreenBox* box = Box_for(lookup);
            QVERIFY(box);
            QVERIFY(!box->Found());
            QCOMPARE(Cell(box, "lblID")->text(), QString());
            QCOMPARE(Cell(box, "lblMat")->text(), QString());
            for (int column = SIM; column < Value_count; ++column)
                QVERIFY(!Shown(Cell(box, "lblValue", column)));
            QVERIFY(Shown(Child(box, "lblSmall")));
            QCOMPARE(Child<QLabel>(box, "lblUnit", SIM)->text(), u"Metros"_s);
        }
    }

    // The guide page's button opens the box over the page's lookup; the box
    // goes when the user turns to any other window, with its page, or for
    // a fresh box when the button is pressed again.
    void box_goes_when_the_user_turns_away_data()
    {
        QTest::addColumn<int>("turn");
        QTest::newRow("to the guide page") << 0;
        QTest::newRow("to a window of its own, as the find dialog or a message box") << 1;
        QTest::newRow("its guide page closed") << 2;
        QTest::newRow("its guide page rebuilt for another product") << 3;
        QTest::newRow("its button pressed again") << 4;
    }

    void box_goes_when_the_user_turns_away()
    {
        QFETCH(int, turn);
        test::Rows_program program(kRows);
        Install_distances_box();
        Open_distances_table();  // one more window behind the page
        frmGuidePage* page = Open_guide_page(u"124"_s);
        const QString lookup = sql::Distances_lookup(u"1017"_s, u"Chlorine"_s, QString());
        page->Show_distances(lookup);
        QVERIFY(Shown(page->cmdIIPAD));
        page->cmdIIPAD->click();
        QCOMPARE(Box_SQL, lookup);
        QPointer<frmGreenBox> box = Find_child<frmGreenBox>();
        QVERIFY(box);
        QCOMPARE(Cell(box, "lblValue", SIF)->text(), u"(200)"_s);
        QCOMPARE(Work_area()->activeSubWindow(), Child_frame<frmGreenBox>());
        QWidget other(Main_window(), Qt::Tool);
        switch (turn) {
        case 0:
            Work_area()->setActiveSubWindow(Child_frame<frmGuidePage>());
            break;
        case 1:
            other.show();
            other.activateWindow();
            break;
        case 2:
            Child_frame<frmGuidePage>()->close();
            break;
        case 3:
            Open_guide_page(u"124"_s);
            break;
        default:
            page->cmdIIPAD->click();
            break;
        }
        QTRY_VERIFY(box.isNull());
        int boxes = 0;
        for (QMdiSubWindow* sub : Work_area()->subWindowList())
            boxes += qobject_cast<frmGreenBox*>(sub->widget()) != nullptr;
        QCOMPARE(boxes, turn == 4 ? 1 : 0);
        // The page the user was reading stays in front of the other windows.
        if (turn < 2)
            QCOMPARE(Work_area()->subWindowList(QMdiArea::StackingOrder).last(), Child_frame<frmGuidePage>());
    }

    void narrow_box_is_widened_back()
    {
        test::Rows_program program(kRows);
        frmGreenBox* box = Box_for(sql::Distances_lookup(u"1017"_s, u"Chlorine"_s, QString()));
        const int tall = box->height();
        Child_frame<frmGreenBox>()->resize(100, 900);
        QCoreApplication::processEvents();
        QVERIFY(box->width() >= twips(9000));
        QCOMPARE(box->height(), tall);
        // The row fits under the headings, with the content's margin below.
        const QWidget* data = Child(box, "frmData");
        QVERIFY(data->geometry().bottom() < box->height());
        QVERIFY(Cell(box, "lblMat")->geometry().bottom() < data->height());
    }
};

QTEST_MAIN(tst_frmGreenBox)
#include "tst_frmGreenBox.moc"
