// The drawing and layout operations of a real program against a real cadhost on a private bus,
// through the window's own actions; the effect is checked in the host and on disk.
#include "HostCase.h"
#include "MsgBoxRecorder.h"
#include "PrivateBus.h"
#include "WindowTestSupport.h"

#include <QAction>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>
#include <acad/BusConnector.h>
#include <acad/BusNames.h>
#include <acad/Host.h>
#include <csignal>
#include <explorer/basViewControls.h>
#include <explorer/controls/ListControl.h>
#include <explorer/controls/TreeControl.h>
#include <explorer/frmMain.h>
#include <operations/Commands.h>
#include <operations/basDateien.h>
#include <platform/ProgramFolder.h>
#include <startup/basMain.h>

using explorer::Cmd;

namespace {

const QString kBestand = QStringLiteral("Bestand EG.dwg");
const QString kDetail = QStringLiteral("Detailblatt.dwg");

// What the host's own reader makes of a file: the layout names in tab order.
QStringList dumpedLayouts(const QString& path)
{
    QProcess dump;
    dump.start(PrivateBus::cadhostProgram(), {QStringLiteral("--dump"), path});
    if (!dump.waitForFinished(20000) || dump.exitCode() != 0)
        return {QStringLiteral("<cadhost --dump failed>")};
    QStringList names;
    const QJsonObject root = QJsonDocument::fromJson(dump.readAllStandardOutput()).object();
    for (const QJsonValue& layout : root.value(QStringLiteral("layouts")).toArray())
        names.append(layout.toObject().value(QStringLiteral("name")).toString());
    return names;
}

} // namespace

class TestOperationsE2E : public QObject, private HostCase
{
    Q_OBJECT

private:
    QString nodeKey(const QString& text) const { return loadedNodeKey(*window(), text); }
    void select(const QString& text) { selectLoadedNode(*window(), text); }
    void selectItems(const QStringList& texts) { selectListItems(*window(), texts); }

private slots:
    void initTestCase() { QVERIFY(startBus()); }
    void init()
    {
        QVERIFY(beginCase());
        for (const QString& name : {kBestand, kDetail})
            QVERIFY(QFile::copy(sampleFile(name), drawing(name)));
        user->openDocument(drawing(kBestand));
        user->openDocument(drawing(kDetail));
        QVERIFY(startProgram());
        QTRY_COMPARE(program->ForegroundSeen, qint16(1));
    }
    void cleanup() { endCase(); }

    void closeDrawing_data()
    {
        QTest::addColumn<bool>("modified");
        QTest::newRow("unchanged: closed, and the tree follows") << false;
        QTest::newRow("changed: the host asks and keeps it") << true;
    }
    void closeDrawing()
    {
        QFETCH(bool, modified);
        const acad::DocId doc = docId(drawing(kBestand));
        if (modified)
            user->setLayoutName(doc, user->document(doc).layouts.at(1).id, QStringLiteral("Umbenannt"));
        select(kBestand);
        QVERIFY(trigger(Cmd::mnuFileClose));
        if (modified) {
            QTRY_VERIFY(user->commandHistory().join('\n').contains(QStringLiteral("Änderungen speichern?")));
            QVERIFY(docId(drawing(kBestand)) != 0);
            // The question waits for the user's answer at the host.
            user->sendCommand(doc, QStringLiteral("\x1b"));
            return;
        }
        QTRY_COMPARE(docId(drawing(kBestand)), 0);
        QVERIFY(!nodeKey(kBestand).isEmpty());
        QVERIFY(leaveAndReturn());
        QTRY_VERIFY(nodeKey(kBestand).isEmpty());
        QVERIFY(!nodeKey(kDetail).isEmpty());
    }

    void closingEveryDrawingEmptiesTheTree_data()
    {
        QTest::addColumn<bool>("byWindow"); // "Schließen" in Blattwart, else the host's own close
        QTest::newRow("closed in the host") << false;
        QTest::newRow("closed with Schließen") << true;
    }
    void closingEveryDrawingEmptiesTheTree()
    {
        QFETCH(bool, byWindow);
        for (const QString& name : {kBestand, kDetail}) {
            const acad::DocId doc = docId(drawing(name));
            if (byWindow) {
                select(name);
                QVERIFY(trigger(Cmd::mnuFileClose));
            } else {
                user->closeDocument(doc, false);
            }
            QTRY_COMPARE(docId(drawing(name)), 0);
        }
        QCOMPARE(user->application().activeDocument, 0);
        QVERIFY(leaveAndReturn());
        // A host without drawings: "Geladene Zeichnungen" is empty.
        QTRY_VERIFY(nodeKey(kBestand).isEmpty());
        QVERIFY(nodeKey(kDetail).isEmpty());
        QVERIFY(window()->views().Zeichnungen.isEmpty());
        QVERIFY(window()->views().Layouts.isEmpty());
        // The file can be opened again: it is no longer taken for loaded.
        program->Commands->Dateien->OpenDrawingFile(drawing(kBestand));
        QVERIFY(docId(drawing(kBestand)) != 0);
    }

