// A real cadhost on a private bus, reached as the programs reach it: through the connector and the
// bus client. Covers attaching and creating, enumerations, commands, errors, and a host that dies,
// hangs or loses its bus.
#include "BusCalls.h"
#include "PrivateBus.h"

#include <QtTest>
#include <acad/BusConnector.h>
#include <acad/BusHost.h>
#include <acad/BusNames.h>
#include <acad/Error.h>
#include <csignal>

using namespace acad;
using bustest::errorOf;
using bustest::layoutNames;

namespace {

const QString kBusName = bus::busNameForProgId(kAcadProgId);

} // namespace

class tst_CadHostE2E : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void attach();
    void createStartsInvisibleHost();
    void userStartedHostIsVisible();
    void quitCommandEndsHost();
    void enumerateDocumentsAndLayouts();
    void commandTakesEffect();
    void answersWhileCommandWaits();
    void errorHasGermanDescription();
    void killedHost();
    void stoppedHostTimesOut();
    void createFails_data();
    void createFails();
    void noSessionBus();
    void headlessHostEndsWithItsBus();

private:
    std::shared_ptr<Host> attachNew();

    PrivateBus m_bus;
    // Made once the private bus runs, so that it never touches another session bus.
    std::unique_ptr<BusConnector> m_connector;
};

void tst_CadHostE2E::initTestCase()
{
    QVERIFY2(m_bus.start(), qPrintable(m_bus.errorString()));
    QVERIFY2(QFileInfo(PrivateBus::cadhostProgram()).isExecutable(),
             qPrintable(PrivateBus::cadhostProgram()));
    m_connector = std::make_unique<BusConnector>(QDBusConnection::sessionBus());
}

void tst_CadHostE2E::cleanup()
{
    m_bus.stopHost();
    m_bus.killOwnerOf(kBusName);
    QTRY_VERIFY(!m_bus.hasOwner(kBusName));
    // A host that did not answer in one test is asked again in the next.
    m_connector->actionScope()->beginAction();
    m_connector->actionScope()->busyBegins = nullptr;
    m_connector->actionScope()->busyEnds = nullptr;
}

std::shared_ptr<Host> tst_CadHostE2E::attachNew()
{
    if (!m_bus.startHost())
        qWarning("%s", qPrintable(m_bus.errorString()));
    return m_connector->attach(kAcadProgId);
}

void tst_CadHostE2E::attach()
{
    QVERIFY(!m_connector->isRunning(kAcadProgId));
    QCOMPARE(errorOf([&] { m_connector->attach(kAcadProgId); }),
             QStringLiteral("Das Programm \"AutoCAD.Application.18\" läuft nicht."));
    QVERIFY2(m_bus.startHost(), qPrintable(m_bus.errorString()));
    QVERIFY(m_connector->isRunning(kAcadProgId));
    auto host = m_connector->attach(kAcadProgId);
    const ApplicationSnapshot app = host->application();
    QCOMPARE(app.documents.size(), 0);
    QCOMPARE(app.activeDocument, 0);
}

void tst_CadHostE2E::createStartsInvisibleHost()
{
    QVERIFY(!m_connector->isRunning(kAcadProgId));
    auto host = m_connector->create(kAcadProgId);
    QVERIFY(m_connector->isRunning(kAcadProgId));
    QCOMPARE(host->application().visible, false);
    // Creating again while it runs hands out the same host.
    auto again = m_connector->create(kAcadProgId);
    QCOMPARE(std::static_pointer_cast<BusHost>(again)->service(),
             std::static_pointer_cast<BusHost>(host)->service());
    host->setVisible(true);
    QCOMPARE(again->application().visible, true);
    QVERIFY(host->hwnd() != 0);
    host->bringToFront();
    host->quit();
    QTRY_VERIFY_WITH_TIMEOUT(!m_bus.hasOwner(kBusName), 5000);
}

void tst_CadHostE2E::userStartedHostIsVisible()
{
    QVERIFY2(m_bus.startHost({}), qPrintable(m_bus.errorString()));
    auto host = m_connector->attach(kAcadProgId);
    const ApplicationSnapshot app = host->application();
    QCOMPARE(app.visible, true);
    QVERIFY(host->hwnd() != 0);
}

