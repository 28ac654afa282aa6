#include "ViewFixture.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <operations/BlattlisteControl.h>
#include <operations/frmBlattliste.h>

using blattliste::Blatt;
using operations::BlattlisteControl;

namespace {

acad::XData kvarto(const QStringList& pairs)
{
    acad::XData data{{1001}, {QStringLiteral("Kvarto")}};
    for (qsizetype i = 0; i < pairs.size(); ++i) {
        data.codes.append(i % 2 == 0 ? 1071 : 1000);
        data.values.append(pairs[i]);
    }
    return data;
}

struct Sheet
{
    QString plotter = QStringLiteral("DWG To PDF.pc3");
    QString style = QStringLiteral("monochrome.ctb");
    double width = 420;
    double height = 297;
    QList<std::pair<QString, double>> viewports{{QStringLiteral("Grundriss"), 10}}; // name, custom scale
    qint32 titleBlock = 2;                                                          // 0: none
};

} // namespace

class TestBlattliste final : public QObject
{
    Q_OBJECT

    std::unique_ptr<ViewFixture> m_f;
    std::unique_ptr<BlattlisteControl> m_control;
    acad::ObjectId m_nextEntity = 5000;

    FakeHost& host() { return *m_f->host; }

    acad::ObjectId layoutId(acad::DocId doc, const QString& name)
    {
        for (const FakeHost::Layout& layout : host().find(doc)->layouts) {
            if (layout.name == name)
                return layout.id;
        }
        return 0;
    }

    // The layout's plot settings, viewports and title block as the sheet says.
    void place(acad::DocId doc, const QString& name, const Sheet& sheet)
    {
        const acad::ObjectId id = layoutId(doc, name);
        acad::PlotSettings& plot = host().findLayout(id)->plot;
        plot.configName = sheet.plotter;
        plot.styleSheet = sheet.style;
        plot.paperWidth = sheet.width;
        plot.paperHeight = sheet.height;
        QList<acad::EntityInfo> entities{{m_nextEntity++, acad::PViewport, QString(), 1}};
        for (const auto& [viewportName, scale] : sheet.viewports) {
            entities.append({m_nextEntity++, acad::PViewport, QString(), scale});
            host().xdatas.insert(entities.last().id, kvarto({"0", "1", "21", "0", "121", viewportName}));
        }
        if (sheet.titleBlock > 0) {
            entities.append({m_nextEntity++, acad::BlockReference, QStringLiteral("KV_SF_A3"), 0});
            host().xdatas.insert(entities.last().id,
                                 kvarto({"0", "8", "81", QString::number(sheet.titleBlock)}));
        }
        host().entities.insert(id, entities);
    }

    acad::DocId drawing(const QString& name, const QStringList& layouts, const Sheet& sheet = {})
    {
        const acad::DocId doc = host().addDrawing(QStringLiteral("/p"), name, layouts);
        for (const QString& layout : layouts)
            place(doc, layout, sheet);
        return doc;
    }

    QStringList column(int spalte) const
    {
        QStringList texts;
        QSortFilterProxyModel* proxy = m_control->proxy();
        for (int row = 0; row < proxy->rowCount(); ++row)
            texts.append(proxy->index(row, spalte).data().toString());
        return texts;
    }

