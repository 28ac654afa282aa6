#include <QApplication>
#include <QHeaderView>
#include <QHelpEvent>
#include <QLineEdit>
#include <QListView>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <QTreeView>
#include <QTreeWidget>
#include <explorer/controls/ControlError.h>
#include <explorer/controls/ImageLists.h>
#include <explorer/controls/ListControl.h>
#include <explorer/controls/TreeControl.h>
#include <explorer/controls/Twips.h>
#include <limits>

using explorer::ControlError;
using explorer::ListControl;
using explorer::TreeControl;

class TestControls final : public QObject
{
    Q_OBJECT

private slots:
    // The rows of the details (17 to 21) have pictures of their own, on any desktop theme.
    void detailRowImagesAreThere()
    {
        const QList<QIcon> small = explorer::smallImages();
        QCOMPARE(small.size(), 21);
        for (int i = 17; i <= 21; ++i)
            QVERIFY2(!small[i - 1].pixmap(16).isNull(), qPrintable(QString::number(i)));
    }

    void init()
    {
        m_widget = new QTreeWidget;
        m_tree = new TreeControl(m_widget);
        m_tree->addNode({}, QStringLiteral("A"), QStringLiteral("Geladene Zeichnungen"), 2);
        m_tree->addNode(QStringLiteral("A"), QStringLiteral("Z1"), QStringLiteral("a.dwg"), 12, 13);
        m_tree->addNode(QStringLiteral("Z1"), QStringLiteral("L2"), QStringLiteral("Blatt 1"), 8, 9);
        m_tree->addNode(QStringLiteral("Z1"), QStringLiteral("L3"), QStringLiteral("Blatt 2"), 8, 9);
    }

    void cleanup()
    {
        delete m_tree;
        delete m_widget;
    }

    void refusedNodeOperations_data()
    {
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("key");
        QTest::newRow("key used twice") << "A"
                                        << "Z1";
        QTest::newRow("parent missing") << "Z9"
                                        << "L9";
    }

    void refusedNodeOperations()
    {
        QFETCH(QString, parent);
        QFETCH(QString, key);
        QVERIFY_THROWS_EXCEPTION(ControlError, m_tree->addNode(parent, key, QStringLiteral("x"), 1));
        QVERIFY_THROWS_EXCEPTION(ControlError, m_tree->removeNode(QStringLiteral("Q7")));
        QCOMPARE(m_tree->nodeCount(), 4);
    }

    void removingADrawingTakesItsLayouts()
    {
        m_tree->setDropHighlight(QStringLiteral("L3"));
        m_tree->removeNode(QStringLiteral("Z1"));
        QCOMPARE(m_tree->allKeys(), QStringList{QStringLiteral("A")});
        QVERIFY(!m_tree->contains(QStringLiteral("L2")));
        QCOMPARE(m_tree->dropHighlight(), QString());
        // The keys are free again.
        m_tree->addNode(QStringLiteral("A"), QStringLiteral("L2"), QStringLiteral("x"), 8);
    }

    void childrenInOrder()
    {
        QCOMPARE(m_tree->childKeys(QStringLiteral("Z1")), (QStringList{"L2", "L3"}));
        QCOMPARE(m_tree->childCount(QStringLiteral("Z1")), 2);
        QCOMPARE(m_tree->parentKey(QStringLiteral("L3")), QStringLiteral("Z1"));
        QCOMPARE(m_tree->parentKey(QStringLiteral("A")), QString());
    }

    void selectedImageFollowsTheSelection()
    {
        QCOMPARE(m_tree->image(QStringLiteral("Z1")), 12);
        QCOMPARE(m_tree->selectedImage(QStringLiteral("Z1")), 13);
        m_tree->setImageList({QIcon(), QIcon()});
        m_tree->select(QStringLiteral("Z1"));
        QCOMPARE(m_tree->selectedKey(), QStringLiteral("Z1"));
    }

    void onlyTheUserClicks()
    {
        QSignalSpy clicks(m_tree, &TreeControl::nodeClick);
        m_tree->select(QStringLiteral("L2"));
        m_tree->removeNode(QStringLiteral("L2"));
        QCOMPARE(clicks.count(), 0);
        // What a click or a key press does.
        auto* item = m_widget->topLevelItem(0);
        m_widget->setCurrentItem(item);
        QCOMPARE(clicks.count(), 1);
        QCOMPARE(clicks.first().first().toString(), QStringLiteral("A"));
    }

