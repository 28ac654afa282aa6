#include "basMain.h"

#include <QUrl>
#include <explorer/basViewControls.h>
#include <explorer/frmMain.h>
#include <operations/BatchMark.h>
#include <operations/basDateien.h>
#include <operations/basKvarto.h>
#include <operations/basVorlagen.h>
#include <platform/Error.h>
#include <platform/ProgramFolder.h>

using explorer::Cmd;
using explorer::NodeKind;
using platform::ignoringErrors;

namespace basMain {

void Program::createOperations()
{
    basViewControls::ViewControls& views = MainForm->views();
    Dateien = std::make_unique<basDateien::Dateien>(Connection, views, *MainForm);
    Kvarto = std::make_unique<basKvarto::Kvarto>(Connection, views, *MainForm, platform::programFolder());
    Vorlagen = std::make_unique<basVorlagen::Vorlagen>(Connection, views);
    views.setDrawingOperations(Dateien.get());
}

// Only when attached; a host that fails here leaves the command done as it is.
void Program::bringAcadToFront()
{
    ignoringErrors([this] { Connection.BringAcadToFront(); });
}

// The drawing and layout commands of the menus and the toolbar.
void Program::wireDrawingCommands()
{
    explorer::MainCommands* commands = MainForm->commands();
    basDateien::Dateien* dateien = Dateien.get();
    basKvarto::Kvarto* kvarto = Kvarto.get();
    basViewControls::ViewControls* views = &MainForm->views();
    commands->wire(Cmd::mnuFileClose, [dateien] { dateien->CloseDrawing(); });
    commands->wire(Cmd::mnuSave, [dateien] { dateien->SaveDrawing(0); });
    commands->wire(Cmd::mnuSaveAS, [dateien] { dateien->SaveDrawing(1); });
    commands->wire(Cmd::mnuDrawing, [this, dateien] {
        dateien->ActivateDrawing(0, 0, 0);
        bringAcadToFront();
    });
    commands->wire(Cmd::mnuModel, [dateien] { dateien->SetModelSpace(); });
    commands->wire(Cmd::mnuActive, [this, views] {
        views->ActivateSelectedNode(0);
        bringAcadToFront();
    });
    commands->wire(Cmd::tbActive, [this] { ignoringErrors([this] { CmdActive(); }); });
    commands->wire(Cmd::mnuCreate, [kvarto] { kvarto->NewLayout(); });
    commands->wire(Cmd::tbLayout, [kvarto] { kvarto->NewLayout(); });
    commands->wire(Cmd::mnuFileDelete, [kvarto] { kvarto->DeleteLayouts(); });
    commands->wire(Cmd::tbDelete, [this] { ignoringErrors([this] { CmdDelete(); }); });
    commands->wire(Cmd::mnuTemplateOpen, [this] { ignoringErrors([this] { CmdOpen(); }); });
    commands->wire(Cmd::mnuTemplateDelete, [views] { views->DeleteSelectedTemplate(); });
    commands->wire(Cmd::mnuLayoutImport, [this] { CmdLayoutImport(); });
    commands->wire(Cmd::mnuUndo, [this, views] { operations::UndoLastBatch(Connection, *views); });
}

void Program::CmdActive()
{
    const NodeKind kind = MainForm->views().selectedKind();
    if (kind == NodeKind::DrawingsRoot)
        Dateien->ActivateDrawing(0, 0, 0);
    else if (kind == NodeKind::Layout)
        MainForm->views().ActivateSelectedNode(0);
    bringAcadToFront();
}

void Program::CmdDelete()
{
    const NodeKind kind = MainForm->views().selectedKind();
    if (kind == NodeKind::LibraryRoot || kind == NodeKind::Template)
        MainForm->views().DeleteSelectedTemplate();
    else
        Kvarto->DeleteLayouts();
}

// The library root opens the template folder in the desktop's file manager.
void Program::CmdOpen()
{
    basViewControls::ViewControls& views = MainForm->views();
    const NodeKind kind = views.selectedKind();
    if (kind == NodeKind::LibraryRoot) {
        Shell.openUrl(QUrl::fromLocalFile(views.VorlagenPfad));
    } else if (kind == NodeKind::Template) {
        Dateien->OpenVorlage(0);
        views.FillTreeView();
    }
}

// The new template's name is typed into the tree.
void Program::CmdLayoutImport()
{
    MainForm->views().LabelEditMode = basViewControls::LabelEditKind::NewTemplate;
    Vorlagen->StartNewVorlage();
}

} // namespace basMain
