#include "MsgBoxRecorder.h"
#include "TestEnv.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <optional>
#include <platform/Error.h>
#include <platform/FamilyKeyStore.h>
#include <platform/MsgBox.h>
#include <platform/ProgramFolder.h>
#include <platform/SystemError.h>
#include <platform/UserSettings.h>

using namespace platform;
using testsupport::MsgBoxRecorder;

namespace {

const QString kKey = QStringLiteral("SOFTWARE\\Velmora\\Kvarto 2.1");

QString keyFile()
{
    return familyKeyFolder() + QStringLiteral("/Velmora/Kvarto 2.1.ini");
}

} // namespace

class TestPlatform final : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        testsupport::removeTree(familyKeyFolder() + QStringLiteral("/Velmora"));
        testsupport::removeTree(userSettingsFile());
    }

    void familyKeyFileFollowsTheEnvironment()
    {
        QCOMPARE(familyKeyFolder(), QDir::cleanPath(qEnvironmentVariable("KVARTO_MACHINE_CONFIG_DIR")));
        QCOMPARE(familyKeyFile(kKey), keyFile());
        QCOMPARE(familyKeyFile(QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO")),
                 familyKeyFolder() + QStringLiteral("/Microsoft/Shared Tools/MSINFO.ini"));
        // A key path never climbs out of the store.
        QCOMPARE(familyKeyFile(QStringLiteral("SOFTWARE\\..\\..\\etc\\passwd")),
                 familyKeyFolder() + QStringLiteral("/etc/passwd.ini"));

        const QByteArray saved = qgetenv("KVARTO_MACHINE_CONFIG_DIR");
        qunsetenv("KVARTO_MACHINE_CONFIG_DIR");
        QCOMPARE(familyKeyFile(kKey), QStringLiteral("/etc/xdg/Velmora/Kvarto 2.1.ini"));
        qputenv("KVARTO_MACHINE_CONFIG_DIR", saved);
    }

    void familyKeyRead_data()
    {
        QTest::addColumn<bool>("keyExists");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("expected");

        const QString longPath =
            QStringLiteral("/daten/") + QString(300, QLatin1Char('x')) + QStringLiteral("/Kvarto.mdb");
        QTest::newRow("missing key") << false << QByteArray() << false << QString();
        QTest::newRow("missing value")
            << true << QByteArray("[General]\nAktKonfig=A\n") << false << QString();
        QTest::newRow("empty value") << true << QByteArray("[General]\nDefDB=\n") << true << QString();
        QTest::newRow("plain value") << true << QByteArray("[General]\nDefDB=/opt/kvarto/Kvarto.mdb\n")
                                     << true << QStringLiteral("/opt/kvarto/Kvarto.mdb");
        QTest::newRow("long value") << true << QByteArray("[General]\nDefDB=") + longPath.toUtf8() + "\n"
                                    << true << longPath;
        QTest::newRow("unquoted comma")
            << true << QByteArray("[General]\nDefDB=/a,b/K.mdb\n") << true << QStringLiteral("/a,b/K.mdb");
    }

    void familyKeyRead()
    {
        QFETCH(bool, keyExists);
        QFETCH(QByteArray, content);
        QFETCH(bool, found);
        QFETCH(QString, expected);
        if (keyExists)
            QVERIFY(testsupport::writeFile(keyFile(), content));

        QString value = QStringLiteral("stale");
        QCOMPARE(tryReadFamilyValue(kKey, QStringLiteral("DefDB"), &value), found);
        QCOMPARE(value, expected);
        QCOMPARE(readFamilyValue(kKey, QStringLiteral("DefDB")), expected);
    }

    void familyKeyWrite_data()
    {
        QTest::addColumn<QString>("store");
        QTest::addColumn<bool>("kept");

        QTest::newRow("writable key") << "writable" << true;
        QTest::newRow("missing key is never created") << "missing" << false;
        QTest::newRow("read-only key") << "read-only file" << false;
        QTest::newRow("read-only folder, writable key") << "read-only folder" << true;
    }

    void familyKeyWrite()
    {
        QFETCH(QString, store);
        QFETCH(bool, kept);
        const QString value = QStringLiteral("C:/Pläne, alt/") + QString(260, QLatin1Char('p'));
        // A folder that the unprivileged user can enter.
        const testsupport::PublicTempDir machine;
        const testsupport::ScopedEnv env("KVARTO_MACHINE_CONFIG_DIR", machine.path());
        if (store != QLatin1String("missing"))
            QVERIFY(testsupport::writeFile(keyFile(), "[General]\nLM_Beenden=1\n"));
        if (store == QLatin1String("read-only file"))
            QVERIFY(testsupport::makeReadOnly(keyFile()));
        if (store == QLatin1String("read-only folder")) {
            QFile::setPermissions(keyFile(), QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup |
                                                 QFile::WriteGroup | QFile::ReadOther | QFile::WriteOther);
            QVERIFY(testsupport::makeReadOnly(QFileInfo(keyFile()).absolutePath()));
        }

        MsgBoxRecorder boxes; // a lost write shows nothing
        {
            // Root writes read-only files; the user of a protected store is not root.
            std::optional<testsupport::AsUnprivileged> user;
            if (store.startsWith(QLatin1String("read-only")))
                user.emplace();
            writeFamilyValue(kKey, QStringLiteral("LM_Beenden"), value);
            writeFamilyValue(kKey, QStringLiteral("DefDB"), value);
            const QString before = store == QLatin1String("missing") ? QString() : QStringLiteral("1");
            QCOMPARE(readFamilyValue(kKey, QStringLiteral("LM_Beenden")), kept ? value : before);
        }
        QCOMPARE(QFileInfo::exists(keyFile()), store != QLatin1String("missing"));
        QCOMPARE(readFamilyValue(kKey, QStringLiteral("DefDB")), kept ? value : QString());
        QCOMPARE(boxes.count(), 0);
    }

    void createFamilyKey()
    {
        QVERIFY(!QFileInfo::exists(keyFile()));
        QVERIFY(platform::createFamilyKey(kKey));
        QVERIFY(QFileInfo(keyFile()).isFile());
        writeFamilyValue(kKey, QStringLiteral("DefDB"), QStringLiteral("/x.mdb"));
        QCOMPARE(readFamilyValue(kKey, QStringLiteral("DefDB")), QStringLiteral("/x.mdb"));
        QVERIFY(platform::createFamilyKey(kKey)); // an existing key keeps its values
        QCOMPARE(readFamilyValue(kKey, QStringLiteral("DefDB")), QStringLiteral("/x.mdb"));
    }

    // The key cannot grow (a full disk; here a file size limit): the write fails as a whole and the
    // old text stays whole. Writes that fit still go through.
    void familyKeyOverwrittenInPlace_data()
    {
        QTest::addColumn<QByteArray>("updated");
        QTest::addColumn<bool>("fits");

        QTest::newRow("longer") << QByteArray(4000, 'x') << false;
        QTest::newRow("one more byte")
            << QByteArray("[General]\nTempDWGs=/daten/temp\nLM_Beenden=10\n") << false;
        QTest::newRow("same length") << QByteArray("[General]\nTempDWGs=/daten/temp\nLM_Beenden=0\n") << true;
        QTest::newRow("shorter") << QByteArray("[General]\nLM_Beenden=0\n") << true;
    }

    void familyKeyOverwrittenInPlace()
    {
        QFETCH(QByteArray, updated);
        QFETCH(bool, fits);
        const QByteArray old("[General]\nTempDWGs=/daten/temp\nLM_Beenden=1\n");
        QVERIFY(testsupport::writeFile(keyFile(), old));
        int error = 0;
        {
            const testsupport::FileSizeLimit limit(old.size());
            error = overwriteInPlace(keyFile(), old, updated);
        }
        QFile file(keyFile());
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), fits ? updated : old);
        QCOMPARE(error, fits ? 0 : EFBIG);
    }

    // Qt's file errors come in English; the windows show them in German.
    void germanFileReasons_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("reason");

        QTest::newRow("missing") << "missing"
                                 << "Die Datei oder der Ordner existiert nicht.";
        QTest::newRow("folder") << "folder"
                                << "Das ist ein Ordner, keine Datei.";
        QTest::newRow("size limit") << "size limit"
                                    << "Die Datei ist zu groß.";
    }

    void germanFileReasons()
    {
        QFETCH(QString, what);
        QFETCH(QString, reason);
        const QTemporaryDir dir;
        QFile file(what == QLatin1String("folder") ? dir.path() : dir.filePath(QStringLiteral("a/b.txt")));
        if (what == QLatin1String("size limit")) {
            file.setFileName(dir.filePath(QStringLiteral("big.txt")));
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            QCOMPARE(file.write(QByteArray(10, 'x')), 10);
            const testsupport::FileSizeLimit limit(10);
            QCOMPARE(file.write(QByteArray(10, 'x')), -1);
        } else {
            QVERIFY(!file.open(QIODevice::WriteOnly));
        }
        QCOMPARE(germanReason(file), reason);
    }

    void familyKeySeesOtherWriters()
    {
        // Qt notices another writer by the file's size and time; the test before this one may have
        // left a file of the same size within the same clock tick.
        QTest::qWait(20);
        QVERIFY(testsupport::writeFile(keyFile(), "[General]\nLM_Beenden=1\n"));
        QCOMPARE(readFamilyValue(kKey, QStringLiteral("LM_Beenden")), QStringLiteral("1"));
        QTest::qWait(20); // a later modification time
        QVERIFY(testsupport::writeFile(keyFile(), "[General]\nLM_Beenden=0\n"));
        QCOMPARE(readFamilyValue(kKey, QStringLiteral("LM_Beenden")), QStringLiteral("0"));
    }

    void userSettings()
    {
        QCOMPARE(userSettingsFile(),
                 qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Blattwart für AutoCAD 2007.ini"));
        QCOMPARE(GetSetting(QStringLiteral("MainLeft"), QStringLiteral("1000")), QStringLiteral("1000"));
        SaveSetting(QStringLiteral("MainLeft"), QStringLiteral("250"));
        SaveSetting(QStringLiteral("AColOrder"), QStringLiteral("1,3,2,4,5"));
        QCOMPARE(GetSetting(QStringLiteral("MainLeft"), QStringLiteral("1000")), QStringLiteral("250"));
        QCOMPARE(GetSetting(QStringLiteral("AColOrder")), QStringLiteral("1,3,2,4,5"));
        QCOMPARE(GetSetting(QStringLiteral("MainLeft"), QStringLiteral("x"), QStringLiteral("Other")),
                 QStringLiteral("x"));

        QSettings file(userSettingsFile(), QSettings::IniFormat);
        QCOMPARE(file.value(QStringLiteral("Settings/MainLeft")).toString(), QStringLiteral("250"));
    }

    void programFolderAndTitle()
    {
        QCOMPARE(programFolder(), QDir::cleanPath(qEnvironmentVariable("KVARTO_PROGRAM_DIR")));
        QCOMPARE(programTitle(), QStringLiteral("Blattwart für AutoCAD 2007"));
        const QByteArray saved = qgetenv("KVARTO_PROGRAM_DIR");
        qunsetenv("KVARTO_PROGRAM_DIR");
        QCOMPARE(programFolder(), QCoreApplication::applicationDirPath());
        qputenv("KVARTO_PROGRAM_DIR", saved);
    }

    void joinPath_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("joined");
        QTest::newRow("plain") << "/opt/kv"
                               << "Kvarto.mdb"
                               << "/opt/kv/Kvarto.mdb";
        QTest::newRow("trailing slash") << "/"
                                        << "Kvarto.mdb"
                                        << "/Kvarto.mdb";
        QTest::newRow("leading slash") << "/opt"
                                       << "/Help"
                                       << "/opt/Help";
        QTest::newRow("empty folder") << ""
                                      << "Bibliothek"
                                      << "Bibliothek";
    }

    void joinPath()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QString, joined);
        QCOMPARE(platform::joinPath(a, b), joined);
    }

    void defaultAnswer_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("answer");
        QTest::newRow("OK") << int(vbOKOnly | vbCritical) << int(vbOK);
        QTest::newRow("Yes/No") << int(vbYesNo | vbQuestion) << int(vbYes);
        QTest::newRow("Yes/No, second default") << int(vbYesNo | vbDefaultButton2) << int(vbNo);
        QTest::newRow("Yes/No/Cancel, third") << int(vbYesNoCancel | vbDefaultButton3) << int(vbCancel);
        QTest::newRow("OK, third default is absent") << int(vbOKOnly | vbDefaultButton3) << int(vbOK);
    }

    void defaultAnswer()
    {
        QFETCH(int, style);
        QFETCH(int, answer);
        QCOMPARE(int(platform::defaultAnswer(style)), answer);
    }

    void msgBoxWithoutGuiAnswersTheDefault()
    {
        QTest::ignoreMessage(QtWarningMsg, "Blattwart für AutoCAD 2007 : Weiter?");
        QCOMPARE(MsgBox(QStringLiteral("Weiter?"), vbYesNo | vbDefaultButton2), vbNo);
    }

    void recorderAnswersFromTheScript()
    {
        MsgBoxRecorder boxes;
        boxes.expect(vbNo, QStringLiteral("löschen"));
        boxes.expect(vbOK);
        QCOMPARE(MsgBox(QStringLiteral("Datei löschen?"), vbYesNo | vbQuestion), vbNo);
        QCOMPARE(MsgBox(QStringLiteral("Fertig"), vbOKOnly, QStringLiteral("Kvarto - Hilfe")), vbOK);
        QVERIFY(boxes.scriptDone());
        QCOMPARE(boxes.count(), 2);
        QCOMPARE(boxes.boxes().at(0).title, programTitle());
        QCOMPARE(boxes.boxes().at(0).icon(), int(vbQuestion));
        QCOMPARE(boxes.boxes().at(0).buttons(), int(vbYesNo));
        QCOMPARE(boxes.boxes().at(1).title, QStringLiteral("Kvarto - Hilfe"));
        QVERIFY(!boxes.unexpected());
    }

    void recorderFailsOnAnUnexpectedBox_data()
    {
        QTest::addColumn<bool>("scripted");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("textPart");
        QTest::newRow("no script left") << false << 0 << QString();
        QTest::newRow("other text") << true << int(vbOK) << "anderer Text";
        QTest::newRow("answer not offered") << true << int(vbYes) << QString();
    }

    void recorderFailsOnAnUnexpectedBox()
    {
        QFETCH(bool, scripted);
        QFETCH(int, answer);
        QFETCH(QString, textPart);
        MsgBoxRecorder boxes;
        if (scripted)
            boxes.expect(MsgBoxResult(answer), textPart);
        QEXPECT_FAIL("", "the recorder fails the test on a box it does not expect", Continue);
        QCOMPARE(MsgBox(QStringLiteral("Hinweis"), vbOKOnly), vbOK);
        QVERIFY(boxes.unexpected());
        QVERIFY(boxes.failures().contains(QStringLiteral("Hinweis")));
    }
};

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
