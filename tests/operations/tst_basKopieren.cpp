// The check of typed names, the search for free numbered layout names, the checks of a count and
// the command strings of a copy.
#include "MsgBoxRecorder.h"
#include "ThrowingHost.h"

#include <QtTest>
#include <acad/Error.h>
#include <operations/basKopieren.h>

using namespace basKopieren;

namespace {

const QString kBadChars = QStringLiteral("Eingabe enthält ungültige Zeichen!");
const QString kNoNumber = QStringLiteral("ist keine freie Layout-Nummer mehr vorhanden!");

LayoutNames namesOf(const QStringList& layouts)
{
    acad::DocumentSnapshot doc;
    doc.layouts.append({1, QStringLiteral("Model"), 0});
    for (const QString& name : layouts)
        doc.layouts.append({acad::ObjectId(doc.layouts.size() + 1), name, qint32(doc.layouts.size())});
    return LayoutNames(doc);
}

// Base0 .. Base2499 except the given numbers.
QStringList allNumbersBut(const QString& base, const QList<int>& free)
{
    QStringList names;
    for (int n = 1; n < 2500; ++n) {
        if (!free.contains(n))
            names.append(base + QString::number(n));
    }
    return names;
}

// Records every command sent; sending fails once failAfter commands went through.
class CommandHost final : public testsupport::ThrowingHost
{
public:
    QStringList sent;
    int failAfter = -1;

    void sendCommand(acad::DocId doc, const QString& text) override
    {
        if (failAfter >= 0 && sent.size() >= failAfter)
            throw acad::Error(QStringLiteral("Automatisierungsfehler"));
        sent.append(QString::number(doc) + QLatin1Char('|') + text);
    }
};

} // namespace

