#include "frmMain.h"

#include "AcadConnection.h"
#include "ViewSettings.h"
#include "basViewControls.h"
#include "controls/ImageLists.h"
#include "controls/ListControl.h"
#include "controls/TreeControl.h"
#include "controls/TreeWidget.h"
#include "controls/Twips.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QLabel>
#include <QLocale>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <cmath>
#include <platform/Error.h>
#include <settings/basRegistry.h>

namespace explorer {

// The invisible grab area between tree and list; reports mouse x in pixels relative to itself.
class SplitterGrip final : public QWidget
{
    Q_OBJECT

public:
    explicit SplitterGrip(QWidget* parent) : QWidget(parent) { setCursor(Qt::SplitHCursor); }

signals:
    void pressed();
    void moved(int x);
    void released();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
};

void SplitterGrip::mousePressEvent(QMouseEvent* e)
{
    e->accept();
    emit pressed();
}

void SplitterGrip::mouseMoveEvent(QMouseEvent* e)
{
    e->accept();
    emit moved(qRound(e->position().x()));
}

void SplitterGrip::mouseReleaseEvent(QMouseEvent* e)
{
    e->accept();
    emit released();
}

FrameGeometry computeFrameGeometry(double x, double windowWidth)
{
    if (x < kMinTreeWidth)
        x = kMinTreeWidth;
    if (x > windowWidth - kMinTreeWidth)
        x = windowWidth - kMinTreeWidth;
    FrameGeometry g;
    g.x = x;
    g.treeWidth = x;
    g.splitterLeft = x;
    g.listLeft = x + 40;
    g.listWidth = windowWidth - (g.treeWidth + 140);
    g.title0Width = g.treeWidth;
    g.title1Left = g.listLeft + 20;
    g.title1Width = g.listWidth - 40;
    return g;
}

double clampSplitterBar(double position, double windowWidth)
{
    if (position < kSplitterBarMargin)
        return kSplitterBarMargin;
    if (position > windowWidth - kSplitterBarMargin)
        return windowWidth - kSplitterBarMargin;
    return position;
}

QRect placeOnScreen(const QRect& window, const QList<QRect>& screens, const QRect& primary)
{
    QRect screen;
    qint64 largest = 0;
    for (const QRect& s : screens) {
        const QRect common = s.intersected(window);
        const qint64 area = qint64(common.width()) * common.height();
        if (area > largest) {
            largest = area;
            screen = s;
        }
    }
    const QSize size = window.size().boundedTo(screen.isValid() ? screen.size() : primary.size());
    if (!screen.isValid()) {
        // On a screen that is gone: centred on the primary one.
        const QPoint centred = primary.center() - QPoint(size.width() / 2, size.height() / 2);
        return QRect(QPoint(qMax(primary.left(), centred.x()), qMax(primary.top(), centred.y())), size);
    }
    const int x = qBound(screen.left(), window.x(), screen.left() + screen.width() - size.width());
    const int y = qBound(screen.top(), window.y(), screen.top() + screen.height() - size.height());
    return QRect(QPoint(x, y), size);
}

} // namespace explorer

using namespace explorer;
using platform::ignoringErrors;

namespace {

constexpr double kDesignTreeWidth = 3600;
constexpr double kSplitterWidth = 40;
constexpr viewsettings::Key kPlacementKeys[] = {viewsettings::Key::MainLeft, viewsettings::Key::MainTop,
                                                viewsettings::Key::MainWidth, viewsettings::Key::MainHeight};

} // namespace

frmMain::frmMain(AcadConnection& connection, basDatenbank::Definitions& definitions,
                 const explorer::LayoutContentsReader& layoutContents, QWidget* parent)
    : QMainWindow(parent), m_connection(connection)
{
    setWindowTitle(QStringLiteral("Blattwart"));
    setObjectName(QStringLiteral("frmMain"));
    m_commands = new MainCommands(this);
    m_commands->fillMenuBar(menuBar());
    m_toolbar = addToolBar(QStringLiteral("Symbolleiste"));
    m_toolbar->setObjectName(QStringLiteral("tbToolBar"));
    m_toolbar->setMovable(false);
    m_toolbar->toggleViewAction()->setEnabled(false);
    m_commands->fillToolBar(m_toolbar);
    buildControls();
    buildStatusBar();
    wireCommands();
    wireEvents();
    setAccessibleNames();
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("ctlTimer"));
    m_timer->setInterval(500);
    connect(m_timer, &QTimer::timeout, this, &frmMain::updateClock);
    m_timer->start();
    setMinimumWidth(pixels(kMinWindowWidth));
    m_views = std::make_unique<basViewControls::ViewControls>(*m_tree, *m_list, *this, m_connection,
                                                              definitions, layoutContents);
}

