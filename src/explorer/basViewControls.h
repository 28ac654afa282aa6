#pragma once

#include "LibraryWatch.h"
#include "NodeKind.h"
#include "Selection.h"

#include <QHash>
#include <QObject>
#include <QString>
#include <acad/Types.h>
#include <array>
#include <exception>
#include <functional>
#include <memory>
#include <records/CAcadobj.h>
#include <records/CVorlage.h>
#include <records/RecordCollection.h>

namespace basDatenbank {
class Definitions;
}

namespace explorer {
class AcadConnection;
class DrawingOperations;
class LayoutContentsReader;
class LayoutPlotReader;
class LayoutPreviews;
class ListControl;
class TreeControl;
class ViewHost;
} // namespace explorer

// The tree of loaded drawings and library templates, the record collections behind it, and the list
// that shows the selected node's content.
namespace basViewControls {

using explorer::NodeKind;

// What a finished label edit in the tree means: the name of a new template or a layout's new name.
enum class LabelEditKind
{
    None,
    NewTemplate,
    RenameLayout,
};

// What the views remember between events; the window and the operations read and set it.
struct ViewState
{
    // One running counter for every drawing, layout and template number; never reset after start.
    qint32 NodeNummer = 0;
    // The kind of the node the list was last filled for; None until the list has been filled once.
    NodeKind SelectedNodeType = NodeKind::None;
    // The list's current column set 1..5; 0 before the first list is shown.
    qint16 ListColumnSet = 0;
    // The template folder, without a trailing separator.
    QString VorlagenPfad;
    // False from InitTreeView until the end of the first complete refresh.
    bool TreeFilled = false;
    // Set while the provisional template node "D0" is in the tree.
    bool ProvisionalTemplateNode = false;
    // What the next finished label edit means. The commands set it just before they start the edit;
    // nothing resets it.
    LabelEditKind LabelEditMode = LabelEditKind::None;
    // The drawing that Blattwart's last batch (one undo mark of the CAD program) changed; 0 when there
    // is none to take back. "Rückgängig" is offered while it is the active drawing.
    acad::DocId LastBatchDoc = 0;
};

class ViewControls final : public QObject, public explorer::Selection
{
public:
    // The window's tree and list, the window around them, the connection to the CAD program and the
    // definitions, and the lookup of a layout's viewports and product blocks; none is owned. A click
    // on a tree node runs TreeSelectionChanged, a double click on a tree node ActivateSelectedNode
    // with 1, a double click on a list item OpenListItem.
    ViewControls(explorer::TreeControl& tree, explorer::ListControl& list, explorer::ViewHost& host,
                 explorer::AcadConnection& connection, basDatenbank::Definitions& definitions,
                 const explorer::LayoutContentsReader& layoutContents);
    ~ViewControls() override;

    // --- state
    ViewState State;

    RecordCollection<CAcadobj> Zeichnungen;
    RecordCollection<CAcadobj> Layouts;
    RecordCollection<CVorlage> Vorlagen;

    explorer::TreeControl& tvTreeView() const { return m_tree; }
    explorer::ListControl& lvListView() const { return m_list; }
    // The kind of the tree's selected node; None when nothing is selected.
    NodeKind selectedKind() const;

    // --- explorer::Selection
    explorer::Target selectedNode() const override;
    QString nodeText(const QString& key) const override;
    bool hasNode(const QString& key) const override;
    QString parentNode(const QString& key) const override;
    QStringList childNodes(const QString& key) const override;
    explorer::Target selectedItem() const override;
    QStringList selectedItems() const override;
    QStringList items() const override;
    QStringList shownItems() const override;
    bool itemSelected(const QString& key) const override;
    QString itemText(const QString& key) const override;

    // --- what the operations change in tree and list
    // A renamed layout's new name, in the list and in the tree wherever they show it.
    void ShowLayoutName(const QString& key, const QString& name);
    // The active drawing and its current layout in bold: the selected node (or, below the drawings
    // root, the list's item), the layout's drawing for a layout node, else the drawing's node of the
    // current layout (asked only then); with listLayout also the list's selected layout.
    void MarkActive(bool layoutNode, bool listLayout, const std::function<QString()>& activeLayout);
    void ExpandNode(const QString& key);
    // The name of the tree's selected node, or with a drawing selected of the list's item, edited in
    // place.
    void EditSelectedName();
    // The list's bold items become its selection; or, for the tree, the first bold layout other than
    // the selected one is selected, as after a click.
    void SelectActiveLayouts(bool inList);
    // The provisional template node "D0" below the library, selected and its name edited; added first
    // when it is not there. The selection before is left in VorlageQuelle by the caller.
    void EditProvisionalTemplateNode(bool add);
    // The provisional node becomes the template's own: its text and key.
    void ConfirmProvisionalTemplateNode(const QString& key, const QString& text);
    // The last label edit was left by a click elsewhere, not by Enter or Escape.
    bool LabelEditLeft() const;

