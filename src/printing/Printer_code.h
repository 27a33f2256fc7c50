// The page-printing engine: a current position on the printer, lines wrapped
// at blanks, page breaks before the bottom reserve, and every sheet framed by
// a header, a footer with time stamp and page number, and a border.
#pragma once

#include "platform/Printer_surface.h"

#include <QDateTime>
#include <QString>

#include <functional>

namespace vexo {

// What the header of every printed sheet shows: the guide page's heading
// and, for a page opened for a product, its product line.
struct Page_header {
    QString guide;            // the guide number heading
    QString title;            // the guide title
    bool has_product = false; // the page shows a product line
    QString product;          // the product line
    QString qualifier;        // printed after the product line
};

// One document on one printer. The caller sets `Page_number` to 1, chooses
// the font, then: Begin_page, body lines (each after Check_page_room, and
// New_page when there is no room), End_page, and the printer's EndDoc.
class Printer_code {
public:
    // A document other than a guide page prints its own header on every
    // sheet: the routine starts at the top of the sheet.
    using Header_routine = std::function<void(Printer_code& engine)>;

    Printer_code(platform::Printer_surface& printer, Page_header header);
    Printer_code(platform::Printer_surface& printer, Header_routine header);

    void Begin_page();
    void Print_page_header();
    void Draw_rule();
    void Skip_line();
    // Whether one more line fits above the bottom reserve, which is as tall
    // as this page's header plus twice the width of a "T".
    bool Check_page_room();
    // Whether a line `below` twips under the current position still fits.
    bool Room_for(double below);
    void New_page();
    // Prints `text` from the current position, wrapped at blanks, breaking
    // pages as needed; `text` ends as the last printed piece.
    void Print_wrapped(QString& text);
    // A header line: wrapped the same way, but never breaking the page.
    void Print_header_line(QString text);
    // False only for a text that fits the page width and ends in a blank.
    bool Must_cut(const QString& text) const;
    void End_page();
    void Print_page_footer();
    void Draw_page_border();

    platform::Printer_surface& Printer;
    // The clock of the footer's time stamp.
    std::function<QDateTime()> Now = &QDateTime::currentDateTime;

private:
    void Wrap(QString& text, bool check_pages);
    void Print_line(const QString& text, bool check_pages);

    Page_header header_;
    Header_routine header_routine_;
};

// The footer's stamp: time, one blank, date, as the system writes them.
QString Time_stamp(const QDateTime& when);

} // namespace vexo
