#pragma once

#include <QIcon>
#include <QList>

// The images of tree and list, addressed by 1-based index as the tree and list logic uses them.
namespace explorer {

// Small images of tree and list (imgList): 1..21.
QList<QIcon> smallImages();
// Large images of the list (imgListG): 1..4.
QList<QIcon> largeImages();

} // namespace explorer
