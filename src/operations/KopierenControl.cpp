#include "KopierenControl.h"

#include "BatchMark.h"
#include "basDateien.h"
#include "basKopieren.h"

#include <acad/Host.h>
#include <algorithm>
#include <explorer/AcadConnection.h>
#include <explorer/basViewControls.h>
#include <explorer/controls/ListControl.h>
#include <explorer/controls/TreeControl.h>
#include <platform/Error.h>
#include <platform/MsgBox.h>

using explorer::kindOf;
using explorer::NodeKind;

namespace operations {

KopierenControl::KopierenControl(explorer::AcadConnection& connection, basViewControls::ViewControls& views,
                                 explorer::ViewHost& host, QObject* parent)
    : NameCountControl(parent), m_connection(connection), m_views(views), m_host(host)
{
}

void KopierenControl::Form_Load()
{
    platform::ignoringErrors([this] { load(); });
}

void KopierenControl::load()
{
    const explorer::TreeControl& tree = m_views.tvTreeView();
    const QString selected = tree.selectedKey();
    m_kind = kindOf(selected);
    if (m_kind == NodeKind::Layout) {
        m_drawingKey = tree.parentKey(selected);
        m_sourceKey = selected;
        Dokument = tree.text(m_drawingKey);
        Quelle = tree.text(selected);
    } else {
        m_drawingKey = selected;
        Dokument = tree.text(selected);
        m_sourceKey = m_views.lvListView().selectedKey();
        Quelle = m_views.lvListView().text(m_sourceKey);
    }
    Layout = QStringLiteral("Kopie von ") + Quelle;
}

namespace {

// The copies the drawing holds after the batch; what was sent when the host cannot be asked.
qint32 copiesMade(acad::Host& app, acad::DocId doc, const QStringList& names, qint32 sent)
{
    qint32 made = sent;
    platform::ignoringErrors([&] {
        const basKopieren::LayoutNames held(app.document(doc));
        made = qint32(std::count_if(names.begin(), names.end(),
                                    [&held](const QString& name) { return held.contains(name); }));
    });
    return made;
}

} // namespace

// The names pass the checks of the rename preview before anything is sent: a name the CAD program
// would refuse keeps the dialog open.
bool KopierenControl::namesAccepted(const QStringList& names)
{
    for (const QString& name : names) {
        if (const QString problem = basKopieren::NameProblem(name); !problem.isEmpty()) {
            platform::MsgBox(problem, platform::vbExclamation);
            return false;
        }
    }
    return true;
}

// False when no free number is left for the name, or a name would be refused: then nothing has been
// sent. A batch that ends short says how far it came.
bool KopierenControl::copy(const QString& layout, qint16 count)
{
    const std::shared_ptr<acad::Host> app = basDateien::attachedApp(m_connection);
    const acad::DocId doc = m_views.FindDocument(m_drawingKey);
    QString base = layout;
    const QStringList names =
        basKopieren::CopyNames(basKopieren::LayoutNames(app->document(doc)), base, count);
    if (names.isEmpty() || !namesAccepted(names))
        return false;
    basDateien::activateEach(*app, {doc}, m_connection, m_host);
    basKopieren::BatchResult result;
    {
        BatchMark mark(*app, doc, m_views);
        result = basKopieren::CopyLayout(*app, doc, Quelle, names);
        if (result.done > 0)
            mark.changed();
    }
    const qint32 made = copiesMade(*app, doc, names, result.done);
    if (made < names.size()) {
        const QString refused = made == 0 ? QStringLiteral("AutoCAD hat sie nicht angenommen.")
                                          : QStringLiteral("AutoCAD hat die übrigen nicht angenommen.");
        const QString why = result.failure.isEmpty() ? refused : result.failure;
        platform::MsgBox(QStringLiteral("%1 von %2 Kopien erstellt: %3").arg(made).arg(names.size()).arg(why),
                         platform::vbCritical);
    }
    return true;
}

NameCountControl::Outcome KopierenControl::finish(const QString& layout, qint16 count)
{
    try {
        if (!copy(layout, count))
            return Outcome::StayInName;
    } catch (const std::exception& error) {
        platform::MsgBox(
            platform::withDescription(QStringLiteral("Kopieren des neuen Layouts fehlgeschlagen!"), error),
            platform::vbCritical);
    }
    m_views.FillTreeView();
    platform::ignoringErrors([this] { SelectActiveLayout(); });
    return Outcome::Close;
}

void KopierenControl::SelectActiveLayout()
{
    if (m_kind == NodeKind::Drawing) {
        explorer::ListControl& list = m_views.lvListView();
        for (const QString& key : list.keys())
            list.setSelected(key, list.bold(key));
        return;
    }
    explorer::TreeControl& tree = m_views.tvTreeView();
    for (const QString& key : tree.allKeys()) {
        if (kindOf(key) != NodeKind::Layout || !tree.bold(key) || tree.selectedKey() == key)
            continue;
        // The list and the commands follow the node, as after a click.
        tree.select(key);
        m_views.TreeSelectionChanged();
        return;
    }
}

} // namespace operations
