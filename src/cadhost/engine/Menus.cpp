#include "Menus.h"

#include "FileInput.h"

#include <QFileInfo>
#include <QStringDecoder>
#include <acad/Error.h>

namespace cadhost {

namespace {

constexpr qint64 kMaxMenuFileSize = 8 * 1024 * 1024;

// Menu files of the CAD program are usually Windows-1252; take UTF-8 only when it decodes cleanly.
QString decode(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(bytes);
}

bool isComment(const QString& line)
{
    return line.startsWith(QLatin1String("//"));
}

// "ID_Kv  [KV&+]^C^C..." -> "KV&+"; false when the line holds no bracketed caption.
bool caption(const QString& line, QString* text)
{
    const qsizetype open = line.indexOf(QLatin1Char('['));
    const qsizetype close = open < 0 ? -1 : line.indexOf(QLatin1Char(']'), open + 1);
    if (close < 0)
        return false;
    *text = line.mid(open + 1, close - open - 1);
    return true;
}

bool isPopupHeader(const QString& upper)
{
    if (!upper.startsWith(QLatin1String("***POP")) || upper.size() == 6)
        return false;
    for (qsizetype i = 6; i < upper.size(); ++i) {
        if (!upper.at(i).isDigit())
            return false;
    }
    return true;
}

void addLine(MenuPopupSource& popup, bool& named, const QString& line)
{
    if (line.startsWith(QLatin1String("**")) && popup.alias.isEmpty() && !named) {
        popup.alias = line.mid(2).trimmed();
        return;
    }
    QString text;
    if (!named && caption(line, &text)) {
        popup.name = text;
        named = true;
        return;
    }
    popup.entries.append(line);
}

} // namespace

MenuGroup parseMenuSource(const QString& text, const QString& file)
{
    MenuGroup group;
    group.file = file;
    MenuPopupSource* popup = nullptr;
    bool named = false;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        const QString upper = line.toUpper();
        if (line.isEmpty() || isComment(line))
            continue;
        if (upper.startsWith(QLatin1String("***MENUGROUP="))) {
            if (group.name.isEmpty())
                group.name = line.mid(13).trimmed();
            continue;
        }
        if (line.startsWith(QLatin1String("***"))) {
            popup = nullptr;
            if (isPopupHeader(upper)) {
                group.popups.append(MenuPopupSource{});
                popup = &group.popups.last();
                named = false;
            }
            continue;
        }
        if (popup)
            addLine(*popup, named, line);
    }
    if (group.name.isEmpty())
        throw acad::Error(
            QStringLiteral("Die Menüdatei enthält keine Zeile \"***MENUGROUP=\": %1").arg(file));
    return group;
}

MenuGroup readMenuFile(const QString& file)
{
    if (!QFileInfo::exists(file))
        throw acad::Error(QStringLiteral("Die Menüdatei wurde nicht gefunden: %1").arg(file));
    const QByteArray bytes = readWholeFile(
        file, kMaxMenuFileSize, QStringLiteral("Die Menüdatei kann nicht gelesen werden: %1 – %2"));
    return parseMenuSource(decode(bytes), file);
}

MenuGroup baseMenuGroup()
{
    MenuGroup group;
    group.name = QStringLiteral("ACAD");
    const auto add = [&](const char* name, const char* alias, QStringList entries = {}) {
        group.popups.append({QString::fromUtf8(name), QString::fromUtf8(alias), entries});
    };
    add("&Datei", "FILE",
        {QStringLiteral("[&Öffnen...]^C^C_open"), QStringLiteral("[&Speichern]^C^C_qsave"),
         QStringLiteral("[Speichern &unter...]^C^C_saveas"), QStringLiteral("[S&chließen]^C^C_close"),
         QStringLiteral("[--]"), QStringLiteral("[&Beenden]^C^C_quit")});
    add("&Bearbeiten", "EDIT");
    add("&Ansicht", "VIEW");
    add("&Einfügen", "INSERT", {QStringLiteral("[&Layout]^C^C_layout")});
    add("&Format", "FORMAT");
    add("E&xtras", "TOOLS");
    add("&Fenster", "WINDOW");
    add("&Hilfe", "HELP");
    return group;
}

} // namespace cadhost
