// Writes to table Summary, the only table the program changes.
#include "summary/Summary_store.h"

#include "app/General.h"
#include "data/Queries.h"

namespace vexo {

void Add_to_summary(const QString& Name, const QString& ID, const QString& High_green, const QString& Bold)
{
    Main_database->Execute(sql::Add_to_summary_SQL(ID, Name, High_green, Bold));
}

void Delete_from_summary(const QString& key)
{
    Main_database->Execute(sql::Delete_summary_row_SQL(key));
}

void Clear_summary()
{
    Main_database->Execute(sql::Clear_summary_SQL());
    Summary_empty = true;
}

std::optional<QString> Summary_distances_suffix(bool inhalation, const QString& mark, bool water_spill,
                                                const QString& supplement)
{
    // The row's own flags answer the water question; later cases win.
    const QString water_reactive = QStringLiteral("MRA");
    std::optional<QString> suffix;
    if (inhalation && mark != water_reactive)
        suffix = supplement;
    if (inhalation && mark == QLatin1String("Q/B"))
        suffix = QStringLiteral("(cuando es utilizado como una arma)");
    if (mark == water_reactive && !inhalation && water_spill)
        suffix = QStringLiteral("(cuando es derramado en el agua)");
    if (mark == water_reactive && inhalation)
        suffix = water_spill ? QStringLiteral("(cuando es derramado en el agua)")
                             : QStringLiteral("(cuando es derramado sobre la tierra)");
    return suffix;
}

} // namespace vexo
