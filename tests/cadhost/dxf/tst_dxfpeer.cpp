#include "DxfTestUtil.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>
#include <QTest>
#include <cadhost/dxf/DxfStore.h>
#include <cadhost/dxf/DxfWriter.h>
#include <cadhost/engine/Document.h>

using namespace cadhost;
using namespace dxftest;

// The host's files in ezdxf, and ezdxf's files in the host: both sides must read the same values.
class TestDxfPeer final : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    DxfStore m_store;

    static QJsonObject audit(const QString& file)
    {
        return QJsonDocument::fromJson(runPeer({QStringLiteral("audit"), file})).object();
    }

    static QJsonArray kvarto(const Entity& e)
    {
        QJsonArray pairs;
        for (const XDataApp& app : e.xdata) {
            if (app.application != QLatin1String("Kvarto"))
                continue;
            for (const XDataItem& item : app.items)
                pairs.append(QJsonArray{item.code, item.value});
        }
        return pairs;
    }

    // The values both sides model, of the host's reading and of ezdxf's, side by side.
    static void compare(const Drawing& d, const QJsonObject& peer)
    {
        const QJsonArray layouts = peer.value(QLatin1String("layouts")).toArray();
        QCOMPARE(layouts.size(), d.layouts.size());
        for (qsizetype i = 0; i < d.layouts.size(); ++i) {
            const Layout& l = d.layouts.at(i);
            const QJsonObject o = layouts.at(i).toObject();
            QCOMPARE(o.value(QLatin1String("name")).toString(), l.name);
            if (l.isModel())
                continue;
            QCOMPARE(o.value(QLatin1String("plotter")).toString(), l.plot.configName);
            QCOMPARE(o.value(QLatin1String("media")).toString(), l.plot.canonicalMediaName);
            QCOMPARE(o.value(QLatin1String("width")).toDouble(), l.plot.paperWidth);
            QCOMPARE(o.value(QLatin1String("height")).toDouble(), l.plot.paperHeight);
            QCOMPARE(o.value(QLatin1String("rotation")).toInt(), l.plot.plotRotation);
            QCOMPARE(o.value(QLatin1String("plotType")).toInt(), l.plot.plotType);
            QCOMPARE(o.value(QLatin1String("style")).toString(), l.plot.styleSheet);
            compareEntities(l.entities, o.value(QLatin1String("entities")).toArray());
        }
    }

    static void compareEntities(const QList<Entity>& entities, const QJsonArray& peer)
    {
        QCOMPARE(peer.size(), entities.size());
        for (qsizetype i = 0; i < entities.size(); ++i) {
            const Entity& e = entities.at(i);
            const QJsonObject o = peer.at(i).toObject();
            QCOMPARE(o.value(QLatin1String("type")).toString(), e.dxfType);
            if (e.entityType == acad::PViewport) {
                QCOMPARE(o.value(QLatin1String("id")).toInt(), e.viewport.viewportId);
                QCOMPARE(o.value(QLatin1String("customScale")).toDouble(),
                         e.viewport.height / e.viewport.viewHeight);
            }
            if (e.entityType == acad::BlockReference)
                QCOMPARE(o.value(QLatin1String("name")).toString(), e.block.blockName);
            QCOMPARE(o.value(QLatin1String("kvarto")).toArray(), kvarto(e));
        }
    }

    static void verifyClean(const QJsonObject& peer)
    {
        QVERIFY2(!peer.isEmpty(), "ezdxf could not read the file");
        QVERIFY2(peer.value(QLatin1String("errors")).toInt() == 0,
                 QJsonDocument(peer.value(QLatin1String("errorTexts")).toArray()).toJson().constData());
        QCOMPARE(peer.value(QLatin1String("fixes")).toInt(), 0);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QString why;
        if (!ezdxfAvailable(&why))
            QSKIP(qPrintable(why));
    }

    void hostFilesReadCleanlyInEzdxf_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("copyLayout");
        for (const char* name :
             {"A3 quer.dwt", "A1 Lageplan.dwt", "A4 hoch.dwt", "Bestand EG.dwg", "Detailblatt.dwg"})
            QTest::newRow(name) << samplePath(QString::fromUtf8(name)) << false;
        QTest::newRow("layout copied") << samplePath(QStringLiteral("A1 Lageplan.dwt")) << true;
        QTest::newRow("other program's file") << dataPath(QStringLiteral("fremd.dxf")) << true;
    }

    void hostFilesReadCleanlyInEzdxf()
    {
        QFETCH(QString, file);
        QFETCH(bool, copyLayout);
        Drawing d = m_store.load(file);
        if (copyLayout) {
            Layout copy = d.layouts.at(1);
            copy.name = QStringLiteral("Kopie (2)");
            copy.tabOrder = qint32(d.layouts.size());
            d.layouts.append(copy);
        }
        const QString saved = m_dir.filePath(QStringLiteral("host.dwg"));
        m_store.save(d, saved);
        const QJsonObject peer = audit(saved);
        verifyClean(peer);
        compare(d, peer);
    }

    // A drawing that the engine starts without a template or file: nothing but the model.
    void newDrawingOfTheEngineReadsCleanly()
    {
        Drawing d = makeDefaultDrawing();
        d.layouts[1].entities.append(viewport(4, QStringLiteral("Lage")));
        d.layouts[2].entities.append(blockRef(QStringLiteral("KV_NORD_1"), 9, 10));
        const QString saved = m_dir.filePath(QStringLiteral("neu.dwg"));
        m_store.save(d, saved);
        const QJsonObject peer = audit(saved);
        verifyClean(peer);
        compare(m_store.load(saved), peer);
        compare(d, peer);
    }

    // A layout of ezdxf's file taken into one of the host's: its title block comes along, drawn.
    void layoutFromEzdxfFileKeepsItsBlock()
    {
        const QString file = m_dir.filePath(QStringLiteral("vorlage.dxf"));
        runPeer({QStringLiteral("write"), file});
        const Drawing from = m_store.load(file);
        Drawing d = m_store.load(samplePath(QStringLiteral("A4 hoch.dwt")));
        Layout taken = from.layouts.last();
        taken.tabOrder = qint32(d.layouts.size());
        d.layouts.append(taken);
        const QString saved = m_dir.filePath(QStringLiteral("mit Vorlage.dwg"));
        m_store.save(d, saved);
        const QJsonObject peer = audit(saved);
        verifyClean(peer);
        compare(d, peer);
        QCOMPARE(peer.value(QLatin1String("blocks")).toObject().value(QLatin1String("KV_Stempel_A3")).toInt(),
                 1);
    }

    // Windows-1252 bytes under a version that says UTF-8: ezdxf gives up on them, the host reads the
    // names as Windows-1252 and keeps writing them so.
    void windows1252UnderUtf8VersionReadsInTheHost()
    {
        const QString file = m_dir.filePath(QStringLiteral("ezdxf-1252.dxf"));
        runPeer({QStringLiteral("write"), file, QStringLiteral("R2013"), QStringLiteral("cp1252")});
        const Drawing d = m_store.load(file);
        QCOMPARE(d.layouts.last().name, QStringLiteral("Süd Ansicht"));
        const QString back = m_dir.filePath(QStringLiteral("zurueck-1252.dxf"));
        m_store.save(d, back);
        QVERIFY(readAll(back).contains("\nS\xfc"
                                       "d Ansicht\n"));
        QCOMPARE(m_store.load(back).layouts.last().name, QStringLiteral("Süd Ansicht"));
    }

    void ezdxfFilesReadInTheHost_data()
    {
        QTest::addColumn<QString>("version");
        QTest::addColumn<QString>("form"); // how the bytes are changed, as other programs write them
        QTest::addColumn<QString>("name"); // of the last layout
        const QString sued = QStringLiteral("Süd Ansicht");
        QTest::newRow("R2000") << QStringLiteral("R2000") << QStringLiteral("plain") << sued;
        QTest::newRow("R2013, UTF-8") << QStringLiteral("R2013") << QStringLiteral("plain") << sued;
        QTest::newRow("R2000, 999 comment first")
            << QStringLiteral("R2000") << QStringLiteral("comment") << sued;
        QTest::newRow("R2000, CR line ends") << QStringLiteral("R2000") << QStringLiteral("cr") << sued;
        QTest::newRow("R2013, CR line ends") << QStringLiteral("R2013") << QStringLiteral("cr") << sued;
        QTest::newRow("R2000, code page ANSI_1251")
            << QStringLiteral("R2000") << QStringLiteral("cp1251") << QStringLiteral("Лист Nord");
    }

    void ezdxfFilesReadInTheHost()
    {
        QFETCH(QString, version);
        QFETCH(QString, form);
        QFETCH(QString, name);
        const QString file = m_dir.filePath(QStringLiteral("ezdxf.dxf"));
        runPeer({QStringLiteral("write"), file, version, form});
        const Drawing d = m_store.load(file);
        const QJsonObject peer = audit(file);
        compare(d, peer);
        QCOMPARE(d.modelSpace.size(), 2);
        QCOMPARE(d.layouts.last().name, name);
        // and back: the host's save of ezdxf's file is clean in ezdxf too
        const QString back = m_dir.filePath(QStringLiteral("zurueck.dxf"));
        m_store.save(d, back);
        const QJsonObject again = audit(back);
        verifyClean(again);
        compare(m_store.load(back), again);
    }
};

QTEST_GUILESS_MAIN(TestDxfPeer)
#include "tst_dxfpeer.moc"
