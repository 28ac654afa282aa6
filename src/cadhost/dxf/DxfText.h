#pragma once

#include <QByteArray>
#include <QString>
#include <string_view>

// Text encoding of drawing files: R2000 files are Windows-1252 ($DWGCODEPAGE ANSI_1252), files from
// AC1021 on are UTF-8. Decoding and encoding are exact inverses, so that text the host does not
// touch goes back byte for byte.
namespace cadhost::dxftext {

enum class Encoding
{
    Cp1252,
    Utf8
};

Encoding encodingForVersion(std::string_view acadver);
QString decode(std::string_view bytes, Encoding encoding);
// Appends the encoded text; characters that Windows-1252 lacks become \U+XXXX, as CAD programs write them.
void encodeInto(QByteArray& out, const QString& text, Encoding encoding);

} // namespace cadhost::dxftext
