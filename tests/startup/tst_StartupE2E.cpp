// Blattwart's start against a real cadhost on a private session bus.
#include "MsgBoxRecorder.h"
#include "PrivateBus.h"
#include "WindowTestSupport.h"

#include <QSignalSpy>
#include <QtTest>
#include <acad/BusConnector.h>
#include <acad/BusNames.h>
#include <explorer/controls/TreeControl.h>
#include <explorer/frmMain.h>
#include <startup/SingleInstance.h>
#include <startup/basAutoCAD.h>
#include <startup/basMain.h>

namespace {

const QString kPrompt = QStringLiteral("Soll AutoCAD gestartet werden?");

QString hostName()
{
    return acad::bus::busNameForProgId(acad::kAcadProgId);
}

} // namespace

class TestStartupE2E : public QObject
{
    Q_OBJECT

private:
    PrivateBus bus;
    std::unique_ptr<acad::BusConnector> connector;
    std::unique_ptr<testsupport::MsgBoxRecorder> boxes;
    int endings = 0;

    bool startBlattwart()
    {
        if (!basMain::Main())
            return false;
        basMain::MainForm->ctlTimer()->stop();
        basMain::MainForm->activateWindow();
        return QTest::qWaitForWindowActive(basMain::MainForm);
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
        boxes = std::make_unique<testsupport::MsgBoxRecorder>();
        basAutoCAD::setConnector(connector.get());
        endings = 0;
        basMain::EndProgram = [this] { ++endings; };
    }
    void cleanup()
    {
        if (basMain::MainForm)
            basMain::MainForm->close();
        basMain::Shutdown();
        basAutoCAD::AcadApp.reset();
        basAutoCAD::ActiveDoc = 0;
        basAutoCAD::setConnector(nullptr);
        bus.stopHost();
        bus.killOwnerOf(hostName());
        QTRY_VERIFY(!bus.hasOwner(hostName()));
        QVERIFY2(!boxes->unexpected(), qPrintable(boxes->failures()));
        boxes.reset();
    }

    void noHostAnsweredNo()
    {
        boxes->expect(platform::vbNo, kPrompt);
        QVERIFY(!basMain::Main());
        QVERIFY(!basMain::MainForm);
        QVERIFY(!userSettingsExist());
        QVERIFY(!bus.hasOwner(hostName()));
        QVERIFY(!bus.hasOwner(SingleInstance::kServiceName));
    }

    void noHostAnsweredYes()
    {
        boxes->expect(platform::vbYes, kPrompt);
        QVERIFY(startBlattwart());
        QVERIFY(bus.hasOwner(hostName()));
        QVERIFY(basAutoCAD::AcadApp);
        QCOMPARE(basMain::MainForm->tvTreeView()->text(QStringLiteral("A")),
                 QStringLiteral("Geladene Zeichnungen"));
        QCOMPARE(basMain::MainForm->panelText(1), QStringLiteral("Keine aktive AutoCAD-Zeichnung !"));
    }

    void secondInstanceHandsOver()
    {
        QVERIFY(bus.startHost());
        QVERIFY(startBlattwart());
        QVERIFY(boxes->count() == 0);
        basMain::MainForm->showMinimized();
        QTRY_VERIFY(basMain::MainForm->isMinimized());
        QProcess second;
        second.setProgram(QDir(qEnvironmentVariable("BW_BIN_DIR")).filePath(QStringLiteral("blattwart")));
        QSignalSpy finished(&second, &QProcess::finished);
        second.start();
        // The first instance answers the hand-over from its event loop while the second waits.
        QVERIFY(finished.wait(20000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QTRY_VERIFY(!basMain::MainForm->isMinimized());
        QVERIFY(basMain::MainForm->isVisible());
        QVERIFY(bus.hasOwner(SingleInstance::kServiceName));
    }

    void hostQuitsAndComesBack()
    {
        QVERIFY(bus.startHost());
        QVERIFY(startBlattwart());
        QVERIFY(basAutoCAD::AcadApp);
        bus.stopHost();
        QTRY_VERIFY(!bus.hasOwner(hostName()));
        // In front nothing is noticed.
        basMain::CheckAutoCAD();
        QCOMPARE(boxes->count(), 0);
        // Away and back: the prompt, then a new host.
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        basMain::CheckAutoCAD();
        basMain::MainForm->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(basMain::MainForm));
        boxes->expect(platform::vbYes, kPrompt);
        basMain::CheckAutoCAD();
        QCOMPARE(boxes->count(), 1);
        QVERIFY(bus.hasOwner(hostName()));
        QVERIFY(basAutoCAD::AcadApp);
        QCOMPARE(basMain::MainForm->tvTreeView()->text(QStringLiteral("A")),
                 QStringLiteral("Geladene Zeichnungen"));
        QCOMPARE(basMain::ForegroundSeen, qint16(1));
        QCOMPARE(endings, 0);
    }
};

QTEST_MAIN(TestStartupE2E)
#include "tst_StartupE2E.moc"
