// The bus service and the bus client against a scripted host: every value crosses the bus intact,
// errors keep their German text, and a refresh costs what it should.
#include "PrivateBus.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QThread>
#include <QtTest>
#include <acad/BusHost.h>
#include <acad/BusNames.h>
#include <acad/BusTypes.h>
#include <acad/Connector.h>
#include <acad/Error.h>
#include <cadhost/bus/BusService.h>

using namespace acad;

namespace {

// Answers with fixed values and records what it was told; "fail" anywhere makes it throw.
class ScriptedHost final : public Host
{
public:
    QStringList calls;
    ApplicationSnapshot app{{{1, QStringLiteral("Zeichnung1.dwg"), QStringLiteral("/tmp/Pläne")},
                             {2, QStringLiteral("Büro.dxf"), QStringLiteral("/tmp")}},
                            2,
                            true};
    XData stored;
    QVariant variableValue = 1;

    void check(const QString& text)
    {
        calls.append(text);
        if (text.contains(QLatin1String("fail")))
            throw Error(QStringLiteral("Die Zeichnung „%1“ wurde nicht gefunden.").arg(text));
    }

    DocumentSnapshot snapshot(DocId doc)
    {
        DocumentSnapshot s;
        s.ref = app.documents.value(doc - 1);
        s.modified = doc == 2;
        s.activeLayout = QStringLiteral("Grundriß");
        // The flag of a name with control characters crosses the bus too (set here on a plain name).
        s.layouts = {{100 + doc, QStringLiteral("Model"), 0},
                     {200 + doc, QStringLiteral("Grundriß"), 1, true}};
        return s;
    }

