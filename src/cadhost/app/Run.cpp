#include "Run.h"

#include "Dump.h"
#include "HostSession.h"

#include <QApplication>
#include <QGuiApplication>
#include <QJsonDocument>
#include <acad/Error.h>
#include <cadhost/dxf/DxfStore.h>
#include <cadhost/engine/Engine.h>
#include <cstdio>

namespace cadhost {

namespace {

void printError(const QString& text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

// What the host itself reads: the drawing as the engine holds it after opening, ids included.
int dump(const QString& path)
{
    try {
        Engine engine(std::make_shared<DxfStore>());
        const acad::DocId doc = engine.openDocument(path);
        const QByteArray json =
            QJsonDocument(dumpDrawing(*engine.drawing(doc))).toJson(QJsonDocument::Indented);
        std::fwrite(json.constData(), 1, size_t(json.size()), stdout);
        return 0;
    } catch (const acad::Error& e) {
        printError(e.description());
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
    const bool windowless =
        !options.dumpFile.isEmpty() || !options.help.isEmpty() || !options.error.isEmpty();
    if (windowless)
        return std::make_unique<QCoreApplication>(argc, argv);
    if (options.headless) {
        // Plots and previews need fonts, not a screen: a headless host draws off screen unless the
        // environment chooses a platform.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QGuiApplication>(argc, argv);
    }
    return std::make_unique<QApplication>(argc, argv);
}

int run(const Options& options)
{
    if (!options.dumpFile.isEmpty())
        return dump(options.dumpFile);
    return runHost(options);
}

} // namespace cadhost
