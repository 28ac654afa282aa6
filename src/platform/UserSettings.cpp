#include "UserSettings.h"

#include "ProgramFolder.h"

#include <QSettings>

namespace platform {

QString settingText(const QVariant& value)
{
    // An unquoted value with commas, as a hand-edited file may hold, reads as a list.
    if (value.metaType().id() == QMetaType::QStringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

QString GetSetting(const QString& key, const QString& defaultValue, const QString& section)
{
    QSettings store(QSettings::IniFormat, QSettings::UserScope, programTitle());
    store.beginGroup(section);
    if (!store.contains(key))
        return defaultValue;
    return settingText(store.value(key));
}

void SaveSetting(const QString& key, const QString& value, const QString& section)
{
    QSettings store(QSettings::IniFormat, QSettings::UserScope, programTitle());
    store.beginGroup(section);
    store.setValue(key, value);
}

QString userSettingsFile()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, programTitle()).fileName();
}

} // namespace platform
