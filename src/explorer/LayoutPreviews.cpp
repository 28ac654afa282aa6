#include "LayoutPreviews.h"

#include "AcadConnection.h"

#include <acad/Host.h>

namespace explorer {

LayoutPreviews::LayoutPreviews(AcadConnection& connection, QObject* parent)
    : QObject(parent), m_connection(connection)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(0);
    connect(&m_timer, &QTimer::timeout, this, &LayoutPreviews::next);
}

int LayoutPreviews::kept() const
{
    int n = 0;
    for (const Drawing& drawing : m_kept)
        n += int(drawing.pictures.size());
    return n;
}

// Document ids count only within one run of the host.
void LayoutPreviews::checkHost()
{
    const void* host = m_connection.acadApp().get();
    if (host != m_host)
        m_kept.clear();
    m_host = host;
}

void LayoutPreviews::request(const QString& gesamt, acad::DocId doc, const QList<Item>& items)
{
    cancel();
    checkHost();
    const std::shared_ptr<acad::Host> app = m_connection.acadApp();
    if (!app || doc == 0 || items.isEmpty())
        return;
    qint64 revision = 0;
    try {
        revision = app->documentRevision(doc);
    } catch (const std::exception&) {
        return; // a host without pictures: the images stay
    }
    m_drawing = gesamt.toUpper() + QLatin1Char('\n') + QString::number(doc);
    m_doc = doc;
    Drawing& drawing = m_kept[m_drawing];
    if (drawing.revision != revision)
        drawing = Drawing{revision, {}};
    for (const Item& item : items) {
        const auto found = drawing.pictures.constFind(item.layout);
        if (found == drawing.pictures.constEnd())
            m_queue.append(item);
        else if (!found->isNull())
            emit ready(item.key, *found);
    }
    if (!m_queue.isEmpty())
        m_timer.start();
}

void LayoutPreviews::cancel()
{
    m_queue.clear();
    m_timer.stop();
}

void LayoutPreviews::next()
{
    const std::shared_ptr<acad::Host> app = m_connection.acadApp();
    if (m_queue.isEmpty() || !app || app.get() != m_host) {
        cancel();
        return;
    }
    const Item item = m_queue.takeFirst();
    QImage picture;
    try {
        picture = QImage::fromData(app->layoutPreview(m_doc, item.layout, m_size, m_size), "PNG");
    } catch (const std::exception&) {
        m_queue.clear();
    }
    m_kept[m_drawing].pictures.insert(item.layout, picture);
    if (picture.isNull())
        m_queue.clear();
    else
        emit ready(item.key, picture);
    if (!m_queue.isEmpty())
        m_timer.start();
}

} // namespace explorer
