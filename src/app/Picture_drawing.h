// How the program's vector pictures become pixels, shared by the program and
// by the build step that draws the pictures the first screen shows once, at
// build time, so that start-up decodes them instead of drawing them.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

namespace vexo {

// `svg` (a file or resource path) drawn into `pixels`, keeping its
// proportions and centred, over a transparent background.
QImage Draw_picture(const QString& svg, QSize pixels);

// `svg` drawn as an icon asked for at `box`: the image is the drawing's own
// proportions scaled into the box.
QImage Draw_icon(const QString& svg, QSize box);

// The build-time drawings: `<name>_<w>x<h>.argb` for a picture of that
// size, `<name>_icon<w>x<h>.argb` for an icon asked for at that box, where
// <name> is the picture's file name without ".svg".
QString Prerendered_picture(const QString& svg, QSize pixels);
QString Prerendered_icon(const QString& svg, QSize box);

// A drawing kept as its pixels, uncompressed, so reading it back at start-up
// is a copy: no image decoder to load or run. Read_pixels gives a null
// image when `path` is missing or not such a file.
bool Write_pixels(const QImage& image, const QString& path);
QImage Read_pixels(const QString& path);

} // namespace vexo
