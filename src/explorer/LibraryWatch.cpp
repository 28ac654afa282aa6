#include "LibraryWatch.h"

#include <QFileInfo>

namespace explorer {

namespace {
// A file system keeps times in steps; a change this close to a listing might not move the folder's
// time past the one taken, so such a listing is not trusted until the folder has been quiet.
constexpr qint64 kSettleMs = 1000;
} // namespace

LibraryWatch::LibraryWatch(QObject* parent) : QObject(parent)
{
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, [this] { m_stale = true; });
}

QDateTime LibraryWatch::stampOf(const QString& folder) const
{
    return QFileInfo(folder).lastModified();
}

bool LibraryWatch::needsRead(const QString& folder) const
{
    return m_stale || folder != m_folder || stampOf(folder) != m_stamp;
}

void LibraryWatch::beginRead(const QString& folder)
{
    if (folder != m_folder) {
        if (!m_watcher.directories().isEmpty())
            m_watcher.removePaths(m_watcher.directories());
        m_folder = folder;
    }
    // A folder the system cannot watch (no inotify left) is listed on every refresh, as before.
    m_watched = m_watcher.directories().contains(folder) || m_watcher.addPath(folder);
    m_stamp = stampOf(folder);
    const qint64 age = m_stamp.msecsTo(QDateTime::currentDateTime());
    m_recent = !m_stamp.isValid() || age < kSettleMs;
    m_stale = true;
}

void LibraryWatch::endRead()
{
    m_stale = !m_watched || m_recent;
}

void LibraryWatch::invalidate()
{
    m_stale = true;
}

} // namespace explorer
