#include "Host.h"

#include "Error.h"

namespace acad {

QList<DocumentSnapshot> Host::documentSnapshots()
{
    QList<DocumentSnapshot> snapshots;
    const ApplicationSnapshot app = application();
    snapshots.reserve(app.documents.size());
    for (const DocumentRef& ref : app.documents)
        snapshots.append(document(ref.id));
    return snapshots;
}

QList<LayoutPlotSettings> Host::layoutPlotSettings(DocId doc)
{
    QList<LayoutPlotSettings> out;
    const DocumentSnapshot snapshot = document(doc);
    out.reserve(snapshot.layouts.size());
    for (const LayoutRef& layout : snapshot.layouts) {
        refreshPlotDeviceInfo(doc, layout.id);
        LayoutPlotSettings settings{layout.id, layout.name, plotSettings(doc, layout.id), QString()};
        // A layout without paper has no localized name to ask for.
        if (!settings.plot.canonicalMediaName.isEmpty())
            settings.localeMediaName = localeMediaName(doc, layout.id, settings.plot.canonicalMediaName);
        out.append(settings);
    }
    return out;
}

QList<EntityWithXData> Host::blockEntitiesWithXData(DocId doc, ObjectId layout, const QString& application)
{
    QList<EntityWithXData> out;
    const QList<EntityInfo> entities = blockEntities(doc, layout);
    out.reserve(entities.size());
    for (const EntityInfo& entity : entities)
        out.append({entity, xdata(doc, entity.id, application)});
    return out;
}

QList<LayoutBlockWithXData> Host::layoutBlocksWithXData(DocId doc, const QString& application)
{
    QList<LayoutBlockWithXData> out;
    for (const LayoutRef& layout : document(doc).layouts) {
        if (layout.name != QLatin1String("Model"))
            out.append({layout.id, blockEntitiesWithXData(doc, layout.id, application)});
    }
    return out;
}

QList<DocumentSheets> Host::documentSheets(const QString& xdataApplication)
{
    QList<DocumentSheets> out;
    const ApplicationSnapshot app = application();
    out.reserve(app.documents.size());
    for (const DocumentRef& ref : app.documents) {
        DocumentSheets sheets{ref, {}, {}, {}};
        try {
            sheets.layouts = layoutPlotSettings(ref.id);
            sheets.blocks = layoutBlocksWithXData(ref.id, xdataApplication);
        } catch (const std::exception& e) {
            sheets = {ref, {}, {}, platform::describe(e)};
        }
        out.append(sheets);
    }
    return out;
}

namespace {
[[noreturn]] void cannotPlot()
{
    throw Error(QStringLiteral("Der CAD-Host kann nicht plotten."));
}
} // namespace

PlotResult Host::plotToFile(DocId, ObjectId, const QString&)
{
    cannotPlot();
}

qint32 Host::beginPlotJob(const QString&)
{
    cannotPlot();
}

PlotResult Host::plotJobPage(qint32, DocId, ObjectId)
{
    cannotPlot();
}

void Host::endPlotJob(qint32, bool)
{
    cannotPlot();
}

QByteArray Host::layoutPreview(DocId, ObjectId, qint32, qint32)
{
    cannotPlot();
}

qint64 Host::documentRevision(DocId)
{
    cannotPlot();
}

} // namespace acad
