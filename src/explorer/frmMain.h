#pragma once

#include "ViewHost.h"
#include "frmMainCommands.h"

#include <QMainWindow>
#include <array>
#include <memory>

class QAbstractItemView;
class QLabel;

namespace basDatenbank {
class Definitions;
}
namespace basViewControls {
class ViewControls;
}
class QTimer;
class QToolBar;
class QTreeWidget;

namespace explorer {
class AcadConnection;
class LayoutContentsReader;
class ListControl;
class SplitterGrip;
class TreeControl;

// Where the controls go for a splitter position; every value in twips.
struct FrameGeometry
{
    double x = 0; // the splitter position after clamping
    double treeWidth = 0;
    double splitterLeft = 0;
    double listLeft = 0;
    double listWidth = 0;
    double title0Width = 0;
    double title1Left = 0;
    double title1Width = 0;
};

// The clamps of the splitter: 1500 for the tree, 1500 beside it.
FrameGeometry computeFrameGeometry(double x, double windowWidth);
// Where the bar goes while it is dragged: within 500 of either edge.
double clampSplitterBar(double position, double windowWidth);
// A placement kept within the available geometry of the screen it lies on most: no larger, moved
// inside. One that lies on no screen at all is centred on the primary screen.
QRect placeOnScreen(const QRect& window, const QList<QRect>& screens, const QRect& primary);

constexpr double kMinWindowWidth = 3000;
constexpr double kMinTreeWidth = 1500;
constexpr double kSplitterBarMargin = 500;
} // namespace explorer

// The main window: tree on the left, list on the right, the splitter between, a title strip above both,
// toolbar, menus and status bar. Built from the connection to the CAD program and the definitions,
// it owns the view logic over its tree and list.
class frmMain final : public QMainWindow, public explorer::ViewHost
{
    Q_OBJECT

public:
    frmMain(explorer::AcadConnection& connection, basDatenbank::Definitions& definitions,
            const explorer::LayoutContentsReader& layoutContents, QWidget* parent = nullptr);
    ~frmMain() override;

    // --- the controls and the view logic over them
    basViewControls::ViewControls& views() const { return *m_views; }
    explorer::TreeControl* tvTreeView() const { return m_tree; }
    explorer::ListControl* lvListView() const { return m_list; }
    QToolBar* tbToolBar() const { return m_toolbar; }
    QWidget* picTitles() const { return m_titles; }
    QLabel* lblTitle(int index) const { return m_lblTitle[index]; }
    QWidget* imgSplitter() const;
    QWidget* picSplitter() const { return m_picSplitter; }
    QStatusBar* sbStatusBar() const;
    QTimer* ctlTimer() const { return m_timer; }
    explorer::MainCommands* commands() const { return m_commands; }
    // A status bar panel's text: 1 text, 2 date, 3 time.
    QString panelText(int panel) const;

    // --- geometry, in twips
    double twips(int pixels) const;
    int pixels(double twips) const;
    // Lays the controls out for a splitter position; x is clamped in place.
    void SizeControls(double& x);
    double splitterPosition() const { return m_splitterX; }

    // --- the commands of the frame
    void SetListViewMode(qint16 mode);
    void SetTreeViewViewBySetting() override;
    void SetSortOrder(qint16 order);
    void ColumnClick(int index);
    void ArrangeIcons();
    void SelectAll();
    void InvertSelection();
    void ToggleToolbar();
    void ToggleStatusBar();
    void MnuOptAutoCheck();
    void ToggleAutoEnd();

    // --- explorer::ViewHost
    void UpdateStatusBar() override;
    void VisbibleMnuMenu() override;
    void setListTitle(const QString& title) override;
    void setViewModeCommandsEnabled(bool enabled) override;
    void setSelectionCommandsEnabled(bool enabled) override;
    int pressedViewMode() const override;

    // --- popup menus: the popup for the tree's selected node or the list's selected item
    void ShowPopupMenu(explorer::PopupSource source, const QPoint& globalPos);

    // --- life cycle
    // The load handler: placement from the settings, then the column widths.
    void Form_Load();
    // The hand-over of a second start: restored when minimized, raised and activated.
    void restoreAndRaise();

protected:
    bool event(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    void buildControls();
    void buildStatusBar();
    void wireCommands();
    void wireEvents();
    QList<QAbstractItemView*> listViews() const;
    bool popupKey(QObject* watched, QEvent* e);
    explorer::PopupContext popupContext(explorer::PopupSource source);
    void setAccessibleNames();
    void nameList(const QString& title);
    void applyCommandStates();
    int selectedListLayouts() const;
    void listSelectionChanged();
    void refreshCommandContext();
    void updateClock();
    void placeWidget(QWidget* w, double left, double top, double width, double height);
    void splitterPressed();
    void splitterMoved(double mouseX);
    void splitterReleased();
    void FormActivate();
    void savePlacement();

    explorer::AcadConnection& m_connection;
    explorer::MainCommands* m_commands = nullptr;
    QToolBar* m_toolbar = nullptr;
    QWidget* m_titles = nullptr;
    std::array<QLabel*, 2> m_lblTitle{};
    QTreeWidget* m_treeWidget = nullptr;
    explorer::TreeControl* m_tree = nullptr;
    explorer::ListControl* m_list = nullptr;
    explorer::SplitterGrip* m_imgSplitter = nullptr;
    QWidget* m_picSplitter = nullptr;
    std::array<QLabel*, 3> m_panels{};
    QTimer* m_timer = nullptr;
    explorer::CommandContext m_context;
    double m_splitterX = 3600;
    bool m_splitterMoving = false;
    double m_barLeft = 0;
    std::unique_ptr<basViewControls::ViewControls> m_views;
};
