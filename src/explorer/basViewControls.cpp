#include "basViewControls.h"

#include "AcadConnection.h"
#include "LayoutPreviews.h"
#include "ViewHost.h"
#include "controls/ListControl.h"
#include "controls/TreeControl.h"

#include <QDir>
#include <QFileInfo>
#include <acad/CommandString.h>
#include <acad/Error.h>
#include <acad/Host.h>
#include <algorithm>
#include <filesystem>
#include <limits>
#include <platform/Error.h>
#include <platform/MsgBox.h>
#include <platform/NaturalOrder.h>
#include <settings/basAllgemein.h>
#include <settings/basDatenbank.h>
#include <stdexcept>

using explorer::keyOf;
using explorer::kindOf;
using explorer::numberOf;
using explorer::TreeControl;
using platform::ignoringErrors;

namespace basViewControls {

namespace {

const QString kRootDrawings = QStringLiteral("A");
const QString kRootLibrary = QStringLiteral("B");
const QString kModel = QStringLiteral("Model");

// Whether a file name or path ends in "DWT", ignoring case.
bool isDwt(const QString& name)
{
    return name.right(3).toUpper() == QLatin1String("DWT");
}

struct TemplateFiles
{
    QStringList names;
    // Files whose name cannot be handed on as it stands.
    QStringList skipped;
};

// A name as the folder holds it; false when its bytes are not valid UTF-8: the name then reads with a
// replacement character and names no file that could be opened.
bool decodedName(const std::string& bytes, QString* name)
{
    *name = QString::fromStdString(bytes);
    return name->toStdString() == bytes;
}

bool isLibraryFile(const QString& name)
{
    const QString ending = name.right(3).toUpper();
    return !name.startsWith(QLatin1Char('.')) && name.contains(QLatin1String(".dw"), Qt::CaseInsensitive) &&
           (ending == QLatin1String("DWG") || ending == QLatin1String("DWT"));
}

// The drawing and template files of the library folder in the shared natural name order; hidden files and
// other ".dw*" files (.dws, .dwf) pass. Names with a control character (they would act on the CAD program's
// command line) or that are not UTF-8 are skipped. Qt's own listing leaves the latter out unseen, so the
// folder is read directly.
TemplateFiles templateFiles(const QString& folder)
{
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir() || !info.isReadable())
        throw std::runtime_error("Vorlagen-Ordner fehlt");
    TemplateFiles files;
    std::error_code error;
    for (const auto& entry :
         std::filesystem::directory_iterator(QFile::encodeName(folder).toStdString(), error)) {
        std::error_code notAFile;
        QString name;
        const bool decoded = decodedName(entry.path().filename().string(), &name);
        if (!entry.is_regular_file(notAFile) || !isLibraryFile(name))
            continue;
        (decoded && !acad::hasControlCharacter(name) ? files.names : files.skipped).append(name);
    }
    if (error)
        throw std::runtime_error("Vorlagen-Ordner kann nicht gelesen werden");
    for (QStringList* list : {&files.names, &files.skipped}) {
        std::stable_sort(list->begin(), list->end(), platform::naturalLess);
    }
    return files;
}

} // namespace

void showError(const std::exception& error)
{
    platform::MsgBox(platform::describe(error));
}

ViewControls::ViewControls(explorer::TreeControl& tree, explorer::ListControl& list, explorer::ViewHost& host,
                           explorer::AcadConnection& connection, basDatenbank::Definitions& definitions,
                           const explorer::LayoutContentsReader& layoutContents)
    : m_tree(tree), m_list(list), m_host(host), m_connection(connection), m_definitions(definitions),
      m_layoutContents(layoutContents), m_previews(std::make_unique<explorer::LayoutPreviews>(connection))
{
    connect(&m_tree, &TreeControl::nodeClick, this, [this] { TreeSelectionChanged(); });
    // The CAD program stays where it is: the user goes on working in the tree.
    connect(&m_tree, &TreeControl::nodeDoubleClicked, this, [this] { ActivateSelectedNode(1); });
    connect(&m_list, &explorer::ListControl::itemDoubleClicked, this,
            [this](const QString& key) { OpenListItem(key); });
    connect(m_previews.get(), &explorer::LayoutPreviews::ready, this,
            [this](const QString& key, const QImage& picture) {
                if (!m_list.contains(key))
                    return;
                // Pictures want more room than the images; the list grows once, at the first.
                m_list.setLargeIconSize(m_previews->size());
                m_list.setPicture(key, QIcon(QPixmap::fromImage(picture)));
            });
    LoadColumnWidths();
}

