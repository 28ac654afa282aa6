// The host's window over a real engine with drawings in memory: tabs, title, command line, menus,
// DesignCenter and the file dialog, driven as a user would drive them.
#include <QDockWidget>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QTabBar>
#include <QtTest>
#include <cadhost/app/HostWindow.h>
#include <cadhost/app/SheetView.h>
#include <cadhost/engine/Document.h>
#include <cadhost/engine/Engine.h>
#include <cadhost/engine/MemoryStore.h>

using cadhost::Engine;
using cadhost::HostWindow;

namespace {

QStringList tabTexts(const QTabBar* bar)
{
    QStringList texts;
    for (int i = 0; i < bar->count(); ++i)
        texts.append(bar->tabText(i));
    return texts;
}

void clickTab(QTabBar* bar, int index)
{
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
}

cadhost::Entity entity(const QString& type, const QList<cadhost::DxfGroup>& groups)
{
    cadhost::Entity e;
    e.dxfType = type;
    e.extra = groups;
    return e;
}

// Layout1 holds a diagonal line over the sheet, model space a circle, Layout2 nothing.
cadhost::Drawing lineDrawing()
{
    cadhost::Drawing d;
    cadhost::Layout model;
    model.name = QStringLiteral("Model");
    d.layouts.append(model);
    for (const QString& name : {QStringLiteral("Layout1"), QStringLiteral("Layout2")}) {
        cadhost::Layout sheet;
        sheet.name = name;
        sheet.tabOrder = d.layouts.size();
        sheet.plot = cadhost::defaultPaperPlot();
        d.layouts.append(sheet);
    }
    d.layouts[1].entities.append(entity(QStringLiteral("LINE"), {{10, QStringLiteral("10")},
                                                                 {20, QStringLiteral("10")},
                                                                 {11, QStringLiteral("410")},
                                                                 {21, QStringLiteral("287")}}));
    d.modelSpace.append(
        entity(QStringLiteral("CIRCLE"),
               {{10, QStringLiteral("0")}, {20, QStringLiteral("0")}, {40, QStringLiteral("50")}}));
    d.activeLayout = QStringLiteral("Layout1");
    return d;
}

int darkPixels(const QImage& image)
{
    int dark = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            dark += qGray(image.pixel(x, y)) < 100 ? 1 : 0;
    }
    return dark;
}

void type(QLineEdit* input, const QString& text)
{
    QTest::keyClicks(input, text);
    QTest::keyClick(input, Qt::Key_Return);
}

} // namespace

class tst_HostWindow : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void menuEntries_data();
    void menuEntries();
    void titleAndTabsFollowTheEngine();
    void clickingTabsActivates();
    void commandLineAsksAndWaits();
    void menuBarShowsInsertedPopup();
    void designCenterListsDrawings();
    void fileDialogAnswersSaveAs();
    void fileDialogClosesWhenThePromptIsAnswered_data();
    void fileDialogClosesWhenThePromptIsAnswered();
    void lateChoiceNeverReachesALaterPrompt_data();
    void lateChoiceNeverReachesALaterPrompt();
    void visibleAndBringToFront();
    void drawingAreaShowsTheCurrentLayout_data();
    void drawingAreaShowsTheCurrentLayout();

private:
    std::unique_ptr<Engine> m_engine;
    std::unique_ptr<HostWindow> m_window;
    QTemporaryDir m_dir;
};

void tst_HostWindow::init()
{
    QFile::remove(qEnvironmentVariable("CADHOST_PROFILE"));
    m_engine = std::make_unique<Engine>();
    m_window = std::make_unique<HostWindow>(*m_engine);
    m_engine->setVisible(true);
    m_window->followVisibility();
}

void tst_HostWindow::cleanup()
{
    m_window.reset();
    m_engine.reset();
}

void tst_HostWindow::menuEntries_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("input");
    QTest::newRow("macro with Enter")
        << QStringLiteral("ID_KvLayout [&Layout erstellen...]^C^C-vbarun;Programm.KV_Layout;")
        << QStringLiteral("&Layout erstellen...") << QStringLiteral("\x1b\x1b-vbarun\rProgramm.KV_Layout\r");
    QTest::newRow("command") << QStringLiteral("[&Hilfe]^C^C_help") << QStringLiteral("&Hilfe")
                             << QStringLiteral("\x1b\x1b_help\r");
    QTest::newRow("caption only") << QStringLiteral("ID_KvMenu   [KV&+]") << QStringLiteral("KV&+")
                                  << QString();
    QTest::newRow("no brackets") << QStringLiteral("  _layout ") << QStringLiteral("_layout")
                                 << QStringLiteral("_layout\r");
}

