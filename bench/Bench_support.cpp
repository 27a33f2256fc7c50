// Shared pieces of the benchmark programs.
#include "Bench_support.h"

#include "Synthetic.h"
#include "app/General.h"
#include "app/frmMain.h"
#include "data/Database.h"
#include "data/RecordSet.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <QDir>

#include <algorithm>
#include <cstdlib>
#include <time.h>
#include <unistd.h>

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

Options::Options(const QString& usage, const QStringList& flags, const QStringList& valued) : usage_(usage)
{
    const QStringList args = QCoreApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args.at(i);
        if (flags.contains(a))
            given_.insert(a, QString());
        else if ((valued.contains(a) || a == QLatin1String("--out")) && i + 1 < args.size())
            given_.insert(a, args.at(++i));
        else
            Usage();
    }
}

QString Options::Text(const QString& option, const QString& otherwise) const
{
    return given_.value(option, otherwise);
}

int Options::Number(const QString& option, int otherwise, int least) const
{
    if (!given_.contains(option))
        return otherwise;
    bool ok = false;
    const int n = given_.value(option).toInt(&ok);
    if (!ok || n < least)
        Usage();
    return n;
}

QString Options::Out(const QString& file) const
{
    const QString folder = Text(QStringLiteral("--out"), QStringLiteral(VEXO_BENCH_OUT_DIR));
    if (!QDir().mkpath(folder)) {
        QTextStream(stderr) << "cannot make the output folder " << folder << "\n";
        std::exit(1);
    }
    return QDir(folder).filePath(file);
}

void Options::Usage() const
{
    QTextStream(stderr) << usage_ << "  --out DIR  folder for the databases and files made (default "
                        << VEXO_BENCH_OUT_DIR << ")\n";
    std::exit(2);
}

void Stopwatch::start()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    cpu_ = static_cast<qint64>(now.tv_sec) * 1000000000 + now.tv_nsec;
    wall_.start();
}

qint64 Stopwatch::cpu_ns() const
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<qint64>(now.tv_sec) * 1000000000 + now.tv_nsec - cpu_;
}

double Resident_mib()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toDouble() * static_cast<double>(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0)
                             : 0;
}

Bench_program Start_bench(int& argc, char** argv, const QString& usage, const QStringList& flags,
                          const QStringList& valued, int default_runs)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    auto application = std::make_unique<QApplication>(argc, argv);
    Options options(usage, flags, QStringList(valued) << QStringLiteral("--runs"));
    const int runs = options.Number(QStringLiteral("--runs"), default_runs);
    return {std::move(application), std::move(options), runs};
}

QList<int> Read_scales(const Options& options)
{
    QList<int> scales;
    for (const QString& s : options.Text(QStringLiteral("--scales"), QStringLiteral("1,10,100")).split(u',')) {
        if (s.toInt() < 1)
            options.Usage();
        scales << s.toInt();
    }
    return scales;
}

QString Time_cells(const Times& times, int decimals)
{
    return QString::number(Median_ms(times.wall), 'f', decimals).rightJustified(9) + QStringLiteral(" | ")
        + QString::number(Max_ms(times.wall), 'f', decimals).rightJustified(6) + QStringLiteral(" | ")
        + QString::number(Median_ms(times.cpu), 'f', decimals).rightJustified(13) + QStringLiteral(" |");
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

void Process_until(const std::function<bool()>& done)
{
    QElapsedTimer waited;
    waited.start();
    while (!done() && waited.elapsed() < 1000)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
}

} // namespace vexo::bench
