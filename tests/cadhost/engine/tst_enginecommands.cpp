// The command line: queued input, the drawing commands, FILEDIA and the DesignCenter command.
#include "EngineTestUtil.h"

using namespace enginetest;
using cadhost::Engine;
using cadhost::MemoryStore;

class TestEngineCommands : public QObject
{
    Q_OBJECT

private:
    std::shared_ptr<MemoryStore> m_store;
    std::unique_ptr<Engine> m_engine;
    acad::DocId m_doc = 0;
    const QString m_path = QStringLiteral("/projekt/Haus.dwg");

    void send(const QString& text, acad::DocId doc = 0)
    {
        m_engine->sendCommand(doc ? doc : m_doc, text);
        settle();
    }

    void modify()
    {
        send(QStringLiteral("_layout\r_new\rGeändert\r"));
        QVERIFY(m_engine->document(m_doc).modified);
    }

    bool isOpen(acad::DocId doc) { return m_engine->drawing(doc) != nullptr; }

private slots:
    void init()
    {
        m_store = std::make_shared<MemoryStore>();
        m_store->put(m_path, drawingWith({QStringLiteral("Layout1"), QStringLiteral("Layout2")}));
        m_engine = std::make_unique<Engine>(m_store);
        m_doc = m_engine->openDocument(m_path);
    }

    void sendCommandOnlyQueues()
    {
        QSignalSpy layouts(m_engine.get(), &Engine::layoutsChanged);
        const QStringList before = m_engine->commandHistory();
        m_engine->sendCommand(m_doc, QStringLiteral("_layout\r_copy\rLayout1\rKopie von Layout1\r"));
        // Nothing has run inside the call: the caller goes on before the command runs.
        QCOMPARE(m_engine->commandHistory(), before);
        QCOMPARE(layoutNames(*m_engine, m_doc).size(), 3);
        QCOMPARE(layouts.count(), 0);
        QVERIFY(m_engine->isBusy());
        settle();
        QCOMPARE(layoutNames(*m_engine, m_doc).last(), QStringLiteral("Kopie von Layout1"));
        QCOMPARE(layouts.count(), 1);
        QVERIFY(!m_engine->isBusy());
    }

    void automationCallsActAtOnce()
    {
        const acad::ObjectId id = m_engine->document(m_doc).layouts.at(1).id;
        m_engine->sendCommand(m_doc, QStringLiteral("_layout\r_set\rLayout2\r"));
        m_engine->setLayoutName(m_doc, id, QStringLiteral("Plan"));
        QCOMPARE(layoutNames(*m_engine, m_doc), QStringList({"Model", "Plan", "Layout2"}));
        QCOMPARE(m_engine->document(m_doc).activeLayout, QStringLiteral("Plan"));
        settle();
        QCOMPARE(m_engine->document(m_doc).activeLayout, QStringLiteral("Layout2"));
    }

    void severalSendsRunInOrder()
    {
        // Blattwart's copy: one string per copy, then one to make the first copy current.
        m_engine->sendCommand(m_doc, QStringLiteral("_layout\r_copy\rLayout1\rPlan1\r"));
        m_engine->sendCommand(m_doc, QStringLiteral("_layout\r_copy\rLayout1\rPlan2\r"));
        m_engine->sendCommand(m_doc, QStringLiteral("_layout\r_set\rPlan1\r"));
        settle();
        QCOMPARE(layoutNames(*m_engine, m_doc),
                 QStringList({"Model", "Layout1", "Layout2", "Plan1", "Plan2"}));
        QCOMPARE(m_engine->document(m_doc).activeLayout, QStringLiteral("Plan1"));
    }

    void inputWithoutReturnWaits()
    {
        send(QStringLiteral("_layout\r_se"));
        QVERIFY(m_engine->currentPrompt().startsWith(QStringLiteral("Layout-Option eingeben")));
        send(QStringLiteral("t\rLayout2\r"));
        QCOMPARE(m_engine->document(m_doc).activeLayout, QStringLiteral("Layout2"));
    }

