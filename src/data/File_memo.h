// Facts about one open file that cost a pass over its rows to learn and that
// change only when its rows do: the row counts of the texts a window counts,
// the titles of its guides, and whether the file carries the builder's lookup
// index. Each is learnt once and kept while the file stays as it was:
// anything written through this connection (rows or schema) or committed by
// another connection (SQLite's data version) forgets them all.
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

class File_memo {
public:
    explicit File_memo(sqlite3* db);
    ~File_memo();
    File_memo(const File_memo&) = delete;
    File_memo& operator=(const File_memo&) = delete;

    // The rows a count text gave on the file as it is now, if it was counted.
    std::optional<qint64> Count(const QString& count_sql);
    void Remember_count(const QString& count_sql, qint64 rows);
    // Whether the file has the search box's lookup index (see schema).
    bool Has_lookup_index();

    // A guide's titles: the sentences of code 2 its slots point to, in the
    // order of their keys (then of the slots).
    using Guide_titles = std::unordered_map<qint64, std::vector<Guide_title>>;
    // By guide number; null when the file's guide numbers are not whole
    // numbers compared as such (a file made elsewhere may declare them as
    // text), so a list must join its guides' slots itself.
    const Guide_titles* Titles();

private:
    // Forgets everything when the file is no longer as it was.
    void Check();

    sqlite3* db_;
    std::unique_ptr<sqlite::Statement> versions_;
    qint64 changes_ = -1;
    qint64 data_version_ = -1;
    qint64 schema_version_ = -1;
    unsigned pager_version_ = 0; // SQLite's version of the file when last checked
    QHash<QString, qint64> counts_;
    std::optional<bool> lookup_index_;
    std::optional<std::optional<Guide_titles>> titles_;
};

} // namespace vexo
