// The toolbar's search box on a small index: what each text lists, what
// Enter opens (and what it must not open), and the keys of the box.
#include "Lookup_fixture.h"

#include "app/Child_windows.h"
#include "app/Row_cells.h"
#include "data/Database_builder.h"
#include "guides/Guide_page.h"
#include "guides/frmGuidePage.h"
#include "lookup/Lookup_box.h"

#include <QLabel>
#include <QMdiArea>
#include <QPushButton>
#include <QToolBar>
#include <QTreeWidget>
#include <QtTest>

using namespace vexo;
using platform::Answer;

namespace {

// An ID whose two entries differ in their marks, so neither may be guessed;
// two IDs of more entries than the list shows, alike but for the last of 3334.
const std::string kRows = std::string(test::kIndex_rows) + R"sql(
INSERT INTO Yellow VALUES
  ('1613', 'Hydrocyanic acid, aqueous solution', 153, 9.5, 11.5, 1, NULL, NULL, NULL, NULL),
  ('1613', 'Hydrogen cyanide, aqueous solution', 153, 9.6, 12.5, NULL, NULL, NULL, NULL, NULL),
  ('1011', 'Butane', 128, 2.5, 3.5, NULL, NULL, NULL, NULL, NULL);
INSERT INTO Yellow WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 17)
  SELECT id, 'Polvo ' || i, 128, k + i, k + 50 + i, CASE WHEN id = '3334' AND i = 17 THEN 1 END, NULL, NULL, NULL,
  NULL FROM n, (SELECT '3333' AS id, 100 AS k UNION ALL SELECT '3334', 200);
)sql";

// The program over kRows; `indexed` adds to its file what the builder
// writes: the folded names and the search box's lookup index.
std::unique_ptr<test::Rows_program> Program(bool indexed)
{
    auto world = test::Lookup_program(kRows.c_str());
    if (indexed) {
        Add_folded_names(*Main_database);
        Add_lookup_index(*Main_database);
    }
    return world;
}

// A row of test data, for the scan or for the lookup index.
QTestData& Row(const char* name, bool indexed)
{
    return QTest::newRow((QByteArray(name) + (indexed ? " (lookup index)" : "")).constData()) << indexed;
}

Lookup_box* Box()
{
    return Main_form->findChild<Lookup_box*>();
}

QTreeWidget* List()
{
    return Main_form->findChild<QTreeWidget*>(QStringLiteral("lstLookup"));
}

QStringList Listed(const Lookup_box* box)
{
    QStringList rows;
    for (const Index_entry& entry : box->Entries())
        rows << entry.id + u' ' + entry.name;
    return rows;
}

} // namespace