    void activatingALayoutOfAClosedDrawing()
    {
        // Both drawings have a layout "Gleich"; the one of "Bestand EG.dwg" is selected.
        for (const QString& name : {kBestand, kDetail}) {
            const acad::DocId doc = docId(drawing(name));
            user->setLayoutName(doc, user->document(doc).layouts.at(1).id, QStringLiteral("Gleich"));
        }
        QVERIFY(leaveAndReturn());
        QString key;
        QTRY_VERIFY(!(key =
                          [this] {
                              for (const QString& child : tree()->childKeys(nodeKey(kBestand))) {
                                  if (tree()->text(child) == QLatin1String("Gleich"))
                                      return child;
                              }
                              return QString();
                          }())
                         .isEmpty());
        tree()->select(key);
        window()->views().TreeSelectionChanged();
        const acad::DocId detail = docId(drawing(kDetail));
        const QString current = user->document(detail).activeLayout;
        QVERIFY(current != QLatin1String("Gleich"));
        // Closed at the host since the last refresh.
        user->closeDocument(docId(drawing(kBestand)), false);
        boxes->expect(platform::vbOK, drawing(kBestand) + QStringLiteral(" ist nicht mehr geladen!"));
        QVERIFY(trigger(Cmd::mnuActive));
        QCOMPARE(boxes->count(), 1);
        // The other drawing's layout of the same name stays where it was, and the tree follows the host.
        QCOMPARE(user->document(detail).activeLayout, current);
        QTRY_VERIFY(nodeKey(kBestand).isEmpty());
    }

    void deleteThenUndo()
    {
        const QStringList before = layouts(drawing(kBestand));
        select(kBestand);
        selectItems({QStringLiteral("EG Grundriss"), QStringLiteral("EG Lage")});
        boxes->expect(platform::vbYes, QStringLiteral("2 Layouts löschen? EG Grundriss, EG Lage"));
        QVERIFY(trigger(Cmd::mnuFileDelete));
        QTRY_COMPARE(layouts(drawing(kBestand)), QStringList({"Model", "EG Möblierung"}));
        QVERIFY(leaveAndReturn());
        QTest::keyClick(window(), Qt::Key_Z, Qt::ControlModifier);
        QTRY_COMPARE(layouts(drawing(kBestand)), before);
        QTRY_COMPARE(tree()->childCount(nodeKey(kBestand)), 3);
    }

    void saveAsWritesTheNewFile()
    {
        select(kDetail);
        QVERIFY(trigger(Cmd::mnuSaveAS));
        const acad::DocId doc = docId(drawing(kDetail));
        QTRY_VERIFY(user->commandHistory().constLast().startsWith(QStringLiteral("Zeichnungsdateiname")));
        const QString copy = drawing(QStringLiteral("Detail Kopie.dwg"));
        user->sendCommand(doc, copy + QLatin1Char('\r'));
        QTRY_VERIFY(QFile::exists(copy));
        QCOMPARE(dumpedLayouts(copy), dumpedLayouts(drawing(kDetail)));
        QVERIFY(leaveAndReturn());
        QTRY_VERIFY(!nodeKey(QStringLiteral("Detail Kopie.dwg")).isEmpty());
    }

    // A drawing made from a template has no file yet: "Speichern" asks the host for its name, as
    // "Speichern unter ..." does, instead of writing to a folder the user never chose.
    void saveOfANewDrawingAsksForItsName()
    {
        const acad::DocId doc = user->addDocument(sampleFile(QStringLiteral("A3 quer.dwt")));
        const QString name = user->document(doc).ref.name;
        QVERIFY(leaveAndReturn());
        QTRY_VERIFY(!nodeKey(name).isEmpty());
        select(name);
        QVERIFY(trigger(Cmd::mnuSave));
        QTRY_VERIFY(user->commandHistory().constLast().startsWith(QStringLiteral("Zeichnungsdateiname")));
        const QString file = drawing(QStringLiteral("Aus Vorlage.dwg"));
        user->sendCommand(doc, file + QLatin1Char('\r'));
        QTRY_VERIFY(QFile::exists(file));
        QCOMPARE(user->document(doc).ref.name, QStringLiteral("Aus Vorlage.dwg"));
    }

