#include "OperationsHarness.h"
#include "PlotFake.h"
#include "WindowTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <explorer/controls/ListControl.h>
#include <explorer/frmMain.h>
#include <operations/VeroeffentlichenControl.h>
#include <operations/frmVeroeffentlichen.h>
#include <records/CAcadobj.h>

using namespace veroeffentlichen;
using operations::VeroeffentlichenControl;

namespace {

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

// Runs act on the top-level widget of that type and name once it is shown; polls until then.
template <class Widget> void whenShown(const QString& name, const std::function<void(Widget*)>& act)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, name, act] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* shown = qobject_cast<Widget*>(widget);
            if (shown && shown->objectName() == name && shown->isVisible()) {
                timer->stop();
                timer->deleteLater();
                act(shown);
                return;
            }
        }
    });
    timer->start();
}

} // namespace

class TestVeroeffentlichen final : public QObject
{
    Q_OBJECT

    std::unique_ptr<CadFixture> m_cad;
    std::shared_ptr<PlotFake> m_host;
    std::unique_ptr<testsupport::MsgBoxRecorder> m_boxes;
    std::unique_ptr<QTemporaryDir> m_out;

    // Opens a drawing below /p with the layouts in that tab order.
    acad::DocId open(const QString& name, const QStringList& layouts)
    {
        return m_cad->open(QStringLiteral("/p/") + name, layouts);
    }

    acad::ObjectId layoutId(acad::DocId doc, const QString& name) const
    {
        for (const acad::LayoutRef& layout : m_cad->engine->document(doc).layouts) {
            if (layout.name == name)
                return layout.id;
        }
        return 0;
    }

    Wahl wahl(const QString& drawing, const QString& layout) const
    {
        const acad::DocId doc = documentOf(*m_cad->engine, QStringLiteral("/p/") + drawing);
        return {gesamtOf(QStringLiteral("/p"), drawing), layoutId(doc, layout), layout};
    }

    // The sheets, in sheet order.
    QList<Blatt> sheets(const QList<QPair<QString, QString>>& chosen)
    {
        QList<Wahl> w;
        for (const auto& [drawing, layout] : chosen)
            w.append(wahl(drawing, layout));
        QStringList fehlend;
        return InBlattfolge(*m_host, w, fehlend);
    }

    Auftrag jeBlatt(const QString& muster = QStringLiteral("{zeichnung} - {layout}.pdf")) const
    {
        return {m_out->path(), false, QString(), muster};
    }

    Auftrag oneFile(const QString& name = QStringLiteral("Blätter.pdf")) const
    {
        return {m_out->path(), true, name, QString()};
    }

    Ergebnis run(const Auftrag& auftrag, const QList<Blatt>& blaetter)
    {
        Lauf lauf(*m_host, auftrag, blaetter);
        while (!lauf.fertig())
            lauf.Schritt();
        return lauf.ergebnis();
    }

private slots:
    void init()
    {
        m_boxes = std::make_unique<testsupport::MsgBoxRecorder>();
        clearUserSettings();
        m_cad = std::make_unique<CadFixture>();
        m_host = std::make_shared<PlotFake>(m_cad->engine);
        m_out = std::make_unique<QTemporaryDir>();
    }
    void cleanup()
    {
        QVERIFY2(m_boxes->scriptDone(), "an expected message box did not appear");
        QVERIFY2(!m_boxes->unexpected(), qPrintable(m_boxes->failures()));
        m_host.reset();
        m_cad.reset();
        m_boxes.reset();
    }

    // --- sheet order: drawings as the host has them, layouts in tab order, whatever the choice's order

