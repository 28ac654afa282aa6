#pragma once

#include <QDBusContext>
#include <QDBusVariant>
#include <QObject>
#include <acad/BusTypes.h>
#include <acad/Host.h>

// The host's objects on the bus. Each forwards to the acad::Host it serves; an automation error
// goes back as a D-Bus error whose message is the error's German description.
namespace cadhost {

// Q_OBJECT makes QDBusContext findable through qt_metacast, which Qt D-Bus relies on.
class BusObject : public QObject, protected QDBusContext
{
    Q_OBJECT
public:
    explicit BusObject(acad::Host& host, QObject* parent = nullptr);

protected:
    // Runs one call of the host; turns its exceptions into the D-Bus error reply.
    template <typename F> auto guarded(F&& call) -> decltype(call());

    acad::Host& m_host;
};

class ApplicationObject final : public BusObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "de.velmora.CadHost.Application")
public:
    using BusObject::BusObject;

public Q_SLOTS:
    acad::ApplicationSnapshot Snapshot();
    void SetVisible(bool visible);
    qint64 Hwnd();
    void BringToFront();
    void Update();
    void Quit();
    void LoadDVB(const QString& path);
    void RunMacro(const QString& name);
    QStringList CommandHistory();
};

class PreferencesObject final : public BusObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "de.velmora.CadHost.Preferences")
public:
    using BusObject::BusObject;

public Q_SLOTS:
    QString SupportPath();
    void SetSupportPath(const QString& path);
    QString TemplatePath();
    void SetTemplatePath(const QString& path);
};

class MenuGroupsObject final : public BusObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "de.velmora.CadHost.MenuGroups")
public:
    using BusObject::BusObject;

public Q_SLOTS:
    QStringList Names();
    void Load(const QString& file, bool baseMenu);
    QList<acad::MenuPopup> Popups(const QString& group);
    void InsertInMenuBar(const QString& group, qint32 popupIndex, qint32 barIndex);
    QList<acad::MenuPopup> MenuBar();
};

class DocumentsObject final : public BusObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "de.velmora.CadHost.Documents")
public:
    using BusObject::BusObject;

public Q_SLOTS:
    qint32 Open(const QString& path);
    qint32 Add(const QString& templatePath);
    acad::DocumentSnapshot Snapshot(qint32 doc);
    QList<acad::DocumentSnapshot> Snapshots();
    QList<acad::DocumentSheets> Sheets(const QString& xdataApplication);
    void Activate(qint32 doc);
    void Save(qint32 doc);
    void Close(qint32 doc, bool saveChanges);
    void SetActiveLayout(qint32 doc, const QString& layoutName);
    void SetActiveSpace(qint32 doc, qint32 space);
    void SendCommand(qint32 doc, const QString& text);
    void SetVariable(qint32 doc, const QString& name, const QDBusVariant& value);
    QDBusVariant GetVariable(qint32 doc, const QString& name);
    acad::ObjectInfo ObjectIdToObject(qint32 doc, qint32 id);
    qint64 Revision(qint32 doc);
};

class LayoutsObject final : public BusObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "de.velmora.CadHost.Layouts")
public:
    using BusObject::BusObject;

public Q_SLOTS:
    void SetName(qint32 doc, qint32 layout, const QString& name);
    acad::PlotSettings PlotSettings(qint32 doc, qint32 layout);
    void RefreshPlotDeviceInfo(qint32 doc, qint32 layout);
    QString LocaleMediaName(qint32 doc, qint32 layout, const QString& canonicalName);
    QList<acad::EntityInfo> BlockEntities(qint32 doc, qint32 layout);
    QList<acad::LayoutPlotSettings> AllPlotSettings(qint32 doc);
    QList<acad::EntityWithXData> BlockEntitiesWithXData(qint32 doc, qint32 layout,
                                                        const QString& application);
    QList<acad::LayoutBlockWithXData> AllBlockEntitiesWithXData(qint32 doc, const QString& application);
    void SetTabOrder(qint32 doc, qint32 layout, qint32 tabOrder);
    qint32 CopyToDocument(qint32 source, qint32 layout, qint32 target, const QString& newName);
    QStringList PlotDeviceNames(qint32 doc);
    QStringList CanonicalMediaNames(qint32 doc, qint32 layout);
    void SetPlotSettings(qint32 doc, qint32 layout, const acad::PlotSettings& values, uint which);
    void CopyPlotSettings(qint32 sourceDoc, qint32 sourceLayout, qint32 targetDoc, qint32 targetLayout,
                          uint which);
    acad::PlotResult PlotToFile(qint32 doc, qint32 layout, const QString& path);
    qint32 BeginPlotJob(const QString& path);
    acad::PlotResult PlotJobPage(qint32 job, qint32 doc, qint32 layout);
    void EndPlotJob(qint32 job, bool keep);
    QByteArray Preview(qint32 doc, qint32 layout, qint32 width, qint32 height);
};

class EntitiesObject final : public BusObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "de.velmora.CadHost.Entities")
public:
    using BusObject::BusObject;

public Q_SLOTS:
    acad::XData GetXData(qint32 doc, qint32 object, const QString& application);
    void SetXData(qint32 doc, qint32 object, const acad::XData& data);
};

} // namespace cadhost
