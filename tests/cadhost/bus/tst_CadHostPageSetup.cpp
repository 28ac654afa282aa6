// One page setup for many sheets: a real cadhost on a private bus lists its plotters and papers, sets
// chosen plot values on a layout and copies chosen values from another layout, also across drawings.
// What it saves is read back by the host and by ezdxf.
#include "BusCalls.h"
#include "DxfTestUtil.h"
#include "HostOnBus.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>
#include <acad/BusConnector.h>
#include <acad/BusHost.h>
#include <acad/BusTypes.h>
#include <acad/Error.h>

using namespace acad;
using bustest::errorOf;

namespace {

const QString kSchnitte = QStringLiteral("Schnitte");
const QString kAusschnitt = QStringLiteral("Lageplan Ausschnitt");
const QString kPdf = QStringLiteral("DWG To PDF.pc3");
const QString kPng = QStringLiteral("PublishToWeb PNG.pc3");
const QString kA3 = QStringLiteral("ISO_A3_(420.00_x_297.00_MM)");
const quint32 kAll = Plotter | Paper | Orientation | StyleTable | PlotArea | Scale;

// Readable in a failed comparison.
QString text(const PlotSettings& p)
{
    return QStringLiteral("%1 | %2 (%3 x %4) | rot %5 | type %6 | %7 | %8 %9 %10:%11")
        .arg(p.configName, p.canonicalMediaName)
        .arg(p.paperWidth)
        .arg(p.paperHeight)
        .arg(p.plotRotation)
        .arg(p.plotType)
        .arg(p.styleSheet)
        .arg(p.useStandardScale ? QStringLiteral("standard") : QStringLiteral("custom"))
        .arg(p.standardScale)
        .arg(p.scaleNumerator)
        .arg(p.scaleDenominator);
}

// The chosen values of `values` over `before`; a new paper brings the size its name gives.
PlotSettings expected(PlotSettings before, const PlotSettings& values, quint32 which, double width,
                      double height)
{
    if (which & Plotter)
        before.configName = values.configName;
    if (which & Paper) {
        before.canonicalMediaName = values.canonicalMediaName;
        before.paperWidth = width;
        before.paperHeight = height;
    }
    if (which & Orientation)
        before.plotRotation = values.plotRotation;
    if (which & StyleTable)
        before.styleSheet = values.styleSheet;
    if (which & PlotArea)
        before.plotType = values.plotType;
    if (which & Scale) {
        before.useStandardScale = values.useStandardScale;
        before.standardScale = values.standardScale;
        before.scaleNumerator = values.scaleNumerator;
        before.scaleDenominator = values.scaleDenominator;
    }
    return before;
}

PlotSettings plot(const QString& plotter, const QString& media, qint32 rotation, qint32 type,
                  const QString& style)
{
    PlotSettings p;
    p.configName = plotter;
    p.canonicalMediaName = media;
    p.plotRotation = rotation;
    p.plotType = type;
    p.styleSheet = style;
    return p;
}

PlotSettings scaled(bool standard, qint32 index, double numerator, double denominator)
{
    PlotSettings p;
    p.useStandardScale = standard;
    p.standardScale = index;
    p.scaleNumerator = numerator;
    p.scaleDenominator = denominator;
    return p;
}

QJsonObject audit(const QString& file)
{
    return QJsonDocument::fromJson(dxftest::runPeer({QStringLiteral("audit"), file})).object();
}

QJsonObject peerLayout(const QJsonObject& peer, const QString& name)
{
    for (const QJsonValue& v : peer.value(QLatin1String("layouts")).toArray()) {
        if (v[QLatin1String("name")].toString() == name)
            return v.toObject();
    }
    return {};
}

// What ezdxf must see of the settings the host holds.
void comparePeer(const QJsonObject& l, const PlotSettings& p)
{
    QCOMPARE(l.value(QLatin1String("plotter")).toString(), p.configName);
    QCOMPARE(l.value(QLatin1String("media")).toString(), p.canonicalMediaName);
    QCOMPARE(l.value(QLatin1String("width")).toDouble(), p.paperWidth);
    QCOMPARE(l.value(QLatin1String("height")).toDouble(), p.paperHeight);
    QCOMPARE(l.value(QLatin1String("rotation")).toInt(), p.plotRotation);
    QCOMPARE(l.value(QLatin1String("plotType")).toInt(), p.plotType);
    QCOMPARE(l.value(QLatin1String("style")).toString(), p.styleSheet);
    QCOMPARE((l.value(QLatin1String("flags")).toInt() & 16) != 0, p.useStandardScale);
    QCOMPARE(l.value(QLatin1String("standardScale")).toInt(), p.standardScale);
    QCOMPARE(l.value(QLatin1String("scaleNumerator")).toDouble(), p.scaleNumerator);
    QCOMPARE(l.value(QLatin1String("scaleDenominator")).toDouble(), p.scaleDenominator);
}

} // namespace

