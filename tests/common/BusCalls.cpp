#include "BusCalls.h"

#include <acad/Error.h>

namespace bustest {

QString errorOf(const std::function<void()>& call)
{
    try {
        call();
    } catch (const acad::Error& e) {
        return e.description();
    }
    return QString();
}

QStringList layoutNames(const acad::DocumentSnapshot& doc)
{
    QStringList names;
    for (const acad::LayoutRef& layout : doc.layouts)
        names.append(layout.name);
    return names;
}

} // namespace bustest
