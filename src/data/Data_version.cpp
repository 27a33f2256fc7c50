// The data's version lives in the file header (SQLite's user version), so it
// is neither a table the checks count nor anything the user's tools see as data.
#include "data/Data_version.h"

#include "data/Database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <filesystem>
#include <optional>

#include <sqlite3.h>

namespace vexo::data_version {

namespace {

// The first column of every row of a query on `db`; nullopt on any error.
std::optional<QStringList> Column(sqlite3* db, const QString& sql)
{
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr) != SQLITE_OK) {
        sqlite3_finalize(stmt);
        return std::nullopt;
    }
    QStringList values;
    int step = SQLITE_ROW;
    while ((step = sqlite3_step(stmt)) == SQLITE_ROW)
        values << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    sqlite3_finalize(stmt);
    if (step != SQLITE_DONE)
        return std::nullopt;
    return values;
}

QString Quoted(const QString& text, QChar quote)
{
    return quote + QString(text).replace(quote, QString(2, quote)) + quote;
}

// A byte-for-byte copy of `from` under a temporary name beside `to`; empty
// when it cannot be made. The caller renames or removes it.
QString Copy_beside(const QString& from, const QString& to)
{
    QFile source(from);
    QTemporaryFile target(to + QStringLiteral(".XXXXXX"));
    if (!source.open(QIODevice::ReadOnly) || !target.open())
        return {};
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError || target.write(bytes) != bytes.size() || !target.flush())
        return {};
    target.setAutoRemove(false);
    // The user's own file, whatever the installed one allows.
    target.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                          | QFileDevice::ReadOther);
    return target.fileName();
}

bool Replace(const QString& temporary, const QString& path)
{
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(temporary).toStdString(), QFile::encodeName(path).toStdString(), error);
    if (error)
        QFile::remove(temporary);
    return !error;
}

// Moves the Summary rows of `old_copy` into the fresh copy at `fresh`, by
// the fields both tables have.
bool Carry_summary(const QString& fresh, const QString& old_copy)
{
    try {
        // Opened as the program opens it, with what its name fields compare by.
        auto db = Database::Open(fresh);
        db->Execute_native(QStringLiteral("ATTACH DATABASE %1 AS old;").arg(Quoted(old_copy, u'\'')));
        const auto fields =
            Column(db->handle(), QStringLiteral("SELECT name FROM pragma_table_info('Summary', 'main') WHERE name IN "
                                                "(SELECT name FROM pragma_table_info('Summary', 'old'))"));
        if (!fields || fields->isEmpty())
            return false;
        QStringList quoted;
        for (const QString& field : *fields)
            quoted << Quoted(field, u'"');
        db->Execute_native(QStringLiteral("BEGIN; DELETE FROM main.Summary; INSERT INTO main.Summary (%1) "
                                          "SELECT %1 FROM old.Summary ORDER BY rowid; COMMIT; DETACH DATABASE old;")
                               .arg(quoted.join(u',')));
        return true;
    } catch (const Db_error&) {
        return false;
    }
}

} // namespace

QString Stamp(Database& db, const QString& csv_folder)
{
    int version = 0;
    QFile file(QDir(csv_folder).filePath(kSource_file));
    if (file.exists()) {
        bool number = false;
        version = file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).trimmed().toInt(&number) : 0;
        if (!number || version < 0)
            return QStringLiteral("%1: la versión de los datos debe ser un número entero positivo.").arg(kSource_file);
    }
    db.Execute_native(QStringLiteral("PRAGMA user_version = %1;").arg(version));
    return {};
}

int Read(const QString& path)
{
    if (!QFileInfo(path).isFile())
        return -1;
    sqlite3* db = nullptr;
    std::optional<QStringList> version;
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK)
        version = Column(db, QStringLiteral("PRAGMA user_version"));
    sqlite3_close(db);
    return version && version->size() == 1 ? version->first().toInt() : -1;
}

bool Refresh_copy(const QString& installed, const QString& copy)
{
    if (!QFileInfo::exists(copy)) {
        const QString made = Copy_beside(installed, copy);
        return !made.isEmpty() && Replace(made, copy);
    }
    const int current = Read(copy);
    if (current < 0 || Read(installed) <= current)
        return false;
    const QString fresh = Copy_beside(installed, copy);
    if (fresh.isEmpty())
        return false;
    if (!Carry_summary(fresh, copy)) {
        QFile::remove(fresh);
        return false;
    }
    return Replace(fresh, copy);
}

} // namespace vexo::data_version
