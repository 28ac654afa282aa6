// Sheets in sheet order: a real cadhost on a private bus moves layout tabs, copies a layout into
// another drawing and gives every drawing's sheet list in one answer. What it saves is read back by
// the host and by ezdxf.
#include "BusCalls.h"
#include "DxfTestUtil.h"
#include "HostOnBus.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>
#include <acad/BusConnector.h>
#include <acad/BusHost.h>
#include <acad/Error.h>

using namespace acad;
using bustest::errorOf;
using bustest::layoutNames;

namespace {

const QString kLageplan = QStringLiteral("Lageplan");
const QString kAusschnitt = QStringLiteral("Lageplan Ausschnitt");
const QString kSchnitte = QStringLiteral("Schnitte");

QJsonObject audit(const QString& file)
{
    return QJsonDocument::fromJson(dxftest::runPeer({QStringLiteral("audit"), file})).object();
}

// The paper layouts ezdxf finds, in its tab order.
QStringList peerPaperLayouts(const QJsonObject& peer)
{
    QStringList names;
    for (const QJsonValue& v : peer.value(QLatin1String("layouts")).toArray()) {
        if (v[QLatin1String("name")].toString() != QLatin1String("Model"))
            names.append(v[QLatin1String("name")].toString());
    }
    return names;
}

QJsonObject peerLayout(const QJsonObject& peer, const QString& name)
{
    for (const QJsonValue& v : peer.value(QLatin1String("layouts")).toArray()) {
        if (v[QLatin1String("name")].toString() == name)
            return v.toObject();
    }
    return {};
}

LayoutRef layoutNamed(const DocumentSnapshot& doc, const QString& name)
{
    for (const LayoutRef& l : doc.layouts) {
        if (l.name == name)
            return l;
    }
    return {};
}

QList<qint32> tabOrders(const DocumentSnapshot& doc)
{
    QList<qint32> orders;
    for (const LayoutRef& l : doc.layouts)
        orders.append(l.tabOrder);
    return orders;
}

// A layout as ezdxf describes it, without its name and the handles that a copy changes.
QJsonArray withoutHandles(const QJsonObject& layout)
{
    QJsonArray entities;
    for (const QJsonValue& v : layout.value(QLatin1String("entities")).toArray()) {
        QJsonObject e = v.toObject();
        e.remove(QLatin1String("handle"));
        entities.append(e);
    }
    return entities;
}

// What a copy must keep of each entity: everything but the id.
QList<EntityWithXData> withoutIds(QList<EntityWithXData> entities)
{
    for (EntityWithXData& e : entities)
        e.entity.id = 0;
    return entities;
}

} // namespace

class tst_CadHostSheets : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void tabOrder_data();
    void tabOrder();
    void tabOrderUndoSteps();
    void copyLayoutToDocument_data();
    void copyLayoutToDocument();
    void documentSheets_data();
    void documentSheets();

private:
    DocId openCopy(const QString& sample, const QString& name);
    // A drawing ezdxf writes: "Layout1" and "Süd Ansicht" with Kvarto viewports and a title block
    // reference of block "KV_Stempel_A3".
    DocId openPeerDrawing(const QString& name);
    void runCommand(DocId doc, const QString& text);
    QStringList paperNames(DocId doc);

    HostOnBus m_onBus;
    std::shared_ptr<Host> m_host;
    QTemporaryDir& m_dir = m_onBus.dir;
};

void tst_CadHostSheets::initTestCase()
{
    QString why;
    if (!dxftest::ezdxfAvailable(&why))
        QSKIP(qPrintable(why));
    const QString failed = m_onBus.start();
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
    m_host = m_onBus.host;
}

