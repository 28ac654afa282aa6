// Rendlo against a real cadhost on a private bus, reached through the bus connector as the rendlo
// program reaches it.
#include "MsgBoxRecorder.h"
#include "PrivateBus.h"

#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <RendloControl.h>
#include <acad/BusConnector.h>
#include <acad/BusNames.h>
#include <csignal>
#include <platform/ProgramFolder.h>

using testsupport::MsgBoxRecorder;

namespace {

const QString kBusName = acad::bus::busNameForProgId(acad::kAcadProgId);

} // namespace

class TestRendloE2E final : public QObject
{
    Q_OBJECT

private:
    PrivateBus m_bus;
    std::unique_ptr<acad::BusConnector> m_connector;

private slots:
    void initTestCase()
    {
        QVERIFY2(m_bus.start(), qPrintable(m_bus.errorString()));
        m_connector = std::make_unique<acad::BusConnector>(QDBusConnection::sessionBus());
        QFile::remove(qEnvironmentVariable("CADHOST_PROFILE"));
    }

    void cleanup()
    {
        m_bus.stopHost();
        m_bus.killOwnerOf(kBusName);
        QTRY_VERIFY(!m_bus.hasOwner(kBusName));
    }

    void attachesARunningHostAndLeavesItRunning()
    {
        QVERIFY2(m_bus.startHost(), qPrintable(m_bus.errorString()));
        MsgBoxRecorder boxes;
        RendloControl control(*m_connector);
        control.Activate();
        QVERIFY(control.isReady());
        QCOMPARE(control.host()->application().visible, false);
        control.cmdStart();

        auto host = m_connector->attach(acad::kAcadProgId);
        QCOMPARE(host->application().visible, true);
        QVERIFY(host->supportPath().endsWith(QLatin1Char(';') + platform::programFolder()));
        QCOMPARE(host->menuBar().last().name, QStringLiteral("KV&+"));
    }

    // The host owns its name but is stopped: attaching works, its first call times out.
    void hungHostIsToldApart()
    {
        QVERIFY2(m_bus.startHost(), qPrintable(m_bus.errorString()));
        QCOMPARE(::kill(static_cast<pid_t>(m_bus.hostPid()), SIGSTOP), 0);
        MsgBoxRecorder boxes;
        boxes.expect(platform::vbOK, QStringLiteral("Der CAD-Host antwortet nicht."));
        boxes.expect(platform::vbOK, QStringLiteral("AutoCAD wurde gefunden, antwortet aber nicht."));
        RendloControl control(*m_connector);
        QSignalSpy ready(&control, &RendloControl::ready);
        QSignalSpy finished(&control, &RendloControl::finished);
        control.Activate();
        QVERIFY(boxes.scriptDone());
        QCOMPARE(boxes.count(), 2);
        QCOMPARE(ready.count(), 0);
        QCOMPARE(finished.count(), 1);
        QVERIFY(!control.host());
    }

    void startsAHostAndQuitsIt()
    {
        QVERIFY(!m_connector->isRunning(acad::kAcadProgId));
        MsgBoxRecorder boxes;
        QString path;
        {
            RendloControl control(*m_connector);
            control.Activate();
            QVERIFY(control.isReady());
            path = control.host()->supportPath();
            control.cmdWeiter();
        }
        QTRY_VERIFY_WITH_TIMEOUT(!m_bus.hasOwner(kBusName), 5000);
        // The second run appended the folder once more, and the host kept it in its profile.
        const QString folder = platform::programFolder();
        QVERIFY(path.endsWith(QLatin1Char(';') + folder + QLatin1Char(';') + folder));
        QVERIFY2(m_bus.startHost(), qPrintable(m_bus.errorString()));
        QCOMPARE(m_connector->attach(acad::kAcadProgId)->supportPath(), path);
    }
};

QTEST_GUILESS_MAIN(TestRendloE2E)
#include "tst_rendlo_e2e.moc"
