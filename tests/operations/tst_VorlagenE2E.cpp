// Layouts into the library and back with a real program against a real cadhost on a private bus:
// the window's own actions, the name typed into the tree, the layouts picked at the host over the
// bus; the file is read back from disk by the host's reader and by ezdxf.
#include "HostCase.h"
#include "MsgBoxRecorder.h"
#include "PrivateBus.h"
#include "RecordingShell.h"
#include "WindowTestSupport.h"

#include <QAction>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QtTest>
#include <acad/BusConnector.h>
#include <acad/BusNames.h>
#include <acad/Host.h>
#include <explorer/basViewControls.h>
#include <explorer/controls/ListControl.h>
#include <explorer/controls/TreeControl.h>
#include <explorer/frmMain.h>
#include <operations/Commands.h>
#include <operations/basVorlagen.h>
#include <startup/basMain.h>

using explorer::Cmd;
using explorer::NodeKind;

namespace {

const QString kBestand = QStringLiteral("Bestand EG.dwg");
const QString kSource = QStringLiteral("EG Grundriss");

QJsonObject runJson(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return QJsonDocument::fromJson(process.readAllStandardOutput()).object();
}

// What the host's own reader makes of a file.
QJsonObject dumped(const QString& path)
{
    return runJson(PrivateBus::cadhostProgram(), {QStringLiteral("--dump"), path});
}

// What ezdxf makes of a file.
QJsonObject ezdxfAudit(const QString& path)
{
    return runJson(
        QStringLiteral("/usr/bin/python3"),
        {qEnvironmentVariable("BW_SOURCE_DIR") + QStringLiteral("/tests/cadhost/dxf/ezdxf_peer.py"),
         QStringLiteral("audit"), path});
}

QJsonObject layoutNamed(const QJsonObject& drawing, const QString& name)
{
    for (const QJsonValue& layout : drawing.value(QStringLiteral("layouts")).toArray()) {
        if (layout.toObject().value(QStringLiteral("name")).toString() == name)
            return layout.toObject();
    }
    return {};
}

QStringList layoutNames(const QJsonObject& drawing)
{
    QStringList names;
    for (const QJsonValue& layout : drawing.value(QStringLiteral("layouts")).toArray())
        names.append(layout.toObject().value(QStringLiteral("name")).toString());
    return names;
}

// The entity types of a layout, "VIEWPORT" and "INSERT name" with its Kvarto data, in order.
QStringList peerEntities(const QJsonObject& layout)
{
    QStringList found;
    for (const QJsonValue& value : layout.value(QStringLiteral("entities")).toArray()) {
        const QJsonObject e = value.toObject();
        const QString type = e.value(QStringLiteral("type")).toString();
        if (type == QLatin1String("INSERT"))
            found.append(type + QLatin1Char(' ') + e.value(QStringLiteral("name")).toString() +
                         QLatin1Char(' ') +
                         QString::fromUtf8(QJsonDocument(e.value(QStringLiteral("kvarto")).toArray())
                                               .toJson(QJsonDocument::Compact)));
        else if (type == QLatin1String("VIEWPORT"))
            found.append(type);
    }
    return found;
}

} // namespace

class TestVorlagenE2E : public QObject, private HostCase
{
    Q_OBJECT

private:
    RecordingShell shell;
    std::unique_ptr<QTemporaryDir> library;

    QString inLibrary(const QString& name) const { return library->filePath(name); }
    QString nodeKey(const QString& text, NodeKind parentKind) const
    {
        for (const QString& key : tree()->allKeys()) {
            const QString parent = tree()->parentKey(key);
            if (!parent.isEmpty() && explorer::kindOf(parent) == parentKind && tree()->text(key) == text)
                return key;
        }
        return {};
    }
    QString templateKey(const QString& name) const { return nodeKey(name, NodeKind::LibraryRoot); }
    void select(const QString& key)
    {
        tree()->select(key);
        window()->views().TreeSelectionChanged();
    }
    bool historyHas(const QString& text) { return user->commandHistory().join('\n').contains(text); }
    // "Layout in Vorlage" on the source layout, the name typed into the tree and confirmed.
    bool saveAsTemplate(const QString& name)
    {
        select(nodeKey(kSource, NodeKind::Drawing));
        if (!trigger(Cmd::mnuLayoutImport))
            return false;
        QLineEdit* editor = labelEditor();
        if (!editor)
            return false;
        // As an input method gives it: key clicks carry Latin-1 only.
        editor->insert(name);
        QTest::keyClick(editor, Qt::Key_Return);
        return QTest::qWaitFor([this] { return !tree()->isEditing(); }, 5000);
    }

private slots:
    void initTestCase() { QVERIFY(startBus()); }
    void init()
    {
        QVERIFY(beginCase());
        library = std::make_unique<QTemporaryDir>();
        QVERIFY(QFile::copy(sampleFile(kBestand), drawing(kBestand)));
        for (const QString& name : {QStringLiteral("A4 hoch.dwt"), QStringLiteral("A1 Lageplan.dwt")})
            QVERIFY(QFile::copy(sampleFile(name), inLibrary(name)));
        // The library is the host's template folder.
        user->setTemplatePath(library->path());
        user->openDocument(drawing(kBestand));
        shell.urls.clear();
        QVERIFY(startProgram(&shell));
        QTRY_COMPARE(program->ForegroundSeen, qint16(1));
        QCOMPARE(window()->views().State.VorlagenPfad, library->path());
    }
    void cleanup() { endCase(); }

