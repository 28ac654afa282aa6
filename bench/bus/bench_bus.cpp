// A whole refresh of 20 drawings with 50 layouts each (names, paths, ids, active document and
// layout): in-process against the engine, over a private bus against the same engine in a thread of
// this process, and over the bus against a real "cadhost --headless" process, as users run it, with
// the round trips counted and the machine's load printed beside the figures. Targets: at most one
// round trip per drawing, at most 30 ms per refresh.
#include "PrivateBus.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QSemaphore>
#include <QThread>
#include <acad/BusHost.h>
#include <acad/BusNames.h>
#include <acad/Connector.h>
#include <cadhost/bus/BusService.h>
#include <cadhost/engine/Engine.h>
#include <cadhost/engine/MemoryStore.h>
#include <cstdio>
#include <functional>

namespace {

const int kDrawings = 20;
const int kLayouts = 50;
const int kRuns = 50;

std::shared_ptr<cadhost::MemoryStore> sampleStore(QStringList* paths)
{
    auto store = std::make_shared<cadhost::MemoryStore>();
    for (int d = 1; d <= kDrawings; ++d) {
        cadhost::Drawing drawing;
        cadhost::Layout model;
        model.name = QStringLiteral("Model");
        drawing.layouts.append(model);
        for (int l = 1; l <= kLayouts; ++l) {
            cadhost::Layout layout;
            layout.name = QStringLiteral("Blatt %1").arg(l);
            layout.tabOrder = l;
            drawing.layouts.append(layout);
        }
        drawing.activeLayout = QStringLiteral("Blatt 1");
        const QString path = QStringLiteral("/bench/Projekt/Zeichnung%1.dwg").arg(d);
        store->put(path, drawing);
        paths->append(path);
    }
    return store;
}

// One refresh as the explorer does it; returns the number of layouts seen.
int refreshPerDocument(acad::Host& host)
{
    int layouts = 0;
    const acad::ApplicationSnapshot app = host.application();
    for (const acad::DocumentRef& ref : app.documents)
        layouts += int(host.document(ref.id).layouts.size());
    return layouts;
}

int refreshAtOnce(acad::Host& host)
{
    int layouts = 0;
    host.application();
    for (const acad::DocumentSnapshot& doc : host.documentSnapshots())
        layouts += int(doc.layouts.size());
    return layouts;
}

double millisecondsPerRun(const std::function<int()>& refresh, int* layouts)
{
    *layouts = refresh(); // warm up
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kRuns; ++i)
        *layouts = refresh();
    return double(timer.nsecsElapsed()) / 1e6 / kRuns;
}

// The engine answers from a thread of its own, as the host process would.
class HostThread final : public QThread
{
public:
    HostThread(const QString& address, std::shared_ptr<cadhost::MemoryStore> store, QStringList paths)
        : m_address(address), m_store(std::move(store)), m_paths(std::move(paths))
    {
    }
    QSemaphore ready;
    QString error;

protected:
    void run() override
    {
        {
            cadhost::Engine engine(m_store);
            for (const QString& path : std::as_const(m_paths))
                engine.openDocument(path);
            QDBusConnection bus = QDBusConnection::connectToBus(m_address, QStringLiteral("bench-host"));
            cadhost::BusService service(engine, bus);
            service.start(acad::kAcadProgId, &error);
            ready.release();
            exec();
        }
        QDBusConnection::disconnectFromBus(QStringLiteral("bench-host"));
    }

private:
    QString m_address;
    std::shared_ptr<cadhost::MemoryStore> m_store;
    QStringList m_paths;
};

