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
#include <QDir>
#include <QFile>
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
void Show(const QString& path, Times& times)
{
    QString file = path;
    QString caption = QStringLiteral("Documento");
    Stopwatch timer;
    timer.start();
    Call_frmText1(file, caption);
    if (auto* viewer = Find_child<frmText1>())
        viewer->findChild<QTextEdit*>(QStringLiteral("RichTextBox1"))->viewport()->repaint();
    QApplication::processEvents();
    times.Add(timer);
    Close_child<frmText1>();
}

// The same as the viewer shows it, with none of its limits applied.
void Unlimited_show(const QByteArray& rtf, Times& times)
{
    Stopwatch timer;
    timer.start();
    auto* viewer = new frmText1;
    auto* text = viewer->findChild<QTextEdit*>(QStringLiteral("RichTextBox1"));
    auto* document = new QTextDocument(text);
    Read_rtf(rtf, *document);
    text->setDocument(document);
    Show_child(viewer);
    text->viewport()->repaint();
    QApplication::processEvents();
    times.Add(timer);
    Close_child<frmText1>();
}

void Row(const QString& label, qsizetype bytes, const Times& times, const QString& note)
{
    out << "| " << label.leftJustified(40) << " | " << QString::number(bytes / 1024.0, 'f', 0).rightJustified(7)
        << " | " << Time_cells(times, 1) << " " << note << " |\n";
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
    const auto [application, options, runs] =
        Start_bench(argc, argv,
                    QStringLiteral("usage: vexo_bench_documents [--runs R] [--layout] [--out DIR]\n"
                                   "  times showing generated documents; --layout also shows hostile shapes\n"
                                   "  without the viewer's limits\n"),
                    {QStringLiteral("--layout")}, {}, 5);
    const bool layout = options.Has(QStringLiteral("--layout"));

    // The documents are written, one at a time, in the output folder.
    const QDir dir(options.Out(QStringLiteral("documents")));
    if (!dir.mkpath(QStringLiteral(".")))
        return 1;
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
    out << "| document                                 |      KB | " << Time_header << " shown or refused |\n"
        << "|------------------------------------------|--------:|" << Time_rule << "---|\n";
    for (const Shape& shape : shapes) {
        const QString path = dir.filePath(QStringLiteral("doc.rtf"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(shape.rtf) != shape.rtf.size())
            return 1;
        file.close();
        Times times;
        counting.last.clear();
        for (int r = 0; r < runs; ++r)
            Show(path, times);
        Row(QString::fromLatin1(shape.name), shape.rtf.size(), times,
            counting.last.isEmpty() ? QStringLiteral("shown") : QStringLiteral("refused: ") + counting.last);
    }

    if (layout) {
        out << "\n| shown with no limits                     |      KB | " << Time_header << " |\n"
            << "|------------------------------------------|--------:|" << Time_rule << "---|\n";
        const auto scan = [&](const char* what, const std::vector<int>& sizes, const std::function<QByteArray(int)>& make) {
            for (int n : sizes) {
                const QByteArray rtf = make(n);
                Times times;
                for (int r = 0; r < std::min(runs, 3); ++r)
                    Unlimited_show(rtf, times);
                Row(QStringLiteral("%1 %2").arg(QString::fromLatin1(what)).arg(n), rtf.size(), times, {});
            }
        };
        scan("tabs in a line", {1000, 2000, 4000, 16000}, Tabs_in_a_line);
        scan("characters in a word", {10000, 20000, 40000, 80000}, Long_word);
        scan("KB of alternating bold", {16, 64, 256}, [](int kb) { return Alternating_bold(kb * 1024); });
        scan("KB of ordinary text", {2048, 4096, 8192}, [](int kb) { return Ordinary(kb * 1024); });
    }
    return 0;
}
