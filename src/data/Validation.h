// Whether an open database can be trusted: the tables and fields the program
// reads are there, the file is sound, and the reference tables still hold
// what the builder put in them.
#pragma once

#include <QString>

namespace vexo {

class Database;

namespace validation {

// The table in which the builder records a checksum of each reference table.
inline const QString Checksum_table = QStringLiteral("Content_checksums");

struct Result {
    bool valid = false;
    bool summary_empty = true;
    // When valid: the file's digest, to be given back at the next start.
    QString digest;
};

// Every check below, failures included, without throwing. `verified` is the
// digest of a file found valid before: a file that still has it holds the
// very bytes checked then, so SQLite's check and the checksums are not run
// again (the fields still are: they also tell whether Summary is empty).
Result Validate(Database& db, const QString& verified = {});

// The size and a 128-bit hash of every byte of the file, as text; empty when
// it cannot be read. Any byte changed changes it.
QString File_digest(const QString& path);

// Reads one row of each table and every field of it that the program uses;
// a reference table without rows fails. Throws Db_error. Returns whether
// Summary is empty.
bool Check_fields(Database& db);

// SQLite's full integrity check, then, when the file carries checksums, each
// table's content against its own. A file without checksums (made by other
// tools) is checked for structure only.
bool Intact(Database& db);

// The builder's last step: records the checksum of every table present except
// Summary, the one table the program writes.
void Write_checksums(Database& db);

} // namespace validation
} // namespace vexo
