#pragma once

#include <QImage>

namespace help {

// The product picture: three layout sheets with their title blocks before the family's blue,
// drawn for the size asked (in device pixels), so it stays sharp on dense screens.
QImage paintProductPicture(int pixels);

} // namespace help