    ApplicationSnapshot application() override { return app; }
    void setVisible(bool visible) override { app.visible = visible; }
    qint64 hwnd() override { return 0x1234567890LL; }
    void bringToFront() override { check(QStringLiteral("front")); }
    void update() override { check(QStringLiteral("update")); }
    void quit() override { check(QStringLiteral("quit")); }
    QString supportPath() override { return QStringLiteral("/a;/b"); }
    void setSupportPath(const QString& path) override { check(QStringLiteral("support ") + path); }
    QString templatePath() override { return QStringLiteral("/vorlagen"); }
    void setTemplatePath(const QString& path) override { check(QStringLiteral("template ") + path); }
    void loadDVB(const QString& path) override { check(QStringLiteral("dvb ") + path); }
    void runMacro(const QString& name) override { check(QStringLiteral("macro ") + name); }
    QStringList menuGroups() override { return {QStringLiteral("ACAD"), QStringLiteral("KV+")}; }
    void loadMenuGroup(const QString& file, bool base) override
    {
        check(QStringLiteral("menu %1 %2").arg(file).arg(base));
    }
    QList<MenuPopup> menuGroupPopups(const QString& group) override
    {
        check(QStringLiteral("popups ") + group);
        return {{QStringLiteral("KV&+"), QStringLiteral("POP1")}};
    }
    void insertPopupInMenuBar(const QString& group, qint32 popup, qint32 bar) override
    {
        check(QStringLiteral("insert %1 %2 %3").arg(group).arg(popup).arg(bar));
    }
    QList<MenuPopup> menuBar() override { return {{QStringLiteral("&Datei"), QStringLiteral("POP1")}}; }
    DocId openDocument(const QString& path) override
    {
        check(QStringLiteral("open ") + path);
        return 7;
    }
    DocId addDocument(const QString& path) override
    {
        check(QStringLiteral("add ") + path);
        return 8;
    }
    DocumentSnapshot document(DocId doc) override
    {
        check(QStringLiteral("document %1").arg(doc));
        return snapshot(doc);
    }
    void activateDocument(DocId doc) override { check(QStringLiteral("activate %1").arg(doc)); }
    void saveDocument(DocId doc) override { check(QStringLiteral("save %1").arg(doc)); }
    void closeDocument(DocId doc, bool save) override
    {
        check(QStringLiteral("close %1 %2").arg(doc).arg(save));
    }
    void setActiveLayout(DocId doc, const QString& name) override
    {
        check(QStringLiteral("layout %1 %2").arg(doc).arg(name));
    }
    void setActiveSpace(DocId doc, qint32 space) override
    {
        check(QStringLiteral("space %1 %2").arg(doc).arg(space));
    }
    void sendCommand(DocId doc, const QString& text) override
    {
        check(QStringLiteral("command %1 %2").arg(doc).arg(text));
    }
    void setVariable(DocId doc, const QString& name, const QVariant& value) override
    {
        check(QStringLiteral("set %1 %2").arg(doc).arg(name));
        variableValue = value;
    }
    QVariant variable(DocId, const QString&) override { return variableValue; }
    ObjectInfo objectIdToObject(DocId, ObjectId id) override
    {
        ObjectInfo info;
        info.kind = ObjectInfo::Entity;
        info.entity = {id, PViewport, QString(), 0.02};
        return info;
    }
    void setLayoutName(DocId doc, ObjectId layout, const QString& name) override
    {
        check(QStringLiteral("rename %1 %2 %3").arg(doc).arg(layout).arg(name));
    }
    PlotSettings plotSettings(DocId, ObjectId) override
    {
        return {QStringLiteral("DWG To PDF.pc3"), QStringLiteral("ISO_A3"), 420.0, 297.0, 1, 5, QString()};
    }
    void refreshPlotDeviceInfo(DocId, ObjectId) override { check(QStringLiteral("refresh")); }
    QString localeMediaName(DocId, ObjectId, const QString& name) override
    {
        return name + QStringLiteral(" (ä)");
    }
    QList<EntityInfo> blockEntities(DocId, ObjectId) override
    {
        return {{11, BlockReference, QStringLiteral("KV_Schriftfeld"), 0}, {12, PViewport, QString(), 0.01}};
    }
    QList<LayoutPlotSettings> layoutPlotSettings(DocId doc) override
    {
        check(QStringLiteral("plots %1").arg(doc));
        return {{100 + doc, QStringLiteral("Model"), PlotSettings{}, QString()},
                {200 + doc, QStringLiteral("Grundriß"), plotSettings(doc, 200 + doc),
                 QStringLiteral("ISO A3 (ä)")},
                {300 + doc,
                 QStringLiteral("Ansicht Süd"),
                 {QStringLiteral("Kein"), QStringLiteral("ISO_A4_(297.00_x_210.00_MM)"), 297.0, 210.0, 0, 4,
                  QStringLiteral("monochrome.ctb"), false, 0, 1.0, 250.0},
                 QStringLiteral("ISO A4 (297.00 x 210.00 MM)")}};
    }
    QList<EntityWithXData> blockEntitiesWithXData(DocId doc, ObjectId layout,
                                                  const QString& application) override
    {
        check(QStringLiteral("entities %1 %2 %3").arg(doc).arg(layout).arg(application));
        const QList<EntityInfo> entities = blockEntities(doc, layout);
        return {{entities[0],
                 XData{{1001, 1071, 1005, 1071, 1005},
                       {application, qint32(8), QStringLiteral("3"), qint32(81), QStringLiteral("1")}}},
                {entities[1], XData{}}};
    }
    void setLayoutTabOrder(DocId doc, ObjectId layout, qint32 tabOrder) override
    {
        check(QStringLiteral("taborder %1 %2 %3").arg(doc).arg(layout).arg(tabOrder));
    }
    ObjectId copyLayoutToDocument(DocId source, ObjectId layout, DocId target, const QString& name) override
    {
        check(QStringLiteral("copy %1 %2 %3 %4").arg(source).arg(layout).arg(target).arg(name));
        return 900 + target;
    }
    QStringList plotDeviceNames(DocId doc) override
    {
        check(QStringLiteral("devices %1").arg(doc));
        return {QStringLiteral("DWG To PDF.pc3"), QStringLiteral("Plotter Ä.pc3")};
    }
    QStringList canonicalMediaNames(DocId doc, ObjectId layout) override
    {
        check(QStringLiteral("media %1 %2").arg(doc).arg(layout));
        return {QStringLiteral("ISO_A3_(420.00_x_297.00_MM)")};
    }
    void setPlotSettings(DocId doc, ObjectId layout, const PlotSettings& v, quint32 which) override
    {
        check(QStringLiteral("plot %1 %2 %3 %4 %5 %6 %7 %8 %9")
                  .arg(doc)
                  .arg(layout)
                  .arg(which)
                  .arg(v.configName, v.canonicalMediaName, v.styleSheet)
                  .arg(v.plotRotation)
                  .arg(v.plotType)
                  .arg(QStringLiteral("%1/%2/%3:%4")
                           .arg(v.useStandardScale)
                           .arg(v.standardScale)
                           .arg(v.scaleNumerator)
                           .arg(v.scaleDenominator)));
    }
    void copyPlotSettings(DocId sourceDoc, ObjectId sourceLayout, DocId targetDoc, ObjectId targetLayout,
                          quint32 which) override
    {
        check(QStringLiteral("copyplot %1 %2 %3 %4 %5")
                  .arg(sourceDoc)
                  .arg(sourceLayout)
                  .arg(targetDoc)
                  .arg(targetLayout)
                  .arg(which));
    }
    PlotResult plotToFile(DocId doc, ObjectId layout, const QString& path) override
    {
        check(QStringLiteral("plotfile %1 %2 %3").arg(doc).arg(layout).arg(path));
        return {doc, layout};
    }
    qint32 beginPlotJob(const QString& path) override
    {
        check(QStringLiteral("beginjob %1").arg(path));
        return 7;
    }
    PlotResult plotJobPage(qint32 job, DocId doc, ObjectId layout) override
    {
        check(QStringLiteral("page %1 %2 %3").arg(job).arg(doc).arg(layout));
        return {job, doc};
    }
    void endPlotJob(qint32 job, bool keep) override
    {
        check(QStringLiteral("endjob %1 %2").arg(job).arg(keep));
    }
    QByteArray layoutPreview(DocId doc, ObjectId layout, qint32 width, qint32 height) override
    {
        check(QStringLiteral("preview %1 %2 %3 %4").arg(doc).arg(layout).arg(width).arg(height));
        return QByteArray("\x89PNG\0\xff", 6);
    }
    qint64 documentRevision(DocId doc) override
    {
        check(QStringLiteral("revision %1").arg(doc));
        return 5'000'000'000LL + doc;
    }
    XData xdata(DocId, ObjectId, const QString&) override { return stored; }
    void setXData(DocId, ObjectId, const XData& data) override { stored = data; }
    QStringList commandHistory() override { return {QStringLiteral("Befehl: _layout")}; }
};

// Bus calls block the caller's thread, so the service answers from a thread of its own.
class ServiceThread final : public QThread
{
public:
    explicit ServiceThread(Host& host, const QString& address) : m_host(host), m_address(address) {}
    QString error;
    QSemaphore ready;

protected:
    void run() override
    {
        {
            QDBusConnection bus = QDBusConnection::connectToBus(m_address, QStringLiteral("service"));
            cadhost::BusService service(m_host, bus);
            service.start(kAcadProgId, &error);
            ready.release();
            exec();
        }
        QDBusConnection::disconnectFromBus(QStringLiteral("service"));
    }

private:
    Host& m_host;
    QString m_address;
};

} // namespace

