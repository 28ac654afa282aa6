#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <sys/resource.h>
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

// No file of this process may grow beyond the size given, as long as it lives: a write past it fails
// as on a full disk (EFBIG instead of ENOSPC), without the signal that would end the process.
class FileSizeLimit final
{
public:
    explicit FileSizeLimit(qint64 bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

// Sets an environment variable for as long as it lives.
class ScopedEnv final
{
public:
    ScopedEnv(const char* name, const QString& value);
    ~ScopedEnv();
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* m_name;
    QByteArray m_saved;
    bool m_wasSet;
};

// A temporary folder that every user may enter, for tests that run parts AsUnprivileged: the test's
// own home may lie below a folder that only root can enter.
class PublicTempDir final
{
public:
    PublicTempDir();
    ~PublicTempDir();
    PublicTempDir(const PublicTempDir&) = delete;
    PublicTempDir& operator=(const PublicTempDir&) = delete;

    const QString& path() const { return m_path; }

private:
    QString m_path;
};

// Writes a file, creating its folder. False on failure.
bool writeFile(const QString& path, const QByteArray& content);

// Removes a folder with everything in it, read-only parts included.
void removeTree(const QString& path);

// Read-only for everybody (files 0444, folders 0555).
bool makeReadOnly(const QString& path);

} // namespace testsupport
