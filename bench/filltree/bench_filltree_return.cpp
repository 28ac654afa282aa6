// The refresh on every return to the window when nothing changed: 20 drawings of 50 layouts each and a
// template library of 20 or of 20,000 files, in-process against the engine. The library is watched,
// so both cost about the same; "Aktualisieren" (F5) lists the folder again, which is what every
// return cost before the watch. Target: the return with 20,000 templates at most twice the time of
// the one with 20, and faster than F5 with 20,000.
#include "BenchFixtures.h"
#include "BenchSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QTreeWidget>
#include <acad/Connector.h>
#include <algorithm>
#include <cadhost/engine/Engine.h>
#include <cadhost/engine/MemoryStore.h>
#include <cstdio>
#include <explorer/basViewControls.h>
#include <explorer/controls/ListControl.h>
#include <explorer/controls/TreeControl.h>
#include <functional>
#include <operations/basKvartoObjekte.h>
#include <settings/basDatenbank.h>
#include <startup/basAutoCAD.h>

namespace {

const int kRuns = 21;
const int kDrawings = 20;
const int kLayouts = 50;

std::shared_ptr<cadhost::Engine> engineWithDrawings()
{
    auto store = std::make_shared<cadhost::MemoryStore>();
    QStringList paths;
    for (int d = 1; d <= kDrawings; ++d) {
        cadhost::Drawing drawing;
        cadhost::Layout model;
        model.name = QStringLiteral("Model");
        drawing.layouts.append(model);
        for (int l = 1; l <= kLayouts; ++l) {
            cadhost::Layout layout;
            layout.name = QStringLiteral("Blatt %1").arg(l);
            // Tab order against name order, so that the tree has something to order.
            layout.tabOrder = kLayouts + 1 - l;
            drawing.layouts.append(layout);
        }
        drawing.activeLayout = QStringLiteral("Blatt 1");
        paths.append(QStringLiteral("/bench/Projekt/Zeichnung%1.dwg").arg(d));
        store->put(paths.last(), drawing);
    }
    auto engine = std::make_shared<cadhost::Engine>(store);
    for (const QString& path : std::as_const(paths))
        engine->openDocument(path);
    engine->activateDocument(engine->application().documents.first().id);
    return engine;
}

struct Library
{
    QTemporaryDir dir;
    basDatenbank::Definitions definitions;
    explicit Library(int templates)
    {
        for (int t = 1; t <= templates; ++t)
            QFile(QStringLiteral("%1/Vorlage %2.dwg").arg(dir.path()).arg(t)).open(QIODevice::WriteOnly);
        definitions.gTypen.Add(1, QStringLiteral("Vorlagen"), dir.path(), QString(), QStringLiteral("1"));
    }
};

struct View
{
    acad::FunctionConnector connector;
    basAutoCAD::Connection connection;
    QTreeWidget widget;
    explorer::TreeControl tree{&widget};
    explorer::ListControl list;
    benchsupport::NoWindow window;
    basKvarto::LayoutReader layoutContents;
    basViewControls::ViewControls views;

    explicit View(Library& library)
        : connection(connector, library.definitions),
          views(tree, list, window, connection, library.definitions, layoutContents)
    {
        connection.AcadApp = engineWithDrawings();
        views.InitTreeView();
        views.FillTreeView();
    }
};

// The median of kRuns refreshes, each after before() (which is not timed).
double medianMs(View& view, const std::function<void()>& before)
{
    QList<double> times;
    for (int i = 0; i < kRuns; ++i) {
        before();
        QApplication::processEvents(); // the watch's reports, as the event loop between two returns
        QElapsedTimer timer;
        timer.start();
        view.views.FillTreeView();
        times.append(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[kRuns / 2];
}

struct Figures
{
    double onReturn = 0;
    double onF5 = 0;
    int nodes = 0;
};

Figures measure(int templates)
{
    Library library(templates);
    // A library written just now is listed again until it has been quiet for a moment.
    QThread::msleep(1100);
    View view(library);
    Figures f;
    f.onReturn = medianMs(view, [] {});
    f.onF5 = medianMs(view, [&] { view.views.InvalidateLibrary(); });
    f.nodes = int(view.tree.allKeys().size());
    std::printf("%6d templates, %5d nodes: return %8.2f ms median, F5 (lists the library) %8.2f ms median\n",
                templates, f.nodes, f.onReturn, f.onF5);
    return f;
}

bool check(bool ok, const char* what)
{
    std::printf("%-72s %s\n", what, ok ? "ok" : "MISSED");
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    benchsupport::ScratchEnvironment scratch;
    QApplication app(argc, argv);
    benchsupport::BoxCounter boxes;
    std::printf("machine load: %s\n", benchsupport::loadAverage().trimmed().constData());
    const Figures small = measure(20);
    const Figures large = measure(20000);
    bool ok = check(large.onReturn <= 2 * small.onReturn + 1,
                    "a return with 20,000 templates costs about what one with 20 does");
    ok &= check(large.onReturn < large.onF5, "with 20,000 templates a return is cheaper than F5");
    ok &= check(boxes.shown == 0, "no message box");
    return ok ? 0 : 1;
}
