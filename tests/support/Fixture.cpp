#include "support/Fixture.h"

#include "data/Database.h"
#include "data/Schema.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

#include <unistd.h>

namespace vexo::test {

void Make_database(const QString& path, const QString& inserts)
{
    auto db = Database::Create(path);
    // A test's file need not survive a power cut; waiting for the disk on
    // every statement is most of a suite's time on a busy machine.
    db->Execute_native(QStringLiteral("PRAGMA synchronous=OFF;"));
    db->Execute_native(schema::Create_tables_sql());
    db->Execute_native(inserts);
    db->Execute_native(schema::Create_indexes_sql());
}

QString Minimal_rows()
{
    return QStringLiteral(R"sql(
INSERT INTO Sentences VALUES (1, 'GUÍA', 5), (2, 'GASES TÓXICOS', 2), (3, 'PELIGROS POTENCIALES', 3),
  (4, 'Mantenga alejado al personal.', 0), (5, 'LÍQUIDOS INFLAMABLES', 2);
INSERT INTO Guides_pages VALUES (1, 124, 1), (2, 124, 2), (3, 124, 3), (4, 124, 4),
  (5, 128, 1), (6, 128, 5), (7, 128, 4);
INSERT INTO Yellow VALUES ('1017', 'Chlorine', 124, 10, 20, 1, NULL, NULL, NULL, NULL),
  ('1203', 'Gasoline', 128, 20, 10, NULL, NULL, NULL, NULL, NULL);
INSERT INTO Green VALUES (1017, 'Chlorine ', '60', '200', '0.3', '0.2', '1.1', '0.7', '500', '1500', '3.0', '1.9', '7.9', '4.9');
INSERT INTO Water VALUES ('2977', 'Fluoruro de hidrógeno (HF)', '1052', 'Hydrogen fluoride', '', '', '', '', '', '');
)sql");
}

Without_root::Without_root()
{
    if (geteuid() != 0)
        return;
    constexpr uid_t nobody = 65534;
    // The saved ids stay root's, so the destructor can take them back.
    switched_ = setresgid(nobody, nobody, 0) == 0 && setresuid(nobody, nobody, 0) == 0;
}

Without_root::~Without_root()
{
    if (switched_ && (setresuid(0, 0, 0) != 0 || setresgid(0, 0, 0) != 0))
        qFatal("could not take back the test's own rights");
}

void Open_to_everyone(const QString& path)
{
    const bool folder = QFileInfo(path).isDir();
    QFile::setPermissions(path, folder ? QFileDevice::Permissions(0x7777) : QFileDevice::Permissions(0x6666));
}

QByteArray Read_file(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void Write_file(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QCOMPARE(f.write(bytes), bytes.size());
}

} // namespace vexo::test
