#include "MsgBoxRecorder.h"
#include "WindowTestSupport.h"

#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QtTest>
#include <explorer/basViewControls.h>
#include <explorer/controls/ListControl.h>
#include <explorer/controls/TreeControl.h>
#include <explorer/controls/Twips.h>
#include <explorer/frmMain.h>
#include <explorer/frmMainIcons.h>
#include <platform/FamilyKeyStore.h>
#include <platform/UserSettings.h>
#include <settings/basRegistry.h>
#include <startup/basMain.h>

using namespace explorer;

namespace {

frmMain* window()
{
    return mainWindow();
}

// The menu as captions, "-" for a separator, shortcuts after a tab.
QStringList menuEntries(const QString& title)
{
    for (QAction* top : window()->menuBar()->actions()) {
        if (top->text() != title)
            continue;
        QStringList entries;
        for (QAction* a : top->menu()->actions()) {
            if (a->isSeparator())
                entries << QStringLiteral("-");
            else if (a->shortcut().isEmpty())
                entries << a->text();
            else
                entries << a->text() + "\t" + a->shortcut().toString();
        }
        return entries;
    }
    return {};
}

// A click on a node: the selection, then what follows it.
void clickNode(const QString& key)
{
    window()->tvTreeView()->select(key);
    window()->views().TreeSelectionChanged();
}

int treeTopInWindow()
{
    QWidget* tree = window()->tvTreeView()->widget();
    return tree->mapTo(window(), QPoint(0, 0)).y();
}

} // namespace

