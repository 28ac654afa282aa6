// Layouts created and deleted by the product's macros, through the real program and its actions,
// against the in-process CAD program.
#include "OperationsHarness.h"

#include <QtTest>
#include <acad/Host.h>
#include <explorer/ViewSettings.h>
#include <explorer/basViewControls.h>
#include <explorer/controls/ListControl.h>
#include <explorer/controls/TreeControl.h>
#include <explorer/frmMain.h>
#include <operations/Commands.h>
#include <operations/LoeschenFrage.h>
#include <operations/basKvarto.h>
#include <platform/ProgramFolder.h>

using explorer::Cmd;

namespace {

const QString kPlan1 = QStringLiteral("/p/Plan1.dwg");
const QString kPlan2 = QStringLiteral("/p/Plan2.dwg");
const QString kRefusal = QStringLiteral("Das Löschen sämtlicher Layouts einer Zeichnung ist nicht zulässig!");
const QString kCallKv = QStringLiteral("Bitte rufen Sie KV+ über das AutoCAD-Menü auf!");

} // namespace

class TestBasKvarto : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<OperationsHarness> o;
    QTemporaryDir emptyFolder;

    // The macro lines of the CAD program's history, in their order.
    QStringList macroLog() const
    {
        QStringList lines;
        for (const QString& line : o->h.cad.engine->commandHistory()) {
            if (line.startsWith(QLatin1String("Makro")) || line.startsWith(QLatin1String("Layout \"")))
                lines.append(line);
        }
        return lines;
    }
    void loadProject()
    {
        o->h.cad.engine->loadDVB(platform::joinPath(platform::programFolder(), QStringLiteral("Kvarto.dvb")));
    }

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void init()
    {
        o = std::make_unique<OperationsHarness>();
        o->h.cad.open(kPlan2, {QStringLiteral("B1"), QStringLiteral("B2"), QStringLiteral("B3")},
                      QStringLiteral("Model"));
        o->h.cad.open(kPlan1, {QStringLiteral("A1"), QStringLiteral("A2")});
        // The question before deleting has tests of its own.
        explorer::viewsettings::setAskDeleteLayouts(false);
        QVERIFY(o->start());
    }
    void cleanup()
    {
        QVERIFY2(!o->h.boxes.unexpected(), qPrintable(o->h.boxes.failures()));
        QVERIFY(o->h.boxes.scriptDone());
        o.reset();
    }

    // --- RunProgrammMacro

    void runProgrammMacro_data()
    {
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<bool>("fileThere");
        QTest::addColumn<QStringList>("log");
        QTest::newRow("project loaded")
            << true << true
            << QStringList{"Makroprojekt geladen: " +
                               platform::joinPath(platform::programFolder(), "Kvarto.dvb"),
                           "Makro: Programm.KV_Layout", "Layout \"Layout1\" erstellt."};
        QTest::newRow("not loaded: load, start, run again")
            << false << true
            << QStringList{
                   "Makroprojekt geladen: " + platform::joinPath(platform::programFolder(), "Kvarto.dvb"),
                   "Makro: Programm.KV_Starten", "Makro: Programm.KV_Layout", "Layout \"Layout1\" erstellt."};
        QTest::newRow("project file missing") << false << false << QStringList{};
    }
    void runProgrammMacro()
    {
        QFETCH(bool, loaded);
        QFETCH(bool, fileThere);
        QFETCH(QStringList, log);
        if (loaded)
            loadProject();
        const QString folder = fileThere ? platform::programFolder() : emptyFolder.path();
        basKvarto::Kvarto kvarto(o->program().Connection, o->views(), *o->window(), folder);
        if (!fileThere)
            o->h.boxes.expect(platform::vbOK, kCallKv);
        const int fronts = o->h.cad.host->bringToFrontCalls;
        kvarto.RunProgrammMacro(QStringLiteral("KV_Layout"));
        QCOMPARE(macroLog(), log);
        QCOMPARE(o->h.cad.host->bringToFrontCalls - fronts, 1);
        if (!fileThere) {
            QCOMPARE(o->h.boxes.boxes().constFirst().icon(), int(platform::vbExclamation));
            QCOMPARE(o->h.boxes.boxes().constFirst().title, platform::programTitle());
        }
    }

    // The project stays loaded: the second run succeeds at once.
    void secondRunNeedsNoLoad()
    {
        o->program().Commands->Kvarto->RunProgrammMacro(QStringLiteral("KV_Layout"));
        const qsizetype loads = macroLog().filter(QStringLiteral("Makroprojekt")).size();
        o->program().Commands->Kvarto->RunProgrammMacro(QStringLiteral("KV_Layout"));
        QCOMPARE(macroLog().filter(QStringLiteral("Makroprojekt")).size(), loads);
        QCOMPARE(macroLog().filter(QStringLiteral("KV_Starten")).size(), 1);
    }

    // --- NewLayout

    void newLayout_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QString>("item");
        QTest::addColumn<int>("cmd");
        QTest::addColumn<QString>("drawing"); // where the layout appears
        QTest::newRow("drawing node: made active first") << "Plan2.dwg"
                                                         << "" << int(Cmd::mnuCreate) << kPlan2;
        QTest::newRow("drawings root: the list's drawing") << "A"
                                                           << "Plan2.dwg" << int(Cmd::tbLayout) << kPlan2;
        QTest::newRow("layout node: the active drawing") << "B1"
                                                         << "" << int(Cmd::mnuCreate) << kPlan1;
        QTest::newRow("library: the active drawing") << "B"
                                                     << "" << int(Cmd::tbLayout) << kPlan1;
    }
    void newLayout()
    {
        QFETCH(QString, node);
        QFETCH(QString, item);
        QFETCH(int, cmd);
        QFETCH(QString, drawing);
        o->select(node.size() == 1 ? node : o->nodeKey(node));
        if (!item.isEmpty())
            o->selectItems({item});
        const QStringList before1 = o->layoutNames(kPlan1);
        const QStringList before2 = o->layoutNames(kPlan2);
        const int fronts = o->h.cad.host->bringToFrontCalls;
        QVERIFY(o->trigger(Cmd(cmd)));
        QCOMPARE(o->activePath(), drawing);
        QCOMPARE(o->program().Connection.ActiveDoc, o->docId(drawing));
        QCOMPARE(o->layoutNames(kPlan1).size() - before1.size(), drawing == kPlan1 ? 1 : 0);
        QCOMPARE(o->layoutNames(kPlan2).size() - before2.size(), drawing == kPlan2 ? 1 : 0);
        // Once by the macro runner, once at the end.
        QCOMPARE(o->h.cad.host->bringToFrontCalls - fronts, 2);
        // The watch brings the tree in line.
        const QString created = o->layoutNames(drawing).constLast();
        QVERIFY(o->nodeKey(created).isEmpty());
        QVERIFY(o->watch());
        QVERIFY(!o->nodeKey(created, drawing.mid(3)).isEmpty());
    }

    void newLayoutNoDocument()
    {
        o->select(o->nodeKey(QStringLiteral("Plan2.dwg")));
        o->h.cad.engine->closeDocument(o->docId(kPlan1), false);
        o->h.cad.engine->closeDocument(o->docId(kPlan2), false);
        const int fronts = o->h.cad.host->bringToFrontCalls;
        QVERIFY(o->trigger(Cmd::mnuCreate));
        QCOMPARE(o->h.cad.host->bringToFrontCalls - fronts, 1);
        QVERIFY(macroLog().isEmpty());
    }

    // The tree is out of date: the layout must not land in another drawing.
    void newLayoutDrawingGone()
    {
        o->select(o->nodeKey(QStringLiteral("Plan2.dwg")));
        o->h.cad.engine->closeDocument(o->docId(kPlan2), false);
        const QStringList before = o->layoutNames(kPlan1);
        o->h.boxes.expect(platform::vbOK, kPlan2 + QStringLiteral(" ist nicht mehr geladen!"));
        QVERIFY(o->trigger(Cmd::mnuCreate));
        QCOMPARE(o->layoutNames(kPlan1), before);
        QVERIFY(macroLog().isEmpty());
        QVERIFY(o->nodeKey(QStringLiteral("Plan2.dwg")).isEmpty());
    }

    void newLayoutNothingSelected()
    {
        o->select(QStringLiteral("A"));
        o->selectItems({});
        o->h.boxes.expect(platform::vbOK, QStringLiteral("Keine Zeichnung ausgewählt!"));
        QVERIFY(o->trigger(Cmd::mnuCreate));
        QCOMPARE(o->h.boxes.count(), 1);
        QVERIFY(macroLog().isEmpty());
    }

    // --- DeleteLayouts

    void deleteLayouts_data()
    {
        QTest::addColumn<QString>("node");      // the tree's selection
        QTest::addColumn<QStringList>("items"); // chosen in the list
        QTest::addColumn<int>("cmd");
        QTest::addColumn<QString>("box");
        QTest::addColumn<QStringList>("left");
        const QStringList all = {"B1", "B2", "B3"};
        QTest::newRow("all three: refused") << "Plan2.dwg" << all << int(Cmd::mnuFileDelete) << kRefusal
                                            << QStringList{"Model", "B1", "B2", "B3"};
        QTest::newRow("two of three, in model space")
            << "Plan2.dwg" << QStringList{"B3", "B1"} << int(Cmd::mnuFileDelete) << ""
            << QStringList{"Model", "B2"};
        QTest::newRow("one in the list, toolbar") << "Plan2.dwg" << QStringList{"B2"} << int(Cmd::tbDelete)
                                                  << "" << QStringList{"Model", "B1", "B3"};
        QTest::newRow("a layout node")
            << "B3" << QStringList{} << int(Cmd::mnuFileDelete) << "" << QStringList{"Model", "B1", "B2"};
    }
    void deleteLayouts()
    {
        QFETCH(QString, node);
        QFETCH(QStringList, items);
        QFETCH(int, cmd);
        QFETCH(QString, box);
        QFETCH(QStringList, left);
        o->select(o->nodeKey(node));
        o->selectItems(items);
        if (!box.isEmpty())
            o->h.boxes.expect(platform::vbOK, box);
        QVERIFY(o->trigger(Cmd(cmd)));
        QCOMPARE(o->layoutNames(kPlan2), left);
        if (!box.isEmpty()) {
            QCOMPARE(o->h.boxes.boxes().constFirst().icon(), int(platform::vbExclamation));
            QCOMPARE(o->activePath(), kPlan1);
            return;
        }
        QCOMPARE(o->activePath(), kPlan2);
        QVERIFY(o->watch());
        QCOMPARE(o->tree()->childCount(o->nodeKey(QStringLiteral("Plan2.dwg"))), left.size() - 1);
    }

    // Deleting asks first, naming the count and the first names, "Nein" the default; the user's
    // setting turns the question off.
    void deleteAsksFirst_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<bool>("ask");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("question");
        QTest::addColumn<QStringList>("left");
        const QStringList all = {"Model", "B1", "B2", "B3"};
        QTest::newRow("a layout node, Nein")
            << "B3" << QStringList{} << true << int(platform::vbNo) << "Layout „B3“ löschen?" << all;
        QTest::newRow("two in the list, Nein") << "Plan2.dwg" << QStringList{"B1", "B3"} << true
                                               << int(platform::vbNo) << "2 Layouts löschen? B1, B3" << all;
        QTest::newRow("two in the list, Ja")
            << "Plan2.dwg" << QStringList{"B1", "B3"} << true << int(platform::vbYes)
            << "2 Layouts löschen? B1, B3" << QStringList{"Model", "B2"};
        QTest::newRow("question turned off")
            << "B3" << QStringList{} << false << 0 << "" << QStringList{"Model", "B1", "B2"};
    }
    void deleteAsksFirst()
    {
        QFETCH(QString, node);
        QFETCH(QStringList, items);
        QFETCH(bool, ask);
        QFETCH(int, answer);
        QFETCH(QString, question);
        QFETCH(QStringList, left);
        explorer::viewsettings::setAskDeleteLayouts(ask);
        o->select(o->nodeKey(node));
        o->selectItems(items);
        if (ask)
            o->h.boxes.expect(platform::MsgBoxResult(answer), question);
        QVERIFY(o->trigger(Cmd::mnuFileDelete));
        QCOMPARE(o->layoutNames(kPlan2), left);
        QCOMPARE(o->h.boxes.count(), ask ? 1 : 0);
        if (!ask)
            return;
        const testsupport::RecordedBox& box = o->h.boxes.boxes().constFirst();
        QCOMPARE(box.text, question);
        QCOMPARE(box.icon(), int(platform::vbQuestion));
        QCOMPARE(box.buttons(), int(platform::vbYesNo));
        QCOMPARE(box.defaultButton(), int(platform::vbDefaultButton2));
        // "Nein" leaves the CAD program as it was: no macro ran, the other drawing stays active.
        if (answer == platform::vbNo) {
            QVERIFY(macroLog().isEmpty());
            QCOMPARE(o->activePath(), kPlan1);
        }
    }

    // Many layouts: the first names, then "…".
    void deleteQuestionText_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("question");
        QTest::newRow("one") << QStringList{"Plan 1"} << "Layout „Plan 1“ löschen?";
        QTest::newRow("three") << QStringList{"Plan 1", "Plan 2", "Plan 3"}
                               << "3 Layouts löschen? Plan 1, Plan 2, Plan 3";
        QTest::newRow("five, all named")
            << QStringList{"a", "b", "c", "d", "e"} << "5 Layouts löschen? a, b, c, d, e";
        QTest::newRow("seven") << QStringList{"a", "b", "c", "d", "e", "f", "g"}
                               << "7 Layouts löschen? a, b, c, d, e, …";
    }
    void deleteQuestionText()
    {
        QFETCH(QStringList, names);
        QTEST(basKvarto::LoeschenFrage(names), "question");
    }

    // Nothing is left unselected: also a list without items. The menu entry is off for these, the
    // operation refuses all the same.
    void deleteWithNothingLeft_data()
    {
        QTest::addColumn<bool>("emptyList");
        QTest::newRow("the only layout chosen") << false;
        QTest::newRow("an empty list") << true;
    }
    void deleteWithNothingLeft()
    {
        QFETCH(bool, emptyList);
        o->h.cad.open(QStringLiteral("/p/Einzeln.dwg"), {QStringLiteral("E1")});
        o->views().FillTreeView();
        o->select(o->nodeKey(QStringLiteral("Einzeln.dwg")));
        if (emptyList)
            o->list()->clearItems();
        else
            o->selectItems({QStringLiteral("E1")});
        QVERIFY(!o->window()->commands()->action(Cmd::mnuFileDelete)->isEnabled());
        o->h.boxes.expect(platform::vbOK, kRefusal);
        o->program().Commands->Kvarto->DeleteLayouts();
        QVERIFY(macroLog().isEmpty());
        QCOMPARE(o->layoutNames(QStringLiteral("/p/Einzeln.dwg")), QStringList({"Model", "E1"}));
    }

    void deleteFailures_data()
    {
        QTest::addColumn<QString>("gone");
        QTest::addColumn<bool>("projectThere");
        QTest::addColumn<QString>("box");
        QTest::newRow("layout gone meanwhile")
            << "B2" << true << kPlan2 + QStringLiteral(";B2 ist nicht mehr vorhanden!");
        QTest::newRow("drawing gone meanwhile")
            << "" << true << kPlan2 + QStringLiteral(" ist nicht mehr geladen!");
        QTest::newRow("macro project missing: told once") << "-" << false << kCallKv;
    }
    void deleteFailures()
    {
        QFETCH(QString, gone);
        QFETCH(bool, projectThere);
        QFETCH(QString, box);
        o->select(o->nodeKey(QStringLiteral("Plan2.dwg")));
        o->selectItems({QStringLiteral("B2"), QStringLiteral("B3")});
        const acad::DocumentSnapshot doc = o->document(kPlan2);
        if (gone.isEmpty())
            o->h.cad.engine->closeDocument(doc.ref.id, false);
        else if (gone != QLatin1String("-"))
            o->h.cad.engine->setLayoutName(doc.ref.id, doc.layouts.at(2).id, QStringLiteral("Anders"));
        basKvarto::Kvarto kvarto(o->program().Connection, o->views(), *o->window(),
                                 projectThere ? platform::programFolder() : emptyFolder.path());
        o->h.boxes.expect(platform::vbOK, box);
        kvarto.DeleteLayouts();
        QCOMPARE(o->h.boxes.count(), 1);
        QVERIFY(macroLog().filter(QStringLiteral("gelöscht")).isEmpty());
        if (!gone.isEmpty())
            QCOMPARE(o->layoutNames(kPlan2).size(), 4);
    }
};

QTEST_MAIN(TestBasKvarto)
#include "tst_basKvarto.moc"
