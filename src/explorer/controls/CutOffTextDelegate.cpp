#include "CutOffTextDelegate.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QToolTip>

namespace explorer {

bool CutOffTextDelegate::isCutOff(const QAbstractItemView* view, const QStyleOptionViewItem& option,
                                  const QModelIndex& index) const
{
    const QRect shown = option.rect.intersected(view->viewport()->rect());
    const QSize needed = sizeHint(option, index);
    return needed.width() > shown.width() || needed.height() > shown.height();
}

bool CutOffTextDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                   const QStyleOptionViewItem& option, const QModelIndex& index)
{
    const QString text = index.data(Qt::DisplayRole).toString();
    const bool ownTip = !index.data(Qt::ToolTipRole).toString().isEmpty();
    if (event->type() != QEvent::ToolTip || ownTip || text.isEmpty() || !view ||
        !isCutOff(view, option, index))
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    QToolTip::showText(event->globalPos(), text, view->viewport(), option.rect);
    return true;
}

} // namespace explorer
