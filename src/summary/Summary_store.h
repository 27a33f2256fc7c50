// The products collected for the incident at hand, kept in table Summary so
// they are there again at the next start.
#pragma once

#include <QObject>
#include <QString>

#include <optional>

namespace vexo {

// Stores one product. High_green "1": it concerns a spill in water; Bold
// "1": the user chose it, "0": a gas given off by a chosen product. The same
// product added twice is stored twice. The summary is then not empty.
// A database that cannot be written is reported in one sentence that says
// why; the function then returns false and nothing changed. So for the two
// below.
bool Add_to_summary(const QString& Name, const QString& ID, const QString& High_green, const QString& Bold);

// Removes one row by its key.
bool Delete_from_summary(const QString& key);

// Removes every row; the summary is then empty.
bool Clear_summary();

// Records whether the summary holds a product, as read from the file or
// found after deleting rows, and tells the windows.
void Set_summary_empty(bool empty);

// Told when the summary becomes empty or takes its first product, so the
// buttons that open it follow at once, not only when their window is next
// activated.
class Summary_watch : public QObject {
    Q_OBJECT
public:
    Q_SIGNAL void Changed();
};
Summary_watch& Summary_changes();

} // namespace vexo
