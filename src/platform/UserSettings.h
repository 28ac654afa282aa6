#pragma once

#include <QString>
#include <QVariant>

// The per-user settings store: application "Blattwart für AutoCAD 2007", one string value per key,
// in sections ("Settings" for the window, view and list). An INI file in the user's configuration
// folder ($XDG_CONFIG_HOME).
namespace platform {

inline const QString kSettingsSection = QStringLiteral("Settings");

QString GetSetting(const QString& key, const QString& defaultValue = QString(),
                   const QString& section = kSettingsSection);
void SaveSetting(const QString& key, const QString& value, const QString& section = kSettingsSection);

// A stored value as text. Settings are strings, but QSettings reads an unquoted value with commas
// as a list.
QString settingText(const QVariant& value);

// The file behind the store, for messages and tests.
QString userSettingsFile();

} // namespace platform
