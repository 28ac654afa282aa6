// Names are data, never commands: a real cadhost on a private bus, reached through the bus client.
// Control characters in names and extended data are refused on every path and never reach a saved
// file; what no file is (pipes, devices) is refused at once; deeply nested blocks save; other programs'
// files (comments, CR line ends, Windows-1252 text) open; file errors come in German.
#include "BusCalls.h"
#include "DxfTestUtil.h"
#include "HostOnBus.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QtTest>
#include <acad/BusConnector.h>
#include <acad/BusNames.h>
#include <acad/Error.h>
#include <sys/stat.h>

using namespace acad;
using bustest::errorOf;
using bustest::layoutNames;

namespace {

// What ezdxf finds in the file: its layout names and the count of its blocks.
QJsonObject peerRead(const QString& file)
{
    return QJsonDocument::fromJson(dxftest::runPeer({QStringLiteral("read"), file})).object();
}

QStringList peerLayouts(const QString& file)
{
    QStringList names;
    for (const QJsonValue& v : peerRead(file).value(QLatin1String("layouts")).toArray())
        names.append(v.toString());
    return names;
}

} // namespace

class tst_CadHostNamesAsData : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void setNameRefusesControlCharacters_data();
    void setNameRefusesControlCharacters();
    void commandLineRefusesControlCharacters_data();
    void commandLineRefusesControlCharacters();
    void xdataWithLineBreakIsRefused();
    void nameWithControlCharacterFromFileIsFlagged();
    void whatIsNoFileIsRefusedAtOnce_data();
    void whatIsNoFileIsRefusedAtOnce();
    void deeplyNestedTemplateInsertsAndSaves();
    void otherProgramsFilesOpen_data();
    void otherProgramsFilesOpen();
    void saveErrorsAreGerman_data();
    void saveErrorsAreGerman();

private:
    // A copy of the library's "A3 quer" opened in the host.
    DocId openCopy(const QString& name = QStringLiteral("Blatt.dwg"));
    void runCommand(DocId doc, const QString& text);

    HostOnBus m_onBus;
    std::shared_ptr<Host> m_host;
    QTemporaryDir& m_dir = m_onBus.dir;
};

void tst_CadHostNamesAsData::initTestCase()
{
    QString why;
    if (!dxftest::ezdxfAvailable(&why))
        QSKIP(qPrintable(why));
    const QString failed = m_onBus.start();
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
    m_host = m_onBus.host;
}

// One host for all: after each test it must still answer, and its drawings are closed.
void tst_CadHostNamesAsData::cleanup()
{
    const QString error = m_onBus.closeAll();
    QVERIFY2(error.isEmpty(), qPrintable(error));
}

DocId tst_CadHostNamesAsData::openCopy(const QString& name)
{
    return m_onBus.openCopy(QStringLiteral("A3 quer.dwt"), name);
}

// Sends the text with FILEDIA 0 and waits until the command line is idle again.
void tst_CadHostNamesAsData::runCommand(DocId doc, const QString& text)
{
    m_host->setVariable(doc, QStringLiteral("FILEDIA"), 0);
    const qsizetype before = m_host->commandHistory().size();
    m_host->sendCommand(doc, text);
    QTRY_VERIFY_WITH_TIMEOUT(m_host->commandHistory().size() > before, 5000);
}

void tst_CadHostNamesAsData::setNameRefusesControlCharacters_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("line feed") << QStringLiteral("Neu\nZeile");
    QTest::newRow("carriage return") << QStringLiteral("Neu\rZeile");
    QTest::newRow("escape") << QStringLiteral("Neu\x1bZeile");
    QTest::newRow("tab") << QStringLiteral("Neu\tZeile");
    QTest::newRow("line separator") << QStringLiteral("Neu") + QChar(0x2028) + QStringLiteral("Zeile");
}

