#include "ListControl.h"

#include "ControlError.h"
#include "Twips.h"

#include <QDropEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QListView>
#include <QMimeData>
#include <QSortFilterProxyModel>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>
#include <platform/NaturalOrder.h>

namespace explorer {
namespace {

enum Role : int
{
    KeyRole = Qt::UserRole + 1,
    LargeIconRole,
    SmallIconRole,
    PictureRole,
};

constexpr int kSmallIconSize = 16;

// Shows each item with its large or its small image, as the view wants it.
class ListProxy final : public QSortFilterProxyModel
{
public:
    using QSortFilterProxyModel::QSortFilterProxyModel;

    QList<QIcon> large;
    QList<QIcon> small;
    bool largeIcons = true;

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DecorationRole || index.column() != 0)
            return QSortFilterProxyModel::data(index, role);
        if (largeIcons) {
            const QVariant picture = QSortFilterProxyModel::data(index, PictureRole);
            if (picture.isValid())
                return picture;
        }
        const int number =
            QSortFilterProxyModel::data(index, largeIcons ? LargeIconRole : SmallIconRole).toInt();
        const QList<QIcon>& images = largeIcons ? large : small;
        return number >= 1 && number <= images.size() ? QVariant(images[number - 1]) : QVariant();
    }

    // Every column by the shared natural order of its text: "Blatt 2" before "Blatt 10", and a column
    // of numbers by their value.
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override
    {
        return platform::naturalLess(left.data(Qt::DisplayRole).toString(),
                                     right.data(Qt::DisplayRole).toString());
    }

    // A dragged item carries its text; the list is never asked to give its items away.
    QStringList mimeTypes() const override { return {QStringLiteral("text/plain")}; }
    Qt::DropActions supportedDragActions() const override { return Qt::CopyAction; }
    QMimeData* mimeData(const QModelIndexList& indexes) const override
    {
        QStringList texts;
        for (const QModelIndex& index : indexes) {
            if (index.column() == 0)
                texts.append(index.data(Qt::DisplayRole).toString());
        }
        auto* data = new QMimeData;
        data->setText(texts.join(QLatin1Char('\n')));
        return data;
    }

    void refreshIcons()
    {
        if (rowCount() > 0)
            emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::DecorationRole});
    }
};

QStandardItem* emptyCell()
{
    auto* cell = new QStandardItem;
    cell->setEditable(false);
    return cell;
}

ListProxy* proxyOf(QSortFilterProxyModel* proxy)
{
    return static_cast<ListProxy*>(proxy);
}

} // namespace

ListControl::ListControl(QWidget* parent)
    : QWidget(parent), m_model(new QStandardItemModel(0, 1, this)), m_proxy(new ListProxy(this)),
      m_stack(new QStackedWidget(this)), m_details(new QTreeView(m_stack)), m_icons(new QListView(m_stack))
{
    m_proxy->setSourceModel(m_model);
    m_proxy->setSortCaseSensitivity(Qt::CaseInsensitive);
    m_proxy->setDynamicSortFilter(true);
    setupViews();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_stack);
    applyView();
}

ListControl::~ListControl() = default;

void ListControl::setupViews()
{
    m_details->setObjectName(QStringLiteral("lvListViewDetails"));
    m_icons->setObjectName(QStringLiteral("lvListViewIcons"));
    m_details->setModel(m_proxy);
    m_details->setRootIsDecorated(false);
    m_details->setItemsExpandable(false);
    m_details->setUniformRowHeights(true);
    m_details->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_details->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_details->header()->setSectionsMovable(true);
    m_details->header()->setSectionsClickable(true);
    m_details->header()->setStretchLastSection(false);
    m_details->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_icons->setModel(m_proxy);
    m_icons->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Both views share one selection of whole rows; a click on an icon selects its row, so the
    // selected item is the same whichever view shows it.
    m_icons->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_icons->setResizeMode(QListView::Adjust);
    QItemSelectionModel* own = m_icons->selectionModel();
    m_icons->setSelectionModel(m_details->selectionModel());
    delete own;
    m_stack->addWidget(m_icons);
    m_stack->addWidget(m_details);
    setMultiSelect(false);
    installLabelEditor();

    connect(m_details->header(), &QHeaderView::sectionClicked, this, &ListControl::columnClicked);
    connect(m_details->header(), &QHeaderView::sectionResized, this, [this](int index, int, int size) {
        if (!m_settingWidth && index < m_widths.size())
            m_widths[index] = pixelsToTwips(size, this);
    });
    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(m_details), static_cast<QAbstractItemView*>(m_icons)}) {
        view->setDragEnabled(true);
        view->setDragDropMode(QAbstractItemView::DragOnly);
        view->setDefaultDropAction(Qt::CopyAction);
    }
    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(m_details), static_cast<QAbstractItemView*>(m_icons)}) {
        connect(view, &QAbstractItemView::doubleClicked, this,
                [this](const QModelIndex& index) { emit itemDoubleClicked(keyOf(index)); });
        // Items dragged within the list are reported; nothing from outside is dropped here.
        view->viewport()->setAcceptDrops(true);
        view->viewport()->installEventFilter(this);
    }
    connect(m_details->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) { emit currentItemChanged(keyOf(current)); });
    connect(m_details->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this] { emit selectionChanged(); });
}

