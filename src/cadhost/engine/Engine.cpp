#include "Engine.h"

#include "MemoryStore.h"

#include <acad/Error.h>

namespace cadhost {

struct Engine::Private
{
    std::shared_ptr<DrawingStore> store;
};

Engine::Engine(std::shared_ptr<DrawingStore> store, QObject* parent)
    : QObject(parent), d(std::make_unique<Private>())
{
    d->store = store ? std::move(store) : std::make_shared<MemoryStore>();
}

Engine::~Engine() = default;

DrawingStore& Engine::store() const
{
    return *d->store;
}

acad::ApplicationSnapshot Engine::application()
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

void Engine::setVisible(bool /*visible*/)
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

qint64 Engine::hwnd()
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

void Engine::bringToFront()
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

void Engine::update()
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

void Engine::quit()
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

QString Engine::supportPath()
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

void Engine::setSupportPath(const QString& /*path*/)
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

QString Engine::templatePath()
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

void Engine::setTemplatePath(const QString& /*path*/)
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

void Engine::loadDVB(const QString& /*path*/)
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

void Engine::runMacro(const QString& /*name*/)
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

QStringList Engine::menuGroups()
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

void Engine::loadMenuGroup(const QString& /*file*/, bool /*baseMenu*/)
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

QList<acad::MenuPopup> Engine::menuGroupPopups(const QString& /*group*/)
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

void Engine::insertPopupInMenuBar(const QString& /*group*/, qint32 /*popupIndex*/, qint32 /*barIndex*/)
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

QList<acad::MenuPopup> Engine::menuBar()
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

acad::DocId Engine::openDocument(const QString& /*path*/)
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

acad::DocId Engine::addDocument(const QString& /*templatePath*/)
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

acad::DocumentSnapshot Engine::document(acad::DocId /*doc*/)
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

void Engine::activateDocument(acad::DocId /*doc*/)
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

void Engine::saveDocument(acad::DocId /*doc*/)
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

void Engine::closeDocument(acad::DocId /*doc*/, bool /*saveChanges*/)
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

void Engine::setActiveLayout(acad::DocId /*doc*/, const QString& /*layoutName*/)
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

void Engine::setActiveSpace(acad::DocId /*doc*/, qint32 /*space*/)
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

void Engine::sendCommand(acad::DocId /*doc*/, const QString& /*text*/)
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

void Engine::setVariable(acad::DocId /*doc*/, const QString& /*name*/, const QVariant& /*value*/)
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

QVariant Engine::variable(acad::DocId /*doc*/, const QString& /*name*/)
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

acad::ObjectInfo Engine::objectIdToObject(acad::DocId /*doc*/, acad::ObjectId /*id*/)
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

void Engine::setLayoutName(acad::DocId /*doc*/, acad::ObjectId /*layout*/, const QString& /*name*/)
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

acad::PlotSettings Engine::plotSettings(acad::DocId /*doc*/, acad::ObjectId /*layout*/)
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

void Engine::refreshPlotDeviceInfo(acad::DocId /*doc*/, acad::ObjectId /*layout*/)
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

QString Engine::localeMediaName(acad::DocId /*doc*/, acad::ObjectId /*layout*/,
                                const QString& /*canonicalName*/)
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

QList<acad::EntityInfo> Engine::blockEntities(acad::DocId /*doc*/, acad::ObjectId /*layout*/)
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

acad::XData Engine::xdata(acad::DocId /*doc*/, acad::ObjectId /*object*/, const QString& /*application*/)
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

void Engine::setXData(acad::DocId /*doc*/, acad::ObjectId /*object*/, const acad::XData& /*data*/)
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

QStringList Engine::commandHistory()
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

bool Engine::isInteractive() const
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

void Engine::setInteractive(bool /*interactive*/)
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

bool Engine::isVisible() const
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

void Engine::setHwnd(qint64 /*hwnd*/)
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

void Engine::submitInput(const QString& /*text*/)
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

void Engine::cancelCommand(acad::DocId /*doc*/)
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

QString Engine::currentPrompt() const
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

bool Engine::isBusy() const
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

const Drawing* Engine::drawing(acad::DocId /*doc*/) const
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

bool Engine::productStarted() const
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

QString Engine::designCenterPath() const
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

QStringList Engine::loadedProjects() const
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

void Engine::unloadMenuGroup(const QString& /*group*/)
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

QStringList Engine::menuEntries(const QString& /*group*/, qint32 /*popupIndex*/)
{
    throw acad::Error(QStringLiteral("Noch nicht verfügbar"));
}

} // namespace cadhost