    void escapeEndsTheCommand()
    {
        send(QStringLiteral("_layout\r_copy\r"));
        QVERIFY(m_engine->isBusy());
        send(QString(QChar(27)));
        QCOMPARE(m_engine->currentPrompt(), QStringLiteral("Befehl:"));
        QVERIFY(historyHas(*m_engine, QStringLiteral("*Abbruch*")));
        QCOMPARE(layoutNames(*m_engine, m_doc).size(), 3);
    }

    void unknownCommand()
    {
        send(QStringLiteral("_zaubern\r"));
        QVERIFY(historyHas(*m_engine, QStringLiteral("Unbekannter Befehl \"_ZAUBERN\"")));
        // The English name without "_" is not a German command name.
        send(QStringLiteral("close\r"));
        QVERIFY(isOpen(m_doc));
    }

    void promptSignal()
    {
        QSignalSpy prompts(m_engine.get(), &Engine::promptChanged);
        send(QStringLiteral("_layout\r"));
        QCOMPARE(prompts.count(), 1);
        QVERIFY(prompts.at(0).at(0).toString().startsWith(QStringLiteral("Layout-Option")));
        send(QStringLiteral("?\r"));
        QCOMPARE(prompts.last().at(0).toString(), QStringLiteral("Befehl:"));
    }

    void closeUnmodified()
    {
        QSignalSpy docs(m_engine.get(), &Engine::documentsChanged);
        send(QStringLiteral("_Close\r"));
        QVERIFY(!isOpen(m_doc));
        QCOMPARE(docs.count(), 1);
        QCOMPARE(m_engine->application().activeDocument, 0);
    }

