#include "PrivateBus.h"

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QFile>
#include <QThread>
#include <acad/BusNames.h>
#include <acad/Connector.h>
#include <csignal>

namespace {

const int kDaemonStartMs = 5000;

void endProcess(QProcess& process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    ::kill(static_cast<pid_t>(process.processId()), SIGCONT);
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}

} // namespace

PrivateBus::PrivateBus()
    : m_connectionName(QStringLiteral("bw-private-bus-%1").arg(reinterpret_cast<quintptr>(this)))
{
    // A headless host echoes its command line on stdout; only its complaints are of interest here.
    m_host.setStandardOutputFile(QProcess::nullDevice());
    m_host.setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

PrivateBus::~PrivateBus()
{
    stopHost();
    killOwnerOf(acad::bus::busNameForProgId(acad::kAcadProgId));
    stopDaemon();
}

bool PrivateBus::writeConfig(const QString& configPath)
{
    QFile config(configPath);
    if (!config.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    config.write(
        QStringLiteral("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                       " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                       "<busconfig>\n  <type>session</type>\n"
                       "  <listen>unix:path=%1/bus</listen>\n"
                       "  <auth>EXTERNAL</auth>\n"
                       "  <policy context=\"default\">\n"
                       "    <allow send_destination=\"*\" eavesdrop=\"true\"/>\n"
                       "    <allow eavesdrop=\"true\"/>\n    <allow own=\"*\"/>\n"
                       "  </policy>\n</busconfig>\n")
            .arg(m_dir.path())
            .toUtf8());
    return true;
}

bool PrivateBus::start()
{
    const QString configPath = m_dir.filePath(QStringLiteral("bus.conf"));
    if (!m_dir.isValid() || !writeConfig(configPath)) {
        m_error = QStringLiteral("cannot write the bus configuration in %1").arg(m_dir.path());
        return false;
    }
    m_daemon.setProcessChannelMode(QProcess::SeparateChannels);
    m_daemon.start(QStringLiteral("dbus-daemon"),
                   {QStringLiteral("--config-file=") + configPath, QStringLiteral("--nofork"),
                    QStringLiteral("--nopidfile"), QStringLiteral("--print-address=1")});
    if (!m_daemon.waitForStarted(kDaemonStartMs)) {
        m_error = QStringLiteral("dbus-daemon does not start: %1").arg(m_daemon.errorString());
        return false;
    }
    QDeadlineTimer deadline(kDaemonStartMs);
    while (!m_daemon.canReadLine() && !deadline.hasExpired())
        m_daemon.waitForReadyRead(100);
    m_address = QString::fromUtf8(m_daemon.readLine()).trimmed();
    if (m_address.isEmpty()) {
        m_error = QStringLiteral("dbus-daemon printed no address: %1")
                      .arg(QString::fromUtf8(m_daemon.readAllStandardError()));
        return false;
    }
    qputenv("DBUS_SESSION_BUS_ADDRESS", m_address.toUtf8());
    return true;
}

QDBusConnection PrivateBus::connection()
{
    QDBusConnection bus(m_connectionName);
    if (bus.isConnected())
        return bus;
    return QDBusConnection::connectToBus(m_address, m_connectionName);
}

QString PrivateBus::cadhostProgram()
{
    const QString folder = qEnvironmentVariable("BW_BIN_DIR", QCoreApplication::applicationDirPath());
    return folder + QStringLiteral("/cadhost");
}

bool PrivateBus::hasOwner(const QString& busName)
{
    QDBusConnection bus = connection();
    return bus.isConnected() && bus.interface()->isServiceRegistered(busName).value();
}

bool PrivateBus::startHost(const QStringList& args, int timeoutMs)
{
    const QString busName = acad::bus::busNameForProgId(acad::kAcadProgId);
    m_host.start(cadhostProgram(), args);
    if (!m_host.waitForStarted(timeoutMs)) {
        m_error = QStringLiteral("cadhost does not start: %1").arg(m_host.errorString());
        return false;
    }
    const QDeadlineTimer deadline(timeoutMs);
    while (!hasOwner(busName)) {
        if (deadline.hasExpired() || m_host.state() == QProcess::NotRunning) {
            m_error = QStringLiteral("cadhost did not take the name %1").arg(busName);
            return false;
        }
        QThread::msleep(20);
    }
    return true;
}

void PrivateBus::stopHost()
{
    endProcess(m_host);
}

void PrivateBus::killOwnerOf(const QString& busName)
{
    if (m_address.isEmpty())
        return;
    QDBusConnection bus = connection();
    if (!bus.isConnected())
        return;
    const QDBusReply<uint> pid = bus.interface()->servicePid(busName);
    if (pid.isValid() && pid.value() > 0) {
        ::kill(static_cast<pid_t>(pid.value()), SIGCONT);
        ::kill(static_cast<pid_t>(pid.value()), SIGKILL);
    }
}

void PrivateBus::stopDaemon()
{
    if (!m_address.isEmpty())
        QDBusConnection::disconnectFromBus(m_connectionName);
    endProcess(m_daemon);
}
