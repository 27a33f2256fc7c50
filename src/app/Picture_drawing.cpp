// Drawing a vector picture into an image, and where its build-time copy is kept.
#include "app/Picture_drawing.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <iterator>

namespace vexo {

namespace {

// The file: this tag, the width and height, then the rows of premultiplied
// ARGB32 pixels with nothing between them.
constexpr char kTag[8] = {'V', 'E', 'X', 'O', 'A', 'R', 'G', 'B'};
struct Header {
    char tag[8];
    qint32 width;
    qint32 height;
};

QImage Draw(QSvgRenderer& renderer, QSize pixels)
{
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    return image;
}

QString Prerendered(const QString& svg, const char* kind, QSize size)
{
    return QStringLiteral(":/prerendered/%1_%2%3x%4.argb")
        .arg(QFileInfo(svg).completeBaseName(), QLatin1String(kind))
        .arg(size.width())
        .arg(size.height());
}

} // namespace

QImage Draw_picture(const QString& svg, QSize pixels)
{
    QSvgRenderer renderer(svg);
    renderer.setAspectRatioMode(Qt::KeepAspectRatio);
    return Draw(renderer, pixels);
}

QImage Draw_icon(const QString& svg, QSize box)
{
    QSvgRenderer renderer(svg);
    QSize pixels = renderer.defaultSize();
    if (pixels.isEmpty())
        return {};
    pixels.scale(box, Qt::KeepAspectRatio);
    return Draw(renderer, pixels);
}

QString Prerendered_picture(const QString& svg, QSize pixels)
{
    return Prerendered(svg, "", pixels);
}

QString Prerendered_icon(const QString& svg, QSize box)
{
    return Prerendered(svg, "icon", box);
}

bool Write_pixels(const QImage& image, const QString& path)
{
    const QImage pixels = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    Header header{};
    std::copy(std::begin(kTag), std::end(kTag), header.tag);
    header.width = pixels.width();
    header.height = pixels.height();
    QFile file(path);
    if (pixels.isNull() || !file.open(QIODevice::WriteOnly))
        return false;
    bool written = file.write(reinterpret_cast<const char*>(&header), sizeof header) == sizeof header;
    for (int y = 0; written && y < pixels.height(); ++y) {
        const qint64 row = pixels.width() * 4;
        written = file.write(reinterpret_cast<const char*>(pixels.constScanLine(y)), row) == row;
    }
    return written && file.flush();
}

QImage Read_pixels(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    Header header{};
    if (file.read(reinterpret_cast<char*>(&header), sizeof header) != sizeof header
        || !std::equal(std::begin(kTag), std::end(kTag), header.tag) || header.width <= 0 || header.height <= 0
        || file.size() != static_cast<qint64>(sizeof header) + qint64{header.width} * header.height * 4)
        return {};
    QImage image(header.width, header.height, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < image.height(); ++y)
        file.read(reinterpret_cast<char*>(image.scanLine(y)), qint64{image.width()} * 4);
    return image;
}

} // namespace vexo
