#include "Options.h"
#include "Run.h"

#include <cstdio>

int main(int argc, char* argv[])
{
    // Before the options, so that the help text names the program.
    QCoreApplication::setApplicationName(QStringLiteral("cadhost"));
    const cadhost::Options options = cadhost::parseOptions(cadhost::commandLine(argc, argv));
    if (!options.help.isEmpty()) {
        std::fprintf(stdout, "%s", qPrintable(options.help));
        return 0;
    }
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(options.error));
        return 2;
    }
    const auto app = cadhost::makeApplication(argc, argv, options);
    return cadhost::run(options);
}
