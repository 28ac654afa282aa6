#pragma once

#include <QString>

// The one order of names that the tree, the list and the sheet list share: German rules (umlauts
// beside their base letter, ß as ss), numbers inside names by their value ("Blatt 2" before
// "Blatt 10"), case ignored. Names that differ only in case or in leading zeros compare equal, so a
// stable sort keeps their previous order.
namespace platform {

// Negative, zero or positive, as a comes before, together with or after b.
int naturalCompare(const QString& a, const QString& b);
bool naturalLess(const QString& a, const QString& b);

} // namespace platform
