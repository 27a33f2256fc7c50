// The program as the guide windows meet it in a test: a main window over a
// fixture database, with scripted message boxes.
#pragma once

#include "support/Scripted_platform.h"

#include <QString>
#include <QTemporaryDir>

#include <memory>

namespace vexo {
class frmMain;
}

namespace vexo::test {

class Guide_program {
public:
    // Over a fixture made from SQL inserts, or over an existing database file.
    explicit Guide_program(const QString& inserts);
    static std::unique_ptr<Guide_program> On_file(const QString& path);
    ~Guide_program();

    Scripted_platform ui;

private:
    Guide_program() = default;
    void Start(const QString& path);
    QTemporaryDir dir_;
    std::unique_ptr<frmMain> main_;
};

} // namespace vexo::test
