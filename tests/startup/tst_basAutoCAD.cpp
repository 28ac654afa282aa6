#include "MsgBoxRecorder.h"
#include "WindowTestSupport.h"

#include <QtTest>
#include <settings/basDatenbank.h>
#include <startup/basAutoCAD.h>

class TestBasAutoCAD : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<CadFixture> cad;
    std::unique_ptr<testsupport::MsgBoxRecorder> boxes;
    std::unique_ptr<basDatenbank::Definitions> definitions;
    std::unique_ptr<basAutoCAD::Connection> connection;
    basAutoCAD::Connection& c() { return *connection; }

private slots:
    void init()
    {
        cad = std::make_unique<CadFixture>();
        boxes = std::make_unique<testsupport::MsgBoxRecorder>();
        definitions = std::make_unique<basDatenbank::Definitions>();
        connection = std::make_unique<basAutoCAD::Connection>(cad->connector, *definitions);
    }
    void cleanup()
    {
        connection.reset();
        definitions.reset();
        boxes.reset();
        cad.reset();
    }

    void isRunningAsksTheLookupOnly()
    {
        cad->running = false;
        QVERIFY(!c().IsAutoCADRunning());
        cad->running = true;
        QVERIFY(c().IsAutoCADRunning());
        QCOMPARE(cad->creates, 0);
    }

    void connect_data()
    {
        QTest::addColumn<bool>("running");
        QTest::addColumn<int>("drawings");
        QTest::addColumn<bool>("attached");
        QTest::addColumn<bool>("hasActiveDoc");
        QTest::newRow("not running") << false << 0 << false << false;
        QTest::newRow("running, no drawing open") << true << 0 << true << false;
        QTest::newRow("running with a drawing") << true << 1 << true << true;
    }
    void connect()
    {
        QFETCH(bool, running);
        QFETCH(int, drawings);
        if (drawings)
            cad->open(QStringLiteral("/p/Plan.dwg"), {QStringLiteral("A1")});
        cad->running = running;
        c().ActiveDoc = 99;
        c().ConnectAutoCAD();
        QFETCH(bool, attached);
        QFETCH(bool, hasActiveDoc);
        QCOMPARE(c().AcadApp != nullptr, attached);
        QCOMPARE(c().ActiveDoc != 0, hasActiveDoc);
        QVERIFY(boxes->count() == 0);
        QCOMPARE(cad->creates, 0);
    }

    void startPrefersTheRunningInstance()
    {
        cad->engine->setVisible(false);
        c().StartAutoCAD();
        QCOMPARE(cad->creates, 0);
        QVERIFY(c().AcadApp);
        QVERIFY(cad->engine->isVisible());
        QVERIFY(boxes->count() == 0);
    }

    void startCreatesWhenNoneRuns()
    {
        cad->running = false;
        c().StartAutoCAD();
        QCOMPARE(cad->creates, 1);
        QVERIFY(c().AcadApp);
        QVERIFY(cad->engine->isVisible());
    }

    void startReportsAFailedCreation()
    {
        cad->running = false;
        cad->creatable = false;
        boxes->expect(platform::vbOK, QStringLiteral("cadhost"));
        c().StartAutoCAD();
        QVERIFY(!c().AcadApp);
        QCOMPARE(boxes->count(), 1);
        QCOMPARE(boxes->boxes()[0].text, QStringLiteral("Das Programm \"cadhost\" wurde nicht gefunden."));
        QCOMPARE(boxes->boxes()[0].style, int(platform::vbOKOnly));
    }

    void activeDrawingPath()
    {
        c().ConnectAutoCAD();
        QCOMPARE(c().GetActiveDrawingPath(), QString());
        const acad::DocId doc = cad->open(QStringLiteral("/p/q/Plan.dwg"), {QStringLiteral("A1")});
        c().ConnectAutoCAD();
        QCOMPARE(c().GetActiveDrawingPath(), QStringLiteral("/p/q/Plan.dwg"));
        // Closed in the CAD program since it was read: both parts count as empty.
        cad->engine->closeDocument(doc, false);
        QCOMPARE(c().GetActiveDrawingPath(), QStringLiteral("/"));
        QVERIFY(boxes->count() == 0);
    }

    void activeLayoutName_data()
    {
        QTest::addColumn<QString>("active");
        QTest::addColumn<QString>("asked");
        QTest::addColumn<QString>("expected");
        QTest::newRow("same path") << "A2"
                                   << "/p/Plan.dwg"
                                   << "A2";
        QTest::newRow("other case") << "A1"
                                    << "/P/PLAN.DWG"
                                    << "A1";
        QTest::newRow("model space") << "Model"
                                     << "/p/Plan.dwg"
                                     << "Model";
        QTest::newRow("no such drawing") << "A1"
                                         << "/p/Other.dwg"
                                         << "";
    }
    void activeLayoutName()
    {
        QFETCH(QString, active);
        QFETCH(QString, asked);
        cad->open(QStringLiteral("/p/Plan.dwg"), {QStringLiteral("A1"), QStringLiteral("A2")}, active);
        QCOMPARE(c().GetActiveLayoutName(asked), QString()); // not attached
        c().ConnectAutoCAD();
        QTEST(c().GetActiveLayoutName(asked), "expected");
        QVERIFY(boxes->count() == 0);
    }

    void activeLayoutNameReportsALostHost()
    {
        cad->open(QStringLiteral("/p/Plan.dwg"), {QStringLiteral("A1")});
        c().ConnectAutoCAD();
        cad->host->gone = true;
        boxes->expect(platform::vbOK);
        QCOMPARE(c().GetActiveLayoutName(QStringLiteral("/p/Plan.dwg")), QString());
        QCOMPARE(boxes->count(), 1);
        QCOMPARE(boxes->boxes()[0].style, int(platform::vbOKOnly));
    }

    void designCenter_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("drawingOpen");
        QTest::addColumn<bool>("libraryPath"); // else the empty path
        QTest::newRow("library, drawing open") << 0 << true << true;
        QTest::newRow("library, no drawing: nothing sent") << 0 << false << true;
        QTest::newRow("other mode: empty path") << -1 << true << false;
    }
    void designCenter()
    {
        QFETCH(int, mode);
        QFETCH(bool, drawingOpen);
        QFETCH(bool, libraryPath);
        if (drawingOpen)
            cad->open(QStringLiteral("/p/Plan.dwg"), {QStringLiteral("A1")});
        c().ConnectAutoCAD();
        definitions->LoadTypen(c().AcadApp.get());
        const auto typ = definitions->gTypen.Item(QStringLiteral("1"));
        QVERIFY(typ);
        const QString path = libraryPath ? typ->Verzeichnis : QString();
        c().OpenDesignCenter(qint16(mode), QString());
        QCOMPARE(cad->host->bringToFrontCalls, 1);
        if (drawingOpen)
            QCOMPARE(cad->host->sentCommands, QStringList{QStringLiteral("ADCNAVIGIEREN\r\r") + path + "\r"});
        else
            QVERIFY(cad->host->sentCommands.isEmpty());
        QVERIFY(boxes->count() == 0);
    }

    void servicesReportWithoutHost()
    {
        boxes->expect(platform::vbOK);
        c().OpenDesignCenter(-1, QString());
        QCOMPARE(boxes->count(), 1);
        QCOMPARE(boxes->boxes()[0].style, int(platform::vbOKOnly));
        QCOMPARE(cad->host->calls, 0);
    }
};

QTEST_MAIN(TestBasAutoCAD)
#include "tst_basAutoCAD.moc"
