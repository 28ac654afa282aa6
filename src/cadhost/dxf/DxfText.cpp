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
    if (u >= 'a' && u <= 'f') // ezdxf writes its escapes in lower case
        return u - 'a' + 10;
    return -1;
}

// "\U+03A9" (or "\U+03a9", as ezdxf writes it) stands for a character that the code page lacks. Only
// such escapes are decoded, so that encoding restores the same text; the writer's hex is upper case.
template <typename Lacks> QString decodeEscapes(QString text, Lacks lacks)
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
        if (ok && lacks(QChar(code)))
            text.replace(at, 7, QChar(code));
        at = text.indexOf(QLatin1String("\\U+"), at + 1);
    }
    return text;
}

// A byte that is no part of well-formed UTF-8 stands for itself as a lone surrogate U+DC80..U+DCFF
// (as Python's "surrogateescape" does), so that any bytes of a UTF-8 file decode and encode back.
constexpr char16_t kByteEscape = 0xDC00;

bool isByteEscape(const QString& text, qsizetype i)
{
    const char16_t c = text.at(i).unicode();
    return c >= kByteEscape + 0x80 && c <= kByteEscape + 0xFF &&
           (i == 0 || !QChar::isHighSurrogate(text.at(i - 1).unicode()));
}

bool within(unsigned char c, unsigned char low, unsigned char high)
{
    return c >= low && c <= high;
}

// Length of the well-formed UTF-8 sequence that starts the bytes (the Unicode standard's table of
// well-formed byte sequences: no overlong forms, no surrogates, nothing above U+10FFFF); 0 if none.
int sequenceLength(std::string_view b)
{
    const auto at = [&](size_t i) { return i < b.size() ? static_cast<unsigned char>(b[i]) : 0; };
    const unsigned char lead = at(0);
    if (lead < 0x80)
        return 1;
    if (within(lead, 0xC2, 0xDF))
        return within(at(1), 0x80, 0xBF) ? 2 : 0;
    if (within(lead, 0xE0, 0xEF)) {
        const unsigned char low = lead == 0xE0 ? 0xA0 : 0x80;
        const unsigned char high = lead == 0xED ? 0x9F : 0xBF;
        return within(at(1), low, high) && within(at(2), 0x80, 0xBF) ? 3 : 0;
    }
    if (within(lead, 0xF0, 0xF4)) {
        const unsigned char low = lead == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = lead == 0xF4 ? 0x8F : 0xBF;
        return within(at(1), low, high) && within(at(2), 0x80, 0xBF) && within(at(3), 0x80, 0xBF) ? 4 : 0;
    }
    return 0;
}

void appendCodePoint(QString& text, std::string_view b, int n)
{
    const auto u = [&](int i) { return char32_t(static_cast<unsigned char>(b[size_t(i)])); };
    char32_t c = n == 1 ? u(0) : u(0) & (0x7Fu >> n);
    for (int i = 1; i < n; ++i)
        c = (c << 6) | (u(i) & 0x3F);
    if (QChar::requiresSurrogates(c)) {
        text += QChar(QChar::highSurrogate(c));
        text += QChar(QChar::lowSurrogate(c));
    } else {
        text += QChar(char16_t(c));
    }
}

QString decodeUtf8(std::string_view bytes)
{
    // Qt's decoder is the fast way for well-formed text, but it drops a leading byte order mark.
    const bool bom = bytes.substr(0, 3) == "\xEF\xBB\xBF";
    if (!bom) {
        QString text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
        if (!text.contains(QChar::ReplacementCharacter))
            return text; // (a replacement character that stands in the file goes the long way)
    }
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    for (size_t i = 0; i < bytes.size();) {
        const int n = sequenceLength(bytes.substr(i));
        if (n == 0) {
            text += QChar(char16_t(kByteEscape + static_cast<unsigned char>(bytes[i])));
            ++i;
            continue;
        }
        appendCodePoint(text, bytes.substr(i), n);
        i += size_t(n);
    }
    return text;
}

void encodeUtf8(QByteArray& out, const QString& text)
{
    qsizetype run = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!isByteEscape(text, i))
            continue;
        out += QStringView(text).mid(run, i - run).toUtf8();
        out += char(text.at(i).unicode() - kByteEscape);
        run = i + 1;
    }
    out += QStringView(text).mid(run).toUtf8();
}

} // namespace

