// vexo_render_icon: draws the program's SVG icon as PNG files of the sizes
// the desktop's icon theme asks for, so the menu entry looks right where the
// desktop cannot read SVG.
#include "app/Picture_drawing.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QSvgRenderer>
#include <QTextStream>

int main(int argc, char** argv)
{
    // No display is needed to draw into an image.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    QTextStream err(stderr);
    if (args.size() < 4) {
        err << "Uso: vexo_render_icon ICONO.svg CARPETA TAMAÑO...\n";
        return 2;
    }
    QSvgRenderer svg(args.at(1));
    if (!svg.isValid()) {
        err << "vexo_render_icon: no se puede leer " << args.at(1) << "\n";
        return 1;
    }
    QDir().mkpath(args.at(2));
    for (qsizetype i = 3; i < args.size(); ++i) {
        const int size = args.at(i).toInt();
        const QImage image = size > 0 ? vexo::Draw_picture(args.at(1), QSize(size, size)) : QImage();
        const QString out = QDir(args.at(2)).filePath(QStringLiteral("%1.png").arg(size));
        if (image.isNull() || !image.save(out)) {
            err << "vexo_render_icon: no se puede escribir " << out << "\n";
            return 1;
        }
    }
    return 0;
}
