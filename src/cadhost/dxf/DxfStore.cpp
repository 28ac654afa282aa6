#include "DxfStore.h"

#include "DxfError.h"
#include "DxfReader.h"
#include "DxfWriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <acad/Error.h>
#include <cadhost/engine/FileInput.h>

namespace cadhost {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("cadhost::DxfStore", text);
}

// Far above any drawing the host makes; the reader needs several times the file's size in memory.
constexpr qint64 kMaxDrawingBytes = qint64(512) * 1024 * 1024;

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

Drawing DxfStore::load(const QString& path)
{
    const QByteArray bytes =
        readWholeFile(shown(path), kMaxDrawingBytes, tr("Die Zeichnung „%1“ kann nicht geöffnet werden: %2"));
    try {
        return readDxf(bytes);
    } catch (const DxfError& e) {
        if (e.line() > 0)
            throw acad::Error(tr("Die Zeichnung „%1“ ist fehlerhaft (Zeile %2): %3")
                                  .arg(shown(path))
                                  .arg(e.line())
                                  .arg(e.reason()));
        throw acad::Error(tr("Die Zeichnung „%1“ ist fehlerhaft: %2").arg(shown(path), e.reason()));
    }
}

void DxfStore::save(const Drawing& drawing, const QString& path)
{
    QByteArray bytes;
    try {
        bytes = writeDxf(drawing);
    } catch (const DxfError& e) {
        // Refused before the file is touched: the old file stays whole.
        throw acad::Error(
            tr("Die Zeichnung „%1“ kann nicht gespeichert werden: %2").arg(shown(path), e.reason()));
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        const QString reason = germanReason(file);
        file.cancelWriting();
        throw acad::Error(
            tr("Die Zeichnung „%1“ kann nicht gespeichert werden: %2").arg(shown(path), reason));
    }
}

bool DxfStore::exists(const QString& path)
{
    return QFileInfo(path).isFile();
}

} // namespace cadhost
