// The list half of basViewControls: column sets, widths and orders, view options and the object lists.

#include "ViewHost.h"
#include "basViewControls.h"
#include "basViewControls_p.h"
#include "controls/ListControl.h"
#include "controls/TreeControl.h"

#include <QStringList>
#include <array>
#include <limits>
#include <platform/UserSettings.h>
#include <startup/basAutoCAD.h>

using explorer::ListControl;

namespace basViewControls {

using namespace detail;

namespace {

struct ColumnDef
{
    const char* caption;
    qint32 width;
};

struct ColumnSetDef
{
    const char* kind;
    const char* title;
    QList<ColumnDef> columns;
};

const std::array<ColumnSetDef, 5>& columnSets()
{
    static const std::array<ColumnSetDef, 5> sets{{
        {"A", "Zeichnungen:", {{"Dateiname", 5000}}},
        {"Z",
         "Layouts:",
         {{"Bezeichnung", 2500},
          {"Plotgerät", 2500},
          {"Papierformat", 2500},
          {"Ausrichtung", 2500},
          {"Plotstil", 2500}}},
        {"L", "Layout-Details:", {{"Beschreibung", 2500}, {"Wert", 2500}}},
        {"B", "Vorlagen:", {{"Dateiname", 5000}}},
        {"D", "Vorlage-Details:", {{"Beschreibung", 2500}, {"Wert", 2500}}},
    }};
    return sets;
}

const ColumnSetDef* setDef(qint16 set)
{
    return set >= 1 && set <= 5 ? &columnSets()[set - 1] : nullptr;
}

// The widths of each set, index 0 = the first column, in twips.
std::array<QList<qint32>, 5>& widths()
{
    static std::array<QList<qint32>, 5> arrays = [] {
        std::array<QList<qint32>, 5> defaults;
        for (int s = 0; s < 5; ++s) {
            for (const ColumnDef& column : columnSets()[s].columns)
                defaults[s].append(column.width);
        }
        return defaults;
    }();
    return arrays;
}

QString widthKey(int set, int column)
{
    return QStringLiteral("Col_%1_%2").arg(set).arg(column);
}

QString orderKey(const QString& kind)
{
    return kind + QStringLiteral("ColOrder");
}

// A stored width that is no whole, non-negative 32-bit number keeps the default.
qint32 storedWidth(const QString& text, qint32 fallback)
{
    bool ok = false;
    const qint64 value = text.trimmed().toLongLong(&ok);
    if (!ok || value < 0 || value > std::numeric_limits<qint32>::max())
        return fallback;
    return qint32(value);
}

bool isDetailKind(const QString& kind)
{
    return kind == QLatin1String("L") || kind == QLatin1String("D");
}

QString orientationText(qint32 rotation)
{
    switch (rotation) {
    case 0:
        return QStringLiteral("Hochformat");
    case 1:
        return QStringLiteral("Querformat");
    case 2:
        return QStringLiteral("Hochformat (auf dem Kopf)");
    case 3:
        return QStringLiteral("Querformat (auf dem Kopf)");
    default:
        return {};
    }
}

// Holds the list's sorting while a fill adds its items.
class ListUpdate final
{
public:
    ListUpdate() { list->beginUpdate(); }
    ~ListUpdate() { list->endUpdate(); }
    ListUpdate(const ListUpdate&) = delete;
    ListUpdate& operator=(const ListUpdate&) = delete;
};

QString rememberedKey()
{
    return list->count() > 0 ? list->selectedKey() : QString();
}

void reselect(const QString& key, const QString& remembered)
{
    if (!remembered.isEmpty() && key == remembered)
        list->setSelected(key, true);
}

// The name of the CAD program's active document; "" without one.
QString activeDocumentName()
{
    if (!basAutoCAD::AcadApp)
        return {};
    const acad::ApplicationSnapshot app = basAutoCAD::AcadApp->application();
    for (const acad::DocumentRef& doc : app.documents) {
        if (doc.id == app.activeDocument)
            return doc.name;
    }
    return {};
}

void fillByKind(const QString& kind)
{
    if (kind == QLatin1String("A"))
        ListZeichnungen();
    else if (kind == QLatin1String("Z"))
        ListLayouts();
    else if (kind == QLatin1String("B"))
        ListVorlagen();
    // The rows of a layout's or a template's details are not filled here.
}

// The plot settings of one layout as sub-items; a failing read leaves its cell empty.
void ListPlotSettings(const QString& key, acad::DocId doc, acad::ObjectId layout)
{
    const std::shared_ptr<acad::Host> app = basAutoCAD::AcadApp;
    const acad::PlotSettings plot = app->plotSettings(doc, layout);
    if (plot.canonicalMediaName.isEmpty())
        return;
    ignoreErrors([&] { app->refreshPlotDeviceInfo(doc, layout); });
    ignoreErrors(
        [&] { list->setSubItem(key, 2, app->localeMediaName(doc, layout, plot.canonicalMediaName)); });
    ignoreErrors([&] { list->setSubItem(key, 1, plot.configName); });
    ignoreErrors([&] { list->setSubItem(key, 3, orientationText(plot.plotRotation)); });
    ignoreErrors([&] {
        list->setSubItem(key, 4, plot.styleSheet.isEmpty() ? QStringLiteral("Kein") : plot.styleSheet);
    });
}

void addLayoutItem(const CAcadobj& record, acad::DocId doc, const QString& remembered)
{
    const QString key = QStringLiteral("L") + QString::number(record.Nummer);
    list->addItem(key, record.Layout, 4, 9);
    reselect(key, remembered);
    list->setBold(key, tree->bold(key));
    if (doc != 0 && basAutoCAD::AcadApp)
        ignoreErrors([&] { ListPlotSettings(key, doc, record.AObjId); });
}

} // namespace

qint16 ColumnSetOfKind(const QString& kind)
{
    for (qint16 set = 1; set <= 5; ++set) {
        if (kind == QLatin1String(columnSets()[set - 1].kind))
            return set;
    }
    return 0;
}

void LoadColumnWidths()
{
    for (int s = 0; s < 5; ++s) {
        QList<qint32>& array = widths()[s];
        for (int c = 0; c < array.size(); ++c) {
            const qint32 fallback = columnSets()[s].columns[c].width;
            array[c] =
                storedWidth(platform::GetSetting(widthKey(s + 1, c), QString::number(fallback)), fallback);
        }
    }
}

void CaptureColumnWidths()
{
    if (!attached())
        return;
    if (!setDef(ListColumnSet))
        return;
    QList<qint32>& array = widths()[ListColumnSet - 1];
    for (int c = 0; c < array.size() && c < list->columnCount(); ++c)
        array[c] = qint32(list->columnWidth(c));
}

void SaveColumnWidths()
{
    for (int s = 0; s < 5; ++s) {
        const QList<qint32>& array = widths()[s];
        for (int c = 0; c < array.size(); ++c)
            platform::SaveSetting(widthKey(s + 1, c), QString::number(array[c]));
    }
}

void ApplyColumnOrder(const QString& kind)
{
    if (!attached())
        return;
    if (kind.isEmpty())
        return;
    const QString stored = platform::GetSetting(orderKey(kind));
    if (stored.isEmpty())
        return;
    const QStringList positions = stored.split(QLatin1Char(','));
    for (int column = 0; column < positions.size(); ++column) {
        ignoreErrors([&] {
            bool ok = false;
            const int position = positions[column].trimmed().toInt(&ok);
            if (ok)
                list->setColumnPosition(column, position);
        });
    }
    // The grid style only redraws the moved columns after a switch off and on.
    if (list->gridLines()) {
        list->setGridLines(false);
        list->setGridLines(true);
    }
}

void SaveColumnOrder(const QString& kind)
{
    if (!attached())
        return;
    if (kind.isEmpty() || list->columnCount() == 0)
        return;
    QStringList positions;
    for (int column = 0; column < list->columnCount(); ++column)
        positions.append(QString::number(list->columnPosition(column)));
    platform::SaveSetting(orderKey(kind), positions.join(QLatin1Char(',')));
}

void SetListViewColumns()
{
    if (!attached())
        return;
    const qint16 wanted = ColumnSetOfKind(selectedKind());
    if (wanted == 0 || wanted == ListColumnSet)
        return;
    list->clearItems();
    CaptureColumnWidths();
    CreateColumns(wanted);
}

void CreateColumns(qint16 set)
{
    if (!attached())
        return;
    const ColumnSetDef* def = setDef(set);
    if (!def)
        return;
    try {
        ListColumnSet = set;
        list->clearColumns();
        if (host)
            host->setListTitle(QString::fromUtf8(def->title));
        const QList<qint32>& array = widths()[set - 1];
        for (int c = 0; c < def->columns.size(); ++c)
            list->addColumn(QString::fromUtf8(def->columns[c].caption), array[c]);
        fillByKind(QString::fromLatin1(def->kind));
    } catch (const std::exception& error) {
        showError(error);
    }
}

void FillListView()
{
    if (!attached())
        return;
    const QString kind = selectedKind();
    const bool changed = kind != SelectedNodeType;
    if (changed)
        list->clearItems();
    if (kind != QLatin1String("L"))
        list->setSorted(true);
    else if (changed)
        list->setSorted(false);
    fillByKind(kind);
    if (changed)
        ApplyColumnOrder(kind);
    SelectedNodeType = kind;
}

void SetListViewOptions()
{
    if (!attached())
        return;
    try {
        const QString kind = selectedKind();
        if (kind != SelectedNodeType)
            SaveColumnOrder(SelectedNodeType);
        const bool layouts = kind == QLatin1String("Z");
        list->setMultiSelect(layouts);
        if (host)
            host->setSelectionCommandsEnabled(layouts);
        const bool details = isDetailKind(kind);
        if (host)
            host->setViewModeCommandsEnabled(!details);
        list->setGridLines(details);
        if (details) {
            if (list->view() != ListControl::Details)
                list->setView(ListControl::Details);
        } else if (host && host->pressedViewMode() >= 0) {
            list->setView(host->pressedViewMode());
        }
    } catch (const std::exception& error) {
        showError(error);
    }
}

void SetListItemTexts(qint16 newMode)
{
    if (!attached())
        return;
    try {
        const bool drawings = SelectedNodeType == QLatin1String("A");
        if (!drawings && SelectedNodeType != QLatin1String("B"))
            return;
        const bool large = newMode == ListControl::LargeIcons;
        if (large == (list->view() == ListControl::LargeIcons))
            return;
        for (const QString& key : list->keys()) {
            const QString number = numberOf(key);
            if (drawings) {
                if (const CAcadobj* record = Zeichnungen.item(number))
                    list->setText(key, large ? record->Zeichnung : record->Gesamt);
            } else if (const CVorlage* record = Vorlagen.item(number)) {
                list->setText(key, large ? record->Datei : record->Gesamt);
            }
        }
    } catch (const std::exception& error) {
        showError(error);
    }
}

void ListZeichnungen()
{
    if (!attached())
        return;
    try {
        const ListUpdate update;
        const QString remembered = rememberedKey();
        list->clearItems();
        const bool large = list->view() == ListControl::LargeIcons;
        QString active;
        bool activeRead = false;
        for (const CAcadobj& record : Zeichnungen) {
            if (record.Vorhanden == 0)
                continue;
            if (!activeRead) {
                active = activeDocumentName().toUpper();
                activeRead = true;
            }
            const QString key = QStringLiteral("Z") + QString::number(record.Nummer);
            list->addItem(key, large ? record.Zeichnung : record.Gesamt, 1, 13);
            reselect(key, remembered);
            list->setToolTip(key, record.Zeichnung);
            list->setBold(key, !active.isEmpty() && record.Zeichnung.toUpper() == active);
        }
    } catch (const std::exception& error) {
        showError(error);
    }
}

void ListVorlagen()
{
    if (!attached())
        return;
    try {
        const ListUpdate update;
        const QString remembered = rememberedKey();
        list->clearItems();
        const bool large = list->view() == ListControl::LargeIcons;
        for (const CVorlage& record : Vorlagen) {
            if (record.Vorhanden == 0)
                continue;
            const QString key = QStringLiteral("D") + QString::number(record.Nummer);
            const bool dwt = isDwt(record.Gesamt);
            list->addItem(key, large ? record.Datei : record.Gesamt, dwt ? 2 : 3, dwt ? 4 : 5);
            reselect(key, remembered);
            list->setToolTip(key, record.Datei);
        }
    } catch (const std::exception& error) {
        showError(error);
    }
}

void ListLayouts()
{
    if (!attached())
        return;
    try {
        const ListUpdate update;
        const QString remembered = rememberedKey();
        const QString drawingKey = tree->selectedKey();
        acad::DocId doc = 0;
        ignoreErrors([&] { doc = FindDocument(drawingKey); });
        list->clearItems();
        for (const CAcadobj& record : Layouts) {
            const QString key = QStringLiteral("L") + QString::number(record.Nummer);
            if (record.Vorhanden == 0 || !tree->contains(key) || tree->parentKey(key) != drawingKey)
                continue;
            addLayoutItem(record, doc, remembered);
        }
    } catch (const std::exception& error) {
        showError(error);
    }
}

void OpenListItem(const QString& key)
{
    if (!attached())
        return;
    const QString kind = SelectedNodeType;
    if (kind != QLatin1String("A") && kind != QLatin1String("B") && kind != QLatin1String("Z"))
        return;
    if (!tree->contains(key))
        return;
    tree->select(key);
    tree->setExpanded(key, true);
    TreeSelectionChanged();
}

void TreeSelectionChanged()
{
    if (!attached())
        return;
    SetTreeDragMode();
    RemoveProvisionalTemplateNode();
    if (host)
        host->SetTreeViewViewBySetting();
    SetListViewOptions();
    SetListViewColumns();
    FillListView();
    if (host) {
        host->UpdateStatusBar();
        host->VisbibleMnuMenu();
    }
}

} // namespace basViewControls
