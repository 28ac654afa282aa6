#include <QStringList>
#include <QTest>
#include <algorithm>
#include <platform/NaturalOrder.h>

// The shared order of names: one row per rule, each as the sign of one comparison.
class TestNaturalOrder final : public QObject
{
    Q_OBJECT

private slots:
    void pairs_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<int>("sign");
        const auto row = [](const char* name, const char* a, const char* b, int sign) {
            QTest::newRow(name) << QString::fromUtf8(a) << QString::fromUtf8(b) << sign;
        };
        row("number by value", "Blatt 2", "Blatt 10", -1);
        row("number without space", "Blatt9", "Blatt12", -1);
        row("number in the middle", "A2-Schnitt", "A10-Ansicht", -1);
        row("several numbers", "Blatt 1.9", "Blatt 1.10", -1);
        row("leading zeros are the same number", "Blatt 02", "Blatt 2", 0);
        row("leading zeros do not outweigh value", "Blatt 010", "Blatt 9", 1);
        row("case ignored", "blatt", "BLATT", 0);
        row("case ignored before number", "blatt 3", "Blatt 20", -1);
        row("umlaut with its base letter", "Übersicht", "Ubung", -1);
        row("umlaut before the next letter", "Übersicht", "Vorlage", -1);
        row("umlaut after the previous letter", "Tür", "Übersicht", -1);
        row("lower-case umlaut", "über", "Unten", -1);
        row("sharp s as ss", "Straße", "Strasze", -1);
        row("sharp s after st", "Straße", "Strasbourg", 1);
        row("empty first", "", "A", -1);
        row("both empty", "", "", 0);
        row("prefix first", "Blatt", "Blatt 1", -1);
        row("digits before letters", "1 Deckblatt", "A Deckblatt", -1);
    }

    void pairs()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(int, sign);
        const auto signOf = [](int value) { return (value > 0) - (value < 0); };
        QCOMPARE(signOf(platform::naturalCompare(a, b)), sign);
        QCOMPARE(signOf(platform::naturalCompare(b, a)), -sign);
        QCOMPARE(platform::naturalLess(a, b), sign < 0);
    }

    // A stable sort keeps names that compare equal in the order they came in.
    void stableTies()
    {
        QStringList names{QStringLiteral("Blatt 10"), QStringLiteral("blatt 2"),   QStringLiteral("Blatt 02"),
                          QStringLiteral("BLATT 2"),  QStringLiteral("Übersicht"), QStringLiteral("Ubahn"),
                          QStringLiteral("Blatt 1")};
        std::stable_sort(names.begin(), names.end(), platform::naturalLess);
        const QStringList expected{QStringLiteral("Blatt 1"),  QStringLiteral("blatt 2"),
                                   QStringLiteral("Blatt 02"), QStringLiteral("BLATT 2"),
                                   QStringLiteral("Blatt 10"), QStringLiteral("Ubahn"),
                                   QStringLiteral("Übersicht")};
        QCOMPARE(names, expected);
    }
};

QTEST_GUILESS_MAIN(TestNaturalOrder)
#include "tst_naturalorder.moc"
