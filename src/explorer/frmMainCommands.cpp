#include "frmMainCommands.h"

#include "frmMainIcons.h"

#include <QAction>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

namespace explorer {

namespace {

void enable(CommandStates& states, std::initializer_list<Cmd> cmds, bool on = true)
{
    for (Cmd c : cmds)
        states[static_cast<int>(c)] = on;
}

// Rule 5: model space is offered while the drawing shows a layout.
void modelSpaceRule(CommandStates& states, const CommandContext& c)
{
    const bool on = c.attached && c.activeLayout && *c.activeLayout != QLatin1String("Model");
    enable(states, {Cmd::mnuModel}, on);
}

void drawingsRootRules(CommandStates& states, const CommandContext& c)
{
    enable(states, {Cmd::mnuFileClose, Cmd::mnuSave, Cmd::mnuSaveAS, Cmd::mnuDrawing});
    modelSpaceRule(states, c);
}

// Moving tabs and sorting them need two layouts at least.
void tabOrderRules(CommandStates& states, const CommandContext& c)
{
    enable(states, {Cmd::mnuLayoutUp, Cmd::mnuLayoutDown, Cmd::mnuSortTabs},
           c.attached && c.layoutCount >= 2);
    enable(states, {Cmd::mnuPageSetup}, c.attached && c.layoutCount >= 1);
}

void drawingRules(CommandStates& states, const CommandContext& c)
{
    enable(states, {Cmd::mnuEditCopy});
    enable(states, {Cmd::mnuFileDelete, Cmd::tbDelete}, c.layoutCount >= 2);
    enable(states, {Cmd::mnuFileRename, Cmd::mnuLayoutImport, Cmd::mnuFileClose, Cmd::mnuSave, Cmd::mnuSaveAS,
                    Cmd::mnuDrawing});
    modelSpaceRule(states, c);
    enable(states, {Cmd::mnuActive}, !c.listItemBold);
    tabOrderRules(states, c);
    enable(states, {Cmd::mnuPublish}, c.attached && c.selectedListLayouts > 0);
}

void layoutRules(CommandStates& states, const CommandContext& c)
{
    enable(states, {Cmd::mnuEditCopy});
    enable(states, {Cmd::mnuFileDelete, Cmd::tbDelete}, c.layoutCount >= 2);
    enable(states, {Cmd::mnuFileRename, Cmd::mnuActive, Cmd::mnuLayoutImport});
    tabOrderRules(states, c);
    enable(states, {Cmd::mnuPublish}, c.attached);
}

void libraryRules(CommandStates& states)
{
    enable(states, {Cmd::mnuTemplate, Cmd::mnuTemplateOpen, Cmd::mnuTemplateDelete, Cmd::tbDelete});
}

} // namespace

CommandStates computeCommandStates(const CommandContext& c)
{
    CommandStates states;
    states.fill(true);
    enable(states, {Cmd::mnuCreate}, c.attached);
    enable(states,
           {Cmd::mnuFileClose, Cmd::mnuTemplate, Cmd::mnuSave, Cmd::mnuSaveAS, Cmd::mnuDrawing, Cmd::mnuModel,
            Cmd::mnuTemplateOpen, Cmd::mnuTemplateDelete, Cmd::mnuActive, Cmd::mnuLayoutImport,
            Cmd::mnuEditCopy, Cmd::mnuFileDelete, Cmd::mnuFileRename, Cmd::tbDelete, Cmd::mnuLayoutUp,
            Cmd::mnuLayoutDown, Cmd::mnuSortTabs, Cmd::mnuPageSetup,
            Cmd::mnuPublish},
           false);
    switch (c.nodeKind) {
    case NodeKind::DrawingsRoot:
        drawingsRootRules(states, c);
        break;
    case NodeKind::Drawing:
        drawingRules(states, c);
        break;
    case NodeKind::Layout:
        layoutRules(states, c);
        break;
    case NodeKind::LibraryRoot:
    case NodeKind::Template:
        libraryRules(states);
        break;
    case NodeKind::None:
        break;
    }
    enable(states,
           {Cmd::mnuListViewMode0, Cmd::mnuListViewMode1, Cmd::mnuListViewMode2, Cmd::mnuListViewMode3},
           c.viewModesEnabled);
    enable(states, {Cmd::mnuEditSelectAll, Cmd::mnuEditInvertSelection}, c.selectionCommandsEnabled);
    // Only a drawing's layouts have a tab order to return to.
    enable(states, {Cmd::mnuTabOrder}, c.nodeKind == NodeKind::Drawing);
    enable(states, {Cmd::mnuUndo}, c.attached && c.lastBatchInActiveDrawing);
    return states;
}

MainCommands::MainCommands(QObject* parent) : QObject(parent)
{
    buildActions();
    buildToolbar();
    m_states.fill(false);
    apply(m_states);
}

QAction* MainCommands::make(Cmd cmd, const QString& text, const QString& shortcut)
{
    auto* a = new QAction(text, this);
    if (!shortcut.isEmpty())
        a->setShortcut(QKeySequence(shortcut));
    // The menu bar shows the shortcut beside the caption, a popup the caption alone.
    a->setShortcutVisibleInContextMenu(false);
    m_actions[static_cast<int>(cmd)] = a;
    return a;
}

void MainCommands::buildActions()
{
    make(Cmd::mnuTemplate, QStringLiteral("&Neu über Vorlage"), QStringLiteral("Ctrl+N"));
    make(Cmd::mnuFileClose, QStringLiteral("S&chließen"));
    make(Cmd::mnuSave, QStringLiteral("&Speichern"), QStringLiteral("Ctrl+S"));
    make(Cmd::mnuSaveAS, QStringLiteral("Speichern &unter ..."));
    make(Cmd::mnuDrawing, QStringLiteral("&Aktuell"));
    make(Cmd::mnuModel, QStringLiteral("&Modellbereich"));
    make(Cmd::mnuEnd, QStringLiteral("&Beenden"), QStringLiteral("Ctrl+Q"));
    make(Cmd::mnuActive, QStringLiteral("Aktuell"));
    make(Cmd::mnuCreate, QStringLiteral("Layout erstellen ..."));
    make(Cmd::mnuLayoutImport, QStringLiteral("Layout in Vorlage"));
    make(Cmd::mnuEditCopy, QStringLiteral("&Kopieren"), QStringLiteral("Ctrl+C"));
    make(Cmd::mnuFileDelete, QStringLiteral("&Löschen"), QStringLiteral("Del"));
    // F2 renames, as in the desktop's file managers.
    make(Cmd::mnuFileRename, QStringLiteral("&Umbenennen"), QStringLiteral("F2"));
    make(Cmd::mnuEditSelectAll, QStringLiteral("A&lle auswählen"), QStringLiteral("Ctrl+A"));
    make(Cmd::mnuEditInvertSelection, QStringLiteral("Auswahl &umkehren"));
    make(Cmd::mnuUndo, QStringLiteral("&Rückgängig"), QStringLiteral("Ctrl+Z"));
    // Alt+Up and Alt+Down move tabs, as the arrows move items in a list.
    make(Cmd::mnuLayoutUp, QStringLiteral("Layout nach &vorne"), QStringLiteral("Alt+Up"));
    make(Cmd::mnuLayoutDown, QStringLiteral("Layout nach &hinten"), QStringLiteral("Alt+Down"));
    make(Cmd::mnuSortTabs, QStringLiteral("Register &sortieren"));
    make(Cmd::mnuPageSetup, QStringLiteral("S&eite einrichten übernehmen ..."));
    // "v" belongs to "Layout nach &vorne" in the same menu.
    make(Cmd::mnuPublish, QStringLiteral("Verö&ffentlichen ..."));
    make(Cmd::mnuTemplateOpen, QStringLiteral("&Öffnen"));
    make(Cmd::mnuTemplateDelete, QStringLiteral("&Löschen"));
    make(Cmd::popDC, QStringLiteral("DesignCenter ..."));
    make(Cmd::mnuBlattliste, QStringLiteral("Blattliste ..."));
    make(Cmd::mnuAutoEnd, QStringLiteral("Automatisch beenden"))->setCheckable(true);
    make(Cmd::mnuViewToolbar, QStringLiteral("&Symbolleiste"))->setCheckable(true);
    make(Cmd::mnuViewStatusBar, QStringLiteral("Status&leiste"))->setCheckable(true);
    action(Cmd::mnuViewToolbar)->setChecked(true);
    action(Cmd::mnuViewStatusBar)->setChecked(true);
    m_viewModes = new QActionGroup(this);
    m_viewModes->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
    const QStringList modes = {QStringLiteral("&Große Symbole"), QStringLiteral("&Kleine Symbole"),
                               QStringLiteral("&Liste"), QStringLiteral("&Details")};
    for (int i = 0; i < 4; ++i) {
        QAction* a = make(static_cast<Cmd>(static_cast<int>(Cmd::mnuListViewMode0) + i), modes[i]);
        a->setCheckable(true);
        m_viewModes->addAction(a);
    }
    make(Cmd::mnuViewArrangeIcons, QStringLiteral("&Symbole anordnen"));
    make(Cmd::mnuTabOrder, QStringLiteral("&Registerreihenfolge"));
    make(Cmd::mnuRefresh, QStringLiteral("&Aktualisieren"), QStringLiteral("F5"));
    make(Cmd::mnuHelpContents, QStringLiteral("KV+ &Hilfe"));
    make(Cmd::mnuHelpSearchForHelpOn, QStringLiteral("&Hilfe zum Blattwart"), QStringLiteral("F1"));
    make(Cmd::mnuHelpAbout, QStringLiteral("Inf&o "));
    make(Cmd::tbDelete, QStringLiteral("Löschen"));
    make(Cmd::tbLayout, QStringLiteral("Layout erstellen"));
    make(Cmd::tbActive, QStringLiteral("Aktuell setzen"));
    make(Cmd::tbAscending, QStringLiteral("Aufsteigend sortieren"));
    make(Cmd::tbDescending, QStringLiteral("Absteigend sortieren"));
    make(Cmd::popStart, QStringLiteral("AutoCAD starten"));
    make(Cmd::popLoad, QStringLiteral("Öffnen"));
    make(Cmd::popInsert, QStringLiteral("Layout einfügen ..."));
    make(Cmd::popDCD, QStringLiteral("DesignCenter ..."));
    make(Cmd::popDCB, QStringLiteral("DesignCenter ..."));
}

void MainCommands::buildToolbar()
{
    struct Entry
    {
        const char* key;
        const char* tip;
        const char* image;
        Cmd cmd;
    };
    // Separators have no key.
    static const Entry entries[] = {
        {"New", "Neu über Vorlage", "New", Cmd::mnuTemplate},
        {"Open", "Vorlage zur Bearbeitung öffnen", "Open", Cmd::mnuTemplateOpen},
        {"Save", "Zeichnung speichern", "Save", Cmd::mnuSave},
        {nullptr, nullptr, nullptr, Cmd::Count},
        {"Copy", "Layouts kopieren", "Copy", Cmd::mnuEditCopy},
        {"Delete", "Löschen", "Delete", Cmd::tbDelete},
        {nullptr, nullptr, nullptr, Cmd::Count},
        {"Layout", "Layout erstellen", "Layout", Cmd::tbLayout},
        {"Active", "Aktuell setzen", "Active", Cmd::tbActive},
        {"Model", "Modellbereich", "Model", Cmd::mnuModel},
        {"Template", "Layout in Vorlage", "Template", Cmd::mnuLayoutImport},
        {"DC", "DesignCenter", "DC", Cmd::popDC},
        {nullptr, nullptr, nullptr, Cmd::Count},
        {"Große Symbole anzeigen", "Große Symbole anzeigen", "Large Icons", Cmd::mnuListViewMode0},
        {"Kleine Symbole anzeigen", "Kleine Symbole anzeigen", "Small Icons", Cmd::mnuListViewMode1},
        {"Liste anzeigen", "Liste anzeigen", "List", Cmd::mnuListViewMode2},
        {"Details anzeigen", "Details anzeigen", "Details", Cmd::mnuListViewMode3},
        {nullptr, nullptr, nullptr, Cmd::Count},
        {"Ascending", "Aufsteigend sortieren", "Ascending", Cmd::tbAscending},
        {"Descending", "Absteigend sortieren", "Descending", Cmd::tbDescending},
        {nullptr, nullptr, nullptr, Cmd::Count},
        {"Hilfe", "Hilfe", "Help", Cmd::mnuHelpSearchForHelpOn},
    };
    m_toolbar.append(ToolbarButton{}); // buttons count from 1
    for (const Entry& e : entries) {
        if (!e.key) {
            m_toolbar.append(ToolbarButton{});
            continue;
        }
        QAction* a = action(e.cmd);
        a->setToolTip(QString::fromUtf8(e.tip));
        a->setIcon(toolbarIcon(QString::fromUtf8(e.image)));
        m_toolbar.append(ToolbarButton{QString::fromUtf8(e.key), a});
    }
}

QAction* MainCommands::viewModeAction(int mode) const
{
    if (mode < 0 || mode > 3)
        return nullptr;
    return action(static_cast<Cmd>(static_cast<int>(Cmd::mnuListViewMode0) + mode));
}

QAction* MainCommands::toolbarAction(const QString& key) const
{
    for (const ToolbarButton& b : m_toolbar) {
        if (b.action && b.key == key)
            return b.action;
    }
    return nullptr;
}

void MainCommands::fillMenuBar(QMenuBar* bar) const
{
    using Item = std::optional<Cmd>; // nullopt = separator
    auto menu = [this, bar](const QString& title, std::initializer_list<Item> items) {
        QMenu* m = bar->addMenu(title);
        for (const Item& i : items) {
            if (i)
                m->addAction(action(*i));
            else
                m->addSeparator();
        }
    };
    const Item sep = std::nullopt;
    menu(QStringLiteral("&Datei"), {Cmd::mnuTemplate, Cmd::mnuFileClose, sep, Cmd::mnuSave, Cmd::mnuSaveAS,
                                    sep, Cmd::mnuDrawing, Cmd::mnuModel, sep, Cmd::mnuEnd});
    menu(QStringLiteral("&Layout"),
         {Cmd::mnuActive, sep, Cmd::mnuCreate, Cmd::mnuLayoutImport, sep, Cmd::mnuEditCopy,
          Cmd::mnuFileDelete, Cmd::mnuFileRename, sep, Cmd::mnuLayoutUp, Cmd::mnuLayoutDown, Cmd::mnuSortTabs,
          sep, Cmd::mnuPageSetup, Cmd::mnuPublish, sep, Cmd::mnuEditSelectAll, Cmd::mnuEditInvertSelection, sep,
          Cmd::mnuUndo});
    menu(QStringLiteral("&Bibliothek"), {Cmd::mnuTemplateOpen, Cmd::mnuTemplateDelete});
    menu(QStringLiteral("&Extras"), {Cmd::popDC, Cmd::mnuBlattliste, sep, Cmd::mnuAutoEnd});
    menu(QStringLiteral("&Ansicht"), {Cmd::mnuViewToolbar, Cmd::mnuViewStatusBar, sep, Cmd::mnuListViewMode0,
                                      Cmd::mnuListViewMode1, Cmd::mnuListViewMode2, Cmd::mnuListViewMode3,
                                      sep, Cmd::mnuViewArrangeIcons, Cmd::mnuTabOrder, sep, Cmd::mnuRefresh});
    menu(QStringLiteral("&?"), {Cmd::mnuHelpContents, Cmd::mnuHelpSearchForHelpOn, sep, Cmd::mnuHelpAbout});
}

void MainCommands::fillToolBar(QToolBar* bar) const
{
    for (int i = 1; i < m_toolbar.size(); ++i) {
        if (m_toolbar[i].action)
            bar->addAction(m_toolbar[i].action);
        else
            bar->addSeparator();
    }
}

void MainCommands::wire(Cmd cmd, std::function<void()> operation)
{
    m_wired[static_cast<int>(cmd)] = true;
    connect(action(cmd), &QAction::triggered, this, [op = std::move(operation)] { op(); });
    applyEnabled();
}

void MainCommands::apply(const CommandStates& states)
{
    m_states = states;
    applyEnabled();
}

void MainCommands::applyEnabled()
{
    const CommandStates& states = m_popupStates ? *m_popupStates : m_states;
    for (int i = 0; i < kCmdCount; ++i)
        m_actions[i]->setEnabled(states[i] && m_wired[i]);
}

int MainCommands::pressedViewMode() const
{
    for (int i = 0; i < 4; ++i) {
        if (viewModeAction(i)->isChecked())
            return i;
    }
    return -1;
}

void MainCommands::setPressedViewMode(int mode)
{
    for (int i = 0; i < 4; ++i)
        viewModeAction(i)->setChecked(i == mode);
}

} // namespace explorer
