// The index pages and the find dialog over them, on a small index and on the
// default database: the rows and their marks, the guide buttons, searching.
#include "Lookup_fixture.h"

#include "app/Child_windows.h"
#include "app/Row_cells.h"
#include "distances/Distances.h"
#include "distances/frmWater.h"
#include "guides/frmGuidePage.h"
#include "lookup/frmFind.h"
#include "summary/Summary_store.h"
#include "summary/frmSummary.h"
#include "support/Widgets.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QtTest>

using namespace vexo;
using platform::Answer;
using test::Gas_warning;
using test::Ids;
using test::Summary_rows;

namespace {
// The rows shown, "ID marks guide": "1754 RIT|MRA 139" for a row with both
// marks, "1090 | 128" for a row with none.
QStringList Page(const frmPages* pages)
{
    const auto shown = [](const QLabel* label) { return label->isHidden() ? QString() : label->text(); };
    QStringList rows;
    for (int i = 0; i < frmPages::kRows; ++i)
        if (!pages->lblID[i]->isHidden())
            rows << pages->lblID[i]->text() + u' ' + shown(pages->lblReaction[i]) + u'|' + shown(pages->lblDWRM[i])
                        + u' ' + pages->cmdGuide[i]->text();
    return rows;
}

// An index (0 by number, 1 by name, 2 chemical agents) as its option shows
// it: its first ID, then its last page.
struct Index_case {
    int mode;
    QString caption;
    QColor highlight;
    QString count, first;
    QStringList last_page;
};

// An entry's guide button, clicked `clicks` times: the answers given, the
// messages, the Green name the distances button finds ("" no button) and the
// summary's rows; `book`: an entry of the default database.
struct Guide_case {
    QString id, name;
    QList<Answer> answers;
    QStringList messages;
    QString distances;
    QStringList stored;
    int clicks = 1;
    bool book = false;
};

// A search: the IDs, the name, how it matches (0 contains, 1 is, 2 starts
// with), the order (0 by ID, 1 by name), the IDs found; the guide typed, the
// message, and whether it is refused, the page left as it was.
struct Search_case {
    QStringList ids;
    QString name;
    int match, order;
    QStringList found;
    QString guide = {}, message = {};
    bool refused = false;
};

// The guides the fixture's entries refer to run from 124 to 153.
const QString kRange = QStringLiteral("Las entradas de las páginas de Guía válidas son de la 124 a la 153.");

// The count as both windows write it.
QString Count_text(qsizetype found)
{
    return found == 0 ? QStringLiteral("Nada similar encontrado")
        : found == 1  ? QStringLiteral("1 similar")
                      : QStringLiteral("%1 similares").arg(found);
}

// The long lists drawn before they are counted.
enum Long_list { Index_list, Find_list, Water_list, Find_before_count };

} // namespace

class tst_Index_pages : public QObject {
    Q_OBJECT
    std::unique_ptr<test::Rows_program> world_;
    frmPages* pages_ = nullptr;
    frmFind* find_ = nullptr;

    // The index by number with the find dialog over it.
    void Open_both()
    {
        Open_index_by_number();
        pages_ = Find_child<frmPages>();
        find_ = Open_find();
    }

    void Start_on_the_book()
    {
        world_.reset();
        world_ = test::Rows_program::On_file(QStringLiteral(VEXO_BOOK));
    }

private Q_SLOTS:
    void init() { world_ = test::Lookup_program(); }
    void cleanup() { world_.reset(); }

