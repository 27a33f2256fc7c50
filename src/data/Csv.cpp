// A strict reader for the database's CSV sources: a fault is reported with
// its line rather than guessed around.
#include "data/Csv.h"

namespace vexo::csv {

Parsed Parse(const QString& text)
{
    Parsed out;
    const qsizetype n = text.size();
    qsizetype i = 0;
    int line = 1;
    // A byte order mark that an editor may have added is not data.
    if (n > 0 && text.at(0) == QChar(0xFEFF))
        i = 1;
    while (i < n) {
        Row row{line, {}};
        QString field;
        bool row_done = false;
        while (!row_done) {
            field.clear();
            if (i < n && text.at(i) == u'"') {
                const int opened_at = line;
                ++i;
                bool closed = false;
                while (i < n) {
                    const QChar c = text.at(i);
                    if (c == u'"') {
                        if (i + 1 < n && text.at(i + 1) == u'"') {
                            field += u'"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        closed = true;
                        break;
                    }
                    if (c == u'\n')
                        ++line;
                    field += c;
                    ++i;
                }
                if (!closed) {
                    out.error = QStringLiteral("comillas sin cerrar");
                    out.error_line = opened_at;
                    return out;
                }
                if (i < n && text.at(i) != u',' && text.at(i) != u'\n' && text.at(i) != u'\r') {
                    // Across lines, the quote that opened the field is the
                    // stray one: it took the following lines in with it.
                    const bool stray = line != opened_at;
                    out.error = stray ? QStringLiteral("comillas sin cerrar")
                                      : QStringLiteral("texto después de las comillas de cierre");
                    out.error_line = stray ? opened_at : line;
                    return out;
                }
            } else {
                while (i < n && text.at(i) != u',' && text.at(i) != u'\n' && text.at(i) != u'\r') {
                    if (text.at(i) == u'"') {
                        out.error = QStringLiteral("comillas dentro de un campo sin comillas");
                        out.error_line = line;
                        return out;
                    }
                    field += text.at(i++);
                }
            }
            row.fields << field;
            if (i >= n) {
                row_done = true;
            } else if (text.at(i) == u',') {
                ++i;
            } else {
                if (text.at(i) == u'\r')
                    ++i;
                if (i < n && text.at(i) == u'\n')
                    ++i;
                ++line;
                row_done = true;
            }
        }
        // Blank lines carry no row.
        if (!(row.fields.size() == 1 && row.fields.first().isEmpty()))
            out.rows.push_back(row);
    }
    return out;
}

QString Field(const QString& value)
{
    if (!value.contains(u',') && !value.contains(u'"') && !value.contains(u'\n') && !value.contains(u'\r'))
        return value;
    return u'"' + QString(value).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
}

} // namespace vexo::csv
