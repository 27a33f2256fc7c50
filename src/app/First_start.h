// Where the main window opens when no placement of it was stored: big enough
// for the whole welcome page and toolbar, so a first-time user scrolls nothing.
#pragma once

#include <QRect>
#include <QSize>

namespace vexo {

class frmMain;

// True when the settings hold no placement of the main window.
bool First_start();

// The least a first start gives the main window: 80% of the screen's
// `available` area.
QSize First_start_least(const QRect& available);

// Sizes and centres `window` on the screen's `available` area: at least 80%
// of it and at least `page` (a child window's frame) in the work area below
// the whole toolbar; maximised when that does not fit. True when maximised.
bool Fit_first_start(frmMain& window, QSize page, const QRect& available);

} // namespace vexo
