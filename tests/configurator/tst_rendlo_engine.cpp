// Rendlo against the in-process CAD host engine: the support path and the menu bar as the host keeps
// them in its profile.
#include "MsgBoxRecorder.h"
#include "TestEnv.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTest>
#include <RendloControl.h>
#include <acad/Error.h>
#include <cadhost/engine/Engine.h>
#include <memory>
#include <platform/ProgramFolder.h>

using testsupport::MsgBoxRecorder;

namespace {

const QByteArray kSeveralPopups = R"(***MENUGROUP=KV+
***POP1
**KV_EINS
ID_Eins   [KV&+]
ID_A      [&Starten]^C^C-vbarun;Programm.KV_Starten;
***POP2
**KV_ANDERE
ID_Andere [&Andere]
***POP3
**KV_ZWEI
ID_Zwei   [KV&+]
ID_B      [&Layout]^C^C-vbarun;Programm.KV_Layout;
***POP4
**KV_KLEIN
ID_Klein  [kv&+]
)";

// The in-process engine, handed out as the running host.
struct EngineConnector
{
    std::shared_ptr<cadhost::Engine> engine = std::make_shared<cadhost::Engine>();
    acad::FunctionConnector connector;

    EngineConnector()
    {
        engine->setVisible(true);
        connector.running = [](const QString&) { return true; };
        connector.attaching = [this](const QString&) -> std::shared_ptr<acad::Host> { return engine; };
    }
};

QStringList barAliases(acad::Host& host)
{
    QStringList aliases;
    for (const acad::MenuPopup& popup : host.menuBar())
        aliases.append(popup.alias);
    return aliases;
}

void runRendlo(acad::Connector& connector, bool beenden = false)
{
    RendloControl control(connector);
    control.Activate();
    QVERIFY(control.isReady());
    beenden ? control.cmdWeiter() : control.cmdStart();
}

} // namespace

class TestRendloEngine final : public QObject
{
    Q_OBJECT

private slots:
    void init() { QFile::remove(qEnvironmentVariable("CADHOST_PROFILE")); }

    void runningTwicePersistsTheFolderTwice()
    {
        const QString folder = platform::programFolder();
        QString before;
        {
            EngineConnector c;
            before = c.engine->supportPath();
            MsgBoxRecorder boxes;
            runRendlo(c.connector);
            runRendlo(c.connector); // the menu group is loaded already: the menu step ends quietly
            QCOMPARE(c.engine->supportPath(), before + QLatin1Char(';') + folder + QLatin1Char(';') + folder);
        }
        // A host started later finds both in its profile, and the product menu at the end of the bar.
        cadhost::Engine next;
        QCOMPARE(next.supportPath(), before + QLatin1Char(';') + folder + QLatin1Char(';') + folder);
        QVERIFY(next.menuGroups().contains(QStringLiteral("KV+")));
        const QList<acad::MenuPopup> bar = next.menuBar();
        QCOMPARE(bar.last().name, QStringLiteral("KV&+"));
        QCOMPARE(std::count_if(bar.begin(), bar.end(),
                               [](const auto& p) { return p.name == QLatin1String("KV&+"); }),
                 1);
    }

    void attachedHostIsHiddenDuringTheRun_data()
    {
        QTest::addColumn<bool>("beenden");
        QTest::newRow("&AutoCAD starten") << false;
        QTest::newRow("&Beenden") << true;
    }

    void attachedHostIsHiddenDuringTheRun()
    {
        QFETCH(bool, beenden);
        EngineConnector c;
        QSignalSpy visible(c.engine.get(), &cadhost::Engine::visibleChanged);
        QSignalSpy quit(c.engine.get(), &cadhost::Engine::quitRequested);
        QSignalSpy update(c.engine.get(), &cadhost::Engine::updateRequested);
        MsgBoxRecorder boxes;
        RendloControl control(c.connector);
        control.Activate();
        QVERIFY(!c.engine->isVisible());
        QCOMPARE(visible.count(), 1);
        beenden ? control.cmdWeiter() : control.cmdStart();
        QVERIFY(c.engine->isVisible());
        QCOMPARE(update.count(), 1);
        QCOMPARE(quit.count(), beenden ? 1 : 0);
    }

    void severalPopupsInTheGroupsOrder()
    {
        const testsupport::PublicTempDir product;
        QVERIFY(
            testsupport::writeFile(product.path() + QStringLiteral("/Support/Kvarto.mns"), kSeveralPopups));
        const testsupport::ScopedEnv env("KVARTO_PROGRAM_DIR", product.path());
        EngineConnector c;
        const QStringList before = barAliases(*c.engine);
        MsgBoxRecorder boxes;
        runRendlo(c.connector);
        QCOMPARE(barAliases(*c.engine), before + QStringList({"KV_EINS", "KV_ZWEI"}));
    }

    void missingMenuFile()
    {
        const testsupport::PublicTempDir product;
        const testsupport::ScopedEnv env("KVARTO_PROGRAM_DIR", product.path());
        EngineConnector c;
        const QStringList before = barAliases(*c.engine);
        MsgBoxRecorder boxes; // nothing is shown
        runRendlo(c.connector);
        QCOMPARE(barAliases(*c.engine), before);
        QVERIFY(c.engine->supportPath().endsWith(QLatin1Char(';') + product.path()));
    }

    void unwritableSupportPath()
    {
        // The host refuses to keep the path: its profile is read-only for the user.
        const testsupport::PublicTempDir home;
        const QString profile = home.path() + QStringLiteral("/profile.ini");
        const testsupport::ScopedEnv env("CADHOST_PROFILE", profile);
        QVERIFY(testsupport::writeFile(profile, "[Preferences]\nSupportPath=/cad/support\n"));
        QVERIFY(testsupport::makeReadOnly(profile));
        EngineConnector c;
        MsgBoxRecorder boxes;
        boxes.expect(platform::vbOK, QStringLiteral("Eintrag in AutoCAD-Supportpfad nicht möglich!"));
        {
            testsupport::AsUnprivileged user;
            runRendlo(c.connector);
        }
        QVERIFY(boxes.scriptDone());
        QCOMPARE(boxes.count(), 1); // the menu step ran, and failed quietly on the same profile
        // Read from the disk: Qt's in-process cache of the file may still hold the refused value.
        QFile file(profile);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("[Preferences]\nSupportPath=/cad/support\n"));
        QVERIFY(c.engine->isVisible());
    }

    void hostThatCannotBeStarted()
    {
        acad::FunctionConnector nothing; // neither running nor startable
        MsgBoxRecorder boxes;
        boxes.expect(platform::vbOK, QStringLiteral("kann nicht gestartet werden"));
        boxes.expect(platform::vbOK, QStringLiteral("nicht ausgeführt"));
        RendloControl control(nothing);
        QSignalSpy finished(&control, &RendloControl::finished);
        control.Activate();
        QVERIFY(boxes.scriptDone());
        QCOMPARE(finished.count(), 1);
        QVERIFY(!control.isReady());
    }
};

QTEST_GUILESS_MAIN(TestRendloEngine)
#include "tst_rendlo_engine.moc"
