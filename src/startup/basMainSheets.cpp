#include "basMain.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <acad/ActionScope.h>
#include <explorer/frmMain.h>
#include <operations/BlattlisteControl.h>
#include <operations/frmBlattliste.h>

using explorer::Cmd;

namespace basMain {

// "Blattliste ..." of "&Extras".
void Program::wireSheetCommands()
{
    MainForm->commands()->wire(Cmd::mnuBlattliste, [this] { ShowBlattliste(); });
    connect(MainForm->ctlTimer(), &QTimer::timeout, this, &Program::CheckBlattliste);
}

// One window for the run, read anew at each opening.
void Program::ShowBlattliste()
{
    if (!Blattliste) {
        m_blattliste =
            std::make_unique<operations::BlattlisteControl>(Connection, Definitions.gBloecke, *MainForm);
        Blattliste = std::make_unique<frmBlattliste>(*m_blattliste);
    }
    Blattliste->show();
    Blattliste->raise();
    Blattliste->activateWindow();
    BlattlisteSeen = 1;
    Blattliste->Refresh();
}

// The watch's refresh reaches the open list too; its filter and selected sheet stay.
void Program::RefreshBlattliste()
{
    if (Blattliste && Blattliste->isVisible())
        Blattliste->Refresh();
}

// The list's own watch: back in front from another window, it reads the sheets anew. A message box
// that its own refresh shows does not count as leaving, or each answer would bring the next one.
void Program::CheckBlattliste()
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
    m_actionScope->beginAction();
    Blattliste->Refresh();
}

} // namespace basMain
