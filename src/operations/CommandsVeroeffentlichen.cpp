#include "CadServices.h"
#include "Commands.h"
#include "VeroeffentlichenControl.h"
#include "basDateien.h"
#include "basDateienTargets.h"
#include "frmVeroeffentlichen.h"

#include <QUrl>
#include <explorer/basViewControls.h>
#include <explorer/frmMain.h>
#include <help/Shell.h>
#include <platform/Error.h>
#include <platform/MsgBox.h>

using explorer::Cmd;
using explorer::NodeKind;
using veroeffentlichen::Wahl;

namespace operations {

void Commands::wirePublishCommands()
{
    m_window.commands()->wire(Cmd::mnuPublish, [this] {
        QList<Wahl> wahl;
        try {
            wahl = SelectedSheets();
        } catch (const std::exception& error) {
            platform::MsgBox(platform::describe(error), platform::vbExclamation);
            return;
        }
        Veroeffentlichen(wahl, &m_window);
    });
}

QList<Wahl> Commands::SelectedSheets() const
{
    basViewControls::ViewControls& views = m_window.views();
    const QString node = views.selectedNode().key;
    QStringList keys;
    QString drawingKey = node;
    if (explorer::kindOf(node) == NodeKind::Layout) {
        keys.append(node);
        drawingKey = views.parentNode(node);
    } else if (explorer::kindOf(node) == NodeKind::Drawing) {
        for (const QString& key : views.shownItems()) {
            if (explorer::kindOf(key) == NodeKind::Layout && views.itemSelected(key))
                keys.append(key);
        }
    }
    if (keys.isEmpty())
        return {};
    const QString drawing =
        basDateien::RecordOf(views.Zeichnungen, drawingKey, "Keine Zeichnung ausgewählt!").Gesamt;
    QList<Wahl> wahl;
    for (const QString& key : keys) {
        const CAcadobj& layout = basDateien::RecordOf(views.Layouts, key, "Kein Layout ausgewählt!");
        wahl.append({drawing, layout.AObjId, layout.Layout});
    }
    return wahl;
}

// Sheets gone since they were chosen are named once; the others are published.
void Commands::Veroeffentlichen(const QList<Wahl>& wahl, QWidget* parent)
{
    try {
        veroeffentlichen(wahl, parent);
    } catch (const std::exception& error) {
        platform::MsgBox(platform::describe(error), platform::vbExclamation);
    }
}

void Commands::veroeffentlichen(const QList<Wahl>& wahl, QWidget* parent)
{
    if (wahl.isEmpty()) {
        platform::MsgBox(QStringLiteral("Kein Layout ausgewählt!"), platform::vbExclamation);
        return;
    }
    const std::shared_ptr<acad::Host> app = basDateien::attachedApp(m_cad);
    QStringList fehlend;
    QList<veroeffentlichen::Blatt> blaetter = veroeffentlichen::InBlattfolge(*app, wahl, fehlend);
    if (!fehlend.isEmpty())
        platform::MsgBox(fehlend.join(QStringLiteral("\n")) +
                             (fehlend.size() == 1 ? QStringLiteral(" ist nicht mehr vorhanden!")
                                                  : QStringLiteral("\nsind nicht mehr vorhanden!")),
                         platform::vbExclamation);
    if (blaetter.isEmpty())
        return;
    help::Shell& shell = m_shell;
    VeroeffentlichenControl control(app, std::move(blaetter), [&shell](const QString& folder) {
        shell.openUrl(QUrl::fromLocalFile(folder));
    });
    frmVeroeffentlichen form(control, parent);
    if (form.exec() != QDialog::Accepted)
        return;
    const std::unique_ptr<veroeffentlichen::Lauf> lauf = control.NeuerLauf();
    VeroeffentlichenMitFortschritt(*lauf, parent);
    ZeigeAbschluss(control, lauf->ergebnis(), parent);
}

} // namespace operations
