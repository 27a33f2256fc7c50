// vexo_build_database: builds a guidebook database file from a folder of
// CSV sources (Yellow.csv, Green.csv, Water.csv, Sentences.csv,
// Guides_pages.csv and, optionally, Summary.csv).
#include "data/Database_builder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        err << "Uso: vexo_build_database CARPETA_CSV ARCHIVO_DE_SALIDA\n"
               "Construye una base de datos de MARDOVI VEXO a partir de los archivos CSV de la carpeta.\n";
        return 2;
    }
    QElapsedTimer timer;
    timer.start();
    const QString error = vexo::Build_database(args.at(1), args.at(2));
    if (!error.isEmpty()) {
        err << "vexo_build_database: " << error << "\n";
        return 1;
    }
    QTextStream(stdout) << "Base de datos creada: " << args.at(2) << " (" << timer.elapsed() << " ms)\n";
    return 0;
}
