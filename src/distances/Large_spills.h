// The large spills of six common toxic gases by transport container and
// wind. A database may leave them out; the program then offers none of them.
#pragma once

#include <QString>

#include <array>
#include <vector>

namespace vexo {

class RecordSet;

// The text the distances table shows in place of a large spill's figures
// for these gases.
QString Table3_reference();

// The fourteen values of a container's row, in the order of the columns:
// isolation, then day at low, moderate and high wind, then night; each
// metric then imperial (an imperial column has an odd index).
constexpr int kLarge_spill_values = 14;
const std::array<QString, kLarge_spill_values>& Large_spill_fields();

struct Large_spill {
    int block = 0;      // the book's block: gases printed under one set of rows share it
    QString id;
    QString name;       // the book's name(s) of the gas
    QString container;  // the transport container, in Spanish
    std::array<QString, kLarge_spill_values> values;
};

Large_spill Large_spill_of(const RecordSet& records);

// Whether the open database has the large spills.
bool Large_spills_present();
// Every row, or one gas's rows, in the book's order; none when the
// database has no large spills.
std::vector<Large_spill> Large_spills();
std::vector<Large_spill> Large_spills_of(const QString& id);

} // namespace vexo
