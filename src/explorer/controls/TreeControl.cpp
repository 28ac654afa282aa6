#include "TreeControl.h"

#include "ControlError.h"
#include "CutOffTextDelegate.h"
#include "TreeWidget.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPalette>
#include <QTreeWidget>

namespace explorer {
namespace {

enum Role : int
{
    KeyRole = Qt::UserRole,
    ImageRole,
    SelectedImageRole,
    ColourRole,
};

QString keyOf(const QTreeWidgetItem* item)
{
    return item ? item->data(0, KeyRole).toString() : QString();
}

// Programmatic selection changes stay silent: only the user's own moves count as a click.
class Silence final
{
public:
    explicit Silence(int& depth) : m_depth(depth) { ++m_depth; }
    ~Silence() { --m_depth; }
    Silence(const Silence&) = delete;
    Silence& operator=(const Silence&) = delete;

private:
    int& m_depth;
};

} // namespace

// Hands a finished label edit to the control first, so that a handler can refuse the new text.
class TreeLabelDelegate final : public CutOffTextDelegate
{
public:
    explicit TreeLabelDelegate(TreeControl* control) : CutOffTextDelegate(control), m_control(control)
    {
        connect(this, &QAbstractItemDelegate::closeEditor, this,
                [this](QWidget*, QAbstractItemDelegate::EndEditHint hint) {
                    if (hint == QAbstractItemDelegate::RevertModelCache && !m_committed)
                        m_control->finishLabelEdit(m_control->item(m_control->m_editingKey), QString());
                    m_committed = false;
                    m_control->m_editingKey.clear();
                });
    }

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex&) const override
    {
        const auto* line = qobject_cast<QLineEdit*>(editor);
        m_committed = true;
        m_control->m_editLeft = !editor->hasFocus();
        m_control->finishLabelEdit(m_control->item(m_control->m_editingKey), line ? line->text() : QString());
        m_control->m_editLeft = false;
    }

private:
    TreeControl* m_control;
    mutable bool m_committed = false;
};

TreeControl::TreeControl(QTreeWidget* widget, QObject* parent) : QObject(parent), m_widget(widget)
{
    m_widget->setColumnCount(1);
    m_widget->setHeaderHidden(true);
    m_widget->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_widget->setItemDelegate(new TreeLabelDelegate(this));
    connect(m_widget, &QTreeWidget::currentItemChanged, this, &TreeControl::onCurrentItemChanged);
    connect(m_widget, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item, int) { emit nodeDoubleClicked(keyOf(item)); });
    m_widget->installEventFilter(this);
    if (auto* dnd = qobject_cast<TreeWidget*>(m_widget))
        wireDragAndDrop(dnd);
}

// A label edit's Enter reaches the tree too after its editor has ignored it; the tree has no focus then.
bool TreeControl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_widget || event->type() != QEvent::KeyPress || !m_widget->hasFocus())
        return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const Qt::KeyboardModifiers others = key->modifiers() & ~Qt::KeypadModifier;
    QTreeWidgetItem* current = m_widget->currentItem();
    if (!enter || others != Qt::NoModifier || !current)
        return QObject::eventFilter(watched, event);
    emit nodeDoubleClicked(keyOf(current));
    return true;
}

void TreeControl::wireDragAndDrop(TreeWidget* dnd)
{
    connect(dnd, &TreeWidget::dragOver, this,
            [this](QTreeWidgetItem* target) { setDropHighlight(keyOf(target)); });
    connect(dnd, &TreeWidget::dragLeft, this, [this] { setDropHighlight(QString()); });
    // Handled after the drop has ended, so that the dragging program is not kept waiting by a message.
    connect(dnd, &TreeWidget::dropped, this,
            [this](QTreeWidgetItem* target, const QStringList& files, const QString& text, bool move) {
                const QString key = keyOf(target);
                QMetaObject::invokeMethod(
                    this, [this, key, files, text, move] { emit oleDragDrop(key, files, text, move); },
                    Qt::QueuedConnection);
            });
}

TreeControl::~TreeControl() = default;

void TreeControl::setImageList(const QList<QIcon>& images)
{
    m_images = images;
    for (QTreeWidgetItem* node : std::as_const(m_items))
        applyIcon(node, node == m_widget->currentItem());
}

QTreeWidgetItem* TreeControl::item(const QString& key) const
{
    return m_items.value(key, nullptr);
}

QTreeWidgetItem* TreeControl::existing(const QString& key) const
{
    QTreeWidgetItem* found = item(key);
    if (!found)
        throw ControlError(QStringLiteral("Element nicht gefunden: ") + key);
    return found;
}

