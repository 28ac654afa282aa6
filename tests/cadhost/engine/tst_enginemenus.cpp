// Menus and preferences, and that both persist in the host's profile across runs.
#include "EngineTestUtil.h"

using namespace enginetest;
using cadhost::Engine;

namespace {

const QByteArray kMenu = R"(//  Kvarto-Menü
***MENUGROUP=KV+

***POP1
**KVMENU
ID_KvMenu   [KV&+]
ID_KvStart  [&Starten]^C^C(command "KV_Starten")
[--]
ID_KvLayout [&Layout erstellen...]^C^C-vbarun;Programm.KV_Layout;

***POP2
**KVZWEI
            [KV&+]
            [&Hilfe]^C^C_help

***POP3
**KVANDERES
            [&Andere]

***TOOLBARS
**TB_KV
ID_TbKv     [_Toolbar("Kvarto", _Floating, _Show, 200, 200, 1)]
)";

} // namespace

class TestEngineMenus : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<ProfileScope> m_profile;
    QString m_menu;

    QString writeFile(const QString& name, const QByteArray& content)
    {
        return enginetest::writeFile(m_profile->folder(), name, content);
    }

private slots:
    void init()
    {
        m_profile = std::make_unique<ProfileScope>();
        m_menu = writeFile(QStringLiteral("Kvarto.mns"), kMenu);
    }

    void freshProfile()
    {
        Engine engine;
        QCOMPARE(engine.menuGroups(), QStringList{QStringLiteral("ACAD")});
        QVERIFY(engine.menuBar().size() > 0);
        QCOMPARE(engine.templatePath(), QString());
        QVERIFY(!engine.supportPath().isEmpty());
    }

    void loadReadsGroupPopupsAndCaptions()
    {
        Engine engine;
        engine.loadMenuGroup(m_menu, false);
        QCOMPARE(engine.menuGroups(), QStringList({"ACAD", "KV+"}));
        const QList<acad::MenuPopup> popups = engine.menuGroupPopups(QStringLiteral("kv+"));
        QCOMPARE(popups.size(), 3);
        QCOMPARE(popups.at(0), (acad::MenuPopup{QStringLiteral("KV&+"), QStringLiteral("KVMENU")}));
        QCOMPARE(popups.at(1), (acad::MenuPopup{QStringLiteral("KV&+"), QStringLiteral("KVZWEI")}));
        QCOMPARE(popups.at(2).name, QStringLiteral("&Andere"));
        const QStringList entries = engine.menuEntries(QStringLiteral("KV+"), 0);
        QCOMPARE(entries.size(), 3);
        QCOMPARE(entries.at(1), QStringLiteral("[--]"));
    }

    void rendloPutsEveryKvPopupAtTheEnd()
    {
        Engine engine;
        engine.loadMenuGroup(m_menu, false);
        const qint32 before = qint32(engine.menuBar().size());
        const QList<acad::MenuPopup> popups = engine.menuGroupPopups(QStringLiteral("KV+"));
        QSignalSpy changed(&engine, &Engine::menuBarChanged);
        for (qint32 i = 0; i < popups.size(); ++i) {
            if (popups[i].name == QLatin1String("KV&+"))
                engine.insertPopupInMenuBar(QStringLiteral("KV+"), i, qint32(engine.menuBar().size()) + 1);
        }
        const QList<acad::MenuPopup> bar = engine.menuBar();
        QCOMPARE(bar.size(), before + 2);
        QCOMPARE(bar.at(before).alias, QStringLiteral("KVMENU"));
        QCOMPARE(bar.at(before + 1).alias, QStringLiteral("KVZWEI"));
        QCOMPARE(changed.count(), 2);
    }

    void insertAtAPosition()
    {
        Engine engine;
        engine.loadMenuGroup(m_menu, false);
        engine.insertPopupInMenuBar(QStringLiteral("KV+"), 2, 0);
        QCOMPARE(engine.menuBar().first().name, QStringLiteral("&Andere"));
        QVERIFY(!errorOf([&] { engine.insertPopupInMenuBar(QStringLiteral("KV+"), 2, 3); }).isEmpty());
        QVERIFY(!errorOf([&] { engine.insertPopupInMenuBar(QStringLiteral("KV+"), 3, 0); }).isEmpty());
        QVERIFY(!errorOf([&] { engine.insertPopupInMenuBar(QStringLiteral("KV+"), 0, -1); }).isEmpty());
        QVERIFY(!errorOf([&] { engine.insertPopupInMenuBar(QStringLiteral("XY"), 0, 0); }).isEmpty());
    }

    void loadingTwiceNamesTheGroup()
    {
        Engine engine;
        engine.loadMenuGroup(m_menu, false);
        const QString error = errorOf([&] { engine.loadMenuGroup(m_menu, false); });
        QVERIFY2(error.contains(QStringLiteral("\"KV+\"")), qPrintable(error));
        QCOMPARE(engine.menuGroups().size(), 2);
    }

    void missingGroup()
    {
        Engine engine;
        const QString error = errorOf([&] { engine.menuGroupPopups(QStringLiteral("KV+")); });
        QVERIFY(error.contains(QStringLiteral("KV+")));
    }

    void badMenuFiles_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("error");
        QTest::newRow("no group") << QByteArray("***POP1\n[KV&+]\n") << "MENUGROUP";
        QTest::newRow("empty group name") << QByteArray("***MENUGROUP=\n***POP1\n[KV&+]\n") << "MENUGROUP";
        QTest::newRow("binary") << QByteArray("\x00\x01\x02\xff", 4) << "MENUGROUP";
    }

    void badMenuFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, error);
        Engine engine;
        const QString file = writeFile(QStringLiteral("Schlecht.mns"), content);
        const QString thrown = errorOf([&] { engine.loadMenuGroup(file, false); });
        QVERIFY2(thrown.contains(error) && thrown.contains(file), qPrintable(thrown));
        QCOMPARE(engine.menuGroups(), QStringList{QStringLiteral("ACAD")});
    }

    void missingMenuFileNamesIt()
    {
        Engine engine;
        const QString file = m_profile->folder() + QStringLiteral("/Fehlt.mns");
        QVERIFY(errorOf([&] { engine.loadMenuGroup(file, false); }).contains(file));
    }

    void windows1252Captions()
    {
        Engine engine;
        engine.loadMenuGroup(
            writeFile(QStringLiteral("Alt.mns"), "***MENUGROUP=ALT\n***POP1\n[&\xc4nderungen]\n"), false);
        QCOMPARE(engine.menuGroupPopups(QStringLiteral("ALT")).at(0).name, QStringLiteral("&Änderungen"));
    }

    void baseMenuReplacesTheBar()
    {
        Engine engine;
        engine.loadMenuGroup(m_menu, true);
        QCOMPARE(engine.menuGroups(), QStringList{QStringLiteral("KV+")});
        QCOMPARE(engine.menuBar().size(), 3);
    }

    void menusPersistAcrossRuns()
    {
        {
            Engine first;
            first.loadMenuGroup(m_menu, false);
            first.insertPopupInMenuBar(QStringLiteral("KV+"), 0, 1000);
        }
        Engine second;
        QCOMPARE(second.menuGroups(), QStringList({"ACAD", "KV+"}));
        QCOMPARE(second.menuBar().last().alias, QStringLiteral("KVMENU"));
        // As the CAD program keeps partial menus: the second run's load is refused, the bar stays.
        QVERIFY(!errorOf([&] { second.loadMenuGroup(m_menu, false); }).isEmpty());
        second.unloadMenuGroup(QStringLiteral("KV+"));
        QCOMPARE(Engine().menuGroups(), QStringList{QStringLiteral("ACAD")});
    }

    void preferencesAcrossTwoEngines()
    {
        Engine a;
        Engine b;
        const QString original = a.supportPath();
        // Rendlo's step, run twice: the folder is appended each time.
        for (int run = 0; run < 2; ++run) {
            Engine rendlo;
            rendlo.setSupportPath(rendlo.supportPath() + QStringLiteral(";/opt/kvarto"));
        }
        QCOMPARE(b.supportPath(), original + QStringLiteral(";/opt/kvarto;/opt/kvarto"));
        a.setTemplatePath(QStringLiteral("/opt/kvarto/Bibliothek"));
        QCOMPARE(b.templatePath(), QStringLiteral("/opt/kvarto/Bibliothek"));
    }

    void unwritableProfileIsAnError()
    {
        // A profile path below a plain file cannot be written.
        const QString blocker = writeFile(QStringLiteral("datei"), "x");
        qputenv("CADHOST_PROFILE", QFile::encodeName(blocker + QStringLiteral("/profile.ini")));
        Engine engine;
        QVERIFY(!errorOf([&] { engine.setSupportPath(QStringLiteral("/x")); }).isEmpty());
        QVERIFY(!errorOf([&] { engine.loadMenuGroup(m_menu, false); }).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestEngineMenus)
#include "tst_enginemenus.moc"
