#include "Options.h"
#include "Run.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("cadhost"));
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
