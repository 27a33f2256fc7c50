// A guide page printed from its viewer on a recording printer (120 twips a
// character, 240 a line at 12 pt): its sheets, its distances, its jobs.
#include "Recording_surface.h"
#include "support/Fixture.h"
#include "support/Scripted_platform.h"

#include "app/General.h"
#include "data/Database.h"
#include "data/Queries.h"
#include "data/Schema.h"
#include "guides/Guide_page.h"
#include "guides/frmGuidePage.h"
#include "printing/Guide_page_print.h"

#include <QLabel>
#include <QPushButton>
#include <QPrinterInfo>
#include <QtTest>

using namespace vexo;
using namespace Qt::StringLiterals;
using test::Printed;

namespace {

constexpr double kWidth = 12000;  // 100 characters at 12 pt; 99 fit
constexpr double kHeight = 9000;  // 31 body lines under a header with a product line

const QString kLong = QStringLiteral(
    "Los recipientes pueden explotar cuando se calientan; los cilindros rotos pueden proyectarse violentamente. "
    "Los vapores pueden viajar hacia una fuente de encendido y provocar un retroceso de la llama.");

const QString kRows = QStringLiteral(R"sql(
INSERT INTO Sentences VALUES (1, 'GUÍA 124', 5), (2, 'GASES TÓXICOS Y/O CORROSIVOS', 2),
  (3, 'PELIGROS POTENCIALES', 3), (4, 'A LA SALUD', 4), (5, 'TÓXICO; puede ser fatal si se inhala.', 0),
  (6, 'Los vapores pueden causar irritación.', 1), (7, 'Mantenga alejado al personal.', 6),
  (8, '%1', 0), (9, 'Aísle el área del derrame o fuga inmediatamente a la redonda.', 0);
-- Slot 8 points at no sentence: an empty block. Then 40 short lines, so the page takes two sheets.
INSERT INTO Guides_pages VALUES (1, 124, 1), (2, 124, 2), (3, 124, 3), (4, 124, 4), (5, 124, 5),
  (6, 124, 6), (7, 124, 7), (8, 124, 99), (9, 124, 8);
WITH RECURSIVE n(k) AS (SELECT 10 UNION ALL SELECT k + 1 FROM n WHERE k < 49)
  INSERT INTO Guides_pages SELECT k, 124, 9 FROM n;
-- Page 141: bold words inside sentences, one wider than the page.
INSERT INTO Sentences VALUES (20, 'GUÍA 141', 5), (21, '• <b>TÓXICO</b>; evite el contacto.', 0),
  (22, '• Use la ropa de protección química que está específicamente recomendada por el fabricante ' ||
  '<b>cuando NO EXISTA RIESGO DE INCENDIO</b>.', 0), (23, '• <b>EXCEPTO para UN1384', 0), (24, 'Lea <b>esto</b>.', 1),
  (25, 'x <b>' || printf('%.120c', 'A') || '</b>', 0);
INSERT INTO Guides_pages SELECT Key + 40, 141, Key FROM Sentences WHERE Key >= 20;
-- The isolation's metres and the night's miles missing: each figure written alone.
INSERT INTO Green VALUES
  (1017, 'Chlorine ', '', '200', '0.3', '0.2', '1.5', ' ', 'Consulte la Tabla 3', 'Consulte la Tabla 3',
   'Consulte la Tabla 3', 'Consulte la Tabla 3', 'Consulte la Tabla 3', 'Consulte la Tabla 3');
)sql");

// A guide page printed from its button: the opener's product line, its
// distances lookup ("" no distances button), Table 3's rows for the gas and
// how the print dialog and the printer answer (done, cancel or fail); then
// per sheet its rules (header, footer, border, headings), the distances
// sheets' lines and what the user is told.
struct Print_case {
    bool product;
    QString lookup, table3, outcome;
    QList<int> rules;
    QStringList lines;
    QString told = {};
};

} // namespace