// The real cadhost process: 20 new drawings, each given its 50 layouts by one command string.
bool fillRealHost(acad::Host& host)
{
    for (int d = 1; d <= kDrawings; ++d) {
        const acad::DocId doc = host.addDocument(QString());
        QString commands;
        for (int l = int(host.document(doc).layouts.size()); l <= kLayouts; ++l)
            commands += QStringLiteral("_layout\r_new\rBlatt %1\r").arg(l);
        host.sendCommand(doc, commands);
    }
    QDeadlineTimer deadline(60000);
    for (;;) {
        bool done = true;
        for (const acad::DocumentSnapshot& doc : host.documentSnapshots())
            done = done && doc.layouts.size() == kLayouts + 1;
        if (done)
            return true;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(100);
    }
}

// The load average (1, 5, 15 minutes) when a block of figures is taken: the machine is shared.
void printLoad(const char* when)
{
    QFile file(QStringLiteral("/proc/loadavg"));
    const QList<QByteArray> fields =
        file.open(QIODevice::ReadOnly) ? file.readAll().simplified().split(' ') : QList<QByteArray>();
    if (fields.size() < 3) {
        std::printf("load %s: unknown\n", when);
        return;
    }
    std::printf("load %s: %s %s %s (1, 5, 15 min; %d cores)\n", when, fields.at(0).constData(),
                fields.at(1).constData(), fields.at(2).constData(), QThread::idealThreadCount());
}

void report(const char* what, double ms, int layouts, double roundTrips)
{
    std::printf("%-34s %8.3f ms per refresh  %5d layouts  %6.1f round trips (%.2f per drawing)\n", what, ms,
                layouts, roundTrips, roundTrips / kDrawings);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList paths;
    auto store = sampleStore(&paths);

    cadhost::Engine engine(store);
    for (const QString& path : std::as_const(paths))
        engine.openDocument(path);
    int layouts = 0;
    printLoad("before the in-process and in-thread figures");
    double ms = millisecondsPerRun([&] { return refreshPerDocument(engine); }, &layouts);
    report("in-process, per document", ms, layouts, 0);

    PrivateBus privateBus;
    if (!privateBus.start()) {
        std::fprintf(stderr, "%s\n", qPrintable(privateBus.errorString()));
        return 1;
    }
    HostThread host(privateBus.address(), store, paths);
    host.start();
    host.ready.acquire();
    if (!host.error.isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(host.error));
        return 1;
    }
    QDBusConnection bus = QDBusConnection::sessionBus();
    acad::BusHost client(bus, bus.interface()->serviceOwner(acad::bus::busNameForProgId(acad::kAcadProgId)));

    qint64 before = client.roundTrips();
    ms = millisecondsPerRun([&] { return refreshPerDocument(client); }, &layouts);
    report("thread, application + each doc", ms, layouts, double(client.roundTrips() - before) / (kRuns + 1));
    before = client.roundTrips();
    ms = millisecondsPerRun([&] { return refreshAtOnce(client); }, &layouts);
    report("thread, application + all at once", ms, layouts,
           double(client.roundTrips() - before) / (kRuns + 1));

    host.quit();
    host.wait();

    qputenv("CADHOST_PROFILE", privateBus.folder().toUtf8() + "/profile.ini");
    if (!privateBus.startHost()) {
        std::fprintf(stderr, "%s\n", qPrintable(privateBus.errorString()));
        return 1;
    }
    acad::BusHost real(bus, bus.interface()->serviceOwner(acad::bus::busNameForProgId(acad::kAcadProgId)));
    if (!fillRealHost(real)) {
        std::fprintf(stderr, "cadhost did not create the layouts in time\n");
        return 1;
    }
    printLoad("before the cadhost process figures");
    before = real.roundTrips();
    ms = millisecondsPerRun([&] { return refreshPerDocument(real); }, &layouts);
    report("cadhost, application + each doc", ms, layouts, double(real.roundTrips() - before) / (kRuns + 1));
    before = real.roundTrips();
    ms = millisecondsPerRun([&] { return refreshAtOnce(real); }, &layouts);
    report("cadhost, application + all at once", ms, layouts,
           double(real.roundTrips() - before) / (kRuns + 1));
    printLoad("after");
    return 0;
}
