// vexo_bench_documents: times showing a reference document in the viewer the
// way a user opens it (read, build, lay out, paint), on generated documents:
// ordinary ones of growing size and the hostile shapes the viewer refuses or
// must survive. `--layout` also times each shape at growing sizes shown
// with none of the viewer's limits, to show where the limits come from.
#include "Bench_support.h"

#include "app/Child_windows.h"
#include "contents/Rtf_reader.h"
#include "contents/frmText1.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <vector>

namespace {

using namespace vexo;
using namespace vexo::bench;

QTextStream out(stdout);

// An ordinary document of about `bytes`: headings, paragraphs with bold and
// italic words, numbered lists as a word processor writes them, and tables.
QByteArray Ordinary(qsizetype bytes)
{
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fswiss Arial;}{\\f1\\froman Times New Roman;}}"
                     "{\\colortbl;\\red200\\green0\\blue0;}\\f0\\fs20\n";
    const QByteArray sentence = "Aleje a las personas del \\b \\'e1rea de peligro\\b0  y mant\\'e9ngase "
                                "\\i contra el viento\\i0 ; no entre en las \\cf1 zonas bajas\\cf0 . ";
    for (int section = 0; rtf.size() < bytes; ++section) {
        rtf += "\\pard\\sb240\\sa120\\qc\\b\\fs28 SECCI\\'d3N " + QByteArray::number(section) + "\\b0\\fs20\\par\n";
        for (int p = 0; p < 4; ++p)
            rtf += "\\pard\\qj " + sentence.repeated(5) + "\\par\n";
        for (int item = 1; item <= 5; ++item)
            rtf += "{\\listtext\\pard\\plain\\f0\\fs20 " + QByteArray::number(item) + ".\\tab}"
                   "\\pard\\fi-360\\li720 " + sentence + "\\par\n";
        rtf += "\\pard\\par\n";
        for (int row = 0; row < 6; ++row) {
            rtf += "\\trowd\\cellx2000\\cellx5000\\cellx8000\\pard\\intbl ";
            for (int cell = 0; cell < 3; ++cell)
                rtf += "Celda " + QByteArray::number(row) + "." + QByteArray::number(cell) + " \\b 1017\\b0\\cell ";
            rtf += "\\row\n";
        }
        rtf += "\\pard\\par\n";
    }
    return rtf + "}";
}

QByteArray Tabs_in_a_line(int tabs)
{
    return "{\\rtf1 Inicio" + QByteArray("\\tab ").repeated(tabs) + "fin\\par}";
}

QByteArray Long_word(int characters)
{
    return "{\\rtf1 Palabra: " + QByteArray(characters, 'x') + "\\par}";
}

QByteArray Alternating_bold(qsizetype bytes)
{
    QByteArray rtf = "{\\rtf1 ";
    while (rtf.size() < bytes)
        rtf += "\\b a\\b0 b ";
    return rtf + "}";
}

struct Shape {
    const char* name;
    QByteArray rtf;
};

// Opens the document as the contents window does and waits until it is painted.
qint64 Show_ns(const QString& path)
{
    QString file = path;
    QString caption = QStringLiteral("Documento");
    QElapsedTimer timer;
    timer.start();
    Call_frmText1(file, caption);
    if (auto* viewer = Find_child<frmText1>())
        viewer->findChild<QTextEdit*>(QStringLiteral("RichTextBox1"))->viewport()->repaint();
    QApplication::processEvents();
    const qint64 ns = timer.nsecsElapsed();
    Close_child<frmText1>();
    return ns;
}

// The same as the viewer shows it, with none of its limits applied.
qint64 Unlimited_show_ns(const QByteArray& rtf)
{
    QElapsedTimer timer;
    timer.start();
    auto* viewer = new frmText1;
    auto* text = viewer->findChild<QTextEdit*>(QStringLiteral("RichTextBox1"));
    auto* document = new QTextDocument(text);
    Read_rtf(rtf, *document);
    text->setDocument(document);
    Show_child(viewer);
    text->viewport()->repaint();
    QApplication::processEvents();
    const qint64 ns = timer.nsecsElapsed();
    Close_child<frmText1>();
    return ns;
}

