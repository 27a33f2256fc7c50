// The summary report on a recording printer (120 twips a character, 240 a line
// at 12 pt): each product's block whole on a sheet, and its commands.
#include "Recording_surface.h"
#include "lookup/Lookup_fixture.h"

#include "guides/frmGuidePage.h"
#include "printing/Summary_print.h"
#include "summary/Summary_store.h"

#include <QLocale>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

using namespace vexo;
using namespace Qt::StringLiterals;
using test::Printed;

namespace {

constexpr double kWidth = 12000;  // 100 characters at 12 pt
constexpr double kHeight = 6000;  // 20 body lines under the summary's header

// A water spill with its two gases, an agent, a product without distances, one
// that may polymerize and one whose name has a double quote.
const char* const kCollected[][4] = {
    {"Chlorosulfonic acid", "1754", "1", "1"}, {"Hydrogen chloride, anhydrous", "1050", "1", "0"},
    {"Sulfuric acid", "1830", "1", "0"},       {"Sarin", "2810", "0", "1"},
    {"Acetone", "1090", "0", "1"},             {"Formaldehyde solution", "2209", "0", "1"},
    {"Shell 5\" caliber", "2222", "0", "1"}};

// A spill's lines: its title, the isolation, the day's and the night's kilometres and miles.
QStringList Spill(const char* title, const char* isolate, const char* day_km, const char* day_mi, const char* night_km,
                  const char* night_mi)
{
    const QString protect = u" PROTEJA a las Personas en la Dirección del Viento: %1 kilómetros, %2 millas"_s;
    return {QString::fromUtf8(title), u"Primero AISLAR a la Redonda: "_s + QString::fromUtf8(isolate),
            "DIA: " + protect.arg(day_km, day_mi), "NOCHE: " + protect.arg(night_km, night_mi)};
}

} // namespace

