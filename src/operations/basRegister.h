#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <acad/Types.h>

namespace basViewControls {
class ViewControls;
}
namespace explorer {
class AcadConnection;
}

// The sheet order: the tab order of a drawing's layouts, moved a place, moved by a drag, sorted, and
// layouts copied or moved into another loaded drawing. Each change of a drawing is one step that
// "Rückgängig" takes back.
namespace basRegister {

// One call that puts a layout's tab at a position (1 = the first after "Model").
struct TabMove
{
    acad::ObjectId layout = 0;
    qint32 position = 0;
    friend bool operator==(const TabMove&, const TabMove&) = default;
};

// The order after the chosen layouts moved one place towards the front (step -1) or the back (+1),
// each past its next unchosen neighbour; chosen layouts already at that end stay, and the others keep
// their order.
QList<acad::ObjectId> MovedByOne(const QList<acad::ObjectId>& order, const QList<acad::ObjectId>& chosen,
                                 int step);
// The order after the chosen layouts, in their tab order, were put before the layout `before` (0 =
// at the end). Unchanged when `before` is itself chosen.
QList<acad::ObjectId> MovedBefore(const QList<acad::ObjectId>& order, const QList<acad::ObjectId>& chosen,
                                  acad::ObjectId before);
// The layouts in natural order of their names, as the tree sorts them.
QList<acad::ObjectId> SortedByName(const QList<acad::LayoutRef>& layouts);
// The calls that take the tabs from `current` to `wanted` (the same layouts): at most one per layout,
// none for a layout that is already in place when its turn comes.
QList<TabMove> TabMoves(const QList<acad::ObjectId>& current, const QList<acad::ObjectId>& wanted);

class Register final
{
public:
    // None is owned.
    Register(explorer::AcadConnection& connection, basViewControls::ViewControls& views);

    // "Layout nach vorne" / "Layout nach hinten" (Alt+Up, Alt+Down): the selected layouts, of the tree or
    // of the list below a drawing, move one tab towards the front or the back.
    void MoveSelected(int step);
    // A drag within a drawing: the layouts go before the layout they were dropped on (at the end for
    // an empty key).
    void MoveBefore(const QStringList& layoutKeys, const QString& beforeKey);
    // "Register sortieren": the selected drawing's tabs in natural order of their names.
    void SortTabs();
    // A drag onto another drawing: the layouts are copied there with their paper-space content, or
    // moved (copied, then deleted from their own drawing). A name the target has already gets " (2)",
    // " (3)" … as the CAD program names copies.
    void CopyToDrawing(const QStringList& layoutKeys, const QString& drawingKey, bool move);
    // The layout selected in the tree, or the layouts selected in the list below a drawing.
    QStringList selectedLayoutKeys() const;

private:
    struct Drawing
    {
        QString key;
        acad::DocId doc = 0;
        acad::DocumentSnapshot snapshot;
    };

    Drawing drawingOf(const QString& drawingKey) const;
    QList<acad::ObjectId> layoutIds(const QStringList& keys) const;
    void applyOrder(const Drawing& drawing, const QList<acad::ObjectId>& wanted);
    QStringList copyLayouts(const Drawing& from, const Drawing& to, const QList<acad::ObjectId>& layouts);
    void deleteLayouts(const Drawing& from, const QList<acad::ObjectId>& layouts);
    void reselect(const QStringList& names, const QString& drawingKey);

    explorer::AcadConnection& m_connection;
    basViewControls::ViewControls& m_views;
};

} // namespace basRegister
