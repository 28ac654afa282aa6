#include <QTest>
#include <operations/basRegister.h>
#include <operations/basUmbenennen.h>

using basRegister::TabMove;
using Ids = QList<acad::ObjectId>;

Q_DECLARE_METATYPE(Ids)

namespace {

// What the host does with the calls: each puts one tab at its place, the others shift.
Ids applied(Ids tabs, const QList<TabMove>& moves)
{
    for (const TabMove& m : moves)
        tabs.move(tabs.indexOf(m.layout), m.position - 1);
    return tabs;
}

} // namespace

class TestRegister final : public QObject
{
    Q_OBJECT

private slots:
    void movedByOne_data()
    {
        QTest::addColumn<Ids>("order");
        QTest::addColumn<Ids>("chosen");
        QTest::addColumn<int>("step");
        QTest::addColumn<Ids>("expected");
        QTest::newRow("one to the front") << Ids{1, 2, 3, 4} << Ids{3} << -1 << Ids{1, 3, 2, 4};
        QTest::newRow("one to the back") << Ids{1, 2, 3, 4} << Ids{2} << 1 << Ids{1, 3, 2, 4};
        QTest::newRow("first stays at the front") << Ids{1, 2, 3} << Ids{1} << -1 << Ids{1, 2, 3};
        QTest::newRow("last stays at the back") << Ids{1, 2, 3} << Ids{3} << 1 << Ids{1, 2, 3};
        QTest::newRow("a block moves as one") << Ids{1, 2, 3, 4} << Ids{2, 3} << 1 << Ids{1, 4, 2, 3};
        QTest::newRow("a block to the front") << Ids{1, 2, 3, 4} << Ids{3, 4} << -1 << Ids{1, 3, 4, 2};
        QTest::newRow("a block at the front stays") << Ids{1, 2, 3} << Ids{1, 2} << -1 << Ids{1, 2, 3};
        QTest::newRow("apart, each one place") << Ids{1, 2, 3, 4, 5} << Ids{2, 4} << -1 << Ids{2, 1, 4, 3, 5};
        QTest::newRow("one stuck, the other moves") << Ids{1, 2, 3, 4} << Ids{1, 3} << -1 << Ids{1, 3, 2, 4};
    }
    void movedByOne()
    {
        QFETCH(Ids, order);
        QFETCH(Ids, chosen);
        QFETCH(int, step);
        QFETCH(Ids, expected);
        QCOMPARE(basRegister::MovedByOne(order, chosen, step), expected);
    }

    void movedBefore_data()
    {
        QTest::addColumn<Ids>("order");
        QTest::addColumn<Ids>("chosen");
        QTest::addColumn<acad::ObjectId>("before");
        QTest::addColumn<Ids>("expected");
        QTest::newRow("back to front") << Ids{1, 2, 3, 4} << Ids{4} << 1 << Ids{4, 1, 2, 3};
        QTest::newRow("front to the middle") << Ids{1, 2, 3, 4} << Ids{1} << 3 << Ids{2, 1, 3, 4};
        QTest::newRow("to the end") << Ids{1, 2, 3} << Ids{1} << 0 << Ids{2, 3, 1};
        QTest::newRow("several keep their tab order")
            << Ids{1, 2, 3, 4, 5} << Ids{5, 2} << 4 << Ids{1, 3, 2, 5, 4};
        QTest::newRow("onto one of the moved") << Ids{1, 2, 3} << Ids{1, 2} << 2 << Ids{1, 2, 3};
        QTest::newRow("before an unknown layout") << Ids{1, 2, 3} << Ids{1} << 9 << Ids{1, 2, 3};
    }
    void movedBefore()
    {
        QFETCH(Ids, order);
        QFETCH(Ids, chosen);
        QFETCH(acad::ObjectId, before);
        QFETCH(Ids, expected);
        QCOMPARE(basRegister::MovedBefore(order, chosen, before), expected);
    }

