// Documents, ids, plot settings and extended data through the automation calls.
#include "EngineTestUtil.h"

using namespace enginetest;
using cadhost::Engine;
using cadhost::MemoryStore;

namespace {

// A store whose reads fail the way a broken file layer might.
class ThrowingStore final : public cadhost::DrawingStore
{
public:
    cadhost::Drawing load(const QString&) override { throw std::runtime_error("kaputt"); }
    void save(const cadhost::Drawing&, const QString&) override {}
    bool exists(const QString&) override { return true; }
};

acad::XData kvartoData(const QList<std::pair<qint32, QString>>& pairs)
{
    acad::XData x;
    x.codes.append(1001);
    x.values.append(QStringLiteral("Kvarto"));
    for (const auto& [typ, value] : pairs) {
        x.codes.append(1071);
        x.values.append(typ);
        x.codes.append(typ < 100 ? 1005 : 1000);
        x.values.append(value);
    }
    return x;
}

} // namespace

class TestEngineDocuments : public QObject
{
    Q_OBJECT

private:
    std::shared_ptr<MemoryStore> m_store;
    std::unique_ptr<Engine> m_engine;
    acad::DocId m_doc = 0;
    const QString m_path = QStringLiteral("/projekt/Haus.dwg");

    acad::ObjectId layoutId(const QString& name)
    {
        for (const acad::LayoutRef& l : m_engine->document(m_doc).layouts) {
            if (l.name == name)
                return l.id;
        }
        return 0;
    }

    acad::ObjectId viewportId()
    {
        return m_engine->blockEntities(m_doc, layoutId(QStringLiteral("Layout1"))).at(0).id;
    }

private slots:
    void init()
    {
        m_store = std::make_shared<MemoryStore>();
        m_store->put(m_path, drawingWith({QStringLiteral("Layout1"), QStringLiteral("Layout2")}));
        m_engine = std::make_unique<Engine>(m_store);
        m_doc = m_engine->openDocument(m_path);
    }

    void nameAndPath()
    {
        const acad::ApplicationSnapshot app = m_engine->application();
        QCOMPARE(app.documents.size(), 1);
        QCOMPARE(app.activeDocument, m_doc);
        QCOMPARE(app.documents.at(0).name, QStringLiteral("Haus.dwg"));
        QCOMPARE(app.documents.at(0).path, QStringLiteral("/projekt"));
    }

    void snapshotsOfEveryDocument()
    {
        const acad::DocId second = m_engine->addDocument(QString());
        const QList<acad::DocumentSnapshot> all = m_engine->documentSnapshots();
        QCOMPARE(all, QList<acad::DocumentSnapshot>({m_engine->document(m_doc), m_engine->document(second)}));
    }

