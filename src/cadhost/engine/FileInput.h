#pragma once

#include <QByteArray>
#include <QString>
#include <exception>
#include <platform/SystemError.h>

// Reading the files the host opens (drawings, templates, menu files, macro projects, scripts) and the
// German reasons of failed file operations.
namespace cadhost {

// The whole file, when it is a regular file of at most maxBytes. A pipe would block the host for
// good and a device may never end, so neither is opened for reading. Throws acad::Error with
// message.arg(path, reason), the reason German.
QByteArray readWholeFile(const QString& path, qint64 maxBytes, const QString& message);

// The German reasons of system errors and file errors are the program's own.
using platform::germanReason;
// The German reason of an exception that is no automation error: the library's texts are English.
QString germanReason(const std::exception& e);

} // namespace cadhost
