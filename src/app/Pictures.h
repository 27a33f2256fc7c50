// The program's pictures are kept as vector drawings; this draws one at the
// size a window gives it, sharp at the screen's pixel ratio. The pictures and
// icons of the first screen are drawn once at build time for the sizes they
// are shown at on a common screen; any other size is drawn when asked for.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

namespace vexo {

// `resource` is a Qt resource path such as ":/pictures/logo.svg"; the
// drawing keeps its proportions and is centred in `size`.
QPixmap Picture(const QString& resource, QSize size, qreal pixel_ratio);

// An icon of the vector picture `resource`, drawn only when a size of it is
// first shown.
QIcon Icon(const QString& resource);

} // namespace vexo