void tst_CadHostNamesAsData::setNameRefusesControlCharacters()
{
    QFETCH(QString, name);
    const DocId doc = openCopy();
    const DocumentSnapshot before = m_host->document(doc);
    const LayoutRef layout = before.layouts.at(1);
    const QString error = errorOf([&] { m_host->setLayoutName(doc, layout.id, name); });
    QVERIFY2(error.contains(QStringLiteral("Steuerzeichen")), qPrintable(error));
    QCOMPARE(layoutNames(m_host->document(doc)), layoutNames(before));
    // The drawing saves into a file that both readers open.
    m_host->setLayoutName(doc, layout.id, QStringLiteral("Sauber"));
    m_host->saveDocument(doc);
    const QString file = m_dir.filePath(QStringLiteral("Blatt.dwg"));
    QCOMPARE(peerLayouts(file), layoutNames(m_host->document(doc)));
    QVERIFY(layoutNames(m_host->document(doc)).contains(QStringLiteral("Sauber")));
    m_host->closeDocument(doc, false);
    const DocId again = m_host->openDocument(file);
    QCOMPARE(layoutNames(m_host->document(again)), peerLayouts(file));
}

void tst_CadHostNamesAsData::commandLineRefusesControlCharacters_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("rename") << QStringLiteral("_layout\r_rename\rA3 quer\rNeu\nZeile\r");
    QTest::newRow("new") << QStringLiteral("_layout\r_new\rNeu\nZeile\r");
    QTest::newRow("copy") << QStringLiteral("_layout\r_copy\rA3 quer\rKopie\x07Glocke\r");
    QTest::newRow("set") << QStringLiteral("_layout\r_set\rA3\nquer\r");
}

void tst_CadHostNamesAsData::commandLineRefusesControlCharacters()
{
    QFETCH(QString, command);
    const DocId doc = openCopy();
    const QStringList before = layoutNames(m_host->document(doc));
    QVERIFY2(before.contains(QStringLiteral("A3 quer")), qPrintable(before.join(u',')));
    runCommand(doc, command);
    QTRY_VERIFY_WITH_TIMEOUT(m_host->commandHistory().join(u'\n').contains(QStringLiteral("Steuerzeichen")),
                             5000);
    // The prompt still waits for a real answer; Escape ends the command.
    m_host->sendCommand(doc, QStringLiteral("\x1b"));
    QTRY_VERIFY_WITH_TIMEOUT(m_host->commandHistory().constLast() == QStringLiteral("*Abbruch*"), 5000);
    QCOMPARE(layoutNames(m_host->document(doc)), before);
    runCommand(doc, QStringLiteral("_qsave\r"));
    QTRY_VERIFY_WITH_TIMEOUT(!m_host->document(doc).modified, 5000);
    QCOMPARE(peerLayouts(m_dir.filePath(QStringLiteral("Blatt.dwg"))), before);
}

void tst_CadHostNamesAsData::xdataWithLineBreakIsRefused()
{
    const DocId doc = openCopy();
    const LayoutRef layout = m_host->document(doc).layouts.at(1);
    const QList<EntityInfo> entities = m_host->blockEntities(doc, layout.id);
    QVERIFY(!entities.isEmpty());
    const ObjectId object = entities.first().id;
    const XData before = m_host->xdata(doc, object, QStringLiteral("Kvarto"));
    XData injected;
    injected.codes = {1001, 1000};
    injected.values = {QStringLiteral("Kvarto"), QStringLiteral("Wert\n  0\nLINE")};
    const QString error = errorOf([&] { m_host->setXData(doc, object, injected); });
    QVERIFY2(error.contains(QStringLiteral("Steuerzeichen")), qPrintable(error));
    QCOMPARE(m_host->xdata(doc, object, QStringLiteral("Kvarto")), before);
    injected.values = {QStringLiteral("Kvarto"), QStringLiteral("Wert")};
    m_host->setXData(doc, object, injected);
    m_host->saveDocument(doc);
    m_host->closeDocument(doc, false);
    const DocId again = m_host->openDocument(m_dir.filePath(QStringLiteral("Blatt.dwg")));
    const QList<EntityInfo> reread = m_host->blockEntities(again, m_host->document(again).layouts.at(1).id);
    QCOMPARE(reread.size(), entities.size());
    QCOMPARE(m_host->xdata(again, reread.first().id, QStringLiteral("Kvarto")).values.value(1).toString(),
             QStringLiteral("Wert"));
}