void tst_CadHostSheets::cleanup()
{
    const QString error = m_onBus.closeAll();
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

DocId tst_CadHostSheets::openCopy(const QString& sample, const QString& name)
{
    return m_onBus.openCopy(sample, name);
}

DocId tst_CadHostSheets::openPeerDrawing(const QString& name)
{
    const QString path = m_dir.filePath(name);
    QFile::remove(path);
    dxftest::runPeer({QStringLiteral("write"), path});
    return m_host->openDocument(path);
}

void tst_CadHostSheets::runCommand(DocId doc, const QString& text)
{
    m_host->setVariable(doc, QStringLiteral("FILEDIA"), 0);
    const qsizetype before = m_host->commandHistory().size();
    m_host->sendCommand(doc, text);
    QTRY_VERIFY_WITH_TIMEOUT(m_host->commandHistory().size() > before, 5000);
}

QStringList tst_CadHostSheets::paperNames(DocId doc)
{
    return layoutNames(m_host->document(doc)).mid(1);
}

void tst_CadHostSheets::tabOrder_data()
{
    QTest::addColumn<QString>("layout");
    QTest::addColumn<int>("position");
    QTest::addColumn<QStringList>("expected"); // paper layouts afterwards; empty when refused
    QTest::addColumn<QString>("error");
    QTest::newRow("last to first") << kSchnitte << 1 << QStringList{kSchnitte, kLageplan, kAusschnitt}
                                   << QString();
    QTest::newRow("first to last") << kLageplan << 3 << QStringList{kAusschnitt, kSchnitte, kLageplan}
                                   << QString();
    QTest::newRow("one back") << kLageplan << 2 << QStringList{kAusschnitt, kLageplan, kSchnitte}
                              << QString();
    QTest::newRow("in place") << kAusschnitt << 2 << QStringList{kLageplan, kAusschnitt, kSchnitte}
                              << QString();
    QTest::newRow("Model's place")
        << kSchnitte << 0 << QStringList()
        << "Ungültige Position 0 für das Layout \"Schnitte\" (erlaubt sind 1 bis 3).";
    QTest::newRow("behind the last")
        << kLageplan << 4 << QStringList()
        << "Ungültige Position 4 für das Layout \"Lageplan\" (erlaubt sind 1 bis 3).";
    QTest::newRow("negative") << kLageplan << -1 << QStringList()
                              << "Ungültige Position -1 für das Layout \"Lageplan\" (erlaubt sind 1 bis 3).";
    QTest::newRow("Model")
        << QStringLiteral("Model") << 2 << QStringList()
        << "Das Layout \"Model\" ist immer der erste Reiter und kann nicht verschoben werden.";
}

// The order shows in the snapshot, is saved as the layouts' tab order (group 71) and comes back
// from the file, in the host and in ezdxf. A refusal changes nothing.
void tst_CadHostSheets::tabOrder()
{
    QFETCH(QString, layout);
    QFETCH(int, position);
    QFETCH(QStringList, expected);
    QFETCH(QString, error);
    const DocId doc = openCopy(QStringLiteral("A1 Lageplan.dwt"), QStringLiteral("Reihenfolge.dwg"));
    const QStringList before = paperNames(doc);
    QCOMPARE(before, (QStringList{kLageplan, kAusschnitt, kSchnitte}));
    const ObjectId id = layoutNamed(m_host->document(doc), layout).id;
    QCOMPARE(errorOf([&] { m_host->setLayoutTabOrder(doc, id, position); }), error);
    const DocumentSnapshot after = m_host->document(doc);
    QCOMPARE(tabOrders(after), (QList<qint32>{0, 1, 2, 3}));
    if (!error.isEmpty()) {
        QCOMPARE(paperNames(doc), before);
        QVERIFY(!after.modified);
        return;
    }
    QCOMPARE(paperNames(doc), expected);
    QCOMPARE(layoutNamed(after, layout).id, id);
    m_host->saveDocument(doc);
    const QString file = after.ref.path + QLatin1Char('/') + after.ref.name;
    m_host->closeDocument(doc, false);
    const DocId again = m_host->openDocument(file);
    QCOMPARE(paperNames(again), expected);
    const QJsonObject peer = audit(file);
    QCOMPARE(peer.value(QLatin1String("errors")).toInt(), 0);
    QCOMPARE(peerPaperLayouts(peer), expected);
}

// Each call is one undo step; a mark around several calls makes them one.
void tst_CadHostSheets::tabOrderUndoSteps()
{
    const DocId doc = openCopy(QStringLiteral("A1 Lageplan.dwt"), QStringLiteral("Rückgängig.dwg"));
    const auto id = [&](const QString& name) { return layoutNamed(m_host->document(doc), name).id; };
    const QStringList original{kLageplan, kAusschnitt, kSchnitte};
    runCommand(doc, QStringLiteral("_undo\r_begin\r"));
    m_host->setLayoutTabOrder(doc, id(kSchnitte), 1);
    m_host->setLayoutTabOrder(doc, id(kLageplan), 3);
    runCommand(doc, QStringLiteral("_undo\r_end\r"));
    const QStringList grouped{kSchnitte, kAusschnitt, kLageplan};
    QCOMPARE(paperNames(doc), grouped);
    m_host->setLayoutTabOrder(doc, id(kAusschnitt), 1);
    QCOMPARE(paperNames(doc), (QStringList{kAusschnitt, kSchnitte, kLageplan}));
    runCommand(doc, QStringLiteral("_u\r"));
    QCOMPARE(paperNames(doc), grouped);
    runCommand(doc, QStringLiteral("_u\r"));
    QCOMPARE(paperNames(doc), original);
    QCOMPARE(tabOrders(m_host->document(doc)), (QList<qint32>{0, 1, 2, 3}));
}

void tst_CadHostSheets::copyLayoutToDocument_data()
{
    QTest::addColumn<QString>("target"); // "other", "same", "closed"
    QTest::addColumn<QString>("layout"); // of the source
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("error");
    QTest::newRow("copied") << "other"
                            << "Süd Ansicht"
                            << "Süd Kopie" << QString();
    QTest::newRow("name of the source's own") << "other"
                                              << "Layout1"
                                              << "Layout1" << QString();
    QTest::newRow("name there in other case") << "other"
                                              << "Süd Ansicht"
                                              << "SCHNITTE"
                                              << "Layoutname ist bereits vorhanden: SCHNITTE";
    QTest::newRow("line feed in name")
        << "other"
        << "Süd Ansicht"
        << "Neu\nZeile"
        << "Layoutname enthält ein Steuerzeichen (U+000A): Neu<U+000A>Zeile – Zeilenumbrüche, Escape und "
           "andere Steuerzeichen sind in Layoutnamen nicht erlaubt.";
    QTest::newRow("Model") << "other"
                           << "Model"
                           << "Modellkopie"
                           << "Das Layout \"Model\" kann nicht kopiert werden.";
    QTest::newRow("same drawing")
        << "same"
        << "Süd Ansicht"
        << "Süd Kopie"
        << "Das Layout kann nur in eine andere Zeichnung kopiert werden; innerhalb von "
           "„Quelle.dwg“ kopiert es der Befehl LAYOUT mit „Kopieren“.";
    QTest::newRow("closed drawing") << "closed"
                                    << "Süd Ansicht"
                                    << "Süd Kopie"
                                    << "Die Zeichnung „" + m_dir.filePath(QStringLiteral("Ziel.dwg")) +
                                           "“ ist nicht mehr geöffnet.";
}

// The copy is the target's last tab with the source's plot settings, entities and extended data, and
// one undo step there. Saved, the blocks its references name come along (ezdxf finds the title block's
// contents), and the file reads back.
void tst_CadHostSheets::copyLayoutToDocument()
{
    QFETCH(QString, target);
    QFETCH(QString, layout);
    QFETCH(QString, name);
    QFETCH(QString, error);
    const DocId source = openPeerDrawing(QStringLiteral("Quelle.dwg"));
    DocId into = openCopy(QStringLiteral("A1 Lageplan.dwt"), QStringLiteral("Ziel.dwg"));
    if (target == QLatin1String("same"))
        into = source;
    if (target == QLatin1String("closed"))
        m_host->closeDocument(into, false);
    const ObjectId original = layoutNamed(m_host->document(source), layout).id;
    const QStringList targetBefore = target == QLatin1String("other") ? paperNames(into) : QStringList();
    const QStringList sourceBefore = paperNames(source);
    ObjectId copy = 0;
    QCOMPARE(errorOf([&] { copy = m_host->copyLayoutToDocument(source, original, into, name); }), error);
    QCOMPARE(paperNames(source), sourceBefore);
    if (!error.isEmpty()) {
        if (target == QLatin1String("other")) {
            QCOMPARE(paperNames(into), targetBefore);
            QVERIFY(!m_host->document(into).modified);
        }
        return;
    }
    const DocumentSnapshot after = m_host->document(into);
    QCOMPARE(paperNames(into), targetBefore + QStringList{name});
    QCOMPARE(after.layouts.last().id, copy);
    QCOMPARE(after.layouts.last().tabOrder, 4);
    QVERIFY(after.modified);
    QCOMPARE(m_host->plotSettings(into, copy), m_host->plotSettings(source, original));
    const QList<EntityWithXData> entities =
        m_host->blockEntitiesWithXData(source, original, QStringLiteral("Kvarto"));
    QVERIFY(entities.size() >= 2);
    QCOMPARE(withoutIds(m_host->blockEntitiesWithXData(into, copy, QStringLiteral("Kvarto"))),
             withoutIds(entities));

    m_host->saveDocument(into);
    const QString file = after.ref.path + QLatin1Char('/') + after.ref.name;
    const QJsonObject peer = audit(file);
    QCOMPARE(peer.value(QLatin1String("errors")).toInt(), 0);
    QCOMPARE(peerPaperLayouts(peer), targetBefore + QStringList{name});
    QCOMPARE(peer.value(QLatin1String("blocks")).toObject().value(QLatin1String("KV_Stempel_A3")).toInt(), 1);
    // The same entities as in the source file, with the same blocks and Kvarto data; only handles differ.
    const QJsonObject sourcePeer = audit(m_dir.filePath(QStringLiteral("Quelle.dwg")));
    QCOMPARE(withoutHandles(peerLayout(peer, name)), withoutHandles(peerLayout(sourcePeer, layout)));
    QVERIFY(QJsonDocument(withoutHandles(peerLayout(peer, name))).toJson().contains("KV_Stempel_A3"));

    // One undo step in the target takes the copy away again.
    runCommand(into, QStringLiteral("_u\r"));
    QCOMPARE(paperNames(into), targetBefore);
}

void tst_CadHostSheets::documentSheets_data()
{
    QTest::addColumn<int>("drawings");
    QTest::addColumn<QString>("application");
    QTest::addColumn<bool>("withData"); // the title blocks come with their extended data
    QTest::newRow("three drawings") << 3 << "Kvarto" << true;
    QTest::newRow("another application's data") << 3 << "Fremd" << false;
    QTest::newRow("no drawing") << 0 << "Kvarto" << false;
}

// One round trip gives what the per-document calls give, for every drawing in the host's order.
void tst_CadHostSheets::documentSheets()
{
    QFETCH(int, drawings);
    QFETCH(QString, application);
    QFETCH(bool, withData);
    for (int i = 0; i < drawings; ++i) {
        if (i % 2 == 0)
            openPeerDrawing(QStringLiteral("Blatt%1.dwg").arg(i));
        else
            openCopy(QStringLiteral("A1 Lageplan.dwt"), QStringLiteral("Blatt%1.dwg").arg(i));
    }
    auto* bus = static_cast<BusHost*>(m_host.get());
    const qint64 before = bus->roundTrips();
    const QList<DocumentSheets> sheets = m_host->documentSheets(application);
    QCOMPARE(bus->roundTrips() - before, 1);
    const ApplicationSnapshot app = m_host->application();
    QCOMPARE(sheets.size(), drawings);
    bool sawData = false;
    for (qsizetype i = 0; i < sheets.size(); ++i) {
        QCOMPARE(sheets[i].ref, app.documents[i]);
        QCOMPARE(sheets[i].error, QString());
        QCOMPARE(sheets[i].layouts, m_host->layoutPlotSettings(app.documents[i].id));
        QCOMPARE(sheets[i].blocks, m_host->layoutBlocksWithXData(app.documents[i].id, application));
        for (const LayoutBlockWithXData& block : sheets[i].blocks) {
            for (const EntityWithXData& e : block.entities)
                sawData = sawData || !e.xdata.codes.isEmpty();
        }
    }
    QCOMPARE(sawData, withData);
}

QTEST_GUILESS_MAIN(tst_CadHostSheets)
#include "tst_CadHostSheets.moc"
