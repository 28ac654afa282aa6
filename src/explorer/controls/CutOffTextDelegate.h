#pragma once

#include <QStyledItemDelegate>

namespace explorer {

// Paints as the view's default does; a text that the view cuts off (elided, or running past the
// visible part of the view) shows in full as the tooltip. An item's own tooltip comes first.
class CutOffTextDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override;

private:
    // Whether the view shows less of the index's text than it needs.
    bool isCutOff(const QAbstractItemView* view, const QStyleOptionViewItem& option,
                  const QModelIndex& index) const;
};

} // namespace explorer
