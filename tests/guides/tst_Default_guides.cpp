// Every guide page of the default database opens, with its number, its title
// and its text, and every guide has its button in the chooser.
#include "Guide_program.h"

#include "app/Child_windows.h"
#include "app/General.h"
#include "app/Row_cells.h"
#include "data/Database.h"
#include "data/RecordSet.h"
#include "guides/Guide_page.h"
#include "guides/frmGuide.h"
#include "guides/frmGuidePage.h"

#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace vexo;

class tst_Default_guides : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void every_page_opens();
    void chooser_lists_the_guides_in_order();

private:
    std::unique_ptr<test::Guide_program> program_;
};

void tst_Default_guides::initTestCase()
{
    program_ = test::Guide_program::On_file(QStringLiteral(VEXO_BIN_DIR "/guide2ks.mdb"));
}

void tst_Default_guides::cleanupTestCase()
{
    program_.reset();
}

void tst_Default_guides::every_page_opens()
{
    auto guides = Main_database->OpenRecordset(
        QStringLiteral("SELECT DISTINCT Guide_page FROM Guides_pages ORDER BY Guide_page"));
    QVERIFY(guides->RecordCount() >= 62);
    for (guides->MoveFirst(); !guides->Eof(); guides->MoveNext()) {
        const QString number = guides->Field(QStringLiteral("Guide_page"));
        const frmGuidePage* page = Open_guide_page(number);
        QVERIFY2(page, qPrintable(number));
        QCOMPARE(page->lblGuide->text(), "GUÍA " + number);
        QCOMPARE(page->windowTitle(), "GUÍA " + number);
        QVERIFY2(!page->lblProduct->text().isEmpty(), qPrintable(number));
        QVERIFY2(page->Last_block() >= 0, qPrintable(number));
        QVERIFY2(page->frmWhite->isVisible(), qPrintable(number));
        for (qint16 i = 0; i <= page->Last_block(); ++i) {
            const QLabel* block = page->lblText[i];
            QVERIFY2(!block->text().isEmpty() && !Tag(block).isEmpty(),
                     qPrintable(QStringLiteral("guide %1 block %2").arg(number).arg(i)));
            QVERIFY(block->height() > 0);
        }
    }
    QVERIFY(program_->ui.shown.isEmpty());
}

void tst_Default_guides::chooser_lists_the_guides_in_order()
{
    Open_guide_chooser();
    const frmGuide* chooser = Find_child<frmGuide>();
    // The book's guides 111 to 172 and the two that came with its 2024
    // edition.
    QCOMPARE(static_cast<int>(chooser->cmdGuide.size()), 64);
    for (int i = 0; i < 64; ++i) {
        QCOMPARE(chooser->cmdGuide[i]->text(), QString::number(111 + i));
        QVERIFY(!chooser->cmdGuide[i]->toolTip().isEmpty());
    }
    QCOMPARE(chooser->cmdGuide[121 - 111]->toolTip(), QStringLiteral("Intencionalmente dejada en blanco"));
    QCOMPARE(chooser->cmdGuide[173 - 111]->toolTip(), QStringLiteral("Gases Adsorbidos - Tóxico*"));
    QVERIFY(chooser->lblTitle->text().contains(QStringLiteral(" un total de 64 Guías ")));
}

QTEST_MAIN(tst_Default_guides)
#include "tst_Default_guides.moc"