// A file may bring a name with a control character: it stays, flagged, and the command line does
// not offer or take it.
void tst_CadHostNamesAsData::nameWithControlCharacterFromFileIsFlagged()
{
    QByteArray bytes = dxftest::readAll(dxftest::samplePath(QStringLiteral("A3 quer.dwt")));
    QVERIFY(bytes.contains("\nA3 quer"));
    bytes.replace("\nA3 quer", "\nA3\x1bquer");
    const QString path = m_dir.filePath(QStringLiteral("Steuerzeichen.dwg"));
    dxftest::writeAll(path, bytes);
    const DocId doc = m_host->openDocument(path);
    const DocumentSnapshot snapshot = m_host->document(doc);
    const LayoutRef flagged = snapshot.layouts.at(1);
    QCOMPARE(flagged.name, QStringLiteral("A3\x1bquer"));
    QVERIFY(flagged.unsafeName);
    QVERIFY(!snapshot.layouts.at(0).unsafeName);
    // "Löschen" proposes no default for it, so an empty answer cannot take it.
    m_host->setActiveLayout(doc, flagged.name);
    runCommand(doc, QStringLiteral("_layout\r_delete\r\r"));
    QTRY_VERIFY_WITH_TIMEOUT(
        m_host->commandHistory().constLast().startsWith(QStringLiteral("Layout nicht gefunden")), 3000);
    QCOMPARE(layoutNames(m_host->document(doc)), layoutNames(snapshot));
    // Addressed by id it can be renamed into a clean name.
    m_host->setLayoutName(doc, flagged.id, QStringLiteral("A3 quer"));
    QVERIFY(!m_host->document(doc).layouts.at(1).unsafeName);
}

void tst_CadHostNamesAsData::whatIsNoFileIsRefusedAtOnce_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("reason");
    const QString fifo = m_dir.filePath(QStringLiteral("Rohr.dwg"));
    QFile::remove(fifo);
    QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    for (const QString& kind : {QStringLiteral("drawing"), QStringLiteral("template"), QStringLiteral("menu"),
                                QStringLiteral("macro")}) {
        QTest::addRow("%s, pipe", qPrintable(kind)) << kind << fifo << QStringLiteral("Pipe");
        QTest::addRow("%s, /dev/zero", qPrintable(kind))
            << kind << QStringLiteral("/dev/zero") << QStringLiteral("Gerät");
    }
    QTest::newRow("drawing, folder") << QStringLiteral("drawing") << m_dir.path() << QStringLiteral("Ordner");
}

void tst_CadHostNamesAsData::whatIsNoFileIsRefusedAtOnce()
{
    QFETCH(QString, kind);
    QFETCH(QString, path);
    QFETCH(QString, reason);
    QElapsedTimer timer;
    timer.start();
    const QString error = errorOf([&] {
        if (kind == QLatin1String("drawing"))
            m_host->openDocument(path);
        else if (kind == QLatin1String("template"))
            m_host->addDocument(path);
        else if (kind == QLatin1String("menu"))
            m_host->loadMenuGroup(path, false);
        else
            m_host->loadDVB(path);
    });
    QVERIFY2(error.contains(reason), qPrintable(error));
    QVERIFY2(!error.contains(QStringLiteral("CAD-Host antwortet nicht")), qPrintable(error));
    QVERIFY(timer.elapsed() < bus::kCallTimeoutMs);
    QCOMPARE(m_host->application().documents.size(), 0);
}

// Blocks nested 12,000 deep: inserting the template's layout and saving neither crashes the host nor
// loses a block.
void tst_CadHostNamesAsData::deeplyNestedTemplateInsertsAndSaves()
{
    const QString deep = m_dir.filePath(QStringLiteral("Tief.dwt"));
    dxftest::runPeer({QStringLiteral("deep"), deep, QStringLiteral("12000")});
    const DocId other = openCopy(QStringLiteral("Ungespeichert.dwg"));
    m_host->setLayoutName(other, m_host->document(other).layouts.at(1).id, QStringLiteral("Nicht verlieren"));
    const DocId doc = openCopy();
    const int blocksBefore =
        peerRead(m_dir.filePath(QStringLiteral("Blatt.dwg"))).value(QLatin1String("blocks")).toInt();
    runCommand(doc, QStringLiteral("_layout\r_template\r\"%1\"\rTief\r").arg(deep));
    QTRY_VERIFY_WITH_TIMEOUT(layoutNames(m_host->document(doc)).contains(QStringLiteral("Tief")), 20000);
    const QString saveError = errorOf([&] { m_host->saveDocument(doc); });
    QVERIFY2(m_onBus.running(), "the host crashed");
    QVERIFY2(saveError.isEmpty(), qPrintable(saveError));
    QVERIFY(m_host->document(other).modified);
    const QJsonObject peer = peerRead(m_dir.filePath(QStringLiteral("Blatt.dwg")));
    QVERIFY(peer.value(QLatin1String("layouts")).toArray().contains(QStringLiteral("Tief")));
    QCOMPARE(peer.value(QLatin1String("blocks")).toInt(), blocksBefore + 12000);
}

