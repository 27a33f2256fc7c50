// Drawing an SVG picture into the control's whole area.
#include "charts/Svg_picture.h"

#include <QPainter>
#include <QSvgRenderer>

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

void Svg_picture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer_->render(&painter, QRectF(rect()));
}

} // namespace vexo
