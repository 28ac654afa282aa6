#include "SingleInstance.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>

const QString SingleInstance::kServiceName = QStringLiteral("de.velmora.Blattwart");
const QString SingleInstance::kObjectPath = QStringLiteral("/MainWindow");

namespace {
constexpr int kHandOverTimeoutMs = 5000;
}

SingleInstance::SingleInstance(QObject* parent) : QObject(parent) {}

SingleInstance::~SingleInstance()
{
    if (!m_owned)
        return;
    QDBusConnection bus = QDBusConnection::sessionBus();
    bus.unregisterObject(kObjectPath);
    bus.unregisterService(kServiceName);
}

bool SingleInstance::claim()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return true;
    // The object first, so that a second start that sees the name can always reach the method.
    bus.registerObject(kObjectPath, this, QDBusConnection::ExportScriptableSlots);
    QDBusConnectionInterface* names = bus.interface();
    const auto reply = names->registerService(kServiceName, QDBusConnectionInterface::DontQueueService,
                                              QDBusConnectionInterface::DontAllowReplacement);
    if (reply.isValid() && reply.value() == QDBusConnectionInterface::ServiceRegistered) {
        m_owned = true;
        return true;
    }
    bus.unregisterObject(kObjectPath);
    handOver();
    return false;
}

// The first instance may be busy or gone; either way this one ends, so the answer is not examined.
void SingleInstance::handOver()
{
    QDBusMessage call = QDBusMessage::createMethodCall(kServiceName, kObjectPath,
                                                       QStringLiteral("de.velmora.Blattwart.MainWindow"),
                                                       QStringLiteral("Activate"));
    QDBusConnection::sessionBus().call(call, QDBus::Block, kHandOverTimeoutMs);
}

void SingleInstance::Activate()
{
    Q_EMIT activateRequested();
}
