// Synthetic guidebook databases of full size and beyond, for the benchmarks.
// The rows are invented but shaped like the book's: every join and order the
// program's queries use finds what it would find in the real file.
#pragma once

#include <QString>

namespace vexo::bench {

// Row counts at scale 1; scale multiplies the index entries, the distance
// rows and the water-reactive rows, never the 62 guides.
constexpr int Yellow_rows_per_scale = 4000;
constexpr int Green_rows_per_scale = 2000;
constexpr int Water_rows_per_scale = 100;
constexpr int First_guide = 111;
constexpr int Last_guide = 172;
constexpr int Slots_per_guide = 60;

// Kept in the file's user_version, so a benchmark reuses only a file that
// this generator made.
constexpr int Generator_version = 5;

// Writes a complete database (six tables, indexes, Summary empty) at `path`,
// replacing any file there only once the new one is complete. The content
// depends on the scale alone, so two runs make the same file. Throws
// vexo::Db_error when the file cannot be written, std::invalid_argument
// when scale is not positive.
void Make_synthetic_database(const QString& path, int scale);

} // namespace vexo::bench
