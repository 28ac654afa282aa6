#include "MsgBoxRecorder.h"
#include "ViewFixture.h"

#include <QFile>
#include <QTest>
#include <explorer/basViewControls.h>
#include <limits>
#include <memory>
#include <platform/UserSettings.h>

namespace bvc = basViewControls;
using explorer::TreeControl;

namespace {

const QString kDrawingsError = QStringLiteral("Geladene AutoCAD-Zeichnungen können nicht ermittelt werden!");
const QString kFolderError = QStringLiteral("Vorlagen-Ordner kann nicht gelesen werden!");

} // namespace

class TestViewControls final : public QObject
{
    Q_OBJECT

private slots:
    void init() { m_f = std::make_unique<ViewFixture>(); }
    void cleanup()
    {
        QVERIFY2(m_f->boxes.scriptDone(), "an expected message box did not appear");
        m_f.reset();
    }

    void initialTree()
    {
        QCOMPARE(m_f->tree.rootKeys(), (QStringList{"A", "B"}));
        QCOMPARE(m_f->tree.text("A"), QStringLiteral("Geladene Zeichnungen"));
        QCOMPARE(m_f->tree.image("A"), 2);
        QCOMPARE(m_f->tree.text("B"), QStringLiteral("Bibliothek"));
        QCOMPARE(m_f->tree.image("B"), 3);
        QVERIFY(m_f->tree.expanded("A") && m_f->tree.expanded("B"));
        QCOMPARE(m_f->tree.selectedKey(), QStringLiteral("A"));
        QCOMPARE(V().State.NodeNummer, 0);
        QVERIFY(!V().State.TreeFilled);
    }

    void roots_data()
    {
        QTest::addColumn<bool>("attached");
        QTest::addColumn<bool>("templates");
        QTest::addColumn<QString>("textA");
        QTest::addColumn<int>("imageA");
        QTest::addColumn<bool>("boldA");
        QTest::addColumn<QString>("textB");
        QTest::addColumn<int>("imageB");
        QTest::newRow("attached, templates")
            << true << true << "Geladene Zeichnungen" << 2 << true << "Bibliothek" << 3;
        QTest::newRow("absent, empty library")
            << false << false << "AutoCAD nicht aktiv!" << 10 << false << "Keine Vorlagen vorhanden!" << 11;
    }

    void roots()
    {
        QFETCH(bool, attached);
        QFETCH(bool, templates);
        QFETCH(QString, textA);
        QFETCH(int, imageA);
        QFETCH(bool, boldA);
        QFETCH(QString, textB);
        QFETCH(int, imageB);
        m_f->host->addDrawing("/plans", "a.dwg", {"Blatt 1"});
        if (templates)
            m_f->addTemplate("A3.dwt");
        if (!attached)
            m_f->detachHost();
        auto& boxes = m_f->boxes;
        V().FillTreeView();
        QCOMPARE(m_f->tree.text("A"), textA);
        QCOMPARE(m_f->tree.image("A"), imageA);
        QCOMPARE(m_f->tree.bold("A"), boldA);
        QCOMPARE(m_f->tree.text("B"), textB);
        QCOMPARE(m_f->tree.image("B"), imageB);
        QVERIFY(!m_f->tree.bold("B"));
        const auto grey = TreeControl::TextColour::AppWorkspace;
        QCOMPARE(m_f->tree.textColour("A") == grey, !attached);
        QCOMPARE(m_f->tree.textColour("B") == grey, !templates);
        QCOMPARE(m_f->tree.childCount("A"), attached ? 1 : 0);
        QVERIFY(boxes.count() == 0);
        QVERIFY(V().State.TreeFilled);
    }

    void drawingsAndLayouts()
    {
        m_f->host->addDrawing("/plans", "a.dwg", {"Blatt 1", "Blatt 2"});
        const acad::DocId b = m_f->host->addDrawing("/plans", "b.dwg", {});
        m_f->host->activeDocument = b;
        m_f->host->find(1)->activeLayout = "Blatt 2";
        V().FillTreeView();
        // Counter: a=1, its layouts 2 and 3, b=4.
        QCOMPARE(m_f->tree.childKeys("A"), (QStringList{"Z1", "Z4"}));
        QCOMPARE(m_f->tree.childKeys("Z1"), (QStringList{"L2", "L3"}));
        QCOMPARE(m_f->tree.childCount("Z4"), 0);
        QCOMPARE(m_f->tree.image("Z1"), 12);
        QCOMPARE(m_f->tree.selectedImage("Z1"), 13);
        QCOMPARE(m_f->tree.image("L2"), 8);
        QCOMPARE(m_f->tree.selectedImage("L2"), 9);
        QVERIFY(m_f->tree.bold("Z4"));
        QVERIFY(m_f->tree.expanded("Z4"));
        QVERIFY(!m_f->tree.bold("Z1"));
        // Only the active document's active layout is bold.
        QVERIFY(!m_f->tree.bold("L3"));
        QCOMPARE(m_f->tree.selectedKey(), QStringLiteral("Z4"));
        QCOMPARE(V().Layouts.item("3")->Gesamt, QStringLiteral("/plans/a.dwg;Blatt 2"));
        QCOMPARE(V().Layouts.item("3")->AObjId, m_f->host->find(1)->layouts[2].id);
        QCOMPARE(V().Zeichnungen.item("4")->Gesamt, QStringLiteral("/plans/b.dwg"));
    }

