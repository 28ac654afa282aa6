#include "FakeHost.h"

#include <QBuffer>
#include <QColor>
#include <QImage>
#include <acad/Error.h>

acad::DocId FakeHost::addDrawing(const QString& path, const QString& name, const QStringList& layouts)
{
    Document doc;
    doc.id = m_nextDoc++;
    doc.name = name;
    doc.path = path;
    doc.layouts.append(Layout{m_nextObject++, QStringLiteral("Model"), {}});
    for (const QString& layout : layouts) {
        acad::PlotSettings plot;
        plot.configName = QStringLiteral("DWG To PDF.pc3");
        plot.canonicalMediaName = QStringLiteral("ISO_full_bleed_A3_(420.00_x_297.00_MM)");
        plot.plotRotation = 1;
        doc.layouts.append(Layout{m_nextObject++, layout, plot});
    }
    documents.append(doc);
    if (activeDocument == 0)
        activeDocument = doc.id;
    return doc.id;
}

FakeHost::Document* FakeHost::find(acad::DocId id)
{
    for (Document& doc : documents) {
        if (doc.id == id)
            return &doc;
    }
    return nullptr;
}

FakeHost::Layout* FakeHost::findLayout(acad::ObjectId id)
{
    for (Document& doc : documents) {
        for (Layout& layout : doc.layouts) {
            if (layout.id == id)
                return &layout;
        }
    }
    return nullptr;
}

void FakeHost::closeDrawing(acad::DocId id)
{
    documents.removeIf([id](const Document& doc) { return doc.id == id; });
    if (activeDocument == id)
        activeDocument = documents.isEmpty() ? 0 : documents.first().id;
}

int FakeHost::totalCalls() const
{
    int total = 0;
    for (const int n : calls)
        total += n;
    return total;
}

void FakeHost::count(const QString& method)
{
    ++calls[method];
    if (method == failing)
        throw acad::Error(QStringLiteral("Automatisierungsfehler: ") + method);
}

acad::ApplicationSnapshot FakeHost::application()
{
    count(QStringLiteral("application"));
    acad::ApplicationSnapshot app;
    for (const Document& doc : std::as_const(documents))
        app.documents.append(acad::DocumentRef{doc.id, doc.name, doc.path});
    app.activeDocument = activeDocument;
    app.visible = true;
    return app;
}

acad::DocumentSnapshot FakeHost::document(acad::DocId id)
{
    count(QStringLiteral("document"));
    const Document* doc = find(id);
    if (!doc)
        throw acad::Error(QStringLiteral("Dokument nicht gefunden"));
    return snapshotOf(doc);
}

QList<acad::DocumentSnapshot> FakeHost::documentSnapshots()
{
    count(QStringLiteral("documentSnapshots"));
    QList<acad::DocumentSnapshot> snapshots;
    for (const Document& doc : documents)
        snapshots.append(snapshotOf(&doc));
    return snapshots;
}

acad::DocumentSnapshot FakeHost::snapshotOf(const Document* doc) const
{
    acad::DocumentSnapshot snapshot;
    snapshot.ref = acad::DocumentRef{doc->id, doc->name, doc->path};
    snapshot.activeLayout = doc->activeLayout;
    for (int i = 0; i < doc->layouts.size(); ++i)
        snapshot.layouts.append(acad::LayoutRef{doc->layouts[i].id, doc->layouts[i].name, i});
    return snapshot;
}

void FakeHost::activateDocument(acad::DocId doc)
{
    count(QStringLiteral("activateDocument"));
    activeDocument = doc;
}

void FakeHost::closeDocument(acad::DocId doc, bool)
{
    count(QStringLiteral("closeDocument"));
    closeDrawing(doc);
}

void FakeHost::setActiveLayout(acad::DocId id, const QString& layoutName)
{
    count(QStringLiteral("setActiveLayout"));
    if (Document* doc = find(id))
        doc->activeLayout = layoutName;
}

void FakeHost::setLayoutName(acad::DocId, acad::ObjectId id, const QString& name)
{
    count(QStringLiteral("setLayoutName"));
    if (Layout* layout = findLayout(id))
        layout->name = name;
}

acad::PlotSettings FakeHost::plotSettings(acad::DocId, acad::ObjectId id)
{
    count(QStringLiteral("plotSettings"));
    const Layout* layout = findLayout(id);
    if (!layout || id == failingPlot)
        throw acad::Error(QStringLiteral("Objekt nicht gefunden"));
    return layout->plot;
}

