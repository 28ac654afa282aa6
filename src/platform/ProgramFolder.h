#pragma once

#include <QString>

namespace platform {

// The product folder: $KVARTO_PROGRAM_DIR, or else the folder of the running program file.
QString programFolder();

// "Blattwart für AutoCAD 2007": the caption of every message box and the per-user settings'
// application name.
QString programTitle();

// Joins two path parts with "/", never doubling the separator.
QString joinPath(const QString& a, const QString& b);

} // namespace platform
