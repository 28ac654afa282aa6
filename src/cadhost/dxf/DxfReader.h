#pragma once

#include <QByteArray>
#include <cadhost/engine/Drawing.h>

namespace cadhost {

// Reads DXF text into the model; everything the model does not hold goes to Drawing::preserved.
// Throws DxfError with the line of the fault.
Drawing readDxf(const QByteArray& bytes);

struct DxfRecord;

// The entities of a block's records as the engine models them: attributes and vertices travel inside
// the INSERT or POLYLINE before them, as in a layout.
QList<Entity> entitiesOf(const QList<DxfRecord>& records);

// The AutoCAD entity number of a DXF entity type, 0 when the host knows none.
qint32 entityNumber(QStringView dxfType);

} // namespace cadhost
