// What an open file's memo keeps, and how it tells that the file changed.
#include "data/File_memo.h"

#include "data/Database.h"
#include "data/Queries.h"
#include "data/Statement.h"
#include "data/Text_memo.h"

#include <QScopeGuard>

#include <sqlite3.h>

namespace vexo {

File_watch::File_watch(sqlite3* db) : db_(db) {}

File_watch::~File_watch() = default;

File_watch::Seen File_watch::Look(bool now)
{
    // Inside a read, SQLite has looked at the file as it began: the pager's
    // version then tells any commit since the last look, by this connection
    // or another, without a statement of its own.
    const qint64 changes = sqlite3_total_changes64(db_);
    if ((!now || sqlite3_txn_state(db_, "main") != SQLITE_TXN_NONE) && changes == changes_
        && Pager_version() == pager_version_)
        return seen_;
    // Rows written through this connection, whatever statement wrote them;
    // commits of other connections; any change of the schema. Read in one
    // read of the file: the first statement holds it while the second runs.
    if (!data_version_query_) {
        data_version_query_ = std::make_unique<sqlite::Statement>(db_, QStringLiteral("PRAGMA data_version"));
        schema_version_query_ = std::make_unique<sqlite::Statement>(db_, QStringLiteral("PRAGMA schema_version"));
    }
    qint64 data_version = -1, schema_version = -1;
    {
        const auto reset = qScopeGuard([this] {
            data_version_query_->Reset();
            schema_version_query_->Reset();
        });
        if (data_version_query_->Step())
            data_version = data_version_query_->Integer(0);
        if (schema_version_query_->Step())
            schema_version = schema_version_query_->Integer(0);
    }
    pager_version_ = Pager_version();
    if (changes == changes_ && data_version == data_version_ && schema_version == schema_version_)
        return seen_;
    ++seen_.file;
    const bool schema_changed = schema_version != schema_version_ && schema_version_ != -1;
    changes_ = changes;
    data_version_ = data_version;
    schema_version_ = schema_version;
    if (schema_changed) {
        ++seen_.schema;
        // SQLite prepares from the schema it read last until a statement
        // that reads a table finds it changed: a new text's fields would be
        // the old ones.
        sqlite::Statement(db_, QStringLiteral("SELECT 1 FROM sqlite_master LIMIT 0")).Step();
    }
    return seen_;
}

unsigned File_watch::Pager_version() const
{
    unsigned version = 0;
    sqlite3_file_control(db_, "main", SQLITE_FCNTL_DATA_VERSION, &version);
    return version;
}

File_memo::File_memo(sqlite3* db) : db_(db), watch_(db) {}

File_memo::~File_memo() = default;

void File_memo::Check()
{
    const quint64 seen = watch_.Look(true).file;
    if (seen == seen_)
        return;
    seen_ = seen;
    counts_.clear();
    count_texts_.clear();
    lookup_index_.reset();
    titles_.reset();
}

std::optional<qint64> File_memo::Count(const QString& count_sql)
{
    Check();
    if (const auto found = counts_.constFind(count_sql); found != counts_.constEnd())
        return *found;
    return std::nullopt;
}

void File_memo::Remember_count(const QString& count_sql, qint64 rows)
{
    Check();
    Remember_for_text(counts_, count_sql, rows);
}

void File_memo::Count_with(const QString& count_sql, const QString& instead)
{
    Check();
    Remember_for_text(count_texts_, count_sql, instead);
}

QString File_memo::Counted_with(const QString& count_sql)
{
    Check();
    return count_texts_.value(count_sql, count_sql);
}

bool File_memo::Has_lookup_index()
{
    Check();
    if (!lookup_index_) {
        sqlite::Statement tables(db_, sql::Lookup_index_SQL());
        lookup_index_ = tables.Step();
    }
    return *lookup_index_;
}

namespace {

// Whether a column holds whole numbers compared as numbers: integer
// affinity, binary collation.
bool Whole_number_column(sqlite3* db, const char* table, const char* column)
{
    const char* type = nullptr;
    const char* collation = nullptr;
    if (sqlite3_table_column_metadata(db, nullptr, table, column, &type, &collation, nullptr, nullptr, nullptr)
        != SQLITE_OK)
        return false;
    return QByteArray(type ? type : "").toUpper().contains("INT") && qstricmp(collation, "BINARY") == 0;
}

// The titles of every guide, read as the lists join them.
std::optional<File_memo::Guide_titles> Read_titles(sqlite3* db)
{
    if (!Whole_number_column(db, "Yellow", "Guide_Number") || !Whole_number_column(db, "Guides_pages", "Guide_page"))
        return std::nullopt;
    File_memo::Guide_titles titles;
    try {
        sqlite::Statement slots(db, QStringLiteral("SELECT Guides_pages.Guide_page, Sentences.Sentences FROM Guides_pages "
                                                   "JOIN Sentences ON Guides_pages.Sentences_key = Sentences.Key WHERE "
                                                   "Sentences.Code = 2 ORDER BY Guides_pages.Guide_page, "
                                                   "Guides_pages.Sentences_key, Guides_pages.rowid"));
        while (slots.Step()) {
            const int guide_type = sqlite3_column_type(slots.get(), 0);
            if (guide_type == SQLITE_NULL)
                continue; // a slot of no guide: no entry reaches it
            if (guide_type != SQLITE_INTEGER)
                return std::nullopt;
            int length = 0;
            const char* bytes = slots.Bytes(1, &length);
            titles[slots.Integer(0)].push_back(
                {sqlite3_column_type(slots.get(), 1), std::string(bytes ? bytes : "", static_cast<size_t>(length))});
        }
    } catch (const Db_error&) {
        return std::nullopt; // a table without row numbers, a missing field: the lists join themselves
    }
    return titles;
}

} // namespace

const File_memo::Guide_titles* File_memo::Titles()
{
    Check();
    if (!titles_)
        titles_ = Read_titles(db_);
    return *titles_ ? &**titles_ : nullptr;
}

} // namespace vexo
