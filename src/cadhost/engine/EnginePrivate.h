#pragma once

// The engine's parts and their wiring: the documents, the command line that works on them, the
// commands it starts and the macros.
#include "CommandLine.h"
#include "Documents.h"
#include "Engine.h"
#include "Macros.h"
#include "Profile.h"

#include <map>

namespace cadhost {

struct Engine::Private
{
    Private(Engine* engine, std::shared_ptr<DrawingStore> store);

    Engine* q;
    // The documents tell the command line about themselves; the command line starts the commands.
    Documents documents;
    CommandLine commandLine;
    Macros macros;
    Profile profile;
    bool visible = false;
    bool interactive = false;
    qint64 hwnd = 0;
    QString designCenter;
    std::shared_ptr<Plotter> plotter;
    // Open plot jobs by the number the caller got; a job ends only when its caller ends it.
    std::map<qint32, std::unique_ptr<PlotJob>> plotJobs;
    qint32 nextPlotJob = 1;

    // --- plotting (EnginePlot.cpp)
    Plotter& plotterOrRefuse() const;
    // The paper layout to plot, refreshed so that its paper size is known; refuses "Model".
    const Layout& plottable(acad::DocId doc, acad::ObjectId layout);

    // --- commands (Commands.cpp)
    bool startCommand(acad::DocId line, const QString& name);
    void saveAsFlow(acad::DocId line, acad::DocId doc, const std::function<void()>& done);
    void saveFlow(acad::DocId line, acad::DocId doc, const std::function<void()>& done);
    void quitFlow(acad::DocId line, QList<acad::DocId> pending);
};

// "-PLOT" (PlotCommand.cpp): the layout and the file asked on the command line.
void plotCommand(Engine::Private& e, acad::DocId doc);

} // namespace cadhost
