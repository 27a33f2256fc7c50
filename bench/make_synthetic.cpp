// vexo_make_synthetic: writes a synthetic guidebook database of full size
// (or 10 or 100 times larger) for trying the program and its queries on.
#include "Synthetic.h"

#include "data/Database.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QTextStream>

#include <stdexcept>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    QStringList args = QCoreApplication::arguments();
    args.removeFirst();
    QString path;
    int scale = 1;
    bool usage = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--scale") && i + 1 < args.size()) {
            bool ok = false;
            scale = args.at(++i).toInt(&ok);
            usage = usage || !ok || scale < 1;
        } else if (path.isEmpty() && !args.at(i).startsWith(QLatin1String("--"))) {
            path = args.at(i);
        } else {
            usage = true;
        }
    }
    if (usage || path.isEmpty()) {
        err << "Uso: vexo_make_synthetic ARCHIVO [--scale N]\n"
               "Crea una base de datos sintética del tamaño de la guía (N = 1, 10, 100 multiplica las filas).\n";
        return 2;
    }
    QElapsedTimer timer;
    timer.start();
    try {
        vexo::bench::Make_synthetic_database(path, scale);
    } catch (const vexo::Db_error& e) {
        err << "vexo_make_synthetic: " << e.description() << "\n";
        return 1;
    } catch (const std::exception& e) {
        err << "vexo_make_synthetic: " << e.what() << "\n";
        return 1;
    }
    QTextStream(stdout) << "Base de datos sintética ×" << scale << ": " << path << " ("
                        << QFileInfo(path).size() / 1024 << " KiB, " << timer.elapsed() << " ms)\n";
    return 0;
}
