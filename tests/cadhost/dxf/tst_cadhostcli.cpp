#include "DxfTestUtil.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cadhost/app/Options.h>
#include <cadhost/app/ScriptRunner.h>
#include <cadhost/dxf/DxfStore.h>

using namespace cadhost;
using namespace dxftest;

// The cadhost program's own options, run as a user runs them.
class TestCadhostCli final : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    struct Result
    {
        int exitCode = -1;
        QByteArray out, err;
    };

    static Result cadhost(const QStringList& arguments)
    {
        QProcess p;
        p.start(qEnvironmentVariable("BW_BIN_DIR") + QStringLiteral("/cadhost"), arguments);
        if (!p.waitForFinished(60000)) {
            p.kill();
            p.waitForFinished();
            qWarning("cadhost hung: %s", p.readAllStandardOutput().constData());
            return {};
        }
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
                p.readAllStandardError()};
    }

    static QJsonObject layoutNamed(const QJsonArray& layouts, const QString& name)
    {
        for (const QJsonValue& v : layouts) {
            if (v.toObject().value(QLatin1String("name")).toString() == name)
                return v.toObject();
        }
        return {};
    }

private Q_SLOTS:
    void dumpShowsWhatTheHostReads()
    {
        const Result r = cadhost({QStringLiteral("--dump"), samplePath(QStringLiteral("A1 Lageplan.dwt"))});
        QCOMPARE(r.exitCode, 0);
        const QJsonObject dump = QJsonDocument::fromJson(r.out).object();
        const QJsonArray layouts = dump.value(QLatin1String("layouts")).toArray();
        QStringList names;
        for (const QJsonValue& v : layouts)
            names.append(v.toObject().value(QLatin1String("name")).toString());
        QCOMPARE(names, (QStringList{QStringLiteral("Model"), QStringLiteral("Lageplan"),
                                     QStringLiteral("Lageplan Ausschnitt"), QStringLiteral("Schnitte")}));
        const QJsonObject plan = layoutNamed(layouts, QStringLiteral("Lageplan"));
        QVERIFY(plan.value(QLatin1String("objectId")).toInt() > 0);
        const QJsonObject plot = plan.value(QLatin1String("plot")).toObject();
        QCOMPARE(plot.value(QLatin1String("configName")).toString(), QStringLiteral("DWG To PDF.pc3"));
        QCOMPARE(plot.value(QLatin1String("canonicalMediaName")).toString(),
                 QStringLiteral("ISO_full_bleed_A1_(841.00_x_594.00_MM)"));
        QCOMPARE(plot.value(QLatin1String("plotRotation")).toInt(), 1);
        QCOMPARE(plot.value(QLatin1String("styleSheet")).toString(), QStringLiteral("monochrome.ctb"));
        const QJsonArray entities = plan.value(QLatin1String("entities")).toArray();
        QCOMPARE(entities.size(), 6);
        const QJsonObject lageplan = entities.at(1).toObject();
        QCOMPARE(lageplan.value(QLatin1String("type")).toInt(), 35);
        QCOMPARE(lageplan.value(QLatin1String("customScale")).toDouble(), 2.0); // 1:500
        const QJsonObject xdata = lageplan.value(QLatin1String("xdata")).toArray().at(0).toObject();
        QCOMPARE(xdata.value(QLatin1String("application")).toString(), QStringLiteral("Kvarto"));
        QCOMPARE(xdata.value(QLatin1String("codes")).toArray(),
                 (QJsonArray{1071, 1005, 1071, 1005, 1071, 1000}));
        QCOMPARE(xdata.value(QLatin1String("values")).toArray().last().toString(),
                 QStringLiteral("Lageplan"));
        const QJsonObject title = entities.at(3).toObject();
        QCOMPARE(title.value(QLatin1String("type")).toInt(), 7);
        QCOMPARE(title.value(QLatin1String("name")).toString(), QStringLiteral("KV_SF_A1"));
        QCOMPARE(dump.value(QLatin1String("unmodelledEntities")).toInt(), 0);
    }

    void dumpOfABadFileNamesFileAndLine()
    {
        const QString file = m_dir.filePath(QStringLiteral("kein Plan.dwg"));
        writeAll(file, "Hallo\n");
        const Result r = cadhost({QStringLiteral("--dump"), file});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(QString::fromUtf8(r.err).contains(file + QStringLiteral("“ ist fehlerhaft (Zeile 1)")),
                 r.err.constData());
    }

    void scriptCopiesALayoutAndSavesUnderANewName()
    {
        const QString source = m_dir.filePath(QStringLiteral("A3 quer.dwt"));
        QVERIFY(QFile::copy(samplePath(QStringLiteral("A3 quer.dwt")), source));
        const QString target = m_dir.filePath(QStringLiteral("Neue Zeichnung.dwg"));
        const QString script = m_dir.filePath(QStringLiteral("kopie.scr"));
        writeAll(script, QStringList{QStringLiteral("_open"), source, QStringLiteral("_layout"),
                                     QStringLiteral("_copy"), QStringLiteral("A3 quer Details"),
                                     QStringLiteral("Kopie von A3 quer Details"), QStringLiteral("_saveas"),
                                     target, QStringLiteral("_quit")}
                                 .join(QLatin1Char('\n'))
                                 .toUtf8() +
                             '\n');
        const Result r = cadhost({QStringLiteral("--headless"), QStringLiteral("-b"), script});
        QVERIFY2(r.exitCode == 0, r.out.constData());
        DxfStore store;
        const Drawing d = store.load(target);
        QCOMPARE(d.layouts.size(), 4);
        const Layout& copy = d.layouts.last();
        QCOMPARE(copy.name, QStringLiteral("Kopie von A3 quer Details"));
        const Layout& original = d.layouts.at(2);
        QCOMPARE(copy.plot, original.plot);
        QCOMPARE(copy.entities.size(), original.entities.size());
        for (qsizetype i = 0; i < copy.entities.size(); ++i) {
            QCOMPARE(copy.entities.at(i).xdata, original.entities.at(i).xdata);
            QVERIFY(copy.entities.at(i).handle != original.entities.at(i).handle);
        }
        QCOMPARE(readAll(source), readAll(samplePath(QStringLiteral("A3 quer.dwt")))); // untouched
        QString why;
        if (ezdxfAvailable(&why)) {
            const QJsonObject peer =
                QJsonDocument::fromJson(runPeer({QStringLiteral("audit"), target})).object();
            QCOMPARE(peer.value(QLatin1String("errors")).toInt(), 0);
            QCOMPARE(peer.value(QLatin1String("layouts")).toArray().size(), 4);
        }
    }

    // A script sets variables as at the CAD program's prompt: the name, then the value.
    void scriptSetsAVariable()
    {
        const QString source = m_dir.filePath(QStringLiteral("Variablen.dwg"));
        QVERIFY(QFile::copy(samplePath(QStringLiteral("A3 quer.dwt")), source));
        const QString script = m_dir.filePath(QStringLiteral("variablen.scr"));
        writeAll(script,
                 QStringList{QStringLiteral("FILEDIA"), QStringLiteral("0"), QStringLiteral("_open"), source,
                             QStringLiteral("filedia"), QStringLiteral("7"), QStringLiteral("FILEDIA"),
                             QString(), QStringLiteral("DWGNAME"), QStringLiteral("_quit")}
                         .join(QLatin1Char('\n'))
                         .toUtf8() +
                     '\n');
        const Result r = cadhost({QStringLiteral("--headless"), QStringLiteral("-b"), script});
        QVERIFY2(r.exitCode == 0, r.out.constData());
        const QStringList out = QString::fromUtf8(r.out).split(QLatin1Char('\n'));
        const auto at = [&](const QString& line) { return out.indexOf(line); };
        const qsizetype first = at(QStringLiteral("Neuen Wert für FILEDIA eingeben <1>:"));
        QVERIFY2(first >= 0, r.out.constData());
        QCOMPARE(out.value(first + 1), QStringLiteral("0"));
        // The drawing opened afterwards took the value; the bad one left it so.
        QCOMPARE(out.count(QStringLiteral("Neuen Wert für FILEDIA eingeben <0>:")), 2);
        QVERIFY(at(QStringLiteral("Ungültiger Wert für FILEDIA: 7 (erlaubt sind 0 und 1).")) > first);
        QVERIFY(at(QStringLiteral("DWGNAME = \"Variablen.dwg\" (schreibgeschützt)")) > first);
        QVERIFY2(!r.out.contains("Unbekannter Befehl"), r.out.constData());
    }

    void missingScriptIsReported()
    {
        const QString script = m_dir.filePath(QStringLiteral("fehlt.scr"));
        const Result r = cadhost({QStringLiteral("--headless"), QStringLiteral("-b"), script});
        QCOMPARE(r.exitCode, 1);
        QVERIFY2(QString::fromUtf8(r.err).contains(script), r.err.constData());
    }

    void optionsAreParsed_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("dump");
        QTest::addColumn<QString>("script");
        QTest::addColumn<bool>("headless");
        QTest::addColumn<bool>("refused");
        QTest::newRow("dump") << QStringList{"--dump", "a b.dwg"} << "a b.dwg"
                              << "" << false << false;
        QTest::newRow("script headless") << QStringList{"-b", "s.scr", "--headless"} << ""
                                         << "s.scr" << true << false;
        QTest::newRow("script without file") << QStringList{"-b"} << ""
                                             << "" << false << true;
        QTest::newRow("unknown option") << QStringList{"--fenster"} << ""
                                        << "" << false << true;
        QTest::newRow("stray argument") << QStringList{"plan.dwg"} << ""
                                        << "" << false << true;
    }

    void optionsAreParsed()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, dump);
        QFETCH(QString, script);
        QFETCH(bool, headless);
        QFETCH(bool, refused);
        const Options o = parseOptions(QStringList{QStringLiteral("cadhost")} + arguments);
        QCOMPARE(!o.error.isEmpty(), refused);
        QCOMPARE(o.dumpFile, dump);
        QCOMPARE(o.script, script);
        QCOMPARE(o.headless, headless);
    }

    void scriptLinesAreAnswers_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("LF") << QByteArray("_open\na b.dwg\n") << QStringList{"_open", "a b.dwg"};
        QTest::newRow("CR LF, no end") << QByteArray("_open\r\nx.dwg") << QStringList{"_open", "x.dwg"};
        QTest::newRow("empty answer kept")
            << QByteArray("_layout\n\n_quit\n") << QStringList{"_layout", "", "_quit"};
        QTest::newRow("umlauts") << QByteArray("Ansicht S\xc3\xbc"
                                               "d\n")
                                 << QStringList{QStringLiteral("Ansicht Süd")};
    }

    void scriptLinesAreAnswers()
    {
        QFETCH(QByteArray, text);
        QFETCH(QStringList, lines);
        QCOMPARE(ScriptRunner::splitLines(text), lines);
    }
};

QTEST_GUILESS_MAIN(TestCadhostCli)
#include "tst_cadhostcli.moc"
