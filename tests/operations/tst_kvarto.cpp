#include "FakeHost.h"
#include "MsgBoxRecorder.h"

#include <QLocale>
#include <QTest>
#include <operations/basKvartoObjekte.h>

using basKvarto::LayoutBlock;

namespace {

const QString kReadError = QStringLiteral("Fehler beim Lesen der EED's!");
const QString kNone = QStringLiteral("Nicht vorhanden");

// "Kvarto" data from (type, value) texts; a lone type at the end stands for a type without value.
acad::XData kvarto(const QStringList& pairs)
{
    acad::XData data;
    if (pairs.isEmpty())
        return data;
    data.codes.append(1001);
    data.values.append(QStringLiteral("Kvarto"));
    for (qsizetype i = 0; i < pairs.size(); ++i) {
        data.codes.append(i % 2 == 0 ? 1071 : 1000);
        data.values.append(pairs[i]);
    }
    return data;
}

acad::EntityWithXData viewport(acad::ObjectId id, double scale, const QStringList& data = {})
{
    return {{id, acad::PViewport, QString(), scale}, kvarto(data)};
}

acad::EntityWithXData blockRef(acad::ObjectId id, const QString& name, const QStringList& data)
{
    return {{id, acad::BlockReference, name, 0}, kvarto(data)};
}

} // namespace

