#pragma once

#include "PrivateBus.h"

#include <QTemporaryDir>
#include <acad/BusConnector.h>
#include <acad/Host.h>
#include <memory>

// One real cadhost on a private bus for a whole test program, reached as the programs reach it, and a
// folder of the test's own for the drawings it opens.
class HostOnBus final
{
public:
    // Starts the bus and the host; "" when both run, else why not.
    QString start();
    // "" when the host still runs and every drawing it has open could be closed; else what went wrong.
    QString closeAll();
    // A copy of the library's sample under that name, writable, opened in the host.
    acad::DocId openCopy(const QString& sample, const QString& name);
    bool running();

    std::shared_ptr<acad::Host> host;
    QTemporaryDir dir;

private:
    PrivateBus m_bus;
    std::unique_ptr<acad::BusConnector> m_connector;
};
