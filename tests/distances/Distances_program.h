// The program as the distances windows meet it in a test: a main window over
// a fixture database (or a copy of a real one), with scripted message boxes.
#pragma once

#include "support/Scripted_platform.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace vexo {
class frmMain;
}

namespace vexo::test {

class Distances_program {
public:
    // Over a fixture made from SQL inserts.
    explicit Distances_program(const QString& inserts);
    // Over a copy of an existing database file (the test may write to it).
    static std::unique_ptr<Distances_program> On_copy_of(const QString& path);
    ~Distances_program();

    Scripted_platform ui;

private:
    Distances_program() = default;
    void Start(const QString& path);
    QTemporaryDir dir_;
    std::unique_ptr<frmMain> main_;
};

// The rows of a query, one field joined by "|" per row: what a test
// compares with what a window shows.
QStringList Rows_of(const QString& jet_sql, const QStringList& fields);

} // namespace vexo::test
