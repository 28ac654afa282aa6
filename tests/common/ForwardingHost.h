#pragma once

#include <acad/Host.h>
#include <memory>

namespace testsupport {

// A CAD host that passes every call on to another one. A fake derives from it and overrides only
// what it counts or changes; next() sees every call first. Without another host every call fails
// with an automation error.
class ForwardingHost : public acad::Host
{
public:
    explicit ForwardingHost(std::shared_ptr<acad::Host> inner = nullptr);

    acad::ApplicationSnapshot application() override;
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
    QList<acad::MenuPopup> menuGroupPopups(const QString& group) override;
    void insertPopupInMenuBar(const QString& group, qint32 popupIndex, qint32 barIndex) override;
    QList<acad::MenuPopup> menuBar() override;
    acad::DocId openDocument(const QString& path) override;
    acad::DocId addDocument(const QString& templatePath) override;
    acad::DocumentSnapshot document(acad::DocId doc) override;
    QList<acad::DocumentSnapshot> documentSnapshots() override;
    void activateDocument(acad::DocId doc) override;
    void saveDocument(acad::DocId doc) override;
    void closeDocument(acad::DocId doc, bool saveChanges) override;
    void setActiveLayout(acad::DocId doc, const QString& layoutName) override;
    void setActiveSpace(acad::DocId doc, qint32 space) override;
    void sendCommand(acad::DocId doc, const QString& text) override;
    void setVariable(acad::DocId doc, const QString& name, const QVariant& value) override;
    QVariant variable(acad::DocId doc, const QString& name) override;
    acad::ObjectInfo objectIdToObject(acad::DocId doc, acad::ObjectId id) override;
    void setLayoutName(acad::DocId doc, acad::ObjectId layout, const QString& name) override;
    acad::PlotSettings plotSettings(acad::DocId doc, acad::ObjectId layout) override;
    void refreshPlotDeviceInfo(acad::DocId doc, acad::ObjectId layout) override;
    QString localeMediaName(acad::DocId doc, acad::ObjectId layout, const QString& canonicalName) override;
    QList<acad::EntityInfo> blockEntities(acad::DocId doc, acad::ObjectId layout) override;
    QList<acad::LayoutPlotSettings> layoutPlotSettings(acad::DocId doc) override;
    QList<acad::EntityWithXData> blockEntitiesWithXData(acad::DocId doc, acad::ObjectId layout,
                                                        const QString& application) override;
    QList<acad::LayoutBlockWithXData> layoutBlocksWithXData(acad::DocId doc,
                                                            const QString& application) override;
    void setLayoutTabOrder(acad::DocId doc, acad::ObjectId layout, qint32 tabOrder) override;
    acad::ObjectId copyLayoutToDocument(acad::DocId source, acad::ObjectId layout, acad::DocId target,
                                        const QString& newName) override;
    QList<acad::DocumentSheets> documentSheets(const QString& xdataApplication) override;
    QStringList plotDeviceNames(acad::DocId doc) override;
    QStringList canonicalMediaNames(acad::DocId doc, acad::ObjectId layout) override;
    void setPlotSettings(acad::DocId doc, acad::ObjectId layout, const acad::PlotSettings& values,
                         quint32 which) override;
    void copyPlotSettings(acad::DocId sourceDoc, acad::ObjectId sourceLayout, acad::DocId targetDoc,
                          acad::ObjectId targetLayout, quint32 which) override;
    acad::PlotResult plotToFile(acad::DocId doc, acad::ObjectId layout, const QString& path) override;
    qint32 beginPlotJob(const QString& path) override;
    acad::PlotResult plotJobPage(qint32 job, acad::DocId doc, acad::ObjectId layout) override;
    void endPlotJob(qint32 job, bool keep) override;
    QByteArray layoutPreview(acad::DocId doc, acad::ObjectId layout, qint32 width, qint32 height) override;
    qint64 documentRevision(acad::DocId doc) override;
    acad::XData xdata(acad::DocId doc, acad::ObjectId object, const QString& application) override;
    void setXData(acad::DocId doc, acad::ObjectId object, const acad::XData& data) override;
    QStringList commandHistory() override;

protected:
    // The host that takes the call named; fails when there is none.
    virtual acad::Host& next(const char* call);

private:
    std::shared_ptr<acad::Host> m_inner;
};

} // namespace testsupport