    void boldAndExpanded()
    {
        m_tree->setBold(QStringLiteral("Z1"), true);
        m_tree->setExpanded(QStringLiteral("Z1"), true);
        QVERIFY(m_tree->bold(QStringLiteral("Z1")));
        QVERIFY(m_tree->expanded(QStringLiteral("Z1")));
        QVERIFY(!m_tree->bold(QStringLiteral("L2")));
        m_tree->setTextColour(QStringLiteral("A"), TreeControl::TextColour::AppWorkspace);
        QCOMPARE(m_tree->textColour(QStringLiteral("A")), TreeControl::TextColour::AppWorkspace);
    }

    void labelEdit_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("reported");
        QTest::addColumn<QString>("text");
        QTest::newRow("accepted") << false << int(Qt::Key_Return) << "Neu"
                                  << "Neu";
        QTest::newRow("refused by the handler") << true << int(Qt::Key_Return) << "Neu"
                                                << "Blatt 1";
        QTest::newRow("escape") << false << int(Qt::Key_Escape) << ""
                                << "Blatt 1";
    }

    void labelEdit()
    {
        QFETCH(bool, cancel);
        QFETCH(int, key);
        QFETCH(QString, reported);
        QFETCH(QString, text);
        m_widget->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_widget));
        QString seen = QStringLiteral("nothing");
        bool wasNull = false;
        connect(m_tree, &TreeControl::afterLabelEdit, this, [&](const QString& k, const QString& t, bool* c) {
            QCOMPARE(k, QStringLiteral("L2"));
            seen = t;
            wasNull = t.isNull();
            *c = cancel;
        });
        m_tree->setExpanded(QStringLiteral("A"), true);
        m_tree->setExpanded(QStringLiteral("Z1"), true);
        m_tree->startLabelEdit(QStringLiteral("L2"));
        QVERIFY(m_tree->isEditing());
        auto* editor = m_widget->findChild<QLineEdit*>();
        QVERIFY(editor);
        editor->setText(QStringLiteral("Neu"));
        QTest::keyClick(editor, Qt::Key(key));
        QTRY_VERIFY(!m_tree->isEditing());
        QCOMPARE(seen, reported);
        QCOMPARE(wasNull, key == Qt::Key_Escape);
        QCOMPARE(m_tree->text(QStringLiteral("L2")), text);
    }

    void listItemsByKey()
    {
        ListControl list;
        list.addColumn(QStringLiteral("Bezeichnung"), 2500);
        list.addColumn(QStringLiteral("Plotgerät"), 2500);
        list.addItem(QStringLiteral("L2"), QStringLiteral("Blatt"), 4, 9);
        list.setSubItem(QStringLiteral("L2"), 1, QStringLiteral("DWG To PDF.pc3"));
        list.setBold(QStringLiteral("L2"), true);
        QCOMPARE(list.subItem(QStringLiteral("L2"), 1), QStringLiteral("DWG To PDF.pc3"));
        QCOMPARE(list.subItem(QStringLiteral("L2"), 4), QString());
        QVERIFY(list.bold(QStringLiteral("L2")));
        QCOMPARE(list.largeIcon(QStringLiteral("L2")), 4);
        QCOMPARE(list.smallIcon(QStringLiteral("L2")), 9);
        QVERIFY_THROWS_EXCEPTION(ControlError, list.addItem(QStringLiteral("L2"), QStringLiteral("x")));
        QVERIFY_THROWS_EXCEPTION(ControlError, list.text(QStringLiteral("L7")));
        list.removeItem(QStringLiteral("L2"));
        QCOMPARE(list.count(), 0);
    }

    void viewModes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("applied");
        QTest::addColumn<int>("view");
        for (int mode = 0; mode <= 3; ++mode)
            QTest::addRow("mode %d", mode) << mode << true << mode;
        QTest::newRow("4 refused") << 4 << false << 2;
        QTest::newRow("-1 refused") << -1 << false << 2;
    }

    void viewModes()
    {
        QFETCH(int, mode);
        QFETCH(bool, applied);
        QFETCH(int, view);
        ListControl list;
        list.setView(ListControl::List);
        QCOMPARE(list.setView(mode), applied);
        QCOMPARE(list.view(), view);
    }

    void sorting_data()
    {
        QTest::addColumn<bool>("sorted");
        QTest::addColumn<int>("order");
        QTest::addColumn<QStringList>("shown");
        QTest::newRow("off keeps the order added") << false << 0 << QStringList{"D1", "D2", "D3"};
        QTest::newRow("ascending ignores case") << true << 0 << QStringList{"D2", "D3", "D1"};
        QTest::newRow("descending") << true << 1 << QStringList{"D1", "D3", "D2"};
    }

    void sorting()
    {
        QFETCH(bool, sorted);
        QFETCH(int, order);
        QFETCH(QStringList, shown);
        ListControl list;
        list.addColumn(QStringLiteral("Dateiname"), 5000);
        list.addItem(QStringLiteral("D1"), QStringLiteral("c.dwg"));
        list.addItem(QStringLiteral("D2"), QStringLiteral("A.dwg"));
        list.addItem(QStringLiteral("D3"), QStringLiteral("b.dwt"));
        list.setSortOrder(order);
        list.setSorted(sorted);
        QCOMPARE(list.displayedKeys(), shown);
        QCOMPARE(list.keys(), (QStringList{"D1", "D2", "D3"}));
    }

    void batchFillIsSortedAtTheEnd()
    {
        ListControl list;
        list.addColumn(QStringLiteral("Dateiname"), 5000);
        list.setSorted(true);
        list.beginUpdate();
        list.beginUpdate();
        list.addItem(QStringLiteral("D1"), QStringLiteral("c.dwg"));
        list.addItem(QStringLiteral("D2"), QStringLiteral("a.dwg"));
        list.endUpdate();
        list.addItem(QStringLiteral("D3"), QStringLiteral("b.dwg"));
        list.endUpdate();
        list.endUpdate(); // one too many changes nothing
        QCOMPARE(list.displayedKeys(), (QStringList{"D2", "D3", "D1"}));
        list.addItem(QStringLiteral("D4"), QStringLiteral("0.dwg"));
        QCOMPARE(list.displayedKeys().first(), QStringLiteral("D4"));
    }

    void newColumnsStartInTheirOwnOrder()
    {
        ListControl list;
        for (const char* caption : {"a", "b", "c", "d", "e"})
            list.addColumn(QString::fromLatin1(caption), 1000);
        list.setColumnPosition(0, 5);
        list.clearColumns();
        list.addColumn(QStringLiteral("Beschreibung"), 2500);
        list.addColumn(QStringLiteral("Wert"), 2500);
        QCOMPARE(list.columnPosition(0), 1);
        QCOMPARE(list.columnPosition(1), 2);
        list.clearColumns();
        for (const char* caption : {"a", "b", "c", "d", "e"})
            list.addColumn(QString::fromLatin1(caption), 1000);
        for (int c = 0; c < 5; ++c)
            QCOMPARE(list.columnPosition(c), c + 1);
    }

    // Whatever a setting holds, the conversion gives a pixel count a widget can take.
    void twipsOutOfRange_data()
    {
        QTest::addColumn<double>("twips");
        QTest::newRow("huge") << 1e9;
        QTest::newRow("beyond int") << 1e300;
        QTest::newRow("negative huge") << -1e300;
        QTest::newRow("infinite") << std::numeric_limits<double>::infinity();
        QTest::newRow("NaN") << std::numeric_limits<double>::quiet_NaN();
    }
    void twipsOutOfRange()
    {
        QFETCH(double, twips);
        const qint64 pixels = explorer::twipsToPixels(twips, nullptr);
        QVERIFY(std::abs(pixels) <= std::numeric_limits<int>::max() / 2);
        QCOMPARE(pixels > 0, twips > 0);
    }

    void columnsKeepTheirWidthInTwips()
    {
        ListControl list;
        list.addColumn(QStringLiteral("Bezeichnung"), 2500);
        list.addColumn(QStringLiteral("Plotgerät"), 2511);
        QCOMPARE(list.columnWidth(0), 2500.0);
        QCOMPARE(list.columnWidth(1), 2511.0);
        QVERIFY_THROWS_EXCEPTION(ControlError, list.columnWidth(2));
        // What a drag of the column border does.
        list.detailsView()->header()->resizeSection(1, 200);
        QCOMPARE(list.columnWidth(1), explorer::pixelsToTwips(200, &list));
        list.clearColumns();
        QCOMPARE(list.columnCount(), 0);
    }

    void columnPositions()
    {
        ListControl list;
        for (const char* caption : {"a", "b", "c", "d", "e"})
            list.addColumn(QString::fromLatin1(caption), 1000);
        list.setColumnPosition(1, 3);
        QCOMPARE(list.columnPosition(0), 1);
        QCOMPARE(list.columnPosition(1), 3);
        QCOMPARE(list.columnPosition(2), 2);
        QVERIFY_THROWS_EXCEPTION(ControlError, list.setColumnPosition(0, 6));
        QVERIFY_THROWS_EXCEPTION(ControlError, list.setColumnPosition(5, 1));
    }

    void selection_data()
    {
        QTest::addColumn<bool>("multi");
        QTest::addColumn<QStringList>("afterSecond");
        QTest::newRow("single") << false << QStringList{"L2"};
        QTest::newRow("multiple") << true << QStringList{"L1", "L2"};
    }

    void selection()
    {
        QFETCH(bool, multi);
        QFETCH(QStringList, afterSecond);
        ListControl list;
        list.addColumn(QStringLiteral("Bezeichnung"), 2500);
        for (const char* key : {"L1", "L2", "L3"})
            list.addItem(QString::fromLatin1(key), QString::fromLatin1(key));
        list.setMultiSelect(multi);
        list.setSelected(QStringLiteral("L1"), true);
        list.setSelected(QStringLiteral("L2"), true);
        QCOMPARE(list.selectedKeys(), afterSecond);
        QCOMPARE(list.selectedKey(), QStringLiteral("L2"));
        list.setMultiSelect(true);
        list.invertSelection();
        QCOMPARE(list.selectedKeys().contains(QStringLiteral("L3")), true);
        QCOMPARE(list.selectedKeys().contains(QStringLiteral("L2")), false);
        list.selectAll();
        QCOMPARE(list.selectedKeys().size(), 3);
    }

    // A text that the view cuts off shows in full as the tooltip; one shown whole gets none; an
    // item's own tooltip stays.
    void cutOffTextsHaveTheirTooltip_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("ownTip");
        QTest::addColumn<QString>("tip");
        const QString longName =
            QStringLiteral("Wohnanlage Nord, Bauabschnitt 3, Ausführungsplanung Tiefgarage.dwg");
        QTest::newRow("tree, long") << "tree" << longName << QString() << longName;
        QTest::newRow("tree, short") << "tree" << QStringLiteral("a.dwg") << QString() << QString();
        QTest::newRow("details, name") << "name" << longName << QString() << longName;
        QTest::newRow("details, short name") << "name" << QStringLiteral("A1") << QString() << QString();
        QTest::newRow("details, other column") << "column" << longName << QString() << longName;
        QTest::newRow("details, own tooltip") << "name" << longName << QStringLiteral("Vorlage") << "Vorlage";
        QTest::newRow("list mode") << "list" << longName << QString() << longName;
    }
    void cutOffTextsHaveTheirTooltip()
    {
        QFETCH(QString, where);
        QFETCH(QString, text);
        QFETCH(QString, ownTip);
        QToolTip::hideText();
        QTRY_VERIFY(!QToolTip::isVisible());
        ListControl list;
        list.addColumn(QStringLiteral("Bezeichnung"), 1500);
        list.addColumn(QStringLiteral("Plotgerät"), 1500);
        list.addItem(QStringLiteral("L2"), where == QLatin1String("column") ? QStringLiteral("A1") : text);
        list.setSubItem(QStringLiteral("L2"), 1,
                        where == QLatin1String("column") ? text : QStringLiteral("x"));
        if (!ownTip.isEmpty())
            list.setToolTip(QStringLiteral("L2"), ownTip);
        list.setView(where == QLatin1String("list") ? ListControl::List : ListControl::Details);
        QAbstractItemView* view = m_widget;
        QModelIndex index;
        if (where == QLatin1String("tree")) {
            m_tree->setText(QStringLiteral("Z1"), text);
            m_widget->expandAll();
            m_widget->resize(160, 200);
            m_widget->show();
            index = m_widget->indexFromItem(m_widget->topLevelItem(0)->child(0));
        } else {
            list.resize(220, 200);
            list.show();
            view = where == QLatin1String("list") ? static_cast<QAbstractItemView*>(list.iconView())
                                                  : list.detailsView();
            index = view->model()->index(0, where == QLatin1String("column") ? 1 : 0);
        }
        QVERIFY(QTest::qWaitForWindowExposed(view->window()));
        const QPoint at = view->visualRect(index).center();
        QHelpEvent help(QEvent::ToolTip, at, view->viewport()->mapToGlobal(at));
        QApplication::sendEvent(view->viewport(), &help);
        QTEST(QToolTip::isVisible() ? QToolTip::text() : QString(), "tip");
        m_widget->hide();
    }

private:
    QTreeWidget* m_widget = nullptr;
    TreeControl* m_tree = nullptr;
};

QTEST_MAIN(TestControls)
#include "tst_controls.moc"
