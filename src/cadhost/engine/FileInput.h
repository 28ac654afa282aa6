#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

class QFileDevice;

// Reading the files the host opens (drawings, templates, menu files, macro projects, scripts) and the
// German reasons of failed file operations.
namespace cadhost {

// The whole file, when it is a regular file of at most maxBytes. A pipe would block the host for
// good and a device may never end, so neither is opened for reading. Throws acad::Error with
// message.arg(path, reason), the reason German.
QByteArray readWholeFile(const QString& path, qint64 maxBytes, const QString& message);

// The German text of a system error number ("Kein Speicherplatz mehr auf dem Gerät.").
QString germanReason(int errorNumber);
// The German reason of a failed operation of file: the system error its text stands for, else the
// kind of the error. Qt's own texts are English.
QString germanReason(const QFileDevice& file);
// The German reason of an exception that is no automation error: the library's texts are English.
QString germanReason(const std::exception& e);

} // namespace cadhost
