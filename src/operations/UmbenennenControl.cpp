#include "UmbenennenControl.h"

#include "basDateien.h"
#include "basUmbenennen.h"

#include <acad/Host.h>
#include <explorer/AcadConnection.h>
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
    return m_renames.RenameSelectedLayouts(layout, count) ? Outcome::Close : Outcome::StayInName;
}

} // namespace operations
