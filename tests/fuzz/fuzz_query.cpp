// Any value composed into every query text of the catalogue and run through
// the dialect step on SQLite: each text is valid SQL, a quoted value comes
// back exactly, a product stored in the summary is stored as given, and a
// material's name typed in the find dialog finds it, wildcards and all.
#include "data/Jet_dialect.h"
#include "data/Queries.h"
#include "data/Schema.h"

#include <sqlite3.h>

#include <cstdint>
#include <cstdlib>
#include <functional>

using namespace vexo;

namespace {

sqlite3* db = nullptr;

// Runs a text of the program; returns the first column of the first row
// and counts the rows in `rows`.
QByteArray Run(const QString& jet_sql, int* rows = nullptr)
{
    const QByteArray sql = jet::To_sqlite(jet_sql, jet::Folded_columns{}).toUtf8();
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), static_cast<int>(sql.size()), &statement, nullptr) != SQLITE_OK) {
        fprintf(stderr, "not valid: %s\n%s\n", sql.constData(), sqlite3_errmsg(db));
        std::abort();
    }
    QByteArray first;
    int rc = sqlite3_step(statement);
    if (rc == SQLITE_ROW && sqlite3_column_count(statement) > 0)
        first = QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)),
                           sqlite3_column_bytes(statement, 0));
    int count = 0;
    for (; rc == SQLITE_ROW; ++count)
        rc = sqlite3_step(statement);
    if (rows)
        *rows = count;
    sqlite3_finalize(statement);
    if (rc != SQLITE_DONE)
        std::abort();
    return first;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    if (sqlite3_open(":memory:", &db) != SQLITE_OK || !jet::Register_functions(db)
        || sqlite3_exec(db, schema::Create_tables_sql().toUtf8().constData(), nullptr, nullptr, nullptr) != SQLITE_OK
        // One guide with its title, for the material each input names.
        || sqlite3_exec(db, "INSERT INTO Sentences VALUES (1, 'GASES', 2); INSERT INTO Guides_pages VALUES (1, 124, 1);",
                        nullptr, nullptr, nullptr) != SQLITE_OK)
        std::abort();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Values come from the database or a text box: text without NUL.
    QString value = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    value.remove(QChar(0));

    for (const QChar quote : {QChar(u'"'), QChar(u'\'')})
        if (Run(QStringLiteral("SELECT ") + quote + sql::Quoted(value, quote) + quote) != value.toUtf8())
            std::abort();

    for (const bool by_number : {false, true})
        for (const QString& term : {sql::Find_contains_term(value), sql::Find_is_term(value),
                                    sql::Find_starts_term(value), sql::Find_ID_term(value),
                                    sql::Find_guide_term(value)})
            Run(sql::Find_result_SQL(QStringLiteral(" AND (") + term + u')', by_number));
    Run(sql::Guide_page_SQL(value));
    Run(sql::Distances_lookup(value, value, value));
    Run(sql::Water_one_SQL(value));
    Run(sql::Gases_SQL(value, true));
    Run(sql::Gas_index_SQL({value, value}));
    Run(sql::Delete_summary_row_SQL(value));

    Run(sql::Add_to_summary_SQL(value, value, QStringLiteral("1"), QStringLiteral("0")));
    if (Run(QStringLiteral("SELECT Name FROM Summary")) != value.toUtf8()
        || Run(QStringLiteral("SELECT ID FROM Summary")) != value.toUtf8())
        std::abort();
    Run(sql::Clear_summary_SQL());

    // A name typed as it is stored finds its material. (Typed text with
    // control characters or in another Unicode form is normalised first.)
    bool plain = value.normalized(QString::NormalizationForm_C) == value;
    for (const QChar c : value)
        plain = plain && c.category() != QChar::Other_Control;
    if (!plain)
        return 0;
    sqlite3_stmt* insert = nullptr;
    const QByteArray name = value.toUtf8();
    if (sqlite3_prepare_v2(db, "INSERT INTO Yellow (ID, Name_of_material, Guide_Number, Yellow_Key, Blue_Key) "
                               "VALUES ('1017', ?, 124, 1, 1)", -1, &insert, nullptr) != SQLITE_OK
        || sqlite3_bind_text(insert, 1, name.constData(), static_cast<int>(name.size()), SQLITE_TRANSIENT) != SQLITE_OK
        || sqlite3_step(insert) != SQLITE_DONE)
        std::abort();
    sqlite3_finalize(insert);
    for (const QString& term : {sql::Find_contains_term(value), sql::Find_is_term(value), sql::Find_starts_term(value)}) {
        int rows = 0;
        Run(sql::Find_result_SQL(QStringLiteral(" AND (") + term + u')', true), &rows);
        if (rows != 1) {
            fprintf(stderr, "%d rows for: %s\n", rows, qPrintable(term));
            std::abort();
        }
    }
    Run(QStringLiteral("DELETE FROM Yellow"));
    return 0;
}
