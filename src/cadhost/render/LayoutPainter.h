#pragma once

#include <QPainter>
#include <cadhost/engine/Drawing.h>

namespace cadhost::render {

// Where a layout's sheet lies, in millimetres with y up from the paper's lower-left corner.
struct Sheet
{
    QSizeF size;             // the paper as the layout shows it (width and height follow the orientation)
    QRectF printable;        // the paper less the plotter's margins
    QTransform fromPaper;    // paper-space units to sheet millimetres, the plot scale included
    bool upsideDown = false; // plot rotation 2 and 3 turn the plot round on the page
};

Sheet sheetOf(const Layout& layout);

// How a target wants the lines: penWidth in device units, 0 for a hairline of one device pixel.
struct Style
{
    double penWidth = 0;
    bool printableFrame = false; // the window and previews show the printable area, a plot does not
};

// From sheet millimetres (y up) to a page of that size: resolution in dots per millimetre.
QTransform pageTransform(const Sheet& sheet, double dotsPerMm);
// From sheet millimetres to the largest centred fit into target, keeping a small margin.
QTransform fitTransform(const QSizeF& sheet, const QRectF& target);

// Draws the paper with the layout's entities and viewports. sheetToDevice maps sheet millimetres onto
// the painter's device. Entities the host cannot draw are counted as skipped.
acad::PlotResult paintLayout(QPainter& painter, const Drawing& drawing, const Layout& layout,
                             const QTransform& sheetToDevice, const Style& style);
// Draws model space fitted into target, as the CAD program shows the "Model" tab.
acad::PlotResult paintModel(QPainter& painter, const Drawing& drawing, const QRectF& target,
                            const Style& style);

} // namespace cadhost::render
