#include "MsgBoxRecorder.h"
#include "TestEnv.h"

#include <CRegistry.h>
#include <QTest>
#include <basRegistry.h>
#include <platform/FamilyKeyStore.h>
#include <platform/ProgramFolder.h>

using testsupport::MsgBoxRecorder;

namespace {

const QString kKey = QStringLiteral("SOFTWARE\\Velmora\\Kvarto 2.1");

using Getter = QString (CRegistry::*)();
using Setter = void (CRegistry::*)(const QString&);

struct Property
{
    Getter get;
    Setter set;
};

} // namespace

Q_DECLARE_METATYPE(Property)

class TestRegistry final : public QObject
{
    Q_OBJECT

private slots:
    void init() { testsupport::removeTree(platform::familyKeyFolder() + QStringLiteral("/Velmora")); }

    void properties_data()
    {
        QTest::addColumn<Property>("property");
        QTest::addColumn<QString>("valueName");
        QTest::newRow("KV_AktKonfig")
            << Property{&CRegistry::KV_AktKonfig, &CRegistry::setKV_AktKonfig} << "AktKonfig";
        QTest::newRow("KV_DefDB") << Property{&CRegistry::KV_DefDB, &CRegistry::setKV_DefDB} << "DefDB";
        QTest::newRow("KV_TempDWGs") << Property{&CRegistry::KV_TempDWGs, &CRegistry::setKV_TempDWGs}
                                     << "TempDWGs";
        QTest::newRow("KV_Daten") << Property{&CRegistry::KV_Daten, &CRegistry::setKV_Daten} << "Daten";
        QTest::newRow("ColFormat") << Property{&CRegistry::ColFormat, &CRegistry::setColFormat}
                                   << "ColFormat";
        QTest::newRow("KV_Startanzeige")
            << Property{&CRegistry::KV_Startanzeige, &CRegistry::setKV_Startanzeige} << "Startanzeige";
        QTest::newRow("KV_LM_Beenden")
            << Property{&CRegistry::KV_LM_Beenden, &CRegistry::setKV_LM_Beenden} << "LM_Beenden";
    }

    void properties()
    {
        QFETCH(Property, property);
        QFETCH(QString, valueName);
        CRegistry reg;
        QCOMPARE(reg.keyPath(), kKey);
        QCOMPARE((reg.*property.get)(), QString());  // missing key
        (reg.*property.set)(QStringLiteral("lost")); // a missing key is never created
        QVERIFY(!QFileInfo::exists(platform::familyKeyFile(kKey)));

        QVERIFY(platform::createFamilyKey(kKey));
        QCOMPARE((reg.*property.get)(), QString()); // missing value
        (reg.*property.set)(QStringLiteral("Wert ") + valueName);
        QCOMPARE(platform::readFamilyValue(kKey, valueName), QStringLiteral("Wert ") + valueName);
        // Nothing is cached: another writer's change is seen at the next read.
        platform::writeFamilyValue(kKey, valueName, QStringLiteral("neu"));
        QCOMPARE((reg.*property.get)(), QStringLiteral("neu"));
    }

    void valueIsCutAtNul()
    {
        QVERIFY(platform::createFamilyKey(kKey));
        CRegistry().setKV_Daten(QStringLiteral("vorne") + QChar(u'\0') + QStringLiteral("hinten"));
        QCOMPARE(CRegistry().KV_Daten(), QStringLiteral("vorne"));
    }

    void getDefDBPfad_data()
    {
        QTest::addColumn<bool>("keyExists");
        QTest::addColumn<QString>("defDB");
        QTest::addColumn<QString>("expected");
        const QString standard = platform::programFolder() + QStringLiteral("/Kvarto.mdb");
        const QString longPath =
            QStringLiteral("/srv/") + QString(280, QLatin1Char('k')) + QStringLiteral(".mdb");
        QTest::newRow("missing key") << false << QString() << standard;
        QTest::newRow("empty value") << true << QString() << standard;
        QTest::newRow("override") << true << QStringLiteral("/srv/kvarto/Def.mdb")
                                  << QStringLiteral("/srv/kvarto/Def.mdb");
        QTest::newRow("256 characters")
            << true << QString(256, QLatin1Char('d')) << QString(256, QLatin1Char('d'));
        QTest::newRow("long override") << true << longPath << longPath;
    }

