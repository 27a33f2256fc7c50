// vexo_bench_queries: times the start-up work and every query of the
// catalogue on a synthetic database, the way the windows run them: open the
// record set, then read every field of every row. Prints one table.
#include "Bench_support.h"
#include "Synthetic.h"

#include "app/General.h"
#include "app/frmMain.h"
#include "data/Database.h"
#include "data/Jet_dialect.h"
#include "data/Queries.h"
#include "data/RecordSet.h"
#include "data/Validation.h"
#include "platform/Platform.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <sqlite3.h>
#include <time.h>
#include <vector>

namespace {

using namespace vexo;
using namespace vexo::bench;

QTextStream out(stdout);
QTextStream err(stderr);

struct Measure {
    Measure(const QString& label_, qint64 rows_, double target_ms_) : label(label_), rows(rows_), target_ms(target_ms_) {}
    QString label;
    qint64 rows = 0;
    double target_ms = 0; // 0: no target of its own
    Times times;
    void Add(const Stopwatch& t) { times.Add(t); }
};

QString Ms(double ms)
{
    return QString::number(ms, 'f', ms < 0.1 ? 4 : 3);
}

qint64 sink = 0; // what was read, so no read can be left out

// Every field of every row, by name, as the windows read them.
qint64 Read_all(RecordSet& records)
{
    const QStringList names = records.Field_names();
    qint64 rows = 0;
    if (records.Empty())
        return 0;
    records.MoveFirst();
    while (!records.Eof()) {
        for (const QString& name : names)
            sink += records.Field(name).size();
        records.MoveNext();
        ++rows;
    }
    return rows;
}

class Bench {
public:
    Bench(int runs, bool plans) : runs_(runs), plans_(plans) {}

    void Query(const QString& label, const QString& jet_sql, double target_ms = 5)
    {
        if (plans_)
            Print_plan(label, jet_sql);
        Measure m{label, 0, target_ms};
        for (int run = 0; run < runs_; ++run) {
            Stopwatch t;
            t.start();
            auto records = Main_database->OpenRecordset(jet_sql);
            m.rows = Read_all(*records);
            records->Close();
            m.Add(t);
        }
        measures_.push_back(m);
    }

    // An action query, timed `times` times per run; `before` runs untimed.
    void Action(const QString& label, const std::function<QString(int)>& jet_sql, int times,
                const std::function<void()>& before = {})
    {
        Measure m{label, 0, 5};
        for (int run = 0; run < runs_; ++run) {
            if (before)
                before();
            for (int k = 0; k < times; ++k) {
                const QString sql = jet_sql(k);
                Stopwatch t;
                t.start();
                Main_database->Execute(sql);
                m.Add(t);
                m.rows = sqlite3_changes(Main_database->handle());
            }
        }
        measures_.push_back(m);
    }

    void Add(const Measure& m) { measures_.push_back(m); }
    int runs() const { return runs_; }

    // The table, then which targets the figures meet.
    bool Print(bool judge)
    {
        int width = 5;
        for (const Measure& m : measures_)
            width = std::max(width, static_cast<int>(m.label.size()));
        out << "| " << QStringLiteral("query").leftJustified(width) << " | " << QStringLiteral("rows").rightJustified(7)
            << " | median ms | max ms | CPU median ms |\n";
        out << "|" << QString(width + 2, u'-') << "|--------:|----------:|-------:|--------------:|\n";
        for (const Measure& m : measures_)
            out << "| " << m.label.leftJustified(width) << " | " << QString::number(m.rows).rightJustified(7) << " | "
                << Ms(Median_ms(m.times.wall)).rightJustified(9) << " | " << Ms(Max_ms(m.times.wall)).rightJustified(6) << " | "
                << Ms(Median_ms(m.times.cpu)).rightJustified(13) << " |\n";
        if (!judge)
            return true;
        bool all = true;
        out << "\nTargets (median):\n";
        for (const Measure& m : measures_) {
            if (m.target_ms <= 0)
                continue;
            const bool met = Median_ms(m.times.wall) < m.target_ms;
            all = all && met;
            if (!met)
                out << "  MISSED " << m.label << ": " << Ms(Median_ms(m.times.wall)) << " ms (CPU "
                    << Ms(Median_ms(m.times.cpu)) << " ms), target < " << m.target_ms << " ms\n";
        }
        out << (all ? "  all met\n" : "");
        return all;
    }

private:
    // SQLite's plan for a catalogue text, to see which index a query uses.
    static void Print_plan(const QString& label, const QString& jet_sql)
    {
        const QByteArray text = "EXPLAIN QUERY PLAN " + Main_database->Translate(jet_sql).toUtf8();
        sqlite3_stmt* stmt = nullptr;
        out << label << "\n";
        if (sqlite3_prepare_v2(Main_database->handle(), text.constData(), -1, &stmt, nullptr) == SQLITE_OK)
            while (sqlite3_step(stmt) == SQLITE_ROW)
                out << "  " << sqlite3_column_int(stmt, 0) << " " << sqlite3_column_int(stmt, 1) << " "
                    << reinterpret_cast<const char*>(sqlite3_column_text(stmt, 3)) << "\n";
        sqlite3_finalize(stmt);
    }

