#include "basMain.h"

#include <QWidget>
#include <explorer/basViewControls.h>
#include <explorer/controls/ListControl.h>
#include <explorer/controls/TreeControl.h>
#include <explorer/frmMain.h>
#include <operations/KopierenControl.h>
#include <operations/NameCountForm.h>
#include <operations/basUmbenennen.h>
#include <operations/basVorlagen.h>

using explorer::Cmd;
using explorer::NodeKind;

namespace basMain {

// Copy and rename: the commands, and the end of the label edits in the tree and the list.
void Program::wireNameCommands()
{
    basViewControls::ViewControls& views = MainForm->views();
    Umbenennen = std::make_unique<basUmbenennen::Umbenennen>(Connection, views, *MainForm);
    basUmbenennen::Umbenennen* renames = Umbenennen.get();
    explorer::MainCommands* commands = MainForm->commands();
    commands->wire(Cmd::mnuEditCopy, [this] { CmdCopy(); });
    commands->wire(Cmd::mnuFileRename, [this] { CmdRename(); });
    connect(MainForm->tvTreeView(), &explorer::TreeControl::afterLabelEdit, this,
            [this, renames](const QString& key, const QString& text, bool* cancel) {
                if (MainForm->views().LabelEditMode == basViewControls::LabelEditKind::NewTemplate)
                    Vorlagen->TreeAfterLabelEdit(key, text, cancel);
                else
                    renames->TreeAfterLabelEdit(key, text, cancel);
            });
    connect(MainForm->lvListView(), &explorer::ListControl::afterLabelEdit, this,
            [renames](const QString& key, const QString& text, bool* cancel) {
                renames->ListAfterLabelEdit(key, text, cancel);
            });
}

// Modal, and a new dialog each time.
void Program::CmdCopy()
{
    operations::KopierenControl control(Connection, MainForm->views(), *MainForm);
    frmKopieren form(control, MainForm.get());
    form.exec();
}

void Program::CmdRename()
{
    basViewControls::ViewControls& views = MainForm->views();
    views.LabelEditMode = basViewControls::LabelEditKind::RenameLayout;
    if (views.selectedKind() == NodeKind::Drawing)
        MainForm->lvListView()->setFocus();
    Umbenennen->StartRename();
}

} // namespace basMain
