#include "DxfText.h"

namespace cadhost::dxftext {

namespace {

// Windows-1252 0x80..0x9F; the five unassigned bytes map to the C1 control of the same value, so
// that every byte decodes and encodes back unchanged.
constexpr char16_t kHigh[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool isAscii(std::string_view bytes)
{
    for (char c : bytes) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

int cp1252Byte(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i) {
        if (kHigh[i] == c)
            return 0x80 + i;
    }
    return -1;
}

void appendEscape(QByteArray& out, char32_t code)
{
    out += "\\U+";
    out += QByteArray::number(static_cast<uint>(code), 16).toUpper().rightJustified(4, '0');
}

} // namespace

Encoding encodingForVersion(std::string_view acadver)
{
    // AC1021 (R2007) and later store UTF-8; AC1015/AC1018 store the code page.
    if (acadver.size() == 6 && acadver.substr(0, 2) == "AC" && acadver.substr(2) >= std::string_view("1021"))
        return Encoding::Utf8;
    return Encoding::Cp1252;
}

QString decode(std::string_view bytes, Encoding encoding)
{
    const auto size = static_cast<qsizetype>(bytes.size());
    if (isAscii(bytes))
        return QString::fromLatin1(bytes.data(), size);
    if (encoding == Encoding::Utf8)
        return QString::fromUtf8(bytes.data(), size);
    QString text(size, Qt::Uninitialized);
    QChar* d = text.data();
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *d++ = QChar(b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : char16_t(b));
    }
    return text;
}

void encodeInto(QByteArray& out, const QString& text, Encoding encoding)
{
    if (encoding == Encoding::Utf8) {
        out += text.toUtf8();
        return;
    }
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        const int b = cp1252Byte(c);
        if (b >= 0) {
            out += char(b);
        } else if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            appendEscape(out, QChar::surrogateToUcs4(c, text.at(i + 1).unicode()));
            ++i;
        } else {
            appendEscape(out, c);
        }
    }
}

} // namespace cadhost::dxftext