frmMain::~frmMain() = default;

void frmMain::buildControls()
{
    auto* central = new QWidget(this);
    setCentralWidget(central);
    central->installEventFilter(this);
    m_titles = new QWidget(central);
    m_titles->setObjectName(QStringLiteral("picTitles"));
    const char* const captions[] = {" Zeichnungen/Layouts:", " Layouts:"};
    const char* const tips[] = {" TreeView:", " ListView:"};
    for (int i = 0; i < 2; ++i) {
        m_lblTitle[i] = new QLabel(QString::fromUtf8(captions[i]), m_titles);
        m_lblTitle[i]->setToolTip(QString::fromUtf8(tips[i]));
        m_lblTitle[i]->setFrameShape(QFrame::Panel);
        m_lblTitle[i]->setFrameShadow(QFrame::Sunken);
    }
    m_treeWidget = new TreeWidget(central);
    m_treeWidget->setObjectName(QStringLiteral("tvTreeView"));
    m_treeWidget->setHeaderHidden(true);
    // A double click makes the node current, which expands a drawing; toggling it as well would undo that.
    m_treeWidget->setExpandsOnDoubleClick(false);
    m_tree = new TreeControl(m_treeWidget, this);
    m_tree->setObjectName(QStringLiteral("tvTreeViewControl"));
    m_tree->setImageList(smallImages());
    m_list = new ListControl(central);
    m_list->setObjectName(QStringLiteral("lvListView"));
    m_list->setImageLists(largeImages(), smallImages());
    connect(m_list, &ListControl::columnClicked, this, &frmMain::ColumnClick);
    m_imgSplitter = new SplitterGrip(central);
    m_imgSplitter->setObjectName(QStringLiteral("imgSplitter"));
    connect(m_imgSplitter, &SplitterGrip::pressed, this, &frmMain::splitterPressed);
    connect(m_imgSplitter, &SplitterGrip::moved, this, [this](int x) { splitterMoved(twips(x)); });
    connect(m_imgSplitter, &SplitterGrip::released, this, &frmMain::splitterReleased);
    m_picSplitter = new QWidget(central);
    m_picSplitter->setObjectName(QStringLiteral("picSplitter"));
    m_picSplitter->setAutoFillBackground(true);
    QPalette grey = m_picSplitter->palette();
    grey.setColor(QPalette::Window, QColor(128, 128, 128));
    m_picSplitter->setPalette(grey);
    m_picSplitter->hide();
    m_splitterX = kDesignTreeWidth;
}

void frmMain::buildStatusBar()
{
    for (int i = 0; i < 3; ++i) {
        m_panels[i] = new QLabel(this);
        m_panels[i]->setObjectName(QStringLiteral("sbStatusBarPanel%1").arg(i + 1));
    }
    statusBar()->setObjectName(QStringLiteral("sbStatusBar"));
    statusBar()->addWidget(m_panels[0], 1);
    statusBar()->addPermanentWidget(m_panels[1]);
    statusBar()->addPermanentWidget(m_panels[2]);
    updateClock();
}

void frmMain::wireCommands()
{
    MainCommands* c = m_commands;
    c->wire(Cmd::mnuEnd, [this] { close(); });
    c->wire(Cmd::mnuViewToolbar, [this] { ToggleToolbar(); });
    c->wire(Cmd::mnuViewStatusBar, [this] { ToggleStatusBar(); });
    for (int i = 0; i < 4; ++i)
        c->wire(static_cast<Cmd>(static_cast<int>(Cmd::mnuListViewMode0) + i),
                [this, i] { SetListViewMode(i); });
    c->wire(Cmd::mnuViewArrangeIcons, [this] { ArrangeIcons(); });
    c->wire(Cmd::mnuTabOrder, [this] { m_views->ShowTabOrder(); });
    c->wire(Cmd::mnuEditSelectAll, [this] { SelectAll(); });
    c->wire(Cmd::mnuEditInvertSelection, [this] { InvertSelection(); });
    c->wire(Cmd::tbAscending, [this] { SetSortOrder(0); });
    c->wire(Cmd::tbDescending, [this] { SetSortOrder(1); });
    c->wire(Cmd::mnuAutoEnd, [this] { ToggleAutoEnd(); });
    connect(m_list, &ListControl::selectionChanged, this, &frmMain::listSelectionChanged);
    applyCommandStates();
}

