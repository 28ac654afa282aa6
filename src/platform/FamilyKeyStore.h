#pragma once

#include <QString>

// The machine-wide key store of the product family, standing in for HKEY_LOCAL_MACHINE. Each key path
// is one INI file below $KVARTO_MACHINE_CONFIG_DIR (default /etc/xdg): "SOFTWARE\Velmora\Kvarto 2.1"
// lives in "Velmora/Kvarto 2.1.ini", its string values in the file's [General] section.
// Nothing is cached: every call opens the file, reads or writes one value, and closes it again.
namespace platform {

QString familyKeyFolder();
QString familyKeyFile(const QString& keyPath);

// The value's whole text; false (and an empty text) when the key or the value is missing.
bool tryReadFamilyValue(const QString& keyPath, const QString& name, QString* value);
// The value's whole text, or "" when the key or the value is missing.
QString readFamilyValue(const QString& keyPath, const QString& name);

// Writes into an existing key. A missing key is never created, and a write that the user may not
// make is lost without a message, as with the registry.
void writeFamilyValue(const QString& keyPath, const QString& name, const QString& value);

// The installer's part: creates the key (an empty file) when it is missing. True when it exists after.
bool createFamilyKey(const QString& keyPath);

} // namespace platform
