// Drawing a vector picture into an image, and where its build-time copy is kept.
#include "app/Picture_drawing.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QResource>
#include <QSvgRenderer>

#include <algorithm>
#include <cstring>
#include <iterator>

namespace vexo {

namespace {

// The file: this tag, the width, height and pixel format, then the rows of
// 32-bit pixels with nothing between them, in the byte order of the machine
// that builds and runs the program.
constexpr char kTag[8] = {'V', 'E', 'X', 'O', 'A', 'R', 'G', 'B'};
struct Header {
    char tag[8];
    qint32 width;
    qint32 height;
    qint32 format; // QImage::Format: RGB32 for an opaque picture, else ARGB32_Premultiplied
    qint32 unused = 0;
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
    // An opaque picture is kept as the screen's pixmaps hold it, so that
    // showing it needs no conversion.
    QImage pixels = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    bool opaque = true;
    for (int y = 0; opaque && y < pixels.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(pixels.constScanLine(y));
        opaque = std::all_of(row, row + pixels.width(), [](QRgb p) { return qAlpha(p) == 255; });
    }
    if (opaque)
        pixels = pixels.convertToFormat(QImage::Format_RGB32);
    Header header{};
    std::copy(std::begin(kTag), std::end(kTag), header.tag);
    header.width = pixels.width();
    header.height = pixels.height();
    header.format = pixels.format();
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
    // A resource kept uncompressed is read in place: its pixels are the
    // program's own for as long as it runs. Any other file is read.
    const QResource resource(path);
    const bool in_place = resource.isValid() && resource.compressionAlgorithm() == QResource::NoCompression;
    QByteArray read;
    if (!in_place) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return {};
        read = file.readAll();
    }
    const char* data = in_place ? reinterpret_cast<const char*>(resource.data()) : read.constData();
    const qint64 size = in_place ? resource.size() : read.size();
    Header header{};
    if (size < static_cast<qint64>(sizeof header))
        return {};
    std::memcpy(&header, data, sizeof header);
    if (!std::equal(std::begin(kTag), std::end(kTag), header.tag) || header.width <= 0 || header.height <= 0
        || (header.format != QImage::Format_RGB32 && header.format != QImage::Format_ARGB32_Premultiplied)
        || size != static_cast<qint64>(sizeof header) + qint64{header.width} * header.height * 4)
        return {};
    const auto* pixels = reinterpret_cast<const uchar*>(data + sizeof header);
    const QImage image(pixels, header.width, header.height, header.width * 4,
                       static_cast<QImage::Format>(header.format));
    // An image's rows must start on 32-bit boundaries.
    if (in_place && reinterpret_cast<quintptr>(pixels) % 4 == 0)
        return image;
    return image.copy();
}

} // namespace vexo
