#pragma once

#include <QByteArray>
#include <QString>
#include <string_view>

// Text encoding of drawing files: R2000 files are Windows-1252 ($DWGCODEPAGE ANSI_1252), files from
// AC1021 on are UTF-8. Decoding and encoding are exact inverses for any bytes, so that text the host
// does not touch goes back byte for byte: in UTF-8 text a byte that is no well-formed UTF-8 decodes to
// the lone surrogate U+DC80..U+DCFF and encodes back to itself.
namespace cadhost::dxftext {

enum class Encoding
{
    Cp1252,
    Utf8
};

// From the $ACADVER value, trimmed: UTF-8 only for "AC" and four digits from 1021 on.
Encoding encodingForVersion(std::string_view acadver);
QString decode(std::string_view bytes, Encoding encoding);
// Appends the encoded text; characters that Windows-1252 lacks become \U+XXXX, as CAD programs write them.
void encodeInto(QByteArray& out, const QString& text, Encoding encoding);

} // namespace cadhost::dxftext
