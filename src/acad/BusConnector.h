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
    // programFolder: where create() looks for cadhost before PATH; empty = the running program's folder.
    explicit BusConnector(const QDBusConnection& connection, const QString& programFolder = QString());

    bool isRunning(const QString& progId) override;
    std::shared_ptr<Host> attach(const QString& progId) override;
    std::shared_ptr<Host> create(const QString& progId) override;

    // The cadhost program create() starts: in programFolder (empty = beside the running program),
    // else on PATH; empty if none.
    static QString hostProgram(const QString& programFolder = QString());

private:
    void requireBus() const;
    QString ownerOf(const QString& busName) const; // empty when the name has no owner
    QString waitForOwner(const QString& busName, qint64 pid) const;

    QDBusConnection m_connection;
    QString m_programFolder;
};

} // namespace acad
