// Plotting against a real `cadhost --headless` on a private bus: 20 drawings written by ezdxf (a model
// of 2,000 entities, sheets with a 1:100 viewport, a title block and notes), 50 of their sheets plotted
// as one plot job: time per sheet and the host's peak memory; then 50 layout previews of 256 x 256
// pixels: the time to the last one. Figures only; nothing is judged here.
#include "BenchFixtures.h"
#include "BenchSupport.h"
#include "PrivateBus.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <acad/BusHost.h>
#include <acad/Error.h>
#include <cstdio>

namespace {

const int kDrawings = 20;
const int kSheetsPerDrawing = 3;
const int kSheets = 50;
const int kPreviews = 50;
const int kPreviewSide = 256;

bool writeDrawing(const QString& file)
{
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"),
            {QStringLiteral(BW_EZDXF_PEER), QStringLiteral("plotbench"), file,
             QString::number(kSheetsPerDrawing), QStringLiteral("2000")});
    return p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

// The host's peak resident memory so far (what getrusage gives the process itself as ru_maxrss), kB.
long peakKb(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

struct Sheet
{
    acad::DocId doc = 0;
    acad::ObjectId layout = 0;
};

acad::ObjectId layoutNamed(const acad::DocumentSnapshot& doc, const QString& name)
{
    for (const acad::LayoutRef& l : doc.layouts) {
        if (l.name == name)
            return l.id;
    }
    throw acad::Error(QStringLiteral("Layout nicht gefunden: %1").arg(name));
}

// Sheet i comes from drawing i % 20, its sheets in turn: a sheet set across drawings.
QList<Sheet> sheetSet(acad::BusHost& host, const QList<acad::DocId>& docs)
{
    QList<Sheet> sheets;
    for (int i = 0; i < kSheets; ++i) {
        const acad::DocId doc = docs.at(i % docs.size());
        const QString name = QStringLiteral("Blatt%1").arg(1 + (i / docs.size()) % kSheetsPerDrawing);
        sheets.append({doc, layoutNamed(host.document(doc), name)});
    }
    return sheets;
}

void plotJob(acad::BusHost& host, const QList<Sheet>& sheets, const QString& pdf, qint64 pid)
{
    const long before = peakKb(pid);
    acad::PlotResult total;
    QElapsedTimer timer;
    timer.start();
    const qint32 job = host.beginPlotJob(pdf);
    for (const Sheet& s : sheets) {
        const acad::PlotResult r = host.plotJobPage(job, s.doc, s.layout);
        total.drawn += r.drawn;
        total.skipped += r.skipped;
    }
    host.endPlotJob(job, true);
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    std::printf(
        "plot job: %d sheets in %.0f ms, %.1f ms a sheet; %d entities drawn, %d skipped; PDF %.1f MB\n",
        kSheets, ms, ms / kSheets, total.drawn, total.skipped, double(QFile(pdf).size()) / 1e6);
    std::printf("host peak memory: %.1f MB after opening, %.1f MB after plotting\n", before / 1024.0,
                peakKb(pid) / 1024.0);
}

void previews(acad::BusHost& host, const QList<Sheet>& sheets)
{
    QElapsedTimer timer;
    timer.start();
    qint64 bytes = 0;
    for (int i = 0; i < kPreviews; ++i) {
        const Sheet& s = sheets.at(i % sheets.size());
        bytes += host.layoutPreview(s.doc, s.layout, kPreviewSide, kPreviewSide).size();
    }
    const double ms = double(timer.nsecsElapsed()) / 1e6;
    std::printf("previews: %d of %d x %d px, the last after %.0f ms (%.1f ms each, %.0f kB of PNG)\n",
                kPreviews, kPreviewSide, kPreviewSide, ms, ms / kPreviews, bytes / 1024.0);
}

} // namespace

int main(int argc, char** argv)
{
    benchsupport::ScratchEnvironment scratch;
    QCoreApplication app(argc, argv);
    std::printf("load average before: %s\n", benchsupport::loadAverage().constData());
    QTemporaryDir folder;
    const QString original = folder.filePath(QStringLiteral("Vorlage.dxf"));
    if (!writeDrawing(original)) {
        std::printf("the drawing could not be written (/usr/bin/python3 with python3-ezdxf?)\n");
        return 1;
    }
    PrivateBus privateBus;
    if (!benchsupport::startHostProcess(privateBus))
        return 1;
    const std::shared_ptr<acad::BusHost> host = benchsupport::hostClient();
    try {
        QList<acad::DocId> docs;
        for (int d = 1; d <= kDrawings; ++d) {
            const QString path = folder.filePath(QStringLiteral("Projekt %1.dxf").arg(d));
            QFile::copy(original, path);
            docs.append(host->openDocument(path));
        }
        const QList<Sheet> sheets = sheetSet(*host, docs);
        plotJob(*host, sheets, folder.filePath(QStringLiteral("Mappe.pdf")), privateBus.host().processId());
        previews(*host, sheets);
    } catch (const acad::Error& e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.description()));
        return 1;
    }
    std::printf("load average after: %s\n", benchsupport::loadAverage().constData());
    return 0;
}
