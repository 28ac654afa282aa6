#include "MsgBoxRecorder.h"
#include "WindowTestSupport.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>
#include <explorer/frmMain.h>
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

} // namespace

// The "&?" menu, F1 and the toolbar's help button of the main window.
class TestHelpMenu : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<WindowHarness> h;
    frmMain* window = nullptr;
    basHTMLHelp::HTMLHelp& help() { return h->session.program().HTMLHelp; }

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
        QTimer::singleShot(0, this, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box)
                return;
            title = box->windowTitle();
            modal = box->objectName() == QLatin1String("frmInfo");
            box->findChild<QPushButton*>(QStringLiteral("cmdFirmaInfo"))->click();
            box->findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
        });
        about->trigger();
        QVERIFY(modal);
        QCOMPARE(title, QStringLiteral("Info zum KV+ -Blattwart"));
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(shownPage(help()), QStringLiteral("/Kvarto_17.htm"));
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
