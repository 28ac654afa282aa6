#include "EnginePrivate.h"
#include "LayoutNames.h"
#include "Plotters.h"

#include <acad/Error.h>

namespace cadhost {

namespace {

constexpr qint32 kMaxPreviewSide = 8192;

} // namespace

Plotter& Engine::Private::plotterOrRefuse() const
{
    if (!plotter)
        throw acad::Error(QStringLiteral("Der CAD-Host kann nicht plotten."));
    return *plotter;
}

const Layout& Engine::Private::plottable(acad::DocId doc, acad::ObjectId layout)
{
    Document& document = documents.doc(doc);
    Layout& target = document.layoutById(layout);
    if (target.isModel())
        throw acad::Error(
            QStringLiteral("„Model“ in „%1“ lässt sich nicht plotten: nur ein Papierbereichslayout "
                           "hat ein Papierformat.")
                .arg(document.name()));
    refreshPaperSize(target.plot);
    if (target.plot.paperWidth <= 0 || target.plot.paperHeight <= 0)
        throw acad::Error(QStringLiteral("Das Layout „%1“ in „%2“ hat kein Papierformat und lässt sich nicht "
                                         "plotten.")
                              .arg(printable(target.name), document.name()));
    return target;
}

void Engine::setPlotter(std::shared_ptr<Plotter> plotter)
{
    d->plotter = std::move(plotter);
}

acad::PlotResult Engine::plotToFile(acad::DocId doc, acad::ObjectId layout, const QString& path)
{
    Plotter& plotter = d->plotterOrRefuse();
    const Layout& target = d->plottable(doc, layout);
    return plotter.plotToFile(d->documents.doc(doc).drawing(), target, d->documents.normalPath(path));
}

qint32 Engine::beginPlotJob(const QString& path)
{
    Plotter& plotter = d->plotterOrRefuse();
    std::unique_ptr<PlotJob> job = plotter.beginJob(d->documents.normalPath(path));
    const qint32 id = d->nextPlotJob++;
    d->plotJobs.emplace(id, std::move(job));
    return id;
}

acad::PlotResult Engine::plotJobPage(qint32 job, acad::DocId doc, acad::ObjectId layout)
{
    const auto it = d->plotJobs.find(job);
    if (it == d->plotJobs.end())
        throw acad::Error(
            QStringLiteral("Den Plotauftrag %1 gibt es nicht (nie begonnen oder schon beendet).").arg(job));
    const Layout& target = d->plottable(doc, layout);
    return it->second->addPage(d->documents.doc(doc).drawing(), target);
}

void Engine::endPlotJob(qint32 job, bool keep)
{
    const auto it = d->plotJobs.find(job);
    if (it == d->plotJobs.end())
        throw acad::Error(
            QStringLiteral("Den Plotauftrag %1 gibt es nicht (nie begonnen oder schon beendet).").arg(job));
    // The job ends either way: a file that cannot be finished is not left half written.
    const std::unique_ptr<PlotJob> ending = std::move(it->second);
    d->plotJobs.erase(it);
    if (keep)
        ending->finish();
}

QByteArray Engine::layoutPreview(acad::DocId doc, acad::ObjectId layout, qint32 width, qint32 height)
{
    Plotter& plotter = d->plotterOrRefuse();
    Document& document = d->documents.doc(doc);
    Layout& target = document.layoutById(layout);
    if (width < 1 || height < 1 || width > kMaxPreviewSide || height > kMaxPreviewSide)
        throw acad::Error(
            QStringLiteral("Ungültige Größe der Vorschau: %1 × %2 Pixel (erlaubt sind 1 bis %3).")
                .arg(width)
                .arg(height)
                .arg(kMaxPreviewSide));
    refreshPaperSize(target.plot);
    return plotter.preview(document.drawing(), target, QSize(width, height));
}

qint64 Engine::documentRevision(acad::DocId doc)
{
    return d->documents.doc(doc).changes();
}

} // namespace cadhost
