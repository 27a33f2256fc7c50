// The large spills by container on a printed distances page.
#include "printing/Large_spills_print.h"

#include "distances/Large_spills.h"
#include "printing/Guide_page_print.h"
#include "printing/Printer_code.h"

namespace vexo {

namespace {

// "viento bajo 9.6 kilómetros, 6.0 millas; viento moderado …; viento fuerte …"
QString Winds(const Large_spill& row, int first)
{
    static const char* const winds[] = {"viento bajo (< 10 km/h)", "viento moderado (10–20 km/h)",
                                        "viento fuerte (> 20 km/h)"};
    QStringList parts;
    for (int k = 0; k < 3; ++k) {
        const int column = first + 2 * k;
        parts << QString::fromUtf8(winds[k]) + QStringLiteral(": ")
                     + Distance_pair(row.values[column], QStringLiteral("kilómetros"), row.values[column + 1],
                                     QStringLiteral("millas"));
    }
    return parts.join(QStringLiteral("; "));
}

} // namespace

QList<QStringList> Large_spill_paragraphs(const QString& id)
{
    const QString protect = QStringLiteral(" PROTEJA a las Personas en la Dirección del Viento: ");
    QList<QStringList> paragraphs;
    for (const Large_spill& row : Large_spills_of(id))
        paragraphs << QStringList{
            row.container,
            QStringLiteral("Primero AISLAR a la Redonda: ")
                + Distance_pair(row.values[0], QStringLiteral("metros"), row.values[1], QStringLiteral("pies")),
            protect + Winds(row, 2),
            protect + Winds(row, 8),
        };
    return paragraphs;
}

void Print_large_spills(Printer_code& engine, const QString& id)
{
    const QList<QStringList> paragraphs = Large_spill_paragraphs(id);
    if (paragraphs.isEmpty())
        return;
    platform::Printer_surface& printer = engine.Printer;
    // A period's label in bold, its sentence regular on the same line.
    const auto line = [&](QString text, bool bold, const QString& label = {}) {
        if (!engine.Check_page_room())
            engine.New_page();
        printer.CurrentX = 0;
        if (!label.isEmpty()) {
            printer.Set_FontBold(true);
            printer.Print(label, false);
        }
        printer.Set_FontBold(bold);
        engine.Print_wrapped(text);
    };
    engine.Skip_line();
    line(QStringLiteral("DERRAMES GRANDES POR CONTENEDOR DE TRANSPORTE (TABLA 3)"), true);
    for (const QStringList& paragraph : paragraphs) {
        engine.Skip_line();
        line(paragraph[0], true);
        line(paragraph[1], false);
        line(paragraph[2], false, QStringLiteral("DIA: "));
        line(paragraph[3], false, QStringLiteral("NOCHE: "));
    }
    engine.Skip_line();
    line(QStringLiteral("\"+\" significa que la distancia puede ser mayor en ciertas condiciones atmosféricas."),
         false);
    engine.Skip_line();
    engine.Draw_rule();
}

} // namespace vexo
