#include "OperationsHarness.h"

#include <QAction>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <explorer/basViewControls.h>
#include <explorer/controls/ListControl.h>
#include <explorer/controls/TreeControl.h>
#include <explorer/frmMain.h>
#include <records/CAcadobj.h>

OperationsHarness::OperationsHarness() = default;

bool OperationsHarness::start()
{
    if (!h.session.start())
        return false;
    window()->ctlTimer()->stop();
    return true;
}

basViewControls::ViewControls& OperationsHarness::views() const
{
    return window()->views();
}

explorer::TreeControl* OperationsHarness::tree() const
{
    return window()->tvTreeView();
}

explorer::ListControl* OperationsHarness::list() const
{
    return window()->lvListView();
}

QString OperationsHarness::nodeKey(const QString& text, const QString& parentText) const
{
    for (const QString& key : tree()->allKeys()) {
        if (tree()->text(key) != text)
            continue;
        const QString parent = tree()->parentKey(key);
        if (parentText.isEmpty() || (!parent.isEmpty() && tree()->text(parent) == parentText))
            return key;
    }
    return {};
}

void OperationsHarness::select(const QString& key)
{
    tree()->select(key);
    views().TreeSelectionChanged();
}

void OperationsHarness::selectItems(const QStringList& texts)
{
    for (const QString& key : list()->keys())
        list()->setSelected(key, false);
    for (auto it = texts.rbegin(); it != texts.rend(); ++it) {
        for (const QString& key : list()->keys()) {
            if (list()->text(key) == *it)
                list()->setSelected(key, true);
        }
    }
}

bool OperationsHarness::trigger(explorer::Cmd cmd)
{
    return triggerCommand(*window(), cmd);
}

void OperationsHarness::doubleClick(const QString& key)
{
    auto* widget = window()->findChild<QTreeWidget*>(QStringLiteral("tvTreeView"));
    for (QTreeWidgetItemIterator it(widget); *it; ++it) {
        if ((*it)->data(0, Qt::UserRole).toString() != key)
            continue;
        widget->scrollToItem(*it);
        const QPoint at = widget->visualItemRect(*it).center();
        QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(widget->viewport(), Qt::LeftButton, {}, at);
        return;
    }
    QFAIL(qPrintable(QStringLiteral("no node %1").arg(key)));
}

acad::DocId OperationsHarness::docId(const QString& path)
{
    for (const acad::DocumentRef& ref : h.cad.engine->application().documents) {
        if (gesamtOf(ref.path, ref.name) == path)
            return ref.id;
    }
    return 0;
}

acad::DocumentSnapshot OperationsHarness::document(const QString& path)
{
    const acad::DocId id = docId(path);
    return id == 0 ? acad::DocumentSnapshot{} : h.cad.engine->document(id);
}

QString OperationsHarness::activePath()
{
    const acad::DocId active = h.cad.engine->application().activeDocument;
    for (const acad::DocumentRef& ref : h.cad.engine->application().documents) {
        if (ref.id == active)
            return gesamtOf(ref.path, ref.name);
    }
    return {};
}

QStringList OperationsHarness::layoutNames(const QString& path)
{
    QStringList names;
    for (const acad::LayoutRef& layout : document(path).layouts)
        names.append(layout.name);
    return names;
}

QStringList OperationsHarness::boldNodes() const
{
    QStringList texts;
    for (const QString& key : tree()->allKeys()) {
        if (!tree()->parentKey(key).isEmpty() && tree()->bold(key))
            texts.append(tree()->text(key));
    }
    texts.sort();
    return texts;
}

void OperationsHarness::runHost()
{
    for (int i = 0; i < 5; ++i)
        QCoreApplication::processEvents();
}

bool OperationsHarness::watch()
{
    if (!h.session.leave())
        return false;
    program().CheckAutoCAD();
    if (!h.session.activate())
        return false;
    program().CheckAutoCAD();
    return true;
}
