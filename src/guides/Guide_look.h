// What the guide windows share in looks: the book's faces where the machine
// has them (otherwise free faces with the same metrics, so text wraps alike),
// and a first size that fits the main window's work area.
#pragma once

#include <QFont>
#include <QSize>

namespace vexo {

// Arial Black for guide numbers and titles.
QFont Heading_font(double points);
// MS Sans Serif for the page text and the product line.
QFont Text_font(double points, bool bold = false);

// The window's design size, made smaller where the work area is smaller,
// never below `minimum`.
QSize Fitting_size(const QSize& design, const QSize& minimum);

} // namespace vexo
