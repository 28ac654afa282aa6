// One page setup taken over by layouts across drawings: the values compared, the obstacles found, and
// the run against the in-process CAD program, through the control and through the window's action.
#include "OperationsHarness.h"

#include <ForwardingHost.h>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>
#include <acad/BusTypes.h>
#include <acad/Error.h>
#include <acad/Host.h>
#include <explorer/basViewControls.h>
#include <operations/Blattliste.h>
#include <operations/SeiteEinrichtenControl.h>
#include <operations/basSeiteEinrichten.h>
#include <operations/frmSeiteEinrichten.h>
#include <settings/CBloecke.h>

using explorer::Cmd;
using operations::SeiteEinrichtenControl;

namespace {

const QString kA3 = QStringLiteral("ISO_full_bleed_A3_(420.00_x_297.00_MM)");
const QString kA1 = QStringLiteral("ISO_full_bleed_A1_(841.00_x_594.00_MM)");
const QString kPdf = QStringLiteral("DWG To PDF.pc3");
const QString kDwf = QStringLiteral("DWF6 ePlot.pc3");
const QString kPng = QStringLiteral("PublishToWeb PNG.pc3");

acad::LayoutPlotSettings layout(const QString& plotter, const QString& paper, qint32 rotation,
                                const QString& style, qint32 area, double numerator, double denominator,
                                bool standard = false, qint32 standardScale = 16)
{
    acad::LayoutPlotSettings out;
    out.name = QStringLiteral("L");
    out.plot.configName = plotter;
    out.plot.canonicalMediaName = paper;
    out.plot.plotRotation = rotation;
    out.plot.styleSheet = style;
    out.plot.plotType = area;
    out.plot.useStandardScale = standard;
    out.plot.standardScale = standardScale;
    out.plot.scaleNumerator = numerator;
    out.plot.scaleDenominator = denominator;
    return out;
}

// The source: DWF, A1 upright, a style table, extents, 1:2.
acad::PlotSettings sourceValues()
{
    return layout(kDwf, kA1, 0, QStringLiteral("monochrome.ctb"), 2, 1, 2).plot;
}

// Fails copying onto the nth target, as a host that went away does.
class FailingHost final : public testsupport::ForwardingHost
{
public:
    FailingHost(std::shared_ptr<acad::Host> inner, int failAt)
        : ForwardingHost(std::move(inner)), m_failAt(failAt)
    {
    }
    void copyPlotSettings(acad::DocId sourceDoc, acad::ObjectId sourceLayout, acad::DocId targetDoc,
                          acad::ObjectId targetLayout, quint32 which) override
    {
        if (++m_calls == m_failAt)
            throw acad::Error(QStringLiteral("Der CAD-Host antwortet nicht."));
        ForwardingHost::copyPlotSettings(sourceDoc, sourceLayout, targetDoc, targetLayout, which);
    }

private:
    int m_failAt;
    int m_calls = 0;
};

// Runs queued command input before the next call, as the host does between the calls of the bus.
class BusLikeHost final : public testsupport::ForwardingHost
{
public:
    using ForwardingHost::ForwardingHost;
    void sendCommand(acad::DocId doc, const QString& text) override
    {
        ForwardingHost::sendCommand(doc, text);
        for (int i = 0; i < 5; ++i)
            QCoreApplication::processEvents();
    }
};

} // namespace

class TestSeiteEinrichten final : public QObject
{
    Q_OBJECT

    std::unique_ptr<OperationsHarness> o;
    CBloecke m_blocks;

    acad::Host& host() { return *o->h.cad.engine; }

