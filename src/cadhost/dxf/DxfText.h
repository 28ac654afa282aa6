#pragma once

#include <QByteArray>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>
#include <string_view>

// Text encoding of drawing files: files from AC1021 on are UTF-8; older ones are in the code page that
// $DWGCODEPAGE names, usually Windows-1252 (ANSI_1252). Decoding and encoding are exact inverses for any
// bytes, so that text the host does not touch goes back byte for byte (the reader takes a code page only
// when it converts the whole file exactly both ways). In UTF-8 text a byte that is no well-formed UTF-8
// decodes to the lone surrogate U+DC80..U+DCFF and encodes back to itself; the reader takes a file that
// says UTF-8 but is none as Windows-1252. Escapes "\U+XXXX" stand for characters the code page lacks.
namespace cadhost::dxftext {

enum class Encoding
{
    Cp1252,
    Utf8,
    CodePage // another code page that $DWGCODEPAGE names, through a CodePage
};

// From the $ACADVER value, trimmed: UTF-8 only for "AC" and four digits from 1021 on.
Encoding encodingForVersion(std::string_view acadver);
QString decode(std::string_view bytes, Encoding encoding);
// Whether the bytes are well-formed UTF-8 throughout.
bool isWellFormedUtf8(std::string_view bytes);
// Appends the encoded text; characters that Windows-1252 lacks become \U+XXXX, as CAD programs write them.
void encodeInto(QByteArray& out, const QString& text, Encoding encoding);

// A code page other than Windows-1252 ("windows-1251", "Shift_JIS", ...), decoded and encoded by the
// system's converters. Characters it lacks are written as \U+XXXX and read back from them.
class CodePage final
{
public:
    explicit CodePage(const QByteArray& codec);
    // The converter's name for a $DWGCODEPAGE value ("ANSI_1251" -> "windows-1251"); empty for
    // Windows-1252 (the host's own) and for names the host does not know.
    static QByteArray codecFor(std::string_view dwgCodePage);
    // Whether the converters know the codec and give every byte of text back unchanged, so that the
    // host writes the file back as it was.
    static bool roundTrips(const QByteArray& codec, std::string_view text);

    QByteArray name() const { return m_codec; }
    QString decode(std::string_view bytes);
    void encodeInto(QByteArray& out, const QString& text);

private:
    bool canEncode(QChar c);
    QByteArray m_codec;
    QStringDecoder m_decoder;
    QStringEncoder m_encoder;
};

} // namespace cadhost::dxftext
