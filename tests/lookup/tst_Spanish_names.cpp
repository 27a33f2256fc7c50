// The Spanish names of the default database beside the book's English ones:
// placed in both indexes, and leading from their guide button to the guide,
// the distances and the water question of the English entry they stand for.
#include "app/Child_windows.h"
#include "app/General.h"
#include "distances/frmGreenBox.h"
#include "guides/frmGuidePage.h"
#include "lookup/frmPages.h"
#include "summary/Summary_store.h"
#include "Lookup_fixture.h"
#include "support/Loaded_program.h"
#include "support/Widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

using namespace vexo;
using platform::Answer;

namespace {

// Scrolls until `entry` ("ID|name") heads the page.
bool Scroll_to(frmPages* pages, const QString& entry)
{
    const int row = test::Show_entry(pages, entry);
    pages->vscData->setValue(pages->vscData->value() + row);
    return row >= 0 && test::Entry(pages, 0) == entry;
}

// A Spanish entry's guide button: the answers, the messages, the guide, the
// Green name its distances button finds, the box's small-spill cells and the
// summary.
struct Guide_case {
    QString entry;
    QList<Answer> answers;
    QStringList messages;
    QString guide, distances;
    QStringList small, stored;
};

} // namespace

class tst_Spanish_names : public QObject {
    Q_OBJECT
    std::unique_ptr<test::Loaded_program> program_;

private Q_SLOTS:
    void init() { program_ = std::make_unique<test::Loaded_program>(QStringLiteral(VEXO_BIN_DIR "/guide2ks.mdb")); }
    void cleanup() { program_.reset(); }

    void index_pages_data()
    {
        QTest::addColumn<bool>("by_name");
        QTest::addColumn<QStringList>("rows");  // from the top of the page
        // Each ID opens with its Spanish name, then the book's names in its order.
        QTest::newRow("numeric, 1005") << false << QStringList{"1005|Amoniaco, anhidro", "1005|Ammonia, anhydrous",
                                                               "1005|Anhydrous ammonia", "1006|Argón comprimido"};
        // Both languages in one Spanish order.
        QTest::newRow("alphabetical, at C")
            << true << QStringList{"2076|Cresoles líquidos", "3455|Cresoles sólidos", "2076|Cresols, liquid",
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
            QCOMPARE(test::Entry(pages, i), rows[i]);
    }

    void guide_button_data()
    {
        QTest::addColumn<Guide_case>("guide");
        QTest::newRow("chlorine, toxic by inhalation") << Guide_case{"1017|Cloro", {}, {}, "GUÍA 124", "Cloro ",
            {"60", "(200)", "0.3", "(0.2)", "1.5", "(0.9)"}, {"Cloro|1017|0|1"}};
        const QString acid = QStringLiteral("Ácido clorosulfónico (con o sin trióxido de azufre)");
        QTest::newRow("water-reactive, spilled in water") << Guide_case{"1754|" + acid, {Answer::Yes, Answer::No},
            {"El producto se derramó en el agua?",
             "ADVERTENCIA: Substancia tóxica por inhalación!\n\n" + acid + ", Número de identificación 1754, crea grandes "
             "cantidades de vapores tóxicos de Cloruro de hidrógeno (HCl) cuando se derrama en agua.\n\nLa información "
             "pertinente para aquellos materiales está accesible en el resumen del informe. quiere abrir el informe?"},
            "GUÍA 137", acid + " (cuando es derramado en el agua)", {"30", "(100)", "0.1", "(0.1)", "0.1", "(0.1)"},
            {acid + "|1754|1|1", "Cloruro de hidrógeno anhidro|1050|1|0"}};
    }

    void guide_button()
    {
        QFETCH(Guide_case, guide);
        const auto& [entry, answers, messages, guide_number, distances, small, stored] = guide;
        program_->ui().answers = answers;
        program_->ui().shown.clear();
        Clear_summary();  // the copy holds what was collected on the default database
        Open_index_by_number();
        frmPages* pages = Find_child<frmPages>();
        QVERIFY(Scroll_to(pages, entry));
        pages->cmdGuide[0]->click();
        QCOMPARE(program_->ui().texts(), messages);

        frmGuidePage* page = Find_child<frmGuidePage>();
        QVERIFY(page);
        QCOMPARE(page->lblGuide->text(), guide_number);
        const QString id = entry.section(u'|', 0, 0);
        QCOMPARE(page->lblNameProduct->text(), entry.section(u'|', 1) + ", Número de identificación " + id);
        QCOMPARE(test::Summary_rows(), stored);

        page->cmdIIPAD->click();
        const frmGreenBox* box = Find_child<frmGreenBox>();
        QVERIFY(box && box->Found());
        QCOMPARE(test::Child<QLabel>(box, "lblID", 0)->text(), id);
        QCOMPARE(test::Child<QLabel>(box, "lblMat", 0)->text(), distances);
        for (int column = SIM; column <= SPNM; ++column)
            QCOMPARE(test::Child<QLabel>(box, "lblValue", 0, column)->text(), small[column]);
    }
};

QTEST_MAIN(tst_Spanish_names)
#include "tst_Spanish_names.moc"
