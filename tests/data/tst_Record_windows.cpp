// Record sets read a window of rows at a time: every move must still land on
// the row a whole read would give, the count must be the number of rows, and
// the catalogue's paged queries must come out of an index in their order.
#include "data/Data_fixture.h"
#include "data/File_memo.h"
#include "data/Jet_dialect.h"
#include "data/Statement.h"

#include <QTemporaryDir>
#include <QTest>

using namespace vexo;

namespace {

// 1,200 entries over three guides, every tenth toxic by inhalation, every
// 50th a chemical agent; ids shared by pairs; names out of id order (entry
// i's name is number i * 7919 % 1200, a permutation).
const QString kMany_rows = QStringLiteral(
    "INSERT INTO Sentences VALUES (1, 'GUÍA', 5), (2, 'GASES TÓXICOS', 2), (3, 'LÍQUIDOS INFLAMABLES', 2), "
    "(4, 'SÓLIDOS', 2), (5, 'Mantenga alejado al personal.', 0);\n"
    "INSERT INTO Guides_pages VALUES (1, 124, 1), (2, 124, 2), (3, 124, 5), (4, 128, 1), (5, 128, 3), "
    "(6, 128, 5), (7, 133, 4), (8, 133, 5);\n"
    "CREATE TEMP TABLE Entry AS WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 1199) "
    "SELECT i, 1000 + i / 2 AS id, printf('Material %04d', i * 7919 % 1200) AS name FROM n;\n"
    "INSERT INTO Yellow SELECT id, name, CASE i % 3 WHEN 0 THEN 124 WHEN 1 THEN 128 ELSE 133 END, i + 1, "
    "i * 7919 % 1200 + 1, iif(i % 10 = 0, 1, NULL), iif(i % 40 = 0, 'W', NULL), iif(i % 50 = 0, 'Z', NULL), NULL, "
    "NULL FROM Entry;\n"
    "INSERT INTO Green SELECT id, name || ' ', '60', '200', '0.3', '0.2', '1.1', '0.7', '500', '1500', '3.0', '1.9', "
    "'7.9', '4.9' FROM Entry WHERE i % 4 = 0;\n"
    "INSERT INTO Water SELECT id, 'Gas', '1052', 'Material 0001', '', '', '', '', '', '' FROM Entry WHERE i % 40 = 0;\n"
    // 90 of the first entries of their pairs, out of id order.
    "INSERT INTO Summary (ID, Name, High_green, Bold) WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n "
    "WHERE i < 89) SELECT id, name, 0, 0 FROM n JOIN Entry ON Entry.i = n.i * 13 % 600 * 2 ORDER BY n.i;\n");

// 150 entries: guide 124 has one title in two slots, guide 128 two titles
// (their slots in the other order than their sentences), guide 133 none;
// the last entry is written twice; two reals whose texts are alike, one of
// them twice.
const QString kRepeated_rows = QStringLiteral(
    "INSERT INTO Sentences VALUES (1, 'GASES', 2), (2, 'LÍQUIDOS', 2), (3, 'OTRO TÍTULO', 2), (4, 'GUÍA', 5);\n"
    "INSERT INTO Guides_pages VALUES (1, 124, 1), (2, 124, 1), (3, 128, 3), (4, 128, 2), (5, 133, 4);\n"
    "INSERT INTO Yellow WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 149) "
    "SELECT 1000 + i, printf('Material %03d', i * 37 % 150), CASE WHEN i % 7 = 0 THEN 133 WHEN i % 2 THEN 124 "
    "ELSE 128 END, i + 1, i * 37 % 150 + 1, NULL, NULL, NULL, NULL, NULL FROM n;\n"
    "INSERT INTO Yellow SELECT * FROM Yellow WHERE Yellow_Key = 150;\n"
    "CREATE TABLE R (k TEXT, r REAL); CREATE INDEX R_k ON R (k);\n"
    "INSERT INTO R VALUES ('a', 0.1), ('a', 0.10000000000000002), ('a', 0.1);\n");

// 150 rows of a table of its own, keyed by a text out of their order.
const QString kKeyed_rows = QStringLiteral(
    "CREATE TABLE T (k TEXT, v INTEGER); CREATE INDEX T_k ON T (k);\n"
    "INSERT INTO T WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 149) "
    "SELECT printf('k%03d', i * 37 % 150), i FROM n;\n");

// What the query gives read whole, straight from SQLite: each row's fields
// joined by "|", as test::Query_rows gives a set's.
QStringList Whole(Database& db, const QString& jet_sql)
{
    sqlite::Statement statement(db.handle(), db.Translate(jet_sql));
    QStringList rows;
    while (statement.Step()) {
        QStringList row;
        for (int c = 0; c < statement.Columns(); ++c) {
            int length = 0;
            const char* bytes = statement.Bytes(c, &length);
            row << jet::Text(bytes, length);
        }
        rows << row.join(u'|');
    }
    return rows;
}

QString Current(const RecordSet& records)
{
    QStringList row;
    for (const QString& name : records.Field_names())
        row << records.Field(name);
    return row.join(u'|');
}

// `count` rows from row `first` on (to the end when -1), moved to from the
// first row's bookmark as a page is.
QStringList Read(RecordSet& records, int first = 0, int count = -1)
{
    QStringList rows;
    records.MoveFirst();
    if (first != 0)
        records.Move(first, records.bookmark());
    for (; count != 0 && !records.Eof(); --count, records.MoveNext())
        rows << Current(records);
    return rows;
}

// The catalogue's queries; `window`: one a paged window reads page by page.
void Catalogue_rows(bool on_the_book = false)
{
    QTest::addColumn<QString>("jet_sql");
    QTest::addColumn<bool>("window");
    using test::Find_SQL;
    QTest::newRow("index by number") << sql::Index_by_number_SQL() << true;
    QTest::newRow("index by name") << sql::Index_by_name_SQL() << true;
    QTest::newRow("distances table") << sql::Distances_table_SQL() << true;
    QTest::newRow("water list") << sql::Water_list_SQL() << true;
    QTest::newRow("summary") << sql::Summary_view_in_order_SQL() << true;
    QTest::newRow("chemical agents") << sql::Chemical_agents_SQL() << false;
    QTest::newRow("find contains") << Find_SQL(sql::Find_contains_term("1"), false) << false;
    QTest::newRow("find starts by number") << Find_SQL(sql::Find_starts_term("Material 0"), true) << false;
    QTest::newRow("find guide") << Find_SQL(sql::Find_guide_term("128"), false) << false;
    QTest::newRow("search box words") << sql::Lookup_SQL("material 1") << false;
    QTest::newRow("guide list") << sql::Guide_list_SQL() << false;
    QTest::newRow("table") << sql::Table_SQL("Yellow") << false;
    QTest::newRow("find contains cloruro") << Find_SQL(sql::Find_contains_term("cloruro"), false) << false;
    if (on_the_book) // a table the test's files lack
        QTest::newRow("large spills") << sql::Large_spills_SQL() << false;
}

// Who changes the file under an open set: this connection, in the program's
// dialect or in SQLite's own, or another program (its change first seen by a
// look at the file that reads no table, such as a count kept).
enum class Edited_by { Here, Schema_here, Another_program, Another_program_seen_by_a_count };

} // namespace

