// The program without a mouse: the page keys move each paged list as its
// scroll bar does, from wherever the focus is in the window; Enter on a row
// opens its guide; Esc closes a child window, but not the welcome page.
#include "app/Child_windows.h"
#include "app/General.h"
#include "app/frmMain.h"
#include "app/frmWelcome.h"
#include "distances/Distances.h"
#include "distances/frmGreen.h"
#include "distances/frmGreenBox.h"
#include "distances/frmWater.h"
#include "guides/frmGuidePage.h"
#include "lookup/frmPages.h"
#include "summary/frmSummary.h"
#include "support/Fixture.h"
#include "support/Loaded_program.h"
#include "support/Widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace vexo;

namespace {

constexpr int kEntries = 40;  // IDs 5001 to 5040, in that order everywhere

// Forty entries of one guide, each in the distances table, the water list
// and the summary; a guide page long enough to scroll. 5002 is toxic by
// inhalation and not water-reactive, so its guide opens without a question;
// 5003 has no distances of its own, so its row is a banner to the water list.
const char* const kRows = R"sql(
INSERT INTO Sentences VALUES (1, 'GUÍA 139', 5), (2, 'SUSTANCIAS QUE REACCIONAN CON AGUA', 2);
INSERT INTO Guides_pages VALUES (1, 139, 1), (2, 139, 2);
CREATE TEMP TABLE n AS WITH RECURSIVE k(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM k WHERE i < 40)
  SELECT i, CAST(5000 + i AS TEXT) AS id, printf('Material %02d', i) AS name FROM k;
INSERT INTO Sentences SELECT i + 2, 'Frase ' || (i + 2) || ' de la guía, larga como las del libro.', 0 FROM n;
INSERT INTO Guides_pages SELECT i + 2, 139, i + 2 FROM n;
INSERT INTO Yellow SELECT id, name, 139, i, i, IIF(i = 2, 1, NULL), IIF(i = 2, NULL, 'W'), NULL, NULL, NULL FROM n;
INSERT INTO Water SELECT id, 'Gas', '1050', 'Gas', '', '', '', '', '', '' FROM n;
INSERT INTO Green SELECT id, name || IIF(i = 2, ' ', ' (cuando es derramado en el agua)'), IIF(i = 3, '', '30'), '100',
  '0.1', '0.1', '0.2', '0.1', '60', '200', '0.3', '0.2', '1.1', '0.7' FROM n;
INSERT INTO Summary (ID, Name, High_green, Bold) SELECT id, name, 0, 1 FROM n;
)sql";

QWidget* Active_window()
{
    QMdiSubWindow* frame = Work_area()->activeSubWindow();
    return frame ? frame->widget() : nullptr;
}

// Opens a paged window as its command does.
void Open(const QString& window)
{
    window == "index pages" ? Open_index_by_number() : window == "distances table" ? Open_distances_table()
        : window == "water list" ? Open_water_list() : Open_summary();
}

// The widget of the active window that has the focus when a key is pressed.
QWidget* Place(const QString& place)
{
    QWidget* window = Active_window();
    auto* pages = qobject_cast<frmPages*>(window);
    if (place == "name")
        return pages ? pages->txtMaterial[2] : test::Child(window, "txtMat", 0);
    if (place == "option")
        return pages->optYellow;
    if (place == "guide")
        return pages->cmdGuide[4];
    return window;
}

QString First_id()
{
    auto* pages = qobject_cast<frmPages*>(Active_window());
    return pages ? pages->lblID[0]->text() : test::Child<QLabel>(Active_window(), "lblID", 0)->text();
}

} // namespace

class tst_Keyboard : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString fixture_;
    std::unique_ptr<test::Loaded_program> program_;

