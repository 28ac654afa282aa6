#include "ViewFixture.h"

#include <QFile>
#include <platform/UserSettings.h>

ViewFixture::ViewFixture()
{
    QFile::remove(platform::userSettingsFile());
    definitions.gTypen.Add(1, QStringLiteral("Vorlagen"), library.path(), QString(), QStringLiteral("1"));
    connection.AcadApp = host;
    views.LoadColumnWidths();
    views.InitTreeView();
}

ViewFixture::~ViewFixture() = default;

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
    views.TreeSelectionChanged();
}

void ViewFixture::detachHost()
{
    connection.AcadApp.reset();
}
