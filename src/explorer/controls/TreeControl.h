#pragma once

#include <QHash>
#include <QIcon>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class QTreeWidget;
class QTreeWidgetItem;

namespace explorer {
class TreeWidget;

// The tree as the explorer logic sees it: nodes addressed by key, 1-based image indices into the
// small image list, bold, expanded, children, a drop highlight and a label edit with a cancel flag.
// The window owns the QTreeWidget and hands it over; the control never deletes it.
class TreeControl final : public QObject
{
    Q_OBJECT

public:
    enum class TextColour
    {
        ButtonText,
        AppWorkspace
    };
    enum class DragMode
    {
        Manual,
        Automatic
    };

    explicit TreeControl(QTreeWidget* widget, QObject* parent = nullptr);
    ~TreeControl() override;

    // Enter on a node does what its double click does.
    bool eventFilter(QObject* watched, QEvent* event) override;

    QTreeWidget* widget() const { return m_widget; }
    void setImageList(const QList<QIcon>& images);

    // --- nodes by key
    // Adds a node at the end of parentKey's children ("" = top level). Throws ControlError when the
    // key is already used or the parent does not exist.
    void addNode(const QString& parentKey, const QString& key, const QString& text, int image,
                 int selectedImage = 0);
    // Removes the node with its children. Throws ControlError when there is no such node.
    void removeNode(const QString& key);
    // Gives the node another key (a provisional node becomes the one it stood for). Throws
    // ControlError when there is no such node or the new key is already used.
    void setKey(const QString& key, const QString& newKey);
    void clear();
    bool contains(const QString& key) const;
    int nodeCount() const;

    // The accessors below throw ControlError for a key without a node.
    QString text(const QString& key) const;
    void setText(const QString& key, const QString& text);
    int image(const QString& key) const;
    void setImage(const QString& key, int image);
    int selectedImage(const QString& key) const; // 0 = same as image
    void setSelectedImage(const QString& key, int image);
    bool bold(const QString& key) const;
    void setBold(const QString& key, bool bold);
    // Takes the bold mark off every node but the one with the key except.
    void clearBold(const QString& except);
    // Takes the bold mark off every node below the one with the key; the rest of the tree is not
    // visited (a large library costs nothing).
    void clearBoldBelow(const QString& key);
    bool expanded(const QString& key) const;
    void setExpanded(const QString& key, bool expanded);
    TextColour textColour(const QString& key) const;
    void setTextColour(const QString& key, TextColour colour);

    QString parentKey(const QString& key) const; // "" for a root
    int childCount(const QString& key) const;
    QStringList childKeys(const QString& key) const; // in display order
    QStringList rootKeys() const;
    // Puts the parent's children in the order of keys; children the list does not name follow in
    // their order. Selection, bold and expansion stay; nothing is reported as a click.
    void orderChildren(const QString& parentKey, const QStringList& keys);
    QStringList allKeys() const; // every node, parents before their children

    // --- selection
    QString selectedKey() const; // "" when nothing is selected
    void select(const QString& key);

    // --- drag and drop
    void setDragMode(DragMode mode);
    DragMode dragMode() const { return m_dragMode; }
    void setDropHighlight(const QString& key); // "" takes the highlight away
    QString dropHighlight() const { return m_dropHighlight; }

    // --- label edit: afterLabelEdit reports the typed text (a null string when the user cancelled
    // with Escape); a handler that sets *cancel keeps the old text.
    void startLabelEdit(const QString& key);
    bool isEditing() const;
    // While afterLabelEdit runs: true when the edit ends because the focus went elsewhere (a click
    // on another node or control), false when the user confirmed it with Return.
    bool labelEditLeft() const;

    // Holds redrawing while a refresh works on many nodes.
    void setUpdatesEnabled(bool enabled);

signals:
    // The user moved the selection (click or keyboard); programmatic changes are not reported.
    void nodeClick(const QString& key);
    // A double click on the node, or Enter on it.
    void nodeDoubleClicked(const QString& key);
    void afterLabelEdit(const QString& key, const QString& newText, bool* cancel);
    // Something was dropped onto the node with the key ("" for empty space): the local files of a
    // file list in their order, and the text (null when there is none). The drop highlight stays
    // until the handler takes it away. move: Shift was held, the user asks to move rather than copy.
    void oleDragDrop(const QString& targetKey, const QStringList& files, const QString& text, bool move);

private:
    QTreeWidgetItem* item(const QString& key) const;
    QTreeWidgetItem* existing(const QString& key) const; // throws ControlError
    void forget(QTreeWidgetItem* item);
    void applyIcon(QTreeWidgetItem* item, bool selected) const;
    void wireDragAndDrop(TreeWidget* dnd);
    void onCurrentItemChanged(QTreeWidgetItem* current, QTreeWidgetItem* previous);
    friend class TreeLabelDelegate;
    void finishLabelEdit(QTreeWidgetItem* item, const QString& newText);

    QTreeWidget* m_widget;
    QHash<QString, QTreeWidgetItem*> m_items;
    QList<QIcon> m_images;
    DragMode m_dragMode = DragMode::Manual;
    QString m_dropHighlight;
    QString m_editingKey;
    bool m_editLeft = false;
    QTreeWidgetItem* m_lastCurrent = nullptr;
    int m_silent = 0;
};

} // namespace explorer