void tst_HostWindow::menuEntries()
{
    QFETCH(QString, entry);
    QFETCH(QString, caption);
    QFETCH(QString, input);
    QCOMPARE(cadhost::menuEntryCaption(entry), caption);
    QCOMPARE(cadhost::menuMacroInput(entry), input);
}

void tst_HostWindow::titleAndTabsFollowTheEngine()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("CAD-Host"));
    const acad::DocId first = m_engine->addDocument(QString());
    const acad::DocId second = m_engine->addDocument(QString());
    const acad::DocumentSnapshot active = m_engine->document(second);
    QTRY_COMPARE(m_window->documentTabs()->count(), 2);
    QCOMPARE(m_window->documentTabs()->currentIndex(), 1);
    QCOMPARE(m_window->windowTitle(),
             QStringLiteral("CAD-Host - [%1/%2]").arg(active.ref.path, active.ref.name));
    QCOMPARE(tabTexts(m_window->layoutTabs()).value(0), QStringLiteral("Model"));
    QCOMPARE(m_window->layoutTabs()->tabText(m_window->layoutTabs()->currentIndex()), active.activeLayout);
    m_engine->closeDocument(first, false);
    QTRY_COMPARE(m_window->documentTabs()->count(), 1);
}

void tst_HostWindow::clickingTabsActivates()
{
    const acad::DocId first = m_engine->addDocument(QString());
    m_engine->addDocument(QString());
    QTRY_COMPARE(m_window->documentTabs()->count(), 2);
    clickTab(m_window->documentTabs(), 0);
    QCOMPARE(m_engine->application().activeDocument, first);
    QTRY_COMPARE(m_window->windowTitle().contains(m_engine->document(first).ref.name), true);
    clickTab(m_window->layoutTabs(), 0);
    QCOMPARE(m_engine->document(first).activeLayout, QStringLiteral("Model"));
    QTRY_COMPARE(m_window->layoutTabs()->currentIndex(), 0);
}

// "LAYOUT" asks on the command line; the window shows each prompt and hands the typed answers on.
void tst_HostWindow::commandLineAsksAndWaits()
{
    const acad::DocId doc = m_engine->addDocument(QString());
    QTRY_COMPARE(m_window->documentTabs()->count(), 1);
    const QString idle = m_window->promptLabel()->text();
    type(m_window->input(), QStringLiteral("_layout"));
    QTRY_VERIFY(m_window->promptLabel()->text() != idle);
    QVERIFY(m_engine->isBusy());
    type(m_window->input(), QStringLiteral("_new"));
    type(m_window->input(), QStringLiteral("Schnitt A-A"));
    QTRY_VERIFY(tabTexts(m_window->layoutTabs()).contains(QStringLiteral("Schnitt A-A")));
    QTRY_COMPARE(m_window->promptLabel()->text(), idle);
    QVERIFY(m_window->history()->toPlainText().contains(QStringLiteral("Schnitt A-A")));
    QVERIFY(m_engine->document(doc).layouts.size() >= 3);
}

void tst_HostWindow::menuBarShowsInsertedPopup()
{
    const QString file = m_dir.filePath(QStringLiteral("Kvarto.mns"));
    QFile mns(file);
    QVERIFY(mns.open(QIODevice::WriteOnly));
    mns.write("***MENUGROUP=KV+\n***POP1\n**KVMENU\nID_KvMenu [KV&+]\nID_KvNeu [&Neues "
              "Layout]^C^C_layout;_new;Aus Men\xc3\xbc;\n"
              "[--]\nID_KvHilfe [&Hilfe]^C^C_help\n");
    mns.close();
    const int before = int(m_window->menuBar()->actions().size());
    m_engine->loadMenuGroup(file, false);
    m_engine->insertPopupInMenuBar(QStringLiteral("KV+"), 0, before + 1);
    QTRY_COMPARE(int(m_window->menuBar()->actions().size()), before + 1);
    QAction* popup = m_window->menuBar()->actions().constLast();
    QCOMPARE(popup->text(), QStringLiteral("KV&+"));
    QStringList entries;
    for (const QAction* action : popup->menu()->actions())
        entries.append(action->isSeparator() ? QStringLiteral("--") : action->text());
    QCOMPARE(entries,
             QStringList({QStringLiteral("&Neues Layout"), QStringLiteral("--"), QStringLiteral("&Hilfe")}));
    // An entry runs its macro on the command line.
    m_engine->addDocument(QString());
    popup->menu()->actions().constFirst()->trigger();
    QTRY_VERIFY(tabTexts(m_window->layoutTabs()).contains(QStringLiteral("Aus Menü")));
}

