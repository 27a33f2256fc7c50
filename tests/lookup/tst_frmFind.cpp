// The find dialog over the index pages: every way of searching, what it
// refuses, how typing ticks the criteria, and the input kept while closed.
#include "Lookup_fixture.h"

#include "app/Child_windows.h"
#include "lookup/frmFind.h"
#include "lookup/frmPages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QtTest>

using namespace vexo;
using test::Ids;

namespace {

// The guides the fixture's entries refer to run from 124 to 153.
const QString kRange = QStringLiteral("Las entradas de las páginas de Guía válidas son de la 124 a la 153.");

// The count as both windows write it.
QString Count_text(qsizetype found)
{
    return found == 0 ? QStringLiteral("Nada similar encontrado")
        : found == 1  ? QStringLiteral("1 similar")
                      : QStringLiteral("%1 similares").arg(found);
}

} // namespace

class tst_frmFind : public QObject {
    Q_OBJECT
    std::unique_ptr<test::Rows_program> world_;
    frmPages* pages_ = nullptr;
    frmFind* find_ = nullptr;

private Q_SLOTS:
    void init()
    {
        world_ = test::Lookup_program();
        Open_index_by_number();
        pages_ = Find_child<frmPages>();
        find_ = Open_find();
    }

    void cleanup() { world_.reset(); }

    void every_way_of_searching_data()
    {
        QTest::addColumn<QStringList>("ids");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("match");  // 0 contains, 1 is, 2 starts with
        QTest::addColumn<int>("order");  // 0 by ID, 1 by name
        QTest::addColumn<QStringList>("found");
        const auto row = [](const char* what, QStringList ids, QString name, int match, int order, QStringList found) {
            QTest::newRow(what) << ids << name << match << order << found;
        };
        row("two IDs", {"1005", "1017"}, "", 0, 0, {"1005", "1017"});
        row("IDs in any box, no number skipped", {"", "----", "1017", "", "", "", "1005"}, "", 0, 1, {"1005", "1017"});
        row("ID or name starting with", {"1017"}, "gaso", 2, 0, {"1017", "1203"});
        row("contains, by number", {}, "ACID", 0, 0, {"1754", "1830", "3048"});
        row("contains, by name", {}, "acid", 0, 1, {"3048", "1754", "1830"});
        row("accents ignored", {}, "ACIDO NANDU", 0, 0, {"3048"});
        row("is, whole name only", {}, "chlorine", 1, 0, {"1017"});
        row("is, part of a name", {}, "chlor", 1, 0, {});
        row("starts with", {}, "chlor", 2, 1, {"1017", "2988", "1754"});
        row("apostrophe", {}, "o'brien's", 0, 0, {"1111"});
        row("apostrophe, is", {}, "O'Brien's mix", 1, 0, {"1111"});
        row("double quote", {}, "Shell 5\"", 2, 0, {"2222"});
        row("percent is a percent", {}, "%", 0, 0, {"3048"});
        row("underscore is an underscore", {}, "_", 0, 0, {"3048"});
        row("asterisk is an asterisk", {}, "e*", 0, 0, {});
        row("brackets are brackets", {}, "[x]", 0, 0, {"3048"});
        row("digits in a name", {}, "1.4", 0, 0, {"----"});
        row("very long text", {}, QString(400, u'a'), 0, 0, {});
        row("entry without guide title", {"9999"}, "", 0, 0, {});
    }

