#include "ViewFixture.h"

#include <QFile>
#include <explorer/basViewControls.h>
#include <platform/UserSettings.h>
#include <settings/basDatenbank.h>
#include <startup/basAutoCAD.h>

ViewFixture::ViewFixture()
{
    QFile::remove(platform::userSettingsFile());
    basDatenbank::gTypen.Clear();
    basDatenbank::gTypen.Add(1, QStringLiteral("Vorlagen"), library.path(), QString(), QStringLiteral("1"));
    basAutoCAD::AcadApp = host;
    basViewControls::attach(&tree, &list, &view);
    basViewControls::SelectedNodeType.clear();
    basViewControls::ListColumnSet = 0;
    basViewControls::LoadColumnWidths();
    basViewControls::InitTreeView();
}

ViewFixture::~ViewFixture()
{
    basViewControls::attach(nullptr, nullptr, nullptr);
    basAutoCAD::AcadApp.reset();
}

void ViewFixture::addTemplate(const QString& name) const
{
    QFile file(library.filePath(name));
    file.open(QIODevice::WriteOnly);
    file.write("0\nEOF\n");
}

void ViewFixture::removeTemplate(const QString& name) const
{
    QFile::remove(library.filePath(name));
}

QString ViewFixture::keyOf(const QString& text, const QString& parent) const
{
    for (const QString& key : tree.allKeys()) {
        if (tree.text(key) == text && (parent.isEmpty() || tree.parentKey(key) == parent))
            return key;
    }
    return {};
}

void ViewFixture::click(const QString& key)
{
    tree.select(key);
    basViewControls::TreeSelectionChanged();
}

void ViewFixture::detachHost()
{
    basAutoCAD::AcadApp.reset();
}
