#include "Drawing.h"

namespace cadhost {

double Entity::customScale() const
{
    // A viewport that shows no model height has no scale; report 0 rather than infinity.
    if (viewport.viewHeight == 0)
        return 0;
    return viewport.height / viewport.viewHeight;
}

Layout* Drawing::layout(const QString& name)
{
    for (Layout& l : layouts) {
        if (l.name == name)
            return &l;
    }
    return nullptr;
}

const Layout* Drawing::layout(const QString& name) const
{
    return const_cast<Drawing*>(this)->layout(name);
}

} // namespace cadhost
