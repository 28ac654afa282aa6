// Paints the toolbar's bundled pictures at every size they are shipped in:
//   bw_iconpaint <folder>
// Each picture is drawn on a 16 x 16 grid and scaled, so that the larger sizes are drawn, not blown up.
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace {

const QColor kInk(40, 40, 48);
const QColor kPaper(250, 250, 250);
const QColor kBlue(52, 101, 164);
const QColor kLightBlue(114, 159, 207);
const QColor kYellow(237, 212, 0);
const QColor kFolder(193, 125, 17);
const QColor kRed(204, 0, 0);
const QColor kGreen(78, 154, 6);
const QColor kGrey(136, 138, 133);

void pen(QPainter& p, const QColor& c, double w = 1.0)
{
    p.setPen(QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
}

void sheet(QPainter& p, double x, double y, double w, double h)
{
    QPainterPath s;
    s.moveTo(x, y);
    s.lineTo(x + w - 3, y);
    s.lineTo(x + w, y + 3);
    s.lineTo(x + w, y + h);
    s.lineTo(x, y + h);
    s.closeSubpath();
    pen(p, kInk);
    p.setBrush(kPaper);
    p.drawPath(s);
    p.drawLine(QPointF(x + w - 3, y), QPointF(x + w - 3, y + 3));
    p.drawLine(QPointF(x + w - 3, y + 3), QPointF(x + w, y + 3));
}

void landscape(QPainter& p, double x, double y, double w, double h)
{
    pen(p, kInk);
    p.setBrush(kPaper);
    p.drawRect(QRectF(x, y, w, h));
    p.setBrush(kLightBlue);
    p.drawRect(QRectF(x + w - 5, y + h - 3, 5, 3));
}

void lines(QPainter& p, double x, double y, double w, int n)
{
    pen(p, kGrey);
    for (int i = 0; i < n; ++i)
        p.drawLine(QPointF(x, y + 2 * i), QPointF(x + w, y + 2 * i));
}

void arrow(QPainter& p, double x, bool up)
{
    pen(p, kBlue, 1.5);
    p.drawLine(QPointF(x, 2.5), QPointF(x, 13.5));
    const double tip = up ? 2.5 : 13.5;
    const double back = up ? 5.5 : 10.5;
    p.drawLine(QPointF(x, tip), QPointF(x - 2.5, back));
    p.drawLine(QPointF(x, tip), QPointF(x + 2.5, back));
}

void bars(QPainter& p, bool growing)
{
    p.setPen(Qt::NoPen);
    p.setBrush(kGrey);
    for (int i = 0; i < 4; ++i) {
        const double w = growing ? 2 + 2 * i : 8 - 2 * i;
        p.drawRect(QRectF(7, 2.5 + 3 * i, w, 2));
    }
}

void squares(QPainter& p, int perRow, double size, double gap, bool withLines)
{
    pen(p, kBlue);
    p.setBrush(kLightBlue);
    const double step = size + gap;
    for (int r = 0; r * step + size <= 14; ++r) {
        for (int c = 0; c < perRow; ++c) {
            const double x = 1.5 + c * (withLines ? 8 : step), y = 1.5 + r * step;
            p.drawRect(QRectF(x, y, size, size));
            if (withLines) {
                pen(p, kInk);
                p.drawLine(QPointF(x + size + 1.5, y + size / 2), QPointF(x + 6.5, y + size / 2));
                pen(p, kBlue);
            }
        }
    }
}

using Painter = std::function<void(QPainter&)>;

const QList<QPair<QString, Painter>>& pictures()
{
    static const QList<QPair<QString, Painter>> all = {
        {"Cut",
         [](QPainter& p) {
             pen(p, kInk, 1.2);
             p.drawLine(QPointF(5, 1.5), QPointF(10.5, 10));
             p.drawLine(QPointF(11, 1.5), QPointF(5.5, 10));
             p.setBrush(Qt::NoBrush);
             pen(p, kRed, 1.2);
             p.drawEllipse(QPointF(4.5, 12), 2.5, 2.5);
             p.drawEllipse(QPointF(11.5, 12), 2.5, 2.5);
         }},
        {"Copy",
         [](QPainter& p) {
             sheet(p, 1.5, 1.5, 8, 10);
             sheet(p, 6.5, 4.5, 8, 10);
             lines(p, 8.5, 9.5, 4, 3);
         }},
        {"Paste",
         [](QPainter& p) {
             pen(p, kInk);
             p.setBrush(kFolder);
             p.drawRoundedRect(QRectF(2.5, 2.5, 10, 12), 1, 1);
             p.setBrush(kGrey);
             p.drawRect(QRectF(5.5, 1.5, 4, 2));
             sheet(p, 7.5, 6.5, 7, 8);
         }},
        {"Delete",
         [](QPainter& p) {
             pen(p, kRed, 2.2);
             p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
             p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
         }},
        {"Properties",
         [](QPainter& p) {
             sheet(p, 2.5, 1.5, 11, 13);
             lines(p, 4.5, 5.5, 7, 4);
         }},
        {"Large Icons", [](QPainter& p) { squares(p, 2, 5, 2, false); }},
        {"Small Icons", [](QPainter& p) { squares(p, 2, 2, 2, true); }},
        {"List", [](QPainter& p) { squares(p, 1, 2, 2, true); }},
        {"Details",
         [](QPainter& p) {
             pen(p, kInk);
             p.setBrush(kPaper);
             p.drawRect(QRectF(1.5, 2.5, 13, 11));
             p.setBrush(kLightBlue);
             p.drawRect(QRectF(1.5, 2.5, 13, 2.5));
             pen(p, kGrey);
             for (double y : {7.5, 9.5, 11.5})
                 p.drawLine(QPointF(3, y), QPointF(13, y));
             pen(p, kInk);
             p.drawLine(QPointF(6.5, 2.5), QPointF(6.5, 13.5));
         }},
        {"Descending",
         [](QPainter& p) {
             arrow(p, 3.5, false);
             bars(p, false);
         }},
        {"Ascending",
         [](QPainter& p) {
             arrow(p, 3.5, true);
             bars(p, true);
         }},
        {"Help",
         [](QPainter& p) {
             pen(p, kBlue);
             p.setBrush(kBlue);
             p.drawEllipse(QPointF(8, 8), 6.5, 6.5);
             pen(p, kPaper, 1.8);
             p.setBrush(Qt::NoBrush);
             QPainterPath q;
             q.moveTo(5.8, 6.2);
             q.cubicTo(5.8, 3.4, 10.4, 3.4, 10.4, 6.2);
             q.cubicTo(10.4, 7.9, 8, 7.9, 8, 9.8);
             p.drawPath(q);
             p.setPen(Qt::NoPen);
             p.setBrush(kPaper);
             p.drawEllipse(QPointF(8, 12.2), 1.1, 1.1);
         }},
        {"Camera",
         [](QPainter& p) {
             pen(p, kInk);
             p.setBrush(kGrey);
             p.drawRoundedRect(QRectF(1.5, 4.5, 13, 9), 1.5, 1.5);
             p.drawRect(QRectF(5.5, 2.5, 5, 2));
             p.setBrush(kLightBlue);
             p.drawEllipse(QPointF(8, 9), 3, 3);
         }},
        {"Open",
         [](QPainter& p) {
             pen(p, kInk);
             p.setBrush(kFolder);
             p.drawRect(QRectF(1.5, 3.5, 11, 10));
             p.drawRect(QRectF(1.5, 2.5, 5, 1));
             QPainterPath front;
             front.moveTo(3.5, 7.5);
             front.lineTo(15.5, 7.5);
             front.lineTo(12.5, 13.5);
             front.lineTo(1.5, 13.5);
             front.closeSubpath();
             p.setBrush(kYellow);
             p.drawPath(front);
         }},
        {"New",
         [](QPainter& p) {
             sheet(p, 2.5, 1.5, 10, 13);
             pen(p, kYellow.darker(130), 1.2);
             p.drawLine(QPointF(12.5, 8.5), QPointF(12.5, 14.5));
             p.drawLine(QPointF(9.5, 11.5), QPointF(15.5, 11.5));
             p.drawLine(QPointF(10.5, 9.5), QPointF(14.5, 13.5));
             p.drawLine(QPointF(14.5, 9.5), QPointF(10.5, 13.5));
         }},
        {"Save",
         [](QPainter& p) {
             pen(p, kInk);
             p.setBrush(kBlue);
             p.drawRect(QRectF(1.5, 1.5, 13, 13));
             p.setBrush(kPaper);
             p.drawRect(QRectF(3.5, 1.5, 9, 6));
             p.setBrush(kGrey);
             p.drawRect(QRectF(4.5, 10.5, 7, 4));
         }},
        {"Find",
         [](QPainter& p) {
             pen(p, kInk, 1.5);
             p.setBrush(kLightBlue);
             p.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
             pen(p, kInk, 2.5);
             p.drawLine(QPointF(10, 10), QPointF(14, 14));
         }},
        {"Layout", [](QPainter& p) { landscape(p, 1.5, 3.5, 13, 9); }},
        {"Model",
         [](QPainter& p) {
             pen(p, kBlue);
             p.setBrush(kLightBlue);
             p.drawRect(QRectF(2.5, 5.5, 8, 8));
             QPainterPath top;
             top.moveTo(2.5, 5.5);
             top.lineTo(5.5, 2.5);
             top.lineTo(13.5, 2.5);
             top.lineTo(10.5, 5.5);
             top.closeSubpath();
             QPainterPath side;
             side.moveTo(10.5, 5.5);
             side.lineTo(13.5, 2.5);
             side.lineTo(13.5, 10.5);
             side.lineTo(10.5, 13.5);
             side.closeSubpath();
             p.setBrush(kPaper);
             p.drawPath(top);
             p.setBrush(kBlue);
             p.drawPath(side);
         }},
        {"Active",
         [](QPainter& p) {
             landscape(p, 1.5, 2.5, 11, 8);
             pen(p, kGreen, 2.2);
             p.drawLine(QPointF(6.5, 11), QPointF(9, 13.8));
             p.drawLine(QPointF(9, 13.8), QPointF(14.5, 7));
         }},
        {"DC",
         [](QPainter& p) {
             pen(p, kInk);
             p.setBrush(kPaper);
             p.drawRect(QRectF(1.5, 1.5, 13, 13));
             p.setBrush(kLightBlue);
             p.drawRect(QRectF(1.5, 1.5, 13, 2));
             p.setBrush(kFolder);
             p.drawRect(QRectF(2.5, 5.5, 3, 2));
             p.drawRect(QRectF(2.5, 9.5, 3, 2));
             p.setBrush(kBlue);
             for (double x : {7.5, 11.0})
                 for (double y : {5.5, 9.5})
                     p.drawRect(QRectF(x, y, 2.5, 2.5));
         }},
        {"Template",
         [](QPainter& p) {
             landscape(p, 1.5, 1.5, 10, 7);
             pen(p, kInk);
             p.setBrush(kFolder);
             p.drawRect(QRectF(6.5, 9.5, 8, 5));
             pen(p, kGreen, 1.5);
             p.drawLine(QPointF(4.5, 9.5), QPointF(4.5, 12.5));
             p.drawLine(QPointF(4.5, 12.5), QPointF(6.5, 12.5));
         }},
        // The rows of a layout's and a template's details.
        {"Plot",
         [](QPainter& p) {
             sheet(p, 4.5, 1.5, 7, 6);
             pen(p, kInk);
             p.setBrush(kGrey);
             p.drawRoundedRect(QRectF(1.5, 6.5, 13, 6), 1, 1);
             p.setBrush(kPaper);
             p.drawRect(QRectF(4.5, 10.5, 7, 4));
             p.setPen(Qt::NoPen);
             p.setBrush(kGreen);
             p.drawEllipse(QPointF(12.5, 8.5), 0.8, 0.8);
         }},
        {"Product Block",
         [](QPainter& p) {
             landscape(p, 1.5, 2.5, 13, 11);
             pen(p, kInk);
             p.setBrush(kYellow);
             p.drawRect(QRectF(8.5, 9.5, 6, 4));
             p.drawLine(QPointF(8.5, 11.5), QPointF(14.5, 11.5));
         }},
        {"Viewport",
         [](QPainter& p) {
             pen(p, kInk);
             p.setBrush(kPaper);
             p.drawRect(QRectF(1.5, 2.5, 13, 11));
             pen(p, kBlue);
             p.setBrush(kLightBlue);
             p.drawRect(QRectF(3.5, 4.5, 9, 7));
             pen(p, kBlue, 1.2);
             p.drawLine(QPointF(4.5, 10.5), QPointF(7.5, 6.5));
             p.drawLine(QPointF(7.5, 6.5), QPointF(11.5, 10.5));
         }},
        {"Folder",
         [](QPainter& p) {
             pen(p, kInk);
             p.setBrush(kFolder);
             p.drawRect(QRectF(1.5, 3.5, 13, 10));
             p.drawRect(QRectF(1.5, 2.5, 5, 1));
             p.setBrush(kYellow);
             p.drawRect(QRectF(1.5, 5.5, 13, 8));
         }},
        {"File",
         [](QPainter& p) {
             sheet(p, 2.5, 1.5, 11, 13);
             lines(p, 4.5, 5.5, 7, 3);
             pen(p, kBlue, 1.5);
             p.drawLine(QPointF(4.5, 12), QPointF(9.5, 12));
         }},
    };
    return all;
}

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    for (const auto& [key, paint] : pictures()) {
        for (int size : {16, 24, 32, 48, 64}) {
            QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            p.scale(size / 16.0, size / 16.0);
            paint(p);
            p.end();
            QString name = key;
            name.replace(QLatin1Char(' '), QLatin1Char('_'));
            if (!image.save(out.filePath(QStringLiteral("%1-%2.png").arg(name).arg(size))))
                return 1;
        }
    }
    return 0;
}
