#include "basDateien.h"

#include "basDateienTargets.h"

#include <QFileInfo>
#include <acad/Error.h>
#include <acad/Host.h>
#include <explorer/AcadConnection.h>
#include <explorer/ViewHost.h>
#include <explorer/basViewControls.h>
#include <platform/Error.h>
#include <platform/MsgBox.h>
#include <records/CAcadobj.h>
#include <records/CVorlage.h>

using explorer::kindOf;
using explorer::NodeKind;

namespace basDateien {

namespace {

const char* const kNoDrawing = "Keine Zeichnung ausgewählt!";
const char* const kNoLayout = "Kein Layout ausgewählt!";
const char* const kNoTemplate = "Keine Vorlage ausgewählt!";
const QString kModel = QStringLiteral("Model");

// The error trap of every operation: the error's own text, OK only, the program's title.
void report(const std::exception& error)
{
    platform::MsgBox(platform::describe(error), platform::vbOKOnly);
}

bool askYesNo(const QString& text)
{
    return platform::MsgBox(text, platform::vbYesNo | platform::vbQuestion | platform::vbDefaultButton1) ==
           platform::vbYes;
}

// A drawing file by its ending: what follows the last dot, ignoring case.
bool isDrawingFile(const QString& path)
{
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    if (dot < 0 || dot < slash)
        return false;
    const QString ending = path.mid(dot + 1).toUpper();
    return ending == QLatin1String("DXF") || ending == QLatin1String("DWG") || ending == QLatin1String("DWT");
}

} // namespace

std::shared_ptr<acad::Host> attachedApp(const explorer::AcadConnection& connection)
{
    std::shared_ptr<acad::Host> app = connection.acadApp();
    if (!app)
        throw acad::Error(QStringLiteral("AutoCAD ist nicht aktiv!"));
    return app;
}

void activateEach(acad::Host& app, const QList<acad::DocId>& docs, explorer::AcadConnection& connection,
                  explorer::ViewHost& host)
{
    for (acad::DocId doc : docs) {
        app.activateDocument(doc);
        connection.ReadActiveDoc();
        host.UpdateStatusBar();
    }
}

bool activateLayout(acad::Host& app, acad::DocId doc, const QString& layout)
{
    const acad::DocumentSnapshot snapshot = app.document(doc);
    if (sameName(snapshot.activeLayout, layout))
        return true;
    const QList<acad::LayoutRef> matches = MatchingLayouts(snapshot, layout);
    for (const acad::LayoutRef& match : matches)
        app.setActiveLayout(doc, match.name);
    return !matches.isEmpty();
}

void reportNotLoaded(const QString& gesamt)
{
    platform::MsgBox(gesamt + QStringLiteral(" ist nicht mehr geladen!"), platform::vbExclamation);
}

Dateien::Dateien(explorer::AcadConnection& connection, basViewControls::ViewControls& views,
                 explorer::ViewHost& host)
    : m_connection(connection), m_views(views), m_host(host)
{
}

std::shared_ptr<acad::Host> Dateien::app() const
{
    return attachedApp(m_connection);
}

// --- ActivateDrawing

// The target: with neither layout flag the drawing of the selected node (or of the list's selected
// item below the drawings root), else the layout of the tree's node or of the list's item.
Dateien::DrawingTarget Dateien::activationTarget(bool layoutNode, bool listLayout) const
{
    const QString treeKey = m_views.selectedNode().key;
    const bool fromTree = !listLayout && kindOf(treeKey) != NodeKind::DrawingsRoot;
    const QString key = fromTree ? treeKey : m_views.selectedItem().key;
    DrawingTarget target;
    if (!layoutNode && !listLayout) {
        target.path = RecordOf(m_views.Zeichnungen, key, kNoDrawing).Gesamt;
        return target;
    }
    const CAcadobj& record = RecordOf(m_views.Layouts, key, kNoLayout);
    target.valid = !(layoutNode && !record.Gesamt.contains(QLatin1Char(';')));
    target.path = drawingGesamtOf(record);
    target.layout = record.Layout;
    return target;
}

// False when the user said No to the question.
bool Dateien::switchDocument(const DrawingTarget& target, bool ask, bool layoutNode)
{
    if (sameName(m_connection.GetActiveDrawingPath(), target.path))
        return true;
    if (ask && !askYesNo(target.path + QStringLiteral(" zum aktiven Dokument machen?")))
        return false;
    const QString treeKey = m_views.selectedNode().key;
    if (kindOf(treeKey) != NodeKind::DrawingsRoot && !layoutNode)
        m_views.ExpandNode(treeKey);
    const std::shared_ptr<acad::Host> host = app();
    activateEach(*host, MatchingDocuments(*host, target.path), m_connection, m_host);
    return true;
}

void Dateien::selectLayout(const QString& layout)
{
    activateLayout(*app(), m_connection.activeDoc(), layout);
}

// The active drawing and its active layout are shown in bold.
void Dateien::redoBoldMarks(bool layoutNode, bool listLayout)
{
    m_views.MarkActive(layoutNode, listLayout,
                       [this] { return app()->document(m_connection.activeDoc()).activeLayout; });
}

void Dateien::ActivateDrawing(qint16 layoutNode, qint16 ask, qint16 listLayout)
{
    try {
        const DrawingTarget target = activationTarget(layoutNode != 0, listLayout != 0);
        if (!target.valid)
            return;
        // A drawing closed since the last refresh: a layout of the same name in another drawing must
        // not become current instead.
        if (MatchingDocuments(*app(), target.path).isEmpty()) {
            reportNotLoaded(target.path);
            m_views.FillTreeView();
            return;
        }
        if (!switchDocument(target, ask != 0, layoutNode != 0))
            return;
        if (layoutNode != 0 || listLayout != 0)
            selectLayout(target.layout);
        redoBoldMarks(layoutNode != 0, listLayout != 0);
    } catch (const std::exception& error) {
        report(error);
    }
}

// --- templates and files

void Dateien::OpenVorlage(qint16 ask)
{
    try {
        const Target target = SelectedObject(m_views, NodeKind::LibraryRoot);
        const QString gesamt = RecordOf(m_views.Vorlagen, target.key, kNoTemplate).Gesamt;
        const std::shared_ptr<acad::Host> host = app();
        const bool loaded = !MatchingDocuments(*host, gesamt).isEmpty();
        if (!loaded) {
            if (ask != 0 && !askYesNo(gesamt + QStringLiteral(" öffnen?")))
                return;
            host->openDocument(gesamt);
            m_connection.ReadActiveDoc();
        } else if (ask == 0) {
            platform::MsgBox(gesamt + QStringLiteral(" ist bereits geladen!"), platform::vbInformation);
        }
        m_views.FillTreeView();
    } catch (const std::exception& error) {
        report(error);
    }
}

// The caller refreshes the tree, once after the last of several files.
void Dateien::OpenDrawingFile(const QString& path)
{
    try {
        if (!isDrawingFile(path))
            return;
        bool loaded = false;
        for (const CAcadobj* record : m_views.Zeichnungen.matches(path)) {
            platform::MsgBox(record->Gesamt + QStringLiteral(" ist bereits geladen!"),
                             platform::vbInformation);
            loaded = true;
        }
        if (loaded)
            return;
        app()->openDocument(path);
        m_connection.ReadActiveDoc();
    } catch (const std::exception& error) {
        report(error);
    }
}

// --- close, save, model space

// The open documents of the selected drawing. None means the tree is out of date: the user hears
// which drawing is gone and sees the tree refreshed, and the caller does nothing to any other one.
QList<acad::DocId> Dateien::selectedDrawingDocuments(QString& gesamt)
{
    const Target target = SelectedObject(m_views, NodeKind::DrawingsRoot);
    gesamt = RecordOf(m_views.Zeichnungen, target.key, kNoDrawing).Gesamt;
    const QList<acad::DocId> docs = MatchingDocuments(*app(), gesamt);
    if (docs.isEmpty()) {
        reportNotLoaded(gesamt);
        m_views.FillTreeView();
    }
    return docs;
}

// The CAD program's own close command deals with unsaved changes: it asks before it closes.
void Dateien::CloseDrawing()
{
    try {
        QString gesamt;
        const QList<acad::DocId> docs = selectedDrawingDocuments(gesamt);
        if (docs.isEmpty())
            return;
        const std::shared_ptr<acad::Host> host = app();
        activateEach(*host, docs, m_connection, m_host);
        m_connection.BringAcadToFront();
        host->sendCommand(m_connection.activeDoc(), QStringLiteral("_Close\r"));
    } catch (const std::exception& error) {
        report(error);
    }
}

namespace {

// A new drawing (from a template, or the host's own "Zeichnung1.dwg") has no file yet: saving it in
// place would write to a folder the user never chose, which need not even exist. For a host that does
// not know the variable, a missing file decides.

bool neverSaved(acad::Host& host, acad::DocId doc, const QString& gesamt)
{
    try {
        return host.variable(doc, QStringLiteral("DWGTITLED")).toInt() == 0;
    } catch (const std::exception&) {
        return !QFileInfo(gesamt).isFile();
    }
}

} // namespace

void Dateien::saveEach(const QString& gesamt, const QList<acad::DocId>& docs, bool saveAs)
{
    const std::shared_ptr<acad::Host> host = app();
    for (acad::DocId doc : docs) {
        // As the CAD program's own save does, a drawing without a file is saved under a new name.
        if (saveAs || neverSaved(*host, doc, gesamt)) {
            host->activateDocument(doc);
            m_connection.ReadActiveDoc();
            m_connection.BringAcadToFront();
            host->sendCommand(m_connection.activeDoc(), QStringLiteral("_saveas\r"));
        } else if (askYesNo(gesamt + QStringLiteral(" speichern?"))) {
            host->saveDocument(doc);
        }
    }
}

void Dateien::SaveDrawing(qint16 saveAs)
{
    try {
        QString gesamt;
        const QList<acad::DocId> docs = selectedDrawingDocuments(gesamt);
        saveEach(gesamt, docs, saveAs != 0);
    } catch (const std::exception& error) {
        report(error);
    }
}

// The drawing stays where it is among the documents: only its space changes.
void Dateien::SetModelSpace()
{
    try {
        QString gesamt;
        const QList<acad::DocId> docs = selectedDrawingDocuments(gesamt);
        if (docs.isEmpty())
            return;
        const std::shared_ptr<acad::Host> host = app();
        for (acad::DocId doc : docs)
            host->setActiveSpace(doc, acad::ModelSpace);
        m_views.FillTreeView();
    } catch (const std::exception& error) {
        report(error);
    }
}

} // namespace basDateien
