#pragma once

#include <QWidget>
#include <cadhost/engine/Engine.h>

namespace cadhost {

// The drawing area: the current layout's sheet (or model space) of one drawing, drawn by the
// renderer. It looks the drawing up at every paint, so a drawing closed meanwhile is never touched.
class SheetView final : public QWidget
{
    Q_OBJECT
public:
    explicit SheetView(Engine& engine, QWidget* parent = nullptr);

    // doc 0: no drawing open.
    void showLayout(acad::DocId doc, const QString& layoutName);
    acad::DocId document() const { return m_doc; }
    QString layoutName() const { return m_layout; }
    // What the last paint drew and skipped.
    acad::PlotResult lastResult() const { return m_lastResult; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Engine& m_engine;
    acad::DocId m_doc = 0;
    QString m_layout;
    acad::PlotResult m_lastResult;
};

} // namespace cadhost
