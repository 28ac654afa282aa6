#include "KopierenControl.h"

#include "BatchMark.h"
#include "basDateien.h"
#include "basKopieren.h"

#include <acad/Host.h>
#include <algorithm>
#include <explorer/AcadConnection.h>
#include <explorer/basViewControls.h>
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
    const QString selected = m_views.selectedNode().key;
    m_kind = kindOf(selected);
    if (m_kind == NodeKind::Layout) {
        m_drawingKey = m_views.parentNode(selected);
        m_sourceKey = selected;
        Dokument = m_views.nodeText(m_drawingKey);
        Quelle = m_views.nodeText(selected);
    } else {
        m_drawingKey = selected;
        Dokument = m_views.nodeText(selected);
        m_sourceKey = m_views.selectedItem().key;
        Quelle = m_views.itemText(m_sourceKey);
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
    m_views.SelectActiveLayouts(m_kind == NodeKind::Drawing);
}

} // namespace operations
