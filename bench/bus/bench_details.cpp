// What one selection in the explorer reads from the host, the old way (one call per value) and with
// the bulk calls: the layout list of a drawing with 50 layouts (plot settings of every layout), and
// the details of a layout with 200 viewports and 200 block references carrying Kvarto data. In-process
// against the engine and over a private bus against a real `cadhost --headless`; the drawing is
// written with the host's own DXF writer and opened by the host. Targets: at most 3 round trips for
// each, the details within 50 ms over the bus. Then the same two selections through the explorer's
// own view logic (tree click, layout list, details rows) against the cadhost process.
#include "BenchFixtures.h"
#include "BenchSupport.h"
#include "PrivateBus.h"

#include <QApplication>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <acad/BusHost.h>
#include <acad/BusNames.h>
#include <acad/Connector.h>
#include <acad/Error.h>
#include <algorithm>
#include <cadhost/dxf/DxfStore.h>
#include <cadhost/engine/Engine.h>
#include <cstdio>
#include <explorer/ViewHost.h>
#include <explorer/basViewControls.h>
#include <explorer/controls/ListControl.h>
#include <explorer/controls/TreeControl.h>
#include <functional>
#include <operations/basKvartoObjekte.h>
#include <platform/MsgBox.h>
#include <settings/basDatenbank.h>
#include <startup/basAutoCAD.h>
#include <utility>

