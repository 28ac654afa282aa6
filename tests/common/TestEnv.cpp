#include "TestEnv.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QTemporaryDir>
#include <QtDebug>
#include <csignal>
#include <grp.h>
#include <unistd.h>

namespace testsupport {

namespace {

constexpr uid_t kNobody = 65534;
constexpr gid_t kNoGroup = 65534;

} // namespace

AsUnprivileged::AsUnprivileged()
{
    if (geteuid() != 0)
        return;
    const int n = getgroups(0, nullptr);
    m_groups.resize(n > 0 ? n : 0);
    if (n > 0)
        getgroups(n, m_groups.data());
    const gid_t none[] = {kNoGroup};
    // The saved ids stay 0, so the destructor can come back.
    if (setgroups(1, none) != 0 || setresgid(kNoGroup, kNoGroup, 0) != 0 ||
        setresuid(kNobody, kNobody, 0) != 0)
        qFatal("cannot drop root's rights for the test");
    m_active = true;
}

AsUnprivileged::~AsUnprivileged()
{
    if (!m_active)
        return;
    if (setresuid(0, 0, 0) != 0 || setresgid(0, 0, 0) != 0 ||
        setgroups(m_groups.size(), m_groups.constData()) != 0)
        qFatal("cannot regain root's rights after the test");
}

ScopedEnv::ScopedEnv(const char* name, const QString& value)
    : m_name(name), m_saved(qgetenv(name)), m_wasSet(qEnvironmentVariableIsSet(name))
{
    qputenv(name, QFile::encodeName(value));
}

ScopedEnv::~ScopedEnv()
{
    if (m_wasSet)
        qputenv(m_name, m_saved);
    else
        qunsetenv(m_name);
}

PublicTempDir::PublicTempDir()
{
    QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/blattwart-test-XXXXXX"));
    dir.setAutoRemove(false);
    m_path = dir.path();
    QFile::setPermissions(m_path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup |
                                      QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther);
}

PublicTempDir::~PublicTempDir()
{
    removeTree(m_path);
}

bool writeFile(const QString& path, const QByteArray& content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
}

void removeTree(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return;
    if (info.isDir()) {
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QDirIterator it(path, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString entry = it.next();
            QFile::setPermissions(entry, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        QDir(path).removeRecursively();
    } else {
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
        QFile::remove(path);
    }
}

bool makeReadOnly(const QString& path)
{
    const QFileInfo info(path);
    const QFile::Permissions read = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
    const QFile::Permissions exec = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
    return QFile::setPermissions(path, info.isDir() ? read | exec : read);
}

} // namespace testsupport

namespace testsupport {

FileSizeLimit::FileSizeLimit(qint64 bytes)
{
    getrlimit(RLIMIT_FSIZE, &m_old);
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = m_old;
    limit.rlim_cur = rlim_t(bytes);
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit()
{
    setrlimit(RLIMIT_FSIZE, &m_old);
    std::signal(SIGXFSZ, m_oldHandler);
}

} // namespace testsupport
