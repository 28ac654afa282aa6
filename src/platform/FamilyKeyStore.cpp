#include "FamilyKeyStore.h"

#include "ProgramFolder.h"
#include "UserSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace platform {

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
    if (!QFileInfo(file).isFile())
        return;
    QSettings key(file, QSettings::IniFormat);
    // A protected folder with a writable file, as an administrator may set it up, is still written.
    key.setAtomicSyncRequired(false);
    if (!key.isWritable())
        return;
    const bool existed = key.contains(name);
    const QVariant previous = key.value(name);
    key.setValue(name, value);
    key.sync();
    if (key.status() == QSettings::NoError)
        return;
    // The write is lost; keep Qt's shared cache of the file in line with the disk as well.
    if (existed)
        key.setValue(name, previous);
    else
        key.remove(name);
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