class TestFrmMain : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WindowHarness> h;

    void startWithTwoDrawings()
    {
        h->cad.open(QStringLiteral("/p/Plan.dwg"), {QStringLiteral("A1"), QStringLiteral("A2")});
        h->cad.open(QStringLiteral("/p/Haus.dwg"), {QStringLiteral("EG")});
        QVERIFY(h->session.start());
        // The first refresh selects the active layout; most cases look at the drawings root.
        clickNode(QStringLiteral("A"));
    }

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void init() { h = std::make_unique<WindowHarness>(); }
    void cleanup() { h.reset(); }

    // --- geometry
    void frameGeometry_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<double>("width");
        QTest::addColumn<double>("tree");
        QTest::addColumn<double>("list");
        QTest::newRow("narrowest window") << 600.0 << 3000.0 << 1500.0 << 1360.0;
        QTest::newRow("dropped near the left edge") << 600.0 << 8000.0 << 1500.0 << 6360.0;
        QTest::newRow("dropped near the right edge") << 7800.0 << 8000.0 << 6500.0 << 1360.0;
        QTest::newRow("design position") << 2500.0 << 6500.0 << 2500.0 << 3860.0;
    }
    void frameGeometry()
    {
        QFETCH(double, x);
        QFETCH(double, width);
        const FrameGeometry g = computeFrameGeometry(x, width);
        QTEST(g.treeWidth, "tree");
        QTEST(g.listWidth, "list");
        QCOMPARE(g.x, g.treeWidth);
        QCOMPARE(g.listLeft, g.treeWidth + 40);
        QCOMPARE(g.title1Left, g.listLeft + 20);
        QCOMPARE(g.title1Width, g.listWidth - 40);
    }

    void splitterBar_data()
    {
        QTest::addColumn<double>("position");
        QTest::addColumn<double>("expected");
        QTest::newRow("left of the margin") << 100.0 << 500.0;
        QTest::newRow("inside") << 600.0 << 600.0;
        QTest::newRow("right of the margin") << 7900.0 << 7500.0;
    }
    void splitterBar()
    {
        QFETCH(double, position);
        QTEST(clampSplitterBar(position, 8000), "expected");
    }

    void placement_data()
    {
        QTest::addColumn<QRect>("window");
        QTest::addColumn<QRect>("expected");
        const QRect primary(0, 0, 800, 600);
        QTest::newRow("on the screen") << QRect(67, 67, 433, 433) << QRect(67, 67, 433, 433);
        // Kept within the screen's available geometry: moved inside, no larger than the screen.
        QTest::newRow("partly off the screen") << QRect(300, 500, 433, 433) << QRect(300, 167, 433, 433);
        QTest::newRow("on a screen that is gone") << QRect(3000, 100, 433, 433) << QRect(183, 83, 433, 433);
        QTest::newRow("larger than the screen") << QRect(-5000, 0, 1000, 700) << QRect(0, 0, 800, 600);
        QTest::newRow("taller than the screen") << QRect(-100, 50, 700, 32767) << QRect(0, 0, 700, 600);
        QTest::newRow("mostly on the second screen")
            << QRect(700, 100, 433, 433) << QRect(800, 100, 433, 433);
        QTest::newRow("below the taskbar") << QRect(10, 580, 433, 433) << QRect(10, 167, 433, 433);
    }
    void placement()
    {
        QFETCH(QRect, window);
        const QRect primary(0, 0, 800, 600);
        const QRect second(800, 0, 1024, 768);
        QTEST(placeOnScreen(window, {primary, second}, primary), "expected");
    }

    void narrowingSnapsBack()
    {
        startWithTwoDrawings();
        window()->resize(50, 400);
        QCOMPARE(window()->width(), window()->pixels(3000));
        QCOMPARE(window()->tvTreeView()->widget()->width(), window()->pixels(1500));
    }

    void splitterDrop()
    {
        startWithTwoDrawings();
        window()->resize(window()->pixels(8000), 400);
        QWidget* grip = window()->imgSplitter();
        QTest::mousePress(grip, Qt::LeftButton, {}, QPoint(1, 5));
        QVERIFY(window()->picSplitter()->isVisible());
        // Dragged to 600 twips from the left edge: the bar goes there, the tree keeps its width.
        const int target = window()->pixels(600) - grip->x();
        QMouseEvent move(QEvent::MouseMove, QPointF(target, 5), grip->mapToGlobal(QPointF(target, 5)),
                         Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(grip, &move);
        QCOMPARE(window()->picSplitter()->x(), window()->pixels(600));
        QTest::mouseRelease(grip, Qt::LeftButton, {}, QPoint(target, 5));
        QVERIFY(!window()->picSplitter()->isVisible());
        QCOMPARE(window()->splitterPosition(), 1500.0);
        QCOMPARE(window()->tvTreeView()->widget()->width(), window()->pixels(1500));
    }

    void hidingToolbarAndStatusBar()
    {
        startWithTwoDrawings();
        QWidget* tree = window()->tvTreeView()->widget();
        const int top = treeTopInWindow();
        const int height = tree->height();
        const int toolbarHeight = window()->tbToolBar()->height();
        const int statusHeight = window()->sbStatusBar()->height();
        window()->commands()->action(Cmd::mnuViewToolbar)->trigger();
        QVERIFY(!window()->tbToolBar()->isVisible());
        QTRY_COMPARE(treeTopInWindow(), top - toolbarHeight);
        window()->commands()->action(Cmd::mnuViewStatusBar)->trigger();
        QVERIFY(!window()->sbStatusBar()->isVisible());
        QTRY_COMPARE(tree->height(), height + toolbarHeight + statusHeight);
        window()->commands()->action(Cmd::mnuViewToolbar)->trigger();
        window()->commands()->action(Cmd::mnuViewStatusBar)->trigger();
        QTRY_COMPARE(tree->height(), height);
    }

    // --- controls, toolbar and menus
    void controls()
    {
        startWithTwoDrawings();
        QCOMPARE(window()->windowTitle(), QStringLiteral("Blattwart"));
        QCOMPARE(window()->lblTitle(0)->text(), QStringLiteral(" Zeichnungen/Layouts:"));
        QCOMPARE(window()->lblTitle(0)->toolTip(), QStringLiteral(" TreeView:"));
        QCOMPARE(window()->lblTitle(1)->toolTip(), QStringLiteral(" ListView:"));
        QCOMPARE(window()->lblTitle(1)->text(), QStringLiteral("Zeichnungen:"));
        QCOMPARE(window()->ctlTimer()->interval(), 500);
        QVERIFY(window()->ctlTimer()->isActive());
        QVERIFY(window()->tbToolBar()->isVisible());
        QVERIFY(window()->sbStatusBar()->isVisible());
        QVERIFY(!window()->picSplitter()->isVisible());
    }

    void toolbarButtons_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("tip");
        const char* const rows[][2] = {{"New", "Neu über Vorlage"},
                                       {"Open", "Vorlage zur Bearbeitung öffnen"},
                                       {"Save", "Zeichnung speichern"},
                                       {nullptr, nullptr},
                                       {"Copy", "Layouts kopieren"},
                                       {"Delete", "Löschen"},
                                       {nullptr, nullptr},
                                       {"Layout", "Layout erstellen"},
                                       {"Active", "Aktuell setzen"},
                                       {"Model", "Modellbereich"},
                                       {"Template", "Layout in Vorlage"},
                                       {"DC", "DesignCenter"},
                                       {nullptr, nullptr},
                                       {"Große Symbole anzeigen", "Große Symbole anzeigen"},
                                       {"Kleine Symbole anzeigen", "Kleine Symbole anzeigen"},
                                       {"Liste anzeigen", "Liste anzeigen"},
                                       {"Details anzeigen", "Details anzeigen"},
                                       {nullptr, nullptr},
                                       {"Ascending", "Aufsteigend sortieren"},
                                       {"Descending", "Absteigend sortieren"},
                                       {nullptr, nullptr},
                                       {"Hilfe", "Hilfe"}};
        for (int i = 0; i < 22; ++i) {
            QTest::addRow("%d", i + 1) << i + 1 << QString::fromUtf8(rows[i][0] ? rows[i][0] : "")
                                       << QString::fromUtf8(rows[i][1] ? rows[i][1] : "");
        }
    }
    void toolbarButtons()
    {
        QFETCH(int, index);
        QFETCH(QString, key);
        MainCommands commands(nullptr);
        QCOMPARE(commands.toolbarButtons().size(), 23);
        const ToolbarButton& b = commands.toolbarButtons()[index];
        QCOMPARE(b.key, key);
        if (key.isEmpty()) {
            QVERIFY(!b.action);
            return;
        }
        QTEST(b.action->toolTip(), "tip");
        QVERIFY(!b.action->icon().isNull());
        QCOMPARE(commands.toolbarAction(key), b.action);
    }

    void bundledPicturesAreSharpAtEverySize()
    {
        QCOMPARE(toolbarImageKeys().size(), 22);
        for (const QString& key : toolbarImageKeys()) {
            const QIcon icon = bundledToolbarIcon(key);
            QVERIFY2(!icon.isNull(), qPrintable(key));
            // Drawn at each size, not scaled from the small one.
            for (int size : bundledIconSizes())
                QVERIFY2(icon.availableSizes().contains(QSize(size, size)), qPrintable(key));
        }
        QVERIFY(toolbarIcon(QStringLiteral("Keins")).isNull());
    }

    void menus_data()
    {
        QTest::addColumn<QString>("menu");
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("Datei") << "&Datei"
                               << QStringList{"&Neu über Vorlage\tCtrl+N",
                                              "S&chließen",
                                              "-",
                                              "&Speichern\tCtrl+S",
                                              "Speichern &unter ...",
                                              "-",
                                              "&Aktuell",
                                              "&Modellbereich",
                                              "-",
                                              "&Beenden\tCtrl+Q"};
        QTest::newRow("Layout") << "&Layout"
                                << QStringList{"Aktuell",
                                               "-",
                                               "Layout erstellen ...",
                                               "Layout in Vorlage",
                                               "-",
                                               "&Kopieren\tCtrl+C",
                                               "&Löschen\tDel",
                                               "&Umbenennen\tF2",
                                               "-",
                                               "Layout nach &vorne\tAlt+Up",
                                               "Layout nach &hinten\tAlt+Down",
                                               "Register &sortieren",
                                               "-",
                                               "S&eite einrichten übernehmen ...",
                                               "Verö&ffentlichen ...",
                                               "-",
                                               "A&lle auswählen\tCtrl+A",
                                               "Auswahl &umkehren",
                                               "-",
                                               "&Rückgängig\tCtrl+Z"};
        QTest::newRow("Bibliothek") << "&Bibliothek" << QStringList{"&Öffnen", "&Löschen"};
        QTest::newRow("Extras") << "&Extras"
                                << QStringList{"DesignCenter ...", "Blattliste ...", "-",
                                               "Automatisch beenden"};
        QTest::newRow("Ansicht") << "&Ansicht"
                                 << QStringList{"&Symbolleiste",
                                                "Status&leiste",
                                                "-",
                                                "&Große Symbole",
                                                "&Kleine Symbole",
                                                "&Liste",
                                                "&Details",
                                                "-",
                                                "&Symbole anordnen",
                                                "&Registerreihenfolge",
                                                "-",
                                                "&Aktualisieren\tF5"};
        QTest::newRow("?") << "&?" << QStringList{"KV+ &Hilfe", "&Hilfe zum Blattwart\tF1", "-", "Inf&o "};
    }
    void menus()
    {
        startWithTwoDrawings();
        QFETCH(QString, menu);
        QTEST(menuEntries(menu), "entries");
    }

    void oneActionForMenuAndToolbar()
    {
        startWithTwoDrawings();
        MainCommands* c = window()->commands();
        QCOMPARE(c->toolbarAction("New"), c->action(Cmd::mnuTemplate));
        QCOMPARE(c->toolbarAction("Model"), c->action(Cmd::mnuModel));
        QCOMPARE(c->toolbarAction("Liste anzeigen"), c->action(Cmd::mnuListViewMode2));
        QCOMPARE(c->toolbarAction("Hilfe"), c->action(Cmd::mnuHelpSearchForHelpOn));
        QVERIFY(window()->tbToolBar()->widgetForAction(c->action(Cmd::mnuSave)));
    }

    // --- enabling
    void enablingRules_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("attached");
        QTest::addColumn<int>("layouts");
        QTest::addColumn<QString>("activeLayout"); // "-" unknown
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QList<int>>("enabled");
        QTest::addColumn<QList<int>>("disabled");
        auto ids = [](std::initializer_list<Cmd> cmds) {
            QList<int> l;
            for (Cmd c : cmds)
                l << int(c);
            return l;
        };
        QTest::newRow("drawings root, not attached")
            << "A" << false << 0 << "-" << false
            << ids({Cmd::mnuFileClose, Cmd::mnuSave, Cmd::mnuSaveAS, Cmd::mnuDrawing, Cmd::tbLayout,
                    Cmd::tbActive, Cmd::popDC, Cmd::mnuEnd})
            << ids({Cmd::mnuModel, Cmd::mnuCreate, Cmd::mnuTemplate, Cmd::tbDelete, Cmd::mnuTabOrder});
        QTest::newRow("drawing with one layout")
            << "Z" << true << 1 << "A1" << false
            << ids({Cmd::mnuEditCopy, Cmd::mnuFileRename, Cmd::mnuModel, Cmd::mnuActive, Cmd::mnuCreate,
                    Cmd::mnuTabOrder})
            << ids({Cmd::mnuFileDelete, Cmd::tbDelete, Cmd::mnuTemplate, Cmd::mnuPublish});
        QTest::newRow("drawing with two layouts in model space")
            << "Z" << true << 2 << "Model" << true << ids({Cmd::mnuFileDelete, Cmd::tbDelete})
            << ids({Cmd::mnuModel, Cmd::mnuActive});
        QTest::newRow("layout of a drawing with two")
            << "L" << true << 2 << "-" << false
            << ids({Cmd::mnuFileDelete, Cmd::tbDelete, Cmd::mnuActive, Cmd::mnuLayoutImport, Cmd::mnuPublish})
            << ids({Cmd::mnuSave, Cmd::mnuModel, Cmd::mnuTabOrder});
        QTest::newRow("library")
            << "B" << true << 0 << "-" << false
            << ids({Cmd::mnuTemplate, Cmd::mnuTemplateOpen, Cmd::mnuTemplateDelete, Cmd::tbDelete})
            << ids({Cmd::mnuSave, Cmd::mnuEditCopy, Cmd::mnuFileDelete, Cmd::mnuTabOrder, Cmd::mnuPublish});
        QTest::newRow("template") << "D" << false << 0 << "-" << false
                                  << ids({Cmd::mnuTemplate, Cmd::tbDelete})
                                  << ids({Cmd::mnuCreate, Cmd::mnuActive});
    }
    void enablingRules()
    {
        QFETCH(QString, kind);
        QFETCH(QString, activeLayout);
        QFETCH(bool, attached);
        QFETCH(int, layouts);
        QFETCH(bool, bold);
        CommandContext c;
        c.nodeKind = explorer::kindOf(kind);
        c.attached = attached;
        c.layoutCount = layouts;
        c.listItemBold = bold;
        if (activeLayout != QLatin1String("-"))
            c.activeLayout = activeLayout;
        const CommandStates s = computeCommandStates(c);
        QFETCH(QList<int>, enabled);
        QFETCH(QList<int>, disabled);
        for (int i : enabled)
            QVERIFY2(s[i], qPrintable(QString::number(i)));
        for (int i : disabled)
            QVERIFY2(!s[i], qPrintable(QString::number(i)));
    }

    void laterCommandsStayDisabled()
    {
        startWithTwoDrawings();
        MainCommands* c = window()->commands();
        // The rules enable closing and saving on the drawings root, and their operations are wired.
        QVERIFY(c->lastStates()[int(Cmd::mnuFileClose)]);
        QVERIFY(c->action(Cmd::mnuFileClose)->isEnabled());
        // On a drawing they enable a layout into a template, copying and renaming, all wired now
        // (the toolbar's "Template" is the same action); commands without their operations stay
        // disabled under the same states.
        clickNode(QStringLiteral("Z1"));
        QVERIFY(c->lastStates()[int(Cmd::mnuLayoutImport)]);
        QVERIFY(c->action(Cmd::mnuLayoutImport)->isEnabled());
        QCOMPARE(c->toolbarAction(QStringLiteral("Template")), c->action(Cmd::mnuLayoutImport));
        MainCommands unwired(nullptr);
        unwired.apply(c->lastStates());
        QVERIFY(!unwired.action(Cmd::mnuLayoutImport)->isEnabled());
        QVERIFY(!unwired.action(Cmd::mnuEditCopy)->isEnabled());
        QVERIFY(c->action(Cmd::mnuEditCopy)->isEnabled());
        QVERIFY(c->action(Cmd::mnuFileRename)->isEnabled());
        QCOMPARE(c->toolbarAction(QStringLiteral("Copy")), c->action(Cmd::mnuEditCopy));
        QVERIFY(c->action(Cmd::mnuEnd)->isEnabled());
        QVERIFY(c->action(Cmd::mnuHelpAbout)->isEnabled());
        QVERIFY(c->action(Cmd::tbAscending)->isEnabled());
        QVERIFY(c->action(Cmd::mnuAutoEnd)->isEnabled());
        QVERIFY(c->action(Cmd::popDC)->isEnabled());
    }

    // --- view modes and sorting
    void storedViewMode_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("mode");
        QTest::newRow("empty store") << "" << 0;
        QTest::newRow("list") << "2" << 2;
        QTest::newRow("rounded") << "2.6" << 3;
        // Refused: the list keeps the view it had, details for the layout the start selects.
        QTest::newRow("outside 0 to 3 keeps the view") << "7" << 3;
    }
    void storedViewMode()
    {
        QFETCH(QString, stored);
        QFETCH(int, mode);
        if (!stored.isEmpty())
            platform::SaveSetting(QStringLiteral("ViewMode"), stored);
        startWithTwoDrawings();
        QCOMPARE(window()->lvListView()->view(), mode);
        for (int i = 0; i < 4; ++i) {
            QAction* a = window()->commands()->viewModeAction(i);
            QCOMPARE(a->isChecked(), i == mode);
            auto* button = qobject_cast<QToolButton*>(window()->tbToolBar()->widgetForAction(a));
            QVERIFY(button);
            QCOMPARE(button->isChecked(), i == mode);
        }
        QCOMPARE(window()->commands()->toolbarButtons()[14 + mode].action->isChecked(), true);
        QCOMPARE(platform::GetSetting(QStringLiteral("ViewMode")), QString::number(mode));
    }

    void viewModeCommand()
    {
        startWithTwoDrawings();
        window()->commands()->toolbarAction("Details anzeigen")->trigger();
        QCOMPARE(window()->lvListView()->view(), 3);
        QCOMPARE(platform::GetSetting(QStringLiteral("ViewMode")), QStringLiteral("3"));
        QCOMPARE(window()->pressedViewMode(), 3);
        // The drawings list shows full paths outside large icons.
        const QString key = window()->lvListView()->keys().value(0);
        QVERIFY(window()->lvListView()->text(key).startsWith(QStringLiteral("/p/")));
        window()->commands()->action(Cmd::mnuListViewMode0)->trigger();
        QVERIFY(!window()->lvListView()->text(key).contains(QLatin1Char('/')));
    }

    void columnHeaderToggle()
    {
        startWithTwoDrawings();
        ListControl* list = window()->lvListView();
        list->setSorted(false);
        window()->ColumnClick(0);
        QCOMPARE(list->sortOrder(), 0);
        QVERIFY(list->sorted());
        window()->ColumnClick(0);
        QCOMPARE(list->sortOrder(), 1);
        window()->ColumnClick(0);
        QCOMPARE(list->sortOrder(), 0);
        // Another column while ascending: descending.
        window()->ColumnClick(2);
        QCOMPARE(list->sortKey(), 2);
        QCOMPARE(list->sortOrder(), 1);
    }

    void sortButtonsAndArrange()
    {
        startWithTwoDrawings();
        ListControl* list = window()->lvListView();
        list->setSortKey(2);
        window()->commands()->toolbarAction("Descending")->trigger();
        QCOMPARE(list->sortKey(), 0);
        QCOMPARE(list->sortOrder(), 1);
        QVERIFY(list->sorted());
        QCOMPARE(list->displayedKeys().size(), 2);
        QCOMPARE(list->text(list->displayedKeys().first()), QStringLiteral("Plan.dwg"));
        list->setSortKey(1);
        list->setSorted(false);
        window()->commands()->action(Cmd::mnuViewArrangeIcons)->trigger();
        QVERIFY(list->sorted());
        QCOMPARE(list->sortOrder(), 0);
        QCOMPARE(list->sortKey(), 1);
    }

    void selectAllAndInvert()
    {
        startWithTwoDrawings();
        TreeControl* tree = window()->tvTreeView();
        const QString drawing = tree->childKeys(QStringLiteral("A")).value(0);
        clickNode(drawing);
        MainCommands* c = window()->commands();
        QVERIFY(c->action(Cmd::mnuEditSelectAll)->isEnabled());
        ListControl* list = window()->lvListView();
        QCOMPARE(list->count(), 2);
        c->action(Cmd::mnuEditSelectAll)->trigger();
        QCOMPARE(list->selectedKeys().size(), 2);
        list->setSelected(list->keys()[0], false);
        c->action(Cmd::mnuEditInvertSelection)->trigger();
        QCOMPARE(list->selectedKeys(), QStringList{list->keys()[0]});
        clickNode(QStringLiteral("B"));
        QVERIFY(!c->action(Cmd::mnuEditSelectAll)->isEnabled());
    }

    // --- status bar
    void statusBar()
    {
        h->cad.engine->setVisible(true);
        QVERIFY(h->session.start());
        QCOMPARE(window()->panelText(1), QStringLiteral("Keine aktive AutoCAD-Zeichnung !"));
        const QDate today = QDate::currentDate();
        QCOMPARE(window()->panelText(2), today.toString(QStringLiteral("dd.MM.yyyy")));
        QVERIFY(QTime::fromString(window()->panelText(3), QStringLiteral("HH:mm")).isValid());
        clickNode(QStringLiteral("B"));
        QCOMPARE(window()->panelText(1), window()->views().State.VorlagenPfad);
        QVERIFY(!window()->views().State.VorlagenPfad.isEmpty());
    }

    void clickOnTheLibraryRoot()
    {
        startWithTwoDrawings();
        QTreeWidget* tree = window()->tvTreeView()->widget();
        const QList<QTreeWidgetItem*> items = tree->findItems(QStringLiteral("Bibliothek"), Qt::MatchExactly);
        QCOMPARE(items.size(), 1);
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(items[0]).center());
        QCOMPARE(window()->tvTreeView()->selectedKey(), QStringLiteral("B"));
        QCOMPARE(window()->lblTitle(1)->text(), QStringLiteral("Vorlagen:"));
        QCOMPARE(window()->panelText(1), window()->views().State.VorlagenPfad);
        QVERIFY(window()->commands()->action(Cmd::mnuTemplate)->isEnabled());
        QVERIFY(!window()->commands()->action(Cmd::mnuEditSelectAll)->isEnabled());
    }

    void statusBarShowsTheActiveDrawing()
    {
        startWithTwoDrawings();
        QCOMPARE(window()->panelText(1), QStringLiteral("/p/Haus.dwg"));
    }

    // --- placement
    void defaultPlacement()
    {
        startWithTwoDrawings();
        QCOMPARE(window()->pos(), QPoint(window()->pixels(1000), window()->pixels(1000)));
        QCOMPARE(window()->size(), QSize(window()->pixels(6500), window()->pixels(6500)));
        QCOMPARE(window()->lvListView()->view(), 0);
    }

    void placementIsSavedAtUnload()
    {
        startWithTwoDrawings();
        window()->move(window()->pixels(1500), window()->pixels(750));
        window()->resize(window()->pixels(7500), window()->pixels(6000));
        h->session.close();
        QCOMPARE(platform::GetSetting(QStringLiteral("MainLeft")).toDouble(), 1500.0);
        QCOMPARE(platform::GetSetting(QStringLiteral("MainTop")).toDouble(), 750.0);
        QCOMPARE(platform::GetSetting(QStringLiteral("MainWidth")).toDouble(), 7500.0);
        QCOMPARE(platform::GetSetting(QStringLiteral("MainHeight")).toDouble(), 6000.0);
        QCOMPARE(platform::GetSetting(QStringLiteral("ViewMode")), QStringLiteral("0"));
    }

    void minimizedKeepsThePlacement()
    {
        platform::SaveSetting(QStringLiteral("MainLeft"), QStringLiteral("1200"));
        startWithTwoDrawings();
        window()->commands()->action(Cmd::mnuListViewMode1)->trigger();
        window()->showMinimized();
        QTRY_VERIFY(window()->isMinimized());
        h->session.close();
        QCOMPARE(platform::GetSetting(QStringLiteral("MainLeft")), QStringLiteral("1200"));
        QCOMPARE(platform::GetSetting(QStringLiteral("MainWidth")), QString());
        QCOMPARE(platform::GetSetting(QStringLiteral("ViewMode")), QStringLiteral("1"));
    }

    void placementOffEveryScreenComesBack()
    {
        platform::SaveSetting(QStringLiteral("MainLeft"), QStringLiteral("150000"));
        platform::SaveSetting(QStringLiteral("MainTop"), QStringLiteral("1000"));
        startWithTwoDrawings();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(screen.intersects(QRect(window()->pos(), window()->size())));
        QCOMPARE(window()->size(), QSize(window()->pixels(6500), window()->pixels(6500)));
    }

    // Settings a user or another program wrote: the window stays within the screen, and what is
    // written back at the end is what was shown.
    void hostilePlacement_data()
    {
        QTest::addColumn<QStringList>("stored"); // MainLeft, MainTop, MainWidth, MainHeight
        QTest::addColumn<QRect>("expected");
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const auto px = [](double twips) { return twipsToPixels(twips, nullptr); };
        const auto tw = [](int pixels) { return QString::number(pixelsToTwips(pixels, nullptr)); };
        const QRect defaults(px(1000), px(1000), px(6500), px(6500));
        QTest::newRow("huge") << QStringList{"1000", "1000", "1e9", "1e9"} << defaults;
        QTest::newRow("huge position") << QStringList{"1e9", "-1e9", "6500", "6500"} << defaults;
        QTest::newRow("negative size") << QStringList{"1000", "1000", "-6500", "-1"} << defaults;
        QTest::newRow("NaN") << QStringList{"nan", "NaN", "nan", "nan"} << defaults;
        QTest::newRow("infinite") << QStringList{"inf", "-inf", "inf", "1e39"} << defaults;
        QTest::newRow("text") << QStringList{"links", "oben", "sehr breit", "hoch"} << defaults;
        QTest::newRow("larger than the screen")
            << QStringList{"0", "0", tw(screen.width() * 2), tw(screen.height() + 300)} << screen;
    }
    void hostilePlacement()
    {
        QFETCH(QStringList, stored);
        const char* keys[] = {"MainLeft", "MainTop", "MainWidth", "MainHeight"};
        for (int i = 0; i < 4; ++i)
            platform::SaveSetting(QString::fromLatin1(keys[i]), stored[i]);
        startWithTwoDrawings();
        const QRect shown(window()->pos(), window()->size());
        QTEST(shown, "expected");
        const double twips[] = {window()->twips(shown.x()), window()->twips(shown.y()),
                                window()->twips(shown.width()), window()->twips(shown.height())};
        h->session.close();
        for (int i = 0; i < 4; ++i)
            QCOMPARE(platform::GetSetting(QString::fromLatin1(keys[i])).toDouble(), twips[i]);
    }

    // --- the option "Automatisch beenden"
    void autoEnd_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<bool>("checked");
        QTest::addColumn<int>("afterToggle");
        QTest::newRow("on") << 1 << true << 0;
        QTest::newRow("off") << 0 << false << 1;
        QTest::newRow("2 counts as off") << 2 << false << 1;
    }
    void autoEnd()
    {
        QFETCH(int, stored);
        QVERIFY(platform::createFamilyKey(QStringLiteral("SOFTWARE\\Velmora\\Kvarto 2.1")));
        basRegistry::SetLMBeenden(qint16(stored));
        startWithTwoDrawings();
        QAction* a = window()->commands()->action(Cmd::mnuAutoEnd);
        QTEST(a->isChecked(), "checked");
        a->trigger();
        QTEST(int(basRegistry::GetLMBeenden()), "afterToggle");
        QCOMPARE(a->isChecked(), basRegistry::GetLMBeenden() == 1);
        QVERIFY(h->boxes.count() == 0);
    }

    void unloadClosesTheOtherWindows()
    {
        startWithTwoDrawings();
        QWidget dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        window()->close();
        QVERIFY(!dialog.isVisible());
    }

    void endCommandClosesAndSaves()
    {
        startWithTwoDrawings();
        window()->commands()->action(Cmd::mnuEnd)->trigger();
        QVERIFY(!window()->isVisible());
        QVERIFY(userSettingsExist());
        QVERIFY(!platform::GetSetting(QStringLiteral("MainWidth")).isEmpty());
    }
};

QTEST_MAIN(TestFrmMain)
#include "tst_frmMain.moc"