    // The calls reach the wanted order, one call at most per layout, none where nothing moves.
    void tabMoves_data()
    {
        QTest::addColumn<Ids>("current");
        QTest::addColumn<Ids>("wanted");
        QTest::addColumn<int>("calls");
        QTest::newRow("nothing to do") << Ids{1, 2, 3} << Ids{1, 2, 3} << 0;
        QTest::newRow("one swap") << Ids{1, 2, 3} << Ids{2, 1, 3} << 1;
        QTest::newRow("last to front") << Ids{1, 2, 3, 4} << Ids{4, 1, 2, 3} << 1;
        QTest::newRow("first to back") << Ids{1, 2, 3, 4} << Ids{2, 3, 4, 1} << 3;
        QTest::newRow("reversed") << Ids{1, 2, 3, 4, 5} << Ids{5, 4, 3, 2, 1} << 4;
        Ids hundred, shuffled;
        for (int i = 1; i <= 100; ++i) {
            hundred.append(i);
            shuffled.append((i * 37) % 101);
        }
        QTest::newRow("a hundred shuffled") << hundred << shuffled << -1;
    }
    void tabMoves()
    {
        QFETCH(Ids, current);
        QFETCH(Ids, wanted);
        QFETCH(int, calls);
        const QList<TabMove> moves = basRegister::TabMoves(current, wanted);
        QCOMPARE(applied(current, moves), wanted);
        QVERIFY(moves.size() <= current.size());
        if (calls >= 0)
            QCOMPARE(moves.size(), calls);
    }

    void sortedByName()
    {
        const QList<acad::LayoutRef> layouts = {{1, "Model", 0, false},   {2, "Blatt 10", 1, false},
                                                {3, "blatt 2", 2, false}, {4, "Übersicht", 3, false},
                                                {5, "Ansicht", 4, false}, {6, "Umbau", 5, false}};
        QCOMPARE(basRegister::SortedByName(layouts), (Ids{5, 3, 2, 4, 6}));
    }

    // The names a renumbering gives three layouts, of a drawing that also has "A-002" and "Plan 2".
    void numberedNames_data()
    {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("step");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<bool>("complete");
        QTest::newRow("padded") << "A-{nr:03}" << 1 << 1 << QStringList{"A-001", "A-002", "A-003"} << true;
        QTest::newRow("padding without the zero") << "A-{nr:3}" << 9 << 1 << QStringList{"A-009", "A-010", "A-011"}
                                                  << true;
        QTest::newRow("step and suffix") << "{nr} OG" << 10 << 10 << QStringList{"10 OG", "20 OG", "30 OG"} << true;
        QTest::newRow("number as it is") << "Blatt {nr}" << 99 << 1 << QStringList{"Blatt 99", "Blatt 100", "Blatt 101"}
                                         << true;
        QTest::newRow("base skips a taken number") << "Plan " << 1 << 1 << QStringList{"Plan 1", "Plan 3", "Plan 4"}
                                                   << true;
        QTest::newRow("base with a step") << "Plan " << 1 << 2 << QStringList{"Plan 1", "Plan 3", "Plan 5"} << true;
        QTest::newRow("past the last number") << "A{nr}" << 32766 << 1 << QStringList{"A32766", "A32767"} << false;
        QTest::newRow("unknown placeholder is text") << "A{nr:x}" << 1 << 1
                                                     << QStringList{"A{nr:x}1", "A{nr:x}2", "A{nr:x}3"} << true;
    }
    void numberedNames()
    {
        QFETCH(QString, pattern);
        QFETCH(int, start);
        QFETCH(int, step);
        QFETCH(QStringList, expected);
        QFETCH(bool, complete);
        basKopieren::LayoutNames names;
        for (const char* name : {"Model", "A-002", "Plan 2", "Blatt1", "Blatt2", "Blatt3"})
            names.add(QString::fromUtf8(name));
        const QList<basUmbenennen::NumberedName> layouts = {
            {"L1", "Blatt1", {}}, {"L2", "Blatt2", {}}, {"L3", "Blatt3", {}}};
        bool found = true;
        QStringList given;
        for (const basUmbenennen::NumberedName& n :
             basUmbenennen::NumberedNames(names, layouts, pattern, qint16(start), &found, qint16(step)))
            given.append(n.name);
        QCOMPARE(given, expected);
        QCOMPARE(found, complete);
    }
};

QTEST_GUILESS_MAIN(TestRegister)
#include "tst_Register.moc"
