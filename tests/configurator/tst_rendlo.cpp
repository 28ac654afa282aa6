#include "MsgBoxRecorder.h"
#include "TestEnv.h"
#include "ThrowingHost.h"

#include <QFileInfo>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <RendloControl.h>
#include <acad/Error.h>
#include <frmRendlo.h>
#include <platform/ProgramFolder.h>

using testsupport::MsgBoxRecorder;

namespace {

// A CAD host with a support path, menu groups read from a table instead of menu files, a menu bar,
// and the visibility it was given.
class FakeHost final : public testsupport::ThrowingHost
{
public:
    QString path = QStringLiteral("/cad/support");
    bool refusePath = false;
    QHash<QString, QList<acad::MenuPopup>> menuFiles; // file name -> popups of the group "KV+"
    QStringList groups;
    QList<acad::MenuPopup> bar{{QStringLiteral("&Datei"), QStringLiteral("POP1")},
                               {QStringLiteral("&Bearbeiten"), QStringLiteral("POP2")}};
    QList<bool> visibility;
    int updates = 0;
    bool quitted = false;
    bool gone = false; // the host has ended: every call of a button fails
    bool hung = false; // the host is there but every call times out

    acad::ApplicationSnapshot application() override
    {
        if (hung)
            throw acad::Error(QStringLiteral("Der CAD-Host antwortet nicht."));
        return {{}, 3, visibility.value(visibility.size() - 1, true)};
    }
    void setVisible(bool visible) override
    {
        if (hung)
            throw acad::Error(QStringLiteral("Der CAD-Host antwortet nicht."));
        if (gone)
            throw acad::Error(QStringLiteral("AutoCAD antwortet nicht mehr."));
        visibility.append(visible);
    }
    void update() override { ++updates; }
    void quit() override { quitted = true; }
    QString supportPath() override { return path; }
    void setSupportPath(const QString& p) override
    {
        if (refusePath)
            throw acad::Error(QStringLiteral("Das Profil ist schreibgeschützt."));
        path = p;
    }
    void loadMenuGroup(const QString& file, bool baseMenu) override
    {
        if (baseMenu || !menuFiles.contains(file) || !QFileInfo::exists(file))
            throw acad::Error(QStringLiteral("Die Menüdatei kann nicht geladen werden."));
        groups.append(QStringLiteral("KV+"));
    }
    QList<acad::MenuPopup> menuGroupPopups(const QString& group) override
    {
        if (!groups.contains(group))
            throw acad::Error(QStringLiteral("Die Menügruppe fehlt."));
        return menuFiles.value(menuFile());
    }
    void insertPopupInMenuBar(const QString& group, qint32 popupIndex, qint32 barIndex) override
    {
        bar.insert(qMin<qsizetype>(barIndex, bar.size()), menuGroupPopups(group).at(popupIndex));
    }
    QList<acad::MenuPopup> menuBar() override { return bar; }

    static QString menuFile() { return platform::programFolder() + QStringLiteral("/Support/Kvarto.mns"); }
};

struct Connector
{
    std::shared_ptr<FakeHost> running;   // attach finds it
    std::shared_ptr<FakeHost> startable; // create starts it
    acad::FunctionConnector connector;

    Connector()
    {
        connector.running = [this](const QString&) { return bool(running); };
        connector.attaching = [this](const QString& progId) -> std::shared_ptr<acad::Host> {
            if (!running)
                throw acad::Error(QStringLiteral("Das Programm \"%1\" läuft nicht.").arg(progId));
            return running;
        };
        connector.creating = [this](const QString& progId) -> std::shared_ptr<acad::Host> {
            if (!startable)
                throw acad::Error(
                    QStringLiteral("Das Programm \"%1\" kann nicht gestartet werden.").arg(progId));
            return startable;
        };
    }
};

acad::MenuPopup popup(const QString& name, const QString& alias)
{
    return {name, alias};
}

QStringList aliases(const QList<acad::MenuPopup>& popups)
{
    QStringList result;
    for (const acad::MenuPopup& p : popups)
        result.append(p.alias);
    return result;
}

} // namespace

