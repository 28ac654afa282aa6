// The calls that carry a selection's details in one answer: they must give what the single calls
// give one at a time, and refuse what those refuse.
#include "EngineTestUtil.h"

using namespace enginetest;
using cadhost::Engine;
using cadhost::MemoryStore;

Q_DECLARE_METATYPE(acad::PlotSettings)
Q_DECLARE_METATYPE(acad::XData)
Q_DECLARE_METATYPE(cadhost::XDataApp)

namespace {

const QString kPath = QStringLiteral("/projekt/Haus.dwg");
const QString kKvarto = QStringLiteral("Kvarto");

acad::PlotSettings plot(const QString& media, double width, double height, qint32 rotation, qint32 type,
                        const QString& styleSheet)
{
    return {QStringLiteral("DWG To PDF.pc3"), media, width, height, rotation, type, styleSheet};
}

cadhost::Entity blockRef(const QList<cadhost::XDataApp>& xdata)
{
    cadhost::Entity e;
    e.dxfType = QStringLiteral("INSERT");
    e.entityType = acad::BlockReference;
    e.block.blockName = QStringLiteral("KV_Nordpfeil");
    e.xdata = xdata;
    return e;
}

cadhost::XDataApp app(const QString& name, const QList<cadhost::XDataItem>& items)
{
    return {name, items};
}

} // namespace

class TestEngineDetails : public QObject
{
    Q_OBJECT

private:
    std::shared_ptr<MemoryStore> m_store;
    std::unique_ptr<Engine> m_engine;
    acad::DocId m_doc = 0;

    // A drawing whose second paper layout "Detail" holds the given plot settings and entities.
    void open(const acad::PlotSettings& detailPlot, const QList<cadhost::Entity>& detailEntities = {})
    {
        cadhost::Drawing drawing = drawingWith({QStringLiteral("Übersicht"), QStringLiteral("Detail")});
        drawing.layouts[2].plot = detailPlot;
        drawing.layouts[2].entities += detailEntities;
        m_store->put(kPath, drawing);
        m_engine = std::make_unique<Engine>(m_store);
        m_doc = m_engine->openDocument(kPath);
    }

    acad::ObjectId detailId() { return m_engine->document(m_doc).layouts.at(2).id; }

private slots:
    void init() { m_store = std::make_shared<MemoryStore>(); }

    void layoutPlotSettings_data()
    {
        QTest::addColumn<acad::PlotSettings>("stored");
        QTest::addColumn<acad::PlotSettings>("expected");
        QTest::addColumn<QString>("localeMediaName");
        const QString a3 = QStringLiteral("ISO_full_bleed_A3_(420.00_x_297.00_MM)");
        const QString a1 = QStringLiteral("ISO_A1_(841.00_x_594.00_MM)");
        const QString b = QStringLiteral("ANSI_B_(11.00_x_17.00_Inches)");
        const QString ctb = QStringLiteral("monochrome.ctb");
        QTest::newRow("size from the file stays")
            << plot(a3, 400, 280, 1, 5, ctb) << plot(a3, 400, 280, 1, 5, ctb)
            << QStringLiteral("ISO full bleed A3 (420.00 x 297.00 MM)");
        QTest::newRow("unknown size taken from the paper, window, upside down")
            << plot(a1, 0, 0, 3, 4, QString()) << plot(a1, 841, 594, 3, 4, QString())
            << QStringLiteral("ISO A1 (841.00 x 594.00 MM)");
        QTest::newRow("paper in inches")
            << plot(b, 0, 0, 0, 1, ctb) << plot(b, 11 * 25.4, 17 * 25.4, 0, 1, ctb)
            << QStringLiteral("ANSI B (11.00 x 17.00 Inches)");
        QTest::newRow("no paper") << plot(QString(), 0, 0, 2, 0, QString())
                                  << plot(QString(), 0, 0, 2, 0, QString()) << QString();
    }

    // Every layout in tab order with the settings a refresh followed by the single reads gives.
    void layoutPlotSettings()
    {
        QFETCH(acad::PlotSettings, stored);
        QFETCH(acad::PlotSettings, expected);
        QFETCH(QString, localeMediaName);
        open(stored);
        const QList<acad::LayoutPlotSettings> all = m_engine->layoutPlotSettings(m_doc);

        const QList<acad::LayoutRef> layouts = m_engine->document(m_doc).layouts;
        QCOMPARE(all.size(), layouts.size());
        for (qsizetype i = 0; i < all.size(); ++i) {
            QCOMPARE(all[i].id, layouts[i].id);
            QCOMPARE(all[i].name, layouts[i].name);
        }
        QCOMPARE(all[2].plot, expected);
        QCOMPARE(all[2].localeMediaName, localeMediaName);
        QCOMPARE(all[1].plot, drawingWith({QStringLiteral("x")}).layouts[1].plot);

        // The same as the step-by-step reads of a host that has only those.
        Engine stepByStep(m_store);
        const acad::DocId doc = stepByStep.openDocument(kPath);
        QList<acad::LayoutPlotSettings> steps = stepByStep.acad::Host::layoutPlotSettings(doc);
        for (qsizetype i = 0; i < steps.size(); ++i)
            steps[i].id = all[i].id; // each engine hands out its own ids
        QCOMPARE(steps, all);
        // The refresh is the host's own, as if the single call had been made.
        QCOMPARE(m_engine->plotSettings(m_doc, detailId()), expected);
        QVERIFY(!m_engine->document(m_doc).modified);
    }

