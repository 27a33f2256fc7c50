// The summary report document: its own sheet header, one block per product
// kept on one sheet where it fits, then the guide pages when asked for.
#include "printing/Summary_print.h"

#include "app/General.h"
#include "app/Row_cells.h"
#include "data/Database.h"
#include "data/Queries.h"
#include "data/RecordSet.h"
#include "guides/frmGuidePage.h"
#include "platform/Busy_pointer.h"
#include "platform/Platform.h"
#include "printing/Guide_page_print.h"
#include "printing/Large_spills_print.h"
#include "summary/Summary_store.h"

#include <QDir>
#include <QFile>
#include <QLocale>

#include <cmath>

namespace vexo {

namespace {

const QString kTitle = QStringLiteral("Resumen del incidente");
const QString kProtect = QStringLiteral(" PROTEJA a las Personas en la Dirección del Viento: ");
const char* const kSpill_fields[] = {"Isolate_meters", "Isolate_feets",     "Protect_Day_km",
                                     "Protect_Day_miles", "Protect_Night_km", "Protect_Night_miles"};

// One line of a product's block: a bold label, then its text.
struct Block_line {
    QString label;
    QString text;
    bool bold = false;
};

QStringList Spill_values(const RecordSet& row, const QString& prefix)
{
    QStringList values;
    for (const char* field : kSpill_fields)
        values << row.Field(prefix + QLatin1String(field));
    return values;
}

std::vector<Block_line> Spill_lines(const QString& title, const QStringList& v)
{
    return {{{}, title, true},
            {{}, QStringLiteral("Primero AISLAR a la Redonda: ") +
                     Distance_pair(v[0], QStringLiteral("metros"), v[1], QStringLiteral("pies"))},
            {QStringLiteral("DIA: "),
             kProtect + Distance_pair(v[2], QStringLiteral("kilómetros"), v[3], QStringLiteral("millas"))},
            {QStringLiteral("NOCHE: "),
             kProtect + Distance_pair(v[4], QStringLiteral("kilómetros"), v[5], QStringLiteral("millas"))}};
}

std::vector<Block_line> Lines_of(const Summary_product& p)
{
    std::vector<Block_line> lines{{{}, p.id + QStringLiteral("   ") + p.name, true},
                                  {{}, QStringLiteral("Guía ") + p.guide + QStringLiteral("   ") + p.title}};
    // The marks as the index pages' tool tips spell them out.
    if (p.inhalation)
        lines.push_back({{}, QStringLiteral("RIT: Substancia tóxica por inhalación")});
    if (p.mark == QLatin1String("MRA"))
        lines.push_back(
            {{}, QStringLiteral("MRA: Materiales peligrosos reactivos al agua que producen gases toxicos")});
    if (p.mark == QLatin1String("Q/B"))
        lines.push_back({{}, QStringLiteral("Q/B: Agente Químico y/o biológico")});
    if (p.polymerizes)
        lines.push_back({{}, QStringLiteral("P: puede polimerizar")});
    if (p.water_spill)
        lines.push_back({{}, p.chosen ? QStringLiteral("derramado en el agua")
                                      : QStringLiteral("gas producido por un derrame en el agua")});
    if (!p.suffix)
        return lines;

    QString heading = QStringLiteral("Distancias de aislamiento inicial y acción protectora");
    if (!p.suffix->trimmed().isEmpty())
        heading += QLatin1Char(' ') + p.suffix->trimmed();
    lines.push_back({{}, heading, true});
    if (p.small_spill.isEmpty()) {
        // Never a figure of our own: the reader is told the row is missing.
        lines.push_back({{}, QStringLiteral("Sus distancias no se encuentran en la base de datos.")});
        return lines;
    }
    for (Block_line& line : Spill_lines(QStringLiteral("DERRAMES PEQUEÑOS"), p.small_spill))
        lines.push_back(std::move(line));
    for (Block_line& line : Spill_lines(QStringLiteral("DERRAMES GRANDES"), p.large_spill))
        lines.push_back(std::move(line));
    return lines;
}

// The date and time the summary was printed, as the reader's calendar says it.
QString Header_stamp(const QDateTime& when)
{
    const QLocale locale;
    return locale.toString(when.date(), QLocale::LongFormat) + QStringLiteral(", ") +
           locale.toString(when.time(), QLocale::ShortFormat);
}

bool Add_guide_pages()
{
    return platform::MsgBox(
               QStringLiteral("Quiere añadir después del resumen la página de la guía de cada producto, con sus "
                              "distancias?"),
               platform::Icon::Question, platform::Buttons::YesNo) == platform::Answer::Yes;
}

void Print_document(platform::Printer_surface& printer, const std::vector<Summary_product>& products,
                    bool guide_pages)
{
    platform::Busy_pointer busy(nullptr, Qt::WaitCursor);
    printer.Set_font_name(QStringLiteral("Times New Roman"));
    printer.Set_FontSize(12);
    Summary_print document(printer, QDateTime::currentDateTime());
    document.Print_summary(products);
    if (guide_pages)
        document.Print_guide_pages(products);
    printer.EndDoc();
}

// The products, or nothing when the summary shows none (the user is told).
std::optional<std::vector<Summary_product>> Products_to_print()
{
    std::vector<Summary_product> products = Summary_products();
    if (products.empty()) {
        platform::MsgBox(QStringLiteral("El resumen no tiene productos que imprimir."), platform::Icon::Exclamation);
        return std::nullopt;
    }
    return products;
}

} // namespace

std::vector<Summary_product> Summary_products()
{
    std::vector<Summary_product> products;
    const auto rows = Main_database->OpenRecordset(sql::Summary_view_in_order_SQL());
    const auto flag = [&](const char* field, const char* value) {
        return rows->Field(QLatin1String(field)).trimmed() == QLatin1String(value);
    };
    for (rows->MoveFirst(); !rows->Eof(); rows->MoveNext()) {
        Summary_product p;
        p.id = rows->Field(QStringLiteral("ID"));
        p.name = rows->Field(QStringLiteral("Name"));
        p.polymerizes = flag("Polymerization", "P");
        p.guide = Guide_code(rows->Field(QStringLiteral("Guide_Number")), rows->Field(QStringLiteral("Polymerization")));
        p.title = rows->Field(QStringLiteral("Sentences"));
        const Product_marks marks =
            Marks_of(rows->Field(QStringLiteral("PIH")), rows->Field(QStringLiteral("Chemical_Warfare")),
                     rows->Field(QStringLiteral("Water_reactive")));
        p.inhalation = marks.inhalation;
        p.mark = Mark_text(marks);
        p.water_spill = flag("High_green", "1");
        p.chosen = flag("Bold", "1");
        p.suffix = Distances_suffix(marks, p.water_spill,
                                    Inhalation_supplement(rows->Field(QStringLiteral("Supp_text")), marks.agent));
        products.push_back(std::move(p));
    }
    for (Summary_product& p : products) {
        if (!p.suffix)
            continue;
        const auto row = Main_database->OpenRecordset(sql::Distances_lookup(p.id, p.name, *p.suffix));
        if (row->Empty())
            continue;
        row->MoveFirst();
        p.small_spill = Spill_values(*row, QStringLiteral("SP_"));
        p.large_spill = Spill_values(*row, QStringLiteral("LP_"));
    }
    return products;
}

QString Summary_pdf_name(const QDateTime& when)
{
    return QStringLiteral("Resumen_") + when.toString(QStringLiteral("yyyy-MM-dd_HHmm")) + QStringLiteral(".pdf");
}

Summary_print::Summary_print(platform::Printer_surface& printer, const QDateTime& when)
    : engine(printer, [stamp = Header_stamp(when)](Printer_code& e) {
          // In the guide page header's style: a large bold title, then the
          // date and time a size smaller.
          e.Printer.Set_FontBold(true);
          e.Printer.CurrentX = 0;
          e.Printer.Set_FontSize(16);
          e.Print_header_line(kTitle);
          e.Printer.Set_FontSize(12);
          e.Printer.CurrentX = 0;
          e.Print_header_line(stamp);
      })
{
    engine.Now = [when] { return when; };
}

void Summary_print::Print_summary(const std::vector<Summary_product>& products)
{
    Page_number = 1;
    engine.Begin_page();
    for (const Summary_product& product : products)
        Print_product(product);
    engine.End_page();
}

void Summary_print::Print_product(const Summary_product& product)
{
    const std::vector<Block_line> lines = Lines_of(product);
    platform::Printer_surface& printer = engine.Printer;

    // A product on one sheet where it fits: count its lines as they will wrap.
    int count = 0;
    for (const Block_line& line : lines) {
        printer.Set_FontBold(line.bold);
        count += std::max(1, static_cast<int>(std::ceil(printer.TextWidth(line.label + line.text) /
                                                        printer.ScaleWidth())));
    }
    const bool sheet_has_text = printer.CurrentY > Header_bottom + 10;
    if (sheet_has_text && !engine.Room_for((count - 1) * printer.TextHeight(QStringLiteral("T"))))
        engine.New_page();

    for (const Block_line& line : lines) {
        if (!engine.Check_page_room())
            engine.New_page();
        printer.CurrentX = 0;
        if (!line.label.isEmpty()) {
            // The label stays on its line even if the text goes on over a break.
            printer.Set_FontBold(true);
            printer.Print(line.label, false);
        }
        printer.Set_FontBold(line.bold);
        QString text = line.text;
        engine.Print_wrapped(text);
    }
    // Where the book sends a large spill to Table 3, the gas's rows by
    // container follow its two spill sizes.
    if (product.chosen && !product.water_spill && !product.large_spill.isEmpty())
        Print_large_spills(engine, product.id);
    engine.Draw_rule();
}

void Summary_print::Print_guide_pages(const std::vector<Summary_product>& products)
{
    for (const Summary_product& p : products) {
        Guide_page_records = Main_database->OpenRecordset(sql::Guide_page_SQL(p.guide.left(3)));
        if (Guide_page_records->Empty()) {
            Guide_page_records.reset();
            continue;  // no page to print; the summary already shows its guide
        }
        Product_label = p.name + QStringLiteral(", Número de identificación ") + p.id;
        // Built as the summary's guide button builds it, but never shown.
        frmGuidePage page;
        if (!p.small_spill.isEmpty())
            page.Show_distances(sql::Distances_lookup(p.id, p.name, *p.suffix));
        page.Set_print_qualifier(p.suffix ? QStringLiteral(" ") + *p.suffix : QString());

        ++Page_number;
        engine.Printer.NewPage();
        Guide_page_print guide(page, engine.Printer);
        guide.engine.Now = engine.Now;
        guide.Print_pages();
    }
}

void Print_summary_report()
{
    std::unique_ptr<platform::Printer_surface> printer;
    try {
        const auto products = Products_to_print();
        if (!products)
            return;
        const bool guide_pages = Add_guide_pages();
        printer = platform::Choose_printer(kTitle);
        if (!printer)
            return;  // the user cancelled
        Print_document(*printer, *products, guide_pages);
    } catch (const std::exception&) {
        if (printer)
            printer->Abort();
        platform::MsgBox(QStringLiteral("No se pudo imprimir el resumen."), platform::Icon::Exclamation);
    }
}

void Save_summary_report()
{
    std::optional<QString> path;
    try {
        const auto products = Products_to_print();
        if (!products)
            return;
        const bool guide_pages = Add_guide_pages();
        const QString offered =
            QDir(platform::Documents_folder()).filePath(Summary_pdf_name(QDateTime::currentDateTime()));
        path = platform::Save_file_dialog(QStringLiteral("Documento PDF (*.pdf)|*.pdf"), offered);
        if (!path)
            return;
        if (!path->endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
            *path += QStringLiteral(".pdf");
        Print_document(*platform::Pdf_printer(*path), *products, guide_pages);
    } catch (const std::exception&) {
        if (path)
            QFile::remove(*path);
        platform::MsgBox(path ? QStringLiteral("No se pudo guardar el resumen en:\n") + QDir::toNativeSeparators(*path)
                              : QStringLiteral("No se pudo guardar el resumen."),
                         platform::Icon::Exclamation);
        return;
    }
    platform::MsgBox(QStringLiteral("El resumen se guardó como documento PDF en:\n") + QDir::toNativeSeparators(*path),
                     platform::Icon::Information);
}

} // namespace vexo
