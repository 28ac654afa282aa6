#pragma once

#include "Drawing.h"

namespace cadhost {

// The CAD program's rules for layout names. Names are compared without regard to case.
bool sameLayoutName(const QString& a, const QString& b);

// The German description of why name cannot name a layout of drawing, or an empty string.
// self is the layout being renamed (it does not clash with itself).
QString layoutNameProblem(const Drawing& drawing, const QString& name, const Layout* self = nullptr);
// Throws acad::Error with that description.
void checkLayoutName(const Drawing& drawing, const QString& name, const Layout* self = nullptr);

// Index of the first control character in text (C0, DEL, C1, line and paragraph separators), or -1.
// Such characters end or cancel answers on a command line and break the lines of a drawing file.
qsizetype controlCharacterAt(QStringView text);
bool hasControlCharacter(QStringView text);
// "U+000A".
QString codePoint(QChar c);
// The text with each control character shown as <U+XXXX>, for messages and listings.
QString printable(const QString& text);

// Layout lookup without regard to case; nullptr if none.
Layout* findLayout(Drawing& drawing, const QString& name);
const Layout* findLayout(const Drawing& drawing, const QString& name);

// "Layout<n>" with the first n from 1 that no layout uses.
QString freeLayoutName(const Drawing& drawing, const QString& base = QStringLiteral("Layout"));
// The name itself when free, else "<name> (2)", "<name> (3)", ... as the CAD program names copies.
QString freeCopyName(const Drawing& drawing, const QString& name);

} // namespace cadhost
