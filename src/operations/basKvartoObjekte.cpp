#include "basKvartoObjekte.h"

#include <QLocale>
#include <acad/Host.h>
#include <cmath>
#include <platform/Error.h>
#include <records/CXData.h>
#include <records/Convert.h>
#include <settings/basAllgemein.h>

namespace basKvarto {

namespace {

const QString kNone = QStringLiteral("Nicht vorhanden");

// The product block kinds by their type: index in the lookup and the data type of their number.
struct BlockKind
{
    qint16 typ;
    int index;
    qint16 numberTyp;
};

const BlockKind* kindOf(qint16 typ)
{
    static const std::array<BlockKind, 3> kinds{{{8, 0, 81}, {9, 1, 91}, {14, 2, 71}}};
    for (const BlockKind& kind : kinds) {
        if (kind.typ == typ)
            return &kind;
    }
    return nullptr;
}

QVariant valueOf(CXData& data, qint16 typ)
{
    data.DataTyp = typ;
    data.GetXWertByTyp();
    return data.Wert;
}

} // namespace

QString ViewportText(const QString& name, double customScale)
{
    return ViewportText(name, customScale, QLocale().decimalPoint());
}

QString ViewportText(const QString& name, double customScale, const QString& decimalPoint)
{
    // A scale of 0 gives no denominator; the text then shows none rather than another viewport's.
    const double denominator = 1000.0 / customScale;
    const QString scale =
        std::isfinite(denominator) ? basAllgemein::FormatZahl(denominator, decimalPoint) : QString();
    const QString shown = name.isEmpty() ? QStringLiteral("Unbenannt") : name;
    return shown + QStringLiteral(" (1:") + scale + QLatin1Char(')');
}

QList<ListedViewport> ListedViewports(const LayoutBlock& block)
{
    QList<ListedViewport> listed;
    int c = 0;
    for (const acad::EntityWithXData& item : block) {
        if (item.entity.entityType != acad::PViewport)
            continue;
        if (c > 0) {
            ListedViewport viewport;
            viewport.record.ObjektId = item.entity.id;
            viewport.record.GetAfenwerte(item.xdata);
            viewport.customScale = item.entity.customScale;
            listed.append(viewport);
        }
        ++c;
    }
    return listed;
}

void GetViewports(const LayoutBlock& block, QList<CAFenster>& fenster)
{
    for (ListedViewport& viewport : ListedViewports(block)) {
        viewport.record.Bezeichnung = ViewportText(viewport.record.Bezeichnung, viewport.customScale);
        fenster.append(viewport.record);
    }
}

qint32 GetBlockTyp(const acad::XData& data, qint16& typ)
{
    CXData values(nullptr, 0);
    values.GetXDataWerte(data);
    typ = records::toInt16(valueOf(values, 0)).value_or(0);
    const BlockKind* kind = typ > 0 ? kindOf(typ) : nullptr;
    if (!kind)
        return 0;
    return records::toInt32(valueOf(values, kind->numberTyp)).value_or(0);
}

void GetProductBlocks(const LayoutBlock& block, std::array<qint16, 3>& numbers, std::array<QString, 3>& names)
{
    numbers.fill(0);
    names.fill(kNone);
    for (const acad::EntityWithXData& item : block) {
        if (item.entity.entityType != acad::BlockReference)
            continue;
        qint16 typ = 0;
        const qint32 number = GetBlockTyp(item.xdata, typ);
        const BlockKind* kind = kindOf(typ);
        if (number <= 0 || !kind)
            continue;
        // A number beyond 16 bits does not fit the array: the name is still taken.
        if (number <= 32767)
            numbers[kind->index] = qint16(number);
        names[kind->index] = item.entity.name;
    }
}

explorer::LayoutContents LayoutReader::read(acad::Host& host, acad::DocId doc, acad::ObjectId layout) const
{
    explorer::LayoutContents contents;
    contents.blockNames.fill(kNone);
    LayoutBlock block;
    platform::ignoringErrors([&] { block = host.blockEntitiesWithXData(doc, layout, CXData::Application); });
    GetViewports(block, contents.viewports);
    GetProductBlocks(block, contents.blockNumbers, contents.blockNames);
    return contents;
}

} // namespace basKvarto