    void openErrorsNameTheFile_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("throwingStore");
        QTest::newRow("missing") << "/projekt/Fehlt.dwg" << false;
        QTest::newRow("not a drawing") << "/projekt/Kaputt.dwg" << true;
    }

    void openErrorsNameTheFile()
    {
        QFETCH(QString, path);
        QFETCH(bool, throwingStore);
        Engine engine(throwingStore
                          ? std::shared_ptr<cadhost::DrawingStore>(std::make_shared<ThrowingStore>())
                          : m_store);
        try {
            engine.openDocument(path);
            QFAIL("no error");
        } catch (const acad::Error& e) {
            QVERIFY2(e.description().contains(path), qPrintable(e.description()));
        }
        QVERIFY(engine.application().documents.isEmpty());
    }

    void openTwiceGivesTheOpenDocument()
    {
        QCOMPARE(m_engine->openDocument(QStringLiteral("/PROJEKT/haus.dwg")), m_doc);
        QCOMPARE(m_engine->application().documents.size(), 1);
    }

    void addNumbersNewDrawings()
    {
        const QString t = QStringLiteral("/bibliothek/Vorlage.dwt");
        m_store->put(
            t, drawingWith({QStringLiteral("Plan A"), QStringLiteral("Plan B")}, QStringLiteral("Plan B")));
        const acad::DocId first = m_engine->addDocument(t);
        QVERIFY_THROWS_EXCEPTION(acad::Error, m_engine->addDocument(QStringLiteral("/bibliothek/Fehlt.dwt")));
        const acad::DocId second = m_engine->addDocument(QString());
        QCOMPARE(m_engine->document(first).ref.name, QStringLiteral("Zeichnung1.dwg"));
        QCOMPARE(m_engine->document(second).ref.name, QStringLiteral("Zeichnung2.dwg"));
        QCOMPARE(layoutNames(*m_engine, first), QStringList({"Model", "Plan A", "Plan B"}));
        QCOMPARE(m_engine->document(first).activeLayout, QStringLiteral("Plan B"));
        QCOMPARE(layoutNames(*m_engine, second), QStringList({"Model", "Layout1", "Layout2"}));
        QCOMPARE(m_engine->application().activeDocument, second);
        QVERIFY(!m_engine->document(first).modified);
        QVERIFY(!m_engine->document(first).ref.path.endsWith(QLatin1Char('/')));
    }

    void idsAreUniqueAndStable()
    {
        const acad::DocId second = m_engine->addDocument(QString());
        QSet<acad::ObjectId> ids;
        for (const acad::DocId doc : {m_doc, second}) {
            for (const acad::LayoutRef& l : m_engine->document(doc).layouts) {
                ids.insert(l.id);
                for (const acad::EntityInfo& e : m_engine->blockEntities(doc, l.id))
                    ids.insert(e.id);
            }
        }
        QCOMPARE(ids.size(), 3 + 3 + 2 * 2);
        QVERIFY(!ids.contains(0));
        const acad::DocumentSnapshot before = m_engine->document(m_doc);
        m_engine->saveDocument(m_doc);
        m_engine->setLayoutName(m_doc, layoutId(QStringLiteral("Layout2")), QStringLiteral("Plan"));
        QCOMPARE(m_engine->document(m_doc).layouts.at(2).id, before.layouts.at(2).id);
        QVERIFY(second != m_doc);
    }

    void objectIdToObject()
    {
        const acad::ObjectInfo layout =
            m_engine->objectIdToObject(m_doc, layoutId(QStringLiteral("Layout2")));
        QCOMPARE(layout.kind, qint32(acad::ObjectInfo::Layout));
        QCOMPARE(layout.layout.name, QStringLiteral("Layout2"));
        QCOMPARE(layout.layout.tabOrder, 2);
        const acad::ObjectInfo vp = m_engine->objectIdToObject(m_doc, viewportId());
        QCOMPARE(vp.kind, qint32(acad::ObjectInfo::Entity));
        QCOMPARE(vp.entity.entityType, qint32(acad::PViewport));
        QCOMPARE(vp.entity.customScale, 100.0 / 5000.0);
        QVERIFY_THROWS_EXCEPTION(acad::Error, m_engine->objectIdToObject(m_doc, 7));
        // Ids belong to their drawing.
        const acad::DocId other = m_engine->addDocument(QString());
        QVERIFY_THROWS_EXCEPTION(acad::Error, m_engine->objectIdToObject(other, viewportId()));
    }

    void blockEntities()
    {
        const QList<acad::EntityInfo> entities =
            m_engine->blockEntities(m_doc, layoutId(QStringLiteral("Layout1")));
        QCOMPARE(entities.size(), 2);
        QCOMPARE(entities.at(1).entityType, qint32(acad::BlockReference));
        QCOMPARE(entities.at(1).name, QStringLiteral("KV_Schriftfeld"));
        QVERIFY(m_engine->blockEntities(m_doc, layoutId(QStringLiteral("Model"))).isEmpty());
    }

    void activeLayoutAndSpace()
    {
        m_engine->setActiveLayout(m_doc, QStringLiteral("layout2"));
        QCOMPARE(m_engine->document(m_doc).activeLayout, QStringLiteral("Layout2"));
        m_engine->setActiveSpace(m_doc, acad::ModelSpace);
        QCOMPARE(m_engine->document(m_doc).activeLayout, QStringLiteral("Model"));
        QCOMPARE(m_engine->document(m_doc).activeSpace, qint32(acad::ModelSpace));
        // Back to paper space: the layout that was current before.
        m_engine->setActiveSpace(m_doc, acad::PaperSpace);
        QCOMPARE(m_engine->document(m_doc).activeLayout, QStringLiteral("Layout2"));
        QVERIFY_THROWS_EXCEPTION(acad::Error, m_engine->setActiveLayout(m_doc, QStringLiteral("Fehlt")));
        QVERIFY_THROWS_EXCEPTION(acad::Error, m_engine->setActiveSpace(m_doc, 2));
    }

    void plotSettings()
    {
        const acad::ObjectId id = layoutId(QStringLiteral("Layout1"));
        const acad::PlotSettings plot = m_engine->plotSettings(m_doc, id);
        QCOMPARE(plot.configName, QStringLiteral("DWG To PDF.pc3"));
        QCOMPARE(plot.plotRotation, 1);
        QCOMPARE(m_engine->localeMediaName(m_doc, id, plot.canonicalMediaName),
                 QStringLiteral("ISO full bleed A3 (420.00 x 297.00 MM)"));
        m_engine->refreshPlotDeviceInfo(m_doc, id);
        QCOMPARE(m_engine->plotSettings(m_doc, id), plot);
    }

    void refreshFillsAnUnknownPaperSize()
    {
        cadhost::Drawing d = drawingWith({QStringLiteral("L")});
        d.layouts[1].plot.paperWidth = 0;
        d.layouts[1].plot.paperHeight = 0;
        d.layouts[1].plot.canonicalMediaName = QStringLiteral("ANSI_B_(11.00_x_17.00_Inches)");
        m_store->put(QStringLiteral("/p/Alt.dwg"), d);
        const acad::DocId doc = m_engine->openDocument(QStringLiteral("/p/Alt.dwg"));
        const acad::ObjectId id = m_engine->document(doc).layouts.at(1).id;
        m_engine->refreshPlotDeviceInfo(doc, id);
        QCOMPARE(m_engine->plotSettings(doc, id).paperWidth, 11 * 25.4);
        QCOMPARE(m_engine->plotSettings(doc, id).paperHeight, 17 * 25.4);
    }

    void xdataAsStored()
    {
        const acad::XData x = m_engine->xdata(m_doc, viewportId(), QStringLiteral("Kvarto"));
        QCOMPARE(x.codes, QList<qint16>({1001, 1071, 1000}));
        QCOMPARE(x.values.at(0).toString(), QStringLiteral("Kvarto"));
        QCOMPARE(x.values.at(1).typeId(), QMetaType::fromType<qint32>().id());
        QCOMPARE(x.values.at(1).toInt(), 121);
        QCOMPARE(x.values.at(2).toString(), QStringLiteral("Grundriss"));
        QCOMPARE(m_engine->xdata(m_doc, viewportId(), QStringLiteral("ANDERE")), acad::XData());
        QCOMPARE(m_engine->xdata(m_doc, layoutId(QStringLiteral("Layout1")), QStringLiteral("Kvarto")),
                 acad::XData());
    }

    void setXDataReplacesTheApplication()
    {
        const acad::XData written = kvartoData(
            {{0, QStringLiteral("3")}, {21, QStringLiteral("1")}, {121, QStringLiteral("Schnitt")}});
        m_engine->setXData(m_doc, viewportId(), written);
        const acad::XData read = m_engine->xdata(m_doc, viewportId(), QStringLiteral("kvarto"));
        QCOMPARE(read.codes, written.codes);
        QCOMPARE(read.values.at(2).toString(), QStringLiteral("3"));
        QCOMPARE(read.values.at(6).toString(), QStringLiteral("Schnitt"));
        QVERIFY(m_engine->document(m_doc).modified);
        // The application name alone removes its data.
        m_engine->setXData(m_doc, viewportId(), kvartoData({}));
        QCOMPARE(m_engine->xdata(m_doc, viewportId(), QStringLiteral("Kvarto")), acad::XData());
    }

    void badXDataChangesNothing_data()
    {
        QTest::addColumn<QList<qint16>>("codes");
        QTest::addColumn<QVariantList>("values");
        QTest::newRow("empty") << QList<qint16>{} << QVariantList{};
        QTest::newRow("lengths differ") << QList<qint16>{1001, 1000} << QVariantList{"Kvarto"};
        QTest::newRow("no application first") << QList<qint16>{1000} << QVariantList{"x"};
        QTest::newRow("empty application") << QList<qint16>{1001, 1000} << QVariantList{"", "x"};
        QTest::newRow("not an extended data code") << QList<qint16>{1001, 8} << QVariantList{"Kvarto", "x"};
        QTest::newRow("16-bit overflow") << QList<qint16>{1001, 1070} << QVariantList{"Kvarto", 40000};
        QTest::newRow("32-bit overflow")
            << QList<qint16>{1001, 1071} << QVariantList{"Kvarto", qlonglong(1) << 33};
        QTest::newRow("fraction as integer") << QList<qint16>{1001, 1071} << QVariantList{"Kvarto", 1.5};
        QTest::newRow("text as real") << QList<qint16>{1001, 1040} << QVariantList{"Kvarto", "abc"};
        // A line end would split the value into DXF groups of its own when the drawing is saved.
        QTest::newRow("line feed injecting groups")
            << QList<qint16>{1001, 1000} << QVariantList{"Kvarto", "Wert\n  0\nLINE"};
        QTest::newRow("carriage return") << QList<qint16>{1001, 1000} << QVariantList{"Kvarto", "Wert\rx"};
        QTest::newRow("NUL") << QList<qint16>{1001, 1000} << QVariantList{"Kvarto", QString(QChar(0))};
        QTest::newRow("line feed in the application")
            << QList<qint16>{1001, 1000} << QVariantList{"Kvar\nto", "x"};
    }

    void badXDataChangesNothing()
    {
        QFETCH(QList<qint16>, codes);
        QFETCH(QVariantList, values);
        const acad::XData before = m_engine->xdata(m_doc, viewportId(), QString());
        QVERIFY_THROWS_EXCEPTION(acad::Error, m_engine->setXData(m_doc, viewportId(), {codes, values}));
        QCOMPARE(m_engine->xdata(m_doc, viewportId(), QString()), before);
        QVERIFY(!m_engine->document(m_doc).modified);
    }

    void variables()
    {
        QCOMPARE(m_engine->variable(m_doc, QStringLiteral("FILEDIA")).toInt(), 1);
        m_engine->setVariable(m_doc, QStringLiteral("filedia"), qint16(0));
        QCOMPARE(m_engine->variable(m_doc, QStringLiteral("FILEDIA")).toInt(), 0);
        QVERIFY_THROWS_EXCEPTION(acad::Error, m_engine->setVariable(m_doc, QStringLiteral("FILEDIA"), 2));
        QVERIFY_THROWS_EXCEPTION(acad::Error, m_engine->setVariable(m_doc, QStringLiteral("FILEDIA"), "ja"));
        QVERIFY_THROWS_EXCEPTION(acad::Error,
                                 m_engine->setVariable(m_doc, QStringLiteral("CTAB"), "Layout2"));
        QVERIFY_THROWS_EXCEPTION(acad::Error, m_engine->setVariable(m_doc, QStringLiteral("GIBTESNICHT"), 1));
        QCOMPARE(m_engine->variable(m_doc, QStringLiteral("FILEDIA")).toInt(), 0);
        QCOMPARE(m_engine->variable(m_doc, QStringLiteral("CTAB")).toString(), QStringLiteral("Layout1"));
    }

    // A new drawing has no file until it is saved under a name; an opened one has.
    void drawingTitled()
    {
        QCOMPARE(m_engine->variable(m_doc, QStringLiteral("DWGTITLED")).toInt(), 1);
        const acad::DocId added = m_engine->addDocument(QString());
        QCOMPARE(m_engine->variable(added, QStringLiteral("dwgtitled")).toInt(), 0);
        QVERIFY_THROWS_EXCEPTION(acad::Error, m_engine->setVariable(added, QStringLiteral("DWGTITLED"), 1));
    }

    void saveAndClose()
    {
        m_engine->setLayoutName(m_doc, layoutId(QStringLiteral("Layout2")), QStringLiteral("Plan"));
        QVERIFY(m_engine->document(m_doc).modified);
        m_engine->closeDocument(m_doc, true);
        QVERIFY(m_engine->application().documents.isEmpty());
        QVERIFY(m_store->load(m_path).layout(QStringLiteral("Plan")));
        QVERIFY_THROWS_EXCEPTION(acad::Error, m_engine->document(m_doc));
    }

    void failedSaveKeepsTheDrawingOpen()
    {
        m_engine->setLayoutName(m_doc, layoutId(QStringLiteral("Layout2")), QStringLiteral("Plan"));
        m_store->failSaves(m_path, true);
        QVERIFY_THROWS_EXCEPTION(acad::Error, m_engine->closeDocument(m_doc, true));
        QVERIFY(m_engine->document(m_doc).modified);
        QCOMPARE(m_engine->application().documents.size(), 1);
    }

    void closingTheActiveDrawingActivatesANeighbour()
    {
        const acad::DocId b = m_engine->addDocument(QString());
        const acad::DocId c = m_engine->addDocument(QString());
        m_engine->activateDocument(b);
        QSignalSpy active(m_engine.get(), &Engine::activeDocumentChanged);
        m_engine->closeDocument(b, false);
        QCOMPARE(m_engine->application().activeDocument, c);
        QCOMPARE(active.count(), 1);
    }

    void visibleAndFront()
    {
        QSignalSpy visible(m_engine.get(), &Engine::visibleChanged);
        QSignalSpy front(m_engine.get(), &Engine::bringToFrontRequested);
        m_engine->setVisible(false);
        QCOMPARE(visible.count(), 0);
        m_engine->bringToFront();
        QVERIFY(m_engine->application().visible);
        QCOMPARE(visible.count(), 1);
        QCOMPARE(front.count(), 1);
    }
};

QTEST_GUILESS_MAIN(TestEngineDocuments)
#include "tst_enginedocuments.moc"
