#include "LayoutContents.h"

#include <settings/CBloecke.h>

namespace explorer {

// A kind without a block (number 0) is not refined: a definition whose number was left empty in the
// database would otherwise name a block the layout does not have.
std::array<QString, 3> productBlockTexts(const std::array<qint16, 3>& numbers,
                                         const std::array<QString, 3>& names, const CBloecke& definitions)
{
    static const std::array<qint32, 3> typenIds{2, 4, 7};
    std::array<QString, 3> shown = names;
    for (const CBloecke::Ptr& block : definitions.items()) {
        for (size_t kind = 0; kind < typenIds.size(); ++kind) {
            if (numbers[kind] > 0 && block->TypenId == typenIds[kind] && block->blockId == numbers[kind])
                shown[kind] = block->Bezeichnung;
        }
    }
    return shown;
}

} // namespace explorer
