#pragma once

#include "NameCountControl.h"

#include <explorer/NodeKind.h>

namespace basViewControls {
class ViewControls;
}
namespace explorer {
class AcadConnection;
class ViewHost;
} // namespace explorer

namespace operations {

// The copy dialog without its widgets: the layout selected in the tree, or in the list below a
// drawing, is copied under a new name as often as asked; the first copy becomes current.
class KopierenControl final : public NameCountControl
{
public:
    KopierenControl(explorer::AcadConnection& connection, basViewControls::ViewControls& views,
                    explorer::ViewHost& host, QObject* parent = nullptr);

    void Form_Load() override;
    // After the refresh: the selection moves to the current layout.
    void SelectActiveLayout();

    QString drawingKey() const { return m_drawingKey; }
    QString sourceKey() const { return m_sourceKey; }

protected:
    Outcome finish(const QString& layout, qint16 count) override;

private:
    void load();
    bool copy(const QString& layout, qint16 count);
    static bool namesAccepted(const QStringList& names);

    explorer::AcadConnection& m_connection;
    basViewControls::ViewControls& m_views;
    explorer::ViewHost& m_host;
    QString m_drawingKey;
    QString m_sourceKey;
    explorer::NodeKind m_kind = explorer::NodeKind::None;
};

} // namespace operations