class TestRendlo final : public QObject
{
    Q_OBJECT

private slots:
    void runningTwiceAppendsTheFolderTwice()
    {
        Connector c;
        c.running = std::make_shared<FakeHost>();
        for (int run = 0; run < 2; ++run) {
            MsgBoxRecorder boxes;
            RendloControl control(c.connector);
            control.Activate();
            QVERIFY(control.isReady());
            control.cmdStart();
        }
        const QString folder = platform::programFolder();
        QCOMPARE(c.running->path, QStringLiteral("/cad/support;") + folder + QLatin1Char(';') + folder);
    }

    void attachedHostIsHiddenAndShownAgain_data()
    {
        QTest::addColumn<bool>("beenden");
        QTest::newRow("&AutoCAD starten") << false;
        QTest::newRow("&Beenden") << true;
    }

    void attachedHostIsHiddenAndShownAgain()
    {
        QFETCH(bool, beenden);
        Connector c;
        c.running = std::make_shared<FakeHost>();
        c.startable = std::make_shared<FakeHost>();
        MsgBoxRecorder boxes;
        RendloControl control(c.connector);
        QSignalSpy ready(&control, &RendloControl::ready);
        QSignalSpy finished(&control, &RendloControl::finished);
        control.Activate();
        QCOMPARE(ready.count(), 1);
        QCOMPARE(control.host(), c.running.get());
        QCOMPARE(control.activeDocument(), 3);
        QCOMPARE(c.running->visibility, (QList<bool>{false, false}));

        beenden ? control.cmdWeiter() : control.cmdStart();
        QCOMPARE(finished.count(), 1);
        QCOMPARE(c.running->visibility, (QList<bool>{false, false, true}));
        QCOMPARE(c.running->updates, 1);
        QCOMPARE(c.running->quitted, beenden);
        QVERIFY(!control.host()); // released
        QVERIFY(c.startable->visibility.isEmpty());
    }

    void startsAHostWhenNoneRuns()
    {
        Connector c;
        c.startable = std::make_shared<FakeHost>();
        MsgBoxRecorder boxes;
        RendloControl control(c.connector);
        control.Activate();
        QCOMPARE(control.host(), c.startable.get());
        QVERIFY(c.startable->path.endsWith(platform::programFolder()));
    }

    void popupsGoToTheEndOfTheMenuBar_data()
    {
        QTest::addColumn<QList<acad::MenuPopup>>("group");
        QTest::addColumn<QStringList>("bar");
        QTest::newRow("one") << QList<acad::MenuPopup>{popup("KV&+", "A")}
                             << QStringList{"POP1", "POP2", "A"};
        QTest::newRow("several, in the group's order")
            << QList<acad::MenuPopup>{popup("KV&+", "A"), popup("Anderes", "X"), popup("KV&+", "B"),
                                      popup("kv&+", "C"), popup("KV+", "D"),     popup("KV&+", "E")}
            << QStringList{"POP1", "POP2", "A", "B", "E"};
        QTest::newRow("none named KV&+")
            << QList<acad::MenuPopup>{popup("KV", "A")} << QStringList{"POP1", "POP2"};
        QTest::newRow("empty group") << QList<acad::MenuPopup>{} << QStringList{"POP1", "POP2"};
    }

    void popupsGoToTheEndOfTheMenuBar()
    {
        QFETCH(QList<acad::MenuPopup>, group);
        QFETCH(QStringList, bar);
        Connector c;
        c.running = std::make_shared<FakeHost>();
        c.running->menuFiles.insert(FakeHost::menuFile(), group);
        MsgBoxRecorder boxes; // no popup: nothing is shown
        RendloControl control(c.connector);
        control.Activate();
        QVERIFY(control.isReady());
        QCOMPARE(aliases(c.running->bar), bar);
    }

