#pragma once

#include <QStringList>
#include <acad/Types.h>

namespace cadhost {

struct MenuPopupSource
{
    QString name;        // the first "[caption]" of the section
    QString alias;       // the first "**alias" of the section
    QStringList entries; // the other lines, as written
    friend bool operator==(const MenuPopupSource&, const MenuPopupSource&) = default;
};

struct MenuGroup
{
    QString name; // from "***MENUGROUP="
    QString file;
    QList<MenuPopupSource> popups; // one per "***POPn" section, in file order
    friend bool operator==(const MenuGroup&, const MenuGroup&) = default;
};

// One menu of the menu bar: a popup of a loaded group.
struct MenuBarItem
{
    QString group;
    qint32 popup = 0;
    friend bool operator==(const MenuBarItem&, const MenuBarItem&) = default;
};

// Reads menu source (MNS): "***MENUGROUP=", "***POPn" sections with "**alias" and "[caption]" lines.
// Other sections are skipped. Throws acad::Error naming the file.
MenuGroup readMenuFile(const QString& file);
MenuGroup parseMenuSource(const QString& text, const QString& file);

// The menus of the CAD program itself, on the bar until a base menu replaces them.
MenuGroup baseMenuGroup();

} // namespace cadhost
