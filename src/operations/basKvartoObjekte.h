#pragma once

#include <QList>
#include <QString>
#include <acad/Types.h>
#include <array>
#include <explorer/LayoutContents.h>
#include <records/CAFenster.h>

// The product's objects on a layout: its viewports with their scales, and the title block, north
// arrow and legend the product has placed on it.
namespace basKvarto {

// A layout's paper-space block: its entities in the host's order, each with its "Kvarto" data.
using LayoutBlock = QList<acad::EntityWithXData>;

// A viewport the layout lists: its record with the name from its product data, and its scale.
struct ListedViewport
{
    CAFenster record;
    double customScale = 0;
};

// Every viewport of the block but the first (the layout's own), in block order.
QList<ListedViewport> ListedViewports(const LayoutBlock& block);
// Appends a record for every listed viewport, with its product data and its display text
// "Name (1:Maßstab)" or "Unbenannt (1:Maßstab)".
void GetViewports(const LayoutBlock& block, QList<CAFenster>& fenster);
// Number and block name of the last title block (index 0), north arrow (1) and legend (2) met;
// 0 and "Nicht vorhanden" for a kind the layout has not.
void GetProductBlocks(const LayoutBlock& block, std::array<qint16, 3>& numbers,
                      std::array<QString, 3>& names);
// The product type of an object (typ) from its "Kvarto" data, and its product block number; 0 for an
// object that is no product block or whose data cannot be read.
qint32 GetBlockTyp(const acad::XData& data, qint16& typ);
// "name (1:denominator)" for a viewport of that custom scale; "Unbenannt" stands in for no name.
QString ViewportText(const QString& name, double customScale);
// The same with the decimal separator given.
QString ViewportText(const QString& name, double customScale, const QString& decimalPoint);

// Reads a layout's block in one call and looks up its viewports and product blocks.
class LayoutReader final : public explorer::LayoutContentsReader
{
public:
    explorer::LayoutContents read(acad::Host& host, acad::DocId doc, acad::ObjectId layout) const override;
};

} // namespace basKvarto
