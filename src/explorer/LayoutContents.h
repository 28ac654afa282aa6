#pragma once

#include <QList>
#include <QString>
#include <acad/Types.h>
#include <array>
#include <records/CAFenster.h>

class CBloecke;
namespace acad {
class Host;
}

namespace explorer {

// The product's objects on one layout: its viewports with their display texts, and the three
// product blocks by kind (index 0 title block, 1 north arrow, 2 legend).
struct LayoutContents
{
    QList<CAFenster> viewports;
    std::array<qint16, 3> blockNumbers{}; // 0 = none
    std::array<QString, 3> blockNames;    // "Nicht vorhanden" = none
};

// The names the lists show for the three product blocks: each block's name, refined by the
// definitions (title block type 2, north arrow 4, legend 7; a later matching definition wins).
std::array<QString, 3> productBlockTexts(const std::array<qint16, 3>& numbers,
                                         const std::array<QString, 3>& names, const CBloecke& definitions);

// Reads what stands on a layout's paper-space block. The lookups belong to the layout operations;
// the view receives them through this interface so that it does not depend on those operations.
class LayoutContentsReader
{
public:
    virtual ~LayoutContentsReader() = default;
    // Never reports an error itself: what cannot be read is left out (no viewport, no block).
    virtual LayoutContents read(acad::Host& host, acad::DocId doc, acad::ObjectId layout) const = 0;
};

} // namespace explorer
