#include "HostSession.h"

#include <QApplication>
#include <QCoreApplication>
#include <acad/BusNames.h>
#include <cadhost/engine/Engine.h>
#include <cstdio>
#include <memory>

namespace {

bool hasFlag(int argc, char** argv, const char* flag)
{
    for (int i = 1; i < argc; ++i)
        if (qstrcmp(argv[i], flag) == 0)
            return true;
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    cadhost::HostOptions options;
    options.headless = hasFlag(argc, argv, "--headless");
    options.automation = hasFlag(argc, argv, acad::bus::kAutomationFlag.toLatin1().constData());
    std::unique_ptr<QCoreApplication> app;
    if (options.headless)
        app = std::make_unique<QCoreApplication>(argc, argv);
    else
        app = std::make_unique<QApplication>(argc, argv);
    cadhost::Engine engine;
    cadhost::HostSession session(engine, options);
    QString error;
    if (!session.start(&error)) {
        std::fprintf(stderr, "cadhost: %s\n", qPrintable(error));
        return 1;
    }
    return app->exec();
}