namespace {

using namespace cadhost;

const int kLayouts = 50;
const int kViewports = 200; // beside the layout's own
const int kBlocks = 200;
const QString kKvarto = QStringLiteral("Kvarto");
const QString kDetailLayout = QStringLiteral("Blatt 1");

// Scale 1:denominator with the model in metres; id 1 is the layout's own viewport.
Entity viewport(qint32 id, double denominator)
{
    Entity e;
    e.dxfType = QStringLiteral("VIEWPORT");
    e.entityType = acad::PViewport;
    e.viewport.center = {210, 148, 0};
    e.viewport.width = 40;
    e.viewport.height = 30;
    e.viewport.viewportId = id;
    e.viewport.viewHeight = 30 * denominator / 1000.0;
    if (id > 1)
        e.xdata.append(benchsupport::kvartoData({{0, QStringLiteral("1")},
                                                 {21, QStringLiteral("0")},
                                                 {121, QStringLiteral("Ansicht %1").arg(id)}}));
    return e;
}

// Kind 8 title block (number under 81), 9 north arrow (91), 14 legend (71).
Entity productBlock(int i)
{
    static const int kinds[][2] = {{8, 81}, {9, 91}, {14, 71}};
    const auto [kind, numberType] = kinds[i % 3];
    Entity e;
    e.dxfType = QStringLiteral("INSERT");
    e.entityType = acad::BlockReference;
    e.block.blockName = QStringLiteral("KV_BLOCK_%1").arg(i % 3);
    e.block.insertion = {double(i), 10, 0};
    e.xdata.append(
        benchsupport::kvartoData({{0, QString::number(kind)}, {numberType, QString::number(1 + i % 2)}}));
    return e;
}

// Every few layouts another paper; some sizes are left for the host's refresh to fill in.
acad::PlotSettings plotFor(int l)
{
    static const char* media[] = {"ISO_full_bleed_A3_(420.00_x_297.00_MM)", "ISO_A1_(841.00_x_594.00_MM)",
                                  "ISO_A4_(210.00_x_297.00_MM)"};
    acad::PlotSettings p;
    p.configName = QStringLiteral("DWG To PDF.pc3");
    p.canonicalMediaName = QString::fromLatin1(media[l % 3]);
    p.plotRotation = l % 2;
    p.plotType = l % 4 == 0 ? 4 : 5;
    p.styleSheet = l % 5 == 0 ? QString() : QStringLiteral("monochrome.ctb");
    return p;
}

Drawing sampleDrawing()
{
    Drawing d;
    Layout model;
    model.name = QStringLiteral("Model");
    d.layouts.append(model);
    for (int l = 1; l <= kLayouts; ++l) {
        Layout layout;
        layout.name = QStringLiteral("Blatt %1").arg(l);
        layout.tabOrder = l;
        layout.plot = plotFor(l);
        d.layouts.append(layout);
    }
    QList<Entity>& detail = d.layouts[1].entities;
    detail.append(viewport(1, 1000));
    for (int i = 0; i < kViewports; ++i)
        detail.append(viewport(i + 2, 50.0 * (1 + i % 20)));
    for (int i = 0; i < kBlocks; ++i)
        detail.append(productBlock(i));
    d.activeLayout = kDetailLayout;
    return d;
}

// What a selection reads; returns a number that depends on every value read.
struct Reader
{
    std::function<qint64()> layoutList;
    std::function<qint64()> details;
};

acad::DocId firstDocument(acad::Host& host)
{
    const acad::ApplicationSnapshot app = host.application(); // the explorer finds the drawing
    return app.documents.value(0).id;
}

// The layout list: the paper layouts' plot settings, one call per value.
qint64 layoutListOld(acad::Host& host, const QList<acad::LayoutRef>& layouts)
{
    const acad::DocId doc = firstDocument(host);
    qint64 sum = 0;
    for (const acad::LayoutRef& layout : layouts.mid(1)) {
        const acad::PlotSettings plot = host.plotSettings(doc, layout.id);
        host.refreshPlotDeviceInfo(doc, layout.id);
        sum += host.localeMediaName(doc, layout.id, plot.canonicalMediaName).size() + plot.plotRotation;
    }
    return sum;
}

qint64 layoutListBulk(acad::Host& host)
{
    const acad::DocId doc = firstDocument(host);
    qint64 sum = 0;
    for (const acad::LayoutPlotSettings& l : host.layoutPlotSettings(doc))
        sum += l.localeMediaName.size() + l.plot.plotRotation;
    return sum;
}

// Kvarto type 0 and the value after it: enough to tell the product objects apart.
qint64 weigh(const acad::XData& data)
{
    return data.values.size() > 2 ? data.values.at(2).toString().size() + data.values.at(1).toInt() : 0;
}

qint64 detailsOld(acad::Host& host, acad::ObjectId layout)
{
    const acad::DocId doc = firstDocument(host);
    const acad::PlotSettings plot = host.plotSettings(doc, layout);
    host.refreshPlotDeviceInfo(doc, layout);
    qint64 sum = host.localeMediaName(doc, layout, plot.canonicalMediaName).size();
    bool own = true;
    for (const acad::EntityInfo& e : host.blockEntities(doc, layout)) {
        if (e.entityType == acad::PViewport && std::exchange(own, false))
            continue; // the layout's own viewport is not listed
        sum += weigh(host.xdata(doc, e.id, kKvarto)) + qint64(e.customScale * 1000);
    }
    return sum;
}

qint64 detailsBulk(acad::Host& host, acad::ObjectId layout)
{
    const acad::DocId doc = firstDocument(host);
    qint64 sum = 0;
    for (const acad::LayoutPlotSettings& l : host.layoutPlotSettings(doc)) {
        if (l.id == layout)
            sum += l.localeMediaName.size();
    }
    bool own = true;
    for (const acad::EntityWithXData& e : host.blockEntitiesWithXData(doc, layout, kKvarto)) {
        if (e.entity.entityType == acad::PViewport && std::exchange(own, false))
            continue;
        sum += weigh(e.xdata) + qint64(e.entity.customScale * 1000);
    }
    return sum;
}

struct Figures
{
    double medianMs = 0;
    double fastestMs = 0;
    qint64 checksum = 0;
};

Figures measure(int runs, const std::function<qint64()>& read)
{
    Figures f;
    f.checksum = read(); // warm up
    QList<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        if (read() != f.checksum)
            f.checksum = -1;
        ms.append(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    f.medianMs = ms.at(ms.size() / 2);
    f.fastestMs = ms.first();
    return f;
}

// roundTrips: what one run costs on the bus; -1 in-process.
void report(const char* where, const char* what, const Figures& f, double roundTrips)
{
    char trips[32] = "-";
    if (roundTrips >= 0)
        std::snprintf(trips, sizeof trips, "%.0f", roundTrips);
    std::printf("%-9s %-34s median %8.3f ms  fastest %8.3f ms  round trips %5s  check %lld\n", where, what,
                f.medianMs, f.fastestMs, trips, static_cast<long long>(f.checksum));
}

void run(const char* where, acad::Host& host, const acad::BusHost* bus)
{
    const acad::DocId doc = firstDocument(host);
    const QList<acad::LayoutRef> layouts = host.document(doc).layouts;
    const acad::ObjectId detail = layouts.at(1).id;
    struct Case
    {
        const char* what;
        int runs;
        std::function<qint64()> read;
    };
    const Case cases[] = {
        {"layout list, single calls", 20, [&] { return layoutListOld(host, layouts); }},
        {"layout list, bulk", 100, [&] { return layoutListBulk(host); }},
        {"details, single calls", 20, [&] { return detailsOld(host, detail); }},
        {"details, bulk", 100, [&] { return detailsBulk(host, detail); }},
    };
    for (const Case& c : cases) {
        const qint64 before = bus ? bus->roundTrips() : 0;
        const Figures f = measure(c.runs, c.read);
        report(where, c.what, f, bus ? double(bus->roundTrips() - before) / (c.runs + 1) : -1);
    }
}

// The window around tree and list, reduced to nothing.
// Any message box would mean a read failed; count them instead of showing them.
// The explorer's tree and list without the window, attached to the host.
struct View
{
    acad::FunctionConnector connector;
    basDatenbank::Definitions definitions;
    basAutoCAD::Connection connection{connector, definitions};
    QTreeWidget widget;
    explorer::TreeControl tree{&widget};
    explorer::ListControl list;
    benchsupport::NoWindow window;
    basKvarto::LayoutReader layoutContents;
    basViewControls::ViewControls views{tree, list, window, connection, definitions, layoutContents};
};

QString keyOfText(const explorer::TreeControl& tree, const QString& text)
{
    for (const QString& key : tree.allKeys()) {
        if (tree.text(key) == text)
            return key;
    }
    return {};
}

// A click on the node and the list it fills, measured as the selection sequence the click runs.
void runView(const std::shared_ptr<acad::BusHost>& host, benchsupport::BoxCounter& boxes)
{
    View view;
    const QTemporaryDir library; // an empty template library
    view.definitions.gTypen.Add(1, QStringLiteral("Vorlagen"), library.path(), QString(),
                                QStringLiteral("1"));
    view.connection.AcadApp = host;
    view.views.InitTreeView();
    view.views.FillTreeView();
    const struct
    {
        const char* what;
        QString node;
        int rows;
    } cases[] = {
        {"view: layout list (50 rows)", view.tree.childKeys(QStringLiteral("A")).value(0), kLayouts},
        {"view: details (210 rows)", keyOfText(view.tree, kDetailLayout), 10 + kViewports},
    };
    for (const auto& c : cases) {
        view.tree.select(c.node);
        const qint64 before = host->roundTrips();
        const Figures f = measure(50, [&] {
            view.views.TreeSelectionChanged();
            return qint64(view.list.count());
        });
        report("cadhost", c.what, f, double(host->roundTrips() - before) / 51);
        if (f.checksum != c.rows)
            std::printf("MISSED: %d rows expected\n", c.rows);
    }
    if (boxes.shown > 0)
        std::printf("MISSED: %d message boxes\n", boxes.shown);
}

} // namespace

int main(int argc, char** argv)
{
    benchsupport::ScratchEnvironment scratch;
    QApplication app(argc, argv);
    benchsupport::BoxCounter boxes;
    std::printf("load average before: %s\n", benchsupport::loadAverage().constData());
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("Details.dxf"));
    try {
        DxfStore().save(sampleDrawing(), path);
        Engine engine(std::make_shared<DxfStore>());
        engine.openDocument(path);
        run("engine", engine, nullptr);
    } catch (const acad::Error& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.description()));
        return 1;
    }

    PrivateBus privateBus;
    if (!benchsupport::startHostProcess(privateBus))
        return 1;
    const std::shared_ptr<acad::BusHost> host = benchsupport::hostClient();
    try {
        host->openDocument(path);
        run("cadhost", *host, host.get());
        runView(benchsupport::hostClient(), boxes);
    } catch (const acad::Error& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.description()));
        return 1;
    }
    std::printf("load average after: %s\n", benchsupport::loadAverage().constData());
    return 0;
}
