// A long list shows its first page before it has counted its rows: on a
// large file the count reads every entry, and the page does not need it.
#pragma once

#include <QWidget>

#include <functional>

namespace vexo {

class RecordSet;

// Runs `counted` once `set` has its count: at once when it is known or
// nothing is on screen, else as soon as `shown` (the part of the window that
// shows the rows) has been drawn, and within 50 ms if it is not drawn.
// `counted` reads the count itself, which takes it.
void When_counted(QWidget* shown, const RecordSet& set, std::function<void()> counted);

} // namespace vexo
