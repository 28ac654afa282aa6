#include "ViewFixture.h"

#include <QTest>
#include <explorer/LayoutPreviews.h>

// The pictures of a drawing's layouts in the large-icon list: asked one at a time after the list is
// filled, kept until the drawing changes, and a failure keeps the layout's image without a message.
class TestLayoutPreviews final : public QObject
{
    Q_OBJECT

    std::unique_ptr<ViewFixture> m_f;
    acad::DocId m_doc = 0;
    QString m_drawing;

    FakeHost& host() { return *m_f->host; }
    int previewCalls() { return host().calls.value(QStringLiteral("layoutPreview")); }

    QStringList pictured() const
    {
        QStringList names;
        for (const QString& key : m_f->list.displayedKeys()) {
            if (m_f->list.hasPicture(key))
                names.append(m_f->list.text(key));
        }
        return names;
    }

    // A click on the drawing; returns once every picture asked for has come.
    void showLayouts()
    {
        m_f->click(m_drawing);
        QTRY_VERIFY(!m_f->views.previews().busy());
    }

private slots:
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }
    void init()
    {
        m_f = std::make_unique<ViewFixture>();
        host().previews = true;
        m_doc = host().addDrawing(QStringLiteral("/p"), QStringLiteral("Haus.dxf"), {"EG", "OG", "DG"});
        host().addDrawing(QStringLiteral("/p"), QStringLiteral("Hof.dxf"), {"Lage"});
        host().revisions.insert(m_doc, 1);
        m_f->views.FillTreeView();
        m_drawing = m_f->keyOf(QStringLiteral("Haus.dxf"));
        QVERIFY(!m_drawing.isEmpty());
        m_f->view.pressed = explorer::ListControl::LargeIcons;
    }
    void cleanup()
    {
        QVERIFY2(!m_f->boxes.unexpected(), qPrintable(m_f->boxes.failures()));
        m_f.reset();
    }

    // The list is filled before the first picture is asked for; they come one per turn of the loop.
    void comeAfterTheList()
    {
        m_f->click(m_drawing);
        QCOMPARE(m_f->list.count(), 3);
        QCOMPARE(previewCalls(), 0);
        QVERIFY(m_f->views.previews().busy());
        QTRY_COMPARE(pictured(), (QStringList{"EG", "OG", "DG"}));
        QCOMPARE(previewCalls(), 3);
        QCOMPARE(m_f->list.largeIconSize(), m_f->views.previews().size());
    }

    // A second listing costs the revision alone; a change of the drawing asks again.
    void keptUntilTheDrawingChanges_data()
    {
        QTest::addColumn<bool>("changed");
        QTest::addColumn<int>("callsAfter");
        QTest::newRow("unchanged") << false << 3;
        QTest::newRow("changed") << true << 6;
    }
    void keptUntilTheDrawingChanges()
    {
        QFETCH(bool, changed);
        QFETCH(int, callsAfter);
        showLayouts();
        QCOMPARE(previewCalls(), 3);
        m_f->click(m_f->keyOf(QStringLiteral("Hof.dxf")));
        QTRY_VERIFY(!m_f->views.previews().busy());
        if (changed)
            host().revisions[m_doc] = 2;
        const int revisions = host().calls.value(QStringLiteral("documentRevision"));
        showLayouts();
        QCOMPARE(previewCalls(), callsAfter + 1); // "Hof.dxf" had one
        QCOMPARE(host().calls.value(QStringLiteral("documentRevision")), revisions + 1);
        QCOMPARE(pictured(), (QStringList{"EG", "OG", "DG"}));
    }

    // A failing picture: the layout keeps its image, no message; asked again only after a change.
    void failureKeepsTheImage_data()
    {
        QTest::addColumn<QString>("failing");
        QTest::addColumn<QStringList>("first");
        QTest::addColumn<QStringList>("second"); // after a second listing of the unchanged drawing
        QTest::newRow("first layout") << "EG" << QStringList() << QStringList{"OG", "DG"};
        QTest::newRow("last layout") << "DG" << QStringList{"EG", "OG"} << QStringList{"EG", "OG"};
    }
    void failureKeepsTheImage()
    {
        QFETCH(QString, failing);
        QFETCH(QStringList, first);
        QFETCH(QStringList, second);
        for (const FakeHost::Layout& layout : host().find(m_doc)->layouts) {
            if (layout.name == failing)
                host().failingPreviews.insert(layout.id);
        }
        showLayouts();
        QCOMPARE(pictured(), first);
        const QString key = m_f->keyOf(failing, m_drawing);
        QCOMPARE(m_f->list.largeIcon(key), 4);
        QCOMPARE(m_f->boxes.count(), 0);
        const int calls = previewCalls();
        showLayouts();
        QCOMPARE(pictured(), second);
        QCOMPARE(m_f->list.hasPicture(key), false);
        QCOMPARE(previewCalls() - calls, second.size() - first.size());
    }

    // No pictures where they are not shown, nor from a host that cannot draw them.
    void notAsked_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<bool>("hostDraws");
        QTest::newRow("small icons") << int(explorer::ListControl::SmallIcons) << true;
        QTest::newRow("details") << int(explorer::ListControl::Details) << true;
        QTest::newRow("host without pictures") << int(explorer::ListControl::LargeIcons) << false;
    }
    void notAsked()
    {
        QFETCH(int, view);
        QFETCH(bool, hostDraws);
        m_f->view.pressed = view;
        host().previews = hostDraws;
        showLayouts();
        QTest::qWait(20);
        QCOMPARE(previewCalls(), 0);
        QCOMPARE(pictured(), QStringList());
        QCOMPARE(m_f->boxes.count(), 0);
    }

    // A switch from small to large icons brings the pictures of the listed layouts.
    void switchToLargeIcons()
    {
        m_f->view.pressed = explorer::ListControl::SmallIcons;
        showLayouts();
        QCOMPARE(previewCalls(), 0);
        m_f->list.setView(explorer::ListControl::LargeIcons);
        m_f->views.ShowPreviews();
        QTRY_COMPARE(pictured(), (QStringList{"EG", "OG", "DG"}));
    }
};

QTEST_MAIN(TestLayoutPreviews)
#include "tst_LayoutPreviews.moc"
