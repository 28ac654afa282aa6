// Copy and rename through the real program against a real cadhost on a private bus: the window's
// own actions, the dialog's real fields, and the layouts checked in the host over the bus.
#include "HostCase.h"
#include "MsgBoxRecorder.h"
#include "PrivateBus.h"
#include "WindowTestSupport.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>
#include <acad/BusConnector.h>
#include <acad/BusNames.h>
#include <acad/Host.h>
#include <explorer/basViewControls.h>
#include <explorer/controls/ListControl.h>
#include <explorer/controls/TreeControl.h>
#include <explorer/frmMain.h>
#include <functional>
#include <operations/NameCountForm.h>
#include <startup/basMain.h>

using explorer::Cmd;

namespace {

const QString kBestand = QStringLiteral("Bestand EG.dwg");

} // namespace

class TestCopyRenameE2E : public QObject, private HostCase
{
    Q_OBJECT

private:
    acad::DocId doc = 0;

    QString nodeKey(const QString& text) const { return loadedNodeKey(*window(), text); }
    void select(const QString& text) { selectLoadedNode(*window(), text); }
    void selectItems(const QStringList& texts) { selectListItems(*window(), texts); }
    QStringList treeLayouts() const
    {
        QStringList texts;
        for (const QString& key : tree()->childKeys(nodeKey(kBestand)))
            texts.append(tree()->text(key));
        return texts;
    }
    void withDialog(Cmd cmd, const std::function<void(NameCountForm*)>& act)
    {
        QVERIFY(withNameCountDialog(*window(), cmd, act));
    }
    static void type(NameCountForm* form, const char* field, const QString& text)
    {
        auto* edit = form->findChild<QLineEdit*>(QString::fromUtf8(field));
        edit->setFocus(Qt::TabFocusReason);
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    static void finish(NameCountForm* form)
    {
        QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("cmdStart")), Qt::LeftButton);
        QVERIFY(!form->isVisible());
    }