class tst_BusRoundTrip : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void values();
    void xdataValues_data();
    void xdataValues();
    void calls_data();
    void calls();
    void errorKeepsGermanText();
    void refreshRoundTrips();
    void detailsInOneAnswer_data();
    void detailsInOneAnswer();
    void sheetsInOneAnswer_data() { detailsInOneAnswer_data(); }
    void sheetsInOneAnswer();
    void documentSheetsInOneAnswer_data() { detailsInOneAnswer_data(); }
    void documentSheetsInOneAnswer();
    void introspection();
    void olderClientsReadTheSnapshot();
    void olderClientsReadPlotSettings();
    void goneAfterHostLeaves();

private:
    std::unique_ptr<BusHost> client();

    PrivateBus m_bus;
    ScriptedHost m_host;
    std::unique_ptr<ServiceThread> m_service;
};

void tst_BusRoundTrip::initTestCase()
{
    QVERIFY2(m_bus.start(), qPrintable(m_bus.errorString()));
    m_service = std::make_unique<ServiceThread>(m_host, m_bus.address());
    m_service->start();
    m_service->ready.acquire();
    QVERIFY2(m_service->error.isEmpty(), qPrintable(m_service->error));
}

void tst_BusRoundTrip::cleanupTestCase()
{
    if (m_service && m_service->isRunning()) {
        m_service->quit();
        m_service->wait();
    }
}

