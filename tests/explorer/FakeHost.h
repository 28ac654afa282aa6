#pragma once

#include "ThrowingHost.h"

#include <QHash>
#include <QMap>
#include <QSet>

// A CAD host made of plain lists, for the tree and list logic: documents with their layouts and plot
// settings, extended data by object id. Counts every call; calls the logic does not need fail.
class FakeHost final : public testsupport::ThrowingHost
{
public:
    struct Layout
    {
        acad::ObjectId id = 0;
        QString name;
        acad::PlotSettings plot;
    };
    struct Document
    {
        acad::DocId id = 0;
        QString name;
        QString path;
        QString activeLayout = QStringLiteral("Model");
        QList<Layout> layouts; // "Model" first
    };

    QList<Document> documents;
    acad::DocId activeDocument = 0;
    QHash<acad::ObjectId, acad::XData> xdatas;
    QSet<acad::ObjectId> missingObjects;                     // xdata of these throws
    QHash<acad::ObjectId, QList<acad::EntityInfo>> entities; // paper-space entities by layout id
    QMap<QString, int> calls;                                // by method name
    QString failing;                                         // the method that throws, "" none
    acad::ObjectId failingPlot = 0;                          // plotSettings of this layout throws
    // Pictures and revisions: off, the host cannot plot, as the default host refuses (not counted).
    bool previews = false;
    QHash<acad::DocId, qint64> revisions; // documentRevision, 0 when not set
    QSet<acad::ObjectId> failingPreviews; // layoutPreview of these throws

    // Adds a drawing with "Model" and the named paper-space layouts; returns its id.
    acad::DocId addDrawing(const QString& path, const QString& name, const QStringList& layouts);
    Document* find(acad::DocId doc);
    Layout* findLayout(acad::ObjectId id);
    void closeDrawing(acad::DocId doc);
    int totalCalls() const;

    acad::ApplicationSnapshot application() override;
    acad::DocumentSnapshot document(acad::DocId doc) override;
    QList<acad::DocumentSnapshot> documentSnapshots() override;
    void activateDocument(acad::DocId doc) override;
    void closeDocument(acad::DocId doc, bool) override;
    void setActiveLayout(acad::DocId doc, const QString& layoutName) override;
    void setLayoutName(acad::DocId, acad::ObjectId layout, const QString& name) override;
    acad::PlotSettings plotSettings(acad::DocId, acad::ObjectId layout) override;
    void refreshPlotDeviceInfo(acad::DocId, acad::ObjectId) override;
    QString localeMediaName(acad::DocId, acad::ObjectId, const QString& canonicalName) override;
    QList<acad::EntityInfo> blockEntities(acad::DocId, acad::ObjectId layout) override;
    // One call each, failing as a whole as the real host's do.
    QList<acad::LayoutPlotSettings> layoutPlotSettings(acad::DocId doc) override;
    QList<acad::EntityWithXData> blockEntitiesWithXData(acad::DocId doc, acad::ObjectId layout,
                                                        const QString& application) override;
    QList<acad::LayoutBlockWithXData> layoutBlocksWithXData(acad::DocId doc,
                                                            const QString& application) override;
    QByteArray layoutPreview(acad::DocId doc, acad::ObjectId layout, qint32 width, qint32 height) override;
    qint64 documentRevision(acad::DocId doc) override;
    acad::XData xdata(acad::DocId, acad::ObjectId object, const QString& application) override;
    void setXData(acad::DocId, acad::ObjectId object, const acad::XData& data) override;

private:
    void count(const QString& method);
    acad::XData dataOf(acad::ObjectId object, const QString& application) const;
    acad::DocumentSnapshot snapshotOf(const Document* doc) const;
    acad::DocId m_nextDoc = 1;
    acad::ObjectId m_nextObject = 100;
};
