#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QTimer>
#include <acad/Host.h>

namespace cadhost {

// Exports an acad::Host on the bus under the bus name of the CAD program's class name. The
// objects, their interfaces and methods are listed in src/cadhost/README.md, "The bus service".
class BusService final : public QObject
{
    Q_OBJECT
public:
    BusService(acad::Host& host, const QDBusConnection& connection, QObject* parent = nullptr);
    ~BusService() override;

    // Registers the objects and claims the bus name of progId. On failure: false, and *error holds a
    // German description (no bus, the name is taken).
    bool start(const QString& progId, QString* error);
    const QString& busName() const { return m_busName; }

    // Watches the connection; emits busLost once when it goes away.
    void watchConnection(int intervalMs = 500);

Q_SIGNALS:
    void busLost();

private:
    bool registerObjects(QString* error);
    void checkConnection();

    acad::Host& m_host;
    QDBusConnection m_connection;
    QString m_busName;
    QList<QString> m_paths;
    QTimer m_watch;
};

} // namespace cadhost