// The scale came after the first seven fields of the plot settings: a client that reads only those
// still reads each layout's localized paper name behind them.
void tst_BusRoundTrip::olderClientsReadPlotSettings()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    QDBusMessage call = QDBusMessage::createMethodCall(
        bus.interface()->serviceOwner(bus::busNameForProgId(kAcadProgId)), bus::kLayoutsPath,
        bus::kLayoutsInterface, QStringLiteral("AllPlotSettings"));
    call << 1;
    const QDBusMessage reply = bus.call(call);
    QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
    const QDBusArgument arg = reply.arguments().constFirst().value<QDBusArgument>();
    QStringList styles;
    QStringList localeNames;
    arg.beginArray();
    while (!arg.atEnd()) {
        ObjectId id = 0;
        QString name, config, media, style, locale;
        double width = 0, height = 0;
        qint32 rotation = 0, type = 0;
        arg.beginStructure();
        arg >> id >> name;
        arg.beginStructure();
        arg >> config >> media >> width >> height >> rotation >> type >> style; // the older seven
        arg.endStructure();
        arg >> locale;
        arg.endStructure();
        styles.append(style);
        localeNames.append(locale);
    }
    arg.endArray();
    QCOMPARE(styles, (QStringList{QString(), QString(), QStringLiteral("monochrome.ctb")}));
    QCOMPARE(localeNames, (QStringList{QString(), QStringLiteral("ISO A3 (ä)"),
                                       QStringLiteral("ISO A4 (297.00 x 210.00 MM)")}));
}

// The flag of a name with control characters came as a fourth field of each layout: a client that
// reads the first three still reads every layout and what follows them.
void tst_BusRoundTrip::olderClientsReadTheSnapshot()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    QDBusMessage call = QDBusMessage::createMethodCall(
        bus.interface()->serviceOwner(bus::busNameForProgId(kAcadProgId)), bus::kDocumentsPath,
        bus::kDocumentsInterface, QStringLiteral("Snapshots"));
    const QDBusMessage reply = bus.call(call);
    QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
    const QDBusArgument arg = reply.arguments().constFirst().value<QDBusArgument>();
    QList<QStringList> names;
    arg.beginArray();
    while (!arg.atEnd()) {
        DocumentRef ref;
        bool modified = false;
        QString active;
        qint32 space = 0;
        arg.beginStructure();
        arg >> ref >> modified >> active >> space;
        QStringList layouts;
        arg.beginArray();
        while (!arg.atEnd()) {
            ObjectId id = 0;
            QString name;
            qint32 tab = 0;
            arg.beginStructure();
            arg >> id >> name >> tab; // as a client from before the flag reads it
            arg.endStructure();
            layouts.append(name);
        }
        arg.endArray();
        arg.endStructure();
        names.append(layouts);
    }
    arg.endArray();
    QCOMPARE(names.size(), 2);
    for (const QStringList& layouts : names)
        QCOMPARE(layouts, (QStringList{QStringLiteral("Model"), QStringLiteral("Grundriß")}));
}

