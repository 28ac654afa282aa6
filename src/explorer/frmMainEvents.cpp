#include "AcadConnection.h"
#include "basViewControls.h"
#include "controls/ListControl.h"
#include "controls/TreeControl.h"
#include "frmMain.h"

#include <QAbstractItemView>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QListView>
#include <QMenu>
#include <QTreeView>
#include <QTreeWidget>
#include <acad/Host.h>
#include <platform/Error.h>

// The events of tree and list: popup menus from mouse and keyboard, and the tab order.
using namespace explorer;
using platform::ignoringErrors;

namespace {

// The list shows drawings, templates or layouts for these nodes; for the others it shows details.
bool listShowsObjects(NodeKind treeKind)
{
    return treeKind == NodeKind::DrawingsRoot || treeKind == NodeKind::LibraryRoot ||
           treeKind == NodeKind::Drawing;
}

bool isPopupKey(const QKeyEvent* e)
{
    return e->key() == Qt::Key_Menu || (e->key() == Qt::Key_F10 && e->modifiers() == Qt::ShiftModifier);
}

// Where a popup opened from the keyboard appears: at the current item, else at the view's corner.
QPoint keyboardPopupPosition(const QAbstractItemView* view)
{
    const QRect item = view->visualRect(view->currentIndex());
    const QPoint local = item.isValid() ? item.center() : QPoint(0, 0);
    return view->viewport()->mapToGlobal(local);
}

} // namespace

void frmMain::wireEvents()
{
    m_treeWidget->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_treeWidget, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
        ShowPopupMenu(PopupSource::Tree, m_treeWidget->viewport()->mapToGlobal(at));
    });
    for (QAbstractItemView* view : listViews()) {
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this, [this, view](const QPoint& at) {
            if (listShowsObjects(kindOf(m_tree->selectedKey())))
                ShowPopupMenu(PopupSource::List, view->viewport()->mapToGlobal(at));
        });
        view->installEventFilter(this);
    }
    m_treeWidget->installEventFilter(this);
    m_commands->buildPopupMenus(this);
    setTabOrder(m_treeWidget, m_list->detailsView());
    setTabOrder(m_list->detailsView(), m_list->iconView());
}

QList<QAbstractItemView*> frmMain::listViews() const
{
    return {m_list->detailsView(), m_list->iconView()};
}

// The Menu key and Shift+F10 open the popup of the selected node or item. The platform's own popup
// request for the Menu key follows the key and is dropped, so that one key gives one popup.
bool frmMain::popupKey(QObject* watched, QEvent* e)
{
    auto* view = qobject_cast<QAbstractItemView*>(watched);
    if (!view)
        return false;
    if (e->type() == QEvent::ContextMenu)
        return static_cast<QContextMenuEvent*>(e)->reason() == QContextMenuEvent::Keyboard;
    if (e->type() != QEvent::KeyPress || !isPopupKey(static_cast<QKeyEvent*>(e)))
        return false;
    if (view == m_treeWidget)
        ShowPopupMenu(PopupSource::Tree, keyboardPopupPosition(view));
    else if (listShowsObjects(kindOf(m_tree->selectedKey())))
        ShowPopupMenu(PopupSource::List, keyboardPopupPosition(view));
    return true;
}

PopupContext frmMain::popupContext(PopupSource source)
{
    PopupContext c;
    c.source = source;
    const bool fromList = source == PopupSource::List;
    const QString key = fromList ? m_list->selectedKey() : m_tree->selectedKey();
    c.kind = kindOf(key);
    const std::shared_ptr<acad::Host> host = m_connection.acadApp();
    c.attached = host != nullptr;
    if (host)
        ignoringErrors([&] { c.documentCount = host->application().documents.size(); });
    ignoringErrors([&] {
        if (c.kind == NodeKind::Drawing && c.attached)
            c.activeLayout = m_connection.GetActiveLayoutName(m_views->GetZeichnungGesamt(fromList));
    });
    ignoringErrors([&] {
        if (c.kind == NodeKind::Layout)
            c.layoutCount = m_tree->childCount(fromList ? m_tree->selectedKey() : m_tree->parentKey(key));
    });
    ignoringErrors([&] {
        if (c.kind == NodeKind::Template)
            c.templateName = fromList ? m_list->text(key) : m_tree->text(key);
    });
    return c;
}

void frmMain::ShowPopupMenu(PopupSource source, const QPoint& globalPos)
{
    const PopupContext context = popupContext(source);
    QMenu* menu = m_commands->popupMenu(context.kind, source);
    if (!menu)
        return;
    m_commands->beginPopup(computePopupStates(m_commands->lastStates(), context));
    // The chosen entry's action runs before the menu's end is handled: the popup's states hold for it.
    connect(
        menu, &QMenu::aboutToHide, this,
        [this] { QMetaObject::invokeMethod(m_commands, &MainCommands::endPopup, Qt::QueuedConnection); },
        Qt::SingleShotConnection);
    menu->popup(globalPos);
}

void frmMain::nameList(const QString& title)
{
    QString name = title.trimmed();
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    for (QAbstractItemView* view : listViews())
        view->setAccessibleName(name);
}