class tst_CadHostPageSetup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void devicesAndPapers();
    void setPlotSettings_data();
    void setPlotSettings();
    void undoSteps();
    void copyPlotSettings_data();
    void copyPlotSettings();

private:
    DocId openCopy(const QString& sample, const QString& name);
    ObjectId layoutId(DocId doc, const QString& name);
    QString fileOf(DocId doc);
    void runCommand(DocId doc, const QString& text);
    // Saves, checks ezdxf sees `layout` as `settings` and every other layout as in `original`,
    // and that the host reads the same back.
    void checkSaved(DocId doc, const QString& layout, const PlotSettings& settings,
                    const QJsonObject& original);

    HostOnBus m_onBus;
    std::shared_ptr<Host> m_host;
    QTemporaryDir& m_dir = m_onBus.dir;
};

void tst_CadHostPageSetup::initTestCase()
{
    QString why;
    if (!dxftest::ezdxfAvailable(&why))
        QSKIP(qPrintable(why));
    const QString failed = m_onBus.start();
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
    m_host = m_onBus.host;
}

void tst_CadHostPageSetup::cleanup()
{
    const QString error = m_onBus.closeAll();
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

DocId tst_CadHostPageSetup::openCopy(const QString& sample, const QString& name)
{
    return m_onBus.openCopy(sample, name);
}

ObjectId tst_CadHostPageSetup::layoutId(DocId doc, const QString& name)
{
    for (const LayoutRef& l : m_host->document(doc).layouts) {
        if (l.name == name)
            return l.id;
    }
    return 0;
}

QString tst_CadHostPageSetup::fileOf(DocId doc)
{
    const DocumentRef ref = m_host->document(doc).ref;
    return ref.path + QLatin1Char('/') + ref.name;
}

void tst_CadHostPageSetup::runCommand(DocId doc, const QString& text)
{
    m_host->setVariable(doc, QStringLiteral("FILEDIA"), 0);
    const qsizetype before = m_host->commandHistory().size();
    m_host->sendCommand(doc, text);
    QTRY_VERIFY_WITH_TIMEOUT(m_host->commandHistory().size() > before, 5000);
}

void tst_CadHostPageSetup::checkSaved(DocId doc, const QString& layout, const PlotSettings& settings,
                                      const QJsonObject& original)
{
    const QString file = fileOf(doc);
    m_host->saveDocument(doc);
    m_host->closeDocument(doc, false);
    const DocId again = m_host->openDocument(file);
    QCOMPARE(text(m_host->plotSettings(again, layoutId(again, layout))), text(settings));
    const QJsonObject peer = audit(file);
    QCOMPARE(peer.value(QLatin1String("errors")).toInt(), 0);
    comparePeer(peerLayout(peer, layout), settings);
    const QJsonArray before = original.value(QLatin1String("layouts")).toArray();
    QCOMPARE(peer.value(QLatin1String("layouts")).toArray().size(), before.size());
    for (const QJsonValue& v : before) {
        const QString name = v[QLatin1String("name")].toString();
        QJsonObject now = peerLayout(peer, name);
        if (name != layout) {
            QCOMPARE(now, v.toObject());
            continue;
        }
        QCOMPARE(now.value(QLatin1String("entities")), v[QLatin1String("entities")]);
    }
}

// The plotters are the host's; the papers follow the layout's plotter.
void tst_CadHostPageSetup::devicesAndPapers()
{
    const DocId doc = openCopy(QStringLiteral("A1 Lageplan.dwt"), QStringLiteral("Geraete.dwg"));
    const QStringList devices = m_host->plotDeviceNames(doc);
    QVERIFY(devices.contains(kPdf));
    QVERIFY(devices.contains(kPng));
    const ObjectId id = layoutId(doc, kSchnitte);
    const QStringList pdfPapers = m_host->canonicalMediaNames(doc, id);
    QVERIFY(pdfPapers.contains(m_host->plotSettings(doc, id).canonicalMediaName));
    QVERIFY(pdfPapers.contains(kA3));
    PlotSettings png = plot(kPng, QStringLiteral("XGA_(1024.00_x_768.00_Pixels)"), 0, 5, {});
    m_host->setPlotSettings(doc, id, png, Plotter | Paper);
    const QStringList pngPapers = m_host->canonicalMediaNames(doc, id);
    QVERIFY(pngPapers.contains(png.canonicalMediaName));
    QVERIFY(!pngPapers.contains(kA3));
    QCOMPARE(errorOf([&] { m_host->canonicalMediaNames(doc, 999999); }).isEmpty(), false);
}

void tst_CadHostPageSetup::setPlotSettings_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<PlotSettings>("values");
    QTest::addColumn<uint>("which");
    QTest::addColumn<double>("width"); // of a new paper
    QTest::addColumn<double>("height");
    QTest::addColumn<QString>("error");
    const QString png = QStringLiteral("XGA_(1024.00_x_768.00_Pixels)");
    QTest::newRow("plotter") << kSchnitte << plot(QStringLiteral("DWF6 ePlot.pc3"), {}, 0, 0, {})
                             << uint(Plotter) << 0.0 << 0.0 << QString();
    QTest::newRow("paper") << kSchnitte << plot({}, kA3, 0, 0, {}) << uint(Paper) << 420.0 << 297.0
                           << QString();
    QTest::newRow("orientation") << kSchnitte << plot({}, {}, 0, 0, {}) << uint(Orientation) << 0.0 << 0.0
                                 << QString();
    QTest::newRow("style table") << kAusschnitt << plot({}, {}, 0, 0, QStringLiteral("Grayscale.ctb"))
                                 << uint(StyleTable) << 0.0 << 0.0 << QString();
    QTest::newRow("no style table") << kSchnitte << plot({}, {}, 0, 0, {}) << uint(StyleTable) << 0.0 << 0.0
                                    << QString();
    QTest::newRow("plot area") << kSchnitte << plot({}, {}, 0, 1, {}) << uint(PlotArea) << 0.0 << 0.0
                               << QString();
    QTest::newRow("standard scale 1:100")
        << kSchnitte << scaled(true, 26, 1, 100) << uint(Scale) << 0.0 << 0.0 << QString();
    QTest::newRow("custom scale 1:250")
        << kSchnitte << scaled(false, 0, 1, 250) << uint(Scale) << 0.0 << 0.0 << QString();
    QTest::newRow("several at once") << kAusschnitt << plot(kPng, png, 2, 1, QStringLiteral("acad.ctb"))
                                     << uint(Plotter | Paper | Orientation | StyleTable | PlotArea) << 0.0
                                     << 0.0 << QString();
    QTest::newRow("values not chosen stay")
        << kSchnitte << plot(QStringLiteral("Unbekannt.pc3"), png, 3, 9, QStringLiteral("fehlt.ctb"))
        << uint(Orientation) << 0.0 << 0.0 << QString();
    QTest::newRow("unknown plotter") << kSchnitte << plot(QStringLiteral("Unbekannt.pc3"), {}, 0, 0, {})
                                     << uint(Plotter) << 0.0 << 0.0
                                     << "Seiteneinrichtung für das Layout „Schnitte“ abgelehnt: Den Plotter "
                                        "„Unbekannt.pc3“ gibt es nicht.";
    QTest::newRow("paper the plotter lacks")
        << kSchnitte << plot({}, png, 0, 0, {}) << uint(Paper | Orientation) << 0.0 << 0.0
        << "Seiteneinrichtung für das Layout „Schnitte“ abgelehnt: Der Plotter „DWG To PDF.pc3“ kennt das "
           "Papierformat „XGA_(1024.00_x_768.00_Pixels)“ nicht.";
    QTest::newRow("plotter lacks the current paper")
        << kSchnitte << plot(kPng, {}, 0, 0, {}) << uint(Plotter) << 0.0 << 0.0
        << "Seiteneinrichtung für das Layout „Schnitte“ abgelehnt: Der Plotter „PublishToWeb PNG.pc3“ kennt "
           "das Papierformat „ISO_full_bleed_A1_(841.00_x_594.00_MM)“ nicht.";
    QTest::newRow("unknown style table")
        << kSchnitte << plot({}, {}, 0, 0, QStringLiteral("fehlt.ctb")) << uint(StyleTable | Orientation)
        << 0.0 << 0.0
        << "Seiteneinrichtung für das Layout „Schnitte“ abgelehnt: Die Plotstiltabelle „fehlt.ctb“ gibt "
           "es nicht.";
    QTest::newRow("rotation out of range")
        << kSchnitte << plot({}, {}, 4, 0, {}) << uint(Orientation) << 0.0 << 0.0
        << "Seiteneinrichtung für das Layout „Schnitte“ abgelehnt: Die Drehung 4 ist ungültig (erlaubt sind "
           "0 "
           "bis 3).";
    QTest::newRow("scale of zero") << kSchnitte << scaled(false, 0, 1, 0) << uint(Scale) << 0.0 << 0.0
                                   << "Seiteneinrichtung für das Layout „Schnitte“ abgelehnt: Der Maßstab 1 "
                                      ": 0 ist ungültig; beide Werte "
                                      "müssen größer als 0 sein.";
    QTest::newRow("Model")
        << QStringLiteral("Model") << plot({}, {}, 0, 0, {}) << uint(Orientation) << 0.0 << 0.0
        << "Die Seiteneinrichtung gilt nur für Papierbereichslayouts; „Model“ in „Seite.dwg“ "
           "bleibt, wie es ist.";
    QTest::newRow("closed drawing") << kSchnitte << plot({}, {}, 0, 0, {}) << uint(Orientation) << 0.0 << 0.0
                                    << "Die Zeichnung „" + m_dir.filePath(QStringLiteral("Seite.dwg")) +
                                           "“ ist nicht mehr geöffnet.";
}

