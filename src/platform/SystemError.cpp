#include "SystemError.h"

#include <QFileDevice>
#include <QString>
#include <array>
#include <cerrno>
#include <cstring>

namespace platform {

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

} // namespace

QString germanReason(int errorNumber)
{
    for (const ErrnoText& t : kErrnoTexts) {
        if (t.number == errorNumber)
            return QString::fromUtf8(t.german);
    }
    return QStringLiteral("Systemfehler Nr. %1.").arg(errorNumber);
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

} // namespace platform
