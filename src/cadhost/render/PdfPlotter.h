#pragma once

#include <cadhost/engine/Plotting.h>

namespace cadhost::render {

// The engine's plotter: PDF pages through Qt's own PDF writer, one page per layout at its paper size,
// and PNG previews. Needs a QGuiApplication (fonts).
class PdfPlotter final : public Plotter
{
public:
    acad::PlotResult plotToFile(const Drawing& drawing, const Layout& layout, const QString& path) override;
    std::unique_ptr<PlotJob> beginJob(const QString& path) override;
    QByteArray preview(const Drawing& drawing, const Layout& layout, QSize size) override;
};

} // namespace cadhost::render
