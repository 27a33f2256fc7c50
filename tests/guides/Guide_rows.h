// Guide pages for the tests that open many: `count` guides from 111 on, each
// with its number, its title "Título nnn" and one body sentence.
#pragma once

#include <QString>

namespace vexo::test {

inline QString Guide_rows(int count)
{
    QString sql;
    for (int i = 0, key = 1; i < count; ++i, key += 3)
        sql += QStringLiteral("INSERT INTO Sentences VALUES (%1, 'GUÍA %2', 5), (%3, 'Título %2', 2), "
                              "(%4, 'Texto de la guía %2.', 0);\nINSERT INTO Guides_pages VALUES "
                              "(%1, %2, %1), (%3, %2, %3), (%4, %2, %4);\n")
                   .arg(key).arg(111 + i).arg(key + 1).arg(key + 2);
    return sql;
}

} // namespace vexo::test
