// Writes to table Summary, the only table the program changes.
#include "summary/Summary_store.h"

#include "app/General.h"
#include "data/Queries.h"
#include "platform/Platform.h"

#include <QDir>
#include <QFileInfo>

namespace vexo {

namespace {

// Why the database file could not be written, as the user can act on it.
QString Why_not_written(const Db_error& error)
{
    const QFileInfo file(Main_database->path());
    if (file.exists() && !file.isWritable())
        return QStringLiteral("el archivo \"%1\" es de solo lectura").arg(QDir::toNativeSeparators(file.filePath()));
    // Writing needs a journal file beside the database.
    const QFileInfo folder(file.absolutePath());
    if (!folder.isWritable())
        return QStringLiteral("la carpeta \"%1\" donde está es de solo lectura").arg(QDir::toNativeSeparators(folder.filePath()));
    const QString detail = error.description();
    if (detail.contains(QLatin1String("locked")) || detail.contains(QLatin1String("busy")))
        return QStringLiteral("otro programa la está usando");
    if (detail.contains(QLatin1String("full")))
        return QStringLiteral("el disco está lleno");
    return QStringLiteral("el sistema no lo permite (error %1)").arg(error.number());
}

bool Write(const QString& statement, const QString& what_failed)
{
    try {
        Main_database->Execute(statement);
        return true;
    } catch (const Db_error& error) {
        platform::MsgBox(what_failed + QStringLiteral(" porque la base de datos no se puede escribir: ")
                             + Why_not_written(error) + u'.',
                         platform::Icon::Exclamation);
        return false;
    }
}

const QString kNot_changed = QStringLiteral("El Resúmen no se cambió");

} // namespace

bool Add_to_summary(const QString& Name, const QString& ID, const QString& High_green, const QString& Bold)
{
    if (!Write(sql::Add_to_summary_SQL(ID, Name, High_green, Bold), QStringLiteral("El producto no se agregó al Resúmen")))
        return false;
    Set_summary_empty(false);
    return true;
}

bool Delete_from_summary(const QString& key)
{
    return Write(sql::Delete_summary_row_SQL(key), kNot_changed);
}

bool Clear_summary()
{
    if (!Write(sql::Clear_summary_SQL(), kNot_changed))
        return false;
    Set_summary_empty(true);
    return true;
}

void Set_summary_empty(bool empty)
{
    if (empty == Summary_empty)
        return;
    Summary_empty = empty;
    Q_EMIT Summary_changes().Changed();
}

Summary_watch& Summary_changes()
{
    static Summary_watch watch;
    return watch;
}

} // namespace vexo
