#include "NodeKind.h"

namespace explorer {

NodeKind kindOf(const QString& key)
{
    if (key.isEmpty())
        return NodeKind::None;
    switch (key.front().unicode()) {
    case 'A':
        return NodeKind::DrawingsRoot;
    case 'B':
        return NodeKind::LibraryRoot;
    case 'Z':
        return NodeKind::Drawing;
    case 'L':
        return NodeKind::Layout;
    case 'D':
        return NodeKind::Template;
    default:
        return NodeKind::None;
    }
}

QString letterOf(NodeKind kind)
{
    return kind == NodeKind::None ? QString() : QString(QChar::fromLatin1(static_cast<char>(kind)));
}

QString keyOf(NodeKind kind, qint32 number)
{
    return letterOf(kind) + QString::number(number);
}

QString numberOf(const QString& key)
{
    return key.mid(1);
}

} // namespace explorer
