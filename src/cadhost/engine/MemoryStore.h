#pragma once

#include "Drawing.h"

#include <QHash>

namespace cadhost {

// Drawings kept in memory under their path, for tests and for a host without files.
// Paths are compared as given.
class MemoryStore final : public DrawingStore
{
public:
    Drawing load(const QString& path) override;
    void save(const Drawing& drawing, const QString& path) override;
    bool exists(const QString& path) override;

    void put(const QString& path, const Drawing& drawing);
    void remove(const QString& path);
    QStringList paths() const;
    int saveCount() const { return m_saves; }
    // The next save to this path fails, as a full disk or a locked file would.
    void failSaves(const QString& path, bool fail);

private:
    QHash<QString, Drawing> m_drawings;
    QStringList m_failing;
    int m_saves = 0;
};

} // namespace cadhost