    acad::ObjectId layoutId(const QString& path, const QString& name)
    {
        for (const acad::LayoutRef& ref : o->document(path).layouts) {
            if (ref.name == name)
                return ref.id;
        }
        return 0;
    }
    acad::PlotSettings plotOf(const QString& path, const QString& name)
    {
        return host().plotSettings(o->docId(path), layoutId(path, name));
    }
    QList<blattliste::Blatt> sheets()
    {
        std::optional<QString> failure;
        return blattliste::LeseBlaetter(host(), m_blocks, failure);
    }
    static SeiteEinrichtenControl::Key key(const QString& path, const QString& name)
    {
        return {path, 0, name};
    }
    QList<SeiteEinrichtenControl::Key> targets()
    {
        QList<SeiteEinrichtenControl::Key> keys;
        for (const QString& path : {QStringLiteral("/p/A.dwg"), QStringLiteral("/p/B.dwg")}) {
            for (const QString& name : {QStringLiteral("Blatt1"), QStringLiteral("Blatt2")})
                keys.append({path, layoutId(path, name), name});
        }
        return keys;
    }
    // Every target has these values (compared as the dialog compares them).
    bool targetsHave(const acad::PlotSettings& wanted)
    {
        for (const auto& target : targets()) {
            const acad::PlotSettings now = plotOf(target.gesamt, target.layout);
            for (acad::PlotSetting wert : basSeiteEinrichten::Werte()) {
                if (!basSeiteEinrichten::Gleich(now, wanted, wert)) {
                    qWarning() << target.gesamt << target.layout << basSeiteEinrichten::WertName(wert);
                    return false;
                }
            }
        }
        return true;
    }
    void undo(const QString& path)
    {
        host().sendCommand(o->docId(path), QStringLiteral("_u\r"));
        o->runHost();
    }

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void init()
    {
        o = std::make_unique<OperationsHarness>();
        o->h.cad.open(QStringLiteral("/p/A.dwg"), {"Quelle", "Blatt1", "Blatt2"});
        o->h.cad.open(QStringLiteral("/p/B.dwg"), {"Blatt1", "Blatt2"});
        const acad::DocId a = o->docId(QStringLiteral("/p/A.dwg"));
        host().setPlotSettings(a, layoutId(QStringLiteral("/p/A.dwg"), QStringLiteral("Quelle")),
                               sourceValues(), basSeiteEinrichten::kAlleWerte);
        QVERIFY(o->start());
    }
    void cleanup()
    {
        QVERIFY2(!o->h.boxes.unexpected(), qPrintable(o->h.boxes.failures()));
        QVERIFY(o->h.boxes.scriptDone());
        o.reset();
    }

    // --- what would change, and what a plotter cannot take

