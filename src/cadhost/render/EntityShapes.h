#pragma once

#include <QPainterPath>
#include <QStringList>
#include <QTransform>
#include <cadhost/engine/Drawing.h>
#include <optional>

// What an entity looks like, read from its DXF groups: outlines as paths and texts as lines with
// their anchor, in the entity's own coordinates (y up).
namespace cadhost::render {

struct TextShape
{
    QStringList lines;
    QPointF anchor;
    double height = 1;      // cap height
    double rotation = 0;    // degrees, counter-clockwise
    double widthFactor = 1; // stretches the glyphs along the line
    int horizontal = 0;     // 0 left, 1 centre, 2 right
    int vertical = 0;       // 0 baseline, 1 bottom, 2 middle, 3 top
    double lineSpacing = 0; // baseline to baseline
};

// The outline of a LINE, LWPOLYLINE, POLYLINE (2D), CIRCLE or ARC; nullopt for other types.
std::optional<QPainterPath> outlineOf(const Entity& entity);
// The text of a TEXT, ATTRIB or MTEXT; nullopt for other types.
std::optional<TextShape> textOf(const QString& dxfType, const QList<DxfGroup>& groups);
// From the entity's plane (extrusion 210/220/230) to the drawing's: a plane seen from below
// (0, 0, -1), as mirrored drawings have it, turns x round.
QTransform planeOf(const QList<DxfGroup>& groups);
// The ATTRIB records that travel inside an INSERT's groups, each as its own groups.
QList<QList<DxfGroup>> attributesOf(const QList<DxfGroup>& groups);

// MTEXT's text without formatting codes: \P breaks the line, stacked fractions become "a/b".
QStringList plainMText(const QString& raw);
// TEXT's control codes: %%c, %%d, %%p become their signs, %%u and %%o go.
QString plainText(const QString& raw);

} // namespace cadhost::render