bool ListControl::eventFilter(QObject* watched, QEvent* event)
{
    for (QAbstractItemView* view :
         {static_cast<QAbstractItemView*>(m_details), static_cast<QAbstractItemView*>(m_icons)}) {
        if (watched == view->viewport())
            return dropWithin(view, event);
    }
    return QWidget::eventFilter(watched, event);
}

bool ListControl::dropWithin(QAbstractItemView* view, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return false;
    auto* drop = static_cast<QDropEvent*>(event);
    if (drop->source() != view) {
        drop->ignore();
        return true;
    }
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop) {
        const QString key = keyOf(view->indexAt(drop->position().toPoint()));
        const bool move = drop->modifiers().testFlag(Qt::ShiftModifier);
        QMetaObject::invokeMethod(
            this, [this, key, move] { emit itemsDropped(key, move); }, Qt::QueuedConnection);
    }
    return true;
}

void ListControl::setImageLists(const QList<QIcon>& large, const QList<QIcon>& small)
{
    proxyOf(m_proxy)->large = large;
    proxyOf(m_proxy)->small = small;
    proxyOf(m_proxy)->refreshIcons();
}

// --- items

QStandardItem* ListControl::item(const QString& key) const
{
    QStandardItem* found = m_items.value(key, nullptr);
    if (!found)
        throw ControlError(QStringLiteral("Element nicht gefunden: ") + key);
    return found;
}

QStandardItem* ListControl::cell(const QString& key, int column) const
{
    const int row = item(key)->row();
    if (column < 0)
        throw ControlError(QStringLiteral("Ungültiger Spaltenindex"));
    if (column >= m_model->columnCount())
        m_model->setColumnCount(column + 1);
    QStandardItem* found = m_model->item(row, column);
    if (!found) {
        found = emptyCell();
        m_model->setItem(row, column, found);
    }
    return found;
}

QString ListControl::keyOf(const QModelIndex& proxyIndex) const
{
    if (!proxyIndex.isValid())
        return {};
    return m_proxy->index(proxyIndex.row(), 0).data(KeyRole).toString();
}

void ListControl::addItem(const QString& key, const QString& text, int largeIcon, int smallIcon)
{
    if (m_items.contains(key))
        throw ControlError(QStringLiteral("Schlüssel ist in dieser Auflistung nicht eindeutig: ") + key);
    auto* first = new QStandardItem(text);
    first->setEditable(false);
    first->setData(key, KeyRole);
    first->setData(largeIcon, LargeIconRole);
    first->setData(smallIcon, SmallIconRole);
    // The row comes with all its cells: a cell put in later makes the model report a new layout,
    // which sorts the whole list again for every cell of a fill.
    QList<QStandardItem*> row{first};
    for (int column = 1; column < m_model->columnCount(); ++column)
        row.append(emptyCell());
    m_model->appendRow(row);
    m_items.insert(key, first);
}

void ListControl::removeItem(const QString& key)
{
    m_model->removeRow(item(key)->row());
    m_items.remove(key);
}

void ListControl::clearItems()
{
    m_model->removeRows(0, m_model->rowCount());
    m_items.clear();
}

int ListControl::count() const
{
    return m_model->rowCount();
}

bool ListControl::contains(const QString& key) const
{
    return m_items.contains(key);
}

