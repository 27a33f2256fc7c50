// Drawing the program's vector pictures into pixmaps.
#include "app/Pictures.h"

#include <QPainter>
#include <QSvgRenderer>

namespace vexo {

QPixmap Picture(const QString& resource, QSize size, qreal pixel_ratio)
{
    QPixmap picture(size * pixel_ratio);
    picture.setDevicePixelRatio(pixel_ratio);
    picture.fill(Qt::transparent);
    QSvgRenderer renderer(resource);
    renderer.setAspectRatioMode(Qt::KeepAspectRatio);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    return picture;
}

} // namespace vexo
