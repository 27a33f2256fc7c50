// The program's pictures are kept as vector drawings; this draws one at the
// size a window gives it, sharp at the screen's pixel ratio.
#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

namespace vexo {

// `resource` is a Qt resource path such as ":/pictures/logo.svg"; the
// drawing keeps its proportions and is centred in `size`.
QPixmap Picture(const QString& resource, QSize size, qreal pixel_ratio);

} // namespace vexo