void TreeControl::addNode(const QString& parentKey, const QString& key, const QString& text, int image,
                          int selectedImage)
{
    if (m_items.contains(key))
        throw ControlError(QStringLiteral("Schlüssel ist in dieser Auflistung nicht eindeutig: ") + key);
    QTreeWidgetItem* parent = parentKey.isEmpty() ? nullptr : existing(parentKey);
    Silence silence(m_silent);
    auto* node = new QTreeWidgetItem(QStringList{text});
    node->setData(0, KeyRole, key);
    node->setData(0, ImageRole, image);
    node->setData(0, SelectedImageRole, selectedImage);
    node->setData(0, ColourRole, int(TextColour::ButtonText));
    if (parent)
        parent->addChild(node);
    else
        m_widget->addTopLevelItem(node);
    m_items.insert(key, node);
    applyIcon(node, false);
}

void TreeControl::setKey(const QString& key, const QString& newKey)
{
    QTreeWidgetItem* node = existing(key);
    if (newKey == key)
        return;
    if (m_items.contains(newKey))
        throw ControlError(QStringLiteral("Schlüssel ist in dieser Auflistung nicht eindeutig: ") + newKey);
    node->setData(0, KeyRole, newKey);
    m_items.remove(key);
    m_items.insert(newKey, node);
    if (m_dropHighlight == key)
        m_dropHighlight = newKey;
    if (m_editingKey == key)
        m_editingKey = newKey;
}

void TreeControl::forget(QTreeWidgetItem* node)
{
    for (int i = 0; i < node->childCount(); ++i)
        forget(node->child(i));
    m_items.remove(keyOf(node));
    if (keyOf(node) == m_dropHighlight)
        m_dropHighlight.clear();
    if (node == m_lastCurrent)
        m_lastCurrent = nullptr;
}

void TreeControl::removeNode(const QString& key)
{
    QTreeWidgetItem* node = existing(key);
    Silence silence(m_silent);
    forget(node);
    delete node;
}

void TreeControl::orderChildren(const QString& parentKey, const QStringList& keys)
{
    QTreeWidgetItem* parent = existing(parentKey);
    QList<QTreeWidgetItem*> wanted;
    for (const QString& key : keys) {
        QTreeWidgetItem* child = item(key);
        if (child && child->parent() == parent)
            wanted.append(child);
    }
    for (int i = 0; i < parent->childCount(); ++i) {
        if (!wanted.contains(parent->child(i)))
            wanted.append(parent->child(i));
    }
    bool same = true;
    for (int i = 0; i < wanted.size() && same; ++i)
        same = parent->child(i) == wanted[i];
    if (same)
        return;
    Silence silence(m_silent);
    QTreeWidgetItem* current = m_widget->currentItem();
    const bool expanded = parent->isExpanded();
    parent->takeChildren();
    parent->addChildren(wanted);
    parent->setExpanded(expanded);
    if (current && current->parent() == parent)
        m_widget->setCurrentItem(current);
}

void TreeControl::clear()
{
    Silence silence(m_silent);
    m_widget->clear();
    m_items.clear();
    m_dropHighlight.clear();
    m_lastCurrent = nullptr;
}

bool TreeControl::contains(const QString& key) const
{
    return m_items.contains(key);
}

int TreeControl::nodeCount() const
{
    return int(m_items.size());
}

QString TreeControl::text(const QString& key) const
{
    return existing(key)->text(0);
}

void TreeControl::setText(const QString& key, const QString& text)
{
    existing(key)->setText(0, text);
}

int TreeControl::image(const QString& key) const
{
    return existing(key)->data(0, ImageRole).toInt();
}

void TreeControl::setImage(const QString& key, int image)
{
    QTreeWidgetItem* node = existing(key);
    node->setData(0, ImageRole, image);
    applyIcon(node, node == m_widget->currentItem());
}

int TreeControl::selectedImage(const QString& key) const
{
    return existing(key)->data(0, SelectedImageRole).toInt();
}

void TreeControl::setSelectedImage(const QString& key, int image)
{
    QTreeWidgetItem* node = existing(key);
    node->setData(0, SelectedImageRole, image);
    applyIcon(node, node == m_widget->currentItem());
}

bool TreeControl::bold(const QString& key) const
{
    return existing(key)->font(0).bold();
}

void TreeControl::setBold(const QString& key, bool bold)
{
    QTreeWidgetItem* node = existing(key);
    QFont font = node->font(0);
    if (font.bold() == bold)
        return;
    font.setBold(bold);
    node->setFont(0, font);
}

namespace {
void clearBoldOfChildren(QTreeWidgetItem* node)
{
    for (int i = 0; i < node->childCount(); ++i) {
        QTreeWidgetItem* child = node->child(i);
        QFont font = child->font(0);
        if (font.bold()) {
            font.setBold(false);
            child->setFont(0, font);
        }
        clearBoldOfChildren(child);
    }
}
} // namespace

