// What an open file's memo keeps, and how it tells that the file changed.
#include "data/File_memo.h"

#include "data/Queries.h"
#include "data/Statement.h"
#include "data/Text_memo.h"

#include <sqlite3.h>

namespace vexo {

File_memo::File_memo(sqlite3* db) : db_(db) {}

File_memo::~File_memo() = default;

void File_memo::Check()
{
    // Rows written through this connection, whatever statement wrote them;
    // commits of other connections; any change of the schema.
    if (!versions_)
        versions_ = std::make_unique<sqlite::Statement>(
            db_, QStringLiteral("SELECT data_version, schema_version FROM pragma_data_version, pragma_schema_version"));
    const qint64 changes = sqlite3_total_changes64(db_);
    qint64 data_version = -1, schema_version = -1;
    if (versions_->Step()) {
        data_version = versions_->Integer(0);
        schema_version = versions_->Integer(1);
    }
    versions_->Reset();
    if (changes == changes_ && data_version == data_version_ && schema_version == schema_version_)
        return;
    changes_ = changes;
    data_version_ = data_version;
    schema_version_ = schema_version;
    counts_.clear();
    lookup_index_.reset();
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

bool File_memo::Has_lookup_index()
{
    Check();
    if (!lookup_index_) {
        sqlite::Statement tables(db_, sql::Lookup_index_SQL());
        lookup_index_ = tables.Step();
    }
    return *lookup_index_;
}

} // namespace vexo