std::unique_ptr<BusHost> tst_BusRoundTrip::client()
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString owner = bus.interface()->serviceOwner(bus::busNameForProgId(kAcadProgId));
    return std::make_unique<BusHost>(bus, owner);
}

void tst_BusRoundTrip::values()
{
    auto host = client();
    QCOMPARE(host->application(), m_host.app);
    QCOMPARE(host->document(2), m_host.snapshot(2));
    QCOMPARE(host->hwnd(), 0x1234567890LL);
    QCOMPARE(host->supportPath(), QStringLiteral("/a;/b"));
    QCOMPARE(host->templatePath(), QStringLiteral("/vorlagen"));
    QCOMPARE(host->menuGroups(), m_host.menuGroups());
    QCOMPARE(host->menuGroupPopups(QStringLiteral("KV+")), m_host.menuGroupPopups(QStringLiteral("KV+")));
    QCOMPARE(host->menuBar(), m_host.menuBar());
    QCOMPARE(host->openDocument(QStringLiteral("/tmp/a.dwg")), 7);
    QCOMPARE(host->addDocument(QStringLiteral("/tmp/v.dwt")), 8);
    QCOMPARE(host->copyLayoutToDocument(1, 201, 2, QStringLiteral("Süd (2)")), 902);
    QCOMPARE(host->objectIdToObject(1, 55), m_host.objectIdToObject(1, 55));
    QCOMPARE(host->plotSettings(1, 201), m_host.plotSettings(1, 201));
    QCOMPARE(host->localeMediaName(1, 201, QStringLiteral("ISO_A3")), QStringLiteral("ISO_A3 (ä)"));
    QCOMPARE(host->blockEntities(1, 201), m_host.blockEntities(1, 201));
    QCOMPARE(host->commandHistory(), m_host.commandHistory());
    host->setVisible(false);
    QCOMPARE(host->application().visible, false);
    host->setVariable(1, QStringLiteral("FILEDIA"), 0);
    QCOMPARE(host->variable(1, QStringLiteral("FILEDIA")), QVariant(0));
}

void tst_BusRoundTrip::xdataValues_data()
{
    QTest::addColumn<XData>("data");
    QTest::newRow("empty") << XData{};
    QTest::newRow("Kvarto record") << XData{{1001, 1000, 1071, 1040, 1005},
                                            {QStringLiteral("Kvarto"), QStringLiteral("Schriftfeld äöü"),
                                             qint32(70000), 1.5, QStringLiteral("3")}};
    QTest::newRow("16-bit value") << XData{{1001, 1070},
                                           {QStringLiteral("Kvarto"), QVariant::fromValue(qint16(-3))}};
}

void tst_BusRoundTrip::xdataValues()
{
    QFETCH(XData, data);
    auto host = client();
    host->setXData(1, 11, data);
    QCOMPARE(m_host.stored, data);
    QCOMPARE(host->xdata(1, 11, QStringLiteral("Kvarto")), data);
}

