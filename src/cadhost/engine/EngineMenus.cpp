#include "EnginePrivate.h"

#include <acad/Error.h>

namespace cadhost {

namespace {

qsizetype indexOfGroup(const QList<MenuGroup>& groups, const QString& name)
{
    for (qsizetype i = 0; i < groups.size(); ++i) {
        if (groups[i].name.toUpper() == name.toUpper())
            return i;
    }
    return -1;
}

const MenuGroup& groupNamed(const QList<MenuGroup>& groups, const QString& name)
{
    const qsizetype i = indexOfGroup(groups, name);
    if (i < 0)
        throw acad::Error(QStringLiteral("Menügruppe nicht gefunden: %1").arg(name));
    return groups[i];
}

const MenuPopupSource& popupAt(const MenuGroup& group, qint32 index)
{
    if (index < 0 || index >= group.popups.size())
        throw acad::Error(
            QStringLiteral("Die Menügruppe %1 hat kein Menü mit dem Index %2.").arg(group.name).arg(index));
    return group.popups[index];
}

acad::MenuPopup publicPopup(const MenuPopupSource& p)
{
    return {p.name, p.alias};
}

} // namespace

QStringList Engine::menuGroups()
{
    QStringList names;
    for (const MenuGroup& g : d->profile.menuGroups())
        names.append(g.name);
    return names;
}

void Engine::loadMenuGroup(const QString& file, bool baseMenu)
{
    const MenuGroup group = readMenuFile(d->documents.normalPath(file));
    QList<MenuGroup> groups = d->profile.menuGroups();
    QList<MenuBarItem> bar = d->profile.menuBar();
    if (baseMenu) {
        // A base menu replaces every group and the whole menu bar.
        groups.clear();
        bar.clear();
        for (qint32 i = 0; i < group.popups.size(); ++i)
            bar.append({group.name, i});
    } else if (indexOfGroup(groups, group.name) >= 0) {
        throw acad::Error(QStringLiteral("Die Menügruppe \"%1\" ist bereits geladen.").arg(group.name));
    }
    groups.append(group);
    d->profile.setMenus(groups, bar);
    d->commandLine.log(QStringLiteral("Menügruppe %1 geladen: %2").arg(group.name, group.file));
    if (baseMenu)
        emit menuBarChanged();
}

QList<acad::MenuPopup> Engine::menuGroupPopups(const QString& group)
{
    QList<acad::MenuPopup> popups;
    const QList<MenuGroup> groups = d->profile.menuGroups(); // outlives the loop over its member
    for (const MenuPopupSource& p : groupNamed(groups, group).popups)
        popups.append(publicPopup(p));
    return popups;
}

void Engine::insertPopupInMenuBar(const QString& group, qint32 popupIndex, qint32 barIndex)
{
    const QList<MenuGroup> groups = d->profile.menuGroups();
    const MenuGroup& g = groupNamed(groups, group);
    const MenuPopupSource& popup = popupAt(g, popupIndex);
    if (barIndex < 0)
        throw acad::Error(QStringLiteral("Ungültige Position in der Menüleiste: %1").arg(barIndex));
    QList<MenuBarItem> bar = d->profile.menuBar();
    const MenuBarItem item{g.name, popupIndex};
    if (bar.contains(item))
        throw acad::Error(QStringLiteral("Das Menü \"%1\" ist bereits in der Menüleiste.").arg(popup.name));
    bar.insert(qMin<qsizetype>(barIndex, bar.size()), item);
    d->profile.setMenus(groups, bar);
    emit menuBarChanged();
}

QList<acad::MenuPopup> Engine::menuBar()
{
    const QList<MenuGroup> groups = d->profile.menuGroups();
    QList<acad::MenuPopup> out;
    for (const MenuBarItem& item : d->profile.menuBar()) {
        const qsizetype g = indexOfGroup(groups, item.group);
        if (g >= 0 && item.popup >= 0 && item.popup < groups[g].popups.size())
            out.append(publicPopup(groups[g].popups[item.popup]));
    }
    return out;
}

void Engine::unloadMenuGroup(const QString& group)
{
    QList<MenuGroup> groups = d->profile.menuGroups();
    const QString name = groupNamed(groups, group).name;
    groups.removeAt(indexOfGroup(groups, name));
    QList<MenuBarItem> bar = d->profile.menuBar();
    bar.removeIf([&](const MenuBarItem& item) { return item.group.toUpper() == name.toUpper(); });
    d->profile.setMenus(groups, bar);
    emit menuBarChanged();
}

QStringList Engine::menuEntries(const QString& group, qint32 popupIndex)
{
    const QList<MenuGroup> groups = d->profile.menuGroups();
    return popupAt(groupNamed(groups, group), popupIndex).entries;
}

} // namespace cadhost