private slots:
    void initTestCase() { QVERIFY(startBus()); }
    void init()
    {
        QVERIFY(beginCase());
        QVERIFY(QFile::copy(sampleFile(kBestand), drawing(kBestand)));
        doc = user->openDocument(drawing(kBestand));
        // Plan1 and Plan3 taken.
        const QList<acad::LayoutRef> paper = user->document(doc).layouts.mid(1);
        user->setLayoutName(doc, paper.at(0).id, QStringLiteral("Plan1"));
        user->setLayoutName(doc, paper.at(2).id, QStringLiteral("Plan3"));
        QVERIFY(startProgram());
        window()->ctlTimer()->stop();
        QCOMPARE(treeLayouts(), (QStringList{"Plan1", "EG Möblierung", "Plan3"}));
    }
    void cleanup() { endCase(); }

    void copyThree()
    {
        select(QStringLiteral("EG Möblierung"));
        withDialog(Cmd::mnuEditCopy, [](NameCountForm* form) {
            type(form, "txtLayout", QStringLiteral("Plan"));
            type(form, "txtAnzahl", QStringLiteral("3"));
            finish(form);
        });
        QTRY_COMPARE(layouts(drawing(kBestand)),
                     (QStringList{"Model", "Plan1", "EG Möblierung", "Plan3", "Plan2", "Plan4", "Plan5"}));
        QTRY_COMPARE(user->document(doc).activeLayout, QStringLiteral("Plan2"));
        // The refresh after the copy already shows them, with the first one current and selected.
        QCOMPARE(treeLayouts(), (QStringList{"Plan1", "EG Möblierung", "Plan3", "Plan2", "Plan4", "Plan5"}));
        QCOMPARE(tree()->selectedKey(), nodeKey(QStringLiteral("Plan2")));
        QVERIFY(tree()->bold(nodeKey(QStringLiteral("Plan2"))));
    }

    void renameInTheTree()
    {
        select(QStringLiteral("EG Möblierung"));
        const QString key = tree()->selectedKey();
        const QString details = list()->keys().join(QLatin1Char(','));
        QVERIFY(window()->commands()->action(Cmd::mnuFileRename)->isEnabled());
        window()->commands()->action(Cmd::mnuFileRename)->trigger();
        QLineEdit* editor = nullptr;
        QVERIFY(QTest::qWaitFor(
            [&] { return (editor = qobject_cast<QLineEdit*>(QApplication::focusWidget())); }));
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("Öl-Lager EG"));
        QTest::keyClick(editor, Qt::Key_Return);
        // The editor hands its text over when the event loop runs again.
        QTRY_VERIFY(!tree()->isEditing());
        QCOMPARE(layouts(drawing(kBestand)), (QStringList{"Model", "Plan1", "Öl-Lager EG", "Plan3"}));
        QCOMPARE(tree()->text(key), QStringLiteral("Öl-Lager EG"));
        // A refresh keeps the node and what the list shows of it.
        window()->views().FillTreeView();
        QCOMPARE(nodeKey(QStringLiteral("Öl-Lager EG")), key);
        QCOMPARE(list()->keys().join(QLatin1Char(',')), details);
    }

    void numberedRename()
    {
        // Plan1 and Plan2 are taken by selected layouts themselves.
        const QList<acad::LayoutRef> paper = user->document(doc).layouts.mid(1);
        user->setLayoutName(doc, paper.at(1).id, QStringLiteral("Plan2"));
        user->setLayoutName(doc, paper.at(2).id, QStringLiteral("X"));
        window()->views().FillTreeView();
        select(kBestand);
        selectItems({"Plan1", "Plan2", "X"});
        withDialog(Cmd::mnuFileRename, [](NameCountForm* form) {
            type(form, "txtLayout", QStringLiteral("Plan"));
            finish(form);
        });
        QCOMPARE(layouts(drawing(kBestand)), (QStringList{"Model", "Plan3", "Plan4", "Plan5"}));
        QCOMPARE(treeLayouts(), (QStringList{"Plan3", "Plan4", "Plan5"}));
    }

    // --- batches the host takes back as one step

    void undo_data()
    {
        QTest::addColumn<bool>("copy"); // else a numbered rename
        QTest::newRow("numbered rename") << false;
        QTest::newRow("copy series") << true;
    }
    void undo()
    {
        QFETCH(bool, copy);
        const QStringList before = layouts(drawing(kBestand));
        QAction* undo = window()->commands()->action(Cmd::mnuUndo);
        QVERIFY(!undo->isEnabled());
        if (copy) {
            select(QStringLiteral("EG Möblierung"));
            withDialog(Cmd::mnuEditCopy, [](NameCountForm* form) {
                type(form, "txtLayout", QStringLiteral("Kopie"));
                type(form, "txtAnzahl", QStringLiteral("3"));
                finish(form);
            });
            QTRY_COMPARE(layouts(drawing(kBestand)).size(), before.size() + 3);
        } else {
            select(kBestand);
            selectItems({"Plan1", "EG Möblierung", "Plan3"});
            withDialog(Cmd::mnuFileRename, [](NameCountForm* form) {
                type(form, "txtLayout", QStringLiteral("Blatt"));
                finish(form);
            });
            QStringList renamed = layouts(drawing(kBestand));
            renamed.sort();
            QCOMPARE(renamed, (QStringList{"Blatt1", "Blatt2", "Blatt3", "Model"}));
        }
        // The batch is the last change of the active drawing: Ctrl+Z takes all of it back.
        QVERIFY(undo->isEnabled());
        window()->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window()));
        QTest::keyClick(window(), Qt::Key_Z, Qt::ControlModifier);
        QTRY_COMPARE(layouts(drawing(kBestand)), before);
        QCOMPARE(treeLayouts(), before.mid(1));
        QVERIFY(user->document(doc).modified);
        // Once: a second Ctrl+Z would take back what came before the batch.
        QVERIFY(!undo->isEnabled());
    }

    void undoOnlyInTheBatchsDrawing()
    {
        select(kBestand);
        selectItems({"Plan1", "Plan3"});
        withDialog(Cmd::mnuFileRename, [](NameCountForm* form) {
            type(form, "txtLayout", QStringLiteral("Blatt"));
            finish(form);
        });
        QVERIFY(window()->commands()->action(Cmd::mnuUndo)->isEnabled());
        const QString other = drawing(QStringLiteral("Detailblatt.dwg"));
        QVERIFY(QFile::copy(sampleFile(QStringLiteral("Detailblatt.dwg")), other));
        user->openDocument(other);
        // The watch notices the active drawing the user chose in the host.
        window()->ctlTimer()->start();
        QVERIFY(leaveAndReturn());
        QTRY_VERIFY(!window()->commands()->action(Cmd::mnuUndo)->isEnabled());
        user->activateDocument(doc);
        QVERIFY(leaveAndReturn());
        QTRY_VERIFY(window()->commands()->action(Cmd::mnuUndo)->isEnabled());
    }

    // --- names the host would refuse are refused before anything is sent

    void copyRefusesBadNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("count");
        QTest::addColumn<QString>("message");
        QTest::newRow("semicolon") << "Plan;A"
                                   << "2"
                                   << "AutoCAD lässt das Zeichen „;“ in Layoutnamen nicht zu!";
        QTest::newRow("260 characters") << QString(260, QLatin1Char('x')) << "1"
                                        << "Der Name ist länger als 255 Zeichen!";
        QTest::newRow("255 characters and a number") << QString(255, QLatin1Char('x')) << "2"
                                                     << "Der Name ist länger als 255 Zeichen!";
        QTest::newRow("leading space") << " Plan"
                                       << "1"
                                       << "Der Name darf nicht mit Leerzeichen beginnen oder enden!";
        QTest::newRow("spaces only") << "   "
                                     << "1"
                                     << "Der Name darf nicht nur aus Leerzeichen bestehen!";
        QTest::newRow("one copy takes the name itself: no trailing space")
            << "Plan "
            << "1"
            << "Der Name darf nicht mit Leerzeichen beginnen oder enden!";
    }
    void copyRefusesBadNames()
    {
        QFETCH(QString, name);
        QFETCH(QString, count);
        QFETCH(QString, message);
        const QStringList before = layouts(drawing(kBestand));
        select(QStringLiteral("EG Möblierung"));
        boxes->expect(platform::vbOK, message);
        withDialog(Cmd::mnuEditCopy, [&](NameCountForm* form) {
            type(form, "txtAnzahl", count);
            form->findChild<QLineEdit*>(QStringLiteral("txtLayout"))->setText(name);
            QTest::mouseClick(form->findChild<QPushButton*>(QStringLiteral("cmdStart")), Qt::LeftButton);
            // The dialog stays for a better name.
            QVERIFY(form->isVisible());
        });
        QCOMPARE(boxes->count(), 1);
        QTest::qWait(200);
        QCOMPARE(layouts(drawing(kBestand)), before);
    }

    void renameFinishesOnlyWithoutRefusedLines_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("fine") << "Blatt" << true;
        QTest::newRow("a character the host refuses") << "Blatt;" << false;
        QTest::newRow("too long with its number") << QString(255, QLatin1Char('x')) << false;
        QTest::newRow("leading space") << " Blatt" << false;
        QTest::newRow("a trailing space before the number") << "Blatt " << true;
    }
    void renameFinishesOnlyWithoutRefusedLines()
    {
        QFETCH(QString, name);
        QFETCH(bool, enabled);
        select(kBestand);
        selectItems({"Plan1", "Plan3"});
        withDialog(Cmd::mnuFileRename, [&](NameCountForm* form) {
            form->findChild<QLineEdit*>(QStringLiteral("txtLayout"))->setText(name);
            auto* start = form->findChild<QPushButton*>(QStringLiteral("cmdStart"));
            QCOMPARE(start->isEnabled(), enabled);
            if (enabled)
                finish(form);
        });
        const QString base = name == QLatin1String("Blatt ") ? name : QStringLiteral("Blatt");
        QCOMPARE(layouts(drawing(kBestand)),
                 enabled ? (QStringList{"Model", base + "1", "EG Möblierung", base + "2"})
                         : (QStringList{"Model", "Plan1", "EG Möblierung", "Plan3"}));
    }
};

QTEST_MAIN(TestCopyRenameE2E)
#include "tst_CopyRenameE2E.moc"
