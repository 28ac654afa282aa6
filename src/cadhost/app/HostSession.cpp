#include "HostSession.h"

#include "HostWindow.h"

#include <QCoreApplication>
#include <QFile>
#include <QTimer>
#include <acad/Connector.h>
#include <cadhost/bus/BusService.h>
#include <cadhost/dxf/DxfStore.h>
#include <cadhost/engine/Engine.h>
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
    return startBus(error) && queueScript(error);
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

// Each line of the script is one answer on the command line, as the CAD program's script files.
bool HostSession::queueScript(QString* error)
{
    if (m_options.script.isEmpty())
        return true;
    QFile file(m_options.script);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *error = QStringLiteral("Das Skript \"%1\" kann nicht gelesen werden.").arg(m_options.script);
        return false;
    }
    QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    if (!lines.isEmpty() && lines.constLast().trimmed().isEmpty())
        lines.removeLast(); // the file's last line break; an empty line within is an Enter
    QString input;
    for (const QString& line : std::as_const(lines))
        input += line.trimmed() + u'\r';
    m_engine.submitInput(input);
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
    HostSession session(engine, options);
    QString error;
    if (!session.start(&error)) {
        std::fprintf(stderr, "cadhost: %s\n", qPrintable(error));
        return 1;
    }
    return QCoreApplication::exec();
}

} // namespace cadhost
