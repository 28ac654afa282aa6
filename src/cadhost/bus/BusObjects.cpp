#include "BusObjects.h"

#include <acad/BusNames.h>
#include <acad/Error.h>
#include <cadhost/engine/FileInput.h>
#include <exception>
#include <type_traits>

namespace cadhost {

BusObject::BusObject(acad::Host& host, QObject* parent) : QObject(parent), m_host(host) {}

template <typename F> auto BusObject::guarded(F&& call) -> decltype(call())
{
    using Result = decltype(call());
    try {
        return call();
    } catch (const acad::Error& e) {
        sendErrorReply(acad::bus::kErrorName, e.description());
    } catch (const std::exception& e) {
        sendErrorReply(acad::bus::kErrorName,
                       QStringLiteral("Interner Fehler im CAD-Host: %1").arg(cadhost::germanReason(e)));
    }
    if constexpr (!std::is_void_v<Result>)
        return Result{};
}

// --- Application

acad::ApplicationSnapshot ApplicationObject::Snapshot()
{
    return guarded([&] { return m_host.application(); });
}

void ApplicationObject::SetVisible(bool visible)
{
    guarded([&] { m_host.setVisible(visible); });
}

qint64 ApplicationObject::Hwnd()
{
    return guarded([&] { return m_host.hwnd(); });
}

void ApplicationObject::BringToFront()
{
    guarded([&] { m_host.bringToFront(); });
}

void ApplicationObject::Update()
{
    guarded([&] { m_host.update(); });
}

void ApplicationObject::Quit()
{
    guarded([&] { m_host.quit(); });
}

void ApplicationObject::LoadDVB(const QString& path)
{
    guarded([&] { m_host.loadDVB(path); });
}

void ApplicationObject::RunMacro(const QString& name)
{
    guarded([&] { m_host.runMacro(name); });
}

QStringList ApplicationObject::CommandHistory()
{
    return guarded([&] { return m_host.commandHistory(); });
}

// --- Preferences

QString PreferencesObject::SupportPath()
{
    return guarded([&] { return m_host.supportPath(); });
}

void PreferencesObject::SetSupportPath(const QString& path)
{
    guarded([&] { m_host.setSupportPath(path); });
}

QString PreferencesObject::TemplatePath()
{
    return guarded([&] { return m_host.templatePath(); });
}

void PreferencesObject::SetTemplatePath(const QString& path)
{
    guarded([&] { m_host.setTemplatePath(path); });
}

// --- MenuGroups

QStringList MenuGroupsObject::Names()
{
    return guarded([&] { return m_host.menuGroups(); });
}

void MenuGroupsObject::Load(const QString& file, bool baseMenu)
{
    guarded([&] { m_host.loadMenuGroup(file, baseMenu); });
}

QList<acad::MenuPopup> MenuGroupsObject::Popups(const QString& group)
{
    return guarded([&] { return m_host.menuGroupPopups(group); });
}

void MenuGroupsObject::InsertInMenuBar(const QString& group, qint32 popupIndex, qint32 barIndex)
{
    guarded([&] { m_host.insertPopupInMenuBar(group, popupIndex, barIndex); });
}

QList<acad::MenuPopup> MenuGroupsObject::MenuBar()
{
    return guarded([&] { return m_host.menuBar(); });
}

// --- Documents

qint32 DocumentsObject::Open(const QString& path)
{
    return guarded([&] { return m_host.openDocument(path); });
}

qint32 DocumentsObject::Add(const QString& templatePath)
{
    return guarded([&] { return m_host.addDocument(templatePath); });
}

acad::DocumentSnapshot DocumentsObject::Snapshot(qint32 doc)
{
    return guarded([&] { return m_host.document(doc); });
}

QList<acad::DocumentSnapshot> DocumentsObject::Snapshots()
{
    return guarded([&] { return m_host.documentSnapshots(); });
}

QList<acad::DocumentSheets> DocumentsObject::Sheets(const QString& xdataApplication)
{
    return guarded([&] { return m_host.documentSheets(xdataApplication); });
}

void DocumentsObject::Activate(qint32 doc)
{
    guarded([&] { m_host.activateDocument(doc); });
}

void DocumentsObject::Save(qint32 doc)
{
    guarded([&] { m_host.saveDocument(doc); });
}

void DocumentsObject::Close(qint32 doc, bool saveChanges)
{
    guarded([&] { m_host.closeDocument(doc, saveChanges); });
}

void DocumentsObject::SetActiveLayout(qint32 doc, const QString& layoutName)
{
    guarded([&] { m_host.setActiveLayout(doc, layoutName); });
}

void DocumentsObject::SetActiveSpace(qint32 doc, qint32 space)
{
    guarded([&] { m_host.setActiveSpace(doc, space); });
}

void DocumentsObject::SendCommand(qint32 doc, const QString& text)
{
    guarded([&] { m_host.sendCommand(doc, text); });
}

void DocumentsObject::SetVariable(qint32 doc, const QString& name, const QDBusVariant& value)
{
    guarded([&] { m_host.setVariable(doc, name, acad::fromBusVariant(value.variant())); });
}

QDBusVariant DocumentsObject::GetVariable(qint32 doc, const QString& name)
{
    // D-Bus has no empty variant; an unset variable travels as empty text.
    const QVariant value = guarded([&] { return m_host.variable(doc, name); });
    return QDBusVariant(value.isValid() ? value : QVariant(QString()));
}

acad::ObjectInfo DocumentsObject::ObjectIdToObject(qint32 doc, qint32 id)
{
    return guarded([&] { return m_host.objectIdToObject(doc, id); });
}

qint64 DocumentsObject::Revision(qint32 doc)
{
    return guarded([&] { return m_host.documentRevision(doc); });
}

// --- Layouts

void LayoutsObject::SetName(qint32 doc, qint32 layout, const QString& name)
{
    guarded([&] { m_host.setLayoutName(doc, layout, name); });
}

acad::PlotSettings LayoutsObject::PlotSettings(qint32 doc, qint32 layout)
{
    return guarded([&] { return m_host.plotSettings(doc, layout); });
}

void LayoutsObject::RefreshPlotDeviceInfo(qint32 doc, qint32 layout)
{
    guarded([&] { m_host.refreshPlotDeviceInfo(doc, layout); });
}

QString LayoutsObject::LocaleMediaName(qint32 doc, qint32 layout, const QString& canonicalName)
{
    return guarded([&] { return m_host.localeMediaName(doc, layout, canonicalName); });
}

QList<acad::EntityInfo> LayoutsObject::BlockEntities(qint32 doc, qint32 layout)
{
    return guarded([&] { return m_host.blockEntities(doc, layout); });
}

QList<acad::LayoutPlotSettings> LayoutsObject::AllPlotSettings(qint32 doc)
{
    return guarded([&] { return m_host.layoutPlotSettings(doc); });
}

QList<acad::EntityWithXData> LayoutsObject::BlockEntitiesWithXData(qint32 doc, qint32 layout,
                                                                   const QString& application)
{
    return guarded([&] { return m_host.blockEntitiesWithXData(doc, layout, application); });
}

QList<acad::LayoutBlockWithXData> LayoutsObject::AllBlockEntitiesWithXData(qint32 doc,
                                                                           const QString& application)
{
    return guarded([&] { return m_host.layoutBlocksWithXData(doc, application); });
}

void LayoutsObject::SetTabOrder(qint32 doc, qint32 layout, qint32 tabOrder)
{
    guarded([&] { m_host.setLayoutTabOrder(doc, layout, tabOrder); });
}

qint32 LayoutsObject::CopyToDocument(qint32 source, qint32 layout, qint32 target, const QString& newName)
{
    return guarded([&] { return m_host.copyLayoutToDocument(source, layout, target, newName); });
}

QStringList LayoutsObject::PlotDeviceNames(qint32 doc)
{
    return guarded([&] { return m_host.plotDeviceNames(doc); });
}

QStringList LayoutsObject::CanonicalMediaNames(qint32 doc, qint32 layout)
{
    return guarded([&] { return m_host.canonicalMediaNames(doc, layout); });
}

void LayoutsObject::SetPlotSettings(qint32 doc, qint32 layout, const acad::PlotSettings& values, uint which)
{
    guarded([&] { m_host.setPlotSettings(doc, layout, values, which); });
}

void LayoutsObject::CopyPlotSettings(qint32 sourceDoc, qint32 sourceLayout, qint32 targetDoc,
                                     qint32 targetLayout, uint which)
{
    guarded([&] { m_host.copyPlotSettings(sourceDoc, sourceLayout, targetDoc, targetLayout, which); });
}

acad::PlotResult LayoutsObject::PlotToFile(qint32 doc, qint32 layout, const QString& path)
{
    return guarded([&] { return m_host.plotToFile(doc, layout, path); });
}

qint32 LayoutsObject::BeginPlotJob(const QString& path)
{
    return guarded([&] { return m_host.beginPlotJob(path); });
}

acad::PlotResult LayoutsObject::PlotJobPage(qint32 job, qint32 doc, qint32 layout)
{
    return guarded([&] { return m_host.plotJobPage(job, doc, layout); });
}

void LayoutsObject::EndPlotJob(qint32 job, bool keep)
{
    guarded([&] { m_host.endPlotJob(job, keep); });
}

QByteArray LayoutsObject::Preview(qint32 doc, qint32 layout, qint32 width, qint32 height)
{
    return guarded([&] { return m_host.layoutPreview(doc, layout, width, height); });
}

// --- Entities

acad::XData EntitiesObject::GetXData(qint32 doc, qint32 object, const QString& application)
{
    return guarded([&] { return m_host.xdata(doc, object, application); });
}

void EntitiesObject::SetXData(qint32 doc, qint32 object, const acad::XData& data)
{
    guarded([&] { m_host.setXData(doc, object, data); });
}

} // namespace cadhost