    void missingMenuFileShowsNothing()
    {
        const testsupport::PublicTempDir folder;
        const testsupport::ScopedEnv env("KVARTO_PROGRAM_DIR", folder.path());
        Connector c;
        c.running = std::make_shared<FakeHost>();
        c.running->menuFiles.insert(FakeHost::menuFile(), {popup("KV&+", "A")});
        MsgBoxRecorder boxes;
        RendloControl control(c.connector);
        control.Activate();
        QVERIFY(control.isReady());
        QCOMPARE(aliases(c.running->bar), (QStringList{"POP1", "POP2"}));
        QVERIFY(c.running->path.endsWith(folder.path()));
    }

    void unwritableSupportPath()
    {
        Connector c;
        c.running = std::make_shared<FakeHost>();
        c.running->refusePath = true;
        c.running->menuFiles.insert(FakeHost::menuFile(), {popup("KV&+", "A")});
        MsgBoxRecorder boxes;
        boxes.expect(platform::vbOK, QStringLiteral("Eintrag in AutoCAD-Supportpfad nicht möglich!"));
        RendloControl control(c.connector);
        control.Activate();
        QVERIFY(boxes.scriptDone());
        QCOMPARE(boxes.boxes().first().icon(), int(platform::vbExclamation));
        QCOMPARE(boxes.boxes().first().title, QStringLiteral("Kvarto - AutoCAD-Konfig"));
        QCOMPARE(c.running->path, QStringLiteral("/cad/support"));
        // The menu step still runs.
        QCOMPARE(aliases(c.running->bar), (QStringList{"POP1", "POP2", "A"}));
        QVERIFY(control.isReady());
    }

    void hostThatCannotBeStarted()
    {
        Connector c;
        MsgBoxRecorder boxes;
        boxes.expect(platform::vbOK, QStringLiteral("kann nicht gestartet werden"));
        boxes.expect(platform::vbOK, QStringLiteral("nicht ausgeführt"));
        RendloControl control(c.connector);
        QSignalSpy ready(&control, &RendloControl::ready);
        QSignalSpy finished(&control, &RendloControl::finished);
        control.Activate();
        QVERIFY(boxes.scriptDone());
        QCOMPARE(boxes.boxes().at(0).icon(), 0);
        QCOMPARE(boxes.boxes().at(0).title, QStringLiteral("Kvarto - AutoCAD-Konfig"));
        QCOMPARE(ready.count(), 0);
        QCOMPARE(finished.count(), 1);
        control.closedWithoutButton(); // the window closes after finished(): nothing more happens
        QCOMPARE(boxes.count(), 2);
    }

    // A host that is found (or started) but does not answer is told apart from one that is missing.
    void hungHost_data()
    {
        QTest::addColumn<bool>("running");
        QTest::addColumn<QString>("message");
        QTest::newRow("attached") << true << "AutoCAD wurde gefunden, antwortet aber nicht.";
        QTest::newRow("started") << false << "AutoCAD wurde gestartet, antwortet aber nicht.";
    }

    void hungHost()
    {
        QFETCH(bool, running);
        QFETCH(QString, message);
        Connector c;
        c.startable = std::make_shared<FakeHost>();
        if (running)
            c.running = std::make_shared<FakeHost>();
        const auto hung = running ? c.running : c.startable;
        hung->hung = true;
        MsgBoxRecorder boxes;
        boxes.expect(platform::vbOK, QStringLiteral("Der CAD-Host antwortet nicht."));
        boxes.expect(platform::vbOK, message);
        RendloControl control(c.connector);
        QSignalSpy ready(&control, &RendloControl::ready);
        QSignalSpy finished(&control, &RendloControl::finished);
        control.Activate();
        QVERIFY(boxes.scriptDone());
        QCOMPARE(boxes.count(), 2);
        QCOMPARE(boxes.boxes().at(0).icon(), 0);
        QCOMPARE(boxes.boxes().at(1).icon(), int(platform::vbExclamation));
        QCOMPARE(boxes.boxes().at(1).title, QStringLiteral("Kvarto - AutoCAD-Konfig"));
        QVERIFY(boxes.boxes().at(1).text.endsWith(QStringLiteral("nicht ausgeführt.")));
        QCOMPARE(ready.count(), 0);
        QCOMPARE(finished.count(), 1);
        QVERIFY(!control.host());
        // A found host is not replaced by a second one, and nothing was changed in the hung one.
        QVERIFY(c.startable->visibility.isEmpty());
        QCOMPARE(hung->path, QStringLiteral("/cad/support"));
        control.closedWithoutButton();
        QCOMPARE(boxes.count(), 2);
    }

