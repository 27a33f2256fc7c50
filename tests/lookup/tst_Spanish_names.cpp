// The Spanish names of the default database beside the book's English ones:
// found by the find dialog, placed in both indexes, and leading from their
// guide button to the guide, the distances and the water question of the
// English entry they stand for.
#include "app/Child_windows.h"
#include "app/General.h"
#include "distances/frmGreenBox.h"
#include "guides/frmGuidePage.h"
#include "lookup/frmFind.h"
#include "lookup/frmPages.h"
#include "summary/Summary_store.h"
#include "Lookup_fixture.h"
#include "support/Rows_program.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

using namespace vexo;
using platform::Answer;

namespace {

QString Row(const frmPages* pages, int i)
{
    return pages->lblID[i]->text() + u'|' + pages->txtMaterial[i]->text();
}

// Scrolls until `entry` ("ID|name") heads the page.
bool Scroll_to(frmPages* pages, const QString& entry)
{
    const int row = test::Show_entry(pages, entry);
    pages->vscData->setValue(pages->vscData->value() + row);
    return row >= 0 && Row(pages, 0) == entry;
}

} // namespace

class tst_Spanish_names : public QObject {
    Q_OBJECT
    std::unique_ptr<test::Rows_program> program_;

private Q_SLOTS:
    void init() { program_ = test::Rows_program::Loaded(QStringLiteral(VEXO_BIN_DIR "/guide2ks.mdb")); }
    void cleanup() { program_.reset(); }

    void find_by_name_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("match");  // 0 contains, 1 is, 2 starts with
        QTest::addColumn<QStringList>("among");
        QTest::addColumn<bool>("only");  // the result is exactly `among`

