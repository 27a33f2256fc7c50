// The real printer surface: QPainter on a QPrinter whose coordinates are
// scaled to twips, and the print dialog that chooses it.
#include "platform/Printer_surface.h"

#include "platform/Platform.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include <cmath>
#include <optional>

namespace vexo::platform {

void Printer_surface::Set_font_name(const QString& name)
{
    font_name_ = name;
    Font_changed();
}

void Printer_surface::Set_FontSize(double points)
{
    font_size_ = points;
    Font_changed();
}

void Printer_surface::Set_FontBold(bool bold)
{
    font_bold_ = bold;
    Font_changed();
}

void Printer_surface::Print(const QString& text, bool line_end)
{
    Draw_text(CurrentX, CurrentY, text);
    if (line_end) {
        CurrentX = 0;
        CurrentY += TextHeight(text);
    } else {
        CurrentX += Advance(text);
    }
}

namespace {

constexpr double kTwips_per_inch = 1440;
constexpr double kTwips_per_point = 20;
constexpr double kLine_width = 10;  // twips: a hairline that still shows on paper
// The engine prints from the very edge of the printable area, where the page
// border runs. The sheet keeps the ink clear of it: every text is measured
// this much wider on each side and drawn this much further in, and a line is
// taller by the space kept above and below its text, so that neither a rule
// above nor the border below touches it.
constexpr double kSide_margin = 60;
constexpr double kSpace_above = 20;
constexpr double kSpace_below = 40;

// Faces with the same metrics where the named ones are missing, so a page
// wraps the same on every machine.
QStringList Faces(const QString& name)
{
    QStringList faces{name};
    if (name.contains(QLatin1String("Times"), Qt::CaseInsensitive))
        faces << QStringLiteral("Liberation Serif") << QStringLiteral("DejaVu Serif");
    else
        faces << QStringLiteral("Liberation Sans") << QStringLiteral("DejaVu Sans");
    return faces;
}

class Qt_printer_surface final : public Printer_surface {
public:
    // `pdf_path` is set when the document is a file the user must be told of.
    Qt_printer_surface(std::unique_ptr<QPrinter> printer, QString pdf_path, bool tell_user)
        : printer_(std::move(printer)), pdf_path_(std::move(pdf_path)), tell_user_(tell_user)
    {
        const double dpi = printer_->resolution();
        twips_to_device_ = dpi / kTwips_per_inch;
        width_ = printer_->width() / twips_to_device_;
        height_ = printer_->height() / twips_to_device_;
        Font_changed();
    }

    ~Qt_printer_surface() override
    {
        if (painter_.isActive())
            Abort();
    }

    double ScaleWidth() const override { return width_; }
    double ScaleHeight() const override { return height_; }

    double TextWidth(const QString& text) const override
    {
        return metrics_->horizontalAdvance(text) + 2 * kSide_margin;
    }
    double TextHeight(const QString&) const override { return metrics_->lineSpacing() + kSpace_above + kSpace_below; }

    void Line(double x1, double y1, double x2, double y2) override
    {
        Begin();
        painter_.setPen(QPen(Qt::black, kLine_width, Qt::SolidLine, Qt::FlatCap));
        painter_.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    }

    void NewPage() override
    {
        Begin();
        if (!printer_->newPage())
            throw Print_error("the printer refused a new sheet");
    }

    void EndDoc() override
    {
        Begin();
        if (!painter_.end())
            throw Print_error("the printer did not take the document");
        if (tell_user_)
            MsgBox(QStringLiteral("No hay ninguna impresora instalada. La página se guardó como documento PDF en:\n") +
                       QDir::toNativeSeparators(pdf_path_),
                   Icon::Information);
    }

