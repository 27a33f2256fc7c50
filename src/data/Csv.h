// Reading the text sources of a database: comma-separated, double quotes
// around fields that hold commas, quotes or line breaks.
#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace vexo::csv {

struct Row {
    int line; // where the row starts in the file, from 1
    QStringList fields;
};

struct Parsed {
    std::vector<Row> rows;
    QString error; // empty when the whole text was read
    int error_line = 0;
};

Parsed Parse(const QString& text);

// One field as it must be written so that Parse gives it back unchanged.
QString Field(const QString& value);

} // namespace vexo::csv
