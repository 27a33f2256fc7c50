// Printing the guide page that is on screen: its header, every text block
// in the look of its sentence code, then the product's distances written out
// as sentences when the page has a distances button.
#pragma once

#include "guides/Sentence_marks.h"
#include "platform/Printer_surface.h"
#include "printing/Printer_code.h"

#include <QString>

namespace vexo {

class frmGuidePage;

// The viewer's print button: asks for the printer, then prints the page and
// its distances page with the busy pointer shown. Cancel prints nothing; a
// failure while printing ends the job quietly with nothing more printed; a
// product whose distances are not found gets its guide printed alone, and
// the user is told why.
void Print_guide_page(frmGuidePage* page);

// Makes the viewer's print button print through Print_guide_page.
void Install_page_printing();

// The header every printed sheet of this page repeats, as the viewer shows it.
Page_header Header_of(const frmGuidePage& page);

// One pair of distances as a responder reads it: "30 metros, 100 pies". Where
// the book gives no figures but a reference ("Consulte la Tabla 3" in both
// places) the reference is written once; a missing figure is left out.
QString Distance_pair(const QString& first, const QString& first_unit, const QString& second,
                      const QString& second_unit);

// The document of one page, on a printer already chosen whose font is set.
class Guide_page_print {
public:
    Guide_page_print(const frmGuidePage& page, platform::Printer_surface& printer);

    // Prints every page and sends the document to the printer.
    void Print_guide_page();
    // The page's sheets and its distances sheet, numbered from `Page_number`
    // on a sheet the caller has started; the last one is ended.
    void Print_pages();
    // The distances page; the product's row is read with the distances
    // button's query. A query that finds no row prints no distances page and
    // leaves Distances_missing() true.
    void print_IIPAD();
    bool Distances_missing() const { return distances_missing_; }
    void Print_section_IIPAD(bool small, const QString& m, const QString& ft, const QString& day_km,
                             const QString& day_mi, const QString& night_km, const QString& night_mi);

    Printer_code engine;

private:
    void Print_centred_title(const QString& title);
    void Print_runs(const QList<Text_run>& runs);
    QList<QList<Text_run>> Breakable_pieces(const QList<Text_run>& runs) const;
    double Width_of(const QList<Text_run>& piece) const;

    const frmGuidePage& page_;
    bool distances_missing_ = false;
};

} // namespace vexo
