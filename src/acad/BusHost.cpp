#include "BusHost.h"

#include "BusTypes.h"
#include "Error.h"

#include <QDBusVariant>
#include <chrono>
#include <future>

namespace acad {

namespace {

using namespace acad::bus;

const QString kNotAnswering = QStringLiteral("Der CAD-Host antwortet nicht.");
const QString kGone = QStringLiteral("Der CAD-Host läuft nicht mehr.");
const QString kNoBus = QStringLiteral("Keine Verbindung zum D-Bus-Sitzungsbus.");

// By error name: not every one of them has a QDBusError type of its own.
bool isHostGone(const QString& name)
{
    static const QStringList gone{QStringLiteral("org.freedesktop.DBus.Error.ServiceUnknown"),
                                  QStringLiteral("org.freedesktop.DBus.Error.NameHasNoOwner"),
                                  QStringLiteral("org.freedesktop.DBus.Error.Disconnected")};
    return gone.contains(name);
}

bool isNoAnswer(const QString& name)
{
    static const QStringList noAnswer{QStringLiteral("org.freedesktop.DBus.Error.NoReply"),
                                      QStringLiteral("org.freedesktop.DBus.Error.Timeout"),
                                      QStringLiteral("org.freedesktop.DBus.Error.TimedOut")};
    return noAnswer.contains(name);
}

QVariant busVariant(const QVariant& value)
{
    return QVariant::fromValue(QDBusVariant(value.isValid() ? value : QVariant(QString())));
}

// The scope's busy sign while a slow call waits.
class BusyWhile final
{
public:
    explicit BusyWhile(const ActionScope& scope) : m_scope(scope)
    {
        if (m_scope.busyBegins)
            m_scope.busyBegins();
    }
    ~BusyWhile()
    {
        if (m_scope.busyEnds)
            m_scope.busyEnds();
    }
    BusyWhile(const BusyWhile&) = delete;
    BusyWhile& operator=(const BusyWhile&) = delete;

private:
    const ActionScope& m_scope;
};

} // namespace

QString describeBusError(const QDBusMessage& errorReply)
{
    if (errorReply.errorName() == kErrorName)
        return errorReply.errorMessage();
    if (isNoAnswer(errorReply.errorName()))
        return kNotAnswering;
    if (isHostGone(errorReply.errorName()))
        return kGone;
    return QStringLiteral("Fehler beim Aufruf des CAD-Hosts: %1 (%2)")
        .arg(errorReply.errorMessage(), errorReply.errorName());
}

BusHost::BusHost(const QDBusConnection& connection, const QString& service, int timeoutMs,
                 std::shared_ptr<ActionScope> scope)
    : m_connection(connection), m_service(service), m_timeoutMs(timeoutMs),
      m_scope(scope ? std::move(scope) : std::make_shared<ActionScope>())
{
    registerBusTypes();
    m_waiter.setMaxThreadCount(1);
    m_waiter.setExpiryTimeout(-1);
}

QDBusMessage BusHost::call(const QString& path, const QString& interface, const QString& method,
                           const QVariantList& args)
{
    if (!m_connection.isConnected())
        throw Error(kNoBus);
    // Waited for once in this action already: the user gets control back at once.
    if (!m_scope->noAnswer().isEmpty())
        throw Error(m_scope->noAnswer());
    QDBusMessage message = QDBusMessage::createMethodCall(m_service, path, interface, method);
    message.setArguments(args);
    message.setAutoStartService(false);
    ++m_roundTrips;
    const QDBusMessage reply = waitForReply(message);
    if (reply.type() != QDBusMessage::ReplyMessage) {
        const QString description = describeBusError(reply);
        if (isNoAnswer(reply.errorName()))
            m_scope->rememberNoAnswer(description);
        throw Error(description);
    }
    return reply;
}

// The call runs on the waiter thread, so that this thread can show the busy sign once it has waited
// for a while. This thread runs no event loop meanwhile: no user input and no timer re-enters.
QDBusMessage BusHost::waitForReply(const QDBusMessage& message)
{
    auto promise = std::make_shared<std::promise<QDBusMessage>>();
    std::future<QDBusMessage> reply = promise->get_future();
    m_waiter.start([promise, connection = m_connection, message, timeoutMs = m_timeoutMs] {
        promise->set_value(connection.call(message, QDBus::Block, timeoutMs));
    });
    if (reply.wait_for(std::chrono::milliseconds(bus::kBusyAfterMs)) == std::future_status::ready)
        return reply.get();
    const BusyWhile busy(*m_scope);
    return reply.get();
}

template <typename T>
T BusHost::value(const QString& path, const QString& interface, const QString& method,
                 const QVariantList& args)
{
    const QDBusMessage reply = call(path, interface, method, args);
    if (reply.arguments().isEmpty())
        throw Error(QStringLiteral("Unerwartete Antwort des CAD-Hosts auf \"%1\".").arg(method));
    return qdbus_cast<T>(reply.arguments().constFirst());
}

// --- application

ApplicationSnapshot BusHost::application()
{
    return value<ApplicationSnapshot>(kApplicationPath, kApplicationInterface, QStringLiteral("Snapshot"));
}

void BusHost::setVisible(bool visible)
{
    call(kApplicationPath, kApplicationInterface, QStringLiteral("SetVisible"), {visible});
}

qint64 BusHost::hwnd()
{
    return value<qint64>(kApplicationPath, kApplicationInterface, QStringLiteral("Hwnd"));
}

void BusHost::bringToFront()
{
    call(kApplicationPath, kApplicationInterface, QStringLiteral("BringToFront"));
}

void BusHost::update()
{
    call(kApplicationPath, kApplicationInterface, QStringLiteral("Update"));
}

void BusHost::quit()
{
    // A host that leaves before its answer arrives has done what was asked.
    try {
        call(kApplicationPath, kApplicationInterface, QStringLiteral("Quit"));
    } catch (const Error& e) {
        if (e.description() != kNotAnswering && e.description() != kGone)
            throw;
    }
}

QStringList BusHost::commandHistory()
{
    return value<QStringList>(kApplicationPath, kApplicationInterface, QStringLiteral("CommandHistory"));
}

void BusHost::loadDVB(const QString& path)
{
    call(kApplicationPath, kApplicationInterface, QStringLiteral("LoadDVB"), {path});
}

void BusHost::runMacro(const QString& name)
{
    call(kApplicationPath, kApplicationInterface, QStringLiteral("RunMacro"), {name});
}

// --- preferences

QString BusHost::supportPath()
{
    return value<QString>(kPreferencesPath, kPreferencesInterface, QStringLiteral("SupportPath"));
}

void BusHost::setSupportPath(const QString& path)
{
    call(kPreferencesPath, kPreferencesInterface, QStringLiteral("SetSupportPath"), {path});
}

QString BusHost::templatePath()
{
    return value<QString>(kPreferencesPath, kPreferencesInterface, QStringLiteral("TemplatePath"));
}

void BusHost::setTemplatePath(const QString& path)
{
    call(kPreferencesPath, kPreferencesInterface, QStringLiteral("SetTemplatePath"), {path});
}

// --- menus

QStringList BusHost::menuGroups()
{
    return value<QStringList>(kMenuGroupsPath, kMenuGroupsInterface, QStringLiteral("Names"));
}

void BusHost::loadMenuGroup(const QString& file, bool baseMenu)
{
    call(kMenuGroupsPath, kMenuGroupsInterface, QStringLiteral("Load"), {file, baseMenu});
}

QList<MenuPopup> BusHost::menuGroupPopups(const QString& group)
{
    return value<QList<MenuPopup>>(kMenuGroupsPath, kMenuGroupsInterface, QStringLiteral("Popups"), {group});
}

void BusHost::insertPopupInMenuBar(const QString& group, qint32 popupIndex, qint32 barIndex)
{
    call(kMenuGroupsPath, kMenuGroupsInterface, QStringLiteral("InsertInMenuBar"),
         {group, popupIndex, barIndex});
}

QList<MenuPopup> BusHost::menuBar()
{
    return value<QList<MenuPopup>>(kMenuGroupsPath, kMenuGroupsInterface, QStringLiteral("MenuBar"));
}

// --- documents

DocId BusHost::openDocument(const QString& path)
{
    return value<DocId>(kDocumentsPath, kDocumentsInterface, QStringLiteral("Open"), {path});
}

DocId BusHost::addDocument(const QString& templatePath)
{
    return value<DocId>(kDocumentsPath, kDocumentsInterface, QStringLiteral("Add"), {templatePath});
}

DocumentSnapshot BusHost::document(DocId doc)
{
    return value<DocumentSnapshot>(kDocumentsPath, kDocumentsInterface, QStringLiteral("Snapshot"), {doc});
}

QList<DocumentSnapshot> BusHost::documentSnapshots()
{
    return value<QList<DocumentSnapshot>>(kDocumentsPath, kDocumentsInterface, QStringLiteral("Snapshots"));
}

void BusHost::activateDocument(DocId doc)
{
    call(kDocumentsPath, kDocumentsInterface, QStringLiteral("Activate"), {doc});
}

void BusHost::saveDocument(DocId doc)
{
    call(kDocumentsPath, kDocumentsInterface, QStringLiteral("Save"), {doc});
}

void BusHost::closeDocument(DocId doc, bool saveChanges)
{
    call(kDocumentsPath, kDocumentsInterface, QStringLiteral("Close"), {doc, saveChanges});
}

void BusHost::setActiveLayout(DocId doc, const QString& layoutName)
{
    call(kDocumentsPath, kDocumentsInterface, QStringLiteral("SetActiveLayout"), {doc, layoutName});
}

void BusHost::setActiveSpace(DocId doc, qint32 space)
{
    call(kDocumentsPath, kDocumentsInterface, QStringLiteral("SetActiveSpace"), {doc, space});
}

void BusHost::sendCommand(DocId doc, const QString& text)
{
    call(kDocumentsPath, kDocumentsInterface, QStringLiteral("SendCommand"), {doc, text});
}

void BusHost::setVariable(DocId doc, const QString& name, const QVariant& value)
{
    call(kDocumentsPath, kDocumentsInterface, QStringLiteral("SetVariable"), {doc, name, busVariant(value)});
}

QVariant BusHost::variable(DocId doc, const QString& name)
{
    const QDBusMessage reply =
        call(kDocumentsPath, kDocumentsInterface, QStringLiteral("GetVariable"), {doc, name});
    return fromBusVariant(reply.arguments().value(0));
}

ObjectInfo BusHost::objectIdToObject(DocId doc, ObjectId id)
{
    return value<ObjectInfo>(kDocumentsPath, kDocumentsInterface, QStringLiteral("ObjectIdToObject"),
                             {doc, id});
}

// --- layouts

void BusHost::setLayoutName(DocId doc, ObjectId layout, const QString& name)
{
    call(kLayoutsPath, kLayoutsInterface, QStringLiteral("SetName"), {doc, layout, name});
}

PlotSettings BusHost::plotSettings(DocId doc, ObjectId layout)
{
    return value<PlotSettings>(kLayoutsPath, kLayoutsInterface, QStringLiteral("PlotSettings"),
                               {doc, layout});
}

void BusHost::refreshPlotDeviceInfo(DocId doc, ObjectId layout)
{
    call(kLayoutsPath, kLayoutsInterface, QStringLiteral("RefreshPlotDeviceInfo"), {doc, layout});
}

QString BusHost::localeMediaName(DocId doc, ObjectId layout, const QString& canonicalName)
{
    return value<QString>(kLayoutsPath, kLayoutsInterface, QStringLiteral("LocaleMediaName"),
                          {doc, layout, canonicalName});
}

QList<EntityInfo> BusHost::blockEntities(DocId doc, ObjectId layout)
{
    return value<QList<EntityInfo>>(kLayoutsPath, kLayoutsInterface, QStringLiteral("BlockEntities"),
                                    {doc, layout});
}

QList<LayoutPlotSettings> BusHost::layoutPlotSettings(DocId doc)
{
    return value<QList<LayoutPlotSettings>>(kLayoutsPath, kLayoutsInterface,
                                            QStringLiteral("AllPlotSettings"), {doc});
}

QList<EntityWithXData> BusHost::blockEntitiesWithXData(DocId doc, ObjectId layout, const QString& application)
{
    return value<QList<EntityWithXData>>(kLayoutsPath, kLayoutsInterface,
                                         QStringLiteral("BlockEntitiesWithXData"),
                                         {doc, layout, application});
}

QList<LayoutBlockWithXData> BusHost::layoutBlocksWithXData(DocId doc, const QString& application)
{
    return value<QList<LayoutBlockWithXData>>(
        kLayoutsPath, kLayoutsInterface, QStringLiteral("AllBlockEntitiesWithXData"), {doc, application});
}

void BusHost::setLayoutTabOrder(DocId doc, ObjectId layout, qint32 tabOrder)
{
    call(kLayoutsPath, kLayoutsInterface, QStringLiteral("SetTabOrder"), {doc, layout, tabOrder});
}

ObjectId BusHost::copyLayoutToDocument(DocId source, ObjectId layout, DocId target, const QString& newName)
{
    return value<ObjectId>(kLayoutsPath, kLayoutsInterface, QStringLiteral("CopyToDocument"),
                           {source, layout, target, newName});
}

QStringList BusHost::plotDeviceNames(DocId doc)
{
    return value<QStringList>(kLayoutsPath, kLayoutsInterface, QStringLiteral("PlotDeviceNames"), {doc});
}

QStringList BusHost::canonicalMediaNames(DocId doc, ObjectId layout)
{
    return value<QStringList>(kLayoutsPath, kLayoutsInterface, QStringLiteral("CanonicalMediaNames"),
                              {doc, layout});
}

void BusHost::setPlotSettings(DocId doc, ObjectId layout, const PlotSettings& values, quint32 which)
{
    call(kLayoutsPath, kLayoutsInterface, QStringLiteral("SetPlotSettings"),
         {doc, layout, QVariant::fromValue(values), which});
}

void BusHost::copyPlotSettings(DocId sourceDoc, ObjectId sourceLayout, DocId targetDoc, ObjectId targetLayout,
                               quint32 which)
{
    call(kLayoutsPath, kLayoutsInterface, QStringLiteral("CopyPlotSettings"),
         {sourceDoc, sourceLayout, targetDoc, targetLayout, which});
}

PlotResult BusHost::plotToFile(DocId doc, ObjectId layout, const QString& path)
{
    return value<PlotResult>(kLayoutsPath, kLayoutsInterface, QStringLiteral("PlotToFile"),
                             {doc, layout, path});
}

qint32 BusHost::beginPlotJob(const QString& path)
{
    return value<qint32>(kLayoutsPath, kLayoutsInterface, QStringLiteral("BeginPlotJob"), {path});
}

PlotResult BusHost::plotJobPage(qint32 job, DocId doc, ObjectId layout)
{
    return value<PlotResult>(kLayoutsPath, kLayoutsInterface, QStringLiteral("PlotJobPage"),
                             {job, doc, layout});
}

void BusHost::endPlotJob(qint32 job, bool keep)
{
    call(kLayoutsPath, kLayoutsInterface, QStringLiteral("EndPlotJob"), {job, keep});
}

QByteArray BusHost::layoutPreview(DocId doc, ObjectId layout, qint32 width, qint32 height)
{
    return value<QByteArray>(kLayoutsPath, kLayoutsInterface, QStringLiteral("Preview"),
                             {doc, layout, width, height});
}

qint64 BusHost::documentRevision(DocId doc)
{
    return value<qint64>(kDocumentsPath, kDocumentsInterface, QStringLiteral("Revision"), {doc});
}

QList<DocumentSheets> BusHost::documentSheets(const QString& xdataApplication)
{
    return value<QList<DocumentSheets>>(kDocumentsPath, kDocumentsInterface, QStringLiteral("Sheets"),
                                        {xdataApplication});
}

// --- entities

XData BusHost::xdata(DocId doc, ObjectId object, const QString& application)
{
    return value<XData>(kEntitiesPath, kEntitiesInterface, QStringLiteral("GetXData"),
                        {doc, object, application});
}

void BusHost::setXData(DocId doc, ObjectId object, const XData& data)
{
    call(kEntitiesPath, kEntitiesInterface, QStringLiteral("SetXData"),
         {doc, object, QVariant::fromValue(data)});
}

} // namespace acad
