// Record sets read a window of rows at a time: every move must still land on
// the row a whole read would give, the count must be the number of rows, and
// the catalogue's paged queries must come out of an index in their order.
#include "data/Database.h"
#include "data/Jet_dialect.h"
#include "data/Queries.h"
#include "data/RecordSet.h"
#include "support/Fixture.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

using namespace vexo;

namespace {

// 1,200 entries over three guides, every tenth toxic by inhalation, every
// 50th a chemical agent; ids shared by pairs; names out of id order.
QString Many_rows()
{
    QString sql = QStringLiteral(
        "INSERT INTO Sentences VALUES (1, 'GUÍA', 5), (2, 'GASES TÓXICOS', 2), (3, 'LÍQUIDOS INFLAMABLES', 2), "
        "(4, 'SÓLIDOS', 2), (5, 'Mantenga alejado al personal.', 0);\n"
        "INSERT INTO Guides_pages VALUES (1, 124, 1), (2, 124, 2), (3, 124, 5), (4, 128, 1), (5, 128, 3), "
        "(6, 128, 5), (7, 133, 4), (8, 133, 5);\n");
    const int guides[] = {124, 128, 133};
    for (int i = 0; i < 1200; ++i) {
        const int id = 1000 + i / 2;
        const int by_name = (i * 7919) % 1200; // a permutation: names sort apart from ids
        sql += QStringLiteral("INSERT INTO Yellow VALUES ('%1', 'Material %2', %3, %4, %5, %6, %7, %8, NULL, NULL);\n")
                   .arg(id)
                   .arg(by_name, 4, 10, QChar(u'0'))
                   .arg(guides[i % 3])
                   .arg(i + 1)
                   .arg(by_name + 1)
                   .arg(i % 10 == 0 ? QStringLiteral("1") : QStringLiteral("NULL"))
                   .arg(i % 40 == 0 ? QStringLiteral("'W'") : QStringLiteral("NULL"))
                   .arg(i % 50 == 0 ? QStringLiteral("'Z'") : QStringLiteral("NULL"));
        if (i % 4 == 0)
            sql += QStringLiteral("INSERT INTO Green VALUES (%1, 'Material %2 ', '60', '200', '0.3', '0.2', '1.1', "
                                  "'0.7', '500', '1500', '3.0', '1.9', '7.9', '4.9');\n")
                       .arg(id)
                       .arg(by_name, 4, 10, QChar(u'0'));
        if (i % 40 == 0)
            sql += QStringLiteral("INSERT INTO Water VALUES ('%1', 'Gas', '1052', 'Material 0001', '', '', '', '', "
                                  "'', '');\n")
                       .arg(id);
    }
    for (int i = 0; i < 90; ++i)
        sql += QStringLiteral("INSERT INTO Summary (ID, Name, High_green, Bold) VALUES ('%1', 'Material %2', 0, 0);\n")
                   .arg(1000 + (i * 13) % 600)
                   .arg(((i * 13) % 600 * 2 * 7919) % 1200, 4, 10, QChar(u'0'));
    return sql;
}

// 150 entries: guide 124 has one title in two slots, guide 128 two titles
// (their slots in the other order than their sentences), guide 133 none;
// the last entry is written twice.
QString Repeated_rows()
{
    QString rows = QStringLiteral(
        "INSERT INTO Sentences VALUES (1, 'GASES', 2), (2, 'LÍQUIDOS', 2), (3, 'OTRO TÍTULO', 2), (4, 'GUÍA', 5);\n"
        "INSERT INTO Guides_pages VALUES (1, 124, 1), (2, 124, 1), (3, 128, 3), (4, 128, 2), (5, 133, 4);\n");
    for (int i = 0; i < 150; ++i)
        rows += QStringLiteral("INSERT INTO Yellow VALUES ('%1', 'Material %2', %3, %4, %5, NULL, NULL, NULL, NULL, NULL);\n")
                    .arg(1000 + i)
                    .arg((i * 37) % 150, 3, 10, QChar(u'0'))
                    .arg(i % 7 == 0 ? 133 : i % 2 ? 124 : 128)
                    .arg(i + 1)
                    .arg((i * 37) % 150 + 1);
    return rows + QStringLiteral("INSERT INTO Yellow SELECT * FROM Yellow WHERE Yellow_Key = 150;\n");
}

using Rows = QList<QStringList>;

// What the query gives read whole, straight from SQLite.
Rows Whole(Database& db, const QString& jet_sql)
{
    sqlite3_stmt* stmt = nullptr;
    const QByteArray text = db.Translate(jet_sql).toUtf8();
    if (sqlite3_prepare_v2(db.handle(), text.constData(), -1, &stmt, nullptr) != SQLITE_OK)
        qFatal("%s", sqlite3_errmsg(db.handle()));
    Rows rows;
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        QStringList row;
        for (int c = 0; c < sqlite3_column_count(stmt); ++c)
            row << jet::Text(reinterpret_cast<const char*>(sqlite3_column_text(stmt, c)), sqlite3_column_bytes(stmt, c));
        rows << row;
    }
    sqlite3_finalize(stmt);
    return rows;
}

