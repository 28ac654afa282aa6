#include "ProductPicture.h"

#include <QGuiApplication>
#include <QTextStream>

// Writes the product picture for the help pages: bw_helppicture FILE.png
int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "Aufruf: bw_helppicture DATEI.png\n";
        return 2;
    }
    return help::paintProductPicture(96).save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
