#pragma once

#include <QDeadlineTimer>
#include <QList>
#include <acad/Types.h>
#include <optional>

namespace acad {
class Host;
}

namespace explorer {

// The plot settings of a drawing's layouts as the lists show them, each read after the host
// refreshed its plot device information, with the localized paper name. Every layout comes in one
// call; when that call fails as a whole, the layouts asked for are read one by one with the single
// calls, so that a layout that cannot be read only costs its own cells. That fallback ends once a
// call timeout has passed since the reader began: a host that hangs would make each single call wait
// again.
class LayoutPlotReader final
{
public:
    LayoutPlotReader(acad::Host& host, acad::DocId doc);

    // A layout found by name, whose settings may still be unreadable.
    struct Named
    {
        acad::ObjectId id = 0;
        std::optional<acad::LayoutPlotSettings> settings;
    };

    // Nothing when the layout's settings cannot be read.
    std::optional<acad::LayoutPlotSettings> byId(acad::ObjectId id);
    // The layout of that name, ignoring case; nothing when the drawing has none or the host cannot
    // say.
    std::optional<Named> byName(const QString& name);

private:
    bool mayFallBack() const;
    std::optional<acad::LayoutPlotSettings> single(acad::ObjectId id, const QString& name);

    acad::Host& m_host;
    acad::DocId m_doc;
    QDeadlineTimer m_deadline;
    std::optional<QList<acad::LayoutPlotSettings>> m_all; // empty when the bulk call failed
};

} // namespace explorer
