// The RTF reader on small hand-made documents (text and formats as the viewer
// shows them) and on thousands of random and broken ones (no crash, no hang,
// bounded output).
#include "contents/Rtf_reader.h"

#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QtTest>

using namespace vexo;

namespace {

// The format of the first character of `text` in the document.
QTextCharFormat Format_at(QTextDocument& document, const QString& text)
{
    const QTextCursor found = document.find(text);
    if (found.isNull())
        return {};
    QTextCursor at(&document);
    at.setPosition(found.selectionStart() + 1);
    return at.charFormat();
}

QString Text_of(const QByteArray& rtf)
{
    QTextDocument document;
    Read_rtf(rtf, document);
    // Raw text keeps the no-break spaces; paragraphs read as line ends.
    return document.toRawText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
}

QList<QByteArray> Own_documents()
{
    QList<QByteArray> documents;
    const QDir folder(QStringLiteral(VEXO_SOURCE_DIR "/resources/content/espanol"));
    for (const QString& name : folder.entryList({QStringLiteral("*.rtf")}, QDir::Files)) {
        QFile file(folder.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            documents << file.readAll();
    }
    return documents;
}

} // namespace

class tst_Rtf_reader : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void text_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("shown");
        QTest::newRow("plain") << QByteArray("{\\rtf1 Hola mundo}") << "Hola mundo";
        QTest::newRow("paragraphs") << QByteArray("{\\rtf1 uno\\par dos\\par\ntres}") << "uno\ndos\ntres";
        QTest::newRow("line breaks in the file are not text") << QByteArray("{\\rtf1 uno\r\ndos}") << "unodos";
        QTest::newRow("tab") << QByteArray("{\\rtf1 a\\tab b}") << "a\tb";
        QTest::newRow("code page") << QByteArray("{\\rtf1\\ansi Gu\\'eda t\\'f3xica \\'d1 \\'80}")
                                   << QString::fromUtf8("Guía tóxica Ñ €");
        QTest::newRow("unicode with fallback") << QByteArray("{\\rtf1 ni\\u241?o \\uc2\\u8364 EUR}")
                                               << QString::fromUtf8("niño €R");
        QTest::newRow("negative unicode") << QByteArray("{\\rtf1 \\u-3913?}") << QString(QChar(0xF0B7));
        QTest::newRow("escaped symbols") << QByteArray("{\\rtf1 \\{a\\}\\\\}") << "{a}\\";
        QTest::newRow("named characters") << QByteArray("{\\rtf1 \\bullet\\emdash\\ldblquote x\\rdblquote}")
                                          << QString::fromUtf8("•—“x”");
        QTest::newRow("nonbreaking space") << QByteArray("{\\rtf1 a\\~b}") << QString::fromUtf8("a\u00A0b");
        QTest::newRow("info skipped") << QByteArray("{\\rtf1{\\info{\\title T\\'edtulo}{\\author Yo}}Texto}") << "Texto";
        QTest::newRow("unknown optional destination skipped")
            << QByteArray("{\\rtf1{\\*\\generator Riched20;}{\\*\\foo {bar}}Texto}") << "Texto";
        QTest::newRow("stylesheet skipped") << QByteArray("{\\rtf1{\\stylesheet{\\s0 Normal;}}A}") << "A";
        QTest::newRow("picture skipped") << QByteArray("{\\rtf1 A{\\pict\\wmetafile8 0a0b0c}B}") << "AB";
        QTest::newRow("binary skipped") << QByteArray("{\\rtf1 A{\\pict\\bin4 }{}\\}B}") << "AB";
        QTest::newRow("font table not shown") << QByteArray("{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1 Courier;}}X}") << "X";
        QTest::newRow("colour table not shown") << QByteArray("{\\rtf1{\\colortbl;\\red255\\green0\\blue0;}X}") << "X";
        QTest::newRow("table cells separated")
            << QByteArray("{\\rtf1\\trowd\\cellx900\\cellx1800\\intbl a\\cell b\\cell\\row\\trowd\\intbl c\\cell d\\cell\\row fin}")
            << "a\tb\nc\td\nfin";
        QTest::newRow("numbers of a numbered list kept")
            << QByteArray("{\\rtf1{\\listtext\\pard\\plain 1.\\tab}Uno\\par{\\listtext\\pard\\plain 2.\\tab}Dos}")
            << "1.\tUno\n2.\tDos";
        QTest::newRow("field result shown") << QByteArray("{\\rtf1{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt enlace}}}")
                                            << "enlace";
    }

    void text()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, shown);
        QCOMPARE(Text_of(rtf), shown);
    }

    // How a word reads: weight, slant, underline, size, font and colour.
    void formats_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("word");
        QTest::addColumn<QString>("look");
        const QByteArray runs = "{\\rtf1 normal \\b negrita\\b0  \\i cursiva\\i0  \\ul subrayada\\ulnone  "
                                "{\\b\\fs40 grande} \\fs16 chica \\b x\\plain llana}";
        QTest::newRow("normal") << runs << "normal" << "400 12";
        QTest::newRow("bold") << runs << "negrita" << "700 12";
        QTest::newRow("italic") << runs << "cursiva" << "400 italic 12";
        QTest::newRow("underlined") << runs << "subrayada" << "400 underline 12";
        QTest::newRow("bold and large in a group") << runs << "grande" << "700 20";
        QTest::newRow("the group ends: bold and size go back") << runs << "chica" << "400 8";
        QTest::newRow("plain resets") << runs << "llana" << "400 12";
        const QByteArray tables = "{\\rtf1\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\fmodern Courier New;}}"
                                  "{\\colortbl;\\red200\\green0\\blue0;\\red0\\green0\\blue255;}"
                                  "base \\f1 mono\\f0  \\cf1 rojo\\cf2  azul\\cf0  auto}";
        QTest::newRow("default font") << tables << "base" << "400 12 Arial";
        QTest::newRow("second font") << tables << "mono" << "400 12 Courier New";
        QTest::newRow("first colour") << tables << "rojo" << "400 12 Arial #c80000";
        QTest::newRow("second colour") << tables << "azul" << "400 12 Arial #0000ff";
        QTest::newRow("automatic colour") << tables << "auto" << "400 12 Arial";
    }
    void formats()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, word);
        QFETCH(QString, look);
        QTextDocument document;
        QVERIFY(Read_rtf(rtf, document));
        const QTextCharFormat f = Format_at(document, word);
        QStringList seen{QString::number(f.fontWeight() ? f.fontWeight() : int(QFont::Normal))};
        if (f.fontItalic())
            seen << "italic";
        if (f.fontUnderline())
            seen << "underline";
        seen << QString::number(f.fontPointSize()) << f.fontFamilies().toStringList();
        if (f.hasProperty(QTextFormat::ForegroundBrush))
            seen << f.foreground().color().name();
        QCOMPARE(seen.join(u' '), look);
    }

    void paragraph_alignment_and_indent()
    {
        QTextDocument document;
        Read_rtf("{\\rtf1\\pard\\qc Centro\\par\\pard Izquierda\\par\\pard\\qr Derecha\\par\\pard\\qj\\li720 Justo}", document);
        QStringList seen;
        for (QTextBlock b = document.begin(); b.isValid(); b = b.next())
            seen << QStringLiteral("%1 %2 %3").arg(b.text()).arg(int(b.blockFormat().alignment() & Qt::AlignHorizontal_Mask))
                        .arg(b.blockFormat().leftMargin() > 0);
        QCOMPARE(seen, QStringList({QStringLiteral("Centro %1 0").arg(int(Qt::AlignHCenter)),
                                    QStringLiteral("Izquierda %1 0").arg(int(Qt::AlignLeft)),
                                    QStringLiteral("Derecha %1 0").arg(int(Qt::AlignRight)),
                                    QStringLiteral("Justo %1 1").arg(int(Qt::AlignJustify))}));
    }

    void plain_text_is_shown_as_it_is()
    {
        QTextDocument document;
        QVERIFY(!Read_rtf(QByteArray("Guía\nsin formato {\\b}"), document));
        QCOMPARE(document.toPlainText(), QString::fromUtf8("Guía\nsin formato {\\b}"));
    }

    void malformed_documents_data()
    {
        QTest::addColumn<QByteArray>("rtf");
        QTest::addColumn<QString>("shown");
        QTest::newRow("empty") << QByteArray() << "";
        QTest::newRow("header only") << QByteArray("{\\rtf") << "";
        QTest::newRow("unclosed groups") << QByteArray("{\\rtf1 a{\\b b{\\i c") << "abc";
        QTest::newRow("too many closing braces") << QByteArray("{\\rtf1 a}}}} b}") << "a b";
        QTest::newRow("truncated escape") << QByteArray("{\\rtf1 a\\") << "a";
        QTest::newRow("truncated hex") << QByteArray("{\\rtf1 a\\'e") << QString::fromUtf8("a\u000e");
        QTest::newRow("bad hex") << QByteArray("{\\rtf1 a\\'zzb}") << "azzb";
        QTest::newRow("huge numbers") << QByteArray("{\\rtf1\\fs99999999999999999999 a\\u99999999999? b\\cf99999999 c"
                                                    "\\li-99999999999 d\\uc999999 e}")
                                      << QString::fromUtf8("a\uFFFD bcde");
        QTest::newRow("huge binary length") << QByteArray("{\\rtf1 a\\bin999999999999 xyz") << "a";
        QTest::newRow("negative binary length") << QByteArray("{\\rtf1 a\\bin-5 b}") << "ab";
        QTest::newRow("long control word") << QByteArray("{\\rtf1 \\") + QByteArray(100000, 'x') + " a}" << "a";
        QTest::newRow("deep nesting") << QByteArray("{\\rtf1 a") + QByteArray(1000000, '{') + "hidden"
                                             + QByteArray(1000000, '}') + "b}"
                                      << "ab";
        QTest::newRow("colour table overflow") << QByteArray("{\\rtf1{\\colortbl") + QByteArray(100000, ';') + "}\\cf5000 x}"
                                               << "x";
        QTest::newRow("font names without end") << QByteArray("{\\rtf1{\\fonttbl{\\f0 ") + QByteArray(100000, 'A') + "}}x}"
                                                << "x";
        QTest::newRow("a paragraph of alternating bold") << QByteArray("{\\rtf1 ") + QByteArray("\\b a\\b0 b").repeated(20000) + "}"
                                                         << QString("ab").repeated(20000);
        QTest::newRow("nul bytes") << QByteArray("{\\rtf1 a\0b}", 11) << "ab";
    }

    void malformed_documents()
    {
        QFETCH(QByteArray, rtf);
        QFETCH(QString, shown);
        QElapsedTimer timer;
        timer.start();
        QCOMPARE(Text_of(rtf), shown);
        QVERIFY(timer.elapsed() < 5000);
    }

    // Our documents cut and sprinkled, and random pieces: no crash, no hang,
    // never more text than the file (the fuzz target goes further, outside the suite).
    void random_and_mutated_documents()
    {
        const QList<QByteArray> seeds = Own_documents();
        QCOMPARE(seeds.size(), 19);
        // Pieces that steer the reader into its corners.
        const QByteArray pieces[] = {"{", "}", "\\", "\\'", "\\u", "\\uc", "\\bin", "\\*", "\\par", "\\fonttbl",
                                     "\\colortbl", "\\red", ";", "\\f", "\\fs", "\\cf", "-", "9999999999", "\\pict",
                                     "{\\rtf1", "\\b", "\\qc", "\\'ff", "\\u-1", " ", "\r\n"};
        QRandomGenerator random(20240601);
        QElapsedTimer timer;
        timer.start();
        const int rounds = 3000;
        for (int round = 0; round < rounds; ++round) {
            QByteArray data;
            if (round % 3 == 0) {
                // Random bytes and pieces after an RTF header.
                data = "{\\rtf1 ";
                const int length = random.bounded(2000);
                while (data.size() < length)
                    data += random.bounded(3) == 0 ? pieces[random.bounded(int(std::size(pieces)))]
                                                   : QByteArray(1, char(random.bounded(256)));
            } else {
                // One of our documents, cut, spliced and sprinkled with pieces.
                data = seeds[random.bounded(int(seeds.size()))];
                const int edits = 1 + random.bounded(20);
                for (int e = 0; e < edits && !data.isEmpty(); ++e) {
                    const int at = random.bounded(int(data.size()));
                    switch (random.bounded(4)) {
                    case 0: data.insert(at, pieces[random.bounded(int(std::size(pieces)))]); break;
                    case 1: data.remove(at, random.bounded(50)); break;
                    case 2: data[at] = char(random.bounded(256)); break;
                    case 3: data.truncate(at); break;
                    }
                }
            }
            QTextDocument document;
            Read_rtf(data, document);
            // Never more text than the file could hold.
            QVERIFY(document.characterCount() <= data.size() + 2);
        }
        // Bounded time, also under the sanitizers.
        QVERIFY2(timer.elapsed() < 60000, qPrintable(QString::number(timer.elapsed())));
        qInfo("%d documents in %lld ms", rounds, timer.elapsed());
    }
};

QTEST_MAIN(tst_Rtf_reader)
#include "tst_Rtf_reader.moc"
