#include "MemoryStore.h"

#include <acad/Error.h>

namespace cadhost {

Drawing MemoryStore::load(const QString& path)
{
    const auto it = m_drawings.constFind(path);
    if (it == m_drawings.constEnd())
        throw acad::Error(QStringLiteral("Die Datei wurde nicht gefunden: %1").arg(path));
    return *it;
}

void MemoryStore::save(const Drawing& drawing, const QString& path)
{
    if (m_failing.contains(path))
        throw acad::Error(QStringLiteral("Die Datei kann nicht geschrieben werden: %1").arg(path));
    m_drawings.insert(path, drawing);
    ++m_saves;
}

bool MemoryStore::exists(const QString& path)
{
    return m_drawings.contains(path);
}

void MemoryStore::put(const QString& path, const Drawing& drawing)
{
    m_drawings.insert(path, drawing);
}

void MemoryStore::remove(const QString& path)
{
    m_drawings.remove(path);
}

QStringList MemoryStore::paths() const
{
    return m_drawings.keys();
}

void MemoryStore::failSaves(const QString& path, bool fail)
{
    m_failing.removeAll(path);
    if (fail)
        m_failing.append(path);
}

} // namespace cadhost
