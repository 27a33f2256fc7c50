// The summary report on paper: every collected product with its guide, its
// marks spelled out and its distances written as sentences, and, when the
// user wants them, each product's guide page after the summary.
#pragma once

#include "platform/Printer_surface.h"
#include "printing/Printer_code.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace vexo {

// One collected product as the printed report needs it.
struct Summary_product {
    QString id;
    QString name;
    QString guide;  // the guide code, "128P" for a material that may polymerize
    QString title;  // the guide's title
    bool inhalation = false;
    QString mark;  // "MRA", "Q/B" or ""
    bool polymerizes = false;
    bool water_spill = false;  // concerns a spill in water
    bool chosen = true;        // false: a gas given off by the product before it
    // The spill condition of its row of distances; nullopt: it has none.
    std::optional<QString> suffix;
    // The six small-spill and the six large-spill values of that row, as
    // stored; empty when the row is not in the database.
    QStringList small_spill;
    QStringList large_spill;
};

// The summary's products in the order they were collected, with their rows
// of distances read.
std::vector<Summary_product> Summary_products();

// "Resumen_AAAA-MM-DD_HHMM.pdf" for that moment.
QString Summary_pdf_name(const QDateTime& when);

// The document, on a printer already chosen whose font is set.
class Summary_print {
public:
    Summary_print(platform::Printer_surface& printer, const QDateTime& when);

    // The summary's sheets, numbered from 1; the last one is ended.
    void Print_summary(const std::vector<Summary_product>& products);
    // Each product's guide page, with its distances page when it has
    // distances, on new sheets numbered on.
    void Print_guide_pages(const std::vector<Summary_product>& products);

    Printer_code engine;

private:
    // The product's block, on one sheet where it fits, and a rule under it.
    void Print_product(const Summary_product& product);
};

// "Imprimir resumen": offers to add the guide pages, then prints on the
// printer the user chooses (a PDF file in the documents folder when there
// is no printer, and the user is told where).
void Print_summary_report();
// "Guardar como PDF": offers to add the guide pages, then writes the file
// the user names, printer or not.
void Save_summary_report();

} // namespace vexo
