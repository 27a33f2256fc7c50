// How names read and compare on SQLite: the old query dialect's literals and
// wildcards, and names matched without regard to case and accents whether or
// not the file carries the builder's folded copies of its names.
#include "data/Data_fixture.h"
#include "data/Database_builder.h"
#include "data/Jet_dialect.h"
#include "data/RecordSet_query.h"
#include "data/Schema.h"

#include <QtTest>

using namespace vexo;
using test::Find_SQL;
using test::Query_rows;

class tst_Name_matching : public QObject {
    Q_OBJECT
    QTemporaryDir dir_;
    QString folded_, unfolded_;
    std::unique_ptr<Database> scratch_;

private Q_SLOTS:
    void initTestCase()
    {
        test::Make_database(dir_.filePath("scratch.mdb"), QString());
        scratch_ = Database::Open(dir_.filePath("scratch.mdb"));

        const QString csv = dir_.filePath("csv");
        QVERIFY(QDir().mkpath(csv));
        test::Write_sources(csv);
        folded_ = dir_.filePath("folded.mdb");
        QCOMPARE(Build_database(csv, folded_), QString());

        // The same rows as another tool would leave them: no folded copies.
        unfolded_ = dir_.filePath("unfolded.mdb");
        QString copy = "ATTACH '" + folded_ + "' AS b;";
        for (const schema::Table& table : schema::Tables()) {
            QStringList fields;
            for (const schema::Field& field : table.fields)
                fields << field.name;
            if (!table.optional)
                copy += "INSERT INTO " + table.name + " SELECT " + fields.join(u',') + " FROM b." + table.name + ";";
        }
        test::Make_database(unfolded_, copy);
    }