// A screen reader names each part as a sighted user sees it: the list after its title strip.
void frmMain::setAccessibleNames()
{
    m_treeWidget->setAccessibleName(QStringLiteral("Zeichnungen/Layouts"));
    m_toolbar->setAccessibleName(QStringLiteral("Symbolleiste"));
    m_imgSplitter->setAccessibleName(QStringLiteral("Trennleiste"));
    const char* const panels[] = {"Aktive Zeichnung", "Datum", "Uhrzeit"};
    for (int i = 0; i < 3; ++i)
        m_panels[i]->setAccessibleName(QString::fromUtf8(panels[i]));
    nameList(m_lblTitle[1]->text());
}

QWidget* frmMain::imgSplitter() const
{
    return m_imgSplitter;
}

QStatusBar* frmMain::sbStatusBar() const
{
    return statusBar();
}

QString frmMain::panelText(int panel) const
{
    if (panel < 1 || panel > 3)
        return {};
    return m_panels[panel - 1]->text();
}

double frmMain::twips(int px) const
{
    return pixelsToTwips(px, this);
}

int frmMain::pixels(double tw) const
{
    return twipsToPixels(tw, this);
}

void frmMain::placeWidget(QWidget* w, double left, double top, double width, double height)
{
    w->setGeometry(pixels(left), pixels(top), qMax(0, pixels(width)), qMax(0, pixels(height)));
}

void frmMain::SizeControls(double& x)
{
    const double windowWidth = twips(width());
    const FrameGeometry g = computeFrameGeometry(x, windowWidth);
    x = g.x;
    m_splitterX = x;
    // Toolbar and status bar lie outside the central area: its top already follows the toolbar.
    const double titlesHeight = twips(m_lblTitle[0]->sizeHint().height());
    const double top = titlesHeight;
    const double height = twips(centralWidget()->height()) - titlesHeight;
    placeWidget(m_titles, 0, 0, windowWidth, titlesHeight);
    placeWidget(m_lblTitle[0], 0, 0, g.title0Width, titlesHeight);
    placeWidget(m_lblTitle[1], g.title1Left, 0, g.title1Width, titlesHeight);
    placeWidget(m_treeWidget, 0, top, g.treeWidth, height);
    placeWidget(m_list, g.listLeft, top, g.listWidth, height);
    placeWidget(m_imgSplitter, g.splitterLeft, top, kSplitterWidth, height);
    m_imgSplitter->raise();
}

void frmMain::resizeEvent(QResizeEvent* e)
{
    QMainWindow::resizeEvent(e);
    const int minimum = pixels(kMinWindowWidth);
    if (width() < minimum && !isMinimized())
        resize(minimum, height());
}

bool frmMain::eventFilter(QObject* watched, QEvent* e)
{
    if (popupKey(watched, e))
        return true;
    // The central area changes with the window and whenever toolbar or status bar come or go.
    if (watched == centralWidget() && e->type() == QEvent::Resize) {
        double x = m_splitterX;
        SizeControls(x);
    }
    return QMainWindow::eventFilter(watched, e);
}

void frmMain::splitterPressed()
{
    const QRect grip = m_imgSplitter->geometry();
    const double gripWidth = std::round(twips(grip.width()));
    m_barLeft = twips(grip.x());
    placeWidget(m_picSplitter, m_barLeft, twips(grip.y()), static_cast<qint64>(gripWidth) / 2,
                twips(grip.height()) - 20);
    m_picSplitter->show();
    m_picSplitter->raise();
    m_splitterMoving = true;
}

