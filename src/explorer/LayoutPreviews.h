#pragma once

#include <QHash>
#include <QImage>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <acad/Types.h>

namespace explorer {

class AcadConnection;

// The pictures of the large-icon list of a drawing's layouts. They are asked of the CAD program one at
// a time on a zero timer, so that the list answers the user while they come in, and kept by drawing
// and layout until the drawing's revision changes: a repeated listing of an unchanged drawing costs
// one call (the revision), none per layout. A layout whose picture fails keeps its image and is not
// asked again until the drawing changes; the first failure ends the round, so that a host that has
// gone costs one failed call, not one per layout.
class LayoutPreviews final : public QObject
{
    Q_OBJECT

public:
    struct Item
    {
        QString key; // the list item's
        acad::ObjectId layout = 0;
    };

    explicit LayoutPreviews(AcadConnection& connection, QObject* parent = nullptr);

    // The side of the pictures asked for, in pixels.
    void setSize(int pixels) { m_size = pixels; }
    int size() const { return m_size; }
    // The list shows these layouts of the drawing (its identity and open document): kept pictures
    // are handed out at once, the others follow one per step. Replaces what was asked before.
    void request(const QString& gesamt, acad::DocId doc, const QList<Item>& items);
    // The list shows something else.
    void cancel();
    bool busy() const { return !m_queue.isEmpty(); }
    // Pictures and failures kept, over every drawing.
    int kept() const;

signals:
    void ready(const QString& key, const QImage& picture);

private:
    struct Drawing
    {
        qint64 revision = -1;
        QHash<acad::ObjectId, QImage> pictures; // a null picture: the host could not give one
    };

    void next();
    void checkHost();

    AcadConnection& m_connection;
    const void* m_host = nullptr; // the host whose drawings the kept pictures show
    QHash<QString, Drawing> m_kept;
    QString m_drawing; // key of m_kept the queue fills
    acad::DocId m_doc = 0;
    QList<Item> m_queue;
    QTimer m_timer;
    int m_size = 96;
};

} // namespace explorer
