#include "Run.h"

#include "Dump.h"
#include "HostSession.h"

#include <QApplication>
#include <QJsonDocument>
#include <acad/Error.h>
#include <cadhost/dxf/DxfStore.h>
#include <cstdio>

namespace cadhost {

namespace {

int dump(const QString& path)
{
    try {
        DxfStore store;
        Drawing drawing = store.load(path);
        acad::ObjectId next = 1;
        for (Layout& l : drawing.layouts) {
            l.id = next++;
            for (Entity& e : l.entities)
                e.id = next++;
        }
        const QByteArray json = QJsonDocument(dumpDrawing(drawing)).toJson(QJsonDocument::Indented);
        std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
        return 0;
    } catch (const acad::Error& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.description()));
        return 1;
    }
}

} // namespace

QStringList commandLine(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

std::unique_ptr<QCoreApplication> makeApplication(int& argc, char* argv[], const Options& options)
{
    if (!options.dumpFile.isEmpty() || options.headless)
        return std::make_unique<QCoreApplication>(argc, argv);
    return std::make_unique<QApplication>(argc, argv);
}

int run(const Options& options)
{
    if (!options.dumpFile.isEmpty())
        return dump(options.dumpFile);
    return runHost(options);
}

} // namespace cadhost
