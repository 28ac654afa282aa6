#include "Run.h"

#include "Dump.h"
#include "ScriptRunner.h"

#include <QCoreApplication>
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

int run(const Options& options)
{
    if (!options.dumpFile.isEmpty())
        return dump(options.dumpFile);
    Engine engine(std::make_shared<DxfStore>());
    engine.setInteractive(!options.headless);
    QObject::connect(&engine, &Engine::quitRequested, qApp, &QCoreApplication::quit, Qt::QueuedConnection);
    if (options.headless) {
        // Without a window the command line is only visible here.
        QObject::connect(&engine, &Engine::historyAppended, &engine, [](const QString& line) {
            std::fprintf(stdout, "%s\n", qPrintable(line));
            std::fflush(stdout);
        });
    }
    ScriptRunner script(engine);
    if (!options.script.isEmpty()) {
        QString error;
        if (!script.load(options.script, &error)) {
            printError(error);
            return 1;
        }
        script.start();
    }
    return QCoreApplication::exec();
}

} // namespace cadhost