    void preview_data()
    {
        QTest::addColumn<acad::LayoutPlotSettings>("target");
        QTest::addColumn<acad::LayoutPlotSettings>("source");
        QTest::addColumn<quint32>("which");
        QTest::addColumn<QStringList>("papers"); // of the result's plotter
        QTest::addColumn<QStringList>("changes");
        QTest::addColumn<QString>("obstacle");
        const auto pdfA3 = layout(kPdf, kA3, 1, QString(), 5, 1, 1, true, 16);
        const QStringList iso{kA3, kA1};
        QTest::newRow("every value differs") << pdfA3 << layout(kDwf, kA1, 0, "monochrome.ctb", 2, 1, 2)
                                             << basSeiteEinrichten::kAlleWerte << iso
                                             << QStringList{"Plotter: DWG To PDF.pc3 → DWF6 ePlot.pc3",
                                                            "Papierformat: " + kA3 + " → " + kA1,
                                                            "Ausrichtung: Querformat → Hochformat",
                                                            "Plotstiltabelle: Kein → monochrome.ctb",
                                                            "Plotbereich: Layout → Grenzen",
                                                            "Plotmaßstab: 1:1 → 1:2"}
                                             << "";
        QTest::newRow("only the chosen values")
            << pdfA3 << layout(kDwf, kA1, 0, "monochrome.ctb", 2, 1, 2)
            << quint32(acad::StyleTable | acad::Scale) << iso
            << QStringList{"Plotstiltabelle: Kein → monochrome.ctb", "Plotmaßstab: 1:1 → 1:2"} << "";
        QTest::newRow("the same ratio written otherwise")
            << layout(kPdf, kA3, 1, "", 5, 1, 2) << layout(kPdf, kA3, 1, "", 5, 2, 4) << quint32(acad::Scale)
            << iso << QStringList{} << "";
        QTest::newRow("a style table in other case")
            << layout(kPdf, kA3, 1, "Monochrome.CTB", 5, 1, 1)
            << layout(kPdf, kA3, 1, "monochrome.ctb", 5, 1, 1) << quint32(acad::StyleTable) << iso
            << QStringList{} << "";
        QTest::newRow("scaled to fit")
            << pdfA3 << layout(kPdf, kA3, 1, "", 5, 1, 1, true, 0) << quint32(acad::Scale) << iso
            << QStringList{"Plotmaßstab: 1:1 → Auf Papier angepasst"} << "";
        QTest::newRow("a plotter without the target's paper")
            << pdfA3 << layout(kPng, "VGA_(640.00_x_480.00_Pixels)", 0, "", 5, 1, 1) << quint32(acad::Plotter)
            << QStringList{"VGA_(640.00_x_480.00_Pixels)"}
            << QStringList{"Plotter: DWG To PDF.pc3 → PublishToWeb PNG.pc3"}
            << "Der Plotter „PublishToWeb PNG.pc3“ hat das Papierformat „" + kA3 + "“ nicht.";
        QTest::newRow("a plotter the host lacks") << pdfA3 << layout("Mein Plotter.pc3", kA3, 1, "", 5, 1, 1)
                                                  << quint32(acad::Plotter | acad::Paper) << iso
                                                  << QStringList{"Plotter: DWG To PDF.pc3 → Mein Plotter.pc3"}
                                                  << "Den Plotter „Mein Plotter.pc3“ gibt es nicht.";
        QTest::newRow("paper onto a layout without plotter")
            << layout("none_device", kA3, 1, "", 5, 1, 1) << layout(kPdf, kA1, 1, "", 5, 1, 1)
            << quint32(acad::Paper) << QStringList{} << QStringList{"Papierformat: " + kA3 + " → " + kA1}
            << "Den Plotter „Kein“ gibt es nicht.";
        QTest::newRow("a style table needs no paper check")
            << layout("none_device", kA3, 1, "", 5, 1, 1) << layout(kPdf, kA3, 1, "acad.ctb", 5, 1, 1)
            << quint32(acad::StyleTable) << QStringList{} << QStringList{"Plotstiltabelle: Kein → acad.ctb"}
            << "";
    }
    void preview()
    {
        QFETCH(acad::LayoutPlotSettings, target);
        QFETCH(acad::LayoutPlotSettings, source);
        QFETCH(quint32, which);
        QFETCH(QStringList, papers);
        QFETCH(QStringList, changes);
        QFETCH(QString, obstacle);
        const acad::LayoutPlotSettings result = basSeiteEinrichten::Ergebnis(target, source, which);
        QStringList texts;
        for (const basSeiteEinrichten::Aenderung& change :
             basSeiteEinrichten::Unterschiede(target, result, which))
            texts.append(change.text());
        QCOMPARE(texts, changes);
        QCOMPARE(basSeiteEinrichten::Hindernis(result.plot, which, {kPdf, kDwf, kPng}, papers), obstacle);
    }

    // --- the run: the chosen values reach every target, one undo step per drawing

    void apply_data()
    {
        QTest::addColumn<quint32>("which");
        QTest::newRow("every value") << basSeiteEinrichten::kAlleWerte;
        QTest::newRow("paper and orientation") << quint32(acad::Paper | acad::Orientation);
        QTest::newRow("style table and scale") << quint32(acad::StyleTable | acad::Scale);
    }
    void apply()
    {
        QFETCH(quint32, which);
        const acad::PlotSettings before = plotOf(QStringLiteral("/p/B.dwg"), QStringLiteral("Blatt1"));
        BusLikeHost busLike(o->h.cad.engine);
        SeiteEinrichtenControl control(busLike, sheets(), o->views());
        control.setZiele(targets());
        control.setQuelle(key(QStringLiteral("/p/A.dwg"), QStringLiteral("Quelle")));
        control.setWerte(which);
        QCOMPARE(control.Zusammenfassung(), QStringLiteral("4 Layouts in 2 Zeichnungen werden geändert."));
        o->h.boxes.expect(platform::vbOK,
                          QStringLiteral("Seite einrichten übernommen: 4 Layouts in 2 Zeichnungen."));
        QVERIFY(control.Uebernehmen());
        const acad::PlotSettings wanted =
            basSeiteEinrichten::Ergebnis({0, {}, before, {}}, {0, {}, sourceValues(), {}}, which).plot;
        QVERIFY(targetsHave(wanted));
        // One step per drawing takes all of its targets back.
        undo(QStringLiteral("/p/A.dwg"));
        undo(QStringLiteral("/p/B.dwg"));
        QVERIFY(targetsHave(before));
    }

