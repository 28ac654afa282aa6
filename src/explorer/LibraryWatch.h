#pragma once

#include <QDateTime>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>

namespace explorer {

// Whether the template library folder has to be listed again. Listing a large library on every return
// to the window costs more than everything else of a refresh; the folder is watched instead, and its
// own modification time catches what Blattwart itself changed there just before a refresh, before
// the watcher's report has arrived.
class LibraryWatch final : public QObject
{
public:
    explicit LibraryWatch(QObject* parent = nullptr);

    // True for the first read, another folder, a change seen since the last read, or after invalidate().
    bool needsRead(const QString& folder) const;
    // Around a listing of the folder: from its start the folder is watched and its time taken, so
    // that a change while it is listed is seen by the next refresh; only a completed listing counts.
    void beginRead(const QString& folder);
    void endRead();
    // The next refresh lists the folder whatever the watch says ("Aktualisieren").
    void invalidate();

private:
    QDateTime stampOf(const QString& folder) const;

    QFileSystemWatcher m_watcher;
    QString m_folder;
    QDateTime m_stamp;
    bool m_stale = true;
    bool m_watched = false;
    // The folder changed so shortly before the listing that a further change may keep its time.
    bool m_recent = false;
};

} // namespace explorer
