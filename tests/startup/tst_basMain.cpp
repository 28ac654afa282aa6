#include "MsgBoxRecorder.h"
#include "WindowTestSupport.h"

#include <QLabel>
#include <QtTest>
#include <explorer/basViewControls.h>
#include <explorer/controls/ListControl.h>
#include <explorer/controls/TreeControl.h>
#include <explorer/frmMain.h>
#include <startup/basMain.h>

class TestBasMain : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WindowHarness> h;

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void init() { h = std::make_unique<WindowHarness>(); }
    void cleanup() { h.reset(); }

    void startPrompt_data()
    {
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("started");
        QTest::addColumn<int>("creates");
        QTest::newRow("No: no window, nothing written") << int(platform::vbNo) << false << 0;
        QTest::newRow("Yes: the CAD program is started") << int(platform::vbYes) << true << 1;
    }
    void startPrompt()
    {
        QFETCH(int, answer);
        QFETCH(bool, started);
        h->cad.running = false;
        h->boxes.expect(platform::MsgBoxResult(answer));
        QCOMPARE(h->session.program().Main(), started);
        QCOMPARE(h->boxes.count(), 1);
        QCOMPARE(h->boxes.boxes()[0].text,
                 QStringLiteral("Soll AutoCAD gestartet werden? Mit 'Nein' wird der Blattwart geschlossen!"));
        QCOMPARE(h->boxes.boxes()[0].style, 36);
        QCOMPARE(h->boxes.boxes()[0].title,
                 QStringLiteral("Blattwart für AutoCAD 2007: AutoCAD ist nicht aktiv!"));
        QTEST(h->cad.creates, "creates");
        QCOMPARE(h->session.window() != nullptr, started);
        if (started) {
            QVERIFY(h->session.window()->isVisible());
            QVERIFY(h->session.program().Connection.AcadApp);
            QVERIFY(h->cad.engine->isVisible());
            QCOMPARE(h->session.program().ForegroundSeen, qint16(1));
        } else {
            QVERIFY(!userSettingsExist());
        }
    }

    void noPromptWhileTheHostRuns()
    {
        h->cad.open(QStringLiteral("/p/Plan.dwg"), {QStringLiteral("A1"), QStringLiteral("A2")});
        QVERIFY(h->session.start());
        QVERIFY(h->boxes.count() == 0);
        QCOMPARE(h->cad.creates, 0);
        explorer::TreeControl* tree = h->session.window()->tvTreeView();
        QCOMPARE(tree->rootKeys(), (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
        // The active layout of the active drawing is selected, its details fill the list.
        QCOMPARE(tree->childCount(QStringLiteral("Z1")), 2);
        QCOMPARE(tree->selectedKey(), QStringLiteral("L2"));
        QCOMPARE(h->session.window()->views().State.SelectedNodeType, explorer::NodeKind::Layout);
        QCOMPARE(h->session.window()->lblTitle(1)->text(), QStringLiteral("Layout-Details:"));
        QCOMPARE(h->session.window()->lvListView()->view(), 3);
    }

    void failedStartGoesOnWithoutHost()
    {
        h->cad.running = false;
        h->cad.creatable = false;
        h->boxes.expect(platform::vbYes);
        h->boxes.expect(platform::vbOK);
        QVERIFY(h->session.start());
        QCOMPARE(h->boxes.count(), 2);
        QVERIFY(!h->session.program().Connection.AcadApp);
        QCOMPARE(h->session.window()->tvTreeView()->text(QStringLiteral("A")),
                 QStringLiteral("AutoCAD nicht aktiv!"));
    }

    void handOverRestoresTheWindow()
    {
        QVERIFY(h->session.start());
        h->session.window()->showMinimized();
        QTRY_VERIFY(h->session.window()->isMinimized());
        h->session.window()->restoreAndRaise();
        QTRY_VERIFY(!h->session.window()->isMinimized());
        QVERIFY(h->session.window()->isVisible());
    }
};

QTEST_MAIN(TestBasMain)
#include "tst_basMain.moc"
