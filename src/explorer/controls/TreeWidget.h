#pragma once

#include <QString>
#include <QStringList>
#include <QTreeWidget>

namespace explorer {

// The tree widget with the drag and drop of the explorer: a dragged node carries its text, so other
// programs receive it as text; drops report the node under the mouse and what was dropped, and never
// ask the source to move (a file manager keeps its files).
class TreeWidget final : public QTreeWidget
{
    Q_OBJECT

public:
    explicit TreeWidget(QWidget* parent = nullptr);

signals:
    void dragOver(QTreeWidgetItem* target); // nullptr over empty space
    void dragLeft();
    // files: the local files of a file list in their order; text: null when there is none; move: Shift
    // was held at the drop.
    void dropped(QTreeWidgetItem* target, const QStringList& files, const QString& text, bool move);

protected:
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dragLeaveEvent(QDragLeaveEvent* e) override;
    void dropEvent(QDropEvent* e) override;
};

} // namespace explorer
