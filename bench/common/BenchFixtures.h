#pragma once

#include <QList>
#include <QPair>
#include <QString>
#include <QTemporaryDir>
#include <acad/BusHost.h>
#include <cadhost/engine/Drawing.h>
#include <explorer/ViewHost.h>
#include <memory>

class PrivateBus;

namespace benchsupport {

// "Kvarto" extended data from (type, value) pairs: each type as 1071, its value as 1005 (handles,
// types under 100) or 1000 (text).
cadhost::XDataApp kvartoData(const QList<QPair<int, QString>>& values);

// The cadhost program on the private bus (which is started first when it is not running yet), with a
// profile of the bus's own; false after the reason is printed.
bool startHostProcess(PrivateBus& bus);
// A client of the CAD host that owns the host's name on the session bus.
std::shared_ptr<acad::BusHost> hostClient();

// Before the application object: offscreen unless a platform is named, and settings in a folder of
// the run's own, so that a benchmark never touches the user's.
class ScratchEnvironment final
{
public:
    ScratchEnvironment();

private:
    QTemporaryDir m_config;
};

// The view logic without a window: status bar, title and command states go nowhere; details view.
class NoWindow final : public explorer::ViewHost
{
public:
    void UpdateStatusBar() override;
    void VisbibleMnuMenu() override;
    void SetTreeViewViewBySetting() override;
    void setListTitle(const QString& title) override;
    void setViewModeCommandsEnabled(bool enabled) override;
    void setSelectionCommandsEnabled(bool enabled) override;
    int pressedViewMode() const override;
};

} // namespace benchsupport
