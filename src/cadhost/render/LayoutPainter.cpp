#include "LayoutPainter.h"

#include "Blocks.h"
#include "EntityShapes.h"

#include <QFontMetricsF>
#include <QSet>
#include <QtMath>
#include <cadhost/dxf/DxfGroups.h>
#include <vector>

namespace cadhost::render {

namespace {

using namespace dxfgroups;

// Paper units per drawing unit of the standard scales (AcPlotScale); 0, scaled to fit, plots a
// layout 1:1, as its limits are its paper.
double standardScale(qint32 type)
{
    static constexpr double scales[] = {
        1,        1.0 / 1536, 1.0 / 768, 1.0 / 384, 1.0 / 192, 1.0 / 128, 1.0 / 96, 1.0 / 64, 1.0 / 48,
        1.0 / 32, 1.0 / 24,   1.0 / 16,  1.0 / 12,  1.0 / 4,   1.0 / 2,   1,        1,        1.0 / 2,
        1.0 / 4,  1.0 / 8,    1.0 / 10,  1.0 / 16,  1.0 / 20,  1.0 / 30,  1.0 / 40, 1.0 / 50, 1.0 / 100,
        2,        4,          8,         10,        100,       1000};
    return type >= 0 && type < qint32(std::size(scales)) ? scales[type] : 1;
}

double plotScale(const acad::PlotSettings& plot)
{
    if (plot.useStandardScale)
        return standardScale(plot.standardScale);
    return plot.scaleNumerator > 0 && plot.scaleDenominator > 0 ? plot.scaleNumerator / plot.scaleDenominator
                                                                : 1;
}

struct Pass
{
    QPainter& painter;
    const Drawing& drawing;
    Blocks blocks;
    QFont font;
    double capHeight = 1; // of font, in its own units
    QTransform base;      // the painter's own transform, under everything drawn
    acad::PlotResult result;
};

void stroke(Pass& p, const QPainterPath& path, const QTransform& toDevice)
{
    p.painter.drawPath(toDevice.map(path));
}

double baselineOf(const TextShape& t, qsizetype line, double descent)
{
    const qsizetype count = t.lines.size();
    switch (t.vertical) {
    case 1:
        return double(count - 1 - line) * t.lineSpacing + descent;
    case 2:
        return (t.height + double(count - 1) * t.lineSpacing) / 2 - t.height - double(line) * t.lineSpacing;
    case 3:
        return -t.height - double(line) * t.lineSpacing;
    default:
        return -double(line) * t.lineSpacing;
    }
}

void drawText(Pass& p, const TextShape& t, const QTransform& toDevice)
{
    if (!(t.height > 0))
        return;
    const QFontMetricsF metrics(p.font, p.painter.device());
    const double k = t.height / p.capHeight;
    const QTransform placed =
        QTransform().rotate(t.rotation) * QTransform::fromTranslate(t.anchor.x(), t.anchor.y()) * toDevice;
    for (qsizetype i = 0; i < t.lines.size(); ++i) {
        const double width = metrics.horizontalAdvance(t.lines.at(i)) * k * t.widthFactor;
        const double x = -width * t.horizontal / 2;
        const double y = baselineOf(t, i, metrics.descent() * k);
        // Glyphs grow downwards: the line's own y axis points down.
        p.painter.setTransform(QTransform::fromScale(k * t.widthFactor, -k) *
                               QTransform::fromTranslate(x, y) * placed * p.base);
        p.painter.drawText(QPointF(0, 0), t.lines.at(i));
    }
    p.painter.setTransform(p.base);
}

// LINE and MTEXT give their points in the drawing's coordinates, the others in their own plane.
QTransform entityPlane(const Entity& e)
{
    if (e.dxfType == QLatin1String("LINE") || e.dxfType == QLatin1String("MTEXT"))
        return {};
    return planeOf(e.extra);
}

void drawSimple(Pass& p, const Entity& e, const QTransform& toDevice)
{
    if (const auto path = outlineOf(e)) {
        stroke(p, *path, entityPlane(e) * toDevice);
        ++p.result.drawn;
    } else if (const auto text = textOf(e.dxfType, e.extra)) {
        drawText(p, *text, entityPlane(e) * toDevice);
        ++p.result.drawn;
    } else if (e.dxfType != QLatin1String("ATTDEF")) {
        // An attribute definition shows only through the attributes of its references.
        ++p.result.skipped;
    }
}

struct Frame
{
    const QList<Entity>* entities = nullptr;
    qsizetype next = 0;
    QTransform toDevice;
    QString block; // upper case; empty for the space itself
};

QTransform insertTransform(const BlockRef& b, QPointF base, const QList<DxfGroup>& groups)
{
    return QTransform::fromTranslate(-base.x(), -base.y()) * QTransform::fromScale(b.scale.x, b.scale.y) *
           QTransform().rotate(b.rotation) * QTransform::fromTranslate(b.insertion.x, b.insertion.y) *
           planeOf(groups);
}

// The reference's attributes, and the frame that draws its block; nothing for a block that is
// missing or would contain itself.
std::optional<Frame> enterBlock(Pass& p, const Entity& e, const QTransform& toDevice,
                                const QSet<QString>& open)
{
    for (const QList<DxfGroup>& attribute : attributesOf(e.extra)) {
        if (integer(attribute, own(attribute), 70, 0) & 1)
            continue; // invisible
        if (const auto text = textOf(QStringLiteral("ATTRIB"), attribute)) {
            drawText(p, *text, planeOf(attribute) * toDevice);
            ++p.result.drawn;
        }
    }
    const QString name = e.block.blockName.toUpper();
    const Blocks::Definition* definition = p.blocks.find(name);
    if (!definition || open.contains(name)) {
        ++p.result.skipped;
        return std::nullopt;
    }
    ++p.result.drawn;
    return Frame{&definition->entities, 0, insertTransform(e.block, definition->base, e.extra) * toDevice,
                 name};
}

void drawEntities(Pass& p, const QList<Entity>& entities, const QTransform& toDevice, bool paperSpace);

void drawViewport(Pass& p, const Entity& e, const QTransform& paperToDevice)
{
    const Viewport& v = e.viewport;
    // The layout's own viewport is the sheet itself; one switched off shows nothing.
    if (v.viewportId == 1 || v.status == 0)
        return;
    if (!(v.width > 0 && v.height > 0 && v.viewHeight > 0)) {
        ++p.result.skipped;
        return;
    }
    QPainterPath frame;
    frame.addRect(QRectF(v.center.x - v.width / 2, v.center.y - v.height / 2, v.width, v.height));
    const double scale = v.height / v.viewHeight;
    const QTransform modelToPaper = QTransform::fromTranslate(-v.viewCenter.x, -v.viewCenter.y) *
                                    QTransform::fromScale(scale, scale) *
                                    QTransform::fromTranslate(v.center.x, v.center.y);
    p.painter.save();
    p.painter.setClipPath(paperToDevice.map(frame), Qt::IntersectClip);
    drawEntities(p, p.drawing.modelSpace, modelToPaper * paperToDevice, false);
    p.painter.restore();
    stroke(p, frame, paperToDevice);
    ++p.result.drawn;
}

// Block references nest as deep as files make them; a work list instead of recursion keeps the stack
// flat, and a block inside itself is skipped.
void drawEntities(Pass& p, const QList<Entity>& entities, const QTransform& toDevice, bool paperSpace)
{
    std::vector<Frame> stack{Frame{&entities, 0, toDevice, {}}};
    QSet<QString> open;
    while (!stack.empty()) {
        Frame& top = stack.back();
        if (top.next == top.entities->size()) {
            open.remove(top.block);
            stack.pop_back();
            continue;
        }
        const Entity& e = top.entities->at(top.next++);
        const QTransform at = top.toDevice;
        if (e.entityType == acad::BlockReference) {
            if (std::optional<Frame> inner = enterBlock(p, e, at, open)) {
                open.insert(inner->block);
                stack.push_back(std::move(*inner));
            }
        } else if (e.entityType == acad::PViewport) {
            if (paperSpace && stack.size() == 1)
                drawViewport(p, e, at);
            else
                ++p.result.skipped;
        } else {
            drawSimple(p, e, at);
        }
    }
}

Pass makePass(QPainter& painter, const Drawing& drawing, const Layout& layout, const Style& style)
{
    Pass p{painter,
           drawing,
           Blocks(drawing, layout),
           QFont(QStringLiteral("DejaVu Sans")),
           1,
           painter.worldTransform(),
           {}};
    p.font.setStyleHint(QFont::SansSerif);
    p.font.setPixelSize(100);
    const double cap = QFontMetricsF(p.font, painter.device()).capHeight();
    p.capHeight = cap > 0 ? cap : 70;
    painter.setFont(p.font);
    QPen pen(Qt::black, style.penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    pen.setCosmetic(style.penWidth <= 0);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    return p;
}

// The corner points of what model space holds, near enough to fit it into a view.
QRectF modelExtents(const QList<Entity>& entities)
{
    double left = qInf(), bottom = qInf(), right = -qInf(), top = -qInf();
    for (const Entity& e : entities) {
        const Region at = own(e.extra);
        const double radius = e.dxfType == QLatin1String("CIRCLE") || e.dxfType == QLatin1String("ARC")
                                  ? std::abs(real(e.extra, at, 40, 0))
                                  : 0;
        for (qint32 code : {10, 11}) {
            if (find(e.extra, at, code) < 0)
                continue;
            const double x = real(e.extra, at, code, 0);
            const double y = real(e.extra, at, code + 10, 0);
            left = qMin(left, x - radius);
            right = qMax(right, x + radius);
            bottom = qMin(bottom, y - radius);
            top = qMax(top, y + radius);
        }
    }
    if (!(left <= right && bottom <= top))
        return QRectF(0, 0, 100, 100); // nothing drawn: any view will do
    // A line along an axis has no height: a small margin keeps the fit finite.
    const double pad = qMax(1.0, qMax(right - left, top - bottom) * 0.01);
    return QRectF(QPointF(left - pad, bottom - pad), QPointF(right + pad, top + pad));
}

QTransform fitRect(const QRectF& extents, const QRectF& target)
{
    const double margin = qMin(target.width(), target.height()) * 0.03;
    const QRectF inner = target.adjusted(margin, margin, -margin, -margin);
    const double f = qMin(inner.width() / extents.width(), inner.height() / extents.height());
    return QTransform::fromTranslate(-extents.center().x(), -extents.center().y()) *
           QTransform::fromScale(f, -f) * QTransform::fromTranslate(inner.center().x(), inner.center().y());
}

} // namespace

Sheet sheetOf(const Layout& layout)
{
    const acad::PlotSettings& plot = layout.plot;
    const QList<DxfGroup>& g = layout.extra;
    const Region at = subclass(g, QLatin1StringView("AcDbPlotSettings"));
    const auto value = [&](qint32 code) { return at.found ? real(g, at, code, 0) : 0.0; };
    Sheet s;
    // A paper whose size is still unknown is shown as the host's own A3 landscape.
    s.size = plot.paperWidth > 0 && plot.paperHeight > 0 ? QSizeF(plot.paperWidth, plot.paperHeight)
                                                         : QSizeF(420, 297);
    const double left = value(40);
    const double bottom = value(41);
    s.printable =
        QRectF(left, bottom, s.size.width() - left - value(42), s.size.height() - bottom - value(43));
    const bool inches = at.found && integer(g, at, 72, 1) == 0;
    const double scale = plotScale(plot) * (inches ? 25.4 : 1);
    // Paper space's origin is the printable area's lower-left corner, moved by the plot offset.
    s.fromPaper =
        QTransform::fromScale(scale, scale) * QTransform::fromTranslate(left + value(46), bottom + value(47));
    s.upsideDown = plot.plotRotation == 2 || plot.plotRotation == 3;
    return s;
}

QTransform pageTransform(const Sheet& sheet, double dotsPerMm)
{
    const double d = dotsPerMm;
    if (sheet.upsideDown)
        return QTransform(-d, 0, 0, d, sheet.size.width() * d, 0);
    return QTransform(d, 0, 0, -d, 0, sheet.size.height() * d);
}

QTransform fitTransform(const QSizeF& sheet, const QRectF& target)
{
    return fitRect(QRectF(QPointF(0, 0), sheet), target);
}

acad::PlotResult paintLayout(QPainter& painter, const Drawing& drawing, const Layout& layout,
                             const QTransform& sheetToDevice, const Style& style)
{
    const Sheet sheet = sheetOf(layout);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    const QPolygonF paper = sheetToDevice.map(QPolygonF(QRectF(QPointF(0, 0), sheet.size)));
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawPolygon(paper);
    if (style.printableFrame) {
        painter.setPen(QPen(Qt::gray, 0, Qt::DashLine));
        painter.setBrush(Qt::NoBrush);
        painter.drawPolygon(sheetToDevice.map(QPolygonF(sheet.printable)));
    }
    QPainterPath clip;
    clip.addPolygon(paper);
    painter.setClipPath(clip);
    Pass p = makePass(painter, drawing, layout, style);
    drawEntities(p, layout.entities, sheet.fromPaper * sheetToDevice, true);
    painter.restore();
    return p.result;
}

acad::PlotResult paintModel(QPainter& painter, const Drawing& drawing, const QRectF& target,
                            const Style& style)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.fillRect(target, Qt::white);
    painter.setClipRect(target);
    const Layout* model = drawing.layout(QStringLiteral("Model"));
    const Layout none;
    Pass p = makePass(painter, drawing, model ? *model : none, style);
    drawEntities(p, drawing.modelSpace, fitRect(modelExtents(drawing.modelSpace), target), false);
    painter.restore();
    return p.result;
}

} // namespace cadhost::render