        QTest::newRow("contains cloro") << "cloro" << 0
                                        << QStringList{"1017|Cloro", "2517|1-Cloro-1,1-difluoroetano (gas refrigerante R 142 b)"}
                                        << false;
        QTest::newRow("an accent the catalogue lacks") << "amoníaco" << 0 << QStringList{"1005|Amoniaco, anhidro"} << false;
        QTest::newRow("starts with, accents ignored") << "acido sulfurico con mas" << 2
                                                      << QStringList{"1830|Ácido sulfúrico con más del 51% de ácido"} << true;
        QTest::newRow("English still found") << "chlorine" << 1 << QStringList{"1017|Chlorine"} << true;
    }

    void find_by_name()
    {
        QFETCH(QString, text);
        QFETCH(int, match);
        QFETCH(QStringList, among);
        QFETCH(bool, only);
        Open_index_by_number();
        frmFind* find = Open_find();
        find->txtFindMat->setText(text);
        find->chkMaterial->setChecked(true);
        find->cboMatch->setCurrentIndex(match);
        find->cmdFindIt_Click();
        QStringList found;
        for (Index_records->MoveFirst(); !Index_records->Eof(); Index_records->MoveNext())
            found << Index_records->Field(QStringLiteral("ID")) + u'|' + Index_records->Field(QStringLiteral("Name_of_material"));
        if (only)
            QCOMPARE(found, among);
        for (const QString& entry : among)
            QVERIFY2(found.contains(entry), qPrintable(entry));
    }

    void index_pages_data()
    {
        QTest::addColumn<bool>("by_name");
        QTest::addColumn<QStringList>("rows");  // from the top of the page

        // Each ID opens with its Spanish name, then the book's names in its order.
        QTest::newRow("numeric, 1005") << false
                                       << QStringList{"1005|Amoniaco, anhidro", "1005|Ammonia, anhydrous",
                                                      "1005|Anhydrous ammonia", "1006|Argón comprimido"};
        // Both languages in one Spanish order.
        QTest::newRow("alphabetical, at C")
            << true
            << QStringList{"2076|Cresoles líquidos", "3455|Cresoles sólidos", "2076|Cresols, liquid",
                           "3455|Cresols, solid", "2022|Cresylic acid", "1056|Criptón comprimido",
                           "1970|Criptón líquido refrigerado", "1143|Crotonaldehído o crotonaldehído estabilizado",
                           "1143|Crotonaldehyde", "1143|Crotonaldehyde, stabilized", "1862|Crotonato de etilo",
                           "3472|Crotonic acid, liquid", "2823|Crotonic acid, solid", "1144|Crotonileno"};
    }

    void index_pages()
    {
        QFETCH(bool, by_name);
        QFETCH(QStringList, rows);
        by_name ? Open_index_by_name() : Open_index_by_number();
        frmPages* pages = Find_child<frmPages>();
        QVERIFY(Scroll_to(pages, rows.first()));
        for (int i = 0; i < rows.size(); ++i)
            QCOMPARE(Row(pages, i), rows[i]);
    }

    void guide_button_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QList<Answer>>("answers");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("guide");
        QTest::addColumn<QString>("distances");     // the Green name the distances button finds
        QTest::addColumn<QStringList>("small");     // the box's small-spill cells
        QTest::addColumn<QStringList>("stored");    // the summary

        QTest::newRow("chlorine, toxic by inhalation")
            << "1017|Cloro" << QList<Answer>{} << QStringList{} << "GUÍA 124" << "Cloro "
            << QStringList{"60", "(200)", "0.3", "(0.2)", "1.5", "(0.9)"} << QStringList{"Cloro|1017|0|1"};
        const QString acid = QStringLiteral("Ácido clorosulfónico (con o sin trióxido de azufre)");
        QTest::newRow("water-reactive, spilled in water")
            << "1754|" + acid << QList<Answer>{Answer::Yes, Answer::No}
            << QStringList{"El producto se derramó en el agua?",
                           "ADVERTENCIA: Substancia tóxica por inhalación!\n\n" + acid
                               + ", Número de identificación 1754, crea grandes cantidades de vapores tóxicos de Cloruro "
                                 "de hidrógeno (HCl) cuando se derrama en agua.\n\nLa información pertinente para aquellos "
                                 "materiales está accesible en el resumen del informe. quiere abrir el informe?"}
            << "GUÍA 137" << acid + " (cuando es derramado en el agua)"
            << QStringList{"30", "(100)", "0.1", "(0.1)", "0.1", "(0.1)"}
            << QStringList{acid + "|1754|1|1", "Cloruro de hidrógeno anhidro|1050|1|0"};
    }

    void guide_button()
    {
        QFETCH(QString, entry);
        QFETCH(QList<Answer>, answers);
        QFETCH(QStringList, messages);
        QFETCH(QString, guide);
        QFETCH(QString, distances);
        QFETCH(QStringList, small);
        QFETCH(QStringList, stored);
        program_->ui.answers = answers;
        program_->ui.shown.clear();
        Clear_summary();  // the copy holds what was collected on the default database
        Open_index_by_number();
        frmPages* pages = Find_child<frmPages>();
        QVERIFY(Scroll_to(pages, entry));
        pages->cmdGuide[0]->click();
        QCOMPARE(program_->ui.texts(), messages);

        frmGuidePage* page = Find_child<frmGuidePage>();
        QVERIFY(page);
        QCOMPARE(page->lblGuide->text(), guide);
        const QString id = entry.section(u'|', 0, 0);
        QCOMPARE(page->lblNameProduct->text(), entry.section(u'|', 1) + ", Número de identificación " + id);
        QCOMPARE(test::Summary_rows(), stored);

        page->cmdIIPAD->click();
        const frmGreenBox* box = Find_child<frmGreenBox>();
        QVERIFY(box && box->Found());
        QCOMPARE(box->findChild<QLabel*>("lblID_0")->text(), id);
        QCOMPARE(box->findChild<QLabel*>("lblMat_0")->text(), distances);
        for (int column = SIM; column <= SPNM; ++column)
            QCOMPARE(box->findChild<QLabel*>(QStringLiteral("lblValue_0_%1").arg(column))->text(), small[column]);
    }
};

QTEST_MAIN(tst_Spanish_names)
#include "tst_Spanish_names.moc"
