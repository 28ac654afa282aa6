#include "LoeschenFrage.h"

#include <explorer/ViewSettings.h>
#include <platform/MsgBox.h>

namespace basKvarto {

QString LoeschenFrage(const QStringList& names)
{
    if (names.size() == 1)
        return QStringLiteral("Layout „%1“ löschen?").arg(names.first());
    QStringList shown = names.mid(0, kLoeschenNamen);
    if (names.size() > kLoeschenNamen)
        shown.append(QStringLiteral("…"));
    return QStringLiteral("%1 Layouts löschen? %2").arg(names.size()).arg(shown.join(QStringLiteral(", ")));
}

bool LoeschenBestaetigt(const QStringList& names)
{
    if (names.isEmpty() || !explorer::viewsettings::askDeleteLayouts())
        return true;
    const int style = platform::vbYesNo | platform::vbQuestion | platform::vbDefaultButton2;
    return platform::MsgBox(LoeschenFrage(names), style) == platform::vbYes;
}

} // namespace basKvarto