void frmMain::splitterMoved(double mouseX)
{
    if (!m_splitterMoving)
        return;
    m_barLeft = clampSplitterBar(twips(m_imgSplitter->x()) + mouseX, twips(width()));
    QRect bar = m_picSplitter->geometry();
    bar.moveLeft(pixels(m_barLeft));
    m_picSplitter->setGeometry(bar);
}

void frmMain::splitterReleased()
{
    if (!m_splitterMoving)
        return;
    double x = m_barLeft;
    SizeControls(x);
    m_picSplitter->hide();
    m_splitterMoving = false;
}

void frmMain::ToggleToolbar()
{
    QAction* a = m_commands->action(Cmd::mnuViewToolbar);
    m_toolbar->setVisible(a->isChecked());
    double x = m_splitterX;
    SizeControls(x);
}

void frmMain::ToggleStatusBar()
{
    QAction* a = m_commands->action(Cmd::mnuViewStatusBar);
    statusBar()->setVisible(a->isChecked());
    double x = m_splitterX;
    SizeControls(x);
}

void frmMain::SetListViewMode(qint16 mode)
{
    ignoringErrors([this, mode] { m_views->SetListItemTexts(mode); });
    ignoringErrors([this, mode] { m_list->setView(mode); });
    ignoringErrors([this] { m_views->ShowPreviews(); });
    ignoringErrors([mode] { viewsettings::setViewMode(mode); });
    m_commands->setPressedViewMode(mode);
}

void frmMain::SetTreeViewViewBySetting()
{
    if (const std::optional<int> stored = viewsettings::viewMode())
        m_list->setView(*stored);
    SetListViewMode(static_cast<qint16>(m_list->view()));
}

void frmMain::SetSortOrder(qint16 order)
{
    m_list->setSortKey(0);
    m_list->setSortOrder(order);
    m_list->setSorted(true);
    m_views->SaveListSort();
}

void frmMain::ColumnClick(int index)
{
    m_list->setSortKey(index);
    const bool ascending = m_list->sorted() && m_list->sortOrder() == 0;
    m_list->setSortOrder(ascending ? 1 : 0);
    m_list->setSorted(true);
    m_views->SaveListSort();
}

void frmMain::ArrangeIcons()
{
    m_list->setSorted(true);
    m_list->setSortOrder(0);
    m_views->SaveListSort();
}

void frmMain::SelectAll()
{
    m_list->selectAll();
}

void frmMain::InvertSelection()
{
    m_list->invertSelection();
}

void frmMain::MnuOptAutoCheck()
{
    m_commands->action(Cmd::mnuAutoEnd)->setChecked(basRegistry::GetLMBeenden() == 1);
}

void frmMain::ToggleAutoEnd()
{
    const bool on = basRegistry::GetLMBeenden() != 1;
    basRegistry::SetLMBeenden(on ? 1 : 0);
    m_commands->action(Cmd::mnuAutoEnd)->setChecked(on);
}

void frmMain::UpdateStatusBar()
{
    const NodeKind kind = kindOf(m_tree->selectedKey());
    QString text;
    if (kind == NodeKind::LibraryRoot || kind == NodeKind::Template) {
        text = m_views->State.VorlagenPfad;
    } else {
        text = m_connection.GetActiveDrawingPath();
        if (text.isEmpty())
            text = QStringLiteral("Keine aktive AutoCAD-Zeichnung !");
    }
    m_panels[0]->setText(text);
}

void frmMain::updateClock()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale german(QLocale::German, QLocale::Germany);
    m_panels[1]->setText(german.toString(now.date(), QStringLiteral("dd.MM.yyyy")));
    m_panels[2]->setText(german.toString(now.time(), QStringLiteral("HH:mm")));
}