    const Blatt& sheetNamed(const QString& layout) const
    {
        for (const Blatt& blatt : m_control->model()->blaetter()) {
            if (blatt.plot.name == layout)
                return blatt;
        }
        qFatal("no such sheet");
    }

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        m_f = std::make_unique<ViewFixture>();
        m_control =
            std::make_unique<BlattlisteControl>(m_f->connection, m_f->definitions.gBloecke, m_f->view);
    }
    void cleanup()
    {
        QVERIFY2(m_f->boxes.scriptDone(), "an expected message box did not appear");
        m_control.reset();
        m_f.reset();
    }

    // --- the checks: one flag each, none on a sheet that passes

    void checks_data()
    {
        QTest::addColumn<QString>("plotter");
        QTest::addColumn<QString>("style");
        QTest::addColumn<double>("scale");
        QTest::addColumn<qint32>("titleBlock");
        QTest::addColumn<QSizeF>("otherSheet"); // a second sheet with the same title block; empty: none
        QTest::addColumn<int>("flags");
        QTest::addColumn<QString>("hint");
        const QString pdf = QStringLiteral("DWG To PDF.pc3");
        const QString ctb = QStringLiteral("monochrome.ctb");
        QTest::newRow("none") << pdf << ctb << 10.0 << 2 << QSizeF() << 0 << "";
        QTest::newRow("no plotter") << "" << ctb << 10.0 << 2 << QSizeF() << int(blattliste::KeinPlotter)
                                    << "Kein Plotter zugewiesen.";
        QTest::newRow("plotter Kein") << "Kein" << ctb << 10.0 << 2 << QSizeF()
                                      << int(blattliste::KeinPlotter) << "Kein Plotter zugewiesen.";
        QTest::newRow("DXF's none_device") << "none_device" << ctb << 10.0 << 2 << QSizeF()
                                           << int(blattliste::KeinPlotter) << "Kein Plotter zugewiesen.";
        QTest::newRow("no plot style")
            << pdf << "" << 10.0 << 2 << QSizeF() << int(blattliste::KeinePlotstiltabelle)
            << "Keine Plotstiltabelle zugewiesen.";
        QTest::newRow("1:75") << pdf << ctb << 1000.0 / 75 << 2 << QSizeF()
                              << int(blattliste::KeinNormmassstab)
                              << "Maßstab außerhalb der Normreihe: Grundriss (1:75)";
        QTest::newRow("scale 0") << pdf << ctb << 0.0 << 2 << QSizeF() << int(blattliste::KeinNormmassstab)
                                 << "Maßstab außerhalb der Normreihe: Grundriss (1:)";
        QTest::newRow("1:250 is standard") << pdf << ctb << 4.0 << 2 << QSizeF() << 0 << "";
        QTest::newRow("1:2,5 is standard") << pdf << ctb << 400.0 << 2 << QSizeF() << 0 << "";
        QTest::newRow("2:1 is standard") << pdf << ctb << 2000.0 << 2 << QSizeF() << 0 << "";
        QTest::newRow("no title block")
            << pdf << ctb << 10.0 << 0 << QSizeF() << int(blattliste::KeinStempelfeld)
            << "Kein Stempelfeld auf dem Layout.";
        QTest::newRow("same title block on A4")
            << pdf << ctb << 10.0 << 2 << QSizeF(297, 210) << int(blattliste::StempelfeldPapiergroesse)
            << "Stempelfeld „KV_SF_A3“ steht auch auf Layouts mit anderer Papiergröße: 297,00 x 210,00 mm";
        QTest::newRow("same title block, A3 upright")
            << pdf << ctb << 10.0 << 2 << QSizeF(297, 420) << 0 << "";
        QTest::newRow("other title block on A4") << pdf << ctb << 10.0 << 3 << QSizeF(297, 210) << 0 << "";
    }
    void checks()
    {
        QFETCH(QString, plotter);
        QFETCH(QString, style);
        QFETCH(double, scale);
        QFETCH(qint32, titleBlock);
        QFETCH(QSizeF, otherSheet);
        QFETCH(int, flags);
        QFETCH(QString, hint);
        Sheet sheet;
        sheet.plotter = plotter;
        sheet.style = style;
        sheet.viewports = {{QStringLiteral("Grundriss"), scale}};
        sheet.titleBlock = titleBlock;
        drawing(QStringLiteral("Plan.dwg"), {QStringLiteral("Blatt")}, sheet);
        if (!otherSheet.isEmpty()) {
            Sheet other;
            other.width = otherSheet.width();
            other.height = otherSheet.height();
            drawing(QStringLiteral("Detail.dwg"), {QStringLiteral("Anderes")}, other);
        }
        m_control->Refresh();
        const Blatt& blatt = sheetNamed(QStringLiteral("Blatt"));
        QCOMPARE(int(blatt.pruefungen), flags);
        QCOMPARE(blatt.hinweise.join(QLatin1Char('\n')), hint);
        const QModelIndex first = m_control->proxy()->index(0, 0);
        QCOMPARE(first.data(Qt::ToolTipRole).toString(), hint);
        QCOMPARE(first.data(Qt::DecorationRole).isNull(), flags == 0);
    }

    // DXF's "no plotter" reads "Kein" in the list and in the exported text, as in the details.
    void noPlotterReadsKein_data()
    {
        QTest::addColumn<QString>("plotter");
        QTest::addColumn<QString>("shown");
        QTest::newRow("none_device") << "none_device"
                                     << "Kein";
        QTest::newRow("any case") << "None_Device"
                                  << "Kein";
        QTest::newRow("a plotter") << "DWG To PDF.pc3"
                                   << "DWG To PDF.pc3";
    }
    void noPlotterReadsKein()
    {
        QFETCH(QString, plotter);
        QFETCH(QString, shown);
        Sheet sheet;
        sheet.plotter = plotter;
        drawing(QStringLiteral("Plan.dwg"), {QStringLiteral("Blatt")}, sheet);
        m_control->Refresh();
        QCOMPARE(m_control->proxy()->index(0, blattliste::Plotter).data().toString(), shown);
        QVERIFY(m_control->Csv().contains(QStringLiteral(";Blatt;1;") + shown + QLatin1Char(';')));
    }

    // The summary counts each check's flags over every sheet; filtered, it says how many are shown.
    void summary()
    {
        Sheet bare;
        bare.plotter.clear();
        bare.style.clear();
        bare.titleBlock = 0;
        drawing(QStringLiteral("Plan.dwg"), {QStringLiteral("EG"), QStringLiteral("OG")}, bare);
        drawing(QStringLiteral("Detail.dwg"), {QStringLiteral("Attika")});
        m_control->Refresh();
        QCOMPARE(
            m_control->Zusammenfassung(),
            QStringLiteral("3 Layouts in 2 Zeichnungen. Markiert: 2 ohne Plotter, 2 ohne Plotstiltabelle, "
                           "0 mit Maßstab außerhalb der Normreihe, 2 ohne Stempelfeld, "
                           "0 mit Stempelfeld auf anderer Papiergröße."));
        m_control->setFilter(QStringLiteral("attika"));
        QVERIFY(m_control->Zusammenfassung().endsWith(QStringLiteral(" Angezeigt: 1 von 3.")));
    }

    // "weicht von … ab": only the sheets whose page setup differs are shown, each naming the values;
    // a refresh keeps the comparison until its sheet goes.
    void compare_data()
    {
        QTest::addColumn<QString>("plotter");
        QTest::addColumn<QString>("style");
        QTest::addColumn<QString>("hint");
        QTest::newRow("the same") << "DWG To PDF.pc3"
                                  << "monochrome.ctb"
                                  << "";
        QTest::newRow("the plotter")
            << "DWF6 ePlot.pc3"
            << "monochrome.ctb"
            << "Weicht von „Vorbild.dwg – Vorbild“ ab: Plotter DWF6 ePlot.pc3 (dort DWG To "
               "PDF.pc3)";
        QTest::newRow("plotter and style table")
            << "DWF6 ePlot.pc3"
            << ""
            << "Weicht von „Vorbild.dwg – Vorbild“ ab: Plotter DWF6 ePlot.pc3 (dort DWG To PDF.pc3), "
               "Plotstiltabelle Kein (dort monochrome.ctb)";
    }
    void compare()
    {
        QFETCH(QString, plotter);
        QFETCH(QString, style);
        QFETCH(QString, hint);
        const acad::DocId vorbild = drawing(QStringLiteral("Vorbild.dwg"), {QStringLiteral("Vorbild")});
        drawing(QStringLiteral("Gleich.dwg"), {QStringLiteral("Gleich")});
        Sheet other;
        other.plotter = plotter;
        other.style = style;
        drawing(QStringLiteral("Plan.dwg"), {QStringLiteral("Blatt")}, other);
        m_control->Refresh();
        m_control->setVergleich(m_control->keyOf(0));
        const QStringList shown = hint.isEmpty() ? QStringList() : QStringList{QStringLiteral("Blatt")};
        QCOMPARE(column(blattliste::Layout), shown);
        QVERIFY(m_control->Zusammenfassung().contains(
            QStringLiteral("Weichen von „Vorbild.dwg – Vorbild“ ab: %1.").arg(shown.size())));
        if (!hint.isEmpty())
            QVERIFY(m_control->proxy()->index(0, 0).data(Qt::ToolTipRole).toString().endsWith(hint));
        m_control->Refresh();
        QCOMPARE(column(blattliste::Layout), shown);
        host().closeDrawing(vorbild);
        m_control->Refresh();
        QVERIFY(!m_control->vergleich());
        QCOMPARE(column(blattliste::Layout),
                 (QStringList{QStringLiteral("Gleich"), QStringLiteral("Blatt")}));
    }

    // The details' texts, the title block named by the definitions, every viewport with its scale.
    void cells()
    {
        m_f->definitions.gBloecke.Add(QStringLiteral("Schriftfeld A3 quer"), 1, 1, 1, 0, 2, 0, 2, 2,
                                      QStringLiteral("KV_SF_A3"), 0, 0, 0, QStringLiteral("0"),
                                      QStringLiteral("2"));
        Sheet sheet;
        sheet.viewports.append({QString(), 16});
        drawing(QStringLiteral("Plan.dwg"), {QStringLiteral("Blatt")}, sheet);
        m_control->Refresh();
        QStringList row;
        for (int column = 0; column < blattliste::SpaltenAnzahl; ++column)
            row.append(m_control->proxy()->index(0, column).data().toString());
        QCOMPARE(row, (QStringList{"Plan.dwg", "Blatt", "1", "DWG To PDF.pc3",
                                   "Lokal ISO_full_bleed_A3_(420.00_x_297.00_MM)", "420,00 x 297,00 mm",
                                   "Querformat", "monochrome.ctb", "Layout", "Schriftfeld A3 quer",
                                   "Grundriss (1:100); Unbenannt (1:62,50)"}));
        QCOMPARE(m_control->model()->headerData(blattliste::Papiergroesse, Qt::Horizontal).toString(),
                 QStringLiteral("Papiergröße"));
    }

    // Two calls per drawing and one for the drawings, however many layouts and entities.
    void roundTrips()
    {
        for (const QString& name :
             {QStringLiteral("A.dwg"), QStringLiteral("B.dwg"), QStringLiteral("C.dwg")})
            drawing(name, {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
        host().calls.clear();
        m_control->Refresh();
        QCOMPARE(m_control->proxy()->rowCount(), 9);
        QCOMPARE(host().totalCalls(), 7);
        QCOMPARE(host().calls.value("layoutBlocksWithXData"), 3);
    }

    // A host that fails is reported once, with its own text. One that cannot be read at all leaves the
    // last rows; drawings that fail on their own drop out.
    void hostFails_data()
    {
        QTest::addColumn<QString>("failing");
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("rows");
        QTest::newRow("application") << "application"
                                     << "Automatisierungsfehler: application" << 2;
        QTest::newRow("every drawing") << "layoutBlocksWithXData"
                                       << "Automatisierungsfehler: layoutBlocksWithXData" << 0;
        QTest::newRow("not attached") << ""
                                      << "AutoCAD ist nicht aktiv!" << 2;
    }
    void hostFails()
    {
        QFETCH(QString, failing);
        QFETCH(QString, message);
        QFETCH(int, rows);
        drawing(QStringLiteral("A.dwg"), {QStringLiteral("1")});
        drawing(QStringLiteral("B.dwg"), {QStringLiteral("1")});
        m_control->Refresh();
        if (failing.isEmpty())
            m_f->detachHost();
        host().failing = failing;
        m_f->boxes.expect(platform::vbOK, message);
        m_control->Refresh();
        QCOMPARE(m_f->boxes.count(), 1);
        QCOMPARE(m_f->boxes.boxes().first().buttons(), int(platform::vbOKOnly));
        QCOMPARE(m_control->proxy()->rowCount(), rows);
    }

    // --- filter and sort

    void filter_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("layouts");
        QTest::newRow("empty") << "" << QStringList{"EG", "OG", "Attika"};
        QTest::newRow("drawing, any case") << "DETAIL" << QStringList{"Attika"};
        QTest::newRow("plot style Kein") << "kein" << QStringList{"OG"};
        QTest::newRow("plotter") << "xy" << QStringList{"Attika"};
        QTest::newRow("scale") << "(1:50)" << QStringList{"Attika"};
        QTest::newRow("title block") << "KV_SF" << QStringList{"EG", "OG", "Attika"};
        QTest::newRow("paper size") << "297,00" << QStringList{"EG", "OG", "Attika"};
        QTest::newRow("nothing") << "Dach" << QStringList{};
    }
    void filter()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, layouts);
        drawing(QStringLiteral("Plan.dwg"), {QStringLiteral("EG"), QStringLiteral("OG")});
        Sheet detail;
        detail.plotter = QStringLiteral("Plotter XY");
        detail.viewports = {{QStringLiteral("Attika"), 20}};
        drawing(QStringLiteral("Detail.dwg"), {QStringLiteral("Attika")}, detail);
        host().findLayout(layoutId(1, QStringLiteral("OG")))->plot.styleSheet.clear();
        m_control->Refresh();
        m_control->setFilter(text);
        QCOMPARE(column(blattliste::Layout), layouts);
    }

    // Every column sorts; paper sizes by size, not by their text; without a sort column, drawing
    // and tab order.
    void sort_data()
    {
        QTest::addColumn<int>("spalte");
        QTest::addColumn<QStringList>("layouts");
        QTest::newRow("unsorted") << -1 << QStringList{"Z", "A1", "A4"};
        QTest::newRow("layout") << int(blattliste::Layout) << QStringList{"A1", "A4", "Z"};
        QTest::newRow("paper size") << int(blattliste::Papiergroesse) << QStringList{"A4", "Z", "A1"};
        QTest::newRow("drawing") << int(blattliste::Zeichnung) << QStringList{"A1", "A4", "Z"};
    }
    void sort()
    {
        QFETCH(int, spalte);
        QFETCH(QStringList, layouts);
        drawing(QStringLiteral("Plan.dwg"), {QStringLiteral("Z")});
        Sheet a1;
        a1.width = 841;
        a1.height = 594;
        Sheet a4;
        a4.width = 210;
        a4.height = 297;
        const acad::DocId doc =
            drawing(QStringLiteral("Blatt.dwg"), {QStringLiteral("A1"), QStringLiteral("A4")});
        place(doc, QStringLiteral("A1"), a1);
        place(doc, QStringLiteral("A4"), a4);
        m_control->Refresh();
        m_control->proxy()->sort(spalte);
        QCOMPARE(column(blattliste::Layout), layouts);
    }

    // Names in the shared natural order, the tab order by the "Register" column; the host's tab
    // order is neither alphabetical nor natural here.
    void naturalSort_data()
    {
        QTest::addColumn<int>("spalte");
        QTest::addColumn<QStringList>("layouts");
        const QStringList tabs{"Blatt 10", "blatt 2", "Übersicht", "Blatt 1", "Anlage", "Zubehör"};
        QTest::newRow("unsorted") << -1 << tabs;
        QTest::newRow("register") << int(blattliste::Register) << tabs;
        QTest::newRow("layout") << int(blattliste::Layout) << QStringList{"Anlage",   "Blatt 1",   "blatt 2",
                                                                          "Blatt 10", "Übersicht", "Zubehör"};
    }
    void naturalSort()
    {
        QFETCH(int, spalte);
        QFETCH(QStringList, layouts);
        drawing(QStringLiteral("Plan.dwg"),
                {QStringLiteral("Blatt 10"), QStringLiteral("blatt 2"), QStringLiteral("Übersicht"),
                 QStringLiteral("Blatt 1"), QStringLiteral("Anlage"), QStringLiteral("Zubehör")});
        m_control->Refresh();
        m_control->proxy()->sort(spalte);
        QCOMPARE(column(blattliste::Layout), layouts);
        if (spalte == int(blattliste::Register))
            QCOMPARE(column(blattliste::Register), (QStringList{"1", "2", "3", "4", "5", "6"}));
    }

    // --- text for spreadsheets

    void csvEscaping_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("field");
        QTest::newRow("plain") << "Plan 1"
                               << "Plan 1";
        QTest::newRow("semicolon") << "A;B"
                                   << "\"A;B\"";
        QTest::newRow("double quote") << "A\"B"
                                      << "\"A\"\"B\"";
        QTest::newRow("line break") << "A\nB"
                                    << "\"A\nB\"";
        QTest::newRow("comma") << "Plan 1,5"
                               << "\"Plan 1,5\"";
        QTest::newRow("umlauts") << "Übersicht Süd"
                                 << "Übersicht Süd";
    }
    void csvEscaping()
    {
        QFETCH(QString, name);
        QFETCH(QString, field);
        // The user's locale has a decimal point; the file keeps the decimal comma all the same.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        Sheet sheet;
        sheet.viewports.append({QString(), 16});
        drawing(QStringLiteral("Läden.dwg"), {name}, sheet);
        m_control->Refresh();
        const QString row = QStringLiteral("Läden.dwg;") + field +
                            QStringLiteral(";1;DWG To PDF.pc3;Lokal ISO_full_bleed_A3_(420.00_x_297.00_MM);"
                                           "\"420,00 x 297,00 mm\";Querformat;monochrome.ctb;Layout;KV_SF_A3;"
                                           "\"Grundriss (1:100); Unbenannt (1:62,50)\"\r\n");
        QCOMPARE(m_control->Csv(),
                 QStringLiteral(
                     "Zeichnung;Layout;Register;Plotter;Papierformat;Papiergröße;Ausrichtung;Plotstiltabelle;"
                     "Plotbereich;Stempelfeld;Ansichtsfenster\r\n") +
                     row);
        // The clipboard's text follows the user's separator and parts fields with tabs.
        QVERIFY(m_control->Tsv().contains(QStringLiteral("\t420.00 x 297.00 mm\t")));
        QVERIFY(m_control->Tsv().contains(QStringLiteral("\tGrundriss (1:100); Unbenannt (1:62.50)\n")));
    }

    // The file: a byte order mark, then the filtered rows as UTF-8; the clipboard has the same rows.
    void exportFile()
    {
        drawing(QStringLiteral("Plan.dwg"), {QStringLiteral("EG"), QStringLiteral("Dach")});
        drawing(QStringLiteral("Übersicht.dwg"), {QStringLiteral("Lage")});
        m_control->Refresh();
        m_control->setFilter(QStringLiteral("plan"));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Blätter.csv"));
        QVERIFY(m_control->ExportCsv(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        const QString text = QString::fromUtf8(bytes.mid(3));
        QCOMPARE(text, m_control->Csv());
        QCOMPARE(text.count(QStringLiteral("\r\n")), 3);
        QVERIFY(!text.contains(QStringLiteral("Lage")));
        QCOMPARE(m_control->Tsv().count(QLatin1Char('\n')), 3);
        // A folder where the file should go cannot be written: the user hears why.
        m_f->boxes.expect(
            platform::vbOK,
            QStringLiteral("Die Blattliste kann nicht in „%1“ gespeichert werden").arg(dir.path()));
        QVERIFY(!m_control->ExportCsv(dir.path()));
    }

    // --- the window

    // A double click or Enter on a row makes that layout current, its drawing the active one.
    void activateRow_data()
    {
        QTest::addColumn<bool>("byKey");
        QTest::addColumn<QString>("layout");
        QTest::newRow("double click") << false << "Attika";
        QTest::newRow("Enter") << true << "OG";
    }
    void activateRow()
    {
        QFETCH(bool, byKey);
        QFETCH(QString, layout);
        const acad::DocId plan =
            drawing(QStringLiteral("Plan.dwg"), {QStringLiteral("EG"), QStringLiteral("OG")});
        const acad::DocId detail =
            drawing(QStringLiteral("Detail.dwg"), {QStringLiteral("Sockel"), QStringLiteral("Attika")});
        host().activeDocument = byKey ? detail : plan;
        frmBlattliste form(*m_control);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.Refresh();
        const int row = int(column(blattliste::Layout).indexOf(layout));
        const QModelIndex index = m_control->proxy()->index(row, blattliste::Layout);
        if (byKey) {
            form.tblBlaetter->setCurrentIndex(index);
            QTest::keyClick(form.tblBlaetter, Qt::Key_Return);
        } else {
            const QRect cell = form.tblBlaetter->visualRect(index);
            QTest::mouseClick(form.tblBlaetter->viewport(), Qt::LeftButton, {}, cell.center());
            QTest::mouseDClick(form.tblBlaetter->viewport(), Qt::LeftButton, {}, cell.center());
        }
        const acad::DocId expected = byKey ? plan : detail;
        QCOMPARE(host().activeDocument, expected);
        QCOMPARE(host().find(expected)->activeLayout, layout);
        QCOMPARE(m_f->connection.ActiveDoc, expected);
    }

    // A sheet the drawing no longer has: the user hears so, and the list is read anew.
    void activateGoneLayout()
    {
        const acad::DocId plan =
            drawing(QStringLiteral("Plan.dwg"), {QStringLiteral("EG"), QStringLiteral("OG")});
        m_control->Refresh();
        host().find(plan)->layouts.removeLast();
        m_f->boxes.expect(platform::vbOK,
                          QStringLiteral("Das Layout „OG“ ist in /p/Plan.dwg nicht mehr vorhanden!"));
        m_control->Activate(1);
        QCOMPARE(column(blattliste::Layout), QStringList{"EG"});
    }

    // The watch's refresh keeps the filter and the selected sheet, also when the sheet was renamed.
    void refreshKeepsSelection_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QString>("selected"); // empty: none
        QTest::newRow("another drawing opened") << "open"
                                                << "OG";
        QTest::newRow("the sheet renamed") << "rename"
                                           << "OG Plan";
        QTest::newRow("a sheet before it gone") << "remove"
                                                << "OG";
        QTest::newRow("its drawing closed") << "close"
                                            << "";
    }
    void refreshKeepsSelection()
    {
        QFETCH(QString, change);
        QFETCH(QString, selected);
        const acad::DocId plan =
            drawing(QStringLiteral("Plan.dwg"), {QStringLiteral("EG"), QStringLiteral("OG")});
        drawing(QStringLiteral("Detail.dwg"), {QStringLiteral("Plan Attika"), QStringLiteral("Sockel")});
        frmBlattliste form(*m_control);
        form.show();
        form.Refresh();
        QTest::keyClicks(form.txtFilter, QStringLiteral("plan"));
        const int row = int(column(blattliste::Layout).indexOf(QStringLiteral("OG")));
        form.tblBlaetter->selectRow(row);
        if (change == QLatin1String("open"))
            drawing(QStringLiteral("Anbau Plan.dwg"), {QStringLiteral("A")});
        else if (change == QLatin1String("rename"))
            host().findLayout(layoutId(plan, QStringLiteral("OG")))->name = QStringLiteral("OG Plan");
        else if (change == QLatin1String("remove"))
            host().find(plan)->layouts.removeAt(1);
        else
            host().closeDrawing(plan);
        form.Refresh();
        QCOMPARE(form.txtFilter->text(), QStringLiteral("plan"));
        for (const QString& layout : column(blattliste::Layout))
            QVERIFY2(layout.contains(QLatin1String("Plan"), Qt::CaseInsensitive) ||
                         column(blattliste::Zeichnung)[column(blattliste::Layout).indexOf(layout)].contains(
                             QLatin1String("Plan")),
                     qPrintable(layout));
        const QModelIndexList rows = form.tblBlaetter->selectionModel()->selectedRows(blattliste::Layout);
        QCOMPARE(rows.isEmpty() ? QString() : rows.first().data().toString(), selected);
        QCOMPARE(form.lblZusammenfassung->text(), m_control->Zusammenfassung());
    }

    // "Veröffentlichen ..." takes the selected rows, across drawings and whatever the sort, by
    // drawing and layout id; the sheet order is made by the publishing itself.
    void publishTakesTheSelectedRows()
    {
        const acad::DocId plan =
            drawing(QStringLiteral("Plan.dwg"), {QStringLiteral("EG"), QStringLiteral("OG")});
        const acad::DocId detail = drawing(QStringLiteral("Detail.dwg"), {QStringLiteral("Sockel")});
        frmBlattliste form(*m_control);
        form.show();
        form.Refresh();
        form.tblBlaetter->sortByColumn(blattliste::Layout, Qt::DescendingOrder);
        QList<veroeffentlichen::Wahl> taken;
        form.publish = [&taken](const QList<veroeffentlichen::Wahl>& wahl) { taken = wahl; };
        for (const QString& layout : {QStringLiteral("Sockel"), QStringLiteral("EG")}) {
            const int row = int(column(blattliste::Layout).indexOf(layout));
            form.tblBlaetter->selectionModel()->select(
                m_control->proxy()->index(row, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
        }
        form.cmdPublish->click();
        QStringList got;
        for (const veroeffentlichen::Wahl& w : taken)
            got.append(QStringLiteral("%1|%2|%3").arg(w.gesamt).arg(w.layoutId).arg(w.layout));
        got.sort();
        QCOMPARE(
            got,
            (QStringList{
                QStringLiteral("/p/Detail.dwg|%1|Sockel").arg(layoutId(detail, QStringLiteral("Sockel"))),
                QStringLiteral("/p/Plan.dwg|%1|EG").arg(layoutId(plan, QStringLiteral("EG")))}));
    }
};

QTEST_MAIN(TestBlattliste)
#include "tst_Blattliste.moc"
