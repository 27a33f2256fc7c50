// The guide page document: read from the open viewer (never from the guide
// query again), printed through the print engine.
#include "printing/Guide_page_print.h"

#include "app/General.h"
#include "app/Row_cells.h"
#include "data/Database.h"
#include "data/RecordSet.h"
#include "guides/Guide_page.h"
#include "guides/Sentence_marks.h"
#include "guides/frmGuidePage.h"
#include "platform/Busy_pointer.h"
#include "platform/Platform.h"
#include "printing/Large_spills_print.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>

#include <algorithm>

namespace vexo {

namespace {

bool Is_figure(const QString& value)
{
    static const QRegularExpression figure(QStringLiteral("^[0-9.,+<> ]+$"));
    return figure.match(value).hasMatch();
}

} // namespace

void Print_guide_page(frmGuidePage* page)
{
    if (!page)
        return;
    std::unique_ptr<platform::Printer_surface> printer;
    bool without_distances = false;
    try {
        printer = platform::Choose_printer(page->lblGuide->text());
        if (!printer)
            return;  // the user cancelled
        // The viewer shows the busy pointer while the document is produced.
        platform::Busy_pointer busy(nullptr, Qt::WaitCursor);
        printer->Set_font_name(QStringLiteral("Times New Roman"));
        printer->Set_FontSize(12);
        Page_number = 1;
        Guide_page_print document(*page, *printer);
        document.Print_guide_page();
        without_distances = document.Distances_missing();
    } catch (const std::exception&) {
        // A printer that fails: the job stops here and what was drawn is
        // thrown away.
        if (printer)
            printer->Abort();
        return;
    }
    if (without_distances)
        platform::MsgBox(QStringLiteral("No se encontraron en la base de datos las distancias de aislamiento inicial "
                                        "y acción protectora de este producto, por lo que la guía se imprimió sin "
                                        "ellas."),
                         platform::Icon::Exclamation);
}

void Install_page_printing()
{
    frmGuidePage::Page_printer = &Print_guide_page;
}

Page_header Header_of(const frmGuidePage& page)
{
    Page_header header;
    header.guide = page.lblGuide->text();
    header.title = page.lblProduct->text();
    // What the opener showed, whether or not the window is on screen now.
    header.has_product = !page.lblNameProduct->isHidden();
    header.product = page.lblNameProduct->text();
    header.qualifier = Tag(page.cmdPrint);
    return header;
}

QString Distance_pair(const QString& first, const QString& first_unit, const QString& second,
                      const QString& second_unit)
{
    const bool has_first = !first.trimmed().isEmpty();
    const bool has_second = !second.trimmed().isEmpty();
    if (has_first && first == second && !Is_figure(first))
        return first;
    if (has_first && !has_second)
        return first + QLatin1Char(' ') + first_unit;
    if (!has_first && has_second)
        return second + QLatin1Char(' ') + second_unit;
    return first + QLatin1Char(' ') + first_unit + QStringLiteral(", ") + second + QLatin1Char(' ') + second_unit;
}

Guide_page_print::Guide_page_print(const frmGuidePage& page, platform::Printer_surface& printer)
    : engine(printer, Header_of(page)), page_(page)
{
}

void Guide_page_print::Print_guide_page()
{
    Page_number = 1;
    Print_pages();
    engine.Printer.EndDoc();
}

void Guide_page_print::Print_pages()
{
    platform::Printer_surface& printer = engine.Printer;
    engine.Begin_page();
    for (qint16 i = 0; i <= page_.Last_block(); ++i) {
        const QLabel* block = page_.lblText[i];
        const QList<Text_run> runs = Sentence_runs(Sentence_of(block));
        QString text = runs.first().text;
        const QString tag = Tag(block);
        if (!engine.Check_page_room())
            engine.New_page();
        if (tag == QLatin1String("4") || tag == QLatin1String("3")) {
            engine.Draw_rule();
            engine.Skip_line();
        }
        // Bold first: a heading is centred by its width in the face it is
        // printed in.
        printer.Set_FontBold(tag != QLatin1String("0"));
        printer.CurrentX = 0;
        if (tag == QLatin1String("3"))
            printer.CurrentX = std::max(0.0, (printer.ScaleWidth() - printer.TextWidth(text)) / 2);
        if (runs.size() == 1 && !runs.first().bold)
            engine.Print_wrapped(text);
        else
            Print_runs(runs);
        if (tag == QLatin1String("3"))
            engine.Skip_line();
    }
    distances_missing_ = false;
    if (!page_.cmdIIPAD->isHidden())
        print_IIPAD();  // ends the last guide sheet itself
    else
        engine.End_page();
}

void Guide_page_print::print_IIPAD()
{
    Box_SQL = Tag(page_.cmdIIPAD);
    std::unique_ptr<RecordSet> distances;
    try {
        if (Main_database)
            distances = Main_database->OpenRecordset(Box_SQL);
    } catch (const Db_error&) {
        distances.reset();
    }
    if (!distances || distances->Empty()) {
        // The guide is still worth having on paper; the caller tells the
        // user why its distances are not there.
        distances_missing_ = true;
        engine.End_page();
        return;
    }
    distances->MoveFirst();

    engine.New_page();
    engine.Skip_line();
    Print_centred_title(QStringLiteral("Distancias de aislamiento inicial y acción protectora"));
    engine.Skip_line();
    engine.Draw_rule();

    const auto field = [&](const char* name) { return distances->Field(QLatin1String(name)); };
    Print_section_IIPAD(true, field("SP_Isolate_meters"), field("SP_Isolate_feets"), field("SP_Protect_Day_km"),
                        field("SP_Protect_Day_miles"), field("SP_Protect_Night_km"), field("SP_Protect_Night_miles"));
    Print_section_IIPAD(false, field("LP_Isolate_meters"), field("LP_Isolate_feets"), field("LP_Protect_Day_km"),
                        field("LP_Protect_Day_miles"), field("LP_Protect_Night_km"), field("LP_Protect_Night_miles"));
    // Where the book sends a large spill to Table 3, its rows follow.
    Print_large_spills(engine, field("ID"));
    engine.End_page();
}

void Guide_page_print::Print_section_IIPAD(bool small, const QString& m, const QString& ft, const QString& day_km,
                                           const QString& day_mi, const QString& night_km, const QString& night_mi)
{
    platform::Printer_surface& printer = engine.Printer;
    engine.Skip_line();
    Print_centred_title(small ? QStringLiteral("DERRAMES PEQUEÑOS") : QStringLiteral("DERRAMES GRANDES"));
    engine.Skip_line();

    printer.Set_FontBold(false);
    QString isolate = QStringLiteral("Primero AISLAR a la Redonda: ") +
                      Distance_pair(m, QStringLiteral("metros"), ft, QStringLiteral("pies"));
    engine.Print_wrapped(isolate);
    engine.Skip_line();

    printer.Set_FontBold(true);
    QString then = QStringLiteral("LUEGO");
    engine.Print_wrapped(then);
    engine.Skip_line();

    const QString protect = QStringLiteral(" PROTEJA a las Personas en la Dirección del Viento: ");
    printer.Set_FontBold(true);
    printer.Print(QStringLiteral("DIA: "), false);
    printer.Set_FontBold(false);
    QString day = protect + Distance_pair(day_km, QStringLiteral("kilómetros"), day_mi, QStringLiteral("millas"));
    engine.Print_wrapped(day);
    engine.Skip_line();

    printer.Set_FontBold(true);
    QString either = QStringLiteral("O");
    engine.Print_wrapped(either);
    engine.Skip_line();

    printer.Set_FontBold(true);
    printer.Print(QStringLiteral("NOCHE: "), false);
    printer.Set_FontBold(false);
    QString night =
        protect + Distance_pair(night_km, QStringLiteral("kilómetros"), night_mi, QStringLiteral("millas"));
    engine.Print_wrapped(night);
    engine.Skip_line();

    engine.Draw_rule();
}

// Pieces of a sentence between which a line may break: a word with its
// bold runs and the blank after it, or, for a word wider than the page, one
// character.
QList<QList<Text_run>> Guide_page_print::Breakable_pieces(const QList<Text_run>& runs) const
{
    QList<QList<Text_run>> pieces(1);
    for (const Text_run& run : runs)
        for (const QChar c : run.text) {
            QList<Text_run>& piece = pieces.last();
            if (!piece.isEmpty() && piece.last().bold == run.bold)
                piece.last().text += c;
            else
                piece.append(Text_run{QString(c), run.bold});
            if (c == QLatin1Char(' '))
                pieces.emplaceBack();
        }
    QList<QList<Text_run>> out;
    for (const QList<Text_run>& piece : pieces) {
        if (Width_of(piece) < engine.Printer.ScaleWidth()) {
            if (!piece.isEmpty())
                out.append(piece);
            continue;
        }
        for (const Text_run& run : piece)
            for (const QChar c : run.text)
                out.append(QList<Text_run>{Text_run{QString(c), run.bold}});
    }
    return out;
}

double Guide_page_print::Width_of(const QList<Text_run>& piece) const
{
    platform::Printer_surface& printer = engine.Printer;
    const bool bold = printer.FontBold();
    double width = 0;
    for (const Text_run& run : piece) {
        printer.Set_FontBold(run.bold);
        width += printer.TextWidth(run.text);
    }
    printer.Set_FontBold(bold);
    return width;
}

// A sentence with bold words: wrapped at blanks like any other text, each run
// printed in its own weight; the printer's weight is that of the plain runs.
// A line is measured whole, run by run, as the plain wrap measures it.
void Guide_page_print::Print_runs(const QList<Text_run>& runs)
{
    platform::Printer_surface& printer = engine.Printer;
    const bool plain_bold = printer.FontBold();
    QList<Text_run> weighted = runs;
    for (Text_run& run : weighted)
        run.bold = run.bold || plain_bold;
    const auto joined = [](QList<Text_run> line, const QList<Text_run>& piece) {
        for (const Text_run& run : piece)
            if (!line.isEmpty() && line.last().bold == run.bold)
                line.last().text += run.text;
            else
                line.append(run);
        return line;
    };
    const auto print_line = [&](const QList<Text_run>& line) {
        if (!engine.Check_page_room())
            engine.New_page();
        for (qsizetype i = 0; i < line.size(); ++i) {
            printer.Set_FontBold(line[i].bold);
            printer.Print(line[i].text, i + 1 == line.size());
        }
        printer.Set_FontBold(plain_bold);
    };
    QList<Text_run> line;
    double start = printer.CurrentX;
    for (const QList<Text_run>& piece : Breakable_pieces(weighted)) {
        QList<Text_run> longer = joined(line, piece);
        if (!line.isEmpty() && start + Width_of(longer) >= printer.ScaleWidth()) {
            print_line(line);
            start = 0;
            longer = piece;
        }
        line = std::move(longer);
    }
    if (!line.isEmpty())
        print_line(line);
}

void Guide_page_print::Print_centred_title(const QString& title)
{
    platform::Printer_surface& printer = engine.Printer;
    printer.Set_FontBold(true);
    printer.CurrentX = (printer.ScaleWidth() - printer.TextWidth(title)) / 2;
    printer.Print(title, true);
}

} // namespace vexo
