// The guide chooser: one button per guide the database holds, the flowing
// grid at any width, a guide opened without a product; and every page of the
// default database opening from it with its number, title and text.
#include "app/Child_windows.h"
#include "app/Row_cells.h"
#include "app/General.h"
#include "data/Database.h"
#include "data/RecordSet.h"
#include "guides/Guide_page.h"
#include "guides/frmGuide.h"
#include "guides/frmGuidePage.h"
#include "platform/Twips.h"
#include "support/Rows_program.h"

#include <QFrame>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QtTest>

using namespace vexo;

namespace {

// `count` guides from 111 on, each with its number, its title "Título nnn"
// and one body sentence.
QString Guides(int count)
{
    QString sql;
    for (int i = 0, key = 1; i < count; ++i, key += 3)
        sql += QStringLiteral("INSERT INTO Sentences VALUES (%1, 'GUÍA %2', 5), (%3, 'Título %2', 2), "
                              "(%4, 'Texto de la guía %2.', 0);\nINSERT INTO Guides_pages VALUES "
                              "(%1, %2, %1), (%3, %2, %3), (%4, %2, %4);\n")
                   .arg(key).arg(111 + i).arg(key + 1).arg(key + 2);
    return sql;
}

frmGuide* Open_chooser()
{
    Open_guide_chooser();
    return Find_child<frmGuide>();
}

QList<QPushButton*> Buttons(const frmGuide* chooser)
{
    return chooser->findChildren<QPushButton*>(QStringLiteral("cmdGuide"));
}

QString Explanation(int guides)
{
    return QStringLiteral("Esta sección es esencialmente la más importante de la Guía porque proporciona las "
                          "recomendaciones de seguridad, que conforman un total de %1 Guías que contienen la "
                          "información de respuesta a emergencias para protegerte")
        .arg(guides);
}

} // namespace

class tst_frmGuide : public QObject {
    Q_OBJECT
    std::unique_ptr<test::Rows_program> program_;

private Q_SLOTS:
    void cleanup() { program_.reset(); }

    void one_button_per_guide_data()
    {
        QTest::addColumn<int>("guides");
        QTest::newRow("the 62 guides of the book") << 62;
        QTest::newRow("a short list") << 5;
        QTest::newRow("the guides of a newer book") << 64;
        QTest::newRow("no guide at all") << 0;
    }
    void one_button_per_guide()
    {
        QFETCH(int, guides);
        program_ = std::make_unique<test::Rows_program>(Guides(guides));
        Open_chooser();
        const frmGuide* chooser = Open_chooser();  // opening again replaces it
        int choosers = 0;
        for (const QMdiSubWindow* frame : Work_area()->subWindowList())
            choosers += qobject_cast<frmGuide*>(frame->widget()) != nullptr;
        QCOMPARE(choosers, 1);
        QVERIFY(!Guide_records);
        QCOMPARE(chooser->windowTitle(), QStringLiteral("Guías de Respuesta de Emergencia"));
        QCOMPARE(chooser->findChild<QLabel*>("lblRes")->text(), QStringLiteral("Guías de Respuesta de Emergencia"));
        QCOMPARE(chooser->findChild<QLabel*>("lblTitle")->text(), Explanation(guides));
        const QList<QPushButton*> buttons = Buttons(chooser);
        QCOMPARE(buttons.size(), guides);
        for (int i = 0; i < guides; ++i) {
            QCOMPARE(buttons[i]->text(), QString::number(111 + i));
            QCOMPARE(buttons[i]->toolTip(), QStringLiteral("Título %1").arg(111 + i));
            QVERIFY(buttons[i]->isVisible());
        }
    }

