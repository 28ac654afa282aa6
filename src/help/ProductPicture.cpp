#include "ProductPicture.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace help {

namespace {

// Everything is drawn on a 64-unit square.
constexpr qreal kUnits = 64;
const QColor kBlue(0, 0, 128);
const QColor kLightBlue(70, 110, 190);

void paintSheet(QPainter& p, const QPointF& topLeft)
{
    const QRectF sheet(topLeft, QSizeF(30, 22));
    p.setPen(QPen(kBlue, 1.2));
    p.setBrush(Qt::white);
    p.drawRect(sheet);
    // The drawing frame and the title block in its lower right corner.
    p.setPen(QPen(kBlue, 0.6));
    p.setBrush(Qt::NoBrush);
    p.drawRect(sheet.adjusted(2, 2, -2, -2));
    p.drawRect(QRectF(sheet.right() - 12, sheet.bottom() - 7, 10, 5));
    p.drawLine(QPointF(sheet.right() - 12, sheet.bottom() - 4.5),
               QPointF(sheet.right() - 2, sheet.bottom() - 4.5));
}

void paintBackground(QPainter& p)
{
    QLinearGradient fill(0, 0, 0, kUnits);
    fill.setColorAt(0, kLightBlue);
    fill.setColorAt(1, kBlue);
    QPainterPath tile;
    tile.addRoundedRect(QRectF(1, 1, kUnits - 2, kUnits - 2), 8, 8);
    p.fillPath(tile, fill);
}

} // namespace

QImage paintProductPicture(int pixels)
{
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(pixels / kUnits, pixels / kUnits);
    paintBackground(p);
    paintSheet(p, QPointF(22, 6));
    paintSheet(p, QPointF(15, 13));
    paintSheet(p, QPointF(8, 20));
    QFont font(QStringLiteral("Sans Serif"));
    font.setBold(true);
    font.setPixelSize(15);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(4, 44, kUnits - 8, 17), Qt::AlignCenter, QStringLiteral("KV+"));
    return image;
}

} // namespace help
