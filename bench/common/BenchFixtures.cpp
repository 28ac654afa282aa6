#include "BenchFixtures.h"

#include "PrivateBus.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <acad/BusNames.h>
#include <acad/Connector.h>
#include <cstdio>

namespace benchsupport {

cadhost::XDataApp kvartoData(const QList<QPair<int, QString>>& values)
{
    cadhost::XDataApp app{QStringLiteral("Kvarto"), {}};
    for (const auto& [type, value] : values) {
        app.items.append({1071, QString::number(type)});
        app.items.append({qint16(type < 100 ? 1005 : 1000), value});
    }
    return app;
}

bool startHostProcess(PrivateBus& bus)
{
    if (bus.address().isEmpty() && !bus.start()) {
        std::fprintf(stderr, "%s\n", qPrintable(bus.errorString()));
        return false;
    }
    qputenv("CADHOST_PROFILE", bus.folder().toUtf8() + "/profile.ini");
    if (!bus.startHost()) {
        std::fprintf(stderr, "%s\n", qPrintable(bus.errorString()));
        return false;
    }
    return true;
}

std::shared_ptr<acad::BusHost> hostClient()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    return std::make_shared<acad::BusHost>(
        bus, bus.interface()->serviceOwner(acad::bus::busNameForProgId(acad::kAcadProgId)));
}

ScratchEnvironment::ScratchEnvironment()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("XDG_CONFIG_HOME", m_config.path().toLocal8Bit());
}

void NoWindow::UpdateStatusBar() {}
void NoWindow::VisbibleMnuMenu() {}
void NoWindow::SetTreeViewViewBySetting() {}
void NoWindow::setListTitle(const QString&) {}
void NoWindow::setViewModeCommandsEnabled(bool) {}
void NoWindow::setSelectionCommandsEnabled(bool) {}

int NoWindow::pressedViewMode() const
{
    return 3;
}

} // namespace benchsupport
