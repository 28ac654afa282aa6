// The drawing operations through the real program and its actions, against the in-process CAD program.
#include "OperationsHarness.h"

#include <QtTest>
#include <acad/Host.h>
#include <explorer/basViewControls.h>
#include <explorer/controls/ListControl.h>
#include <explorer/controls/TreeControl.h>
#include <explorer/frmMain.h>
#include <operations/Commands.h>
#include <operations/basDateien.h>
#include <operations/basDateienTargets.h>
#include <platform/ProgramFolder.h>
#include <records/CVorlage.h>

using explorer::Cmd;

namespace {

const QString kPlan1 = QStringLiteral("/p/Plan1.dwg");
const QString kPlan2 = QStringLiteral("/p/Plan2.dwg");
const QString kPlan3 = QStringLiteral("/p/Plan3.dwg");

// How a test reaches the operation.
enum class Via
{
    Menu,        // the action given
    DoubleClick, // a double click on the node
    Popup,       // the operation itself, as the list's popup entry calls it
};

} // namespace

Q_DECLARE_METATYPE(Via)

class TestBasDateien : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<OperationsHarness> o;

    // Plan1 is active with A1 current; Plan2 shows B1; Plan3 is in model space.
    void openPlans()
    {
        o->h.cad.open(kPlan3, {QStringLiteral("C1")}, QStringLiteral("Model"));
        o->h.cad.open(kPlan2, {QStringLiteral("B1"), QStringLiteral("B2")});
        o->h.cad.open(kPlan1, {QStringLiteral("A1"), QStringLiteral("A2")});
    }
    // Selects the tree node ("A" for the drawings root) and then the list item with itemText.
    void choose(const QString& node, const QString& parent, const QString& itemText)
    {
        o->select(node == QLatin1String("A") || node == QLatin1String("B") ? node : o->nodeKey(node, parent));
        if (!itemText.isEmpty())
            o->selectItems({itemText});
        // The rules look at the list's selected item as a refresh finds it.
        o->window()->VisbibleMnuMenu();
    }
    void makeModified(const QString& path)
    {
        const acad::DocumentSnapshot doc = o->document(path);
        o->h.cad.engine->setLayoutName(doc.ref.id, doc.layouts.at(1).id, QStringLiteral("Geändert"));
        QVERIFY(o->document(path).modified);
    }
    int refreshes() const { return o->h.cad.host->callsOf("documentSnapshots"); }
    QList<acad::DocId> documents() const
    {
        QList<acad::DocId> ids;
        for (const acad::DocumentRef& ref : o->h.cad.engine->application().documents)
            ids.append(ref.id);
        return ids;
    }

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void init()
    {
        o = std::make_unique<OperationsHarness>();
        openPlans();
        QVERIFY(o->start());
    }
    void cleanup()
    {
        QVERIFY2(!o->h.boxes.unexpected(), qPrintable(o->h.boxes.failures()));
        QVERIFY(o->h.boxes.scriptDone());
        o.reset();
    }

    // --- the matching document

    void matchingDocuments_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("matches");
        QTest::newRow("same path") << kPlan2 << true;
        QTest::newRow("only the case differs") << QStringLiteral("/P/PLAN2.DWG") << true;
        QTest::newRow("other folder") << QStringLiteral("/q/Plan2.dwg") << false;
        QTest::newRow("longer name") << QStringLiteral("/p/Plan2.dwg.bak") << false;
        QTest::newRow("name alone") << QStringLiteral("Plan2.dwg") << false;
    }
    void matchingDocuments()
    {
        QFETCH(QString, path);
        QFETCH(bool, matches);
        const QList<acad::DocId> found = basDateien::MatchingDocuments(*o->h.cad.engine, path);
        QCOMPARE(found, matches ? QList<acad::DocId>{o->docId(kPlan2)} : QList<acad::DocId>{});
    }

    // --- ActivateDrawing and ActivateSelectedNode

    void activate_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("item");
        QTest::addColumn<Via>("via");
        QTest::addColumn<int>("cmd");
        QTest::addColumn<int>("answer"); // 0: no question
        QTest::addColumn<QString>("active");
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QStringList>("bold");
        QTest::addColumn<int>("broughtToFront");
        const auto menu = int(Cmd::mnuDrawing);
        const QStringList plan1Bold = {QStringLiteral("A1"), QStringLiteral("Plan1.dwg")};
        QTest::newRow("other drawing from the menu: no question")
            << "Plan2.dwg"
            << ""
            << "" << Via::Menu << menu << 0 << kPlan2 << "B1" << QStringList{"B1", "Plan2.dwg"} << 1;
        QTest::newRow("the active drawing: nothing switches, marks redone")
            << "Plan1.dwg"
            << ""
            << "" << Via::Menu << menu << 0 << kPlan1 << "A1" << plan1Bold << 1;
        QTest::newRow("drawing in model space: only the drawing bold")
            << "Plan3.dwg"
            << ""
            << "" << Via::Menu << menu << 0 << kPlan3 << "Model" << QStringList{"Plan3.dwg"} << 1;
        QTest::newRow("list under the drawings root, toolbar Active")
            << "A"
            << ""
            << "Plan2.dwg" << Via::Menu << int(Cmd::tbActive) << 0 << kPlan2 << "B1"
            << QStringList{"B1", "Plan2.dwg"} << 1;
        QTest::newRow("double click on another drawing, Yes")
            << "Plan2.dwg"
            << ""
            << "" << Via::DoubleClick << 0 << int(platform::vbYes) << kPlan2 << "B1"
            << QStringList{"B1", "Plan2.dwg"} << 0;
        QTest::newRow("double click on another drawing, No: nothing changes")
            << "Plan2.dwg"
            << ""
            << "" << Via::DoubleClick << 0 << int(platform::vbNo) << kPlan1 << "A1" << plan1Bold << 0;
        QTest::newRow("double click on a layout of another drawing, Yes")
            << "B2"
            << "Plan2.dwg"
            << "" << Via::DoubleClick << 0 << int(platform::vbYes) << kPlan2 << "B2"
            << QStringList{"B2", "Plan2.dwg"} << 0;
        QTest::newRow("layout of another drawing from the menu, No: nothing changes")
            << "B2"
            << "Plan2.dwg"
            << "" << Via::Menu << int(Cmd::mnuActive) << int(platform::vbNo) << kPlan1 << "A1" << plan1Bold
            << 1;
        QTest::newRow("layout of the active drawing, toolbar Active: only the layout")
            << "A2"
            << "Plan1.dwg"
            << "" << Via::Menu << int(Cmd::tbActive) << 0 << kPlan1 << "A2" << QStringList{"A2", "Plan1.dwg"}
            << 1;
        QTest::newRow("layout chosen in the list of the active drawing")
            << "Plan1.dwg"
            << ""
            << "A2" << Via::Menu << int(Cmd::mnuActive) << 0 << kPlan1 << "A2"
            << QStringList{"A2", "Plan1.dwg"} << 1;
        QTest::newRow("layout chosen in the list of another drawing, Yes")
            << "Plan2.dwg"
            << ""
            << "B2" << Via::Menu << int(Cmd::mnuActive) << int(platform::vbYes) << kPlan2 << "B2"
            << QStringList{"B2", "Plan2.dwg"} << 1;
    }
    void activate()
    {
        QFETCH(QString, node);
        QFETCH(QString, parent);
        QFETCH(QString, item);
        QFETCH(Via, via);
        QFETCH(int, cmd);
        QFETCH(int, answer);
        QFETCH(QString, active);
        QFETCH(QString, layout);
        QFETCH(QStringList, bold);
        QFETCH(int, broughtToFront);
        choose(node, parent, item);
        if (answer != 0)
            o->h.boxes.expect(platform::MsgBoxResult(answer),
                              QStringLiteral(" zum aktiven Dokument machen?"));
        const int fronts = o->h.cad.host->bringToFrontCalls;
        if (via == Via::DoubleClick)
            o->doubleClick(o->tree()->selectedKey());
        else
            QVERIFY(o->trigger(Cmd(cmd)));
        QCOMPARE(o->activePath(), active);
        QCOMPARE(o->document(active).activeLayout, layout);
        QCOMPARE(o->boldNodes(), bold);
        QCOMPARE(o->h.cad.host->bringToFrontCalls - fronts, broughtToFront);
        if (answer != 0) {
            const testsupport::RecordedBox box = o->h.boxes.boxes().constFirst();
            QCOMPARE(box.icon(), int(platform::vbQuestion));
            QCOMPARE(box.buttons(), int(platform::vbYesNo));
            QCOMPARE(box.defaultButton(), int(platform::vbDefaultButton1));
            QCOMPARE(box.title, platform::programTitle());
            QVERIFY(box.text.startsWith(active == kPlan1 ? kPlan2 : active));
        }
    }

    // The drawing made current is expanded, so that its current layout shows in bold.
    void doubleClickExpandsTheDrawing()
    {
        const QString plan2 = o->nodeKey(QStringLiteral("Plan2.dwg"));
        o->tree()->setExpanded(plan2, false);
        o->h.boxes.expect(platform::vbYes, QStringLiteral(" zum aktiven Dokument machen?"));
        o->doubleClick(plan2);
        QCOMPARE(o->activePath(), kPlan2);
        QVERIFY(o->tree()->expanded(plan2));
    }

    void activatedListItemIsBold()
    {
        choose(QStringLiteral("Plan1.dwg"), QString(), QStringLiteral("A2"));
        QVERIFY(o->trigger(Cmd::mnuActive));
        for (const QString& key : o->list()->keys())
            QCOMPARE(o->list()->bold(key), o->list()->text(key) == QLatin1String("A2"));
    }

    // --- OpenVorlage

    void openVorlage_data()
    {
        QTest::addColumn<bool>("fromList");
        QTest::addColumn<Via>("via");
        QTest::addColumn<bool>("loaded");
        QTest::addColumn<int>("answer"); // 0: no question
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("opened");
        QTest::addColumn<bool>("refreshed");
        const int yes = int(platform::vbYes);
        const int no = int(platform::vbNo);
        QTest::newRow("menu, not loaded") << false << Via::Menu << false << 0 << "" << true << true;
        QTest::newRow("popup on the library's list")
            << true << Via::Popup << false << 0 << "" << true << true;
        QTest::newRow("menu, loaded: told so")
            << false << Via::Menu << true << 0 << " ist bereits geladen!" << false << true;
        QTest::newRow("double click, Yes")
            << false << Via::DoubleClick << false << yes << " öffnen?" << true << true;
        QTest::newRow("double click, No: no refresh")
            << false << Via::DoubleClick << false << no << " öffnen?" << false << false;
        QTest::newRow("double click, loaded: silent")
            << false << Via::DoubleClick << true << 0 << "" << false << true;
    }
    void openVorlage()
    {
        QFETCH(bool, fromList);
        QFETCH(Via, via);
        QFETCH(bool, loaded);
        QFETCH(int, answer);
        QFETCH(QString, box);
        QFETCH(bool, opened);
        QFETCH(bool, refreshed);
        QVERIFY(!o->views().Vorlagen.isEmpty());
        const CVorlage& vorlage = *o->views().Vorlagen.begin();
        o->h.cad.open(vorlage.Gesamt, {QStringLiteral("V1")});
        if (!loaded)
            o->h.cad.engine->closeDocument(o->docId(vorlage.Gesamt), false);
        o->views().FillTreeView();
        if (fromList) {
            o->select(QStringLiteral("B"));
            o->selectItems({vorlage.Datei});
        } else {
            o->select(explorer::keyOf(explorer::NodeKind::Template, vorlage.Nummer));
        }
        if (!box.isEmpty())
            o->h.boxes.expect(platform::MsgBoxResult(answer == 0 ? int(platform::vbOK) : answer), box);
        const QList<acad::DocId> before = documents();
        const int refreshesBefore = refreshes();
        if (via == Via::DoubleClick)
            o->doubleClick(o->tree()->selectedKey());
        else if (via == Via::Popup)
            o->program().Commands->Dateien->OpenVorlage(0);
        else
            QVERIFY(o->trigger(Cmd::mnuTemplateOpen));
        QCOMPARE(documents().size() - before.size(), opened ? 1 : 0);
        QCOMPARE(refreshes() > refreshesBefore, refreshed);
        if (opened) {
            QCOMPARE(o->activePath(), vorlage.Gesamt);
            QCOMPARE(o->program().Connection.ActiveDoc, o->docId(vorlage.Gesamt));
            QVERIFY(!o->nodeKey(vorlage.Datei, QStringLiteral("Geladene Zeichnungen")).isEmpty());
        }
        if (box.contains(QLatin1String("geladen")))
            QCOMPARE(o->h.boxes.boxes().constFirst().icon(), int(platform::vbInformation));
    }

    // --- OpenDrawingFile

    void openDrawingFile_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("box");
        QTest::addColumn<bool>("opened");
        QTest::newRow(".DXF") << "/p/Neu.DXF"
                              << "" << true;
        QTest::newRow(".dwg") << "/p/Neu.dwg"
                              << "" << true;
        QTest::newRow(".Dwt") << "/p/Neu.Dwt"
                              << "" << true;
        QTest::newRow(".dwf passed over") << "/p/Neu.dwf"
                                          << "" << false;
        QTest::newRow("no ending, name ends in dwg") << "/p/Neudwg"
                                                     << "" << false;
        QTest::newRow("folder ends in .dwg") << "/p.dwg/Neu"
                                             << "" << false;
        QTest::newRow("listed already, other case") << "/P/PLAN2.DWG"
                                                    << "/p/Plan2.dwg ist bereits geladen!" << false;
        QTest::newRow("missing: the host's error") << "/p/Fehlt.dwg"
                                                   << "Die Datei wurde nicht gefunden" << false;
    }
    void openDrawingFile()
    {
        QFETCH(QString, path);
        QFETCH(QString, box);
        QFETCH(bool, opened);
        if (!path.contains(QLatin1String("Fehlt")))
            o->h.cad.store->put(path, o->h.cad.store->load(kPlan1));
        if (!box.isEmpty())
            o->h.boxes.expect(platform::vbOK, box);
        const qsizetype before = documents().size();
        o->program().Commands->Dateien->OpenDrawingFile(path);
        QCOMPARE(documents().size() - before, opened ? 1 : 0);
        if (opened)
            QCOMPARE(o->program().Connection.ActiveDoc, o->h.cad.engine->application().activeDocument);
        if (!box.isEmpty())
            QCOMPARE(o->h.boxes.boxes().constFirst().title, platform::programTitle());
    }

    // --- CloseDrawing

    void close_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QString>("item");
        QTest::addColumn<bool>("modified");
        QTest::newRow("drawing node of another drawing") << "Plan2.dwg"
                                                         << "" << false;
        QTest::newRow("list under the drawings root") << "A"
                                                      << "Plan2.dwg" << false;
        QTest::newRow("modified: the host asks") << "Plan2.dwg"
                                                 << "" << true;
    }
    void close()
    {
        QFETCH(QString, node);
        QFETCH(QString, item);
        QFETCH(bool, modified);
        if (modified)
            makeModified(kPlan2);
        choose(node, QString(), item);
        const int fronts = o->h.cad.host->bringToFrontCalls;
        QVERIFY(o->trigger(Cmd::mnuFileClose));
        QCOMPARE(o->h.cad.host->sentCommands.constLast().toUtf8(), QByteArray("_Close\r"));
        QCOMPARE(o->h.cad.host->bringToFrontCalls - fronts, 1);
        QCOMPARE(o->activePath(), kPlan2);
        QCOMPARE(o->window()->panelText(1), kPlan2);
        if (modified) {
            QTRY_VERIFY(o->h.cad.engine->commandHistory().join('\n').contains(
                QStringLiteral("Änderungen speichern?")));
            o->runHost();
            QVERIFY(o->docId(kPlan2) != 0);
            return;
        }
        QTRY_COMPARE(o->docId(kPlan2), 0);
        QVERIFY(!o->nodeKey(QStringLiteral("Plan2.dwg")).isEmpty());
        QVERIFY(o->watch());
        QVERIFY(o->nodeKey(QStringLiteral("Plan2.dwg")).isEmpty());
    }

    // --- SaveDrawing

    void save_data()
    {
        QTest::addColumn<int>("cmd");
        QTest::addColumn<int>("answer"); // 0: no question
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QString>("active");
        QTest::newRow("in place, Yes") << int(Cmd::mnuSave) << int(platform::vbYes) << true << kPlan1;
        QTest::newRow("in place, No: nothing") << int(Cmd::mnuSave) << int(platform::vbNo) << false << kPlan1;
        QTest::newRow("save as: the host asks for the name") << int(Cmd::mnuSaveAS) << 0 << false << kPlan2;
    }
    void save()
    {
        QFETCH(int, cmd);
        QFETCH(int, answer);
        QFETCH(bool, saved);
        QFETCH(QString, active);
        makeModified(kPlan2);
        choose(QStringLiteral("Plan2.dwg"), QString(), QString());
        if (answer != 0)
            o->h.boxes.expect(platform::MsgBoxResult(answer), kPlan2 + QStringLiteral(" speichern?"));
        const int saves = o->h.cad.store->saveCount();
        const qsizetype sent = o->h.cad.host->sentCommands.size();
        QVERIFY(o->trigger(Cmd(cmd)));
        QCOMPARE(o->h.cad.store->saveCount() - saves, saved ? 1 : 0);
        QCOMPARE(o->document(kPlan2).modified, !saved);
        QCOMPARE(o->activePath(), active);
        if (Cmd(cmd) != Cmd::mnuSaveAS) {
            QCOMPARE(o->h.cad.host->sentCommands.size(), sent);
            return;
        }
        QCOMPARE(o->h.cad.host->sentCommands.constLast().toUtf8(), QByteArray("_saveas\r"));
        QTRY_VERIFY(
            o->h.cad.engine->commandHistory().constLast().startsWith(QStringLiteral("Zeichnungsdateiname")));
        o->h.cad.engine->sendCommand(o->docId(kPlan2), QStringLiteral("/p/Neu.dwg\r"));
        QTRY_VERIFY(o->h.cad.store->exists(QStringLiteral("/p/Neu.dwg")));
    }

    // --- SetModelSpace

    void modelSpace_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QString>("item");
        QTest::newRow("drawing node") << "Plan2.dwg"
                                      << "";
        QTest::newRow("list under the drawings root") << "A"
                                                      << "Plan2.dwg";
    }
    void modelSpace()
    {
        QFETCH(QString, node);
        QFETCH(QString, item);
        choose(node, QString(), item);
        QVERIFY(o->window()->commands()->action(Cmd::mnuModel)->isEnabled());
        const int refreshesBefore = refreshes();
        QVERIFY(o->trigger(Cmd::mnuModel));
        QCOMPARE(o->document(kPlan2).activeLayout, QStringLiteral("Model"));
        QCOMPARE(o->activePath(), kPlan1);
        QCOMPARE(o->document(kPlan1).activeLayout, QStringLiteral("A1"));
        QVERIFY(refreshes() > refreshesBefore);
        // The refresh applied the rules again: nothing left to switch.
        if (node != QLatin1String("A"))
            QVERIFY(!o->window()->commands()->action(Cmd::mnuModel)->isEnabled());
    }

    // --- a tree out of date: never another drawing

    void drawingGoneMeanwhile_data()
    {
        QTest::addColumn<int>("cmd");
        QTest::newRow("close") << int(Cmd::mnuFileClose);
        QTest::newRow("save") << int(Cmd::mnuSave);
        QTest::newRow("save as") << int(Cmd::mnuSaveAS);
        QTest::newRow("model space") << int(Cmd::mnuModel);
    }
    void drawingGoneMeanwhile()
    {
        QFETCH(int, cmd);
        makeModified(kPlan1);
        choose(QStringLiteral("Plan2.dwg"), QString(), QString());
        o->h.cad.engine->closeDocument(o->docId(kPlan2), false);
        o->h.boxes.expect(platform::vbOK, kPlan2 + QStringLiteral(" ist nicht mehr geladen!"));
        const qsizetype sent = o->h.cad.host->sentCommands.size();
        QVERIFY(o->trigger(Cmd(cmd)));
        QCOMPARE(o->h.cad.host->sentCommands.size(), sent);
        QCOMPARE(o->h.boxes.boxes().constFirst().icon(), int(platform::vbExclamation));
        QCOMPARE(o->activePath(), kPlan1);
        QVERIFY(o->document(kPlan1).modified);
        QCOMPARE(o->document(kPlan1).activeLayout, QStringLiteral("Geändert"));
        QVERIFY(o->nodeKey(QStringLiteral("Plan2.dwg")).isEmpty());
    }

    // --- failures of the CAD program

    void hostGone_data()
    {
        QTest::addColumn<int>("cmd");
        QTest::newRow("activate") << int(Cmd::mnuDrawing);
        QTest::newRow("close") << int(Cmd::mnuFileClose);
        QTest::newRow("save") << int(Cmd::mnuSave);
        QTest::newRow("save as") << int(Cmd::mnuSaveAS);
        QTest::newRow("model space") << int(Cmd::mnuModel);
    }
    void hostGone()
    {
        QFETCH(int, cmd);
        choose(QStringLiteral("Plan2.dwg"), QString(), QString());
        o->h.cad.host->gone = true;
        o->h.boxes.expect(platform::vbOK, QStringLiteral("Der Remoteprozeduraufruf ist fehlgeschlagen."));
        QVERIFY(o->trigger(Cmd(cmd)));
        const testsupport::RecordedBox box = o->h.boxes.boxes().constFirst();
        QCOMPARE(box.buttons(), int(platform::vbOKOnly));
        QCOMPARE(box.title, platform::programTitle());
    }
};

QTEST_MAIN(TestBasDateien)
#include "tst_basDateien.moc"
