#include "frmMainCommands.h"

#include <QAction>
#include <QMenu>

// The popup menus: the same actions as menu bar and toolbar, with the popup's own enabling rules.
namespace explorer {

namespace {

void set(CommandStates& states, Cmd cmd, bool on)
{
    states[static_cast<int>(cmd)] = on;
}

// "Neu über Vorlage" only for a drawing template, "DesignCenter ..." only for the library's other
// files; nothing that needs a drawing while none is open.
void templateRules(CommandStates& s, const PopupContext& c)
{
    const bool dwt = c.templateName.right(3).toUpper() == QLatin1String("DWT");
    set(s, Cmd::popLoad, c.attached);
    set(s, Cmd::mnuTemplate, c.attached && dwt);
    set(s, Cmd::popInsert, c.attached && c.documentCount > 0);
    set(s, Cmd::popDCD, c.attached && c.documentCount > 0 && !dwt);
}

} // namespace

CommandStates computePopupStates(const CommandStates& menuBar, const PopupContext& c)
{
    CommandStates s = menuBar;
    switch (c.kind) {
    case NodeKind::DrawingsRoot:
        set(s, Cmd::popStart, !c.attached);
        break;
    case NodeKind::Drawing:
        set(s, Cmd::mnuDrawing, true);
        set(s, Cmd::mnuModel, c.activeLayout != QLatin1String("Model"));
        break;
    case NodeKind::Layout:
        set(s, Cmd::mnuActive, true);
        set(s, Cmd::mnuFileDelete, c.layoutCount >= 2);
        break;
    case NodeKind::Template:
        templateRules(s, c);
        break;
    case NodeKind::LibraryRoot:
        set(s, Cmd::popDCB, c.attached && c.documentCount > 0);
        break;
    case NodeKind::None:
        break;
    }
    return s;
}

void MainCommands::addPopup(QWidget* parent, NodeKind kind, std::initializer_list<std::optional<Cmd>> items,
                            const QString& viewName)
{
    auto* menu = new QMenu(parent);
    menu->setObjectName(QStringLiteral("popTV_") + letterOf(kind));
    Popup popup{kind, menu, nullptr, nullptr};
    if (!viewName.isEmpty()) {
        auto* view = new QMenu(QStringLiteral("Ansicht"), menu);
        view->setObjectName(viewName);
        for (int mode = 0; mode < 4; ++mode)
            view->addAction(viewModeAction(mode));
        popup.viewSubmenu = menu->addMenu(view);
        popup.viewSeparator = menu->addSeparator();
    }
    for (const std::optional<Cmd>& item : items) {
        if (item)
            menu->addAction(action(*item));
        else
            menu->addSeparator();
    }
    m_popups.append(popup);
}

void MainCommands::buildPopupMenus(QWidget* parent)
{
    const std::optional<Cmd> sep;
    addPopup(parent, NodeKind::DrawingsRoot, {Cmd::popStart});
    addPopup(parent, NodeKind::Drawing,
             {Cmd::mnuDrawing, sep, Cmd::mnuSave, Cmd::mnuSaveAS, Cmd::mnuFileClose, sep, Cmd::mnuCreate,
              Cmd::mnuSortTabs, sep, Cmd::mnuModel},
             QStringLiteral("popViewZ"));
    addPopup(parent, NodeKind::Template,
             {Cmd::mnuTemplate, Cmd::popLoad, Cmd::mnuTemplateDelete, sep, Cmd::popInsert, sep, Cmd::popDCD},
             QStringLiteral("popViewD"));
    addPopup(parent, NodeKind::Layout,
             {Cmd::mnuActive, sep, Cmd::mnuEditCopy, Cmd::mnuFileDelete, Cmd::mnuFileRename, sep,
              Cmd::mnuLayoutUp, Cmd::mnuLayoutDown, sep, Cmd::mnuPageSetup, Cmd::mnuPublish, sep, Cmd::mnuLayoutImport},
             QStringLiteral("popViewL"));
    addPopup(parent, NodeKind::LibraryRoot, {Cmd::mnuTemplateOpen, sep, Cmd::popDCB});
}

QMenu* MainCommands::popupMenu(NodeKind kind, PopupSource source) const
{
    for (const Popup& p : m_popups) {
        if (p.kind != kind)
            continue;
        if (p.viewSubmenu) {
            p.viewSubmenu->setVisible(source == PopupSource::List);
            p.viewSeparator->setVisible(source == PopupSource::List);
        }
        return p.menu;
    }
    return nullptr;
}

void MainCommands::beginPopup(const CommandStates& states)
{
    m_popupStates = states;
    applyEnabled();
}

void MainCommands::endPopup()
{
    m_popupStates.reset();
    applyEnabled();
}

} // namespace explorer
