#include "BusService.h"

#include "BusObjects.h"

#include <QDBusConnectionInterface>
#include <acad/BusNames.h>
#include <acad/BusTypes.h>

namespace cadhost {

using namespace acad::bus;

BusService::BusService(acad::Host& host, const QDBusConnection& connection, QObject* parent)
    : QObject(parent), m_host(host), m_connection(connection)
{
    acad::registerBusTypes();
    connect(&m_watch, &QTimer::timeout, this, &BusService::checkConnection);
}

BusService::~BusService()
{
    if (!m_connection.isConnected())
        return;
    if (!m_busName.isEmpty())
        m_connection.unregisterService(m_busName);
    for (const QString& path : std::as_const(m_paths))
        m_connection.unregisterObject(path);
}

bool BusService::registerObjects(QString* error)
{
    const std::pair<QString, BusObject*> objects[] = {
        {kApplicationPath, new ApplicationObject(m_host, this)},
        {kPreferencesPath, new PreferencesObject(m_host, this)},
        {kMenuGroupsPath, new MenuGroupsObject(m_host, this)},
        {kDocumentsPath, new DocumentsObject(m_host, this)},
        {kLayoutsPath, new LayoutsObject(m_host, this)},
        {kEntitiesPath, new EntitiesObject(m_host, this)},
    };
    for (const auto& [path, object] : objects) {
        if (!m_connection.registerObject(path, object, QDBusConnection::ExportAllSlots)) {
            *error = QStringLiteral("Das Objekt %1 kann nicht am D-Bus angemeldet werden.").arg(path);
            return false;
        }
        m_paths.append(path);
    }
    return true;
}

bool BusService::start(const QString& progId, QString* error)
{
    if (!m_connection.isConnected() || !m_connection.interface()) {
        *error = QStringLiteral("Keine Verbindung zum D-Bus-Sitzungsbus.");
        return false;
    }
    if (!registerObjects(error))
        return false;
    const QString name = busNameForProgId(progId);
    const QDBusReply<QDBusConnectionInterface::RegisterServiceReply> reply =
        m_connection.interface()->registerService(name, QDBusConnectionInterface::DontQueueService,
                                                  QDBusConnectionInterface::DontAllowReplacement);
    if (!reply.isValid() || reply.value() != QDBusConnectionInterface::ServiceRegistered) {
        *error =
            QStringLiteral("Der Name %1 ist am D-Bus schon vergeben: ein CAD-Host läuft bereits.").arg(name);
        return false;
    }
    m_busName = name;
    return true;
}

void BusService::watchConnection(int intervalMs)
{
    m_watch.start(intervalMs);
}

void BusService::checkConnection()
{
    if (m_connection.isConnected())
        return;
    m_watch.stop();
    emit busLost();
}

} // namespace cadhost
