#pragma once

#include <QJsonObject>
#include <cadhost/engine/Drawing.h>

namespace cadhost {

// What the host reads from a drawing, as JSON: the layouts in tab order with their plot settings,
// each layout's paper-space entities with their extended data, and how much it keeps unmodelled.
QJsonObject dumpDrawing(const Drawing& drawing);

} // namespace cadhost
