// Plotting through a real cadhost on a private bus: a drawing of known geometry written by ezdxf is
// plotted to PDF (one layout, a job of pages, the -PLOT command line); pdfinfo gives pages and sizes,
// pdftoppm the pixels, which must lie where the geometry puts them.
#include "BusCalls.h"
#include "DxfTestUtil.h"
#include "HostOnBus.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>
#include <acad/BusTypes.h>
#include <acad/Error.h>
#include <functional>

using namespace acad;
using bustest::errorOf;

namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;
constexpr int kDpi = 150;

struct PdfPages
{
    int count = 0;
    QList<QSizeF> sizes; // points
};

QString run(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

PdfPages pdfPages(const QString& file)
{
    PdfPages pages;
    const QString info = run(QStringLiteral("pdfinfo"), {QStringLiteral("-f"), QStringLiteral("1"),
                                                         QStringLiteral("-l"), QStringLiteral("99"), file});
    const QRegularExpression count(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption);
    pages.count = count.match(info).captured(1).toInt();
    const QRegularExpression size(QStringLiteral("^Page\\s+\\d+ size:\\s+([\\d.]+) x ([\\d.]+) pts"),
                                  QRegularExpression::MultilineOption);
    for (auto it = size.globalMatch(info); it.hasNext();) {
        const auto m = it.next();
        pages.sizes.append(QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()));
    }
    return pages;
}

// One page rendered grey at kDpi.
QImage renderPage(const QString& file, int page, const QString& folder)
{
    const QString base = QDir(folder).filePath(QStringLiteral("page%1").arg(page));
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(kDpi), QStringLiteral("-gray"),
                                     QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                                     QString::number(page), QStringLiteral("-singlefile"), file, base});
    return QImage(base + QStringLiteral(".pgm"));
}

// Whether a dark pixel lies in the rectangle, given in sheet millimetres with y up.
bool darkIn(const QImage& page, const QRectF& mm, double sheetHeight)
{
    const double px = kDpi / 25.4;
    const int left = qFloor(mm.left() * px);
    const int right = qCeil(mm.right() * px);
    const int top = qFloor((sheetHeight - mm.bottom()) * px);
    const int bottom = qCeil((sheetHeight - mm.top()) * px);
    for (int y = qMax(0, top); y <= qMin(page.height() - 1, bottom); ++y) {
        for (int x = qMax(0, left); x <= qMin(page.width() - 1, right); ++x) {
            if (qGray(page.pixel(x, y)) < 160)
                return true;
        }
    }
    return false;
}

// Dark pixels along a row or column inside a window, in millimetres: first and last.
std::pair<double, double> darkSpan(const QImage& page, double sheetHeight, bool alongX, double at,
                                   double from, double to)
{
    const double px = kDpi / 25.4;
    double first = -1;
    double last = -1;
    for (int i = qCeil(from * px); i <= qFloor(to * px); ++i) {
        const int x = alongX ? i : qRound(at * px);
        const int y = alongX ? qRound((sheetHeight - at) * px) : i;
        if (qGray(page.pixel(x, y)) < 160) {
            const double mm = (i + 0.5) / px;
            first = first < 0 ? mm : first;
            last = mm;
        }
    }
    return {first, last};
}

QRectF around(double x, double y, double half = 0.4)
{
    return QRectF(x - half, y - half, 2 * half, 2 * half);
}

bool sameSize(QSizeF points, double widthMm, double heightMm)
{
    // Qt's PDF writer gives page sizes in whole points.
    return qAbs(points.width() - widthMm * kPointsPerMm) <= 1 &&
           qAbs(points.height() - heightMm * kPointsPerMm) <= 1;
}

using Attempt = std::function<void(Host&, DocId doc, ObjectId sheet, const QString& target)>;

} // namespace

Q_DECLARE_METATYPE(Attempt)

class tst_CadHostPlot : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void plotToFileLandsTheLine();
    void entitiesWhereTheGeometrySays_data();
    void entitiesWhereTheGeometrySays();
    void pageSetupPlacesThePlot_data();
    void pageSetupPlacesThePlot();
    void jobPagesTakeTheirPaper();
    void discardedJobLeavesNoFile();
    void refusals_data();
    void refusals();
    void plotCommand_data();
    void plotCommand();
    void previews_data();
    void previews();
    void revisionCountsEveryChange();

