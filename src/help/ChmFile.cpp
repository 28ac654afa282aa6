#include "ChmFile.h"

#include <QFile>
#include <QFileInfo>
#include <chm_lib.h>
#include <cstring>

namespace help {

namespace {

// No page, picture or table of contents of a help file comes near this; a bigger length is a
// damaged directory entry and must not become an allocation.
constexpr LONGUINT64 kMaxObjectSize = 64 * 1024 * 1024;

bool resolve(chmFile* handle, const QString& path, chmUnitInfo* unit)
{
    const QByteArray name = path.toUtf8();
    if (name.size() > CHM_MAX_PATHLEN)
        return false;
    return chm_resolve_object(handle, name.constData(), unit) == CHM_RESOLVE_SUCCESS;
}

quint16 le16(const QByteArray& data, qsizetype at)
{
    return quint16(quint8(data[at])) | quint16(quint8(data[at + 1]) << 8);
}

} // namespace

ChmFile::ChmFile(chmFile* handle) : m_handle(handle) {}

ChmFile::~ChmFile()
{
    chm_close(m_handle);
}

std::unique_ptr<ChmFile> ChmFile::open(const QString& fileName)
{
    if (!QFileInfo(fileName).isFile())
        return nullptr;
    chmFile* handle = chm_open(QFile::encodeName(fileName).constData());
    if (!handle)
        return nullptr;
    std::unique_ptr<ChmFile> file(new ChmFile(handle));
    // Every help file has its system data; a file whose directory does not yield it is damaged.
    if (!file->read(QStringLiteral("/#SYSTEM")))
        return nullptr;
    return file;
}

bool ChmFile::contains(const QString& path) const
{
    chmUnitInfo unit;
    return resolve(m_handle, path, &unit);
}

std::optional<QByteArray> ChmFile::read(const QString& path) const
{
    chmUnitInfo unit;
    if (!resolve(m_handle, path, &unit) || unit.length > kMaxObjectSize)
        return std::nullopt;
    QByteArray bytes(qsizetype(unit.length), '\0');
    if (unit.length == 0)
        return bytes;
    const LONGINT64 got = chm_retrieve_object(m_handle, &unit, reinterpret_cast<unsigned char*>(bytes.data()),
                                              0, LONGINT64(unit.length));
    if (got != LONGINT64(unit.length))
        return std::nullopt;
    return bytes;
}

QString ChmFile::contentsPath() const
{
    // The system data: a version, then records of code, length and data; code 0 names the
    // table of contents.
    const std::optional<QByteArray> system = read(QStringLiteral("/#SYSTEM"));
    if (!system)
        return {};
    qsizetype at = 4;
    while (at + 4 <= system->size()) {
        const quint16 code = le16(*system, at);
        const quint16 length = le16(*system, at + 2);
        at += 4;
        if (at + length > system->size())
            break;
        if (code == 0) {
            const QByteArray name = system->mid(at, length);
            const QString text =
                QString::fromLatin1(name.left(qsizetype(::strnlen(name.constData(), length))));
            if (text.isEmpty() || text.startsWith(QLatin1Char('/')))
                return text;
            return QLatin1Char('/') + text;
        }
        at += length;
    }
    return {};
}

} // namespace help
