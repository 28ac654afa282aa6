#include "MsgBoxRecorder.h"
#include "RecordingShell.h"
#include "TestEnv.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QtTest>
#include <help/HelpContents.h>
#include <help/HelpControl.h>
#include <help/HelpViewer.h>
#include <help/InfoControl.h>
#include <help/basHTMLHelp.h>
#include <help/frmHilfe.h>
#include <help/frmInfo.h>
#include <platform/FamilyKeyStore.h>
#include <platform/ProgramFolder.h>

using testsupport::MsgBoxRecorder;

namespace {

const QString kCannotOpen = QStringLiteral("Kann Hilfedatei nicht öffnen!");
const QString kNoSysInfo = QStringLiteral("Systeminformationen sind momentan nicht verfügbar");
const QString kMsinfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kLocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");

QMainWindow* viewerOf(const basHTMLHelp::HTMLHelp& help)
{
    return help.hilfe() ? help.hilfe()->findChild<QMainWindow*>(QStringLiteral("HelpViewer")) : nullptr;
}

QTextBrowser* pageOf(const basHTMLHelp::HTMLHelp& help)
{
    QMainWindow* viewer = viewerOf(help);
    return viewer ? viewer->findChild<QTextBrowser*>(QStringLiteral("txtPage")) : nullptr;
}

QString shownPage(const basHTMLHelp::HTMLHelp& help)
{
    QTextBrowser* page = pageOf(help);
    return page ? page->source().path() : QString();
}

// A click on the link whose text is given, where the page shows it.
bool clickLink(QTextBrowser* page, const QString& text)
{
    QTextCursor found = page->document()->find(text);
    if (found.isNull())
        return false;
    found.setPosition(found.selectionStart() + 1);
    page->setTextCursor(found);
    page->ensureCursorVisible();
    const QPoint at = page->cursorRect(found).center();
    QTest::mouseClick(page->viewport(), Qt::LeftButton, {}, at);
    return true;
}

// A product folder of its own, whose help file the case writes.
struct OtherProduct
{
    QTemporaryDir dir;
    QString helpFile() const { return dir.filePath(QStringLiteral("Help/Kvarto.chm")); }
};

QByteArray realHelpFile()
{
    QFile file(platform::joinPath(platform::programFolder(), QStringLiteral("Help/Kvarto.chm")));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString names(const QList<help::TocEntry>& entries)
{
    QStringList parts;
    for (const help::TocEntry& e : entries) {
        QString part = e.name + QLatin1Char('=') + e.local;
        if (!e.children.isEmpty())
            part += QLatin1Char('(') + names(e.children) + QLatin1Char(')');
        parts << part;
    }
    return parts.join(QLatin1Char(','));
}

void writeKey(const QString& keyPath, const QString& name, const QString& value)
{
    QVERIFY(platform::createFamilyKey(keyPath));
    platform::writeFamilyValue(keyPath, name, value);
}

} // namespace

class TestHelp : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void cleanup() { testsupport::removeTree(platform::familyKeyFolder()); }

    // --- topics of the sample help file
    void topics_data()
    {
        QTest::addColumn<QString>("topic");
        QTest::addColumn<QString>("heading");
        QTest::newRow("contents") << "Kvarto_1"
                                  << "Blattwart für AutoCAD 2007";
        QTest::newRow("maker") << "Kvarto_17"
                               << "Herstellerinformationen";
        QTest::newRow("overview") << "Kvarto_32"
                                  << "Bedienung im Überblick";
    }
    void topics()
    {
        QFETCH(QString, topic);
        QFETCH(QString, heading);
        MsgBoxRecorder boxes;
        RecordingShell shell;
        basHTMLHelp::HTMLHelp help(platform::programFolder(), shell);
        QVERIFY(!help.hilfe());
        help.ShowHelpTopic(topic);
        QVERIFY(help.hilfe());
        QCOMPARE(help.hilfe()->windowTitle(), QStringLiteral("Hilfe"));
        QVERIFY(!help.hilfe()->isVisible());
        QVERIFY(viewerOf(help) && viewerOf(help)->isVisible());
        QCOMPARE(viewerOf(help)->windowTitle(), QStringLiteral("Kvarto - Hilfe"));
        QCOMPARE(shownPage(help), "/" + topic + ".htm");
        QCOMPARE(pageOf(help)->document()->firstBlock().text(), heading);
    }