    void like_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<bool>("matches");
        QTest::newRow("contains") << "Hydrogen chloride" << "*chlor*" << true;
        QTest::newRow("starts") << "Chlorine" << "chl*" << true;
        QTest::newRow("starts, not in the middle") << "Hydrogen chloride" << "chl*" << false;
        QTest::newRow("whole text") << "Chlorine" << "chlorine" << true;
        QTest::newRow("longer value") << "Chlorine trifluoride" << "chlorine" << false;
        QTest::newRow("question mark") << "1017" << "10?7" << true;
        QTest::newRow("digit") << "1017" << "101#" << true;
        QTest::newRow("digit refuses a letter") << "101A" << "101#" << false;
        QTest::newRow("set") << "b" << "[abc]" << true;
        QTest::newRow("negated set") << "b" << "[!abc]" << false;
        QTest::newRow("range") << "m" << "[a-z]" << true;
        QTest::newRow("bracketed star is literal") << "5* shell" << "*[*]*" << true;
        QTest::newRow("bracketed star needs a star") << "5 shell" << "*[*]*" << false;
        QTest::newRow("open bracket") << "a[b" << "*[[]*" << true;
        QTest::newRow("unclosed set is literal") << "a[b" << "a[b" << true;
        QTest::newRow("percent is no wildcard") << "abc" << "a%" << false;
        QTest::newRow("underscore is no wildcard") << "abc" << "a_c" << false;
        QTest::newRow("empty pattern") << "" << "" << true;
        QTest::newRow("star matches empty") << "" << "*" << true;
        QTest::newRow("many stars do not explode") << QString(200, u'a') << QString(60, u'*') + "b" << false;
    }

    void like()
    {
        QFETCH(QString, value);
        QFETCH(QString, pattern);
        QFETCH(bool, matches);
        QCOMPARE(jet::Like(value, pattern), matches);
        // The same pattern in a query finds the row exactly when it matches.
        scratch_->Execute_native("DELETE FROM Yellow; INSERT INTO Yellow (ID, Name_of_material) VALUES ('1', '"
                                 + QString(value).replace(u'\'', "''") + "');");
        const QString query = "SELECT ID FROM Yellow WHERE Name_of_material LIKE \"" + pattern + "\"";
        QCOMPARE(scratch_->OpenRecordset(query)->RecordCount(), matches ? 1 : 0);
    }

    void fold()
    {
        QCOMPARE(jet::Fold("ÁÉÍÓÚÜÑ áéíóúüñ GUÍA 128P"), QStringLiteral("aeiouun aeiouun guia 128p"));
        // Files from earlier builders declared this order on their name
        // columns: they still open and sort, accents and case aside.
        scratch_->Execute_native("CREATE TABLE Old (Name TEXT COLLATE es); CREATE INDEX Old_name ON Old (Name); "
                                 "INSERT INTO Old VALUES ('Ñandú'), ('ácido'), ('Zinc'), ('ACIDO');");
        QCOMPARE(Query_rows(*scratch_, "SELECT Name FROM Old WHERE Name = 'acido' OR Name > 'm' ORDER BY Name"),
                 (QStringList{"ácido", "ACIDO", "Ñandú", "Zinc"}));
    }

    void literals_data()
    {
        QTest::addColumn<QString>("jet");
        QTest::addColumn<QString>("sqlite"); // empty: as it is
        QTest::newRow("double quotes, a literal") << R"(X = 1 AND N = "Chlorine ")" << "X = 1 AND N = 'Chlorine '";
        QTest::newRow("apostrophe inside double quotes") << R"(X = "O'Brien")" << "X = 'O''Brien'";
        QTest::newRow("doubled double quote") << R"(X = "5"" shell")" << R"(X = '5" shell')";
        QTest::newRow("doubled apostrophe") << "X = 'O''Brien'" << "";
        QTest::newRow("delete star") << "DELETE * FROM Summary WHERE Key = 3" << "DELETE FROM Summary WHERE Key = 3";
        QTest::newRow("delete star inside a literal") << R"(VALUES ("DELETE * FROM"))" << "VALUES ('DELETE * FROM')";
        QTest::newRow("lists that need a title join inner")
            << "SELECT DISTINCT Yellow.* FROM (Yellow LEFT JOIN Guides_pages ON a = b) LEFT JOIN Sentences ON c = d "
               "WHERE Sentences.Code = 2 AND (Yellow.ID = '1017')"
            << "SELECT DISTINCT Yellow.* FROM (Yellow JOIN Guides_pages ON a = b) JOIN Sentences ON c = d "
               "WHERE Sentences.Code = 2 AND (Yellow.ID = '1017')";
        QTest::newRow("other left joins stay") << "SELECT * FROM A LEFT JOIN B ON a = b WHERE B.Code = 2" << "";
        QTest::newRow("a typed value cannot change the joins")
            << "SELECT * FROM A LEFT JOIN B ON a = b WHERE x = 'WHERE Sentences.Code = 2'" << "";
        QTest::newRow("control characters go in as char()")
            << QString("X = \"a") + QChar(0) + "b\x01\"" << "X = ('a'||char(0)||'b'||char(1))";
        QTest::newRow("lone surrogate is no question mark")
            << QString("X = 'a") + QChar(0xD800) + "'" << "X = 'a\uFFFD'";
        QTest::newRow("table star stays") << "SELECT DISTINCT Yellow.* FROM Yellow" << "";
    }

    void literals()
    {
        QFETCH(QString, jet);
        QFETCH(QString, sqlite);
        QCOMPARE(jet::To_sqlite(jet), sqlite.isEmpty() ? jet : sqlite);
    }

    void names_match_with_or_without_folded_copies_data()
    {
        QTest::addColumn<QString>("jet_sql");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QStringList>("ids");
        const auto row = [](const char* tag, const QString& jet_sql, const QStringList& ids, const char* field = "ID") {
            QTest::newRow(tag) << jet_sql << QString::fromLatin1(field) << ids;
        };
        row("contains, accent typed", Find_SQL(sql::Find_contains_term("amoníaco")), {"1005"});
        row("contains, accents stored, one decomposed", Find_SQL(sql::Find_contains_term("acido")), {"1789", "2031"});
        row("is, other case and accents", Find_SQL(sql::Find_is_term("ácido CLORHIDRICO")), {"1789"});
        row("starts, accent typed decomposed", Find_SQL(sql::Find_starts_term("A\u0301CIDO N")), {"2031"});
        row("eñe reads as n", Find_SQL(sql::Find_starts_term("pinon")), {"2000"});
        row("lookup words, any order", sql::Lookup_SQL("ANHIDRO amoniaco"), {"1005"});
        row("distances lookup, name in another case", sql::Distances_lookup("1005", "Amoniaco, anhidro", ""), {"1005"});
        row("distances ordered by name without accents", sql::Distances_table_SQL(),
            {"AMONIACO, ANHIDRO ", "CHLORINE ", "ácido clorhídrico (cuando es derramado en el agua)",
             "Ácido clorhídrico (cuando es derramado sobre la tierra)"},
            "Name_of_material");
        row("gas index, other case", sql::Gas_index_SQL({"chlorine"}), {"1017"});
        row("summary joins a name in another case", sql::Summary_view_SQL(), {"1005"});
    }

    void names_match_with_or_without_folded_copies()
    {
        QFETCH(QString, jet_sql);
        QFETCH(QString, field);
        QFETCH(QStringList, ids);
        for (const QString& path : {folded_, unfolded_}) {
            auto db = Database::Open(path);
            db->Execute(sql::Clear_summary_SQL());
            db->Execute(sql::Add_to_summary_SQL("1005", "AMONÍACO, anhidro", "0", "1"));
            QCOMPARE(Query_rows(*db, jet_sql, {field}), ids);
        }
        // The rows themselves, and their order, are the same too.
        QCOMPARE(Query_rows(*Database::Open(folded_), jet_sql), Query_rows(*Database::Open(unfolded_), jet_sql));
    }

    void finds_through_the_lookup_index_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("typed");
        for (const char* typed : {"1", "10", "101", "a", "N", "ñ", "e\u0301", "an", "de", "o", "ACIDO", "o'brien",
                                  "\"mix\"", "50%", "%", "_", "[x]", "*", "x]_y*", "gas licuado", "s\tl", "zzz"})
            QTest::newRow(typed) << folded_ << QString::fromUtf8(typed);
        QTest::newRow("a word of 10,000 letters") << folded_ << QString(10000, u'x');
        QTest::newRow("a hundred words") << folded_ << QStringLiteral("o a ").repeated(50) + "z";
        // On the default database, where a find lists more than a window holds.
        for (const char* typed : {"cloruro", "ÁCIDO", "o", "de", "n ", "101", "zzz"})
            QTest::addRow("%s in the book", typed) << VEXO_BOOK << QString::fromUtf8(typed);
    }

    // The find dialog's "contains" through the lookup index, counted from it
    // and read a window at a time: in either order the rows the scan lists
    // without folded copies, or its own text on a connection that has not
    // counted it; no such text without the index or past what it serves.
    void finds_through_the_lookup_index()
    {
        QFETCH(QString, path);
        QFETCH(QString, typed);
        auto plain = Database::Open(unfolded_);
        auto own = path == folded_ ? Database::Open(unfolded_) : Database::Open(path);
        auto indexed = Database::Open(path);
        for (const bool by_number : {true, false}) {
            const QString filter = " AND (" + sql::Find_contains_term(typed) + ")";
            QVERIFY(window_sql::Find_through_lookup_index(*plain, filter, typed, by_number).isEmpty());
            const QString through = window_sql::Find_through_lookup_index(*indexed, filter, typed, by_number);
            QCOMPARE(through.isEmpty(), typed.size() > 200);
            if (through.isEmpty())
                continue;
            const QStringList found = Query_rows(*own, sql::Find_result_SQL(filter, by_number));
            QCOMPARE(indexed->OpenRecordset(through)->RecordCount(), found.size());
            QCOMPARE(Query_rows(*indexed, through), found);
        }
    }
};

QTEST_GUILESS_MAIN(tst_Name_matching)
#include "tst_Name_matching.moc"
