// The program as it is after start-up: a main window loaded over a copy of a
// fixture database, in a program folder and settings store of its own, with
// the scripted platform answering its boxes.
#pragma once

#include "support/Scripted_platform.h"

#include <QTemporaryDir>

#include <memory>

namespace vexo {
class frmMain;
}

namespace vexo::test {

class Loaded_program {
public:
    // `database` is copied into the program folder as guide2ks.mdb.
    explicit Loaded_program(const QString& database);
    ~Loaded_program();
    Loaded_program(const Loaded_program&) = delete;
    Loaded_program& operator=(const Loaded_program&) = delete;

    frmMain* main() const { return main_.get(); }
    Scripted_platform& ui() { return ui_; }

private:
    QTemporaryDir dir_;
    Scripted_platform ui_;
    std::unique_ptr<frmMain> main_;
};

} // namespace vexo::test
