// The print engine on a recording printer whose characters are all 120 twips
// wide and whose lines are 240 twips tall at 12 pt (160 and 320 at 16 pt):
// where lines land, how long texts wrap, where pages break, and the frame of
// every sheet.
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

// Everything drawn on a sheet (0: on every sheet), in order: "text at x, y,
// size[ bold]" or "line x,y x2,y2".
QStringList Drawn(const QList<Printed>& items, int sheet = 0)
{
    QStringList drawn;
    for (const Printed& p : items)
        if (sheet == 0 || p.sheet == sheet)
            drawn << (p.kind == Printed::Line
                          ? u"line %1,%2 %3,%4"_s.arg(p.x).arg(p.y).arg(p.x2).arg(p.y2)
                          : u"%1 at %2, %3, %4%5"_s.arg(p.text).arg(p.x).arg(p.y).arg(p.size)
                                .arg(p.bold ? " bold" : ""));
    return drawn;
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

    // The header's 16 pt line, the product line wrapped in the header when the
    // sheet is narrower (58 characters with its qualifier), without any page
    // check, the rule under them and the body 10 twips below it.
    void header_data()
    {
        QTest::addColumn<double>("width");
        QTest::addColumn<QStringList>("drawn");  // more than the guide's line, the rule and the body: a product line
        const QString guide = u"GUÍA 124   GASES TÓXICOS at 0, 0, 16 bold"_s;
        const QString label = u"Cloro, Número de identificación 1017 "_s;
        QTest::newRow("no product line") << kWidth << QStringList{guide, "line 0,320 9600,320", "body at 330"};
        QTest::newRow("product line")
            << kWidth << QStringList{guide, label + "(cuando es derramado) at 0, 320, 12 bold", "line 0,560 9600,560",
                                     "body at 570"};
        QTest::newRow("product line, 39 characters fit")
            << 4800.0 << QStringList{guide, label + " at 0, 320, 12 bold", "(cuando es derramado)  at 0, 560, 12 bold",
                                     "line 0,800 4800,800", "body at 810"};
    }

    void header()
    {
        QFETCH(double, width);
        QFETCH(QStringList, drawn);
        surface_ = std::make_unique<test::Recording_surface>(journal_, width, kHeight);
        Start({u"GUÍA 124"_s, u"GASES TÓXICOS"_s, drawn.size() > 3,
               u"Cloro, Número de identificación 1017"_s, u"(cuando es derramado)"_s});
        QCOMPARE(Drawn(journal_.items) << u"body at %1"_s.arg(surface_->CurrentY), drawn);
        QCOMPARE(Header_bottom + 10, surface_->CurrentY);
    }

    // A text wrapped under the header, or from a position near the foot of the
    // sheet: the reserve is the header's height plus twice the width of a "T"
    // (240), 320 + 240 above the foot without a product line, 560 + 240 with
    // one. What goes on to the next sheet goes under its header; the sheet
    // before ends in its footer, regular, on its last line, and the border.
    void wrap_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("y");           // where it starts; 0: under the header
        QTest::addColumn<bool>("product");       // the header has a product line
        QTest::addColumn<QStringList>("lines");  // "/": the sheet breaks
        const QString a60 = QString(60, u'a') + u' ', b70 = QString(70, u'b') + u' ', c10 = QString(10, u'c');
        const QString A79 = QString(79, u'A'), keep = u"Mantenga alejado al personal."_s, evacuate = u"Evacuar."_s;
        const auto row = [](const char* name, const QString& text, double y, bool product, const QStringList& lines) {
            QTest::newRow(name) << text << y << product << lines;
        };
        row("fits, printed as given", keep, 0, false, {keep});
        row("79 characters fit", A79, 0, false, {A79});
        row("one character too wide", QString(70, u'a') + u' ' + QString(9, u'b'), 0, false,
            {QString(70, u'a') + u' ', QString(9, u'b') + u' '});
        row("three lines, one blank at each end", a60 + b70 + c10, 0, false, {a60, b70, c10 + u' '});
        row("a 400-character word is broken, not lost", QString(400, u'A'), 0, false, QStringList(5, A79) << "AAAAA ");
        row("a short word, then one too wide", "Use " + QString(100, u'A'), 0, false,
            {"Use ", A79, QString(21, u'A') + u' '});
        row("a word that fills the line exactly", A79 + u" más"_s, 0, false, {A79, u"más "_s});
        row("one twip above the reserve", evacuate, 11439, false, {evacuate});
        row("at the reserve", evacuate, 11440, false, {"/", evacuate});
        row("with a product line, above", evacuate, 11199, true, {evacuate});
        row("with a product line, at the reserve", evacuate, 11200, true, {"/", evacuate});
        row("a block breaks between its lines", a60 + b70 + c10, 11200, false, {a60, "/", b70, c10 + u' '});
    }

    void wrap()
    {
        QFETCH(QString, text);
        QFETCH(double, y);
        QFETCH(bool, product);
        QFETCH(QStringList, lines);
        const Page_header header{u"GUÍA 124"_s, u"GASES TÓXICOS"_s, product, u"Cloro"_s, {}};
        Printer_code& engine = Start(header);
        if (y > 0)
            surface_->CurrentY = y;
        engine.Print_wrapped(text);
        // Each line below the last from the left edge, body font; a new sheet
        // has its header and the last its number.
        QStringList printed;
        double at = y > 0 ? y : Header_bottom + 10;
        for (int sheet = 1; sheet <= journal_.sheets; ++sheet) {
            if (sheet > 1) {
                printed << u"/"_s;
                at = Header_bottom + 10;
                QCOMPARE(journal_.words(sheet).first(), header.guide + u"   "_s + header.title);
                const QStringList before = Drawn(journal_.items, sheet - 1);
                QCOMPARE(before.mid(before.size() - 8),
                         (QStringList{"line 0,11750 9600,11750", Time_stamp(test::kWhen) + " at 0, 11760, 12",
                                      "MARDOVI VEXO at 4080, 11760, 12", "Página 1 at 8640, 11760, 12",
                                      "line 0,0 9599,0", "line 9597,0 9597,11997", "line 0,11997 9597,11997",
                                      "line 0,0 0,11997"}));
            }
            for (const Printed& p : journal_.body(sheet, Header_bottom + 1, kHeight)) {
                printed << p.text;
                QCOMPARE(QList<double>({p.x, p.y, p.size, double(p.bold)}), QList<double>({0, at, 12, 0}));
                at += 240;
            }
        }
        QCOMPARE(printed, lines);
        QCOMPARE(surface_->CurrentY, at);
        QCOMPARE(text, printed.last());  // the argument ends as the last piece
    }

private:
    Printer_code& Start(Page_header header)
    {
        engine_ = std::make_unique<Printer_code>(*surface_, std::move(header));
        engine_->Now = [] { return test::kWhen; };
        surface_->Set_FontSize(12);
        Page_number = 1;
        engine_->Begin_page();
        surface_->Set_FontBold(false);
        return *engine_;
    }

    test::Print_journal journal_;
    std::unique_ptr<test::Recording_surface> surface_;
    std::unique_ptr<Printer_code> engine_;
};

QTEST_MAIN(tst_Printer_code)
#include "tst_Printer_code.moc"
