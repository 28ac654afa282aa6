#include "LayoutPlotReader.h"

#include <acad/BusNames.h>
#include <acad/Host.h>
#include <platform/Error.h>

namespace explorer {

LayoutPlotReader::LayoutPlotReader(acad::Host& host, acad::DocId doc)
    : m_host(host), m_doc(doc), m_deadline(acad::bus::kCallTimeoutMs)
{
    platform::ignoringErrors([this] { m_all = m_host.layoutPlotSettings(m_doc); });
}

bool LayoutPlotReader::mayFallBack() const
{
    return !m_all && !m_deadline.hasExpired();
}

std::optional<acad::LayoutPlotSettings> LayoutPlotReader::byId(acad::ObjectId id)
{
    if (m_all) {
        for (const acad::LayoutPlotSettings& layout : *m_all) {
            if (layout.id == id)
                return layout;
        }
        return std::nullopt;
    }
    return mayFallBack() ? single(id, QString()) : std::nullopt;
}

std::optional<LayoutPlotReader::Named> LayoutPlotReader::byName(const QString& name)
{
    if (m_all) {
        for (const acad::LayoutPlotSettings& layout : *m_all) {
            if (layout.name.compare(name, Qt::CaseInsensitive) == 0)
                return Named{layout.id, layout};
        }
        return std::nullopt;
    }
    if (!mayFallBack())
        return std::nullopt;
    std::optional<acad::ObjectId> id;
    platform::ignoringErrors([&] {
        for (const acad::LayoutRef& layout : m_host.document(m_doc).layouts) {
            if (layout.name.compare(name, Qt::CaseInsensitive) == 0)
                id = layout.id;
        }
    });
    if (!id)
        return std::nullopt;
    return Named{*id, single(*id, name)};
}

std::optional<acad::LayoutPlotSettings> LayoutPlotReader::single(acad::ObjectId id, const QString& name)
{
    platform::ignoringErrors([&] { m_host.refreshPlotDeviceInfo(m_doc, id); });
    acad::LayoutPlotSettings layout{id, name, {}, {}};
    try {
        layout.plot = m_host.plotSettings(m_doc, id);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    if (!layout.plot.canonicalMediaName.isEmpty()) {
        platform::ignoringErrors([&] {
            layout.localeMediaName = m_host.localeMediaName(m_doc, id, layout.plot.canonicalMediaName);
        });
    }
    return layout;
}

} // namespace explorer
