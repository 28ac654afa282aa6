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

void appendEscape(QByteArray& out, char16_t code)
{
    out += "\\U+";
    out += QByteArray::number(static_cast<uint>(code), 16).toUpper().rightJustified(4, '0');
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

// "\U+03A9" stands for a character that the code page lacks. Only such escapes, in the exact form
// the writer gives them, are decoded, so that encoding restores the same bytes.
QString decodeEscapes(QString text)
{
    qsizetype at = text.indexOf(QLatin1String("\\U+"));
    while (at >= 0 && at + 7 <= text.size()) {
        char16_t code = 0;
        bool ok = true;
        for (int i = 3; i < 7 && ok; ++i) {
            const int digit = hexDigit(text.at(at + i));
            ok = digit >= 0;
            code = char16_t(code * 16 + digit);
        }
        if (ok && cp1252Byte(code) < 0)
            text.replace(at, 7, QChar(code));
        at = text.indexOf(QLatin1String("\\U+"), at + 1);
    }
    return text;
}

} // namespace

Encoding encodingForVersion(std::string_view acadver)
{
    // AC1021 (R2007) and later store UTF-8; AC1015/AC1018 store the code page.
    if (acadver.size() == 6 && acadver.substr(0, 2) == "AC" && acadver.substr(2) >= std::string_view("1021"))
        return Encoding::Utf8;
    return Encoding::Cp1252;
}

static QString decodeBytes(std::string_view bytes, Encoding encoding);

QString decode(std::string_view bytes, Encoding encoding)
{
    QString text = decodeBytes(bytes, encoding);
    if (encoding == Encoding::Cp1252 && bytes.find("\\U+") != std::string_view::npos)
        return decodeEscapes(std::move(text));
    return text;
}

static QString decodeBytes(std::string_view bytes, Encoding encoding)
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
    // Most text is ASCII: one byte per character, written in place.
    const qsizetype start = out.size();
    out.resize(start + text.size());
    char* d = out.data() + start;
    qsizetype done = 0;
    for (; done < text.size(); ++done) {
        const int b = cp1252Byte(text.at(done).unicode());
        if (b < 0)
            break;
        *d++ = char(b);
    }
    out.resize(start + done);
    for (qsizetype i = done; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        const int b = cp1252Byte(c);
        // Each UTF-16 unit on its own, surrogates too, so that decoding gives back the same text.
        if (b >= 0)
            out += char(b);
        else
            appendEscape(out, c);
    }
}

} // namespace cadhost::dxftext