    void each_index_down_to_its_last_page_data()
    {
        QTest::addColumn<Index_case>("index");
        QTest::newRow("numeric") << Index_case{0, "Indice numérico", QColor(255, 255, 0), "19 similares", "----",
            {"1090 | 128", "1111 | 128", "1203 | 128", "1230 | 128", "1294 | 128", "1754 RIT|MRA 139", "1830 | 153",
             "1993 | 128", "2209 | 128P", "2222 | 128", "2810 RIT|Q/B 153", "2810 RIT|Q/B 153", "2988 |MRA 139",
             "3048 |Q/B 153", "1307 | 128"}};
        QTest::newRow("alphabetical") << Index_case{1, "Indice alfabético", QColor(0, 255, 255), "19 similares", "1090",
            {"1017 RIT| 124", "2988 |MRA 139", "1754 RIT|MRA 139", "1993 | 128", "---- | 128", "2209 | 128P",
             "1203 | 128", "1050 RIT| 124", "1230 | 128", "1111 | 128", "2810 RIT|Q/B 153", "2222 | 128", "1830 | 153",
             "1294 | 128", "1307 | 128"}};
        // Fewer than a page: the last page is the first, with no scroll bar.
        QTest::newRow("chemical agents") << Index_case{2, "Indice de Arma Quimica", QColor(255, 255, 0), "3 similares",
            "2810", {"2810 RIT|Q/B 153", "2810 RIT|Q/B 153", "3048 |Q/B 153"}};
    }

    void each_index_down_to_its_last_page()
    {
        QFETCH(Index_case, index);
        const auto& [mode, caption, highlight, count, first, last_page] = index;
        const auto at_top = [&](const frmPages* pages) {
            return pages->vscData->value() == 0 && !pages->cmdFirst->isEnabled() && Ids(pages).first() == first;
        };
        // Switched to in place from another index, scrolled down.
        mode == 1 ? Open_index_by_number() : Open_index_by_name();
        frmPages* pages = Find_child<frmPages>();
        pages->vscData->setValue(3);
        QRadioButton* options[] = {pages->optYellow, pages->optBlue, pages->optChem};
        options[mode]->click();
        QCOMPARE(Find_child<frmPages>(), pages);
        QCOMPARE(pages->windowTitle(), caption);
        QCOMPARE(pages->lblNbrMatch->text(), count);
        QVERIFY(at_top(pages));
        QCOMPARE(pages->txtMaterial[0]->x() < pages->lblID[0]->x(), mode == 1);  // the order's columns

        const bool paged = last_page.size() == frmPages::kRows;
        QCOMPARE(pages->vscData->isHidden(), !paged);
        pages->vscData->setValue(pages->vscData->maximum());
        QCOMPARE(Page(pages), last_page);
        QCOMPARE(pages->cmdFirst->isEnabled(), paged);
        for (int i = 0; i < last_page.size(); ++i) {
            const QColor expected = last_page[i].contains(QLatin1String(" | ")) ? White : highlight;
            QCOMPARE(Background(pages->lblID[i]), expected);
            QCOMPARE(Background(pages->txtMaterial[i]), expected);
        }
        for (int i = last_page.size(); i < frmPages::kRows; ++i)
            QVERIFY(pages->txtMaterial[i]->isHidden() && pages->cmdGuide[i]->isHidden() && pages->lblDWRM[i]->isHidden());

        pages->cmdFirst_Click();
        QVERIFY(at_top(pages));
    }