void tst_CadHostE2E::quitCommandEndsHost()
{
    auto host = attachNew();
    const DocId doc = host->addDocument(QString());
    host->sendCommand(doc, QStringLiteral("_quit\r"));
    QVERIFY(m_bus.host().waitForFinished(5000));
    QCOMPARE(m_bus.host().exitCode(), 0);
    QVERIFY(!m_connector->isRunning(kAcadProgId));
}

void tst_CadHostE2E::enumerateDocumentsAndLayouts()
{
    auto host = attachNew();
    const DocId first = host->addDocument(QString());
    const DocId second = host->addDocument(QString());
    QVERIFY(first != second);
    const ApplicationSnapshot app = host->application();
    QCOMPARE(app.documents.size(), 2);
    QCOMPARE(app.activeDocument, second);
    const QList<DocumentSnapshot> all = host->documentSnapshots();
    QCOMPARE(all.size(), 2);
    QCOMPARE(all.at(0).ref, app.documents.at(0));
    QCOMPARE(all.at(1), host->document(second));
    QCOMPARE(all.at(0).layouts.value(0).name, QStringLiteral("Model"));
    QVERIFY(all.at(0).layouts.size() >= 2);
}

void tst_CadHostE2E::commandTakesEffect()
{
    auto host = attachNew();
    const DocId doc = host->addDocument(QString());
    host->sendCommand(doc, QStringLiteral("_layout\r_new\rAnsicht Süd\r"));
    QTRY_VERIFY_WITH_TIMEOUT(layoutNames(host->document(doc)).contains(QStringLiteral("Ansicht Süd")), 3000);
    host->sendCommand(doc, QStringLiteral("_layout\r_set\rAnsicht Süd\r"));
    QTRY_COMPARE_WITH_TIMEOUT(host->document(doc).activeLayout, QStringLiteral("Ansicht Süd"), 3000);
}

// A command that asks for a file name waits; the host still answers every call meanwhile.
void tst_CadHostE2E::answersWhileCommandWaits()
{
    auto host = attachNew();
    const DocId doc = host->addDocument(QString());
    host->setVariable(doc, QStringLiteral("FILEDIA"), 0);
    host->sendCommand(doc, QStringLiteral("_saveas\r"));
    QElapsedTimer timer;
    timer.start();
    QTRY_VERIFY_WITH_TIMEOUT(!host->commandHistory().isEmpty(), 3000);
    QCOMPARE(host->application().activeDocument, doc);
    QVERIFY(timer.elapsed() < bus::kCallTimeoutMs);
    const QString path = m_bus.folder() + QStringLiteral("/Gespeichert.dwg");
    host->sendCommand(doc, path + u'\r');
    QTRY_COMPARE_WITH_TIMEOUT(host->document(doc).ref.name, QStringLiteral("Gespeichert.dwg"), 3000);
}

void tst_CadHostE2E::errorHasGermanDescription()
{
    auto host = attachNew();
    const QString text = errorOf([&] { host->openDocument(QStringLiteral("/gibt/es/nicht/Übersicht.dwg")); });
    QVERIFY2(text.contains(QStringLiteral("Übersicht.dwg")), qPrintable(text));
    QVERIFY2(!text.startsWith(QStringLiteral("Fehler beim Aufruf des CAD-Hosts")), qPrintable(text));
    // The host goes on after an error.
    QCOMPARE(host->application().documents.size(), 0);
}

void tst_CadHostE2E::killedHost()
{
    auto host = attachNew();
    host->addDocument(QString());
    ::kill(static_cast<pid_t>(m_bus.hostPid()), SIGKILL);
    m_bus.host().waitForFinished(3000);
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(errorOf([&] { host->application(); }), QStringLiteral("Der CAD-Host läuft nicht mehr."));
    QVERIFY(timer.elapsed() < 1000);
    // A new host is a new attach; the old reference stays dead and never reaches the new host.
    auto again = attachNew();
    QCOMPARE(again->application().documents.size(), 0);
    QCOMPARE(errorOf([&] { host->application(); }), QStringLiteral("Der CAD-Host läuft nicht mehr."));
}

