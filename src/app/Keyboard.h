// Using every window without a mouse: the keys that page a list from
// anywhere in its window, Enter on a row, and the pictures and labels that a
// click works, which Tab also reaches and Enter or Space press.
#pragma once

#include <functional>

class QAbstractButton;
class QScrollBar;
class QWidget;

namespace vexo {

// Page Up, Page Down, Home, End and the Up and Down arrows move `bar` as they
// move it when it has the focus. True when `key` is one of them.
bool Page_by_key(QScrollBar* bar, int key);

// The same keys page `window`'s list wherever the focus is in the window,
// except in a box the user types in. Called once the window's widgets exist.
void Page_with_keys(QWidget* window, QScrollBar* bar);

// Enter on `field` (a row's name) presses its row's `button`.
void Enter_presses(QWidget* field, QAbstractButton* button);

// `widget`, which a click works, joins the Tab chain, shows a frame while it
// has the focus, and Enter or Space does what the click does.
void Press_with_keys(QWidget* widget, std::function<void()> press);

// Keys of a child window of the main window: Esc closes it (unless
// `closes_on_escape` is false), Enter presses a focused button.
void Child_window_keys(QWidget* window, bool closes_on_escape);

} // namespace vexo