    void guide_button_data()
    {
        QTest::addColumn<Guide_case>("guide");
        const auto row = [](const char* what, const Guide_case& guide) { QTest::newRow(what) << guide; };
        const QString question = QStringLiteral("El producto se derramó en el agua?");
        const QString land = QStringLiteral(" (cuando es derramado sobre la tierra)");
        const QString water = QStringLiteral(" (cuando es derramado en el agua)");
        const QString acid = QStringLiteral("Chlorosulfonic acid");
        const QString silanes = QStringLiteral("Chlorosilanes, water-reactive");
        const QString gas = QStringLiteral("Hydrogen chloride, anhydrous|1050|1|0");
        const QString hcl = QStringLiteral("Cloruro de hidrógeno (HCl)");
        const QStringList two_gases{question, Gas_warning(acid, "1754", hcl + " y Ácido sulfúrico (H2SO4)")};
        const QStringList acid_in_water{acid + "|1754|1|1", gas, "Sulfuric acid|1830|1|0"};
        const QString ammonia = QStringLiteral("Ammonia, anhydrous|1005|0|1");
        const Answer yes = Answer::Yes, no = Answer::No;
        row("inhalation hazard", {"1017", "Chlorine", {}, {}, "Chlorine ", {"Chlorine|1017|0|1"}});
        row("agent", {"2810", "Sarin", {}, {}, "Sarin (cuando es utilizado como una arma)", {"Sarin|2810|0|1"}});
        row("no mark", {"1090", "Acetone", {}, {}, "", {"Acetone|1090|0|1"}});
        row("the same row twice is stored twice", {"1005", "Ammonia, anhydrous", {}, {}, "Ammonia, anhydrous ",
                                                   {ammonia, ammonia}, 2});
        row("water-reactive and toxic, on land", {"1754", acid, {no}, {question}, acid + land, {acid + "|1754|0|1"}});
        row("water-reactive and toxic, in water", {"1754", acid, {yes, no}, two_gases, acid + water, acid_in_water});
        row("in water, the summary opened", {"1754", acid, {yes, yes}, two_gases, acid + water, acid_in_water});
        row("water-reactive only, on land", {"2988", silanes, {no}, {question}, "", {silanes + "|2988|0|1"}});
        row("water-reactive only, in water, one gas", {"2988", silanes, {yes, no},
            {question, Gas_warning(silanes, "2988", hcl)}, silanes + water, {silanes + "|2988|1|1", gas}});
        row("polymerization", {"2209", "Formaldehyde solution", {}, {"ADVERTENCIA: Este material tiende a presentar "
            "peligro de polimerización."}, "", {"Formaldehyde solution|2209|0|1"}});
        // A Spanish name leads to the guide, the distances and the water
        // question of the English entry it stands for.
        row("the book, a Spanish name", {"1017", "Cloro", {}, {}, "Cloro ", {"Cloro|1017|0|1"}, 1, true});
        const QString acido = QStringLiteral("Ácido clorosulfónico (con o sin trióxido de azufre)");
        row("the book, a Spanish name, in water", {"1754", acido, {yes, no},
            {question, Gas_warning(acido, "1754", hcl)}, acido + water,
            {acido + "|1754|1|1", "Cloruro de hidrógeno anhidro|1050|1|0"}, 1, true});
    }

    void guide_button()
    {
        QFETCH(Guide_case, guide);
        const auto& [id, name, answers, messages, distances, stored, clicks, book] = guide;
        if (book) {
            Start_on_the_book();
            Clear_summary();  // the copy holds what was collected on the default database
        }
        world_->ui.answers = answers;
        Open_index_by_number();
        frmPages* pages = Find_child<frmPages>();
        const int row = test::Show_entry(pages, id + u'|' + name);
        QVERIFY(row >= 0);
        QVERIFY(!pages->cmdReport->isEnabled());

        pages->txtMaterial[row]->clear(); // what the box shows does not count: the row does
        for (int i = 0; i < clicks; ++i)
            pages->cmdGuide[row]->click();
        QCOMPARE(world_->ui.texts(), messages);
        QCOMPARE(Summary_rows(), stored);
        const frmSummary* summary = Find_child<frmSummary>();
        QCOMPARE(summary != nullptr, answers.size() == 2 && answers[1] == Answer::Yes);
        QVERIFY(pages->cmdReport->isEnabled());

        frmGuidePage* page = Find_child<frmGuidePage>();
        QVERIFY(page);
        QCOMPARE(page->lblNameProduct->text(), name + ", Número de identificación " + id);
        const QString lookup = Tag(page->cmdIIPAD), qualifier = Tag(page->cmdPrint);
        QCOMPARE(lookup.isEmpty() ? QStringList() : test::Rows_of(lookup, {"Name_of_material"}),
                 distances.isEmpty() ? QStringList() : QStringList{distances});
        QCOMPARE(qualifier, distances.isEmpty() ? QString() : " " + distances.mid(name.size() + 1));

        // The summary's button on the row stored first opens the same page
        // and distances, from its own row, and collects nothing more.
        Open_summary();
        summary = Find_child<frmSummary>();
        test::Child<QLineEdit>(summary, "txtMat", 0)->clear();
        test::Child<QPushButton>(summary, "cmdGuide", 0)->click();
        page = Find_child<frmGuidePage>();
        QCOMPARE(page->lblNameProduct->text(), name + ", Número de identificación " + id);
        QCOMPARE(QStringList({Tag(page->cmdIIPAD), Tag(page->cmdPrint)}), QStringList({lookup, qualifier}));
        QCOMPARE(Summary_rows(), stored);
    }

