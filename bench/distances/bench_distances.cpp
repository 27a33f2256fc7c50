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
    std::vector<double> ms;
};

double Median(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    const size_t n = ms.size();
    return n % 2 ? ms[n / 2] : (ms[n / 2 - 1] + ms[n / 2]) / 2;
}

double Time_ms(const std::function<void()>& work)
{
    QElapsedTimer t;
    t.start();
    work();
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

// A page move as the user makes it: the scroll bar moves, the rows are
// refilled and the window is painted.
template <class Window>
void Page_moves(Figure& figure, Window* window, int runs)
{
    QScrollBar* bar = window->vscData;
    const int last = bar->maximum();
    for (int run = 0; run < runs; ++run)
        for (int k = 0; k < 20; ++k) {
            const int value = last > 0 ? static_cast<int>(static_cast<qint64>(last) * ((run * 20 + k) % 50) / 49) : 0;
            figure.ms.push_back(Time_ms([&] {
                bar->setValue(value == bar->value() ? (value + 1) % (last + 1) : value);
                window->frmData->repaint();
            }));
        }
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    int scale = 1, runs = 15;
    const QStringList args = QCoreApplication::arguments();
    for (qsizetype i = 1; i + 1 < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--scale"))
            scale = std::max(1, args.at(++i).toInt());
        else if (args.at(i) == QLatin1String("--runs"))
            runs = std::max(1, args.at(++i).toInt());
    }
    QDir().mkpath(QStringLiteral(VEXO_BENCH_OUT_DIR));
    const QString path =
        QDir(QStringLiteral(VEXO_BENCH_OUT_DIR)).filePath(QStringLiteral("distances_x%1.mdb").arg(scale));
    Ensure_synthetic_database(path, scale);
    Main_database = Database::Open(path);
    Shown_main_window window(1280, 900);

    Figure open_green{QStringLiteral("open distances table (Open_distances_table, painted)"), 20, {}};
    Figure open_water{QStringLiteral("open water list (Open_water_list, painted)"), 20, {}};
    Figure page_green{QStringLiteral("page move, distances table (refill + repaint)"), 2, {}};
    Figure page_water{QStringLiteral("page move, water list (refill + repaint)"), 2, {}};
    for (int run = 0; run < runs; ++run) {
        open_green.ms.push_back(Time_ms([] {
            Open_distances_table();
            Find_child<frmGreen>()->repaint();
        }));
        open_water.ms.push_back(Time_ms([] {
            Open_water_list();
            Find_child<frmWater>()->repaint();
        }));
    }
    Page_moves(page_green, Find_child<frmGreen>(), runs);
    Page_moves(page_water, Find_child<frmWater>(), runs);

    out << "Synthetic database x" << scale << " (" << Green_records->RecordCount() << " distance rows, "
        << Water_records->RecordCount() << " water-reactive rows), " << runs << " runs\n\n";
    out << "| measure | median ms | max ms | target (x1) |\n|---|--:|--:|--:|\n";
    bool met = true;
    for (const Figure* f : {&open_green, &open_water, &page_green, &page_water}) {
        const double median = Median(f->ms);
        met = met && median < f->target_ms;
        out << "| " << f->label << " | " << QString::number(median, 'f', 3) << " | "
            << QString::number(*std::max_element(f->ms.begin(), f->ms.end()), 'f', 3) << " | < " << f->target_ms
            << " |\n";
    }
    if (scale == 1)
        out << "\nTargets " << (met ? "all met" : "MISSED") << "\n";
    qDeleteAll(Work_area()->subWindowList());
    Green_records.reset();
    Water_records.reset();
    Main_database.reset();
    return 0;
}