void tst_HostWindow::designCenterListsDrawings()
{
    for (const char* name : {"B.dwg", "a.dwt", "c.dxf", "notiz.txt"}) {
        QFile f(m_dir.filePath(QString::fromLatin1(name)));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    const acad::DocId doc = m_engine->addDocument(QString());
    QVERIFY(m_window->designCenter()->isHidden());
    m_engine->sendCommand(doc, QStringLiteral("ADCNAVIGIEREN\r\r%1\r").arg(m_dir.path()));
    QTRY_VERIFY(m_window->designCenter()->isVisible());
    QCOMPARE(m_window->designCenterPath()->text(), m_dir.path());
    QStringList listed;
    for (int i = 0; i < m_window->designCenterFiles()->count(); ++i)
        listed.append(m_window->designCenterFiles()->item(i)->text());
    QCOMPARE(listed,
             QStringList({QStringLiteral("a.dwt"), QStringLiteral("B.dwg"), QStringLiteral("c.dxf")}));
}

// FILEDIA 1: "_saveas" opens a file dialog without a nested event loop; its choice answers the prompt.
void tst_HostWindow::fileDialogAnswersSaveAs()
{
    const acad::DocId doc = m_engine->addDocument(QString());
    m_engine->setVariable(doc, QStringLiteral("FILEDIA"), 1);
    m_engine->sendCommand(doc, QStringLiteral("_saveas\r"));
    QTRY_VERIFY(m_window->fileDialog() && m_window->fileDialog()->isVisible());
    // The engine still answers while the dialog is open.
    QCOMPARE(m_engine->application().activeDocument, doc);
    const QString path = m_dir.filePath(QStringLiteral("Gespeichert.dwg"));
    QLineEdit* name = m_window->fileDialog()->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(name);
    name->setText(path);
    QTest::keyClick(name, Qt::Key_Return);
    QTRY_COMPARE(m_engine->document(doc).ref.name, QStringLiteral("Gespeichert.dwg"));
    QVERIFY(!m_window->fileDialog());
}

// The prompt a dialog was opened for ends without it: the dialog goes, and no choice can follow.
void tst_HostWindow::fileDialogClosesWhenThePromptIsAnswered_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("saved"); // under the typed name
    QTest::newRow("typed in the window") << QStringLiteral("typed") << true;
    QTest::newRow("sent by automation") << QStringLiteral("sent") << true;
    QTest::newRow("Escape in the window") << QStringLiteral("escape") << false;
    QTest::newRow("cancelled by the engine") << QStringLiteral("cancel") << false;
    QTest::newRow("drawing closed") << QStringLiteral("close") << false;
}

void tst_HostWindow::fileDialogClosesWhenThePromptIsAnswered()
{
    QFETCH(QString, how);
    QFETCH(bool, saved);
    const acad::DocId doc = m_engine->addDocument(QString());
    const QString before = m_engine->document(doc).ref.name;
    m_engine->sendCommand(doc, QStringLiteral("_saveas\r"));
    QTRY_VERIFY(m_window->fileDialog() && m_window->fileDialog()->isVisible());
    const QString typed = m_dir.filePath(QStringLiteral("Getippt.dwg"));
    if (how == QLatin1String("typed")) {
        type(m_window->input(), typed);
    } else if (how == QLatin1String("sent")) {
        m_engine->sendCommand(doc, typed + u'\r');
    } else if (how == QLatin1String("escape")) {
        // Escape in the command line beside the open dialog. The offscreen platform keeps the dialog
        // the active window, so the key reaches the line's shortcut only this way.
        auto* escape = m_window->input()->findChild<QShortcut*>();
        QVERIFY(escape && escape->key() == QKeySequence(Qt::Key_Escape));
        emit escape->activated();
    } else if (how == QLatin1String("cancel")) {
        m_engine->cancelCommand(doc);
    } else {
        m_engine->closeDocument(doc, false);
    }
    QTRY_VERIFY2(!m_window->fileDialog(), qPrintable(m_window->history()->toPlainText()));
    QCOMPARE(m_engine->currentPrompt(), QStringLiteral("Befehl:"));
    if (m_engine->drawing(doc))
        QCOMPARE(m_engine->document(doc).ref.name, saved ? QStringLiteral("Getippt.dwg") : before);
    QVERIFY(!m_window->history()->toPlainText().contains(QStringLiteral("Unbekannter Befehl")));
}

