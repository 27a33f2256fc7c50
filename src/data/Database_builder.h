// Builds a guidebook database file from a folder of CSV sources, one file
// per table named after it (Yellow.csv, Green.csv, …).
#pragma once

#include <QString>

namespace vexo {

// Returns an empty text on success, otherwise a Spanish message that names
// the file, the line and the field at fault. The output file is replaced
// only when the whole build succeeded.
QString Build_database(const QString& csv_folder, const QString& output_path);

class Database;

// Gives every name column of the tables present a folded copy (lower case,
// without accents, see Jet_dialect) and indexes the copies that lookups by
// name use, so that plain SQL on the file compares names as the program
// does. Runs on a connection of the program, whose fold function it uses.
void Add_folded_names(Database& db);
// Writes the lookup index of the search box (see schema) from the index as
// the program lists it; none when an entry lacks one of its two keys (the
// search box then scans the names, with the same results).
void Add_lookup_index(Database& db);

} // namespace vexo
