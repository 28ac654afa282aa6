#include "MsgBoxRecorder.h"
#include "ViewFixture.h"

#include <QLocale>
#include <QTest>
#include <explorer/basViewControls.h>

namespace {

using Rows = QList<QStringList>; // key, caption, value, small icon

const QString kNone = QStringLiteral("Nicht vorhanden");

acad::XData kvarto(const QStringList& pairs)
{
    acad::XData data;
    data.codes.append(1001);
    data.values.append(QStringLiteral("Kvarto"));
    for (qsizetype i = 0; i < pairs.size(); ++i) {
        data.codes.append(i % 2 == 0 ? 1071 : 1000);
        data.values.append(pairs[i]);
    }
    return data;
}

// The German decimal comma for the length of a test.
class GermanNumbers final
{
public:
    GermanNumbers() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    ~GermanNumbers() { QLocale::setDefault(m_before); }
    GermanNumbers(const GermanNumbers&) = delete;
    GermanNumbers& operator=(const GermanNumbers&) = delete;

private:
    QLocale m_before;
};

} // namespace

class TestLayoutDetails final : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_f = std::make_unique<ViewFixture>();
        m_doc = m_f->host->addDrawing("/plans", "a.dwg", {"Blatt 1", "Blatt 2"});
        m_layout = m_f->host->find(m_doc)->layouts[1].id;
        m_next = 5000;
        viewport(1000); // the layout's own
    }

    void cleanup()
    {
        QVERIFY2(m_f->boxes.scriptDone(), "an expected message box did not appear");
        m_f.reset();
    }

    void plotRows_data()
    {
        QTest::addColumn<int>("rotation");
        QTest::addColumn<int>("plotType");
        QTest::addColumn<QString>("style");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("height");
        QTest::addColumn<QStringList>("expected"); // Papiergröße, Ausrichtung, Plotstiltabelle, Plotbereich
        QTest::newRow("landscape, no table, window")
            << 1 << 4 << "" << 420.0 << 297.0
            << QStringList{"420,00 x 297,00 mm", "Querformat", "Kein", "Fenster"};
        QTest::newRow("portrait paper: the larger side first")
            << 0 << 1 << "monochrome.ctb" << 297.0 << 420.0
            << QStringList{"420,00 x 297,00 mm", "Hochformat", "monochrome.ctb", "Layout"};
        QTest::newRow("upside down, display")
            << 2 << 0 << "" << 215.9 << 279.4
            << QStringList{"279,40 x 215,90 mm", "Hochformat (auf dem Kopf)", "Kein", "Anzeige"};
        QTest::newRow("landscape upside down, extents")
            << 3 << 2 << "grau.stb" << 841.0 << 594.0
            << QStringList{"841,00 x 594,00 mm", "Querformat (auf dem Kopf)", "grau.stb", "Grenzen"};
        QTest::newRow("view") << 1 << 3 << "" << 297.0 << 210.0
                              << QStringList{"297,00 x 210,00 mm", "Querformat", "Kein", "Ansicht"};
        QTest::newRow("layout (5)") << 1 << 5 << "" << 297.0 << 210.0
                                    << QStringList{"297,00 x 210,00 mm", "Querformat", "Kein", "Layout"};
        QTest::newRow("values outside the tables")
            << 4 << 6 << "" << 100.0 << 100.0 << QStringList{"100,00 x 100,00 mm", "", "Kein", ""};
    }

    void plotRows()
    {
        QFETCH(int, rotation);
        QFETCH(int, plotType);
        QFETCH(QString, style);
        QFETCH(double, width);
        QFETCH(double, height);
        QFETCH(QStringList, expected);
        const GermanNumbers german;
        acad::PlotSettings& plot = m_f->host->findLayout(m_layout)->plot;
        plot.plotRotation = rotation;
        plot.plotType = plotType;
        plot.styleSheet = style;
        plot.paperWidth = width;
        plot.paperHeight = height;
        showDetails();
        const Rows expectedRows{
            {"ILayoutname", "Layoutname", "Blatt 1", "17"},
            {"IPlotter", "Plotter", "DWG To PDF.pc3", "17"},
            {"IPapierformat", "Papierformat", "Lokal ISO_full_bleed_A3_(420.00_x_297.00_MM)", "17"},
            {"IPapiergroesse", "Papiergröße", expected[0], "17"},
            {"IAusrichtung", "Ausrichtung", expected[1], "17"},
            {"IPlotstil", "Plotstiltabelle", expected[2], "17"},
            {"IPlotbereich", "Plotbereich", expected[3], "17"},
            {"IStempel", "Stempelfeld", kNone, "18"},
            {"INordpfeil", "Nordpfeil", kNone, "18"},
            {"ILegende", "Legende", kNone, "18"},
        };
        QCOMPARE(rows(), expectedRows);
    }

    // DXF's "no plotter" is shown as the CAD program shows it.
    void plotterRow_data()
    {
        QTest::addColumn<QString>("plotter");
        QTest::addColumn<QString>("shown");
        QTest::newRow("none_device") << "none_device"
                                     << "Kein";
        QTest::newRow("a plotter") << "Plotter A0.pc3"
                                   << "Plotter A0.pc3";
        QTest::newRow("none given") << ""
                                    << "";
    }
    void plotterRow()
    {
        QFETCH(QString, plotter);
        QFETCH(QString, shown);
        m_f->host->findLayout(m_layout)->plot.configName = plotter;
        showDetails();
        QCOMPARE(rows().at(1), (QStringList{"IPlotter", "Plotter", shown, "17"}));
    }

    void viewportRows_data()
    {
        QTest::addColumn<QList<double>>("scales");
        QTest::addColumn<Rows>("expected");
        QTest::newRow("only the layout's own") << QList<double>{} << Rows{};
        QTest::newRow("one") << QList<double>{4}
                             << Rows{{"IAnsichtsfenster1", "Ansichtsfenster", "Ansicht 1 (1:250)", "19"}};
        QTest::newRow("two") << QList<double>{10, 0.02}
                             << Rows{{"IAnsichtsfenster1", "Ansichtsfenster 1", "Ansicht 1 (1:100)", "19"},
                                     {"IAnsichtsfenster2", "Ansichtsfenster 2", "Ansicht 2 (1:50000)", "19"}};
    }

    void viewportRows()
    {
        QFETCH(QList<double>, scales);
        QFETCH(Rows, expected);
        for (int i = 0; i < scales.size(); ++i)
            viewport(scales[i], {"0", "1", "21", "0", "121", QStringLiteral("Ansicht %1").arg(i + 1)});
        showDetails();
        QCOMPARE(rows().mid(10), expected);
    }

    void blockRows_data()
    {
        QTest::addColumn<QList<QStringList>>("blocks");      // name, xdata pairs...
        QTest::addColumn<QList<QStringList>>("definitions"); // key, typenId, blockId, Bezeichnung
        QTest::addColumn<QStringList>("expected");           // Stempelfeld, Nordpfeil, Legende
        const QList<QStringList> three{
            {"SF_A3", "0", "8", "81", "1"}, {"NP_1", "0", "9", "91", "11"}, {"LEG_1", "0", "14", "71", "21"}};
        QTest::newRow("none") << QList<QStringList>{} << QList<QStringList>{}
                              << QStringList{kNone, kNone, kNone};
        QTest::newRow("numbers no definition has show the block names")
            << three << QList<QStringList>{} << QStringList{"SF_A3", "NP_1", "LEG_1"};
        QTest::newRow("definitions by type and number")
            << three
            << QList<QStringList>{{"1", "2", "1", "Schriftfeld A3"},
                                  {"11", "4", "11", "Nordpfeil klein"},
                                  {"21", "7", "21", "Legende Bestand"}}
            << QStringList{"Schriftfeld A3", "Nordpfeil klein", "Legende Bestand"};
        QTest::newRow("a number of another type does not refine")
            << three
            << QList<QStringList>{{"1", "4", "1", "Nordpfeil 1"}, {"21", "2", "21", "Schriftfeld 21"}}
            << QStringList{"SF_A3", "NP_1", "LEG_1"};
        QTest::newRow("the later definition wins")
            << three << QList<QStringList>{{"a", "2", "1", "Erstes"}, {"b", "2", "1", "Zweites"}}
            << QStringList{"Zweites", "NP_1", "LEG_1"};
        QTest::newRow("the last block met wins")
            << QList<QStringList>{{"SF_A3", "0", "8", "81", "1"}, {"SF_A1", "0", "8", "81", "2"}}
            << QList<QStringList>{{"1", "2", "1", "Schriftfeld A3"}} << QStringList{"SF_A1", kNone, kNone};
        // A definition without a number (0) does not name a block the layout has not.
        QTest::newRow("a title block numbered 0 is not taken")
            << QList<QStringList>{{"SF_X", "0", "8", "81", "0"}}
            << QList<QStringList>{{"0", "2", "0", "Null"}} << QStringList{kNone, kNone, kNone};
        QTest::newRow("a number that does not convert")
            << QList<QStringList>{{"SF_X", "0", "8", "81", "eins"}} << QList<QStringList>{}
            << QStringList{kNone, kNone, kNone};
    }

    void blockRows()
    {
        QFETCH(QList<QStringList>, blocks);
        QFETCH(QList<QStringList>, definitions);
        QFETCH(QStringList, expected);
        for (const QStringList& block : blocks)
            blockRef(block[0], block.mid(1));
        // Each refresh reads the definitions again: these stand in for them until the next one.
        m_f->views.FillTreeView();
        m_f->definitions.gBloecke.Clear();
        for (const QStringList& d : definitions) {
            m_f->definitions.gBloecke.Add(d[3], 1, 1, 1, 0, d[2].toInt(), 0, 0, d[1].toInt(), "B" + d[2], 0,
                                          0, 0, "0", d[0]);
        }
        m_f->click(m_f->keyOf("Blatt 1"));
        QCOMPARE((QStringList{value("IStempel"), value("INordpfeil"), value("ILegende")}), expected);
    }

    // Broken product data gives the message of the data's reader and empty cells, never more.
    void brokenProductData()
    {
        viewport(4, {"0", "1", "121", "Grundriss", "121", "Schnitt"});
        blockRef("SF_A3", {"0", "8", "0", "9"});
        m_f->boxes.expect(platform::vbOK, QStringLiteral("Fehler beim Lesen der EED's!"));
        m_f->boxes.expect(platform::vbOK, QStringLiteral("Fehler beim Lesen der EED's!"));
        showDetails();
        QCOMPARE(value("IAnsichtsfenster1"), QStringLiteral("Unbenannt (1:250)"));
        QCOMPARE(value("IStempel"), kNone);
    }

    void theRememberedRowIsSelectedAgain()
    {
        showDetails();
        m_f->list.setSelected("IPlotter", true);
        m_f->views.FillTreeView();
        QCOMPARE(m_f->list.selectedKey(), QStringLiteral("IPlotter"));
        m_f->click(m_f->keyOf("Blatt 1"));
        QCOMPARE(m_f->list.selectedKey(), QStringLiteral("IPlotter"));
    }

    void failures_data()
    {
        QTest::addColumn<QString>("failing");
        QTest::addColumn<bool>("layoutGone");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("plotter");
        QTest::newRow("the host no longer has the layout") << "" << true << 0 << "";
        QTest::newRow("the host is gone") << "application" << false << 0 << "";
        QTest::newRow("the block cannot be read")
            << "blockEntitiesWithXData" << false << 10 << "DWG To PDF.pc3";
        // The bulk call fails: the layout is read with the single calls.
        QTest::newRow("the plot settings of all layouts fail")
            << "layoutPlotSettings" << false << 11 << "DWG To PDF.pc3";
        QTest::newRow("the layout's plot settings fail") << "plot of the layout" << false << 11 << "";
    }

    void failures()
    {
        QFETCH(QString, failing);
        QFETCH(bool, layoutGone);
        QFETCH(int, rows);
        QFETCH(QString, plotter);
        viewport(4, {"0", "1", "21", "0", "121", "Grundriss"});
        m_f->views.FillTreeView();
        if (layoutGone)
            m_f->host->findLayout(m_layout)->name = QStringLiteral("Umbenannt");
        if (failing == "plot of the layout")
            m_f->host->failingPlot = m_layout;
        else
            m_f->host->failing = failing;
        m_f->click(m_f->keyOf("Blatt 1"));
        QCOMPARE(m_f->list.count(), rows);
        if (rows > 0) {
            QCOMPARE(value("ILayoutname"), QStringLiteral("Blatt 1"));
            QCOMPARE(value("IPlotter"), plotter);
        }
        QCOMPARE(m_f->boxes.count(), 0);
    }

    void detailsCostThreeCallsHoweverLargeTheLayout()
    {
        for (int i = 0; i < 200; ++i) {
            viewport(1 + i % 20, {"0", "1", "21", "0", "121", QStringLiteral("V%1").arg(i)});
            blockRef("SF", {"0", "8", "81", "1"});
        }
        m_f->views.FillTreeView();
        m_f->host->calls.clear();
        m_f->click(m_f->keyOf("Blatt 1"));
        QCOMPARE(m_f->list.count(), 210);
        QVERIFY2(m_f->host->totalCalls() == 3,
                 qPrintable(QStringList(m_f->host->calls.keys()).join(QLatin1Char(','))));
    }

    void layoutListCostsTwoCallsHoweverManyLayouts()
    {
        QStringList names;
        for (int i = 0; i < 50; ++i)
            names.append(QStringLiteral("Blatt %1").arg(i));
        m_f->host->addDrawing("/plans", "gross.dwg", names);
        m_f->views.FillTreeView();
        m_f->host->calls.clear();
        m_f->click(m_f->keyOf("gross.dwg"));
        QCOMPARE(m_f->list.count(), 50);
        QCOMPARE(m_f->list.subItem(m_f->keyOf("Blatt 7"), 1), QStringLiteral("DWG To PDF.pc3"));
        QCOMPARE(m_f->host->calls.value("application"), 1);
        QCOMPARE(m_f->host->calls.value("layoutPlotSettings"), 1);
        QCOMPARE(m_f->host->totalCalls(), 2);
    }

    void templatePaths_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("template") << "A3.dwt";
        QTest::newRow("drawing with spaces and umlauts") << "Grundriß Süd.dwg";
        QTest::newRow("upper-case extension") << "A1 QUER.DWT";
    }

    void templatePaths()
    {
        QFETCH(QString, file);
        m_f->addTemplate(file);
        m_f->views.FillTreeView();
        m_f->click(m_f->keyOf(file));
        const Rows expected{{"IDateiname", "Dateiname", file, "21"},
                            {"IOrdner", "Ordner", m_f->library.path(), "20"}};
        QCOMPARE(rows(), expected);
    }

    void templateRowsStayBetweenTemplates()
    {
        m_f->addTemplate("A3.dwt");
        m_f->addTemplate("A4.dwt");
        m_f->views.FillTreeView();
        m_f->click(m_f->keyOf("A3.dwt"));
        m_f->list.setSelected("IOrdner", true);
        m_f->click(m_f->keyOf("A4.dwt"));
        QCOMPARE(value("IDateiname"), QStringLiteral("A4.dwt"));
        QCOMPARE(m_f->list.selectedKey(), QStringLiteral("IOrdner"));
    }

