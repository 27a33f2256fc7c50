// The print engine on a recording printer whose characters are all 120
// twips wide and whose lines are 240 twips tall at 12 pt (160 and 320 at
// 16 pt): where lines land, how long texts wrap, where pages break, and the
// frame of every sheet.
#include "Recording_surface.h"

#include "app/General.h"
#include "printing/Printer_code.h"

#include <QtTest>

using namespace vexo;
using namespace Qt::StringLiterals;
using test::Printed;

namespace {

constexpr double kWidth = 9600;    // 80 characters at 12 pt; 79 fit
constexpr double kHeight = 12000;
const QDateTime kWhen(QDate(2000, 3, 15), QTime(14, 5));

Page_header Plain_header()
{
    return {u"GUÍA 124"_s, u"GASES TÓXICOS"_s, false, {}, {}};
}

} // namespace

class tst_Printer_code : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        journal_ = {};
        surface_ = std::make_unique<test::Recording_surface>(journal_, kWidth, kHeight);
        engine_.reset();
    }

    void header_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<bool>("product");
        QTest::addColumn<QStringList>("lines");  // as printed, the header's 16 pt line first
        QTest::addColumn<double>("bottom");
        const QString guide = u"GUÍA 124   GASES TÓXICOS"_s;
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

    void header()
    {
        QFETCH(double, width);
        QFETCH(bool, product);
        QFETCH(QStringList, lines);
        QFETCH(double, bottom);
        surface_ = std::make_unique<test::Recording_surface>(journal_, width, kHeight);
        Start({u"GUÍA 124"_s, u"GASES TÓXICOS"_s, product,
               u"Cloro, Número de identificación 1017"_s, u"(cuando es derramado)"_s});
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

    void wrap_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        const QString a60 = QString(60, u'a'), b70 = QString(70, u'b'), c10 = QString(10, u'c');
        QTest::newRow("fits, printed as given") << u"Mantenga alejado al personal."_s
                                                << QStringList{u"Mantenga alejado al personal."_s};
        QTest::newRow("79 characters fit") << QString(79, u'x') << QStringList{QString(79, u'x')};
        QTest::newRow("one character too wide")
            << QString(70, u'a') + u' ' + QString(9, u'b')
            << QStringList{QString(70, u'a') + u' ', QString(9, u'b') + u' '};
        QTest::newRow("three lines, one blank at each end")
            << a60 + u' ' + b70 + u' ' + c10 << QStringList{a60 + u' ', b70 + u' ', c10 + u' '};
        QTest::newRow("a 400-character word is broken, not lost")
            << QString(400, u'A')
            << QStringList{QString(79, u'A'), QString(79, u'A'), QString(79, u'A'), QString(79, u'A'), QString(79, u'A'),
                           u"AAAAA "_s};
        QTest::newRow("a short word, then one too wide")
            << u"Use "_s + QString(100, u'A')
            << QStringList{u"Use "_s, QString(79, u'A'), QString(21, u'A') + u' '};
        QTest::newRow("a word that fills the line exactly")
            << QString(79, u'A') + u" más"_s << QStringList{QString(79, u'A'), u"más "_s};
    }

    void wrap()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        Printer_code& engine = Start();
        const QString given = text;
        engine.Print_wrapped(text);
        const QStringList body = Body(1);
        QCOMPARE(body, lines);
        // Every word printed whole and in order, no line wider than the sheet,
        // each a line below the last from the left edge.
        QCOMPARE(body.join(QString()).remove(u' '), QString(given).remove(u' '));
        const QList<Printed> printed = journal_.texts(1).mid(1);
        for (qsizetype k = 0; k < printed.size(); ++k) {
            QVERIFY2(printed[k].text.size() <= 79 && !printed[k].text.endsWith(u"  "_s),
                     qPrintable(printed[k].text));
            QCOMPARE(QList<double>({printed[k].x, printed[k].y}), QList<double>({0, 330.0 + 240 * k}));
        }
        QCOMPARE(surface_->CurrentY, 330.0 + 240 * body.size());
        QCOMPARE(text, body.last());  // the argument ends as the last piece
    }

    void page_breaks_before_the_reserve_data()
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

    void page_breaks_before_the_reserve()
    {
        QFETCH(bool, product);
        QFETCH(double, y);
        QFETCH(int, sheet);
        QFETCH(double, printed_at);
        Page_header header = Plain_header();
        header.has_product = product;
        header.product = u"Cloro"_s;
        Printer_code& engine = Start(header);
        surface_->CurrentY = y;
        QString text = u"Evacuar."_s;
        engine.Print_wrapped(text);
        QCOMPARE(journal_.sheets, sheet);
        const QList<Printed> texts = journal_.texts(sheet);
        auto line = std::find_if(texts.begin(), texts.end(), [](const Printed& p) { return p.text == "Evacuar."; });
        QVERIFY(line != texts.end());
        QCOMPARE(line->y, printed_at);
        if (sheet == 2) {
            QVERIFY(journal_.words(1).contains(u"Página 1"_s));
            QCOMPARE(journal_.words(2).first(), header.guide + u"   "_s + header.title);
            QCOMPARE(Page_number, 2);
        }
    }

    void a_block_can_break_between_its_lines()
    {
        Printer_code& engine = Start();
        surface_->CurrentY = 11440 - 240;  // room for one line only
        QString text = QString(60, u'a') + u' ' + QString(70, u'b') + u' ' + QString(10, u'c');
        engine.Print_wrapped(text);
        QCOMPARE(Body(1), QStringList{QString(60, u'a') + u' '});
        QCOMPARE(Body(2), QStringList({QString(70, u'b') + u' ', QString(10, u'c') + u' '}));
        // The rest goes on under the new header, in its own font, not the header's.
        const Printed after = journal_.texts(2)[1];
        QVERIFY(after.y == 330.0 && !after.bold && after.size == 12.0);
    }

    void footer_sits_on_one_line_above_the_border()
    {
        Printer_code& engine = Start();
        Page_number = 12;
        engine.End_page();
        // Stamp at the left, title centred, page label right-aligned, on the
        // last line of the sheet (12000 twips), in regular weight.
        QStringList footer;
        for (const Printed& p : journal_.texts(1).mid(1))
            footer << u"%1 at %2, %3%4"_s.arg(p.text).arg(p.x).arg(p.y).arg(p.bold ? " bold" : "");
        QCOMPARE(footer, (QStringList{Time_stamp(kWhen) + " at 0, 11760", "MARDOVI VEXO at 4080, 11760",
                                      "Página 12 at 8520, 11760"}));
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

private:
    Printer_code& Start(Page_header header = Plain_header());
    QStringList Body(int sheet) const;

    test::Print_journal journal_;
    std::unique_ptr<test::Recording_surface> surface_;
    std::unique_ptr<Printer_code> engine_;
};

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

QTEST_MAIN(tst_Printer_code)
#include "tst_Printer_code.moc"
