#include "Options.h"
#include "Run.h"

#include <cstdio>

int main(int argc, char* argv[])
{
    const cadhost::Options options = cadhost::parseOptions(cadhost::commandLine(argc, argv));
    if (!options.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(options.error));
        return 2;
    }
    const auto app = cadhost::makeApplication(argc, argv, options);
    QCoreApplication::setApplicationName(QStringLiteral("cadhost"));
    return cadhost::run(options);
}
