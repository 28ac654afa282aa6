#pragma once

#include "BusNames.h"
#include "Connector.h"

#include <QDBusConnection>

namespace acad {

// The running-object lookup on the session bus: a class name is running when its bus name has an
// owner; attaching talks to that owner; creating starts the cadhost program and waits for the name.
class BusConnector final : public Connector
{
public:
    BusConnector(); // the session bus
    explicit BusConnector(const QDBusConnection& connection);

    bool isRunning(const QString& progId) override;
    std::shared_ptr<Host> attach(const QString& progId) override;
    std::shared_ptr<Host> create(const QString& progId) override;

    // The cadhost program create() starts: beside the running program, else on PATH; empty if none.
    static QString hostProgram();

private:
    void requireBus() const;
    QString ownerOf(const QString& busName) const; // empty when the name has no owner
    QString waitForOwner(const QString& busName, qint64 pid) const;

    QDBusConnection m_connection;
};

} // namespace acad