    // A target its plotter cannot take is left alone and named; the others change.
    void obstacleLeftAlone()
    {
        const QString a = QStringLiteral("/p/A.dwg");
        host().setPlotSettings(o->docId(a), layoutId(a, QStringLiteral("Blatt2")),
                               layout(kPng, "VGA_(640.00_x_480.00_Pixels)", 0, "", 5, 1, 1).plot,
                               acad::Plotter | acad::Paper);
        SeiteEinrichtenControl control(host(), sheets(), o->views());
        control.setZiele(targets());
        control.setQuelle(key(a, QStringLiteral("Quelle")));
        control.setWerte(acad::Paper);
        QCOMPARE(
            control.Zusammenfassung(),
            QStringLiteral(
                "3 Layouts in 2 Zeichnungen werden geändert. 1 Layout kann der Plotter nicht übernehmen."));
        o->h.boxes.expect(platform::vbOK,
                          QStringLiteral("A.dwg – Blatt2: Der Plotter „PublishToWeb PNG.pc3“ hat das "
                                         "Papierformat „") +
                              kA1 + QStringLiteral("“ nicht."));
        QVERIFY(control.Uebernehmen());
        QCOMPARE(plotOf(a, QStringLiteral("Blatt1")).canonicalMediaName, kA1);
        QCOMPARE(plotOf(a, QStringLiteral("Blatt2")).configName, kPng);
        QCOMPARE(plotOf(QStringLiteral("/p/B.dwg"), QStringLiteral("Blatt2")).canonicalMediaName, kA1);
    }

    // A host that fails mid-way ends the run: no further call waits, the message says where.
    void hostFailsMidway()
    {
        FailingHost failing(o->h.cad.engine, 2);
        SeiteEinrichtenControl control(failing, sheets(), o->views());
        control.setZiele(targets());
        control.setQuelle(key(QStringLiteral("/p/A.dwg"), QStringLiteral("Quelle")));
        o->h.boxes.expect(platform::vbOK,
                          QStringLiteral("Seite einrichten übernommen: 1 Layout in 1 Zeichnung.\n\n"
                                         "Abgebrochen bei A.dwg – Blatt2: Der CAD-Host antwortet nicht."));
        QVERIFY(control.Uebernehmen());
        QCOMPARE(plotOf(QStringLiteral("/p/A.dwg"), QStringLiteral("Blatt1")).configName, kDwf);
        QCOMPARE(plotOf(QStringLiteral("/p/B.dwg"), QStringLiteral("Blatt1")).configName, kPdf);
    }

