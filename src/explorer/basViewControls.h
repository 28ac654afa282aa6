#pragma once

#include <QString>
#include <acad/Types.h>
#include <records/CAcadobj.h>
#include <records/CVorlage.h>
#include <records/RecordCollection.h>

namespace explorer {
class ListControl;
class TreeControl;
class ViewHost;
} // namespace explorer

// The tree of loaded drawings and library templates, the record collections behind it, and the list
// that shows the selected node's content. Node and item keys: "A" root of the loaded drawings, "B"
// root of the library, "Z" + number a drawing, "L" + number a layout, "D" + number a template, "D0"
// the provisional template node.
namespace basViewControls {

// --- module state
// One running counter for every drawing, layout and template number; never reset after start.
extern qint32 NodeNummer;
// First letter of the selected node's key; "" until the list has been filled once.
extern QString SelectedNodeType;
// The list's current column set 1..5; 0 before the first list is shown.
extern qint16 ListColumnSet;
// The template folder, without a trailing separator.
extern QString VorlagenPfad;
// False from InitTreeView until the end of the first complete refresh.
extern bool TreeFilled;
// Set while the provisional template node "D0" is in the tree.
extern bool ProvisionalTemplateNode;

extern RecordCollection<CAcadobj> Zeichnungen;
extern RecordCollection<CAcadobj> Layouts;
extern RecordCollection<CVorlage> Vorlagen;

// The main window hands over its tree, its list and itself; none of them is owned. A click on a
// tree node then runs TreeSelectionChanged, a double click on a list item OpenListItem; nullptr
// detaches. Without a tree and a list the operations below do nothing (a refresh before the main
// window exists is skipped).
void attach(explorer::TreeControl* tree, explorer::ListControl* list, explorer::ViewHost* host);
explorer::TreeControl* tvTreeView();
explorer::ListControl* lvListView();

// --- tree
void InitTreeView();
void FillTreeView();
void UpdateDrawingNodes();
void RemoveDrawingNodes();
void ReadVorlagen();
void SetSelectedNodeType();
void SetActiveNode(const QString& key);
void ClearBoldNodes();
void ClearBoldListItems();
void SetTreeDragMode();
void RemoveProvisionalTemplateNode();
void DeleteSelectedTemplate();
// Full path of the selected drawing or template: from the list's selected item when fromList is
// set, else from the tree's selected node. "" (after a message) when there is none.
QString GetZeichnungGesamt(bool fromList);
QString GetVorlageGesamt(bool fromList);
// The open document of a drawing key ("Z" + number); 0 when none matches (the last match wins).
acad::DocId FindDocument(const QString& drawingKey);

// --- list
void LoadColumnWidths();
void CaptureColumnWidths();
void SaveColumnWidths();
void ApplyColumnOrder(const QString& kind);
void SaveColumnOrder(const QString& kind);
void SetListViewColumns();
void CreateColumns(qint16 set);
void FillListView();
void SetListViewOptions();
void SetListItemTexts(qint16 newMode);
void ListZeichnungen();
void ListLayouts();
void ListVorlagen();
void OpenListItem(const QString& key);
// What follows a change of the tree's selection, in its order.
void TreeSelectionChanged();

// The column set (1..5) that shows a node kind; 0 for an unknown kind.
qint16 ColumnSetOfKind(const QString& kind);

} // namespace basViewControls
