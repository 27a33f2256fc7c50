// The printer as the print engine sees it: a sheet measured in twips with a
// current position, a font, text and thin lines, and the choice of printer.
#pragma once

#include <QString>

#include <functional>
#include <memory>
#include <stdexcept>

namespace vexo::platform {

// A printer that cannot start, draw or finish the document.
class Print_error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Positions and sizes in twips, origin at the top left of the printable
// area. Printing a text puts the top of its line at CurrentY.
class Printer_surface {
public:
    virtual ~Printer_surface() = default;

    double CurrentX = 0;
    double CurrentY = 0;

    virtual double ScaleWidth() const = 0;
    virtual double ScaleHeight() const = 0;

    void Set_font_name(const QString& name);
    void Set_FontSize(double points);
    void Set_FontBold(bool bold);
    QString Font_name() const { return font_name_; }
    double FontSize() const { return font_size_; }
    bool FontBold() const { return font_bold_; }

    // At the current position in the current font. With a line end the
    // position goes to the start of the next line; without one it stays on
    // this line just after the text.
    void Print(const QString& text, bool line_end = true);

    virtual double TextWidth(const QString& text) const = 0;
    virtual double TextHeight(const QString& text) const = 0;
    // A thin black line.
    virtual void Line(double x1, double y1, double x2, double y2) = 0;
    // Ends the current sheet; the next one starts blank.
    virtual void NewPage() = 0;
    // Sends the whole document to the printer.
    virtual void EndDoc() = 0;
    // Throws the document away (a job that failed half way).
    virtual void Abort() {}

protected:
    virtual void Draw_text(double x, double y, const QString& text) = 0;
    // How far a text printed without a line end moves the position; a
    // surface that measures texts with a margin moves by the ink alone.
    virtual double Advance(const QString& text) const { return TextWidth(text); }
    // The font changed; surfaces that measure with real fonts rebuild theirs.
    virtual void Font_changed() {}

private:
    QString font_name_;
    double font_size_ = 12;
    bool font_bold_ = false;
};

// Shows the printer dialog (printer and copies only) and opens a document on
// the chosen printer; nullptr when the user cancels. Without any printer the
// document becomes a PDF file named after `document_name`, and the user is
// told where it was saved once it is written.
std::unique_ptr<Printer_surface> Choose_printer(const QString& document_name);

// A PDF file as the printer, without asking (benchmarks, checks of the output).
std::unique_ptr<Printer_surface> Pdf_printer(const QString& file_path);

// Tests put their own chooser here; an empty one goes back to the dialog.
using Printer_chooser = std::function<std::unique_ptr<Printer_surface>(const QString& document_name)>;
void Install_printer_chooser(Printer_chooser chooser);

} // namespace vexo::platform
