// Sequential text input and output for the ini file.
#include "platform/Ini_file.h"

#include <QFile>
#include <QFileInfo>

namespace vexo::platform {

Items Read_items(const QString& path)
{
    Items out;
    const QFileInfo info(path);
    if (!info.exists()) {
        out.error = File_error::Not_found;
        return out;
    }
    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
        out.error = File_error::Access;
        return out;
    }
    const QString text = QString::fromUtf8(file.readAll());
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        while (i < n && (text.at(i) == u' ' || text.at(i) == u'\t'))
            ++i;
        QString item;
        if (i < n && text.at(i) == u'"') {
            ++i;
            while (i < n && text.at(i) != u'"' && text.at(i) != u'\n' && text.at(i) != u'\r')
                item += text.at(i++);
            if (i < n && text.at(i) == u'"')
                ++i;
            // Whatever follows the closing quote up to the separator is dropped.
            while (i < n && text.at(i) != u',' && text.at(i) != u'\n' && text.at(i) != u'\r')
                ++i;
        } else {
            while (i < n && text.at(i) != u',' && text.at(i) != u'\n' && text.at(i) != u'\r')
                item += text.at(i++);
        }
        out.items << item;
        if (i < n && text.at(i) == u',') {
            ++i;
            continue;
        }
        if (i < n && text.at(i) == u'\r')
            ++i;
        if (i < n && text.at(i) == u'\n')
            ++i;
    }
    return out;
}

int Write_lines(const QString& path, const QStringList& lines)
{
    QByteArray text;
    for (const QString& line : lines)
        text += line.toUtf8() + "\r\n";
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return File_error::Access;
    const bool written = file.write(text) == text.size() && file.flush();
    file.close();
    return written && file.error() == QFileDevice::NoError ? 0 : File_error::Access;
}

} // namespace vexo::platform
