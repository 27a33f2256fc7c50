// vexo_prerender_pictures: draws a picture of the program at the sizes the
// first screen shows it, as files of pixels the program reads instead of drawing
// the vector source at start-up. The same drawing code as the program's, so
// the pixels are the same.
#include "app/Picture_drawing.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QTextStream>

int main(int argc, char** argv)
{
    // No display is needed to draw into an image.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    QTextStream err(stderr);
    const QRegularExpression size_word(QStringLiteral("^(icon)?(\\d+)x(\\d+)$"));
    if (args.size() < 4) {
        err << "Uso: vexo_prerender_pictures DIBUJO.svg CARPETA [icon]ANCHOxALTO...\n";
        return 2;
    }
    const QString svg = args.at(1);
    if (!QFileInfo::exists(svg)) {
        err << "vexo_prerender_pictures: no se puede leer " << svg << "\n";
        return 1;
    }
    QDir().mkpath(args.at(2));
    for (qsizetype i = 3; i < args.size(); ++i) {
        const QRegularExpressionMatch m = size_word.match(args.at(i));
        const QSize size(m.captured(2).toInt(), m.captured(3).toInt());
        if (!m.hasMatch() || size.isEmpty()) {
            err << "vexo_prerender_pictures: tamaño no válido " << args.at(i) << "\n";
            return 2;
        }
        const bool icon = !m.captured(1).isEmpty();
        const QImage image = icon ? vexo::Draw_icon(svg, size) : vexo::Draw_picture(svg, size);
        const QString name = QFileInfo(icon ? vexo::Prerendered_icon(svg, size) : vexo::Prerendered_picture(svg, size))
                                 .fileName();
        const QString out = QDir(args.at(2)).filePath(name);
        if (image.isNull() || !vexo::Write_pixels(image, out)) {
            err << "vexo_prerender_pictures: no se puede escribir " << out << "\n";
            return 1;
        }
    }
    return 0;
}