// Only the chosen values change; the drawing becomes modified, and the values are saved where ezdxf
// finds them while every other layout stays as it was. A refusal changes nothing.
void tst_CadHostPageSetup::setPlotSettings()
{
    QFETCH(QString, layout);
    QFETCH(PlotSettings, values);
    QFETCH(uint, which);
    QFETCH(double, width);
    QFETCH(double, height);
    QFETCH(QString, error);
    const DocId doc = openCopy(QStringLiteral("A1 Lageplan.dwt"), QStringLiteral("Seite.dwg"));
    const QJsonObject original = audit(fileOf(doc));
    const ObjectId id = layoutId(doc, layout);
    const PlotSettings before = m_host->plotSettings(doc, id);
    if (QByteArray(QTest::currentDataTag()) == "closed drawing")
        m_host->closeDocument(doc, false);
    QCOMPARE(errorOf([&] { m_host->setPlotSettings(doc, id, values, which); }), error);
    if (!error.isEmpty()) {
        if (QByteArray(QTest::currentDataTag()) != "closed drawing") {
            QCOMPARE(text(m_host->plotSettings(doc, id)), text(before));
            QVERIFY(!m_host->document(doc).modified);
        }
        return;
    }
    const PlotSettings after = expected(before, values, which, width, height);
    QVERIFY(after != before);
    QCOMPARE(text(m_host->plotSettings(doc, id)), text(after));
    QVERIFY(m_host->document(doc).modified);
    checkSaved(doc, layout, after, original);
}

