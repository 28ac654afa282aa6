#include "CutOffTextDelegate.h"
#include "ListControl.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QListView>
#include <QSortFilterProxyModel>
#include <QStackedWidget>
#include <QStandardItem>
#include <QTreeView>

namespace explorer {

// Hands a finished label edit to the control first, so that a handler can refuse the new text; the
// model only takes the text the handler let stand.
class ListLabelDelegate final : public CutOffTextDelegate
{
public:
    explicit ListLabelDelegate(ListControl* control) : CutOffTextDelegate(control), m_control(control)
    {
        connect(this, &QAbstractItemDelegate::closeEditor, this,
                [this](QWidget*, QAbstractItemDelegate::EndEditHint hint) {
                    if (hint == QAbstractItemDelegate::RevertModelCache && !m_committed)
                        m_control->finishLabelEdit(QString());
                    m_committed = false;
                    m_control->m_editingKey.clear();
                });
    }

    void setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex&) const override
    {
        const auto* line = qobject_cast<QLineEdit*>(editor);
        m_committed = true;
        m_control->finishLabelEdit(line ? line->text() : QString());
    }

private:
    ListControl* m_control;
    mutable bool m_committed = false;
};

void ListControl::installLabelEditor()
{
    // One for each view: a delegate reports its editor to every view it serves.
    // The other columns' texts show in full as tooltips where the view cuts them off.
    m_details->setItemDelegate(new CutOffTextDelegate(this));
    m_details->setItemDelegateForColumn(0, new ListLabelDelegate(this));
    m_icons->setItemDelegateForColumn(0, new ListLabelDelegate(this));
}

void ListControl::startLabelEdit(const QString& key)
{
    QStandardItem* found = item(key);
    m_editingKey = key;
    found->setEditable(true);
    auto* view = static_cast<QAbstractItemView*>(m_stack->currentWidget());
    const QModelIndex index = proxyIndex(key);
    view->scrollTo(index);
    view->edit(index);
}

bool ListControl::isEditing() const
{
    return !m_editingKey.isEmpty();
}

void ListControl::finishLabelEdit(const QString& newText)
{
    const QString key = m_editingKey;
    if (!contains(key))
        return;
    item(key)->setEditable(false);
    bool cancel = false;
    emit afterLabelEdit(key, newText, &cancel);
    // The handler may have emptied the list.
    if (contains(key) && !cancel && !newText.isNull())
        setText(key, newText);
}

} // namespace explorer
