#include "UmbenennenControl.h"

#include "basDateien.h"
#include "basUmbenennen.h"

#include <acad/Host.h>
#include <explorer/AcadConnection.h>
#include <explorer/ViewHost.h>
#include <explorer/basViewControls.h>
#include <explorer/controls/TreeControl.h>
#include <platform/Error.h>
#include <platform/MsgBox.h>

namespace operations {

UmbenennenControl::UmbenennenControl(explorer::AcadConnection& connection,
                                     basViewControls::ViewControls& views, explorer::ViewHost& host,
                                     basUmbenennen::Umbenennen& renames, QObject* parent)
    : NameCountControl(parent), m_connection(connection), m_views(views), m_host(host), m_renames(renames)
{
}

void UmbenennenControl::Form_Load()
{
    Layout.clear();
    platform::ignoringErrors([this] {
        m_drawingKey = m_views.tvTreeView().selectedKey();
        Dokument = m_views.tvTreeView().text(m_drawingKey);
    });
    platform::ignoringErrors([this] { m_selected = m_renames.SelectedLayouts(); });
    platform::ignoringErrors([this] {
        const std::shared_ptr<acad::Host> app = basDateien::attachedApp(m_connection);
        m_names = basKopieren::LayoutNames(app->document(m_views.FindDocument(m_drawingKey)));
    });
}

// Without a free number for every layout the rename gives none: every line then says why.
QList<NameCountControl::VorschauZeile> UmbenennenControl::Vorschau(const QString& layout,
                                                                   const QString& anzahl) const
{
    QList<VorschauZeile> lines;
    if (!m_names || layout.isEmpty() || !basKopieren::CountProblem(anzahl).isEmpty()) {
        for (const basUmbenennen::NumberedName& selected : m_selected)
            lines.append({selected.oldName + QStringLiteral(" → …"), QString()});
        return lines;
    }
    bool complete = true;
    const QList<basUmbenennen::NumberedName> renames =
        basUmbenennen::NumberedNames(*m_names, m_selected, layout, basKopieren::CountOf(anzahl), &complete);
    const QString runOut =
        QStringLiteral("Für \"%1\" ist keine freie Layout-Nummer mehr vorhanden!").arg(layout);
    // The typed start of the series is checked as on leaving its field, then each new name.
    const QString typed = basKopieren::SerienNameProblem(layout);
    for (qsizetype i = 0; i < m_selected.size(); ++i) {
        const QString name = i < renames.size() ? renames[i].name : QStringLiteral("?");
        QString problem = complete ? typed : runOut;
        if (problem.isEmpty())
            problem = basKopieren::NameProblem(name);
        lines.append({m_selected[i].oldName + QStringLiteral(" → ") + name, problem});
    }
    return lines;
}

// No refresh follows: the records, the tree and the list already carry the new names.
NameCountControl::Outcome UmbenennenControl::finish(const QString& layout, qint16 count)
{
    try {
        const std::shared_ptr<acad::Host> app = basDateien::attachedApp(m_connection);
        basDateien::activateEach(*app, {m_views.FindDocument(m_drawingKey)}, m_connection, m_host);
    } catch (const std::exception& error) {
        platform::MsgBox(platform::describe(error), platform::vbOKOnly);
        return Outcome::Close;
    }
    const bool done = m_renames.RenameSelectedLayouts(layout, count);
    // The batch can be taken back now.
    m_host.VisbibleMnuMenu();
    return done ? Outcome::Close : Outcome::StayInName;
}

} // namespace operations
