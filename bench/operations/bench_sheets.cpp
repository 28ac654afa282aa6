// The sheet list against a real `cadhost --headless` on a private bus: 20 drawings of 50 layouts,
// each layout with 3 viewports (beside its own) and 3 product blocks. Targets: the list built within
// 200 ms, in at most 3 round trips however many drawings are open (the host answers for all at once). Then the filter
// over 1,000 rows in the real window, key by key: each keystroke answered within 16 ms.
#include "BenchFixtures.h"
#include "BenchSupport.h"
#include "PrivateBus.h"

#include <QApplication>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <acad/BusHost.h>
#include <acad/BusNames.h>
#include <acad/Connector.h>
#include <acad/Error.h>
#include <algorithm>
#include <cadhost/dxf/DxfStore.h>
#include <cadhost/engine/Drawing.h>
#include <cstdio>
#include <explorer/ViewHost.h>
#include <operations/BlattlisteControl.h>
#include <operations/frmBlattliste.h>
#include <settings/basDatenbank.h>
#include <startup/basAutoCAD.h>

namespace {

using namespace cadhost;

const int kDrawings = 20;
const int kLayouts = 50;
const int kRuns = 20;
const int kSheetListTrips = 3;

// Scale 1:denominator with the model in metres; id 1 is the layout's own viewport.
Entity viewport(qint32 id, double denominator)
{
    Entity e;
    e.dxfType = QStringLiteral("VIEWPORT");
    e.entityType = acad::PViewport;
    e.viewport.center = {100.0 * id, 148, 0};
    e.viewport.width = 90;
    e.viewport.height = 60;
    e.viewport.viewportId = id;
    e.viewport.viewHeight = 60 * denominator / 1000.0;
    if (id > 1)
        e.xdata.append(benchsupport::kvartoData({{0, QStringLiteral("1")},
                                                 {21, QStringLiteral("0")},
                                                 {121, QStringLiteral("Ansicht %1").arg(id - 1)}}));
    return e;
}

// Title block (kind 8, number under 81), north arrow (9, 91), legend (14, 71).
Entity productBlock(int kind)
{
    static const int kinds[][2] = {{8, 81}, {9, 91}, {14, 71}};
    static const char* names[] = {"KV_SF_A3", "KV_NORD_1", "KV_LEG_PLAN"};
    Entity e;
    e.dxfType = QStringLiteral("INSERT");
    e.entityType = acad::BlockReference;
    e.block.blockName = QString::fromLatin1(names[kind]);
    e.block.insertion = {10.0 * kind, 10, 0};
    e.xdata.append(benchsupport::kvartoData(
        {{0, QString::number(kinds[kind][0])}, {kinds[kind][1], QStringLiteral("2")}}));
    return e;
}

Drawing sampleDrawing(int number)
{
    static const double scales[] = {100, 50, 75, 500, 250};
    Drawing d;
    Layout model;
    model.name = QStringLiteral("Model");
    d.layouts.append(model);
    for (int l = 1; l <= kLayouts; ++l) {
        Layout layout;
        layout.name = QStringLiteral("Plan %1-%2").arg(number).arg(l);
        layout.tabOrder = l;
        layout.plot.configName = QStringLiteral("DWG To PDF.pc3");
        layout.plot.canonicalMediaName = l % 7 == 0
                                             ? QStringLiteral("ISO_A1_(841.00_x_594.00_MM)")
                                             : QStringLiteral("ISO_full_bleed_A3_(420.00_x_297.00_MM)");
        layout.plot.plotRotation = 1;
        layout.plot.plotType = 5;
        layout.plot.styleSheet = l % 5 == 0 ? QString() : QStringLiteral("monochrome.ctb");
        layout.entities.append(viewport(1, 1000));
        for (int v = 0; v < 3; ++v)
            layout.entities.append(viewport(v + 2, scales[(l + v) % 5]));
        for (int kind = 0; kind < 3; ++kind)
            layout.entities.append(productBlock(kind));
        d.layouts.append(layout);
    }
    d.activeLayout = QStringLiteral("Plan %1-1").arg(number);
    return d;
}

struct Figures
{
    double medianMs = 0;
    double slowestMs = 0;
};

Figures figuresOf(QList<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return {ms.at(ms.size() / 2), ms.last()};
}

// The list read anew kRuns times through the control the window uses.
bool benchBuild(const std::shared_ptr<acad::BusHost>& host, benchsupport::BoxCounter& boxes)
{
    acad::FunctionConnector connector;
    basDatenbank::Definitions definitions;
    basAutoCAD::Connection connection{connector, definitions};
    connection.AcadApp = host;
    benchsupport::NoWindow window;
    operations::BlattlisteControl control(connection, definitions.gBloecke, window);
    control.Refresh(); // warm up
    QList<double> ms;
    qint64 trips = 0;
    for (int run = 0; run < kRuns; ++run) {
        const qint64 before = host->roundTrips();
        QElapsedTimer timer;
        timer.start();
        control.Refresh();
        ms.append(double(timer.nsecsElapsed()) / 1e6);
        trips = host->roundTrips() - before;
    }
    const Figures f = figuresOf(ms);
    const int rows = control.proxy()->rowCount();
    std::printf("build %d x %d sheets over the bus   median %7.1f ms  slowest %7.1f ms  round trips %lld "
                "(limit %d)  rows %d\n",
                kDrawings, kLayouts, f.medianMs, f.slowestMs, static_cast<long long>(trips),
                kSheetListTrips, rows);
    const bool ok = rows == kDrawings * kLayouts && boxes.shown == 0 && trips <= kSheetListTrips;
    if (!ok)
        std::printf("MISSED: %d rows, %d message boxes\n", rows, boxes.shown);
    return ok;
}

// 1,000 sheets in the window; a word typed into the filter and taken back, each key timed until
// the table has been drawn.
void benchFilter()
{
    acad::FunctionConnector connector;
    basDatenbank::Definitions definitions;
    basAutoCAD::Connection connection{connector, definitions};
    benchsupport::NoWindow window;
    operations::BlattlisteControl control(connection, definitions.gBloecke, window);
    QList<blattliste::Blatt> blaetter;
    for (int i = 0; i < 1000; ++i) {
        blattliste::Blatt blatt;
        blatt.zeichnung = QStringLiteral("Projekt %1.dwg").arg(i / 50);
        blatt.gesamt = QStringLiteral("/p/") + blatt.zeichnung;
        blatt.layoutId = i + 1;
        blatt.plot.name = QStringLiteral("Grundriss %1").arg(i);
        blatt.plot.localeMediaName = QStringLiteral("ISO A3 (420,00 x 297,00 mm)");
        blatt.plot.plot.configName = QStringLiteral("DWG To PDF.pc3");
        blatt.plot.plot.plotRotation = 1;
        blatt.plot.plot.plotType = 5;
        blatt.plot.plot.styleSheet = QStringLiteral("monochrome.ctb");
        blatt.plot.plot.paperWidth = 420;
        blatt.plot.plot.paperHeight = 297;
        blatt.stempelfeld = QStringLiteral("KV_SF_A3");
        blatt.fenster = {
            {QStringLiteral("Ansicht Nord"), 10}, {QString(), 20}, {QStringLiteral("Detail"), 4}};
        blaetter.append(blatt);
    }
    blattliste::PruefeBlaetter(blaetter);
    control.model()->setBlaetter(blaetter);
    frmBlattliste form(control);
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        std::printf("MISSED: the window was not shown\n");
    QList<double> ms;
    const QString word = QStringLiteral("grundriss 99");
    for (int run = 0; run < 5; ++run) {
        for (const QChar c : word) {
            QElapsedTimer timer;
            timer.start();
            QTest::keyClick(form.txtFilter, c.toLatin1());
            QCoreApplication::processEvents();
            form.tblBlaetter->viewport()->repaint();
            ms.append(double(timer.nsecsElapsed()) / 1e6);
        }
        for (qsizetype i = 0; i < word.size(); ++i) {
            QElapsedTimer timer;
            timer.start();
            QTest::keyClick(form.txtFilter, Qt::Key_Backspace);
            QCoreApplication::processEvents();
            form.tblBlaetter->viewport()->repaint();
            ms.append(double(timer.nsecsElapsed()) / 1e6);
        }
    }
    const Figures f = figuresOf(ms);
    std::printf("filter 1000 rows, per keystroke        median %7.2f ms  slowest %7.2f ms  (limit 16 ms)%s\n",
                f.medianMs, f.slowestMs, f.slowestMs > 16 ? "  MISSED" : "");
}

} // namespace

int main(int argc, char** argv)
{
    benchsupport::ScratchEnvironment scratch;
    QApplication app(argc, argv);
    benchsupport::BoxCounter boxes;
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
        ok = benchBuild(host, boxes);
    } catch (const acad::Error& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.description()));
        return 1;
    }
    benchFilter();
    std::printf("load average after: %s\n", benchsupport::loadAverage().constData());
    return ok ? 0 : 1;
}