class tst_Summary_print : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Spain));
        // Guide pages show their distances button only where the box can open.
        frmGuidePage::Distances_box_opener = [] {};
        test::Make_database(dir_.filePath(u"lookup.mdb"_s), QString::fromUtf8(test::kIndex_rows));
        Main_database = Database::Open(dir_.filePath(u"lookup.mdb"_s));
    }

    void init()
    {
        journal_ = {};
        Clear_summary();
        for (const auto& row : kCollected)
            Add_to_summary(QString::fromUtf8(row[0]), row[1], row[2], row[3]);
        Summary_empty = false;
    }

    void cleanup() { platform::Install_printer_chooser({}); }

    void cleanupTestCase() { Main_database.reset(); }

    // Every product in its order, each block whole on one sheet: 19 lines on
    // the first; the polymerizing product would not fit under the third block
    // of the second. Every sheet has its header and number; nothing runs into
    // the footer's rule.
    void each_product_with_its_marks_and_distances()
    {
        const QString rit = u"RIT: Substancia tóxica por inhalación"_s;
        const QString distances = u"Distancias de aislamiento inicial y acción protectora"_s;
        const QString gas = u"gas producido por un derrame en el agua"_s;
        const QList<QStringList> expected{
            QStringList{"1754   Chlorosulfonic acid", "Guía 139   SUSTANCIAS QUE REACCIONAN CON AGUA", rit,
                        "MRA: Materiales peligrosos reactivos al agua que producen gases toxicos",
                        "derramado en el agua", distances + " (cuando es derramado en el agua)"}
                + Spill("DERRAMES PEQUEÑOS", "30 metros, 100 pies", "0.1", "0.1", "0.2", "0.1")
                + Spill("DERRAMES GRANDES", "30 metros, 100 pies", "0.3", "0.2", "1.1", "0.7"),
            // The water spill's gas, whose distances are missing; its second gas, unmarked.
            {"1050   Hydrogen chloride, anhydrous", "Guía 124   GASES TÓXICOS Y/O CORROSIVOS", rit, gas, distances,
             "Sus distancias no se encuentran en la base de datos."},
            {"1830   Sulfuric acid", "Guía 153   SUSTANCIAS TÓXICAS", gas},
            QStringList{"2810   Sarin", "Guía 153   SUSTANCIAS TÓXICAS", rit, "Q/B: Agente Químico y/o biológico",
                        distances + " (cuando es utilizado como una arma)"}
                + Spill("DERRAMES PEQUEÑOS", "60 metros, 200 pies", "0.4", "0.3", "1.1", "0.7")
                + Spill("DERRAMES GRANDES", "400 metros, 1250 pies", "2.1", "1.3", "4.9", "3.0"),
            {"1090   Acetone", "Guía 128   LÍQUIDOS INFLAMABLES"},
            {"2209   Formaldehyde solution", "Guía 128P   LÍQUIDOS INFLAMABLES", "P: puede polimerizar"},
            {"2222   Shell 5\" caliber", "Guía 128   LÍQUIDOS INFLAMABLES"}};
        test::Recording_surface surface(journal_, kWidth, kHeight);
        surface.Set_FontSize(12);
        Summary_print(surface, test::kWhen).Print_summary(Summary_products());
        QList<QStringList> blocks;
        int sheet = 0;
        for (const Printed& line : journal_.body_lines(0, 570, kHeight)) {
            if (line.text.contains(QRegularExpression(u"^\\d{4}   "_s)) || blocks.isEmpty()) {
                blocks << QStringList();
                sheet = line.sheet;
            }
            QCOMPARE(line.sheet, sheet);  // never split over a sheet break
            blocks.last() << line.text;
        }
        QCOMPARE(blocks, expected);
        QCOMPARE(journal_.sheets, 3);
        QCOMPARE(journal_.texts(3)[2].text, u"2209   Formaldehyde solution"_s);
        for (int sheet = 1; sheet <= journal_.sheets; ++sheet) {
            const QList<Printed> texts = journal_.texts(sheet);
            QCOMPARE(journal_.words(sheet).filter(QRegularExpression(u"^Resumen|^miércoles|^Página |^MARDOVI VEXO$"_s)),
                     QStringList({u"Resumen del incidente"_s, u"miércoles, 15 de marzo de 2000, 14:05"_s,
                                  u"MARDOVI VEXO"_s, u"Página %1"_s.arg(sheet)}));
            QCOMPARE(QList<double>({texts[0].size, double(texts[0].bold), texts[1].y}), QList<double>({16, 1, 320}));
            for (const Printed& p : texts)
                QVERIFY2(p.y + 240 <= kHeight - 240 - 10 || p.y == kHeight - 240, qPrintable(p.text));
        }
    }

    void commands_data()
    {
        QTest::addColumn<bool>("save");
        QTest::addColumn<bool>("guide_pages");
        QTest::addColumn<QString>("outcome");  // done, cancel or fail; empty: the summary has no products
        QTest::addColumn<int>("sheets");       // on the recording printer; the least in a PDF
        QTest::addColumn<QString>("told");     // after the question, or in its place
        const QString pdf = QDir::toNativeSeparators(u"/proc/vexo/resumen.pdf"_s);
        const QString saved = u"El resumen se guardó como documento PDF en:\n"_s + pdf;
        const QString none = u"El resumen no tiene productos que imprimir."_s;
        // Seven guide sheets and two distances pages of two sheets each follow
        // the three of the summary.
        QTest::newRow("printed") << false << false << "done" << 3 << "";
        QTest::newRow("printed with the guide pages") << false << true << "done" << 14 << "";
        QTest::newRow("print cancelled") << false << false << "cancel" << 0 << "";
        QTest::newRow("printer out of paper") << false << false << "fail" << 1 << "No se pudo imprimir el resumen.";
        QTest::newRow("saved") << true << false << "done" << 1 << saved;
        QTest::newRow("saved with the guide pages") << true << true << "done" << 10 << saved;
        QTest::newRow("save cancelled") << true << true << "cancel" << 0 << "";
        QTest::newRow("folder that cannot be written")
            << true << false << "fail" << 0 << u"No se pudo guardar el resumen en:\n"_s + pdf;
        // An empty summary prints nothing and says so, from either command.
        QTest::newRow("nothing to print") << false << false << "empty" << 0 << none;
        QTest::newRow("nothing to save") << true << false << "empty" << 0 << none;
    }

    void commands()
    {
        QFETCH(bool, save);
        QFETCH(bool, guide_pages);
        QFETCH(QString, outcome);
        QFETCH(int, sheets);
        QFETCH(QString, told);
        if (outcome == "empty")
            Clear_summary();
        QTemporaryDir folder;
        // A fresh file for each row, named as the message names it.
        const QString file = outcome == "fail" ? u"/proc/vexo/resumen"_s : folder.filePath(u"resumen"_s);
        told.replace(QDir::toNativeSeparators(u"/proc/vexo/resumen"_s), QDir::toNativeSeparators(file));
        test::Scripted_platform ui;
        ui.answers = {guide_pages ? platform::Answer::Yes : platform::Answer::No};
        if (outcome != "cancel")
            ui.files = {file};
        const auto documents = test::Install_recording_printer(journal_, kWidth, kHeight, outcome);
        save ? Save_summary_report() : Print_summary_report();

        const bool asked = outcome != "empty";  // whether to print the guide pages too
        QCOMPARE(ui.shown.size(), asked + !told.isEmpty());
        QCOMPARE(ui.shown[0].icon, asked ? platform::Icon::Question : platform::Icon::Exclamation);
        QVERIFY(!asked || ui.shown[0].text.contains(u"página de la guía de cada producto"_s));
        QCOMPARE(ui.shown.last().text, told.isEmpty() ? ui.shown[0].text : told);
        QCOMPARE(QList<bool>({journal_.ended, journal_.aborted}),
                 QList<bool>({!save && outcome == "done", !save && outcome == "fail"}));
        if (!save) {
            QCOMPARE(*documents, asked ? QStringList{u"Resumen del incidente"_s} : QStringList());
            QCOMPARE(journal_.items.isEmpty() ? 0 : journal_.sheets, sheets);
            if (guide_pages)
                QCOMPARE(journal_.words(4)[0].left(4), u"GUÍA"_s);
            return;
        }
        // The dialog offers a name for this minute in the documents folder.
        QVERIFY(documents->isEmpty());
        const QString offered = asked ? platform::Documents_folder() + u"/Resumen_0000-00-00_0000.pdf"_s : QString();
        QCOMPARE(ui.proposed.join(u'|').replace(QRegularExpression(u"\\d(?=[\\d_-]*\\.pdf$)"_s), u"0"_s), offered);
        QCOMPARE(QFileInfo::exists(file + u".pdf"_s), outcome == "done");
        if (outcome == "done")
            QVERIFY2(Pdf_text(file + u".pdf"_s).count(u'\f') >= sheets, qPrintable(QString::number(sheets)));
    }

    // The default database's summary written to a PDF file reads back with every product in order.
    void default_database_summary_as_pdf()
    {
        if (QStandardPaths::findExecutable(u"pdftotext"_s).isEmpty())
            QSKIP("pdftotext is not installed");
        QTemporaryDir folder;
        const QString copy = folder.filePath(u"guide2ks.mdb"_s);
        QVERIFY(QFile::copy(QStringLiteral(VEXO_BOOK), copy));
        Main_database = Database::Open(copy);
        Clear_summary();
        const QStringList ids{"1754", "1050", "1830", "1005", "2810", "1090", "2209"};
        for (const QString& id : ids)
            Add_to_summary(test::Rows_of(u"SELECT Name_of_material FROM Yellow WHERE ID = '%1'"_s.arg(id),
                                         {u"Name_of_material"_s}).value(0), id, "0", "1");
        const QString pdf = folder.filePath(u"resumen.pdf"_s);
        test::Scripted_platform ui;
        ui.files = {pdf};
        Save_summary_report();
        Main_database.reset();
        // Ammonia's large spills go on with its Table 3 rows, the nurse tank among them.
        QString order = u"(?s)Resumen del incidente"_s;
        for (const QString& id : ids)
            order += u".*\\b%1\\s+\\p{Lu}"_s.arg(id) + (id == "1005" ? u".*Tanque nodriza agrícola"_s : QString());
        QVERIFY2(Pdf_text(pdf).contains(QRegularExpression(order)), qPrintable(order));
    }

private:
    // A PDF file's text, a form feed after each page; empty without pdftotext.
    static QString Pdf_text(const QString& pdf)
    {
        QProcess text;
        text.start(QStandardPaths::findExecutable(u"pdftotext"_s), {u"-layout"_s, pdf, u"-"_s});
        text.waitForFinished();
        return QString::fromUtf8(text.readAllStandardOutput());
    }

    QTemporaryDir dir_;
    test::Print_journal journal_;
};

QTEST_MAIN(tst_Summary_print)
#include "tst_Summary_print.moc"
