#include "ForwardingHost.h"

#include <acad/Error.h>

namespace testsupport {

ForwardingHost::ForwardingHost(std::shared_ptr<acad::Host> inner) : m_inner(std::move(inner)) {}

acad::Host& ForwardingHost::next(const char* call)
{
    if (!m_inner)
        throw acad::Error(
            QStringLiteral("Der Aufruf \"%1\" wird hier nicht unterstützt.").arg(QLatin1String(call)));
    return *m_inner;
}

acad::ApplicationSnapshot ForwardingHost::application()
{
    return next("application").application();
}

void ForwardingHost::setVisible(bool visible)
{
    next("setVisible").setVisible(visible);
}

qint64 ForwardingHost::hwnd()
{
    return next("hwnd").hwnd();
}

void ForwardingHost::bringToFront()
{
    next("bringToFront").bringToFront();
}

void ForwardingHost::update()
{
    next("update").update();
}

void ForwardingHost::quit()
{
    next("quit").quit();
}

QString ForwardingHost::supportPath()
{
    return next("supportPath").supportPath();
}

void ForwardingHost::setSupportPath(const QString& path)
{
    next("setSupportPath").setSupportPath(path);
}

QString ForwardingHost::templatePath()
{
    return next("templatePath").templatePath();
}

void ForwardingHost::setTemplatePath(const QString& path)
{
    next("setTemplatePath").setTemplatePath(path);
}

void ForwardingHost::loadDVB(const QString& path)
{
    next("loadDVB").loadDVB(path);
}

void ForwardingHost::runMacro(const QString& name)
{
    next("runMacro").runMacro(name);
}

QStringList ForwardingHost::menuGroups()
{
    return next("menuGroups").menuGroups();
}

void ForwardingHost::loadMenuGroup(const QString& file, bool baseMenu)
{
    next("loadMenuGroup").loadMenuGroup(file, baseMenu);
}

QList<acad::MenuPopup> ForwardingHost::menuGroupPopups(const QString& group)
{
    return next("menuGroupPopups").menuGroupPopups(group);
}

void ForwardingHost::insertPopupInMenuBar(const QString& group, qint32 popupIndex, qint32 barIndex)
{
    next("insertPopupInMenuBar").insertPopupInMenuBar(group, popupIndex, barIndex);
}

QList<acad::MenuPopup> ForwardingHost::menuBar()
{
    return next("menuBar").menuBar();
}

acad::DocId ForwardingHost::openDocument(const QString& path)
{
    return next("openDocument").openDocument(path);
}

acad::DocId ForwardingHost::addDocument(const QString& templatePath)
{
    return next("addDocument").addDocument(templatePath);
}

acad::DocumentSnapshot ForwardingHost::document(acad::DocId doc)
{
    return next("document").document(doc);
}

QList<acad::DocumentSnapshot> ForwardingHost::documentSnapshots()
{
    // Without another host the bulk call is built from the single ones a fake overrides.
    if (!m_inner)
        return acad::Host::documentSnapshots();
    return next("documentSnapshots").documentSnapshots();
}

void ForwardingHost::activateDocument(acad::DocId doc)
{
    next("activateDocument").activateDocument(doc);
}

void ForwardingHost::saveDocument(acad::DocId doc)
{
    next("saveDocument").saveDocument(doc);
}

void ForwardingHost::closeDocument(acad::DocId doc, bool saveChanges)
{
    next("closeDocument").closeDocument(doc, saveChanges);
}

void ForwardingHost::setActiveLayout(acad::DocId doc, const QString& layoutName)
{
    next("setActiveLayout").setActiveLayout(doc, layoutName);
}

void ForwardingHost::setActiveSpace(acad::DocId doc, qint32 space)
{
    next("setActiveSpace").setActiveSpace(doc, space);
}

void ForwardingHost::sendCommand(acad::DocId doc, const QString& text)
{
    next("sendCommand").sendCommand(doc, text);
}

void ForwardingHost::setVariable(acad::DocId doc, const QString& name, const QVariant& value)
{
    next("setVariable").setVariable(doc, name, value);
}

QVariant ForwardingHost::variable(acad::DocId doc, const QString& name)
{
    return next("variable").variable(doc, name);
}

acad::ObjectInfo ForwardingHost::objectIdToObject(acad::DocId doc, acad::ObjectId id)
{
    return next("objectIdToObject").objectIdToObject(doc, id);
}

void ForwardingHost::setLayoutName(acad::DocId doc, acad::ObjectId layout, const QString& name)
{
    next("setLayoutName").setLayoutName(doc, layout, name);
}

acad::PlotSettings ForwardingHost::plotSettings(acad::DocId doc, acad::ObjectId layout)
{
    return next("plotSettings").plotSettings(doc, layout);
}

void ForwardingHost::refreshPlotDeviceInfo(acad::DocId doc, acad::ObjectId layout)
{
    next("refreshPlotDeviceInfo").refreshPlotDeviceInfo(doc, layout);
}

QString ForwardingHost::localeMediaName(acad::DocId doc, acad::ObjectId layout, const QString& canonicalName)
{
    return next("localeMediaName").localeMediaName(doc, layout, canonicalName);
}

QList<acad::EntityInfo> ForwardingHost::blockEntities(acad::DocId doc, acad::ObjectId layout)
{
    return next("blockEntities").blockEntities(doc, layout);
}

// Without another host the bulk calls are built from the single ones a fake overrides.
QList<acad::LayoutPlotSettings> ForwardingHost::layoutPlotSettings(acad::DocId doc)
{
    if (!m_inner)
        return acad::Host::layoutPlotSettings(doc);
    return next("layoutPlotSettings").layoutPlotSettings(doc);
}

QList<acad::EntityWithXData> ForwardingHost::blockEntitiesWithXData(acad::DocId doc, acad::ObjectId layout,
                                                                    const QString& application)
{
    if (!m_inner)
        return acad::Host::blockEntitiesWithXData(doc, layout, application);
    return next("blockEntitiesWithXData").blockEntitiesWithXData(doc, layout, application);
}

QList<acad::LayoutBlockWithXData> ForwardingHost::layoutBlocksWithXData(acad::DocId doc,
                                                                        const QString& application)
{
    if (!m_inner)
        return acad::Host::layoutBlocksWithXData(doc, application);
    return next("layoutBlocksWithXData").layoutBlocksWithXData(doc, application);
}

void ForwardingHost::setLayoutTabOrder(acad::DocId doc, acad::ObjectId layout, qint32 tabOrder)
{
    next("setLayoutTabOrder").setLayoutTabOrder(doc, layout, tabOrder);
}

acad::ObjectId ForwardingHost::copyLayoutToDocument(acad::DocId source, acad::ObjectId layout,
                                                    acad::DocId target, const QString& newName)
{
    return next("copyLayoutToDocument").copyLayoutToDocument(source, layout, target, newName);
}

QStringList ForwardingHost::plotDeviceNames(acad::DocId doc)
{
    return next("plotDeviceNames").plotDeviceNames(doc);
}

QStringList ForwardingHost::canonicalMediaNames(acad::DocId doc, acad::ObjectId layout)
{
    return next("canonicalMediaNames").canonicalMediaNames(doc, layout);
}

void ForwardingHost::setPlotSettings(acad::DocId doc, acad::ObjectId layout, const acad::PlotSettings& values,
                                     quint32 which)
{
    next("setPlotSettings").setPlotSettings(doc, layout, values, which);
}

void ForwardingHost::copyPlotSettings(acad::DocId sourceDoc, acad::ObjectId sourceLayout,
                                      acad::DocId targetDoc, acad::ObjectId targetLayout, quint32 which)
{
    next("copyPlotSettings").copyPlotSettings(sourceDoc, sourceLayout, targetDoc, targetLayout, which);
}

acad::PlotResult ForwardingHost::plotToFile(acad::DocId doc, acad::ObjectId layout, const QString& path)
{
    return next("plotToFile").plotToFile(doc, layout, path);
}

qint32 ForwardingHost::beginPlotJob(const QString& path)
{
    return next("beginPlotJob").beginPlotJob(path);
}

acad::PlotResult ForwardingHost::plotJobPage(qint32 job, acad::DocId doc, acad::ObjectId layout)
{
    return next("plotJobPage").plotJobPage(job, doc, layout);
}

void ForwardingHost::endPlotJob(qint32 job, bool keep)
{
    next("endPlotJob").endPlotJob(job, keep);
}

QByteArray ForwardingHost::layoutPreview(acad::DocId doc, acad::ObjectId layout, qint32 width, qint32 height)
{
    return next("layoutPreview").layoutPreview(doc, layout, width, height);
}

qint64 ForwardingHost::documentRevision(acad::DocId doc)
{
    return next("documentRevision").documentRevision(doc);
}

QList<acad::DocumentSheets> ForwardingHost::documentSheets(const QString& xdataApplication)
{
    if (!m_inner)
        return acad::Host::documentSheets(xdataApplication);
    return next("documentSheets").documentSheets(xdataApplication);
}

acad::XData ForwardingHost::xdata(acad::DocId doc, acad::ObjectId object, const QString& application)
{
    return next("xdata").xdata(doc, object, application);
}

void ForwardingHost::setXData(acad::DocId doc, acad::ObjectId object, const acad::XData& data)
{
    next("setXData").setXData(doc, object, data);
}

QStringList ForwardingHost::commandHistory()
{
    return next("commandHistory").commandHistory();
}

} // namespace testsupport
