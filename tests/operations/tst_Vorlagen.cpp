// Layouts into the library and back through the real program and its actions, against the in-process
// CAD program: the new template's name is typed into the tree as a user does, the library's own
// commands run from the menu and the toolbar.
#include "OperationsHarness.h"
#include "TestEnv.h"

#include <QAction>
#include <QLineEdit>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>
#include <acad/Host.h>
#include <explorer/basViewControls.h>
#include <explorer/controls/ListControl.h>
#include <explorer/controls/TreeControl.h>
#include <explorer/frmMain.h>
#include <operations/Commands.h>
#include <operations/basVorlagen.h>

using explorer::Cmd;

namespace {

const QString kPlan = QStringLiteral("/p/Plan.dwg");
const QString kOther = QStringLiteral("/p/Andere.dwg");
const QString kLibraryRoot = QStringLiteral("Bibliothek");
const QString kCr = QStringLiteral("\r");

enum class Via
{
    Menu,
    Toolbar
};

} // namespace

Q_DECLARE_METATYPE(Via)

class TestVorlagen : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<testsupport::PublicTempDir> library;
    std::unique_ptr<OperationsHarness> o;

    QString file(const QString& name) const { return library->path() + QLatin1Char('/') + name; }
    QString templateKey(const QString& name) const { return o->nodeKey(name, kLibraryRoot); }
    QTreeWidget* treeWidget() const
    {
        return o->window()->findChild<QTreeWidget*>(QStringLiteral("tvTreeView"));
    }
    int filedia(const QString& path)
    {
        return o->h.cad.engine->variable(o->docId(path), QStringLiteral("FILEDIA")).toInt();
    }
    QStringList layoutCommands() const
    {
        QStringList sent;
        for (const QString& text : o->h.cad.host->sentCommands) {
            if (text.startsWith(QLatin1String("_layout")) || text.startsWith(QLatin1String("layout")))
                sent.append(text);
        }
        return sent;
    }
    // The command as menu entry or as the toolbar's button; false when it is disabled.
    bool run(Cmd cmd, Via via)
    {
        QAction* action = o->window()->commands()->action(cmd);
        if (!action->isEnabled())
            return false;
        if (via == Via::Menu) {
            action->trigger();
            return true;
        }
        for (QToolBar* bar : o->window()->findChildren<QToolBar*>()) {
            if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action))) {
                QTest::mouseClick(button, Qt::LeftButton);
                return true;
            }
        }
        return false;
    }
    void selectSource(bool fromList)
    {
        if (fromList) {
            o->select(o->nodeKey(QStringLiteral("Plan.dwg")));
            o->selectItems({QStringLiteral("Layout2")});
        } else {
            o->select(o->nodeKey(QStringLiteral("Layout2"), QStringLiteral("Plan.dwg")));
        }
    }
    // Starts naming from Layout2 of Plan.dwg and types the name; Return ends the edit when asked.
    QLineEdit* startNaming(const QString& typed, Via via = Via::Menu, bool fromList = false)
    {
        selectSource(fromList);
        if (!run(Cmd::mnuLayoutImport, via))
            return nullptr;
        QLineEdit* editor = labelEditor();
        if (!editor)
            return nullptr;
        // Key clicks carry Latin-1 only; other text arrives as an input method would give it.
        const bool ascii =
            std::all_of(typed.begin(), typed.end(), [](QChar c) { return c.unicode() < 0x80; });
        if (ascii)
            QTest::keyClicks(editor, typed);
        else
            editor->insert(typed);
        return editor;
    }
    void clickNode(const QString& key)
    {
        QTreeWidget* widget = treeWidget();
        const QList<QTreeWidgetItem*> items =
            widget->findItems(o->tree()->text(key), Qt::MatchExactly | Qt::MatchRecursive);
        QVERIFY(!items.isEmpty());
        const QRect rect = widget->visualItemRect(items.first());
        QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, rect.center());
    }

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void init()
    {
        library = std::make_unique<testsupport::PublicTempDir>();
        QVERIFY(testsupport::writeFile(file(QStringLiteral("Plan A.dwt")), "0\nEOF\n"));
        QVERIFY(testsupport::writeFile(file(QStringLiteral("Alt.dwg")), "0\nEOF\n"));
        o = std::make_unique<OperationsHarness>();
        o->h.cad.engine->setTemplatePath(library->path());
        o->h.cad.open(kPlan, {QStringLiteral("Layout1"), QStringLiteral("Layout2")});
        o->h.cad.open(kOther, {QStringLiteral("Blatt")});
        QVERIFY(o->start());
        QCOMPARE(o->views().State.VorlagenPfad, library->path());
    }
    void cleanup()
    {
        QVERIFY2(!o->h.boxes.unexpected(), qPrintable(o->h.boxes.failures()));
        QVERIFY(o->h.boxes.scriptDone());
        o.reset();
        library.reset();
    }

    // --- a new template from a layout

    void newTemplate_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<Via>("via");
        QTest::addColumn<bool>("fromList");
        QTest::newRow("Plan A, layout node, menu") << "Plan B"
                                                   << "Plan B.dwt" << Via::Menu << false;
        QTest::newRow("layout chosen in the drawing's list, toolbar") << "Plan B"
                                                                      << "Plan B.dwt" << Via::Toolbar << true;
        QTest::newRow("typed with its extension") << "Plan.dwt"
                                                  << "Plan.dwt.dwt" << Via::Menu << false;
        QTest::newRow("umlauts and spaces") << "Grundriß Süd 1"
                                            << "Grundriß Süd 1.dwt" << Via::Menu << false;
    }
    void newTemplate()
    {
        QFETCH(QString, typed);
        QFETCH(QString, fileName);
        QFETCH(Via, via);
        QFETCH(bool, fromList);
        QCOMPARE(o->activePath(), kOther);
        QLineEdit* editor = startNaming(typed, via, fromList);
        QVERIFY(editor);
        // While the name is typed: the provisional node, last below the library, selected.
        QCOMPARE(o->tree()->childKeys(QStringLiteral("B")).constLast(), QStringLiteral("D0"));
        QCOMPARE(o->tree()->selectedKey(), QStringLiteral("D0"));
        QVERIFY(o->views().State.ProvisionalTemplateNode);
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(!o->tree()->isEditing());
        const QString gesamt = file(fileName);
        QCOMPARE(layoutCommands(), QStringList{QStringLiteral("_layout\rSI\rLayout2\r") + gesamt + kCr});
        // The layout's drawing became the active one for the command, and file dialogs are back.
        QCOMPARE(o->activePath(), kPlan);
        QCOMPARE(filedia(kPlan), 1);
        const QString key = templateKey(fileName);
        QVERIFY(!key.isEmpty());
        QCOMPARE(o->tree()->selectedKey(), key);
        QVERIFY(!o->tree()->contains(QStringLiteral("D0")));
        QVERIFY(!o->views().State.ProvisionalTemplateNode);
        const CVorlage* record = o->views().Vorlagen.item(explorer::numberOf(key));
        QVERIFY(record);
        QCOMPARE(record->Datei, fileName);
        QCOMPARE(record->Gesamt, gesamt);
        // The list shows the new template's details.
        QCOMPARE(o->list()->text(QStringLiteral("IDateiname")), QStringLiteral("Dateiname"));
    }

    void refusedName_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("nodeStays");
        QTest::newRow("empty") << ""
                               << "Bezeichnung der neuen Vorlage eingeben!" << false;
        QTest::newRow("taken in another case") << "plan a"
                                               << "Vorlage bereits vorhanden!" << false;
        QTest::newRow("a file the last refresh has not seen") << "Neu im Ordner"
                                                              << "Vorlage bereits vorhanden!" << false;
        QTest::newRow("a slash: refused before anything is made")
            << "Plan/B"
            << "Eingabe enthält ungültige Zeichen!" << true;
        QTest::newRow("too long for a file name")
            << QString(250, QLatin1Char('x')) << "Der Name der Vorlage ist zu lang!" << false;
        QTest::newRow("umlauts count twice in a file name")
            << QString(121, QChar(0xFC)) << "Der Name der Vorlage ist zu lang!" << false;
        QTest::newRow("trailing dot") << "Plan."
                                      << "darf nicht mit einem Punkt oder Leerzeichen enden!" << false;
        QTest::newRow("trailing space: refused as every typed name")
            << "Plan "
            << "Der Name darf nicht mit Leerzeichen beginnen oder enden!" << true;
        QTest::newRow("leading dot: a hidden file") << ".Plan"
                                                    << "darf nicht mit einem Punkt beginnen!" << false;
    }
    void refusedName()
    {
        QFETCH(QString, typed);
        QFETCH(QString, message);
        QFETCH(bool, nodeStays);
        QVERIFY(testsupport::writeFile(file(QStringLiteral("NEU IM ORDNER.DWT")), "0\nEOF\n"));
        const int templates = o->views().Vorlagen.count();
        o->h.boxes.expect(platform::vbOK, message);
        QLineEdit* editor = startNaming(typed);
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(!o->tree()->isEditing());
        QCOMPARE(o->h.boxes.boxes().size(), 1);
        QCOMPARE(o->h.boxes.boxes().constFirst().icon(), int(platform::vbExclamation));
        QCOMPARE(layoutCommands(), QStringList());
        QCOMPARE(o->views().Vorlagen.count(), templates);
        QCOMPARE(filedia(kOther), 1);
        // A refused character leaves the empty node until the selection moves.
        QCOMPARE(o->tree()->contains(QStringLiteral("D0")), nodeStays);
        if (nodeStays) {
            QCOMPARE(o->tree()->text(QStringLiteral("D0")), QString());
            clickNode(o->nodeKey(QStringLiteral("Plan.dwg")));
            QTRY_VERIFY(!o->tree()->contains(QStringLiteral("D0")));
            QVERIFY(!o->views().State.ProvisionalTemplateNode);
        }
    }

    void leavingTheNode_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("escapeFirst");
        QTest::addColumn<bool>("created");
        QTest::newRow("Escape, then another node") << "Plan B" << true << false;
        QTest::newRow("another node while nothing is typed") << "" << false << false;
        // The edit ends with the typed text, as every label edit does when the selection moves.
        QTest::newRow("another node after typing a name") << "Plan B" << false << true;
    }
    void leavingTheNode()
    {
        QFETCH(QString, typed);
        QFETCH(bool, escapeFirst);
        QFETCH(bool, created);
        QLineEdit* editor = startNaming(typed);
        QVERIFY(editor);
        if (escapeFirst) {
            QTest::keyClick(editor, Qt::Key_Escape);
            QTRY_VERIFY(!o->tree()->isEditing());
            QVERIFY(o->tree()->contains(QStringLiteral("D0")));
        }
        const QString other = o->nodeKey(QStringLiteral("Blatt"));
        clickNode(other);
        QTRY_COMPARE(o->tree()->selectedKey(), other);
        QVERIFY(!o->tree()->isEditing());
        QVERIFY(!o->tree()->contains(QStringLiteral("D0")));
        QVERIFY(!o->views().State.ProvisionalTemplateNode);
        QCOMPARE(!templateKey(QStringLiteral("Plan B.dwt")).isEmpty(), created);
        QCOMPARE(layoutCommands().size(), created ? 1 : 0);
        // The list follows the node that was clicked.
        QCOMPARE(o->views().State.SelectedNodeType, explorer::NodeKind::Layout);
    }

    void drawingWithoutAChosenLayout()
    {
        o->select(o->nodeKey(QStringLiteral("Plan.dwg")));
        o->selectItems({});
        o->h.boxes.expect(platform::vbOK, QStringLiteral("Kein Layout ausgewählt!"));
        QVERIFY(o->trigger(Cmd::mnuLayoutImport));
        QVERIFY(!o->tree()->contains(QStringLiteral("D0")));
        QVERIFY(!o->tree()->isEditing());
    }

    void templateTheHostDidNotWriteGoesAtTheNextRefresh()
    {
        QLineEdit* editor = startNaming(QStringLiteral("Plan B"));
        QVERIFY(editor);
        QTest::keyClick(editor, Qt::Key_Return);
        QTRY_VERIFY(!templateKey(QStringLiteral("Plan B.dwt")).isEmpty());
        // The in-process host writes into its memory, not into the library folder.
        o->runHost();
        QVERIFY(o->watch());
        QVERIFY(templateKey(QStringLiteral("Plan B.dwt")).isEmpty());
        QVERIFY(!templateKey(QStringLiteral("Plan A.dwt")).isEmpty());
    }

    // --- layouts from a template

    void insertLayouts_data()
    {
        QTest::addColumn<bool>("fromList");
        QTest::newRow("template node") << false;
        QTest::newRow("template chosen in the library's list") << true;
    }
    void insertLayouts()
    {
        QFETCH(bool, fromList);
        const QString gesamt = file(QStringLiteral("Plan A.dwt"));
        o->h.cad.store->put(gesamt, sampleDrawing({QStringLiteral("Plan A"), QStringLiteral("Schnitt")}));
        if (fromList) {
            o->select(QStringLiteral("B"));
            o->selectItems({QStringLiteral("Plan A.dwt")});
        } else {
            o->select(templateKey(QStringLiteral("Plan A.dwt")));
        }
        const int fronts = o->h.cad.host->bringToFrontCalls;
        QSignalSpy dialogs(o->h.cad.engine.get(), &cadhost::Engine::fileDialogRequested);
        o->program().Commands->Vorlagen->InsertVorlageLayouts();
        QCOMPARE(layoutCommands(), QStringList{QStringLiteral("layout\rvorlage\r") + gesamt + kCr});
        QCOMPARE(o->h.cad.host->bringToFrontCalls, fronts + 1);
        QCOMPARE(filedia(kOther), 1);
        // The host runs it without a file dialog and offers the template's layouts.
        o->runHost();
        QCOMPARE(dialogs.count(), 0);
        QVERIFY(o->h.cad.engine->commandHistory().contains(
            QStringLiteral("Layouts der Vorlage: Plan A, Schnitt")));
        // The user picks one at the host; the watch shows it in the active drawing.
        o->h.cad.engine->sendCommand(o->docId(kOther), QStringLiteral("Schnitt\r"));
        o->runHost();
        QCOMPARE(o->layoutNames(kOther), (QStringList{"Model", "Blatt", "Schnitt"}));
        QVERIFY(o->watch());
        QVERIFY(!o->nodeKey(QStringLiteral("Schnitt"), QStringLiteral("Andere.dwg")).isEmpty());
    }

    void insertFailingTurnsFileDialogsBackOn()
    {
        o->select(templateKey(QStringLiteral("Plan A.dwt")));
        o->h.cad.host->refuseCommands = true;
        o->h.boxes.expect(platform::vbOK, QStringLiteral("Der CAD-Host antwortet nicht."));
        const int sets = o->h.cad.host->callsOf(QStringLiteral("setVariable"));
        o->program().Commands->Vorlagen->InsertVorlageLayouts();
        QCOMPARE(o->h.cad.host->callsOf(QStringLiteral("setVariable")), sets + 2);
        QCOMPARE(filedia(kOther), 1);
    }

    // --- the library's own commands

    void openLibraryFolder_data()
    {
        QTest::addColumn<Via>("via");
        QTest::newRow("menu") << Via::Menu;
        QTest::newRow("toolbar") << Via::Toolbar;
    }
    void openLibraryFolder()
    {
        QFETCH(Via, via);
        o->select(QStringLiteral("B"));
        const int documents = o->h.cad.engine->application().documents.size();
        QVERIFY(run(Cmd::mnuTemplateOpen, via));
        QCOMPARE(o->h.session.shell.urls, QList<QUrl>{QUrl::fromLocalFile(library->path())});
        QCOMPARE(o->h.cad.engine->application().documents.size(), documents);
    }

    void deleteTemplate_data()
    {
        QTest::addColumn<Via>("via");
        QTest::addColumn<int>("answer");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("gone");
        QTest::newRow("menu, Yes") << Via::Menu << int(platform::vbYes) << false << true;
        QTest::newRow("toolbar, Yes") << Via::Toolbar << int(platform::vbYes) << false << true;
        QTest::newRow("menu, No") << Via::Menu << int(platform::vbNo) << false << false;
        QTest::newRow("read-only library") << Via::Menu << int(platform::vbYes) << true << false;
    }
    void deleteTemplate()
    {
        QFETCH(Via, via);
        QFETCH(int, answer);
        QFETCH(bool, readOnly);
        QFETCH(bool, gone);
        const QString key = templateKey(QStringLiteral("Alt.dwg"));
        o->select(key);
        o->h.boxes.expect(platform::MsgBoxResult(answer), QStringLiteral("Datei: ") +
                                                              file(QStringLiteral("Alt.dwg")) +
                                                              QStringLiteral(" wirklich löschen?"));
        if (readOnly)
            o->h.boxes.expect(platform::vbOK, QStringLiteral("konnte nicht gelöscht werden"));
        {
            std::optional<testsupport::AsUnprivileged> user;
            if (readOnly) {
                QVERIFY(testsupport::makeReadOnly(library->path()));
                user.emplace();
            }
            QVERIFY(run(via == Via::Menu ? Cmd::mnuTemplateDelete : Cmd::tbDelete, via));
        }
        QCOMPARE(QFile::exists(file(QStringLiteral("Alt.dwg"))), !gone);
        QCOMPARE(o->tree()->contains(key), !gone);
        QVERIFY(!templateKey(QStringLiteral("Plan A.dwt")).isEmpty());
    }
};

QTEST_MAIN(TestVorlagen)
#include "tst_Vorlagen.moc"
