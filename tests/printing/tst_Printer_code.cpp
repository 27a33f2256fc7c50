// The print engine on a recording printer whose characters are all 120
// twips wide and whose lines are 240 twips tall at 12 pt (160 and 320 at
// 16 pt): where lines land, how long texts wrap, where pages break, and the
// frame of every sheet.
#include "Recording_surface.h"

#include "app/General.h"
#include "printing/Printer_code.h"

#include <QtTest>

using namespace vexo;
using test::Printed;

namespace {

constexpr double kWidth = 9600;    // 80 characters at 12 pt; 79 fit
constexpr double kHeight = 12000;
const QDateTime kWhen(QDate(2000, 3, 15), QTime(14, 5));

Page_header Plain_header()
{
    return {QStringLiteral("GUÍA 124"), QStringLiteral("GASES TÓXICOS"), false, {}, {}};
}

QString Repeat(QChar c, int n)
{
    return QString(n, c);
}

} // namespace

class tst_Printer_code : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init();
    void header_data();
    void header();
    void wrap_data();
    void wrap();
    void page_breaks_before_the_reserve_data();
    void page_breaks_before_the_reserve();
    void a_block_can_break_between_its_lines();
    void every_sheet_is_framed_and_numbered();
    void footer_sits_on_one_line_above_the_border();

private:
    Printer_code& Start(Page_header header = Plain_header());
    QStringList Body(int sheet) const;

    test::Print_journal journal_;
    std::unique_ptr<test::Recording_surface> surface_;
    std::unique_ptr<Printer_code> engine_;
};

void tst_Printer_code::init()
{
    journal_ = {};
    surface_ = std::make_unique<test::Recording_surface>(journal_, kWidth, kHeight);
    engine_.reset();
}

Printer_code& tst_Printer_code::Start(Page_header header)
{
    engine_ = std::make_unique<Printer_code>(*surface_, std::move(header));
    engine_->Now = [] { return kWhen; };
    surface_->Set_FontSize(12);
    Page_number = 1;
    engine_->Begin_page();
    surface_->Set_FontBold(false);
    return *engine_;
}

// The texts of a sheet between its header and its footer.
QStringList tst_Printer_code::Body(int sheet) const
{
    QStringList out;
    for (const Printed& p : journal_.texts(sheet))
        if (p.size == 12 && p.y > 0 && p.y < kHeight - 240)
            out << p.text;
    return out;
}

void tst_Printer_code::header_data()
{
    QTest::addColumn<double>("width");
    QTest::addColumn<bool>("product");
    QTest::addColumn<QStringList>("lines");  // as printed, the header's 16 pt line first
    QTest::addColumn<double>("bottom");
    const QString guide = QStringLiteral("GUÍA 124   GASES TÓXICOS");
    QTest::newRow("no product line") << kWidth << false << QStringList{guide} << 320.0;
    // 58 characters of product line with its qualifier: wrapped in the header
    // when the sheet is narrower, without any page check.
    QTest::newRow("product line") << kWidth << true
                                  << QStringList{guide, "Cloro, Número de identificación 1017 (cuando es derramado)"}
                                  << 560.0;
    QTest::newRow("product line, 39 characters fit")
        << 4800.0 << true
        << QStringList{guide, "Cloro, Número de identificación 1017 ", "(cuando es derramado) "} << 800.0;
}

void tst_Printer_code::header()
{
    QFETCH(double, width);
    QFETCH(bool, product);
    QFETCH(QStringList, lines);
    QFETCH(double, bottom);
    surface_ = std::make_unique<test::Recording_surface>(journal_, width, kHeight);
    Start({QStringLiteral("GUÍA 124"), QStringLiteral("GASES TÓXICOS"), product,
           QStringLiteral("Cloro, Número de identificación 1017"), QStringLiteral("(cuando es derramado)")});
    QCOMPARE(journal_.words(1), lines);
    const QList<Printed> texts = journal_.texts(1);
    QCOMPARE(QList<double>({texts[0].x, texts[0].y, texts[0].size}), QList<double>({0, 0, 16}));
    QVERIFY(texts[0].bold);
    if (product)
        QCOMPARE(QList<double>({texts[1].y, texts[1].size, double(texts[1].bold)}), QList<double>({320, 12, 1}));
    QCOMPARE(Header_bottom, bottom);
    // The rule under the header, and the body starting 10 twips below it.
    const QList<Printed> rules = journal_.lines(1);
    QCOMPARE(rules.size(), 1);
    QCOMPARE(QList<double>({rules[0].x, rules[0].y, rules[0].x2, rules[0].y2}), QList<double>({0, bottom, width, bottom}));
    QCOMPARE(surface_->CurrentY, bottom + 10);
}