    void Abort() override
    {
        if (painter_.isActive()) {
            printer_->abort();
            painter_.end();
        }
        if (!pdf_path_.isEmpty())
            QFile::remove(pdf_path_);
    }

protected:
    void Draw_text(double x, double y, const QString& text) override
    {
        Begin();
        painter_.setFont(font_);
        painter_.setPen(Qt::black);
        painter_.drawText(QPointF(x + kSide_margin, y + kSpace_above + metrics_->ascent()), text);
    }

    double Advance(const QString& text) const override { return metrics_->horizontalAdvance(text); }

    void Font_changed() override
    {
        // The painter works in twips, so a point is 20 units: the font is
        // sized in those units and measured the same way it is drawn.
        font_ = QFont();
        font_.setFamilies(Faces(Font_name()));
        font_.setPixelSize(std::max(1, static_cast<int>(std::lround(FontSize() * kTwips_per_point))));
        font_.setBold(FontBold());
        font_.setHintingPreference(QFont::PreferNoHinting);
        metrics_.emplace(font_);
    }

private:
    // The job starts with the first thing drawn.
    void Begin()
    {
        if (painter_.isActive())
            return;
        if (!painter_.begin(printer_.get()))
            throw Print_error("the printer could not start the document");
        painter_.scale(twips_to_device_, twips_to_device_);
        painter_.setRenderHint(QPainter::Antialiasing);
    }

    std::unique_ptr<QPrinter> printer_;
    QPainter painter_;
    QString pdf_path_;
    bool tell_user_;
    double twips_to_device_ = 1;
    double width_ = 0;
    double height_ = 0;
    QFont font_;
    std::optional<QFontMetricsF> metrics_;
};

Printer_chooser& Installed_chooser()
{
    static Printer_chooser chooser;
    return chooser;
}

std::unique_ptr<QPrinter> New_pdf_printer(const QString& file_path, const QString& document_name)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(file_path);
    printer->setDocName(document_name);
    printer->setCreator(QStringLiteral("MARDOVI VEXO"));
    // A sheet's printable area as most printers leave it.
    printer->setPageMargins(QMarginsF(12.7, 12.7, 12.7, 12.7), QPageLayout::Millimeter);
    return printer;
}

// Where a printout goes when there is no printer: the user's documents,
// under a name that does not overwrite an earlier printout.
QString Free_pdf_path(const QString& document_name)
{
    const QString folder = Documents_folder();
    QString base = QStringLiteral("MARDOVI VEXO - ") + document_name;
    base.replace(QLatin1Char('/'), QLatin1Char('-'));
    QString path = QDir(folder).filePath(base + QStringLiteral(".pdf"));
    for (int n = 2; QFileInfo::exists(path); ++n)
        path = QDir(folder).filePath(QStringLiteral("%1 (%2).pdf").arg(base).arg(n));
    return path;
}

} // namespace

std::unique_ptr<Printer_surface> Choose_printer(const QString& document_name)
{
    if (Installed_chooser())
        return Installed_chooser()(document_name);

    if (QPrinterInfo::availablePrinters().isEmpty()) {
        const QString path = Free_pdf_path(document_name);
        return std::make_unique<Qt_printer_surface>(New_pdf_printer(path, document_name), path, true);
    }

    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setDocName(document_name);
    QPrintDialog dialog(printer.get(), QApplication::activeWindow());
    dialog.setWindowTitle(QStringLiteral("Imprimir"));
    // Printer and copies are the only choices: a guide page is always printed
    // whole, and on paper.
    dialog.setOptions(QAbstractPrintDialog::PrintCollateCopies);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    return std::make_unique<Qt_printer_surface>(std::move(printer), QString(), false);
}

std::unique_ptr<Printer_surface> Pdf_printer(const QString& file_path)
{
    return std::make_unique<Qt_printer_surface>(New_pdf_printer(file_path, QFileInfo(file_path).completeBaseName()),
                                                QString(), false);
}

void Install_printer_chooser(Printer_chooser chooser)
{
    Installed_chooser() = std::move(chooser);
}

} // namespace vexo::platform
