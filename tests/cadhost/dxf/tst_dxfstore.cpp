#include "DxfTestUtil.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <acad/Error.h>
#include <cadhost/dxf/DxfPreserved.h>
#include <cadhost/dxf/DxfReader.h>
#include <cadhost/dxf/DxfStore.h>
#include <cadhost/dxf/DxfText.h>
#include <cadhost/dxf/DxfWriter.h>
#include <cadhost/engine/Engine.h>
#include <cadhost/engine/FileInput.h>
#include <cadhost/engine/MemoryStore.h>
#include <sys/stat.h>

using namespace cadhost;
using namespace dxftest;

// The model without what only the file layer cares about (handles, the groups kept for writing).
static Entity modelled(Entity e)
{
    e.handle.clear();
    e.extra.clear();
    return e;
}

static Layout modelled(Layout l)
{
    l.handle.clear();
    l.extra.clear();
    l.origin.reset();
    for (Entity& e : l.entities)
        e = modelled(e);
    return l;
}

class TestDxfStore final : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    DxfStore m_store;

    QString path(const QString& name) const { return m_dir.filePath(name); }

    // The plot settings of a layout made as "how" says.
    acad::PlotSettings plotOfANewLayout(const QString& how)
    {
        if (how.endsWith(QLatin1String(".dwt")))
            return m_store.load(samplePath(how)).layouts.at(1).plot;
        if (how == QLatin1String("new drawing file"))
            return emptyDrawing().layouts.at(1).plot;
        Drawing modelAlone = emptyDrawing();
        modelAlone.layouts.removeLast();
        modelAlone.activeLayout = QStringLiteral("Model");
        if (how == QLatin1String("model space alone, written"))
            return readDxf(writeDxf(modelAlone)).layouts.at(1).plot;
        auto memory = std::make_shared<MemoryStore>();
        memory->put(QStringLiteral("/m/Modell.dwg"), modelAlone);
        Engine engine(memory);
        if (how == QLatin1String("model space alone, opened"))
            return engine.drawing(engine.openDocument(QStringLiteral("/m/Modell.dwg")))->layouts.at(1).plot;
        const acad::DocId doc = engine.addDocument(QString());
        if (how.startsWith(QLatin1String("Documents.Add")))
            return engine.drawing(doc)->layouts.at(how.endsWith(u'1') ? 1 : 2).plot;
        if (how == QLatin1String("LAYOUT Neu")) {
            engine.sendCommand(doc, QStringLiteral("_layout\r_new\rNeu\r"));
        } else {
            const QString dvb = path(QStringLiteral("Kvarto.dvb"));
            writeAll(dvb, "CADHOST-MAKROPROJEKT 1\nProjekt: Kvarto\nModul: Programm\nMakro: KV_Layout\n");
            engine.loadDVB(dvb);
            engine.setActiveLayout(doc, how.endsWith(QLatin1String("model space"))
                                            ? QStringLiteral("Model")
                                            : QStringLiteral("Layout1"));
            engine.runMacro(QStringLiteral("KV_Layout"));
        }
        QCoreApplication::processEvents();
        const Drawing* d = engine.drawing(doc);
        return d->layouts.size() == 4 ? d->layouts.last().plot : acad::PlotSettings();
    }

    static Drawing sampleDrawing(const QString& active)
    {
        Drawing d = emptyDrawing();
        d.layouts.removeLast();
        d.layouts.append(paperLayout(QStringLiteral("Blatt Süd"), 1));
        Layout second = paperLayout(QStringLiteral("Übersicht"), 2);
        second.plot.plotRotation = 1;
        second.plot.plotType = 5;
        second.plot.styleSheet.clear();
        second.entities.append(blockRef(QStringLiteral("KV_Stempel_A3"), 8, 3));
        second.entities.append(blockRef(QStringLiteral("KV_Nordpfeil"), 9, 11));
        d.layouts.append(second);
        d.activeLayout = active;
        return d;
    }