private Q_SLOTS:
    void initTestCase()
    {
        fixture_ = dir_.filePath(QStringLiteral("keys.mdb"));
        test::Make_database(fixture_, QString::fromUtf8(kRows));
    }

    void init()
    {
        program_ = std::make_unique<test::Loaded_program>(fixture_);
        Main_form->resize(1024, 740);
        Main_form->show();
        QVERIFY(QTest::qWaitForWindowActive(Main_form));
    }

    void cleanup()
    {
        program_.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Each paged window, the key pressed where the focus is, and the list's
    // first row after; then Esc closes the window, from the same place.
    void page_keys_move_the_list_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("place");
        QTest::addColumn<QList<int>>("keys");
        QTest::addColumn<int>("first_row");  // offset of the page's first row

        using K = QList<int>;
        const int last_page = kEntries - 15;
        for (const char* window : {"index pages", "distances table", "water list", "summary"}) {
            const QString w = QString::fromLatin1(window);
            QTest::addRow("%s: Page Down past the end", window) << w << "window" << K{Qt::Key_PageDown, Qt::Key_PageDown}
                                                               << last_page;
            QTest::addRow("%s: End, Page Up", window) << w << "window" << K{Qt::Key_End, Qt::Key_PageUp} << last_page - 15;
            QTest::addRow("%s: End, Home", window) << w << "window" << K{Qt::Key_End, Qt::Key_Home} << 0;
            QTest::addRow("%s: Down thrice, Up", window) << w << "window"
                                                        << K{Qt::Key_Down, Qt::Key_Down, Qt::Key_Down, Qt::Key_Up} << 2;
        }
        // A name box would move its caret, an option button would change the
        // index: in a row the keys still page the list.
        QTest::newRow("index pages: End in a name") << "index pages" << "name" << K{Qt::Key_End} << last_page;
        QTest::newRow("index pages: Down on a guide button") << "index pages" << "guide" << K{Qt::Key_Down} << 1;
        QTest::newRow("index pages: Down on an option") << "index pages" << "option" << K{Qt::Key_Down} << 1;
        QTest::newRow("water list: Page Down in a name") << "water list" << "name" << K{Qt::Key_PageDown} << 15;
        QTest::newRow("summary: End in a name") << "summary" << "name" << K{Qt::Key_End} << last_page;
        // With a modifier held a key is not paging.
        QTest::newRow("index pages: Shift+Page Down") << "index pages" << "window"
                                                     << K{(Qt::ShiftModifier | Qt::Key_PageDown).toCombined()} << 0;
    }

    void page_keys_move_the_list()
    {
        QFETCH(QString, window);
        QFETCH(QString, place);
        QFETCH(QList<int>, keys);
        QFETCH(int, first_row);
        Open(window);
        QCOMPARE(First_id(), "5001");
        for (int key : keys)
            QTest::keyClick(Place(place), QKeyCombination::fromCombined(key).key(),
                            QKeyCombination::fromCombined(key).keyboardModifiers());
        QCOMPARE(First_id(), QString::number(5001 + first_row));
        if (window == QLatin1String("index pages"))
            QVERIFY2(Find_child<frmPages>()->optYellow->isChecked(), "the index stays by number");
        Place(place)->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(Work_area()->subWindowList().size(), 1);
    }

    // Enter on a row opens its guide; the page scrolls with the keys, Tab
    // comes to the distances first, Enter opens them; Esc goes back window
    // by window, but never closes the welcome page.
    void enter_opens_a_guide_and_escape_goes_back()
    {
        Open_index_by_number();
        auto* pages = Find_child<frmPages>();
        QTest::keyClick(pages->txtMaterial[1], Qt::Key_Return);
        auto* page = Find_child<frmGuidePage>();
        QCOMPARE(page->lblNameProduct->text(), "Material 02, Número de identificación 5002");
        const int sheet_top = page->frmWhite->y();
        QTest::keyClick(page, Qt::Key_PageDown);
        QVERIFY(page->frmWhite->y() < sheet_top);
        QTest::keyClick(page->cmdPrint, Qt::Key_End);
        QCOMPARE(page->vsGuide->value(), page->vsGuide->maximum());
        page->setFocus();
        QTest::keyClick(page, Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), page->cmdIIPAD);
        QTest::keyClick(page->cmdIIPAD, Qt::Key_Return);
        QTRY_COMPARE(Active_window(), Find_child<frmGreenBox>());

        QWidget* welcome = Find_child<frmWelcome>();
        for (QWidget* back : {static_cast<QWidget*>(page), static_cast<QWidget*>(pages), welcome, welcome}) {
            Active_window()->setFocus();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCOMPARE(Active_window(), back);
        }
        QCOMPARE(Work_area()->subWindowList().size(), 1);
        QVERIFY(program_->ui().shown.isEmpty());
    }

    // A banner of the distances table shows the focus and opens the water
    // list with Space, as a click does; other keys leave it be.
    void keys_press_a_banner()
    {
        Open_distances_table();
        auto* banner = test::Child<QLabel>(Active_window(), "lblDanger", 2);
        QVERIFY(test::Shown(banner));
        const int unfocused = banner->frameStyle();
        banner->setFocus();
        QCOMPARE(banner->frameStyle(), int(QFrame::Box | QFrame::Plain));
        QTest::keyClick(banner, Qt::Key_Space, Qt::ControlModifier);
        QTest::keyClick(banner, Qt::Key_A);
        QVERIFY(!Find_child<frmWater>());
        QTest::keyClick(banner, Qt::Key_Space);
        QCOMPARE(test::Child<QLabel>(Find_child<frmWater>(), "lblID", 0)->text(), "5003");
        QCOMPARE(banner->frameStyle(), unfocused);
    }
};

QTEST_MAIN(tst_Keyboard)
#include "tst_Keyboard.moc"
