#include "Blocks.h"

#include <cadhost/dxf/DxfGroups.h>
#include <cadhost/dxf/DxfPreserved.h>
#include <cadhost/dxf/DxfReader.h>

namespace cadhost::render {

Blocks::Blocks(const Drawing& drawing, const Layout& layout)
{
    if (drawing.preserved)
        m_sources.append(drawing.preserved.get());
    if (layout.origin && layout.origin != drawing.preserved)
        m_sources.append(layout.origin.get());
}

const Blocks::Definition* Blocks::find(const QString& name)
{
    const QString key = name.toUpper();
    auto it = m_cache.find(key);
    if (it == m_cache.end())
        it = m_cache.emplace(key, load(key)).first;
    return it->second ? &*it->second : nullptr;
}

std::optional<Blocks::Definition> Blocks::load(const QString& upperName) const
{
    using namespace dxfgroups;
    for (const Preserved* source : m_sources) {
        for (const DxfBlock& block : source->blocks) {
            if (block.name.toUpper() != upperName)
                continue;
            const QList<DxfGroup>& begin = block.begin.groups;
            const Region at = own(begin);
            return Definition{{real(begin, at, 10, 0), real(begin, at, 20, 0)}, entitiesOf(block.entities)};
        }
    }
    return std::nullopt;
}

} // namespace cadhost::render