void TreeControl::clearBoldBelow(const QString& key)
{
    clearBoldOfChildren(existing(key));
}

void TreeControl::clearBold(const QString& except)
{
    for (auto it = m_items.cbegin(); it != m_items.cend(); ++it) {
        if (it.key() == except)
            continue;
        QFont font = it.value()->font(0);
        if (font.bold()) {
            font.setBold(false);
            it.value()->setFont(0, font);
        }
    }
}

bool TreeControl::expanded(const QString& key) const
{
    return existing(key)->isExpanded();
}

void TreeControl::setExpanded(const QString& key, bool expanded)
{
    existing(key)->setExpanded(expanded);
}

TreeControl::TextColour TreeControl::textColour(const QString& key) const
{
    return TextColour(existing(key)->data(0, ColourRole).toInt());
}

void TreeControl::setTextColour(const QString& key, TextColour colour)
{
    QTreeWidgetItem* node = existing(key);
    node->setData(0, ColourRole, int(colour));
    const QPalette palette = m_widget->palette();
    node->setForeground(0, colour == TextColour::AppWorkspace ? palette.brush(QPalette::Dark)
                                                              : palette.brush(QPalette::ButtonText));
}

QString TreeControl::parentKey(const QString& key) const
{
    return keyOf(existing(key)->parent());
}

int TreeControl::childCount(const QString& key) const
{
    return existing(key)->childCount();
}

QStringList TreeControl::childKeys(const QString& key) const
{
    const QTreeWidgetItem* node = existing(key);
    QStringList keys;
    for (int i = 0; i < node->childCount(); ++i)
        keys.append(keyOf(node->child(i)));
    return keys;
}

QStringList TreeControl::rootKeys() const
{
    QStringList keys;
    for (int i = 0; i < m_widget->topLevelItemCount(); ++i)
        keys.append(keyOf(m_widget->topLevelItem(i)));
    return keys;
}

QStringList TreeControl::allKeys() const
{
    QStringList keys;
    for (QTreeWidgetItemIterator it(m_widget); *it; ++it)
        keys.append(keyOf(*it));
    return keys;
}

QString TreeControl::selectedKey() const
{
    return keyOf(m_widget->currentItem());
}

void TreeControl::select(const QString& key)
{
    QTreeWidgetItem* node = existing(key);
    Silence silence(m_silent);
    m_widget->setCurrentItem(node);
}

void TreeControl::setDragMode(DragMode mode)
{
    m_dragMode = mode;
    m_widget->setDragEnabled(mode == DragMode::Automatic);
}

void TreeControl::setDropHighlight(const QString& key)
{
    if (QTreeWidgetItem* old = item(m_dropHighlight))
        old->setBackground(0, QBrush());
    m_dropHighlight.clear();
    if (QTreeWidgetItem* node = item(key)) {
        node->setBackground(0, m_widget->palette().brush(QPalette::Highlight));
        m_dropHighlight = key;
    }
}

void TreeControl::startLabelEdit(const QString& key)
{
    QTreeWidgetItem* node = existing(key);
    m_editingKey = key;
    node->setFlags(node->flags() | Qt::ItemIsEditable);
    m_widget->editItem(node, 0);
}

bool TreeControl::isEditing() const
{
    return !m_editingKey.isEmpty();
}

bool TreeControl::labelEditLeft() const
{
    return m_editLeft;
}

void TreeControl::finishLabelEdit(QTreeWidgetItem* node, const QString& newText)
{
    if (!node)
        return;
    node->setFlags(node->flags() & ~Qt::ItemIsEditable);
    const QString key = keyOf(node);
    bool cancel = false;
    emit afterLabelEdit(key, newText, &cancel);
    // The handler may have removed the node.
    if (QTreeWidgetItem* still = item(key); still && !cancel && !newText.isNull())
        still->setText(0, newText);
}

void TreeControl::setUpdatesEnabled(bool enabled)
{
    m_widget->setUpdatesEnabled(enabled);
}

void TreeControl::applyIcon(QTreeWidgetItem* node, bool selected) const
{
    int index = node->data(0, ImageRole).toInt();
    const int selectedIndex = node->data(0, SelectedImageRole).toInt();
    if (selected && selectedIndex > 0)
        index = selectedIndex;
    node->setIcon(0, index >= 1 && index <= m_images.size() ? m_images[index - 1] : QIcon());
}

void TreeControl::onCurrentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem*)
{
    // The previous item may be one that is being deleted; only the one remembered here is safe.
    if (m_lastCurrent)
        applyIcon(m_lastCurrent, false);
    m_lastCurrent = current;
    if (current)
        applyIcon(current, true);
    if (m_silent == 0 && current)
        emit nodeClick(keyOf(current));
}

} // namespace explorer