QStringList Current(const RecordSet& records)
{
    QStringList row;
    for (const QString& name : records.Field_names())
        row << records.Field(name);
    return row;
}

// The names of the 15 rows from row `first` on, as a page shows them.
QStringList Page(RecordSet& records, int first)
{
    QStringList names;
    records.MoveFirst();
    records.Move(first, records.bookmark());
    for (int i = 0; i < 15; ++i, records.MoveNext())
        names << records.Field(QStringLiteral("Name_of_material"));
    return names;
}

Rows Read_all(RecordSet& records)
{
    Rows rows;
    for (records.MoveFirst(); !records.Eof(); records.MoveNext())
        rows << Current(records);
    return rows;
}

struct Catalogue_query {
    const char* label;
    QString sql;
};

QList<Catalogue_query> Paged_queries()
{
    return {
        {"index by number", sql::Index_by_number_SQL()},
        {"index by name", sql::Index_by_name_SQL()},
        {"chemical agents", sql::Chemical_agents_SQL()},
        {"find contains", sql::Find_result_SQL(QStringLiteral(" AND ") + sql::Find_contains_term(QStringLiteral("1")), false)},
        {"find starts by number", sql::Find_result_SQL(QStringLiteral(" AND ") + sql::Find_starts_term(QStringLiteral("Material 0")), true)},
        {"find guide", sql::Find_result_SQL(QStringLiteral(" AND ") + sql::Find_guide_term(QStringLiteral("128")), false)},
        {"search box words", sql::Lookup_SQL(QStringLiteral("material 1"))},
        {"distances table", sql::Distances_table_SQL()},
        {"water list", sql::Water_list_SQL()},
        {"summary", sql::Summary_view_in_order_SQL()},
        {"guide list", sql::Guide_list_SQL()},
        {"table", sql::Table_SQL(QStringLiteral("Yellow"))},
    };
}

} // namespace

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
        test::Make_database(path, Many_rows());
        db_ = Database::Open(path);
    }

    void moves_land_on_the_rows_of_a_whole_read_data()
    {
        QTest::addColumn<QString>("jet_sql");
        for (const Catalogue_query& q : Paged_queries())
            QTest::newRow(q.label) << q.sql;
    }

    // Forward to the end, pages from the first record's bookmark in any
    // order, back from the end to before the start.
    void moves_land_on_the_rows_of_a_whole_read()
    {
        QFETCH(QString, jet_sql);
        const Rows whole = Whole(*db_, jet_sql);
        auto records = db_->OpenRecordset(jet_sql);
        QCOMPARE(records->RecordCount(), whole.size());
        QCOMPARE(records->Empty(), whole.isEmpty());
        if (whole.isEmpty())
            return;

        records->MoveFirst();
        for (const QStringList& row : whole) {
            QCOMPARE(Current(*records), row);
            records->MoveNext();
        }
        QVERIFY(records->Eof());

        records->MoveFirst();
        const RecordSet::Bookmark first = records->bookmark();
        const int count = static_cast<int>(whole.size());
        for (const int page : {count / 2, count - 15, 3, count - 1, 0, count / 3 + 1}) {
            if (page < 0 || page >= count)
                continue;
            records->Move(page, first);
            for (int i = page; i < std::min(page + 15, count); ++i) {
                QCOMPARE(Current(*records), whole.at(i));
                records->MoveNext();
            }
            // A page moves back before its next one is read.
            for (int i = page; i < std::min(page + 15, count); ++i)
                records->MovePrevious();
            QCOMPARE(records->bookmark(), page);
        }

        records->MoveLast();
        for (int i = count - 1; i >= 0; --i) {
            QCOMPARE(Current(*records), whole.at(i));
            records->MovePrevious();
        }
        QVERIFY(records->Bof());
        QVERIFY_THROWS_EXCEPTION(Db_error, records->Field(records->Field_names().first()));
    }

    // On the book's own data too, every catalogue query gives the rows of a
    // whole read, in its order, and counts them.
    void counts_are_the_rows_on_the_default_database()
    {
        auto book = Database::Open(QStringLiteral(VEXO_BIN_DIR "/guide2ks.mdb"));
        QList<Catalogue_query> queries = Paged_queries();
        queries << Catalogue_query{"find contains cloruro",
                                   sql::Find_result_SQL(QStringLiteral(" AND ") + sql::Find_contains_term(QStringLiteral("cloruro")), false)}
                << Catalogue_query{"large spills", sql::Large_spills_SQL()};
        for (const Catalogue_query& q : std::as_const(queries)) {
            const auto records = book->OpenRecordset(q.sql);
            const Rows whole = Whole(*book, q.sql);
            QVERIFY2(records->RecordCount() == whole.size(), q.label);
            QVERIFY2(Read_all(*records) == whole, q.label);
        }
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
        records->MoveFirst();
        const RecordSet::Bookmark first = records->bookmark();
        for (const int page : {600, 1185, 40, 900}) {
            const qsizetype read_before = records->Rows_read();
            records->Move(page, first);
            for (int i = 0; i < 15; ++i, records->MoveNext())
                (void)records->Field(QStringLiteral("Name_of_material"));
            QVERIFY2(records->Rows_held() <= 100, qPrintable(QString::number(records->Rows_held())));
            QVERIFY2(records->Rows_read() - read_before <= 160,
                     qPrintable(QString::number(records->Rows_read() - read_before)));
        }
        // A page down past the window and back up: the page left is still held.
        const QStringList pages[] = {Page(*records, 300), Page(*records, 345)};
        const qsizetype read_before = records->Rows_read();
        QCOMPARE(Page(*records, 300), pages[0]);
        QCOMPARE(Page(*records, 345), pages[1]);
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
    // written twice is one row: each distinct row comes once, in the order a
    // whole read gives, and the count settles on the rows there are.
    void repeated_rows_are_read_once()
    {
        QFETCH(QString, change);
        const QString path = dir_.filePath(QStringLiteral("repeats.mdb"));
        test::Make_database(path, Repeated_rows());
        auto db = Database::Open(path);
        if (!change.isEmpty())
            db->Execute_native(change);
        for (const QString& jet_sql : {sql::Index_by_number_SQL(), sql::Index_by_name_SQL()}) {
            const Rows whole = Whole(*db, jet_sql);
            auto records = db->OpenRecordset(jet_sql);
            QCOMPARE(Read_all(*records), whole);
            QCOMPARE(records->RecordCount(), whole.size());
        }
    }

    void requery_reads_the_file_as_it_is_now_data()
    {
        QTest::addColumn<QString>("jet_sql");
        QTest::addColumn<QString>("edit");
        QTest::addColumn<bool>("by_another_program");
        const QString by_name = sql::Index_by_name_SQL();
        const QString renamed = QStringLiteral("UPDATE Sentences SET Sentences = 'GASES NUEVOS' WHERE Key = 2");
        QTest::newRow("rows deleted") << sql::Summary_view_in_order_SQL()
                                      << QStringLiteral("DELETE * FROM Summary WHERE Key > 80") << false;
        QTest::newRow("title renamed here") << by_name << renamed << false;
        QTest::newRow("title renamed by another program") << by_name << renamed << true;
        QTest::newRow("a title no longer one")
            << by_name << QStringLiteral("UPDATE Sentences SET Code = 3 WHERE Key = 3") << true;
        QTest::newRow("a titled slot moved")
            << sql::Index_by_number_SQL() << QStringLiteral("UPDATE Guides_pages SET Guide_page = 133 WHERE Key = 2")
            << false;
    }

    // A set read again after rows, titles or slots changed, here or by
    // another program, shows the file as it is then.
    void requery_reads_the_file_as_it_is_now()
    {
        QFETCH(QString, jet_sql);
        QFETCH(QString, edit);
        QFETCH(bool, by_another_program);
        const QString path = dir_.filePath(QStringLiteral("edited.mdb"));
        test::Make_database(path, Many_rows());
        auto db = Database::Open(path);
        auto records = db->OpenRecordset(jet_sql);
        QCOMPARE(Read_all(*records), Whole(*db, jet_sql));
        if (by_another_program) {
            sqlite3* other = nullptr;
            QCOMPARE(sqlite3_open(QFile::encodeName(path).constData(), &other), SQLITE_OK);
            QCOMPARE(sqlite3_exec(other, edit.toUtf8().constData(), nullptr, nullptr, nullptr), SQLITE_OK);
            sqlite3_close(other);
        } else {
            db->Execute(edit);
        }
        records->Requery();
        const Rows whole = Whole(*db, jet_sql);
        QCOMPARE(Read_all(*records), whole);
        QCOMPARE(records->RecordCount(), whole.size());
    }

    // What an open learnt about a text is kept for the next opens of it on
    // the same file: they must still read the rows and fields there are now,
    // and sets of one text open at once must each read their own rows.
    void opens_of_one_text_read_the_file_as_it_is_then()
    {
        const QString path = dir_.filePath(QStringLiteral("again.mdb"));
        auto db = Database::Create(path);
        db->Execute_native(QStringLiteral("CREATE TABLE T (k TEXT, v INTEGER); CREATE INDEX T_k ON T (k);"));
        for (int i = 0; i < 150; ++i)
            db->Execute(QStringLiteral("INSERT INTO T VALUES ('k%1', %2)").arg((i * 37) % 150, 3, 10, QChar(u'0')).arg(i));
        const QString text = QStringLiteral("SELECT * FROM T ORDER BY k");

        auto first = db->OpenRecordset(text);
        auto second = db->OpenRecordset(text);
        first->MoveFirst();
        first->Move(120, first->bookmark());
        QCOMPARE(Current(*first), Whole(*db, text).at(120));
        QCOMPARE(Read_all(*second), Whole(*db, text));
        first->Move(-100, first->bookmark());
        QCOMPARE(Current(*first), Whole(*db, text).at(20));

        // A row without a key sorts first, where a read from the lowest key
        // would pass it over.
        db->Execute(QStringLiteral("INSERT INTO T VALUES (NULL, -1)"));
        QCOMPARE(Read_all(*db->OpenRecordset(text)), Whole(*db, text));

        // Another program adds a field.
        sqlite3* other = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(path).constData(), &other), SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, "ALTER TABLE T ADD COLUMN w TEXT; UPDATE T SET w = 'w' || v;", nullptr, nullptr, nullptr),
                 SQLITE_OK);
        sqlite3_close(other);
        auto widened = db->OpenRecordset(text);
        QCOMPARE(widened->Field_names(), QStringList({"k", "v", "w"}));
        QCOMPARE(Read_all(*widened), Whole(*db, text));

        // The schema changes under an open set, which reads on and again.
        db->Execute_native(QStringLiteral("DROP INDEX T_k; CREATE INDEX T_v ON T (v);"));
        widened->MoveLast();
        QCOMPARE(Current(*widened), Whole(*db, text).last());
        widened->Requery();
        QCOMPARE(Read_all(*widened), Whole(*db, text));
        // A set may outlive its database.
        db.reset();
        widened.reset();
    }

    void paged_windows_read_an_index_in_their_order_data()
    {
        QTest::addColumn<QString>("jet_sql");
        QTest::newRow("index by number") << sql::Index_by_number_SQL();
        QTest::newRow("index by name") << sql::Index_by_name_SQL();
        QTest::newRow("distances table") << sql::Distances_table_SQL();
        QTest::newRow("water list") << sql::Water_list_SQL();
        QTest::newRow("summary") << sql::Summary_view_in_order_SQL();
    }

    // What a paged window reads from the book's database comes out of an
    // index in its order: no sort of the whole result, no b-tree of the rows
    // passed to tell repeats, no index built for the query.
    void paged_windows_read_an_index_in_their_order()
    {
        QFETCH(QString, jet_sql);
        auto book = Database::Open(QStringLiteral(VEXO_BIN_DIR "/guide2ks.mdb"));
        const QString window_sql = book->OpenRecordset(jet_sql)->Window_sql();
        sqlite3_stmt* stmt = nullptr;
        const QByteArray explain = (QStringLiteral("EXPLAIN QUERY PLAN ") + window_sql).toUtf8();
        QCOMPARE(sqlite3_prepare_v2(book->handle(), explain.constData(), -1, &stmt, nullptr), SQLITE_OK);
        QStringList plan;
        while (sqlite3_step(stmt) == SQLITE_ROW)
            plan << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 3)));
        sqlite3_finalize(stmt);
        const QString text = plan.join(u'\n');
        QVERIFY2(!text.contains(QLatin1String("TEMP B-TREE")) && !text.contains(QLatin1String("AUTOMATIC")),
                 qPrintable(window_sql + u'\n' + text));
    }
};

QTEST_GUILESS_MAIN(tst_Record_windows)
#include "tst_Record_windows.moc"