void Row(const QString& label, qsizetype bytes, const std::vector<qint64>& ns, const QString& note)
{
    out << "| " << label.leftJustified(40) << " | " << QString::number(bytes / 1024.0, 'f', 0).rightJustified(7)
        << " | " << QString::number(Median_ms(ns), 'f', 1).rightJustified(9) << " | "
        << QString::number(Max_ms(ns), 'f', 1).rightJustified(7) << " | " << note << " |\n";
    out.flush();
}

class Counting : public Unattended {
public:
    platform::Answer Show(const platform::Message& message) override
    {
        last = message.text;
        return platform::Answer::Ok;
    }
    QString last;
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const Options options(QStringLiteral("usage: vexo_bench_documents [--runs R] [--layout]\n"
                                         "  times showing generated documents; --layout also shows hostile shapes\n"
                                         "  without the viewer's limits\n"),
                          {QStringLiteral("--layout")}, {QStringLiteral("--runs")});
    const int runs = options.Number(QStringLiteral("--runs"), 5);
    const bool layout = options.Has(QStringLiteral("--layout"));

    QTemporaryDir dir;
    platform::Set_app_path(dir.path());
    Shown_main_window window(1280, 1024);
    Counting counting;
    platform::Install(&counting);

    const std::vector<Shape> shapes = {
        {"ordinary 10 KB", Ordinary(10 * 1024)},
        {"ordinary 100 KB", Ordinary(100 * 1024)},
        {"ordinary 1 MB", Ordinary(1024 * 1024)},
        {"ordinary 3 MB", Ordinary(3 * 1024 * 1024)},
        {"80 KB of tabs in a line", "{\\rtf1 " + QByteArray(80 * 1024, '\t') + "}"},
        {"16,000 \\tab in a line", Tabs_in_a_line(16000)},
        {"a word of 160,000 characters", Long_word(160000)},
        {"1 MB of alternating bold", Alternating_bold(1024 * 1024)},
        {"15 MB ordinary (near the largest file read)", Ordinary(15 * 1024 * 1024)},
        {"16 MB of alternating bold", Alternating_bold(16 * 1024 * 1024 - 100)},
        {"50 MB file", Ordinary(1024 * 1024).repeated(50)},
    };
    out << "| document                                 |      KB | median ms |  max ms | shown or refused |\n"
        << "|------------------------------------------|--------:|----------:|--------:|---|\n";
    for (const Shape& shape : shapes) {
        const QString path = dir.filePath(QStringLiteral("doc.rtf"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(shape.rtf) != shape.rtf.size())
            return 1;
        file.close();
        std::vector<qint64> ns;
        counting.last.clear();
        for (int r = 0; r < runs; ++r)
            ns.push_back(Show_ns(path));
        Row(QString::fromLatin1(shape.name), shape.rtf.size(), ns,
            counting.last.isEmpty() ? QStringLiteral("shown") : QStringLiteral("refused: ") + counting.last);
    }

    if (layout) {
        out << "\n| shown with no limits                     |      KB | median ms |  max ms | |\n"
            << "|------------------------------------------|--------:|----------:|--------:|---|\n";
        const auto scan = [&](const char* what, const std::vector<int>& sizes, const std::function<QByteArray(int)>& make) {
            for (int n : sizes) {
                const QByteArray rtf = make(n);
                std::vector<qint64> ns;
                for (int r = 0; r < std::min(runs, 3); ++r)
                    ns.push_back(Unlimited_show_ns(rtf));
                Row(QStringLiteral("%1 %2").arg(QString::fromLatin1(what)).arg(n), rtf.size(), ns, {});
            }
        };
        scan("tabs in a line", {1000, 2000, 4000, 16000}, Tabs_in_a_line);
        scan("characters in a word", {10000, 20000, 40000, 80000}, Long_word);
        scan("KB of alternating bold", {16, 64, 256}, [](int kb) { return Alternating_bold(kb * 1024); });
        scan("KB of ordinary text", {2048, 4096, 8192}, [](int kb) { return Ordinary(kb * 1024); });
    }
    return 0;
}
