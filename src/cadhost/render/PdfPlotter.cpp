#include "PdfPlotter.h"

#include "LayoutPainter.h"

#include <QBuffer>
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPdfWriter>
#include <QSaveFile>
#include <acad/Error.h>
#include <platform/SystemError.h>

namespace cadhost::render {

namespace {

constexpr int kDotsPerInch = 1200;
constexpr double kPenMm = 0.25; // the thinnest line weight a plot style gives by default

void needGui()
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        throw acad::Error(
            QStringLiteral("Der CAD-Host kann nicht plotten: ihm fehlt die grafische Ausgabe."));
}

[[noreturn]] void refuseFile(const QString& path, const QString& reason)
{
    throw acad::Error(QStringLiteral("Die Datei „%1“ kann nicht geschrieben werden: %2")
                          .arg(QDir::toNativeSeparators(path), reason));
}

// The page as the layout's sheet: QPageSize keeps sizes upright, the orientation turns them.
QPageLayout pageLayoutOf(const Sheet& sheet)
{
    const QSizeF size = sheet.size;
    const QSizeF upright(qMin(size.width(), size.height()), qMax(size.width(), size.height()));
    return QPageLayout(QPageSize(upright, QPageSize::Millimeter, QString(), QPageSize::ExactMatch),
                       size.width() > size.height() ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

// The pages go to a temporary file that replaces the target only when the job finishes.
class PdfJob final : public PlotJob
{
public:
    explicit PdfJob(const QString& path) : m_file(path), m_path(path)
    {
        needGui();
        if (!m_file.open(QIODevice::WriteOnly))
            refuseFile(path, platform::germanReason(m_file));
        m_writer = std::make_unique<QPdfWriter>(&m_file);
        m_writer->setResolution(kDotsPerInch);
        m_writer->setCreator(QStringLiteral("cadhost"));
    }

    ~PdfJob() override
    {
        if (m_painter.isActive())
            m_painter.end();
        m_file.cancelWriting();
    }

    acad::PlotResult addPage(const Drawing& drawing, const Layout& layout) override
    {
        const Sheet sheet = sheetOf(layout);
        m_writer->setPageLayout(pageLayoutOf(sheet));
        if (m_pages == 0 ? !m_painter.begin(m_writer.get()) : !m_writer->newPage())
            refuseFile(m_path, QStringLiteral("Die PDF-Seite lässt sich nicht anlegen."));
        ++m_pages;
        const double dotsPerMm = m_writer->resolution() / 25.4;
        return paintLayout(m_painter, drawing, layout, pageTransform(sheet, dotsPerMm),
                           Style{kPenMm * dotsPerMm, false});
    }

    void finish() override
    {
        if (m_pages == 0)
            throw acad::Error(QStringLiteral("Der Plotauftrag hat keine Seite; „%1“ wird nicht geschrieben.")
                                  .arg(QDir::toNativeSeparators(m_path)));
        m_painter.end();
        if (!m_file.commit())
            refuseFile(m_path, platform::germanReason(m_file));
    }

private:
    QSaveFile m_file;
    QString m_path;
    std::unique_ptr<QPdfWriter> m_writer;
    QPainter m_painter;
    int m_pages = 0;
};

} // namespace

acad::PlotResult PdfPlotter::plotToFile(const Drawing& drawing, const Layout& layout, const QString& path)
{
    PdfJob job(path);
    const acad::PlotResult result = job.addPage(drawing, layout);
    job.finish();
    return result;
}

std::unique_ptr<PlotJob> PdfPlotter::beginJob(const QString& path)
{
    return std::make_unique<PdfJob>(path);
}

QByteArray PdfPlotter::preview(const Drawing& drawing, const Layout& layout, QSize size)
{
    needGui();
    QImage image(size, QImage::Format_RGB32);
    image.fill(QColor(0x80, 0x80, 0x80)); // around the paper, as the CAD program's layout tab
    QPainter painter(&image);
    const QRectF target(QPointF(0, 0), QSizeF(size));
    if (layout.isModel())
        paintModel(painter, drawing, target, Style{0, false});
    else
        paintLayout(painter, drawing, layout, fitTransform(sheetOf(layout).size, target), Style{0, true});
    painter.end();
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

} // namespace cadhost::render
