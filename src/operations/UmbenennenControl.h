#pragma once

#include "NameCountControl.h"

namespace basViewControls {
class ViewControls;
}
namespace basUmbenennen {
class Umbenennen;
}
namespace explorer {
class AcadConnection;
class ViewHost;
} // namespace explorer

namespace operations {

// The numbered rename dialog without its widgets: the layouts selected in the list below a drawing
// get one name followed by running numbers.
class UmbenennenControl final : public NameCountControl
{
public:
    UmbenennenControl(explorer::AcadConnection& connection, basViewControls::ViewControls& views,
                      explorer::ViewHost& host, basUmbenennen::Umbenennen& renames,
                      QObject* parent = nullptr);

    void Form_Load() override;
    QString drawingKey() const { return m_drawingKey; }

protected:
    Outcome finish(const QString& layout, qint16 count) override;

private:
    explorer::AcadConnection& m_connection;
    basViewControls::ViewControls& m_views;
    explorer::ViewHost& m_host;
    basUmbenennen::Umbenennen& m_renames;
    QString m_drawingKey;
};

} // namespace operations
