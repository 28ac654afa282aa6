#include "BatchMark.h"

#include "basDateien.h"

#include <acad/Host.h>
#include <explorer/AcadConnection.h>
#include <explorer/basViewControls.h>
#include <platform/Error.h>
#include <platform/MsgBox.h>

namespace operations {

namespace {

const QString kBegin = QStringLiteral("_undo\r_begin\r");
const QString kEnd = QStringLiteral("_undo\r_end\r");
const QString kUndo = QStringLiteral("_u\r");

} // namespace

BatchMark::BatchMark(acad::Host& app, acad::DocId doc, basViewControls::ViewControls& views)
    : m_app(app), m_doc(doc), m_views(views)
{
    platform::ignoringErrors([this] {
        m_app.sendCommand(m_doc, kBegin);
        m_open = true;
    });
}

BatchMark::~BatchMark()
{
    if (m_open)
        platform::ignoringErrors([this] { m_app.sendCommand(m_doc, kEnd); });
    if (m_open && m_changed)
        m_views.State.LastBatchDoc = m_doc;
}

void UndoLastBatch(explorer::AcadConnection& connection, basViewControls::ViewControls& views)
{
    try {
        const acad::DocId doc = views.State.LastBatchDoc;
        if (doc == 0 || doc != connection.activeDoc())
            return;
        // Taken back once: a second "Rückgängig" would take back what the user did before.
        views.State.LastBatchDoc = 0;
        basDateien::attachedApp(connection)->sendCommand(doc, kUndo);
    } catch (const std::exception& error) {
        platform::MsgBox(platform::describe(error), platform::vbOKOnly);
    }
    views.FillTreeView();
}

} // namespace operations
