#include "CommandString.h"

#include "Error.h"

#include <algorithm>
#include <array>
#include <utility>

namespace acad {

namespace {

const QChar kReturn(13);

bool isControl(QChar c)
{
    const char16_t u = c.unicode();
    return u < 0x20 || (u >= 0x7F && u <= 0x9F);
}

} // namespace

bool hasControlCharacter(const QString& text)
{
    return std::any_of(text.begin(), text.end(), isControl);
}

QString visibleControls(const QString& text)
{
    static const std::array<std::pair<char16_t, const char*>, 5> names{
        {{9, "<TAB>"}, {10, "<LF>"}, {13, "<CR>"}, {27, "<ESC>"}, {0x7F, "<DEL>"}}};
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        if (!isControl(c)) {
            shown.append(c);
            continue;
        }
        const auto named =
            std::find_if(names.begin(), names.end(), [c](const auto& n) { return n.first == c.unicode(); });
        shown.append(named != names.end()
                         ? QString::fromLatin1(named->second)
                         : QStringLiteral("<U+%1>").arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper());
    }
    return shown;
}

CommandString::CommandString(const QString& command) : m_text(command + kReturn) {}

CommandString& CommandString::keyword(const QString& word)
{
    m_text += word + kReturn;
    return *this;
}

CommandString& CommandString::value(const QString& text, const QString& what)
{
    if (hasControlCharacter(text))
        throw Error(QStringLiteral("%1 \"%2\" enthält Steuerzeichen und wird nicht an AutoCAD gesendet!")
                        .arg(what, visibleControls(text)));
    m_text += text + kReturn;
    return *this;
}

CommandString& CommandString::defaultAnswer()
{
    m_text += kReturn;
    return *this;
}

} // namespace acad
