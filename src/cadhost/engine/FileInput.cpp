#include "FileInput.h"

#include <QFile>
#include <QFileDevice>
#include <acad/Error.h>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <new>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace cadhost {

namespace {

struct ErrnoText
{
    int number;
    const char* english; // as Qt words it, where it has a text of its own
    const char* german;
};

constexpr std::array kErrnoTexts{
    ErrnoText{ENOENT, "No such file or directory", "Die Datei oder der Ordner existiert nicht."},
    ErrnoText{EACCES, "Permission denied", "Zugriff verweigert."},
    ErrnoText{EPERM, nullptr, "Die Aktion ist nicht erlaubt."},
    ErrnoText{ENOSPC, "No space left on device", "Kein Speicherplatz mehr auf dem Gerät."},
    ErrnoText{EDQUOT, nullptr, "Das Speicherkontingent ist erschöpft."},
    ErrnoText{EROFS, nullptr, "Das Dateisystem ist schreibgeschützt."},
    ErrnoText{EISDIR, nullptr, "Das ist ein Ordner, keine Datei."},
    ErrnoText{ENOTDIR, nullptr, "Ein Teil des Pfades ist kein Ordner."},
    ErrnoText{ENAMETOOLONG, nullptr, "Der Dateiname ist zu lang."},
    ErrnoText{ELOOP, nullptr, "Zu viele symbolische Verknüpfungen im Pfad."},
    ErrnoText{EMFILE, "Too many open files", "Zu viele offene Dateien."},
    ErrnoText{ENFILE, nullptr, "Zu viele offene Dateien im System."},
    ErrnoText{EIO, nullptr, "Ein-/Ausgabefehler beim Zugriff auf das Gerät."},
    ErrnoText{EFBIG, nullptr, "Die Datei ist zu groß."},
    ErrnoText{ENOMEM, nullptr, "Nicht genug Arbeitsspeicher."},
    ErrnoText{EBUSY, nullptr, "Das Gerät oder die Datei ist belegt."},
    ErrnoText{EEXIST, nullptr, "Die Datei existiert bereits."},
    ErrnoText{EXDEV, nullptr, "Die Datei liegt auf einem anderen Dateisystem."},
    ErrnoText{ETXTBSY, nullptr, "Die Datei wird gerade ausgeführt."},
    ErrnoText{EAGAIN, nullptr, "Die Datei ist vorübergehend nicht verfügbar."},
    ErrnoText{ENXIO, nullptr, "Das Gerät oder die Adresse existiert nicht."},
};

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

QString germanReason(int errorNumber)
{
    for (const ErrnoText& t : kErrnoTexts) {
        if (t.number == errorNumber)
            return QString::fromUtf8(t.german);
    }
    return QStringLiteral("Systemfehler Nr. %1.").arg(errorNumber);
}

QString germanReason(const std::exception& e)
{
    if (dynamic_cast<const std::bad_alloc*>(&e))
        return QStringLiteral("Nicht genug Arbeitsspeicher.");
    if (dynamic_cast<const std::length_error*>(&e) || dynamic_cast<const std::out_of_range*>(&e))
        return QStringLiteral("Die Daten sind zu groß oder ungültig.");
    return QStringLiteral("Unerwarteter interner Fehler.");
}

QString germanReason(const QFileDevice& file)
{
    const QString text = file.errorString();
    for (const ErrnoText& t : kErrnoTexts) {
        if ((t.english && text == QLatin1String(t.english)) ||
            text == QString::fromLocal8Bit(std::strerror(t.number)))
            return QString::fromUtf8(t.german);
    }
    switch (file.error()) {
    case QFileDevice::ReadError:
        return QStringLiteral("Die Datei kann nicht gelesen werden.");
    case QFileDevice::WriteError:
        return QStringLiteral("Die Datei kann nicht geschrieben werden.");
    case QFileDevice::OpenError:
        return QStringLiteral("Die Datei kann nicht geöffnet werden.");
    case QFileDevice::PermissionsError:
        return QStringLiteral("Zugriff verweigert.");
    case QFileDevice::ResourceError:
        return QStringLiteral("Kein Speicherplatz oder keine Systemressourcen mehr frei.");
    case QFileDevice::RenameError:
        return QStringLiteral("Die Datei kann nicht ersetzt werden.");
    case QFileDevice::AbortError:
        return QStringLiteral("Das Schreiben wurde abgebrochen.");
    case QFileDevice::TimeOutError:
        return QStringLiteral("Zeitüberschreitung beim Zugriff auf die Datei.");
    default:
        return QStringLiteral("Unbekannter Dateifehler.");
    }
}

} // namespace cadhost
