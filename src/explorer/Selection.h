#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace explorer {

// A tree node or list item: its key and its text.
struct Target
{
    QString key;
    QString text;
};

// What the operations may ask of the explorer's tree and list: the selection and the names around
// it, never the widgets. The views implement it; tests hand in their own. A key that the tree or the
// list does not hold fails as the control does (explorer::ControlError).
class Selection
{
public:
    virtual ~Selection() = default;

    // --- the tree
    // The selected node; an empty key when none is selected.
    virtual Target selectedNode() const = 0;
    virtual QString nodeText(const QString& key) const = 0;
    virtual bool hasNode(const QString& key) const = 0;
    // "" for a root.
    virtual QString parentNode(const QString& key) const = 0;
    virtual QStringList childNodes(const QString& key) const = 0; // in display order

    // --- the list
    // The list's current item; an empty key when none is.
    virtual Target selectedItem() const = 0;
    // The selected items' keys, as the list hands them out.
    virtual QStringList selectedItems() const = 0;
    // Every item's key, in the order the list holds them.
    virtual QStringList items() const = 0;
    // Every item's key, in the order the list shows them now (its sort).
    virtual QStringList shownItems() const = 0;
    virtual bool itemSelected(const QString& key) const = 0;
    virtual QString itemText(const QString& key) const = 0;
};

} // namespace explorer
