#pragma once

#include "NameCountControl.h"
#include "basUmbenennen.h"

#include <optional>

namespace basViewControls {
class ViewControls;
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
    // The selected layouts as "old → new", numbered as the rename will number them, from the
    // drawing's names as they were at opening; a name that would be refused, or a layout for which no
    // number is left, carries its problem.
    bool HatVorschau() const override { return true; }
    QList<VorschauZeile> Vorschau(const QString& layout, const QString& anzahl) const override;
    // The name field takes a pattern ("A-{nr:03}"): its text around the placeholder is checked.
    bool ValidateName(const QString& layout) const override;
    bool HatSchritt() const override { return true; }

protected:
    Outcome finish(const QString& layout, qint16 count) override;

private:
    explorer::AcadConnection& m_connection;
    basViewControls::ViewControls& m_views;
    explorer::ViewHost& m_host;
    basUmbenennen::Umbenennen& m_renames;
    QString m_drawingKey;
    QString lineProblem(const basUmbenennen::NumberedName& rename, const QString& typed) const;

    QList<basUmbenennen::NumberedName> m_selected;
    std::optional<basKopieren::LayoutNames> m_names; // empty when the drawing could not be read
};

} // namespace operations
