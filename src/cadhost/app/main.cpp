#include "Options.h"
#include "Run.h"

#include <QGuiApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    // The window needs a QApplication, so the options choose the application before it exists; they
    // are read again once it does, for the help text's program name.
    const auto app =
        cadhost::makeApplication(argc, argv, cadhost::parseOptions(cadhost::commandLine(argc, argv)));
    QCoreApplication::setApplicationName(QStringLiteral("cadhost"));
    QGuiApplication::setDesktopFileName(QStringLiteral("de.velmora.CadHost"));
    const cadhost::Options options = cadhost::parseOptions(QCoreApplication::arguments());
    if (!options.help.isEmpty()) {
        std::fprintf(stdout, "%s", qPrintable(options.help));
        return 0;
    }
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(options.error));
        return 2;
    }
    return cadhost::run(options);
}
