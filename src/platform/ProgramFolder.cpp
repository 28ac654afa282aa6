#include "ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace platform {

QString programFolder()
{
    const QString overridden = qEnvironmentVariable("KVARTO_PROGRAM_DIR");
    if (!overridden.isEmpty())
        return QDir::cleanPath(overridden);
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

QString programTitle()
{
    return QStringLiteral("Blattwart für AutoCAD 2007");
}

QString joinPath(const QString& a, const QString& b)
{
    if (a.isEmpty())
        return b;
    if (b.isEmpty())
        return a;
    const bool aEnds = a.endsWith(QLatin1Char('/'));
    const bool bStarts = b.startsWith(QLatin1Char('/'));
    if (aEnds && bStarts)
        return a + b.mid(1);
    if (aEnds || bStarts)
        return a + b;
    return a + QLatin1Char('/') + b;
}

} // namespace platform
