#pragma once

#include <QList>
#include <QString>
#include <acad/Types.h>
#include <explorer/NodeKind.h>
#include <explorer/Selection.h>
#include <records/RecordCollection.h>

namespace acad {
class Host;
}

// How every drawing and layout operation finds its target from the explorer's selection.
namespace basDateien {

using explorer::Target;

// The selected object: the list's selected item while the tree's selected node is the operation's
// root (DrawingsRoot or LibraryRoot), else the tree's selected node. An empty key when the list has
// no selected item.
Target SelectedObject(const explorer::Selection& views, explorer::NodeKind root);

// The record a key names: the number after the kind letter, as decimal text without leading zeros.
// Fails with nothing, a German description, when there is none.
template <class Record>
Record& RecordOf(RecordCollection<Record>& records, const QString& key, const char* nothing);

// Every open document whose folder and file name equal path ignoring case, in the host's order.
QList<acad::DocId> MatchingDocuments(acad::Host& app, const QString& path);
// Every layout of the document whose name equals name ignoring case, in tab order.
QList<acad::LayoutRef> MatchingLayouts(const acad::DocumentSnapshot& doc, const QString& name);

// Whether two drawing paths or layout names name the same, ignoring case.
bool sameName(const QString& a, const QString& b);

} // namespace basDateien