    void closeModified_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<bool>("open");
        QTest::addColumn<bool>("saved");
        QTest::newRow("Ja") << "J\r" << false << true;
        QTest::newRow("Ja, in full") << "ja\r" << false << true;
        QTest::newRow("_Yes") << "_Y\r" << false << true;
        QTest::newRow("Nein") << "N\r" << false << false;
        QTest::newRow("Abbrechen") << "A\r" << true << false;
        QTest::newRow("Escape") << "\x1b" << true << false;
        QTest::newRow("nonsense asks again") << "vielleicht\r" << true << false;
        QTest::newRow("empty asks again") << "\r" << true << false;
    }

    void closeModified()
    {
        QFETCH(QString, answer);
        QFETCH(bool, open);
        QFETCH(bool, saved);
        modify();
        send(QStringLiteral("_Close\r"));
        QVERIFY(isOpen(m_doc));
        QCOMPARE(m_engine->currentPrompt(), QStringLiteral("Änderungen speichern? [Ja/Nein/Abbrechen]"));
        send(answer);
        QCOMPARE(isOpen(m_doc), open);
        QCOMPARE(m_store->load(m_path).layout(QStringLiteral("Geändert")) != nullptr, saved);
    }

    void closeUnnamedAsksForTheFile()
    {
        const acad::DocId doc = m_engine->addDocument(QString());
        m_engine->setVariable(doc, QStringLiteral("FILEDIA"), 0);
        send(QStringLiteral("_layout\r_new\rNeu\r_Close\rJ\r/ablage/Neu.dwg\r"), doc);
        QVERIFY(!isOpen(doc));
        QVERIFY(m_store->load(QStringLiteral("/ablage/Neu.dwg")).layout(QStringLiteral("Neu")));
    }

    void closeKeepsTheDrawingWhenSavingFails()
    {
        modify();
        m_store->failSaves(m_path, true);
        send(QStringLiteral("_Close\rJ\r"));
        QVERIFY(isOpen(m_doc));
        QVERIFY(m_engine->document(m_doc).modified);
        QVERIFY(historyHas(*m_engine, m_path));
    }

    void inputAfterCloseIsDropped()
    {
        send(QStringLiteral("_Close\r_layout\r_new\rX\r"));
        QVERIFY(!isOpen(m_doc));
        QVERIFY(historyHas(*m_engine, QStringLiteral("Eingabe verworfen")));
    }

    void qsave()
    {
        modify();
        QSignalSpy modified(m_engine.get(), &Engine::modifiedChanged);
        send(QStringLiteral("_qsave\r"));
        QVERIFY(!m_engine->document(m_doc).modified);
        QCOMPARE(modified.count(), 1);
        QVERIFY(m_store->load(m_path).layout(QStringLiteral("Geändert")));
    }

    void saveasWithoutDialog()
    {
        m_engine->setVariable(m_doc, QStringLiteral("FILEDIA"), 0);
        send(QStringLiteral("_saveas\r/ablage/Kopie\r"));
        const acad::DocumentRef ref = m_engine->document(m_doc).ref;
        QCOMPARE(ref.name, QStringLiteral("Kopie.dwg"));
        QCOMPARE(ref.path, QStringLiteral("/ablage"));
        QVERIFY(m_store->exists(QStringLiteral("/ablage/Kopie.dwg")));
    }

    void saveasAsksBeforeReplacing()
    {
        const QString other = QStringLiteral("/ablage/Anderes.dwg");
        m_store->put(other, drawingWith({QStringLiteral("Fremd")}));
        m_engine->setVariable(m_doc, QStringLiteral("FILEDIA"), 0);
        send(QStringLiteral("_saveas\r") + other + QStringLiteral("\r"));
        QVERIFY(m_engine->currentPrompt().contains(QStringLiteral("Ersetzen?")));
        send(QStringLiteral("N\r"));
        QVERIFY(m_store->load(other).layout(QStringLiteral("Fremd")));
        QCOMPARE(m_engine->document(m_doc).ref.name, QStringLiteral("Haus.dwg"));
    }

    void saveasOntoAnotherOpenDrawingIsRefused()
    {
        const QString other = QStringLiteral("/ablage/Offen.dwg");
        m_store->put(other, drawingWith({QStringLiteral("Fremd")}));
        m_engine->openDocument(other);
        m_engine->setVariable(m_doc, QStringLiteral("FILEDIA"), 0);
        send(QStringLiteral("_saveas\r") + other + QStringLiteral("\r"));
        QVERIFY(historyHas(*m_engine, QStringLiteral("bereits geöffnet: ") + other));
        QVERIFY(m_store->load(other).layout(QStringLiteral("Fremd")));
    }

    void saveasWithDialogWaits()
    {
        QSignalSpy dialogs(m_engine.get(), &Engine::fileDialogRequested);
        send(QStringLiteral("_saveas\r"));
        QCOMPARE(dialogs.count(), 1);
        QCOMPARE(dialogs.at(0).at(0).value<Engine::FileDialog>(), Engine::FileDialog::SaveDrawing);
        QVERIFY(m_engine->currentPrompt().startsWith(QStringLiteral("Zeichnungsdateiname eingeben")));
        QCOMPARE(m_engine->promptDefault(m_doc), m_path);
        // What the window's dialog answers.
        m_engine->submitInput(QStringLiteral("/ablage/Gewählt.dwg\r"));
        settle();
        QCOMPARE(m_engine->document(m_doc).ref.name, QStringLiteral("Gewählt.dwg"));
    }

    void filediaIsTakenWhenTheTextIsSent()
    {
        // Blattwart sets FILEDIA back to 1 right after sending; the command still runs without a dialog.
        QSignalSpy dialogs(m_engine.get(), &Engine::fileDialogRequested);
        m_engine->setVariable(m_doc, QStringLiteral("FILEDIA"), qint16(0));
        m_engine->sendCommand(m_doc, QStringLiteral("_saveas\r"));
        m_engine->setVariable(m_doc, QStringLiteral("FILEDIA"), qint16(1));
        settle();
        QCOMPARE(dialogs.count(), 0);
        QVERIFY(m_engine->currentPrompt().startsWith(QStringLiteral("Zeichnungsdateiname eingeben")));
        QCOMPARE(m_engine->variable(m_doc, QStringLiteral("FILEDIA")).toInt(), 1);
    }

    // A variable's name at the command prompt asks for its value as the CAD program does.
    void variableAtThePrompt_data()
    {
        QTest::addColumn<int>("before");
        QTest::addColumn<QString>("input");
        QTest::addColumn<int>("after");
        QTest::addColumn<QString>("shown"); // a line the history must hold
        const QString ask = QStringLiteral("Neuen Wert für FILEDIA eingeben <1>:");
        QTest::newRow("set to 0") << 1 << "FILEDIA\r0\r" << 0 << ask;
        QTest::newRow("lower case, set to 1")
            << 0 << "filedia\r1\r" << 1 << "Neuen Wert für FILEDIA eingeben <0>:";
        QTest::newRow("English name") << 1 << "_FILEDIA\r0\r" << 0 << ask;
        QTest::newRow("spaces around the value") << 1 << "FILEDIA\r 0 \r" << 0 << ask;
        QTest::newRow("empty answer keeps it") << 0 << "FILEDIA\r\r" << 0 << "<0>:";
        QTest::newRow("out of range")
            << 0 << "FILEDIA\r2\r" << 0 << "Ungültiger Wert für FILEDIA: 2 (erlaubt sind 0 und 1).";
        QTest::newRow("not a number") << 1 << "FILEDIA\rja\r" << 1 << "Ungültiger Wert für FILEDIA: ja";
        QTest::newRow("Escape") << 1 << "FILEDIA\r\x1b" << 1 << "*Abbruch*";
        QTest::newRow("read-only text") << 1 << "ctab\r" << 1 << "CTAB = \"Layout1\" (schreibgeschützt)";
        QTest::newRow("read-only number") << 1 << "DBMOD\r" << 1 << "DBMOD = 0 (schreibgeschützt)";
    }

    void variableAtThePrompt()
    {
        QFETCH(int, before);
        QFETCH(QString, input);
        QFETCH(int, after);
        QFETCH(QString, shown);
        m_engine->setVariable(m_doc, QStringLiteral("FILEDIA"), before);
        send(input);
        QCOMPARE(m_engine->variable(m_doc, QStringLiteral("FILEDIA")).toInt(), after);
        QCOMPARE(m_engine->currentPrompt(), QStringLiteral("Befehl:"));
        QVERIFY2(historyHas(*m_engine, shown), qPrintable(m_engine->commandHistory().join(u'\n')));
        QVERIFY(!historyHas(*m_engine, QStringLiteral("Unbekannter Befehl")));
        QVERIFY(!m_engine->document(m_doc).modified);
    }

    // "FILEDIA", "0" and a file command in one text: the command runs with the new value.
    void filediaSetInTheSameTextCounts()
    {
        QSignalSpy dialogs(m_engine.get(), &Engine::fileDialogRequested);
        send(QStringLiteral("FILEDIA\r0\r_saveas\r"));
        QVERIFY(m_engine->currentPrompt().startsWith(QStringLiteral("Zeichnungsdateiname eingeben")));
        QCOMPARE(dialogs.count(), 0);
    }

    // Without a drawing FILEDIA is the host's own; drawings opened afterwards start with it.
    void filediaWithoutADrawing()
    {
        send(QStringLiteral("_Close\r"));
        QSignalSpy dialogs(m_engine.get(), &Engine::fileDialogRequested);
        m_engine->submitInput(QStringLiteral("FILEDIA\r0\rCTAB\r_open\r"));
        settle();
        QCOMPARE(dialogs.count(), 0);
        QVERIFY(historyHas(*m_engine, QStringLiteral("Die Systemvariable CTAB gehört zu einer Zeichnung")));
        m_engine->submitInput(m_path + QStringLiteral("\r_saveas\r"));
        settle();
        QCOMPARE(dialogs.count(), 0);
        const acad::DocId opened = m_engine->application().activeDocument;
        QCOMPARE(m_engine->variable(opened, QStringLiteral("FILEDIA")).toInt(), 0);
        QCOMPARE(m_engine->variable(m_engine->addDocument(QString()), QStringLiteral("FILEDIA")).toInt(), 0);
    }

    void open_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("opens");
        QTest::newRow("file") << "/projekt/Zweites.dwg" << true;
        QTest::newRow("missing") << "/projekt/Fehlt.dwg" << false;
    }

    void open()
    {
        QFETCH(QString, path);
        QFETCH(bool, opens);
        m_store->put(QStringLiteral("/projekt/Zweites.dwg"), drawingWith({QStringLiteral("A")}));
        m_engine->setVariable(m_doc, QStringLiteral("FILEDIA"), 0);
        send(QStringLiteral("_open\r") + path + QStringLiteral("\r"));
        QCOMPARE(m_engine->application().documents.size(), opens ? 2 : 1);
        QCOMPARE(m_engine->application().activeDocument != m_doc, opens);
        if (!opens)
            QVERIFY(historyHas(*m_engine, path));
    }

    void openWithoutAnyDrawing()
    {
        send(QStringLiteral("_Close\r"));
        m_engine->submitInput(QStringLiteral("_open\r") + m_path + QStringLiteral("\r"));
        settle();
        QCOMPARE(m_engine->application().documents.size(), 1);
    }

    void quitUnmodified()
    {
        QSignalSpy quit(m_engine.get(), &Engine::quitRequested);
        send(QStringLiteral("_quit\r"));
        QCOMPARE(quit.count(), 1);
        QVERIFY(m_engine->application().documents.isEmpty());
    }

    void quitAsksForEachModifiedDrawing()
    {
        modify();
        QSignalSpy quit(m_engine.get(), &Engine::quitRequested);
        send(QStringLiteral("_quit\r"));
        QCOMPARE(m_engine->currentPrompt(),
                 QStringLiteral("Änderungen an Haus.dwg speichern? [Ja/Nein/Abbrechen]"));
        send(QStringLiteral("A\r"));
        QCOMPARE(quit.count(), 0);
        QVERIFY(isOpen(m_doc));
        send(QStringLiteral("_quit\rJ\r"));
        QCOMPARE(quit.count(), 1);
        QVERIFY(m_store->load(m_path).layout(QStringLiteral("Geändert")));
    }

    void quitQuestionForADrawingClosedMeanwhile()
    {
        const acad::DocId other = m_engine->addDocument(QString());
        send(QStringLiteral("_layout\r_new\rX\r"), other);
        m_engine->activateDocument(m_doc);
        QSignalSpy quit(m_engine.get(), &Engine::quitRequested);
        send(QStringLiteral("_quit\r"));
        QVERIFY(m_engine->currentPrompt().contains(QStringLiteral("Zeichnung1.dwg")));
        m_engine->closeDocument(other, false);
        send(QStringLiteral("J\r"));
        QCOMPARE(quit.count(), 1);
    }

    void automationQuitKeepsUnsavedWork()
    {
        modify();
        QSignalSpy quit(m_engine.get(), &Engine::quitRequested);
        QVERIFY_THROWS_EXCEPTION(acad::Error, m_engine->quit());
        QCOMPARE(quit.count(), 0);
        QVERIFY(isOpen(m_doc));
        m_engine->setInteractive(true);
        send(QStringLiteral("_layout\r"));
        QVERIFY_THROWS_EXCEPTION(acad::Error, m_engine->quit());
        send(QString(QChar(27)));
        m_engine->quit();
        settle();
        QVERIFY(m_engine->currentPrompt().startsWith(QStringLiteral("Änderungen an Haus.dwg speichern?")));
    }

    void designCenter_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("recorded");
        const QString folder = QCoreApplication::applicationDirPath();
        QTest::newRow("folder") << folder << folder;
        QTest::newRow("drawing of the store") << m_path << m_path;
        QTest::newRow("no path") << ""
                                 << "";
        QTest::newRow("missing") << "/gibt/es/nicht"
                                 << "";
    }

    void designCenter()
    {
        QFETCH(QString, path);
        QFETCH(QString, recorded);
        QSignalSpy navigated(m_engine.get(), &Engine::designCenterNavigated);
        send(QStringLiteral("ADCNAVIGIEREN\r\r") + path + QStringLiteral("\r"));
        QCOMPARE(m_engine->designCenterPath(), recorded);
        QCOMPARE(navigated.count(), recorded.isEmpty() ? 0 : 1);
        QCOMPARE(m_engine->currentPrompt(), QStringLiteral("Befehl:"));
        if (path.startsWith(QLatin1String("/gibt")))
            QVERIFY(historyHas(*m_engine, QStringLiteral("nicht gefunden: /gibt/es/nicht")));
    }

    void designCenterPathIsNoFileDialog()
    {
        QSignalSpy dialogs(m_engine.get(), &Engine::fileDialogRequested);
        send(QStringLiteral("ADCNAVIGIEREN\r\r"));
        QVERIFY(m_engine->currentPrompt().startsWith(QStringLiteral("Pfadname eingeben")));
        QCOMPARE(dialogs.count(), 0);
    }

    void arbitraryInputKeepsTheDrawingsSound()
    {
        // Answers of every kind in random order, a fixed seed: no crash, no exception out of the event
        // loop, and every drawing keeps "Model" first, a paper layout, unique names and a valid
        // current layout.
        m_store->put(QStringLiteral("/p/T.dwt"),
                     drawingWith({QStringLiteral("Plan A"), QStringLiteral("Layout1")}));
        const QStringList tokens{"_layout",
                                 "layout",
                                 "_copy",
                                 "kopieren",
                                 "_set",
                                 "SI",
                                 "_saveas",
                                 "_new",
                                 "_delete",
                                 "löschen",
                                 "_rename",
                                 "vorlage",
                                 "?",
                                 "*",
                                 "Layout1",
                                 "Layout2",
                                 "Plan A",
                                 "/p/T.dwt",
                                 m_path,
                                 "",
                                 "J",
                                 "N",
                                 "A",
                                 "_Close",
                                 "_qsave",
                                 "_open",
                                 "a:b",
                                 "Model",
                                 "\x1b",
                                 "ADCNAVIGIEREN",
                                 QString(300, QLatin1Char('x'))};
        QRandomGenerator random(4711);
        for (int step = 0; step < 3000; ++step) {
            if (m_engine->application().documents.isEmpty())
                m_engine->openDocument(m_path);
            const acad::ApplicationSnapshot app = m_engine->application();
            const acad::DocId doc = app.documents.at(random.bounded(int(app.documents.size()))).id;
            QString text;
            for (int j = random.bounded(1, 5); j > 0; --j)
                text += tokens.at(random.bounded(int(tokens.size()))) + QLatin1Char('\r');
            m_engine->setVariable(doc, QStringLiteral("FILEDIA"), random.bounded(2));
            send(text, doc);
            for (const acad::DocumentRef& ref : m_engine->application().documents) {
                const acad::DocumentSnapshot s = m_engine->document(ref.id);
                QCOMPARE(s.layouts.first().name, QStringLiteral("Model"));
                QVERIFY(s.layouts.size() >= 2);
                QSet<QString> names;
                for (const acad::LayoutRef& l : s.layouts)
                    names.insert(l.name.toUpper());
                QCOMPARE(names.size(), s.layouts.size());
                QVERIFY(names.contains(s.activeLayout.toUpper()));
            }
        }
    }

    void commandsOfTwoDrawingsKeepApart()
    {
        m_store->put(QStringLiteral("/projekt/B.dwg"),
                     drawingWith({QStringLiteral("B1"), QStringLiteral("B2")}));
        const acad::DocId b = m_engine->openDocument(QStringLiteral("/projekt/B.dwg"));
        m_engine->sendCommand(m_doc, QStringLiteral("_layout\r_copy\r"));
        m_engine->sendCommand(b, QStringLiteral("_layout\r_set\rB2\r"));
        m_engine->sendCommand(m_doc, QStringLiteral("Layout2\rZ\r"));
        settle();
        QCOMPARE(m_engine->document(b).activeLayout, QStringLiteral("B2"));
        QCOMPARE(layoutNames(*m_engine, m_doc).last(), QStringLiteral("Z"));
    }
    void windowAnswersInsideTheDialogSignal()
    {
        // The window runs a modal file dialog inside the slot and sends its answer from there.
        connect(m_engine.get(), &Engine::fileDialogRequested, this,
                [this](Engine::FileDialog, acad::DocId doc) {
                    m_engine->sendCommand(doc, QStringLiteral("/ablage/Modal.dwg\r"));
                    QCoreApplication::processEvents();
                });
        send(QStringLiteral("_saveas\r"));
        settle();
        QCOMPARE(m_engine->document(m_doc).ref.name, QStringLiteral("Modal.dwg"));
    }

    void eventLoopInsideASignalKeepsTheOrder()
    {
        bool once = true;
        connect(m_engine.get(), &Engine::layoutsChanged, this, [&] {
            if (!std::exchange(once, false))
                return;
            m_engine->sendCommand(m_doc, QStringLiteral("_layout\r_copy\rLayout1\rC\r"));
            QCoreApplication::processEvents();
        });
        m_engine->sendCommand(m_doc, QStringLiteral("_layout\r_copy\rLayout1\rA\r"));
        m_engine->sendCommand(m_doc, QStringLiteral("_layout\r_copy\rLayout1\rB\r"));
        settle();
        settle();
        QCOMPARE(layoutNames(*m_engine, m_doc).mid(3), QStringList({"A", "B", "C"}));
    }

    // --- undo

    void undo_data()
    {
        QTest::addColumn<QStringList>("inputs"); // each sent and worked off on its own
        QTest::addColumn<QStringList>("layouts");
        QTest::newRow("U takes back one copy") << QStringList{"_layout\r_copy\rLayout1\rA\r", "_u\r"}
                                               << QStringList{"Model", "Layout1", "Layout2"};
        QTest::newRow("each command is a step of its own")
            << QStringList{"_layout\r_copy\rLayout1\rA\r", "_layout\r_copy\rLayout1\rB\r", "_u\r"}
            << QStringList{"Model", "Layout1", "Layout2", "A"};
        QTest::newRow("a mark is one step, whatever it holds")
            << QStringList{"_undo\r_begin\r",
                           "_layout\r_copy\rLayout1\rA\r",
                           "_layout\r_delete\rLayout2\r",
                           "_layout\r_rename\rLayout1\rPlan\r",
                           "_undo\r_end\r",
                           "_u\r"}
            << QStringList{"Model", "Layout1", "Layout2"};
        QTest::newRow("the steps before a mark stay")
            << QStringList{"_layout\r_copy\rLayout1\rA\r", "_undo\r_begin\r", "_layout\r_copy\rLayout1\rB\r",
                           "_undo\r_end\r", "U\r"}
            << QStringList{"Model", "Layout1", "Layout2", "A"};
        QTest::newRow("U ends a mark left open")
            << QStringList{"_undo\r_begin\r", "_layout\r_copy\rLayout1\rA\r", "_layout\r_copy\rLayout1\rB\r",
                           "Z\r"}
            << QStringList{"Model", "Layout1", "Layout2"};
        QTest::newRow("a mark that changed nothing is no step")
            << QStringList{"_layout\r_copy\rLayout1\rA\r", "_undo\r_begin\r", "_undo\r_end\r", "_u\r"}
            << QStringList{"Model", "Layout1", "Layout2"};
        QTest::newRow("a refused command is no step")
            << QStringList{"_layout\r_copy\rLayout1\rA\r", "_layout\r_copy\rLayout1\ra;b\r", "_u\r"}
            << QStringList{"Model", "Layout1", "Layout2"};
        QTest::newRow("undo with a count")
            << QStringList{"_layout\r_copy\rLayout1\rA\r", "_layout\r_copy\rLayout1\rB\r", "_undo\r2\r"}
            << QStringList{"Model", "Layout1", "Layout2"};
        QTest::newRow("undo without an answer takes one")
            << QStringList{"_layout\r_copy\rLayout1\rA\r", "_layout\r_copy\rLayout1\rB\r", "ZLÖSCH\r\r"}
            << QStringList{"Model", "Layout1", "Layout2", "A"};
        QTest::newRow("nothing to take back")
            << QStringList{"_u\r"} << QStringList{"Model", "Layout1", "Layout2"};
    }
    void undo()
    {
        QFETCH(QStringList, inputs);
        QFETCH(QStringList, layouts);
        for (const QString& input : inputs)
            send(input);
        QCOMPARE(layoutNames(*m_engine, m_doc), layouts);
        QVERIFY(!m_engine->isBusy());
    }

    void undoBringsBackWhatTheLayoutsHeld()
    {
        const acad::DocumentSnapshot before = m_engine->document(m_doc);
        const cadhost::Drawing drawing = *m_engine->drawing(m_doc);
        m_engine->saveDocument(m_doc);
        send(QStringLiteral("_undo\r_begin\r"));
        m_engine->setLayoutName(m_doc, before.layouts.at(1).id, QStringLiteral("Plan"));
        send(QStringLiteral("_layout\r_delete\rLayout2\r_layout\r_new\rNeu\r_undo\r_end\r"));
        QCOMPARE(layoutNames(*m_engine, m_doc), (QStringList{"Model", "Plan", "Neu"}));
        send(QStringLiteral("_u\r"));
        // Names, tab order, plot settings, paper-space contents and ids as before.
        QCOMPARE(m_engine->drawing(m_doc)->layouts, drawing.layouts);
        QCOMPARE(m_engine->document(m_doc).activeLayout, before.activeLayout);
        // Taking back is a change of its own: the drawing differs from its file.
        QVERIFY(m_engine->document(m_doc).modified);
        QVERIFY(historyHas(*m_engine, QStringLiteral("Ein Schritt rückgängig gemacht.")));
        send(QStringLiteral("_u\r"));
        QVERIFY(historyHas(*m_engine, QStringLiteral("Es gibt nichts rückgängig zu machen.")));
    }

    void automationEditsAreStepsToo()
    {
        const acad::ObjectId id = m_engine->document(m_doc).layouts.at(1).id;
        m_engine->setLayoutName(m_doc, id, QStringLiteral("A"));
        m_engine->setLayoutName(m_doc, id, QStringLiteral("B"));
        send(QStringLiteral("_u\r"));
        QCOMPARE(layoutNames(*m_engine, m_doc), (QStringList{"Model", "A", "Layout2"}));
    }

    void stepsDieWithTheDrawing()
    {
        send(QStringLiteral("_layout\r_copy\rLayout1\rA\r"));
        m_engine->saveDocument(m_doc);
        m_engine->closeDocument(m_doc, false);
        m_doc = m_engine->openDocument(m_path);
        send(QStringLiteral("_u\r"));
        QCOMPARE(layoutNames(*m_engine, m_doc), (QStringList{"Model", "Layout1", "Layout2", "A"}));
    }

    void stepsAreBounded()
    {
        const acad::ObjectId id = m_engine->document(m_doc).layouts.at(1).id;
        for (int i = 1; i <= 150; ++i)
            m_engine->setLayoutName(m_doc, id, QStringLiteral("Plan%1").arg(i));
        send(QStringLiteral("_undo\r1000\r"));
        // The oldest 50 steps are gone: the name they came from stays.
        QCOMPARE(layoutNames(*m_engine, m_doc), (QStringList{"Model", "Plan50", "Layout2"}));
        QVERIFY(historyHas(*m_engine, QStringLiteral("100 Schritte rückgängig gemacht.")));
    }
};

QTEST_GUILESS_MAIN(TestEngineCommands)
#include "tst_enginecommands.moc"