void FakeHost::refreshPlotDeviceInfo(acad::DocId, acad::ObjectId)
{
    count(QStringLiteral("refreshPlotDeviceInfo"));
}

QString FakeHost::localeMediaName(acad::DocId, acad::ObjectId, const QString& canonicalName)
{
    count(QStringLiteral("localeMediaName"));
    return QStringLiteral("Lokal ") + canonicalName;
}

QList<acad::EntityInfo> FakeHost::blockEntities(acad::DocId, acad::ObjectId layout)
{
    count(QStringLiteral("blockEntities"));
    if (!findLayout(layout))
        throw acad::Error(QStringLiteral("Objekt nicht gefunden"));
    return entities.value(layout);
}

QList<acad::LayoutPlotSettings> FakeHost::layoutPlotSettings(acad::DocId id)
{
    count(QStringLiteral("layoutPlotSettings"));
    const Document* doc = find(id);
    if (!doc)
        throw acad::Error(QStringLiteral("Die Zeichnung ist nicht mehr geöffnet."));
    QList<acad::LayoutPlotSettings> out;
    for (const Layout& layout : doc->layouts) {
        if (layout.id == failingPlot)
            throw acad::Error(QStringLiteral("Objekt nicht gefunden"));
        const QString locale = layout.plot.canonicalMediaName.isEmpty()
                                   ? QString()
                                   : QStringLiteral("Lokal ") + layout.plot.canonicalMediaName;
        out.append({layout.id, layout.name, layout.plot, locale});
    }
    return out;
}

QList<acad::EntityWithXData> FakeHost::blockEntitiesWithXData(acad::DocId, acad::ObjectId layout,
                                                              const QString& application)
{
    count(QStringLiteral("blockEntitiesWithXData"));
    if (!findLayout(layout))
        throw acad::Error(QStringLiteral("Objekt nicht gefunden"));
    QList<acad::EntityWithXData> out;
    for (const acad::EntityInfo& entity : entities.value(layout)) {
        if (missingObjects.contains(entity.id))
            throw acad::Error(QStringLiteral("Objekt nicht gefunden"));
        out.append({entity, dataOf(entity.id, application)});
    }
    return out;
}

QList<acad::LayoutBlockWithXData> FakeHost::layoutBlocksWithXData(acad::DocId id, const QString& application)
{
    count(QStringLiteral("layoutBlocksWithXData"));
    const Document* doc = find(id);
    if (!doc)
        throw acad::Error(QStringLiteral("Die Zeichnung ist nicht mehr geöffnet."));
    QList<acad::LayoutBlockWithXData> out;
    for (const Layout& layout : doc->layouts) {
        if (layout.name == QLatin1String("Model"))
            continue;
        QList<acad::EntityWithXData> block;
        for (const acad::EntityInfo& entity : entities.value(layout.id))
            block.append({entity, dataOf(entity.id, application)});
        out.append({layout.id, block});
    }
    return out;
}

acad::XData FakeHost::dataOf(acad::ObjectId object, const QString& application) const
{
    const acad::XData data = xdatas.value(object);
    if (!data.values.isEmpty() && data.values.first().toString() != application)
        return {};
    return data;
}

acad::XData FakeHost::xdata(acad::DocId, acad::ObjectId object, const QString& application)
{
    count(QStringLiteral("xdata"));
    if (missingObjects.contains(object))
        throw acad::Error(QStringLiteral("Objekt nicht gefunden"));
    return dataOf(object, application);
}

void FakeHost::setXData(acad::DocId, acad::ObjectId object, const acad::XData& data)
{
    count(QStringLiteral("setXData"));
    xdatas.insert(object, data);
}

// A picture of the layout's size, its colour from the layout's id.
QByteArray FakeHost::layoutPreview(acad::DocId doc, acad::ObjectId layout, qint32 width, qint32 height)
{
    if (!previews)
        return acad::Host::layoutPreview(doc, layout, width, height);
    count(QStringLiteral("layoutPreview"));
    if (failingPreviews.contains(layout) || !findLayout(layout))
        throw acad::Error(QStringLiteral("Das Layout kann nicht gezeichnet werden."));
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(QColor::fromRgb(QRgb(0x102030u * quint32(layout))));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "PNG");
    return png;
}

qint64 FakeHost::documentRevision(acad::DocId doc)
{
    if (!previews)
        return acad::Host::documentRevision(doc);
    count(QStringLiteral("documentRevision"));
    if (!find(doc))
        throw acad::Error(QStringLiteral("Die Zeichnung ist nicht mehr geöffnet."));
    return revisions.value(doc);
}
