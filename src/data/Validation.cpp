// Validation of the database at start-up: schema, soundness, content.
#include "data/Validation.h"

#include "data/Database.h"
#include "data/RecordSet.h"
#include "data/Schema.h"
#include "data/Statement.h"

#include <QFile>
#include <QFileInfo>
#include <QMap>

#include <sqlite3.h>
// Inlined: the hash needs no library at run time.
#define XXH_INLINE_ALL
#include <xxhash.h>

#include <array>

namespace vexo::validation {

namespace {

using sqlite::Statement;

// 64-bit FNV-1a, finished with a strong mix so that the sum of row hashes
// below does not let changes in two rows cancel out.
struct Hash {
    quint64 h = 0xcbf29ce484222325ULL;
    void Add(const void* data, size_t n)
    {
        const auto* p = static_cast<const unsigned char*>(data);
        for (size_t i = 0; i < n; ++i)
            h = (h ^ p[i]) * 0x100000001b3ULL;
    }
    quint64 Mixed() const
    {
        quint64 z = h + 0x9e3779b97f4a7c15ULL;
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }
};

// A table's content: its definition and every value with its type. Rows are
// summed rather than chained, so the checksum does not depend on the order
// SQLite hands them over (a VACUUM may renumber them).
QString Table_checksum(sqlite3* db, const QString& table, const QString& definition)
{
    Statement rows(db, QStringLiteral("SELECT * FROM \"%1\"").arg(table));
    const int columns = rows.Columns();
    quint64 sum = 0, count = 0;
    while (rows.Step()) {
        Hash row;
        for (int c = 0; c < columns; ++c) {
            const unsigned char type = static_cast<unsigned char>(sqlite3_column_type(rows.get(), c));
            row.Add(&type, 1);
            if (type == SQLITE_INTEGER) {
                const qint64 v = sqlite3_column_int64(rows.get(), c);
                row.Add(&v, sizeof v);
            } else if (type == SQLITE_FLOAT) {
                const double v = sqlite3_column_double(rows.get(), c);
                row.Add(&v, sizeof v);
            } else if (type != SQLITE_NULL) {
                const void* bytes = sqlite3_column_blob(rows.get(), c);
                const int n = sqlite3_column_bytes(rows.get(), c);
                row.Add(&n, sizeof n);
                row.Add(bytes, static_cast<size_t>(n));
            }
        }
        sum += row.Mixed();
        ++count;
    }
    Hash whole;
    const QByteArray text = definition.toUtf8();
    whole.Add(text.constData(), static_cast<size_t>(text.size()));
    whole.Add(&count, sizeof count);
    whole.Add(&sum, sizeof sum);
    return QString::number(whole.Mixed(), 16).rightJustified(16, u'0');
}

// The tables a checksum covers: every one present except Summary, the
// checksum table itself and SQLite's own (statistics, the Summary counter).
// A full-text table is covered by the tables that hold its index.
QMap<QString, QString> Reference_tables(sqlite3* db)
{
    QMap<QString, QString> tables;
    Statement list(db, QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type = 'table' AND "
                                      "lower(substr(name, 1, 7)) <> 'sqlite_' AND lower(name) <> 'summary' AND "
                                      "sql NOT GLOB 'CREATE VIRTUAL TABLE *' AND "
                                      "lower(name) <> lower('%1')")
                           .arg(Checksum_table));
    while (list.Step())
        tables.insert(list.Text(0), list.Text(1));
    return tables;
}

bool Has_checksum_table(sqlite3* db)
{
    Statement find(db, QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND lower(name) = lower('%1')")
                           .arg(Checksum_table));
    return find.Step();
}

bool Sound(sqlite3* db)
{
    Statement check(db, QStringLiteral("PRAGMA integrity_check"));
    // One row "ok" when nothing is wrong; otherwise one row per problem.
    return check.Step() && check.Text(0) == QLatin1String("ok") && !check.Step();
}

// The checks read the whole file once: mapped into memory for them, rather
// than copied page by page into SQLite's cache, and unmapped afterwards so
// that no later read depends on a mapping (a file cut short by another
// program while mapped would end this one).
class Mapped_while_checking {
public:
    explicit Mapped_while_checking(sqlite3* db) : db_(db)
    {
        sqlite3_exec(db_, "PRAGMA mmap_size = 268435456", nullptr, nullptr, nullptr);
    }
    ~Mapped_while_checking() { sqlite3_exec(db_, "PRAGMA mmap_size = 0", nullptr, nullptr, nullptr); }
    Mapped_while_checking(const Mapped_while_checking&) = delete;
    Mapped_while_checking& operator=(const Mapped_while_checking&) = delete;

private:
    sqlite3* db_;
};

} // namespace

