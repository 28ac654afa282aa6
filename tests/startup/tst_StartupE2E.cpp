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
    std::unique_ptr<basMain::Program> program;
    int endings = 0;

    bool startBlattwart()
    {
        if (!program->Main())
            return false;
        program->MainForm->ctlTimer()->stop();
        program->MainForm->activateWindow();
        return QTest::qWaitForWindowActive(program->MainForm.get());
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
        endings = 0;
        program = std::make_unique<basMain::Program>(*connector);
        program->EndProgram = [this] { ++endings; };
    }
    void cleanup()
    {
        if (program->MainForm)
            program->MainForm->close();
        program.reset();
        bus.stopHost();
        bus.killOwnerOf(hostName());
        QTRY_VERIFY(!bus.hasOwner(hostName()));
        QVERIFY2(!boxes->unexpected(), qPrintable(boxes->failures()));
        boxes.reset();
    }

    void noHostAnsweredNo()
    {
        boxes->expect(platform::vbNo, kPrompt);
        QVERIFY(!program->Main());
        QVERIFY(!program->MainForm);
        QVERIFY(!userSettingsExist());
        QVERIFY(!bus.hasOwner(hostName()));
        QVERIFY(!bus.hasOwner(SingleInstance::kServiceName));
    }

    void noHostAnsweredYes()
    {
        boxes->expect(platform::vbYes, kPrompt);
        QVERIFY(startBlattwart());
        QVERIFY(bus.hasOwner(hostName()));
        QVERIFY(program->Connection.AcadApp);
        QCOMPARE(program->MainForm->tvTreeView()->text(QStringLiteral("A")),
                 QStringLiteral("Geladene Zeichnungen"));
        QCOMPARE(program->MainForm->panelText(1), QStringLiteral("Keine aktive AutoCAD-Zeichnung !"));
    }

    void secondInstanceHandsOver()
    {
        QVERIFY(bus.startHost());
        QVERIFY(startBlattwart());
        QVERIFY(boxes->count() == 0);
        program->MainForm->showMinimized();
        QTRY_VERIFY(program->MainForm->isMinimized());
        QProcess second;
        second.setProgram(QDir(qEnvironmentVariable("BW_BIN_DIR")).filePath(QStringLiteral("blattwart")));
        QSignalSpy finished(&second, &QProcess::finished);
        second.start();
        // The first instance answers the hand-over from its event loop while the second waits.
        QVERIFY(finished.wait(20000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QTRY_VERIFY(!program->MainForm->isMinimized());
        QVERIFY(program->MainForm->isVisible());
        QVERIFY(bus.hasOwner(SingleInstance::kServiceName));
    }

    void hostQuitsAndComesBack()
    {
        QVERIFY(bus.startHost());
        QVERIFY(startBlattwart());
        QVERIFY(program->Connection.AcadApp);
        bus.stopHost();
        QTRY_VERIFY(!bus.hasOwner(hostName()));
        // In front nothing is noticed.
        program->CheckAutoCAD();
        QCOMPARE(boxes->count(), 0);
        // Away and back: the prompt, then a new host.
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        program->CheckAutoCAD();
        program->MainForm->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(program->MainForm.get()));
        boxes->expect(platform::vbYes, kPrompt);
        program->CheckAutoCAD();
        QCOMPARE(boxes->count(), 1);
        QVERIFY(bus.hasOwner(hostName()));
        QVERIFY(program->Connection.AcadApp);
        QCOMPARE(program->MainForm->tvTreeView()->text(QStringLiteral("A")),
                 QStringLiteral("Geladene Zeichnungen"));
        QCOMPARE(program->ForegroundSeen, qint16(1));
        QCOMPARE(endings, 0);
    }
};

QTEST_MAIN(TestStartupE2E)
#include "tst_StartupE2E.moc"
