#include "UmbenennenControl.h"

#include "basDateien.h"
#include "basUmbenennen.h"

#include <acad/Host.h>
#include <algorithm>
#include <explorer/AcadConnection.h>
#include <explorer/ViewHost.h>
#include <explorer/basViewControls.h>
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
        const explorer::Target drawing = m_views.selectedNode();
        m_drawingKey = drawing.key;
        Dokument = m_views.nodeText(drawing.key);
    });
    platform::ignoringErrors([this] { m_selected = m_renames.SelectedLayouts(); });
    platform::ignoringErrors([this] {
        const std::shared_ptr<acad::Host> app = basDateien::attachedApp(m_connection);
        m_names = basKopieren::LayoutNames(app->document(m_views.FindDocument(m_drawingKey)));
    });
}

bool UmbenennenControl::ValidateName(const QString& layout) const
{
    const basUmbenennen::NamePattern pattern = basUmbenennen::ParsePattern(layout);
    if (!pattern.numbered)
        return ValidateLayout(layout);
    const QString text = pattern.prefix + pattern.suffix;
    return text.isEmpty() || basKopieren::CheckEingabe(text) == 0;
}

// A name that a layout outside the series keeps, or a name the CAD program would refuse.
QString UmbenennenControl::lineProblem(const basUmbenennen::NumberedName& rename, const QString& typed) const
{
    if (!typed.isEmpty())
        return typed;
    const bool inSeries = std::any_of(m_selected.begin(), m_selected.end(), [&rename](const auto& s) {
        return s.oldName.toUpper() == rename.name.toUpper();
    });
    if (!inSeries && m_names->contains(rename.name))
        return QStringLiteral("Bezeichnung ist bereits vergeben!");
    return basKopieren::NameProblem(rename.name);
}

// Without a free number for every layout the rename gives none: every line then says why.
QList<NameCountControl::VorschauZeile> UmbenennenControl::Vorschau(const QString& layout,
                                                                   const QString& anzahl) const
{
    QList<VorschauZeile> lines;
    const QString stepProblem = basKopieren::CountProblem(Schritt);
    if (!m_names || layout.isEmpty() || !basKopieren::CountProblem(anzahl).isEmpty() || !stepProblem.isEmpty()) {
        for (const basUmbenennen::NumberedName& selected : m_selected)
            lines.append({selected.oldName + QStringLiteral(" → …"), stepProblem});
        return lines;
    }
    bool complete = true;
    const QList<basUmbenennen::NumberedName> renames = basUmbenennen::NumberedNames(
        *m_names, m_selected, layout, basKopieren::CountOf(anzahl), &complete, basKopieren::CountOf(Schritt));
    const QString runOut =
        QStringLiteral("Für \"%1\" ist keine freie Layout-Nummer mehr vorhanden!").arg(layout);
    // The typed text is checked as on leaving its field (a pattern: the text around the number).
    const basUmbenennen::NamePattern pattern = basUmbenennen::ParsePattern(layout);
    const QString literal = pattern.prefix + pattern.suffix;
    const QString typed = !pattern.numbered ? basKopieren::SerienNameProblem(layout)
                          : literal.isEmpty() ? QString()
                                              : basKopieren::NameProblem(literal);
    for (qsizetype i = 0; i < m_selected.size(); ++i) {
        if (i >= renames.size()) {
            lines.append({m_selected[i].oldName + QStringLiteral(" → ?"), runOut});
            continue;
        }
        lines.append({m_selected[i].oldName + QStringLiteral(" → ") + renames[i].name,
                      complete ? lineProblem(renames[i], typed) : runOut});
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
    const bool done = m_renames.RenameSelectedLayouts(layout, count, basKopieren::CountOf(Schritt));
    // The batch can be taken back now.
    m_host.VisbibleMnuMenu();
    return done ? Outcome::Close : Outcome::StayInName;
}

} // namespace operations