class TestBasKopieren : public QObject
{
    Q_OBJECT

private slots:
    void checkEingabe_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("refused");
        for (const char* c : {"<", ">", "/", "\\", "\"", ":", "?", "*", "|", "=", "'", "\u00B4"})
            QTest::newRow(qPrintable(QStringLiteral("forbidden ") + QString::fromUtf8(c)))
                << QStringLiteral("Plan") + QString::fromUtf8(c) + QStringLiteral("1") << true;
        QTest::newRow("empty passes") << "" << false;
        QTest::newRow("spaces, umlauts, dots, semicolon, comma, backtick")
            << "Grundriß Ölkeller; 1.OG, A`b" << false;
        QTest::newRow("grave and acute-like letters pass") << "Café É" << false;
        QTest::newRow("forbidden at the end") << "Kopie von Layout1?" << true;
    }
    void checkEingabe()
    {
        QFETCH(QString, text);
        QFETCH(bool, refused);
        testsupport::MsgBoxRecorder boxes;
        if (refused)
            boxes.expect(platform::vbOK, kBadChars);
        QCOMPARE(CheckEingabe(text), qint16(refused ? 1 : 0));
        QVERIFY2(!boxes.unexpected(), qPrintable(boxes.failures()));
        QVERIFY(boxes.scriptDone());
        if (refused)
            QCOMPARE(boxes.boxes().first().icon(), int(platform::vbExclamation));
    }

    void findFreeLayoutNumber_data()
    {
        QTest::addColumn<QStringList>("layouts");
        QTest::addColumn<QString>("base");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("result");
        QTest::addColumn<int>("counterAfter");
        QTest::addColumn<bool>("found");
        QTest::newRow("start 0: the bare name is free")
            << QStringList{"Layout1"} << "Kopie" << 0 << 0 << 1 << true;
        QTest::newRow("start 0: the bare name taken, 1 free")
            << QStringList{"Kopie von Layout1"} << "Kopie von Layout1" << 0 << 1 << 2 << true;
        QTest::newRow("case ignored: PLAN1 blocks Plan1")
            << QStringList{"PLAN1"} << "Plan" << 1 << 2 << 3 << true;
        QTest::newRow("Plan1 and Plan3 taken, from 3")
            << QStringList{"Plan1", "Plan3"} << "Plan" << 3 << 4 << 5 << true;
        QTest::newRow("the model layout counts") << QStringList{} << "Model" << 0 << 1 << 2 << true;
        QTest::newRow("2499 is the last one tried")
            << allNumbersBut("P", {2499}) << "P" << 1 << 2499 << 2500 << true;
        QTest::newRow("none free below 2500") << allNumbersBut("P", {}) << "P" << 1 << 0 << 2500 << false;
        QTest::newRow("at the limit nothing is tried") << QStringList{} << "P" << 2500 << 0 << 2500 << false;
        QTest::newRow("above the limit the search goes on")
            << QStringList{"P2600"} << "P" << 2600 << 2601 << 2602 << true;
        QTest::newRow("the end of the range") << QStringList{"P32767"} << "P" << 32767 << 0 << 32767 << false;
    }
    void findFreeLayoutNumber()
    {
        QFETCH(QStringList, layouts);
        QFETCH(QString, base);
        QFETCH(int, start);
        QFETCH(int, result);
        QFETCH(int, counterAfter);
        QFETCH(bool, found);
        qint16 counter = qint16(start);
        bool wasFound = !found;
        QCOMPARE(FindFreeLayoutNumber(namesOf(layouts), base, counter, &wasFound), qint16(result));
        QCOMPARE(counter, qint16(counterAfter));
        QCOMPARE(wasFound, found);
    }

    void countProblem_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("problem");
        QTest::addColumn<int>("count");
        const QString invalidInput = QStringLiteral("Eingabe ist ungültig!");
        const QString invalidCount = QStringLiteral("Ungültige Anzahl!");
        QTest::newRow("1") << "1"
                           << "" << 1;
        QTest::newRow("3 with spaces") << " 3 "
                                       << "" << 3;
        QTest::newRow("32767, the largest") << "32767"
                                            << "" << 32767;
        QTest::newRow("2,0 is whole") << "2,0"
                                      << "" << 2;
        QTest::newRow("0") << "0" << invalidCount << 0;
        QTest::newRow("-2") << "-2" << invalidCount << 0;
        QTest::newRow("1,5") << "1,5" << invalidCount << 0;
        QTest::newRow("1.5") << "1.5" << invalidCount << 0;
        QTest::newRow("32768 beyond the range") << "32768" << invalidCount << 0;
        QTest::newRow("1e9 beyond the range") << "1e9" << invalidCount << 0;
        QTest::newRow("abc") << "abc" << invalidInput << 0;
        QTest::newRow("3 Stück") << "3 Stück" << invalidInput << 0;
        QTest::newRow("1.000 is no grouping") << "1.000"
                                              << "" << 1;
    }
    void countProblem()
    {
        QFETCH(QString, text);
        QFETCH(QString, problem);
        QFETCH(int, count);
        QCOMPARE(CountProblem(text), problem);
        if (problem.isEmpty())
            QCOMPARE(CountOf(text), qint16(count));
    }

    void copyNames_data()
    {
        QTest::addColumn<QStringList>("layouts");
        QTest::addColumn<QString>("base");
        QTest::addColumn<int>("count");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QString>("baseAfter");
        QTest::newRow("one copy, name free: exactly that name")
            << QStringList{"Layout1"} << "Kopie von Layout1" << 1 << QStringList{"Kopie von Layout1"}
            << "Kopie von Layout1";
        QTest::newRow("one copy again: the first free number appended")
            << QStringList{"Layout1", "Kopie von Layout1"} << "Kopie von Layout1" << 1
            << QStringList{"Kopie von Layout11"} << "Kopie von Layout11";
        QTest::newRow("three copies, Plan1 and Plan3 taken")
            << QStringList{"Plan1", "Plan3"} << "Plan" << 3 << QStringList{"Plan2", "Plan4", "Plan5"}
            << "Plan";
        QTest::newRow("several copies never take the bare name")
            << QStringList{} << "Plan" << 2 << QStringList{"Plan1", "Plan2"} << "Plan";
        QTest::newRow("PLAN1 blocks Plan1")
            << QStringList{"PLAN1"} << "Plan" << 2 << QStringList{"Plan2", "Plan3"} << "Plan";
        QTest::newRow("spaces and umlauts")
            << QStringList{"Grundriß Öl 1"} << "Grundriß Öl " << 2
            << QStringList{"Grundriß Öl 2", "Grundriß Öl 3"} << "Grundriß Öl ";
        QTest::newRow("the last free number")
            << allNumbersBut("P", {2499}) + QStringList{"P"} << "P" << 1 << QStringList{"P2499"} << "P2499";
        QTest::newRow("numbers run out: nothing")
            << allNumbersBut("P", {2498, 2499}) << "P" << 3 << QStringList{} << "P";
        QTest::newRow("one copy, none free: nothing")
            << allNumbersBut("P", {}) + QStringList{"P"} << "P" << 1 << QStringList{} << "P";
    }
    void copyNames()
    {
        QFETCH(QStringList, layouts);
        QFETCH(QString, base);
        QFETCH(int, count);
        QFETCH(QStringList, names);
        QFETCH(QString, baseAfter);
        testsupport::MsgBoxRecorder boxes;
        if (names.isEmpty())
            boxes.expect(platform::vbOK, kNoNumber);
        QCOMPARE(CopyNames(namesOf(layouts), base, qint16(count)), names);
        QCOMPARE(base, baseAfter);
        QVERIFY2(!boxes.unexpected(), qPrintable(boxes.failures()));
        QVERIFY(boxes.scriptDone());
    }

    void copyLayout_data()
    {
        QTest::addColumn<QString>("source");
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<int>("failAfter");
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<int>("done");
        const QString cr(QChar(13));
        QTest::newRow("one copy") << "Layout1" << QStringList{"Kopie von Layout1"} << -1
                                  << QStringList{"7|_layout" + cr + "_copy" + cr + "Layout1" + cr +
                                                     "Kopie von Layout1" + cr,
                                                 "7|_layout" + cr + "_set" + cr + "Kopie von Layout1" + cr}
                                  << 1;
        QTest::newRow("two copies with spaces and umlauts, the first made current")
            << "Grundriß EG" << QStringList{"Ärger 2", "Ärger 4"} << -1
            << QStringList{"7|_layout" + cr + "_copy" + cr + "Grundriß EG" + cr + "Ärger 2" + cr,
                           "7|_layout" + cr + "_copy" + cr + "Grundriß EG" + cr + "Ärger 4" + cr,
                           "7|_layout" + cr + "_set" + cr + "Ärger 2" + cr}
            << 2;
        QTest::newRow("refused after the first: what was sent stays sent, and is counted")
            << "A" << QStringList{"B1", "B2"} << 1
            << QStringList{"7|_layout" + cr + "_copy" + cr + "A" + cr + "B1" + cr} << 1;
    }
    void copyLayout()
    {
        QFETCH(QString, source);
        QFETCH(QStringList, names);
        QFETCH(int, failAfter);
        QFETCH(QStringList, sent);
        QFETCH(int, done);
        testsupport::MsgBoxRecorder boxes;
        CommandHost host;
        host.failAfter = failAfter;
        const BatchResult result = CopyLayout(host, 7, source, names);
        QCOMPARE(result.done, done);
        QCOMPARE(result.failure.isEmpty(), failAfter < 0);
        QCOMPARE(host.sent, sent);
        QVERIFY2(!boxes.unexpected(), qPrintable(boxes.failures()));
    }
};

QTEST_MAIN(TestBasKopieren)
#include "tst_basKopieren.moc"