    int runs_;
    bool plans_;
    std::vector<Measure> measures_;
};

// One value of the database, for composing a query on real rows.
QString First_value(const QString& jet_sql, const QString& field)
{
    auto records = Main_database->OpenRecordset(jet_sql);
    return records->Empty() ? QString() : records->Field(field);
}

} // namespace

int main(int argc, char** argv)
{
    // The main window is needed for its validation, never shown.
    const auto [application, options, runs] = Start_bench(
        argc, argv,
        QStringLiteral("usage: vexo_bench_queries [--scale N] [--runs R] [--fresh] [--plans] [--try SQL] [--database FILE] [--out DIR]\n"
                       "  times start-up and every catalogue query on a synthetic database\n"
                       "  --database  times a copy of FILE (say, the default database) instead\n"
                       "  --plans  also prints SQLite's query plan of each query\n"
                       "  --try    runs SQL (say, CREATE INDEX ...; ANALYZE;) on a copy and times the copy\n"
                       "  --fresh  makes the database again even when the one kept is current\n"),
        {QStringLiteral("--fresh"), QStringLiteral("--plans")},
        {QStringLiteral("--scale"), QStringLiteral("--try"), QStringLiteral("--database")}, 15);
    const int scale = options.Number(QStringLiteral("--scale"), 1);
    const bool fresh = options.Has(QStringLiteral("--fresh"));
    const bool plans = options.Has(QStringLiteral("--plans"));
    // SQL run on a copy first, to measure a proposed index
    const QString trial = options.Text(QStringLiteral("--try"));
    // a database of real rows to time instead of the synthetic one
    const QString given = options.Text(QStringLiteral("--database"));
    const QString path = !given.isEmpty() ? given : options.Out(QStringLiteral("synthetic_x%1.mdb").arg(scale));
    QString origin = given.isEmpty() ? QStringLiteral("reused") : QStringLiteral("given");
    if (!given.isEmpty() && !QFileInfo(given).isFile()) {
        err << "--database: no file " << given << "\n";
        return 1;
    }
    if (given.isEmpty() && (fresh || Generator_version_of(path) != bench::Generator_version)) {
        QElapsedTimer t;
        t.start();
        try {
            bench::Make_synthetic_database(path, scale);
        } catch (const Db_error& e) {
            err << "cannot write " << path << ": " << e.description() << "\n";
            return 1;
        }
        origin = QStringLiteral("generated in %1 ms").arg(t.elapsed());
    }

    QString timed = path;
    // The summary writes are timed too: a given file is timed on a copy.
    if (!trial.isEmpty() || !given.isEmpty()) {
        timed = options.Out(QStringLiteral("trial_x%1.mdb").arg(scale));
        QFile::remove(timed);
        QFile::copy(path, timed);
    }
    if (!trial.isEmpty()) {
        try {
            Database::Open(timed)->Execute_native(trial);
        } catch (const Db_error& e) {
            err << "--try: " << e.description() << "\n";
            return 1;
        }
        origin += QStringLiteral("; timed on a copy after: ") + trial;
    }

    Unattended unattended;
    platform::Install(&unattended);
    frmMain window;
    Bench bench(runs, plans);

    try {
        // Start-up: what the main window's load does once it knows the file.
        Measure open{QStringLiteral("open (Database::Open)"), 0, 0};
        Measure validate{QStringLiteral("validate (frmMain::valid_database)"), 0, 0};
        Measure startup{QStringLiteral("start-up: open + validate"), 0, 20};
        Measure fields{QStringLiteral("validate: tables and fields, one row each"), 0, 0};
        Measure intact{QStringLiteral("validate: integrity check (no checksums)"), 0, 0};
        for (int run = 0; run < runs; ++run) {
            Main_database.reset();
            Stopwatch t;
            t.start();
            Main_database = Database::Open(timed);
            const qint64 opened = t.wall_ns(), opened_cpu = t.cpu_ns();
            if (!window.valid_database()) {
                err << "the database is not valid: " << timed << "\n";
                return 1;
            }
            open.times.wall.push_back(opened);
            open.times.cpu.push_back(opened_cpu);
            validate.times.wall.push_back(t.wall_ns() - opened);
            validate.times.cpu.push_back(t.cpu_ns() - opened_cpu);
            startup.Add(t);
            t.start();
            (void)validation::Check_fields(*Main_database);
            fields.Add(t);
            t.start();
            (void)validation::Intact(*Main_database);
            intact.Add(t);
        }
        // The default database beside the program carries the builder's
        // checksums: the whole content check, as a user's start-up runs it.
        const QString default_path = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("guide2ks.mdb"));
        Measure checked{QStringLiteral("default database: integrity check + checksums"), 0, 30};
        if (QFileInfo::exists(default_path)) {
            auto default_database = Database::Open(default_path);
            for (int run = 0; run < runs; ++run) {
                Stopwatch t;
                t.start();
                if (!validation::Intact(*default_database)) {
                    err << "the default database is damaged: " << default_path << "\n";
                    return 1;
                }
                checked.Add(t);
            }
        }
        bench.Add(open);
        bench.Add(validate);
        bench.Add(startup);
        bench.Add(fields);
        bench.Add(intact);
        if (!checked.times.wall.empty())
            bench.Add(checked);

        for (const char* table : {"Yellow", "Green", "Water", "Sentences", "Guides_pages", "Summary"})
            bench.Query(QStringLiteral("Table_SQL %1").arg(QLatin1String(table)), sql::Table_SQL(QLatin1String(table)));

        // The index in its three orders and the find dialog's results.
        bench.Query(QStringLiteral("Index_by_number_SQL"), sql::Index_by_number_SQL());
        bench.Query(QStringLiteral("Index_by_name_SQL"), sql::Index_by_name_SQL());
        bench.Query(QStringLiteral("Chemical_agents_SQL"), sql::Chemical_agents_SQL());
        const auto find = [](const QString& terms) { return QStringLiteral(" AND (") + terms + u')'; };
        bench.Query(QStringLiteral("Find_result_SQL contains \"cloruro\" by name"),
                    sql::Find_result_SQL(find(sql::Find_contains_term(QStringLiteral("cloruro"))), false));
        bench.Query(QStringLiteral("Find_result_SQL starts \"acido\" by number"),
                    sql::Find_result_SQL(find(sql::Find_starts_term(QStringLiteral("acido"))), true));
        const QString quoted_name = First_value(
            QStringLiteral("SELECT Name_of_material FROM Yellow WHERE Name_of_material like \"*'*\" ORDER BY Blue_Key"),
            QStringLiteral("Name_of_material"));
        bench.Query(QStringLiteral("Find_result_SQL is (name with ') by name"),
                    sql::Find_result_SQL(find(sql::Find_is_term(quoted_name)), false));
        QStringList ids;
        {
            auto records = Main_database->OpenRecordset(QStringLiteral("SELECT ID FROM Yellow ORDER BY Yellow_Key"));
            const RecordSet::Bookmark first = records->bookmark();
            for (int k = 1; k <= 7; ++k) {
                records->Move(records->RecordCount() * k / 8, first);
                ids << sql::Find_ID_term(records->Field(QStringLiteral("ID")));
            }
        }
        bench.Query(QStringLiteral("Find_result_SQL 7 IDs by number"),
                    sql::Find_result_SQL(find(ids.join(QStringLiteral(" OR "))), true));
        bench.Query(QStringLiteral("Find_result_SQL guide 128 by name"),
                    sql::Find_result_SQL(find(sql::Find_guide_term(QStringLiteral("128"))), false));

        // Guides.
        bench.Query(QStringLiteral("Guide_list_SQL"), sql::Guide_list_SQL());
        bench.Query(QStringLiteral("Guide_page_SQL 128"), sql::Guide_page_SQL(QStringLiteral("128")));

        // Distances: the whole table, and one row by the name the index composes.
        bench.Query(QStringLiteral("Distances_table_SQL"), sql::Distances_table_SQL());
        {
            auto w = Main_database->OpenRecordset(QStringLiteral(
                "SELECT ID, Name_of_material FROM Yellow WHERE PIH = 1 AND Water_reactive = 'W' ORDER BY Yellow_Key"));
            bench.Query(QStringLiteral("Distances_lookup spilled in water"),
                        sql::Distances_lookup(w->Empty() ? QString() : w->Field(QStringLiteral("ID")),
                                              w->Empty() ? QString() : w->Field(QStringLiteral("Name_of_material")),
                                              QStringLiteral("(cuando es derramado en el agua)")));
            auto q = Main_database->OpenRecordset(QStringLiteral(
                "SELECT ID, Name_of_material, Supp_text FROM Yellow WHERE PIH = 1 AND Water_reactive IS NULL AND "
                "Chemical_Warfare IS NULL AND Name_of_material like '*\"*' ORDER BY Yellow_Key"));
            bench.Query(QStringLiteral("Distances_lookup name with \""),
                        sql::Distances_lookup(q->Empty() ? QString() : q->Field(QStringLiteral("ID")),
                                              q->Empty() ? QString() : q->Field(QStringLiteral("Name_of_material")),
                                              q->Empty() ? QString() : q->Field(QStringLiteral("Supp_text"))));
        }

        // Water-reactive materials and the gases they give off.
        bench.Query(QStringLiteral("Water_list_SQL"), sql::Water_list_SQL());
        const QString water_id = First_value(QStringLiteral("SELECT ID FROM Water ORDER BY ID"), QStringLiteral("ID"));
        bench.Query(QStringLiteral("Water_one_SQL"), sql::Water_one_SQL(water_id));
        bench.Query(QStringLiteral("Gases_SQL"), sql::Gases_SQL(water_id, false));
        bench.Query(QStringLiteral("Gases_SQL with third"), sql::Gases_SQL(water_id, true));
        QStringList gases;
        {
            auto records = Main_database->OpenRecordset(sql::Gases_SQL(water_id, true));
            for (const char* field : {"First_name_search", "Second_name_search", "Third_name_search"})
                if (!records->Empty() && !records->Field(QLatin1String(field)).isEmpty())
                    gases << records->Field(QLatin1String(field));
        }
        bench.Query(QStringLiteral("Gas_index_SQL"), sql::Gas_index_SQL(gases));

        // The summary: empty as shipped, then with the products of an incident.
        Main_database->Execute(sql::Clear_summary_SQL());
        bench.Query(QStringLiteral("Summary_view_SQL (empty)"), sql::Summary_view_SQL());
        std::vector<std::pair<QString, QString>> products;
        {
            auto index = Main_database->OpenRecordset(sql::Index_by_name_SQL());
            const RecordSet::Bookmark first = index->bookmark();
            for (int k = 0; k < 15; ++k) {
                index->Move(index->RecordCount() * k / 15, first);
                products.emplace_back(index->Field(QStringLiteral("ID")), index->Field(QStringLiteral("Name_of_material")));
            }
        }
        const auto add = [&](int k) {
            const auto& [id, name] = products[static_cast<size_t>(k)];
            return sql::Add_to_summary_SQL(id, name, k % 3 ? QStringLiteral("0") : QStringLiteral("1"), QStringLiteral("1"));
        };
        bench.Action(QStringLiteral("Add_to_summary_SQL"), add, 15,
                     [] { Main_database->Execute(sql::Clear_summary_SQL()); });
        bench.Query(QStringLiteral("Summary_view_SQL (15 products)"), sql::Summary_view_SQL());
        bench.Action(
            QStringLiteral("Delete_summary_row_SQL"),
            [](int) {
                return sql::Delete_summary_row_SQL(First_value(QStringLiteral("SELECT Key FROM Summary ORDER BY Key"),
                                                               QStringLiteral("Key")));
            },
            1,
            [&] {
                Main_database->Execute(sql::Clear_summary_SQL());
                for (int k = 0; k < 15; ++k)
                    Main_database->Execute(add(k));
            });
        bench.Action(QStringLiteral("Clear_summary_SQL"), [](int) { return sql::Clear_summary_SQL(); }, 1, [&] {
            for (int k = 0; k < 15; ++k)
                Main_database->Execute(add(k));
        });

        // A page of the index: 15 rows from the first row's bookmark, as a scroll does.
        {
            auto index = Main_database->OpenRecordset(sql::Index_by_number_SQL());
            index->MoveFirst();
            const RecordSet::Bookmark first = index->bookmark();
            const QStringList names = index->Field_names();
            const int pages_per_run = 50;
            const int last = std::max(0, index->RecordCount() - 15);
            Measure page{QStringLiteral("page move: Move 15 rows from a bookmark, read them"), 15, 0.05};
            for (int run = 0; run < runs; ++run) {
                for (int p = 0; p < pages_per_run; ++p) {
                    const int offset = static_cast<int>(static_cast<qint64>(last) * p / (pages_per_run - 1));
                    Stopwatch t;
                    t.start();
                    index->Move(offset, first);
                    for (int row = 0; row < 15 && !index->Eof(); ++row) {
                        for (const QString& name : names)
                            sink += index->Field(name).size();
                        index->MoveNext();
                    }
                    page.Add(t);
                }
            }
            bench.Add(page);
        }
    } catch (const Db_error& e) {
        err << "database error " << e.number() << ": " << e.description() << "\n";
        return 1;
    }

    out << (given.isEmpty() ? QStringLiteral("Synthetic database x%1").arg(scale) : QStringLiteral("Database"))
        << ": " << QDir::toNativeSeparators(timed) << " ("
        << QFileInfo(path).size() / (1024 * 1024) << " MiB, " << origin << "), " << runs << " runs\n\n";
    bench.Print(scale == 1);
    out << "\n(checksum " << sink << ")\n";
    out.flush();
    Main_database.reset();
    platform::Install(nullptr);
    return 0;
}