private:
    void viewport(double scale, const QStringList& data = {})
    {
        const acad::ObjectId id = m_next++;
        m_f->host->entities[m_layout].append({id, acad::PViewport, QString(), scale});
        if (!data.isEmpty())
            m_f->host->xdatas.insert(id, kvarto(data));
    }

    void blockRef(const QString& name, const QStringList& data)
    {
        const acad::ObjectId id = m_next++;
        m_f->host->entities[m_layout].append({id, acad::BlockReference, name, 0});
        m_f->host->xdatas.insert(id, kvarto(data));
    }

    void showDetails()
    {
        m_f->views.FillTreeView();
        m_f->click(m_f->keyOf("Blatt 1"));
    }

    QString value(const QString& key) const { return m_f->list.subItem(key, 1); }

    Rows rows() const
    {
        Rows out;
        for (const QString& key : m_f->list.keys())
            out.append({key, m_f->list.text(key), value(key), QString::number(m_f->list.smallIcon(key))});
        return out;
    }

    std::unique_ptr<ViewFixture> m_f;
    acad::DocId m_doc = 0;
    acad::ObjectId m_layout = 0;
    acad::ObjectId m_next = 5000;
};

QTEST_MAIN(TestLayoutDetails)
#include "tst_layoutdetails.moc"
