// "Veröffentlichen ..." and the layout pictures against the in-process engine, with plotting stood in
// by a fake that writes a small file per page (the host's own plotting is measured with the host):
// 50 sheets of 20 drawings published one file per sheet and as one file, Blattwart's time per sheet
// beside the fake's, and the memory; then the pictures of 50 layouts, the time until the last one,
// the longest step between two (what the list waits at most), and a second listing's host calls.
#include "BenchFixtures.h"
#include "BenchSupport.h"
#include "ForwardingHost.h"

#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cadhost/engine/Engine.h>
#include <cadhost/engine/MemoryStore.h>
#include <cstdio>
#include <explorer/AcadConnection.h>
#include <explorer/LayoutPreviews.h>
#include <operations/Veroeffentlichen.h>
#include <records/CAcadobj.h>

namespace {

using namespace veroeffentlichen;

const int kDrawings = 20;
const int kLayouts = 10;
const int kSheets = 50;
const int kRuns = 5;

// Plots as a host would from the caller's side: a small PDF per page, timed, so that Blattwart's own
// share of a sheet can be told apart.
class FakePlotter final : public testsupport::ForwardingHost
{
public:
    using ForwardingHost::ForwardingHost;

    qint64 fakeNs = 0;
    int previewCalls = 0;
    QByteArray picture;

    acad::PlotResult plotToFile(acad::DocId, acad::ObjectId, const QString& path) override
    {
        QElapsedTimer t;
        t.start();
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(m_page);
        fakeNs += t.nsecsElapsed();
        return {12, 0};
    }
    qint32 beginPlotJob(const QString& path) override
    {
        m_job.setFileName(path);
        m_job.open(QIODevice::WriteOnly);
        return 1;
    }
    acad::PlotResult plotJobPage(qint32, acad::DocId, acad::ObjectId) override
    {
        QElapsedTimer t;
        t.start();
        m_job.write(m_page);
        fakeNs += t.nsecsElapsed();
        return {12, 0};
    }
    void endPlotJob(qint32, bool keep) override
    {
        m_job.close();
        if (!keep)
            m_job.remove();
    }
    QByteArray layoutPreview(acad::DocId, acad::ObjectId, qint32, qint32) override
    {
        ++previewCalls;
        return picture;
    }
    qint64 documentRevision(acad::DocId) override { return 1; }

private:
    QByteArray m_page = QByteArray(4096, 'x');
    QFile m_job;
};

class Connection final : public explorer::AcadConnection
{
public:
    explicit Connection(std::shared_ptr<acad::Host> host) : m_host(std::move(host)) {}
    std::shared_ptr<acad::Host> acadApp() const override { return m_host; }
    acad::DocId activeDoc() const override { return 0; }
    QString GetActiveDrawingPath() override { return {}; }
    QString GetActiveLayoutName(const QString&) override { return {}; }
    void ReadActiveDoc() override {}
    void BringAcadToFront() override {}

private:
    std::shared_ptr<acad::Host> m_host;
};

cadhost::Drawing drawing()
{
    cadhost::Drawing d;
    cadhost::Layout model;
    model.name = QStringLiteral("Model");
    d.layouts.append(model);
    for (int i = 1; i <= kLayouts; ++i) {
        cadhost::Layout layout;
        layout.name = QStringLiteral("Blatt %1").arg(i);
        layout.tabOrder = i;
        d.layouts.append(layout);
    }
    d.activeLayout = QStringLiteral("Model");
    return d;
}

// Resident memory and its peak, in kB, as the kernel counts them.
QPair<long, long> memory()
{
    QFile status(QStringLiteral("/proc/self/status"));
    long rss = 0;
    long peak = 0;
    if (status.open(QIODevice::ReadOnly)) {
        for (const QByteArray& line : status.readAll().split('\n')) {
            if (line.startsWith("VmRSS:"))
                rss = line.mid(6).trimmed().split(' ').first().toLong();
            else if (line.startsWith("VmHWM:"))
                peak = line.mid(6).trimmed().split(' ').first().toLong();
        }
    }
    return {rss, peak};
}

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values[values.size() / 2];
}

// 50 sheets spread over the 20 drawings: the third sheet of the first ten drawings as well, chosen
// in reverse, so that the sheet order has to be made.
QList<Wahl> choice(acad::Host& host)
{
    QList<Wahl> wahl;
    for (const acad::DocumentSnapshot& doc : host.documentSnapshots()) {
        const int take = wahl.size() < 30 ? 3 : 2;
        for (int i = take; i >= 1 && wahl.size() < kSheets; --i)
            wahl.append({gesamtOf(doc.ref.path, doc.ref.name), doc.layouts[i].id, doc.layouts[i].name});
    }
    std::reverse(wahl.begin(), wahl.end());
    return wahl;
}

