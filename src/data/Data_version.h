// The version of a database's reference data, and bringing the user's own
// copy of the default database up to date with an installed newer one.
#pragma once

#include <QString>

namespace vexo {

class Database;

namespace data_version {

// The file in a folder of CSV sources that holds the data's version: one
// whole number, larger for newer data (e.g. 2026120601, date and number).
inline const QString kSource_file = QStringLiteral("data_version.txt");

// Writes the version read from `csv_folder` into the database (0 when the
// folder has no version file). Empty on success, else a Spanish message.
QString Stamp(Database& db, const QString& csv_folder);

// The version stamped in the file at `path`; -1 when it cannot be read.
int Read(const QString& path);

// Makes `copy` from `installed` when it is missing. When `installed` carries
// a newer version, its reference tables replace the copy's and the copy's
// Summary rows are kept. A copy that cannot be read, or an update that fails
// halfway, leaves the copy exactly as it was. True when the copy was made
// or updated.
bool Refresh_copy(const QString& installed, const QString& copy);

} // namespace data_version

} // namespace vexo