void tst_Printer_code::wrap_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    const QString a60 = Repeat(u'a', 60), b70 = Repeat(u'b', 70), c10 = Repeat(u'c', 10);
    QTest::newRow("fits, printed as given") << QStringLiteral("Mantenga alejado al personal.")
                                            << QStringList{QStringLiteral("Mantenga alejado al personal.")};
    QTest::newRow("79 characters fit") << Repeat(u'x', 79) << QStringList{Repeat(u'x', 79)};
    QTest::newRow("one character too wide")
        << Repeat(u'a', 70) + u' ' + Repeat(u'b', 9)
        << QStringList{Repeat(u'a', 70) + u' ', Repeat(u'b', 9) + u' '};
    QTest::newRow("three lines, one blank at each end")
        << a60 + u' ' + b70 + u' ' + c10 << QStringList{a60 + u' ', b70 + u' ', c10 + u' '};
    QTest::newRow("a 400-character word is broken, not lost")
        << Repeat(u'A', 400)
        << QStringList{Repeat(u'A', 79), Repeat(u'A', 79), Repeat(u'A', 79), Repeat(u'A', 79), Repeat(u'A', 79),
                       QStringLiteral("AAAAA ")};
    QTest::newRow("a short word, then one too wide")
        << QStringLiteral("Use ") + Repeat(u'A', 100)
        << QStringList{QStringLiteral("Use "), Repeat(u'A', 79), Repeat(u'A', 21) + u' '};
    QTest::newRow("a word that fills the line exactly")
        << Repeat(u'A', 79) + QStringLiteral(" más") << QStringList{Repeat(u'A', 79), QStringLiteral("más ")};
    QTest::newRow("a long Spanish paragraph wraps at blanks") << QStringLiteral(
        "Los recipientes pueden explotar cuando se calientan; los cilindros rotos pueden proyectarse "
        "violentamente. Muchos gases son más pesados que el aire y se dispersan a lo largo del suelo, "
        "acumulándose en áreas bajas o confinadas (alcantarillas, sótanos, tanques). Los vapores pueden "
        "viajar hacia una fuente de encendido y provocar un retroceso de la llama al punto de origen.")
                                                              << QStringList();
}

void tst_Printer_code::wrap()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    Printer_code& engine = Start();
    const QString given = text;
    engine.Print_wrapped(text);
    const QStringList body = Body(1);
    if (!lines.isEmpty())
        QCOMPARE(body, lines);
    // Every word printed whole and in order, no line wider than the sheet,
    // each a line below the last from the left edge.
    QCOMPARE(body.join(QString()).remove(u' '), QString(given).remove(u' '));
    const QList<Printed> printed = journal_.texts(1).mid(1);
    for (qsizetype k = 0; k < printed.size(); ++k) {
        QVERIFY2(printed[k].text.size() <= 79 && !printed[k].text.endsWith(QStringLiteral("  ")),
                 qPrintable(printed[k].text));
        QCOMPARE(QList<double>({printed[k].x, printed[k].y}), QList<double>({0, 330.0 + 240 * k}));
    }
    QCOMPARE(surface_->CurrentY, 330.0 + 240 * body.size());
    QCOMPARE(text, body.last());  // the argument ends as the last piece
}

void tst_Printer_code::page_breaks_before_the_reserve_data()
{
    // The reserve is the header's height plus twice the width of a "T"
    // (240): 320 + 240 below the position without a product line, 560 + 240
    // with one.
    QTest::addColumn<bool>("product");
    QTest::addColumn<double>("y");
    QTest::addColumn<int>("sheet");
    QTest::addColumn<double>("printed_at");
    QTest::newRow("one twip above the reserve") << false << 11439.0 << 1 << 11439.0;
    QTest::newRow("at the reserve") << false << 11440.0 << 2 << 330.0;
    QTest::newRow("with a product line, above") << true << 11199.0 << 1 << 11199.0;
    QTest::newRow("with a product line, at the reserve") << true << 11200.0 << 2 << 570.0;
}

