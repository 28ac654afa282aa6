#include "Profile.h"

#include <QSettings>
#include <QStandardPaths>
#include <acad/Error.h>

namespace cadhost {

namespace {

const QString kSupportPath = QStringLiteral("Preferences/SupportPath");
const QString kTemplatePath = QStringLiteral("Preferences/TemplatePath");
const QString kGroups = QStringLiteral("MenuGroups");
const QString kBar = QStringLiteral("MenuBar");

QString dataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/cadhost");
}

void check(QSettings& settings)
{
    settings.sync();
    if (settings.status() != QSettings::NoError)
        throw acad::Error(
            QStringLiteral("Das Profil kann nicht geschrieben werden: %1").arg(settings.fileName()));
}

void writeGroup(QSettings& s, const MenuGroup& g)
{
    s.setValue(QStringLiteral("name"), g.name);
    s.setValue(QStringLiteral("file"), g.file);
    s.beginWriteArray(QStringLiteral("popups"), int(g.popups.size()));
    for (int i = 0; i < g.popups.size(); ++i) {
        s.setArrayIndex(i);
        s.setValue(QStringLiteral("name"), g.popups[i].name);
        s.setValue(QStringLiteral("alias"), g.popups[i].alias);
        s.setValue(QStringLiteral("entries"), g.popups[i].entries);
    }
    s.endArray();
}

MenuGroup readGroup(QSettings& s)
{
    MenuGroup g;
    g.name = s.value(QStringLiteral("name")).toString();
    g.file = s.value(QStringLiteral("file")).toString();
    const int n = s.beginReadArray(QStringLiteral("popups"));
    for (int i = 0; i < n; ++i) {
        s.setArrayIndex(i);
        g.popups.append({s.value(QStringLiteral("name")).toString(),
                         s.value(QStringLiteral("alias")).toString(),
                         s.value(QStringLiteral("entries")).toStringList()});
    }
    s.endArray();
    return g;
}

QList<MenuBarItem> defaultBar()
{
    QList<MenuBarItem> bar;
    const MenuGroup base = baseMenuGroup();
    for (qint32 i = 0; i < base.popups.size(); ++i)
        bar.append({base.name, i});
    return bar;
}

} // namespace

QString Profile::fileName()
{
    const QString env = qEnvironmentVariable("CADHOST_PROFILE");
    if (!env.isEmpty())
        return env;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/cadhost/profile.ini");
}

QString Profile::supportPath() const
{
    QSettings s(fileName(), QSettings::IniFormat);
    return s.value(kSupportPath, dataFolder() + QStringLiteral("/Support")).toString();
}

void Profile::setSupportPath(const QString& path)
{
    setValue(kSupportPath, path);
}

QString Profile::templatePath() const
{
    QSettings s(fileName(), QSettings::IniFormat);
    return s.value(kTemplatePath).toString();
}

void Profile::setTemplatePath(const QString& path)
{
    setValue(kTemplatePath, path);
}

QList<MenuGroup> Profile::menuGroups() const
{
    QSettings s(fileName(), QSettings::IniFormat);
    if (!s.contains(kGroups + QStringLiteral("/size")))
        return {baseMenuGroup()};
    QList<MenuGroup> groups;
    const int n = s.beginReadArray(kGroups);
    for (int i = 0; i < n; ++i) {
        s.setArrayIndex(i);
        groups.append(readGroup(s));
    }
    s.endArray();
    return groups;
}

QList<MenuBarItem> Profile::menuBar() const
{
    QSettings s(fileName(), QSettings::IniFormat);
    if (!s.contains(kBar + QStringLiteral("/size")))
        return s.contains(kGroups + QStringLiteral("/size")) ? QList<MenuBarItem>{} : defaultBar();
    QList<MenuBarItem> bar;
    const int n = s.beginReadArray(kBar);
    for (int i = 0; i < n; ++i) {
        s.setArrayIndex(i);
        bar.append({s.value(QStringLiteral("group")).toString(), s.value(QStringLiteral("popup")).toInt()});
    }
    s.endArray();
    return bar;
}

void Profile::setMenus(const QList<MenuGroup>& groups, const QList<MenuBarItem>& bar)
{
    QSettings s(fileName(), QSettings::IniFormat);
    s.remove(kGroups);
    s.remove(kBar);
    s.beginWriteArray(kGroups, int(groups.size()));
    for (int i = 0; i < groups.size(); ++i) {
        s.setArrayIndex(i);
        writeGroup(s, groups[i]);
    }
    s.endArray();
    s.beginWriteArray(kBar, int(bar.size()));
    for (int i = 0; i < bar.size(); ++i) {
        s.setArrayIndex(i);
        s.setValue(QStringLiteral("group"), bar[i].group);
        s.setValue(QStringLiteral("popup"), bar[i].popup);
    }
    s.endArray();
    check(s);
}

void Profile::setValue(const QString& key, const QString& value)
{
    QSettings s(fileName(), QSettings::IniFormat);
    s.setValue(key, value);
    check(s);
}

} // namespace cadhost
