#pragma once

#include <QString>

class QFileDevice;

namespace platform {

// The reason of a failed system call in German, for messages that say why: the C library and Qt
// give it in English ("No space left on device"), and the windows are German.
QString germanReason(int errorNumber);

// The reason of a failed file operation in German. Qt keeps only the English text of the error; it
// is matched against the C library's texts of the errors that file operations meet.
QString germanReason(const QFileDevice& file);

} // namespace platform
