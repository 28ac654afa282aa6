// The running-object lookup without a host: the bus name mapping, and what each call says when
// there is no session bus or no cadhost program.
#include <QtTest>
#include <acad/BusConnector.h>
#include <acad/BusHost.h>
#include <acad/BusNames.h>
#include <acad/Error.h>

using namespace acad;

class tst_BusConnector : public QObject
{
    Q_OBJECT

private slots:
    void busName_data();
    void busName();
    void errorDescription_data();
    void errorDescription();
    void noSessionBus_data();
    void noSessionBus();
    void hostProgramBesideOrOnPath_data();
    void hostProgramBesideOrOnPath();
};

void tst_BusConnector::busName_data()
{
    QTest::addColumn<QString>("progId");
    QTest::addColumn<QString>("busName");
    QTest::newRow("CAD program") << kAcadProgId
                                 << QStringLiteral("de.velmora.CadHost.AutoCAD_Application_18");
    QTest::newRow("leading digit") << QStringLiteral("18.App")
                                   << QStringLiteral("de.velmora.CadHost._18_App");
    QTest::newRow("other characters")
        << QStringLiteral("Ä-b c") << QStringLiteral("de.velmora.CadHost.__b_c");
    QTest::newRow("empty") << QString() << QStringLiteral("de.velmora.CadHost._");
}

void tst_BusConnector::busName()
{
    QFETCH(QString, progId);
    QFETCH(QString, busName);
    QCOMPARE(bus::busNameForProgId(progId), busName);
}

void tst_BusConnector::errorDescription_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("description");
    const QString hung = QStringLiteral("Der CAD-Host antwortet nicht.");
    const QString gone = QStringLiteral("Der CAD-Host läuft nicht mehr.");
    QTest::newRow("host error") << bus::kErrorName << QStringLiteral("Das Layout „A1“ gibt es schon.")
                                << QStringLiteral("Das Layout „A1“ gibt es schon.");
    QTest::newRow("no reply") << QStringLiteral("org.freedesktop.DBus.Error.NoReply") << QString() << hung;
    QTest::newRow("timeout") << QStringLiteral("org.freedesktop.DBus.Error.Timeout") << QString() << hung;
    QTest::newRow("timed out") << QStringLiteral("org.freedesktop.DBus.Error.TimedOut") << QString() << hung;
    QTest::newRow("unknown service") << QStringLiteral("org.freedesktop.DBus.Error.ServiceUnknown")
                                     << QString() << gone;
    QTest::newRow("no owner") << QStringLiteral("org.freedesktop.DBus.Error.NameHasNoOwner") << QString()
                              << gone;
    QTest::newRow("disconnected") << QStringLiteral("org.freedesktop.DBus.Error.Disconnected") << QString()
                                  << gone;
    QTest::newRow("other") << QStringLiteral("org.freedesktop.DBus.Error.UnknownMethod")
                           << QStringLiteral("No such")
                           << QStringLiteral("Fehler beim Aufruf des CAD-Hosts: No such "
                                             "(org.freedesktop.DBus.Error.UnknownMethod)");
}

void tst_BusConnector::errorDescription()
{
    QFETCH(QString, name);
    QFETCH(QString, message);
    QFETCH(QString, description);
    QCOMPARE(describeBusError(QDBusMessage::createError(name, message)), description);
}

void tst_BusConnector::noSessionBus_data()
{
    QTest::addColumn<bool>("create");
    QTest::newRow("attach") << false;
    QTest::newRow("create") << true;
}

// The test environment names a session bus that does not exist.
void tst_BusConnector::noSessionBus()
{
    QFETCH(bool, create);
    BusConnector connector;
    QVERIFY(!connector.isRunning(kAcadProgId));
    try {
        create ? connector.create(kAcadProgId) : connector.attach(kAcadProgId);
        QFAIL("no error");
    } catch (const Error& e) {
        QCOMPARE(
            e.description(),
            QStringLiteral("Keine Verbindung zum D-Bus-Sitzungsbus. Der CAD-Host ist nicht erreichbar."));
    }
}

namespace {

void writeProgram(const QString& path)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n");
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace

void tst_BusConnector::hostProgramBesideOrOnPath_data()
{
    QTest::addColumn<bool>("beside");
    QTest::addColumn<bool>("onPath");
    QTest::addColumn<QString>("found");
    QTest::newRow("both: beside wins") << true << true << QStringLiteral("folder");
    QTest::newRow("beside only") << true << false << QStringLiteral("folder");
    QTest::newRow("on PATH only") << false << true << QStringLiteral("path");
    QTest::newRow("nowhere") << false << false << QString();
}

void tst_BusConnector::hostProgramBesideOrOnPath()
{
    QFETCH(bool, beside);
    QFETCH(bool, onPath);
    QFETCH(QString, found);
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("folder"));
    QDir(dir.path()).mkpath(QStringLiteral("path"));
    if (beside)
        writeProgram(dir.filePath(QStringLiteral("folder/cadhost")));
    if (onPath)
        writeProgram(dir.filePath(QStringLiteral("path/cadhost")));
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", dir.filePath(QStringLiteral("path")).toUtf8());
    const QString program = BusConnector::hostProgram(dir.filePath(QStringLiteral("folder")));
    qputenv("PATH", oldPath);
    QCOMPARE(program, found.isEmpty() ? QString() : dir.filePath(found + QStringLiteral("/cadhost")));
}

QTEST_GUILESS_MAIN(tst_BusConnector)
#include "tst_BusConnector.moc"
