#include "MsgBoxRecorder.h"
#include "WindowTestSupport.h"

#include <QTableView>
#include <QtTest>
#include <explorer/basViewControls.h>
#include <explorer/controls/TreeControl.h>
#include <explorer/frmMain.h>
#include <operations/Commands.h>
#include <operations/frmBlattliste.h>
#include <startup/basMain.h>

namespace {

// Every call that reaches the CAD program: the lookup and the automation calls.
int busCalls(const CadFixture& cad)
{
    return cad.lookups + cad.host->calls;
}

} // namespace

class TestCheckAutoCAD : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WindowHarness> h;

    explorer::TreeControl* tree() const
    {
        return h->session.window()->findChild<explorer::TreeControl*>(QStringLiteral("tvTreeViewControl"));
    }
    // The refreshes so far: each reads every drawing in one call.
    int refreshes() const { return h->cad.host->callsOf("documentSnapshots"); }

    void tick(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            h->session.program().CheckAutoCAD();
    }

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void init()
    {
        h = std::make_unique<WindowHarness>();
        h->cad.open(QStringLiteral("/p/Plan.dwg"), {QStringLiteral("A1"), QStringLiteral("A2")});
        QVERIFY(h->session.start());
        // The timer stays out of the way; the ticks are driven by hand.
        h->session.window()->ctlTimer()->stop();
    }
    void cleanup() { h.reset(); }

    void inFrontNothingHappens()
    {
        QCOMPARE(h->session.program().ForegroundSeen, qint16(1));
        QVERIFY(h->session.program().MainWindowInFront());
        const int before = busCalls(h->cad);
        const qint32 counter = h->session.window()->views().State.NodeNummer;
        tick(20);
        QCOMPARE(busCalls(h->cad) - before, 0);
        QCOMPARE(h->session.window()->views().State.NodeNummer, counter);
        QVERIFY(h->boxes.count() == 0);
    }

    // The window's own timer drives the watch: in front it costs nothing, a return refreshes once.
    void theRealTimerRefreshesOnReturnOnly()
    {
        h->session.window()->ctlTimer()->start();
        const int before = busCalls(h->cad);
        QTest::qWait(1600);
        QCOMPARE(busCalls(h->cad) - before, 0);
        QVERIFY(h->session.leave());
        h->cad.open(QStringLiteral("/p/Neu.dwg"), {QStringLiteral("B1")});
        QTRY_COMPARE(h->session.program().ForegroundSeen, qint16(0));
        QCOMPARE(tree()->childCount(QStringLiteral("A")), 1);
        const int refreshesBefore = refreshes();
        QVERIFY(h->session.activate());
        QTRY_COMPARE(tree()->childCount(QStringLiteral("A")), 2);
        QTest::qWait(1600);
        QCOMPARE(refreshes() - refreshesBefore, 1);
    }

    void comingBackRefreshesOnce()
    {
        QVERIFY(h->session.leave());
        const int before = busCalls(h->cad);
        tick(3);
        QCOMPARE(h->session.program().ForegroundSeen, qint16(0));
        QCOMPARE(busCalls(h->cad) - before, 0);
        // Meanwhile a drawing is opened in the CAD program.
        h->cad.open(QStringLiteral("/p/Neu.dwg"), {QStringLiteral("B1")});
        QVERIFY(h->session.activate());
        tick();
        QCOMPARE(h->session.program().ForegroundSeen, qint16(1));
        QVERIFY(busCalls(h->cad) > before);
        QCOMPARE(tree()->childCount(QStringLiteral("A")), 2);
        const int afterRefresh = busCalls(h->cad);
        tick(10);
        QCOMPARE(busCalls(h->cad), afterRefresh);
    }

    // The open sheet list follows the watch: it is read anew when the main window comes back and when
    // it comes back itself; going from the list to the main window and back reads nothing twice.
    void sheetListFollowsTheWatch_data()
    {
        QTest::addColumn<bool>("backToList");
        QTest::newRow("back to the main window") << false;
        QTest::newRow("back to the sheet list") << true;
    }
    void sheetListFollowsTheWatch()
    {
        QFETCH(bool, backToList);
        basMain::Program& program = h->session.program();
        h->session.window()->commands()->action(explorer::Cmd::mnuBlattliste)->trigger();
        QVERIFY(program.Commands->Blattliste);
        frmBlattliste* list = program.Commands->Blattliste.get();
        QVERIFY(QTest::qWaitForWindowActive(list));
        const QAbstractItemModel* rows = list->tblBlaetter->model();
        QCOMPARE(rows->rowCount(), 2);
        h->session.window()->ctlTimer()->start();
        QVERIFY(h->session.leave());
        QTest::qWait(700);
        h->cad.open(QStringLiteral("/p/Neu.dwg"), {QStringLiteral("B1")});
        QCOMPARE(rows->rowCount(), 2);
        if (backToList) {
            list->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(list));
        } else {
            QVERIFY(h->session.activate());
        }
        QTRY_COMPARE(rows->rowCount(), 3);
        QVERIFY(h->boxes.count() == 0);
    }

    // F5 in the window, with the window in front all along: the watch would not refresh, the key
    // does, once, with the watch's own timer running beside it.
    void f5RefreshesExactlyOnce()
    {
        h->session.window()->ctlTimer()->start();
        h->cad.open(QStringLiteral("/p/Neu.dwg"), {QStringLiteral("B1")});
        QTest::qWait(1200);
        QCOMPARE(tree()->childCount(QStringLiteral("A")), 1);
        const int before = refreshes();
        QTest::keyClick(h->session.window(), Qt::Key_F5);
        QCOMPARE(tree()->childCount(QStringLiteral("A")), 2);
        QTest::qWait(1200);
        QCOMPARE(refreshes() - before, 1);
        QCOMPARE(h->session.program().ForegroundSeen, qint16(1));
        QVERIFY(h->boxes.count() == 0);
    }

    // The key's refresh is the watch's: a host that has gone gets the start prompt, and No ends.
    void f5NoticesALostHost()
    {
        h->cad.running = false;
        h->cad.host->gone = true;
        h->boxes.expect(platform::vbNo);
        QTest::keyClick(h->session.window(), Qt::Key_F5);
        QCOMPARE(h->boxes.count(), 1);
        QCOMPARE(h->boxes.boxes()[0].text,
                 QStringLiteral("Soll AutoCAD gestartet werden? Mit 'Nein' wird der Blattwart geschlossen!"));
        QCOMPARE(h->session.endings, 1);
    }

    void lostHostNoticedOnReturn_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("endings");
        QTest::addColumn<int>("creates");
        QTest::newRow("No ends the program") << int(platform::vbNo) << 1 << 0;
        QTest::newRow("Yes starts the CAD program again") << int(platform::vbYes) << 0 << 1;
    }
    void lostHostNoticedOnReturn()
    {
        QFETCH(int, answer);
        // The CAD program quits while Blattwart is in front: nothing happens yet.
        h->cad.running = false;
        h->cad.host->gone = true;
        tick(5);
        QVERIFY(h->boxes.count() == 0);
        QCOMPARE(tree()->childCount(QStringLiteral("A")), 1);
        QVERIFY(h->session.leave());
        tick();
        QVERIFY(h->session.activate());
        h->boxes.expect(platform::MsgBoxResult(answer));
        tick();
        QCOMPARE(h->boxes.count(), 1);
        QCOMPARE(h->boxes.boxes()[0].text,
                 QStringLiteral("Soll AutoCAD gestartet werden? Mit 'Nein' wird der Blattwart geschlossen!"));
        QCOMPARE(h->boxes.boxes()[0].style, int(platform::vbYesNo | platform::vbQuestion));
        QCOMPARE(h->boxes.boxes()[0].title,
                 QStringLiteral("Blattwart für AutoCAD 2007: AutoCAD ist nicht aktiv!"));
        QTEST(h->session.endings, "endings");
        QTEST(h->cad.creates, "creates");
        if (answer == platform::vbYes) {
            QVERIFY(h->session.program().Connection.AcadApp);
            QCOMPARE(tree()->text(QStringLiteral("A")), QStringLiteral("Geladene Zeichnungen"));
            QCOMPARE(h->session.program().ForegroundSeen, qint16(1));
            // No second prompt on the following ticks.
            tick(3);
            QCOMPARE(h->boxes.count(), 1);
        }
    }

    void hostGoneWithoutAnswerShowsPlaceholder()
    {
        h->cad.running = false;
        h->cad.creatable = false;
        h->cad.host->gone = true;
        QVERIFY(h->session.leave());
        tick();
        QVERIFY(h->session.activate());
        h->boxes.expect(platform::vbYes);
        h->boxes.expect(platform::vbOK);
        tick();
        // The prompt, then the failed start's own message; the tree shows the placeholder.
        QCOMPARE(h->boxes.count(), 2);
        QVERIFY(!h->session.program().Connection.AcadApp);
        QCOMPARE(tree()->text(QStringLiteral("A")), QStringLiteral("AutoCAD nicht aktiv!"));
        QCOMPARE(tree()->childCount(QStringLiteral("A")), 0);
    }
};

QTEST_MAIN(TestCheckAutoCAD)
#include "tst_CheckAutoCAD.moc"
