#include "MsgBoxRecorder.h"
#include "WindowTestSupport.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>
#include <QtTest>
#include <explorer/frmMain.h>
#include <help/ChmFile.h>
#include <help/basHTMLHelp.h>
#include <help/frmHilfe.h>

using explorer::Cmd;
using testsupport::MsgBoxRecorder;

namespace {

QString shownPage(basHTMLHelp::HTMLHelp& help)
{
    frmHilfe* hilfe = help.hilfe();
    auto* viewer = hilfe ? hilfe->findChild<QWidget*>(QStringLiteral("HelpViewer")) : nullptr;
    auto* page = viewer ? viewer->findChild<QTextBrowser*>(QStringLiteral("txtPage")) : nullptr;
    return page && viewer->isVisible() ? page->source().path() : QString();
}

int helpWindows(basHTMLHelp::HTMLHelp& help)
{
    return int(help.hilfe()->findChildren<QWidget*>(QStringLiteral("HelpViewer")).size());
}

// A caption as the help names it: no access key, no " ...", one space between words.
QString shown(const QString& caption)
{
    QString text = caption;
    text.remove(QLatin1Char('&'));
    if (text.trimmed().endsWith(QLatin1String("...")))
        text = text.trimmed().chopped(3);
    return text.simplified();
}

} // namespace

