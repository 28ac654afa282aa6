#pragma once

#include "Menus.h"

namespace cadhost {

// The host's per-user profile: preferences, loaded menu groups and the menu bar, kept across runs in
// an INI file ($CADHOST_PROFILE, default <config>/cadhost/profile.ini). Every call reads or writes
// the file, so that two hosts see each other's saved values. Writes throw acad::Error when the
// file cannot be written.
class Profile
{
public:
    static QString fileName();

    QString supportPath() const;
    void setSupportPath(const QString& path);
    QString templatePath() const;
    void setTemplatePath(const QString& path);

    QList<MenuGroup> menuGroups() const;
    QList<MenuBarItem> menuBar() const;
    void setMenus(const QList<MenuGroup>& groups, const QList<MenuBarItem>& bar);

private:
    void setValue(const QString& key, const QString& value);
};

} // namespace cadhost
