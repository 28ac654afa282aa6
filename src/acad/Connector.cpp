#include "Connector.h"

#include "Error.h"

namespace acad {

bool FunctionConnector::isRunning(const QString& progId)
{
    return running && running(progId);
}

std::shared_ptr<Host> FunctionConnector::attach(const QString& progId)
{
    if (!attaching)
        throw Error(QStringLiteral("Das Programm \"%1\" läuft nicht.").arg(progId));
    return attaching(progId);
}

std::shared_ptr<Host> FunctionConnector::create(const QString& progId)
{
    if (!creating)
        throw Error(QStringLiteral("Das Programm \"%1\" kann nicht gestartet werden.").arg(progId));
    return creating(progId);
}

} // namespace acad
