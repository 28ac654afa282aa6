#pragma once

#include <QStringList>

// The question before layouts are deleted.
namespace basKvarto {

// At most this many names are listed; "…" stands for the others.
inline constexpr int kLoeschenNamen = 5;

// "Layout „Plan 1“ löschen?" for one layout; "3 Layouts löschen? Plan 1, Plan 2, Plan 3" for several.
QString LoeschenFrage(const QStringList& names);

// Asks with the question icon, "Ja" and "Nein", "Nein" the default; true without asking when the user
// has turned the question off.
bool LoeschenBestaetigt(const QStringList& names);

} // namespace basKvarto
