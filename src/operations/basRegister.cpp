#include "basRegister.h"

#include "BatchMark.h"
#include "basDateien.h"
#include "basDateienTargets.h"
#include "basKopieren.h"

#include <acad/CommandString.h>
#include <acad/Host.h>
#include <algorithm>
#include <explorer/AcadConnection.h>
#include <explorer/basViewControls.h>
#include <platform/Error.h>
#include <platform/MsgBox.h>
#include <platform/NaturalOrder.h>
#include <records/CAcadobj.h>

using explorer::NodeKind;

namespace basRegister {

namespace {

const char* const kNoLayout = "Kein Layout ausgewählt!";
const char* const kNoDrawing = "Keine Zeichnung ausgewählt!";
const QString kModel = QStringLiteral("Model");

// The chosen layouts, in the order the drawing has them.
QList<acad::ObjectId> inOrder(const QList<acad::ObjectId>& order, const QList<acad::ObjectId>& chosen)
{
    QList<acad::ObjectId> found;
    for (acad::ObjectId id : order) {
        if (chosen.contains(id))
            found.append(id);
    }
    return found;
}

QList<acad::ObjectId> paperSpaceOrder(const acad::DocumentSnapshot& doc)
{
    QList<acad::ObjectId> order;
    for (const acad::LayoutRef& layout : doc.layouts) {
        if (layout.name != kModel)
            order.append(layout.id);
    }
    return order;
}

// A name the drawing does not have yet: the name itself, else with " (2)", " (3)" … after it.
QString freeName(const QString& name, const basKopieren::LayoutNames& taken)
{
    QString candidate = name;
    for (int n = 2; taken.contains(candidate); ++n)
        candidate = QStringLiteral("%1 (%2)").arg(name).arg(n);
    return candidate;
}

void report(const std::exception& error)
{
    platform::MsgBox(platform::describe(error), platform::vbExclamation);
}

} // namespace

QList<acad::ObjectId> MovedByOne(const QList<acad::ObjectId>& order, const QList<acad::ObjectId>& chosen,
                                 int step)
{
    QList<acad::ObjectId> moved = order;
    const int n = int(moved.size());
    // Walked from the end it moves towards, so that a block of chosen layouts moves as one.
    for (int k = 0; k < n; ++k) {
        const int i = step < 0 ? k : n - 1 - k;
        const int j = i + (step < 0 ? -1 : 1);
        if (j < 0 || j >= n || !chosen.contains(moved[i]) || chosen.contains(moved[j]))
            continue;
        moved.swapItemsAt(i, j);
    }
    return moved;
}

QList<acad::ObjectId> MovedBefore(const QList<acad::ObjectId>& order, const QList<acad::ObjectId>& chosen,
                                  acad::ObjectId before)
{
    if (chosen.contains(before))
        return order;
    const QList<acad::ObjectId> moving = inOrder(order, chosen);
    QList<acad::ObjectId> rest;
    for (acad::ObjectId id : order) {
        if (!moving.contains(id))
            rest.append(id);
    }
    const qsizetype at = before == 0 ? rest.size() : rest.indexOf(before);
    if (at < 0)
        return order;
    for (qsizetype k = 0; k < moving.size(); ++k)
        rest.insert(at + k, moving[k]);
    return rest;
}

QList<acad::ObjectId> SortedByName(const QList<acad::LayoutRef>& layouts)
{
    QList<acad::LayoutRef> sorted;
    for (const acad::LayoutRef& layout : layouts) {
        if (layout.name != kModel)
            sorted.append(layout);
    }
    std::stable_sort(sorted.begin(), sorted.end(), [](const acad::LayoutRef& a, const acad::LayoutRef& b) {
        return platform::naturalLess(a.name, b.name);
    });
    QList<acad::ObjectId> ids;
    for (const acad::LayoutRef& layout : sorted)
        ids.append(layout.id);
    return ids;
}

QList<TabMove> TabMoves(const QList<acad::ObjectId>& current, const QList<acad::ObjectId>& wanted)
{
    QList<acad::ObjectId> tabs = current;
    QList<TabMove> moves;
    for (qsizetype i = 0; i < wanted.size(); ++i) {
        const qsizetype at = tabs.indexOf(wanted[i]);
        if (at == i || at < 0)
            continue;
        tabs.move(at, i);
        moves.append({wanted[i], qint32(i + 1)});
    }
    return moves;
}

Register::Register(explorer::AcadConnection& connection, basViewControls::ViewControls& views)
    : m_connection(connection), m_views(views)
{
}

Register::Drawing Register::drawingOf(const QString& drawingKey) const
{
    const CAcadobj& record = basDateien::RecordOf(m_views.Zeichnungen, drawingKey, kNoDrawing);
    const std::shared_ptr<acad::Host> app = basDateien::attachedApp(m_connection);
    const QList<acad::DocId> docs = basDateien::MatchingDocuments(*app, record.Gesamt);
    if (docs.isEmpty())
        throw platform::Error(QStringLiteral("%1 ist nicht mehr geladen!").arg(record.Gesamt));
    return {drawingKey, docs.last(), app->document(docs.last())};
}

// The tree's layout node, or the list's selected layouts below a drawing node.
QStringList Register::selectedLayoutKeys() const
{
    const QString node = m_views.selectedNode().key;
    if (explorer::kindOf(node) == NodeKind::Layout)
        return {node};
    if (explorer::kindOf(node) != NodeKind::Drawing)
        return {};
    QStringList keys;
    for (const QString& key : m_views.shownItems()) {
        if (explorer::kindOf(key) == NodeKind::Layout && m_views.itemSelected(key))
            keys.append(key);
    }
    return keys;
}

QList<acad::ObjectId> Register::layoutIds(const QStringList& keys) const
{
    QList<acad::ObjectId> ids;
    for (const QString& key : keys)
        ids.append(basDateien::RecordOf(m_views.Layouts, key, kNoLayout).AObjId);
    return ids;
}

// One undo step for the drawing; the tree shows the new order afterwards, the same layouts selected.
void Register::applyOrder(const Drawing& drawing, const QList<acad::ObjectId>& wanted)
{
    const QList<TabMove> moves = TabMoves(paperSpaceOrder(drawing.snapshot), wanted);
    if (moves.isEmpty())
        return;
    const std::shared_ptr<acad::Host> app = basDateien::attachedApp(m_connection);
    operations::BatchMark mark(*app, drawing.doc, m_views);
    for (const TabMove& move : moves) {
        app->setLayoutTabOrder(drawing.doc, move.layout, move.position);
        mark.changed();
    }
}

void Register::MoveSelected(int step)
{
    try {
        const QStringList keys = selectedLayoutKeys();
        if (keys.isEmpty())
            return;
        const QString node = m_views.selectedNode().key;
        const QString drawingKey =
            explorer::kindOf(node) == NodeKind::Drawing ? node : m_views.parentNode(node);
        const Drawing drawing = drawingOf(drawingKey);
        applyOrder(drawing, MovedByOne(paperSpaceOrder(drawing.snapshot), layoutIds(keys), step));
    } catch (const std::exception& error) {
        report(error);
    }
    m_views.FillTreeView();
}

void Register::MoveBefore(const QStringList& layoutKeys, const QString& beforeKey)
{
    try {
        if (layoutKeys.isEmpty())
            return;
        const Drawing drawing = drawingOf(m_views.parentNode(layoutKeys.first()));
        const acad::ObjectId before =
            beforeKey.isEmpty() ? 0 : basDateien::RecordOf(m_views.Layouts, beforeKey, kNoLayout).AObjId;
        applyOrder(drawing, MovedBefore(paperSpaceOrder(drawing.snapshot), layoutIds(layoutKeys), before));
    } catch (const std::exception& error) {
        report(error);
    }
    m_views.FillTreeView();
}

void Register::SortTabs()
{
    try {
        const QString node = m_views.selectedNode().key;
        const QString drawingKey =
            explorer::kindOf(node) == NodeKind::Layout ? m_views.parentNode(node) : node;
        if (explorer::kindOf(drawingKey) != NodeKind::Drawing)
            return;
        const Drawing drawing = drawingOf(drawingKey);
        applyOrder(drawing, SortedByName(drawing.snapshot.layouts));
    } catch (const std::exception& error) {
        report(error);
    }
    m_views.FillTreeView();
}

// The names the copies got, in the order of the layouts.
QStringList Register::copyLayouts(const Drawing& from, const Drawing& to,
                                  const QList<acad::ObjectId>& layouts)
{
    basKopieren::LayoutNames taken(to.snapshot);
    const std::shared_ptr<acad::Host> app = basDateien::attachedApp(m_connection);
    operations::BatchMark mark(*app, to.doc, m_views);
    QStringList names;
    for (acad::ObjectId id : layouts) {
        const auto source = std::find_if(from.snapshot.layouts.begin(), from.snapshot.layouts.end(),
                                         [id](const acad::LayoutRef& l) { return l.id == id; });
        if (source == from.snapshot.layouts.end())
            throw platform::Error(QString::fromUtf8(kNoLayout));
        const QString name = freeName(source->name, taken);
        app->copyLayoutToDocument(from.doc, id, to.doc, name);
        mark.changed();
        taken.add(name);
        names.append(name);
    }
    return names;
}

// The layouts leave their drawing through its command line, each addressed by its name.
void Register::deleteLayouts(const Drawing& from, const QList<acad::ObjectId>& layouts)
{
    const std::shared_ptr<acad::Host> app = basDateien::attachedApp(m_connection);
    operations::BatchMark mark(*app, from.doc, m_views);
    for (const acad::LayoutRef& layout : from.snapshot.layouts) {
        if (!layouts.contains(layout.id))
            continue;
        const acad::CommandString command = acad::CommandString(QStringLiteral("_layout"))
                                                .keyword(QStringLiteral("_delete"))
                                                .value(layout.name, QStringLiteral("Der Name des Layouts"));
        app->sendCommand(from.doc, command.text());
        mark.changed();
    }
}

void Register::CopyToDrawing(const QStringList& layoutKeys, const QString& drawingKey, bool move)
{
    try {
        if (layoutKeys.isEmpty())
            return;
        const Drawing from = drawingOf(m_views.parentNode(layoutKeys.first()));
        const Drawing to = drawingOf(drawingKey);
        const QList<acad::ObjectId> ids = layoutIds(layoutKeys);
        if (move && ids.size() >= paperSpaceOrder(from.snapshot).size())
            throw platform::Error(
                QStringLiteral("Das Löschen sämtlicher Layouts einer Zeichnung ist nicht zulässig!"));
        copyLayouts(from, to, ids);
        if (move)
            deleteLayouts(from, ids);
    } catch (const std::exception& error) {
        report(error);
    }
    m_views.FillTreeView();
}

} // namespace basRegister