    // A name box shows the database: Cut and Paste leave it alone, Copy
    // takes its selection. (A fault once found: Cut emptied a name.)
    void the_edit_commands_never_change_a_name()
    {
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

    // The default database's Spanish names in both indexes: each ID opens
    // with its Spanish name, then the book's names in its order; by name,
    // both languages in one Spanish order.
    void spanish_names_in_both_indexes_data()
    {
        QTest::addColumn<bool>("by_name");
        QTest::addColumn<QStringList>("rows");  // from the top of the page
        QTest::newRow("numeric, 1005") << false << QStringList{"1005|Amoniaco, anhidro", "1005|Ammonia, anhydrous",
                                                               "1005|Anhydrous ammonia", "1006|Argón comprimido"};
        QTest::newRow("alphabetical, at C") << true << QStringList{"2076|Cresoles líquidos", "3455|Cresoles sólidos",
            "2076|Cresols, liquid", "3455|Cresols, solid", "2022|Cresylic acid", "1056|Criptón comprimido",
            "1970|Criptón líquido refrigerado", "1143|Crotonaldehído o crotonaldehído estabilizado",
            "1143|Crotonaldehyde", "1143|Crotonaldehyde, stabilized", "1862|Crotonato de etilo",
            "3472|Crotonic acid, liquid", "2823|Crotonic acid, solid", "1144|Crotonileno"};
    }

    void spanish_names_in_both_indexes()
    {
        QFETCH(bool, by_name);
        QFETCH(QStringList, rows);
        Start_on_the_book();
        by_name ? Open_index_by_name() : Open_index_by_number();
        frmPages* pages = Find_child<frmPages>();
        const int first = test::Show_entry(pages, rows.first());
        QVERIFY(first >= 0);
        pages->vscData->setValue(pages->vscData->value() + first);
        for (int i = 0; i < rows.size(); ++i)
            QCOMPARE(test::Entry(pages, i), rows[i]);
    }

    void every_way_of_searching_data()
    {
        QTest::addColumn<Search_case>("search");
        const auto row = [](const char* what, const Search_case& search) { QTest::newRow(what) << search; };
        row("two IDs", {{"1005", "1017"}, "", 0, 0, {"1005", "1017"}});
        row("IDs in any box, no number skipped", {{"", "----", "1017", "", "", "", "1005"}, "", 0, 1, {"1005", "1017"}});
        row("ID or name starting with", {{"1017"}, "gaso", 2, 0, {"1017", "1203"}});
        row("contains, by number", {{}, "ACID", 0, 0, {"1754", "1830", "3048"}});
        row("contains, by name", {{}, "acid", 0, 1, {"3048", "1754", "1830"}});
        row("accents ignored", {{}, "ACIDO NANDU", 0, 0, {"3048"}});
        row("is, whole name only", {{}, "chlorine", 1, 0, {"1017"}});
        row("is, part of a name", {{}, "chlor", 1, 0, {}});
        row("starts with", {{}, "chlor", 2, 1, {"1017", "2988", "1754"}});
        row("apostrophe", {{}, "o'brien's", 0, 0, {"1111"}});
        row("double quote", {{}, "Shell 5\"", 2, 0, {"2222"}});
        row("underscore is an underscore", {{}, "_", 0, 0, {"3048"}});
        row("digits in a name", {{}, "1.4", 0, 0, {"----"}});
        row("entry without guide title", {{"9999"}, "", 0, 0, {}});
        row("letters in an ID box: refused, unticked", {{"1O17"}, "", 0, 0, {}, "", "", true});
        row("the first guide", {{}, "", 0, 0, {"1005", "1017", "1050"}, "124"});
        row("the last guide", {{}, "", 0, 0, {"1830", "2810", "2810", "3048"}, "153"});
        row("a guide without entries", {{}, "", 0, 0, {}, "140"});
        // A guide out of the book's range is refused with the range.
        row("111", {{}, "", 0, 0, {}, "111", "La guía 111 solo se utiliza para cargas mixtas y cargas no identificadas.  "
                                             "No hay materiales que se refieran a esta guía. " + kRange, true});
        for (const char* guide : {"123", "154", "1x4", "'"})
            row(guide, {{}, "", 0, 0, {}, guide, kRange, true});
    }

    void every_way_of_searching()
    {
        Open_both();
        QVERIFY(QTest::qWaitForWindowExposed(find_));
        const auto places = [this] {  // the count keeps its room: no button ever moves
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            QList<QRect> rects{find_->rect()};
            for (const QWidget* button : {find_->cmdFindIt, find_->cmdClear, find_->cmdClose})
                rects << QRect(button->mapTo(find_, QPoint()), button->size());
            return rects;
        };
        const QList<QRect> places_before = places();
        QFETCH(Search_case, search);
        const auto& [ids, name, match, order, found, guide, message, refused] = search;
        const QStringList before = Ids(pages_);
        for (int i = 0; i < ids.size(); ++i)
            find_->txtFindID[i]->setText(ids[i]);
        find_->chkID->setChecked(!ids.isEmpty());
        find_->txtFindMat->setText(name);
        find_->chkMaterial->setChecked(!name.isEmpty());
        find_->cboMatch->setCurrentIndex(match);
        find_->cboOrder->setCurrentIndex(order);
        QTest::keyClicks(find_->txtFindGuide, guide);
        QVERIFY(guide.isEmpty() || (find_->chkGuide->isChecked() && !find_->chkID->isChecked()));

        // The same search with the index pages open, then with them closed: the
        // index they open first never stands in for the result.
        for (const bool pages_open : refused ? QList{true} : QList{true, false}) {
            if (!pages_open)
                Close_child<frmPages>();
            world_->ui.beeps = 0;
            find_->cmdFindIt_Click();
            const frmPages* pages = Find_child<frmPages>();
            QVERIFY(pages);
            QCOMPARE(Ids(pages), refused ? before : found);
            QCOMPARE(pages->lblNbrMatch->text(), Count_text(refused ? 19 : found.size()));
            QCOMPARE(world_->ui.texts(), message.isEmpty() ? QStringList() : QStringList{message});
            QVERIFY(message.isEmpty() || world_->ui.shown.first().title == QStringLiteral("MARDOVI VEXO"));
            QVERIFY(!refused || !find_->chkID->isChecked());
            if (refused)
                continue;
            QCOMPARE(find_->lblNbrMatch->text(), Count_text(found.size()));
            QCOMPARE(places(), places_before);
            QCOMPARE(world_->ui.beeps, found.isEmpty() ? 1 : 0);
            if (!found.isEmpty()) {
                QCOMPARE(Index_highlight, order == 0 ? Yellow_highlight : Cyan_highlight);
                QCOMPARE(pages->txtMaterial[0]->x() < pages->lblID[0]->x(), order == 1);  // the order's columns
                QVERIFY(pages->vscData->isHidden());
            }
        }
    }

    // On screen, a list longer than a first window is drawn before it has
    // counted its rows (on a large file the count reads every entry): its
    // first page at once, then the count and the scroll bar's range.
    void a_long_list_is_drawn_before_it_is_counted_data()
    {
        QTest::addColumn<int>("list");
        QTest::newRow("index by number") << int(Index_list);
        QTest::newRow("find by a contained name") << int(Find_list);
        // A find of one match, counted at once, run before the index it
        // replaced had its turn to count: that turn must not write the
        // index's wording over "1 similar".
        QTest::newRow("find before the index is counted") << int(Find_before_count);
        QTest::newRow("water list") << int(Water_list);
    }

    void a_long_list_is_drawn_before_it_is_counted()
    {
        QFETCH(int, list);
        Start_on_the_book();
        Main_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(Main_form));
        if (list == Find_list || list == Find_before_count) {
            Open_both();
            if (list == Find_list)
                QTRY_VERIFY(Index_records->Count_known());
            find_->txtFindMat->setText(list == Find_list ? QStringLiteral("cloruro")
                                                         : QStringLiteral("anhydrous ammonia"));
            find_->chkMaterial->setChecked(true);
            find_->cboMatch->setCurrentIndex(0);
            find_->cmdFindIt_Click();
            if (list == Find_before_count) {
                QTest::qWait(100);
                QCOMPARE(Find_child<frmPages>()->lblNbrMatch->text(), Count_text(1));
                return;
            }
        } else {
            list == Index_list ? Open_index_by_number() : Open_water_list();
        }
        const std::unique_ptr<RecordSet>& set = list == Water_list ? Water_records : Index_records;
        frmPages* pages = Find_child<frmPages>();
        frmWater* water = Find_child<frmWater>();
        const QScrollBar* bar = list == Water_list ? water->findChild<QScrollBar*>("vscData") : pages->vscData;
        const QLabel* count = list == Water_list ? nullptr : pages->lblNbrMatch;
        QVERIFY(!set->Count_known());
        QVERIFY(!(list == Water_list ? water->findChild<QLabel*>("lblID_14") : pages->lblID[14])->text().isEmpty());
        QVERIFY(!bar->isHidden());
        QVERIFY(!count || count->text().isEmpty());  // no number of the rows read so far

        const int rows = static_cast<int>(test::Query_rows(*Main_database, set->sql()).size());
        QTRY_COMPARE(bar->maximum(), rows - 15);
        QVERIFY(!bar->isHidden());
        if (count)
            QTRY_COMPARE(count->text(), Count_text(rows));
        if (list == Find_list)
            QCOMPARE(find_->lblNbrMatch->text(), Count_text(rows));
    }