private Q_SLOTS:
    void roundTripKeepsTheModel_data()
    {
        QTest::addColumn<QString>("active");
        QTest::newRow("paper layout active") << QStringLiteral("Übersicht");
        QTest::newRow("inactive first layout") << QStringLiteral("Blatt Süd");
        QTest::newRow("model space active") << QStringLiteral("Model");
    }

    void roundTripKeepsTheModel()
    {
        QFETCH(QString, active);
        const Drawing written = sampleDrawing(active);
        m_store.save(written, path(QStringLiteral("rund.dwg")));
        const Drawing read = m_store.load(path(QStringLiteral("rund.dwg")));
        QCOMPARE(read.activeLayout, active);
        QCOMPARE(read.layouts.size(), written.layouts.size());
        for (qsizetype i = 0; i < read.layouts.size(); ++i)
            QCOMPARE(modelled(read.layouts.at(i)), modelled(written.layouts.at(i)));
        QCOMPARE(read.modelSpace.size(), 0);
    }

    // The custom scale is height / view height; a 1005 value keeps its text ("-1", "0A", " 3").
    void xdataTextAndScaleSurvive()
    {
        Drawing d = sampleDrawing(QStringLiteral("Model"));
        Entity& vp = d.layouts[1].entities[1];
        vp.viewport.viewHeight = 160.0 / 4;
        vp.xdata.first().items[3].value = QStringLiteral("0A");
        vp.xdata.append(
            {QStringLiteral("ACAD"), {{1000, QStringLiteral(" 3")}, {1070, QStringLiteral("   42")}}});
        m_store.save(d, path(QStringLiteral("xdata.dwg")));
        const Drawing read = m_store.load(path(QStringLiteral("xdata.dwg")));
        const Entity& back = read.layouts.at(1).entities.at(1);
        QCOMPARE(back.viewport.height / back.viewport.viewHeight, 4.0);
        QCOMPARE(back.xdata, vp.xdata);
    }

    // R2000 text is Windows-1252; other characters travel as \U+XXXX and come back as they were.
    void namesSurviveTheCodePage_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("umlauts") << QStringLiteral("Ansicht Süd – Maße");
        QTest::newRow("Greek") << QStringLiteral("Ω-Plan");
        QTest::newRow("outside the BMP") << QStringLiteral("Plan \U0001F3E0");
        QTest::newRow("an escape as plain text") << QStringLiteral("Text \\U+00FC und \\U+03G9 bleiben");
    }

    void namesSurviveTheCodePage()
    {
        QFETCH(QString, name);
        Drawing d = sampleDrawing(QStringLiteral("Model"));
        d.layouts[1].name = name;
        d.layouts[1].entities[1].xdata.first().items.last().value = name;
        m_store.save(d, path(QStringLiteral("zeichen.dwg")));
        const QByteArray once = readAll(path(QStringLiteral("zeichen.dwg")));
        const Drawing read = m_store.load(path(QStringLiteral("zeichen.dwg")));
        QCOMPARE(read.layouts.at(1).name, name);
        QCOMPARE(read.layouts.at(1).entities.at(1).xdata.first().items.last().value, name);
        QCOMPARE(writeDxf(read), once);
    }

    // What the host writes itself comes back identical after reading and writing.
    void samplesComeBackByteForByte_data()
    {
        QTest::addColumn<QString>("file");
        for (const char* name : {"A3 quer.dwt", "A1 Lageplan.dwt", "A4 hoch.dwt", "Bestand EG.dwg",
                                 "Detailblatt.dwg", "Kvarto Standards.dws"})
            QTest::newRow(name) << samplePath(QString::fromUtf8(name));
    }

    void samplesComeBackByteForByte()
    {
        QFETCH(QString, file);
        const QByteArray original = readAll(file);
        QCOMPARE(writeDxf(m_store.load(file)), original);
    }

    // Records of another program that the host does not model: every one of them comes back exactly,
    // including CR LF line ends, reactors, right-aligned integers, text in Windows-1252 and XDATA.
    void unmodelledRecordsComeBackByteForByte_data()
    {
        QTest::addColumn<QString>("handle");
        for (const char* h : {"A0", "A1", "A2", "A3", "A7", "A8", "A9", "AA"})
            QTest::newRow(h) << QString::fromLatin1(h);
    }

    void unmodelledRecordsComeBackByteForByte()
    {
        QFETCH(QString, handle);
        const QByteArray original = readAll(dataPath(QStringLiteral("fremd.dxf")));
        Drawing d = m_store.load(dataPath(QStringLiteral("fremd.dxf")));
        d.layouts[1].name = QStringLiteral("Umbenannt");
        m_store.save(d, path(QStringLiteral("fremd.dwg")));
        const QByteArray saved = readAll(path(QStringLiteral("fremd.dwg")));
        const QByteArray start = "  5\r\n" + handle.toLatin1() + "\r\n";
        const qsizetype at = original.indexOf(start);
        QVERIFY(at > 0);
        const qsizetype begin = original.lastIndexOf("  0\r\n", at);
        const qsizetype end = original.indexOf("  0\r\n", at);
        const QByteArray record = original.mid(begin, end - begin);
        QVERIFY2(saved.contains(record), record.constData());
    }

    void reactorsAndUnknownObjectsAreKept()
    {
        const Drawing d = m_store.load(dataPath(QStringLiteral("fremd.dxf")));
        QCOMPARE(d.modelSpace.size(), 5);
        QCOMPARE(d.modelSpace.at(3).dxfType, QStringLiteral("POLYLINE")); // its vertices travel with it
        QCOMPARE(d.modelSpace.at(2).entityType, 32);
        QCOMPARE(d.layouts.size(), 3);
        m_store.save(d, path(QStringLiteral("reaktoren.dwg")));
        const QByteArray saved = readAll(path(QStringLiteral("reaktoren.dwg")));
        QCOMPARE(saved.count("{ACAD_REACTORS\r\n330\r\n1C\r\n"), 3);
        QVERIFY(saved.contains("FREMDES_OBJEKT"));
        QVERIFY(saved.contains("Erdgescho\xdf \x96 Bestand"));
    }

    // With Model made active, the paper layout that held *Paper_Space keeps it: only $TILEMODE changes.
    void paperSpaceStaysWhileModelIsActive()
    {
        m_store.save(sampleDrawing(QStringLiteral("Übersicht")), path(QStringLiteral("papier.dwg")));
        QByteArray expected = readAll(path(QStringLiteral("papier.dwg")));
        Drawing d = m_store.load(path(QStringLiteral("papier.dwg")));
        d.activeLayout = QStringLiteral("Model");
        QVERIFY(expected.contains("$TILEMODE\n 70\n0\n"));
        expected.replace("$TILEMODE\n 70\n0\n", "$TILEMODE\n 70\n1\n");
        QCOMPARE(writeDxf(d), expected);
    }

    // A copied layout carries the handles of its original; the writer gives the copy fresh ones.
    void handlesStayUniqueForCopies()
    {
        Drawing d = m_store.load(samplePath(QStringLiteral("Bestand EG.dwg")));
        Layout copy = d.layouts.at(1);
        copy.name = QStringLiteral("Kopie von EG Grundriss");
        copy.tabOrder = 4;
        d.layouts.append(copy);
        d.activeLayout = copy.name;
        const QByteArray bytes = writeDxf(d);
        QString seed;
        const QStringList all = handles(bytes, &seed);
        QCOMPARE(QSet<QString>(all.cbegin(), all.cend()).size(), all.size());
        quint64 highest = 0;
        for (const QString& h : all)
            highest = std::max(highest, h.toULongLong(nullptr, 16));
        QVERIFY(seed.toULongLong(nullptr, 16) > highest);
        m_store.save(d, path(QStringLiteral("kopie.dwg")));
        const Drawing read = m_store.load(path(QStringLiteral("kopie.dwg")));
        QCOMPARE(read.layouts.size(), 5);
        QCOMPARE(modelled(read.layouts.last()), modelled(copy));
        QCOMPARE(read.activeLayout, copy.name);
    }

    // A layout taken from another file brings the definitions of the blocks it references.
    void layoutFromAnotherFileBringsItsBlocks()
    {
        auto source = std::make_shared<Preserved>(*emptyDrawing().preserved);
        DxfBlock block;
        block.name = QStringLiteral("KV_Stempel_A3");
        block.begin = {QStringLiteral("BLOCK"),
                       {{5, QStringLiteral("30")},
                        {330, QStringLiteral("31")},
                        {100, QStringLiteral("AcDbEntity")},
                        {8, QStringLiteral("0")},
                        {100, QStringLiteral("AcDbBlockBegin")},
                        {2, block.name},
                        {70, QStringLiteral("0")},
                        {10, QStringLiteral("0.0")},
                        {20, QStringLiteral("0.0")},
                        {30, QStringLiteral("0.0")}}};
        block.entities = {{QStringLiteral("LINE"),
                           {{5, QStringLiteral("32")},
                            {330, QStringLiteral("31")},
                            {100, QStringLiteral("AcDbEntity")},
                            {8, QStringLiteral("0")},
                            {100, QStringLiteral("AcDbLine")},
                            {10, QStringLiteral("0.0")},
                            {20, QStringLiteral("0.0")},
                            {30, QStringLiteral("0.0")},
                            {11, QStringLiteral("70.5")},
                            {21, QStringLiteral("0.0")},
                            {31, QStringLiteral("0.0")}}}};
        block.end = {QStringLiteral("ENDBLK"),
                     {{5, QStringLiteral("33")},
                      {330, QStringLiteral("31")},
                      {100, QStringLiteral("AcDbEntity")},
                      {8, QStringLiteral("0")},
                      {100, QStringLiteral("AcDbBlockEnd")}}};
        source->blocks.append(block);
        for (DxfTable& t : source->tables) {
            if (t.name == QLatin1String("BLOCK_RECORD"))
                t.records.append({QStringLiteral("BLOCK_RECORD"),
                                  {{5, QStringLiteral("31")},
                                   {330, QStringLiteral("12")},
                                   {100, QStringLiteral("AcDbSymbolTableRecord")},
                                   {100, QStringLiteral("AcDbBlockTableRecord")},
                                   {2, block.name}}});
        }
        Layout sheet = paperLayout(QStringLiteral("Aus der Vorlage"), 2);
        sheet.entities.append(blockRef(block.name, 8, 1));
        sheet.origin = source;
        Drawing target = emptyDrawing();
        target.layouts.append(sheet);
        m_store.save(target, path(QStringLiteral("eingefuegt.dwg")));
        const Drawing read = m_store.load(path(QStringLiteral("eingefuegt.dwg")));
        const QList<DxfBlock>& blocks = read.preserved->blocks;
        QCOMPARE(blocks.size(), 1);
        QCOMPARE(blocks.first().name, block.name);
        QCOMPARE(blocks.first().entities.size(), 1);
        QVERIFY(blocks.first().entities.first().groups.contains(DxfGroup{11, QStringLiteral("70.5")}));
        const QStringList all = handles(readAll(path(QStringLiteral("eingefuegt.dwg"))));
        QCOMPARE(QSet<QString>(all.cbegin(), all.cend()).size(), all.size());
    }

    void modelSpaceAloneGetsAPaperLayout()
    {
        Drawing d = emptyDrawing();
        d.layouts.removeLast();
        d.modelSpace.append(blockRef(QStringLiteral("KV_Stempel_A3"), 8, 1));
        m_store.save(d, path(QStringLiteral("nur Modell.dwg")));
        const Drawing read = m_store.load(path(QStringLiteral("nur Modell.dwg")));
        QCOMPARE(read.layouts.size(), 2);
        QCOMPARE(read.activeLayout, QStringLiteral("Model"));
        QCOMPARE(modelled(read.modelSpace.first()), modelled(d.modelSpace.first()));
    }

    void badFilesNameTheFileAndLine_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("expected");
        const QByteArray good = readAll(samplePath(QStringLiteral("A3 quer.dwt")));
        QTest::newRow("truncated") << good.left(good.size() / 2) << QStringLiteral("unvollständig");
        QTest::newRow("code without value")
            << good.left(good.indexOf("ENDSEC") - 1) << QStringLiteral("fehlt sein Wert");
        QTest::newRow("not DXF") << QByteArray("Sehr geehrte Damen und Herren,\nanbei der Plan.\n")
                                 << QStringLiteral("Zeile 1): Die Datei ist keine DXF-Zeichnung");
        QTest::newRow("binary DWG") << QByteArray("AC1015\0\0\0\x1f\x8b binary", 19)
                                    << QStringLiteral("Zeile 1): Die Datei ist eine binäre DWG-Zeichnung");
        QTest::newRow("binary DXF") << QByteArray("AutoCAD Binary DXF\r\n\x1a\0", 22)
                                    << QStringLiteral("Zeile 1): Binäre DXF-Dateien");
        QTest::newRow("empty") << QByteArray() << QStringLiteral("leer");
        QByteArray noHeader = good;
        noHeader.remove(0, noHeader.indexOf("  0\nSECTION\n  2\nCLASSES"));
        QTest::newRow("missing HEADER")
            << noHeader << QStringLiteral("Zeile 1): Der Zeichnung fehlt der Abschnitt HEADER");
        QByteArray nowhere = good;
        const qsizetype layout = nowhere.lastIndexOf("AcDbLayout");
        const qsizetype owner = nowhere.indexOf("330\n", layout) + 4;
        nowhere.replace(owner, nowhere.indexOf('\n', owner) - owner, "FFFF");
        const int line = nowhere.left(owner).count('\n');
        QTest::newRow("LAYOUT pointing nowhere")
            << nowhere
            << QStringLiteral("Zeile %1): Das Layout „A3 quer Details“ verweist auf keinen Blockeintrag")
                   .arg(line);
        QByteArray open = good;
        open.truncate(open.lastIndexOf("  0\nENDSEC"));
        open += "  0\nEOF\n";
        QTest::newRow("section not closed") << open << QStringLiteral("ist nicht abgeschlossen");
        QByteArray twice = good;
        twice.insert(good.indexOf("  0\nSECTION\n  2\nCLASSES"), good.left(good.indexOf("ENDSEC\n") + 7));
        QTest::newRow("HEADER twice") << twice << QStringLiteral("HEADER steht doppelt");
        QTest::newRow("garbage code") << good.left(40) + "xx\n1\n  0\nEOF\n"
                                      << QStringLiteral("Gruppencode erwartet");
    }

    void badFilesNameTheFileAndLine()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, expected);
        const QString file = path(QStringLiteral("kaputt.dwg"));
        writeAll(file, content);
        try {
            m_store.load(file);
            QFAIL("a bad file was read");
        } catch (const acad::Error& e) {
            QVERIFY2(e.description().contains(file), qPrintable(e.description()));
            QVERIFY2(e.description().contains(expected), qPrintable(e.description()));
        }
    }

    // Inputs that once broke the reader or the writer (found by fuzz/dxf_fuzz).
    void fuzzFindingsStayFixed_data()
    {
        QTest::addColumn<QString>("file");
        const QDir dir(qEnvironmentVariable("BW_SOURCE_DIR") + QStringLiteral("/fuzz/regressions"));
        for (const QString& name : dir.entryList(QDir::Files))
            QTest::newRow(qPrintable(name)) << dir.filePath(name);
    }

    void fuzzFindingsStayFixed()
    {
        QFETCH(QString, file);
        Drawing d;
        try {
            d = m_store.load(file);
        } catch (const acad::Error& e) {
            QVERIFY2(e.description().contains(file), qPrintable(e.description()));
            return;
        }
        m_store.save(d, path(QStringLiteral("fuzz.dwg")));
        const Drawing again = m_store.load(path(QStringLiteral("fuzz.dwg")));
        QVERIFY(again.layouts.size() >= d.layouts.size()); // model space alone gets a paper layout
        for (qsizetype i = 0; i < d.layouts.size(); ++i) {
            QCOMPARE(again.layouts.at(i).name, d.layouts.at(i).name);
            QCOMPARE(again.layouts.at(i).entities.size(), d.layouts.at(i).entities.size());
        }
        QCOMPARE(again.modelSpace.size(), d.modelSpace.size());
    }

    // Decoding is exactly reversible for any bytes, in both encodings.
    void textDecodingIsReversible_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("utf8");
        QTest::newRow("code page: every byte")
            << QByteArray("\x80\x81\x8d\x8f\x90\x9d\xa0\xb1\xf6\xff") << false;
        QTest::newRow("code page: escapes") << QByteArray("\\U+03A9 \\U+00FC \\U+D800 \\U+03G9") << false;
        QTest::newRow("UTF-8: umlauts and beyond the BMP") << QByteArray("M\xc3\xb6"
                                                                         "blierung \xf0\x9f\x8f\xa0")
                                                           << true;
        QTest::newRow("UTF-8: a code-page byte") << QByteArray("EG M\xf6"
                                                               "blierung")
                                                 << true;
        QTest::newRow("UTF-8: byte order mark") << QByteArray("\xef\xbb\xbfPlan") << true;
        QTest::newRow("UTF-8: replacement character") << QByteArray("\xef\xbf\xbd \xf6") << true;
        QTest::newRow("UTF-8: overlong") << QByteArray("\xc0\x80 \xe0\x80\xaf") << true;
        QTest::newRow("UTF-8: surrogate") << QByteArray("\xed\xa0\x80\xed\xb2\x80") << true;
        QTest::newRow("UTF-8: above U+10FFFF") << QByteArray("\xf4\x90\x80\x80") << true;
        QTest::newRow("UTF-8: cut short at the end") << QByteArray("Plan \xe2\x82") << true;
        QTest::newRow("UTF-8: escape after a pair")
            << QByteArray("\xf0\x90\x82\x80\x80 \xf0\x9f\x92\x80") << true;
    }

    void textDecodingIsReversible()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, utf8);
        const auto encoding = utf8 ? dxftext::Encoding::Utf8 : dxftext::Encoding::Cp1252;
        const QString text =
            dxftext::decode(std::string_view(bytes.constData(), size_t(bytes.size())), encoding);
        QByteArray back;
        dxftext::encodeInto(back, text, encoding);
        QCOMPARE(back.toHex(' '), bytes.toHex(' '));
    }

    // Escapes stand for the characters that the code page lacks, in the host's upper case and in
    // ezdxf's lower case; an escape of a character the code page has stays text.
    void escapesDecode_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("text");
        QTest::newRow("upper case") << QByteArray("\\U+03A9 S\xfc"
                                                  "d")
                                    << QStringLiteral("Ω Süd");
        QTest::newRow("lower case, as ezdxf writes") << QByteArray("\\U+03a9 S\xfc"
                                                                   "d")
                                                     << QStringLiteral("Ω Süd");
        QTest::newRow("a character of the code page") << QByteArray("\\U+00FC") << QStringLiteral("\\U+00FC");
    }

    void escapesDecode()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, text);
        QCOMPARE(dxftext::decode(std::string_view(bytes.constData(), size_t(bytes.size())),
                                 dxftext::Encoding::Cp1252),
                 text);
    }

    // Only "AC" and four digits from 1021 on mean UTF-8; the bytes of anything else decide nothing.
    void encodingFollowsTheVersionText_data()
    {
        QTest::addColumn<QByteArray>("acadver");
        QTest::addColumn<bool>("utf8");
        QTest::newRow("R2000") << QByteArray("AC1015") << false;
        QTest::newRow("R2004") << QByteArray("AC1018") << false;
        QTest::newRow("R2007") << QByteArray("AC1021") << true;
        QTest::newRow("R2018") << QByteArray("AC1032") << true;
        QTest::newRow("a high byte") << QByteArray("AC\xb1"
                                                   "A15")
                                     << false;
        QTest::newRow("letters") << QByteArray("ACXXXX") << false;
        QTest::newRow("too long") << QByteArray("AC10210") << false;
        QTest::newRow("too short") << QByteArray("AC102") << false;
        QTest::newRow("lower case") << QByteArray("ac1027") << false;
    }

    void encodingFollowsTheVersionText()
    {
        QFETCH(QByteArray, acadver);
        QFETCH(bool, utf8);
        QCOMPARE(dxftext::encodingForVersion(std::string_view(acadver.constData(), size_t(acadver.size()))),
                 utf8 ? dxftext::Encoding::Utf8 : dxftext::Encoding::Cp1252);
    }

    // The fuzzer's find: a sample drawing whose $ACADVER is the bytes 41 43 B1 41 31 35. Opened and
    // saved under another name by the host, "EG Möblierung" keeps its name and the file its bytes.
    void versionThatIsNoVersionKeepsTheText()
    {
        const QString regression =
            qEnvironmentVariable("BW_SOURCE_DIR") + QStringLiteral("/fuzz/regressions/acadver-not-a-version");
        const QByteArray original = readAll(regression);
        QVERIFY(original.contains("$ACADVER\n  1\nAC\xb1"
                                  "A15\n"));
        const QString opened = path(QStringLiteral("Bestand EG Version.dwg"));
        const QString saved = path(QStringLiteral("Bestand EG gespeichert.dwg"));
        writeAll(opened, original);
        Engine engine(std::make_shared<DxfStore>());
        engine.submitInput(QStringLiteral("FILEDIA\r0\r_open\r%1\r").arg(opened));
        QTRY_VERIFY(!engine.isBusy() && engine.application().activeDocument != 0);
        const acad::DocId doc = engine.application().activeDocument;
        QVERIFY(engine.drawing(doc)->layout(QStringLiteral("EG Möblierung")));
        engine.submitInput(QStringLiteral("_saveas\r%1\r").arg(saved));
        QTRY_VERIFY(!engine.isBusy());
        QCOMPARE(engine.document(doc).ref.name, QFileInfo(saved).fileName());
        QVERIFY(m_store.load(saved).layout(QStringLiteral("EG Möblierung")));
        QCOMPARE(readAll(saved), original);
    }

    // Layouts the host makes itself follow the sample library: rotation 0 portrait, 1 landscape, paper
    // width and height (and the size in the media name) as the sheet lies.
    void newLayoutsFollowTheLibrarysConvention_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("rotation");
        for (const char* how : {"LAYOUT Neu", "KV_Layout from model space", "KV_Layout from a layout",
                                "Documents.Add Layout1", "Documents.Add Layout2", "model space alone, opened",
                                "model space alone, written", "new drawing file"})
            QTest::newRow(how) << QString::fromLatin1(how) << 1;
        // The library itself, for the convention.
        QTest::newRow("library A3 quer") << QStringLiteral("A3 quer.dwt") << 1;
        QTest::newRow("library A4 hoch") << QStringLiteral("A4 hoch.dwt") << 0;
    }

    void newLayoutsFollowTheLibrarysConvention()
    {
        QFETCH(QString, how);
        QFETCH(int, rotation);
        const acad::PlotSettings plot = plotOfANewLayout(how);
        QCOMPARE(plot.plotRotation, rotation);
        const bool landscape = rotation % 2 == 1;
        QVERIFY2(landscape == (plot.paperWidth > plot.paperHeight),
                 qPrintable(QStringLiteral("%1 × %2").arg(plot.paperWidth).arg(plot.paperHeight)));
        const QRegularExpressionMatch size =
            QRegularExpression(QStringLiteral("\\((\\d+)\\.00_x_(\\d+)\\.00_MM\\)"))
                .match(plot.canonicalMediaName);
        QVERIFY2(size.hasMatch(), qPrintable(plot.canonicalMediaName));
        QCOMPARE(size.captured(1).toDouble(), plot.paperWidth);
        QCOMPARE(size.captured(2).toDouble(), plot.paperHeight);
    }

    // Values that reach the writer with a line end (or NUL) would come back as other groups, or make the
    // file unreadable: the save fails, in German, and leaves the old file whole.
    void valuesThatBreakLinesAreNeverWritten_data()
    {
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("value");
        QTest::newRow("layout name, line feed") << "layout" << QStringLiteral("Neu\nZeile");
        QTest::newRow("layout name, carriage return") << "layout" << QStringLiteral("Neu\rZeile");
        QTest::newRow("extended data injecting a LINE") << "xdata" << QStringLiteral("Wert\n  0\nLINE");
        QTest::newRow("block name, NUL")
            << "block" << QStringLiteral("KV") + QChar(0) + QStringLiteral("Stempel");
    }

    void valuesThatBreakLinesAreNeverWritten()
    {
        QFETCH(QString, what);
        QFETCH(QString, value);
        const QString file = path(QStringLiteral("bleibt.dwg"));
        m_store.save(sampleDrawing(QStringLiteral("Model")), file);
        const QByteArray before = readAll(file);
        Drawing d = sampleDrawing(QStringLiteral("Model"));
        Layout& layout = d.layouts[2];
        if (what == QLatin1String("layout"))
            layout.name = value;
        else if (what == QLatin1String("xdata"))
            layout.entities[0].xdata = {{QStringLiteral("Kvarto"), {{1000, value}}}};
        else
            layout.entities.last().block.blockName = value;
        QString error;
        try {
            m_store.save(d, file);
        } catch (const acad::Error& e) {
            error = e.description();
        }
        QVERIFY2(error.contains(QStringLiteral("kann nicht gespeichert werden")) &&
                     error.contains(QStringLiteral("würde die Datei unlesbar machen")),
                 qPrintable(error));
        QCOMPARE(readAll(file), before);
    }

    // Other programs' files: a comment (999) anywhere between groups, lines ending in CR alone or
    // CR LF, as ezdxf reads them.
    void commentsAndLineEndsOfOtherPrograms_data()
    {
        QTest::addColumn<QByteArray>("from");
        QTest::addColumn<QByteArray>("to");
        QTest::newRow("comment first") << QByteArray("  0\nSECTION\n  2\nHEADER\n")
                                       << QByteArray("999\ndxfwrite\n  0\nSECTION\n  2\nHEADER\n");
        QTest::newRow("comment between sections")
            << QByteArray("ENDSEC\n  0\nSECTION\n") << QByteArray("ENDSEC\n999\nZwischen\n  0\nSECTION\n");
        QTest::newRow("comment inside a record")
            << QByteArray("  0\nLAYOUT\n") << QByteArray("  0\nLAYOUT\n999\nim Eintrag\n");
        QTest::newRow("CR line ends") << QByteArray("\n") << QByteArray("\r");
        QTest::newRow("CR LF line ends") << QByteArray("\n") << QByteArray("\r\n");
    }

    void commentsAndLineEndsOfOtherPrograms()
    {
        QFETCH(QByteArray, from);
        QFETCH(QByteArray, to);
        const QByteArray original = readAll(samplePath(QStringLiteral("Bestand EG.dwg")));
        QVERIFY(original.contains(from) && !original.contains('\r'));
        const Drawing expected = readDxf(original);
        const Drawing d = readDxf(QByteArray(original).replace(from, to));
        QCOMPARE(d.layouts.size(), expected.layouts.size());
        for (qsizetype i = 0; i < d.layouts.size(); ++i)
            QCOMPARE(modelled(d.layouts.at(i)), modelled(expected.layouts.at(i)));
        QCOMPARE(d.modelSpace.size(), expected.modelSpace.size());
    }

    // A file that says UTF-8 ($ACADVER from AC1021 on) but holds Windows-1252 text reads as
    // Windows-1252: every name is a real string, and the file comes back byte for byte.
    void windows1252UnderAUtf8VersionReadsAsWindows1252()
    {
        QByteArray bytes = readAll(samplePath(QStringLiteral("Bestand EG.dwg")));
        QVERIFY(bytes.contains("AC1015") && bytes.contains("EG M\xf6"
                                                           "blierung"));
        bytes.replace("AC1015", "AC1027");
        const Drawing d = readDxf(bytes);
        QVERIFY(d.layout(QStringLiteral("EG Möblierung")));
        QCOMPARE(writeDxf(d), bytes);
    }

    void onlyRegularFilesAreRead_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<qint64>("limit");
        QTest::addColumn<QString>("reason");
        const QString fifo = path(QStringLiteral("Rohr.dwg"));
        QFile::remove(fifo);
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QTest::newRow("pipe") << fifo << qint64(1 << 20) << "benannte Pipe (FIFO)";
        QTest::newRow("device without end") << "/dev/zero" << qint64(1 << 20) << "ein Gerät";
        QTest::newRow("folder") << m_dir.path() << qint64(1 << 20) << "ein Ordner";
        QTest::newRow("missing") << path(QStringLiteral("fehlt.dwg")) << qint64(1 << 20)
                                 << "Die Datei oder der Ordner existiert nicht.";
        QTest::newRow("over the limit")
            << samplePath(QStringLiteral("A3 quer.dwt")) << qint64(1 << 10) << "größer als";
    }

    void onlyRegularFilesAreRead()
    {
        QFETCH(QString, file);
        QFETCH(qint64, limit);
        QFETCH(QString, reason);
        QString error;
        try {
            readWholeFile(file, limit, QStringLiteral("„%1“: %2"));
        } catch (const acad::Error& e) {
            error = e.description();
        }
        QVERIFY2(error.startsWith(QStringLiteral("„%1“: ").arg(file)) && error.contains(reason),
                 qPrintable(error));
    }

    void onlyRegularDrawingsAreOpened()
    {
        QString error;
        try {
            m_store.load(QStringLiteral("/dev/zero"));
        } catch (const acad::Error& e) {
            error = e.description();
        }
        QCOMPARE(error, QStringLiteral(
                            "Die Zeichnung „/dev/zero“ kann nicht geöffnet werden: Das ist ein Gerät, keine "
                            "gewöhnliche Datei."));
    }

    void failedSaveNamesTheFile()
    {
        const QString file = path(QStringLiteral("fehlt/ordner/neu.dwg"));
        try {
            m_store.save(emptyDrawing(), file);
            QFAIL("saved into a missing folder");
        } catch (const acad::Error& e) {
            QVERIFY2(e.description().contains(file), qPrintable(e.description()));
            // The reason is German, not Qt's English one.
            QVERIFY2(e.description().endsWith(QStringLiteral("Die Datei oder der Ordner existiert nicht.")),
                     qPrintable(e.description()));
        }
        QVERIFY(!m_store.exists(file));
    }

    // The temporary file beside a name of 250 characters exceeds the file system's limit: the save fails
    // even for root, and the old file must stay as it was.
    void failedSaveLeavesTheOldFileEvenForRoot()
    {
        QVERIFY(QDir().mkpath(path(QStringLiteral("lang"))));
        const QString file =
            path(QStringLiteral("lang/") + QString(246, QLatin1Char('x')) + QStringLiteral(".dwg"));
        m_store.save(sampleDrawing(QStringLiteral("Model")), file);
        const QByteArray before = readAll(file);
        try {
            m_store.save(emptyDrawing(), file);
            QSKIP("This file system takes the temporary file's long name.");
        } catch (const acad::Error& e) {
            QVERIFY2(e.description().contains(file), qPrintable(e.description()));
        }
        QCOMPARE(readAll(file), before);
        QCOMPARE(QDir(path(QStringLiteral("lang"))).entryList(QDir::Files | QDir::Hidden).size(),
                 1); // no leftovers
    }

    void failedSaveLeavesTheOldFile()
    {
        const QString folder = path(QStringLiteral("schreibgeschuetzt"));
        QVERIFY(QDir().mkpath(folder));
        const QString file = folder + QStringLiteral("/alt.dwg");
        m_store.save(sampleDrawing(QStringLiteral("Model")), file);
        const QByteArray before = readAll(file);
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
        const auto restore = qScopeGuard(
            [&] { QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner); });
        bool failed = false;
        try {
            m_store.save(emptyDrawing(), file);
        } catch (const acad::Error& e) {
            failed = e.description().contains(file);
        }
        if (!failed)
            QSKIP("The folder is writable anyway (running as root).");
        QCOMPARE(readAll(file), before);
    }
};

QTEST_GUILESS_MAIN(TestDxfStore)
#include "tst_dxfstore.moc"
