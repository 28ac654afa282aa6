#include "DxfScanner.h"

#include "DxfError.h"

#include <QCoreApplication>
#include <charconv>
#include <cstring>

namespace cadhost {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("cadhost::DxfScanner", text);
}

std::string_view trimmed(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// DWG files start with their version ("AC1015") followed by binary data.
void refuseBinary(const QByteArray& bytes)
{
    const std::string_view head(bytes.constData(), std::min<qsizetype>(bytes.size(), 128));
    if (head.starts_with("AutoCAD Binary DXF"))
        throw DxfError(1, tr("Binäre DXF-Dateien werden nicht unterstützt."));
    if (head.starts_with("AC10") && head.find('\0') != std::string_view::npos)
        throw DxfError(1, tr("Die Datei ist eine binäre DWG-Zeichnung, keine DXF-Textdatei."));
    if (std::memchr(bytes.constData(), '\0', bytes.size()) != nullptr) {
        const auto at = static_cast<const char*>(std::memchr(bytes.constData(), '\0', bytes.size()));
        const auto line = std::count(bytes.constData(), at, '\n') + 1;
        throw DxfError(line, tr("Die Datei enthält Binärdaten und ist keine DXF-Textdatei."));
    }
}

class LineReader
{
public:
    explicit LineReader(const QByteArray& bytes) : m_pos(bytes.constData()), m_end(m_pos + bytes.size())
    {
        if (m_end - m_pos >= 3 && std::memcmp(m_pos, "\xEF\xBB\xBF", 3) == 0)
            m_pos += 3;
        // A file without a single LF has CR line ends. In any other file a CR ends a line only right
        // before its LF: a CR inside a value stays part of it, as the DXF readers keep it.
        m_eol = std::memchr(m_pos, '\n', m_end - m_pos) ? '\n' : '\r';
    }

    // Lines end in LF, CR LF or CR alone, as other DXF readers take them.
    bool next(std::string_view& line)
    {
        if (m_pos == m_end)
            return false;
        const auto eol = static_cast<const char*>(std::memchr(m_pos, m_eol, m_end - m_pos));
        const char* stop = eol ? eol : m_end;
        line = std::string_view(m_pos, stop - m_pos);
        if (m_eol == '\n' && !line.empty() && line.back() == '\r')
            line.remove_suffix(1); // CR LF
        m_pos = stop == m_end ? m_end : stop + 1;
        ++m_line;
        return true;
    }

    qint64 line() const { return m_line; }

private:
    const char* m_pos;
    const char* m_end;
    char m_eol = '\n';
    qint64 m_line = 0;
};

qint32 parseCode(std::string_view text, qint64 line)
{
    const auto t = trimmed(text);
    qint32 code = 0;
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), code);
    if (t.empty() || ec != std::errc() || end != t.data() + t.size() || code < -5 || code > 1071) {
        if (line == 1)
            throw DxfError(line, tr("Die Datei ist keine DXF-Zeichnung."));
        throw DxfError(line, tr("Gruppencode erwartet, gefunden: „%1“.")
                                 .arg(QString::fromLatin1(t.data(), std::min<qsizetype>(t.size(), 40))));
    }
    return code;
}

} // namespace

std::vector<ScannedGroup> scanDxf(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        throw DxfError(0, tr("Die Datei ist leer."));
    refuseBinary(bytes);
    std::vector<ScannedGroup> groups;
    groups.reserve(bytes.size() / 16);
    LineReader reader(bytes);
    std::string_view codeLine, valueLine;
    while (reader.next(codeLine)) {
        const qint64 line = reader.line();
        const qint32 code = parseCode(codeLine, line);
        if (!reader.next(valueLine))
            throw DxfError(line,
                           tr("Die Datei ist unvollständig: dem Gruppencode %1 fehlt sein Wert.").arg(code));
        if (code == 999)
            continue; // a comment, no part of the drawing
        groups.push_back({code, line, valueLine});
        if (code == 0 && trimmed(valueLine) == "EOF")
            return groups;
    }
    throw DxfError(reader.line(), tr("Die Datei ist unvollständig: das Dateiende (EOF) fehlt."));
}

bool usesCrLf(const QByteArray& bytes)
{
    const auto nl = bytes.indexOf('\n');
    return nl > 0 && bytes.at(nl - 1) == '\r';
}

} // namespace cadhost
