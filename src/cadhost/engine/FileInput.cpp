#include "FileInput.h"

#include <QFile>
#include <acad/Error.h>
#include <cerrno>
#include <fcntl.h>
#include <new>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace cadhost {

namespace {

QString fileKind(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("Das ist ein Ordner, keine Datei.");
    if (S_ISFIFO(mode))
        return QStringLiteral("Das ist eine benannte Pipe (FIFO), keine gewöhnliche Datei.");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("Das ist ein Gerät, keine gewöhnliche Datei.");
    if (S_ISSOCK(mode))
        return QStringLiteral("Das ist ein Socket, keine gewöhnliche Datei.");
    return QStringLiteral("Das ist keine gewöhnliche Datei.");
}

QString tooLarge(qint64 maxBytes)
{
    return QStringLiteral("Die Datei ist größer als %1 MB.").arg(maxBytes / (1024 * 1024));
}

class Descriptor final
{
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

// Reads up to maxBytes + 1 bytes: one more than allowed tells that the file grew past the limit.
QByteArray readAtMost(int fd, qint64 maxBytes, QString& problem)
{
    QByteArray bytes;
    char buffer[65536];
    while (bytes.size() <= maxBytes) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            problem = germanReason(errno);
            return {};
        }
        if (n == 0)
            return bytes;
        bytes.append(buffer, n);
    }
    problem = tooLarge(maxBytes);
    return {};
}

} // namespace

QByteArray readWholeFile(const QString& path, qint64 maxBytes, const QString& message)
{
    const auto fail = [&](const QString& reason) { throw acad::Error(message.arg(path, reason)); };
    const QByteArray native = QFile::encodeName(path);
    struct stat st
    {
    };
    // Looked at before opening: opening some devices already does something.
    if (::stat(native.constData(), &st) != 0)
        fail(germanReason(errno));
    if (!S_ISREG(st.st_mode))
        fail(fileKind(st.st_mode));
    // Non-blocking, so that a pipe put in the file's place meanwhile cannot block the open.
    const Descriptor fd(::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0)
        fail(germanReason(errno));
    if (::fstat(fd.get(), &st) != 0)
        fail(germanReason(errno));
    if (!S_ISREG(st.st_mode))
        fail(fileKind(st.st_mode));
    if (st.st_size > maxBytes)
        fail(tooLarge(maxBytes));
    QString problem;
    QByteArray bytes = readAtMost(fd.get(), maxBytes, problem);
    if (!problem.isEmpty())
        fail(problem);
    return bytes;
}

QString germanReason(const std::exception& e)
{
    if (dynamic_cast<const std::bad_alloc*>(&e))
        return QStringLiteral("Nicht genug Arbeitsspeicher.");
    if (dynamic_cast<const std::length_error*>(&e) || dynamic_cast<const std::out_of_range*>(&e))
        return QStringLiteral("Die Daten sind zu groß oder ungültig.");
    return QStringLiteral("Unerwarteter interner Fehler.");
}

} // namespace cadhost