    // Typing ticks its criterion, unticks the others and moves on; Enter
    // searches; closing keeps the input for the next time; Clear empties it,
    // the order following the index shown, and leaves that index alone.
    void typing_searching_and_keeping_the_input()
    {
        Open_both();
        find_->chkGuide->setChecked(true);
        QTest::keyClicks(find_->txtFindID[0], "1005");
        QVERIFY(find_->chkID->isChecked() && !find_->chkGuide->isChecked());
        QCOMPARE(find_->focusWidget(), find_->txtFindID[1]);
        QTest::keyClicks(find_->txtFindID[1], "101");
        QTest::keyClick(find_->txtFindID[1], Qt::Key_Backspace);
        QCOMPARE(find_->focusWidget(), find_->txtFindID[1]);
        QTest::keyClicks(find_->txtFindID[1], "17");
        QCOMPARE(find_->focusWidget(), find_->txtFindID[2]);
        QTest::keyClick(find_->txtFindID[2], Qt::Key_Return);
        QCOMPARE(Ids(pages_), QStringList({"1005", "1017"}));

        // The guide box unticks the other two; Enter in an empty name box does nothing.
        QTest::keyClicks(find_->txtFindGuide, "1");
        QVERIFY(find_->chkGuide->isChecked() && !find_->chkID->isChecked() && !find_->chkMaterial->isChecked());
        QTest::keyClick(find_->txtFindMat, Qt::Key_Return);
        QVERIFY(find_->chkMaterial->isChecked() && !find_->chkGuide->isChecked());
        QCOMPARE(Ids(pages_), QStringList({"1005", "1017"}));
        // Nothing found empties the page; the next search that finds something shows it again.
        for (const auto& [typed, found] : {std::pair{"zzz", QStringList()}, std::pair{"o'brien", QStringList{"1111"}}}) {
            find_->txtFindMat->setText(QString::fromUtf8(typed));
            QTest::keyClick(find_->txtFindMat, Qt::Key_Enter);
            QCOMPARE(Ids(pages_), found);
        }

        find_->cboMatch->setCurrentIndex(2);
        find_->cmdClose_Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        pages_->optBlue->click();
        frmFind* again = Open_find();
        const auto input = [again] {
            const int ticked = again->chkID->isChecked() + again->chkMaterial->isChecked()
                             + again->chkGuide->isChecked();
            return QStringList{QString::number(ticked), again->txtFindID[1]->text(), again->txtFindMat->text(),
                again->cboMatch->currentText(), again->txtFindGuide->text(), again->cboOrder->currentText()};
        };
        QCOMPARE(input().mid(1), QStringList({"1017", "o'brien", "que empieza con", "1", "Nombre del Material"}));
        again->chkID->setChecked(true);
        again->cmdClear_Click();
        QCOMPARE(input(), QStringList({"0", "", "", "que contiene", "", "Nombre del Material"}));
        QCOMPARE(Ids(pages_).size(), frmPages::kRows);
        pages_->optYellow->click();
        again->cboOrder->setCurrentIndex(1);
        again->cmdClear_Click();
        QCOMPARE(again->cboOrder->currentText(), QStringLiteral("ID Number"));
    }

