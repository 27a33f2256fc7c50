// One gas's large spills by transport container, written out for a printed
// page in the sentences of the large-spill paragraph of its distances page.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace vexo {

class Printer_code;

// What is printed of one container's row.
struct Large_spill_sentences {
    QString container;  // "Carro tanque de ferrocarril"
    QString isolate;    // "Primero AISLAR a la Redonda: 1000 metros, 3000 pies"
    QString protect;    // " PROTEJA a las Personas en la Dirección del Viento:", after "DIA: " and "NOCHE: "
    QStringList day;    // one per wind: "viento bajo (< 10 km/h): 9.6 kilómetros, 6.0 millas", …
    QStringList night;
};

// The gas's containers in the book's order; none when the gas, or the
// database, has no such rows.
QList<Large_spill_sentences> Large_spill_paragraphs(const QString& id);

// Prints the gas's rows (a title, each container, the note on "+") from the
// current position; nothing for a gas, or a database, without them.
void Print_large_spills(Printer_code& engine, const QString& id);

} // namespace vexo
