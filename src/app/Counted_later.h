// A long list shows its first page before it has counted its rows: on a
// large file the count reads every entry, and the page does not need it.
#pragma once

#include <QWidget>

#include <functional>
#include <memory>

class QScrollBar;

namespace vexo {

class RecordSet;

// Runs `counted` once the open list `list` has its count: at once when it is
// known, there is no list or nothing is on screen, else as soon as `shown`
// (the part of the window that shows the rows) has been drawn, and within
// 50 ms if it is not drawn. `counted` reads the count itself, which takes it.
// A list replaced before then (another index chosen, a find run) is not
// counted: the list that replaced it has its own turn.
void When_counted(QWidget* shown, const std::unique_ptr<RecordSet>& list, std::function<void()> counted);

// Gives `bar` the range that moves through `list` a page of `page` rows at a
// time, and shows it when there is more than a page; until the list is
// counted (it holds more rows than a page then), a page's range, shown.
void Scroll_when_counted(QScrollBar* bar, int page, QWidget* shown, const std::unique_ptr<RecordSet>& list);

} // namespace vexo
