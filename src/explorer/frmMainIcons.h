#pragma once

#include <QIcon>
#include <QString>
#include <QStringList>

// The toolbar's images (imlToolbarIcons): the desktop theme's icon where it has one, otherwise the
// bundled pictures, which come in several sizes so that they stay sharp on high-density screens.
namespace explorer {

// The 22 image keys, "Cut" … "Template".
QStringList toolbarImageKeys();
// The image for a key; a null icon for an unknown key.
QIcon toolbarIcon(const QString& imageKey);
// The bundled picture alone (without the theme).
QIcon bundledToolbarIcon(const QString& imageKey);
// The sizes the bundled pictures come in, in pixels.
QList<int> bundledIconSizes();
// The resource file name of a bundled picture.
QString bundledIconFile(const QString& imageKey, int size);

} // namespace explorer