Q_DECLARE_METATYPE(Edited_by)

class tst_Record_windows : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir_;
    std::unique_ptr<Database> db_;

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(dir_.isValid());
        const QString path = dir_.filePath(QStringLiteral("many.mdb"));
        test::Make_database(path, kMany_rows);
        db_ = Database::Open(path);
    }

    void moves_land_on_the_rows_of_a_whole_read_data() { Catalogue_rows(); }

    // Forward to the end, pages from the first record's bookmark in any
    // order, back from the end to before the start.
    void moves_land_on_the_rows_of_a_whole_read()
    {
        QFETCH(QString, jet_sql);
        const QStringList whole = Whole(*db_, jet_sql);
        auto records = db_->OpenRecordset(jet_sql);
        QCOMPARE(records->RecordCount(), whole.size());
        QCOMPARE(records->Empty(), whole.isEmpty());
        if (whole.isEmpty())
            return;

        QCOMPARE(Read(*records), whole);
        QVERIFY(records->Eof());

        const int count = static_cast<int>(whole.size());
        for (const int page : {count / 2, count - 15, 3, count - 1, 0, count / 3 + 1}) {
            if (page < 0 || page >= count)
                continue;
            const QStringList rows = Read(*records, page, 15);
            QCOMPARE(rows, whole.mid(page, 15));
            // A page moves back before its next one is read.
            for (qsizetype i = 0; i < rows.size(); ++i)
                records->MovePrevious();
            QCOMPARE(records->bookmark(), page);
        }
        // A second set of the text open at once reads its own rows, and the
        // first moves on from its row.
        QCOMPARE(Read(*db_->OpenRecordset(jet_sql)), whole);
        const RecordSet::Bookmark at = records->bookmark();
        records->Move(-at, at);
        QCOMPARE(Current(*records), whole.first());

        records->MoveLast();
        for (int i = count - 1; i >= 0; --i) {
            QCOMPARE(Current(*records), whole.at(i));
            records->MovePrevious();
        }
        QVERIFY(records->Bof());
        QVERIFY_THROWS_EXCEPTION(Db_error, records->Field(records->Field_names().first()));
    }

    void the_book_reads_as_a_whole_read_data() { Catalogue_rows(true); }

    // On the book's own data too, every catalogue query gives the rows of a
    // whole read, in its order, and counts them; what a paged window reads
    // comes out of an index in its order: no sort of the whole result, no
    // b-tree of the rows passed to tell repeats, no index built for the query.
    void the_book_reads_as_a_whole_read()
    {
        QFETCH(QString, jet_sql);
        QFETCH(bool, window);
        auto book = Database::Open(QStringLiteral(VEXO_BOOK));
        const auto records = book->OpenRecordset(jet_sql);
        const QStringList whole = Whole(*book, jet_sql);
        QCOMPARE(records->RecordCount(), whole.size());
        QCOMPARE(Read(*records), whole);
        if (!window)
            return;
        sqlite::Statement explain(book->handle(), QStringLiteral("EXPLAIN QUERY PLAN ") + records->Window_sql());
        QStringList plan;
        while (explain.Step())
            plan << explain.Text(3);
        const QString text = plan.join(u'\n');
        QVERIFY2(!text.contains(QLatin1String("TEMP B-TREE")) && !text.contains(QLatin1String("AUTOMATIC")),
                 qPrintable(records->Window_sql() + u'\n' + text));
    }

    // An open index holds about a page wherever it was moved to, and once its
    // rows were passed a far page is read from a remembered key near it, not
    // counted to from the first row.
    void a_large_set_holds_a_window_and_reads_far_pages_from_a_key()
    {
        auto records = db_->OpenRecordset(sql::Index_by_name_SQL());
        QCOMPARE(records->RecordCount(), 1200);
        QVERIFY(records->Rows_held() <= 100);
        records->MoveLast();
        QVERIFY(!records->Field(QStringLiteral("Name_of_material")).isEmpty());
        for (const int page : {600, 1185, 40, 900}) {
            const qsizetype read_before = records->Rows_read();
            QCOMPARE(Read(*records, page, 15).size(), 15);
            QVERIFY2(records->Rows_held() <= 100, qPrintable(QString::number(records->Rows_held())));
            QVERIFY2(records->Rows_read() - read_before <= 160,
                     qPrintable(QString::number(records->Rows_read() - read_before)));
        }
        // A page down past the window and back up: the page left is still held.
        const QStringList pages[] = {Read(*records, 300, 15), Read(*records, 345, 15)};
        const qsizetype read_before = records->Rows_read();
        QCOMPARE(Read(*records, 300, 15), pages[0]);
        QCOMPARE(Read(*records, 345, 15), pages[1]);
        QCOMPARE(records->Rows_read(), read_before);
    }

    void repeated_rows_are_read_once_data()
    {
        QTest::addColumn<QString>("change");
        QTest::newRow("as built") << QString();
        // Then the slots of a guide are walked in their own order: guide
        // 128's two titles come in the other order.
        QTest::newRow("without the titles index") << QStringLiteral("DROP INDEX Guides_pages_titles;");
        QTest::newRow("without the slots' indexes")
            << QStringLiteral("DROP INDEX Guides_pages_titles; DROP INDEX Guides_pages_page;");
        // A file made elsewhere: the entries' guide numbers as text, which
        // SQLite still compares with the slots' as numbers.
        QTest::newRow("guide numbers of the entries as text") << QStringLiteral(
            "CREATE TABLE Entries AS SELECT ID, Name_of_material, CAST(Guide_Number AS TEXT) AS Guide_Number, "
            "Yellow_Key, Blue_Key, PIH, Water_reactive, Chemical_Warfare, Polymerization, Supp_text FROM Yellow;"
            "DROP TABLE Yellow; ALTER TABLE Entries RENAME TO Yellow;"
            "CREATE INDEX Yellow_by_number ON Yellow (Yellow_Key, Blue_Key);"
            "CREATE INDEX Yellow_by_name ON Yellow (Blue_Key, Yellow_Key);");
    }

    // Two title slots of one guide repeat its entries, two titles give two
    // rows of the same keys, a guide without a title gives none, an entry
    // written twice is one row, two reals of one text are two: each distinct
    // row comes once, in the order a whole read gives, and the count settles
    // on the rows there are.
    void repeated_rows_are_read_once()
    {
        QFETCH(QString, change);
        const QString path = dir_.filePath(QStringLiteral("repeats.mdb"));
        test::Make_database(path, kRepeated_rows);
        auto db = Database::Open(path);
        if (!change.isEmpty())
            db->Execute_native(change);
        for (const QString& jet_sql :
             {sql::Index_by_number_SQL(), sql::Index_by_name_SQL(), QStringLiteral("SELECT DISTINCT * FROM R ORDER BY k")}) {
            const QStringList whole = Whole(*db, jet_sql);
            auto records = db->OpenRecordset(jet_sql);
            QCOMPARE(Read(*records), whole);
            QCOMPARE(records->RecordCount(), whole.size());
        }
    }

    void a_text_read_again_reads_the_file_as_it_is_now_data()
    {
        QTest::addColumn<QString>("jet_sql");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<Edited_by>("by");
        const QString by_name = sql::Index_by_name_SQL();
        const QString renamed = QStringLiteral("UPDATE Sentences SET Sentences = 'GASES NUEVOS' WHERE Key = 2");
        const QString keyed = QStringLiteral("SELECT * FROM T ORDER BY k");
        QTest::newRow("rows deleted") << sql::Summary_view_in_order_SQL()
                                      << QStringLiteral("DELETE * FROM Summary WHERE Key > 80") << Edited_by::Here;
        QTest::newRow("title renamed here") << by_name << renamed << Edited_by::Here;
        QTest::newRow("title renamed by another program") << by_name << renamed << Edited_by::Another_program;
        QTest::newRow("a title no longer one")
            << by_name << QStringLiteral("UPDATE Sentences SET Code = 3 WHERE Key = 3") << Edited_by::Another_program;
        QTest::newRow("a titled slot moved")
            << sql::Index_by_number_SQL() << QStringLiteral("UPDATE Guides_pages SET Guide_page = 133 WHERE Key = 2")
            << Edited_by::Here;
        // A row without a key sorts first, where a read from the lowest key
        // would pass it over.
        QTest::newRow("a row without a key") << keyed << QString("INSERT INTO T VALUES (NULL, -1)") << Edited_by::Here;
        const QString field_added = QStringLiteral("ALTER TABLE T ADD COLUMN w TEXT; UPDATE T SET w = 'w' || v;");
        QTest::newRow("a field added by another program") << keyed << field_added << Edited_by::Another_program;
        QTest::newRow("a field added, seen by a count")
            << keyed << field_added << Edited_by::Another_program_seen_by_a_count;
        QTest::newRow("the indexes changed under the set")
            << keyed << QStringLiteral("DROP INDEX T_k; CREATE INDEX T_v ON T (v);") << Edited_by::Schema_here;
    }

    // What an open learnt about a text is kept for the next opens of it on
    // the same file, a list's count too: after rows, titles, slots, fields or
    // indexes changed, here or by another program, the set read again and a
    // new open of the text show the file as it is then.
    void a_text_read_again_reads_the_file_as_it_is_now()
    {
        QFETCH(QString, jet_sql);
        QFETCH(QString, edit);
        QFETCH(Edited_by, by);
        const QString path = dir_.filePath(QStringLiteral("edited.mdb"));
        test::Make_database(path, kMany_rows + kKeyed_rows);
        auto db = Database::Open(path);
        auto records = db->OpenRecordset(jet_sql);
        QCOMPARE(Read(*records), Whole(*db, jet_sql));
        if (by == Edited_by::Another_program || by == Edited_by::Another_program_seen_by_a_count)
            Database::Open(path)->Execute_native(edit); // a connection of its own
        else if (by == Edited_by::Schema_here)
            db->Execute_native(edit);
        else
            db->Execute(edit);
        if (by == Edited_by::Another_program_seen_by_a_count)
            db->Memo().Count(QString());
        // Read on a connection of its own: reading here would show this one the new schema.
        const QStringList whole = Whole(*Database::Open(path), jet_sql);
        if (by == Edited_by::Schema_here) { // the rows are the same: the set reads on
            records->MoveLast();
            QCOMPARE(Current(*records), whole.last());
        }
        records->Requery();
        QCOMPARE(records->RecordCount(), whole.size());
        QCOMPARE(Read(*records), whole);
        QCOMPARE(db->OpenRecordset(jet_sql)->RecordCount(), whole.size());
        QCOMPARE(test::Query_rows(*db, jet_sql), whole);
        db.reset(); // a set may outlive its database
    }
};

QTEST_GUILESS_MAIN(tst_Record_windows)
#include "tst_Record_windows.moc"
