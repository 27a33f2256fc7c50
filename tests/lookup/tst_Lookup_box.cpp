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

// The list, once something typed has made it.
QTreeWidget* List()
{
    return Main_form->findChild<QTreeWidget*>(QStringLiteral("lstLookup"));
}

bool List_hidden()
{
    return !List() || List()->isHidden();
}

// The list's rows, their texts joined by blanks.
QStringList Listed()
{
    QStringList rows;
    for (int i = 0; List() && i < List()->topLevelItemCount(); ++i) {
        QStringList texts;
        for (int column = 0; column < List()->columnCount(); ++column)
            texts << List()->topLevelItem(i)->text(column);
        texts.removeAll(QString());
        rows << texts.join(u' ');
    }
    return rows;
}

} // namespace

class tst_Lookup_box : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // What a text lists (how many match; each entry with its guide and
    // marks, a note after the list) and what Enter then opens, after the Down
    // (d), Up (u) and Escape (e) keys: one entry, a choice, an ID whose entries
    // read alike, nothing once cleared; never a guess between unlike entries.
    void typed_text_lists_entries_and_enter_opens_data()
    {
        QTest::addColumn<bool>("indexed");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("matches");
        QTest::addColumn<QStringList>("listed");  // a long list: its first rows and its note
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("opened");
        const QString acid = QStringLiteral("Hydrocyanic acid, aqueous solution");
        const QString cyanide = QStringLiteral("Hydrogen cyanide, aqueous solution");
        const QString acido = QStringLiteral("Ácido ñandú 100% [x]_y*");
        const QStringList nandu{"3048 " + acido + " 153 Q/B"};
        const QStringList both{"1613 " + acid + " 153 RIT", "1613 " + cyanide + " 153"};
        const QStringList acids = nandu + QStringList{"1754 Chlorosulfonic acid 139 RIT MRA", "1613 " + acid + " 153 RIT",
                                                      "1830 Sulfuric acid 153"};
        const QStringList ammonia{"1005 Ammonia, anhydrous 124 RIT"}, none{"Ningún material coincide con el texto"};
        const QString two_more = QStringLiteral("… y 2 más: escriba más para acotar la lista");
        const QString butane = QStringLiteral("1011 Butane 128"), poly = QStringLiteral("Formaldehyde solution");
        const QString agent = QStringLiteral("2810 %1 153 RIT Q/B");
        for (const bool indexed : {false, true}) {
            const auto row = [indexed](const char* name) -> QTestData& {  // for the scan or for the lookup index
                return QTest::newRow((QByteArray(name) + (indexed ? " (lookup index)" : "")).constData()) << indexed;
            };
            row("digits: IDs from the start") << "101" << 2 << QStringList{butane, "1017 Chlorine 124 RIT"} << "" << "";
            row("a name anywhere, any case") << "AMMONIA" << 1 << ammonia << "" << "Ammonia, anhydrous";
            row("words in any order") << "anhydrous ammonia" << 1 << ammonia << "" << "Ammonia, anhydrous";
            row("words, listed by name") << "  acid  " << 4 << acids << "" << "";
            row("accents ignored") << "acido nandu" << 1 << nandu << "" << acido;
            row("a quote") << "O'Brien" << 1 << QStringList{"1111 O'Brien's mix 128"} << "" << "O'Brien's mix";
            row("like characters are themselves") << "0% [x]_y*" << 1 << nandu << "" << acido;
            row("polymerizes") << "formaldehyde" << 1 << QStringList{"2209 " + poly + " 128P"} << "" << poly;
            row("no match") << "50%" << 0 << none << "d" << "";
            row("empty") << "" << 0 << QStringList() << "" << "";
            row("thousands of words") << QStringLiteral("ab cd ef gh ").repeated(1000) + "zz" << 0 << none << "" << "";
            row("unlike entries, no move") << "1613" << 2 << both << "" << "";
            row("unlike entries, down") << "1613" << 2 << both << "d" << acid;
            row("unlike entries, down twice") << "1613" << 2 << both << "dd" << cyanide;
            row("unlike entries, past the end") << "1613" << 2 << both << "ddddd" << cyanide;
            row("unlike entries, down and up again") << "1613" << 2 << both << "du" << "";
            row("Escape clears the box") << "1017" << 1 << QStringList{"1017 Chlorine 124 RIT"} << "e" << "";
            row("alike entries") << "2810" << 2 << QStringList{agent.arg("Buzz"), agent.arg("Sarin")} << "" << "Buzz";
            row("a name of one entry") << "butane" << 1 << QStringList{butane} << "" << "Butane";
            row("17 entries alike") << "3333" << 17 << QStringList{"3333 Polvo 1 128", two_more} << "" << "Polvo 1";
            row("17 entries, the last unlike") << "3334" << 17 << QStringList{"3334 Polvo 1 128", two_more} << "" << "";
        }
    }

    void typed_text_lists_entries_and_enter_opens()
    {
        QFETCH(bool, indexed);
        QFETCH(QString, typed);
        QFETCH(int, matches);
        QFETCH(QStringList, listed);
        QFETCH(QString, keys);
        QFETCH(QString, opened);
        auto world = test::Lookup_program(kRows.c_str());
        if (indexed) {  // what the builder adds to its file: the folded names and the search box's lookup index
            Add_folded_names(*Main_database);
            Add_lookup_index(*Main_database);
        }
        auto* box = Main_form->findChild<Lookup_box*>();
        box->setText(typed);
        QCOMPARE(box->Matches(), matches);
        QStringList shown = Listed();
        if (shown.size() > listed.size())
            shown = shown.mid(0, listed.size() - 1) << shown.last();
        QCOMPARE(shown, listed);
        QVERIFY(world->ui.shown.isEmpty());
        QCOMPARE(List_hidden(), typed.isEmpty());
        for (const QChar key : keys)
            QTest::keyClick(box, key == u'd' ? Qt::Key_Down : key == u'u' ? Qt::Key_Up : Qt::Key_Escape);
        QTest::keyClick(box, Qt::Key_Enter);
        const frmGuidePage* page = Find_child<frmGuidePage>();
        QCOMPARE(page != nullptr, !opened.isEmpty());
        QCOMPARE(List_hidden(), typed.isEmpty() || page || keys == u"e");
        if (page) {
            QVERIFY(page->lblNameProduct->text().startsWith(opened + ", "));
            QCOMPARE(test::Summary_rows().value(0).section(u'|', 0, 0), opened);
        }
    }

    // Ctrl+L and F3 bring the caret to the box. Typed and
    // Enter, or clicked in the list: the entry's guide with its distances;
    // the water question for a water-reactive entry.
    void keys_and_clicks_of_the_box()
    {
        test::Rows_program world(QString::fromStdString(kRows));
        world.ui.answers = {Answer::No};
        Main_form->resize(1024, 700);
        Main_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(Main_form));
        auto* box = Main_form->findChild<Lookup_box*>();
        QCOMPARE(box->placeholderText(), "Número ONU o nombre");
        for (const QKeySequence& keys : {QKeySequence(Qt::CTRL | Qt::Key_L), QKeySequence(Qt::Key_F3)}) {
            Work_area()->setFocus();
            QVERIFY(!box->hasFocus());
            QTest::keySequence(Main_form, keys);
            QTRY_VERIFY(box->hasFocus());
        }
        QTest::keyClicks(box, "1017");
        QTest::keyClick(box, Qt::Key_Return);
        frmGuidePage* page = Find_child<frmGuidePage>();
        QVERIFY(page);
        QCOMPARE(page->lblProduct->text(), "GASES TÓXICOS Y/O CORROSIVOS");
        QCOMPARE(test::Rows_of(Tag(page->cmdIIPAD), {"ID", "LP_Isolate_meters"}), QStringList{"1017|500"});

        box->setText("chlorosilanes");
        QTreeWidget* list = List();
        QVERIFY(list->isVisible());
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->topLevelItem(0)).center());
        QCOMPARE(world.ui.texts(), QStringList{"El producto se derramó en el agua?"});
        QVERIFY(Find_child<frmGuidePage>()->lblNameProduct->text().startsWith("Chlorosilanes"));
    }
};

QTEST_MAIN(tst_Lookup_box)
#include "tst_Lookup_box.moc"
