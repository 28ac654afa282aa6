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
    // "&Bibliothek"
    mnuTemplateOpen,
    mnuTemplateDelete,
    // "&Extras"
    popDC,
    mnuAutoEnd,
    // "&Ansicht"
    mnuViewToolbar,
    mnuViewStatusBar,
    mnuListViewMode0,
    mnuListViewMode1,
    mnuListViewMode2,
    mnuListViewMode3,
    mnuViewArrangeIcons,
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
};

using CommandStates = std::array<bool, kCmdCount>;

// The enabling rules, applied in their order; true = nothing disables the entry.
CommandStates computeCommandStates(const CommandContext& context);

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

    // Connects a command to its operation. Until then the command stays disabled.
    void wire(Cmd cmd, std::function<void()> operation);

    // The one place where enabled states are set: the rules' result, limited to wired commands.
    void apply(const CommandStates& states);
    const CommandStates& lastStates() const { return m_states; }

    // The pressed view-mode button, -1 when none.
    int pressedViewMode() const;
    void setPressedViewMode(int mode);

private:
    QAction* make(Cmd cmd, const QString& text, const QString& shortcut = {});
    void buildActions();
    void buildToolbar();

    std::array<QAction*, kCmdCount> m_actions{};
    std::array<bool, kCmdCount> m_wired{};
    CommandStates m_states{};
    QActionGroup* m_viewModes = nullptr;
    QList<ToolbarButton> m_toolbar;
};

} // namespace explorer