ViewControls::~ViewControls() = default;

NodeKind ViewControls::selectedKind() const
{
    return kindOf(m_tree.selectedKey());
}

// A refresh that would take the counter past its largest value is refused, never wrapped.
void ViewControls::NextNodeNummer()
{
    if (State.NodeNummer == std::numeric_limits<qint32>::max())
        throw std::overflow_error("Überlauf");
    ++State.NodeNummer;
}

template <class Record>
ViewControls::Match ViewControls::markPresent(RecordCollection<Record>& records, const QString& gesamt,
                                              NodeKind kind, bool active)
{
    Match match;
    for (Record* record : records.matches(gesamt)) {
        record->Vorhanden = 1;
        if (active)
            SetActiveNode(keyOf(kind, record->Nummer));
        match = {true, record->Nummer};
    }
    return match;
}

// With no key and no image yet: the new node of the object that NodeNummer was just counted for.
void ViewControls::AddTreeNode(const QString& text, bool isTemplate, bool isActive, qint32 parentNumber)
{
    try {
        if (isTemplate) {
            const bool dwt = isDwt(text);
            m_tree.addNode(kRootLibrary, keyOf(NodeKind::Template, State.NodeNummer), text, dwt ? 6 : 7,
                           dwt ? 4 : 5);
            return;
        }
        const bool layout = parentNumber != 0;
        const QString key = keyOf(layout ? NodeKind::Layout : NodeKind::Drawing, State.NodeNummer);
        const QString parent = layout ? keyOf(NodeKind::Drawing, parentNumber) : kRootDrawings;
        m_tree.addNode(parent, key, text, layout ? 8 : 12, layout ? 9 : 13);
        if (!isActive)
            return;
        m_tree.setBold(key, true);
        if (!layout)
            m_tree.setExpanded(key, true);
        if (!State.TreeFilled)
            m_tree.select(key);
    } catch (const std::exception& error) {
        showError(error);
    }
}

qint32 ViewControls::CheckZeichnung(const QString& folder, const QString& name, bool active)
{
    const QString gesamt = gesamtOf(folder, name);
    const Match match = markPresent(Zeichnungen, gesamt, NodeKind::Drawing, active);
    if (match.found)
        return match.number;
    CAcadobj record;
    record.Vorhanden = 1;
    record.Gesamt = gesamt;
    record.Zeichnung = name;
    record.Nummer = State.NodeNummer;
    Zeichnungen.add(QString::number(State.NodeNummer), record);
    AddTreeNode(name, false, active, 0);
    return State.NodeNummer;
}

void ViewControls::CheckLayout(const QString& folder, const QString& drawing, const acad::LayoutRef& layout,
                               bool active, qint32 drawingNumber)
{
    const QString gesamt = layoutGesamtOf(folder, drawing, layout.name);
    bool found = false;
    for (CAcadobj* record : Layouts.matches(gesamt)) {
        // A drawing closed and opened again gives its layouts new ids; the records follow them.
        record->AObjId = layout.id;
        m_tabOrders.insert(record->Nummer, layout.tabOrder);
        found = true;
    }
    if (found) {
        markPresent(Layouts, gesamt, NodeKind::Layout, active);
        return;
    }
    CAcadobj record;
    record.Vorhanden = 1;
    record.Gesamt = gesamt;
    record.Zeichnung = drawing;
    record.Layout = layout.name;
    record.Nummer = State.NodeNummer;
    record.AObjId = layout.id;
    Layouts.add(QString::number(State.NodeNummer), record);
    m_tabOrders.insert(State.NodeNummer, layout.tabOrder);
    AddTreeNode(layout.name, false, active, drawingNumber);
}

void ViewControls::CheckDocument(const acad::DocumentSnapshot& doc, const QString& activeName)
{
    NextNodeNummer();
    // By name, as the CAD program reports the active drawing: equal names in two folders both count.
    const bool active = doc.ref.name == activeName;
    const qint32 number = CheckZeichnung(doc.ref.path, doc.ref.name, active);
    for (const acad::LayoutRef& layout : doc.layouts) {
        if (layout.name == kModel)
            continue;
        NextNodeNummer();
        CheckLayout(doc.ref.path, doc.ref.name, layout, active && layout.name == doc.activeLayout, number);
    }
}

