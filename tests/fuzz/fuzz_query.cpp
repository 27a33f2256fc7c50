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

using namespace vexo;

namespace {

sqlite3* db = nullptr;

void Check(bool holds, const QString& what)
{
    if (!holds) {
        fprintf(stderr, "%s\n", qPrintable(what));
        std::abort();
    }
}

// Runs a text of the program; returns the first column of its rows.
QByteArrayList Run(const QString& jet_sql)
{
    const QByteArray sql = jet::To_sqlite(jet_sql, jet::Folded_columns{}).toUtf8();
    sqlite3_stmt* statement = nullptr;
    const int prepared = sqlite3_prepare_v2(db, sql.constData(), static_cast<int>(sql.size()), &statement, nullptr);
    Check(prepared == SQLITE_OK, "not valid: " + sql + "\n" + sqlite3_errmsg(db));
    QByteArrayList rows;
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
        rows << QByteArray(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)),
                           sqlite3_column_bytes(statement, 0));
    sqlite3_finalize(statement);
    Check(rc == SQLITE_DONE, "failed: " + sql);
    return rows;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // One guide with its title, for the material each input names.
    const QByteArray tables = (schema::Create_tables_sql() + "; INSERT INTO Sentences VALUES (1, 'GASES', 2); "
                                                             "INSERT INTO Guides_pages VALUES (1, 124, 1);").toUtf8();
    Check(sqlite3_open(":memory:", &db) == SQLITE_OK && jet::Register_functions(db)
              && sqlite3_exec(db, tables.constData(), nullptr, nullptr, nullptr) == SQLITE_OK,
          "no database");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Values come from the database or a text box: text without NUL.
    QString value = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    value.remove(QChar(0));
    const QByteArrayList as_stored{value.toUtf8()};

    for (const QChar quote : {QChar(u'"'), QChar(u'\'')})
        Check(Run(QStringLiteral("SELECT ") + quote + sql::Quoted(value, quote) + quote) == as_stored, "not read back");

    for (const bool by_number : {false, true})
        for (const QString& term : {sql::Find_contains_term(value), sql::Find_is_term(value),
                                    sql::Find_starts_term(value), sql::Find_ID_term(value),
                                    sql::Find_guide_term(value)})
            Run(sql::Find_result_SQL(" AND (" + term + u')', by_number));
    Run(sql::Guide_page_SQL(value));
    Run(sql::Distances_lookup(value, value, value));
    Run(sql::Water_one_SQL(value));
    Run(sql::Gases_SQL(value, true));
    Run(sql::Gas_index_SQL({value, value}));
    Run(sql::Delete_summary_row_SQL(value));

    Run(sql::Add_to_summary_SQL(value, value, "1", "0"));
    Check(Run("SELECT Name FROM Summary") == as_stored && Run("SELECT ID FROM Summary") == as_stored, "not stored");
    Run(sql::Clear_summary_SQL());

    // A name typed as it is stored finds its material. (Typed text with
    // control characters or in another Unicode form is normalised first.)
    bool plain = value.normalized(QString::NormalizationForm_C) == value;
    for (const QChar c : value)
        plain = plain && c.category() != QChar::Other_Control;
    if (!plain)
        return 0;
    Run("INSERT INTO Yellow (ID, Name_of_material, Guide_Number, Yellow_Key, Blue_Key) VALUES ('1017', '"
        + sql::Quoted(value, u'\'') + "', 124, 1, 1)");
    for (const QString& term : {sql::Find_contains_term(value), sql::Find_is_term(value), sql::Find_starts_term(value)})
        Check(Run(sql::Find_result_SQL(" AND (" + term + u')', true)).size() == 1, "not found: " + term);
    Run("DELETE FROM Yellow");
    return 0;
}
