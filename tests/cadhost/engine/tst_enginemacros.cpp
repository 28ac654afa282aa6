// The macro project and the three product macros.
#include "EngineTestUtil.h"

using namespace enginetest;
using cadhost::Engine;
using cadhost::MemoryStore;

class TestEngineMacros : public QObject
{
    Q_OBJECT

private:
    std::shared_ptr<MemoryStore> m_store;
    std::unique_ptr<Engine> m_engine;
    acad::DocId m_doc = 0;
    QTemporaryDir m_dir;

    QString productProject() const
    {
        return qEnvironmentVariable("KVARTO_PROGRAM_DIR") + QStringLiteral("/Kvarto.dvb");
    }

    QString writeFile(const QString& name, const QByteArray& content)
    {
        return enginetest::writeFile(m_dir.path(), name, content);
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(productProject()), "KVARTO_PROGRAM_DIR names no product folder with Kvarto.dvb");
    }

    void init()
    {
        m_store = std::make_shared<MemoryStore>();
        m_store->put(QStringLiteral("/p/Haus.dwg"),
                     drawingWith({QStringLiteral("Layout1"), QStringLiteral("Layout2")}));
        m_engine = std::make_unique<Engine>(m_store);
        m_doc = m_engine->openDocument(QStringLiteral("/p/Haus.dwg"));
    }

    void withoutProjectEveryMacroFails()
    {
        const QString error = errorOf([&] { m_engine->runMacro(QStringLiteral("Programm.KV_Layout")); });
        QVERIFY2(error.contains(QStringLiteral("Programm.KV_Layout")), qPrintable(error));
        QCOMPARE(layoutNames(*m_engine, m_doc).size(), 3);
    }

    void blattwartsFallBack()
    {
        // The macro runner's sequence: run, fail, load the project, KV_Starten, run again.
        QVERIFY(!errorOf([&] { m_engine->runMacro(QStringLiteral("Programm.KV_Layout")); }).isEmpty());
        m_engine->loadDVB(productProject());
        m_engine->runMacro(QStringLiteral("Programm.KV_Starten"));
        QVERIFY(m_engine->productStarted());
        m_engine->runMacro(QStringLiteral("Programm.KV_Layout"));
        QCOMPARE(layoutNames(*m_engine, m_doc).last(), QStringLiteral("Layout3"));
        // The project stays loaded.
        m_engine->runMacro(QStringLiteral("Programm.KV_Layout"));
        QCOMPARE(layoutNames(*m_engine, m_doc).last(), QStringLiteral("Layout4"));
        QCOMPARE(m_engine->loadedProjects().size(), 1);
    }

    void kvLayoutCopiesThePlotSettingsAndBecomesCurrent()
    {
        m_engine->loadDVB(productProject());
        m_engine->setLayoutName(m_doc, m_engine->document(m_doc).layouts.at(1).id, QStringLiteral("Plan"));
        m_engine->setActiveLayout(m_doc, QStringLiteral("Plan"));
        m_engine->runMacro(QStringLiteral("Programm.KV_Layout"));
        const acad::DocumentSnapshot s = m_engine->document(m_doc);
        QCOMPARE(s.layouts.last().name, QStringLiteral("Layout1"));
        QCOMPARE(s.activeLayout, QStringLiteral("Layout1"));
        QCOMPARE(m_engine->plotSettings(m_doc, s.layouts.last().id),
                 m_engine->plotSettings(m_doc, s.layouts.at(1).id));
        // Its sheet starts empty.
        QVERIFY(m_engine->blockEntities(m_doc, s.layouts.last().id).isEmpty());
    }

    void kvLayoutAsksAtTheWindow_data()
    {
        QTest::addColumn<QString>("answers");
        QTest::addColumn<QString>("created");
        QTest::newRow("own name") << "Mein Plan\r"
                                  << "Mein Plan";
        QTest::newRow("proposed name") << "\r"
                                       << "Layout3";
        QTest::newRow("taken name, then another") << "layout1\rNeu\r"
                                                  << "Neu";
        QTest::newRow("bad character, then another") << "a/b\rNeu\r"
                                                     << "Neu";
    }

    void kvLayoutAsksAtTheWindow()
    {
        QFETCH(QString, answers);
        QFETCH(QString, created);
        m_engine->loadDVB(productProject());
        m_engine->setInteractive(true);
        m_engine->runMacro(QStringLiteral("Programm.KV_Layout"));
        QCOMPARE(m_engine->currentPrompt(), QStringLiteral("Name des neuen Layouts eingeben <Layout3>:"));
        QCOMPARE(layoutNames(*m_engine, m_doc).size(), 3);
        m_engine->submitInput(answers);
        settle();
        QCOMPARE(layoutNames(*m_engine, m_doc).last(), created);
        QCOMPARE(m_engine->document(m_doc).activeLayout, created);
        QCOMPARE(m_engine->currentPrompt(), QStringLiteral("Befehl:"));
    }

    void kvDelLayout_data()
    {
        QTest::addColumn<QStringList>("layouts");
        QTest::addColumn<QString>("current");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QString>("message");
        QTest::newRow("current layout")
            << QStringList{"Layout1", "Layout2"} << "Layout2" << QStringList{"Model", "Layout1"} << "";
        QTest::newRow("last paper layout")
            << QStringList{"Layout1"} << "Layout1" << QStringList{"Model", "Layout1"} << "letzte Layout";
        QTest::newRow("model space") << QStringList{"Layout1", "Layout2"} << "Model"
                                     << QStringList{"Model", "Layout1", "Layout2"}
                                     << "\"Model\" kann nicht gelöscht";
    }

    void kvDelLayout()
    {
        QFETCH(QStringList, layouts);
        QFETCH(QString, current);
        QFETCH(QStringList, after);
        QFETCH(QString, message);
        m_store->put(QStringLiteral("/p/D.dwg"), drawingWith(layouts, current));
        const acad::DocId doc = m_engine->openDocument(QStringLiteral("/p/D.dwg"));
        m_engine->loadDVB(productProject());
        QSignalSpy messages(m_engine.get(), &Engine::messageShown);
        m_engine->runMacro(QStringLiteral("Programm.KV_DelLayout"));
        QCOMPARE(layoutNames(*m_engine, doc), after);
        QCOMPARE(messages.count(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty())
            QVERIFY(messages.at(0).at(0).toString().contains(message));
    }

    void macroFromTheMenu()
    {
        // The KV+ menu runs its macros through the command line.
        m_engine->loadDVB(productProject());
        m_engine->sendCommand(m_doc, QStringLiteral("\x1b\x1b-vbarun\rProgramm.KV_Layout\r"));
        settle();
        QCOMPARE(layoutNames(*m_engine, m_doc).last(), QStringLiteral("Layout3"));
        m_engine->sendCommand(m_doc, QStringLiteral("_-vbarun\rProgramm.Fehlt\r"));
        settle();
        QVERIFY(historyHas(*m_engine, QStringLiteral("Makro nicht gefunden: \"Programm.Fehlt\"")));
    }

    void macrosNeedADrawing()
    {
        m_engine->loadDVB(productProject());
        m_engine->closeDocument(m_doc, false);
        QVERIFY(!errorOf([&] { m_engine->runMacro(QStringLiteral("Programm.KV_Layout")); }).isEmpty());
        m_engine->runMacro(QStringLiteral("Programm.KV_Starten"));
        QVERIFY(m_engine->productStarted());
    }

    void projectDecidesWhatIsProvided()
    {
        m_engine->loadDVB(
            writeFile(QStringLiteral("Klein.dvb"),
                      "CADHOST-MAKROPROJEKT 1\nModul: Programm\nMakro: KV_Starten\nMakro: Eigenes\n"));
        m_engine->runMacro(QStringLiteral("Programm.KV_Starten"));
        QVERIFY(!errorOf([&] { m_engine->runMacro(QStringLiteral("Programm.KV_Layout")); }).isEmpty());
        QVERIFY(!errorOf([&] { m_engine->runMacro(QStringLiteral("Anderes.KV_Starten")); }).isEmpty());
        // Provided, but not one the host can run.
        QVERIFY(errorOf([&] {
                    m_engine->runMacro(QStringLiteral("Programm.Eigenes"));
                }).contains(QStringLiteral("nicht ausführen")));
        // The file may be named in front, as the CAD program allows.
        m_engine->runMacro(QStringLiteral("Klein.dvb!Programm.KV_Starten"));
    }

    void badProjects_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("error");
        QTest::newRow("empty") << QByteArray() << "kein Makroprojekt";
        QTest::newRow("a VBA binary")
            << QByteArray("\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1\x00\x00", 10) << "kein Makroprojekt";
        QTest::newRow("macro before module")
            << QByteArray("CADHOST-MAKROPROJEKT 1\nMakro: KV_Layout\n") << "Zeile 2";
        QTest::newRow("bad name") << QByteArray("CADHOST-MAKROPROJEKT 1\nModul: Programm\nMakro: KV Layout\n")
                                  << "Zeile 3";
        QTest::newRow("unknown entry")
            << QByteArray("CADHOST-MAKROPROJEKT 1\nFunktion: X\n") << "unbekannter Eintrag";
        QTest::newRow("no colon") << QByteArray("CADHOST-MAKROPROJEKT 1\nModul Programm\n") << "Zeile 2";
    }

    void badProjects()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, error);
        const QString file = writeFile(QStringLiteral("Schlecht.dvb"), content);
        const QString thrown = errorOf([&] { m_engine->loadDVB(file); });
        QVERIFY2(thrown.contains(file) && thrown.contains(error), qPrintable(thrown));
        QVERIFY(m_engine->loadedProjects().isEmpty());
    }

    void missingProjectNamesTheFile()
    {
        const QString file = m_dir.filePath(QStringLiteral("Fehlt.dvb"));
        QVERIFY(errorOf([&] { m_engine->loadDVB(file); }).contains(file));
    }
};

QTEST_GUILESS_MAIN(TestEngineMacros)
#include "tst_enginemacros.moc"