template <class Record> void ViewControls::removeMissing(RecordCollection<Record>& records, NodeKind kind)
{
    for (const Record& record : records) {
        if (record.Vorhanden == 0)
            ignoringErrors([&] { m_tree.removeNode(keyOf(kind, record.Nummer)); });
    }
    records.removeIf([](const Record& record) { return record.Vorhanden == 0; });
}

void ViewControls::RemoveMissingObjects()
{
    removeMissing(Zeichnungen, NodeKind::Drawing);
    removeMissing(Layouts, NodeKind::Layout);
}

void ViewControls::CheckVorlage(const QString& name, const QString& folder)
{
    const QString gesamt = gesamtOf(folder, name);
    if (markPresent(Vorlagen, gesamt, NodeKind::Template, false).found)
        return;
    CVorlage record;
    record.Vorhanden = 1;
    record.Nummer = State.NodeNummer;
    record.Datei = name;
    record.Gesamt = gesamt;
    Vorlagen.add(QString::number(State.NodeNummer), record);
    AddTreeNode(name, true, false, 0);
}

void ViewControls::styleRoot(const QString& key, const QString& text, int image, bool grey)
{
    m_tree.setText(key, text);
    m_tree.setImage(key, image);
    m_tree.setTextColour(key,
                         grey ? TreeControl::TextColour::AppWorkspace : TreeControl::TextColour::ButtonText);
}

void ViewControls::RefreshDrawingsRoot()
{
    m_tree.setImage(kRootDrawings, 2);
    m_tree.setExpanded(kRootDrawings, true);
    m_tree.setTextColour(kRootDrawings, TreeControl::TextColour::ButtonText);
    if (!State.TreeFilled)
        m_tree.select(kRootDrawings);
    if (m_connection.acadApp()) {
        styleRoot(kRootDrawings, QStringLiteral("Geladene Zeichnungen"), 2, false);
        m_tree.setBold(kRootDrawings, true);
        UpdateDrawingNodes();
    } else {
        styleRoot(kRootDrawings, QStringLiteral("AutoCAD nicht aktiv!"), 10, true);
        m_tree.setBold(kRootDrawings, false);
        RemoveDrawingNodes();
    }
}

void ViewControls::RefreshLibraryRoot()
{
    m_tree.setImage(kRootLibrary, 3);
    m_tree.setExpanded(kRootLibrary, true);
    m_tree.setTextColour(kRootLibrary, TreeControl::TextColour::ButtonText);
    ReadVorlagen();
    if (Vorlagen.isEmpty()) {
        styleRoot(kRootLibrary, QStringLiteral("Keine Vorlagen vorhanden!"), 11, true);
        m_tree.setBold(kRootLibrary, false);
    } else {
        styleRoot(kRootLibrary, QStringLiteral("Bibliothek"), 3, false);
    }
}

// A refresh that removed the selected node leaves the tree's own choice selected; the list then
// follows that node's kind, columns included.
void ViewControls::RefreshViewsAfterFill()
{
    if (m_tree.selectedKey().isEmpty())
        m_tree.select(kRootDrawings);
    SetTreeDragMode();
    m_host.UpdateStatusBar();
    SetListViewOptions();
    SetListViewColumns();
    FillListView();
    m_host.VisbibleMnuMenu();
}

void ViewControls::InitTreeView()
{
    m_tree.clear();
    Zeichnungen.clear();
    Layouts.clear();
    Vorlagen.clear();
    m_tabOrders.clear();
    m_libraryWatch.invalidate();
    State.NodeNummer = 0;
    State.TreeFilled = false;
    State.ProvisionalTemplateNode = false;
    m_tree.addNode(QString(), kRootDrawings, QStringLiteral("Geladene Zeichnungen"), 2);
    m_tree.setExpanded(kRootDrawings, true);
    m_tree.setTextColour(kRootDrawings, TreeControl::TextColour::ButtonText);
    m_tree.select(kRootDrawings);
    m_tree.addNode(QString(), kRootLibrary, QStringLiteral("Bibliothek"), 3);
    m_tree.setExpanded(kRootLibrary, true);
}

void ViewControls::FillTreeView()
{
    ignoringErrors([this] { m_definitions.LoadBloecke(); });
    m_tree.setUpdatesEnabled(false);
    RefreshDrawingsRoot();
    RefreshLibraryRoot();
    m_tree.setUpdatesEnabled(true);
    State.TreeFilled = true;
    RefreshViewsAfterFill();
}