    void every_way_of_searching()
    {
        QFETCH(QStringList, ids);
        QFETCH(QString, name);
        QFETCH(int, match);
        QFETCH(int, order);
        QFETCH(QStringList, found);
        const QString count = Count_text(found.size());
        for (int i = 0; i < ids.size(); ++i)
            find_->txtFindID[i]->setText(ids[i]);
        find_->chkID->setChecked(!ids.isEmpty());
        find_->txtFindMat->setText(name);
        find_->chkMaterial->setChecked(!name.isEmpty());
        find_->cboMatch->setCurrentIndex(match);
        find_->cboOrder->setCurrentIndex(order);

        // The same search with the index pages open, then with them closed: the
        // index they open first never stands in for the result.
        for (const bool pages_open : {true, false}) {
            if (!pages_open)
                Close_child<frmPages>();
            world_->ui.beeps = 0;
            find_->cmdFindIt_Click();
            const frmPages* pages = Find_child<frmPages>();
            QVERIFY(pages);
            QCOMPARE(Ids(pages), found);
            QCOMPARE(find_->lblNbrMatch->text(), count);
            QCOMPARE(pages->lblNbrMatch->text(), count);
            QVERIFY(world_->ui.shown.isEmpty());
            QCOMPARE(world_->ui.beeps, found.isEmpty() ? 1 : 0);
            if (!found.isEmpty()) {
                QCOMPARE(Index_highlight, order == 0 ? Yellow_highlight : Cyan_highlight);
                QCOMPARE(pages->txtMaterial[0]->x() < pages->lblID[0]->x(), order == 1);  // the order's columns
                QVERIFY(pages->vscData->isHidden());
            }
        }
    }

    // A guide out of the book's range is refused and nothing is searched.
    void guide_numbers_out_of_the_book_are_refused_data()
    {
        QTest::addColumn<QString>("guide");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QStringList>("found");
        QTest::newRow("111") << "111" << "La guía 111 solo se utiliza para cargas mixtas y cargas no identificadas.  No "
                                         "hay materiales que se refieran a esta guía. " + kRange << QStringList{};
        for (const char* refused : {"123", "154", "1x4", "'"})
            QTest::newRow(refused) << refused << kRange << QStringList{};
        QTest::newRow("the first") << "124" << "" << QStringList{"1005", "1017", "1050"};
        QTest::newRow("the last") << "153" << "" << QStringList{"1830", "2810", "2810", "3048"};
        QTest::newRow("within, no entry") << "140" << "" << QStringList{};
    }
    void guide_numbers_out_of_the_book_are_refused()
    {
        QFETCH(QString, guide);
        QFETCH(QString, message);
        QFETCH(QStringList, found);
        const QStringList before = Ids(pages_);
        QTest::keyClicks(find_->txtFindGuide, guide);
        QVERIFY(find_->chkGuide->isChecked());
        find_->cmdFindIt_Click();
        QCOMPARE(world_->ui.texts(), message.isEmpty() ? QStringList() : QStringList{message});
        if (!message.isEmpty())
            QCOMPARE(world_->ui.shown.first().title, QStringLiteral("MARDOVI VEXO"));
        QCOMPARE(Ids(pages_), message.isEmpty() ? found : before);
    }

    void letters_in_the_id_boxes_search_nothing()
    {
        const QStringList before = Ids(pages_);
        QTest::keyClicks(find_->txtFindID[0], "1O17");
        QVERIFY(find_->chkID->isChecked());
        find_->cmdFindIt_Click();
        QVERIFY(!find_->chkID->isChecked());
        QCOMPARE(Ids(pages_), before);
        QVERIFY(world_->ui.shown.isEmpty());
        QCOMPARE(pages_->lblNbrMatch->text(), QStringLiteral("19 similares"));
    }

    void typing_ticks_the_criteria_and_moves_on()
    {
        find_->chkGuide->setChecked(true);
        QTest::keyClicks(find_->txtFindID[0], "1005");
        QVERIFY(find_->chkID->isChecked());
        QVERIFY(!find_->chkGuide->isChecked());
        QCOMPARE(find_->txtFindID[0]->text(), QStringLiteral("1005"));
        QCOMPARE(find_->focusWidget(), find_->txtFindID[1]);

        QTest::keyClicks(find_->txtFindID[1], "101");
        QTest::keyClick(find_->txtFindID[1], Qt::Key_Backspace);
        QCOMPARE(find_->focusWidget(), find_->txtFindID[1]);
        QTest::keyClicks(find_->txtFindID[1], "17");
        QCOMPARE(find_->txtFindID[1]->text(), QStringLiteral("1017"));
        QCOMPARE(find_->focusWidget(), find_->txtFindID[2]);

        QTest::keyClick(find_->txtFindID[2], Qt::Key_Return);
        QCOMPARE(Ids(pages_), QStringList({"1005", "1017"}));

        // The guide box unticks the other two; Enter in an empty name box does nothing.
        QTest::keyClicks(find_->txtFindGuide, "1");
        QVERIFY(find_->chkGuide->isChecked() && !find_->chkID->isChecked() && !find_->chkMaterial->isChecked());
        QTest::keyClick(find_->txtFindMat, Qt::Key_Return);
        QVERIFY(find_->chkMaterial->isChecked() && !find_->chkGuide->isChecked());
        QCOMPARE(Ids(pages_), QStringList({"1005", "1017"}));
        QTest::keyClicks(find_->txtFindMat, "toluene");
        QTest::keyClick(find_->txtFindMat, Qt::Key_Enter);
        QCOMPARE(Ids(pages_), QStringList({"1294"}));
        QCOMPARE(find_->lblNbrMatch->text(), QStringLiteral("1 similar"));
    }

