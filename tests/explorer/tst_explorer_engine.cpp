// The tree and list against the in-process CAD host: what the user sees of its drawings.
#include "MsgBoxRecorder.h"
#include "ViewFixture.h"

#include <QDir>
#include <QRegularExpression>
#include <QTest>
#include <cadhost/dxf/DxfStore.h>
#include <cadhost/engine/Engine.h>
#include <cadhost/engine/MemoryStore.h>
#include <explorer/ViewSettings.h>
#include <explorer/basViewControls.h>

namespace {

cadhost::Drawing drawingWith(const QStringList& layouts, const QString& active)
{
    cadhost::Drawing drawing;
    cadhost::Layout model;
    model.name = QStringLiteral("Model");
    drawing.layouts.append(model);
    for (int i = 0; i < layouts.size(); ++i) {
        cadhost::Layout layout;
        layout.name = layouts[i];
        layout.tabOrder = i + 1;
        layout.plot.configName = QStringLiteral("DWG To PDF.pc3");
        layout.plot.canonicalMediaName = QStringLiteral("ISO_full_bleed_A3_(420.00_x_297.00_MM)");
        layout.plot.plotRotation = 2;
        drawing.layouts.append(layout);
    }
    drawing.activeLayout = active;
    return drawing;
}

} // namespace

class TestExplorerEngine final : public QObject
{
    Q_OBJECT

private:
    QStringList texts(const QStringList& keys) const
    {
        QStringList shown;
        for (const QString& key : keys)
            shown.append(m_f->tree.contains(key) ? m_f->tree.text(key) : m_f->list.text(key));
        return shown;
    }

private slots:
    void init()
    {
        m_f = std::make_unique<ViewFixture>();
        m_store = std::make_shared<cadhost::MemoryStore>();
        m_store->put("/p/Plan.dwg", drawingWith({"Blatt 1", "Blatt 2"}, "Blatt 2"));
        m_store->put("/q/Plan.dwg", drawingWith({"Schnitt"}, "Model"));
        m_engine = std::make_shared<cadhost::Engine>(m_store);
        m_first = m_engine->openDocument("/p/Plan.dwg");
        m_second = m_engine->openDocument("/q/Plan.dwg");
        m_engine->activateDocument(m_first);
        m_f->connection.AcadApp = m_engine;
    }

    void cleanup()
    {
        QVERIFY2(m_f->boxes.scriptDone(), "an expected message box did not appear");
        m_f.reset();
        m_engine.reset();
    }

    void drawingsOfTheHost()
    {
        auto& boxes = m_f->boxes;
        m_f->views.FillTreeView();
        const QStringList drawings = m_f->tree.childKeys("A");
        QCOMPARE(drawings.size(), 2);
        // Same name in two folders: two nodes, both bold while one of them is active.
        for (const QString& key : drawings) {
            QCOMPARE(m_f->tree.text(key), QStringLiteral("Plan.dwg"));
            QVERIFY(m_f->tree.bold(key));
        }
        QCOMPARE(m_f->tree.childCount(drawings[0]), 2);
        // Judged by name, the second drawing counts as active too and takes the first selection.
        QCOMPARE(m_f->tree.selectedKey(), drawings[1]);
        QVERIFY(m_f->tree.bold(m_f->keyOf("Blatt 2")));
        QVERIFY(!m_f->tree.bold(m_f->keyOf("Schnitt")));
        QVERIFY(boxes.count() == 0);
    }

    void layoutListReadsThePlotSettings()
    {
        m_f->views.FillTreeView();
        m_f->click(m_f->tree.childKeys("A").first());
        const QString key = m_f->keyOf("Blatt 1");
        QCOMPARE(m_f->list.count(), 2);
        QCOMPARE(m_f->list.subItem(key, 1), QStringLiteral("DWG To PDF.pc3"));
        QCOMPARE(m_f->list.subItem(key, 2), QStringLiteral("ISO full bleed A3 (420.00 x 297.00 MM)"));
        QCOMPARE(m_f->list.subItem(key, 3), QStringLiteral("Hochformat (auf dem Kopf)"));
        QCOMPARE(m_f->list.subItem(key, 4), QStringLiteral("Kein"));
        QVERIFY(m_f->list.bold(m_f->keyOf("Blatt 2")));
    }

    void renameAndCloseInTheHost()
    {
        m_f->views.FillTreeView();
        const QString drawing = m_f->tree.childKeys("A").first();
        const QString blatt1 = m_f->keyOf("Blatt 1");
        const acad::ObjectId id = m_f->views.Layouts.item(blatt1.mid(1))->AObjId;
        m_engine->setLayoutName(m_first, id, "Ansicht");
        m_f->views.FillTreeView();
        QVERIFY(!m_f->tree.contains(blatt1));
        // The renamed layout keeps its tab, and the tree its place.
        QCOMPARE(m_f->tree.text(m_f->tree.childKeys(drawing).first()), QStringLiteral("Ansicht"));
        m_engine->closeDocument(m_second, false);
        m_f->views.FillTreeView();
        QCOMPARE(m_f->tree.childKeys("A"), QStringList{drawing});
    }

