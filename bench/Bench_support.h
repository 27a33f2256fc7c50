// What every benchmark program shares: nobody is there to answer a box, the
// synthetic database is reused while its generator is the same, and times
// are summed up as median and maximum.
#pragma once

#include "platform/Platform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

namespace vexo {
class frmMain;
}

namespace vexo::bench {

// Writes any message to the error stream and answers it; ending the program
// ends the benchmark with a failure.
class Unattended : public platform::Backend {
public:
    platform::Answer Show(const platform::Message& message) override;
    std::optional<QString> Open_file(const QString&, const QString&) override { return std::nullopt; }
    void Beep() override {}
    void End_program() override;
};

// A main window on screen, as the windows under measure need one, with
// nobody to answer its boxes.
class Shown_main_window {
public:
    explicit Shown_main_window(int width, int height);
    ~Shown_main_window();
    Shown_main_window(const Shown_main_window&) = delete;
    Shown_main_window& operator=(const Shown_main_window&) = delete;

private:
    Unattended unattended_;
    std::unique_ptr<frmMain> window_;
};

// The generator version kept in a synthetic database file, -1 when there is
// no file or it is no database.
int Generator_version_of(const QString& path);

// Makes the synthetic database at `path` unless the one there is current.
void Ensure_synthetic_database(const QString& path, int scale);

// A benchmark's command line: the options it knows, with a value or without,
// and --out DIR, the folder for its databases and files (the build's
// bench-out folder when not given; never the source tree). Anything else,
// or a value that is not what it should be, prints the usage text and ends
// the program with status 2.
class Options {
public:
    Options(const QString& usage, const QStringList& flags, const QStringList& valued);
    bool Has(const QString& flag) const { return given_.contains(flag); }
    QString Text(const QString& option, const QString& otherwise = {}) const;
    // A whole number of at least `least`.
    int Number(const QString& option, int otherwise, int least = 1) const;
    // The output folder, made if missing, and a path in it.
    QString Out(const QString& file) const;
    [[noreturn]] void Usage() const;

private:
    QString usage_;
    QMap<QString, QString> given_;
};

// How every benchmark program starts: its windows drawn off screen unless
// QT_QPA_PLATFORM asks for a display, the application object, and its
// command line read, `--runs R` (at least 1, `default_runs` when not given)
// and `--out DIR` included.
struct Bench_program {
    std::unique_ptr<QApplication> application;
    Options options;
    int runs;
};
Bench_program Start_bench(int& argc, char** argv, const QString& usage, const QStringList& flags,
                          const QStringList& valued, int default_runs);

// `--scales 1,10,100` of a benchmark over the synthetic databases; a wrong
// value prints the usage text.
QList<int> Read_scales(const Options& options);

// Wall time is what a user waits; the thread's CPU time beside it tells the
// work itself from waiting for a core on a shared machine.
class Stopwatch {
public:
    void start();
    qint64 wall_ns() const { return wall_.nsecsElapsed(); }
    qint64 cpu_ns() const;

private:
    QElapsedTimer wall_;
    qint64 cpu_ = 0;
};

// The wall and CPU times of the runs of one measure.
struct Times {
    std::vector<qint64> wall;
    std::vector<qint64> cpu;
    void Add(const Stopwatch& t)
    {
        wall.push_back(t.wall_ns());
        cpu.push_back(t.cpu_ns());
    }
};

// The cells "median ms | max ms | CPU median ms" of a table row, and the
// header and rule above them.
QString Time_cells(const Times& times, int decimals = 2);
inline constexpr const char* Time_header = "median ms | max ms | CPU median ms |";
inline constexpr const char* Time_rule = "----------:|-------:|--------------:|";

// The resident memory of this process now, in MiB.
double Resident_mib();

// Runs the event loop until `done` holds, for at most a second: a long list
// draws its first page, then counts its rows.
void Process_until(const std::function<bool()>& done);

double Median_ms(std::vector<qint64> ns);
double Max_ms(const std::vector<qint64>& ns);

} // namespace vexo::bench