void tst_CadHostNamesAsData::otherProgramsFilesOpen_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("name");
    const QString sued = QStringLiteral("Süd Ansicht");
    QTest::newRow("999 comment first") << QStringLiteral("R2000") << QStringLiteral("comment") << sued;
    QTest::newRow("CR line ends") << QStringLiteral("R2000") << QStringLiteral("cr") << sued;
    QTest::newRow("R2013 in Windows-1252") << QStringLiteral("R2013") << QStringLiteral("cp1252") << sued;
    QTest::newRow("code page ANSI_1251")
        << QStringLiteral("R2000") << QStringLiteral("cp1251") << QStringLiteral("Лист Nord");
    QTest::newRow("ezdxf's \\U+ escape")
        << QStringLiteral("R2000") << QStringLiteral("omega") << QStringLiteral("Ω Süd");
}

void tst_CadHostNamesAsData::otherProgramsFilesOpen()
{
    QFETCH(QString, version);
    QFETCH(QString, form);
    QFETCH(QString, name);
    const QString file = m_dir.filePath(QStringLiteral("Fremd.dxf"));
    dxftest::runPeer({QStringLiteral("write"), file, version, form});
    DocId doc = 0;
    const QString openError = errorOf([&] { doc = m_host->openDocument(file); });
    QVERIFY2(openError.isEmpty(), qPrintable(openError));
    QCOMPARE(layoutNames(m_host->document(doc)).value(2), name);
    // The name is a real string: it addresses the layout over the bus.
    m_host->setActiveLayout(doc, name);
    QCOMPARE(m_host->document(doc).activeLayout, name);
    // Saved by the host, the file opens again with the same name. ezdxf reads it too, leaving \U+
    // escapes as text in its normal read; the Windows-1252 bytes under a UTF-8 version come back as
    // they were, which ezdxf did not read in the first place.
    m_host->saveDocument(doc);
    m_host->closeDocument(doc, false);
    QCOMPARE(layoutNames(m_host->document(m_host->openDocument(file))).value(2), name);
    if (form == QLatin1String("cp1252"))
        return;
    const QStringList peer = peerLayouts(file);
    QCOMPARE(peer.size(), 3);
    if (form != QLatin1String("omega"))
        QCOMPARE(peer.value(2), name);
}

void tst_CadHostNamesAsData::saveErrorsAreGerman_data()
{
    QTest::addColumn<QString>("replacement"); // what stands where the drawing's folder was
    QTest::addColumn<QString>("reason");
    QTest::newRow("folder gone") << QString() << QStringLiteral("existiert nicht");
    QTest::newRow("folder now a file") << QStringLiteral("file") << QStringLiteral("kein Ordner");
}

void tst_CadHostNamesAsData::saveErrorsAreGerman()
{
    QFETCH(QString, replacement);
    QFETCH(QString, reason);
    const QString folder = m_dir.filePath(QStringLiteral("Ordner"));
    QDir(folder).removeRecursively();
    QVERIFY(QDir().mkpath(folder));
    QFile::copy(dxftest::samplePath(QStringLiteral("A3 quer.dwt")), folder + QStringLiteral("/Blatt.dwg"));
    const DocId doc = m_host->openDocument(folder + QStringLiteral("/Blatt.dwg"));
    QVERIFY(QDir(folder).removeRecursively());
    if (!replacement.isEmpty())
        dxftest::writeAll(folder, "kein Ordner");
    const QString error = errorOf([&] { m_host->saveDocument(doc); });
    QVERIFY2(error.contains(reason), qPrintable(error));
    for (const char* english : {"No such file", "Not a directory", "Unknown error"})
        QVERIFY2(!error.contains(QLatin1String(english)), qPrintable(error));
}

QTEST_GUILESS_MAIN(tst_CadHostNamesAsData)
#include "tst_CadHostNamesAsData.moc"