    void input_is_kept_while_the_dialog_is_closed()
    {
        find_->txtFindID[3]->setText("1017");
        find_->txtFindMat->setText("O'Brien");
        find_->cboMatch->setCurrentIndex(2);
        find_->txtFindGuide->setText("128");
        find_->cmdClose_Click();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        pages_->optBlue->click();
        frmFind* again = Open_find();
        QVERIFY(again);
        QCOMPARE(again->txtFindID[3]->text(), QStringLiteral("1017"));
        QCOMPARE(again->txtFindMat->text(), QStringLiteral("O'Brien"));
        QCOMPARE(again->cboMatch->currentText(), QStringLiteral("que empieza con"));
        QCOMPARE(again->txtFindGuide->text(), QStringLiteral("128"));
        // The order follows the index shown.
        QCOMPARE(again->cboOrder->currentText(), QStringLiteral("Nombre del Material"));
    }

    void clear_empties_every_box()
    {
        find_->txtFindID[0]->setText("1017");
        find_->chkID->setChecked(true);
        find_->txtFindMat->setText("x");
        find_->cboMatch->setCurrentIndex(1);
        find_->cboOrder->setCurrentIndex(1);
        find_->cmdClear_Click();
        QCOMPARE(QStringList({QString::number(find_->chkID->isChecked() + find_->chkMaterial->isChecked()
                                              + find_->chkGuide->isChecked()),
                              find_->txtFindID[0]->text(), find_->txtFindMat->text(), find_->cboMatch->currentText(),
                              find_->cboOrder->currentText()}),
                 QStringList({"0", "", "", "que contiene", "ID Number"}));
        QCOMPARE(Ids(pages_).size(), frmPages::kRows);  // the index shown is left alone
    }

    // The find command without index pages opens the index by number first.
    void find_routing_opens_the_index_first()
    {
        Close_child<frmPages>();
        find_->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Index_mode = 1;
        Find_in_index();
        frmPages* pages = Find_child<frmPages>();
        QVERIFY(pages);
        QCOMPARE(pages->windowTitle(), QStringLiteral("Indice numérico"));
        QVERIFY(Open_find()->isVisible());
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

    void count_changes_move_no_button()
    {
        QVERIFY(QTest::qWaitForWindowExposed(find_));
        const auto places = [this] {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
            QList<QRect> rects{find_->rect()};
            for (const QWidget* button : {find_->cmdFindIt, find_->cmdClear, find_->cmdClose})
                rects << QRect(button->mapTo(find_, QPoint()), button->size());
            return rects;
        };
        const QList<QRect> before = places();
        // Nothing found empties the page; the next search that finds something shows it again.
        const std::pair<const char*, QStringList> searches[] = {
            {"zzz", {}}, {"sarin", {"2810"}}, {"zzz", {}}, {"a", {"1005", "1050", "1090"}}};
        for (const auto& [name, first_found] : searches) {
            find_->txtFindMat->setText(QLatin1String(name));
            find_->chkMaterial->setChecked(true);
            find_->cmdFindIt_Click();
            QCOMPARE(Ids(pages_).mid(0, 3), first_found);
            QCOMPARE(places(), before);
        }
        QCOMPARE(find_->lblNbrMatch->text(), QStringLiteral("12 similares"));
    }
};

QTEST_MAIN(tst_frmFind)
#include "tst_frmFind.moc"
