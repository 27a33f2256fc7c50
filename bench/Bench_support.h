// What every benchmark program shares: nobody is there to answer a box, the
// synthetic database is reused while its generator is the same, and times
// are summed up as median and maximum.
#pragma once

#include "platform/Platform.h"

#include <QList>
#include <QString>

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

// The options of a benchmark over the synthetic databases: `--runs R` and
// `--scales 1,10,100`.
struct Scale_options {
    int runs;
    QList<int> scales = {1, 10, 100};
};
Scale_options Read_scale_options(int default_runs);

double Median_ms(std::vector<qint64> ns);
double Max_ms(const std::vector<qint64>& ns);

} // namespace vexo::bench