    void order_data()
    {
        QTest::addColumn<QStringList>("chosen"); // "drawing|layout"
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QStringList>("missing");
        QTest::newRow("across drawings")
            << QStringList{"C.dxf|C1", "A.dxf|A2", "B.dxf|B1", "A.dxf|A1"}
            << QStringList{"A.dxf – A1", "A.dxf – A2", "B.dxf – B1", "C.dxf – C1"} << QStringList();
        QTest::newRow("tab moved") << QStringList{"B.dxf|B1", "B.dxf|B3"}
                                   << QStringList{"B.dxf – B3", "B.dxf – B1"} << QStringList();
        QTest::newRow("closed drawing")
            << QStringList{"C.dxf|C1", "A.dxf|A1"} << QStringList{"A.dxf – A1"} << QStringList{"/p/C.dxf;C1"};
    }
    void order()
    {
        QFETCH(QStringList, chosen);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, missing);
        open(QStringLiteral("A.dxf"), {"A1", "A2"});
        const acad::DocId b = open(QStringLiteral("B.dxf"), {"B1", "B2", "B3"});
        const acad::DocId c = open(QStringLiteral("C.dxf"), {"C1"});
        m_cad->engine->setLayoutTabOrder(b, layoutId(b, QStringLiteral("B3")), 1);
        QList<Wahl> w;
        for (const QString& entry : chosen)
            w.append(wahl(entry.section(QLatin1Char('|'), 0, 0), entry.section(QLatin1Char('|'), 1)));
        if (!missing.isEmpty())
            m_cad->engine->closeDocument(c, false);
        QStringList fehlend;
        QStringList names;
        for (const Blatt& blatt : InBlattfolge(*m_host, w, fehlend))
            names.append(Bezeichnung(blatt));
        QCOMPARE(names, expected);
        QCOMPARE(fehlend, missing);
    }

    // --- file names by the pattern

    void fileNames_data()
    {
        QTest::addColumn<QString>("muster");
        QTest::addColumn<QString>("drawing");
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("expected");
        QTest::newRow("default, umlauts and spaces") << "{zeichnung} - {layout}.pdf"
                                                     << "Übersicht Straße.dxf"
                                                     << "Blatt Ä 1"
                                                     << "Übersicht Straße - Blatt Ä 1.pdf";
        QTest::newRow("only the last extension goes") << "{zeichnung}_{layout}"
                                                      << "Plan.v2.dwg"
                                                      << "EG"
                                                      << "Plan.v2_EG.pdf";
        QTest::newRow("placeholders in any case") << "{Layout} ({ZEICHNUNG}).PDF"
                                                  << "Haus.dxf"
                                                  << "OG"
                                                  << "OG (Haus).PDF";
        QTest::newRow("a name holding a placeholder stays") << "{layout}.pdf"
                                                            << "Haus.dxf"
                                                            << "{zeichnung}"
                                                            << "{zeichnung}.pdf";
    }
    void fileNames()
    {
        QFETCH(QString, muster);
        QFETCH(QString, drawing);
        QFETCH(QString, layout);
        QFETCH(QString, expected);
        QCOMPARE(Dateiname(muster, {drawing, 1, 2, layout}), expected);
    }

    // --- what the dialog refuses, in German, before anything is plotted

    void refusals_data()
    {
        QTest::addColumn<QString>("folder"); // "OUT" = the test's folder
        QTest::addColumn<bool>("one");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        const QString pattern = QStringLiteral("{zeichnung} - {layout}.pdf");
        QTest::newRow("no folder") << "  " << false << pattern << "Bitte geben Sie einen Zielordner an!";
        QTest::newRow("missing folder")
            << "/nicht/da" << false << pattern << "Der Zielordner „/nicht/da“ ist nicht vorhanden!";
        QTest::newRow("relative folder")
            << "plots" << false << pattern << "Bitte geben Sie den Zielordner mit vollständigem Pfad an!";
        QTest::newRow("slash from the pattern") << "OUT" << false << "{zeichnung}/{layout}"
                                                << "Der Dateiname „Haus/EG.pdf“ enthält „/“";
        QTest::newRow("slash from a layout") << "OUT" << false << "{layout}"
                                             << "Der Dateiname „EG/OG.pdf“ enthält „/“";
        QTest::newRow("control character") << "OUT" << false << "{layout}\t"
                                           << "Der Dateiname „EG<TAB>.pdf“ enthält Steuerzeichen";
        QTest::newRow("two sheets, one name")
            << "OUT" << false << "{zeichnung}.pdf"
            << "Die Blätter Haus.dxf – EG und Haus.dxf – EG/OG ergäben dieselbe Datei „Haus.pdf“!";
        QTest::newRow("unknown placeholder") << "OUT" << false << "{zeichnung}-{nr}"
                                             << "Das Muster enthält den unbekannten Platzhalter „{nr}“!";
        QTest::newRow("no file name") << "OUT" << true << " "
                                      << "Bitte geben Sie einen Dateinamen an!";
        QTest::newRow("too long") << "OUT" << true << QString(250, QLatin1Char('x'))
                                  << "ist zu lang (höchstens 249 Byte)!";
    }
    void refusals()
    {
        QFETCH(QString, folder);
        QFETCH(bool, one);
        QFETCH(QString, name);
        QFETCH(QString, expected);
        open(QStringLiteral("Haus.dxf"), {"EG", "EG/OG"});
        VeroeffentlichenControl control(m_host, sheets({{"Haus.dxf", "EG"}, {"Haus.dxf", "EG/OG"}}), {});
        control.Ordner = folder == QLatin1String("OUT") ? m_out->path() : folder;
        control.EineDatei = one;
        (one ? control.Dateiname : control.Muster) = name;
        m_boxes->expect(platform::vbOK, expected);
        QVERIFY(!control.cmdStart());
        QVERIFY(control.Problem().contains(expected));
        QCOMPARE(m_host->plotted.size(), 0);
    }

    // --- one file per sheet: a failing sheet is reported, the others are written, nothing half-written

    void perSheet_data()
    {
        QTest::addColumn<QString>("failure"); // "layout", "no file", "gone"
        QTest::addColumn<QStringList>("written");
        QTest::addColumn<QString>("message");
        QTest::newRow("second sheet fails")
            << "layout" << QStringList{"Haus - EG.pdf", "Haus - DG.pdf"}
            << "2 Blätter veröffentlicht. Nicht veröffentlicht: Haus.dxf – OG: Das Layout kann nicht "
               "geplottet werden. 2 Objekte konnten nicht gezeichnet werden.";
        QTest::newRow("host writes no file")
            << "no file" << QStringList()
            << "Kein Blatt veröffentlicht. Nicht veröffentlicht: Haus.dxf – EG: Der CAD-Host hat keine Datei "
               "geschrieben.; Haus.dxf – OG: Der CAD-Host hat keine Datei geschrieben.; Haus.dxf – DG: Der "
               "CAD-Host hat keine Datei geschrieben.";
        QTest::newRow("host gone")
            << "gone" << QStringList()
            << "Kein Blatt veröffentlicht. Nicht veröffentlicht: Haus.dxf – EG: Der Remoteprozeduraufruf ist "
               "fehlgeschlagen.; Haus.dxf – OG: Der Remoteprozeduraufruf ist fehlgeschlagen.; Haus.dxf – DG: "
               "Der Remoteprozeduraufruf ist fehlgeschlagen.";
    }
    void perSheet()
    {
        QFETCH(QString, failure);
        QFETCH(QStringList, written);
        QFETCH(QString, message);
        const acad::DocId doc = open(QStringLiteral("Haus.dxf"), {"EG", "OG", "DG"});
        const QList<Blatt> blaetter = sheets({{"Haus.dxf", "EG"}, {"Haus.dxf", "OG"}, {"Haus.dxf", "DG"}});
        m_host->skipped = 1;
        if (failure == QLatin1String("layout"))
            m_host->failing.insert(layoutId(doc, QStringLiteral("OG")));
        m_host->writesNothing = failure == QLatin1String("no file");
        // A host that has gone fails every call.
        CountingHost gone(m_cad->engine);
        gone.gone = true;
        acad::Host& host = failure == QLatin1String("gone") ? static_cast<acad::Host&>(gone) : *m_host;
        Lauf lauf(host, jeBlatt(), blaetter);
        while (!lauf.fertig())
            lauf.Schritt();
        QCOMPARE(Abschluss(lauf.ergebnis()), message);
        written.sort();
        QCOMPARE(filesIn(m_out->path()), written);
        for (const QString& path : m_host->paths)
            QVERIFY2(path.endsWith(QLatin1String(".part")) && QFileInfo(path).fileName().startsWith('.'),
                     qPrintable(path));
    }

    // --- one file of every sheet: pages in sheet order, then the file under its name

    void oneFileWritten()
    {
        open(QStringLiteral("A.dxf"), {"A1", "A2"});
        open(QStringLiteral("B.dxf"), {"B1"});
        const QList<Blatt> blaetter = sheets({{"B.dxf", "B1"}, {"A.dxf", "A2"}, {"A.dxf", "A1"}});
        const Ergebnis ergebnis = run(oneFile(QStringLiteral("Alle Pläne")), blaetter);
        QCOMPARE(Abschluss(ergebnis), QStringLiteral("3 Blätter veröffentlicht."));
        QCOMPARE(filesIn(m_out->path()), QStringList{"Alle Pläne.pdf"});
        QList<acad::ObjectId> expected;
        for (const Blatt& blatt : blaetter)
            expected.append(blatt.layoutId);
        QCOMPARE(m_host->plotted, expected);
        QCOMPARE(m_host->ended, QList<bool>{true});
        QFile file(QDir(m_out->path()).filePath(QStringLiteral("Alle Pläne.pdf")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll().count("%PDF"), 3);
    }

    // --- cancel or a failure in the middle of one file: the job is discarded, no file stays

    void oneFileStopped_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QList<bool>>("ended");
        QTest::newRow("cancel after two pages") << "cancel" << QList<bool>{false};
        QTest::newRow("third page fails") << "fails" << QList<bool>{false};
        QTest::newRow("host gone at the discard") << "gone" << QList<bool>{false};
    }
    void oneFileStopped()
    {
        QFETCH(QString, how);
        QFETCH(QList<bool>, ended);
        const acad::DocId doc = open(QStringLiteral("A.dxf"), {"A1", "A2", "A3", "A4"});
        const QList<Blatt> blaetter =
            sheets({{"A.dxf", "A1"}, {"A.dxf", "A2"}, {"A.dxf", "A3"}, {"A.dxf", "A4"}});
        QFile before(QDir(m_out->path()).filePath(QStringLiteral("Blätter.pdf")));
        QVERIFY(before.open(QIODevice::WriteOnly));
        before.write(QByteArray(2000, 'x'));
        before.close();
        m_host->endFails = how == QLatin1String("gone");
        if (how == QLatin1String("fails"))
            m_host->failing.insert(layoutId(doc, QStringLiteral("A3")));
        {
            Lauf lauf(*m_host, oneFile(), blaetter);
            lauf.Schritt();
            lauf.Schritt();
            if (how == QLatin1String("fails"))
                lauf.Schritt();
            else
                lauf.Abbrechen();
            QVERIFY(lauf.fertig());
            QCOMPARE(lauf.ergebnis().geschrieben, 0);
            if (how == QLatin1String("fails"))
                QCOMPARE(
                    Abschluss(lauf.ergebnis()),
                    QStringLiteral("Kein Blatt veröffentlicht. Nicht veröffentlicht: A.dxf – A3: Das Layout "
                                   "kann nicht geplottet werden."));
            else
                QCOMPARE(Abschluss(lauf.ergebnis()),
                         QStringLiteral("Veröffentlichen abgebrochen. Kein Blatt veröffentlicht."));
        }
        QCOMPARE(m_host->ended, ended);
        // The file that was there before is untouched, and nothing else is left.
        QCOMPARE(filesIn(m_out->path()), QStringList{"Blätter.pdf"});
        QCOMPARE(before.size(), 2000);
    }

    // "Abbrechen" of the progress dialog is seen between two sheets while the host's calls run.
    void cancelFromTheProgressDialog()
    {
        open(QStringLiteral("A.dxf"), {"A1", "A2", "A3", "A4"});
        const QList<Blatt> blaetter =
            sheets({{"A.dxf", "A1"}, {"A.dxf", "A2"}, {"A.dxf", "A3"}, {"A.dxf", "A4"}});
        QStringList labels;
        QWidget parent;
        parent.show();
        m_host->onPage = [&] {
            auto* progress = parent.findChild<QProgressDialog*>(QStringLiteral("dlgVeroeffentlichen"));
            QVERIFY(progress && progress->isVisible());
            labels.append(progress->labelText());
            if (m_host->plotted.size() == 1)
                progress->cancel();
        };
        Lauf lauf(*m_host, oneFile(), blaetter);
        VeroeffentlichenMitFortschritt(lauf, &parent);
        QCOMPARE(labels, (QStringList{"Blatt 1 von 4: A.dxf – A1", "Blatt 2 von 4: A.dxf – A2"}));
        QVERIFY(lauf.ergebnis().abgebrochen);
        QCOMPARE(m_host->ended, QList<bool>{false});
        QCOMPARE(filesIn(m_out->path()), QStringList());
    }

    // --- the whole way through the window: the layout menu's action on the list's selection, the
    // dialog, the progress and the end message's "Ordner öffnen"

    void throughTheWindow()
    {
        OperationsHarness o;
        o.h.cad.open(QStringLiteral("/p/Haus.dxf"), {"EG", "OG", "DG"});
        auto plotter = std::make_shared<PlotFake>(o.h.cad.host);
        o.h.cad.connector.attaching = [plotter](const QString&) -> std::shared_ptr<acad::Host> {
            return plotter;
        };
        QVERIFY(o.start());
        QAction* publish = o.window()->commands()->action(explorer::Cmd::mnuPublish);
        o.select(o.nodeKey(QStringLiteral("Haus.dxf")));
        QVERIFY(!publish->isEnabled());
        o.selectItems({"OG", "EG"});
        QVERIFY(publish->isEnabled());
        QStringList preview;
        QString end;
        whenShown<frmVeroeffentlichen>(QStringLiteral("frmVeroeffentlichen"), [&](frmVeroeffentlichen* form) {
            form->txtOrdner->setText(m_out->path());
            form->optJeBlatt->setChecked(true);
            for (int i = 0; i < form->lstVorschau->count(); ++i)
                preview.append(form->lstVorschau->item(i)->text());
            whenShown<QMessageBox>(QStringLiteral("msgVeroeffentlicht"), [&](QMessageBox* box) {
                end = box->text();
                box->findChild<QPushButton*>(QStringLiteral("cmdOrdnerOeffnen"))->click();
            });
            form->cmdStart->click();
        });
        QVERIFY(o.trigger(explorer::Cmd::mnuPublish));
        QCOMPARE(preview, (QStringList{"Haus.dxf – EG → Haus - EG.pdf", "Haus.dxf – OG → Haus - OG.pdf"}));
        QCOMPARE(end, QStringLiteral("2 Blätter veröffentlicht."));
        QCOMPARE(filesIn(m_out->path()), (QStringList{"Haus - EG.pdf", "Haus - OG.pdf"}));
        QCOMPARE(o.h.session.shell.urls, QList<QUrl>{QUrl::fromLocalFile(m_out->path())});
    }

    // --- an existing file is replaced only after "Ja"; the choice is kept for the next time

    void replaceAsks_data()
    {
        QTest::addColumn<int>("answer");
        QTest::newRow("Nein") << int(platform::vbNo);
        QTest::newRow("Ja") << int(platform::vbYes);
    }
    void replaceAsks()
    {
        QFETCH(int, answer);
        open(QStringLiteral("Haus.dxf"), {"EG", "OG"});
        const QString old = QDir(m_out->path()).filePath(QStringLiteral("EG.pdf"));
        QFile file(old);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("alt");
        file.close();
        VeroeffentlichenControl control(m_host, sheets({{"Haus.dxf", "EG"}, {"Haus.dxf", "OG"}}), {});
        control.Form_Load();
        QCOMPARE(control.Muster, QStringLiteral("{zeichnung} - {layout}.pdf"));
        control.Ordner = m_out->path();
        control.Muster = QStringLiteral("{layout}");
        m_boxes->expect(platform::MsgBoxResult(answer),
                        QStringLiteral("„EG.pdf“ ist bereits vorhanden. Ersetzen?"));
        const bool yes = answer == platform::vbYes;
        QCOMPARE(control.cmdStart(), yes);
        QCOMPARE(m_boxes->boxes().last().defaultButton(), int(platform::vbDefaultButton2));
        if (yes)
            run(control.auftrag(), control.blaetter());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll() == "alt", !yes);
        VeroeffentlichenControl next(m_host, control.blaetter(), {});
        next.Form_Load();
        QCOMPARE(next.Ordner, yes ? m_out->path() : QString());
        QCOMPARE(next.Muster,
                 yes ? QStringLiteral("{layout}") : QStringLiteral("{zeichnung} - {layout}.pdf"));
    }
};

QTEST_MAIN(TestVeroeffentlichen)
#include "tst_Veroeffentlichen.moc"