    // --- tree
    // The next node number; fails with an overflow past the largest number.
    void NextNodeNummer();
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
    void ApplyColumnOrder(NodeKind kind);
    void SaveColumnOrder(NodeKind kind);
    void SetListViewColumns();
    void CreateColumns(qint16 set);
    void FillListView();
    void SetListViewOptions();
    void SetListItemTexts(qint16 newMode);
    void ListZeichnungen();
    void ListLayouts();
    void ListVorlagen();
    // The details of the selected layout or template.
    void ShowLayoutDetails();
    void ShowVorlageDetails();
    void OpenListItem(const QString& key);
    // In the large-icon view of a drawing's layouts, each layout's picture from the CAD program as it
    // comes in; any other list stops the pictures that are still to come.
    void ShowPreviews();
    explorer::LayoutPreviews& previews() const { return *m_previews; }
    // What follows a change of the tree's selection, in its order.
    void TreeSelectionChanged();

    // --- order
    // Stores how the shown list is sorted now, for the next time its kind is shown.
    void SaveListSort();
    // "Registerreihenfolge": the layout list in the drawing's tab order again.
    void ShowTabOrder();
    // The next refresh lists the template library again even though its watch saw no change.
    void InvalidateLibrary();

    // --- activation
    // The operations that ActivateSelectedNode starts; not owned, nullptr until the program sets them.
    void setDrawingOperations(explorer::DrawingOperations* operations);
    // Makes the selected drawing or layout current, or opens the selected template; the flag is 1
    // for the double click, 0 for the commands.
    void ActivateSelectedNode(qint16 flag);

private:
    struct Match
    {
        bool found = false;
        qint32 number = 0;
    };

    // tree
    template <class Record>
    Match markPresent(RecordCollection<Record>& records, const QString& gesamt, NodeKind kind, bool active);
    void AddTreeNode(const QString& text, bool isTemplate, bool isActive, qint32 parentNumber);
    qint32 CheckZeichnung(const QString& folder, const QString& name, bool active);
    void CheckLayout(const QString& folder, const QString& drawing, const acad::LayoutRef& layout,
                     bool active, qint32 drawingNumber);
    void CheckDocument(const acad::DocumentSnapshot& doc, const QString& activeName);
    template <class Record> void removeMissing(RecordCollection<Record>& records, NodeKind kind);
    void RemoveMissingObjects();
    void CheckVorlage(const QString& name, const QString& folder);
    void reportSkippedTemplates(const QStringList& skipped);
    void styleRoot(const QString& key, const QString& text, int image, bool grey);
    void RefreshDrawingsRoot();
    void RefreshLibraryRoot();
    void RefreshViewsAfterFill();
    template <class Record>
    QString gesamtOfSelection(RecordCollection<Record>& records, bool fromList, const char* nothing);
    // list
    void fillByKind(NodeKind kind);
    QString rememberedKey() const;
    void reselect(const QString& key, const QString& remembered);
    QString activeDocumentName() const;
    void ListPlotSettings(const QString& key, const acad::LayoutPlotSettings& layout);
    void addLayoutItem(const CAcadobj& record, explorer::LayoutPlotReader* plots, const QString& remembered);
    void requestPreviews(const QString& drawingKey, acad::DocId doc);
    // details
    void fillLayoutDetails(const QString& remembered);
    void addDetailRows(int viewports);
    void setPlotRows(const acad::LayoutPlotSettings& layout);
    void setBlockRows(const std::array<qint16, 3>& numbers, const std::array<QString, 3>& names);
    // order
    void OrderLayoutNodes();
    void ApplyListSort(NodeKind kind);
    QList<const CAcadobj*> layoutsInTabOrder(const QString& drawingKey) const;
    bool tabOrderLess(const QString& aKey, const QString& bKey) const;
    void listVorlagenFiles();

    explorer::TreeControl& m_tree;
    explorer::ListControl& m_list;
    explorer::ViewHost& m_host;
    explorer::AcadConnection& m_connection;
    basDatenbank::Definitions& m_definitions;
    explorer::DrawingOperations* m_operations = nullptr;
    const explorer::LayoutContentsReader& m_layoutContents;
    // Set while a change of selection rebuilds the columns: its own fill follows.
    bool m_fillFollows = false;
    // The library files last reported as not shown: each refresh reports only a change.
    QStringList m_skippedTemplates;
    // The widths of each column set, index 0 = the first column, in twips.
    std::array<QList<qint32>, 5> m_widths;
    // The tab order of each shown layout, by its node number, as the last refresh read it.
    QHash<qint32, qint32> m_tabOrders;
    explorer::LibraryWatch m_libraryWatch;
    std::unique_ptr<explorer::LayoutPreviews> m_previews;
};

// The column set (1..5) that shows a node kind; 0 for None.
qint16 ColumnSetOfKind(NodeKind kind);
// Shows the error's own text in a plain message box.
void showError(const std::exception& error);

} // namespace basViewControls
