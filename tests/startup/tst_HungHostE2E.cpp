// Blattwart against a real cadhost that stops answering (SIGSTOP): each user action waits for the
// host at most once, reports once, and the next action asks the host again.
#include "MsgBoxRecorder.h"
#include "PrivateBus.h"
#include "WindowTestSupport.h"

#include <QElapsedTimer>
#include <QTreeWidget>
#include <QtTest>
#include <acad/BusConnector.h>
#include <acad/BusNames.h>
#include <csignal>
#include <explorer/basViewControls.h>
#include <explorer/controls/TreeControl.h>
#include <explorer/frmMain.h>
#include <startup/basMain.h>

namespace {

const QString kNotAnswering = QStringLiteral("Der CAD-Host antwortet nicht.");
// One call timeout, and a generous second for the rest of the action on a loaded machine.
constexpr qint64 kOneTimeoutBound = acad::bus::kCallTimeoutMs + 1500;

QString hostName()
{
    return acad::bus::busNameForProgId(acad::kAcadProgId);
}

} // namespace

class TestHungHostE2E : public QObject
{
    Q_OBJECT

private:
    PrivateBus bus;
    std::unique_ptr<acad::BusConnector> connector;
    std::unique_ptr<testsupport::MsgBoxRecorder> boxes;
    std::unique_ptr<basMain::Program> program;

    frmMain* window() const { return program->MainForm.get(); }
    QTreeWidget* treeWidget() const
    {
        return window()->findChild<QTreeWidget*>(QStringLiteral("tvTreeView"));
    }
    void signalHost(int signal)
    {
        if (bus.hostPid() > 0)
            ::kill(static_cast<pid_t>(bus.hostPid()), signal);
    }

    // Two new drawings in the host, then Blattwart started against it, in front, the watch stopped.
    bool startBlattwart()
    {
        const std::shared_ptr<acad::Host> host = connector->attach(acad::kAcadProgId);
        host->addDocument(QString());
        host->addDocument(QString());
        if (!program->Main())
            return false;
        window()->ctlTimer()->stop();
        window()->activateWindow();
        return QTest::qWaitForWindowActive(window());
    }
    // A click on a node while the host still answers.
    void selectNode(const QString& key)
    {
        window()->tvTreeView()->select(key);
        window()->views().TreeSelectionChanged();
        treeWidget()->setFocus();
    }
    // The first drawing node, found through the tree's own order.
    QString firstDrawingKey() const
    {
        return window()->tvTreeView()->childKeys(QStringLiteral("A")).value(0);
    }
    qint64 pressDown()
    {
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(treeWidget(), Qt::Key_Down);
        return timer.elapsed();
    }

private slots:
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        QVERIFY2(bus.start(), qPrintable(bus.errorString()));
        connector = std::make_unique<acad::BusConnector>();
    }
    void init()
    {
        clearUserSettings();
        boxes.reset();
        boxes = std::make_unique<testsupport::MsgBoxRecorder>();
        program = std::make_unique<basMain::Program>(*connector);
        program->EndProgram = [] {};
        // Each test is a user action of its own; the last one's host was stopped.
        connector->actionScope()->beginAction();
        QVERIFY(bus.startHost());
    }
    void cleanup()
    {
        signalHost(SIGCONT);
        if (program->MainForm)
            program->MainForm->close();
        program.reset();
        bus.stopHost();
        QTRY_VERIFY(!bus.hasOwner(hostName()));
        QVERIFY2(!boxes->unexpected(), qPrintable(boxes->failures()));
        boxes.reset();
    }

    // Down from the drawings root reaches a drawing (its document, the active drawing's path and
    // its current layout are asked for); from a drawing it reaches its first layout.
    void stoppedHostOneClickOneTimeout_data()
    {
        QTest::addColumn<bool>("fromDrawing");
        QTest::newRow("drawings root to a drawing") << false;
        QTest::newRow("drawing to its layout") << true;
    }
    void stoppedHostOneClickOneTimeout()
    {
        QFETCH(bool, fromDrawing);
        QVERIFY(startBlattwart());
        const QString start = fromDrawing ? firstDrawingKey() : QStringLiteral("A");
        selectNode(start);
        QCOMPARE(boxes->count(), 0);
        signalHost(SIGSTOP);
        boxes->allowAny();
        const qint64 elapsed = pressDown();
        QVERIFY2(elapsed < kOneTimeoutBound, qPrintable(QString::number(elapsed)));
        QVERIFY(window()->tvTreeView()->selectedKey() != start);
        QCOMPARE(boxes->count(), 1);
        QVERIFY2(boxes->texts().constFirst().contains(kNotAnswering), qPrintable(boxes->texts().join('|')));
    }

    // The host continues: the next click asks it again and works without a message.
    void continuedHostWorksAtTheNextClick()
    {
        QVERIFY(startBlattwart());
        selectNode(QStringLiteral("A"));
        signalHost(SIGSTOP);
        boxes->allowAny();
        pressDown();
        QCOMPARE(boxes->count(), 1);
        signalHost(SIGCONT);
        boxes->allowAny(false);
        QTest::keyClick(treeWidget(), Qt::Key_Up);
        QCOMPARE(window()->tvTreeView()->selectedKey(), QStringLiteral("A"));
        QCOMPARE(boxes->count(), 1);
        QTest::keyClick(treeWidget(), Qt::Key_Down);
        QCOMPARE(boxes->count(), 1);
        QVERIFY(window()->panelText(1).endsWith(QStringLiteral(".dwg")));
    }

    // The return to the window asks the host for everything anew: one action, one timeout.
    void stoppedHostOneTimeoutForTheReturn()
    {
        QVERIFY(startBlattwart());
        selectNode(firstDrawingKey());
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        program->CheckAutoCAD();
        window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window()));
        signalHost(SIGSTOP);
        boxes->allowAny();
        QElapsedTimer timer;
        timer.start();
        program->CheckAutoCAD();
        const qint64 elapsed = timer.elapsed();
        QVERIFY2(elapsed < kOneTimeoutBound, qPrintable(QString::number(elapsed)));
        QCOMPARE(boxes->count(), 1);
        QCOMPARE(boxes->texts().constFirst(),
                 QStringLiteral("Geladene AutoCAD-Zeichnungen können nicht ermittelt werden!\n") +
                     kNotAnswering);
    }

    // A start with a stopped host waits once, then shows the window.
    void stoppedHostStartWaitsOnce()
    {
        const std::shared_ptr<acad::Host> host = connector->attach(acad::kAcadProgId);
        host->addDocument(QString());
        signalHost(SIGSTOP);
        boxes->allowAny();
        QElapsedTimer timer;
        timer.start();
        QVERIFY(program->Main());
        const qint64 elapsed = timer.elapsed();
        window()->ctlTimer()->stop();
        QVERIFY2(elapsed < kOneTimeoutBound, qPrintable(QString::number(elapsed)));
        QVERIFY(window()->isVisible());
        QCOMPARE(boxes->count(), 1);
    }
};

QTEST_MAIN(TestHungHostE2E)
#include "tst_HungHostE2E.moc"
