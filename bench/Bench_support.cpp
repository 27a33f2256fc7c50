// Shared pieces of the benchmark programs.
#include "Bench_support.h"

#include "Synthetic.h"
#include "app/General.h"
#include "app/frmMain.h"
#include "data/Database.h"
#include "data/RecordSet.h"

#include <QApplication>
#include <QFileInfo>
#include <QTextStream>

#include <algorithm>
#include <cstdlib>

namespace vexo::bench {

platform::Answer Unattended::Show(const platform::Message& message)
{
    QTextStream(stderr) << "message: " << message.text << "\n";
    return platform::Answer::Ok;
}

void Unattended::End_program()
{
    std::exit(1);
}

Shown_main_window::Shown_main_window(int width, int height)
{
    platform::Install(&unattended_);
    window_ = std::make_unique<frmMain>();
    Main_form = window_.get();
    window_->resize(width, height);
    window_->show();
    QApplication::processEvents();
}

Shown_main_window::~Shown_main_window()
{
    window_.reset();
    Main_form = nullptr;
    platform::Install(nullptr);
}

int Generator_version_of(const QString& path)
{
    if (!QFileInfo::exists(path))
        return -1;
    try {
        auto db = Database::Open(path);
        auto records = db->OpenRecordset(QStringLiteral("PRAGMA user_version"));
        return records->Empty() ? -1 : records->Field(QStringLiteral("user_version")).toInt();
    } catch (const Db_error&) {
        return -1;
    }
}

void Ensure_synthetic_database(const QString& path, int scale)
{
    if (Generator_version_of(path) != Generator_version)
        Make_synthetic_database(path, scale);
}

Scale_options Read_scale_options(int default_runs)
{
    Scale_options options{default_runs};
    const QStringList args = QCoreApplication::arguments();
    for (qsizetype i = 1; i + 1 < args.size(); i += 2) {
        if (args.at(i) == QLatin1String("--runs")) {
            options.runs = std::max(args.at(i + 1).toInt(), 1);
        } else if (args.at(i) == QLatin1String("--scales")) {
            options.scales.clear();
            for (const QString& s : args.at(i + 1).split(u','))
                if (s.toInt() > 0)
                    options.scales << s.toInt();
        }
    }
    return options;
}

double Median_ms(std::vector<qint64> ns)
{
    std::sort(ns.begin(), ns.end());
    const size_t n = ns.size();
    const double mid = n % 2 ? static_cast<double>(ns[n / 2]) : (static_cast<double>(ns[n / 2 - 1]) + ns[n / 2]) / 2;
    return mid / 1e6;
}

double Max_ms(const std::vector<qint64>& ns)
{
    return static_cast<double>(*std::max_element(ns.begin(), ns.end())) / 1e6;
}

} // namespace vexo::bench
