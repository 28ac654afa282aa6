#include "HostSession.h"

#include "HostWindow.h"
#include "ScriptRunner.h"

#include <QCoreApplication>
#include <QTimer>
#include <acad/Connector.h>
#include <cadhost/bus/BusService.h>
#include <cadhost/dxf/DxfStore.h>
#include <cadhost/engine/Engine.h>
#include <cadhost/render/PdfPlotter.h>
#include <cstdio>

namespace cadhost {

HostSession::HostSession(Engine& engine, const Options& options, const QDBusConnection& connection)
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
    if (m_window)
        m_window->followVisibility();
    if (m_options.headless) {
        // Without a window the command line is only visible here.
        connect(&m_engine, &Engine::historyAppended, this, [](const QString& line) {
            std::fprintf(stdout, "%s\n", qPrintable(line));
            std::fflush(stdout);
        });
    }
    return startBus(error) && startScript(error);
}

bool HostSession::startBus(QString* error)
{
    QString busError;
    if (m_service->start(acad::kAcadProgId, &busError)) {
        if (m_options.headless)
            m_service->watchConnection();
        return true;
    }
    const bool needsBus = m_options.automation || (m_options.headless && m_options.script.isEmpty());
    if (needsBus) {
        *error = busError;
        return false;
    }
    if (m_window)
        m_window->showNote(busError);
    else
        std::fprintf(stderr, "cadhost: %s\n", qPrintable(busError));
    return true;
}

bool HostSession::startScript(QString* error)
{
    if (m_options.script.isEmpty())
        return true;
    m_script = std::make_unique<ScriptRunner>(m_engine);
    if (!m_script->load(m_options.script, error))
        return false;
    m_script->start();
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
    QTimer::singleShot(0, QCoreApplication::instance(), [] { QCoreApplication::exit(0); });
}

int runHost(const Options& options)
{
    Engine engine(std::make_shared<DxfStore>());
    engine.setPlotter(std::make_shared<render::PdfPlotter>());
    HostSession session(engine, options);
    QString error;
    if (!session.start(&error)) {
        std::fprintf(stderr, "cadhost: %s\n", qPrintable(error));
        return 1;
    }
    return QCoreApplication::exec();
}

} // namespace cadhost
