#pragma once

#include <QString>

namespace basAllgemein {

// Two decimals with the user's decimal separator, the ",00" dropped: 100 -> "100", 12.5 -> "12,50".
QString FormatZahl(double value);
// The same with the decimal separator given, for texts that must not follow the user's locale.
QString FormatZahl(double value, const QString& decimalPoint);

// Asks "Datei: <path> wirklich löschen?" and deletes on Yes. deleted is true after a deletion and
// false after No; it keeps its value when the deletion fails. Returns true when an error occurred,
// after a message that names the file and the reason.
bool DateiLoeschen(const QString& path, bool& deleted);

} // namespace basAllgemein