    void firstRefreshSelectsTheActiveLayout()
    {
        m_f->host->addDrawing("/plans", "a.dwg", {"Blatt 1", "Blatt 2"});
        m_f->host->find(1)->activeLayout = "Blatt 2";
        V().FillTreeView();
        QCOMPARE(m_f->tree.selectedKey(), QStringLiteral("L3"));
        QVERIFY(m_f->tree.bold("L3"));
        QCOMPARE(explorer::letterOf(V().State.SelectedNodeType), QStringLiteral("L"));
        // Later refreshes never move the selection.
        m_f->host->find(1)->activeLayout = "Blatt 1";
        V().FillTreeView();
        QCOMPARE(m_f->tree.selectedKey(), QStringLiteral("L3"));
        QVERIFY(m_f->tree.bold("L2"));
        QVERIFY(!m_f->tree.bold("L3"));
    }

    void unchangedRefreshKeepsEveryNode()
    {
        m_f->host->addDrawing("/plans", "a.dwg", {"Blatt 1", "Blatt 2"});
        m_f->addTemplate("A3.dwt");
        V().FillTreeView();
        const QStringList before = m_f->tree.allKeys();
        V().FillTreeView();
        QCOMPARE(m_f->tree.allKeys(), before);
        QCOMPARE(V().State.NodeNummer, 8);
        // The next new object gets a number of at least 9.
        m_f->host->addDrawing("/plans", "c.dwg", {});
        V().FillTreeView();
        QVERIFY(m_f->keyOf("c.dwg").mid(1).toInt() >= 9);
    }

    void identityIgnoresCase()
    {
        const acad::DocId a = m_f->host->addDrawing("/plans", "a.dwg", {"Blatt 1"});
        V().FillTreeView();
        m_f->host->find(a)->path = "/PLANS";
        m_f->host->find(a)->name = "A.DWG";
        m_f->host->find(a)->layouts[1].name = "BLATT 1";
        V().FillTreeView();
        QCOMPARE(m_f->tree.childKeys("A"), QStringList{"Z1"});
        QCOMPARE(m_f->tree.childKeys("Z1"), QStringList{"L2"});
    }

    void reopenedDrawingGetsANewNode()
    {
        const acad::DocId a = m_f->host->addDrawing("/plans", "a.dwg", {"Blatt 1"});
        m_f->host->addDrawing("/plans", "b.dwg", {});
        V().FillTreeView();
        m_f->host->closeDrawing(a);
        V().FillTreeView();
        QCOMPARE(m_f->keyOf("a.dwg"), QString());
        QCOMPARE(V().Layouts.count(), 0);
        m_f->host->addDrawing("/plans", "a.dwg", {"Blatt 1"});
        V().FillTreeView();
        QCOMPARE(m_f->tree.childKeys("A").size(), 2);
        QVERIFY(m_f->keyOf("a.dwg") != QStringLiteral("Z1"));
        QVERIFY(!V().Zeichnungen.contains("1"));
    }

    // Closed and opened again between two refreshes: the records stay, and follow the new ids.
    void reopenedBetweenRefreshesTakesTheNewIds()
    {
        const acad::DocId a = m_f->host->addDrawing("/plans", "a.dwg", {"Blatt 1", "Blatt 2"});
        V().FillTreeView();
        const QString blatt2 = m_f->keyOf("Blatt 2");
        m_f->host->closeDrawing(a);
        const acad::DocId again = m_f->host->addDrawing("/plans", "a.dwg", {"Blatt 1", "Blatt 2"});
        V().FillTreeView();
        QCOMPARE(m_f->keyOf("Blatt 2"), blatt2);
        QCOMPARE(V().Layouts.item(blatt2.mid(1))->AObjId, m_f->host->find(again)->layouts[2].id);
    }

    // The host keeps a renamed layout's tab, and the tree its place.
    void renamedLayoutKeepsItsTab()
    {
        const acad::DocId a = m_f->host->addDrawing("/plans", "a.dwg", {"Blatt 1", "Blatt 2"});
        V().FillTreeView();
        m_f->host->find(a)->layouts[1].name = "Grundriss";
        V().FillTreeView();
        const QStringList children = m_f->tree.childKeys("Z1");
        QCOMPARE(children.size(), 2);
        QCOMPARE(m_f->tree.text(children.first()), QStringLiteral("Grundriss"));
        QCOMPARE(m_f->tree.text(children.last()), QStringLiteral("Blatt 2"));
    }