    void a_click_into_a_box_of_the_inactive_dialog_puts_the_caret_there_data()
    {
        QTest::addColumn<int>("clicked"); // -1 none, 0..6 an ID box, 7 the name box, 8 the guide box
        QTest::addColumn<bool>("by_name"); // the index shows the alphabetical order
        QTest::addColumn<int>("caret");
        QTest::newRow("no click, numeric index: first ID box") << -1 << false << 0;
        QTest::newRow("no click, alphabetical index: name box") << -1 << true << 7;
        QTest::newRow("name box clicked") << 7 << false << 7;
        QTest::newRow("guide box clicked") << 8 << false << 8;
        QTest::newRow("third ID box clicked") << 2 << true << 2;
    }

    void a_click_into_a_box_of_the_inactive_dialog_puts_the_caret_there()
    {
        Open_both();
        QFETCH(int, clicked);
        QFETCH(bool, by_name);
        QFETCH(int, caret);
        const auto box = [this](int index) -> QLineEdit* {
            return index < frmFind::kID_boxes ? find_->txtFindID[index] : index == 7 ? find_->txtFindMat : find_->txtFindGuide;
        };
        if (by_name)
            pages_->optBlue->click();
        Main_form->show();
        Main_form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(Main_form));
        QVERIFY(QApplication::activeWindow() != find_);

        if (clicked >= 0)
            QTest::mouseClick(box(clicked), Qt::LeftButton);
        find_->windowHandle()->requestActivate();  // as the window manager does on a click
        QTRY_COMPARE(QApplication::activeWindow(), find_);
        QCOMPARE(QApplication::focusWidget(), box(caret));
        QTest::keyClicks(nullptr, QStringLiteral("12"));
        QCOMPARE(box(caret)->text(), QStringLiteral("12"));
    }
};

QTEST_MAIN(tst_Index_pages)
#include "tst_Index_pages.moc"
