#pragma once

#include "NodeKind.h"

#include <QList>
#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <optional>

class QAction;
class QActionGroup;
class QMenu;
class QWidget;
class QMenuBar;
class QToolBar;

// The main window's commands: one QAction per command, shared by the menu bar, the toolbar and the
// popup menus, and the one place that decides which of them are enabled.
namespace explorer {

enum class Cmd : int
{
    // "&Datei"
    mnuTemplate,
    mnuFileClose,
    mnuSave,
    mnuSaveAS,
    mnuDrawing,
    mnuModel,
    mnuEnd,
    // "&Layout"
    mnuActive,
    mnuCreate,
    mnuLayoutImport,
    mnuEditCopy,
    mnuFileDelete,
    mnuFileRename,
    mnuEditSelectAll,
    mnuEditInvertSelection,
    mnuUndo,
    mnuLayoutUp,
    mnuLayoutDown,
    mnuSortTabs,
    mnuPageSetup,
    mnuPublish,
    // "&Bibliothek"
    mnuTemplateOpen,
    mnuTemplateDelete,
    // "&Extras"
    popDC,
    mnuBlattliste,
    mnuAutoEnd,
    // "&Ansicht"
    mnuViewToolbar,
    mnuViewStatusBar,
    mnuListViewMode0,
    mnuListViewMode1,
    mnuListViewMode2,
    mnuListViewMode3,
    mnuViewArrangeIcons,
    mnuTabOrder,
    mnuRefresh,
    // "&?"
    mnuHelpContents,
    mnuHelpSearchForHelpOn,
    mnuHelpAbout,
    // toolbar buttons with a command of their own
    tbDelete,
    tbLayout,
    tbActive,
    tbAscending,
    tbDescending,
    // popup entries with an operation of their own
    popStart,
    popLoad,
    popInsert,
    popDCD,
    popDCB,
    Count
};
constexpr int kCmdCount = static_cast<int>(Cmd::Count);

// What the enabling rules look at.
struct CommandContext
{
    NodeKind nodeKind = NodeKind::None; // the selected node's kind
    bool attached = false;              // the CAD program is attached
    bool listItemBold = false;
    // Layouts of the selected drawing, or of the selected layout's drawing.
    int layoutCount = 0;
    // The current layout of the drawing the model-space rule looks at; empty when unknown.
    std::optional<QString> activeLayout;
    bool viewModesEnabled = true; // off for the detail kinds
    bool selectionCommandsEnabled = false;
    // Layouts selected in the list below the selected drawing.
    int selectedListLayouts = 0;
    // Blattwart's last batch changed the active drawing, and the CAD program can take it back.
    bool lastBatchInActiveDrawing = false;
};

using CommandStates = std::array<bool, kCmdCount>;

// The enabling rules, applied in their order; true = nothing disables the entry.
CommandStates computeCommandStates(const CommandContext& context);

// Where a popup menu was asked for: the tree's selected node or the list's selected item.
enum class PopupSource : qint16
{
    Tree = 0,
    List = 1
};

// What the popup's enabling rules look at.
struct PopupContext
{
    NodeKind kind = NodeKind::None; // of the node or item the popup is for
    PopupSource source = PopupSource::Tree;
    bool attached = false;
    int documentCount = 0;
    // The drawing's current layout ("Model" in model space); empty when unknown.
    QString activeLayout;
    int layoutCount = 0;  // layouts of the layout's drawing
    QString templateName; // the template's file name
};

// The popup's states: the menu bar's, with the popup's own rules applied. Entries the rules do not
// name keep the menu bar's state, so a popup never offers what the menu bar refuses.
CommandStates computePopupStates(const CommandStates& menuBar, const PopupContext& context);

// One entry of the toolbar: a button with its key, or a separator (no action).
struct ToolbarButton
{
    QString key;
    QAction* action = nullptr;
};

class MainCommands final : public QObject
{
    Q_OBJECT

public:
    explicit MainCommands(QObject* parent);

    QAction* action(Cmd cmd) const { return m_actions[static_cast<int>(cmd)]; }
    QAction* viewModeAction(int mode) const;
    // The toolbar's 22 entries, indices from 1 as the buttons are numbered (index 0 is unused).
    const QList<ToolbarButton>& toolbarButtons() const { return m_toolbar; }
    QAction* toolbarAction(const QString& key) const; // nullptr for an unknown key or a separator

    void fillMenuBar(QMenuBar* bar) const;
    void fillToolBar(QToolBar* bar) const;
    // The five popup menus, built once over the shared actions; owned by parent.
    void buildPopupMenus(QWidget* parent);
    // The popup menu for a kind, with the "Ansicht" submenu shown for the list only; nullptr for a
    // kind without one.
    QMenu* popupMenu(NodeKind kind, PopupSource source) const;

    // Connects a command to its operation. Until then the command stays disabled.
    void wire(Cmd cmd, std::function<void()> operation);

    // The one place where enabled states are set: the rules' result, limited to wired commands.
    void apply(const CommandStates& states);
    const CommandStates& lastStates() const { return m_states; }
    // While a popup is open its states hold; the menu bar's return when it ends.
    void beginPopup(const CommandStates& states);
    void endPopup();

    // The pressed view-mode button, -1 when none.
    int pressedViewMode() const;
    void setPressedViewMode(int mode);

private:
    QAction* make(Cmd cmd, const QString& text, const QString& shortcut = {});
    void buildActions();
    void buildToolbar();
    void applyEnabled();
    void addPopup(QWidget* parent, NodeKind kind, std::initializer_list<std::optional<Cmd>> items,
                  const QString& viewName = {});

    std::array<QAction*, kCmdCount> m_actions{};
    std::array<bool, kCmdCount> m_wired{};
    CommandStates m_states{};
    std::optional<CommandStates> m_popupStates;
    struct Popup
    {
        NodeKind kind;
        QMenu* menu;
        QAction* viewSubmenu; // "Ansicht" and the separator after it; nullptr when it has none
        QAction* viewSeparator;
    };
    QList<Popup> m_popups;
    QActionGroup* m_viewModes = nullptr;
    QList<ToolbarButton> m_toolbar;
};

} // namespace explorer