    void blockEntitiesWithXData_data()
    {
        QTest::addColumn<QList<cadhost::XDataApp>>("stored");
        QTest::addColumn<QString>("application");
        QTest::addColumn<acad::XData>("expected");
        const cadhost::XDataApp kvarto = app(kKvarto, {{1071, QStringLiteral("0")},
                                                       {1005, QStringLiteral("9")},
                                                       {1071, QStringLiteral("91")},
                                                       {1005, QStringLiteral("11")}});
        const cadhost::XDataApp other = app(QStringLiteral("ACAD"), {{1000, QStringLiteral("fremd")}});
        const acad::XData kvartoData{
            {1001, 1071, 1005, 1071, 1005},
            {kKvarto, qint32(0), QStringLiteral("9"), qint32(91), QStringLiteral("11")}};
        QTest::newRow("Kvarto data") << QList{kvarto} << kKvarto << kvartoData;
        QTest::newRow("no data") << QList<cadhost::XDataApp>{} << kKvarto << acad::XData{};
        QTest::newRow("another application's data only") << QList{other} << kKvarto << acad::XData{};
        QTest::newRow("another application's data beside") << QList{other, kvarto} << kKvarto << kvartoData;
        QTest::newRow("the other application asked for")
            << QList{kvarto, other} << QStringLiteral("ACAD")
            << acad::XData{{1001, 1000}, {QStringLiteral("ACAD"), QStringLiteral("fremd")}};
    }

    // The entities in the host's order, each with the data a single read gives.
    void blockEntitiesWithXData()
    {
        QFETCH(QList<cadhost::XDataApp>, stored);
        QFETCH(QString, application);
        QFETCH(acad::XData, expected);
        open(paperLayout(QStringLiteral("x"), 1).plot, {blockRef(stored)});
        const acad::ObjectId layout = detailId();
        const QList<acad::EntityWithXData> all = m_engine->blockEntitiesWithXData(m_doc, layout, application);

        const QList<acad::EntityInfo> entities = m_engine->blockEntities(m_doc, layout);
        QCOMPARE(all.size(), entities.size());
        for (qsizetype i = 0; i < all.size(); ++i) {
            QCOMPARE(all[i].entity, entities[i]);
            QCOMPARE(all[i].xdata, m_engine->xdata(m_doc, entities[i].id, application));
        }
        QCOMPARE(all.last().entity.name, QStringLiteral("KV_Nordpfeil"));
        QCOMPARE(all.last().xdata, expected);
        QCOMPARE(all, m_engine->acad::Host::blockEntitiesWithXData(m_doc, layout, application));
    }

    void refused_data()
    {
        QTest::addColumn<QString>("what"); // "closed", "unknown", "deleted"
        QTest::addColumn<bool>("plots");   // else the entities
        QTest::addColumn<QString>("error");
        QTest::newRow("plot settings, closed document")
            << "closed" << true << "Haus.dwg“ ist nicht mehr geöffnet.";
        QTest::newRow("entities, closed document")
            << "closed" << false << "Haus.dwg“ ist nicht mehr geöffnet.";
        QTest::newRow("entities, unknown layout")
            << "unknown" << false << "Objekt-ID 999999 ist kein Layout der Zeichnung Haus.dwg.";
        QTest::newRow("entities, deleted layout")
            << "deleted" << false << "ist kein Layout der Zeichnung Haus.dwg.";
    }

    void refused()
    {
        QFETCH(QString, what);
        QFETCH(bool, plots);
        QFETCH(QString, error);
        open(paperLayout(QStringLiteral("x"), 1).plot);
        acad::ObjectId layout = detailId();
        if (what == QLatin1String("closed"))
            m_engine->closeDocument(m_doc, false);
        if (what == QLatin1String("unknown"))
            layout = 999999;
        if (what == QLatin1String("deleted")) {
            m_engine->sendCommand(m_doc, QStringLiteral("_layout\r_delete\rDetail\r"));
            settle();
            QCOMPARE(layoutNames(*m_engine, m_doc), (QStringList{"Model", QStringLiteral("Übersicht")}));
        }
        const QString description = errorOf([&] {
            if (plots)
                m_engine->layoutPlotSettings(m_doc);
            else
                m_engine->blockEntitiesWithXData(m_doc, layout, kKvarto);
        });
        QVERIFY2(description.contains(error), qPrintable(description));
    }
};

QTEST_GUILESS_MAIN(TestEngineDetails)
#include "tst_enginedetails.moc"
