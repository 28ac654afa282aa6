#include "EntityShapes.h"

#include <QtMath>
#include <cadhost/dxf/DxfGroups.h>
#include <cmath>

namespace cadhost::render {

namespace {

using namespace dxfgroups;

double realOf(const QList<DxfGroup>& groups, qint32 code, double fallback)
{
    return real(groups, own(groups), code, fallback);
}

QPointF pointOf(const QList<DxfGroup>& groups, qint32 code)
{
    return {realOf(groups, code, 0), realOf(groups, code + 10, 0)};
}

// An arc around centre in the y-up plane; Qt counts angles against y-down, hence the signs.
void addArc(QPainterPath& path, QPointF centre, double radius, double startDeg, double sweepDeg)
{
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    const double a = qDegreesToRadians(startDeg);
    const QPointF start(centre.x() + radius * std::cos(a), centre.y() + radius * std::sin(a));
    if (path.isEmpty() || path.currentPosition() != start)
        path.moveTo(start);
    path.arcTo(box, -startDeg, -sweepDeg);
}

// A polyline segment from a to b; a bulge is the tangent of a quarter of the arc's angle,
// positive counter-clockwise.
void addSegment(QPainterPath& path, QPointF a, QPointF b, double bulge)
{
    if (std::abs(bulge) < 1e-9 || a == b) {
        path.lineTo(b);
        return;
    }
    const QPointF chord = b - a;
    const QPointF normal(-chord.y(), chord.x());
    const QPointF centre = (a + b) / 2 + normal * ((1 - bulge * bulge) / (4 * bulge));
    const QPointF fromCentre = a - centre;
    const double radius = std::hypot(fromCentre.x(), fromCentre.y());
    const double start = qRadiansToDegrees(std::atan2(fromCentre.y(), fromCentre.x()));
    addArc(path, centre, radius, start, qRadiansToDegrees(4 * std::atan(bulge)));
    path.lineTo(b); // lands exactly where the next segment starts
}

struct Vertex
{
    QPointF at;
    double bulge = 0;
};

QPainterPath polylinePath(const QList<Vertex>& vertices, bool closed)
{
    QPainterPath path;
    if (vertices.isEmpty())
        return path;
    path.moveTo(vertices.first().at);
    for (qsizetype i = 1; i < vertices.size(); ++i)
        addSegment(path, vertices.at(i - 1).at, vertices.at(i).at, vertices.at(i - 1).bulge);
    if (closed && vertices.size() > 1)
        addSegment(path, vertices.last().at, vertices.first().at, vertices.last().bulge);
    return path;
}

QPainterPath lwPolyline(const QList<DxfGroup>& groups)
{
    QList<Vertex> vertices;
    const Region r = own(groups);
    for (qsizetype i = r.begin; i < r.end; ++i) {
        const DxfGroup& g = groups.at(i);
        double v = 0;
        if (!parseReal(g.value, v))
            continue;
        if (g.code == 10)
            vertices.append(Vertex{{v, 0}, 0});
        else if (g.code == 20 && !vertices.isEmpty())
            vertices.last().at.setY(v);
        else if (g.code == 42 && !vertices.isEmpty())
            vertices.last().bulge = v;
    }
    return polylinePath(vertices, (integer(groups, r, 70, 0) & 1) != 0);
}

// The heavy POLYLINE keeps its vertices as VERTEX records after it; only the flat kinds are drawn.
std::optional<QPainterPath> oldPolyline(const QList<DxfGroup>& groups)
{
    const qint64 flags = integer(groups, own(groups), 70, 0);
    if (flags & (16 | 64))
        return std::nullopt; // meshes and polyface meshes
    QList<Vertex> vertices;
    for (qsizetype i = 0; i < groups.size(); ++i) {
        if (groups.at(i).code != 0 || groups.at(i).value != QLatin1String("VERTEX"))
            continue;
        qsizetype end = i + 1;
        while (end < groups.size() && groups.at(end).code != 0)
            ++end;
        const QList<DxfGroup> vertex = groups.mid(i + 1, end - i - 1);
        vertices.append(Vertex{pointOf(vertex, 10), realOf(vertex, 42, 0)});
        i = end - 1;
    }
    return polylinePath(vertices, (flags & 1) != 0);
}

QPainterPath circle(const QList<DxfGroup>& groups)
{
    QPainterPath path;
    addArc(path, pointOf(groups, 10), realOf(groups, 40, 0), 0, 360);
    path.closeSubpath();
    return path;
}

QPainterPath arc(const QList<DxfGroup>& groups)
{
    const double start = realOf(groups, 50, 0);
    double sweep = std::fmod(realOf(groups, 51, 360) - start, 360.0);
    if (sweep <= 0)
        sweep += 360;
    QPainterPath path;
    addArc(path, pointOf(groups, 10), realOf(groups, 40, 0), start, sweep);
    return path;
}

QString mtextRaw(const QList<DxfGroup>& groups)
{
    QString raw;
    const Region r = own(groups);
    for (qsizetype i = r.begin; i < r.end; ++i) {
        if (groups.at(i).code == 3)
            raw += groups.at(i).value;
    }
    return raw + text(groups, r, 1);
}

TextShape mtext(const QList<DxfGroup>& groups)
{
    TextShape t;
    t.lines = plainMText(mtextRaw(groups));
    t.anchor = pointOf(groups, 10);
    t.height = realOf(groups, 40, 2.5);
    const Region r = own(groups);
    const qsizetype direction = find(groups, r, 11);
    t.rotation = direction >= 0 ? qRadiansToDegrees(std::atan2(realOf(groups, 21, 0), realOf(groups, 11, 1)))
                                : realOf(groups, 50, 0); // degrees, as ezdxf and most writers put it
    const qint64 attachment = std::clamp<qint64>(integer(groups, r, 71, 1), 1, 9) - 1;
    t.horizontal = int(attachment % 3);
    t.vertical = 3 - int(attachment / 3);
    t.lineSpacing = t.height * 5.0 / 3.0 * realOf(groups, 44, 1);
    return t;
}

TextShape singleLine(const QString& dxfType, const QList<DxfGroup>& groups)
{
    TextShape t;
    const Region r = own(groups);
    t.lines = {plainText(text(groups, r, 1))};
    t.height = realOf(groups, 40, 2.5);
    t.rotation = realOf(groups, 50, 0);
    t.widthFactor = realOf(groups, 41, 1);
    const int horizontal = int(integer(groups, r, 72, 0));
    const int vertical = int(integer(groups, r, dxfType == QLatin1String("TEXT") ? 73 : 74, 0));
    // Aligned (3) and fit (5) start at the first point; middle (4) sits centred on the second.
    t.horizontal = horizontal == 4 ? 1 : (horizontal == 1 || horizontal == 2 ? horizontal : 0);
    t.vertical = horizontal == 4 ? 2 : std::clamp(vertical, 0, 3);
    const bool second = (horizontal != 0 && horizontal != 3 && horizontal != 5) || vertical != 0;
    t.anchor = second && find(groups, r, 11) >= 0 ? pointOf(groups, 11) : pointOf(groups, 10);
    return t;
}

// Skips a formatting code's argument up to its ';'.
qsizetype skipArgument(const QString& raw, qsizetype i)
{
    const qsizetype end = raw.indexOf(QLatin1Char(';'), i);
    return end < 0 ? raw.size() : end + 1;
}

} // namespace

std::optional<QPainterPath> outlineOf(const Entity& entity)
{
    const QString& type = entity.dxfType;
    if (type == QLatin1String("LINE")) {
        QPainterPath path(pointOf(entity.extra, 10));
        path.lineTo(pointOf(entity.extra, 11));
        return path;
    }
    if (type == QLatin1String("LWPOLYLINE"))
        return lwPolyline(entity.extra);
    if (type == QLatin1String("POLYLINE"))
        return oldPolyline(entity.extra);
    if (type == QLatin1String("CIRCLE"))
        return circle(entity.extra);
    if (type == QLatin1String("ARC"))
        return arc(entity.extra);
    return std::nullopt;
}

std::optional<TextShape> textOf(const QString& dxfType, const QList<DxfGroup>& groups)
{
    if (dxfType == QLatin1String("MTEXT"))
        return mtext(groups);
    if (dxfType == QLatin1String("TEXT") || dxfType == QLatin1String("ATTRIB"))
        return singleLine(dxfType, groups);
    return std::nullopt;
}

QTransform planeOf(const QList<DxfGroup>& groups)
{
    return realOf(groups, 230, 1) < 0 ? QTransform::fromScale(-1, 1) : QTransform();
}

QList<QList<DxfGroup>> attributesOf(const QList<DxfGroup>& groups)
{
    QList<QList<DxfGroup>> attributes;
    for (qsizetype i = 0; i < groups.size(); ++i) {
        if (groups.at(i).code != 0)
            continue;
        const bool attribute = groups.at(i).value == QLatin1String("ATTRIB");
        if (attribute)
            attributes.append(QList<DxfGroup>());
        for (++i; i < groups.size() && groups.at(i).code != 0; ++i) {
            if (attribute)
                attributes.last().append(groups.at(i));
        }
        --i;
    }
    return attributes;
}

QStringList plainMText(const QString& raw)
{
    QStringList lines{QString()};
    for (qsizetype i = 0; i < raw.size(); ++i) {
        const QChar c = raw.at(i);
        if (c == QLatin1Char('{') || c == QLatin1Char('}'))
            continue;
        if (c != QLatin1Char('\\') || i + 1 >= raw.size()) {
            lines.last() += c;
            continue;
        }
        const QChar code = raw.at(++i);
        switch (code.toLatin1()) {
        case 'P':
            lines.append(QString());
            break;
        case '~':
            lines.last() += QChar(0x00A0);
            break;
        case '\\':
        case '{':
        case '}':
            lines.last() += code;
            break;
        case 'L':
        case 'l':
        case 'O':
        case 'o':
        case 'K':
        case 'k':
        case 'N':
            break;
        case 'S': { // stacked: "1^2" or "1/2" or "1#2"
            const qsizetype end = raw.indexOf(QLatin1Char(';'), i);
            QString stacked = raw.mid(i + 1, (end < 0 ? raw.size() : end) - i - 1);
            stacked.replace(QLatin1Char('^'), QLatin1Char('/')).replace(QLatin1Char('#'), QLatin1Char('/'));
            lines.last() += stacked;
            i = (end < 0 ? raw.size() : end);
            break;
        }
        default: // \A1; \H2.5; \fArial|b0; \C1; \W0.8; \Q15; \T1.1; \p...; and the unknown ones
            i = skipArgument(raw, i) - 1;
            break;
        }
    }
    return lines;
}

QString plainText(const QString& raw)
{
    QString out;
    for (qsizetype i = 0; i < raw.size(); ++i) {
        if (raw.at(i) != QLatin1Char('%') || raw.mid(i, 2) != QLatin1String("%%") || i + 2 >= raw.size()) {
            out += raw.at(i);
            continue;
        }
        const QChar code = raw.at(i + 2).toLower();
        if (code == QLatin1Char('c'))
            out += QChar(0x2300);
        else if (code == QLatin1Char('d'))
            out += QChar(0x00B0);
        else if (code == QLatin1Char('p'))
            out += QChar(0x00B1);
        else if (code == QLatin1Char('%'))
            out += QLatin1Char('%');
        else if (code != QLatin1Char('u') && code != QLatin1Char('o'))
            out += raw.mid(i, 3);
        i += 2;
    }
    return out;
}

} // namespace cadhost::render
