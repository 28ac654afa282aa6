#include "Shell.h"

#include <QDesktopServices>
#include <QProcess>

namespace help {

void DesktopShell::openUrl(const QUrl& url)
{
    QDesktopServices::openUrl(url);
}

bool DesktopShell::startProgram(const QString& program)
{
    if (program.isEmpty())
        return false;
    return QProcess::startDetached(program, {});
}

} // namespace help
