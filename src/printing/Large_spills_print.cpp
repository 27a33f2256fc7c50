// The large spills by container on a printed distances page.
#include "printing/Large_spills_print.h"

#include "distances/Large_spills.h"
#include "printing/Guide_page_print.h"
#include "printing/Printer_code.h"

namespace vexo {

namespace {

// "viento bajo (< 10 km/h): 9.6 kilómetros, 6.0 millas", then moderate and high.
QStringList Winds(const Large_spill& row, int first)
{
    static const char* const winds[] = {"viento bajo (< 10 km/h): ", "viento moderado (10–20 km/h): ",
                                        "viento fuerte (> 20 km/h): "};
    QStringList sentences;
    for (int k = 0; k < 3; ++k) {
        const int column = first + 2 * k;
        sentences << QString::fromUtf8(winds[k])
                         + Distance_pair(row.values[column], QStringLiteral("kilómetros"), row.values[column + 1],
                                         QStringLiteral("millas"));
    }
    return sentences;
}

} // namespace

QList<Large_spill_sentences> Large_spill_paragraphs(const QString& id)
{
    QList<Large_spill_sentences> paragraphs;
    for (const Large_spill& row : Large_spills_of(id))
        paragraphs << Large_spill_sentences{
            row.container,
            QStringLiteral("Primero AISLAR a la Redonda: ")
                + Distance_pair(row.values[0], QStringLiteral("metros"), row.values[1], QStringLiteral("pies")),
            QStringLiteral(" PROTEJA a las Personas en la Dirección del Viento:"),
            Winds(row, 2),
            Winds(row, 8),
        };
    return paragraphs;
}

void Print_large_spills(Printer_code& engine, const QString& id)
{
    const QList<Large_spill_sentences> paragraphs = Large_spill_paragraphs(id);
    if (paragraphs.isEmpty())
        return;
    platform::Printer_surface& printer = engine.Printer;
    // A line from `left`; a period's label in bold before its sentence.
    const auto line = [&](QString text, bool bold, double left = 0, const QString& label = {}) {
        if (!engine.Check_page_room())
            engine.New_page();
        printer.CurrentX = left;
        if (!label.isEmpty()) {
            printer.Set_FontBold(true);
            printer.Print(label, false);
        }
        printer.Set_FontBold(bold);
        engine.Print_wrapped(text);
    };
    engine.Skip_line();
    line(QStringLiteral("DERRAMES GRANDES POR CONTENEDOR DE TRANSPORTE (TABLA 3)"), true);
    for (const Large_spill_sentences& paragraph : paragraphs) {
        engine.Skip_line();
        line(paragraph.container, true);
        line(paragraph.isolate, false);
        // Each wind on a line of its own under its period, so the figures stand in a column.
        const double indent = printer.TextWidth(QStringLiteral("NOCHE: "));
        line(paragraph.protect, false, 0, QStringLiteral("DIA: "));
        for (const QString& wind : paragraph.day)
            line(wind, false, indent);
        line(paragraph.protect, false, 0, QStringLiteral("NOCHE: "));
        for (const QString& wind : paragraph.night)
            line(wind, false, indent);
    }
    engine.Skip_line();
    line(QStringLiteral("\"+\" significa que la distancia puede ser mayor en ciertas condiciones atmosféricas."),
         false);
    engine.Skip_line();
    engine.Draw_rule();
}

} // namespace vexo