    void sameNameInTwoFolders()
    {
        m_f->host->addDrawing("/plans", "a.dwg", {});
        m_f->host->addDrawing("/other", "a.dwg", {});
        V().FillTreeView();
        QCOMPARE(m_f->tree.childKeys("A").size(), 2);
        for (const QString& key : m_f->tree.childKeys("A")) {
            QCOMPARE(m_f->tree.text(key), QStringLiteral("a.dwg"));
            QVERIFY(m_f->tree.bold(key));
        }
        m_f->click("A");
        for (const QString& key : m_f->list.keys())
            QVERIFY(m_f->list.bold(key));
    }

    // A host without drawings (the last one closed, or a host started anew) has none to show.
    void aHostWithoutDrawingsEmptiesTheDrawingsRoot()
    {
        m_f->host->addDrawing("/plans", "a.dwg", {"Blatt 1"});
        V().FillTreeView();
        m_f->host->activeDocument = 0;
        m_f->host->documents.clear();
        V().FillTreeView();
        QCOMPARE(m_f->tree.childKeys("A"), QStringList{});
        QVERIFY(V().Zeichnungen.isEmpty());
        QVERIFY(V().Layouts.isEmpty());
        QVERIFY(m_f->tree.bold("A"));
        QCOMPARE(m_f->tree.text("A"), QStringLiteral("Geladene Zeichnungen"));
    }

    void hostLostDropsTheDrawingsAndComesBackRenumbered()
    {
        m_f->host->addDrawing("/plans", "a.dwg", {"Blatt 1"});
        V().FillTreeView();
        m_f->detachHost();
        V().FillTreeView();
        QCOMPARE(m_f->tree.childCount("A"), 0);
        QVERIFY(V().Zeichnungen.isEmpty() && V().Layouts.isEmpty());
        m_f->connection.AcadApp = m_f->host;
        V().FillTreeView();
        QCOMPARE(m_f->tree.childKeys("A"), QStringList{"Z3"});
    }

    void hostFailure_data()
    {
        QTest::addColumn<QString>("failing");
        QTest::addColumn<QString>("text");
        // The fixed text says what failed; the host's own description follows it.
        QTest::newRow("documents") << "application"
                                   << kDrawingsError + "\nAutomatisierungsfehler: application";
        QTest::newRow("layouts") << "documentSnapshots"
                                 << kDrawingsError + "\nAutomatisierungsfehler: documentSnapshots";
    }

    void hostFailure()
    {
        QFETCH(QString, failing);
        m_f->host->addDrawing("/plans", "a.dwg", {"Blatt 1"});
        V().FillTreeView();
        m_f->host->failing = failing;
        auto& boxes = m_f->boxes;
        boxes.expect(platform::vbOK, kDrawingsError);
        V().FillTreeView();
        QTEST(boxes.texts().first(), "text");
        QCOMPARE(boxes.boxes().first().style, int(platform::vbCritical));
        // The nodes of the earlier refresh stay.
        QVERIFY(m_f->tree.contains("Z1") && m_f->tree.contains("L2"));
    }

    void counterOverflowIsRefused_data()
    {
        QTest::addColumn<bool>("drawings");
        QTest::addColumn<QString>("message");
        QTest::newRow("drawings") << true << kDrawingsError;
        QTest::newRow("templates") << false << kFolderError;
    }

    void counterOverflowIsRefused()
    {
        QFETCH(bool, drawings);
        QFETCH(QString, message);
        if (drawings)
            m_f->host->addDrawing("/plans", "a.dwg", {"Blatt 1", "Blatt 2"});
        else
            m_f->addTemplate("a.dwg"), m_f->addTemplate("b.dwg");
        V().State.NodeNummer = std::numeric_limits<qint32>::max() - 1;
        auto& boxes = m_f->boxes;
        boxes.expect(platform::vbOK, message);
        V().FillTreeView();
        QVERIFY(boxes.texts().contains(message));
        QCOMPARE(V().State.NodeNummer, std::numeric_limits<qint32>::max());
        for (const QString& key : m_f->tree.allKeys())
            QVERIFY(!key.contains('-'));
    }

    void templateFolder()
    {
        for (const char* name : {"a.DWG", "b.dwt", "c.dws", "d.dwf", "e.txt"})
            m_f->addTemplate(QString::fromLatin1(name));
        V().FillTreeView();
        const QString a = m_f->keyOf("a.DWG", "B");
        const QString b = m_f->keyOf("b.dwt", "B");
        QCOMPARE(m_f->tree.childCount("B"), 2);
        QCOMPARE(m_f->tree.image(a), 7);
        QCOMPARE(m_f->tree.selectedImage(a), 5);
        QCOMPARE(m_f->tree.image(b), 6);
        QCOMPARE(m_f->tree.selectedImage(b), 4);
        QCOMPARE(V().State.VorlagenPfad, m_f->library.path());
        QCOMPARE(V().Vorlagen.item(b.mid(1))->Gesamt, m_f->library.filePath("b.dwt"));
    }

