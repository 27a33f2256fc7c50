// A main window over a fixture database for the distances window tests; it
// leaves the shared globals as it found them.
#include "Distances_program.h"

#include "app/General.h"
#include "app/frmMain.h"
#include "guides/frmGuidePage.h"
#include "support/Fixture.h"

#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace vexo::test {

Distances_program::Distances_program(const QString& inserts)
{
    const QString path = dir_.filePath(QStringLiteral("distances.mdb"));
    Make_database(path, inserts);
    Start(path);
}

std::unique_ptr<Distances_program> Distances_program::On_copy_of(const QString& path)
{
    std::unique_ptr<Distances_program> program(new Distances_program);
    const QString copy = program->dir_.filePath(QStringLiteral("copy.mdb"));
    if (!QFile::copy(path, copy))
        return nullptr;
    program->Start(copy);
    return program;
}

void Distances_program::Start(const QString& path)
{
    Main_database = Database::Open(path);
    Cyan_highlight = QColor(0, 255, 255);
    Green_highlight = QColor(0, 255, 0);
    main_ = std::make_unique<frmMain>();
    Main_form = main_.get();
    main_->resize(1280, 900);
    main_->show();
}

Distances_program::~Distances_program()
{
    qDeleteAll(main_->Work_area()->subWindowList());
    Main_form = nullptr;
    main_.reset();
    Green_records.reset();
    Water_records.reset();
    Index_records.reset();
    Summary_records.reset();
    Guide_page_records.reset();
    Main_database.reset();
    frmGuidePage::Distances_box_opener = nullptr;
    Product_label.clear();
    Box_SQL.clear();
    Green_SQL.clear();
    Water_SQL.clear();
    Index_SQL.clear();
    Summary_empty = false;
}

QStringList Rows_of(const QString& jet_sql, const QStringList& fields)
{
    QStringList rows;
    auto records = Main_database->OpenRecordset(jet_sql);
    for (records->MoveFirst(); !records->Eof(); records->MoveNext()) {
        QStringList values;
        for (const QString& field : fields)
            values << records->Field(field);
        rows << values.join(u'|');
    }
    return rows;
}

} // namespace vexo::test
