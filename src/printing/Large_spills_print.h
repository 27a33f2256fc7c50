// One gas's large spills by transport container, written out for a printed
// page in the sentences of the large-spill paragraph of its distances page.
#pragma once

#include <QString>
#include <QStringList>

namespace vexo {

class Printer_code;

// Per container of the gas: its name, the isolation sentence, then the
// protection sentences by day and by night with the three winds (printed
// after the labels "DIA: " and "NOCHE: "). Empty when the gas has no rows.
QList<QStringList> Large_spill_paragraphs(const QString& id);

// Prints the gas's rows (a title, each container, the note on "+") from the
// current position; nothing for a gas, or a database, without them.
void Print_large_spills(Printer_code& engine, const QString& id);

} // namespace vexo
