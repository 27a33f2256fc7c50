// Any text as a CSV source: no crash, no undefined behaviour, and every text
// read without error is read the same again once written field by field.
#include "data/Csv.h"

#include <cstdint>
#include <cstdlib>

using namespace vexo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const csv::Parsed parsed = csv::Parse(text);
    if (!parsed.error.isEmpty()) {
        if (parsed.error_line < 1 || parsed.error_line > text.count(u'\n') + text.count(u'\r') + 1)
            std::abort();
        return 0;
    }
    QString written;
    for (const csv::Row& row : parsed.rows) {
        QStringList fields;
        for (const QString& field : row.fields)
            fields << csv::Field(field);
        written += fields.join(u',') + QStringLiteral("\r\n");
    }
    const csv::Parsed again = csv::Parse(written);
    if (!again.error.isEmpty() || again.rows.size() != parsed.rows.size())
        std::abort();
    for (std::size_t i = 0; i < parsed.rows.size(); ++i)
        if (again.rows[i].fields != parsed.rows[i].fields)
            std::abort();
    return 0;
}
