#include "SystemError.h"

#include <QFileDevice>
#include <array>
#include <cerrno>
#include <cstring>

namespace platform {

namespace {

struct Reason
{
    int number;
    const char* german;
};

// The errors that opening, reading, writing, renaming and deleting a file can meet.
constexpr std::array kReasons{
    Reason{EACCES, "Zugriff verweigert"},
    Reason{EPERM, "Die Operation ist nicht erlaubt"},
    Reason{ENOENT, "Datei oder Ordner nicht gefunden"},
    Reason{ENOSPC, "Auf dem Datenträger ist kein Speicherplatz mehr frei"},
    Reason{EDQUOT, "Das Speicherkontingent ist erschöpft"},
    Reason{EFBIG, "Die Datei ist zu groß"},
    Reason{EROFS, "Der Datenträger ist schreibgeschützt"},
    Reason{EIO, "Ein-/Ausgabefehler"},
    Reason{EEXIST, "Die Datei ist bereits vorhanden"},
    Reason{EISDIR, "Das ist ein Ordner"},
    Reason{ENOTDIR, "Ein Teil des Pfades ist kein Ordner"},
    Reason{ENOTEMPTY, "Der Ordner ist nicht leer"},
    Reason{ENAMETOOLONG, "Der Dateiname ist zu lang"},
    Reason{ELOOP, "Zu viele symbolische Verknüpfungen"},
    Reason{EBUSY, "Das Gerät oder die Ressource ist belegt"},
    Reason{ETXTBSY, "Die Datei wird gerade ausgeführt"},
    Reason{EMFILE, "Zu viele offene Dateien"},
    Reason{ENFILE, "Zu viele offene Dateien im System"},
    Reason{EXDEV, "Verschieben zwischen Datenträgern ist nicht möglich"},
    Reason{EINVAL, "Ungültiges Argument"},
    Reason{ENOMEM, "Nicht genügend Speicher"},
    Reason{EAGAIN, "Die Ressource ist vorübergehend nicht verfügbar"},
    Reason{ENXIO, "Kein solches Gerät"},
    Reason{ENODEV, "Kein solches Gerät"},
};

} // namespace

QString germanReason(int errorNumber)
{
    for (const Reason& reason : kReasons) {
        if (reason.number == errorNumber)
            return QString::fromUtf8(reason.german);
    }
    return QStringLiteral("Systemfehler %1").arg(errorNumber);
}

QString germanReason(const QFileDevice& file)
{
    const QString english = file.errorString();
    for (const Reason& reason : kReasons) {
        if (english == QString::fromLocal8Bit(std::strerror(reason.number)))
            return QString::fromUtf8(reason.german);
    }
    switch (file.error()) {
    case QFileDevice::ReadError:
        return QStringLiteral("Lesefehler");
    case QFileDevice::WriteError:
        return QStringLiteral("Schreibfehler");
    case QFileDevice::OpenError:
        return QStringLiteral("Die Datei kann nicht geöffnet werden");
    case QFileDevice::RemoveError:
        return QStringLiteral("Die Datei kann nicht gelöscht werden");
    case QFileDevice::RenameError:
        return QStringLiteral("Die Datei kann nicht umbenannt werden");
    case QFileDevice::PermissionsError:
        return QStringLiteral("Zugriff verweigert");
    case QFileDevice::ResizeError:
        return QStringLiteral("Die Dateigröße kann nicht geändert werden");
    default:
        return QStringLiteral("Unbekannter Fehler");
    }
}

} // namespace platform