    // A drawing's layouts in the host's tab order in tree and list, the tab numbers in "Register",
    // a sort by name in natural order, and "Registerreihenfolge" back to the tabs.
    void tabOrder_data()
    {
        QTest::addColumn<QStringList>("tabs");
        QTest::addColumn<QStringList>("natural");
        QTest::newRow("numbers") << QStringList{"Blatt3", "Blatt11", "Blatt1", "Blatt12", "Blatt2", "Blatt10"}
                                 << QStringList{"Blatt1",  "Blatt2",  "Blatt3",
                                                "Blatt10", "Blatt11", "Blatt12"};
        QTest::newRow("umlauts and case")
            << QStringList{"Zubehör", "übersicht", "Ansicht", "Ubahn", "anlage"}
            << QStringList{"anlage", "Ansicht", "Ubahn", "übersicht", "Zubehör"};
    }
    void tabOrder()
    {
        QFETCH(QStringList, tabs);
        QFETCH(QStringList, natural);
        m_store->put("/r/Reihe.dwg", drawingWith(tabs, "Model"));
        m_engine->openDocument("/r/Reihe.dwg");
        m_f->views.FillTreeView();
        const QString drawing = m_f->keyOf(QStringLiteral("Reihe.dwg"), QStringLiteral("A"));
        QCOMPARE(texts(m_f->tree.childKeys(drawing)), tabs);
        m_f->click(drawing);
        QCOMPARE(texts(m_f->list.displayedKeys()), tabs);
        for (int i = 0; i < tabs.size(); ++i)
            QCOMPARE(m_f->list.subItem(m_f->list.displayedKeys()[i], 5), QString::number(i + 1));
        m_f->list.setSortKey(0);
        m_f->list.setSorted(true);
        QCOMPARE(texts(m_f->list.displayedKeys()), natural);
        m_f->views.ShowTabOrder();
        QCOMPARE(texts(m_f->list.displayedKeys()), tabs);
        // A refresh keeps the tree in tab order too.
        m_f->views.FillTreeView();
        QCOMPARE(texts(m_f->tree.childKeys(drawing)), tabs);
    }

    // The sort chosen for a drawing's layouts comes back with the next drawing shown, and is stored.
    void chosenSortIsKept()
    {
        m_f->views.FillTreeView();
        const QString drawing = m_f->tree.childKeys("A").first();
        m_f->click(drawing);
        QVERIFY(!m_f->list.sorted());
        m_f->list.setSortKey(0);
        m_f->list.setSortOrder(1);
        m_f->list.setSorted(true);
        m_f->views.SaveListSort();
        QCOMPARE(texts(m_f->list.displayedKeys()), (QStringList{"Blatt 2", "Blatt 1"}));
        m_f->click("A");
        m_f->click(drawing);
        QCOMPARE(texts(m_f->list.displayedKeys()), (QStringList{"Blatt 2", "Blatt 1"}));
        using explorer::viewsettings::ListSort;
        const QString kind = explorer::letterOf(explorer::NodeKind::Drawing);
        QCOMPARE(explorer::viewsettings::listSort(kind).value_or(ListSort{}), (ListSort{0, 1}));
        m_f->views.ShowTabOrder();
        QCOMPARE(explorer::viewsettings::listSort(kind).value_or(ListSort{}), (ListSort{-1, 1}));
    }

    // Real values for every layout of the sample library, as the host reads the files.
    void everyLayoutOfTheSampleLibraryShowsItsDetails()
    {
        auto engine = std::make_shared<cadhost::Engine>(std::make_shared<cadhost::DxfStore>());
        const QDir library(qEnvironmentVariable("KVARTO_PROGRAM_DIR") +
                           QStringLiteral("/Bibliothek/Vorlagen"));
        const QStringList files = library.entryList({QStringLiteral("*.dwg"), QStringLiteral("*.dwt")});
        QVERIFY(files.size() >= 4);
        for (const QString& file : files)
            engine->openDocument(library.filePath(file));
        m_f->connection.AcadApp = engine;
        m_f->views.FillTreeView();
        const QRegularExpression size(QStringLiteral("^\\d+[.,]\\d\\d x \\d+[.,]\\d\\d mm$"));
        const QRegularExpression viewport(QStringLiteral("^.+ \\(1:\\d+([.,]\\d+)?\\)$"));
        int layouts = 0;
        for (const QString& key : m_f->tree.allKeys()) {
            if (explorer::kindOf(key) != explorer::NodeKind::Layout)
                continue;
            ++layouts;
            m_f->click(key);
            const QString what = m_f->tree.text(m_f->tree.parentKey(key)) + " / " + m_f->tree.text(key);
            QVERIFY2(m_f->list.count() >= 10, qPrintable(what));
            for (const char* row : {"IPlotter", "IPapierformat", "IAusrichtung", "IPlotstil", "IPlotbereich",
                                    "IStempel", "INordpfeil", "ILegende"})
                QVERIFY2(!m_f->list.subItem(row, 1).isEmpty(), qPrintable(what + " " + row));
            QVERIFY2(size.match(m_f->list.subItem("IPapiergroesse", 1)).hasMatch(), qPrintable(what));
            for (const QString& row : m_f->list.keys().mid(10))
                QVERIFY2(viewport.match(m_f->list.subItem(row, 1)).hasMatch(), qPrintable(what + " " + row));
        }
        QVERIFY(layouts >= 4);
        QCOMPARE(m_f->boxes.count(), 0);
    }

private:
    std::unique_ptr<ViewFixture> m_f;
    std::shared_ptr<cadhost::MemoryStore> m_store;
    std::shared_ptr<cadhost::Engine> m_engine;
    acad::DocId m_first = 0;
    acad::DocId m_second = 0;
};

QTEST_MAIN(TestExplorerEngine)
#include "tst_explorer_engine.moc"
