#include "support/Rows_program.h"

#include "app/Child_windows.h"
#include "app/General.h"
#include "app/frmMain.h"
#include "app/frmWelcome.h"
#include "guides/frmGuidePage.h"
#include "platform/Platform.h"
#include "support/Fixture.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QSettings>

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
    const QString copy = program->dir_.filePath(QStringLiteral("copy.mdb"));
    if (!QFile::copy(path, copy))
        qFatal("cannot copy the database %s", qPrintable(path));
    program->Start(copy);
    return program;
}

std::unique_ptr<Rows_program> Rows_program::Before_start()
{
    std::unique_ptr<Rows_program> program(new Rows_program);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, program->dir_.filePath(QStringLiteral("settings")));
    platform::Set_app_path(program->folder());
    Main_database.reset();
    Database_path.clear();
    program->main_ = std::make_unique<frmMain>();
    Main_form = program->main_.get();
    return program;
}

std::unique_ptr<Rows_program> Rows_program::Loaded(const QString& database)
{
    auto program = Before_start();
    if (!QFile::copy(database, program->dir_.filePath(QStringLiteral("guide2ks.mdb"))))
        qFatal("cannot copy the database %s", qPrintable(database));
    program->main_->Load();
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
    // The child windows go as the user closes them, before the frame; closing
    // the welcome page would be leaving the program.
    delete Child_frame<frmWelcome>();
    main_->Work_area()->closeAllSubWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    main_.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    Main_form = nullptr;
    for (auto* records : {&Index_records, &Summary_records, &Guide_records, &Guide_page_records, &Green_records,
                          &Water_records})
        records->reset();
    Main_database.reset();
    frmGuidePage::Distances_box_opener = nullptr;
    for (QString* text : {&Product_label, &Box_SQL, &Green_SQL, &Water_SQL, &Index_SQL})
        text->clear();
    Summary_empty = false;
}

QStringList Query_rows(Database& db, const QString& jet_sql, QStringList fields)
{
    auto records = db.OpenRecordset(jet_sql);
    if (fields.isEmpty())
        fields = records->Field_names();
    QStringList rows;
    for (records->MoveFirst(); !records->Eof(); records->MoveNext()) {
        QStringList values;
        for (const QString& field : fields)
            values << records->Field(field);
        rows << values.join(u'|');
    }
    return rows;
}

QStringList Rows_of(const QString& jet_sql, const QStringList& fields)
{
    return Query_rows(*Main_database, jet_sql, fields);
}

} // namespace vexo::test
