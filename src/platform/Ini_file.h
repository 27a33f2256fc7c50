// The ini file beside the program, read the way it has always been read:
// free-format items, one per comma or line.
#pragma once

#include <QString>
#include <QStringList>

namespace vexo::platform {

namespace File_error {
constexpr int Not_found = 53;
constexpr int Access = 75; // path or file access error
} // namespace File_error

struct Items {
    int error = 0; // 0, or File_error::Not_found / Access
    QStringList items;
};

// Items of a text file: an item ends at a comma or a line end, leading
// blanks are dropped, a double-quoted item keeps its commas.
Items Read_items(const QString& path);

// Writes the lines, each ended by CR LF; returns 0 or File_error::Access.
// An existing file is rewritten in place: no other file is made beside it,
// so a file that can be written is written in a folder that cannot.
int Write_lines(const QString& path, const QStringList& lines);

} // namespace vexo::platform
