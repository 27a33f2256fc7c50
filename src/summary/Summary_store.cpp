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

} // namespace vexo
