// A main window over a fixture database for the guide window tests; it
// leaves the shared globals as it found them.
#include "Guide_program.h"

#include "app/General.h"
#include "app/frmMain.h"
#include "guides/frmGuidePage.h"
#include "support/Fixture.h"

#include <QMdiArea>
#include <QMdiSubWindow>

namespace vexo::test {

Guide_program::Guide_program(const QString& inserts)
{
    const QString path = dir_.filePath(QStringLiteral("guides.mdb"));
    Make_database(path, inserts);
    Start(path);
}

std::unique_ptr<Guide_program> Guide_program::On_file(const QString& path)
{
    std::unique_ptr<Guide_program> program(new Guide_program);
    program->Start(path);
    return program;
}

void Guide_program::Start(const QString& path)
{
    Main_database = Database::Open(path);
    main_ = std::make_unique<frmMain>();
    // The main window installs the real distances box and printing; these
    // tests install the stand-ins they need.
    frmGuidePage::Distances_box_opener = nullptr;
    frmGuidePage::Page_printer = nullptr;
    Main_form = main_.get();
    main_->resize(1000, 750);
    main_->show();
}

Guide_program::~Guide_program()
{
    qDeleteAll(main_->Work_area()->subWindowList());
    Main_form = nullptr;
    main_.reset();
    Main_database.reset();
    Guide_records.reset();
    Guide_page_records.reset();
    Product_label.clear();
    Box_SQL.clear();
}

} // namespace vexo::test