    void startHelpOpensTheContents()
    {
        MsgBoxRecorder boxes;
        RecordingShell shell;
        basHTMLHelp::HTMLHelp help(platform::programFolder(), shell);
        help.ShowHelpTopic(QStringLiteral("Kvarto_32"));
        help.hilfe()->ShowStartHelp();
        QCOMPARE(shownPage(help), QStringLiteral("/Kvarto_1.htm"));
        // A screen reader names the two parts as a sighted user sees them.
        QCOMPARE(pageOf(help)->accessibleName(), QStringLiteral("Hilfeseite"));
        QCOMPARE(viewerOf(help)->findChild<QWidget*>(QStringLiteral("tvContents"))->accessibleName(),
                 QStringLiteral("Inhalt"));
    }

    // The second request finds the window the first one made, even after the user closed it.
    void sameTopicReusesTheWindow()
    {
        MsgBoxRecorder boxes;
        RecordingShell shell;
        basHTMLHelp::HTMLHelp help(platform::programFolder(), shell);
        help.ShowHelpTopic(QStringLiteral("Kvarto_1"));
        QMainWindow* first = viewerOf(help);
        first->close();
        help.ShowHelpTopic(QStringLiteral("Kvarto_1"));
        help.ShowHelpTopic(QStringLiteral("Kvarto_1"));
        QCOMPARE(viewerOf(help), first);
        QCOMPARE(help.hilfe()->findChildren<QMainWindow*>().size(), 1);
        QVERIFY(first->isVisible());
        QCOMPARE(shownPage(help), QStringLiteral("/Kvarto_1.htm"));
        QVERIFY(pageOf(help)->document()->toPlainText().contains(QStringLiteral("Bibliothek")));
    }

    // Pictures and the style sheet come out of the help file, not from the disk.
    void picturesAndStyleFromTheFile()
    {
        MsgBoxRecorder boxes;
        RecordingShell shell;
        basHTMLHelp::HTMLHelp help(platform::programFolder(), shell);
        help.ShowHelpTopic(QStringLiteral("Kvarto_1"));
        QTextBrowser* page = pageOf(help);
        const QImage picture = qvariant_cast<QImage>(page->document()->resource(
            QTextDocument::ImageResource, page->source().resolved(QUrl(QStringLiteral("kvarto.png")))));
        QCOMPARE(picture.size(), QSize(96, 96));
        QTextCursor heading(page->document()->firstBlock());
        heading.movePosition(QTextCursor::NextCharacter);
        QCOMPARE(heading.charFormat().foreground().color(), QColor(0, 0, 0x80));
    }

    // A click on a link inside the file, then back and forward.
    void linkInsideTheFile()
    {
        MsgBoxRecorder boxes;
        RecordingShell shell;
        basHTMLHelp::HTMLHelp help(platform::programFolder(), shell);
        help.ShowHelpTopic(QStringLiteral("Kvarto_1"));
        QMainWindow* viewer = viewerOf(help);
        auto* back = viewer->findChild<QAction*>(QStringLiteral("actBack"));
        auto* forward = viewer->findChild<QAction*>(QStringLiteral("actForward"));
        QVERIFY(!back->isEnabled());
        QVERIFY(clickLink(pageOf(help), QStringLiteral("Bedienung im Überblick")));
        QCOMPARE(shownPage(help), QStringLiteral("/Kvarto_32.htm"));
        QCOMPARE(pageOf(help)->document()->firstBlock().text(), QStringLiteral("Bedienung im Überblick"));
        QVERIFY(back->isEnabled());
        back->trigger();
        QCOMPARE(shownPage(help), QStringLiteral("/Kvarto_1.htm"));
        QVERIFY(forward->isEnabled());
        forward->trigger();
        QCOMPARE(shownPage(help), QStringLiteral("/Kvarto_32.htm"));
        QVERIFY(shell.urls.isEmpty());
    }

