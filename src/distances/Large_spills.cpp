// Reading the large spills by transport container.
#include "distances/Large_spills.h"

#include "app/General.h"
#include "data/Queries.h"

namespace vexo {

namespace {

std::vector<Large_spill> Rows_of(const QString& jet_sql)
{
    std::vector<Large_spill> rows;
    if (!Main_database)
        return rows;
    try {
        auto records = Main_database->OpenRecordset(jet_sql);
        for (records->MoveFirst(); !records->Eof(); records->MoveNext())
            rows.push_back(Large_spill_of(*records));
    } catch (const Db_error& error) {
        // 3078: a database made without them
        if (error.number() != Db_code::No_such_table)
            throw;
    }
    return rows;
}

} // namespace

QString Table3_reference()
{
    return QStringLiteral("Consulte la Tabla 3");
}

const std::array<QString, kLarge_spill_values>& Large_spill_fields()
{
    static const std::array<QString, kLarge_spill_values> fields{
        QStringLiteral("Isolate_meters"),    QStringLiteral("Isolate_feets"),
        QStringLiteral("Day_low_km"),        QStringLiteral("Day_low_miles"),
        QStringLiteral("Day_moderate_km"),   QStringLiteral("Day_moderate_miles"),
        QStringLiteral("Day_high_km"),       QStringLiteral("Day_high_miles"),
        QStringLiteral("Night_low_km"),      QStringLiteral("Night_low_miles"),
        QStringLiteral("Night_moderate_km"), QStringLiteral("Night_moderate_miles"),
        QStringLiteral("Night_high_km"),     QStringLiteral("Night_high_miles"),
    };
    return fields;
}

Large_spill Large_spill_of(const RecordSet& records)
{
    Large_spill row;
    row.block = records.Field(QStringLiteral("Block")).toInt();
    row.id = records.Field(QStringLiteral("ID"));
    row.name = records.Field(QStringLiteral("Name_of_material"));
    row.container = records.Field(QStringLiteral("Container"));
    for (int column = 0; column < kLarge_spill_values; ++column)
        row.values[column] = records.Field(Large_spill_fields()[column]);
    return row;
}

bool Large_spills_present()
{
    if (!Main_database)
        return false;
    try {
        Main_database->OpenRecordset(sql::Table_SQL(QStringLiteral("Large_spills")));
        return true;
    } catch (const Db_error&) {
        return false;
    }
}

std::vector<Large_spill> Large_spills()
{
    return Rows_of(sql::Large_spills_SQL());
}

std::vector<Large_spill> Large_spills_of(const QString& id)
{
    return Rows_of(sql::Large_spills_of_SQL(id));
}

} // namespace vexo