    void layoutSavedAsTemplate()
    {
        QVERIFY(saveAsTemplate(QStringLiteral("Grundriss Süd")));
        const QString file = inLibrary(QStringLiteral("Grundriss Süd.dwt"));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(file), 10000);
        const QString key = templateKey(QStringLiteral("Grundriss Süd.dwt"));
        QVERIFY(!key.isEmpty());

        // The host's reader: that layout with its plot settings and entities, the source unchanged.
        const QJsonObject source = layoutNamed(dumped(drawing(kBestand)), kSource);
        const QJsonObject written = dumped(file);
        QCOMPARE(layoutNames(written), (QStringList{"Model", kSource}));
        const QJsonObject copy = layoutNamed(written, kSource);
        QCOMPARE(copy.value(QStringLiteral("plot")), source.value(QStringLiteral("plot")));
        QCOMPARE(copy.value(QStringLiteral("entities")).toArray().size(),
                 source.value(QStringLiteral("entities")).toArray().size());

        // Another reader: ezdxf finds the same layout, paper, viewports and product blocks.
        const QJsonObject peer = ezdxfAudit(file);
        const QJsonObject peerSource = layoutNamed(ezdxfAudit(drawing(kBestand)), kSource);
        QCOMPARE(peer.value(QStringLiteral("errors")).toInt(-1), 0);
        const QJsonObject peerCopy = layoutNamed(peer, kSource);
        QVERIFY(!peerCopy.isEmpty());
        for (const char* field : {"plotter", "media", "width", "height", "rotation", "style"})
            QCOMPARE(peerCopy.value(QLatin1String(field)), peerSource.value(QLatin1String(field)));
        const QStringList entities = peerEntities(peerCopy);
        QCOMPARE(entities.count(QStringLiteral("VIEWPORT")), 2);
        QCOMPARE(entities, peerEntities(peerSource));

        // The next refresh keeps its node; it opens in the host.
        QVERIFY(leaveAndReturn());
        QCOMPARE(templateKey(QStringLiteral("Grundriss Süd.dwt")), key);
        select(key);
        QVERIFY(trigger(Cmd::mnuTemplateOpen));
        QTRY_VERIFY(docId(file) != 0);
        QCOMPARE(layouts(file), (QStringList{"Model", kSource}));
    }

    void layoutsInsertedFromTemplate_data()
    {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("inserted");
        QTest::newRow("two, as a list") << "Lageplan, Schnitte" << QStringList{"Lageplan", "Schnitte"};
        QTest::newRow("all") << "*" << QStringList{"Lageplan", "Lageplan Ausschnitt", "Schnitte"};
    }
    void layoutsInsertedFromTemplate()
    {
        QFETCH(QString, answer);
        QFETCH(QStringList, inserted);
        const acad::DocId doc = docId(drawing(kBestand));
        const QStringList before = layouts(drawing(kBestand));
        select(templateKey(QStringLiteral("A1 Lageplan.dwt")));
        program->Commands->Vorlagen->InsertVorlageLayouts();
        // The host offers the template's layouts at its prompt; the user picks some.
        QTRY_VERIFY(
            historyHas(QStringLiteral("Layouts der Vorlage: Lageplan, Lageplan Ausschnitt, Schnitte")));
        QTRY_VERIFY(user->commandHistory().constLast().startsWith(QStringLiteral("Layout-Name(n) eingeben")));
        QCOMPARE(user->variable(doc, QStringLiteral("FILEDIA")).toInt(), 1);
        user->sendCommand(doc, answer + QLatin1Char('\r'));
        QTRY_COMPARE(layouts(drawing(kBestand)), before + inserted);
        QVERIFY(leaveAndReturn());
        for (const QString& name : inserted)
            QTRY_VERIFY(!nodeKey(name, NodeKind::Drawing).isEmpty());
    }

    void templateTheHostCannotWrite()
    {
        // Something that is no file stands where the template would go: the host cannot write it,
        // whoever runs it.
        QVERIFY(QDir(library->path()).mkdir(QStringLiteral("Belegt.dwt")));
        QVERIFY(saveAsTemplate(QStringLiteral("Belegt")));
        QVERIFY(!templateKey(QStringLiteral("Belegt.dwt")).isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(historyHas(QStringLiteral("kann nicht gespeichert werden")), 10000);
        QVERIFY(leaveAndReturn());
        QVERIFY(templateKey(QStringLiteral("Belegt.dwt")).isEmpty());
        QVERIFY(!templateKey(QStringLiteral("A4 hoch.dwt")).isEmpty());
    }
};

QTEST_MAIN(TestVorlagenE2E)
#include "tst_VorlagenE2E.moc"