// Each call is one undo step, whatever number of values it sets.
void tst_CadHostPageSetup::undoSteps()
{
    const DocId doc = openCopy(QStringLiteral("A1 Lageplan.dwt"), QStringLiteral("Rückgängig.dwg"));
    const ObjectId id = layoutId(doc, kSchnitte);
    const PlotSettings original = m_host->plotSettings(doc, id);
    m_host->setPlotSettings(doc, id, plot(kPdf, kA3, 0, 1, QStringLiteral("acad.ctb")),
                            Paper | Orientation | StyleTable | PlotArea);
    const PlotSettings first = m_host->plotSettings(doc, id);
    m_host->setPlotSettings(doc, id, scaled(false, 0, 1, 50), Scale);
    QVERIFY(text(m_host->plotSettings(doc, id)) != text(first));
    runCommand(doc, QStringLiteral("_u\r"));
    QCOMPARE(text(m_host->plotSettings(doc, id)), text(first));
    runCommand(doc, QStringLiteral("_u\r"));
    QCOMPARE(text(m_host->plotSettings(doc, id)), text(original));
}

void tst_CadHostPageSetup::copyPlotSettings_data()
{
    QTest::addColumn<QString>("source"); // "other" drawing, "same" drawing, "closed" drawing
    QTest::addColumn<QString>("target");
    QTest::addColumn<uint>("which");
    QTest::addColumn<QString>("error");
    QTest::newRow("paper and style table") << "other" << kAusschnitt << uint(Paper | StyleTable) << QString();
    QTest::newRow("everything") << "other" << kAusschnitt << kAll << QString();
    QTest::newRow("plot area and scale") << "other" << kAusschnitt << uint(PlotArea | Scale) << QString();
    QTest::newRow("within the drawing") << "same" << kAusschnitt << uint(Orientation | PlotArea) << QString();
    QTest::newRow("into Model") << "other"
                                << "Model" << kAll
                                << "Die Seiteneinrichtung gilt nur für Papierbereichslayouts; „Model“ in "
                                   "„Ziel.dwg“ bleibt, wie es ist.";
    QTest::newRow("source closed") << "closed" << kAusschnitt << kAll
                                   << "Die Zeichnung „" + m_dir.filePath(QStringLiteral("Quelle.dwg")) +
                                          "“ ist nicht mehr geöffnet.";
}

