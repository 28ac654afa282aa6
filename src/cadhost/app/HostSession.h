#pragma once

#include "Options.h"

#include <QDBusConnection>
#include <QObject>
#include <memory>

namespace cadhost {

class BusService;
class Engine;
class HostWindow;
class ScriptRunner;

// One run of the host: the engine on the bus, and its window unless headless. It ends the program on
// Quit and "_quit", and a headless host also when its bus goes away.
class HostSession final : public QObject
{
    Q_OBJECT
public:
    HostSession(Engine& engine, const Options& options,
                const QDBusConnection& connection = QDBusConnection::sessionBus());
    ~HostSession() override;

    // Opens the window, claims the bus name and queues the start script. false with a German *error
    // when the host cannot do what it was started for: automation, or headless without a script,
    // without the bus (none, or another host already runs), or an unreadable script. A host that a
    // user started, or a headless script run, goes on without the bus and says so.
    bool start(QString* error);

    HostWindow* window() const { return m_window.get(); }
    BusService* service() const { return m_service.get(); }

private:
    void openWindow();
    bool startBus(QString* error);
    bool startScript(QString* error);
    void quitSoon();

    Engine& m_engine;
    Options m_options;
    std::unique_ptr<BusService> m_service;
    std::unique_ptr<HostWindow> m_window;
    std::unique_ptr<ScriptRunner> m_script;
};

// The host's run for the cadhost program: engine on DXF files, session, event loop. The exit code.
int runHost(const Options& options);

} // namespace cadhost
