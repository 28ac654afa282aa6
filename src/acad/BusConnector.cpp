#include "BusConnector.h"

#include "BusHost.h"
#include "Error.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>
#include <csignal>

namespace acad {

namespace {

const QString kProgramName = QStringLiteral("cadhost");

bool processAlive(qint64 pid)
{
    return pid > 0 && ::kill(static_cast<pid_t>(pid), 0) == 0;
}

} // namespace

BusConnector::BusConnector() : BusConnector(QDBusConnection::sessionBus()) {}

BusConnector::BusConnector(const QDBusConnection& connection, const QString& programFolder)
    : m_connection(connection), m_programFolder(programFolder)
{
}

void BusConnector::requireBus() const
{
    if (!m_connection.isConnected() || !m_connection.interface())
        throw Error(
            QStringLiteral("Keine Verbindung zum D-Bus-Sitzungsbus. Der CAD-Host ist nicht erreichbar."));
}

QString BusConnector::ownerOf(const QString& busName) const
{
    QDBusConnectionInterface* bus = m_connection.interface();
    bus->setTimeout(bus::kCallTimeoutMs); // a hung bus daemon must not freeze the caller either
    const QDBusReply<QString> owner = bus->serviceOwner(busName);
    return owner.isValid() ? owner.value() : QString();
}

bool BusConnector::isRunning(const QString& progId)
{
    if (!m_connection.isConnected() || !m_connection.interface())
        return false;
    return !ownerOf(bus::busNameForProgId(progId)).isEmpty();
}

std::shared_ptr<Host> BusConnector::attach(const QString& progId)
{
    requireBus();
    const QString owner = ownerOf(bus::busNameForProgId(progId));
    if (owner.isEmpty())
        throw Error(QStringLiteral("Das Programm \"%1\" läuft nicht.").arg(progId));
    return std::make_shared<BusHost>(m_connection, owner, bus::kCallTimeoutMs, actionScope());
}

QString BusConnector::hostProgram(const QString& programFolder)
{
    const QString folder = programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : programFolder;
    const QFileInfo beside(folder + u'/' + kProgramName);
    if (beside.isFile() && beside.isExecutable())
        return beside.absoluteFilePath();
    return QStandardPaths::findExecutable(kProgramName);
}

std::shared_ptr<Host> BusConnector::create(const QString& progId)
{
    requireBus();
    // A second host could not own the name anyway; the running one is the instance to use.
    const QString busName = bus::busNameForProgId(progId);
    if (const QString running = ownerOf(busName); !running.isEmpty())
        return std::make_shared<BusHost>(m_connection, running, bus::kCallTimeoutMs, actionScope());
    const QString program = hostProgram(m_programFolder);
    if (program.isEmpty())
        throw Error(QStringLiteral("Das Programm \"%1\" wurde weder neben diesem Programm noch im Suchpfad "
                                   "gefunden.")
                        .arg(kProgramName));
    qint64 pid = 0;
    if (!QProcess::startDetached(program, {bus::kAutomationFlag}, QString(), &pid))
        throw Error(QStringLiteral("Das Programm \"%1\" kann nicht gestartet werden.").arg(program));
    const QString owner = waitForOwner(busName, pid);
    return std::make_shared<BusHost>(m_connection, owner, bus::kCallTimeoutMs, actionScope());
}

// Polls instead of running a nested event loop, so that nothing of the caller's window runs
// while it waits.
QString BusConnector::waitForOwner(const QString& busName, qint64 pid) const
{
    const QDeadlineTimer deadline(bus::kStartTimeoutMs);
    for (;;) {
        const QString owner = ownerOf(busName);
        if (!owner.isEmpty())
            return owner;
        if (!processAlive(pid))
            throw Error(QStringLiteral("Der CAD-Host wurde beendet, bevor er sich am D-Bus angemeldet hat."));
        if (deadline.hasExpired()) {
            // Ended, so that it cannot take the name later behind the caller's back.
            ::kill(static_cast<pid_t>(pid), SIGTERM);
            throw Error(QStringLiteral("Der CAD-Host hat sich nicht innerhalb von %1 s am D-Bus angemeldet.")
                            .arg(bus::kStartTimeoutMs / 1000));
        }
        QThread::msleep(50);
    }
}

} // namespace acad
