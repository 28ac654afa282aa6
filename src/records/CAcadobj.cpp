#include "CAcadobj.h"

#include <platform/ProgramFolder.h>

QString gesamtOf(const QString& folder, const QString& name)
{
    return platform::joinPath(folder, name);
}

QString layoutGesamtOf(const QString& folder, const QString& drawing, const QString& layout)
{
    return gesamtOf(folder, drawing) + QLatin1Char(';') + layout;
}
