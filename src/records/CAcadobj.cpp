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

QString drawingGesamtOf(const CAcadobj& layout)
{
    const QString suffix = QLatin1Char(';') + layout.Layout;
    if (layout.Gesamt.endsWith(suffix))
        return layout.Gesamt.chopped(suffix.size());
    const qsizetype semicolon = layout.Gesamt.indexOf(QLatin1Char(';'));
    return semicolon < 0 ? layout.Gesamt : layout.Gesamt.left(semicolon);
}
