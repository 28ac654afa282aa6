// How long the engine takes for what the explorer's refresh asks of it, and for starting engines.
// Prints the figures and fails (exit code 1) when a target is missed.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <cadhost/engine/Engine.h>
#include <cadhost/engine/MemoryStore.h>
#include <cstdio>

namespace {

constexpr int kDrawings = 20;
constexpr int kLayouts = 50;
constexpr double kSnapshotTargetMs = 5.0; // one full refresh of 20 drawings x 50 layouts
constexpr double kEngineTargetMs = 1.0;   // starting one engine and opening one drawing

cadhost::Drawing bigDrawing()
{
    cadhost::Drawing d;
    cadhost::Layout model;
    model.name = QStringLiteral("Model");
    d.layouts.append(model);
    for (int i = 1; i <= kLayouts; ++i) {
        cadhost::Layout l;
        l.name = QStringLiteral("Layout%1").arg(i);
        l.tabOrder = i;
        for (int e = 0; e < 4; ++e) {
            cadhost::Entity entity;
            entity.entityType = e == 0 ? acad::PViewport : acad::BlockReference;
            entity.xdata = {
                {QStringLiteral("Kvarto"), {{1071, QStringLiteral("121")}, {1000, QStringLiteral("VP")}}}};
            l.entities.append(entity);
        }
        d.layouts.append(l);
    }
    d.activeLayout = QStringLiteral("Layout1");
    return d;
}

// A refresh as the explorer does it: the application, each document, each layout's plot settings
// and entities.
void refresh(cadhost::Engine& engine)
{
    for (const acad::DocumentRef& ref : engine.application().documents) {
        for (const acad::LayoutRef& l : engine.document(ref.id).layouts) {
            engine.plotSettings(ref.id, l.id);
            engine.blockEntities(ref.id, l.id);
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    auto store = std::make_shared<cadhost::MemoryStore>();
    const cadhost::Drawing drawing = bigDrawing();
    for (int i = 0; i < kDrawings; ++i)
        store->put(QStringLiteral("/bench/D%1.dwg").arg(i), drawing);

    cadhost::Engine engine(store);
    for (int i = 0; i < kDrawings; ++i)
        engine.openDocument(QStringLiteral("/bench/D%1.dwg").arg(i));

    constexpr int rounds = 200;
    QElapsedTimer timer;
    timer.start();
    for (int r = 0; r < rounds; ++r) {
        for (const acad::DocumentRef& ref : engine.application().documents)
            engine.document(ref.id);
    }
    const double snapshotMs = double(timer.nsecsElapsed()) / 1e6 / rounds;

    timer.restart();
    for (int r = 0; r < rounds / 10; ++r)
        refresh(engine);
    const double refreshMs = double(timer.nsecsElapsed()) / 1e6 / (rounds / 10);

    timer.restart();
    for (int r = 0; r < rounds; ++r) {
        cadhost::Engine e(store);
        e.openDocument(QStringLiteral("/bench/D0.dwg"));
    }
    const double engineMs = double(timer.nsecsElapsed()) / 1e6 / rounds;

    std::printf("snapshot of %d drawings x %d layouts: %.3f ms (target %.1f ms)\n", kDrawings, kLayouts,
                snapshotMs, kSnapshotTargetMs);
    std::printf("refresh with plot settings and entities: %.3f ms\n", refreshMs);
    std::printf("new engine + open one drawing of %d layouts: %.3f ms (target %.1f ms)\n", kLayouts, engineMs,
                kEngineTargetMs);
    return snapshotMs <= kSnapshotTargetMs && engineMs <= kEngineTargetMs ? 0 : 1;
}