    // A library template's layout is read with the template open only meanwhile, and its values set.
    void fromTemplate()
    {
        cadhost::Drawing vorlage = sampleDrawing({QStringLiteral("A1 hoch")});
        vorlage.layouts[1].plot = sourceValues();
        vorlage.layouts[1].plot.configName = kDwf;
        vorlage.layouts[1].plot.styleSheet = QStringLiteral("acad.ctb");
        o->h.cad.store->put(QStringLiteral("/lib/A1 hoch.dwt"), vorlage);
        const acad::DocId active = host().application().activeDocument;
        const qsizetype open = host().application().documents.size();
        SeiteEinrichtenControl control(host(), sheets(), o->views());
        control.setZiele(targets());
        const int index = control.VorlageLesen(QStringLiteral("/lib/A1 hoch.dwt"));
        QCOMPARE(index, 5);
        QCOMPARE(control.Quellen()[index].bezeichnung(), QStringLiteral("A1 hoch.dwt – A1 hoch"));
        QCOMPARE(host().application().documents.size(), open);
        QCOMPARE(host().application().activeDocument, active);
        o->h.boxes.expect(platform::vbOK,
                          QStringLiteral("Seite einrichten übernommen: 4 Layouts in 2 Zeichnungen."));
        QVERIFY(control.Uebernehmen());
        QCOMPARE(plotOf(QStringLiteral("/p/B.dwg"), QStringLiteral("Blatt2")).styleSheet,
                 QStringLiteral("acad.ctb"));
        QCOMPARE(plotOf(QStringLiteral("/p/B.dwg"), QStringLiteral("Blatt2")).canonicalMediaName, kA1);
        o->h.boxes.expect(platform::vbOK,
                          QStringLiteral("Die Vorlage „/lib/fehlt.dwt“ kann nicht gelesen werden"));
        QCOMPARE(control.VorlageLesen(QStringLiteral("/lib/fehlt.dwt")), -1);
        QCOMPARE(control.Quellen().size(), 6);
    }

    // Through the window: the layouts chosen in the list, the dialog's source and values, its button.
    // Inside the dialog the window's action opened.
    void actInDialog(frmSeiteEinrichten* form)
    {
        auto* targets = form->findChild<QTreeWidget*>(QStringLiteral("tvwZiele"));
        QStringList chosen;
        for (int i = 0; i < targets->topLevelItemCount(); ++i) {
            if (targets->topLevelItem(i)->checkState(0) == Qt::Checked)
                chosen.append(targets->topLevelItem(i)->text(0) + QLatin1Char(' ') +
                              targets->topLevelItem(i)->text(1));
        }
        QCOMPARE(chosen, (QStringList{QStringLiteral("B.dwg Blatt1"), QStringLiteral("B.dwg Blatt2")}));
        form->findChild<QComboBox*>(QStringLiteral("cboQuelle"))->setCurrentIndex(0);
        form->findChild<QCheckBox*>(QStringLiteral("chkPlotmassstab"))->setChecked(false);
        QCOMPARE(targets->topLevelItem(3)->text(2),
                 QStringLiteral(
                     "Plotter: DWG To PDF.pc3 → DWF6 ePlot.pc3; Papierformat: ISO full bleed A3 (420.00 x "
                     "297.00 MM) → ISO full bleed A1 (841.00 x 594.00 MM); Plotstiltabelle: Kein → "
                     "monochrome.ctb; Plotbereich: Layout → Grenzen"));
        o->h.boxes.expect(platform::vbOK,
                          QStringLiteral("Seite einrichten übernommen: 2 Layouts in 1 Zeichnung."));
        form->findChild<QPushButton*>(QStringLiteral("cmdUebernehmen"))->click();
    }

    // Through the window: the layouts chosen in the list, the dialog's source and values, its button.
    void throughTheWindow()
    {
        o->select(o->nodeKey(QStringLiteral("B.dwg")));
        o->selectItems({QStringLiteral("Blatt1"), QStringLiteral("Blatt2")});
        bool ran = false;
        QTimer::singleShot(0, [&] {
            auto* form = qobject_cast<frmSeiteEinrichten*>(QApplication::activeModalWidget());
            if (!form)
                return;
            ran = true;
            actInDialog(form);
            if (form->isVisible())
                form->reject();
        });
        QVERIFY(o->trigger(Cmd::mnuPageSetup));
        QVERIFY(ran);
        QVERIFY(!QTest::currentTestFailed());
        const acad::PlotSettings now = plotOf(QStringLiteral("/p/B.dwg"), QStringLiteral("Blatt2"));
        QCOMPARE(now.configName, kDwf);
        QCOMPARE(now.plotType, 2);
        QVERIFY(now.useStandardScale); // the scale was not chosen
        QCOMPARE(plotOf(QStringLiteral("/p/A.dwg"), QStringLiteral("Blatt1")).configName, kPdf);
    }
};

QTEST_MAIN(TestSeiteEinrichten)
#include "tst_SeiteEinrichten.moc"
