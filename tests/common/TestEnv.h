#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <sys/types.h>

namespace testsupport {

// Runs the enclosed code without root's rights, so that read-only files and folders refuse writes
// even when the tests run as root (as CI does). Does nothing for an ordinary user.
class AsUnprivileged final
{
public:
    AsUnprivileged();
    ~AsUnprivileged();
    AsUnprivileged(const AsUnprivileged&) = delete;
    AsUnprivileged& operator=(const AsUnprivileged&) = delete;

    bool active() const { return m_active; }

private:
    bool m_active = false;
    QList<gid_t> m_groups;
};

// Writes a file, creating its folder. False on failure.
bool writeFile(const QString& path, const QByteArray& content);

// Removes a folder with everything in it, read-only parts included.
void removeTree(const QString& path);

// Read-only for everybody (files 0444, folders 0555).
bool makeReadOnly(const QString& path);

} // namespace testsupport