    void getDefDBPfad()
    {
        QFETCH(bool, keyExists);
        QFETCH(QString, defDB);
        QFETCH(QString, expected);
        if (keyExists) {
            QVERIFY(platform::createFamilyKey(kKey));
            platform::writeFamilyValue(kKey, QStringLiteral("DefDB"), defDB);
        }
        MsgBoxRecorder boxes;
        QCOMPARE(basRegistry::GetDefDBPfad(), expected);
    }

    void getLMBeenden_data()
    {
        QTest::addColumn<bool>("keyExists");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing key") << false << QString() << 1 << QString();
        QTest::newRow("empty") << true << "" << 1 << QString();
        QTest::newRow("1") << true << "1" << 1 << QString();
        QTest::newRow("2") << true << "2" << 2 << QString();
        QTest::newRow("0") << true << "0" << 0 << QString();
        QTest::newRow("abc") << true << "abc" << 0 << QString();
        QTest::newRow("blank 1") << true << " 1" << 1 << QString();
        QTest::newRow("1 with text") << true << "1 Ja" << 1 << QString();
        QTest::newRow("1.5 rounds to even") << true << "1.5" << 2 << QString();
        QTest::newRow("2.5 rounds to even") << true << "2.5" << 2 << QString();
        QTest::newRow("-1") << true << "-1" << -1 << QString();
        QTest::newRow("too big for 16 bits") << true << "40000" << 0 << "Überlauf";
    }

    void getLMBeenden()
    {
        QFETCH(bool, keyExists);
        QFETCH(QString, stored);
        QFETCH(int, expected);
        QFETCH(QString, message);
        if (keyExists) {
            QVERIFY(platform::createFamilyKey(kKey));
            platform::writeFamilyValue(kKey, QStringLiteral("LM_Beenden"), stored);
        }
        MsgBoxRecorder boxes;
        if (!message.isEmpty())
            boxes.expect(platform::vbOK, message);
        QCOMPARE(int(basRegistry::GetLMBeenden()), expected);
        QVERIFY(boxes.scriptDone());
        if (!message.isEmpty())
            QCOMPARE(boxes.boxes().first().icon(), 0);
    }

    void setLMBeenden_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("stored");
        QTest::newRow("on") << 1 << "1";
        QTest::newRow("off") << 0 << "0";
        QTest::newRow("negative") << -3 << "-3";
    }

    void setLMBeenden()
    {
        QFETCH(int, value);
        QFETCH(QString, stored);
        QVERIFY(platform::createFamilyKey(kKey));
        basRegistry::SetLMBeenden(qint16(value));
        QCOMPARE(platform::readFamilyValue(kKey, QStringLiteral("LM_Beenden")), stored);
        QCOMPARE(int(basRegistry::GetLMBeenden()), value);
    }

    void toggleFromTwoWritesOne()
    {
        QVERIFY(platform::createFamilyKey(kKey));
        platform::writeFamilyValue(kKey, QStringLiteral("LM_Beenden"), QStringLiteral("2"));
        QVERIFY(basRegistry::GetLMBeenden() != 1);
        basRegistry::SetLMBeenden(1);
        QCOMPARE(int(basRegistry::GetLMBeenden()), 1);
    }

    void unwritableStoreKeepsTheStoredState()
    {
        const testsupport::PublicTempDir machine;
        const testsupport::ScopedEnv env("KVARTO_MACHINE_CONFIG_DIR", machine.path());
        QVERIFY(platform::createFamilyKey(kKey));
        platform::writeFamilyValue(kKey, QStringLiteral("LM_Beenden"), QStringLiteral("0"));
        QVERIFY(testsupport::makeReadOnly(platform::familyKeyFile(kKey)));
        MsgBoxRecorder boxes;
        testsupport::AsUnprivileged user;
        basRegistry::SetLMBeenden(1);
        QCOMPARE(int(basRegistry::GetLMBeenden()), 0);
        QCOMPARE(boxes.count(), 0);
    }

    void val_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<double>("value");
        QTest::newRow("empty") << "" << 0.0;
        QTest::newRow("tab and sign") << "\t-12.5x" << -12.5;
        QTest::newRow("exponent") << "1e3" << 1000.0;
        QTest::newRow("VB exponent") << "2D2" << 200.0;
        QTest::newRow("point first") << ".5" << 0.5;
        QTest::newRow("comma is no decimal point") << "1,5" << 1.0;
        QTest::newRow("letters") << "x1" << 0.0;
    }

    void val()
    {
        QFETCH(QString, text);
        QFETCH(double, value);
        QCOMPARE(basRegistry::Val(text), value);
    }
};

QTEST_GUILESS_MAIN(TestRegistry)
#include "tst_registry.moc"
