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

namespace cadhost {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("cadhost::DxfStore", text);
}

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

Drawing DxfStore::load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw acad::Error(
            tr("Die Zeichnung „%1“ kann nicht geöffnet werden: %2").arg(shown(path), file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw acad::Error(
            tr("Die Zeichnung „%1“ kann nicht gelesen werden: %2").arg(shown(path), file.errorString()));
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
    const QByteArray bytes = writeDxf(drawing);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        const QString reason = file.errorString();
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
