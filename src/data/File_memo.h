// Facts about one open file that cost a pass over its rows to learn and that
// change only when its rows do: the row counts of the texts a window counts,
// the titles of its guides, and whether the file carries the builder's lookup
// index. Each is learnt once and kept while the file stays as it was:
// anything written through this connection (rows or schema) or committed by
// another connection (SQLite's data version) forgets them all. The watch
// that tells so also tells the database when to forget what it learnt of the
// file's schema (its read plans and statements).
#pragma once

#include <QHash>
#include <QString>

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

struct sqlite3;

namespace vexo {

namespace sqlite {
class Statement;
}

// A guide's title as SQLite gives it.
struct Guide_title {
    int type; // SQLite's type of the value
    std::string bytes; // the value as text
};

// Whether the open file, or its schema, changed since a caller last looked.
class File_watch {
public:
    explicit File_watch(sqlite3* db);
    ~File_watch();

    // Counts of the changes seen: of anything in the file, of its schema.
    struct Seen {
        quint64 file = 0;
        quint64 schema = 0;
    };
    // `now`: the file as it is now. Otherwise, outside a read, the file as
    // this connection's last read saw it, which reads nothing of the file: a
    // later commit of another connection is seen once a read begins.
    Seen Look(bool now);
    // Changes whenever the file's content or schema changed, by this
    // connection or another, as this connection last saw it; reading it
    // reads nothing of the file.
    unsigned Pager_version() const;

private:
    sqlite3* db_;
    std::unique_ptr<sqlite::Statement> data_version_query_;
    std::unique_ptr<sqlite::Statement> schema_version_query_;
    qint64 changes_ = -1;
    qint64 data_version_ = -1;
    qint64 schema_version_ = -1;
    unsigned pager_version_ = 0; // when last looked
    Seen seen_;
};

class File_memo {
public:
    explicit File_memo(sqlite3* db);
    ~File_memo();
    File_memo(const File_memo&) = delete;
    File_memo& operator=(const File_memo&) = delete;

    // The rows a count text gave on the file as it is now, if it was counted.
    std::optional<qint64> Count(const QString& count_sql);
    void Remember_count(const QString& count_sql, qint64 rows);
    // A cheaper text that gives the same count on this file (a find counted
    // from the lookup index), run in its place when the count is taken.
    void Count_with(const QString& count_sql, const QString& instead);
    QString Counted_with(const QString& count_sql);
    // Whether the file has the search box's lookup index (see schema).
    bool Has_lookup_index();

    // A guide's titles: the sentences of code 2 its slots point to, in the
    // order of their keys (then of the slots).
    using Guide_titles = std::unordered_map<qint64, std::vector<Guide_title>>;
    // By guide number; null when the file's guide numbers are not whole
    // numbers compared as such (a file made elsewhere may declare them as
    // text), so a list must join its guides' slots itself.
    const Guide_titles* Titles();

    File_watch& Watch() { return watch_; }

private:
    // Forgets everything when the file is no longer as it was.
    void Check();

    sqlite3* db_;
    File_watch watch_;
    quint64 seen_ = 0; // the watch's count of changes when last checked
    QHash<QString, qint64> counts_;
    QHash<QString, QString> count_texts_;
    std::optional<bool> lookup_index_;
    std::optional<std::optional<Guide_titles>> titles_;
};

} // namespace vexo
