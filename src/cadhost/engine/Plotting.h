#pragma once

#include "Drawing.h"

#include <QByteArray>
#include <QSize>
#include <memory>

namespace cadhost {

// One multi-page PDF being written. Pages come in the order they are added; nothing reaches the
// target file before finish(), and a job destroyed unfinished leaves no file.
class PlotJob
{
public:
    virtual ~PlotJob() = default;
    virtual acad::PlotResult addPage(const Drawing& drawing, const Layout& layout) = 0;
    // Writes the file whole; throws acad::Error with the German reason when it cannot.
    virtual void finish() = 0;
};

// What draws layouts for the engine: the engine checks the calls (open drawing, paper layout, job),
// the plotter draws. The engine itself has no graphics; the program hands it a plotter.
class Plotter
{
public:
    virtual ~Plotter() = default;
    virtual acad::PlotResult plotToFile(const Drawing& drawing, const Layout& layout,
                                        const QString& path) = 0;
    virtual std::unique_ptr<PlotJob> beginJob(const QString& path) = 0;
    // A PNG picture of the layout (or model space) fitted into size.
    virtual QByteArray preview(const Drawing& drawing, const Layout& layout, QSize size) = 0;
};

} // namespace cadhost