// The "&?" menu, F1 and the toolbar's help button of the main window.
class TestHelpMenu : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WindowHarness> h;
    frmMain* window = nullptr;
    basHTMLHelp::HTMLHelp& help() { return h->session.program().HTMLHelp; }

    // Every menu's title and every command's caption of the main window.
    QSet<QString> commandNames() const
    {
        QSet<QString> names;
        for (QAction* action : window->findChildren<QAction*>())
            names.insert(shown(action->text()));
        for (QAction* action : window->commands()->findChildren<QAction*>())
            names.insert(shown(action->text()));
        for (QMenu* menu : window->menuBar()->findChildren<QMenu*>())
            names.insert(shown(menu->title()));
        return names;
    }

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void init()
    {
        h = std::make_unique<WindowHarness>();
        QVERIFY(h->session.start());
        window = h->session.window();
    }
    void cleanup()
    {
        QVERIFY2(!h->boxes.unexpected(), qPrintable(h->boxes.failures()));
        h.reset();
        window = nullptr;
    }

    void entries_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<QString>("page");
        QTest::newRow("KV+ &Hilfe") << "contents"
                                    << "/Kvarto_1.htm";
        QTest::newRow("&Hilfe zum Blattwart") << "search"
                                              << "/Kvarto_32.htm";
        QTest::newRow("F1") << "F1"
                            << "/Kvarto_32.htm";
        QTest::newRow("toolbar") << "toolbar"
                                 << "/Kvarto_32.htm";
    }
    void entries()
    {
        QFETCH(QString, how);
        explorer::MainCommands* c = window->commands();
        if (how == QLatin1String("contents")) {
            QCOMPARE(c->action(Cmd::mnuHelpContents)->text(), QStringLiteral("KV+ &Hilfe"));
            QVERIFY(c->action(Cmd::mnuHelpContents)->isEnabled());
            c->action(Cmd::mnuHelpContents)->trigger();
        } else if (how == QLatin1String("search")) {
            QVERIFY(c->action(Cmd::mnuHelpSearchForHelpOn)->isEnabled());
            c->action(Cmd::mnuHelpSearchForHelpOn)->trigger();
        } else if (how == QLatin1String("F1")) {
            QTest::keyClick(window, Qt::Key_F1);
        } else {
            auto* button = qobject_cast<QToolButton*>(
                window->tbToolBar()->widgetForAction(c->toolbarAction(QStringLiteral("Hilfe"))));
            QVERIFY(button && button->isEnabled());
            QTest::mouseClick(button, Qt::LeftButton);
        }
        QTEST(shownPage(help()), "page");
        QVERIFY(!help().hilfe()->isVisible());
    }

    // Every entry of the menu uses the one help window.
    void oneWindowForAll()
    {
        window->commands()->action(Cmd::mnuHelpContents)->trigger();
        window->commands()->action(Cmd::mnuHelpContents)->trigger();
        QTest::keyClick(window, Qt::Key_F1);
        QCOMPARE(shownPage(help()), QStringLiteral("/Kvarto_32.htm"));
        QCOMPARE(helpWindows(help()), 1);
    }

    // The about box is modal; its maker button opens the maker's topic in the help window.
    void aboutBox()
    {
        QAction* about = window->commands()->action(Cmd::mnuHelpAbout);
        QVERIFY(about->isEnabled());
        QString title;
        bool modal = false;
        bool ownedByBox = false;
        QTimer::singleShot(0, this, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box)
                return;
            title = box->windowTitle();
            modal = box->objectName() == QLatin1String("frmInfo");
            box->findChild<QPushButton*>(QStringLiteral("cmdFirmaInfo"))->click();
            // Owned by the modal box, the help comes in front of it and takes input.
            QWidget* viewer = help().hilfe()->findChild<QWidget*>(QStringLiteral("HelpViewer"));
            ownedByBox = viewer && viewer->isVisible() &&
                         viewer->windowHandle()->transientParent() == box->windowHandle();
            box->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
        });
        about->trigger();
        QVERIFY(modal);
        QVERIFY(ownedByBox);
        QCOMPARE(title, QStringLiteral("Info zum KV+ -Blattwart"));
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(shownPage(help()), QStringLiteral("/Kvarto_17.htm"));
    }

    // The help pages name only the window's own menus and commands, and tell of F5 and the sheet list.
    void pagesNameTheWindowsCommands_data()
    {
        QTest::addColumn<QString>("page");
        QTest::newRow("contents") << "/Kvarto_1.htm";
        QTest::newRow("maker") << "/Kvarto_17.htm";
        QTest::newRow("overview") << "/Kvarto_32.htm";
    }
    void pagesNameTheWindowsCommands()
    {
        QFETCH(QString, page);
        const std::unique_ptr<help::ChmFile> chm = help::ChmFile::open(help().helpFile());
        QVERIFY(chm);
        const std::optional<QByteArray> bytes = chm->read(page);
        QVERIFY(bytes);
        const QString text = QString::fromUtf8(*bytes);
        const QSet<QString> names = commandNames();
        static const QRegularExpression menu(QStringLiteral("<span class=\"menu\">(.*?)</span>"),
                                             QRegularExpression::DotMatchesEverythingOption);
        for (auto it = menu.globalMatch(text); it.hasNext();) {
            const QString name = shown(it.next().captured(1));
            QVERIFY2(names.contains(name), qPrintable(page + QStringLiteral(": ") + name));
        }
        for (const char* untrue : {"Ein Klick macht", "Als Vorlage speichern", "Menü Hilfe", "<b>Neu</b>"})
            QVERIFY2(!text.contains(QString::fromUtf8(untrue)), untrue);
    }
    void pagesTellOfRefreshAndSheetList()
    {
        const std::unique_ptr<help::ChmFile> chm = help::ChmFile::open(help().helpFile());
        QVERIFY(chm);
        const QString contents = QString::fromUtf8(chm->read(QStringLiteral("/Kvarto_1.htm")).value_or(""));
        const QString overview = QString::fromUtf8(chm->read(QStringLiteral("/Kvarto_32.htm")).value_or(""));
        for (const QString& text : {contents, overview}) {
            QVERIFY(text.contains(QStringLiteral("<kbd>F5</kbd>")));
            QVERIFY(text.contains(QStringLiteral("<span class=\"menu\">Blattliste</span>")));
        }
    }

    // Closing the main window closes the help window too.
    void closingTheMainWindow()
    {
        QTest::keyClick(window, Qt::Key_F1);
        QWidget* viewer = help().hilfe()->findChild<QWidget*>(QStringLiteral("HelpViewer"));
        QVERIFY(viewer->isVisible());
        window->close();
        QVERIFY(!viewer->isVisible());
    }
};

QTEST_MAIN(TestHelpMenu)
#include "tst_helpmenu.moc"
