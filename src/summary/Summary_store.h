// The products collected for the incident at hand, kept in table Summary so
// they are there again at the next start.
#pragma once

#include <QString>

namespace vexo {

// Stores one product. High_green "1": it concerns a spill in water; Bold
// "1": the user chose it, "0": a gas given off by a chosen product. The same
// product added twice is stored twice.
void Add_to_summary(const QString& Name, const QString& ID, const QString& High_green, const QString& Bold);

// Removes one row by its key.
void Delete_from_summary(const QString& key);

// Removes every row; the summary is then empty.
void Clear_summary();

} // namespace vexo
