// The program as a window test meets it: a main window over a database made
// from SQL rows (or over a copy of a database file), with scripted boxes;
// the shared globals go back as they were when it ends. Loaded, it is the
// program after start-up, in a program folder and settings store of its own.
#pragma once

#include "support/Scripted_platform.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace vexo {
class Database;
class frmMain;
}

namespace vexo::test {

class Rows_program {
public:
    explicit Rows_program(const QString& inserts);
    // Over a copy of `path`, which the test may write to.
    static std::unique_ptr<Rows_program> On_file(const QString& path);
    // Before start-up, in its program folder: what start-up meets is the test's to make.
    static std::unique_ptr<Rows_program> Before_start();
    // Started as the user starts it, over a copy of `database` in its folder.
    static std::unique_ptr<Rows_program> Loaded(const QString& database);
    ~Rows_program();
    Rows_program(const Rows_program&) = delete;
    Rows_program& operator=(const Rows_program&) = delete;

    QString folder() const { return dir_.path(); }
    frmMain* main() const { return main_.get(); }

    Scripted_platform ui;

private:
    Rows_program() = default;
    void Start(const QString& path);

    QTemporaryDir dir_;
    std::unique_ptr<frmMain> main_;
};

// The rows of a query, the fields (all of them when none are named) joined
// by "|" per row: what a test compares with what a window shows.
QStringList Query_rows(Database& db, const QString& jet_sql, QStringList fields = {});
QStringList Rows_of(const QString& jet_sql, const QStringList& fields);

} // namespace vexo::test
