#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// A private D-Bus session for one test program: its own dbus-daemon in a temporary folder and, on
// request, a real cadhost on it. The process environment's DBUS_SESSION_BUS_ADDRESS points at the
// private bus once it runs, so QDBusConnection::sessionBus() and every started program use it.
// Start it before anything touches the session bus. Everything started is ended on destruction.
class PrivateBus final
{
public:
    PrivateBus();
    ~PrivateBus();
    PrivateBus(const PrivateBus&) = delete;
    PrivateBus& operator=(const PrivateBus&) = delete;

    // Starts the dbus-daemon; false with errorString() when it cannot run.
    bool start();
    QString address() const { return m_address; }
    QString errorString() const { return m_error; }
    QString folder() const { return m_dir.path(); }

    // The cadhost program of this build: $BW_BIN_DIR/cadhost, else beside the running program.
    static QString cadhostProgram();

    // Starts cadhost with args and waits until it owns the bus name of the CAD program's class.
    bool startHost(const QStringList& args = {QStringLiteral("--headless")}, int timeoutMs = 10000);
    QProcess& host() { return m_host; }
    qint64 hostPid() const { return m_host.processId(); }
    // Ends the started host: SIGCONT (if stopped), SIGTERM, then SIGKILL.
    void stopHost();
    // Ends whatever process owns busName, for hosts that a test created through the connector.
    void killOwnerOf(const QString& busName);
    // Whether busName has an owner on the private bus.
    bool hasOwner(const QString& busName);

    // Ends the daemon, as when the session ends.
    void stopDaemon();

private:
    QDBusConnection connection();
    bool writeConfig(const QString& configPath);

    QTemporaryDir m_dir;
    QProcess m_daemon;
    QProcess m_host;
    QString m_address;
    QString m_error;
    QString m_connectionName;
};
