#include "BusNames.h"

#include <QStringList>

namespace acad::bus {

namespace {

QString busElement(const QString& part)
{
    QString element;
    element.reserve(part.size() + 1);
    for (QChar c : part) {
        const bool allowed =
            (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9') || c == u'_';
        element.append(allowed ? c : QChar(u'_'));
    }
    if (element.isEmpty() || element.front().isDigit())
        element.prepend(u'_');
    return element;
}

} // namespace

QString busNameForProgId(const QString& progId)
{
    // The class name is one element: its dots would otherwise make "18" an element of its own.
    return QStringLiteral("de.velmora.CadHost.") + busElement(progId);
}

} // namespace acad::bus