class TestKvarto final : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void init() { m_boxes = std::make_unique<testsupport::MsgBoxRecorder>(); }
    void cleanup()
    {
        QVERIFY2(m_boxes->scriptDone(), "an expected message box did not appear");
        m_boxes.reset();
    }

    void viewportText_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("scale");
        QTest::addColumn<QString>("expected");
        QTest::newRow("1:100 without a name") << "" << 10.0 << "Unbenannt (1:100)";
        QTest::newRow("1:250") << "Grundriss" << 4.0 << "Grundriss (1:250)";
        QTest::newRow("1:50000") << "Lageplan" << 0.02 << "Lageplan (1:50000)";
        QTest::newRow("decimals with the user's separator") << "Detail" << 3.0 << "Detail (1:333,33)";
        QTest::newRow("no scale gives no denominator") << "Schnitt" << 0.0 << "Schnitt (1:)";
    }

    void viewportText()
    {
        QFETCH(QString, name);
        QFETCH(double, scale);
        QFETCH(QString, expected);
        QCOMPARE(basKvarto::ViewportText(name, scale), expected);
    }

    void viewports_data()
    {
        QTest::addColumn<LayoutBlock>("block");
        QTest::addColumn<QStringList>("texts");
        QTest::addColumn<QList<int>>("ids");
        const QStringList named{"0", "1", "21", "0", "121", "Grundriss"};
        QTest::newRow("only the layout's own viewport")
            << LayoutBlock{viewport(1, 1)} << QStringList{} << QList<int>{};
        QTest::newRow("the first viewport met is passed over, wherever it stands")
            << LayoutBlock{blockRef(5, "KV", {}), viewport(2, 10, named), viewport(3, 4, named)}
            << QStringList{"Grundriss (1:250)"} << QList<int>{3};
        QTest::newRow("two viewports in block order")
            << LayoutBlock{viewport(1, 1), viewport(7, 4, named), viewport(6, 10)}
            << QStringList{"Grundriss (1:250)", "Unbenannt (1:100)"} << QList<int>{7, 6};
        // The overview flag is missing: the load stops there and clears the name.
        QTest::newRow("no overview flag ends the load")
            << LayoutBlock{viewport(1, 1), viewport(2, 10, {"0", "1", "121", "Grundriss"})}
            << QStringList{"Unbenannt (1:100)"} << QList<int>{2};
        QTest::newRow("a flag that is no number ends the load")
            << LayoutBlock{viewport(1, 1), viewport(2, 10, {"0", "x", "21", "0", "121", "Grundriss"})}
            << QStringList{"Unbenannt (1:100)"} << QList<int>{2};
    }

    void viewports()
    {
        QFETCH(LayoutBlock, block);
        QFETCH(QStringList, texts);
        QFETCH(QList<int>, ids);
        QList<CAFenster> fenster;
        basKvarto::GetViewports(block, fenster);
        QStringList shown;
        QList<int> shownIds;
        for (const CAFenster& f : fenster) {
            shown.append(f.Bezeichnung);
            shownIds.append(f.ObjektId);
        }
        QCOMPARE(shown, texts);
        QCOMPARE(shownIds, ids);
    }

    void viewportFlagsAreRead()
    {
        QList<CAFenster> fenster;
        basKvarto::GetViewports({viewport(1, 1), viewport(2, 4, {"0", "3", "21", "1", "121", "Ansicht"})},
                                fenster);
        QCOMPARE(fenster.size(), 1);
        QCOMPARE(fenster[0].Kvarto, qint16(3));
        QCOMPARE(fenster[0].Uebersicht, qint16(1));
    }

    void blockTyp_data()
    {
        QTest::addColumn<QStringList>("data");
        QTest::addColumn<int>("typ");
        QTest::addColumn<int>("number");
        QTest::addColumn<bool>("message");
        QTest::newRow("title block") << QStringList{"0", "8", "81", "12"} << 8 << 12 << false;
        QTest::newRow("north arrow") << QStringList{"0", "9", "91", "3"} << 9 << 3 << false;
        QTest::newRow("legend") << QStringList{"0", "14", "71", "21"} << 14 << 21 << false;
        QTest::newRow("the number of another kind is not read")
            << QStringList{"0", "8", "91", "3"} << 8 << 0 << false;
        QTest::newRow("other kind") << QStringList{"0", "15", "81", "3"} << 15 << 0 << false;
        QTest::newRow("no data") << QStringList{} << 0 << 0 << false;
        QTest::newRow("type without value") << QStringList{"0"} << 0 << 0 << false;
        QTest::newRow("number without value") << QStringList{"0", "8", "81"} << 8 << 0 << false;
        QTest::newRow("kind is no number") << QStringList{"0", "Stempel", "81", "3"} << 0 << 0 << false;
        QTest::newRow("number is no number") << QStringList{"0", "8", "81", "zwölf"} << 8 << 0 << false;
        QTest::newRow("number beyond 32 bits")
            << QStringList{"0", "8", "81", "9999999999"} << 8 << 0 << false;
        // The pairs before the repeated type stay: the kind and its number were read.
        QTest::newRow("repeated type after the pairs")
            << QStringList{"0", "8", "81", "4", "81", "5"} << 8 << 4 << true;
        QTest::newRow("repeated kind") << QStringList{"0", "8", "0", "9", "81", "4"} << 8 << 0 << true;
    }

    void blockTyp()
    {
        QFETCH(QStringList, data);
        QFETCH(int, typ);
        QFETCH(int, number);
        QFETCH(bool, message);
        if (message)
            m_boxes->expect(platform::vbOK, kReadError);
        qint16 t = -1;
        QCOMPARE(basKvarto::GetBlockTyp(kvarto(data), t), number);
        QCOMPARE(int(t), typ);
    }

    void productBlocks_data()
    {
        QTest::addColumn<LayoutBlock>("block");
        QTest::addColumn<QList<int>>("numbers");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("none") << LayoutBlock{viewport(1, 1)} << QList<int>{0, 0, 0}
                              << QStringList{kNone, kNone, kNone};
        QTest::newRow("one of each kind") << LayoutBlock{blockRef(2, "SF_A3", {"0", "8", "81", "1"}),
                                                         blockRef(3, "NP", {"0", "9", "91", "11"}),
                                                         blockRef(4, "LEG", {"0", "14", "71", "21"})}
                                          << QList<int>{1, 11, 21} << QStringList{"SF_A3", "NP", "LEG"};
        QTest::newRow("the last one met wins") << LayoutBlock{blockRef(2, "SF_A3", {"0", "8", "81", "1"}),
                                                              blockRef(3, "SF_A1", {"0", "8", "81", "2"})}
                                               << QList<int>{2, 0, 0} << QStringList{"SF_A1", kNone, kNone};
        QTest::newRow("a title block numbered 0 is not taken")
            << LayoutBlock{blockRef(2, "SF_A3", {"0", "8", "81", "1"}),
                           blockRef(3, "SF_X", {"0", "8", "81", "0"})}
            << QList<int>{1, 0, 0} << QStringList{"SF_A3", kNone, kNone};
        QTest::newRow("viewports and foreign blocks are passed over")
            << LayoutBlock{viewport(1, 1, {"0", "8", "81", "3"}), blockRef(2, "FREMD", {}),
                           blockRef(3, "X", {"0", "15", "81", "3"})}
            << QList<int>{0, 0, 0} << QStringList{kNone, kNone, kNone};
        QTest::newRow("a number beyond 16 bits keeps the name only")
            << LayoutBlock{blockRef(2, "SF_GROSS", {"0", "8", "81", "70000"})} << QList<int>{0, 0, 0}
            << QStringList{"SF_GROSS", kNone, kNone};
    }

    void productBlocks()
    {
        QFETCH(LayoutBlock, block);
        QFETCH(QList<int>, numbers);
        QFETCH(QStringList, names);
        std::array<qint16, 3> n{7, 7, 7};
        std::array<QString, 3> s{"alt", "alt", "alt"};
        basKvarto::GetProductBlocks(block, n, s);
        QCOMPARE((QList<int>{n[0], n[1], n[2]}), numbers);
        QCOMPARE((QStringList{s[0], s[1], s[2]}), names);
    }

    // One call for the whole block; a host that fails gives an empty layout, without a message.
    void readerAsksOnceAndSwallowsFailures_data()
    {
        QTest::addColumn<QString>("failing");
        QTest::addColumn<int>("viewports");
        QTest::addColumn<QString>("titleBlock");
        QTest::newRow("answers") << "" << 1 << "SF_A3";
        QTest::newRow("fails") << "blockEntitiesWithXData" << 0 << kNone;
    }

    void readerAsksOnceAndSwallowsFailures()
    {
        QFETCH(QString, failing);
        QFETCH(int, viewports);
        QFETCH(QString, titleBlock);
        FakeHost host;
        const acad::DocId doc = host.addDrawing("/plans", "a.dwg", {"Blatt 1"});
        const acad::ObjectId layout = host.find(doc)->layouts[1].id;
        host.entities[layout] = {
            {1, acad::PViewport, {}, 1}, {2, acad::PViewport, {}, 4}, {3, acad::BlockReference, "SF_A3", 0}};
        host.xdatas[3] = kvarto({"0", "8", "81", "1"});
        host.failing = failing;
        const explorer::LayoutContents contents = basKvarto::LayoutReader().read(host, doc, layout);
        QCOMPARE(contents.viewports.size(), viewports);
        QCOMPARE(contents.blockNames[0], titleBlock);
        QCOMPARE(contents.blockNames[2], kNone);
        QCOMPARE(host.calls.value("blockEntitiesWithXData"), 1);
    }

private:
    std::unique_ptr<testsupport::MsgBoxRecorder> m_boxes;
};

QTEST_GUILESS_MAIN(TestKvarto)
#include "tst_kvarto.moc"