    void hostLostBeforeTheButton()
    {
        Connector c;
        c.running = std::make_shared<FakeHost>();
        MsgBoxRecorder boxes;
        RendloControl control(c.connector);
        QSignalSpy finished(&control, &RendloControl::finished);
        control.Activate();
        c.running->gone = true;
        boxes.expect(platform::vbOK, QStringLiteral("nicht mehr"));
        control.cmdWeiter();
        QVERIFY(boxes.scriptDone());
        QCOMPARE(finished.count(), 1); // Rendlo ends all the same
        QVERIFY(!control.host());
    }

    void closingTheWindowShowsTheHost()
    {
        Connector c;
        c.running = std::make_shared<FakeHost>();
        MsgBoxRecorder boxes;
        RendloControl control(c.connector);
        control.Activate();
        control.closedWithoutButton();
        QCOMPARE(c.running->visibility.last(), true);
        QVERIFY(!c.running->quitted);
        QVERIFY(!control.host());
    }

    void progressCounter()
    {
        Connector c;
        RendloControl control(c.connector);
        QList<qint16> steps;
        for (int i = 0; i < 13; ++i)
            steps.append(control.tick());
        QCOMPARE(steps, (QList<qint16>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 1, 2}));
    }

    void window()
    {
        Connector c;
        c.running = std::make_shared<FakeHost>();
        MsgBoxRecorder boxes;
        RendloControl control(c.connector);
        frmRendlo form(control);
        QCOMPARE(form.windowTitle(), QStringLiteral("AutoCAD-Konfiguration"));
        QCOMPARE(form.Label1->text(), QStringLiteral("AutoCAD-Systemeinstellungen werden aktualisiert!"));
        QCOMPARE(form.lblWarten->text(), QStringLiteral("Bitte warten ..."));
        QCOMPARE(form.cmdStart->text(), QStringLiteral("&AutoCAD starten"));
        QCOMPARE(form.cmdWeiter->text(), QStringLiteral("&Beenden"));
        QVERIFY(!form.cmdStart->isEnabled());
        QVERIFY(!form.cmdWeiter->isEnabled());
        QCOMPARE(form.ctlTimer->interval(), 700);
        QVERIFY(form.ctlTimer->isActive());
        QVERIFY(form.Frame1->title().isEmpty());

        form.show();
        QTRY_VERIFY(control.isReady());
        QVERIFY(form.cmdStart->isEnabled());
        QVERIFY(form.cmdWeiter->isEnabled());
        QVERIFY(form.lblWarten->isHidden());
        QVERIFY(form.Label1->isVisible());

        QTest::mouseClick(form.cmdWeiter, Qt::LeftButton);
        QVERIFY(c.running->quitted);
        QVERIFY(!form.isVisible());
    }

    void progressDisplay()
    {
        Connector c;
        RendloControl control(c.connector);
        frmRendlo form(control);
        form.ctlTimer->stop();
        const QColor face = form.palette().color(QPalette::Button);
        const QColor blue(0x00, 0x00, 0x80);
        QCOMPARE(frmRendlo::progressColour(), blue);
        for (int step = 1; step <= 11; ++step) {
            form.ctlTimer_Timer();
            for (int box = 1; box <= 10; ++box) {
                const QColor colour = form.Picture[std::size_t(box - 1)]->palette().color(QPalette::Window);
                if (step <= 10 && box <= step)
                    QCOMPARE(colour, blue);
                else if (step == 11)
                    QCOMPARE(colour, face);
                else
                    QVERIFY(colour != blue);
            }
        }
    }
};

QTEST_MAIN(TestRendlo)
#include "tst_rendlo.moc"
