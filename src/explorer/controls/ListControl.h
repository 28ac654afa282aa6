#pragma once

#include <QHash>
#include <QIcon>
#include <QList>
#include <QModelIndex>
#include <QString>
#include <QStringList>
#include <QWidget>

class QAbstractItemView;
class QListView;
class QSortFilterProxyModel;
class QStackedWidget;
class QStandardItem;
class QStandardItemModel;
class QTreeView;

namespace explorer {

// The list as the explorer logic sees it: items and sub-items addressed by key, 1-based large and
// small image indices, bold, columns with widths in twips and display positions, the four view modes
// of the list control and sorting by one column. Built from one model shown either by an icon/list
// view or by a details view; the window places this widget where the list belongs.
class ListControl final : public QWidget
{
    Q_OBJECT

public:
    enum View : int
    {
        LargeIcons = 0,
        SmallIcons = 1,
        List = 2,
        Details = 3
    };

    explicit ListControl(QWidget* parent = nullptr);
    ~ListControl() override;

    void setImageLists(const QList<QIcon>& large, const QList<QIcon>& small);

    // --- items by key. The accessors throw ControlError for a key without an item.
    // Adds an item at the end (the view shows it sorted while sorting is on). Throws ControlError
    // when the key is already used.
    void addItem(const QString& key, const QString& text, int largeIcon = 0, int smallIcon = 0);
    void removeItem(const QString& key);
    void clearItems();
    int count() const;
    bool contains(const QString& key) const;
    QStringList keys() const;          // in the order added
    QStringList displayedKeys() const; // in the order shown
    QString text(const QString& key) const;
    void setText(const QString& key, const QString& text);
    QString subItem(const QString& key, int column) const; // column 1.. = sub-item 1..
    void setSubItem(const QString& key, int column, const QString& text);
    void setToolTip(const QString& key, const QString& tip);
    QString toolTip(const QString& key) const;
    bool bold(const QString& key) const;
    void setBold(const QString& key, bool bold);
    int largeIcon(const QString& key) const;
    int smallIcon(const QString& key) const;
    // A picture of the item's own (a layout's preview) that the large-icon view shows instead of its
    // large image; a null icon returns to the image.
    void setPicture(const QString& key, const QIcon& picture);
    bool hasPicture(const QString& key) const;
    // The side of the large-icon view's icons in pixels (32 unless set).
    void setLargeIconSize(int pixels);
    int largeIconSize() const { return m_largeIconSize; }

    // Between these two, added items are sorted once at the end instead of one by one. Nestable.
    void beginUpdate();
    void endUpdate();

    // --- selection
    QString selectedKey() const; // the current item, "" when none is selected
    QStringList selectedKeys() const;
    bool isSelected(const QString& key) const;
    void setSelected(const QString& key, bool selected);
    void selectAll();
    void invertSelection();
    void setMultiSelect(bool on);
    bool multiSelect() const { return m_multiSelect; }

    // --- columns: index 0 = the first column as created; widths in twips; positions count from 1
    void clearColumns();
    void addColumn(const QString& caption, double widthTwips);
    int columnCount() const;
    QString columnCaption(int index) const;
    double columnWidth(int index) const;
    void setColumnWidth(int index, double widthTwips);
    int columnPosition(int index) const;
    void setColumnPosition(int index, int position); // throws ControlError outside 1..count

    // --- view and options
    // Refuses a value outside 0..3 and keeps the previous view; returns whether it was applied.
    bool setView(int view);
    int view() const { return m_view; }
    void setGridLines(bool on); // the display option of the detail tables
    bool gridLines() const { return m_gridLines; }

    // --- sorting: sort key = column index, order 0 ascending, 1 descending
    void setSorted(bool on);
    bool sorted() const { return m_sorted; }
    void setSortKey(int column);
    int sortKey() const { return m_sortKey; }
    void setSortOrder(int order);
    int sortOrder() const { return m_sortOrder; }

    // --- label edit of an item, as in the tree: afterLabelEdit reports the typed text (a null string
    // when the user cancelled with Escape); a handler that sets *cancel keeps the old text.
    void startLabelEdit(const QString& key);
    bool isEditing() const;

    QTreeView* detailsView() const { return m_details; }
    QListView* iconView() const { return m_icons; }

signals:
    void columnClicked(int index); // index of the column as created, 0-based
    void itemDoubleClicked(const QString& key);
    void currentItemChanged(const QString& key);
    // Items were selected or deselected.
    void selectionChanged();
    void afterLabelEdit(const QString& key, const QString& newText, bool* cancel);
    // The list's own selected items were dragged onto the item with that key ("" for empty space);
    // move: Shift was held. Reported after the drop has ended.
    void itemsDropped(const QString& targetKey, bool move);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool dropWithin(QAbstractItemView* view, QEvent* event);
    QStandardItem* item(const QString& key) const;
    QStandardItem* cell(const QString& key, int column) const;
    void setupViews();
    void applyView();
    void applySort();
    void checkColumn(int index) const; // throws ControlError
    QModelIndex proxyIndex(const QString& key) const;
    QString keyOf(const QModelIndex& proxyIndex) const;
    friend class ListLabelDelegate;
    void installLabelEditor();
    void finishLabelEdit(const QString& newText);

    QStandardItemModel* m_model;
    QSortFilterProxyModel* m_proxy;
    QStackedWidget* m_stack;
    QTreeView* m_details;
    QListView* m_icons;
    QHash<QString, QStandardItem*> m_items;
    QList<QIcon> m_large;
    QList<QIcon> m_small;
    QStringList m_captions;
    QList<double> m_widths; // twips, kept exact across pixel rounding
    bool m_settingWidth = false;
    int m_updating = 0;
    int m_view = LargeIcons;
    int m_largeIconSize = 32;
    QString m_editingKey;
    bool m_multiSelect = false;
    bool m_gridLines = false;
    bool m_sorted = false;
    int m_sortKey = 0;
    int m_sortOrder = 0;
};

} // namespace explorer
