// What the renderer reads of texts: MTEXT without its formatting codes, TEXT's control codes, and
// where a text's lines sit for its justification.
#include <QtTest>
#include <cadhost/render/EntityShapes.h>

using cadhost::DxfGroup;
using namespace cadhost::render;

class tst_entityshapes : public QObject
{
    Q_OBJECT

private slots:
    void mtextFormattingStripped_data();
    void mtextFormattingStripped();
    void textControlCodes_data();
    void textControlCodes();
    void justification_data();
    void justification();
};

void tst_entityshapes::mtextFormattingStripped_data()
{
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("paragraphs") << QStringLiteral("Erste\\PZweite") << QStringList{"Erste", "Zweite"};
    QTest::newRow("font and height") << QStringLiteral("{\\fArial|b1|i0;Fett} und \\H2.5;groß")
                                     << QStringList{"Fett und groß"};
    QTest::newRow("colour, width, tracking")
        << QStringLiteral("\\C1;rot \\W0.8;eng \\T1.2;weit") << QStringList{"rot eng weit"};
    QTest::newRow("underline and overline")
        << QStringLiteral("\\Lunter\\l \\Oüber\\o") << QStringList{"unter über"};
    QTest::newRow("stacked fraction") << QStringLiteral("1\\S1^2;\"") << QStringList{"11/2\""};
    QTest::newRow("escaped braces and backslash") << QStringLiteral("\\{a\\}\\\\b") << QStringList{"{a}\\b"};
    QTest::newRow("non-breaking space")
        << QStringLiteral("10\\~m") << QStringList{QStringLiteral("10\u00a0m")};
    QTest::newRow("paragraph indent") << QStringLiteral("\\pxi-3,l3;Punkt") << QStringList{"Punkt"};
}

void tst_entityshapes::mtextFormattingStripped()
{
    QFETCH(QString, raw);
    QFETCH(QStringList, lines);
    QCOMPARE(plainMText(raw), lines);
}

void tst_entityshapes::textControlCodes_data()
{
    QTest::addColumn<QString>("raw");
    QTest::addColumn<QString>("shown");
    QTest::newRow("diameter") << QStringLiteral("%%c50") << QStringLiteral("\u230050");
    QTest::newRow("degree and plus-minus")
        << QStringLiteral("90%%D %%p1") << QStringLiteral("90\u00b0 \u00b11");
    QTest::newRow("underline goes") << QStringLiteral("%%uTitel%%u") << QStringLiteral("Titel");
    QTest::newRow("percent") << QStringLiteral("100%%%") << QStringLiteral("100%");
    QTest::newRow("single percent stays") << QStringLiteral("5% mehr") << QStringLiteral("5% mehr");
}

void tst_entityshapes::textControlCodes()
{
    QFETCH(QString, raw);
    QFETCH(QString, shown);
    QCOMPARE(plainText(raw), shown);
}

void tst_entityshapes::justification_data()
{
    QTest::addColumn<QString>("type");
    QTest::addColumn<QList<DxfGroup>>("groups");
    QTest::addColumn<QPointF>("anchor");
    QTest::addColumn<int>("horizontal");
    QTest::addColumn<int>("vertical");
    const auto g = [](qint32 code, const char* value) { return DxfGroup{code, QString::fromLatin1(value)}; };
    QTest::newRow("text left on its baseline")
        << QStringLiteral("TEXT")
        << QList<DxfGroup>{g(10, "1"), g(20, "2"), g(11, "9"), g(21, "9"), g(1, "A")} << QPointF(1, 2) << 0
        << 0;
    QTest::newRow("text centred at its second point")
        << QStringLiteral("TEXT")
        << QList<DxfGroup>{g(10, "1"), g(20, "2"), g(11, "5"), g(21, "6"), g(72, "1"), g(73, "3"), g(1, "A")}
        << QPointF(5, 6) << 1 << 3;
    QTest::newRow("text middle") << QStringLiteral("TEXT")
                                 << QList<DxfGroup>{g(10, "1"), g(20, "2"), g(11, "5"), g(21, "6"),
                                                    g(72, "4")}
                                 << QPointF(5, 6) << 1 << 2;
    QTest::newRow("attribute takes 74")
        << QStringLiteral("ATTRIB")
        << QList<DxfGroup>{g(10, "1"), g(20, "2"), g(11, "5"), g(21, "6"), g(72, "2"), g(74, "1"), g(73, "3")}
        << QPointF(5, 6) << 2 << 1;
    QTest::newRow("mtext bottom right")
        << QStringLiteral("MTEXT") << QList<DxfGroup>{g(10, "3"), g(20, "4"), g(71, "9"), g(1, "A")}
        << QPointF(3, 4) << 2 << 1;
    QTest::newRow("mtext top left") << QStringLiteral("MTEXT")
                                    << QList<DxfGroup>{g(10, "3"), g(20, "4"), g(71, "1")} << QPointF(3, 4)
                                    << 0 << 3;
}

void tst_entityshapes::justification()
{
    QFETCH(QString, type);
    QFETCH(QList<DxfGroup>, groups);
    QFETCH(QPointF, anchor);
    QFETCH(int, horizontal);
    QFETCH(int, vertical);
    const std::optional<TextShape> t = textOf(type, groups);
    QVERIFY(t.has_value());
    QCOMPARE(t->anchor, anchor);
    QCOMPARE(t->horizontal, horizontal);
    QCOMPARE(t->vertical, vertical);
}

QTEST_GUILESS_MAIN(tst_entityshapes)
#include "tst_entityshapes.moc"
