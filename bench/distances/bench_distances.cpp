// vexo_bench_distances: times opening the distances table and the
// water-reactive list, and a page move of each including the repaint, on a
// synthetic database. Prints one table.
#include "Bench_support.h"
#include "Synthetic.h"

#include "app/Child_windows.h"
#include "app/General.h"
#include "app/frmMain.h"
#include "distances/Distances.h"
#include "distances/frmGreen.h"
#include "distances/frmWater.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QFrame>
#include <QScrollBar>
#include <QTextStream>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

using namespace vexo;
using namespace vexo::bench;

QTextStream out(stdout);

struct Figure {
    QString label;
    double target_ms;
    Times times;
};

void Time(Figure& figure, const std::function<void()>& work)
{
    Stopwatch t;
    t.start();
    work();
    figure.times.Add(t);
}

// A page move as the user makes it: the scroll bar moves, the rows are
// refilled and the window is painted.
template <class Window>
void Page_moves(Figure& figure, Window* window, int runs)
{
    // The windows keep their widgets private; they are found by name.
    QScrollBar* bar = window->template findChild<QScrollBar*>(QStringLiteral("vscData"));
    QWidget* data = window->template findChild<QWidget*>(QStringLiteral("frmData"));
    if (!data) // a window without a named frame of rows is painted whole
        data = window;
    const int last = bar->maximum();
    for (int run = 0; run < runs; ++run)
        for (int k = 0; k < 20; ++k) {
            const int value = last > 0 ? static_cast<int>(static_cast<qint64>(last) * ((run * 20 + k) % 50) / 49) : 0;
            Time(figure, [&] {
                bar->setValue(value == bar->value() ? (value + 1) % (last + 1) : value);
                data->repaint();
            });
        }
}

} // namespace

int main(int argc, char** argv)
{
    const auto [application, options, runs] =
        Start_bench(argc, argv,
                    QStringLiteral("usage: vexo_bench_distances [--scale N] [--runs R] [--out DIR]\n"
                                   "  times opening the distances table and the water list, and their page moves\n"),
                    {}, {QStringLiteral("--scale")}, 15);
    const int scale = options.Number(QStringLiteral("--scale"), 1);
    const QString path = options.Out(QStringLiteral("synthetic_x%1.mdb").arg(scale));
    Ensure_synthetic_database(path, scale);
    Main_database = Database::Open(path);
    Shown_main_window window(1280, 900);

    // A file's counts are taken once (see File_memo): the first open of each
    // list after the file is opened, and the opens after it.
    Figure first_green{QStringLiteral("open distances table, first in the file"), 20, {}};
    Figure first_water{QStringLiteral("open water list, first in the file"), 20, {}};
    Figure first_water_count{QStringLiteral("water list, first in the file: counted after its first page"), 20, {}};
    Figure open_green{QStringLiteral("open distances table (Open_distances_table, painted)"), 20, {}};
    Figure open_water{QStringLiteral("open water list (Open_water_list, painted)"), 20, {}};
    Figure page_green{QStringLiteral("page move, distances table (refill + repaint)"), 2, {}};
    Figure page_water{QStringLiteral("page move, water list (refill + repaint)"), 2, {}};
    const auto open_both = [](Figure& green, Figure& water) {
        Time(green, [] {
            Open_distances_table();
            Find_child<frmGreen>()->repaint();
        });
        Time(water, [] {
            Open_water_list();
            Find_child<frmWater>()->repaint();
        });
    };
    for (int run = 0; run < runs; ++run) {
        qDeleteAll(Work_area()->subWindowList());
        Green_records.reset();
        Water_records.reset();
        Main_database = Database::Open(path);
        open_both(first_green, first_water);
        Time(first_water_count, [] { Process_until([] { return Water_records->Count_known(); }); });
    }
    for (int run = 0; run < runs; ++run)
        open_both(open_green, open_water);
    Page_moves(page_green, Find_child<frmGreen>(), runs);
    Page_moves(page_water, Find_child<frmWater>(), runs);

    out << "Synthetic database x" << scale << " (" << Green_records->RecordCount() << " distance rows, "
        << Water_records->RecordCount() << " water-reactive rows), " << runs << " runs\n\n";
    out << "| measure | median ms | max ms | CPU median ms | target (x1) |\n|---|--:|--:|--:|--:|\n";
    bool met = true;
    for (const Figure* f :
         {&first_green, &first_water, &first_water_count, &open_green, &open_water, &page_green, &page_water}) {
        const double cpu = Median_ms(f->times.cpu);
        met = met && cpu < f->target_ms;
        out << "| " << f->label << " | " << QString::number(Median_ms(f->times.wall), 'f', 3) << " | "
            << QString::number(Max_ms(f->times.wall), 'f', 3) << " | " << QString::number(cpu, 'f', 3) << " | < "
            << f->target_ms << " |\n";
    }
    if (scale == 1)
        out << "\nTargets " << (met ? "all met" : "MISSED") << "\n";
    qDeleteAll(Work_area()->subWindowList());
    Green_records.reset();
    Water_records.reset();
    Main_database.reset();
    return 0;
}
