#pragma once

#include <QByteArray>
#include <cadhost/engine/Drawing.h>

namespace cadhost {

// Writes the drawing as DXF text. What the file held beyond the model (Drawing::preserved) comes back
// as it was read; a drawing without it gets the structure of a new drawing. Handles stay where they
// are unique; copies and new objects get fresh ones, and $HANDSEED lies above them all.
QByteArray writeDxf(const Drawing& drawing);

// A new drawing: the layouts "Model" and "Layout1", each "Layout1" with its own viewport.
Drawing emptyDrawing();

} // namespace cadhost