QStringList ListControl::keys() const
{
    QStringList result;
    for (int row = 0; row < m_model->rowCount(); ++row)
        result.append(m_model->item(row, 0)->data(KeyRole).toString());
    return result;
}

QStringList ListControl::displayedKeys() const
{
    QStringList result;
    for (int row = 0; row < m_proxy->rowCount(); ++row)
        result.append(m_proxy->index(row, 0).data(KeyRole).toString());
    return result;
}

QString ListControl::text(const QString& key) const
{
    return item(key)->text();
}

void ListControl::setText(const QString& key, const QString& text)
{
    item(key)->setText(text);
}

QString ListControl::subItem(const QString& key, int column) const
{
    const QStandardItem* found = m_model->item(item(key)->row(), column);
    return found ? found->text() : QString();
}

void ListControl::setSubItem(const QString& key, int column, const QString& text)
{
    cell(key, column)->setText(text);
}

void ListControl::setToolTip(const QString& key, const QString& tip)
{
    item(key)->setToolTip(tip);
}

QString ListControl::toolTip(const QString& key) const
{
    return item(key)->toolTip();
}

bool ListControl::bold(const QString& key) const
{
    return item(key)->font().bold();
}

void ListControl::setBold(const QString& key, bool bold)
{
    QStandardItem* found = item(key);
    QFont font = found->font();
    if (font.bold() == bold)
        return;
    font.setBold(bold);
    found->setFont(font);
}

int ListControl::largeIcon(const QString& key) const
{
    return item(key)->data(LargeIconRole).toInt();
}

int ListControl::smallIcon(const QString& key) const
{
    return item(key)->data(SmallIconRole).toInt();
}

void ListControl::setPicture(const QString& key, const QIcon& picture)
{
    item(key)->setData(picture.isNull() ? QVariant() : QVariant(picture), PictureRole);
}

bool ListControl::hasPicture(const QString& key) const
{
    return item(key)->data(PictureRole).isValid();
}

void ListControl::setLargeIconSize(int pixels)
{
    if (pixels == m_largeIconSize)
        return;
    m_largeIconSize = pixels;
    if (m_view == LargeIcons)
        applyView();
}

void ListControl::beginUpdate()
{
    if (m_updating++ > 0)
        return;
    m_proxy->setDynamicSortFilter(false);
    setUpdatesEnabled(false);
}

void ListControl::endUpdate()
{
    if (m_updating == 0 || --m_updating > 0)
        return;
    m_proxy->setDynamicSortFilter(true);
    applySort();
    setUpdatesEnabled(true);
}

// --- selection

QModelIndex ListControl::proxyIndex(const QString& key) const
{
    return m_proxy->mapFromSource(item(key)->index());
}

QString ListControl::selectedKey() const
{
    QItemSelectionModel* selection = m_details->selectionModel();
    const QModelIndex current = selection->currentIndex();
    if (current.isValid() && selection->isRowSelected(current.row(), QModelIndex()))
        return keyOf(current);
    const QModelIndexList rows = selection->selectedRows();
    return rows.isEmpty() ? QString() : keyOf(rows.first());
}

QStringList ListControl::selectedKeys() const
{
    QStringList result;
    for (const QString& key : displayedKeys()) {
        if (isSelected(key))
            result.append(key);
    }
    return result;
}

bool ListControl::isSelected(const QString& key) const
{
    return m_details->selectionModel()->isRowSelected(proxyIndex(key).row(), QModelIndex());
}

