// Sheets in sheet order against a real `cadhost --headless` on a private bus: 20 drawings of 50
// layouts, each layout with 3 Kvarto viewports and 3 product blocks. The sheet list of all drawings in
// one answer (target: at most 3 round trips with the list of drawings), beside the per-drawing calls;
// then 100 tab moves, one round trip each (target: under 1 s together).
#include "BenchFixtures.h"
#include "BenchSupport.h"
#include "PrivateBus.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <acad/BusHost.h>
#include <acad/Error.h>
#include <algorithm>
#include <cadhost/dxf/DxfStore.h>
#include <cstdio>

namespace {

using namespace cadhost;

const int kDrawings = 20;
const int kLayouts = 50;
const int kRuns = 10;
const int kMoves = 100;

Entity viewport(qint32 id)
{
    Entity e;
    e.dxfType = QStringLiteral("VIEWPORT");
    e.entityType = acad::PViewport;
    e.viewport.center = {100.0 * id, 148, 0};
    e.viewport.width = 90;
    e.viewport.height = 60;
    e.viewport.viewportId = id;
    e.viewport.viewHeight = 6;
    if (id > 1)
        e.xdata.append(
            benchsupport::kvartoData({{0, QStringLiteral("1")}, {121, QStringLiteral("Ansicht")}}));
    return e;
}

Entity productBlock(int kind)
{
    Entity e;
    e.dxfType = QStringLiteral("INSERT");
    e.entityType = acad::BlockReference;
    e.block.blockName = QStringLiteral("KV_BLOCK_%1").arg(kind);
    e.block.insertion = {10.0 * kind, 10, 0};
    e.xdata.append(benchsupport::kvartoData({{0, QStringLiteral("8")}, {81, QString::number(kind)}}));
    return e;
}

Drawing sampleDrawing(int number)
{
    Drawing d;
    Layout model;
    model.name = QStringLiteral("Model");
    d.layouts.append(model);
    for (int l = 1; l <= kLayouts; ++l) {
        Layout layout;
        layout.name = QStringLiteral("Plan %1-%2").arg(number).arg(l);
        layout.tabOrder = l;
        layout.plot.configName = QStringLiteral("DWG To PDF.pc3");
        layout.plot.canonicalMediaName = QStringLiteral("ISO_full_bleed_A3_(420.00_x_297.00_MM)");
        layout.plot.plotRotation = 1;
        for (int v = 1; v <= 4; ++v)
            layout.entities.append(viewport(v));
        for (int kind = 0; kind < 3; ++kind)
            layout.entities.append(productBlock(kind));
        d.layouts.append(layout);
    }
    d.activeLayout = QStringLiteral("Plan %1-1").arg(number);
    return d;
}

double median(QList<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return ms.at(ms.size() / 2);
}

// Runs the read kRuns times; prints median, fastest and the round trips of the last run.
template <typename Read> qint64 timed(const char* what, acad::BusHost& host, Read read)
{
    QList<double> ms;
    qint64 trips = 0;
    for (int run = 0; run < kRuns; ++run) {
        const qint64 before = host.roundTrips();
        QElapsedTimer timer;
        timer.start();
        read();
        ms.append(double(timer.nsecsElapsed()) / 1e6);
        trips = host.roundTrips() - before;
    }
    std::printf("%-44s median %7.1f ms  fastest %7.1f ms  round trips %lld\n", what, median(ms),
                *std::min_element(ms.begin(), ms.end()), static_cast<long long>(trips));
    return trips;
}

bool benchSheetList(acad::BusHost& host)
{
    const QString app = QStringLiteral("Kvarto");
    qsizetype sheets = 0;
    const qint64 bulk = timed("sheet list: application + documentSheets", host, [&] {
        host.application();
        sheets = 0;
        for (const acad::DocumentSheets& d : host.documentSheets(app))
            sheets += d.blocks.size();
    });
    timed("sheet list: application + 2 calls a drawing", host, [&] {
        for (const acad::DocumentRef& ref : host.application().documents) {
            host.layoutPlotSettings(ref.id);
            host.layoutBlocksWithXData(ref.id, app);
        }
    });
    const bool ok = bulk <= 3 && sheets == kDrawings * kLayouts;
    std::printf("  %lld sheets, limit 3 round trips%s\n", static_cast<long long>(sheets),
                ok ? "" : "  MISSED");
    return ok;
}

bool benchTabMoves(acad::BusHost& host)
{
    const acad::DocumentSnapshot doc = host.documentSnapshots().first();
    const qint64 before = host.roundTrips();
    QElapsedTimer timer;
    timer.start();
    // The last tab to the front, again and again: every call moves the whole row.
    for (int i = 0; i < kMoves; ++i)
        host.setLayoutTabOrder(doc.ref.id, doc.layouts.at(kLayouts - i % kLayouts).id, 1);
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    const qint64 trips = host.roundTrips() - before;
    const bool ok = trips == kMoves && ms < 1000;
    std::printf("%d setLayoutTabOrder calls                   %7.1f ms (%.2f ms each)  round trips %lld "
                "(limit 1 s)%s\n",
                kMoves, ms, ms / kMoves, static_cast<long long>(trips), ok ? "" : "  MISSED");
    return ok;
}

} // namespace

int main(int argc, char** argv)
{
    benchsupport::ScratchEnvironment scratch;
    QCoreApplication app(argc, argv);
    std::printf("load average before: %s\n", benchsupport::loadAverage().constData());
    QTemporaryDir folder;
    PrivateBus privateBus;
    if (!benchsupport::startHostProcess(privateBus))
        return 1;
    const std::shared_ptr<acad::BusHost> host = benchsupport::hostClient();
    bool ok = true;
    try {
        for (int d = 1; d <= kDrawings; ++d) {
            const QString path = folder.filePath(QStringLiteral("Projekt %1.dxf").arg(d));
            DxfStore().save(sampleDrawing(d), path);
            host->openDocument(path);
        }
        ok = benchSheetList(*host) && ok;
        ok = benchTabMoves(*host) && ok;
    } catch (const acad::Error& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.description()));
        return 1;
    }
    std::printf("load average after: %s\n", benchsupport::loadAverage().constData());
    return ok ? 0 : 1;
}
