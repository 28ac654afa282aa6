#include "basKvarto.h"

#include "BatchMark.h"
#include "LoeschenFrage.h"
#include "basDateien.h"
#include "basDateienTargets.h"

#include <acad/Host.h>
#include <explorer/AcadConnection.h>
#include <explorer/basViewControls.h>
#include <platform/Error.h>
#include <platform/MsgBox.h>
#include <records/CAcadobj.h>

using explorer::kindOf;
using explorer::NodeKind;

namespace basKvarto {

namespace {

QString programmMacro(const QString& macro)
{
    return QStringLiteral("Programm.") + macro;
}

void report(const std::exception& error)
{
    platform::MsgBox(platform::describe(error), platform::vbOKOnly);
}

} // namespace

Kvarto::Kvarto(explorer::AcadConnection& connection, basViewControls::ViewControls& views,
               explorer::ViewHost& host, const QString& programFolder)
    : m_connection(connection), m_views(views), m_host(host), m_programFolder(programFolder)
{
}

// False when the macro could not be run even after loading the project; the user has been told.
bool Kvarto::runProgrammMacro(const QString& macro)
{
    platform::ignoringErrors([this] { m_connection.BringAcadToFront(); });
    try {
        basDateien::attachedApp(m_connection)->runMacro(programmMacro(macro));
        return true;
    } catch (const std::exception&) {
        // Most likely the project is not loaded yet.
    }
    try {
        const std::shared_ptr<acad::Host> app = basDateien::attachedApp(m_connection);
        app->loadDVB(gesamtOf(m_programFolder, QStringLiteral("Kvarto.dvb")));
        app->runMacro(programmMacro(QStringLiteral("KV_Starten")));
        app->runMacro(programmMacro(macro));
        return true;
    } catch (const std::exception&) {
        platform::MsgBox(QStringLiteral("Bitte rufen Sie KV+ über das AutoCAD-Menü auf!"),
                         platform::vbExclamation);
        return false;
    }
}

void Kvarto::RunProgrammMacro(const QString& macro)
{
    runProgrammMacro(macro);
}

// Makes the drawing the active document unless it is already. False when no open document is that
// drawing (the tree is out of date): the user has been told, and the tree is refreshed.
bool Kvarto::activateDrawing(const QString& gesamt)
{
    if (basDateien::sameName(m_connection.GetActiveDrawingPath(), gesamt))
        return true;
    const std::shared_ptr<acad::Host> app = basDateien::attachedApp(m_connection);
    const QList<acad::DocId> docs = basDateien::MatchingDocuments(*app, gesamt);
    if (docs.isEmpty()) {
        basDateien::reportNotLoaded(gesamt);
        m_views.FillTreeView();
        return false;
    }
    basDateien::activateEach(*app, docs, m_connection, m_host);
    return true;
}

// --- NewLayout

void Kvarto::newLayout()
{
    const NodeKind kind = m_views.selectedKind();
    if (kind != NodeKind::DrawingsRoot && kind != NodeKind::Drawing) {
        runProgrammMacro(QStringLiteral("KV_Layout"));
        return;
    }
    // The lookup tells the user itself when nothing is selected.
    const QString gesamt = m_views.GetZeichnungGesamt(kind == NodeKind::DrawingsRoot);
    if (gesamt.isEmpty())
        return;
    if (basDateien::attachedApp(m_connection)->application().documents.isEmpty())
        return;
    if (activateDrawing(gesamt))
        runProgrammMacro(QStringLiteral("KV_Layout"));
}

void Kvarto::NewLayout()
{
    try {
        newLayout();
    } catch (const std::exception& error) {
        report(error);
    }
    platform::ignoringErrors([this] { m_connection.BringAcadToFront(); });
}

// --- DeleteLayouts

// Every layout of the drawing is selected in its list (also when the list is empty).
bool Kvarto::allLayoutsChosen() const
{
    for (const QString& key : m_views.items()) {
        if (!m_views.itemSelected(key))
            return false;
    }
    return true;
}

// Makes the layout current in paper space and lets the macro delete it. False when it could not be
// deleted; the user has been told.
bool Kvarto::deleteLayout(const QString& key)
{
    const CAcadobj& record = basDateien::RecordOf(m_views.Layouts, key, "Kein Layout ausgewählt!");
    const std::shared_ptr<acad::Host> app = basDateien::attachedApp(m_connection);
    const acad::DocId doc = m_connection.activeDoc();
    const QList<acad::LayoutRef> matches = basDateien::MatchingLayouts(app->document(doc), record.Layout);
    // Without its layout made current the macro would delete whatever layout is current.
    if (matches.isEmpty())
        throw platform::Error(record.Gesamt + QStringLiteral(" ist nicht mehr vorhanden!"));
    for (const acad::LayoutRef& layout : matches) {
        app->setActiveSpace(doc, acad::PaperSpace);
        app->setActiveLayout(doc, layout.name);
    }
    return runProgrammMacro(QStringLiteral("KV_DelLayout"));
}

QStringList Kvarto::layoutNames(const QStringList& keys) const
{
    QStringList names;
    for (const QString& key : keys)
        names.append(basDateien::RecordOf(m_views.Layouts, key, "Kein Layout ausgewählt!").Layout);
    return names;
}

void Kvarto::deleteLayouts()
{
    const QString treeKey = m_views.selectedNode().key;
    const bool drawingNode = kindOf(treeKey) == NodeKind::Drawing;
    if (drawingNode && allLayoutsChosen()) {
        platform::MsgBox(QStringLiteral("Das Löschen sämtlicher Layouts einer Zeichnung ist nicht zulässig!"),
                         platform::vbExclamation);
        return;
    }
    const QString drawingKey = drawingNode ? treeKey : m_views.parentNode(treeKey);
    const CAcadobj& drawing =
        basDateien::RecordOf(m_views.Zeichnungen, drawingKey, "Keine Zeichnung ausgewählt!");
    const QStringList keys = drawingNode ? m_views.selectedItems() : QStringList{treeKey};
    // Asked before anything changes in the CAD program, even which drawing is active.
    if (!LoeschenBestaetigt(layoutNames(keys)) || !activateDrawing(drawing.Gesamt))
        return;
    const std::shared_ptr<acad::Host> app = basDateien::attachedApp(m_connection);
    operations::BatchMark mark(*app, m_connection.activeDoc(), m_views);
    for (const QString& key : keys) {
        // One failed run fails the others too; one message is enough.
        if (!deleteLayout(key))
            return;
        mark.changed();
    }
}

void Kvarto::DeleteLayouts()
{
    try {
        deleteLayouts();
    } catch (const std::exception& error) {
        report(error);
    }
}

} // namespace basKvarto
