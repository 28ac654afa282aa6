#include "TreeWidget.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QUrl>

namespace explorer {

namespace {

bool carriesSomething(const QMimeData* data)
{
    return data && (data->hasUrls() || data->hasText());
}

QStringList localFiles(const QMimeData* data)
{
    QStringList files;
    for (const QUrl& url : data->urls()) {
        if (url.isLocalFile())
            files.append(url.toLocalFile());
    }
    return files;
}

} // namespace

TreeWidget::TreeWidget(QWidget* parent) : QTreeWidget(parent)
{
    setAcceptDrops(true);
    setDropIndicatorShown(false);
}

QStringList TreeWidget::mimeTypes() const
{
    return {QStringLiteral("text/plain")};
}

// A node travels as its text, the one thing every other program understands.
QMimeData* TreeWidget::mimeData(const QList<QTreeWidgetItem*>& items) const
{
    if (items.isEmpty())
        return nullptr;
    auto* data = new QMimeData;
    data->setText(items.first()->text(0));
    return data;
}

void TreeWidget::startDrag(Qt::DropActions)
{
    QTreeWidgetItem* node = currentItem();
    if (!node)
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(mimeData({node}));
    drag->setPixmap(node->icon(0).pixmap(16, 16));
    drag->exec(Qt::CopyAction);
}

void TreeWidget::dragEnterEvent(QDragEnterEvent* e)
{
    dragMoveEvent(e);
}

// Only copies are offered to the source, so a file manager never deletes what it dragged here.
void TreeWidget::dragMoveEvent(QDragMoveEvent* e)
{
    if (!carriesSomething(e->mimeData()))
        return e->ignore();
    e->setDropAction(Qt::CopyAction);
    e->accept();
    emit dragOver(itemAt(e->position().toPoint()));
}

void TreeWidget::dragLeaveEvent(QDragLeaveEvent* e)
{
    e->accept();
    emit dragLeft();
}

void TreeWidget::dropEvent(QDropEvent* e)
{
    const QMimeData* data = e->mimeData();
    if (!carriesSomething(data))
        return e->ignore();
    e->setDropAction(Qt::CopyAction);
    e->accept();
    emit dropped(itemAt(e->position().toPoint()), localFiles(data),
                 data->hasText() ? data->text() : QString(), e->modifiers().testFlag(Qt::ShiftModifier));
}

} // namespace explorer