void tst_BusRoundTrip::calls_data()
{
    QTest::addColumn<std::function<void(Host&)>>("call");
    QTest::addColumn<QString>("recorded");
    using F = std::function<void(Host&)>;
    QTest::newRow("command") << F([](Host& h) { h.sendCommand(2, QStringLiteral("_layout\r_set\rA1\r")); })
                             << QStringLiteral("command 2 _layout\r_set\rA1\r");
    QTest::newRow("close") << F([](Host& h) { h.closeDocument(3, true); }) << QStringLiteral("close 3 1");
    QTest::newRow("tab order") << F([](Host& h) { h.setLayoutTabOrder(1, 201, 3); })
                               << QStringLiteral("taborder 1 201 3");
    QTest::newRow("copy to drawing") << F([](Host& h) {
        h.copyLayoutToDocument(2, 202, 1, QStringLiteral("Süd (2)"));
    }) << QStringLiteral("copy 2 202 1 Süd (2)");
    QTest::newRow("rename") << F([](Host& h) { h.setLayoutName(1, 201, QStringLiteral("Ansicht Süd")); })
                            << QStringLiteral("rename 1 201 Ansicht Süd");
    QTest::newRow("menu") << F([](Host& h) { h.loadMenuGroup(QStringLiteral("/p/Kvarto.mns"), false); })
                          << QStringLiteral("menu /p/Kvarto.mns 0");
    QTest::newRow("insert") << F([](Host& h) { h.insertPopupInMenuBar(QStringLiteral("KV+"), 0, 9); })
                            << QStringLiteral("insert KV+ 0 9");
    QTest::newRow("macro") << F([](Host& h) { h.runMacro(QStringLiteral("Programm.KV_Layout")); })
                           << QStringLiteral("macro Programm.KV_Layout");
    QTest::newRow("space") << F([](Host& h) { h.setActiveSpace(1, ModelSpace); })
                           << QStringLiteral("space 1 1");
    QTest::newRow("active layout") << F([](Host& h) { h.setActiveLayout(1, QStringLiteral("A1")); })
                                   << QStringLiteral("layout 1 A1");
    QTest::newRow("support path") << F([](Host& h) { h.setSupportPath(QStringLiteral("/a;/b;/c")); })
                                  << QStringLiteral("support /a;/b;/c");
    QTest::newRow("front") << F([](Host& h) { h.bringToFront(); }) << QStringLiteral("front");
    QTest::newRow("update") << F([](Host& h) { h.update(); }) << QStringLiteral("update");
    QTest::newRow("project") << F([](Host& h) { h.loadDVB(QStringLiteral("/p/Kvarto.dvb")); })
                             << QStringLiteral("dvb /p/Kvarto.dvb");
    QTest::newRow("template path") << F([](Host& h) { h.setTemplatePath(QStringLiteral("/vorlagen")); })
                                   << QStringLiteral("template /vorlagen");
    QTest::newRow("activate") << F([](Host& h) { h.activateDocument(2); }) << QStringLiteral("activate 2");
    QTest::newRow("save") << F([](Host& h) { h.saveDocument(1); }) << QStringLiteral("save 1");
    QTest::newRow("plot device") << F([](Host& h) { h.refreshPlotDeviceInfo(1, 201); })
                                 << QStringLiteral("refresh");
    QTest::newRow("plot devices") << F([](Host& h) {
        QCOMPARE(h.plotDeviceNames(2), (QStringList{"DWG To PDF.pc3", "Plotter Ä.pc3"}));
    }) << QStringLiteral("devices 2");
    QTest::newRow("papers") << F([](Host& h) {
        QCOMPARE(h.canonicalMediaNames(1, 201), QStringList{"ISO_A3_(420.00_x_297.00_MM)"});
    }) << QStringLiteral("media 1 201");
    QTest::newRow("set plot settings") << F([](Host& h) {
        PlotSettings v{QStringLiteral("Plotter Ä.pc3"),
                       QStringLiteral("ISO_A2"),
                       0,
                       0,
                       3,
                       4,
                       QStringLiteral("grau.stb"),
                       false,
                       0,
                       1.0,
                       250.0};
        h.setPlotSettings(1, 201, v, Plotter | Scale);
    }) << QStringLiteral("plot 1 201 33 Plotter Ä.pc3 ISO_A2 grau.stb 3 4 0/0/1:250");
    QTest::newRow("copy plot settings")
        << F([](Host& h) { h.copyPlotSettings(2, 202, 1, 301, Paper | PlotArea); })
        << QStringLiteral("copyplot 2 202 1 301 18");
    QTest::newRow("plot to file") << F([](Host& h) {
        QCOMPARE(h.plotToFile(2, 202, QStringLiteral("/plots/Süd.pdf")), (PlotResult{2, 202}));
    }) << QStringLiteral("plotfile 2 202 /plots/Süd.pdf");
    QTest::newRow("begin plot job") << F([](Host& h) {
        QCOMPARE(h.beginPlotJob(QStringLiteral("/plots/Mappe.pdf")), 7);
    }) << QStringLiteral("beginjob /plots/Mappe.pdf");
    QTest::newRow("plot job page") << F([](Host& h) {
        QCOMPARE(h.plotJobPage(7, 1, 201), (PlotResult{7, 1}));
    }) << QStringLiteral("page 7 1 201");
    QTest::newRow("end plot job") << F([](Host& h) { h.endPlotJob(7, false); })
                                  << QStringLiteral("endjob 7 0");
    QTest::newRow("preview") << F([](Host& h) {
        QCOMPARE(h.layoutPreview(1, 201, 256, 128), QByteArray("\x89PNG\0\xff", 6));
    }) << QStringLiteral("preview 1 201 256 128");
    QTest::newRow("revision") << F([](Host& h) { QCOMPARE(h.documentRevision(3), 5'000'000'003LL); })
                              << QStringLiteral("revision 3");
}

void tst_BusRoundTrip::calls()
{
    QFETCH(std::function<void(Host&)>, call);
    QFETCH(QString, recorded);
    auto host = client();
    call(*host);
    QCOMPARE(m_host.calls.last(), recorded);
}

void tst_BusRoundTrip::errorKeepsGermanText()
{
    auto host = client();
    try {
        host->openDocument(QStringLiteral("/fail/Übersicht.dwg"));
        QFAIL("no error");
    } catch (const Error& e) {
        QCOMPARE(e.description(),
                 QStringLiteral("Die Zeichnung „open /fail/Übersicht.dwg“ wurde nicht gefunden."));
    }
    // The call after an error works as before.
    QCOMPARE(host->openDocument(QStringLiteral("/tmp/a.dwg")), 7);
}

void tst_BusRoundTrip::refreshRoundTrips()
{
    auto host = client();
    const qint64 before = host->roundTrips();
    host->application();
    const QList<DocumentSnapshot> all = host->documentSnapshots();
    QCOMPARE(host->roundTrips() - before, 2);
    QCOMPARE(all.size(), 2);
    QCOMPARE(all.at(1), m_host.snapshot(2));
}

void tst_BusRoundTrip::detailsInOneAnswer_data()
{
    QTest::addColumn<QString>("application");
    QTest::addColumn<QString>("error"); // empty: answered
    QTest::newRow("Kvarto") << QStringLiteral("Kvarto") << QString();
    QTest::newRow("umlaut in the application name") << QStringLiteral("Kvärto") << QString();
    QTest::newRow("host refuses") << QStringLiteral("fail")
                                  << QStringLiteral(
                                         "Die Zeichnung „entities 2 202 fail“ wurde nicht gefunden.");
}

// A layout's details: the document, every plot setting and the entities with their data, in three
// round trips, whatever the number of layouts and entities.
void tst_BusRoundTrip::detailsInOneAnswer()
{
    QFETCH(QString, application);
    QFETCH(QString, error);
    auto host = client();
    const qint64 before = host->roundTrips();
    QCOMPARE(host->application(), m_host.app);
    QCOMPARE(host->layoutPlotSettings(2), m_host.layoutPlotSettings(2));
    try {
        const QList<EntityWithXData> entities = host->blockEntitiesWithXData(2, 202, application);
        QVERIFY(error.isEmpty());
        QCOMPARE(entities, m_host.blockEntitiesWithXData(2, 202, application));
    } catch (const Error& e) {
        QCOMPARE(e.description(), error);
    }
    QCOMPARE(host->roundTrips() - before, 3);
}

// Every paper-space layout's block of a drawing with its data in one round trip; "Model" is left out.
void tst_BusRoundTrip::sheetsInOneAnswer()
{
    QFETCH(QString, application);
    QFETCH(QString, error);
    auto host = client();
    const qint64 before = host->roundTrips();
    try {
        const QList<LayoutBlockWithXData> blocks = host->layoutBlocksWithXData(2, application);
        QVERIFY(error.isEmpty());
        QCOMPARE(blocks.size(), 1);
        QCOMPARE(blocks[0].layout, 202);
        QCOMPARE(blocks, m_host.layoutBlocksWithXData(2, application));
    } catch (const Error& e) {
        QCOMPARE(e.description(), error);
    }
    QCOMPARE(host->roundTrips() - before, 1);
}

// Every drawing's sheets in one round trip; a drawing the host cannot read brings its error instead.
void tst_BusRoundTrip::documentSheetsInOneAnswer()
{
    QFETCH(QString, application);
    QFETCH(QString, error);
    auto host = client();
    const qint64 before = host->roundTrips();
    const QList<DocumentSheets> sheets = host->documentSheets(application);
    QCOMPARE(host->roundTrips() - before, 1);
    QCOMPARE(sheets.size(), m_host.app.documents.size());
    for (const DocumentSheets& s : sheets) {
        const DocId doc = s.ref.id;
        QCOMPARE(s.ref, m_host.app.documents.value(doc - 1));
        if (error.isEmpty()) {
            QCOMPARE(s, (DocumentSheets{s.ref, m_host.layoutPlotSettings(doc),
                                        m_host.layoutBlocksWithXData(doc, application), QString()}));
        } else {
            QCOMPARE(s.error, QString(error).replace(QLatin1String("2 202"),
                                                     QStringLiteral("%1 %2").arg(doc).arg(200 + doc)));
            QVERIFY(s.layouts.isEmpty() && s.blocks.isEmpty());
        }
    }
}

void tst_BusRoundTrip::introspection()
{
    const std::pair<QString, QString> objects[] = {
        {bus::kApplicationPath, bus::kApplicationInterface},
        {bus::kPreferencesPath, bus::kPreferencesInterface},
        {bus::kMenuGroupsPath, bus::kMenuGroupsInterface},
        {bus::kDocumentsPath, bus::kDocumentsInterface},
        {bus::kLayoutsPath, bus::kLayoutsInterface},
        {bus::kEntitiesPath, bus::kEntitiesInterface},
    };
    auto host = client();
    for (const auto& [path, interface] : objects) {
        QDBusMessage call = QDBusMessage::createMethodCall(
            host->service(), path, QStringLiteral("org.freedesktop.DBus.Introspectable"),
            QStringLiteral("Introspect"));
        const QString xml = QDBusConnection::sessionBus().call(call).arguments().value(0).toString();
        QVERIFY2(xml.contains(QStringLiteral("<interface name=\"%1\">").arg(interface)), qPrintable(path));
    }
}

// Last: the service goes away, and the next call says so at once.
void tst_BusRoundTrip::goneAfterHostLeaves()
{
    auto host = client();
    m_service->quit();
    m_service->wait();
    QElapsedTimer timer;
    timer.start();
    try {
        host->application();
        QFAIL("no error");
    } catch (const Error& e) {
        QCOMPARE(e.description(), QStringLiteral("Der CAD-Host läuft nicht mehr."));
    }
    QVERIFY(timer.elapsed() < bus::kCallTimeoutMs);
}

QTEST_GUILESS_MAIN(tst_BusRoundTrip)
#include "tst_BusRoundTrip.moc"
