// The layout rules and the LAYOUT command, with the command strings exactly as Blattwart sends them.
#include "EngineTestUtil.h"

using namespace enginetest;
using cadhost::Engine;
using cadhost::MemoryStore;

class TestEngineLayouts : public QObject
{
    Q_OBJECT

private:
    std::shared_ptr<MemoryStore> m_store;
    std::unique_ptr<Engine> m_engine;
    acad::DocId m_doc = 0;

    acad::ObjectId layoutId(const QString& name)
    {
        for (const acad::LayoutRef& l : m_engine->document(m_doc).layouts) {
            if (l.name == name)
                return l.id;
        }
        return 0;
    }

    void send(const QString& text)
    {
        m_engine->sendCommand(m_doc, text);
        settle();
    }

private slots:
    void init()
    {
        m_store = std::make_shared<MemoryStore>();
        m_store->put(QStringLiteral("/projekt/Haus.dwg"),
                     drawingWith({QStringLiteral("Layout1"), QStringLiteral("Layout2")}));
        m_engine = std::make_unique<Engine>(m_store);
        m_doc = m_engine->openDocument(QStringLiteral("/projekt/Haus.dwg"));
    }

    void nameRules_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("error"); // empty: accepted
        QTest::newRow("plain") << "Plan A"
                               << "";
        QTest::newRow("own name, other case") << "LAYOUT1"
                                              << "";
        QTest::newRow("apostrophe and acute accent") << QStringLiteral("Plan's ´1") << "";
        QTest::newRow("255 characters") << QString(255, QLatin1Char('x')) << "";
        QTest::newRow("256 characters") << QString(256, QLatin1Char('x')) << "länger als 255";
        QTest::newRow("empty") << ""
                               << "nicht leer";
        QTest::newRow("other layout, other case") << "layout2"
                                                  << "Layoutname ist bereits vorhanden: layout2";
        QTest::newRow("model, other case") << "MODEL"
                                           << "bereits vorhanden";
        // Control characters end or cancel answers on the command line and break a saved file.
        for (const char16_t c : {u'\n', u'\r', u'\x1b', u'\t', u'\0', u'\x7f', u'\x85', u'\u2028'})
            QTest::newRow(
                qPrintable(QStringLiteral("control character U+%1").arg(int(c), 4, 16, QLatin1Char('0'))))
                << QStringLiteral("Neu") + QChar(c) + QStringLiteral("Zeile") << "Steuerzeichen";
        const QString forbidden = QStringLiteral("<>/\\\":;?*|,=`");
        for (const QChar c : forbidden)
            QTest::newRow(qPrintable(QStringLiteral("character %1").arg(c)))
                << QStringLiteral("Plan%1A").arg(c) << "ungültige Zeichen";
    }

    void nameRules()
    {
        QFETCH(QString, name);
        QFETCH(QString, error);
        const acad::ObjectId id = layoutId(QStringLiteral("Layout1"));
        QString thrown;
        try {
            m_engine->setLayoutName(m_doc, id, name);
        } catch (const acad::Error& e) {
            thrown = e.description();
        }
        if (error.isEmpty()) {
            QCOMPARE(thrown, QString());
            QCOMPARE(m_engine->objectIdToObject(m_doc, id).layout.name, name);
        } else {
            QVERIFY2(thrown.contains(error), qPrintable(thrown));
            QCOMPARE(m_engine->objectIdToObject(m_doc, id).layout.name, QStringLiteral("Layout1"));
        }
    }

    void modelCannotBeRenamed()
    {
        QVERIFY_THROWS_EXCEPTION(acad::Error, m_engine->setLayoutName(m_doc, layoutId("Model"), "Modell"));
        QCOMPARE(layoutNames(*m_engine, m_doc), QStringList({"Model", "Layout1", "Layout2"}));
    }

    void layoutCommand_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QStringList>("layouts");
        QTest::addColumn<QString>("active");
        QTest::addColumn<QString>("message");
        const QStringList start{"Model", "Layout1", "Layout2"};
        QTest::newRow("copy") << "_layout\r_copy\rLayout1\rKopie von Layout1\r"
                              << QStringList{"Model", "Layout1", "Layout2", "Kopie von Layout1"} << "Layout1"
                              << "";
        QTest::newRow("copy, then set")
            << "_layout\r_copy\rLayout1\rKopie von Layout1\r_layout\r_set\rKopie von Layout1\r"
            << QStringList{"Model", "Layout1", "Layout2", "Kopie von Layout1"} << "Kopie von Layout1"
            << "";
        QTest::newRow("copy, German") << "layout\rkopieren\rLayout2\rPlan\r"
                                      << QStringList{"Model", "Layout1", "Layout2", "Plan"} << "Layout1"
                                      << "";
        QTest::newRow("copy, proposed name")
            << "_layout\r_copy\r\r\r" << QStringList{"Model", "Layout1", "Layout2", "Layout1 (2)"}
            << "Layout1"
            << "";
        QTest::newRow("copy onto a taken name") << "_layout\r_copy\rLayout1\rLAYOUT2\r" << start << "Layout1"
                                                << "Layoutname ist bereits vorhanden: LAYOUT2";
        QTest::newRow("copy with a colon") << "_layout\r_copy\rLayout1\rA:B\r" << start << "Layout1"
                                           << "ungültige Zeichen";
        QTest::newRow("copy of a missing layout") << "_layout\r_copy\rPlan 9\r" << start << "Layout1"
                                                  << "Layout nicht gefunden: Plan 9";
        QTest::newRow("set, other case") << "_layout\r_set\rlayout2\r" << start << "Layout2"
                                         << "";
        QTest::newRow("set, German") << "layout\rsetzen\rLayout2\r" << start << "Layout2"
                                     << "";
        QTest::newRow("set is the default option") << "_layout\r\rLayout2\r" << start << "Layout2"
                                                   << "";
        QTest::newRow("bad option asks again") << "_layout\rxyz\r_set\rLayout2\r" << start << "Layout2"
                                               << "Ungültige Option: xyz";
        QTest::newRow("new") << "_layout\r_new\rNeu 1\r"
                             << QStringList{"Model", "Layout1", "Layout2", "Neu 1"} << "Layout1"
                             << "";
        QTest::newRow("new, proposed name")
            << "layout\rneu\r\r" << QStringList{"Model", "Layout1", "Layout2", "Layout3"} << "Layout1"
            << "";
        QTest::newRow("delete the current layout")
            << "_layout\r_delete\rLayout1\r" << QStringList{"Model", "Layout2"} << "Layout2"
            << "";
        QTest::newRow("delete, German")
            << "layout\rlöschen\rLayout2\r" << QStringList{"Model", "Layout1"} << "Layout1"
            << "";
        QTest::newRow("delete Model") << "_layout\r_delete\rModel\r" << start << "Layout1"
                                      << "\"Model\" kann nicht gelöscht werden";
        QTest::newRow("delete the last paper layout")
            << "_layout\r_delete\rLayout1\r_layout\r_delete\rLayout2\r" << QStringList{"Model", "Layout2"}
            << "Layout2"
            << "letzte Layout";
        QTest::newRow("rename the current layout")
            << "_layout\r_rename\rLayout1\rPlan\r" << QStringList{"Model", "Plan", "Layout2"} << "Plan"
            << "";
        QTest::newRow("rename Model") << "layout\rumbenennen\rModel\rModell\r" << start << "Layout1"
                                      << "\"Model\" kann nicht umbenannt werden";
        QTest::newRow("list") << "_layout\r?\r" << start << "Layout1"
                              << "Aktive Layouts: Model, Layout1, Layout2";
        // An answer with a control character is no name: the prompt asks again (Escape ends it).
        QTest::newRow("rename to a name with a line feed")
            << "_layout\r_rename\rLayout1\rNeu\nZeile\r\x1b" << start << "Layout1"
            << "Steuerzeichen (U+000A): Neu<U+000A>Zeile";
        QTest::newRow("new with a line feed") << "_layout\r_new\rNeu\nZeile\r\x1b" << start << "Layout1"
                                              << "Steuerzeichen (U+000A)";
        QTest::newRow("copy with a bell") << "_layout\r_copy\rLayout1\rA\x07"
                                             "B\r\x1b" << start << "Layout1"
                                          << "Steuerzeichen (U+0007)";
        QTest::newRow("refused answer, then a real one")
            << "_layout\r_new\rNeu\nZeile\rNeu\r" << QStringList{"Model", "Layout1", "Layout2", "Neu"}
            << "Layout1"
            << "Steuerzeichen (U+000A)";
    }

    void layoutCommand()
    {
        QFETCH(QString, command);
        QFETCH(QStringList, layouts);
        QFETCH(QString, active);
        QFETCH(QString, message);
        send(command);
        QCOMPARE(layoutNames(*m_engine, m_doc), layouts);
        QCOMPARE(m_engine->document(m_doc).activeLayout, active);
        QCOMPARE(m_engine->currentPrompt(), QStringLiteral("Befehl:"));
        if (!message.isEmpty())
            QVERIFY2(historyHas(*m_engine, message), qPrintable(m_engine->commandHistory().join('\n')));
        QCOMPARE(m_engine->document(m_doc).modified, layouts != QStringList({"Model", "Layout1", "Layout2"}));
    }

    // A file may bring a name with a control character: it stays, is flagged for the clients, and the
    // command line neither offers it as the default nor takes it as an answer.
    void nameWithControlCharacterIsFlaggedAndNotOffered()
    {
        const QString unsafe = QStringLiteral("A\x1b"
                                              "B");
        m_store->put(QStringLiteral("/projekt/Fremd.dwg"), drawingWith({unsafe, QStringLiteral("Layout2")}));
        m_doc = m_engine->openDocument(QStringLiteral("/projekt/Fremd.dwg"));
        QList<bool> flags;
        for (const acad::LayoutRef& l : m_engine->document(m_doc).layouts)
            flags.append(l.unsafeName);
        QCOMPARE(flags, (QList<bool>{false, true, false}));
        QCOMPARE(m_engine->objectIdToObject(m_doc, layoutId(unsafe)).layout.unsafeName, true);
        send(QStringLiteral("_layout\r_delete\r\r"));
        QVERIFY2(historyHas(*m_engine, QStringLiteral("Name des zu löschenden Layouts eingeben:")),
                 qPrintable(m_engine->commandHistory().join('\n')));
        send(QStringLiteral("_layout\r_delete\r") + unsafe + QStringLiteral("\r\x1b"));
        QCOMPARE(layoutNames(*m_engine, m_doc), (QStringList{"Model", unsafe, "Layout2"}));
        QCOMPARE(m_engine->currentPrompt(), QStringLiteral("Befehl:"));
    }

    void copyCarriesContentWithNewIds()
    {
        send(QStringLiteral("_layout\r_copy\rLayout1\rKopie von Layout1\r"));
        const cadhost::Drawing* d = m_engine->drawing(m_doc);
        const cadhost::Layout& source = *d->layout("Layout1");
        const cadhost::Layout& copy = *d->layout("Kopie von Layout1");
        QCOMPARE(copy.plot, source.plot);
        QCOMPARE(copy.extra, source.extra);
        QCOMPARE(copy.entities.size(), source.entities.size());
        QVERIFY(copy.id != source.id);
        for (qsizetype i = 0; i < copy.entities.size(); ++i) {
            QVERIFY(copy.entities[i].id != source.entities[i].id);
            QCOMPARE(copy.entities[i].extra, source.entities[i].extra);
            QCOMPARE(copy.entities[i].xdata, source.entities[i].xdata);
        }
        QCOMPARE(copy.tabOrder, 3);
    }

    void insertFromTemplate_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("layouts");
        QTest::newRow("all") << "*\r" << QStringList{"Model", "Layout1", "Layout2", "Plan A", "Layout1 (2)"};
        QTest::newRow("one, other case")
            << "plan a\r" << QStringList{"Model", "Layout1", "Layout2", "Plan A"};
        QTest::newRow("two") << "Plan A, Layout1\r"
                             << QStringList{"Model", "Layout1", "Layout2", "Plan A", "Layout1 (2)"};
        QTest::newRow("wildcard") << "Pl*\r" << QStringList{"Model", "Layout1", "Layout2", "Plan A"};
        QTest::newRow("list first") << "?\r*\r"
                                    << QStringList{"Model", "Layout1", "Layout2", "Plan A", "Layout1 (2)"};
        QTest::newRow("nothing") << "\r" << QStringList{"Model", "Layout1", "Layout2"};
        QTest::newRow("unknown") << "Schnitt\r" << QStringList{"Model", "Layout1", "Layout2"};
    }

    void insertFromTemplate()
    {
        QFETCH(QString, answer);
        QFETCH(QStringList, layouts);
        const QString path = QStringLiteral("/bibliothek/Typ 1/Vorlage A.dwt");
        m_store->put(path, drawingWith({QStringLiteral("Plan A"), QStringLiteral("Layout1")}));
        QSignalSpy dialogs(m_engine.get(), &Engine::fileDialogRequested);
        // As Blattwart does it: FILEDIA 0 around the send, the rest typed by the user.
        m_engine->setVariable(m_doc, QStringLiteral("FILEDIA"), qint16(0));
        m_engine->sendCommand(m_doc, QStringLiteral("layout\rvorlage\r") + path + QStringLiteral("\r"));
        m_engine->setVariable(m_doc, QStringLiteral("FILEDIA"), qint16(1));
        settle();
        QCOMPARE(m_engine->currentPrompt(), QStringLiteral("Layout-Name(n) eingeben oder [?]:"));
        // The choice stands above the prompt, without a "?" first.
        QVERIFY(historyHas(*m_engine, QStringLiteral("Layouts der Vorlage: Plan A, Layout1")));
        send(answer);
        QCOMPARE(layoutNames(*m_engine, m_doc), layouts);
        QCOMPARE(dialogs.count(), 0);
        QCOMPARE(m_engine->currentPrompt(), QStringLiteral("Befehl:"));
        const acad::DocumentSnapshot s = m_engine->document(m_doc);
        for (qint32 i = 0; i < s.layouts.size(); ++i)
            QCOMPARE(s.layouts[i].tabOrder, i);
    }

    void insertedLayoutKeepsItsContent()
    {
        const QString path = QStringLiteral("/bibliothek/V.dwt");
        m_store->put(path, drawingWith({QStringLiteral("Plan A")}));
        m_engine->setVariable(m_doc, QStringLiteral("FILEDIA"), 0);
        send(QStringLiteral("layout\rvorlage\r") + path + QStringLiteral("\r"));
        send(QStringLiteral("*\r"));
        const cadhost::Layout& inserted = *m_engine->drawing(m_doc)->layout("Plan A");
        const cadhost::Drawing stored = m_store->load(path);
        const cadhost::Layout& original = *stored.layout("Plan A");
        QCOMPARE(inserted.extra, original.extra);
        QCOMPARE(inserted.plot, original.plot);
        QCOMPARE(inserted.entities.size(), 2);
        QCOMPARE(inserted.entities[0].extra, original.entities[0].extra);
        QVERIFY(inserted.entities[0].id != 0);
        QCOMPARE(m_engine->objectIdToObject(m_doc, inserted.entities[0].id).entity.entityType, 35);
    }

    void templateThatCannotBeRead()
    {
        m_engine->setVariable(m_doc, QStringLiteral("FILEDIA"), 0);
        send(QStringLiteral("layout\rvorlage\r/bibliothek/fehlt.dwt\r"));
        QVERIFY(historyHas(*m_engine, QStringLiteral("/bibliothek/fehlt.dwt")));
        QCOMPARE(m_engine->currentPrompt(), QStringLiteral("Befehl:"));
        QCOMPARE(layoutNames(*m_engine, m_doc), QStringList({"Model", "Layout1", "Layout2"}));
    }

    void templateWithFileDialog()
    {
        // FILEDIA 1: the window is asked for a dialog; headless the prompt waits for the path.
        QSignalSpy dialogs(m_engine.get(), &Engine::fileDialogRequested);
        send(QStringLiteral("layout\rvorlage\r"));
        QCOMPARE(dialogs.count(), 1);
        QCOMPARE(dialogs.at(0).at(0).value<Engine::FileDialog>(), Engine::FileDialog::OpenTemplate);
        QCOMPARE(dialogs.at(0).at(1).value<acad::DocId>(), m_doc);
        QCOMPARE(m_engine->currentPrompt(), QStringLiteral("Dateiname der Vorlage eingeben:"));
        QVERIFY(m_engine->isBusy());
        m_store->put(QStringLiteral("/v/T.dwt"), drawingWith({QStringLiteral("Plan B")}));
        send(QStringLiteral("/v/T.dwt\rPlan B\r"));
        QCOMPARE(layoutNames(*m_engine, m_doc), QStringList({"Model", "Layout1", "Layout2", "Plan B"}));
        QCOMPARE(dialogs.count(), 1);
    }

    void saveAsTemplate()
    {
        const QString folder = QStringLiteral("/bibliothek/Typ 1");
        send(QStringLiteral("_layout\r_copy\rLayout1\rPlan A\r"));
        m_engine->setVariable(m_doc, QStringLiteral("FILEDIA"), qint16(0));
        m_engine->sendCommand(m_doc, QStringLiteral("_layout\rSI\rPlan A\r") + folder +
                                         QStringLiteral("/Plan A.dwt\r"));
        m_engine->setVariable(m_doc, QStringLiteral("FILEDIA"), qint16(1));
        settle();
        QVERIFY(m_store->exists(folder + QStringLiteral("/Plan A.dwt")));
        const cadhost::Drawing t = m_store->load(folder + QStringLiteral("/Plan A.dwt"));
        QCOMPARE(t.layouts.size(), 2);
        QCOMPARE(t.layouts[0].name, QStringLiteral("Model"));
        QCOMPARE(t.layouts[1].name, QStringLiteral("Plan A"));
        QCOMPARE(t.layouts[1].entities.size(), 2);
        QCOMPARE(t.layouts[1].entities[0].extra,
                 m_engine->drawing(m_doc)->layout("Plan A")->entities[0].extra);
        // Writing a template leaves the drawing as it was.
        QCOMPARE(layoutNames(*m_engine, m_doc), QStringList({"Model", "Layout1", "Layout2", "Plan A"}));
    }

    void saveAsTemplateAsksBeforeReplacing_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QString>("layoutInFile");
        QTest::newRow("no") << "N\r"
                            << "Alt";
        QTest::newRow("default is no") << "\r"
                                       << "Alt";
        QTest::newRow("yes") << "J\r"
                             << "Layout2";
    }

    void saveAsTemplateAsksBeforeReplacing()
    {
        QFETCH(QString, answer);
        QFETCH(QString, layoutInFile);
        const QString file = QStringLiteral("/bibliothek/Plan.dwt");
        m_store->put(file, drawingWith({QStringLiteral("Alt")}));
        m_engine->setVariable(m_doc, QStringLiteral("FILEDIA"), 0);
        send(QStringLiteral("_layout\rSI\rLayout2\r") + file + QStringLiteral("\r"));
        QVERIFY(m_engine->currentPrompt().contains(QStringLiteral("Ersetzen? [Ja/Nein]")));
        send(answer);
        QCOMPARE(m_store->load(file).layouts.at(1).name, layoutInFile);
    }

    void saveAsTemplateOfModelIsRefused()
    {
        m_engine->setVariable(m_doc, QStringLiteral("FILEDIA"), 0);
        send(QStringLiteral("_layout\rSI\rModel\r/b/M.dwt\r"));
        QVERIFY(!m_store->exists(QStringLiteral("/b/M.dwt")));
        QVERIFY(historyHas(*m_engine, QStringLiteral("\"Model\" kann nicht als Vorlage")));
    }
};

QTEST_GUILESS_MAIN(TestEngineLayouts)
#include "tst_enginelayouts.moc"
