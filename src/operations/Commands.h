#pragma once

#include "BlattlisteControl.h"

#include <QObject>
#include <QStringList>
#include <explorer/NodeKind.h>
#include <memory>
#include <operations/Veroeffentlichen.h>

class CBloecke;
namespace acad {
class ActionScope;
}
class frmBlattliste;
class frmMain;
namespace basDateien {
class Dateien;
}
namespace basKvarto {
class Kvarto;
}
namespace basRegister {
class Register;
}
namespace basUmbenennen {
class Umbenennen;
}
namespace basVorlagen {
class Vorlagen;
}
namespace help {
class Shell;
}

namespace operations {

class CadServices;

// The explorer's commands on drawings, layouts and templates, and the sheet list: it creates the
// operations over the window's views and connects every such command, the label edits and the drops
// onto the tree in one place. The window keeps its own frame commands (view modes, toolbar, end).
class Commands final : public QObject
{
public:
    // None is owned. The shell opens the library folder in the desktop's file manager; the blocks
    // name the title blocks the sheet list checks; the scope begins the sheet list's own refresh.
    Commands(CadServices& cad, const CBloecke& blocks, frmMain& window, help::Shell& shell,
             acad::ActionScope& scope);
    ~Commands() override;

    // The operations behind the commands.
    std::unique_ptr<basDateien::Dateien> Dateien;
    std::unique_ptr<basKvarto::Kvarto> Kvarto;
    std::unique_ptr<basUmbenennen::Umbenennen> Umbenennen;
    std::unique_ptr<basVorlagen::Vorlagen> Vorlagen;
    std::unique_ptr<basRegister::Register> Register;
    // The sheet list: one window, not modal, made at its first opening; empty until then.
    std::unique_ptr<frmBlattliste> Blattliste;

    // "Blattliste ...": one window for the run, read anew at each opening.
    void ShowBlattliste();
    // The watch's refresh reaches the open list too; its filter and selected sheet stay.
    void RefreshBlattliste();
    // The sheet list's own watch, on the window's timer: back in front from another window, it reads
    // the sheets anew.
    void CheckBlattliste();
    // 1 when the sheet list was in front at the last watch tick.
    qint16 BlattlisteSeen = 0;

    // "Seite einrichten übernehmen ...": the targets chosen, the source when one is given (else the
    // first sheet that is no target); the dialog sits on parent.
    void SeiteEinrichten(const QList<BlattlisteControl::Key>& ziele,
                         const std::optional<BlattlisteControl::Key>& quelle, QWidget* parent);
    // "Veröffentlichen ...": the chosen sheets in sheet order, the dialog over parent, the run under
    // its progress and the end message.
    void Veroeffentlichen(const QList<veroeffentlichen::Wahl>& wahl, QWidget* parent);
    // The sheets "Veröffentlichen ..." of the layout menu takes: the tree's layout, or the list's
    // selected layouts below a drawing.
    QList<veroeffentlichen::Wahl> SelectedSheets() const;

private:
    void wireDrawingCommands();
    void wireLayoutCommands();
    void wireTemplateCommands();
    void wirePopupCommands();
    void wireNameCommands();
    void wireLabelEdits();
    void wireSheetCommands();
    void wirePublishCommands();
    void veroeffentlichen(const QList<veroeffentlichen::Wahl>& wahl, QWidget* parent);
    void bringAcadToFront();
    void CmdActive();
    void CmdDelete();
    void CmdOpen();
    void CmdCopy();
    void CmdRename();
    void CmdLayoutImport();
    void CmdPageSetup();
    void PageSetupFromSheetList();
    void TreeDragDrop(const QString& targetKey, const QStringList& files, const QString& text, bool move);
    QStringList draggedLayouts(const QString& text) const;
    void dropLayouts(const QString& targetKey, const QStringList& layouts, bool move);
    void ListDrop(const QString& targetKey, bool move);
    void dropFiles(explorer::NodeKind target, const QStringList& files);
    void dropText(explorer::NodeKind target, const QString& text);

    CadServices& m_cad;
    const CBloecke& m_blocks;
    frmMain& m_window;
    help::Shell& m_shell;
    acad::ActionScope& m_scope;
    std::unique_ptr<BlattlisteControl> m_blattliste;
};

} // namespace operations
