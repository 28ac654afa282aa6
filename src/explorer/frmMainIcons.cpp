#include "frmMainIcons.h"

#include <QFile>
#include <QHash>

// Resources of a static library are registered by hand.
static void initToolbarResources()
{
    Q_INIT_RESOURCE(toolbar);
}

namespace explorer {

namespace {

// Freedesktop names for the images that have one.
const QHash<QString, QString>& themeNames()
{
    static const QHash<QString, QString> names = {
        {QStringLiteral("Cut"), QStringLiteral("edit-cut")},
        {QStringLiteral("Copy"), QStringLiteral("edit-copy")},
        {QStringLiteral("Paste"), QStringLiteral("edit-paste")},
        {QStringLiteral("Delete"), QStringLiteral("edit-delete")},
        {QStringLiteral("Properties"), QStringLiteral("document-properties")},
        {QStringLiteral("Large Icons"), QStringLiteral("view-list-icons")},
        {QStringLiteral("Details"), QStringLiteral("view-list-details")},
        {QStringLiteral("Descending"), QStringLiteral("view-sort-descending")},
        {QStringLiteral("Ascending"), QStringLiteral("view-sort-ascending")},
        {QStringLiteral("Help"), QStringLiteral("help-browser")},
        {QStringLiteral("Camera"), QStringLiteral("camera-photo")},
        {QStringLiteral("Open"), QStringLiteral("document-open")},
        {QStringLiteral("New"), QStringLiteral("document-new")},
        {QStringLiteral("Save"), QStringLiteral("document-save")},
        {QStringLiteral("Find"), QStringLiteral("edit-find")},
    };
    return names;
}

} // namespace

QStringList toolbarImageKeys()
{
    return {QStringLiteral("Cut"),         QStringLiteral("Copy"),       QStringLiteral("Paste"),
            QStringLiteral("Delete"),      QStringLiteral("Properties"), QStringLiteral("Large Icons"),
            QStringLiteral("Small Icons"), QStringLiteral("List"),       QStringLiteral("Details"),
            QStringLiteral("Descending"),  QStringLiteral("Ascending"),  QStringLiteral("Help"),
            QStringLiteral("Camera"),      QStringLiteral("Open"),       QStringLiteral("New"),
            QStringLiteral("Save"),        QStringLiteral("Find"),       QStringLiteral("Layout"),
            QStringLiteral("Model"),       QStringLiteral("Active"),     QStringLiteral("DC"),
            QStringLiteral("Template")};
}

QList<int> bundledIconSizes()
{
    return {16, 24, 32, 48, 64};
}

QString bundledIconFile(const QString& imageKey, int size)
{
    QString name = imageKey;
    name.replace(QLatin1Char(' '), QLatin1Char('_'));
    return QStringLiteral(":/toolbar/%1-%2.png").arg(name).arg(size);
}

QIcon bundledToolbarIcon(const QString& imageKey)
{
    static const bool registered = (initToolbarResources(), true);
    Q_UNUSED(registered);
    QIcon icon;
    for (int size : bundledIconSizes()) {
        const QString file = bundledIconFile(imageKey, size);
        if (QFile::exists(file))
            icon.addFile(file, QSize(size, size));
    }
    return icon;
}

QIcon toolbarIcon(const QString& imageKey)
{
    if (!toolbarImageKeys().contains(imageKey))
        return {};
    const QIcon bundled = bundledToolbarIcon(imageKey);
    const QString theme = themeNames().value(imageKey);
    if (theme.isEmpty() || !QIcon::hasThemeIcon(theme))
        return bundled;
    return QIcon::fromTheme(theme, bundled);
}

} // namespace explorer
