#include "FakeHost.h"
#include "MsgBoxRecorder.h"

#include <QTest>
#include <records/CAFenster.h>
#include <records/CAcadobj.h>
#include <records/CXData.h>
#include <records/RecordCollection.h>

using Pairs = QList<QPair<int, QString>>;
Q_DECLARE_METATYPE(Pairs)

namespace {

const QString kReadError = QStringLiteral("Fehler beim Lesen der EED's!");

acad::XData kvarto(const QVariantList& rest)
{
    acad::XData data;
    data.codes.append(1001);
    data.values.append(QStringLiteral("Kvarto"));
    for (const QVariant& value : rest) {
        data.codes.append(1000);
        data.values.append(value);
    }
    return data;
}

Pairs pairsOf(const CXData& data)
{
    Pairs pairs;
    for (const CXWert& wert : data.werte())
        pairs.append({wert.typ, wert.Wert});
    return pairs;
}

} // namespace

class TestRecords final : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_host = std::make_shared<FakeHost>();
        m_boxes = std::make_unique<testsupport::MsgBoxRecorder>();
    }

    void cleanup()
    {
        QVERIFY2(m_boxes->scriptDone(), "an expected message box did not appear");
        m_boxes.reset();
    }

    // A layout record's drawing: a ";" in a folder, a drawing or a layout name stays where it belongs.
    void drawingOfLayout_data()
    {
        QTest::addColumn<QString>("gesamt");
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QString>("drawing");
        QTest::newRow("plain") << "/p/Plan.dwg;A1"
                               << "A1"
                               << "/p/Plan.dwg";
        QTest::newRow("a folder with ;") << "/p;q/Plan.dwg;A1"
                                         << "A1"
                                         << "/p;q/Plan.dwg";
        QTest::newRow("a layout with ;") << "/p/Plan.dwg;A;1"
                                         << "A;1"
                                         << "/p/Plan.dwg";
        QTest::newRow("a drawing record") << "/p/Plan.dwg"
                                          << ""
                                          << "/p/Plan.dwg";
    }
    void drawingOfLayout()
    {
        QFETCH(QString, gesamt);
        QFETCH(QString, layout);
        QFETCH(QString, drawing);
        CAcadobj record;
        record.Gesamt = gesamt;
        record.Layout = layout;
        QCOMPARE(drawingGesamtOf(record), drawing);
    }

    void readPairs_data()
    {
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<Pairs>("expected");
        QTest::addColumn<bool>("fails");
        QTest::newRow("no data") << QVariantList{} << Pairs{} << false;
        QTest::newRow("two pairs") << QVariantList{0, "1", 121, "Grundriss"}
                                   << Pairs{{0, "1"}, {121, "Grundriss"}} << false;
        QTest::newRow("trailing type dropped") << QVariantList{21, "0", 121} << Pairs{{21, "0"}} << false;
        QTest::newRow("repeated type keeps the first pairs")
            << QVariantList{0, "1", 121, "A", 0, "2"} << Pairs{{0, "1"}, {121, "A"}} << true;
        QTest::newRow("type not a number") << QVariantList{0, "1", "x", "2"} << Pairs{{0, "1"}} << true;
        QTest::newRow("type beyond 16 bits") << QVariantList{40000, "1"} << Pairs{} << true;
    }

    void readPairs()
    {
        QFETCH(QVariantList, values);
        QFETCH(Pairs, expected);
        QFETCH(bool, fails);
        if (!values.isEmpty())
            m_host->xdatas.insert(7, kvarto(values));
        if (fails)
            m_boxes->expect(platform::vbOK, kReadError);
        CXData data(m_host, 1);
        data.objId = 7;
        data.GetXDataWerte();
        QCOMPARE(pairsOf(data), expected);
        if (fails)
            QCOMPARE(m_boxes->boxes().first().icon(), int(platform::vbCritical));
    }

    void missingObjectFailsTheRead()
    {
        m_host->missingObjects.insert(9);
        m_boxes->expect(platform::vbOK, kReadError);
        CXData data(m_host, 1);
        data.objId = 9;
        data.GetXDataWerte();
        QCOMPARE(data.count(), 0);
    }

    void secondReadFailsOnItsFirstType()
    {
        m_host->xdatas.insert(7, kvarto({0, "1", 121, "A"}));
        CXData data(m_host, 1);
        data.objId = 7;
        data.GetXDataWerte();
        m_boxes->expect(platform::vbOK, kReadError);
        data.GetXDataWerte();
        QCOMPARE(data.count(), 2);
    }

    void valueByType_data()
    {
        QTest::addColumn<int>("typ");
        QTest::addColumn<QString>("expected");
        QTest::newRow("present") << 121 << "Grundriss";
        QTest::newRow("absent gives empty") << 21 << "";
    }

    void valueByType()
    {
        QFETCH(int, typ);
        QFETCH(QString, expected);
        m_host->xdatas.insert(7, kvarto({0, "1", 121, "Grundriss"}));
        CXData data(m_host, 1);
        data.objId = 7;
        data.GetXDataWerte();
        data.DataTyp = qint16(typ);
        data.Wert = QStringLiteral("alt");
        data.GetXWertByTyp();
        QCOMPARE(data.Wert.toString(), expected);
    }

    void addValue_data()
    {
        QTest::addColumn<int>("typ");
        QTest::addColumn<QString>("wert");
        QTest::addColumn<Pairs>("expected");
        QTest::newRow("replace moves to the end") << 0 << "5" << Pairs{{121, "A"}, {0, "5"}};
        QTest::newRow("empty removes") << 0 << "" << Pairs{{121, "A"}};
        QTest::newRow("empty on a missing type changes nothing") << 21 << "" << Pairs{{0, "1"}, {121, "A"}};
        QTest::newRow("new appends") << 21 << "1" << Pairs{{0, "1"}, {121, "A"}, {21, "1"}};
    }

    void addValue()
    {
        QFETCH(int, typ);
        QFETCH(QString, wert);
        QFETCH(Pairs, expected);
        m_host->xdatas.insert(7, kvarto({0, "1", 121, "A"}));
        CXData data(m_host, 1);
        data.objId = 7;
        data.GetXDataWerte();
        data.DataTyp = qint16(typ);
        data.Wert = wert;
        data.AddXWert();
        QCOMPARE(pairsOf(data), expected);
    }

    void writeUsesHandleCodesBelowHundred()
    {
        CXData data(m_host, 1);
        data.objId = 8;
        data.DataTyp = 21;
        data.Wert = QStringLiteral("1");
        data.AddXWert();
        data.DataTyp = 121;
        data.Wert = QStringLiteral("Schnitt");
        data.AddXWert();
        data.SetXDataWerte();
        const acad::XData written = m_host->xdatas.value(8);
        QCOMPARE(written.codes, (QList<qint16>{1001, 1071, 1005, 1071, 1000}));
        QCOMPARE(written.values.first().toString(), QStringLiteral("Kvarto"));
        QCOMPARE(written.values.at(2).toString(), QStringLiteral("1"));
        QCOMPARE(written.values.at(4).toString(), QStringLiteral("Schnitt"));
    }

    void writeOfNothingLeavesTheObjectAlone()
    {
        CXData data(m_host, 1);
        data.objId = 8;
        data.SetXDataWerte();
        QCOMPARE(m_host->calls.value(QStringLiteral("setXData")), 0);
    }

    void writeFailureIsReported()
    {
        m_host->failing = QStringLiteral("setXData");
        m_boxes->expect(platform::vbOK, QStringLiteral("Fehler beim Schreiben der EED's!"));
        CXData data(m_host, 1);
        data.objId = 8;
        data.DataTyp = 0;
        data.Wert = QStringLiteral("1");
        data.AddXWert();
        data.SetXDataWerte();
    }

    void viewportValues_data()
    {
        QTest::addColumn<QVariantList>("values");
        QTest::addColumn<int>("kvarto");
        QTest::addColumn<QString>("bezeichnung");
        QTest::addColumn<int>("uebersicht");
        QTest::newRow("no product data") << QVariantList{} << 0 << "" << 0;
        QTest::newRow("all three") << QVariantList{0, "1", 121, "Ansicht A", 21, "1"} << 1 << "Ansicht A"
                                   << 1;
        QTest::newRow("type 21 missing clears the name")
            << QVariantList{0, "1", 121, "Ansicht A"} << 1 << "" << 0;
        QTest::newRow("flag not a number stops at once")
            << QVariantList{0, "ja", 121, "Ansicht A"} << 0 << "" << 0;
    }

    void viewportValues()
    {
        QFETCH(QVariantList, values);
        QFETCH(int, kvarto);
        QFETCH(QString, bezeichnung);
        QFETCH(int, uebersicht);
        if (!values.isEmpty())
            m_host->xdatas.insert(7, ::kvarto(values));
        CAFenster fenster;
        fenster.ObjektId = 7;
        fenster.Bezeichnung = QStringLiteral("vorher");
        fenster.GetAfenwerte(m_host, 1);
        QCOMPARE(int(fenster.Kvarto), kvarto);
        QCOMPARE(fenster.Bezeichnung, bezeichnung);
        QCOMPARE(int(fenster.Uebersicht), uebersicht);
        QCOMPARE(m_boxes->count(), 0);
    }

    void viewportName()
    {
        m_host->xdatas.insert(7, kvarto({121, "Lageplan"}));
        CAFenster fenster;
        fenster.ObjektId = 7;
        fenster.GetBezeichnung(m_host, 1);
        QCOMPARE(fenster.Bezeichnung, QStringLiteral("Lageplan"));
    }

    void identityIgnoresCase()
    {
        RecordCollection<CAcadobj> records;
        CAcadobj a;
        a.Gesamt = QStringLiteral("/plans/A.dwg");
        a.Nummer = 1;
        CAcadobj b;
        b.Gesamt = QStringLiteral("/other/A.dwg");
        b.Nummer = 2;
        QVERIFY(records.add(QStringLiteral("1"), a));
        QVERIFY(records.add(QStringLiteral("2"), b));
        QVERIFY(!records.add(QStringLiteral("1"), b));
        QCOMPARE(records.matches(QStringLiteral("/PLANS/a.DWG")).size(), 1);
        QCOMPARE(records.matches(QStringLiteral("/plans/B.dwg")).size(), 0);
        records.setGesamt(QStringLiteral("1"), QStringLiteral("/plans/C.dwg"));
        QCOMPARE(records.matches(QStringLiteral("/plans/a.dwg")).size(), 0);
        QCOMPARE(records.matches(QStringLiteral("/plans/c.dwg")).first()->Nummer, 1);
    }

    void sweepKeepsOrderAndIndex()
    {
        RecordCollection<CAcadobj> records;
        for (int i = 1; i <= 5; ++i) {
            CAcadobj record;
            record.Nummer = i;
            record.Gesamt = QStringLiteral("/d/%1.dwg").arg(i);
            record.Vorhanden = qint16(i % 2);
            records.add(QString::number(i), record);
        }
        QCOMPARE(records.removeIf([](const CAcadobj& r) { return r.Vorhanden == 0; }), 2);
        QList<qint32> left;
        for (const CAcadobj& record : records)
            left.append(record.Nummer);
        QCOMPARE(left, (QList<qint32>{1, 3, 5}));
        QCOMPARE(records.item(QStringLiteral("5"))->Nummer, 5);
        QVERIFY(!records.item(QStringLiteral("4")));
        QCOMPARE(records.matches(QStringLiteral("/D/3.DWG")).first()->Nummer, 3);
    }

private:
    std::shared_ptr<FakeHost> m_host;
    std::unique_ptr<testsupport::MsgBoxRecorder> m_boxes;
};

QTEST_GUILESS_MAIN(TestRecords)
#include "tst_records.moc"