    // Listed as the CAD program's file dialogs list a folder: no hidden files, by name ignoring case.
    void templatesInNameOrderWithoutHiddenFiles()
    {
        for (const char* name : {"c.DWG", ".versteckt.dwg", "a.dwt", "B.dwg"})
            m_f->addTemplate(QString::fromLatin1(name));
        V().FillTreeView();
        QStringList shown;
        for (const QString& key : m_f->tree.childKeys("B"))
            shown.append(m_f->tree.text(key));
        QCOMPARE(shown, (QStringList{"a.dwt", "B.dwg", "c.DWG"}));
    }

    void libraryFillsAndEmpties()
    {
        V().FillTreeView();
        QCOMPARE(m_f->tree.text("B"), QStringLiteral("Keine Vorlagen vorhanden!"));
        m_f->addTemplate("Neu.dwt");
        V().FillTreeView();
        QCOMPARE(m_f->tree.text("B"), QStringLiteral("Bibliothek"));
        QCOMPARE(m_f->tree.image("B"), 3);
        QCOMPARE(m_f->tree.textColour("B"), TreeControl::TextColour::ButtonText);
        m_f->removeTemplate("Neu.dwt");
        V().FillTreeView();
        QCOMPARE(m_f->tree.childCount("B"), 0);
        QCOMPARE(m_f->tree.image("B"), 11);
    }

    void unreadableLibrary_data()
    {
        QTest::addColumn<bool>("typeMissing");
        QTest::newRow("folder gone") << false;
        QTest::newRow("no type 1") << true;
    }

    void unreadableLibrary()
    {
        QFETCH(bool, typeMissing);
        m_f->addTemplate("A3.dwt");
        V().FillTreeView();
        if (typeMissing)
            m_f->definitions.gTypen.Clear();
        else
            m_f->library.remove();
        auto& boxes = m_f->boxes;
        boxes.expect(platform::vbOK, kFolderError);
        V().FillTreeView();
        QCOMPARE(boxes.texts(), QStringList{kFolderError});
        QCOMPARE(boxes.boxes().first().style, int(platform::vbCritical));
        QCOMPARE(m_f->tree.childCount("B"), 1);
        // The list still shows the template whose node stayed.
        m_f->click("B");
        QCOMPARE(m_f->list.keys(), m_f->tree.childKeys("B"));
    }

