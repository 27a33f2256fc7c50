// Drawing the program's vector pictures into pixmaps, or reading the copy
// drawn at build time.
#include "app/Pictures.h"

#include "app/Picture_drawing.h"

#include <QIconEngine>
#include <QPainter>

#include <functional>
#include <map>

namespace vexo {

namespace {

// The build-time copy when there is one: the same pixels, without reading
// the vector source.
QPixmap Prerendered_or_drawn(const QString& prerendered, const std::function<QImage()>& draw)
{
    const QImage read = Read_pixels(prerendered);
    return QPixmap::fromImage(read.isNull() ? draw() : read);
}

// Draws each size the first time it is shown and keeps it; the disabled and
// selected looks come from the style, as for any icon made of pixmaps.
class Vector_icon_engine : public QIconEngine {
public:
    explicit Vector_icon_engine(const QString& resource) : resource_(resource) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        auto drawn = drawn_.find(size);
        if (drawn == drawn_.end())
            drawn = drawn_.emplace(size, Prerendered_or_drawn(Prerendered_icon(resource_, size), [&] {
                                       return Draw_icon(resource_, size);
                                   })).first;
        if (mode == QIcon::Normal || drawn->second.isNull())
            return drawn->second;
        return QIcon(drawn->second).pixmap(size, mode, state);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        QSize size = rect.size();
        if (painter->device())
            size *= painter->device()->devicePixelRatio();
        painter->drawPixmap(rect, pixmap(size, mode, state));
    }

    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return pixmap(size, mode, state).size();
    }

    QString key() const override { return QStringLiteral("vexo_vector"); }
    QIconEngine* clone() const override { return new Vector_icon_engine(*this); }

private:
    struct Smaller {
        bool operator()(QSize a, QSize b) const
        {
            return a.width() != b.width() ? a.width() < b.width() : a.height() < b.height();
        }
    };
    QString resource_;
    std::map<QSize, QPixmap, Smaller> drawn_;
};

} // namespace

QPixmap Picture(const QString& resource, QSize size, qreal pixel_ratio)
{
    const QSize pixels = size * pixel_ratio;
    QPixmap picture =
        Prerendered_or_drawn(Prerendered_picture(resource, pixels), [&] { return Draw_picture(resource, pixels); });
    picture.setDevicePixelRatio(pixel_ratio);
    return picture;
}

QIcon Icon(const QString& resource)
{
    return QIcon(new Vector_icon_engine(resource));
}

} // namespace vexo
