#include "ThrowingHost.h"

#include <acad/Error.h>

namespace testsupport {

namespace {

[[noreturn]] void unsupported(const char* call)
{
    throw acad::Error(
        QStringLiteral("Der Aufruf \"%1\" wird hier nicht unterstützt.").arg(QLatin1String(call)));
}

} // namespace

acad::ApplicationSnapshot ThrowingHost::application()
{
    unsupported("application");
}

void ThrowingHost::setVisible(bool)
{
    unsupported("setVisible");
}

qint64 ThrowingHost::hwnd()
{
    unsupported("hwnd");
}

void ThrowingHost::bringToFront()
{
    unsupported("bringToFront");
}

void ThrowingHost::update()
{
    unsupported("update");
}

void ThrowingHost::quit()
{
    unsupported("quit");
}

QString ThrowingHost::supportPath()
{
    unsupported("supportPath");
}

void ThrowingHost::setSupportPath(const QString&)
{
    unsupported("setSupportPath");
}

QString ThrowingHost::templatePath()
{
    unsupported("templatePath");
}

void ThrowingHost::setTemplatePath(const QString&)
{
    unsupported("setTemplatePath");
}

void ThrowingHost::loadDVB(const QString&)
{
    unsupported("loadDVB");
}

void ThrowingHost::runMacro(const QString&)
{
    unsupported("runMacro");
}

QStringList ThrowingHost::menuGroups()
{
    unsupported("menuGroups");
}

void ThrowingHost::loadMenuGroup(const QString&, bool)
{
    unsupported("loadMenuGroup");
}

QList<acad::MenuPopup> ThrowingHost::menuGroupPopups(const QString&)
{
    unsupported("menuGroupPopups");
}

void ThrowingHost::insertPopupInMenuBar(const QString&, qint32, qint32)
{
    unsupported("insertPopupInMenuBar");
}

QList<acad::MenuPopup> ThrowingHost::menuBar()
{
    unsupported("menuBar");
}

acad::DocId ThrowingHost::openDocument(const QString&)
{
    unsupported("openDocument");
}

acad::DocId ThrowingHost::addDocument(const QString&)
{
    unsupported("addDocument");
}

acad::DocumentSnapshot ThrowingHost::document(acad::DocId)
{
    unsupported("document");
}

void ThrowingHost::activateDocument(acad::DocId)
{
    unsupported("activateDocument");
}

void ThrowingHost::saveDocument(acad::DocId)
{
    unsupported("saveDocument");
}

void ThrowingHost::closeDocument(acad::DocId, bool)
{
    unsupported("closeDocument");
}

void ThrowingHost::setActiveLayout(acad::DocId, const QString&)
{
    unsupported("setActiveLayout");
}

void ThrowingHost::setActiveSpace(acad::DocId, qint32)
{
    unsupported("setActiveSpace");
}

void ThrowingHost::sendCommand(acad::DocId, const QString&)
{
    unsupported("sendCommand");
}

void ThrowingHost::setVariable(acad::DocId, const QString&, const QVariant&)
{
    unsupported("setVariable");
}

QVariant ThrowingHost::variable(acad::DocId, const QString&)
{
    unsupported("variable");
}

acad::ObjectInfo ThrowingHost::objectIdToObject(acad::DocId, acad::ObjectId)
{
    unsupported("objectIdToObject");
}

void ThrowingHost::setLayoutName(acad::DocId, acad::ObjectId, const QString&)
{
    unsupported("setLayoutName");
}

acad::PlotSettings ThrowingHost::plotSettings(acad::DocId, acad::ObjectId)
{
    unsupported("plotSettings");
}

void ThrowingHost::refreshPlotDeviceInfo(acad::DocId, acad::ObjectId)
{
    unsupported("refreshPlotDeviceInfo");
}

QString ThrowingHost::localeMediaName(acad::DocId, acad::ObjectId, const QString&)
{
    unsupported("localeMediaName");
}

QList<acad::EntityInfo> ThrowingHost::blockEntities(acad::DocId, acad::ObjectId)
{
    unsupported("blockEntities");
}

QList<acad::LayoutPlotSettings> ThrowingHost::layoutPlotSettings(acad::DocId doc)
{
    return Host::layoutPlotSettings(doc);
}

QList<acad::EntityWithXData> ThrowingHost::blockEntitiesWithXData(acad::DocId doc, acad::ObjectId layout,
                                                                  const QString& application)
{
    return Host::blockEntitiesWithXData(doc, layout, application);
}

acad::XData ThrowingHost::xdata(acad::DocId, acad::ObjectId, const QString&)
{
    unsupported("xdata");
}

void ThrowingHost::setXData(acad::DocId, acad::ObjectId, const acad::XData&)
{
    unsupported("setXData");
}

QStringList ThrowingHost::commandHistory()
{
    unsupported("commandHistory");
}

} // namespace testsupport