Encoding encodingForVersion(std::string_view acadver)
{
    // $ACADVER is "AC" and a four-digit number: AC1021 (R2007) and later store UTF-8, AC1015/AC1018 the
    // code page. A value that is no version at all says nothing; it is read as the code page, which
    // every byte survives.
    if (acadver.size() != 6 || acadver.substr(0, 2) != "AC")
        return Encoding::Cp1252;
    int number = 0;
    for (const char c : acadver.substr(2)) {
        if (c < '0' || c > '9')
            return Encoding::Cp1252;
        number = number * 10 + (c - '0');
    }
    return number >= 1021 ? Encoding::Utf8 : Encoding::Cp1252;
}

bool isWellFormedUtf8(std::string_view bytes)
{
    for (size_t i = 0; i < bytes.size();) {
        if (static_cast<unsigned char>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        const int n = sequenceLength(bytes.substr(i));
        if (n == 0)
            return false;
        i += size_t(n);
    }
    return true;
}

static QString decodeBytes(std::string_view bytes, Encoding encoding);

QString decode(std::string_view bytes, Encoding encoding)
{
    QString text = decodeBytes(bytes, encoding);
    if (encoding == Encoding::Cp1252 && bytes.find("\\U+") != std::string_view::npos)
        return decodeEscapes(std::move(text), [](QChar c) { return cp1252Byte(c.unicode()) < 0; });
    return text;
}

static QString decodeBytes(std::string_view bytes, Encoding encoding)
{
    const auto size = static_cast<qsizetype>(bytes.size());
    if (isAscii(bytes))
        return QString::fromLatin1(bytes.data(), size);
    if (encoding == Encoding::Utf8)
        return decodeUtf8(bytes);
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
        encodeUtf8(out, text);
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

CodePage::CodePage(const QByteArray& codec)
    : m_codec(codec), m_decoder(codec.constData(), QStringConverter::Flag::Stateless),
      m_encoder(codec.constData(), QStringConverter::Flag::Stateless)
{
}

QByteArray CodePage::codecFor(std::string_view dwgCodePage)
{
    std::string upper;
    for (const char c : dwgCodePage)
        upper += char(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    const auto from = [&](std::string_view prefix) { return upper.starts_with(prefix); };
    if (upper == "ANSI_932")
        return "Shift_JIS";
    if (upper == "ANSI_936")
        return "GBK";
    if (upper == "ANSI_949")
        return "windows-949";
    if (upper == "ANSI_950")
        return "Big5";
    if (upper == "ANSI_1252" || !from("ANSI_"))
        return {};
    return "windows-" + QByteArray::fromStdString(upper.substr(5));
}

bool CodePage::roundTrips(const QByteArray& codec, std::string_view text)
{
    QStringDecoder decoder(codec.constData(), QStringConverter::Flag::Stateless);
    QStringEncoder encoder(codec.constData(), QStringConverter::Flag::Stateless);
    if (!decoder.isValid() || !encoder.isValid())
        return false;
    const QByteArray bytes(text.data(), qsizetype(text.size()));
    const QString decoded = decoder.decode(bytes);
    if (decoder.hasError())
        return false;
    const QByteArray back = encoder.encode(decoded);
    return !encoder.hasError() && back == bytes;
}

QString CodePage::decode(std::string_view bytes)
{
    if (isAscii(bytes))
        return QString::fromLatin1(bytes.data(), qsizetype(bytes.size()));
    QString text = m_decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    if (bytes.find("\\U+") == std::string_view::npos)
        return text;
    return decodeEscapes(std::move(text), [this](QChar c) { return !canEncode(c); });
}

bool CodePage::canEncode(QChar c)
{
    m_encoder.resetState();
    const QByteArray b = m_encoder.encode(QStringView(&c, 1));
    const bool ok = !m_encoder.hasError() && !b.isEmpty() && (b != "?" || c == QLatin1Char('?'));
    m_encoder.resetState();
    return ok;
}

void CodePage::encodeInto(QByteArray& out, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80 && !canEncode(c)) {
            // Each UTF-16 unit on its own, as for Windows-1252.
            appendEscape(out, c.unicode());
            continue;
        }
        if (c.unicode() < 0x80)
            out += char(c.unicode());
        else
            out += m_encoder.encode(QStringView(&c, 1));
    }
}

} // namespace cadhost::dxftext