    void columnSets_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QList<double>>("widths");
        QTest::newRow("A") << "A"
                           << "Zeichnungen:" << QStringList{"Dateiname"} << QList<double>{5000};
        QTest::newRow("Z") << "Z"
                           << "Layouts:" << QStringList{"Bezeichnung", "Plotgerät", "Papierformat",
                                                        "Ausrichtung", "Plotstil",  "Register"}
                           << QList<double>{2500, 2500, 2500, 2500, 2500, 1000};
        QTest::newRow("L") << "L"
                           << "Layout-Details:" << QStringList{"Beschreibung", "Wert"}
                           << QList<double>{2500, 2500};
        QTest::newRow("B") << "B"
                           << "Vorlagen:" << QStringList{"Dateiname"} << QList<double>{5000};
        QTest::newRow("D") << "D"
                           << "Vorlage-Details:" << QStringList{"Beschreibung", "Wert"}
                           << QList<double>{2500, 2500};
    }

    void columnSets()
    {
        QFETCH(QString, kind);
        QFETCH(QString, title);
        QFETCH(QStringList, captions);
        QFETCH(QList<double>, widths);
        m_f->host->addDrawing("/plans", "a.dwg", {"Blatt 1"});
        m_f->addTemplate("A3.dwt");
        V().FillTreeView();
        const QString key = kind.size() == 1 && (kind == "A" || kind == "B")
                                ? kind
                                : m_f->keyOf(kind == "Z"   ? "a.dwg"
                                             : kind == "L" ? "Blatt 1"
                                                           : "A3.dwt");
        m_f->click(key);
        QCOMPARE(m_f->view.title, title);
        QCOMPARE(V().State.ListColumnSet, bvc::ColumnSetOfKind(explorer::kindOf(kind)));
        QStringList shown;
        QList<double> shownWidths;
        for (int c = 0; c < m_f->list.columnCount(); ++c) {
            shown.append(m_f->list.columnCaption(c));
            shownWidths.append(m_f->list.columnWidth(c));
        }
        QCOMPARE(shown, captions);
        QCOMPARE(shownWidths, widths);
        const bool details = kind == "L" || kind == "D";
        QCOMPARE(m_f->view.viewModesEnabled, !details);
        QCOMPARE(m_f->list.gridLines(), details);
        QCOMPARE(m_f->list.view() == explorer::ListControl::Details, details);
        QCOMPARE(m_f->list.multiSelect(), kind == "Z");
        QCOMPARE(m_f->view.selectionEnabled, kind == "Z");
        // The ten fixed rows of a layout without viewports; the two rows of a template.
        if (details)
            QCOMPARE(m_f->list.count(), kind == "L" ? 10 : 2);
    }

    void storedWidths_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<double>("width");
        QTest::newRow("missing") << QString() << 2500.0;
        QTest::newRow("stored") << "3100" << 3100.0;
        QTest::newRow("not a number") << "breit" << 2500.0;
        QTest::newRow("negative") << "-5" << 2500.0;
    }

    void storedWidths()
    {
        QFETCH(QString, stored);
        QFETCH(double, width);
        if (!stored.isNull())
            platform::SaveSetting("Col_2_1", stored);
        V().LoadColumnWidths();
        m_f->host->addDrawing("/plans", "a.dwg", {"Blatt 1"});
        V().FillTreeView();
        m_f->click("Z1");
        QCOMPARE(m_f->list.columnWidth(1), width);
    }

    void widthsSurviveASwitchAndAreSaved()
    {
        m_f->host->addDrawing("/plans", "a.dwg", {"Blatt 1"});
        V().FillTreeView();
        m_f->click("Z1");
        m_f->list.setColumnWidth(2, 3333);
        m_f->click("L2");
        QCOMPARE(m_f->list.columnCount(), 2);
        m_f->click("Z1");
        QCOMPARE(m_f->list.columnCount(), 6);
        QCOMPARE(m_f->list.columnWidth(2), 3333.0);
        V().CaptureColumnWidths();
        V().SaveColumnWidths();
        QCOMPARE(platform::GetSetting("Col_2_2"), QStringLiteral("3333"));
        for (const char* key : {"Col_1_0", "Col_2_0", "Col_2_4", "Col_3_1", "Col_4_0", "Col_5_0", "Col_5_1"})
            QVERIFY(!platform::GetSetting(QString::fromLatin1(key)).isEmpty());
    }

    void storedOrder_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QList<int>>("positions");
        QTest::newRow("swapped") << "1,3,2,4,5,6" << QList<int>{1, 3, 2, 4, 5, 6};
        QTest::newRow("empty") << "" << QList<int>{1, 2, 3, 4, 5, 6};
        QTest::newRow("too few") << "2,1" << QList<int>{2, 1, 3, 4, 5, 6};
        // An order stored before the "Register" column existed leaves it at the end.
        QTest::newRow("five of six") << "1,3,2,5,4" << QList<int>{1, 3, 2, 5, 4, 6};
        QTest::newRow("too many") << "1,3,2,4,5,6,7" << QList<int>{1, 3, 2, 4, 5, 6};
        // Column 2 goes to position 3 and column 4 to position 2, as stored; the others fill in.
        QTest::newRow("invalid numbers skipped") << "x,3,99,2" << QList<int>{1, 3, 4, 2, 5, 6};
    }

    void storedOrder()
    {
        QFETCH(QString, stored);
        QFETCH(QList<int>, positions);
        platform::SaveSetting("ZColOrder", stored);
        m_f->host->addDrawing("/plans", "a.dwg", {"Blatt 1"});
        V().FillTreeView();
        auto& boxes = m_f->boxes;
        m_f->click("Z1");
        QList<int> shown;
        for (int c = 0; c < m_f->list.columnCount(); ++c)
            shown.append(m_f->list.columnPosition(c));
        QCOMPARE(shown, positions);
        QVERIFY(boxes.count() == 0);
    }

    // Every order of the six layout columns comes back as stored after a switch away and back,
    // and is saved unchanged.
    void everyColumnOrderReproducesItself_data()
    {
        QTest::addColumn<QList<int>>("positions");
        QList<int> p{1, 2, 3, 4, 5, 6};
        do {
            QStringList name;
            for (int v : p)
                name.append(QString::number(v));
            QTest::newRow(qPrintable(name.join(','))) << p;
        } while (std::next_permutation(p.begin(), p.end()));
    }
    void everyColumnOrderReproducesItself()
    {
        QFETCH(QList<int>, positions);
        QStringList stored;
        for (int v : positions)
            stored.append(QString::number(v));
        platform::SaveSetting("ZColOrder", stored.join(','));
        m_f->host->addDrawing("/plans", "a.dwg", {"Blatt 1"});
        V().FillTreeView();
        for (const char* key : {"Z1", "A", "Z1"}) {
            m_f->click(QString::fromLatin1(key));
            if (m_f->tree.selectedKey() != QLatin1String("Z1"))
                continue;
            QList<int> shown;
            for (int c = 0; c < m_f->list.columnCount(); ++c)
                shown.append(m_f->list.columnPosition(c));
            QCOMPARE(shown, positions);
        }
        QCOMPARE(platform::GetSetting("ZColOrder"), stored.join(','));
    }

    void orderIsSavedWhenTheKindChanges()
    {
        m_f->host->addDrawing("/plans", "a.dwg", {"Blatt 1"});
        V().FillTreeView();
        m_f->click("Z1");
        m_f->list.setColumnPosition(1, 3);
        m_f->click("L2");
        QCOMPARE(platform::GetSetting("ZColOrder"), QStringLiteral("1,3,2,4,5,6"));
        m_f->click("Z1");
        QCOMPARE(m_f->list.columnPosition(2), 2);
    }

    void layoutList_data()
    {
        QTest::addColumn<int>("rotation");
        QTest::addColumn<QString>("style");
        QTest::addColumn<QString>("orientation");
        QTest::addColumn<QString>("styleShown");
        QTest::newRow("portrait, no table") << 0 << ""
                                            << "Hochformat"
                                            << "Kein";
        QTest::newRow("landscape") << 1 << "monochrome.ctb"
                                   << "Querformat"
                                   << "monochrome.ctb";
        QTest::newRow("upside down") << 2 << ""
                                     << "Hochformat (auf dem Kopf)"
                                     << "Kein";
        QTest::newRow("landscape upside down") << 3 << ""
                                               << "Querformat (auf dem Kopf)"
                                               << "Kein";
        QTest::newRow("unknown rotation") << 7 << ""
                                          << ""
                                          << "Kein";
    }

    void layoutList()
    {
        QFETCH(int, rotation);
        QFETCH(QString, style);
        QFETCH(QString, orientation);
        QFETCH(QString, styleShown);
        const acad::DocId a = m_f->host->addDrawing("/plans", "a.dwg", {"Blatt 1"});
        m_f->host->find(a)->layouts[1].plot.plotRotation = rotation;
        m_f->host->find(a)->layouts[1].plot.styleSheet = style;
        V().FillTreeView();
        m_f->click("Z1");
        QCOMPARE(m_f->list.keys(), QStringList{"L2"});
        QCOMPARE(m_f->list.text("L2"), QStringLiteral("Blatt 1"));
        QCOMPARE(m_f->list.subItem("L2", 1), QStringLiteral("DWG To PDF.pc3"));
        QCOMPARE(m_f->list.subItem("L2", 2), QStringLiteral("Lokal ISO_full_bleed_A3_(420.00_x_297.00_MM)"));
        QCOMPARE(m_f->list.subItem("L2", 3), orientation);
        QCOMPARE(m_f->list.subItem("L2", 4), styleShown);
        QCOMPARE(m_f->list.largeIcon("L2"), 4);
        QCOMPARE(m_f->list.smallIcon("L2"), 9);
    }

    void layoutsWithoutPlotSettingsShowTheirName()
    {
        const acad::DocId a = m_f->host->addDrawing("/plans", "a.dwg", {"Blatt 1", "Blatt 2", "Blatt 3"});
        m_f->host->find(a)->layouts[1].plot.canonicalMediaName.clear();
        m_f->host->failingPlot = m_f->host->find(a)->layouts[2].id;
        m_f->host->find(a)->activeLayout = "Blatt 3";
        V().FillTreeView();
        auto& boxes = m_f->boxes;
        m_f->click("Z1");
        QCOMPARE(m_f->list.count(), 3);
        for (const char* key : {"L2", "L3"}) {
            for (int c = 1; c <= 4; ++c)
                QCOMPARE(m_f->list.subItem(QString::fromLatin1(key), c), QString());
        }
        QCOMPARE(m_f->list.subItem("L4", 4), QStringLiteral("Kein"));
        QVERIFY(m_f->list.bold("L4"));
        QVERIFY(!m_f->list.bold("L2"));
        QVERIFY(boxes.count() == 0);
    }

    void textsFollowTheView_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("path");
        QTest::newRow("drawings") << "A"
                                  << "a.dwg"
                                  << "/plans/a.dwg";
        QTest::newRow("templates") << "B"
                                   << "A3.dwt"
                                   << "";
    }

    void textsFollowTheView()
    {
        QFETCH(QString, kind);
        QFETCH(QString, name);
        QFETCH(QString, path);
        if (path.isEmpty())
            path = m_f->library.filePath(name);
        m_f->host->addDrawing("/plans", "a.dwg", {});
        m_f->addTemplate("A3.dwt");
        V().FillTreeView();
        m_f->view.pressed = 0;
        m_f->click(kind);
        const QString key = m_f->list.keys().first();
        QCOMPARE(m_f->list.text(key), name);
        QCOMPARE(m_f->list.toolTip(key), name);
        V().SetListItemTexts(2);
        m_f->list.setView(2);
        QCOMPARE(m_f->list.text(key), path);
        // Between two views other than large icons nothing changes.
        m_f->list.setText(key, "unberührt");
        V().SetListItemTexts(3);
        QCOMPARE(m_f->list.text(key), QStringLiteral("unberührt"));
    }

    void templateIcons()
    {
        m_f->addTemplate("A3.dwt");
        m_f->addTemplate("A4.DWG");
        V().FillTreeView();
        m_f->click("B");
        const QString dwt = m_f->keyOf("A3.dwt");
        const QString dwg = m_f->keyOf("A4.DWG");
        QCOMPARE(m_f->list.largeIcon(dwt), 2);
        QCOMPARE(m_f->list.smallIcon(dwt), 4);
        QCOMPARE(m_f->list.largeIcon(dwg), 3);
        QCOMPARE(m_f->list.smallIcon(dwg), 5);
        QVERIFY(!m_f->list.bold(dwt));
    }

    void refillKeepsTheSelectedItem()
    {
        m_f->addTemplate("A3.dwt");
        m_f->addTemplate("A4.dwt");
        V().FillTreeView();
        m_f->click("B");
        const QString key = m_f->keyOf("A4.dwt");
        m_f->list.setSelected(key, true);
        m_f->addTemplate("A5.dwt");
        V().FillTreeView();
        QCOMPARE(m_f->list.count(), 3);
        QCOMPARE(m_f->list.selectedKey(), key);
    }

    void selectionSequence()
    {
        m_f->host->addDrawing("/plans", "a.dwg", {"Blatt 1"});
        V().FillTreeView();
        const FakeView before = m_f->view;
        m_f->click("Z1");
        QCOMPARE(m_f->view.viewBySetting, before.viewBySetting + 1);
        QCOMPARE(m_f->view.statusBarUpdates, before.statusBarUpdates + 1);
        QCOMPARE(m_f->view.commandUpdates, before.commandUpdates + 1);
        QCOMPARE(explorer::letterOf(V().State.SelectedNodeType), QStringLiteral("Z"));
        QCOMPARE(m_f->tree.dragMode(), TreeControl::DragMode::Automatic);
        m_f->click("A");
        QCOMPARE(m_f->tree.dragMode(), TreeControl::DragMode::Manual);
    }

    void clicksAndDoubleClicksAreWired()
    {
        m_f->host->addDrawing("/plans", "a.dwg", {"Blatt 1"});
        V().FillTreeView();
        const int before = m_f->view.commandUpdates;
        // What the user's click does to the widget.
        m_f->widget.setCurrentItem(m_f->widget.topLevelItem(0));
        QCOMPARE(explorer::letterOf(V().State.SelectedNodeType), QStringLiteral("A"));
        QCOMPARE(m_f->view.commandUpdates, before + 1);
        emit m_f->list.itemDoubleClicked("Z1");
        QCOMPARE(m_f->tree.selectedKey(), QStringLiteral("Z1"));
        QCOMPARE(explorer::letterOf(V().State.SelectedNodeType), QStringLiteral("Z"));
    }

    void nothingSelectedIsReported()
    {
        m_f->host->addDrawing("/plans", "a.dwg", {"Blatt 1"});
        m_f->boxes.expect(platform::vbOK, QStringLiteral("Keine Zeichnung ausgewählt!"));
        QCOMPARE(V().GetZeichnungGesamt(true), QString());
    }

    void provisionalTemplateNodeGoesOnTheNextClick()
    {
        m_f->addTemplate("A3.dwt");
        V().FillTreeView();
        m_f->tree.addNode("B", "D0", "Neue Vorlage", 6, 4);
        V().State.ProvisionalTemplateNode = true;
        m_f->click("B");
        QVERIFY(!m_f->tree.contains("D0"));
        QVERIFY(!V().State.ProvisionalTemplateNode);
    }

    void openListItem_data()
    {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("opened");
        QTest::newRow("drawing") << "A"
                                 << "a.dwg"
                                 << "Z";
        QTest::newRow("layout") << "Z1"
                                << "Blatt 1"
                                << "L";
        QTest::newRow("template") << "B"
                                  << "A3.dwt"
                                  << "D";
    }

    void openListItem()
    {
        QFETCH(QString, list);
        QFETCH(QString, item);
        QFETCH(QString, opened);
        m_f->host->addDrawing("/plans", "a.dwg", {"Blatt 1"});
        m_f->addTemplate("A3.dwt");
        V().FillTreeView();
        m_f->click(list);
        const QString key = m_f->keyOf(item);
        V().OpenListItem(key);
        QCOMPARE(m_f->tree.selectedKey(), key);
        QVERIFY(m_f->tree.expanded(key));
        QCOMPARE(explorer::letterOf(V().State.SelectedNodeType), opened);
        QCOMPARE(V().State.ListColumnSet, bvc::ColumnSetOfKind(explorer::kindOf(opened)));
    }

    void closingTheSelectedDrawingRebuildsTheList()
    {
        const acad::DocId a = m_f->host->addDrawing("/plans", "a.dwg", {"Blatt 1"});
        m_f->host->addDrawing("/plans", "b.dwg", {});
        V().FillTreeView();
        m_f->click("Z1");
        m_f->host->closeDrawing(a);
        V().FillTreeView();
        const QString kind = m_f->tree.selectedKey().left(1);
        QCOMPARE(explorer::letterOf(V().State.SelectedNodeType), kind);
        QCOMPARE(V().State.ListColumnSet, bvc::ColumnSetOfKind(explorer::kindOf(kind)));
    }

    void deleteSelectedTemplate_data()
    {
        QTest::addColumn<bool>("fromLibrary");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("gone");
        QTest::newRow("node, yes") << false << int(platform::vbYes) << true;
        QTest::newRow("node, no") << false << int(platform::vbNo) << false;
        QTest::newRow("list item, yes") << true << int(platform::vbYes) << true;
    }

    void deleteSelectedTemplate()
    {
        QFETCH(bool, fromLibrary);
        QFETCH(int, answer);
        QFETCH(bool, gone);
        m_f->addTemplate("A3.dwt");
        m_f->addTemplate("A4.dwt");
        V().FillTreeView();
        const QString key = m_f->keyOf("A3.dwt");
        if (fromLibrary) {
            m_f->click("B");
            m_f->list.setSelected(key, true);
        } else {
            m_f->click(key);
        }
        auto& boxes = m_f->boxes;
        boxes.expect(platform::MsgBoxResult(answer), QStringLiteral("wirklich löschen?"));
        V().DeleteSelectedTemplate();
        QCOMPARE(boxes.texts().first(), QStringLiteral("Datei: ") + m_f->library.filePath("A3.dwt") +
                                            QStringLiteral(" wirklich löschen?"));
        QCOMPARE(QFile::exists(m_f->library.filePath("A3.dwt")), !gone);
        QCOMPARE(m_f->tree.contains(key), !gone);
        QVERIFY(m_f->tree.contains(m_f->keyOf("A4.dwt")));
    }

    void deleteWithoutATemplate()
    {
        m_f->addTemplate("A3.dwt");
        V().FillTreeView();
        m_f->click("B");
        auto& boxes = m_f->boxes;
        boxes.expect(platform::vbOK, QStringLiteral("Keine Vorlage ausgewählt!"));
        V().DeleteSelectedTemplate();
        QCOMPARE(boxes.texts(), QStringList{QStringLiteral("Keine Vorlage ausgewählt!")});
        QVERIFY(QFile::exists(m_f->library.filePath("A3.dwt")));
    }

    void fullPathOfTheSelection_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<bool>("fromList");
        QTest::addColumn<bool>("drawing");
        QTest::addColumn<QString>("expected");
        QTest::newRow("drawing node") << "a.dwg" << false << true << "/plans/a.dwg";
        QTest::newRow("drawing in the list") << "A" << true << true << "/plans/a.dwg";
        QTest::newRow("root is no drawing") << "A" << false << true << "";
        QTest::newRow("layout is no template") << "Blatt 1" << false << false << "";
    }

    void fullPathOfTheSelection()
    {
        QFETCH(QString, node);
        QFETCH(bool, fromList);
        QFETCH(bool, drawing);
        QFETCH(QString, expected);
        m_f->host->addDrawing("/plans", "a.dwg", {"Blatt 1"});
        V().FillTreeView();
        m_f->click(node.size() == 1 ? node : m_f->keyOf(node));
        if (fromList)
            m_f->list.setSelected(m_f->list.keys().first(), true);
        auto& boxes = m_f->boxes;
        if (expected.isEmpty())
            boxes.expect(platform::vbOK, QStringLiteral("ausgewählt!"));
        const QString path = drawing ? V().GetZeichnungGesamt(fromList) : V().GetVorlageGesamt(fromList);
        QCOMPARE(path, expected);
        QCOMPARE(boxes.count(), expected.isEmpty() ? 1 : 0);
    }

    void boldMarks()
    {
        m_f->host->addDrawing("/plans", "a.dwg", {"Blatt 1"});
        m_f->host->find(1)->activeLayout = "Blatt 1";
        V().FillTreeView();
        m_f->click("A");
        V().ClearBoldNodes();
        QVERIFY(m_f->tree.bold("A"));
        QVERIFY(!m_f->tree.bold("Z1") && !m_f->tree.bold("L2"));
        QVERIFY(m_f->list.bold("Z1"));
        V().ClearBoldListItems();
        QVERIFY(!m_f->list.bold("Z1"));
        V().SetActiveNode("Q99");
        V().SetActiveNode("L2");
        QVERIFY(m_f->tree.bold("L2"));
        QCOMPARE(m_f->tree.selectedKey(), QStringLiteral("A"));
    }

    void refreshCostsTwoCallsHoweverManyDocuments()
    {
        for (int i = 0; i < 5; ++i)
            m_f->host->addDrawing("/plans", QStringLiteral("%1.dwg").arg(i), {"Blatt 1", "Blatt 2"});
        m_f->host->find(1)->activeLayout = "Blatt 1";
        V().FillTreeView();
        m_f->host->calls.clear();
        V().FillTreeView();
        // The selection is the active layout: its details add one call each for the document, the
        // plot settings and the block.
        QCOMPARE(m_f->host->calls.value("application"), 2);
        QCOMPARE(m_f->host->calls.value("documentSnapshots"), 1);
        QCOMPARE(m_f->host->calls.value("layoutPlotSettings"), 1);
        QCOMPARE(m_f->host->calls.value("blockEntitiesWithXData"), 1);
        QCOMPARE(m_f->host->totalCalls(), 5);
    }

private:
    std::unique_ptr<ViewFixture> m_f;
    basViewControls::ViewControls& V() { return m_f->views; }
};

QTEST_MAIN(TestViewControls)
#include "tst_viewcontrols.moc"