// The target takes the source's chosen values, in one undo step; the source stays untouched.
void tst_CadHostPageSetup::copyPlotSettings()
{
    QFETCH(QString, source);
    QFETCH(QString, target);
    QFETCH(uint, which);
    QFETCH(QString, error);
    const DocId into = openCopy(QStringLiteral("A1 Lageplan.dwt"), QStringLiteral("Ziel.dwg"));
    const QJsonObject original = audit(fileOf(into));
    DocId from = into;
    QString fromLayout = kSchnitte;
    if (source != QLatin1String("same")) {
        from = openCopy(QStringLiteral("A3 quer.dwt"), QStringLiteral("Quelle.dwg"));
        fromLayout = QStringLiteral("A3 quer");
    }
    const ObjectId sourceId = layoutId(from, fromLayout);
    const ObjectId targetId = layoutId(into, target);
    const PlotSettings values = m_host->plotSettings(from, sourceId);
    const PlotSettings before = m_host->plotSettings(into, targetId);
    if (source == QLatin1String("closed"))
        m_host->closeDocument(from, false);
    QCOMPARE(errorOf([&] { m_host->copyPlotSettings(from, sourceId, into, targetId, which); }), error);
    if (!error.isEmpty()) {
        QCOMPARE(text(m_host->plotSettings(into, targetId)), text(before));
        QVERIFY(!m_host->document(into).modified);
        return;
    }
    const PlotSettings after = expected(before, values, which, values.paperWidth, values.paperHeight);
    QVERIFY(after != before);
    QCOMPARE(text(m_host->plotSettings(into, targetId)), text(after));
    if (from != into)
        QVERIFY(!m_host->document(from).modified);
    runCommand(into, QStringLiteral("_u\r"));
    QCOMPARE(text(m_host->plotSettings(into, targetId)), text(before));
    m_host->copyPlotSettings(from, sourceId, into, targetId, which);
    checkSaved(into, target, after, original);
}

QTEST_GUILESS_MAIN(tst_CadHostPageSetup)
#include "tst_CadHostPageSetup.moc"