void publish(FakePlotter& host, bool oneFile)
{
    QList<double> perSheet;
    QList<double> fakePerSheet;
    int written = 0;
    for (int run = 0; run < kRuns; ++run) {
        QTemporaryDir out;
        host.fakeNs = 0;
        QElapsedTimer t;
        t.start();
        QStringList fehlend;
        const QList<Blatt> blaetter = InBlattfolge(host, choice(host), fehlend);
        const Auftrag auftrag{out.path(), oneFile, QStringLiteral("Blätter.pdf"),
                              QStringLiteral("{zeichnung} - {layout}.pdf")};
        if (!Pruefe(auftrag, blaetter).isEmpty() || !VorhandeneDateien(auftrag, blaetter).isEmpty())
            std::printf("  Fehler: der Auftrag wurde abgelehnt\n");
        Lauf lauf(host, auftrag, blaetter);
        while (!lauf.fertig()) {
            lauf.Schritt();
            QCoreApplication::processEvents();
        }
        const double total = double(t.nsecsElapsed()) / 1e6;
        written = lauf.ergebnis().geschrieben;
        perSheet.append((total - double(host.fakeNs) / 1e6) / kSheets);
        fakePerSheet.append(double(host.fakeNs) / 1e6 / kSheets);
    }
    const auto [rss, peak] = memory();
    std::printf("%s: %d Blätter, Blattwart %.3f ms je Blatt (Median aus %d), Plot-Attrappe %.3f ms je Blatt; "
                "Speicher %ld kB, Spitze %ld kB\n",
                oneFile ? "Eine Datei" : "Je Blatt eine Datei", written, median(perSheet), kRuns,
                median(fakePerSheet), rss, peak);
}

void previews(const std::shared_ptr<FakePlotter>& host)
{
    Connection connection(host);
    QList<explorer::LayoutPreviews::Item> items;
    acad::DocId doc = 0;
    QString gesamt;
    // One drawing of 50 layouts: the list shows one drawing's layouts.
    for (const acad::DocumentSnapshot& snapshot : host->documentSnapshots()) {
        if (snapshot.layouts.size() > kSheets) {
            doc = snapshot.ref.id;
            gesamt = gesamtOf(snapshot.ref.path, snapshot.ref.name);
            for (int i = 1; i <= kSheets; ++i)
                items.append({QStringLiteral("A%1").arg(i), snapshot.layouts[i].id});
        }
    }
    QList<double> toLast;
    QList<double> longestStep;
    for (int run = 0; run < kRuns; ++run) {
        explorer::LayoutPreviews previews(connection);
        int got = 0;
        qint64 last = 0;
        qint64 longest = 0;
        QElapsedTimer t;
        QEventLoop loop;
        QObject::connect(&previews, &explorer::LayoutPreviews::ready, [&](const QString&, const QImage&) {
            const qint64 now = t.nsecsElapsed();
            longest = std::max(longest, now - last);
            last = now;
            if (++got == kSheets)
                loop.quit();
        });
        t.start();
        previews.request(gesamt, doc, items);
        if (previews.busy())
            loop.exec();
        toLast.append(double(last) / 1e6);
        longestStep.append(double(longest) / 1e6);
        const int calls = host->previewCalls;
        previews.request(gesamt, doc, items);
        if (run == 0)
            std::printf("Vorschauen: zweite Auflistung derselben Zeichnung: %d Aufrufe für Bilder\n",
                        host->previewCalls - calls);
    }
    std::printf("Vorschauen: %d Layouts, bis zur letzten %.2f ms (Median aus %d), längster Schritt %.3f ms\n",
                kSheets, median(toLast), kRuns, median(longestStep));
}

} // namespace

int main(int argc, char** argv)
{
    benchsupport::ScratchEnvironment environment;
    QApplication app(argc, argv);
    benchsupport::BoxCounter boxes;
    auto store = std::make_shared<cadhost::MemoryStore>();
    auto engine = std::make_shared<cadhost::Engine>(store);
    auto host = std::make_shared<FakePlotter>(engine);
    for (int i = 1; i <= kDrawings; ++i) {
        const QString path = QStringLiteral("/bench/Zeichnung %1.dxf").arg(i);
        store->put(path, drawing());
        engine->openDocument(path);
    }
    cadhost::Drawing large = drawing();
    for (int i = kLayouts + 1; i <= kSheets; ++i) {
        cadhost::Layout layout = large.layouts.last();
        layout.name = QStringLiteral("Blatt %1").arg(i);
        layout.tabOrder = i;
        large.layouts.append(layout);
    }
    store->put(QStringLiteral("/bench/Groß.dxf"), large);
    QImage image(96, 96, QImage::Format_RGB32);
    image.fill(Qt::white);
    QBuffer buffer(&host->picture);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    std::printf("Last: %s\n", benchsupport::loadAverage().constData());
    const auto [rss, peak] = memory();
    std::printf("Speicher vorher %ld kB, Spitze %ld kB\n", rss, peak);
    publish(*host, false);
    publish(*host, true);
    engine->openDocument(QStringLiteral("/bench/Groß.dxf"));
    previews(host);
    std::printf("Meldungen: %d\n", boxes.shown);
    return boxes.shown == 0 ? 0 : 1;
}
