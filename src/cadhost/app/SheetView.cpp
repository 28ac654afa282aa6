#include "SheetView.h"

#include <QPainter>
#include <cadhost/render/LayoutPainter.h>

namespace cadhost {

SheetView::SheetView(Engine& engine, QWidget* parent) : QWidget(parent), m_engine(engine)
{
    setObjectName(QStringLiteral("sheet"));
    setMinimumHeight(200);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SheetView::showLayout(acad::DocId doc, const QString& layoutName)
{
    m_doc = doc;
    m_layout = layoutName;
    update();
}

void SheetView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(0x80, 0x80, 0x80));
    const Drawing* drawing = m_engine.drawing(m_doc);
    const Layout* layout = drawing ? drawing->layout(m_layout) : nullptr;
    if (!layout) {
        painter.setPen(Qt::white);
        painter.drawText(rect(), Qt::AlignCenter, QStringLiteral("Keine Zeichnung geöffnet"));
        m_lastResult = {};
        return;
    }
    const QRectF area(rect());
    m_lastResult = layout->isModel()
                       ? render::paintModel(painter, *drawing, area, render::Style{0, false})
                       : render::paintLayout(painter, *drawing, *layout,
                                             render::fitTransform(render::sheetOf(*layout).size, area),
                                             render::Style{0, true});
}

} // namespace cadhost