    void modelSpaceOnAnotherDrawing()
    {
        const acad::DocId active = user->application().activeDocument;
        QCOMPARE(active, docId(drawing(kDetail)));
        select(kBestand);
        QVERIFY(trigger(Cmd::mnuModel));
        QCOMPARE(user->document(docId(drawing(kBestand))).activeLayout, QStringLiteral("Model"));
        QCOMPARE(user->application().activeDocument, active);
        // The operation's own refresh applied the rules: nothing left to switch.
        QVERIFY(!window()->commands()->action(Cmd::mnuModel)->isEnabled());
    }

    void deleteTwoOfThreeLayouts()
    {
        select(kBestand);
        QCOMPARE(list()->count(), 3);
        selectItems({QStringLiteral("EG Grundriss"), QStringLiteral("EG Lage")});
        boxes->expect(platform::vbYes, QStringLiteral("2 Layouts löschen? EG Grundriss, EG Lage"));
        QVERIFY(trigger(Cmd::mnuFileDelete));
        QTRY_COMPARE(layouts(drawing(kBestand)), QStringList({"Model", "EG Möblierung"}));
        QVERIFY(leaveAndReturn());
        QTRY_COMPARE(tree()->childCount(nodeKey(kBestand)), 1);
        QVERIFY(!nodeKey(QStringLiteral("EG Möblierung")).isEmpty());
    }

    void newLayoutByMacro()
    {
        select(kBestand);
        const QStringList before = layouts(drawing(kBestand));
        QVERIFY(trigger(Cmd::mnuCreate));
        QTRY_COMPARE(layouts(drawing(kBestand)).size(), before.size() + 1);
        QCOMPARE(user->application().activeDocument, docId(drawing(kBestand)));
        const QString created = layouts(drawing(kBestand)).constLast();
        QVERIFY(leaveAndReturn());
        QTRY_VERIFY(!nodeKey(created).isEmpty());
        QCOMPARE(tree()->parentKey(nodeKey(created)), nodeKey(kBestand));
    }

    void hostFails_data()
    {
        QTest::addColumn<bool>("hangs");
        QTest::addColumn<QString>("error");
        QTest::newRow("hangs") << true << "Der CAD-Host antwortet nicht.";
        QTest::newRow("gone") << false << "Der CAD-Host läuft nicht mehr.";
    }
    void hostFails()
    {
        QFETCH(bool, hangs);
        QFETCH(QString, error);
        select(kBestand);
        if (hangs)
            ::kill(pid_t(bus.hostPid()), SIGSTOP);
        else
            bus.stopHost();
        boxes->expect(platform::vbOK, error);
        QVERIFY(trigger(Cmd::mnuModel));
        QCOMPARE(boxes->count(), 1);
        QCOMPARE(boxes->boxes().constFirst().title, platform::programTitle());
        if (hangs)
            ::kill(pid_t(bus.hostPid()), SIGCONT);
    }

    void badFiles_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: no file
        QTest::addColumn<QString>("error");
        QTest::newRow("damaged") << QByteArray("0\nSECTION\n2\nHEADER\n0\nEN") << "ist fehlerhaft";
        QTest::newRow("not a drawing") << QByteArray("Einkaufsliste: Brot, Milch\n") << "ist fehlerhaft";
        QTest::newRow("missing") << QByteArray() << "Fehlt.dwg";
    }
    void badFiles()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, error);
        const QString path =
            drawing(content.isEmpty() ? QStringLiteral("Fehlt.dwg") : QStringLiteral("Kaputt.dwg"));
        if (!content.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        const qsizetype before = user->application().documents.size();
        boxes->expect(platform::vbOK, error);
        program->Commands->Dateien->OpenDrawingFile(path);
        QCOMPARE(user->application().documents.size(), before);
        QCOMPARE(boxes->boxes().constFirst().buttons(), int(platform::vbOKOnly));
    }
};

QTEST_MAIN(TestOperationsE2E)
#include "tst_OperationsE2E.moc"
