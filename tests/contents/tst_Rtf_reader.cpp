// The RTF reader on small hand-made documents, well formed and broken: the text
// and formats the viewer shows, in bounded time (the fuzz target takes random
// and mutated documents further, outside the suite).
#include "contents/Rtf_reader.h"

#include <QElapsedTimer>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

using namespace vexo;
using namespace Qt::StringLiterals;
using B = QByteArray;

class tst_Rtf_reader : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The text shown and, for some words, how each reads: weight, slant,
    // underline, size, font, colour, and its paragraph's alignment and indent.
    void text_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QStringList>("looks");  // word: look
        const auto row = [](const char* name, const QByteArray& rtf, const QString& shown,
                             const QStringList& looks = {}) {
            QTest::newRow(name) << rtf << shown << looks;
        };
        row("plain", "{\\rtf1 Hola mundo}", "Hola mundo");
        row("paragraphs", "{\\rtf1 uno\\par dos\\par\ntres}", "uno\ndos\ntres");
        row("line breaks in the file are not text", "{\\rtf1 uno\r\ndos}", "unodos");
        row("tab", "{\\rtf1 a\\tab b}", "a\tb");
        row("code page", "{\\rtf1\\ansi Gu\\'eda t\\'f3xica \\'d1 \\'80}", "Guía tóxica Ñ €");
        row("unicode with fallback", "{\\rtf1 ni\\u241?o \\uc2\\u8364 EUR}", "niño €R");
        row("negative unicode", "{\\rtf1 \\u-3913?}", QString(QChar(0xF0B7)));
        row("escaped symbols", "{\\rtf1 \\{a\\}\\\\}", "{a}\\");
        row("named characters", "{\\rtf1 \\bullet\\emdash\\ldblquote x\\rdblquote}", "•—“x”");
        row("nonbreaking space", "{\\rtf1 a\\~b}", "a\u00A0b");
        row("rarer words and symbols",
            "{\\rtf1 \\'C1\\'aB\\_x\\line y\\endash\\lquote\\rquote\\u-99999?\\sect z\\page w\\-v\\\r\nu\tt}",
            "Á«\u2011x\u2028y–‘’\uFFFD\nz\nwv\nu\tt");
        row("line ends before the header", "\r\n{\\rtf1 A}", "A");
        row("tables, information and unknown destinations not shown",
            "{\\rtf1{\\info{\\title T\\'edtulo}\\par{\\author Yo}}{\\*\\generator Riched20;}{\\*\\foo {bar}}"
            "{\\stylesheet{\\s0 Normal;}}{\\fonttbl{\\f0 Arial;}{\\f1 Courier;}}{\\colortbl;\\red255\\green0\\blue0;}"
            "Texto}", "Texto");
        row("picture skipped", "{\\rtf1 A{\\pict\\wmetafile8 0a0b0c}B}", "AB");
        row("binary skipped", "{\\rtf1 A{\\pict\\bin4 }{}\\}B}", "AB");
        row("table cells separated",
            "{\\rtf1\\trowd\\cellx900\\cellx1800\\intbl a\\cell b\\cell\\row\\trowd\\intbl c\\cell d\\cell\\row fin}",
            "a\tb\nc\td\nfin");
        row("nested table cells", "{\\rtf1 a\\nestcell b\\nestrow c}", "a\tb\nc");
        row("numbers of a numbered list kept",
            "{\\rtf1{\\listtext\\pard\\plain 1.\\tab}Uno\\par{\\listtext\\pard\\plain 2.\\tab}Dos}",
            "1.\tUno\n2.\tDos");
        row("field result", "{\\rtf1{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt enlace}}}", "enlace");
        row("not RTF: shown as it is", "Guía\nsin formato {\\b}", "Guía\nsin formato {\\b}");
        // Broken documents: some text, never a crash or a hang.
        row("empty", B(), "");
        row("header only", "{\\rtf", "");
        row("unclosed groups", "{\\rtf1 a{\\b b{\\i c", "abc");
        row("too many closing braces", "{\\rtf1 a}}}} b}", "a b");
        row("truncated escape", "{\\rtf1 a\\", "a");
        row("truncated hex", "{\\rtf1 a\\'e", "a\u000e");
        row("bad hex", "{\\rtf1 a\\'zzb}", "azzb");
        row("huge numbers",
            "{\\rtf1\\fs99999999999999999999 a\\u99999999999? b\\cf99999999 c\\li-99999999999 d\\uc999999 e}",
            "a\uFFFD bcde");
        row("huge binary length", "{\\rtf1 a\\bin999999999999 xyz", "a");
        row("negative binary length", "{\\rtf1 a\\bin-5 b}", "ab");
        row("long control word", "{\\rtf1 \\" + B(100000, 'x') + " a}", "a");
        row("deep nesting", "{\\rtf1 a" + B(1000000, '{') + "hidden" + B(1000000, '}') + "b}", "ab");
        row("colour table overflow", "{\\rtf1{\\colortbl" + B(100000, ';') + "}\\cf5000 x}", "x");
        row("font names without end", "{\\rtf1{\\fonttbl{\\f0 " + B(100000, 'A') + "}}x}", "x");
        row("a paragraph of alternating bold", "{\\rtf1 " + B("\\b a\\b0 b").repeated(20000) + "}",
            QString("ab").repeated(20000));
        row("text in the colour table", "{\\rtf1{\\colortbl;\\red9\\ctint5 x;}\\cf1 y}", "y");
        row("nul bytes", B("{\\rtf1 a\0b}", 11), "ab");
        // In the runs, a group's bold and size end with it, a size without a
        // number is the default and \plain resets; a hanging indent puts a tab
        // stop at the indent.
        row("runs", "{\\rtf1 normal \\b negrita\\b0  \\i cursiva\\i0  \\ul subrayada\\ulnone  "
                    "{\\b\\fs40 grande} \\fs16 chica \\b x\\plain llana \\fs32\\fs media}",
            "normal negrita cursiva subrayada grande chica xllana media",
            {"normal: 400 12", "negrita: 700 12", "cursiva: 400 italic 12",
             "subrayada: 400 underline 12", "grande: 700 20", "chica: 400 8",
             "media: 400 12", "llana: 400 12"});
        row("fonts and colours",
            "{\\rtf1\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fmodern Courier New}}{\\colortbl;\\red200"
            "\\green0\\blue0;\\red0\\green0\\blue255;}base \\f1 mono\\f0  \\cf1 rojo\\cf2  azul\\cf0  auto}",
            "base mono rojo azul auto",
            {"base: 400 12 Arial", "mono: 400 12 Courier New", "rojo: 400 12 Arial #c80000",
             "azul: 400 12 Arial #0000ff", "auto: 400 12 Arial"});
        row("aligned paragraphs", "{\\rtf1\\pard\\qc Centro\\par\\pard Izquierda\\par\\pard\\qr Derecha"
                                  "\\par\\pard\\qj\\li720 Justo\\par\\pard\\fi-360\\li720\\ri200 Colgado}",
            "Centro\nIzquierda\nDerecha\nJusto\nColgado",
            {"Centro: 400 12 centre", "Izquierda: 400 12", "Derecha: 400 12 right",
             "Justo: 400 12 justify indent", "Colgado: 400 12 indent tab"});
    }

    void text()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, shown);
        QFETCH(QStringList, looks);
        QTextDocument document;
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(Read_rtf(rtf, document), rtf.trimmed().startsWith("{\\rtf"));
        // Raw text keeps the no-break spaces; paragraphs read as line ends.
        QCOMPARE(document.toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n')), shown);
        QVERIFY(timer.elapsed() < 5000);
        for (const QString& look : looks) {
            const QString word = look.section(u':', 0, 0);
            // The format of the word's first character.
            QTextCursor at = document.find(word);
            QVERIFY2(!at.isNull(), qPrintable(word));
            at.setPosition(at.selectionStart() + 1);
            const QTextCharFormat f = at.charFormat();
            QStringList seen{QString::number(f.fontWeight() ? f.fontWeight() : int(QFont::Normal))};
            if (f.fontItalic())
                seen << "italic";
            if (f.fontUnderline())
                seen << "underline";
            seen << QString::number(f.fontPointSize()) << f.fontFamilies().toStringList();
            if (f.hasProperty(QTextFormat::ForegroundBrush))
                seen << f.foreground().color().name();
            const QTextBlockFormat block = at.block().blockFormat();
            const int align = block.alignment() & Qt::AlignHorizontal_Mask;
            if (align != Qt::AlignLeft && align != 0)
                seen << (align == Qt::AlignHCenter ? "centre" : align == Qt::AlignRight ? "right" : "justify");
            if (block.leftMargin() > 0)
                seen << "indent";
            if (!block.tabPositions().isEmpty())
                seen << "tab";
            QCOMPARE(word + u": "_s + seen.join(u' '), look);
        }
    }
};

QTEST_MAIN(tst_Rtf_reader)
#include "tst_Rtf_reader.moc"