void tst_Printer_code::page_breaks_before_the_reserve()
{
    QFETCH(bool, product);
    QFETCH(double, y);
    QFETCH(int, sheet);
    QFETCH(double, printed_at);
    Page_header header = Plain_header();
    header.has_product = product;
    header.product = QStringLiteral("Cloro");
    Printer_code& engine = Start(header);
    surface_->CurrentY = y;
    QString text = QStringLiteral("Evacuar.");
    engine.Print_wrapped(text);
    QCOMPARE(journal_.sheets, sheet);
    const QList<Printed> texts = journal_.texts(sheet);
    auto line = std::find_if(texts.begin(), texts.end(), [](const Printed& p) { return p.text == "Evacuar."; });
    QVERIFY(line != texts.end());
    QCOMPARE(line->y, printed_at);
    if (sheet == 2) {
        QVERIFY(journal_.words(1).contains(QStringLiteral("Página 1")));
        QCOMPARE(journal_.words(2).first(), header.guide + QStringLiteral("   ") + header.title);
        QCOMPARE(Page_number, 2);
    }
}

void tst_Printer_code::a_block_can_break_between_its_lines()
{
    Printer_code& engine = Start();
    surface_->CurrentY = 11440 - 240;  // room for one line only
    QString text = Repeat(u'a', 60) + u' ' + Repeat(u'b', 70) + u' ' + Repeat(u'c', 10);
    engine.Print_wrapped(text);
    QCOMPARE(Body(1), QStringList{Repeat(u'a', 60) + u' '});
    QCOMPARE(Body(2), QStringList({Repeat(u'b', 70) + u' ', Repeat(u'c', 10) + u' '}));
    // The rest goes on under the new header, in its own font, not the header's.
    const Printed after = journal_.texts(2)[1];
    QCOMPARE(after.y, 330.0);
    QVERIFY(!after.bold);
    QCOMPARE(after.size, 12.0);
}

void tst_Printer_code::every_sheet_is_framed_and_numbered()
{
    Printer_code& engine = Start();
    for (int i = 0; i < 120; ++i) {  // 47 lines fit on a sheet: three sheets
        QString text = QStringLiteral("Línea %1").arg(i);
        engine.Print_wrapped(text);
    }
    engine.End_page();
    QCOMPARE(journal_.sheets, 3);
    for (int sheet = 1; sheet <= 3; ++sheet) {
        const QStringList words = journal_.words(sheet);
        QCOMPARE(words.first(), QStringLiteral("GUÍA 124   GASES TÓXICOS"));
        QCOMPARE(words.count(QStringLiteral("MARDOVI VEXO")), 1);
        QCOMPARE(words.filter(QRegularExpression(QStringLiteral("^Página"))),
                 QStringList{QStringLiteral("Página %1").arg(sheet)});
        // The rule under the header, the rule over the footer, the border.
        QCOMPARE(journal_.lines(sheet).size(), 6);
    }
    QCOMPARE(Body(1).size(), 47);
    QCOMPARE(Body(2).first(), QStringLiteral("Línea 47"));
    QCOMPARE(Body(3).last(), QStringLiteral("Línea 119"));
}

void tst_Printer_code::footer_sits_on_one_line_above_the_border()
{
    Printer_code& engine = Start();
    Page_number = 12;
    engine.End_page();
    const QList<Printed> texts = journal_.texts(1);
    QCOMPARE(texts.size(), 4);
    struct Expected {
        QString text;
        double x;
    };
    // Stamp at the left, title centred, page label right-aligned.
    const Expected expected[] = {{Time_stamp(kWhen), 0},
                                 {QStringLiteral("MARDOVI VEXO"), kWidth / 2 - 12 * 120 / 2},
                                 {QStringLiteral("Página 12"), kWidth - 9 * 120}};
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(texts[i + 1].text, expected[i].text);
        QCOMPARE(texts[i + 1].x, expected[i].x);
        QCOMPARE(texts[i + 1].y, kHeight - 240);
        QVERIFY(!texts[i + 1].bold);
    }

    QList<QList<double>> lines;
    for (const Printed& p : journal_.lines(1))
        lines << QList<double>{p.x, p.y, p.x2, p.y2};
    const QList<QList<double>> expected_lines{
        {0, 320, kWidth, 320},                                         // under the header
        {0, kHeight - 250, kWidth, kHeight - 250},                     // over the footer
        {0, 0, kWidth - 1, 0},                                         // border: top
        {kWidth - 3, 0, kWidth - 3, kHeight - 3},                      // right
        {0, kHeight - 3, kWidth - 3, kHeight - 3},                     // bottom
        {0, 0, 0, kHeight - 3}};                                       // left
    QCOMPARE(lines, expected_lines);
}

QTEST_MAIN(tst_Printer_code)
#include "tst_Printer_code.moc"