    // A new row only when a button would not fit after the last one; as
    // opened, every button is in the window.
    void buttons_flow_in_rows_data()
    {
        QTest::addColumn<int>("width");
        QTest::newRow("as opened") << 0;
        QTest::newRow("wide") << 900;
        QTest::newRow("narrow") << 350;
    }
    void buttons_flow_in_rows()
    {
        QFETCH(int, width);
        program_ = std::make_unique<test::Rows_program>(Guides(64));
        frmGuide* chooser = Open_chooser();
        if (width) {
            Child_frame<frmGuide>()->resize(width, 700);
            QCoreApplication::processEvents();
        }
        const QFrame* panel = chooser->findChild<QFrame*>("frmButton");
        const QLabel* title = chooser->findChild<QLabel*>("lblTitle");
        QVERIFY(panel->y() > title->y() + title->height());
        const QList<QPushButton*> buttons = Buttons(chooser);
        QCOMPARE(buttons[0]->pos(), QPoint(0, 0));
        const int gap = twips(120);
        for (int i = 1; i < buttons.size(); ++i) {
            const QPushButton* previous = buttons[i - 1];
            const QPushButton* button = buttons[i];
            QVERIFY(button->x() + button->width() <= panel->width());
            if (button->y() == previous->y()) {
                QCOMPARE(button->x(), previous->x() + previous->width() + gap);
            } else {
                QVERIFY(previous->x() + previous->width() + gap + button->width() > panel->width());
                QCOMPARE(button->pos(), QPoint(0, previous->y() + previous->height() + gap));
            }
        }
        if (!width) {
            QVERIFY(buttons.back()->y() + buttons.back()->height() <= panel->height());
            QVERIFY(chooser->rect().contains(panel->geometry()));
        }
    }

    void a_guide_opens_without_product()
    {
        program_ = std::make_unique<test::Rows_program>(Guides(62));
        frmGuide* chooser = Open_chooser();
        // A product left by an earlier opener must not reach this page.
        Product_label = QStringLiteral("Gasoline, Número de identificación 1203");
        QTest::mouseClick(Buttons(chooser)[17], Qt::LeftButton);
        const frmGuidePage* page = Find_child<frmGuidePage>();
        QVERIFY(page);
        QCOMPARE(page->lblGuide->text(), QStringLiteral("GUÍA 128"));
        QVERIFY(page->lblNameProduct->isHidden());
        QVERIFY(page->cmdIIPAD->isHidden());
        QVERIFY(program_->ui.shown.isEmpty());
        QVERIFY(Find_child<frmGuide>());  // the chooser stays open behind it
    }

    void every_guide_of_the_default_database_opens()
    {
        program_ = test::Rows_program::On_file(QStringLiteral(VEXO_BIN_DIR "/guide2ks.mdb"));
        const QList<QPushButton*> buttons = Buttons(Open_chooser());
        // The book's guides 111 to 172 and the two of its 2024 edition.
        QCOMPARE(buttons.size(), 64);
        QCOMPARE(buttons[121 - 111]->toolTip(), QStringLiteral("Intencionalmente dejada en blanco"));
        QCOMPARE(buttons[173 - 111]->toolTip(), QStringLiteral("Gases Adsorbidos - Tóxico*"));
        QCOMPARE(Find_child<frmGuide>()->findChild<QLabel*>("lblTitle")->text(), Explanation(64));
        for (int i = 0; i < buttons.size(); ++i) {
            const QString number = QString::number(111 + i);
            QCOMPARE(buttons[i]->text(), number);
            buttons[i]->click();
            const frmGuidePage* page = Find_child<frmGuidePage>();
            QVERIFY2(page, qPrintable(number));
            QCOMPARE(page->lblGuide->text(), "GUÍA " + number);
            QCOMPARE(page->lblProduct->text(), buttons[i]->toolTip());
            QVERIFY2(page->Last_block() >= 0 && page->frmWhite->isVisible(), qPrintable(number));
            for (qint16 b = 0; b <= page->Last_block(); ++b) {
                const QLabel* block = page->lblText[b];
                QVERIFY2(!block->text().isEmpty() && !Tag(block).isEmpty() && block->height() > 0,
                         qPrintable(QStringLiteral("guide %1 block %2").arg(number).arg(b)));
            }
        }
        QVERIFY(program_->ui.shown.isEmpty());
    }
};

QTEST_MAIN(tst_frmGuide)
#include "tst_frmGuide.moc"
