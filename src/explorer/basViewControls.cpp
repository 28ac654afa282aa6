#include "basViewControls.h"

#include "ViewHost.h"
#include "basViewControls_p.h"
#include "controls/ControlError.h"
#include "controls/ListControl.h"
#include "controls/TreeControl.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <acad/Error.h>
#include <limits>
#include <platform/MsgBox.h>
#include <platform/ProgramFolder.h>
#include <settings/basAllgemein.h>
#include <settings/basDatenbank.h>
#include <startup/basAutoCAD.h>
#include <stdexcept>

using explorer::TreeControl;

namespace basViewControls {

qint32 NodeNummer = 0;
QString SelectedNodeType;
qint16 ListColumnSet = 0;
QString VorlagenPfad;
bool TreeFilled = false;
bool ProvisionalTemplateNode = false;

RecordCollection<CAcadobj> Zeichnungen;
RecordCollection<CAcadobj> Layouts;
RecordCollection<CVorlage> Vorlagen;

namespace detail {

explorer::TreeControl* tree = nullptr;
explorer::ListControl* list = nullptr;
explorer::ViewHost* host = nullptr;

QString errorText(const std::exception& error)
{
    if (const auto* acadError = dynamic_cast<const acad::Error*>(&error))
        return acadError->description();
    if (const auto* controlError = dynamic_cast<const explorer::ControlError*>(&error))
        return controlError->description();
    return QString::fromUtf8(error.what());
}

void showError(const std::exception& error)
{
    platform::MsgBox(errorText(error));
}

void ignoreErrors(const std::function<void()>& step)
{
    try {
        step();
    } catch (const std::exception&) {
        // This step is skipped on purpose; the next one runs.
    }
}

bool attached()
{
    return tree && list;
}

QString selectedKind()
{
    return tree ? tree->selectedKey().left(1) : QString();
}

QString numberOf(const QString& key)
{
    return key.mid(1);
}

QString gesamtOf(const QString& folder, const QString& name)
{
    return platform::joinPath(folder, name);
}

bool isDwt(const QString& name)
{
    return name.right(3).toUpper() == QLatin1String("DWT");
}

} // namespace detail

using namespace detail;

namespace {

const QString kRootDrawings = QStringLiteral("A");
const QString kRootLibrary = QStringLiteral("B");
const QString kModel = QStringLiteral("Model");

// A refresh that would take the counter past its largest value is refused, never wrapped.
void NextNodeNummer()
{
    if (NodeNummer == std::numeric_limits<qint32>::max())
        throw std::overflow_error("Überlauf");
    ++NodeNummer;
}

struct Match
{
    bool found = false;
    qint32 number = 0;
};

template <class Record>
Match markPresent(RecordCollection<Record>& records, const QString& gesamt, const QString& kind, bool active)
{
    Match match;
    for (Record* record : records.matches(gesamt)) {
        record->Vorhanden = 1;
        if (active)
            SetActiveNode(kind + QString::number(record->Nummer));
        match = {true, record->Nummer};
    }
    return match;
}

// With no key and no image yet: the new node of the object that NodeNummer was just counted for.
void AddTreeNode(const QString& text, bool isTemplate, bool isActive, qint32 parentNumber)
{
    const QString number = QString::number(NodeNummer);
    try {
        if (isTemplate) {
            const bool dwt = isDwt(text);
            tree->addNode(kRootLibrary, QStringLiteral("D") + number, text, dwt ? 6 : 7, dwt ? 4 : 5);
            return;
        }
        const bool layout = parentNumber != 0;
        const QString key = (layout ? QStringLiteral("L") : QStringLiteral("Z")) + number;
        const QString parent = layout ? QStringLiteral("Z") + QString::number(parentNumber) : kRootDrawings;
        tree->addNode(parent, key, text, layout ? 8 : 12, layout ? 9 : 13);
        if (!isActive)
            return;
        tree->setBold(key, true);
        if (!layout)
            tree->setExpanded(key, true);
        if (!TreeFilled)
            tree->select(key);
    } catch (const std::exception& error) {
        showError(error);
    }
}

qint32 CheckZeichnung(const QString& folder, const QString& name, bool active)
{
    const QString gesamt = gesamtOf(folder, name);
    const Match match = markPresent(Zeichnungen, gesamt, QStringLiteral("Z"), active);
    if (match.found)
        return match.number;
    CAcadobj record;
    record.Vorhanden = 1;
    record.Gesamt = gesamt;
    record.Zeichnung = name;
    record.Nummer = NodeNummer;
    Zeichnungen.add(QString::number(NodeNummer), record);
    AddTreeNode(name, false, active, 0);
    return NodeNummer;
}

void CheckLayout(const QString& folder, const QString& drawing, const acad::LayoutRef& layout, bool active,
                 qint32 drawingNumber)
{
    const QString gesamt = gesamtOf(folder, drawing) + QLatin1Char(';') + layout.name;
    if (markPresent(Layouts, gesamt, QStringLiteral("L"), active).found)
        return;
    CAcadobj record;
    record.Vorhanden = 1;
    record.Gesamt = gesamt;
    record.Zeichnung = drawing;
    record.Layout = layout.name;
    record.Nummer = NodeNummer;
    record.AObjId = layout.id;
    Layouts.add(QString::number(NodeNummer), record);
    AddTreeNode(layout.name, false, active, drawingNumber);
}

void CheckDocument(const acad::DocumentRef& doc, const QString& activeName)
{
    NextNodeNummer();
    const bool active = doc.name == activeName;
    const qint32 number = CheckZeichnung(doc.path, doc.name, active);
    const acad::DocumentSnapshot snapshot = basAutoCAD::AcadApp->document(doc.id);
    for (const acad::LayoutRef& layout : snapshot.layouts) {
        if (layout.name == kModel)
            continue;
        NextNodeNummer();
        CheckLayout(doc.path, doc.name, layout, active && layout.name == snapshot.activeLayout, number);
    }
}

template <class Record> void removeMissing(RecordCollection<Record>& records, const QString& kind)
{
    for (const Record& record : records) {
        if (record.Vorhanden == 0)
            ignoreErrors([&] { tree->removeNode(kind + QString::number(record.Nummer)); });
    }
    records.removeIf([](const Record& record) { return record.Vorhanden == 0; });
}

void RemoveMissingObjects()
{
    removeMissing(Zeichnungen, QStringLiteral("Z"));
    removeMissing(Layouts, QStringLiteral("L"));
}

void CheckVorlage(const QString& name, const QString& folder)
{
    const QString gesamt = gesamtOf(folder, name);
    if (markPresent(Vorlagen, gesamt, QStringLiteral("D"), false).found)
        return;
    CVorlage record;
    record.Vorhanden = 1;
    record.Nummer = NodeNummer;
    record.Datei = name;
    record.Gesamt = gesamt;
    Vorlagen.add(QString::number(NodeNummer), record);
    AddTreeNode(name, true, false, 0);
}

void RemoveMissingVorlagen()
{
    removeMissing(Vorlagen, QStringLiteral("D"));
}

// The drawing and template files of the library folder; other ".dw*" files (.dws, .dwf) pass.
QStringList templateFiles(const QString& folder)
{
    const QFileInfo info(folder);
    if (folder.isEmpty() || !info.isDir() || !info.isReadable())
        throw std::runtime_error("Vorlagen-Ordner fehlt");
    QStringList names;
    QDirIterator entries(folder, {QStringLiteral("*.dw*")}, QDir::Files | QDir::Hidden);
    while (entries.hasNext()) {
        const QString name = entries.nextFileInfo().fileName();
        const QString ending = name.right(3).toUpper();
        if (ending == QLatin1String("DWG") || ending == QLatin1String("DWT"))
            names.append(name);
    }
    return names;
}

void styleRoot(const QString& key, const QString& text, int image, bool grey)
{
    tree->setText(key, text);
    tree->setImage(key, image);
    tree->setTextColour(key,
                        grey ? TreeControl::TextColour::AppWorkspace : TreeControl::TextColour::ButtonText);
}

void RefreshDrawingsRoot()
{
    tree->setImage(kRootDrawings, 2);
    tree->setExpanded(kRootDrawings, true);
    tree->setTextColour(kRootDrawings, TreeControl::TextColour::ButtonText);
    if (!TreeFilled)
        tree->select(kRootDrawings);
    if (basAutoCAD::AcadApp) {
        styleRoot(kRootDrawings, QStringLiteral("Geladene Zeichnungen"), 2, false);
        tree->setBold(kRootDrawings, true);
        UpdateDrawingNodes();
    } else {
        styleRoot(kRootDrawings, QStringLiteral("AutoCAD nicht aktiv!"), 10, true);
        tree->setBold(kRootDrawings, false);
        RemoveDrawingNodes();
    }
}

void RefreshLibraryRoot()
{
    tree->setImage(kRootLibrary, 3);
    tree->setExpanded(kRootLibrary, true);
    tree->setTextColour(kRootLibrary, TreeControl::TextColour::ButtonText);
    ReadVorlagen();
    if (Vorlagen.isEmpty()) {
        styleRoot(kRootLibrary, QStringLiteral("Keine Vorlagen vorhanden!"), 11, true);
        tree->setBold(kRootLibrary, false);
    } else {
        styleRoot(kRootLibrary, QStringLiteral("Bibliothek"), 3, false);
    }
}

// A refresh that removed the selected node leaves the tree's own choice selected; the list then
// follows that node's kind, columns included.
void RefreshViewsAfterFill()
{
    if (tree->selectedKey().isEmpty())
        tree->select(kRootDrawings);
    SetTreeDragMode();
    if (host)
        host->UpdateStatusBar();
    SetListViewOptions();
    SetListViewColumns();
    FillListView();
    if (host)
        host->VisbibleMnuMenu();
}

} // namespace

namespace {

QMetaObject::Connection gNodeClick;
QMetaObject::Connection gListOpen;

} // namespace

void attach(explorer::TreeControl* tree, explorer::ListControl* list, explorer::ViewHost* host)
{
    QObject::disconnect(gNodeClick);
    QObject::disconnect(gListOpen);
    detail::tree = tree;
    detail::list = list;
    detail::host = host;
    if (tree)
        gNodeClick = QObject::connect(tree, &TreeControl::nodeClick, tree, [] { TreeSelectionChanged(); });
    if (list)
        gListOpen = QObject::connect(list, &explorer::ListControl::itemDoubleClicked, list,
                                     [](const QString& key) { OpenListItem(key); });
}

explorer::TreeControl* tvTreeView()
{
    return tree;
}

explorer::ListControl* lvListView()
{
    return list;
}

void InitTreeView()
{
    if (!attached())
        return;
    tree->clear();
    Zeichnungen.clear();
    Layouts.clear();
    Vorlagen.clear();
    NodeNummer = 0;
    TreeFilled = false;
    ProvisionalTemplateNode = false;
    tree->addNode(QString(), kRootDrawings, QStringLiteral("Geladene Zeichnungen"), 2);
    tree->setExpanded(kRootDrawings, true);
    tree->setTextColour(kRootDrawings, TreeControl::TextColour::ButtonText);
    tree->select(kRootDrawings);
    tree->addNode(QString(), kRootLibrary, QStringLiteral("Bibliothek"), 3);
    tree->setExpanded(kRootLibrary, true);
}

void FillTreeView()
{
    if (!attached())
        return;
    ignoreErrors([] { basDatenbank::LoadBloecke(); });
    tree->setUpdatesEnabled(false);
    RefreshDrawingsRoot();
    RefreshLibraryRoot();
    tree->setUpdatesEnabled(true);
    TreeFilled = true;
    RefreshViewsAfterFill();
}

void UpdateDrawingNodes()
{
    if (!attached() || !basAutoCAD::AcadApp)
        return;
    try {
        const acad::ApplicationSnapshot app = basAutoCAD::AcadApp->application();
        if (app.activeDocument == 0)
            return;
        QString activeName;
        for (const acad::DocumentRef& doc : app.documents) {
            if (doc.id == app.activeDocument)
                activeName = doc.name;
        }
        ClearBoldNodes();
        Zeichnungen.forEach([](CAcadobj& record) { record.Vorhanden = 0; });
        Layouts.forEach([](CAcadobj& record) { record.Vorhanden = 0; });
        for (const acad::DocumentRef& doc : app.documents)
            CheckDocument(doc, activeName);
        RemoveMissingObjects();
    } catch (const std::exception&) {
        platform::MsgBox(QStringLiteral("Geladene AutoCAD-Zeichnungen können nicht ermittelt werden!"),
                         platform::vbCritical);
    }
}

void RemoveDrawingNodes()
{
    if (!attached())
        return;
    for (const CAcadobj& record : Zeichnungen)
        ignoreErrors([&] { tree->removeNode(QStringLiteral("Z") + QString::number(record.Nummer)); });
    for (const CAcadobj& record : Layouts)
        ignoreErrors([&] { tree->removeNode(QStringLiteral("L") + QString::number(record.Nummer)); });
    Zeichnungen.clear();
    Layouts.clear();
}

void ReadVorlagen()
{
    if (!attached())
        return;
    try {
        Vorlagen.forEach([](CVorlage& record) { record.Vorhanden = 0; });
        const auto typ = basDatenbank::gTypen.Item(QStringLiteral("1"));
        if (!typ)
            throw std::runtime_error("Typ 1 fehlt");
        VorlagenPfad = typ->Verzeichnis;
        for (const QString& name : templateFiles(VorlagenPfad)) {
            NextNodeNummer();
            CheckVorlage(name, VorlagenPfad);
        }
        RemoveMissingVorlagen();
    } catch (const std::exception&) {
        // The nodes of the last scan stay, and so does what the list shows of them.
        Vorlagen.forEach([](CVorlage& record) { record.Vorhanden = 1; });
        platform::MsgBox(QStringLiteral("Vorlagen-Ordner kann nicht gelesen werden!"), platform::vbCritical);
    }
}

void SetSelectedNodeType()
{
    SelectedNodeType = selectedKind();
}

void SetActiveNode(const QString& key)
{
    if (!attached())
        return;
    if (!tree->contains(key))
        return;
    tree->setBold(key, true);
    if (!TreeFilled)
        tree->select(key);
}

void ClearBoldNodes()
{
    if (!attached())
        return;
    tree->clearBold(kRootDrawings);
}

void ClearBoldListItems()
{
    if (!attached())
        return;
    for (const QString& key : list->keys())
        list->setBold(key, false);
}

void SetTreeDragMode()
{
    if (!attached())
        return;
    const QString kind = selectedKind();
    const bool root = kind == kRootDrawings || kind == kRootLibrary;
    tree->setDragMode(root ? TreeControl::DragMode::Manual : TreeControl::DragMode::Automatic);
}

void RemoveProvisionalTemplateNode()
{
    if (!attached())
        return;
    if (!ProvisionalTemplateNode)
        return;
    ProvisionalTemplateNode = false;
    ignoreErrors([] { tree->removeNode(QStringLiteral("D0")); });
}

void DeleteSelectedTemplate()
{
    if (!attached())
        return;
    try {
        const QString selected = tree->selectedKey();
        const QString key = selected == kRootLibrary ? list->selectedKey() : selected;
        const CVorlage* record = key.startsWith(QLatin1Char('D')) ? Vorlagen.item(numberOf(key)) : nullptr;
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

namespace {

template <class Record>
QString gesamtOfSelection(RecordCollection<Record>& records, bool fromList, const char* nothing)
{
    try {
        const QString key = !attached() ? QString() : fromList ? list->selectedKey() : tree->selectedKey();
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

} // namespace

QString GetZeichnungGesamt(bool fromList)
{
    return gesamtOfSelection(Zeichnungen, fromList, "Keine Zeichnung ausgewählt!");
}

QString GetVorlageGesamt(bool fromList)
{
    return gesamtOfSelection(Vorlagen, fromList, "Keine Vorlage ausgewählt!");
}

acad::DocId FindDocument(const QString& drawingKey)
{
    const CAcadobj* record = Zeichnungen.item(numberOf(drawingKey));
    if (!record || !basAutoCAD::AcadApp)
        return 0;
    const QString wanted = record->Gesamt.toUpper();
    acad::DocId found = 0;
    for (const acad::DocumentRef& doc : basAutoCAD::AcadApp->application().documents) {
        if (gesamtOf(doc.path, doc.name).toUpper() == wanted)
            found = doc.id;
    }
    return found;
}

} // namespace basViewControls
