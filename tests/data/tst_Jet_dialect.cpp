// How the old query dialect reads on SQLite: literals, wildcards, and names
// compared the way a Spanish-speaking user expects, in a query as in memory.
#include "data/Database.h"
#include "data/Jet_dialect.h"
#include "data/RecordSet.h"
#include "support/Fixture.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace vexo;

class tst_Jet_dialect : public QObject {
    Q_OBJECT
private:
    QTemporaryDir dir_;
    std::unique_ptr<Database> db_;

private Q_SLOTS:
    void initTestCase()
    {
        test::Make_database(dir_.filePath(QStringLiteral("like.mdb")), QString());
        db_ = Database::Open(dir_.filePath(QStringLiteral("like.mdb")));
    }

    void like_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<bool>("matches");
        QTest::newRow("contains") << "Hydrogen chloride" << "*chlor*" << true;
        QTest::newRow("starts") << "Chlorine" << "chl*" << true;
        QTest::newRow("starts, not in the middle") << "Hydrogen chloride" << "chl*" << false;
        QTest::newRow("accent in value") << "ÁCIDO SULFÚRICO" << "*acido*" << true;
        QTest::newRow("accent in pattern") << "acido sulfurico" << "*ÁCIDO*" << true;
        QTest::newRow("eñe folds") << "Piñón" << "pinon" << true;
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
        QTest::newRow("many stars do not explode")
            << QString(200, u'a') << QString(60, u'*') + QStringLiteral("b") << false;
    }

    void like()
    {
        QFETCH(QString, value);
        QFETCH(QString, pattern);
        QFETCH(bool, matches);
        QCOMPARE(jet::Like(value, pattern), matches);
        // The same pattern in a query finds the row exactly when it matches.
        db_->Execute_native(QStringLiteral("DELETE FROM Yellow; INSERT INTO Yellow (ID, Name_of_material) VALUES "
                                           "('1', '%1');").arg(QString(value).replace(u'\'', QStringLiteral("''"))));
        const QString query = QStringLiteral("SELECT ID FROM Yellow WHERE Name_of_material LIKE \"%1\"").arg(pattern);
        QCOMPARE(db_->OpenRecordset(query)->RecordCount(), matches ? 1 : 0);
    }

    void fold()
    {
        QCOMPARE(jet::Fold(QStringLiteral("ÁÉÍÓÚÜÑ áéíóúüñ")), QStringLiteral("aeiouun aeiouun"));
        QCOMPARE(jet::Fold(QStringLiteral("GUÍA 128P")), QStringLiteral("guia 128p"));
        // Files from earlier builders declared this order on their name
        // columns: they still open and sort, accents and case aside.
        db_->Execute_native(QStringLiteral("CREATE TABLE Old (Name TEXT COLLATE es); CREATE INDEX Old_name ON Old "
                                           "(Name); INSERT INTO Old VALUES ('Ñandú'), ('ácido'), ('Zinc'), ('ACIDO');"));
        QStringList names;
        auto old = db_->OpenRecordset(QStringLiteral("SELECT Name FROM Old WHERE Name = 'acido' OR Name > 'm' "
                                                     "ORDER BY Name"));
        for (old->MoveFirst(); !old->Eof(); old->MoveNext())
            names << old->Field(QStringLiteral("Name"));
        QCOMPARE(names.mid(0, 2), (QStringList{"ácido", "ACIDO"}));
        QCOMPARE(names.mid(2), (QStringList{"Ñandú", "Zinc"}));
    }

    void literals_data()
    {
        QTest::addColumn<QString>("jet");
        QTest::addColumn<QString>("sqlite");
        QTest::newRow("double quotes become a literal")
            << R"(SELECT * FROM Green WHERE ID = 1017 AND Name_of_material = "Chlorine ")"
            << "SELECT * FROM Green WHERE ID = 1017 AND Name_of_material = 'Chlorine '";
        QTest::newRow("apostrophe inside double quotes")
            << R"(X = "O'Brien")" << "X = 'O''Brien'";
        QTest::newRow("doubled double quote")
            << R"(X = "5"" shell")" << R"(X = '5" shell')";
        QTest::newRow("doubled apostrophe") << "X = 'O''Brien'" << "X = 'O''Brien'";
        QTest::newRow("delete star") << "DELETE * FROM Summary WHERE Key = 3" << "DELETE FROM Summary WHERE Key = 3";
        QTest::newRow("delete star inside a literal stays")
            << "INSERT INTO Summary (Name) VALUES (\"DELETE * FROM\")"
            << "INSERT INTO Summary (Name) VALUES ('DELETE * FROM')";
        QTest::newRow("lists that need a title join inner")
            << "SELECT DISTINCT Yellow.* FROM (Yellow LEFT JOIN Guides_pages ON a = b) LEFT JOIN Sentences ON c = d "
               "WHERE Sentences.Code = 2 AND (Yellow.ID = '1017')"
            << "SELECT DISTINCT Yellow.* FROM (Yellow JOIN Guides_pages ON a = b) JOIN Sentences ON c = d "
               "WHERE Sentences.Code = 2 AND (Yellow.ID = '1017')";
        QTest::newRow("other queries keep their left joins")
            << "SELECT * FROM A LEFT JOIN B ON a = b WHERE B.Code = 2"
            << "SELECT * FROM A LEFT JOIN B ON a = b WHERE B.Code = 2";
        QTest::newRow("a typed value cannot change the joins")
            << "SELECT * FROM A LEFT JOIN B ON a = b WHERE x = 'WHERE Sentences.Code = 2'"
            << "SELECT * FROM A LEFT JOIN B ON a = b WHERE x = 'WHERE Sentences.Code = 2'";
        QTest::newRow("control characters go in as char()")
            << QStringLiteral("X = \"a") + QChar(0) + QStringLiteral("b\x01\"") << "X = ('a'||char(0)||'b'||char(1))";
        QTest::newRow("lone surrogate is no question mark")
            << QStringLiteral("X = 'a") + QChar(0xD800) + QStringLiteral("'") << QStringLiteral("X = 'a\uFFFD'");
        QTest::newRow("table star stays") << "SELECT DISTINCT Yellow.* FROM Yellow" << "SELECT DISTINCT Yellow.* FROM Yellow";
    }

    void literals()
    {
        QFETCH(QString, jet);
        QFETCH(QString, sqlite);
        QCOMPARE(jet::To_sqlite(jet), sqlite);
    }
};

QTEST_GUILESS_MAIN(tst_Jet_dialect)
#include "tst_Jet_dialect.moc"
