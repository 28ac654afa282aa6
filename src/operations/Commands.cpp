#include "Commands.h"

#include "BatchMark.h"
#include "BlattlisteControl.h"
#include "CadServices.h"
#include "SeiteEinrichtenControl.h"
#include "basDateien.h"
#include "basDateienTargets.h"
#include "basKvarto.h"
#include "basRegister.h"
#include "basUmbenennen.h"
#include "basVorlagen.h"
#include "frmBlattliste.h"
#include "frmSeiteEinrichten.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>
#include <QUrl>
#include <acad/ActionScope.h>
#include <explorer/basViewControls.h>
#include <explorer/frmMain.h>
#include <help/Shell.h>
#include <platform/Error.h>
#include <platform/MsgBox.h>
#include <platform/ProgramFolder.h>
#include <records/CAcadobj.h>

using explorer::Cmd;
using explorer::NodeKind;
using platform::ignoringErrors;

namespace operations {

Commands::Commands(CadServices& cad, const CBloecke& blocks, frmMain& window, help::Shell& shell,
                   acad::ActionScope& scope)
    : m_cad(cad), m_blocks(blocks), m_window(window), m_shell(shell), m_scope(scope)
{
    basViewControls::ViewControls& views = window.views();
    Dateien = std::make_unique<basDateien::Dateien>(cad, views, window);
    Kvarto = std::make_unique<basKvarto::Kvarto>(cad, views, window, platform::programFolder());
    Umbenennen = std::make_unique<basUmbenennen::Umbenennen>(cad, views, window);
    Vorlagen = std::make_unique<basVorlagen::Vorlagen>(cad, views);
    Register = std::make_unique<basRegister::Register>(cad, views);
    views.setDrawingOperations(Dateien.get());
    wireDrawingCommands();
    wireLayoutCommands();
    wireTemplateCommands();
    wirePopupCommands();
    wireNameCommands();
    wireLabelEdits();
    wireSheetCommands();
    wirePublishCommands();
}

Commands::~Commands()
{
    // The sheet list uses its control; the views hold the operations.
    Blattliste.reset();
    m_blattliste.reset();
    m_window.views().setDrawingOperations(nullptr);
}

// Only when attached; a host that fails here leaves the command done as it is.
void Commands::bringAcadToFront()
{
    ignoringErrors([this] { m_cad.BringAcadToFront(); });
}

// "&Datei": the drawings.
void Commands::wireDrawingCommands()
{
    explorer::MainCommands* commands = m_window.commands();
    basDateien::Dateien* dateien = Dateien.get();
    basViewControls::ViewControls* views = &m_window.views();
    commands->wire(Cmd::mnuTemplate, [this, views] {
        const bool fromList = views->selectedKind() == NodeKind::LibraryRoot;
        const QString path = views->GetVorlageGesamt(fromList);
        if (!path.isEmpty())
            m_cad.NewDrawingFromTemplate(path);
    });
    commands->wire(Cmd::mnuFileClose, [dateien] { dateien->CloseDrawing(); });
    commands->wire(Cmd::mnuSave, [dateien] { dateien->SaveDrawing(0); });
    commands->wire(Cmd::mnuSaveAS, [dateien] { dateien->SaveDrawing(1); });
    commands->wire(Cmd::mnuDrawing, [this, dateien] {
        dateien->ActivateDrawing(0, 0, 0);
        bringAcadToFront();
    });
    commands->wire(Cmd::mnuModel, [dateien] { dateien->SetModelSpace(); });
}

// "&Layout" and its toolbar buttons.
void Commands::wireLayoutCommands()
{
    explorer::MainCommands* commands = m_window.commands();
    basKvarto::Kvarto* kvarto = Kvarto.get();
    basViewControls::ViewControls* views = &m_window.views();
    commands->wire(Cmd::mnuActive, [this, views] {
        views->ActivateSelectedNode(0);
        bringAcadToFront();
    });
    commands->wire(Cmd::tbActive, [this] { ignoringErrors([this] { CmdActive(); }); });
    commands->wire(Cmd::mnuCreate, [kvarto] { kvarto->NewLayout(); });
    commands->wire(Cmd::tbLayout, [kvarto] { kvarto->NewLayout(); });
    commands->wire(Cmd::mnuFileDelete, [kvarto] { kvarto->DeleteLayouts(); });
    commands->wire(Cmd::tbDelete, [this] { ignoringErrors([this] { CmdDelete(); }); });
    commands->wire(Cmd::mnuLayoutImport, [this] { CmdLayoutImport(); });
    commands->wire(Cmd::mnuUndo, [this, views] { UndoLastBatch(m_cad, *views); });
    basRegister::Register* tabs = Register.get();
    commands->wire(Cmd::mnuLayoutUp, [tabs] { tabs->MoveSelected(-1); });
    commands->wire(Cmd::mnuLayoutDown, [tabs] { tabs->MoveSelected(1); });
    commands->wire(Cmd::mnuSortTabs, [tabs] { tabs->SortTabs(); });
    commands->wire(Cmd::mnuPageSetup, [this] { CmdPageSetup(); });
}

// "&Bibliothek" and the design centre of "&Extras".
void Commands::wireTemplateCommands()
{
    explorer::MainCommands* commands = m_window.commands();
    basViewControls::ViewControls* views = &m_window.views();
    commands->wire(Cmd::mnuTemplateOpen, [this] { ignoringErrors([this] { CmdOpen(); }); });
    commands->wire(Cmd::mnuTemplateDelete, [views] { views->DeleteSelectedTemplate(); });
    commands->wire(Cmd::popDC, [this, views] {
        const NodeKind kind = views->selectedKind();
        if (kind == NodeKind::Template)
            m_cad.OpenDesignCenter(1, views->GetVorlageGesamt(false));
        else
            m_cad.OpenDesignCenter(kind == NodeKind::LibraryRoot ? 0 : -1, QString());
    });
}

void Commands::CmdActive()
{
    const NodeKind kind = m_window.views().selectedKind();
    if (kind == NodeKind::DrawingsRoot)
        Dateien->ActivateDrawing(0, 0, 0);
    else if (kind == NodeKind::Layout)
        m_window.views().ActivateSelectedNode(0);
    bringAcadToFront();
}

void Commands::CmdDelete()
{
    const NodeKind kind = m_window.views().selectedKind();
    if (kind == NodeKind::LibraryRoot || kind == NodeKind::Template)
        m_window.views().DeleteSelectedTemplate();
    else
        Kvarto->DeleteLayouts();
}

// The library root opens the template folder in the desktop's file manager.
void Commands::CmdOpen()
{
    basViewControls::ViewControls& views = m_window.views();
    const NodeKind kind = views.selectedKind();
    if (kind == NodeKind::LibraryRoot) {
        m_shell.openUrl(QUrl::fromLocalFile(views.State.VorlagenPfad));
    } else if (kind == NodeKind::Template) {
        Dateien->OpenVorlage(0);
        views.FillTreeView();
    }
}

// The new template's name is typed into the tree.
void Commands::CmdLayoutImport()
{
    m_window.views().State.LabelEditMode = basViewControls::LabelEditKind::NewTemplate;
    Vorlagen->StartNewVorlage();
}

// "Blattliste ..." of "&Extras".
void Commands::wireSheetCommands()
{
    m_window.commands()->wire(Cmd::mnuBlattliste, [this] { ShowBlattliste(); });
    connect(m_window.ctlTimer(), &QTimer::timeout, this, &Commands::CheckBlattliste);
}

// One window for the run, read anew at each opening.
void Commands::ShowBlattliste()
{
    if (!Blattliste) {
        m_blattliste = std::make_unique<BlattlisteControl>(m_cad, m_blocks, m_window);
        Blattliste = std::make_unique<frmBlattliste>(*m_blattliste);
        connect(Blattliste.get(), &frmBlattliste::seiteEinrichten, this, &Commands::PageSetupFromSheetList);
        Blattliste->publish = [this](const QList<veroeffentlichen::Wahl>& wahl) {
            Veroeffentlichen(wahl, Blattliste.get());
        };
    }
    Blattliste->show();
    Blattliste->raise();
    Blattliste->activateWindow();
    BlattlisteSeen = 1;
    Blattliste->Refresh();
}

void Commands::RefreshBlattliste()
{
    if (Blattliste && Blattliste->isVisible())
        Blattliste->Refresh();
}

// A message box that its own refresh shows does not count as leaving, or each answer would bring the
// next one.
void Commands::CheckBlattliste()
{
    QWidget* active = QApplication::activeWindow();
    if (!Blattliste || active != Blattliste.get()) {
        if (!qobject_cast<QMessageBox*>(active))
            BlattlisteSeen = 0;
        return;
    }
    if (BlattlisteSeen == 1)
        return;
    BlattlisteSeen = 1;
    m_scope.beginAction();
    Blattliste->Refresh();
}

// The layouts selected in the explorer are the targets.
void Commands::CmdPageSetup()
{
    QList<BlattlisteControl::Key> ziele;
    basViewControls::ViewControls& views = m_window.views();
    try {
        for (const QString& key : Register->selectedLayoutKeys()) {
            const CAcadobj& layout = basDateien::RecordOf(views.Layouts, key, "Kein Layout ausgewählt!");
            ziele.append({drawingGesamtOf(layout), layout.AObjId, layout.Layout});
        }
    } catch (const std::exception& error) {
        platform::MsgBox(platform::describe(error), platform::vbExclamation);
        return;
    }
    SeiteEinrichten(ziele, std::nullopt, &m_window);
}

// The sheet list's selection are the targets, the sheet it compares with is the source.
void Commands::PageSetupFromSheetList()
{
    SeiteEinrichten(Blattliste->selectedKeys(), m_blattliste->vergleich(), Blattliste.get());
}

void Commands::SeiteEinrichten(const QList<BlattlisteControl::Key>& ziele,
                               const std::optional<BlattlisteControl::Key>& quelle, QWidget* parent)
{
    basViewControls::ViewControls& views = m_window.views();
    bool changed = false;
    try {
        const std::shared_ptr<acad::Host> app = basDateien::attachedApp(m_cad);
        std::optional<QString> failure;
        const QList<blattliste::Blatt> blaetter = blattliste::LeseBlaetter(*app, m_blocks, failure);
        if (failure)
            platform::MsgBox(*failure, platform::vbExclamation);
        SeiteEinrichtenControl control(*app, blaetter, views);
        control.setZiele(ziele);
        control.setQuelle(quelle.value_or(BlattlisteControl::Key{}));
        frmSeiteEinrichten form(control, views.State.VorlagenPfad, parent);
        changed = form.exec() == QDialog::Accepted;
    } catch (const std::exception& error) {
        platform::MsgBox(platform::describe(error), platform::vbExclamation);
    }
    if (!changed)
        return;
    views.FillTreeView();
    RefreshBlattliste();
}

} // namespace operations
