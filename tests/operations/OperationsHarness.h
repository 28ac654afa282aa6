#pragma once

#include "WindowTestSupport.h"

#include <QStringList>
#include <acad/Types.h>
#include <explorer/frmMainCommands.h>

namespace basViewControls {
class ViewControls;
}
namespace explorer {
class ListControl;
class TreeControl;
} // namespace explorer

// A real program against the in-process CAD program, driven as a user drives it: selecting nodes and
// items, triggering the window's own actions, double clicks with the mouse.
class OperationsHarness final
{
public:
    OperationsHarness();

    WindowHarness h;

    // Starts the program on the drawings opened so far; the watch is driven by hand.
    bool start();
    basMain::Program& program() { return h.session.program(); }
    frmMain* window() const { return h.session.window(); }
    basViewControls::ViewControls& views() const;
    explorer::TreeControl* tree() const;
    explorer::ListControl* list() const;

    // The key of the node with that text (below the node with parentText, when given); "" when none.
    QString nodeKey(const QString& text, const QString& parentText = QString()) const;
    // A click on the node: selected, then the selection sequence.
    void select(const QString& key);
    // The list items with these texts become selected, the first one current.
    void selectItems(const QStringList& texts);
    // The action as menu entry or button; false when it is disabled (the trigger does nothing then).
    bool trigger(explorer::Cmd cmd);
    void doubleClick(const QString& key);

    acad::DocumentSnapshot document(const QString& path);
    acad::DocId docId(const QString& path);
    QString activePath();
    QStringList layoutNames(const QString& path);
    // The texts of the bold nodes below the roots, sorted.
    QStringList boldNodes() const;
    // Lets the CAD program run the commands it has queued.
    void runHost();
    // Away from the window and back: the watch refreshes.
    bool watch();
};
