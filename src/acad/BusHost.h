#pragma once

#include "ActionScope.h"
#include "BusNames.h"
#include "Host.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QThreadPool>
#include <memory>

namespace acad {

// The CAD host reached over D-Bus. Every call waits at most the timeout for its answer; a host that
// hangs, has died or has left the bus gives an acad::Error with a German description, and an error
// of the host arrives with the host's own description. A host that did not answer is not waited for
// again until the scope's next user action: the calls until then fail at once the same way.
class BusHost final : public Host
{
public:
    // service: the host's unique bus name (":1.42"), so that calls never reach a later host that
    // took over the well-known name. scope: shared with the other hosts of the same program.
    BusHost(const QDBusConnection& connection, const QString& service, int timeoutMs = bus::kCallTimeoutMs,
            std::shared_ptr<ActionScope> scope = nullptr);

    const QString& service() const { return m_service; }
    qint64 roundTrips() const { return m_roundTrips; }

    ApplicationSnapshot application() override;
    void setVisible(bool visible) override;
    qint64 hwnd() override;
    void bringToFront() override;
    void update() override;
    void quit() override;

    QString supportPath() override;
    void setSupportPath(const QString& path) override;
    QString templatePath() override;
    void setTemplatePath(const QString& path) override;

    void loadDVB(const QString& path) override;
    void runMacro(const QString& name) override;

    QStringList menuGroups() override;
    void loadMenuGroup(const QString& file, bool baseMenu) override;
    QList<MenuPopup> menuGroupPopups(const QString& group) override;
    void insertPopupInMenuBar(const QString& group, qint32 popupIndex, qint32 barIndex) override;
    QList<MenuPopup> menuBar() override;

    DocId openDocument(const QString& path) override;
    DocId addDocument(const QString& templatePath) override;
    DocumentSnapshot document(DocId doc) override;
    QList<DocumentSnapshot> documentSnapshots() override;
    void activateDocument(DocId doc) override;
    void saveDocument(DocId doc) override;
    void closeDocument(DocId doc, bool saveChanges) override;
    void setActiveLayout(DocId doc, const QString& layoutName) override;
    void setActiveSpace(DocId doc, qint32 space) override;
    void sendCommand(DocId doc, const QString& text) override;
    void setVariable(DocId doc, const QString& name, const QVariant& value) override;
    QVariant variable(DocId doc, const QString& name) override;
    ObjectInfo objectIdToObject(DocId doc, ObjectId id) override;

    void setLayoutName(DocId doc, ObjectId layout, const QString& name) override;
    PlotSettings plotSettings(DocId doc, ObjectId layout) override;
    void refreshPlotDeviceInfo(DocId doc, ObjectId layout) override;
    QString localeMediaName(DocId doc, ObjectId layout, const QString& canonicalName) override;
    QList<EntityInfo> blockEntities(DocId doc, ObjectId layout) override;
    QList<LayoutPlotSettings> layoutPlotSettings(DocId doc) override;
    QList<EntityWithXData> blockEntitiesWithXData(DocId doc, ObjectId layout,
                                                  const QString& application) override;
    QList<LayoutBlockWithXData> layoutBlocksWithXData(DocId doc, const QString& application) override;
    void setLayoutTabOrder(DocId doc, ObjectId layout, qint32 tabOrder) override;
    ObjectId copyLayoutToDocument(DocId source, ObjectId layout, DocId target,
                                  const QString& newName) override;
    QList<DocumentSheets> documentSheets(const QString& xdataApplication) override;
    QStringList plotDeviceNames(DocId doc) override;
    QStringList canonicalMediaNames(DocId doc, ObjectId layout) override;
    void setPlotSettings(DocId doc, ObjectId layout, const PlotSettings& values, quint32 which) override;
    PlotResult plotToFile(DocId doc, ObjectId layout, const QString& path) override;
    qint32 beginPlotJob(const QString& path) override;
    PlotResult plotJobPage(qint32 job, DocId doc, ObjectId layout) override;
    void endPlotJob(qint32 job, bool keep) override;
    QByteArray layoutPreview(DocId doc, ObjectId layout, qint32 width, qint32 height) override;
    qint64 documentRevision(DocId doc) override;
    void copyPlotSettings(DocId sourceDoc, ObjectId sourceLayout, DocId targetDoc, ObjectId targetLayout,
                          quint32 which) override;

    XData xdata(DocId doc, ObjectId object, const QString& application) override;
    void setXData(DocId doc, ObjectId object, const XData& data) override;

    QStringList commandHistory() override;

private:
    // One round trip; throws acad::Error for every failure.
    QDBusMessage call(const QString& path, const QString& interface, const QString& method,
                      const QVariantList& args = {});
    QDBusMessage waitForReply(const QDBusMessage& message);
    // The first value of the answer as T.
    template <typename T>
    T value(const QString& path, const QString& interface, const QString& method,
            const QVariantList& args = {});

    QDBusConnection m_connection;
    QString m_service;
    int m_timeoutMs;
    std::shared_ptr<ActionScope> m_scope;
    // The one thread a call waits on, so that this thread can show that it is busy meanwhile.
    QThreadPool m_waiter;
    qint64 m_roundTrips = 0;
};

// The German description of a failed bus call: the host's own text for its errors, otherwise what
// the failure means for the caller ("Der CAD-Host antwortet nicht.").
QString describeBusError(const QDBusMessage& errorReply);

} // namespace acad