void frmMain::refreshCommandContext()
{
    CommandContext& c = m_context;
    const QString key = m_tree->selectedKey();
    c.nodeKind = kindOf(key);
    c.attached = m_connection.acadApp() != nullptr;
    c.listItemBold = false;
    c.layoutCount = 0;
    c.activeLayout.reset();
    c.lastBatchInActiveDrawing = c.attached && m_views->State.LastBatchDoc != 0 &&
                                 m_views->State.LastBatchDoc == m_connection.activeDoc();
    ignoringErrors([this, &c] {
        const QString item = m_list->selectedKey();
        c.listItemBold = !item.isEmpty() && m_list->bold(item);
    });
    c.selectedListLayouts = selectedListLayouts();
    ignoringErrors([this, &c, &key] {
        if (c.nodeKind == NodeKind::Drawing)
            c.layoutCount = m_tree->childCount(key);
        else if (c.nodeKind == NodeKind::Layout)
            c.layoutCount = m_tree->childCount(m_tree->parentKey(key));
    });
    const bool fromList = c.nodeKind == NodeKind::DrawingsRoot;
    if (!c.attached || !(fromList || c.nodeKind == NodeKind::Drawing))
        return;
    // The drawings root looks at the list's selected drawing; with none there is nothing to ask.
    if (fromList && m_list->selectedKey().isEmpty())
        return;
    ignoringErrors([this, &c, fromList] {
        const QString path = m_views->GetZeichnungGesamt(fromList);
        if (!path.isEmpty())
            c.activeLayout = m_connection.GetActiveLayoutName(path);
    });
}

// Counted from the list alone: a change of the list's selection asks the CAD program nothing.
int frmMain::selectedListLayouts() const
{
    if (kindOf(m_tree->selectedKey()) != NodeKind::Drawing)
        return 0;
    int count = 0;
    ignoringErrors([this, &count] {
        for (const QString& key : m_list->selectedKeys())
            count += kindOf(key) == NodeKind::Layout ? 1 : 0;
    });
    return count;
}

void frmMain::listSelectionChanged()
{
    const int count = selectedListLayouts();
    if (count == m_context.selectedListLayouts)
        return;
    m_context.selectedListLayouts = count;
    applyCommandStates();
}

void frmMain::applyCommandStates()
{
    m_commands->apply(computeCommandStates(m_context));
}

void frmMain::VisbibleMnuMenu()
{
    refreshCommandContext();
    applyCommandStates();
}

void frmMain::setListTitle(const QString& title)
{
    m_lblTitle[1]->setText(title);
    nameList(title);
}

void frmMain::setViewModeCommandsEnabled(bool enabled)
{
    m_context.viewModesEnabled = enabled;
    applyCommandStates();
}

void frmMain::setSelectionCommandsEnabled(bool enabled)
{
    m_context.selectionCommandsEnabled = enabled;
    applyCommandStates();
}

int frmMain::pressedViewMode() const
{
    return m_commands->pressedViewMode();
}

void frmMain::Form_Load()
{
    double v[4];
    for (int i = 0; i < 4; ++i)
        v[i] = viewsettings::placement(kPlacementKeys[i]);
    QRect placement(pixels(v[0]), pixels(v[1]), qMax(pixels(v[2]), pixels(kMinWindowWidth)), pixels(v[3]));
    QList<QRect> screens;
    for (const QScreen* s : QGuiApplication::screens())
        screens.append(s->availableGeometry());
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        placement = placeOnScreen(placement, screens, primary->availableGeometry());
    move(placement.topLeft());
    resize(placement.size());
    m_views->LoadColumnWidths();
}

void frmMain::restoreAndRaise()
{
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
}

bool frmMain::event(QEvent* e)
{
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return QMainWindow::event(e);
}

void frmMain::FormActivate()
{
    if (!m_views || !m_views->State.TreeFilled)
        return;
    m_views->SetListViewOptions();
    m_views->SetListViewColumns();
}

void frmMain::savePlacement()
{
    const QRect frame(pos(), size());
    const double v[4] = {twips(frame.x()), twips(frame.y()), twips(frame.width()), twips(frame.height())};
    for (int i = 0; i < 4; ++i)
        viewsettings::setPlacement(kPlacementKeys[i], v[i]);
}

void frmMain::closeEvent(QCloseEvent* e)
{
    ignoringErrors([this] { m_views->SaveColumnOrder(kindOf(m_tree->selectedKey())); });
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if (*it != this && (*it)->isVisible())
            (*it)->close();
    }
    if (!isMinimized())
        savePlacement();
    const int mode = pressedViewMode();
    if (mode >= 0)
        viewsettings::setViewMode(mode);
    ignoringErrors([this] {
        m_views->CaptureColumnWidths();
        m_views->SaveColumnWidths();
    });
    e->accept();
}

#include "frmMain.moc"
