// Drawing an SVG picture into the control's whole area.
#include "charts/Svg_picture.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <QSvgRenderer>

#include <algorithm>

namespace vexo {

Svg_picture::Svg_picture(QWidget* parent)
    : QWidget(parent)
    , renderer_(new QSvgRenderer(this))
{
}

void Svg_picture::Load(const QString& file)
{
    file_ = file;
    renderer_->load(file);
    update();
}

bool Svg_picture::valid() const
{
    return renderer_->isValid();
}

void Svg_picture::Set_guide(const QString& guide)
{
    guide_ = guide;
    update();
}

void Svg_picture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    // A vehicle is drawn wide with its caption at the upper left, and its
    // guide goes in the free upper right corner. A placard fills its square,
    // so it is drawn a little smaller to leave the lower right corner to
    // the guide number, beside the diamond as the book prints it.
    const bool vehicle = width() > height() * 3 / 2;
    const QRectF drawing = vehicle ? QRectF(rect()) : QRectF(0, 0, width() * 0.82, height() * 0.82);
    renderer_->render(&painter, drawing);
    if (hasFocus()) {  // reached with Tab: Enter opens its guide
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.drawRect(QRectF(rect()).adjusted(1, 1, -1, -1));
    }
    if (guide_.isEmpty())
        return;
    // Sized by the picture, so the enlarged picture carries a larger ring.
    const double ring_height = height() * (vehicle ? 0.18 : 0.26);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(std::max(1, qRound(ring_height * 0.6)));
    painter.setFont(font);
    const double ring_width = std::max(ring_height, QFontMetricsF(font).horizontalAdvance(guide_) + ring_height * 0.4);
    const double margin = height() * 0.02;
    const QRectF ring(width() - ring_width - margin * (vehicle ? 2 : 1),
                      vehicle ? margin : height() - ring_height - margin, ring_width, ring_height);
    painter.setPen(QPen(Qt::black, std::max(1.0, ring_height / 14)));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(ring, ring_height / 2, ring_height / 2);
    painter.drawText(ring, Qt::AlignCenter, guide_);
}

} // namespace vexo
