#include "basMain.h"

#include <explorer/basViewControls.h>
#include <explorer/controls/ListControl.h>
#include <explorer/controls/TreeControl.h>
#include <explorer/frmMain.h>
#include <operations/basDateien.h>
#include <operations/basVorlagen.h>
#include <platform/Error.h>
#include <platform/MsgBox.h>
#include <platform/ProgramFolder.h>

using explorer::Cmd;
using explorer::NodeKind;
using platform::ignoringErrors;

namespace basMain {

// The entries of the popup menus that no menu bar entry shares, and drops onto the tree.
void Program::wirePopupCommands()
{
    explorer::MainCommands* commands = MainForm->commands();
    basViewControls::ViewControls* views = &MainForm->views();
    commands->wire(Cmd::popStart, [this] { Connection.StartAutoCAD(); });
    commands->wire(Cmd::popLoad, [this, views] {
        Dateien->OpenVorlage(0);
        views->FillTreeView();
    });
    commands->wire(Cmd::popInsert, [this] { Vorlagen->InsertVorlageLayouts(); });
    commands->wire(Cmd::popDCD, [this, views] {
        const bool fromList = views->selectedKind() == NodeKind::LibraryRoot;
        Connection.OpenDesignCenter(1, views->GetVorlageGesamt(fromList));
    });
    commands->wire(Cmd::popDCB, [this] { Connection.OpenDesignCenter(0); });
    connect(MainForm->tvTreeView(), &explorer::TreeControl::oleDragDrop, this, &Program::TreeDragDrop);
}

// Files open on the loaded drawings; a template dragged there makes a new drawing, a layout dragged
// onto the library becomes a template. Every other target is refused with a message.
void Program::TreeDragDrop(const QString& targetKey, const QStringList& files, const QString& text)
{
    const NodeKind target = explorer::kindOf(targetKey);
    if (target != NodeKind::DrawingsRoot && target != NodeKind::LibraryRoot) {
        platform::MsgBox(
            QStringLiteral("Objekte können nur in die Bibliothek eingefügt oder geladen werden!"),
            platform::vbExclamation | platform::vbOKOnly, platform::programTitle());
    } else {
        ignoringErrors([&] { dropFiles(target, files); });
        if (!text.isNull())
            ignoringErrors([&] { dropText(target, text); });
    }
    MainForm->tvTreeView()->setDropHighlight(QString());
}

void Program::dropFiles(NodeKind target, const QStringList& files)
{
    if (files.isEmpty() || target != NodeKind::DrawingsRoot || !Connection.acadApp())
        return;
    for (const QString& file : files)
        Dateien->OpenDrawingFile(file);
    MainForm->views().FillTreeView();
}

// The dragged text names the tree's selected node or the list's selected item, whichever it came from.
void Program::dropText(NodeKind target, const QString& text)
{
    basViewControls::ViewControls& views = MainForm->views();
    const QString node = views.tvTreeView().selectedKey();
    if (!node.isEmpty() && text == views.tvTreeView().text(node)) {
        const NodeKind kind = explorer::kindOf(node);
        if (kind == NodeKind::Template && target == NodeKind::DrawingsRoot && Connection.acadApp())
            Connection.NewDrawingFromTemplate(views.GetVorlageGesamt(false));
        else if (kind == NodeKind::Layout && target == NodeKind::LibraryRoot)
            CmdLayoutImport();
    }
    const QString item = views.lvListView().selectedKey();
    if (!item.isEmpty() && explorer::kindOf(item) == NodeKind::Layout && target == NodeKind::LibraryRoot &&
        text == views.lvListView().text(item))
        CmdLayoutImport();
}

} // namespace basMain