bool Check_fields(Database& db)
{
    bool summary_empty = true;
    // One row is enough to prove the fields are there.
    for (const schema::Table& table : schema::Tables()) {
        std::unique_ptr<RecordSet> first;
        try {
            first = db.OpenRecordset(QStringLiteral("SELECT * FROM ") + table.name + QStringLiteral(" LIMIT 1"));
        } catch (const Db_error& error) {
            // 3078: a table the database may leave out; when it is there it is read like the others
            if (table.optional && error.number() == Db_code::No_such_table)
                continue;
            throw;
        }
        if (first->Empty()) {
            if (!table.may_be_empty)
                throw Db_error(Db_code::No_current_record, QStringLiteral("no rows in ") + table.name);
            continue;
        }
        if (table.name == QLatin1String("Summary"))
            summary_empty = false;
        for (const schema::Field& field : table.fields)
            (void)first->Field(field.name);
    }
    return summary_empty;
}

bool Intact(Database& db)
{
    sqlite3* handle = db.handle();
    const Mapped_while_checking mapped(handle);
    try {
        if (!Sound(handle))
            return false;
        if (!Has_checksum_table(handle))
            return true;
        QMap<QString, QString> recorded;
        Statement stored(handle, QStringLiteral("SELECT Table_name, Checksum FROM %1").arg(Checksum_table));
        while (stored.Step())
            recorded.insert(stored.Text(0), stored.Text(1));
        const QMap<QString, QString> present = Reference_tables(handle);
        // A table gone, added or renamed fails as surely as a changed value.
        if (recorded.keys() != present.keys())
            return false;
        for (auto t = present.cbegin(); t != present.cend(); ++t)
            if (Table_checksum(handle, t.key(), t.value()) != recorded.value(t.key()))
                return false;
        return true;
    } catch (const Db_error&) {
        return false;
    }
}

void Write_checksums(Database& db)
{
    sqlite3* handle = db.handle();
    const QMap<QString, QString> present = Reference_tables(handle);
    QString sql = QStringLiteral("SAVEPOINT checksums; DROP TABLE IF EXISTS %1; CREATE TABLE %1 (Table_name TEXT "
                                 "PRIMARY KEY, Checksum TEXT NOT NULL);")
                      .arg(Checksum_table);
    for (auto t = present.cbegin(); t != present.cend(); ++t)
        sql += QStringLiteral("INSERT INTO %1 VALUES ('%2', '%3');")
                   .arg(Checksum_table, t.key(), Table_checksum(handle, t.key(), t.value()));
    db.Execute_native(sql + QStringLiteral("RELEASE checksums;"));
}

QString File_digest(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    XXH3_state_t state;
    XXH3_128bits_reset(&state);
    std::array<char, 1 << 16> buffer;
    qint64 size = 0;
    for (qint64 n; (n = file.read(buffer.data(), buffer.size())) != 0; size += n) {
        if (n < 0)
            return {};
        XXH3_128bits_update(&state, buffer.data(), static_cast<size_t>(n));
    }
    const XXH128_hash_t hash = XXH3_128bits_digest(&state);
    return QStringLiteral("%1:%2%3")
        .arg(size)
        .arg(hash.high64, 16, 16, QChar(u'0'))
        .arg(hash.low64, 16, 16, QChar(u'0'));
}

Result Validate(Database& db, const QString& verified)
{
    Result result;
    try {
        // Reading the fields first also lets SQLite finish or undo a write
        // that another program left half done, so the bytes hashed below are
        // those SQLite reads.
        result.summary_empty = Check_fields(db);
    } catch (const Db_error&) {
        return result;
    }
    // With a write-ahead log beside it, the file alone is not the content.
    if (QFileInfo::exists(db.path() + QStringLiteral("-wal"))) {
        result.valid = Intact(db);
        return result;
    }
    const QString digest = File_digest(db.path());
    if (!digest.isEmpty() && digest == verified) {
        result.valid = true;
        result.digest = digest;
        return result;
    }
    result.valid = Intact(db);
    // Kept only if no other program changed the file while it was checked.
    if (result.valid && File_digest(db.path()) == digest)
        result.digest = digest;
    return result;
}

} // namespace vexo::validation
