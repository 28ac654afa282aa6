#pragma once

#include <QPointF>
#include <cadhost/engine/Drawing.h>
#include <map>
#include <optional>

namespace cadhost::render {

// The block definitions an INSERT may name, looked up once per name: the drawing's own, then those of
// the file a layout came from (a layout copied from another drawing brings its blocks that way).
class Blocks final
{
public:
    struct Definition
    {
        QPointF base;
        QList<Entity> entities;
    };

    Blocks(const Drawing& drawing, const Layout& layout);
    // nullptr when no source has the block. The pointer stays valid as long as this object.
    const Definition* find(const QString& name);

private:
    std::optional<Definition> load(const QString& name) const;

    QList<const Preserved*> m_sources;
    std::map<QString, std::optional<Definition>> m_cache; // by upper-case name; nodes never move
};

} // namespace cadhost::render