void ViewControls::UpdateDrawingNodes()
{
    const std::shared_ptr<acad::Host> app = m_connection.acadApp();
    if (!app)
        return;
    try {
        // A host without drawings has none to show: the nodes of drawings closed since go too.
        const acad::ApplicationSnapshot snapshot = app->application();
        QString activeName;
        for (const acad::DocumentRef& doc : snapshot.documents) {
            if (doc.id == snapshot.activeDocument)
                activeName = doc.name;
        }
        // Every drawing in one call: a refresh costs the same however many drawings are open.
        const QList<acad::DocumentSnapshot> documents = app->documentSnapshots();
        ClearBoldNodes();
        Zeichnungen.forEach([](CAcadobj& record) { record.Vorhanden = 0; });
        Layouts.forEach([](CAcadobj& record) { record.Vorhanden = 0; });
        m_tabOrders.clear();
        for (const acad::DocumentSnapshot& doc : documents)
            CheckDocument(doc, activeName);
        RemoveMissingObjects();
        OrderLayoutNodes();
    } catch (const std::exception& error) {
        platform::MsgBox(
            platform::withDescription(
                QStringLiteral("Geladene AutoCAD-Zeichnungen können nicht ermittelt werden!"), error),
            platform::vbCritical);
    }
}

void ViewControls::RemoveDrawingNodes()
{
    for (const CAcadobj& record : Zeichnungen)
        ignoringErrors([&] { m_tree.removeNode(keyOf(NodeKind::Drawing, record.Nummer)); });
    for (const CAcadobj& record : Layouts)
        ignoringErrors([&] { m_tree.removeNode(keyOf(NodeKind::Layout, record.Nummer)); });
    Zeichnungen.clear();
    Layouts.clear();
    m_tabOrders.clear();
}

// Only a library that changed is listed again: the watch knows, and "Aktualisieren" insists.
void ViewControls::ReadVorlagen()
{
    try {
        const auto typ = m_definitions.gTypen.Item(QStringLiteral("1"));
        if (!typ)
            throw std::runtime_error("Typ 1 fehlt");
        State.VorlagenPfad = typ->Verzeichnis;
        if (!m_libraryWatch.needsRead(State.VorlagenPfad))
            return;
        listVorlagenFiles();
    } catch (const std::exception& error) {
        // The nodes of the last scan stay, and so does what the list shows of them.
        Vorlagen.forEach([](CVorlage& record) { record.Vorhanden = 1; });
        platform::MsgBox(
            platform::withDescription(QStringLiteral("Vorlagen-Ordner kann nicht gelesen werden!"), error),
            platform::vbCritical);
    }
}

void ViewControls::listVorlagenFiles()
{
    m_libraryWatch.beginRead(State.VorlagenPfad);
    Vorlagen.forEach([](CVorlage& record) { record.Vorhanden = 0; });
    const qint32 numberBefore = State.NodeNummer;
    const TemplateFiles files = templateFiles(State.VorlagenPfad);
    for (const QString& name : files.names) {
        NextNodeNummer();
        CheckVorlage(name, State.VorlagenPfad);
    }
    removeMissing(Vorlagen, NodeKind::Template);
    // New files join the nodes at the end; only then does the library need sorting again.
    const bool added = std::any_of(Vorlagen.begin(), Vorlagen.end(),
                                   [&](const CVorlage& r) { return r.Nummer > numberBefore; });
    if (added && numberBefore > 0) {
        QStringList keys = m_tree.childKeys(kRootLibrary);
        std::stable_sort(keys.begin(), keys.end(), [this](const QString& a, const QString& b) {
            return platform::naturalLess(m_tree.text(a), m_tree.text(b));
        });
        m_tree.orderChildren(kRootLibrary, keys);
    }
    m_libraryWatch.endRead();
    reportSkippedTemplates(files.skipped);
}

void ViewControls::InvalidateLibrary()
{
    m_libraryWatch.invalidate();
}

bool ViewControls::tabOrderLess(const QString& aKey, const QString& bKey) const
{
    const qint32 a = m_tabOrders.value(numberOf(aKey).toInt());
    const qint32 b = m_tabOrders.value(numberOf(bKey).toInt());
    if (a != b)
        return a < b;
    return platform::naturalLess(m_tree.text(aKey), m_tree.text(bKey));
}

