#include "CadServices.h"
#include "Commands.h"
#include "KopierenControl.h"
#include "NameCountForm.h"
#include "basDateien.h"
#include "basRegister.h"
#include "basUmbenennen.h"
#include "basVorlagen.h"

#include <explorer/basViewControls.h>
#include <explorer/controls/ListControl.h>
#include <explorer/controls/TreeControl.h>
#include <explorer/frmMain.h>
#include <platform/Error.h>
#include <platform/MsgBox.h>
#include <platform/ProgramFolder.h>

using explorer::Cmd;
using explorer::NodeKind;
using platform::ignoringErrors;

namespace operations {

// The entries of the popup menus that no menu bar entry shares, and drops onto the tree.
void Commands::wirePopupCommands()
{
    explorer::MainCommands* commands = m_window.commands();
    basViewControls::ViewControls* views = &m_window.views();
    commands->wire(Cmd::popStart, [this] { m_cad.StartAutoCAD(); });
    commands->wire(Cmd::popLoad, [this, views] {
        Dateien->OpenVorlage(0);
        views->FillTreeView();
    });
    commands->wire(Cmd::popInsert, [this] { Vorlagen->InsertVorlageLayouts(); });
    commands->wire(Cmd::popDCD, [this, views] {
        const bool fromList = views->selectedKind() == NodeKind::LibraryRoot;
        m_cad.OpenDesignCenter(1, views->GetVorlageGesamt(fromList));
    });
    commands->wire(Cmd::popDCB, [this] { m_cad.OpenDesignCenter(0, QString()); });
    connect(m_window.tvTreeView(), &explorer::TreeControl::oleDragDrop, this, &Commands::TreeDragDrop);
    connect(m_window.lvListView(), &explorer::ListControl::itemsDropped, this, &Commands::ListDrop);
}

void Commands::wireNameCommands()
{
    explorer::MainCommands* commands = m_window.commands();
    commands->wire(Cmd::mnuEditCopy, [this] { CmdCopy(); });
    commands->wire(Cmd::mnuFileRename, [this] { CmdRename(); });
}

// The end of the label edits in the tree and the list: a new template's name or a layout's.
void Commands::wireLabelEdits()
{
    connect(m_window.tvTreeView(), &explorer::TreeControl::afterLabelEdit, this,
            [this](const QString& key, const QString& text, bool* cancel) {
                if (m_window.views().State.LabelEditMode == basViewControls::LabelEditKind::NewTemplate)
                    Vorlagen->TreeAfterLabelEdit(key, text, cancel);
                else
                    Umbenennen->TreeAfterLabelEdit(key, text, cancel);
            });
    connect(m_window.lvListView(), &explorer::ListControl::afterLabelEdit, this,
            [this](const QString& key, const QString& text, bool* cancel) {
                Umbenennen->ListAfterLabelEdit(key, text, cancel);
            });
}

// Modal, and a new dialog each time.
void Commands::CmdCopy()
{
    KopierenControl control(m_cad, m_window.views(), m_window);
    frmKopieren form(control, &m_window);
    form.exec();
}

void Commands::CmdRename()
{
    basViewControls::ViewControls& views = m_window.views();
    views.State.LabelEditMode = basViewControls::LabelEditKind::RenameLayout;
    if (views.selectedKind() == NodeKind::Drawing)
        m_window.lvListView()->setFocus();
    Umbenennen->StartRename();
}

// Files open on the loaded drawings; a template dragged there makes a new drawing, a layout dragged
// onto the library becomes a template. Layouts dropped on a layout of their own drawing move their
// tabs; dropped on another drawing (or one of its layouts) they are copied there, moved with Shift.
// Every other target is refused with a message.
void Commands::TreeDragDrop(const QString& targetKey, const QStringList& files, const QString& text,
                            bool move)
{
    const NodeKind target = explorer::kindOf(targetKey);
    const QStringList layouts = files.isEmpty() ? draggedLayouts(text) : QStringList();
    if ((target == NodeKind::Drawing || target == NodeKind::Layout) && !layouts.isEmpty()) {
        ignoringErrors([&] { dropLayouts(targetKey, layouts, move); });
    } else if (target != NodeKind::DrawingsRoot && target != NodeKind::LibraryRoot) {
        platform::MsgBox(
            QStringLiteral("Objekte können nur in die Bibliothek eingefügt oder geladen werden!"),
            platform::vbExclamation | platform::vbOKOnly, platform::programTitle());
    } else {
        ignoringErrors([&] { dropFiles(target, files); });
        if (!text.isNull())
            ignoringErrors([&] { dropText(target, text); });
    }
    m_window.tvTreeView()->setDropHighlight(QString());
}

// The layouts a drag carries: the tree's layout node, or the list's selected layouts below a drawing,
// whichever the dragged text names. Empty for anything else.
QStringList Commands::draggedLayouts(const QString& text) const
{
    if (text.isNull())
        return {};
    const basViewControls::ViewControls& views = m_window.views();
    const explorer::Target node = views.selectedNode();
    if (explorer::kindOf(node.key) == NodeKind::Layout)
        return text == node.text ? QStringList{node.key} : QStringList();
    if (explorer::kindOf(node.key) != NodeKind::Drawing)
        return {};
    QStringList keys;
    bool named = false;
    for (const QString& key : views.shownItems()) {
        if (explorer::kindOf(key) != NodeKind::Layout || !views.itemSelected(key))
            continue;
        keys.append(key);
        named = named || views.itemText(key) == text;
    }
    return named ? keys : QStringList();
}

// Layouts of a drawing's list dropped on one of its layouts (or on empty space) move their tabs there.
void Commands::ListDrop(const QString& targetKey, bool)
{
    const basViewControls::ViewControls& views = m_window.views();
    if (explorer::kindOf(views.selectedNode().key) != NodeKind::Drawing)
        return;
    if (!targetKey.isEmpty() && explorer::kindOf(targetKey) != NodeKind::Layout)
        return;
    QStringList layouts;
    for (const QString& key : views.shownItems()) {
        if (explorer::kindOf(key) == NodeKind::Layout && views.itemSelected(key))
            layouts.append(key);
    }
    if (!layouts.isEmpty() && !layouts.contains(targetKey))
        Register->MoveBefore(layouts, targetKey);
}

void Commands::dropLayouts(const QString& targetKey, const QStringList& layouts, bool move)
{
    basViewControls::ViewControls& views = m_window.views();
    const bool onLayout = explorer::kindOf(targetKey) == NodeKind::Layout;
    const QString targetDrawing = onLayout ? views.parentNode(targetKey) : targetKey;
    const QString sourceDrawing = views.parentNode(layouts.first());
    if (targetDrawing == sourceDrawing) {
        if (onLayout)
            Register->MoveBefore(layouts, targetKey);
    } else {
        Register->CopyToDrawing(layouts, targetDrawing, move);
    }
}

void Commands::dropFiles(NodeKind target, const QStringList& files)
{
    if (files.isEmpty() || target != NodeKind::DrawingsRoot || !m_cad.acadApp())
        return;
    for (const QString& file : files)
        Dateien->OpenDrawingFile(file);
    m_window.views().FillTreeView();
}

// The dragged text names the tree's selected node or the list's selected item, whichever it came from.
void Commands::dropText(NodeKind target, const QString& text)
{
    basViewControls::ViewControls& views = m_window.views();
    const explorer::Target node = views.selectedNode();
    if (!node.key.isEmpty() && text == node.text) {
        const NodeKind kind = explorer::kindOf(node.key);
        if (kind == NodeKind::Template && target == NodeKind::DrawingsRoot && m_cad.acadApp())
            m_cad.NewDrawingFromTemplate(views.GetVorlageGesamt(false));
        else if (kind == NodeKind::Layout && target == NodeKind::LibraryRoot)
            CmdLayoutImport();
    }
    const explorer::Target item = views.selectedItem();
    if (!item.key.isEmpty() && explorer::kindOf(item.key) == NodeKind::Layout &&
        target == NodeKind::LibraryRoot && text == item.text)
        CmdLayoutImport();
}

} // namespace operations