private:
    DocId open();
    ObjectId layoutId(DocId doc, const QString& name);
    QStringList files() const;
    // Blatt1 plotted and rendered once, for the rows that look at its pixels.
    const QImage& plottedSheet();

    HostOnBus m_onBus;
    std::shared_ptr<Host> m_host;
    QTemporaryDir m_out;
    QString m_drawing;
    QImage m_sheet; // Blatt1 as plotted, for the entity rows
};

void tst_CadHostPlot::initTestCase()
{
    QString why;
    if (!dxftest::ezdxfAvailable(&why))
        QSKIP(qPrintable(why));
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
        QSKIP("poppler-utils (pdftoppm, pdfinfo) are missing");
    const QString failed = m_onBus.start();
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
    m_host = m_onBus.host;
    m_drawing = m_out.filePath(QStringLiteral("Blaetter.dxf"));
    dxftest::runPeer({QStringLiteral("sheets"), m_drawing, QStringLiteral("3")});
    QVERIFY(QFile::exists(m_drawing));
}

void tst_CadHostPlot::cleanup()
{
    const QString error = m_onBus.closeAll();
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

DocId tst_CadHostPlot::open()
{
    const QString copy = m_onBus.dir.filePath(QStringLiteral("Plan.dxf"));
    QFile::remove(copy);
    QFile::copy(m_drawing, copy);
    return m_host->openDocument(copy);
}

ObjectId tst_CadHostPlot::layoutId(DocId doc, const QString& name)
{
    for (const LayoutRef& l : m_host->document(doc).layouts) {
        if (l.name == name)
            return l.id;
    }
    return 0;
}

QStringList tst_CadHostPlot::files() const
{
    return QDir(m_onBus.dir.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

const QImage& tst_CadHostPlot::plottedSheet()
{
    if (m_sheet.isNull()) {
        const DocId doc = open();
        const QString pdf = m_out.filePath(QStringLiteral("Blatt1.pdf"));
        m_host->plotToFile(doc, layoutId(doc, QStringLiteral("Blatt1")), pdf);
        m_sheet = renderPage(pdf, 1, m_out.path());
        m_host->closeDocument(doc, false);
    }
    return m_sheet;
}

void tst_CadHostPlot::plotToFileLandsTheLine()
{
    const DocId doc = open();
    const QString pdf = m_onBus.dir.filePath(QStringLiteral("Blatt1.pdf"));
    const PlotResult result = m_host->plotToFile(doc, layoutId(doc, QStringLiteral("Blatt1")), pdf);
    // Viewport, its model line, title, circle, arc, polyline, reference with its two lines, MTEXT;
    // the hatch is skipped.
    QCOMPARE(result, (PlotResult{10, 1}));
    const PdfPages pages = pdfPages(pdf);
    QCOMPARE(pages.count, 1);
    QVERIFY2(sameSize(pages.sizes.value(0), 420, 297), qPrintable(QStringLiteral("%1 x %2 pt")
                                                                      .arg(pages.sizes.value(0).width())
                                                                      .arg(pages.sizes.value(0).height())));
    const QImage sheet = renderPage(pdf, 1, m_out.path());
    QVERIFY(qAbs(sheet.width() - 420 * kDpi / 25.4) < 3 && qAbs(sheet.height() - 297 * kDpi / 25.4) < 3);
    // 5000 units at 1:50 from model x 0 with the view centred on (2500, 500): (160, 150)-(260, 150).
    const auto [left, right] = darkSpan(sheet, 297, true, 150, 112, 308);
    QVERIFY2(qAbs(left - 160) <= 1 && qAbs(right - 260) <= 1,
             qPrintable(QStringLiteral("line from %1 to %2 mm").arg(left).arg(right)));
    const auto [top, bottom] = darkSpan(sheet, 297, false, 210, 297 - 208, 297 - 112);
    QVERIFY2(qAbs((297 - (top + bottom) / 2) - 150) <= 1,
             qPrintable(QStringLiteral("line at %1 mm").arg(297 - (top + bottom) / 2)));
}

void tst_CadHostPlot::entitiesWhereTheGeometrySays_data()
{
    QTest::addColumn<QRectF>("spot");
    QTest::addColumn<bool>("dark");
    const double r45 = 15 / std::sqrt(2.0);
    QTest::newRow("circle rim") << around(75, 240) << true;
    QTest::newRow("circle centre") << around(60, 240, 2) << false;
    QTest::newRow("arc at 45 degrees") << around(140 + r45, 240 + r45) << true;
    QTest::newRow("arc has no 225 degrees") << around(140 - r45, 240 - r45, 2) << false;
    QTest::newRow("bulge bends below the chord") << around(40, 40) << true;
    QTest::newRow("nothing above the chord") << around(40, 80, 2) << false;
    QTest::newRow("reference scaled twice") << around(388, 260) << true;
    QTest::newRow("reference ends at its scale") << around(393, 260, 1) << false;
    QTest::newRow("title text") << QRectF(300, 20, 14, 5) << true;
    QTest::newRow("mtext first line") << QRectF(20, 116, 20, 4) << true;
    QTest::newRow("mtext second line") << QRectF(20, 109.5, 20, 3.5) << true;
    QTest::newRow("model line clipped by its viewport") << around(262, 150, 1) << false;
    QTest::newRow("hatch not filled") << around(316, 103, 1) << false;
}

void tst_CadHostPlot::entitiesWhereTheGeometrySays()
{
    QFETCH(QRectF, spot);
    QFETCH(bool, dark);
    QCOMPARE(darkIn(plottedSheet(), spot, 297), dark);
}

void tst_CadHostPlot::pageSetupPlacesThePlot_data()
{
    QTest::addColumn<PlotSettings>("setup");
    QTest::addColumn<quint32>("which");
    QTest::addColumn<QRectF>("dark");
    QTest::addColumn<QRectF>("empty");
    const QRectF title(300, 20, 14, 5);
    const QRectF turned(420 - 314, 297 - 25, 14, 5);
    PlotSettings rotation;
    rotation.plotRotation = 1;
    QTest::newRow("landscape as the layout shows it") << rotation << quint32(Orientation) << title << turned;
    rotation.plotRotation = 3;
    QTest::newRow("rotation 3 is upside down") << rotation << quint32(Orientation) << turned << title;
    // At 1:2 the model line's middle (210, 150) comes to (105, 75).
    PlotSettings half;
    half.standardScale = 17;
    QTest::newRow("standard scale 1:2") << half << quint32(Scale) << around(105, 75) << around(210, 150, 1);
    half.useStandardScale = false;
    half.scaleDenominator = 2;
    QTest::newRow("custom scale 1:2") << half << quint32(Scale) << around(105, 75) << around(210, 150, 1);
}

void tst_CadHostPlot::pageSetupPlacesThePlot()
{
    QFETCH(PlotSettings, setup);
    QFETCH(quint32, which);
    QFETCH(QRectF, dark);
    QFETCH(QRectF, empty);
    const DocId doc = open();
    const ObjectId sheet = layoutId(doc, QStringLiteral("Blatt1"));
    m_host->setPlotSettings(doc, sheet, setup, which);
    const QString pdf = m_onBus.dir.filePath(QStringLiteral("Eingerichtet.pdf"));
    m_host->plotToFile(doc, sheet, pdf);
    QVERIFY(sameSize(pdfPages(pdf).sizes.value(0), 420, 297));
    const QImage page = renderPage(pdf, 1, m_out.path());
    QVERIFY(darkIn(page, dark, 297));
    QVERIFY(!darkIn(page, empty, 297));
}

void tst_CadHostPlot::jobPagesTakeTheirPaper()
{
    const DocId doc = open();
    const QString pdf = m_onBus.dir.filePath(QStringLiteral("Mappe.pdf"));
    const qint32 job = m_host->beginPlotJob(pdf);
    QCOMPARE(m_host->plotJobPage(job, doc, layoutId(doc, QStringLiteral("Blatt1"))), (PlotResult{10, 1}));
    QCOMPARE(m_host->plotJobPage(job, doc, layoutId(doc, QStringLiteral("Blatt2"))), (PlotResult{1, 0}));
    QVERIFY2(!QFile::exists(pdf), "the file appears whole when the job ends");
    m_host->endPlotJob(job, true);
    const PdfPages pages = pdfPages(pdf);
    QCOMPARE(pages.count, 2);
    QVERIFY(sameSize(pages.sizes.value(0), 420, 297));
    QVERIFY(sameSize(pages.sizes.value(1), 210, 297));
    const QImage a4 = renderPage(pdf, 2, m_out.path());
    QVERIFY(darkIn(a4, around(155, 148), 297));
    QVERIFY(!darkIn(a4, around(105, 148, 2), 297));
    QVERIFY(errorOf([&] { m_host->endPlotJob(job, true); }).contains(QString::number(job)));
}

void tst_CadHostPlot::discardedJobLeavesNoFile()
{
    const DocId doc = open();
    const QStringList before = files();
    const qint32 job = m_host->beginPlotJob(m_onBus.dir.filePath(QStringLiteral("Verworfen.pdf")));
    m_host->plotJobPage(job, doc, layoutId(doc, QStringLiteral("Blatt1")));
    m_host->endPlotJob(job, false);
    QCOMPARE(files(), before);
}

void tst_CadHostPlot::refusals_data()
{
    QTest::addColumn<Attempt>("attempt");
    QTest::addColumn<QString>("message");
    QTest::newRow("closed drawing") << Attempt([](Host& h, DocId doc, ObjectId sheet, const QString& target) {
        h.closeDocument(doc, false);
        h.plotToFile(doc, sheet, target);
    }) << QStringLiteral("ist nicht mehr geöffnet");
    QTest::newRow("model space") << Attempt([](Host& h, DocId doc, ObjectId, const QString& target) {
        h.plotToFile(doc, h.document(doc).layouts.first().id, target);
    }) << QStringLiteral("„Model“ in „Plan.dxf“ lässt sich nicht plotten");
    QTest::newRow("unknown job") << Attempt([](Host& h, DocId doc, ObjectId sheet, const QString&) {
        h.plotJobPage(4711, doc, sheet);
    }) << QStringLiteral("Den Plotauftrag 4711 gibt es nicht");
    QTest::newRow("missing folder") << Attempt([](Host& h, DocId doc, ObjectId sheet, const QString& target) {
        h.plotToFile(doc, sheet, target + QStringLiteral(".fehlt/Blatt.pdf"));
    }) << QStringLiteral("kann nicht geschrieben werden");
    QTest::newRow("a folder as the file")
        << Attempt([](Host& h, DocId doc, ObjectId sheet, const QString& target) {
               QDir().mkpath(target);
               h.plotToFile(doc, sheet, target);
           })
        << QStringLiteral("kann nicht geschrieben werden");
    QTest::newRow("job without pages") << Attempt([](Host& h, DocId, ObjectId, const QString& target) {
        h.endPlotJob(h.beginPlotJob(target), true);
    }) << QStringLiteral("hat keine Seite");
}

void tst_CadHostPlot::refusals()
{
    QFETCH(Attempt, attempt);
    QFETCH(QString, message);
    const DocId doc = open();
    const QString target = m_onBus.dir.filePath(QStringLiteral("Abgelehnt"));
    const QStringList before = files();
    const QString error =
        errorOf([&] { attempt(*m_host, doc, layoutId(doc, QStringLiteral("Blatt1")), target); });
    QVERIFY2(error.contains(message), qPrintable(error));
    QCOMPARE(files(), before); // nothing half written, no temporary file left
    QDir(target).removeRecursively();
}

void tst_CadHostPlot::plotCommand_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("reply");
    QTest::addColumn<int>("pages");
    QTest::newRow("named layout") << QStringLiteral("blatt2") << QStringLiteral("Kommando")
                                  << QStringLiteral("Layout \"Blatt2\" geplottet") << 1;
    QTest::newRow("missing layout") << QStringLiteral("Blatt9") << QStringLiteral("Kommando")
                                    << QStringLiteral("Layout nicht gefunden: Blatt9") << 0;
    QTest::newRow("missing folder") << QStringLiteral("Blatt1") << QStringLiteral("fehlt/Kommando")
                                    << QStringLiteral("kann nicht geschrieben werden") << 0;
}

void tst_CadHostPlot::plotCommand()
{
    QFETCH(QString, layout);
    QFETCH(QString, file);
    QFETCH(QString, reply);
    QFETCH(int, pages);
    const DocId doc = open();
    const QString pdf = m_onBus.dir.filePath(file + QStringLiteral(".pdf"));
    QFile::remove(pdf);
    const qsizetype before = m_host->commandHistory().size();
    m_host->setVariable(doc, QStringLiteral("FILEDIA"), 0);
    // Defaults for the configuration question, the device, "in a file" and going ahead.
    m_host->sendCommand(doc,
                        QStringLiteral("-PLOT\r\r%1\r\r\r%2\r\r").arg(layout, m_onBus.dir.filePath(file)));
    const auto replied = [&] { return m_host->commandHistory().mid(before).join(QLatin1Char('\n')); };
    QTRY_VERIFY2_WITH_TIMEOUT(replied().contains(reply), qPrintable(replied()), 10000);
    QCOMPARE(pdfPages(pdf).count, pages);
    QCOMPARE(m_host->application().activeDocument, doc);
    // The command line is free again: the next command runs.
    const qsizetype after = m_host->commandHistory().size();
    m_host->sendCommand(doc, QStringLiteral("LAYOUT\r?\r"));
    QTRY_VERIFY_WITH_TIMEOUT(m_host->commandHistory()
                                 .mid(after)
                                 .join(QLatin1Char('\n'))
                                 .contains(QStringLiteral("Aktive Layouts")),
                             5000);
}

void tst_CadHostPlot::previews_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<double>("span"); // how much of the width the drawing covers at least
    // The sheet is fitted in: its title and reference lie near its left and right edges.
    QTest::newRow("sheet") << QStringLiteral("Blatt1") << 0.8;
    // Model space is fitted to its extents: the 5000-unit line spans the picture.
    QTest::newRow("model space") << QStringLiteral("Model") << 0.9;
}

void tst_CadHostPlot::previews()
{
    QFETCH(QString, layout);
    QFETCH(double, span);
    const DocId doc = open();
    QImage picture;
    QVERIFY(picture.loadFromData(m_host->layoutPreview(doc, layoutId(doc, layout), 256, 200), "PNG"));
    QCOMPARE(picture.size(), QSize(256, 200));
    int first = picture.width();
    int last = -1;
    for (int y = 0; y < picture.height(); ++y) {
        for (int x = 0; x < picture.width(); ++x) {
            if (qGray(picture.pixel(x, y)) < 160) {
                first = qMin(first, x);
                last = qMax(last, x);
            }
        }
    }
    QVERIFY2(last - first >= span * picture.width(),
             qPrintable(QStringLiteral("dark from %1 to %2").arg(first).arg(last)));
    const QString error = errorOf([&] { m_host->layoutPreview(doc, layoutId(doc, layout), 0, 10); });
    QVERIFY2(error.contains(QStringLiteral("Ungültige Größe der Vorschau")), qPrintable(error));
}

void tst_CadHostPlot::revisionCountsEveryChange()
{
    const DocId doc = open();
    const ObjectId sheet = layoutId(doc, QStringLiteral("Blatt1"));
    qint64 last = m_host->documentRevision(doc);
    m_host->setLayoutName(doc, sheet, QStringLiteral("Blatt A"));
    QVERIFY(m_host->documentRevision(doc) > last);
    last = m_host->documentRevision(doc);
    const ObjectId text = m_host->blockEntities(doc, sheet).last().id;
    m_host->setXData(doc, text, XData{{1001, 1000}, {QStringLiteral("Kvarto"), QStringLiteral("x")}});
    QVERIFY(m_host->documentRevision(doc) > last);
    last = m_host->documentRevision(doc);
    m_host->setVariable(doc, QStringLiteral("FILEDIA"), 0);
    m_host->sendCommand(doc, QStringLiteral("_u\r"));
    QTRY_VERIFY_WITH_TIMEOUT(m_host->documentRevision(doc) > last, 5000);
    m_host->closeDocument(doc, false);
    QVERIFY(errorOf([&] { m_host->documentRevision(doc); }).contains(QStringLiteral("nicht mehr geöffnet")));
}

QTEST_GUILESS_MAIN(tst_CadHostPlot)
#include "tst_CadHostPlot.moc"
