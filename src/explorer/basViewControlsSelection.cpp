// The selection as the operations see it, and the few changes they make to tree and list.
#include "basViewControls.h"
#include "controls/ListControl.h"
#include "controls/TreeControl.h"

#include <platform/Error.h>

using explorer::kindOf;
using platform::ignoringErrors;

namespace basViewControls {

namespace {

const QString kRootLibrary = QStringLiteral("B");
const QString kProvisional = QStringLiteral("D0");
const QString kModel = QStringLiteral("Model");

} // namespace

explorer::Target ViewControls::selectedNode() const
{
    const QString key = m_tree.selectedKey();
    return {key, key.isEmpty() ? QString() : m_tree.text(key)};
}

QString ViewControls::nodeText(const QString& key) const
{
    return m_tree.text(key);
}

bool ViewControls::hasNode(const QString& key) const
{
    return m_tree.contains(key);
}

QString ViewControls::parentNode(const QString& key) const
{
    return m_tree.parentKey(key);
}

QStringList ViewControls::childNodes(const QString& key) const
{
    return m_tree.childKeys(key);
}

explorer::Target ViewControls::selectedItem() const
{
    const QString key = m_list.selectedKey();
    return {key, key.isEmpty() ? QString() : m_list.text(key)};
}

QStringList ViewControls::selectedItems() const
{
    return m_list.selectedKeys();
}

QStringList ViewControls::items() const
{
    return m_list.keys();
}

QStringList ViewControls::shownItems() const
{
    return m_list.displayedKeys();
}

bool ViewControls::itemSelected(const QString& key) const
{
    return m_list.isSelected(key);
}

QString ViewControls::itemText(const QString& key) const
{
    return m_list.text(key);
}

void ViewControls::ShowLayoutName(const QString& key, const QString& name)
{
    if (m_list.contains(key))
        m_list.setText(key, name);
    if (m_tree.contains(key))
        m_tree.setText(key, name);
}

void ViewControls::MarkActive(bool layoutNode, bool listLayout, const std::function<QString()>& activeLayout)
{
    ClearBoldListItems();
    ClearBoldNodes();
    const QString treeKey = m_tree.selectedKey();
    const bool drawingsRoot = kindOf(treeKey) == NodeKind::DrawingsRoot;
    const QString listKey = m_list.selectedKey();
    if (!drawingsRoot) {
        m_tree.setBold(treeKey, true);
    } else if (!listKey.isEmpty()) {
        m_list.setBold(listKey, true);
        if (m_tree.contains(listKey))
            m_tree.setBold(listKey, true);
    }
    if (layoutNode) {
        m_tree.setBold(m_tree.parentKey(treeKey), true);
    } else {
        const QString active = activeLayout();
        const QString drawingKey = drawingsRoot ? listKey : treeKey;
        if (active != kModel && m_tree.contains(drawingKey)) {
            for (const QString& child : m_tree.childKeys(drawingKey)) {
                if (m_tree.text(child).toUpper() == active.toUpper())
                    m_tree.setBold(child, true);
            }
        }
    }
    if (listLayout && !listKey.isEmpty())
        m_list.setBold(listKey, true);
}

void ViewControls::ExpandNode(const QString& key)
{
    m_tree.setExpanded(key, true);
}

void ViewControls::EditSelectedName()
{
    if (selectedKind() != NodeKind::Drawing)
        m_tree.startLabelEdit(m_tree.selectedKey());
    else
        m_list.startLabelEdit(m_list.selectedKey());
}

void ViewControls::SelectActiveLayouts(bool inList)
{
    if (inList) {
        for (const QString& key : m_list.keys())
            m_list.setSelected(key, m_list.bold(key));
        return;
    }
    for (const QString& key : m_tree.allKeys()) {
        if (kindOf(key) != NodeKind::Layout || !m_tree.bold(key) || m_tree.selectedKey() == key)
            continue;
        // The list and the commands follow the node, as after a click.
        m_tree.select(key);
        TreeSelectionChanged();
        return;
    }
}

void ViewControls::EditProvisionalTemplateNode(bool add)
{
    if (add) {
        ignoringErrors([this] { m_tree.addNode(kRootLibrary, kProvisional, QString(), 6, 4); });
        ignoringErrors([this] { m_tree.select(kProvisional); });
        State.ProvisionalTemplateNode = true;
    } else {
        ignoringErrors([this] { m_tree.select(kProvisional); });
    }
    ignoringErrors([this] { m_tree.startLabelEdit(kProvisional); });
}

void ViewControls::ConfirmProvisionalTemplateNode(const QString& key, const QString& text)
{
    m_tree.setText(kProvisional, text);
    m_tree.setKey(kProvisional, key);
    State.ProvisionalTemplateNode = false;
}

bool ViewControls::LabelEditLeft() const
{
    return m_tree.labelEditLeft();
}

} // namespace basViewControls
