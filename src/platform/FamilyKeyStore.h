#pragma once

#include <QByteArray>
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
// make is lost without a message, as with the registry. A write that fails on the way (a full disk)
// leaves the file as it was and throws platform::Error saying why.
void writeFamilyValue(const QString& keyPath, const QString& name, const QString& value);

// Replaces a file's bytes (now `old`) with `updated` in place: the store's folder is often not
// writable, so no temporary file can take the key's place, and the file keeps its owner, group and
// mode. The part beyond the old end is written first: on a full disk that fails before a byte of the
// old text is touched, and the rest overwrites space the file holds already. A failure leaves the old
// bytes; the errno of a failure, else 0.
int overwriteInPlace(const QString& path, const QByteArray& old, const QByteArray& updated);

// The installer's part: creates the key (an empty file) when it is missing. True when it exists after.
bool createFamilyKey(const QString& keyPath);

} // namespace platform
