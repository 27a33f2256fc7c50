#include "support/Rows_program.h"

#include "app/General.h"
#include "app/frmMain.h"
#include "guides/frmGuidePage.h"
#include "support/Fixture.h"

#include <QCoreApplication>
#include <QMdiArea>

namespace vexo::test {

Rows_program::Rows_program(const QString& inserts)
{
    const QString path = dir_.filePath(QStringLiteral("rows.mdb"));
    Make_database(path, inserts);
    Start(path);
}

std::unique_ptr<Rows_program> Rows_program::On_file(const QString& path)
{
    std::unique_ptr<Rows_program> program(new Rows_program);
    program->Start(path);
    return program;
}

void Rows_program::Start(const QString& path)
{
    Main_database = Database::Open(path);
    Initialize_globals();
    Summary_empty = true;
    main_ = std::make_unique<frmMain>();
    Main_form = main_.get();
    main_->resize(1000, 750);
    main_->show();
}

Rows_program::~Rows_program()
{
    // The child windows go as the user closes them, before the frame.
    main_->Work_area()->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    main_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Main_form = nullptr;
    Main_database.reset();
    Index_records.reset();
    Summary_records.reset();
    Guide_records.reset();
    Guide_page_records.reset();
    Product_label.clear();
    Box_SQL.clear();
}

} // namespace vexo::test