    void externalLinkGoesToTheDesktop()
    {
        MsgBoxRecorder boxes;
        RecordingShell shell;
        basHTMLHelp::HTMLHelp help(platform::programFolder(), shell);
        help.ShowHelpTopic(QStringLiteral("Kvarto_17"));
        QVERIFY(clickLink(pageOf(help), QStringLiteral("www.velmora.example")));
        QCOMPARE(shell.urls, QList<QUrl>{QUrl(QStringLiteral("https://www.velmora.example/"))});
        QCOMPARE(shownPage(help), QStringLiteral("/Kvarto_17.htm"));
    }

    // The file's own table of contents; an entry shows its page and the shown page is marked.
    void tableOfContents()
    {
        MsgBoxRecorder boxes;
        RecordingShell shell;
        basHTMLHelp::HTMLHelp help(platform::programFolder(), shell);
        help.ShowHelpTopic(QStringLiteral("Kvarto_32"));
        auto* tree = viewerOf(help)->findChild<QTreeWidget*>(QStringLiteral("tvContents"));
        QCOMPARE(tree->topLevelItemCount(), 3);
        QCOMPARE(tree->topLevelItem(0)->text(0), QStringLiteral("Blattwart für AutoCAD 2007"));
        QCOMPARE(tree->currentItem(), tree->topLevelItem(1));
        QTreeWidgetItem* maker = tree->topLevelItem(2);
        QCOMPARE(maker->text(0), QStringLiteral("Herstellerinformationen"));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(maker).center());
        QCOMPARE(shownPage(help), QStringLiteral("/Kvarto_17.htm"));
        QCOMPARE(tree->currentItem(), maker);
    }

    // Where the control sends a link from the contents page.
    void links_data()
    {
        QTest::addColumn<QString>("link");
        QTest::addColumn<QString>("page");    // shown next; "" when the window stays
        QTest::addColumn<QString>("desktop"); // handed to the desktop
        QTest::addColumn<QString>("message"); // part of the message, "" for none
        QTest::newRow("relative") << "Kvarto_17.htm"
                                  << "chm:/Kvarto_17.htm"
                                  << ""
                                  << "";
        QTest::newRow("other case") << "KVARTO_17.HTM"
                                    << "chm:/KVARTO_17.HTM"
                                    << ""
                                    << "";
        QTest::newRow("anchor") << "Kvarto_32.htm#tasten"
                                << "chm:/Kvarto_32.htm#tasten"
                                << ""
                                << "";
        QTest::newRow("home platform form") << "ms-its:Kvarto.chm::/Kvarto_32.htm"
                                            << "chm:/Kvarto_32.htm"
                                            << ""
                                            << "";
        QTest::newRow("web") << "https://example.org/a"
                             << ""
                             << "https://example.org/a"
                             << "";
        QTest::newRow("mail") << "mailto:a@example.org"
                              << ""
                              << "mailto:a@example.org"
                              << "";
        QTest::newRow("missing page") << "Fehlt.htm"
                                      << ""
                                      << ""
                                      << "„Fehlt.htm“ fehlt in der Hilfedatei";
        QTest::newRow("local file") << "file:///etc/passwd"
                                    << ""
                                    << ""
                                    << "„file:///etc/passwd“ kann nicht geöffnet werden";
    }
    void links()
    {
        QFETCH(QString, link);
        QFETCH(QString, page);
        QFETCH(QString, desktop);
        QFETCH(QString, message);
        MsgBoxRecorder boxes;
        RecordingShell shell;
        help::HelpControl control(shell);
        const std::optional<QUrl> start =
            control.OpenTopic(platform::joinPath(platform::programFolder(), "Help/Kvarto.chm"), "Kvarto_1");
        QVERIFY(start);
        if (!message.isEmpty())
            boxes.expect(platform::vbOK, message);
        const std::optional<QUrl> next = control.followLink(QUrl(link), *start);
        QCOMPARE(next ? next->toString() : QString(), page);
        QCOMPARE(shell.urls.isEmpty() ? QString() : shell.urls.first().toString(), desktop);
        QVERIFY(boxes.scriptDone());
        if (!message.isEmpty())
            QCOMPARE(boxes.boxes().first().title, QStringLiteral("Kvarto - Hilfe"));
    }

    // --- failures: no blank window, and a window already shown keeps its page
    void missingFile()
    {
        OtherProduct product;
        MsgBoxRecorder boxes;
        RecordingShell shell;
        basHTMLHelp::HTMLHelp help(product.dir.path(), shell);
        boxes.expect(platform::vbOK, kCannotOpen);
        help.ShowHelpTopic(QStringLiteral("Kvarto_1"));
        QVERIFY(boxes.scriptDone());
        QCOMPARE(boxes.boxes().first().text, kCannotOpen);
        QCOMPARE(boxes.boxes().first().title, QStringLiteral("Kvarto - Hilfe"));
        QVERIFY(!viewerOf(help));
    }

    void damagedFile_data()
    {
        const QByteArray real = realHelpFile();
        QVERIFY(real.size() > 8192);
        QByteArray scrambled = real;
        for (qsizetype i = 0x60; i < scrambled.size(); i += 7)
            scrambled[i] = char(scrambled[i] ^ 0x5A);
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("not a help file") << QByteArray("<html>Kvarto</html>\n");
        QTest::newRow("header only") << real.left(0x60);
        QTest::newRow("first half") << real.left(real.size() / 2);
        QTest::newRow("last 4 KB cut off") << real.left(real.size() - 4096);
        QTest::newRow("scrambled") << scrambled;
    }
    void damagedFile()
    {
        QFETCH(QByteArray, content);
        OtherProduct product;
        QVERIFY(testsupport::writeFile(product.helpFile(), content));
        MsgBoxRecorder boxes;
        RecordingShell shell;
        basHTMLHelp::HTMLHelp help(product.dir.path(), shell);
        boxes.expect(platform::vbOK, kCannotOpen);
        help.ShowHelpTopic(QStringLiteral("Kvarto_1"));
        QVERIFY(boxes.scriptDone());
        QVERIFY(!viewerOf(help));
    }

    void missingTopic()
    {
        MsgBoxRecorder boxes;
        RecordingShell shell;
        basHTMLHelp::HTMLHelp help(platform::programFolder(), shell);
        boxes.expect(platform::vbOK, QStringLiteral("„Kvarto_99.htm“ fehlt in der Hilfedatei"));
        help.ShowHelpTopic(QStringLiteral("Kvarto_99"));
        QVERIFY(boxes.scriptDone());
        QCOMPARE(boxes.boxes().first().title, QStringLiteral("Kvarto - Hilfe"));
        QVERIFY(!viewerOf(help));
        help.ShowHelpTopic(QStringLiteral("Kvarto_1"));
        boxes.expect(platform::vbOK, QStringLiteral("„Kvarto_99.htm“ fehlt"));
        help.ShowHelpTopic(QStringLiteral("Kvarto_99"));
        QVERIFY(boxes.scriptDone());
        QCOMPARE(shownPage(help), QStringLiteral("/Kvarto_1.htm"));
        QCOMPARE(pageOf(help)->document()->firstBlock().text(), QStringLiteral("Blattwart für AutoCAD 2007"));
    }

    // --- reading the file's texts
    void sitemap_data()
    {
        QTest::addColumn<QByteArray>("hhc");
        QTest::addColumn<QString>("expected");
        QTest::newRow("nested")
            << QByteArray(
                   "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"A\">"
                   "<param name=\"Local\" value=\"a.htm\"></OBJECT><UL><LI><OBJECT type=\"text/sitemap\">"
                   "<param name=\"Name\" value=\"A1\"><param name=\"Local\" value=\"a1.htm\"></OBJECT>"
                   "</UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"B\"></OBJECT></UL>")
            << "A=a.htm(A1=a1.htm),B=";
        QTest::newRow("entities and lower case")
            << QByteArray("<ul><li><object type='text/sitemap'><param name=name value=\"&Uuml;bersicht &amp; "
                          "mehr\"><param name=local value=x.htm></object></ul>")
            << "Übersicht & mehr=x.htm";
        QTest::newRow("windows-1252")
            << QByteArray("<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" "
                          "value=\"Gr\xF6\xDF"
                          "e\"></OBJECT></UL>")
            << "Größe=";
        QTest::newRow("site properties are no entry")
            << QByteArray(
                   "<OBJECT type=\"text/site properties\"><param name=\"Name\" value=\"X\"></OBJECT><UL>"
                   "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Y\"></OBJECT></UL>")
            << "Y=";
        QTest::newRow("unbalanced") << QByteArray("</UL></UL><UL><UL><LI><OBJECT type=\"text/sitemap\">"
                                                  "<param name=\"Name\" value=\"Z\"></OBJECT>")
                                    << "Z=";
    }
    void sitemap()
    {
        QFETCH(QByteArray, hhc);
        QTEST(names(help::parseSitemap(hhc)), "expected");
    }

    void pageText_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("named utf-8") << QByteArray("<meta charset=\"utf-8\"><p>Gr\xC3\xB6\xC3\x9F"
                                                   "e</p>");
        QTest::newRow("named windows-1252")
            << QByteArray("<meta http-equiv=\"Content-Type\" content=\"text/html; "
                          "charset=windows-1252\"><p>Gr\xF6\xDF"
                          "e</p>");
        QTest::newRow("unnamed utf-8") << QByteArray("<p>Gr\xC3\xB6\xC3\x9F"
                                                     "e</p>");
        QTest::newRow("unnamed windows-1252") << QByteArray("<p>Gr\xF6\xDF"
                                                            "e</p>");
    }
    void pageText()
    {
        QFETCH(QByteArray, bytes);
        QVERIFY(help::decodeHelpText(bytes).contains(QStringLiteral("<p>Größe</p>")));
    }

    // --- the about box
    void versionText_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("text");
        QTest::newRow("2.1.5") << "2.1.5"
                               << "Version 2.1.5";
        QTest::newRow("no revision") << "2.1"
                                     << "Version 2.1.0";
        QTest::newRow("two digits") << "10.12.105"
                                    << "Version 10.12.105";
    }
    void versionText()
    {
        QFETCH(QString, version);
        QTEST(InfoControl::versionText(QVersionNumber::fromString(version)), "text");
    }

    void aboutBox()
    {
        MsgBoxRecorder boxes;
        RecordingShell shell;
        basHTMLHelp::HTMLHelp help(platform::programFolder(), shell);
        InfoControl control(help, shell);
        frmInfo box(control);
        box.show();
        QCOMPARE(box.windowTitle(), QStringLiteral("Info zum KV+ -Blattwart"));
        QVERIFY(box.isModal());
        QVERIFY(!box.findChild<QLabel*>(QStringLiteral("Picture1"))->pixmap().isNull());
        const QString version = QVersionNumber::fromString(QStringLiteral(BW_PROJECT_VERSION)).toString();
        QCOMPARE(box.findChild<QLabel*>(QStringLiteral("lblVersion"))->text(), "Version " + version);
        QCOMPARE(box.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                 QStringLiteral("Velmora Software GmbH"));
        QVERIFY(box.findChild<QLabel*>(QStringLiteral("Label10"))->text().contains(QStringLiteral("Rechte")));
        for (const char* name : {"lblEMail", "lblInternet"}) {
            auto* link = box.findChild<QLabel*>(QLatin1String(name));
            QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(4, link->height() / 2));
        }
        QCOMPARE(shell.urls, (QList<QUrl>{QUrl(QStringLiteral("mailto:info@velmora.example")),
                                          QUrl(QStringLiteral("https://www.velmora.example/"))}));
        box.findChild<QPushButton*>(QStringLiteral("cmdFirmaInfo"))->click();
        QCOMPARE(shownPage(help), QStringLiteral("/Kvarto_17.htm"));
        QVERIFY(boxes.boxes().isEmpty());
    }

    // Which program "Systeminformationen" starts, from the keys that the store holds.
    void sysInfo_data()
    {
        QTest::addColumn<QString>("pathValue");     // MSINFO "PATH"; "-" for none
        QTest::addColumn<QString>("locationValue"); // Shared Tools Location "MSINFO"; "-" for none
        QTest::addColumn<bool>("exeExists");        // MSINFO32.EXE in the location's folder
        QTest::addColumn<bool>("starts");           // the program starts
        QTest::addColumn<QString>("started");       // the program asked for, relative to the key folder
        QTest::addColumn<bool>("message");
        QTest::newRow("PATH") << "/usr/bin/hardinfo"
                              << "-" << false << true << "/usr/bin/hardinfo" << false;
        QTest::newRow("PATH wins") << "/usr/bin/hardinfo"
                                   << "tools" << true << true << "/usr/bin/hardinfo" << false;
        QTest::newRow("PATH does not start") << "/fehlt"
                                             << "tools" << true << false << "/fehlt" << true;
        QTest::newRow("location") << "-"
                                  << "tools" << true << true << "tools/MSINFO32.EXE" << false;
        QTest::newRow("location without program") << "-"
                                                  << "tools" << false << true << "" << true;
        QTest::newRow("no keys") << "-"
                                 << "-" << false << true << "" << true;
    }
    void sysInfo()
    {
        QFETCH(QString, pathValue);
        QFETCH(QString, locationValue);
        QFETCH(bool, exeExists);
        QFETCH(bool, starts);
        QFETCH(QString, started);
        QFETCH(bool, message);
        const QString folder = platform::familyKeyFolder();
        const auto inFolder = [&folder](const QString& v) {
            return v.startsWith('/') ? v : folder + '/' + v;
        };
        if (pathValue != QLatin1String("-"))
            writeKey(kMsinfoKey, QStringLiteral("PATH"), pathValue);
        if (locationValue != QLatin1String("-"))
            writeKey(kLocationKey, QStringLiteral("MSINFO"), inFolder(locationValue));
        if (exeExists)
            QVERIFY(testsupport::writeFile(inFolder(locationValue) + "/MSINFO32.EXE", "#!/bin/sh\n"));
        MsgBoxRecorder boxes;
        if (message)
            boxes.expect(platform::vbOK, kNoSysInfo);
        RecordingShell shell;
        shell.programsStart = starts;
        basHTMLHelp::HTMLHelp help(platform::programFolder(), shell);
        InfoControl control(help, shell);
        frmInfo box(control);
        box.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->click();
        QCOMPARE(shell.programs.value(shell.programs.size() - 1),
                 started.isEmpty() ? QString() : inFolder(started));
        QVERIFY(boxes.scriptDone());
        if (message)
            QCOMPARE(boxes.boxes().first().style, int(platform::vbOKOnly));
    }

    // The real desktop starts the program the key names, and reports one that is missing.
    void sysInfoStartsTheProgram()
    {
        const QString folder = platform::familyKeyFolder();
        const QString marker = folder + QStringLiteral("/gestartet");
        const QString program = folder + QStringLiteral("/sysinfo.sh");
        QVERIFY(testsupport::writeFile(program, "#!/bin/sh\ntouch \"$(dirname \"$0\")/gestartet\"\n"));
        QVERIFY(QFile::setPermissions(program, QFile::permissions(program) | QFile::ExeOwner));
        writeKey(kMsinfoKey, QStringLiteral("PATH"), program);
        MsgBoxRecorder boxes;
        help::DesktopShell shell;
        basHTMLHelp::HTMLHelp help(platform::programFolder(), shell);
        InfoControl control(help, shell);
        control.StartSysInfo();
        QTRY_VERIFY(QFileInfo::exists(marker));
        QVERIFY(boxes.boxes().isEmpty());
        writeKey(kMsinfoKey, QStringLiteral("PATH"), folder + QStringLiteral("/fehlt/msinfo"));
        boxes.expect(platform::vbOK, kNoSysInfo);
        control.StartSysInfo();
        QVERIFY(boxes.scriptDone());
    }
};

QTEST_MAIN(TestHelp)
#include "tst_help.moc"