// Typed input and a choice in the dialog in the same turn of the event loop: the typed answer came
// first, so the choice is dropped, whatever waits next.
void tst_HostWindow::lateChoiceNeverReachesALaterPrompt_data()
{
    QTest::addColumn<QString>("next");   // what the typed input goes on with
    QTest::addColumn<QString>("prompt"); // the prompt that must still wait afterwards
    QTest::newRow("idle command line") << QString() << QStringLiteral("Befehl:");
    QTest::newRow("another prompt") << QStringLiteral("_layout\r")
                                    << QStringLiteral("Layout-Option eingeben");
    QTest::newRow("another file prompt")
        << QStringLiteral("_saveas\r") << QStringLiteral("Zeichnungsdateiname eingeben");
}

void tst_HostWindow::lateChoiceNeverReachesALaterPrompt()
{
    QFETCH(QString, next);
    QFETCH(QString, prompt);
    const acad::DocId doc = m_engine->addDocument(QString());
    m_engine->sendCommand(doc, QStringLiteral("_saveas\r"));
    QTRY_VERIFY(m_window->fileDialog() && m_window->fileDialog()->isVisible());
    const QPointer<QFileDialog> dialog = m_window->fileDialog();
    m_engine->sendCommand(doc, m_dir.filePath(QStringLiteral("Getippt.dwg")) + u'\r' + next);
    QLineEdit* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(name);
    name->setText(m_dir.filePath(QStringLiteral("Gewählt.dwg")));
    QTest::keyClick(name, Qt::Key_Return);
    QTRY_COMPARE(m_engine->document(doc).ref.name, QStringLiteral("Getippt.dwg"));
    QTRY_VERIFY(m_window->history()->toPlainText().contains(QStringLiteral("Dateiauswahl verworfen")));
    QVERIFY(m_engine->currentPrompt().startsWith(prompt));
    const QString history = m_window->history()->toPlainText();
    QVERIFY(!history.contains(QStringLiteral("Unbekannter Befehl")));
    QVERIFY(!history.contains(QStringLiteral("Ungültige Option")));
    QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("Gewählt.dwg"))));
}

void tst_HostWindow::visibleAndBringToFront()
{
    QVERIFY(m_window->isVisible());
    m_engine->setVisible(false);
    QVERIFY(!m_window->isVisible());
    QVERIFY(!m_engine->isInteractive());
    m_engine->bringToFront();
    QVERIFY(m_window->isVisible());
    QVERIFY(m_engine->isVisible());
}

void tst_HostWindow::drawingAreaShowsTheCurrentLayout_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("drawn");
    QTest::newRow("layout as opened") << QString() << QStringLiteral("Layout1") << 1;
    QTest::newRow("model space") << QStringLiteral("LAYOUT\rSetzen\rModel\r") << QStringLiteral("Model") << 1;
    QTest::newRow("empty layout") << QStringLiteral("LAYOUT\rSetzen\rLayout2\r") << QStringLiteral("Layout2")
                                  << 0;
}

void tst_HostWindow::drawingAreaShowsTheCurrentLayout()
{
    QFETCH(QString, command);
    QFETCH(QString, shown);
    QFETCH(int, drawn);
    dynamic_cast<cadhost::MemoryStore&>(m_engine->store())
        .put(QStringLiteral("/mem/Linie.dwg"), lineDrawing());
    const acad::DocId doc = m_engine->openDocument(QStringLiteral("/mem/Linie.dwg"));
    if (!command.isEmpty())
        m_engine->sendCommand(doc, command);
    cadhost::SheetView* view = m_window->sheet();
    QTRY_COMPARE(view->layoutName(), shown);
    QCOMPARE(view->document(), doc);
    const QImage picture = view->grab().toImage();
    QCOMPARE(view->lastResult(), (acad::PlotResult{drawn, 0}));
    // Drawn lines are dark on the white paper; an empty sheet shows only its dashed margin frame.
    QCOMPARE(darkPixels(picture) > 50, drawn > 0);
}

QTEST_MAIN(tst_HostWindow)
#include "tst_HostWindow.moc"
