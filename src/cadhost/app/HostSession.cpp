#include "HostSession.h"

#include "HostWindow.h"

#include <QCoreApplication>
#include <QTimer>
#include <acad/Connector.h>
#include <cadhost/bus/BusService.h>
#include <cadhost/engine/Engine.h>

namespace cadhost {

HostSession::HostSession(Engine& engine, const HostOptions& options, const QDBusConnection& connection)
    : m_engine(engine), m_options(options), m_service(std::make_unique<BusService>(engine, connection))
{
    connect(&m_engine, &Engine::quitRequested, this, &HostSession::quitSoon);
    connect(m_service.get(), &BusService::busLost, this, &HostSession::quitSoon);
}

HostSession::~HostSession() = default;

bool HostSession::start(QString* error)
{
    if (!m_options.headless)
        openWindow();
    m_engine.setVisible(!m_options.headless && !m_options.automation);
    QString busError;
    if (m_service->start(acad::kAcadProgId, &busError)) {
        if (m_options.headless)
            m_service->watchConnection();
        return true;
    }
    if (m_options.headless || m_options.automation) {
        *error = busError;
        return false;
    }
    m_window->showNote(busError);
    return true;
}

void HostSession::openWindow()
{
    m_window = std::make_unique<HostWindow>(m_engine);
    m_engine.setHwnd(static_cast<qint64>(m_window->winId()));
}

// After the current event, so that the answer to a Quit call still leaves.
void HostSession::quitSoon()
{
    QTimer::singleShot(0, QCoreApplication::instance(), &QCoreApplication::quit);
}

} // namespace cadhost
