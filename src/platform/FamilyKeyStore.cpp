#include "FamilyKeyStore.h"

#include "Error.h"
#include "ProgramFolder.h"
#include "SystemError.h"
#include "UserSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

// The key's text with one value set, written by Qt's own INI writer into a copy outside the store.
QByteArray withValue(const QByteArray& old, const QString& name, const QString& value)
{
    const QTemporaryDir scratch;
    const QString copy = scratch.filePath(QStringLiteral("key.ini"));
    {
        QFile out(copy);
        if (!out.open(QIODevice::WriteOnly) || out.write(old) != old.size())
            throw Error(QStringLiteral("Der Wert \"%1\" kann nicht vorbereitet werden: %2")
                            .arg(name, germanReason(out)));
    }
    {
        QSettings key(copy, QSettings::IniFormat);
        key.setValue(name, value);
        key.sync();
        if (key.status() != QSettings::NoError)
            throw Error(QStringLiteral("Der Wert \"%1\" kann nicht vorbereitet werden.").arg(name));
    }
    QFile in(copy);
    in.open(QIODevice::ReadOnly);
    return in.readAll();
}

bool writeAll(int fd, const QByteArray& bytes, qsizetype from, qsizetype to)
{
    for (qsizetype at = from; at < to;) {
        const ssize_t n = ::pwrite(fd, bytes.constData() + at, size_t(to - at), off_t(at));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        at += n;
    }
    return true;
}

} // namespace

QString familyKeyFolder()
{
    const QString overridden = qEnvironmentVariable("KVARTO_MACHINE_CONFIG_DIR");
    return QDir::cleanPath(overridden.isEmpty() ? QStringLiteral("/etc/xdg") : overridden);
}

QString familyKeyFile(const QString& keyPath)
{
    QStringList parts = keyPath.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    if (!parts.isEmpty() && parts.first().toUpper() == QLatin1String("SOFTWARE"))
        parts.removeFirst();
    // A key path never leaves the store's folder.
    parts.removeIf([](const QString& p) { return p == QLatin1String(".") || p == QLatin1String(".."); });
    QString file = familyKeyFolder();
    for (const QString& part : std::as_const(parts))
        file = joinPath(file, part);
    return file + QStringLiteral(".ini");
}

bool tryReadFamilyValue(const QString& keyPath, const QString& name, QString* value)
{
    value->clear();
    const QString file = familyKeyFile(keyPath);
    if (!QFileInfo(file).isFile())
        return false;
    const QSettings key(file, QSettings::IniFormat);
    if (!key.contains(name))
        return false;
    *value = settingText(key.value(name));
    return true;
}

QString readFamilyValue(const QString& keyPath, const QString& name)
{
    QString value;
    tryReadFamilyValue(keyPath, name, &value);
    return value;
}

void writeFamilyValue(const QString& keyPath, const QString& name, const QString& value)
{
    const QString file = familyKeyFile(keyPath);
    if (!QFileInfo(file).isFile() || !QFileInfo(file).isWritable())
        return;
    QByteArray old;
    {
        QFile current(file);
        if (!current.open(QIODevice::ReadOnly))
            return;
        old = current.readAll();
    }
    const QByteArray updated = withValue(old, name, value);
    if (const int error = overwriteInPlace(file, old, updated); error != 0)
        throw Error(QStringLiteral("Der Wert \"%1\" kann nicht in \"%2\" gespeichert werden: %3 "
                                   "Die Datei ist unverändert.")
                        .arg(name, file, germanReason(error)));
}

int overwriteInPlace(const QString& path, const QByteArray& old, const QByteArray& updated)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const qsizetype oldSize = old.size();
    const qsizetype common = std::min(oldSize, updated.size());
    int error = 0;
    if (!writeAll(fd, updated, common, updated.size())) {
        error = errno;
        (void)::ftruncate(fd, off_t(oldSize));
    } else if (!writeAll(fd, updated, 0, common)) {
        error = errno;
        (void)writeAll(fd, old, 0, oldSize);
        (void)::ftruncate(fd, off_t(oldSize));
    } else if (::ftruncate(fd, off_t(updated.size())) != 0 || ::fsync(fd) != 0) {
        error = errno;
    }
    ::close(fd);
    return error;
}

bool createFamilyKey(const QString& keyPath)
{
    const QString file = familyKeyFile(keyPath);
    if (QFileInfo(file).isFile())
        return true;
    if (!QDir().mkpath(QFileInfo(file).absolutePath()))
        return false;
    QFile f(file);
    return f.open(QIODevice::WriteOnly | QIODevice::Append);
}

} // namespace platform