class tst_Guide_page_print : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        test::Make_database(dir_.filePath(u"guides.mdb"_s), kRows.arg(kLong));
        Main_database = Database::Open(dir_.filePath(u"guides.mdb"_s));
        // The distances button only shows where the distances box can open.
        frmGuidePage::Distances_box_opener = [] {};
    }

    void init() { journal_ = {}; }

    void cleanup()
    {
        platform::Install_printer_chooser({});
        frmGuidePage::Page_printer = nullptr;
    }

    void cleanupTestCase() { Main_database.reset(); }

    // The first body lines as "gap to the next|marks|text": "^" centred, "_"
    // under a rule, bold runs between asterisks; each block in the look of its
    // sentence code. 99 characters fit a line: the wrap falls at the last blank
    // that fits, inside a bold run; a mark left open prints as stored; a word
    // wider than the page breaks at the line's end.
    void body_lines_data()
    {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("124: the look of each code") << "124" << QStringList{"730|^_|*PELIGROS POTENCIALES*",
            "240|_|*A LA SALUD*", "240||TÓXICO; puede ser fatal si se inhala.",
            "240||*Los vapores pueden causar irritación.*", "240||*Mantenga alejado al personal.*"};
        QTest::newRow("141: bold words") << "141" << QStringList{"240||• *TÓXICO*; evite el contacto.",
            "240||• Use la ropa de protección química que está específicamente recomendada por el fabricante *cuando *",
            "240||*NO EXISTA RIESGO DE INCENDIO*.", "240||• <b>EXCEPTO para UN1384", "240||*Lea esto.*",
            "240||x *" + QString(97, u'A') + "*", "0||*" + QString(23, u'A') + "*"};
    }

    void body_lines()
    {
        QFETCH(QString, page);
        QFETCH(QStringList, lines);
        test::Install_recording_printer(journal_, kWidth, kHeight, u"done"_s);
        Install_page_printing();
        Open_page(false, false, {}, page)->cmdPrint->click();
        QList<Printed> printed = journal_.body_lines(1, Header_bottom, kHeight, u"*"_s);
        const QList<Printed> rules = journal_.lines(1);
        QStringList read;
        for (qsizetype k = 0; k < lines.size() && k < printed.size(); ++k) {
            const QString text = printed[k].text.replace(u"**"_s, QString());
            const double y = printed[k].y, x = printed[k].x;
            const bool centred = x > 0 && x == (kWidth - QString(text).remove(u'*').size() * 120) / 2;
            const bool ruled = std::any_of(rules.begin(), rules.end(), [&](const Printed& l) {
                return l.y == y - 250 && l.y > Header_bottom && l.x == 0 && l.x2 == kWidth;
            });
            read << u"%1|%2%3|%4"_s.arg(k + 1 < printed.size() ? printed[k + 1].y - y : 0)
                        .arg(centred ? "^" : "", ruled ? "_" : "", text);
        }
        QCOMPARE(read, lines);
    }

    // Every sheet has the header, with the product line when there is a
    // product, and its number, running on into the distances sheet, which only
    // a page with a distances button prints. That sheet writes the book's
    // figures as sentences; where Table 3 has the gas, its rows follow the
    // large spill, on that sheet and the next. Each printed line once, a label
    // and its sentence joined.
    void print_button_data()
    {
        QTest::addColumn<Print_case>("print");
        const auto row = [](const char* name, const Print_case& print) { QTest::newRow(name) << print; };
        const QString chlorine = sql::Distances_lookup("1017", "Chlorine", "");
        const QString without = u"No se encontraron en la base de datos las distancias de aislamiento inicial y "
                                "acción protectora de este producto, por lo que la guía se imprimió sin ellas."_s;
        const QString protect = u" PROTEJA a las Personas en la Dirección del Viento:"_s;
        const QString refer = protect + u" Consulte la Tabla 3"_s;
        const QStringList small{"Distancias de aislamiento inicial y acción protectora", "DERRAMES PEQUEÑOS",
                                "Primero AISLAR a la Redonda: 200 pies", "LUEGO",
                                "DIA: " + protect + " 0.3 kilómetros, 0.2 millas", "O",
                                "NOCHE: " + protect + " 1.5 kilómetros", "DERRAMES GRANDES",
                                "Primero AISLAR a la Redonda: Consulte la Tabla 3", "LUEGO", "DIA: " + refer, "O",
                                "NOCHE: " + refer};
        const QString table3 =
            QStringLiteral("INSERT INTO Large_spills VALUES (1, 2, '1017', 'Chlorine', 'Carro tanque de ferrocarril', "
                           "'1000', '3000', '9.6', '6.0', '6.3', '3.9', '5.1', '3.2', '11.0+', '7.0+', '8.9', '5.6', "
                           "'6.5', '4.1'), (2, 2, '1017', 'Chlorine', 'Varios cilindros de una tonelada', '300', "
                           "'1000', '1.9', '1.2', '1.3', '0.8', '1.0', '0.6', '3.5', '2.2', '2.3', '1.4', '1.3', '0.8');");
        row("opened from the chooser", {false, "", "", "done", {8, 6}, {}});
        row("a product without distances", {true, "", "", "done", {8, 6}, {}});
        // The distances sheet has a rule under its title and under each spill section.
        row("a product with distances", {true, chlorine, "", "done", {8, 6, 9}, small});
        row("distances and Table 3", {true, chlorine, table3, "done", {8, 6, 9, 7},
            small + QStringList{"DERRAMES GRANDES POR CONTENEDOR DE TRANSPORTE (TABLA 3)", "Carro tanque de ferrocarril",
                   "Primero AISLAR a la Redonda: 1000 metros, 3000 pies", "DIA: " + protect,
                   "viento bajo (< 10 km/h): 9.6 kilómetros, 6.0 millas",
                   "viento moderado (10–20 km/h): 6.3 kilómetros, 3.9 millas",
                   "viento fuerte (> 20 km/h): 5.1 kilómetros, 3.2 millas", "NOCHE: " + protect,
                   "viento bajo (< 10 km/h): 11.0+ kilómetros, 7.0+ millas", "Varios cilindros de una tonelada",
                   "Primero AISLAR a la Redonda: 300 metros, 1000 pies",
                   "\"+\" significa que la distancia puede ser mayor en ciertas condiciones atmosféricas."}});
        row("cancelled in the dialog", {true, chlorine, "", "cancel", {}, {}});
        row("distances not found: the guide alone, and why",
            {true, sql::Distances_lookup("1017", "Bromine", ""), "", "done", {8, 6}, {}, without});
        row("a lookup that cannot run: the same", {true, u"SELECT * FROM Nowhere"_s, "", "done", {8, 6}, {}, without});
        row("printer fails at the first break", {true, chlorine, "", "fail", {8}, {}});
    }

    void print_button()
    {
        QFETCH(Print_case, print);
        const auto& [product, lookup, table3, outcome, rules, lines, told] = print;
        test::Scripted_platform ui;
        const auto documents = test::Install_recording_printer(journal_, kWidth, kHeight, outcome);
        Install_page_printing();
        const QString create = schema::Create_table_sql(*schema::Find_table(u"Large_spills"_s));
        Main_database->Execute_native(table3.isEmpty() ? QString() : create + table3);
        auto page = Open_page(product, !lookup.isEmpty(), lookup);
        page->cmdPrint->click();
        Main_database->Execute_native(table3.isEmpty() ? QString() : u"DROP TABLE Large_spills;"_s);

        QCOMPARE(*documents, QStringList{u"GUÍA 124"_s});
        QCOMPARE(QList<bool>({journal_.ended, journal_.aborted}), QList<bool>({outcome == "done", outcome == "fail"}));
        QCOMPARE(journal_.items.isEmpty() ? 0 : journal_.sheets, rules.size());
        for (const Printed& p : Body(0))
            QCOMPARE(p.font, u"Times New Roman"_s);
        // A failing printer or a cancel says nothing; a guide printed without
        // its distances says why.
        QCOMPARE(ui.texts(), told.isEmpty() ? QStringList() : QStringList{told});
        QVERIFY(told.isEmpty() || ui.shown[0].icon == platform::Icon::Exclamation);
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        if (outcome != "done")
            return;
        QCOMPARE(Header_bottom, product ? 560.0 : 320.0);
        const QString qualified = u"Cloro, Número de identificación 1017 (cuando es derramado en el agua)"_s;
        for (int sheet = 1; sheet <= journal_.sheets; ++sheet) {
            const QList<Printed> texts = journal_.texts(sheet);
            QCOMPARE(texts[0].text + u'@' + QString::number(texts[0].size), u"GUÍA 124   GASES TÓXICOS Y/O CORROSIVOS@16"_s);
            if (product || sheet == 1)
                QCOMPARE(texts[1].text + u'@' + QString::number(texts[1].y),
                         product ? qualified + u"@320"_s : u"PELIGROS POTENCIALES@580"_s);
            QCOMPARE(journal_.words(sheet).filter(QRegularExpression(u"^Página |^MARDOVI VEXO$"_s)),
                     QStringList({u"MARDOVI VEXO"_s, u"Página %1"_s.arg(sheet)}));
            QCOMPARE(journal_.lines(sheet).size(), rules[sheet - 1]);
        }

        // The guide sheets hold every block in its order, the long sentence wrapped at a blank.
        QStringList printed, captions;
        for (int sheet = 1; sheet <= 2; ++sheet)
            for (const Printed& p : Body(sheet))
                printed << p.text;
        for (qint16 i = 0; i <= page->Last_block(); ++i)
            captions << page->lblText[i]->text();
        QCOMPARE(captions.size(), 47);
        QCOMPARE(printed.join(u' ').simplified(), captions.join(u' ').simplified());
        QVERIFY(!printed.contains(kLong) && printed.contains(kLong.left(kLong.lastIndexOf(u' ', 98) + 1)));

        QString written;
        for (int sheet = 3; sheet <= journal_.sheets; ++sheet)
            for (const Printed& p : Body(sheet))
                written += p.text + (p.text.endsWith(u' ') ? QString() : u"\n"_s);
        qsizetype at = 0;
        for (const QString& text : lines) {
            const qsizetype found = written.indexOf(text + u'\n', at);
            if (found < 0)
                QFAIL(qPrintable(u"not printed after %1: %2\n%3"_s.arg(at).arg(text, written)));
            at = found + text.size() + 1;
        }
        QCOMPARE(at, written.size());  // nothing else after
        if (lines.isEmpty())
            return;
        // The title bold and centred; the day label in bold, its sentence
        // regular on the same line just after it.
        const QList<Printed> body = Body(3);
        QVERIFY(body[0].bold && body[4].bold && !body[5].bold);
        QCOMPARE(body[0].x, (kWidth - body[0].text.size() * 120) / 2);
        QCOMPARE(QList<double>({body[5].y, body[5].x}), QList<double>({body[4].y, 5 * 120.0}));
    }

    void without_a_printer_a_pdf_is_saved_and_the_user_told()
    {
        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("this machine has a printer");
        QTemporaryDir home;
        const QByteArray old_home = qgetenv("HOME");
        qputenv("HOME", home.path().toLocal8Bit());
        test::Scripted_platform ui;
        Install_page_printing();
        const auto page = Open_page(true, true);
        page->cmdPrint->click();
        page->cmdPrint->click();  // a second printout keeps the first
        qputenv("HOME", old_home);

        QCOMPARE(ui.shown.size(), 2);
        QStringList files;
        for (const platform::Message& m : ui.shown) {
            QCOMPARE(m.icon, platform::Icon::Information);
            QCOMPARE(m.title + u'|' + m.text.section(u'\n', 0, 0), u"MARDOVI VEXO|No hay ninguna impresora instalada. "
                                                                    "La página se guardó como documento PDF en:"_s);
            files << m.text.section(u'\n', 1);
            QVERIFY2(files.last().startsWith(home.path()), qPrintable(files.last()));
            QCOMPARE(test::Read_file(files.last()).left(5), QByteArray("%PDF-"));
        }
        QVERIFY(files[0] != files[1]);
    }

private:
    // The viewer as an opener leaves it: with or without product and distances.
    std::unique_ptr<frmGuidePage> Open_page(bool product, bool distances,
                                            const QString& lookup = sql::Distances_lookup("1017", "Chlorine", ""),
                                            const QString& guide = u"124"_s)
    {
        Guide_page_records = Main_database->OpenRecordset(sql::Guide_page_SQL(guide));
        Product_label = product ? u"Cloro, Número de identificación 1017"_s : QString();
        auto page = std::make_unique<frmGuidePage>();
        if (distances)
            page->Show_distances(lookup);
        if (product)
            page->Set_print_qualifier(u"(cuando es derramado en el agua)"_s);
        return page;
    }

    // The texts of a sheet below its header and above its footer.
    QList<Printed> Body(int sheet) const { return journal_.body(sheet, Header_bottom, kHeight); }

    QTemporaryDir dir_;
    test::Print_journal journal_;
};

QTEST_MAIN(tst_Guide_page_print)
#include "tst_Guide_page_print.moc"
