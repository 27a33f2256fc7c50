// vexo_bench_printing: times laying out and writing the PDF of a guide page
// with its distances page, on the default database: by default the longest
// guide page among those opened for a product that has distances; then the
// same for a summary report of 40 products, on a copy of the database.
// Keeps the last PDFs so they can be looked at.
#include "Bench_support.h"
#include "app/General.h"
#include "data/Database.h"
#include "data/Queries.h"
#include "data/RecordSet.h"
#include "guides/frmGuidePage.h"
#include "platform/Printer_surface.h"
#include "printing/Guide_page_print.h"
#include "printing/Summary_print.h"
#include "summary/Summary_store.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QLabel>
#include <QTextStream>

#include <algorithm>
#include <vector>

namespace {

using namespace vexo;

QTextStream out(stdout);
QTextStream err(stderr);

struct Product {
    int guide = 0;
    QString id;
    QString name;
    qsizetype text = 0;  // characters on the guide page
};

// Every guide page that a product with distances opens, with the length of
// its text; the longest first.
std::vector<Product> Pages_with_distances()
{
    QHash<QString, bool> green;
    auto rows = Main_database->OpenRecordset(sql::Table_SQL(QStringLiteral("Green")));
    for (rows->MoveFirst(); !rows->Eof(); rows->MoveNext())
        green.insert(rows->Field(QStringLiteral("ID")) + u'|' + rows->Field(QStringLiteral("Name_of_material")), true);

    QHash<int, Product> by_guide;
    rows = Main_database->OpenRecordset(sql::Table_SQL(QStringLiteral("Yellow")));
    for (rows->MoveFirst(); !rows->Eof(); rows->MoveNext()) {
        const QString id = rows->Field(QStringLiteral("ID"));
        const QString name = rows->Field(QStringLiteral("Name_of_material"));
        const int guide = rows->Field(QStringLiteral("Guide_Number")).toInt();
        if (green.contains(id + u'|' + name + u' ') && !by_guide.contains(guide))
            by_guide.insert(guide, {guide, id, name, 0});
    }
    std::vector<Product> products;
    for (Product p : by_guide) {
        auto page = Main_database->OpenRecordset(sql::Guide_page_SQL(QString::number(p.guide)));
        for (page->MoveFirst(); !page->Eof(); page->MoveNext())
            p.text += page->Field(QStringLiteral("Sentences")).size();
        products.push_back(p);
    }
    std::sort(products.begin(), products.end(), [](const Product& a, const Product& b) { return a.text > b.text; });
    return products;
}

std::unique_ptr<frmGuidePage> Open_page(const Product& p)
{
    Guide_page_records = Main_database->OpenRecordset(sql::Guide_page_SQL(QString::number(p.guide)));
    Product_label = p.name + QStringLiteral(", Número de identificación ") + p.id;
    auto page = std::make_unique<frmGuidePage>();
    page->Show_distances(sql::Distances_lookup(p.id, p.name, QString()));
    return page;
}

// A summary of `count` products as an incident might collect them: a quarter
// spilled in water, half toxic by inhalation (so with distances), the rest
// plain, spread over the whole index.
void Collect_summary(int count)
{
    Clear_summary();
    const struct {
        const char* where;
        int share;
        const char* high_green;
    } kinds[] = {{"Water_reactive = 'W'", count / 4, "1"},
                 {"PIH = 1 AND (Water_reactive IS NULL OR Water_reactive = '')", count / 2, "0"},
                 {"(PIH IS NULL OR PIH <> 1) AND (Water_reactive IS NULL OR Water_reactive = '')",
                  count - count / 4 - count / 2, "0"}};
    for (const auto& kind : kinds) {
        auto rows = Main_database->OpenRecordset(
            QStringLiteral("SELECT ID, Name_of_material FROM Yellow WHERE %1 ORDER BY Yellow_Key")
                .arg(QLatin1String(kind.where)));
        const int step = std::max(1, rows->RecordCount() / std::max(1, kind.share));
        int added = 0;
        for (rows->MoveFirst(); !rows->Eof() && added < kind.share; ++added) {
            Add_to_summary(rows->Field(QStringLiteral("Name_of_material")), rows->Field(QStringLiteral("ID")),
                           QLatin1String(kind.high_green), QStringLiteral("1"));
            for (int i = 0; i < step && !rows->Eof(); ++i)
                rows->MoveNext();
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    const auto [application, options, runs] = bench::Start_bench(
        argc, argv,
        QStringLiteral("usage: vexo_bench_printing [--database FILE] [--pdf FILE] [--runs R] [--guide N] [--out DIR]\n"
                       "  times printing the longest guide page (or guide N) and a summary to PDF\n"),
        {}, {QStringLiteral("--database"), QStringLiteral("--pdf"), QStringLiteral("--guide")}, 15);
    const QString database = options.Text(QStringLiteral("--database"), QStringLiteral(VEXO_BIN_DIR "/guide2ks.mdb"));
    const QString pdf = options.Has(QStringLiteral("--pdf")) ? options.Text(QStringLiteral("--pdf"))
                                                             : options.Out(QStringLiteral("guide_page.pdf"));
    const int guide = options.Number(QStringLiteral("--guide"), 0, 0);
    QDir().mkpath(QFileInfo(pdf).absolutePath());

    try {
        Main_database = Database::Open(database);
    } catch (const Db_error& e) {
        err << "cannot open " << database << ": " << e.description() << "\n";
        return 1;
    }
    // The distances button shows only where the distances box can open.
    if (!frmGuidePage::Distances_box_opener)
        frmGuidePage::Distances_box_opener = [] {};

    const std::vector<Product> products = Pages_with_distances();
    auto chosen = std::find_if(products.begin(), products.end(),
                               [&](const Product& p) { return guide == 0 || p.guide == guide; });
    if (chosen == products.end()) {
        err << "no guide page with distances" << (guide ? QStringLiteral(" for guide %1").arg(guide) : QString())
            << "\n";
        return 1;
    }
    const auto page = Open_page(*chosen);

    bench::Times guide_times;
    double first_ms = 0;
    int sheets = 0;
    for (int run = 0; run < runs; ++run) {
        bench::Stopwatch timer;
        timer.start();
        auto printer = platform::Pdf_printer(pdf);
        printer->Set_font_name(QStringLiteral("Times New Roman"));
        printer->Set_FontSize(12);
        Guide_page_print document(*page, *printer);
        document.Print_guide_page();
        guide_times.Add(timer);
        if (run == 0)
            first_ms = static_cast<double>(timer.wall_ns()) / 1e6;
        sheets = Page_number;
    }
    out << "Guide " << chosen->guide << " (" << chosen->text << " characters, " << page->Last_block() + 1
        << " blocks) for " << chosen->id << " " << chosen->name << ": " << sheets << " sheets\n";
    out << QStringLiteral("lay out and write the PDF: median %1 ms, first %2 ms, max %3 ms, CPU median %4 ms over %5 "
                          "runs (target 200 ms)\n")
               .arg(bench::Median_ms(guide_times.wall), 0, 'f', 1)
               .arg(first_ms, 0, 'f', 1)
               .arg(bench::Max_ms(guide_times.wall), 0, 'f', 1)
               .arg(bench::Median_ms(guide_times.cpu), 0, 'f', 1)
               .arg(runs);
    out << "PDF: " << QDir::toNativeSeparators(pdf) << "\n";

    // The summary is written to a copy: the program's database keeps its own.
    const QString copy = QFileInfo(pdf).absoluteDir().filePath(QStringLiteral("summary_bench.mdb"));
    const QString summary_pdf = QFileInfo(pdf).absoluteDir().filePath(QStringLiteral("summary.pdf"));
    Main_database.reset();
    QFile::remove(copy);
    if (!QFile::copy(database, copy)) {
        err << "cannot copy " << database << "\n";
        return 1;
    }
    Main_database = Database::Open(copy);
    Collect_summary(40);
    bench::Times summary_times;
    std::size_t collected_count = 0;
    for (int run = 0; run < runs; ++run) {
        bench::Stopwatch timer;
        timer.start();
        const std::vector<Summary_product> collected = Summary_products();
        auto printer = platform::Pdf_printer(summary_pdf);
        printer->Set_font_name(QStringLiteral("Times New Roman"));
        printer->Set_FontSize(12);
        Summary_print(*printer, QDateTime::currentDateTime()).Print_summary(collected);
        printer->EndDoc();
        summary_times.Add(timer);
        collected_count = collected.size();
        sheets = Page_number;
    }
    out << "Summary of " << collected_count << " products: " << sheets << " sheets\n";
    out << QStringLiteral("read, lay out and write the PDF: median %1 ms, max %2 ms, CPU median %3 ms over %4 runs "
                          "(target 500 ms)\n")
               .arg(bench::Median_ms(summary_times.wall), 0, 'f', 1)
               .arg(bench::Max_ms(summary_times.wall), 0, 'f', 1)
               .arg(bench::Median_ms(summary_times.cpu), 0, 'f', 1)
               .arg(runs);
    out << "PDF: " << QDir::toNativeSeparators(summary_pdf) << "\n";
    Main_database.reset();
    QFile::remove(copy);
    return 0;
}
