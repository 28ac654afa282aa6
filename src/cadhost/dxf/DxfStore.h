#pragma once

#include <cadhost/engine/Drawing.h>

namespace cadhost {

// Drawings as DXF files, whatever their extension (.dwg, .dwt, .dxf). Writes are atomic: a temporary
// file in the same folder, then a rename, so that a failed save leaves the old file as it was.
class DxfStore final : public DrawingStore
{
public:
    Drawing load(const QString& path) override;
    void save(const Drawing& drawing, const QString& path) override;
    bool exists(const QString& path) override;
};

} // namespace cadhost