// Each drawing's layouts in the host's tab order: a layout added, moved or renamed there takes its
// place on the next refresh.
void ViewControls::OrderLayoutNodes()
{
    for (const CAcadobj& drawing : Zeichnungen) {
        const QString key = keyOf(NodeKind::Drawing, drawing.Nummer);
        if (!m_tree.contains(key))
            continue;
        QStringList children = m_tree.childKeys(key);
        std::stable_sort(children.begin(), children.end(),
                         [this](const QString& a, const QString& b) { return tabOrderLess(a, b); });
        m_tree.orderChildren(key, children);
    }
}

void ViewControls::reportSkippedTemplates(const QStringList& skipped)
{
    if (skipped == m_skippedTemplates)
        return;
    m_skippedTemplates = skipped;
    if (skipped.isEmpty())
        return;
    QStringList shown;
    for (const QString& name : skipped)
        shown.append(acad::visibleControls(name));
    platform::MsgBox(QStringLiteral("Diese Dateien der Bibliothek werden nicht angezeigt, weil ihr Name "
                                    "Steuerzeichen oder ungültige Zeichen enthält:\n\n%1\n\n"
                                    "Benennen Sie die Dateien um, um sie zu verwenden.")
                         .arg(shown.join(QLatin1Char('\n'))),
                     platform::vbExclamation);
}

void ViewControls::SetSelectedNodeType()
{
    State.SelectedNodeType = selectedKind();
}

void ViewControls::SetActiveNode(const QString& key)
{
    if (!m_tree.contains(key))
        return;
    m_tree.setBold(key, true);
    if (!State.TreeFilled)
        m_tree.select(key);
}

void ViewControls::ClearBoldNodes()
{
    // Only drawings and layouts are ever marked: the library's nodes need no visit.
    m_tree.clearBoldBelow(kRootDrawings);
}

void ViewControls::ClearBoldListItems()
{
    for (const QString& key : m_list.keys())
        m_list.setBold(key, false);
}

void ViewControls::SetTreeDragMode()
{
    const NodeKind kind = selectedKind();
    const bool root = kind == NodeKind::DrawingsRoot || kind == NodeKind::LibraryRoot;
    m_tree.setDragMode(root ? TreeControl::DragMode::Manual : TreeControl::DragMode::Automatic);
}

void ViewControls::RemoveProvisionalTemplateNode()
{
    if (!State.ProvisionalTemplateNode)
        return;
    State.ProvisionalTemplateNode = false;
    ignoringErrors([this] { m_tree.removeNode(QStringLiteral("D0")); });
}

void ViewControls::DeleteSelectedTemplate()
{
    try {
        const QString selected = m_tree.selectedKey();
        const QString key = selected == kRootLibrary ? m_list.selectedKey() : selected;
        const CVorlage* record = kindOf(key) == NodeKind::Template ? Vorlagen.item(numberOf(key)) : nullptr;
        if (!record)
            throw std::runtime_error("Keine Vorlage ausgewählt!");
        bool deleted = false;
        basAllgemein::DateiLoeschen(record->Gesamt, deleted);
        if (deleted)
            FillTreeView();
    } catch (const std::exception& error) {
        showError(error);
    }
}

template <class Record>
QString ViewControls::gesamtOfSelection(RecordCollection<Record>& records, bool fromList, const char* nothing)
{
    try {
        const QString key = fromList ? m_list.selectedKey() : m_tree.selectedKey();
        bool ok = false;
        const qint32 number = numberOf(key).toInt(&ok);
        const Record* record = ok ? records.item(QString::number(number)) : nullptr;
        if (!record)
            throw std::runtime_error(nothing);
        return record->Gesamt;
    } catch (const std::exception& error) {
        showError(error);
        return {};
    }
}

QString ViewControls::GetZeichnungGesamt(bool fromList)
{
    return gesamtOfSelection(Zeichnungen, fromList, "Keine Zeichnung ausgewählt!");
}

QString ViewControls::GetVorlageGesamt(bool fromList)
{
    return gesamtOfSelection(Vorlagen, fromList, "Keine Vorlage ausgewählt!");
}

acad::DocId ViewControls::FindDocument(const QString& drawingKey)
{
    const CAcadobj* record = Zeichnungen.item(numberOf(drawingKey));
    const std::shared_ptr<acad::Host> app = m_connection.acadApp();
    if (!record || !app)
        return 0;
    const QString wanted = record->Gesamt.toUpper();
    acad::DocId found = 0;
    for (const acad::DocumentRef& doc : app->application().documents) {
        if (gesamtOf(doc.path, doc.name).toUpper() == wanted)
            found = doc.id;
    }
    return found;
}

} // namespace basViewControls
