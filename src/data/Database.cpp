// SQLite behind the program's database operations.
#include "data/Database.h"

#include "data/File_memo.h"
#include "data/Jet_dialect.h"
#include "data/RecordSet.h"
#include "data/Statement.h"
#include "data/Text_memo.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <sqlite3.h>

namespace vexo {

Db_error::Db_error(int number, const QString& description)
    : std::runtime_error(description.toStdString()), number_(number), description_(description)
{
}

namespace {

// The name columns whose folded copy the file carries ("_folded" beside
// them), read from the tables' definitions. SQLite reads a file lazily:
// reading its schema is also what tells whether it is a database at all.
jet::Folded_columns Folded_columns_of(sqlite3* db)
{
    static const QRegularExpression column(QStringLiteral("([A-Za-z_]\\w*)_folded\\b"));
    jet::Folded_columns folded;
    sqlite::Statement tables(db, QStringLiteral("SELECT lower(name), sql FROM sqlite_master "
                                                "WHERE type = 'table' AND instr(sql, '_folded') > 0"));
    while (tables.Step()) {
        const QString table = tables.Text(0);
        const QString definition = tables.Text(1);
        for (auto it = column.globalMatch(definition); it.hasNext();)
            folded.insert(table + u'.' + it.next().captured(1).toLower());
    }
    return folded;
}

} // namespace

Database::Database(sqlite3* db, const QString& path)
    : db_(db), path_(path), statements_(std::make_shared<sqlite::Statement_pool>(db)),
      memo_(std::make_unique<File_memo>(db))
{
}

Database::~Database()
{
    // Statements still lent to record sets are finalized when those go.
    statements_.reset();
    sqlite3_close_v2(db_);
}

std::unique_ptr<Database> Database::Open(const QString& path)
{
    const QFileInfo info(path);
    if (path.isEmpty())
        throw Db_error(Db_code::File_not_found, QStringLiteral("no file named"));
    if (!info.exists()) {
        // 3044 when even the folder is missing, as for a drive that is gone.
        const bool folder_there = info.absoluteDir().exists();
        throw Db_error(folder_there ? Db_code::File_not_found : Db_code::Invalid_path,
                       QStringLiteral("file not found: ") + path);
    }
    if (info.isDir())
        throw Db_error(Db_code::Invalid_path, QStringLiteral("a folder, not a file: ") + path);
    // An empty file would open as an empty SQLite database: it is no database of ours.
    if (info.size() == 0)
        throw Db_error(Db_code::Unrecognized, QStringLiteral("empty file: ") + path);
    if (!info.isReadable())
        throw Db_error(Db_code::Cannot_open, QStringLiteral("no permission to read: ") + path);

    sqlite3* db = nullptr;
    // One thread uses a connection: SQLite need not lock it for every value read.
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX,
                                   nullptr);
    if (rc != SQLITE_OK) {
        const std::unique_ptr<sqlite3, int (*)(sqlite3*)> closing(db, sqlite3_close_v2);
        sqlite::Fail(db, rc);
    }
    std::unique_ptr<Database> opened(new Database(db, path));
    sqlite3_busy_timeout(db, 2000);
    if (!jet::Register_functions(db))
        sqlite::Fail(db, sqlite3_errcode(db));
    // SQLite reads the header lazily: ask for the schema to learn whether
    // this really is a database file. Sorts and counts stay in memory, and
    // the page cache holds the whole default database.
    opened->folded_ = Folded_columns_of(db);
    opened->Execute_native(QStringLiteral("SELECT count(*) FROM sqlite_master; PRAGMA temp_store = MEMORY; "
                                          "PRAGMA cache_size = -8192;"));
    return opened;
}

std::unique_ptr<Database> Database::Create(const QString& path)
{
    QFile::remove(path);
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const std::unique_ptr<sqlite3, int (*)(sqlite3*)> closing(db, sqlite3_close_v2);
        sqlite::Fail(db, rc);
    }
    std::unique_ptr<Database> created(new Database(db, path));
    if (!jet::Register_functions(db))
        sqlite::Fail(db, sqlite3_errcode(db));
    return created;
}

std::unique_ptr<RecordSet> Database::OpenRecordset(const QString& jet_sql)
{
    return std::make_unique<RecordSet>(*this, jet_sql);
}

void Database::Execute(const QString& jet_sql)
{
    // An action text of the program writes rows; were it to change the
    // schema, the version read at the next open would tell.
    Run_native(Translate(jet_sql));
}

QString Database::Translate(const QString& jet_sql) const
{
    if (const auto found = translated_.constFind(jet_sql); found != translated_.constEnd())
        return *found;
    return Remember_for_text(translated_, jet_sql, jet::To_sqlite(jet_sql, folded_));
}

std::shared_ptr<Read_plan> Database::Read_plan_of(const QString& jet_sql)
{
    if (plans_.isEmpty())
        return nullptr;
    // The file as the last read saw it: a set sees a later change once its
    // read has begun, and opens again (see RecordSet::Run).
    if (memo_->Watch().Look(false).schema != plans_schema_) {
        Forget_schema();
        return nullptr;
    }
    return plans_.value(jet_sql);
}

void Database::Keep_read_plan(const QString& jet_sql, std::shared_ptr<Read_plan> plan)
{
    if (plans_.isEmpty())
        plans_schema_ = memo_->Watch().Look(false).schema;
    Remember_for_text(plans_, jet_sql, std::move(plan));
}

sqlite::Lent_statement Database::Borrow(const QString& sqlite_sql, const QString& context)
{
    return statements_->Borrow(sqlite_sql, context);
}

void Database::Forget_schema()
{
    plans_.clear();
    statements_->Clear();
}

void Database::Execute_native(const QString& sql)
{
    Forget_schema();
    Run_native(sql);
}

void Database::Run_native(const QString& sql)
{
    char* error = nullptr;
    const int rc = sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        const QString message = QString::fromUtf8(error ? error : sqlite3_errstr(rc));
        sqlite3_free(error);
        throw Db_error(sqlite::Classify(rc, message), message);
    }
}

} // namespace vexo