void tst_CadHostE2E::stoppedHostTimesOut()
{
    auto host = attachNew();
    // The busy sign: shown once the call is slow, taken back when it ends.
    QStringList busy;
    const std::shared_ptr<ActionScope> scope = m_connector->actionScope();
    scope->busyBegins = [&busy] { busy << QStringLiteral("begins"); };
    scope->busyEnds = [&busy] { busy << QStringLiteral("ends"); };
    QCOMPARE(host->application().documents.size(), 0);
    QCOMPARE(busy, QStringList());
    ::kill(static_cast<pid_t>(m_bus.hostPid()), SIGSTOP);
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(errorOf([&] { host->application(); }), QStringLiteral("Der CAD-Host antwortet nicht."));
    const qint64 elapsed = timer.elapsed();
    QVERIFY2(elapsed >= bus::kCallTimeoutMs / 2 && elapsed < bus::kCallTimeoutMs + 2000,
             qPrintable(QString::number(elapsed)));
    QCOMPARE(busy, QStringList({QStringLiteral("begins"), QStringLiteral("ends")}));
    // The rest of the same user action is not made to wait again.
    timer.restart();
    QCOMPARE(errorOf([&] { host->documentSnapshots(); }), QStringLiteral("Der CAD-Host antwortet nicht."));
    QVERIFY2(timer.elapsed() < bus::kCallTimeoutMs / 2, qPrintable(QString::number(timer.elapsed())));
    ::kill(static_cast<pid_t>(m_bus.hostPid()), SIGCONT);
    // Nor is a host that has continued, until the next action asks it again.
    QCOMPARE(errorOf([&] { host->application(); }), QStringLiteral("Der CAD-Host antwortet nicht."));
    m_connector->actionScope()->beginAction();
    QCOMPARE(host->application().documents.size(), 0);
    QCOMPARE(busy.size(), 2);
}

// A cadhost that is missing, ends at once or never takes its name.
void tst_CadHostE2E::createFails_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QString>("error");
    QTest::newRow("not found") << QByteArray()
                               << QStringLiteral(
                                      "Das Programm \"cadhost\" wurde weder neben diesem Programm noch "
                                      "im Suchpfad gefunden.");
    QTest::newRow("ends at once") << QByteArray("#!/bin/sh\nexit 1\n")
                                  << QStringLiteral(
                                         "Der CAD-Host wurde beendet, bevor er sich am D-Bus angemeldet "
                                         "hat.");
    QTest::newRow("never comes up") << QByteArray("#!/bin/sh\nexec /bin/sleep 30\n")
                                    << QStringLiteral(
                                           "Der CAD-Host hat sich nicht innerhalb von 10 s am D-Bus "
                                           "angemeldet.");
}

void tst_CadHostE2E::createFails()
{
    QFETCH(QByteArray, script);
    QFETCH(QString, error);
    QTemporaryDir folder;
    if (!script.isEmpty()) {
        QFile program(folder.filePath(QStringLiteral("cadhost")));
        QVERIFY(program.open(QIODevice::WriteOnly));
        program.write(script);
        program.close();
        program.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", folder.path().toUtf8() + "/none");
    BusConnector connector(QDBusConnection::sessionBus(), folder.path());
    QElapsedTimer timer;
    timer.start();
    const QString text = errorOf([&] { connector.create(kAcadProgId); });
    qputenv("PATH", oldPath);
    QCOMPARE(text, error);
    QVERIFY(timer.elapsed() < bus::kStartTimeoutMs + 2000);
}

void tst_CadHostE2E::noSessionBus()
{
    const QString name = QStringLiteral("no-bus");
    BusConnector connector(QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent/bus"), name));
    QVERIFY(!connector.isRunning(kAcadProgId));
    const QString expected =
        QStringLiteral("Keine Verbindung zum D-Bus-Sitzungsbus. Der CAD-Host ist nicht erreichbar.");
    QCOMPARE(errorOf([&] { connector.attach(kAcadProgId); }), expected);
    QCOMPARE(errorOf([&] { connector.create(kAcadProgId); }), expected);
    QDBusConnection::disconnectFromBus(name);
}

// Last: it ends the private bus.
void tst_CadHostE2E::headlessHostEndsWithItsBus()
{
    auto host = attachNew();
    QCOMPARE(host->application().documents.size(), 0);
    m_bus.stopDaemon();
    QVERIFY(m_bus.host().waitForFinished(5000));
    QCOMPARE(errorOf([&] { host->application(); }),
             QStringLiteral("Keine Verbindung zum D-Bus-Sitzungsbus."));
}

QTEST_GUILESS_MAIN(tst_CadHostE2E)
#include "tst_CadHostE2E.moc"
