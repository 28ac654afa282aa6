#include "MsgBoxRecorder.h"
#include "WindowTestSupport.h"

#include <QAccessible>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>
#include <explorer/basViewControls.h>
#include <explorer/controls/ListControl.h>
#include <explorer/controls/TreeControl.h>
#include <explorer/frmMain.h>
#include <platform/ProgramFolder.h>

// The ways into the commands beside the menu bar: popup menus from mouse and keyboard, drops onto the
// tree, the toolbar's dispatchers, and what a screen reader and a keyboard user get.
using namespace explorer;

namespace {

const QString kPlan = QStringLiteral("/p/Plan.dwg");
const QString kHaus = QStringLiteral("/p/Haus.dwg");
const QString kRefused =
    QStringLiteral("Objekte können nur in die Bibliothek eingefügt oder geladen werden!");

QList<int> ids(std::initializer_list<Cmd> cmds)
{
    QList<int> l;
    for (Cmd c : cmds)
        l << int(c);
    return l;
}

// The entries a popup rule decides for each kind; every other entry keeps the menu bar's state.
QList<int> popupRuleEntries(NodeKind kind)
{
    switch (kind) {
    case NodeKind::DrawingsRoot:
        return ids({Cmd::popStart});
    case NodeKind::Drawing:
        return ids({Cmd::mnuDrawing, Cmd::mnuModel});
    case NodeKind::Layout:
        return ids({Cmd::mnuActive, Cmd::mnuFileDelete});
    case NodeKind::Template:
        return ids({Cmd::popLoad, Cmd::mnuTemplate, Cmd::popInsert, Cmd::popDCD});
    case NodeKind::LibraryRoot:
        return ids({Cmd::popDCB});
    case NodeKind::None:
        break;
    }
    return {};
}

// The shown entries of a menu: captions, "-" for a separator.
QStringList visibleEntries(const QMenu* menu)
{
    QStringList entries;
    for (QAction* a : menu->actions()) {
        if (a->isVisible())
            entries << (a->isSeparator() ? QStringLiteral("-") : a->text());
    }
    return entries;
}

QMenu* openPopup()
{
    return qobject_cast<QMenu*>(QApplication::activePopupWidget());
}

void closePopups()
{
    while (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    QCoreApplication::processEvents();
}

QString accessibleName(QObject* o)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(o);
    return iface ? iface->text(QAccessible::Name) : QString();
}

// Focusable controls that a screen reader would announce without a name.
QStringList unnamedControls(QWidget* top)
{
    QStringList unnamed;
    for (QWidget* w : top->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(top) || w->focusPolicy() == Qt::NoFocus || qobject_cast<QMenu*>(w))
            continue;
        if (accessibleName(w).trimmed().isEmpty())
            unnamed << QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ') + w->objectName();
    }
    return unnamed;
}

} // namespace

