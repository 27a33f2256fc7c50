// The print engine's routines: the page frame (header, rules, footer,
// border), the bottom reserve, and the wrap rule for long texts.
#include "printing/Printer_code.h"

#include "app/General.h"

#include <QLocale>

#include <cmath>

namespace vexo {

namespace {

const QString kProbe = QStringLiteral("T");  // the letter every line is measured by
const QString kTitle = QStringLiteral("MARDOVI VEXO");

// What is left after a printed line, ending in one blank like every other
// line. The blank added to an earlier rest is already there.
QString Rest(QString& r)
{
    QString rest = std::move(r);
    r.clear();
    if (!rest.endsWith(QLatin1Char(' ')))
        rest += QLatin1Char(' ');
    return rest;
}

} // namespace

QString Time_stamp(const QDateTime& when)
{
    // The program's own locale (Spanish), whatever the machine is set to.
    const QLocale locale;
    return locale.toString(when.time(), QLocale::ShortFormat) + QLatin1Char(' ') +
           locale.toString(when.date(), QLocale::ShortFormat);
}

Printer_code::Printer_code(platform::Printer_surface& printer, Page_header header)
    : Printer(printer), header_(std::move(header))
{
}

Printer_code::Printer_code(platform::Printer_surface& printer, Header_routine header)
    : Printer(printer), header_routine_(std::move(header))
{
}

void Printer_code::Begin_page()
{
    Printer.CurrentY = 0;
    Printer.CurrentX = 0;
    Print_page_header();
    Draw_rule();
}

void Printer_code::Print_page_header()
{
    if (header_routine_) {
        header_routine_(*this);
        Header_bottom = std::round(Printer.CurrentY);
        return;
    }
    Printer.Set_FontBold(true);
    Printer.CurrentX = 0;
    Printer.Set_FontSize(16);
    QString heading = header_.guide + QStringLiteral("   ") + header_.title;
    Wrap(heading, false);

    Printer.Set_FontSize(12);
    if (header_.has_product) {
        Printer.CurrentX = 0;
        QString product = header_.product + QLatin1Char(' ') + header_.qualifier;
        Wrap(product, false);
    }
    Header_bottom = std::round(Printer.CurrentY);
}

void Printer_code::Draw_rule()
{
    Printer.Line(0, Printer.CurrentY, Printer.ScaleWidth(), Printer.CurrentY);
    Printer.CurrentY += 10;
}

void Printer_code::Skip_line()
{
    Printer.CurrentY += Printer.TextHeight(kProbe);
}

bool Printer_code::Check_page_room()
{
    return Room_for(0);
}

bool Printer_code::Room_for(double below)
{
    return Printer.ScaleHeight() > Printer.CurrentY + below + std::round(2 * Printer.TextWidth(kProbe)) + Header_bottom;
}

void Printer_code::New_page()
{
    // The header and footer change the font; the text that goes on after
    // the break keeps its own.
    const double size = Printer.FontSize();
    const bool bold = Printer.FontBold();
    End_page();
    ++Page_number;
    Printer.NewPage();
    Begin_page();
    Printer.Set_FontSize(size);
    Printer.Set_FontBold(bold);
    Printer.CurrentX = 0;
}

void Printer_code::Print_wrapped(QString& text)
{
    Wrap(text, true);
}

void Printer_code::Print_header_line(QString text)
{
    Wrap(text, false);
}

bool Printer_code::Must_cut(const QString& text) const
{
    // Only a text ending in a blank can be a whole line: the others need no
    // measuring.
    if (text.isEmpty() || text.back() != QLatin1Char(' '))
        return true;
    return !(Printer.ScaleWidth() > Printer.TextWidth(text));
}

void Printer_code::Print_line(const QString& text, bool check_pages)
{
    if (check_pages && !Check_page_room())
        New_page();
    Printer.Print(text, true);
}

// Cuts the text back one character at a time until what is left fits and
// ends in a blank, prints that as a line and goes on with the rest, to which
// a blank is added. A word wider than the page has no blank to stop at: it is
// broken after the most characters that fit.
void Printer_code::Wrap(QString& t, bool check_pages)
{
    QString r;
    if (!(Printer.TextWidth(t) < Printer.ScaleWidth())) {
        while (Must_cut(t)) {
            if (!t.contains(QLatin1Char(' ')) && Printer.TextWidth(t) < Printer.ScaleWidth()) {
                if (t.isEmpty()) {
                    // Not even one character fits: it goes on a line of its own.
                    t = r.left(1);
                    r.remove(0, 1);
                }
                if (r.startsWith(QLatin1Char(' ')))
                    r.remove(0, 1);  // the break fell on a blank
                Print_line(t, check_pages);
                t = Rest(r);
                continue;
            }
            r.prepend(t.back());
            t.chop(1);
            if (!Must_cut(t)) {
                Print_line(t, check_pages);
                t = Rest(r);
            }
        }
    }
    Print_line(t, check_pages);
}

void Printer_code::End_page()
{
    Printer.CurrentY = Printer.ScaleHeight() - Printer.TextHeight(kProbe) - 10;
    Draw_rule();
    Print_page_footer();
}

void Printer_code::Print_page_footer()
{
    Printer.Set_FontBold(false);
    Printer.CurrentX = 0;
    Printer.Print(Time_stamp(Now()), false);

    Printer.CurrentX = Printer.ScaleWidth() / 2 - Printer.TextWidth(kTitle) / 2;
    Printer.Print(kTitle, false);

    const QString page_label = QStringLiteral("Página ") + QString::number(Page_number);
    Printer.CurrentX = Printer.ScaleWidth() - std::round(Printer.TextWidth(page_label));
    Printer.Print(page_label, true);

    Draw_page_border();
}

void Printer_code::Draw_page_border()
{
    const double w = Printer.ScaleWidth();
    const double h = Printer.ScaleHeight();
    Printer.Line(0, 0, w - 1, 0);
    Printer.Line(w - 3, 0, w - 3, h - 3);
    Printer.Line(0, h - 3, w - 3, h - 3);
    Printer.Line(0, 0, 0, h - 3);
}

} // namespace vexo