void ListControl::setSelected(const QString& key, bool selected)
{
    const QModelIndex index = proxyIndex(key);
    QItemSelectionModel* selection = m_details->selectionModel();
    if (!selected) {
        selection->select(index, QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
        return;
    }
    const auto mode = m_multiSelect ? QItemSelectionModel::Select : QItemSelectionModel::ClearAndSelect;
    selection->setCurrentIndex(index, mode | QItemSelectionModel::Rows);
}

void ListControl::selectAll()
{
    if (m_proxy->rowCount() == 0)
        return;
    const QItemSelection all(m_proxy->index(0, 0), m_proxy->index(m_proxy->rowCount() - 1, 0));
    m_details->selectionModel()->select(all, QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void ListControl::invertSelection()
{
    if (m_proxy->rowCount() == 0)
        return;
    const QItemSelection all(m_proxy->index(0, 0), m_proxy->index(m_proxy->rowCount() - 1, 0));
    m_details->selectionModel()->select(all, QItemSelectionModel::Toggle | QItemSelectionModel::Rows);
}

void ListControl::setMultiSelect(bool on)
{
    m_multiSelect = on;
    const auto mode = on ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection;
    m_details->setSelectionMode(mode);
    m_icons->setSelectionMode(mode);
}

// --- columns

void ListControl::clearColumns()
{
    m_captions.clear();
    m_widths.clear();
    m_model->setColumnCount(1);
    m_model->setHorizontalHeaderLabels({QString()});
    m_details->header()->reset();
}

void ListControl::addColumn(const QString& caption, double widthTwips)
{
    const int index = int(m_captions.size());
    m_captions.append(caption);
    m_widths.append(widthTwips);
    if (m_model->columnCount() < index + 1)
        m_model->setColumnCount(index + 1);
    m_model->setHeaderData(index, Qt::Horizontal, caption);
    m_model->setHeaderData(index, Qt::Horizontal, int(Qt::AlignLeft | Qt::AlignVCenter),
                           Qt::TextAlignmentRole);
    setColumnWidth(index, widthTwips);
}

int ListControl::columnCount() const
{
    return int(m_captions.size());
}

void ListControl::checkColumn(int index) const
{
    if (index < 0 || index >= m_captions.size())
        throw ControlError(QStringLiteral("Ungültiger Spaltenindex"));
}

QString ListControl::columnCaption(int index) const
{
    checkColumn(index);
    return m_captions[index];
}

double ListControl::columnWidth(int index) const
{
    checkColumn(index);
    return m_widths[index];
}

void ListControl::setColumnWidth(int index, double widthTwips)
{
    checkColumn(index);
    m_widths[index] = widthTwips;
    m_settingWidth = true;
    m_details->header()->resizeSection(index, twipsToPixels(widthTwips, this));
    m_settingWidth = false;
}

int ListControl::columnPosition(int index) const
{
    checkColumn(index);
    return m_details->header()->visualIndex(index) + 1;
}

void ListControl::setColumnPosition(int index, int position)
{
    checkColumn(index);
    if (position < 1 || position > m_captions.size())
        throw ControlError(QStringLiteral("Ungültige Spaltenposition"));
    QHeaderView* header = m_details->header();
    header->moveSection(header->visualIndex(index), position - 1);
}

// --- view and options

bool ListControl::setView(int view)
{
    if (view < LargeIcons || view > Details)
        return false;
    m_view = view;
    applyView();
    return true;
}

void ListControl::applyView()
{
    proxyOf(m_proxy)->largeIcons = m_view == LargeIcons;
    proxyOf(m_proxy)->refreshIcons();
    if (m_view == Details) {
        m_stack->setCurrentWidget(m_details);
        return;
    }
    const bool large = m_view == LargeIcons;
    m_icons->setViewMode(large ? QListView::IconMode : QListView::ListMode);
    const int side = large ? m_largeIconSize : kSmallIconSize;
    m_icons->setIconSize(QSize(side, side));
    m_icons->setFlow(m_view == List ? QListView::TopToBottom : QListView::LeftToRight);
    m_icons->setWrapping(true);
    m_icons->setMovement(QListView::Static);
    // Fixed places, yet items can still be dragged out, and dropped within the list (setMovement
    // turns both off).
    m_icons->setDragEnabled(true);
    m_icons->viewport()->setAcceptDrops(true);
    m_stack->setCurrentWidget(m_icons);
}

void ListControl::setGridLines(bool on)
{
    m_gridLines = on;
    m_details->setAlternatingRowColors(on);
}

// --- sorting

void ListControl::setSorted(bool on)
{
    m_sorted = on;
    applySort();
}

void ListControl::setSortKey(int column)
{
    m_sortKey = column;
    applySort();
}

void ListControl::setSortOrder(int order)
{
    m_sortOrder = order == 1 ? 1 : 0;
    applySort();
}

void ListControl::applySort()
{
    const auto order = m_sortOrder == 1 ? Qt::DescendingOrder : Qt::AscendingOrder;
    m_proxy->sort(m_sorted ? m_sortKey : -1, order);
    m_details->header()->setSortIndicatorShown(m_sorted);
    if (m_sorted)
        m_details->header()->setSortIndicator(m_sortKey, order);
}

} // namespace explorer