class TestCommands : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WindowHarness> h;

    frmMain* w() const { return h->session.window(); }
    TreeControl* tree() const { return w()->tvTreeView(); }
    ListControl* list() const { return w()->lvListView(); }

    // The library's files, as the in-process host finds them.
    void putTemplates()
    {
        const cadhost::Drawing sheet = h->cad.store->load(kHaus);
        const QString library = platform::programFolder() + QStringLiteral("/Bibliothek/Vorlagen/");
        for (const char* name : {"A3 quer.dwt", "A4 hoch.dwt", "Bestand EG.dwg", "Detailblatt.dwg"})
            h->cad.store->put(library + QString::fromUtf8(name), sheet);
    }

    void startWithTwoDrawings()
    {
        h->cad.open(kPlan, {QStringLiteral("A1"), QStringLiteral("A2")});
        h->cad.open(kHaus, {QStringLiteral("EG")});
        putTemplates();
        QVERIFY(h->session.start());
    }

    // Selects a node as a click does: "A", "B", a drawing's or layout's text, or a template's file name.
    void selectNode(const QString& node)
    {
        QString key = node;
        if (node.size() > 1) {
            key = loadedNodeKey(*w(), node);
            for (const QString& k : tree()->allKeys()) {
                if (key.isEmpty() && kindOf(k) == NodeKind::Template && tree()->text(k) == node)
                    key = k;
            }
        }
        QVERIFY2(!key.isEmpty(), qPrintable(node));
        tree()->select(key);
        w()->views().TreeSelectionChanged();
    }

    // The layouts of the open drawing of that file name in the host, in tab order.
    QStringList layoutNames(const QString& drawing) const
    {
        QStringList names;
        for (const acad::DocumentSnapshot& doc : h->cad.host->documentSnapshots()) {
            if (doc.ref.name != drawing)
                continue;
            for (const acad::LayoutRef& layout : doc.layouts)
                names.append(layout.name);
        }
        return names;
    }

    // A click on the item in the list as it is shown.
    void selectItem(const QString& text)
    {
        QAbstractItemView* view = shownListView();
        const QModelIndexList found =
            view->model()->match(view->model()->index(0, 0), Qt::DisplayRole, text, 1, Qt::MatchExactly);
        QVERIFY2(!found.isEmpty(), qPrintable(text));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(found.first()).center());
        const QString key = list()->selectedKey();
        QVERIFY2(!key.isEmpty() && list()->text(key) == text, qPrintable(text));
    }

    QAbstractItemView* shownListView() const
    {
        auto* details = w()->findChild<QTreeView*>(QStringLiteral("lvListViewDetails"));
        auto* icons = w()->findChild<QListView*>(QStringLiteral("lvListViewIcons"));
        return details && details->isVisible() ? static_cast<QAbstractItemView*>(details) : icons;
    }

    // A right click on the current item of the tree or the shown list, or a popup key there.
    void askForPopup(bool inList, const QString& how)
    {
        QAbstractItemView* view =
            inList ? shownListView() : static_cast<QAbstractItemView*>(tree()->widget());
        QVERIFY(view);
        view->setFocus();
        if (how == QLatin1String("mouse")) {
            const QPoint at = view->visualRect(view->currentIndex()).center();
            QTest::mouseClick(view->viewport(), Qt::RightButton, {}, at);
            QContextMenuEvent e(QContextMenuEvent::Mouse, at, view->viewport()->mapToGlobal(at));
            QCoreApplication::sendEvent(view->viewport(), &e);
        } else if (how == QLatin1String("Menu")) {
            QTest::keyClick(view, Qt::Key_Menu);
        } else {
            QTest::keyClick(view, Qt::Key_F10, Qt::ShiftModifier);
        }
    }

    QPoint nodeCentre(const QString& key) const
    {
        QTreeWidget* widget = tree()->widget();
        const QList<QTreeWidgetItem*> items =
            widget->findItems(tree()->text(key), Qt::MatchExactly | Qt::MatchRecursive);
        for (QTreeWidgetItem* item : items) {
            if (item->data(0, Qt::UserRole).toString() == key || items.size() == 1)
                return widget->visualItemRect(item).center();
        }
        return widget->visualItemRect(items.value(0)).center();
    }

    // Drags data over the tree to a node ("" = empty space below the nodes) and drops it there.
    void dropOnto(const QString& target, QMimeData* data, Qt::KeyboardModifiers keys = Qt::NoModifier)
    {
        QWidget* viewport = tree()->widget()->viewport();
        const QPoint at = target.isEmpty() ? QPoint(5, viewport->height() - 3) : nodeCentre(target);
        QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &enter);
        QDragMoveEvent move(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(viewport, &move);
        QCOMPARE(tree()->dropHighlight(), target);
        QDropEvent drop(at, Qt::CopyAction, data, Qt::LeftButton, keys);
        QCoreApplication::sendEvent(viewport, &drop);
        QCoreApplication::processEvents();
        QCOMPARE(tree()->dropHighlight(), QString());
    }

    QString nodeOf(const QString& target)
    {
        if (target == QLatin1String("empty"))
            return {};
        if (target.size() == 1)
            return target;
        return loadedNodeKey(*w(), target);
    }

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void init() { h = std::make_unique<WindowHarness>(); }
    void cleanup()
    {
        closePopups();
        h.reset();
    }

    // --- the popup's enabling rules
    void popupStates_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("attached");
        QTest::addColumn<int>("documents");
        QTest::addColumn<QString>("activeLayout");
        QTest::addColumn<int>("layouts");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QList<int>>("enabled"); // of the rule's entries; the others are disabled
        QTest::newRow("drawings root, attached") << "A" << true << 1 << "" << 0 << "" << QList<int>{};
        QTest::newRow("drawings root, no CAD program")
            << "A" << false << 0 << "" << 0 << "" << ids({Cmd::popStart});
        QTest::newRow("drawing in model space")
            << "Z" << true << 1 << "Model" << 1 << "" << ids({Cmd::mnuDrawing});
        QTest::newRow("drawing on a layout")
            << "Z" << true << 1 << "A1" << 1 << "" << ids({Cmd::mnuDrawing, Cmd::mnuModel});
        QTest::newRow("\"model\" is not model space")
            << "Z" << true << 1 << "model" << 1 << "" << ids({Cmd::mnuDrawing, Cmd::mnuModel});
        QTest::newRow("layout, the drawing's only one")
            << "L" << true << 1 << "" << 1 << "" << ids({Cmd::mnuActive});
        QTest::newRow("layout, one of two")
            << "L" << true << 1 << "" << 2 << "" << ids({Cmd::mnuActive, Cmd::mnuFileDelete});
        QTest::newRow(".dwt with a drawing open") << "D" << true << 1 << "" << 0 << "A3 quer.dwt"
                                                  << ids({Cmd::mnuTemplate, Cmd::popLoad, Cmd::popInsert});
        QTest::newRow(".dwg with a drawing open") << "D" << true << 1 << "" << 0 << "Bestand EG.dwg"
                                                  << ids({Cmd::popLoad, Cmd::popInsert, Cmd::popDCD});
        QTest::newRow(".dwt, no drawing open")
            << "D" << true << 0 << "" << 0 << "A3 quer.dwt" << ids({Cmd::mnuTemplate, Cmd::popLoad});
        QTest::newRow(".dwg, no drawing open")
            << "D" << true << 0 << "" << 0 << "Bestand EG.dwg" << ids({Cmd::popLoad});
        QTest::newRow("upper-case .DWT") << "D" << true << 2 << "" << 0 << "PLAN.DWT"
                                         << ids({Cmd::mnuTemplate, Cmd::popLoad, Cmd::popInsert});
        QTest::newRow("template, no CAD program")
            << "D" << false << 0 << "" << 0 << "A3 quer.dwt" << QList<int>{};
        QTest::newRow("library with a drawing open")
            << "B" << true << 1 << "" << 0 << "" << ids({Cmd::popDCB});
        QTest::newRow("library, no drawing open") << "B" << true << 0 << "" << 0 << "" << QList<int>{};
        QTest::newRow("library, no CAD program") << "B" << false << 0 << "" << 0 << "" << QList<int>{};
    }
    void popupStates()
    {
        PopupContext c;
        QFETCH(QString, kind);
        c.kind = kindOf(kind);
        QFETCH(bool, attached);
        c.attached = attached;
        QFETCH(int, documents);
        c.documentCount = documents;
        QFETCH(QString, activeLayout);
        c.activeLayout = activeLayout;
        QFETCH(int, layouts);
        c.layoutCount = layouts;
        QFETCH(QString, file);
        c.templateName = file;
        QFETCH(QList<int>, enabled);
        const QList<int> decided = popupRuleEntries(c.kind);
        // The same result whatever the menu bar had; every other entry keeps the menu bar's state.
        for (bool menuBar : {false, true}) {
            CommandStates base;
            base.fill(menuBar);
            const CommandStates s = computePopupStates(base, c);
            for (int i = 0; i < kCmdCount; ++i) {
                const bool expected = decided.contains(i) ? enabled.contains(i) : menuBar;
                QVERIFY2(s[i] == expected,
                         qPrintable(QStringLiteral("entry %1, menu bar %2").arg(i).arg(menuBar)));
            }
        }
    }

    // --- which popup, from where
    void popupMenus_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QString>("item"); // "" = the popup is asked for in the tree
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("menu"); // "" = no popup
        QTest::addColumn<QStringList>("entries");
        const QStringList layout = {"Aktuell",
                                    "-",
                                    "&Kopieren",
                                    "&Löschen",
                                    "&Umbenennen",
                                    "-",
                                    "Layout nach &vorne",
                                    "Layout nach &hinten",
                                    "-",
                                    "S&eite einrichten übernehmen ...",
                                    "Verö&ffentlichen ...",
                                    "-",
                                    "Layout in Vorlage"};
        const QStringList drawing = {"&Aktuell",
                                     "-",
                                     "&Speichern",
                                     "Speichern &unter ...",
                                     "S&chließen",
                                     "-",
                                     "Layout erstellen ...",
                                     "Register &sortieren",
                                     "-",
                                     "&Modellbereich"};
        const QStringList templ = {"&Neu über Vorlage",   "Öffnen", "&Löschen",        "-",
                                   "Layout einfügen ...", "-",      "DesignCenter ..."};
        const QStringList view = {"Ansicht", "-"};
        QTest::newRow("layout node, right click") << "A1"
                                                  << ""
                                                  << "mouse"
                                                  << "popTV_L" << layout;
        QTest::newRow("layout node, Shift+F10") << "A1"
                                                << ""
                                                << "Shift+F10"
                                                << "popTV_L" << layout;
        QTest::newRow("layout in the list, right click") << "Plan.dwg"
                                                         << "A2"
                                                         << "mouse"
                                                         << "popTV_L" << view + layout;
        QTest::newRow("layout in the list, Menu key") << "Plan.dwg"
                                                      << "A2"
                                                      << "Menu"
                                                      << "popTV_L" << view + layout;
        QTest::newRow("details of a layout in the list: none") << "A1"
                                                               << "-"
                                                               << "mouse"
                                                               << "" << QStringList{};
        QTest::newRow("details of a template in the list: none") << "A3 quer.dwt"
                                                                 << "-"
                                                                 << "Menu"
                                                                 << "" << QStringList{};
        QTest::newRow("drawings root") << "A"
                                       << ""
                                       << "mouse"
                                       << "popTV_A" << QStringList{"AutoCAD starten"};
        QTest::newRow("drawing node") << "Haus.dwg"
                                      << ""
                                      << "Menu"
                                      << "popTV_Z" << drawing;
        QTest::newRow("drawing in the list") << "A"
                                             << "Plan.dwg"
                                             << "mouse"
                                             << "popTV_Z" << view + drawing;
        QTest::newRow("library root") << "B"
                                      << ""
                                      << "mouse"
                                      << "popTV_B" << QStringList{"&Öffnen", "-", "DesignCenter ..."};
        QTest::newRow("template node") << "A3 quer.dwt"
                                       << ""
                                       << "mouse"
                                       << "popTV_D" << templ;
        QTest::newRow("template in the list") << "B"
                                              << "Detailblatt.dwg"
                                              << "Shift+F10"
                                              << "popTV_D" << view + templ;
    }
    void popupMenus()
    {
        startWithTwoDrawings();
        QFETCH(QString, node);
        QFETCH(QString, item);
        selectNode(node);
        if (!item.isEmpty() && item != QLatin1String("-"))
            selectItem(item);
        QFETCH(QString, how);
        askForPopup(!item.isEmpty(), how);
        QFETCH(QString, menu);
        QMenu* shown = openPopup();
        if (menu.isEmpty()) {
            QVERIFY(!shown);
            return;
        }
        QVERIFY(shown);
        QCOMPARE(shown->objectName(), menu);
        QTEST(visibleEntries(shown), "entries");
        if (item.isEmpty())
            return;
        // The view modes of the list's popup switch the list.
        QMenu* modes = shown->actions().constFirst()->menu();
        QCOMPARE(visibleEntries(modes),
                 (QStringList{"&Große Symbole", "&Kleine Symbole", "&Liste", "&Details"}));
        modes->actions().at(3)->trigger();
        QCOMPARE(w()->pressedViewMode(), 3);
    }

    // The popup's own rules hold while it is open, and the menu bar's return when it closes.
    void popupStatesInTheWindow_data()
    {
        QTest::addColumn<bool>("drawingOpen");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QStringList>("enabled");
        QTest::addColumn<QStringList>("disabled");
        QTest::newRow(".dwt with a drawing open")
            << true << "A3 quer.dwt" << QStringList{"&Neu über Vorlage", "Öffnen", "Layout einfügen ..."}
            << QStringList{"DesignCenter ..."};
        QTest::newRow(".dwg with a drawing open")
            << true << "Bestand EG.dwg" << QStringList{"Öffnen", "Layout einfügen ...", "DesignCenter ..."}
            << QStringList{"&Neu über Vorlage"};
        QTest::newRow(".dwt, no drawing open")
            << false << "A3 quer.dwt" << QStringList{"&Neu über Vorlage", "Öffnen"}
            << QStringList{"Layout einfügen ...", "DesignCenter ..."};
    }
    void popupStatesInTheWindow()
    {
        QFETCH(bool, drawingOpen);
        if (drawingOpen)
            h->cad.open(kPlan, {QStringLiteral("A1")});
        QVERIFY(h->session.start());
        selectNode(QStringLiteral("B"));
        QFETCH(QString, item);
        selectItem(item);
        const bool templateBefore = w()->commands()->action(Cmd::mnuTemplate)->isEnabled();
        askForPopup(true, QStringLiteral("mouse"));
        QMenu* shown = openPopup();
        QVERIFY(shown);
        auto entry = [shown](const QString& caption) -> QAction* {
            for (QAction* a : shown->actions()) {
                if (a->text() == caption)
                    return a;
            }
            return nullptr;
        };
        QFETCH(QStringList, enabled);
        QFETCH(QStringList, disabled);
        for (const QString& caption : enabled)
            QVERIFY2(entry(caption) && entry(caption)->isEnabled(), qPrintable(caption));
        for (const QString& caption : disabled)
            QVERIFY2(entry(caption) && !entry(caption)->isEnabled(), qPrintable(caption));
        shown->close();
        QTRY_COMPARE(w()->commands()->action(Cmd::mnuTemplate)->isEnabled(), templateBefore);
    }

    // A chosen popup entry runs its operation, with the popup's states.
    void popupEntriesRunTheirOperations_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("sent");   // the command the host received; "" = none
        QTest::addColumn<QString>("opened"); // a drawing now open; "" = none
        QTest::addColumn<int>("documentsAdded");
        const QString library = platform::programFolder() + QStringLiteral("/Bibliothek/Vorlagen");
        QTest::newRow("library: DesignCenter on the library") << "B"
                                                              << "DesignCenter ..."
                                                              << "ADCNAVIGIEREN\r\r" + library + "\r"
                                                              << "" << 0;
        QTest::newRow(".dwg: DesignCenter on the file") << "Bestand EG.dwg"
                                                        << "DesignCenter ..."
                                                        << "ADCNAVIGIEREN\r\r" + library + "/Bestand EG.dwg\r"
                                                        << "" << 0;
        QTest::newRow(".dwt: new drawing") << "A3 quer.dwt"
                                           << "&Neu über Vorlage"
                                           << ""
                                           << "" << 1;
        QTest::newRow(".dwg: open") << "Detailblatt.dwg"
                                    << "Öffnen"
                                    << "" << library + "/Detailblatt.dwg" << 1;
    }
    void popupEntriesRunTheirOperations()
    {
        startWithTwoDrawings();
        QFETCH(QString, node);
        selectNode(node);
        const int before = int(h->cad.host->application().documents.size());
        h->cad.host->sentCommands.clear();
        askForPopup(false, QStringLiteral("Menu"));
        QMenu* shown = openPopup();
        QVERIFY(shown);
        QFETCH(QString, entry);
        for (QAction* a : shown->actions()) {
            if (a->text() == entry) {
                QVERIFY(a->isEnabled());
                shown->setActiveAction(a);
            }
        }
        QTest::keyClick(shown, Qt::Key_Return);
        QVERIFY(!openPopup());
        QFETCH(QString, sent);
        if (!sent.isEmpty())
            QTRY_COMPARE(h->cad.host->sentCommands.value(0), sent);
        QFETCH(QString, opened);
        if (!opened.isEmpty())
            QVERIFY(documentOf(*h->cad.host, opened) != 0);
        QTEST(int(h->cad.host->application().documents.size()) - before, "documentsAdded");
    }

    void startFromThePopup()
    {
        QVERIFY(h->session.start());
        // The CAD program quits and cannot be started again at the next return: the window stays
        // without it.
        h->cad.running = false;
        h->cad.creatable = false;
        h->cad.host->gone = true;
        QVERIFY(h->session.leave());
        h->session.program().CheckAutoCAD();
        QVERIFY(h->session.activate());
        h->boxes.expect(platform::vbYes, QStringLiteral("gestartet werden"));
        h->boxes.expect(platform::vbOK);
        h->session.program().CheckAutoCAD();
        QVERIFY(!h->session.program().Connection.acadApp());
        h->cad.creatable = true;
        const int creates = h->cad.creates;
        selectNode(QStringLiteral("A"));
        askForPopup(false, QStringLiteral("mouse"));
        QMenu* shown = openPopup();
        QVERIFY(shown);
        QAction* start = shown->actions().constFirst();
        QCOMPARE(start->text(), QStringLiteral("AutoCAD starten"));
        QVERIFY(start->isEnabled());
        shown->setActiveAction(start);
        QTest::keyClick(shown, Qt::Key_Return);
        QTRY_COMPARE(h->cad.creates, creates + 1);
        QVERIFY(h->session.program().Connection.acadApp());
    }

    // --- drops onto the tree
    void drops_data()
    {
        QTest::addColumn<QString>("dragged"); // files | [shift:]tree:<node> | list:<item> | text
        QTest::addColumn<QString>("target");  // A, B, a drawing's or layout's text, or "empty"
        QTest::addColumn<bool>("refused");
        QTest::addColumn<int>("documentsAdded");
        QTest::addColumn<bool>("namingTemplate");
        // The drawing whose layouts the drop changes, and its tabs afterwards; "" for none.
        QTest::addColumn<QString>("drawing");
        QTest::addColumn<QStringList>("tabs");
        QTest::newRow("files onto the drawings") << "files"
                                                 << "A" << false << 2 << false << QString() << QStringList{};
        QTest::newRow("files onto the library") << "files"
                                                << "B" << false << 0 << false << QString() << QStringList{};
        QTest::newRow("files onto a drawing")
            << "files"
            << "Plan.dwg" << true << 0 << false << QString() << QStringList{};
        QTest::newRow("files onto empty space")
            << "files"
            << "empty" << true << 0 << false << QString() << QStringList{};
        QTest::newRow("template node onto the drawings")
            << "tree:A3 quer.dwt"
            << "A" << false << 1 << false << QString() << QStringList{};
        QTest::newRow("template node onto the library")
            << "tree:A3 quer.dwt"
            << "B" << false << 0 << false << QString() << QStringList{};
        QTest::newRow("layout node onto the library")
            << "tree:A1"
            << "B" << false << 0 << true << QString() << QStringList{};
        QTest::newRow("layout node onto the drawings")
            << "tree:A1"
            << "A" << false << 0 << false << QString() << QStringList{};
        // A layout dropped on another drawing, or on one of its layouts, is copied there as the last tab.
        QTest::newRow("layout node onto a drawing")
            << "tree:A1"
            << "Haus.dwg" << false << 0 << false << "Haus.dwg" << QStringList{"Model", "EG", "A1"};
        QTest::newRow("layout node onto a layout")
            << "tree:A1"
            << "EG" << false << 0 << false << "Haus.dwg" << QStringList{"Model", "EG", "A1"};
        // With Shift it is moved: copied there, then deleted from its own drawing.
        QTest::newRow("layout node onto a drawing with Shift")
            << "shift:tree:A1"
            << "Haus.dwg" << false << 0 << false << "Plan.dwg" << QStringList{"Model", "A2"};
        // Dropped on a layout of its own drawing, its tab moves in front of that layout.
        QTest::newRow("layout node onto a layout of its drawing")
            << "tree:A2"
            << "A1" << false << 0 << false << "Plan.dwg" << QStringList{"Model", "A2", "A1"};
        QTest::newRow("layout of the list onto the library")
            << "list:A2"
            << "B" << false << 0 << true << QString() << QStringList{};
        QTest::newRow("drawing of the list onto the library")
            << "list:Haus.dwg"
            << "B" << false << 0 << false << QString() << QStringList{};
        QTest::newRow("text of another program onto the library")
            << "text"
            << "B" << false << 0 << false << QString() << QStringList{};
        QTest::newRow("text onto empty space") << "text"
                                               << "empty" << true << 0 << false << QString() << QStringList{};
    }
    void drops()
    {
        startWithTwoDrawings();
        QFETCH(QString, dragged);
        const bool shift = dragged.startsWith(QLatin1String("shift:"));
        if (shift)
            dragged = dragged.mid(6);
        auto* data = new QMimeData;
        std::unique_ptr<QMimeData> owner(data);
        if (dragged == QLatin1String("files")) {
            for (const char* name : {"/q/Zwei.dwg", "/q/Eins.dwg"}) {
                h->cad.store->put(QString::fromLatin1(name), h->cad.store->load(kHaus));
            }
            data->setUrls({QUrl::fromLocalFile(QStringLiteral("/q/Zwei.dwg")),
                           QUrl::fromLocalFile(QStringLiteral("/q/Eins.dwg"))});
        } else if (dragged.startsWith(QLatin1String("tree:"))) {
            selectNode(dragged.mid(5));
            data->setText(dragged.mid(5));
        } else if (dragged.startsWith(QLatin1String("list:"))) {
            selectNode(dragged.mid(5) == QLatin1String("A2") ? QStringLiteral("Plan.dwg")
                                                             : QStringLiteral("A"));
            selectItem(dragged.mid(5));
            data->setText(dragged.mid(5));
        } else {
            data->setText(QStringLiteral("Grundriss"));
        }
        QFETCH(QString, target);
        QFETCH(bool, refused);
        if (refused)
            h->boxes.expect(platform::vbOK, kRefused);
        const int before = int(h->cad.host->application().documents.size());
        dropOnto(nodeOf(target), data, shift ? Qt::ShiftModifier : Qt::NoModifier);
        QCOMPARE(h->boxes.boxes().size(), refused ? 1 : 0);
        if (refused) {
            QCOMPARE(h->boxes.boxes().constFirst().icon(), int(platform::vbExclamation));
            QCOMPARE(h->boxes.boxes().constFirst().title, platform::programTitle());
        }
        QTEST(int(h->cad.host->application().documents.size()) - before, "documentsAdded");
        QFETCH(QString, drawing);
        if (!drawing.isEmpty()) {
            QFETCH(QStringList, tabs);
            QTRY_COMPARE(layoutNames(drawing), tabs);
        }
        QFETCH(bool, namingTemplate);
        QCOMPARE(tree()->isEditing(), namingTemplate);
        QCOMPARE(w()->views().State.ProvisionalTemplateNode, namingTemplate);
        if (dragged == QLatin1String("files") && target == QLatin1String("A")) {
            // In their order, and the tree shows both after one refresh.
            const acad::ApplicationSnapshot app = h->cad.host->application();
            QCOMPARE(app.documents.at(app.documents.size() - 2).name, QStringLiteral("Zwei.dwg"));
            QCOMPARE(app.documents.last().name, QStringLiteral("Eins.dwg"));
            QVERIFY(!loadedNodeKey(*w(), QStringLiteral("Zwei.dwg")).isEmpty());
            QVERIFY(!loadedNodeKey(*w(), QStringLiteral("Eins.dwg")).isEmpty());
        }
    }

    // Dragging a node hands other programs its text.
    void dragCarriesTheNodeText()
    {
        startWithTwoDrawings();
        selectNode(QStringLiteral("A2"));
        QTreeWidget* widget = tree()->widget();
        const QMimeData* data = widget->model()->mimeData({widget->currentIndex()});
        QVERIFY(data);
        QCOMPARE(data->text(), QStringLiteral("A2"));
        delete data;
        selectNode(QStringLiteral("Plan.dwg"));
        selectItem(QStringLiteral("A1"));
        QAbstractItemView* view = shownListView();
        const QMimeData* fromList = view->model()->mimeData({view->currentIndex()});
        QVERIFY(fromList);
        QCOMPARE(fromList->text(), QStringLiteral("A1"));
        delete fromList;
    }

    // --- the toolbar's dispatchers, clicked on their buttons
    void toolbarActiveAndDesignCenter_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("activeAfter"); // drawing;layout after "Active"
        QTest::addColumn<QString>("dcPath");      // what the DesignCenter is sent to
        const QString library = platform::programFolder() + QStringLiteral("/Bibliothek/Vorlagen");
        QTest::newRow("drawings root: the list's drawing") << "A"
                                                           << "Plan.dwg"
                                                           << "Plan.dwg;A1"
                                                           << "";
        QTest::newRow("drawing: nothing changes") << "Plan.dwg"
                                                  << "A2"
                                                  << "Haus.dwg;EG"
                                                  << "";
        QTest::newRow("layout of another drawing: it becomes current, after the question") << "A2"
                                                                                           << ""
                                                                                           << "Plan.dwg;A2"
                                                                                           << "";
        QTest::newRow("library") << "B"
                                 << ""
                                 << "Haus.dwg;EG" << library;
        QTest::newRow("template") << "A4 hoch.dwt"
                                  << ""
                                  << "Haus.dwg;EG" << library + "/A4 hoch.dwt";
    }
    void toolbarActiveAndDesignCenter()
    {
        startWithTwoDrawings();
        QFETCH(QString, node);
        QFETCH(QString, item);
        selectNode(node);
        if (!item.isEmpty())
            selectItem(item);
        if (node == QLatin1String("A2"))
            h->boxes.expect(platform::vbYes, QStringLiteral(" zum aktiven Dokument machen?"));
        const int fronts = h->cad.host->bringToFrontCalls;
        auto click = [this](const QString& key) {
            QWidget* button = w()->tbToolBar()->widgetForAction(w()->commands()->toolbarAction(key));
            QVERIFY(button && button->isEnabled());
            QTest::mouseClick(button, Qt::LeftButton);
        };
        click(QStringLiteral("Active"));
        const acad::ApplicationSnapshot app = h->cad.host->application();
        const acad::DocumentRef active = [&] {
            for (const acad::DocumentRef& d : app.documents) {
                if (d.id == app.activeDocument)
                    return d;
            }
            return acad::DocumentRef{};
        }();
        QTEST(active.name + QLatin1Char(';') + h->cad.host->document(active.id).activeLayout, "activeAfter");
        QCOMPARE(h->cad.host->bringToFrontCalls, fronts + 1);
        h->cad.host->sentCommands.clear();
        click(QStringLiteral("DC"));
        QFETCH(QString, dcPath);
        QCOMPARE(h->cad.host->sentCommands, QStringList{"ADCNAVIGIEREN\r\r" + dcPath + "\r"});
    }

    // --- keyboard
    void keys_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<QKeyCombination>("key");
        QTest::addColumn<QString>("effect");
        QTest::newRow("F2 renames a layout") << "A1" << QKeyCombination(Qt::Key_F2) << "tree edit";
        QTest::newRow("F2 on a drawing renames in the list")
            << "Plan.dwg" << QKeyCombination(Qt::Key_F2) << "list edit";
        QTest::newRow("Tab leaves the tree for the list")
            << "A" << QKeyCombination(Qt::Key_Tab) << "list focus";
    }
    void keys()
    {
        startWithTwoDrawings();
        QFETCH(QString, node);
        selectNode(node);
        if (node == QLatin1String("Plan.dwg"))
            selectItem(QStringLiteral("A1"));
        QTreeWidget* widget = tree()->widget();
        widget->setFocus();
        QTRY_VERIFY(widget->hasFocus());
        QFETCH(QKeyCombination, key);
        QFETCH(QString, effect);
        QTest::keyClick(QApplication::focusWidget(), key.key(), key.keyboardModifiers());
        if (effect == QLatin1String("tree edit"))
            QTRY_VERIFY(tree()->isEditing());
        else if (effect == QLatin1String("list edit"))
            QTRY_VERIFY(list()->isEditing());
        else
            QCOMPARE(QApplication::focusWidget(), shownListView());
    }

    // --- what a screen reader reads
    void everyControlHasAName()
    {
        startWithTwoDrawings();
        selectNode(QStringLiteral("Plan.dwg"));
        QCOMPARE(unnamedControls(w()), QStringList{});
        QStringList unnamed;
        for (QAction* a : w()->tbToolBar()->actions()) {
            QWidget* button = w()->tbToolBar()->widgetForAction(a);
            if (!a->isSeparator() && button && accessibleName(button).isEmpty())
                unnamed << a->objectName();
        }
        QCOMPARE(unnamed, QStringList{});
        QCOMPARE(accessibleName(shownListView()), QStringLiteral("Layouts"));
        QCOMPARE(accessibleName(tree()->widget()), QStringLiteral("Zeichnungen/Layouts"));
    }

    void everyDialogFieldHasAName_data()
    {
        QTest::addColumn<QString>("node");
        QTest::addColumn<int>("cmd");
        QTest::newRow("Layout kopieren") << "A1" << int(Cmd::mnuEditCopy);
        QTest::newRow("Layouts umbenennen") << "Plan.dwg" << int(Cmd::mnuFileRename);
        QTest::newRow("Info") << "A" << int(Cmd::mnuHelpAbout);
        QTest::newRow("Veröffentlichen") << "A1" << int(Cmd::mnuPublish);
    }
    void everyDialogFieldHasAName()
    {
        startWithTwoDrawings();
        QFETCH(QString, node);
        selectNode(node);
        if (node == QLatin1String("Plan.dwg")) {
            list()->setMultiSelect(true);
            selectItem(QStringLiteral("A1"));
            list()->setSelected(list()->keys().last(), true);
        }
        QStringList unnamed{QStringLiteral("no dialog")};
        QTimer::singleShot(0, this, [&unnamed] {
            QTRY_VERIFY(QApplication::activeModalWidget());
            QWidget* dialog = QApplication::activeModalWidget();
            unnamed = unnamedControls(dialog);
            dialog->close();
        });
        QFETCH(int, cmd);
        QVERIFY(triggerCommand(*w(), Cmd(cmd)));
        QCOMPARE(unnamed, QStringList{});
    }
};

QTEST_MAIN(TestCommands)
#include "tst_Commands.moc"
