// The list half of the view controls: column sets, widths and orders, view options and the object lists.

#include "AcadConnection.h"
#include "LayoutPlotReader.h"
#include "LayoutPreviews.h"
#include "PlotTexts.h"
#include "ViewHost.h"
#include "ViewSettings.h"
#include "basViewControls.h"
#include "controls/ListControl.h"
#include "controls/TreeControl.h"

#include <QScopeGuard>
#include <QStringList>
#include <acad/Host.h>
#include <algorithm>
#include <platform/Error.h>

using explorer::keyOf;
using explorer::kindOf;
using explorer::ListControl;
using explorer::numberOf;
using platform::ignoringErrors;

namespace basViewControls {

namespace {

struct ColumnDef
{
    const char* caption;
    qint32 width;
};

struct ColumnSetDef
{
    NodeKind kind;
    const char* title;
    QList<ColumnDef> columns;
};

const std::array<ColumnSetDef, 5>& columnSets()
{
    static const std::array<ColumnSetDef, 5> sets{{
        {NodeKind::DrawingsRoot, "Zeichnungen:", {{"Dateiname", 5000}}},
        {NodeKind::Drawing,
         "Layouts:",
         {{"Bezeichnung", 2500},
          {"Plotgerät", 2500},
          {"Papierformat", 2500},
          {"Ausrichtung", 2500},
          {"Plotstil", 2500},
          {"Register", 1000}}},
        {NodeKind::Layout, "Layout-Details:", {{"Beschreibung", 2500}, {"Wert", 2500}}},
        {NodeKind::LibraryRoot, "Vorlagen:", {{"Dateiname", 5000}}},
        {NodeKind::Template, "Vorlage-Details:", {{"Beschreibung", 2500}, {"Wert", 2500}}},
    }};
    return sets;
}

const ColumnSetDef* setDef(qint16 set)
{
    return set >= 1 && set <= 5 ? &columnSets()[set - 1] : nullptr;
}

bool isDetailKind(NodeKind kind)
{
    return kind == NodeKind::Layout || kind == NodeKind::Template;
}

// The layout list's column of the tab order.
constexpr int kRegisterColumn = 5;
// The large-icon view's images; a drawing's layouts grow to their pictures' size.
constexpr int kImageSize = 32;

// Holds the list's sorting while a fill adds its items.
class ListUpdate final
{
public:
    explicit ListUpdate(ListControl& list) : m_list(list) { m_list.beginUpdate(); }
    ~ListUpdate() { m_list.endUpdate(); }
    ListUpdate(const ListUpdate&) = delete;
    ListUpdate& operator=(const ListUpdate&) = delete;

private:
    ListControl& m_list;
};

struct ColumnMove
{
    int column;
    int position;
};

// The stored positions as moves that reproduce them: made from the leftmost target to the
// rightmost, each move leaves the columns already placed where they are. Entries that name no
// position of this list are left out.
QList<ColumnMove> columnMoves(const QList<int>& positions, int columnCount)
{
    QList<ColumnMove> moves;
    for (int column = 0; column < positions.size() && column < columnCount; ++column) {
        if (positions[column] >= 1 && positions[column] <= columnCount)
            moves.append({column, positions[column]});
    }
    std::stable_sort(moves.begin(), moves.end(),
                     [](const ColumnMove& a, const ColumnMove& b) { return a.position < b.position; });
    return moves;
}

} // namespace

qint16 ColumnSetOfKind(NodeKind kind)
{
    for (qint16 set = 1; set <= 5; ++set) {
        if (kind != NodeKind::None && kind == columnSets()[set - 1].kind)
            return set;
    }
    return 0;
}

QString ViewControls::rememberedKey() const
{
    return m_list.count() > 0 ? m_list.selectedKey() : QString();
}

void ViewControls::reselect(const QString& key, const QString& remembered)
{
    if (!remembered.isEmpty() && key == remembered)
        m_list.setSelected(key, true);
}

// The name of the CAD program's active document; "" without one.
QString ViewControls::activeDocumentName() const
{
    const std::shared_ptr<acad::Host> app = m_connection.acadApp();
    if (!app)
        return {};
    const acad::ApplicationSnapshot snapshot = app->application();
    for (const acad::DocumentRef& doc : snapshot.documents) {
        if (doc.id == snapshot.activeDocument)
            return doc.name;
    }
    return {};
}

void ViewControls::fillByKind(NodeKind kind)
{
    if (kind == NodeKind::DrawingsRoot)
        ListZeichnungen();
    else if (kind == NodeKind::Drawing)
        ListLayouts();
    else if (kind == NodeKind::LibraryRoot)
        ListVorlagen();
    else if (kind == NodeKind::Layout)
        ShowLayoutDetails();
    else if (kind == NodeKind::Template)
        ShowVorlageDetails();
}

// The plot settings of one layout as sub-items; a layout without paper shows its name only.
void ViewControls::ListPlotSettings(const QString& key, const acad::LayoutPlotSettings& layout)
{
    const acad::PlotSettings& plot = layout.plot;
    if (plot.canonicalMediaName.isEmpty())
        return;
    m_list.setSubItem(key, 2, layout.localeMediaName);
    m_list.setSubItem(key, 1, explorer::plotterText(plot.configName));
    m_list.setSubItem(key, 3, explorer::orientationText(plot.plotRotation));
    m_list.setSubItem(key, 4, explorer::plotStyleText(plot.styleSheet));
}

void ViewControls::addLayoutItem(const CAcadobj& record, explorer::LayoutPlotReader* plots,
                                 const QString& remembered)
{
    const QString key = keyOf(NodeKind::Layout, record.Nummer);
    m_list.addItem(key, record.Layout, 4, 9);
    m_list.setSubItem(key, kRegisterColumn, QString::number(m_tabOrders.value(record.Nummer)));
    reselect(key, remembered);
    m_list.setBold(key, m_tree.bold(key));
    if (!plots)
        return;
    if (const std::optional<acad::LayoutPlotSettings> layout = plots->byId(record.AObjId))
        ignoringErrors([&] { ListPlotSettings(key, *layout); });
}

void ViewControls::LoadColumnWidths()
{
    for (int s = 0; s < 5; ++s) {
        const QList<ColumnDef>& columns = columnSets()[s].columns;
        m_widths[s].resize(columns.size());
        for (int c = 0; c < columns.size(); ++c)
            m_widths[s][c] = explorer::viewsettings::columnWidth(s + 1, c, columns[c].width);
    }
}

void ViewControls::CaptureColumnWidths()
{
    if (!setDef(State.ListColumnSet))
        return;
    QList<qint32>& array = m_widths[State.ListColumnSet - 1];
    for (int c = 0; c < array.size() && c < m_list.columnCount(); ++c)
        array[c] = qint32(m_list.columnWidth(c));
}

void ViewControls::SaveColumnWidths()
{
    for (int s = 0; s < 5; ++s) {
        for (int c = 0; c < m_widths[s].size(); ++c)
            explorer::viewsettings::setColumnWidth(s + 1, c, m_widths[s][c]);
    }
}

void ViewControls::ApplyColumnOrder(NodeKind kind)
{
    if (kind == NodeKind::None)
        return;
    const QList<int> positions = explorer::viewsettings::columnOrder(explorer::letterOf(kind));
    if (positions.isEmpty())
        return;
    for (const ColumnMove& move : columnMoves(positions, m_list.columnCount()))
        ignoringErrors([&] { m_list.setColumnPosition(move.column, move.position); });
    // The grid style only redraws the moved columns after a switch off and on.
    if (m_list.gridLines()) {
        m_list.setGridLines(false);
        m_list.setGridLines(true);
    }
}

void ViewControls::SaveColumnOrder(NodeKind kind)
{
    if (kind == NodeKind::None || m_list.columnCount() == 0)
        return;
    QList<int> positions;
    for (int column = 0; column < m_list.columnCount(); ++column)
        positions.append(m_list.columnPosition(column));
    explorer::viewsettings::setColumnOrder(explorer::letterOf(kind), positions);
}

void ViewControls::SetListViewColumns()
{
    const qint16 wanted = ColumnSetOfKind(selectedKind());
    if (wanted == 0 || wanted == State.ListColumnSet)
        return;
    m_list.clearItems();
    CaptureColumnWidths();
    CreateColumns(wanted);
}

void ViewControls::CreateColumns(qint16 set)
{
    const ColumnSetDef* def = setDef(set);
    if (!def)
        return;
    try {
        State.ListColumnSet = set;
        m_list.clearColumns();
        m_host.setListTitle(QString::fromUtf8(def->title));
        const QList<qint32>& array = m_widths[set - 1];
        for (int c = 0; c < def->columns.size(); ++c)
            m_list.addColumn(QString::fromUtf8(def->columns[c].caption), array[c]);
        if (!m_fillFollows)
            fillByKind(def->kind);
    } catch (const std::exception& error) {
        showError(error);
    }
}

void ViewControls::FillListView()
{
    const NodeKind kind = selectedKind();
    const bool changed = kind != State.SelectedNodeType;
    m_previews->cancel();
    if (kind != NodeKind::Drawing)
        m_list.setLargeIconSize(kImageSize);
    if (changed)
        m_list.clearItems();
    if (kind == NodeKind::Drawing) {
        if (changed)
            ApplyListSort(kind);
    } else if (kind != NodeKind::Layout) {
        // A column chosen in the layout list may not exist in this one.
        if (m_list.sortKey() >= m_list.columnCount())
            m_list.setSortKey(0);
        m_list.setSorted(true);
    } else if (changed) {
        m_list.setSorted(false);
    }
    fillByKind(kind);
    if (changed)
        ApplyColumnOrder(kind);
    State.SelectedNodeType = kind;
}

void ViewControls::SetListViewOptions()
{
    try {
        const NodeKind kind = selectedKind();
        if (kind != State.SelectedNodeType)
            SaveColumnOrder(State.SelectedNodeType);
        const bool layouts = kind == NodeKind::Drawing;
        m_list.setMultiSelect(layouts);
        m_host.setSelectionCommandsEnabled(layouts);
        const bool details = isDetailKind(kind);
        m_host.setViewModeCommandsEnabled(!details);
        m_list.setGridLines(details);
        if (details) {
            if (m_list.view() != ListControl::Details)
                m_list.setView(ListControl::Details);
        } else if (m_host.pressedViewMode() >= 0) {
            m_list.setView(m_host.pressedViewMode());
        }
    } catch (const std::exception& error) {
        showError(error);
    }
}

void ViewControls::SetListItemTexts(qint16 newMode)
{
    try {
        const bool drawings = State.SelectedNodeType == NodeKind::DrawingsRoot;
        if (!drawings && State.SelectedNodeType != NodeKind::LibraryRoot)
            return;
        const bool large = newMode == ListControl::LargeIcons;
        if (large == (m_list.view() == ListControl::LargeIcons))
            return;
        for (const QString& key : m_list.keys()) {
            const QString number = numberOf(key);
            if (drawings) {
                if (const CAcadobj* record = Zeichnungen.item(number))
                    m_list.setText(key, large ? record->Zeichnung : record->Gesamt);
            } else if (const CVorlage* record = Vorlagen.item(number)) {
                m_list.setText(key, large ? record->Datei : record->Gesamt);
            }
        }
    } catch (const std::exception& error) {
        showError(error);
    }
}

void ViewControls::ListZeichnungen()
{
    try {
        const ListUpdate update(m_list);
        const QString remembered = rememberedKey();
        m_list.clearItems();
        const bool large = m_list.view() == ListControl::LargeIcons;
        QString active;
        bool activeRead = false;
        for (const CAcadobj& record : Zeichnungen) {
            if (record.Vorhanden == 0)
                continue;
            if (!activeRead) {
                active = activeDocumentName().toUpper();
                activeRead = true;
            }
            const QString key = keyOf(NodeKind::Drawing, record.Nummer);
            m_list.addItem(key, large ? record.Zeichnung : record.Gesamt, 1, 13);
            reselect(key, remembered);
            m_list.setToolTip(key, record.Zeichnung);
            m_list.setBold(key, !active.isEmpty() && record.Zeichnung.toUpper() == active);
        }
    } catch (const std::exception& error) {
        showError(error);
    }
}

void ViewControls::ListVorlagen()
{
    try {
        const ListUpdate update(m_list);
        const QString remembered = rememberedKey();
        m_list.clearItems();
        const bool large = m_list.view() == ListControl::LargeIcons;
        for (const CVorlage& record : Vorlagen) {
            if (record.Vorhanden == 0)
                continue;
            const QString key = keyOf(NodeKind::Template, record.Nummer);
            const bool dwt = record.Gesamt.right(3).toUpper() == QLatin1String("DWT");
            m_list.addItem(key, large ? record.Datei : record.Gesamt, dwt ? 2 : 3, dwt ? 4 : 5);
            reselect(key, remembered);
            m_list.setToolTip(key, record.Datei);
        }
    } catch (const std::exception& error) {
        showError(error);
    }
}

void ViewControls::ListLayouts()
{
    try {
        const ListUpdate update(m_list);
        const QString remembered = rememberedKey();
        const QString drawingKey = m_tree.selectedKey();
        acad::DocId doc = 0;
        ignoringErrors([&] { doc = FindDocument(drawingKey); });
        m_list.clearItems();
        // Every layout's plot settings in one call, read before the first item needs them.
        const std::shared_ptr<acad::Host> app = m_connection.acadApp();
        std::optional<explorer::LayoutPlotReader> plots;
        // Added in tab order: the list unsorted shows the drawing's tabs as the CAD program does.
        for (const CAcadobj* record : layoutsInTabOrder(drawingKey)) {
            if (!plots && doc != 0 && app)
                plots.emplace(*app, doc);
            addLayoutItem(*record, plots ? &*plots : nullptr, remembered);
        }
        requestPreviews(drawingKey, doc);
    } catch (const std::exception& error) {
        showError(error);
    }
}

void ViewControls::ShowPreviews()
{
    const QString drawingKey = m_tree.selectedKey();
    acad::DocId doc = 0;
    if (m_list.view() == ListControl::LargeIcons && kindOf(drawingKey) == NodeKind::Drawing)
        ignoringErrors([&] { doc = FindDocument(drawingKey); });
    requestPreviews(drawingKey, doc);
}

void ViewControls::requestPreviews(const QString& drawingKey, acad::DocId doc)
{
    const CAcadobj* drawing =
        kindOf(drawingKey) == NodeKind::Drawing ? Zeichnungen.item(numberOf(drawingKey)) : nullptr;
    if (m_list.view() != ListControl::LargeIcons || !drawing || doc == 0) {
        m_previews->cancel();
        return;
    }
    QList<explorer::LayoutPreviews::Item> items;
    for (const QString& key : m_list.displayedKeys()) {
        const CAcadobj* layout = kindOf(key) == NodeKind::Layout ? Layouts.item(numberOf(key)) : nullptr;
        if (layout)
            items.append({key, layout->AObjId});
    }
    m_previews->request(drawing->Gesamt, doc, items);
}

QList<const CAcadobj*> ViewControls::layoutsInTabOrder(const QString& drawingKey) const
{
    QList<const CAcadobj*> records;
    for (const CAcadobj& record : Layouts) {
        const QString key = keyOf(NodeKind::Layout, record.Nummer);
        if (record.Vorhanden != 0 && m_tree.contains(key) && m_tree.parentKey(key) == drawingKey)
            records.append(&record);
    }
    std::stable_sort(records.begin(), records.end(), [this](const CAcadobj* a, const CAcadobj* b) {
        return tabOrderLess(keyOf(NodeKind::Layout, a->Nummer), keyOf(NodeKind::Layout, b->Nummer));
    });
    return records;
}

// The sort the user last chose for the kind's list; a drawing's layouts come in tab order until then.
void ViewControls::ApplyListSort(NodeKind kind)
{
    const explorer::viewsettings::ListSort fallback{kind == NodeKind::Drawing ? -1 : 0, 0};
    explorer::viewsettings::ListSort sort =
        explorer::viewsettings::listSort(explorer::letterOf(kind)).value_or(fallback);
    if (sort.column >= m_list.columnCount())
        sort = fallback;
    if (sort.column < 0) {
        m_list.setSorted(false);
        return;
    }
    m_list.setSortKey(sort.column);
    m_list.setSortOrder(sort.order);
    m_list.setSorted(true);
}

void ViewControls::SaveListSort()
{
    if (State.SelectedNodeType != NodeKind::Drawing)
        return;
    const int column = m_list.sorted() ? m_list.sortKey() : -1;
    explorer::viewsettings::setListSort(explorer::letterOf(State.SelectedNodeType),
                                        {column, m_list.sortOrder()});
}

void ViewControls::ShowTabOrder()
{
    if (State.SelectedNodeType != NodeKind::Drawing)
        return;
    m_list.setSorted(false);
    SaveListSort();
}

void ViewControls::OpenListItem(const QString& key)
{
    const NodeKind kind = State.SelectedNodeType;
    if (kind != NodeKind::DrawingsRoot && kind != NodeKind::LibraryRoot && kind != NodeKind::Drawing)
        return;
    if (!m_tree.contains(key))
        return;
    m_tree.select(key);
    m_tree.setExpanded(key, true);
    TreeSelectionChanged();
}

void ViewControls::TreeSelectionChanged()
{
    SetTreeDragMode();
    RemoveProvisionalTemplateNode();
    m_host.SetTreeViewViewBySetting();
    SetListViewOptions();
    {
        // FillListView fills the list right after; a fill by the new columns as well would read
        // the layouts or details from the host twice for one click.
        m_fillFollows = true;
        const auto reset = qScopeGuard([this] { m_fillFollows = false; });
        SetListViewColumns();
    }
    FillListView();
    m_host.UpdateStatusBar();
    m_host.VisbibleMnuMenu();
}

} // namespace basViewControls