class tst_Lookup_box : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void typed_text_lists_entries_data()
    {
        QTest::addColumn<bool>("indexed");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QStringList>("listed");
        for (const bool indexed : {false, true}) {
            const auto row = [indexed](const char* name) -> QTestData& { return Row(name, indexed); };
            row("digits: IDs from their start, in ID order")
                << "101" << QStringList{"1011 Butane", "1017 Chlorine"};
            row("a name anywhere, any case") << "AMMONIA" << QStringList{"1005 Ammonia, anhydrous"};
            row("words in any order") << "anhydrous ammonia" << QStringList{"1005 Ammonia, anhydrous"};
            row("words, listed by name")
                << "  acid  " << QStringList{"3048 Ácido ñandú 100% [x]_y*", "1754 Chlorosulfonic acid",
                                             "1613 Hydrocyanic acid, aqueous solution", "1830 Sulfuric acid"};
            row("accents ignored") << "acido nandu" << QStringList{"3048 Ácido ñandú 100% [x]_y*"};
            row("a quote") << "O'Brien" << QStringList{"1111 O'Brien's mix"};
            row("a double quote") << "5\"" << QStringList{"2222 Shell 5\" caliber"};
            row("percent is itself") << "0%" << QStringList{"3048 Ácido ñandú 100% [x]_y*"};
            row("brackets are themselves") << "[x]" << QStringList{"3048 Ácido ñandú 100% [x]_y*"};
            row("underscore and star are themselves") << "_y*" << QStringList{"3048 Ácido ñandú 100% [x]_y*"};
            row("no match") << "50%" << QStringList{};
            row("empty") << "" << QStringList{};
            row("very long") << QString(10000, u'x') << QStringList{};
            row("thousands of words") << QStringLiteral("ab cd ef gh ").repeated(1000) + "zz" << QStringList{};
        }
    }

    void typed_text_lists_entries()
    {
        QFETCH(bool, indexed);
        QFETCH(QString, typed);
        QFETCH(QStringList, listed);
        auto world = Program(indexed);
        Lookup_box* box = Box();
        box->setText(typed);
        QCOMPARE(Listed(box), listed);
        QVERIFY(world->ui.shown.isEmpty());
        QCOMPARE(List()->isHidden(), typed.isEmpty());
    }

    void list_shows_marks_and_how_many_more_data()
    {
        QTest::addColumn<bool>("indexed");
        QTest::newRow("scan") << false;
        QTest::newRow("lookup index") << true;
    }

    void list_shows_marks_and_how_many_more()
    {
        QFETCH(bool, indexed);
        auto world = Program(indexed);
        Lookup_box* box = Box();
        QTreeWidget* list = List();
        box->setText("e");
        QCOMPARE(box->Matches(), 16);
        QCOMPARE(list->topLevelItemCount(), Lookup_box::kShown + 1);
        QVERIFY(list->topLevelItem(Lookup_box::kShown)->text(0).contains("1 más"));
        box->setText("1");
        QCOMPARE(box->Matches(), Lookup_box::kShown);
        QCOMPARE(list->topLevelItemCount(), Lookup_box::kShown);
        // 1754: RIT and MRA, its guide; 2209 polymerizes.
        QStringList rows;
        for (int i = 0; i < Lookup_box::kShown; ++i) {
            const QTreeWidgetItem* item = list->topLevelItem(i);
            if (!item->text(3).isEmpty() || !item->text(4).isEmpty() || item->text(2).endsWith('P'))
                rows << QStringList{item->text(0), item->text(2), item->text(3), item->text(4)}.join('|');
        }
        QCOMPARE(rows, (QStringList{"1005|124|RIT|", "1017|124|RIT|", "1050|124|RIT|", "1613|153|RIT|",
                                    "1754|139|RIT|MRA"}));
        box->setText("2");
        QVERIFY(Listed(box).contains("2209 Formaldehyde solution"));
        QCOMPARE(List()->topLevelItem(Listed(box).indexOf("2209 Formaldehyde solution"))->text(2), "128P");
        QCOMPARE(List()->topLevelItem(Listed(box).indexOf("2810 Sarin"))->text(4), "Q/B");
    }

    void enter_on_a_complete_id_opens_its_guide()
    {
        auto world = test::Lookup_program(kRows.c_str());
        Lookup_box* box = Box();
        QTest::keyClicks(box, "1017");
        QTest::keyClick(box, Qt::Key_Return);
        QVERIFY(List()->isHidden());
        frmGuidePage* page = Find_child<frmGuidePage>();
        QVERIFY(page);
        QCOMPARE(page->lblProduct->text(), "GASES TÓXICOS Y/O CORROSIVOS");
        QCOMPARE(page->lblNameProduct->text(), "Chlorine, Número de identificación 1017");
        QVERIFY(!page->cmdIIPAD->isHidden());
        auto row = Main_database->OpenRecordset(Tag(page->cmdIIPAD));
        QCOMPARE(row->RecordCount(), 1);
        QCOMPARE(row->Field("ID"), "1017");
        QCOMPARE(row->Field("LP_Isolate_meters"), "500");
        auto stored = Main_database->OpenRecordset("SELECT * FROM Summary");
        QCOMPARE(stored->RecordCount(), 1);
        QCOMPARE(stored->Field("Name"), "Chlorine");
        QVERIFY(!Summary_empty);

        // An ID whose entries read alike opens its first one.
        box->clear();
        QTest::keyClicks(box, "2810");
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(Find_child<frmGuidePage>()->lblNameProduct->text(), "Buzz, Número de identificación 2810");
    }

    void enter_on_an_id_of_unlike_entries_waits_for_a_choice_data()
    {
        QTest::addColumn<bool>("indexed");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("downs");
        QTest::addColumn<int>("ups");
        QTest::addColumn<QString>("opened");
        for (const bool indexed : {false, true}) {
            const auto row = [indexed](const char* name) -> QTestData& { return Row(name, indexed); };
            row("1613, no move") << "1613" << 0 << 0 << "";
            row("1613, down") << "1613" << 1 << 0 << "Hydrocyanic acid, aqueous solution";
            row("1613, down twice") << "1613" << 2 << 0 << "Hydrogen cyanide, aqueous solution";
            row("1613, past the end") << "1613" << 5 << 0 << "Hydrogen cyanide, aqueous solution";
            row("1613, down and up again") << "1613" << 1 << 1 << "";
            row("a prefix, no move") << "101" << 0 << 0 << "";
            row("a name of one entry") << "butane" << 0 << 0 << "Butane";
            row("17 entries alike") << "3333" << 0 << 0 << "Polvo 1";
            row("17 entries, the last unlike") << "3334" << 0 << 0 << "";
        }
    }

    void enter_on_an_id_of_unlike_entries_waits_for_a_choice()
    {
        QFETCH(QString, typed);
        QFETCH(int, downs);
        QFETCH(int, ups);
        QFETCH(QString, opened);
        QFETCH(bool, indexed);
        auto world = Program(indexed);
        Lookup_box* box = Box();
        QTest::keyClicks(box, typed);
        for (int i = 0; i < downs; ++i)
            QTest::keyClick(box, Qt::Key_Down);
        for (int i = 0; i < ups; ++i)
            QTest::keyClick(box, Qt::Key_Up);
        QTest::keyClick(box, Qt::Key_Enter);
        frmGuidePage* page = Find_child<frmGuidePage>();
        if (opened.isEmpty()) {
            QVERIFY(!page);
            QVERIFY(!List()->isHidden());
            return;
        }
        QVERIFY(page);
        QVERIFY(page->lblNameProduct->text().startsWith(opened + ", "));
    }

    void water_reactive_entry_asks_the_water_question()
    {
        auto world = test::Lookup_program(kRows.c_str());
        world->ui.answers = {Answer::No};
        Main_form->resize(1024, 700);
        Main_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(Main_form));
        Lookup_box* box = Box();
        box->setText("chlorosilanes");
        // A click on the entry opens it as Enter does.
        QTreeWidget* list = List();
        QVERIFY(list->isVisible());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(0)).center());
        QCOMPARE(world->ui.texts(), QStringList{"El producto se derramó en el agua?"});
        QVERIFY(Find_child<frmGuidePage>());
    }

    void escape_clears_and_keys_reach_the_box()
    {
        auto world = test::Lookup_program(kRows.c_str());
        Main_form->resize(1024, 700);
        Main_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(Main_form));
        Lookup_box* box = Box();
        QVERIFY(box->isVisible());
        QCOMPARE(box->placeholderText(), "Número ONU o nombre");
        QTest::keyClicks(box, "1017");
        QTest::keyClick(box, Qt::Key_Escape);
        QCOMPARE(box->text(), QString());
        QVERIFY(List()->isHidden());

        for (const QKeySequence& keys : {QKeySequence(Qt::CTRL | Qt::Key_L), QKeySequence(Qt::Key_F3)}) {
            Work_area()->setFocus();
            QVERIFY(!box->hasFocus());
            QTest::keySequence(Main_form, keys);
            QTRY_VERIFY(box->hasFocus());
        }
        // The 22 buttons stay, and the box follows the last one.
        const QList<QAction*> toolbar = Main_window()->findChild<QToolBar*>(QStringLiteral("tbToolBar"))->actions();
        QCOMPARE(toolbar.indexOf(Main_window()->findChild<QAction*>(QStringLiteral("tbWelcome"))), 21);
    }
};


QTEST_MAIN(tst_Lookup_box)
#include "tst_Lookup_box.moc"
