#pragma once

#include <QDBusConnection>
#include <QObject>
#include <memory>

namespace cadhost {

class BusService;
class Engine;
class HostWindow;

struct HostOptions
{
    bool headless = false;   // no window; answers come only from SendCommand
    bool automation = false; // started by automation: invisible until Visible is set
};

// One run of the host: the engine on the bus, and its window unless headless. It ends the program on
// Quit and "_quit", and a headless host also when its bus goes away.
class HostSession final : public QObject
{
    Q_OBJECT
public:
    HostSession(Engine& engine, const HostOptions& options,
                const QDBusConnection& connection = QDBusConnection::sessionBus());
    ~HostSession() override;

    // Opens the window and claims the bus name. false with a German *error when the host cannot
    // serve automation: no bus or another host already runs. A host that a user started keeps its
    // window without the bus (and says so in its history).
    bool start(QString* error);

    HostWindow* window() const { return m_window.get(); }
    BusService* service() const { return m_service.get(); }

private:
    void openWindow();
    void quitSoon();

    Engine& m_engine;
    HostOptions m_options;
    std::unique_ptr<BusService> m_service;
    std::unique_ptr<HostWindow> m_window;
};

} // namespace cadhost
