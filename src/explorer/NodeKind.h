#pragma once

#include <QString>

namespace explorer {

// The kind of a tree node or list item, named by the first letter of its key: "A" the loaded
// drawings' root, "B" the library's root, "Z" + number a drawing, "L" + number a layout,
// "D" + number a template ("D0" the provisional one).
enum class NodeKind : char
{
    None = 0,
    DrawingsRoot = 'A',
    LibraryRoot = 'B',
    Drawing = 'Z',
    Layout = 'L',
    Template = 'D',
};

// The kind a key names; None for "" and for a letter that names no kind.
NodeKind kindOf(const QString& key);
// The kind's letter; "" for None.
QString letterOf(NodeKind kind);
// The key of a numbered node: the kind's letter, then the number.
QString keyOf(NodeKind kind, qint32 number);
// The record number a key names: the key without its letter.
QString numberOf(const QString& key);

} // namespace explorer
