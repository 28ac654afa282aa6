#include "MacroProject.h"

#include "FileInput.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <acad/Error.h>

namespace cadhost {

namespace {

constexpr qint64 kMaxProjectSize = 1024 * 1024;

bool isIdentifier(const QString& name)
{
    static const QRegularExpression re(QStringLiteral("^[A-Za-z_][A-Za-z0-9_]*$"));
    return re.match(name).hasMatch();
}

[[noreturn]] void badLine(const QString& file, qsizetype line, const QString& why)
{
    throw acad::Error(QStringLiteral("Fehler im Makroprojekt %1, Zeile %2: %3").arg(file).arg(line).arg(why));
}

bool sameName(const QString& a, const QString& b)
{
    return a.toUpper() == b.toUpper();
}

void addEntry(MacroProject& project, const QString& key, const QString& value, const QString& file,
              qsizetype n)
{
    if (key == QLatin1String("Projekt")) {
        project.name = value;
        return;
    }
    if (key != QLatin1String("Modul") && key != QLatin1String("Makro"))
        badLine(file, n, QStringLiteral("unbekannter Eintrag \"%1\".").arg(key));
    if (!isIdentifier(value))
        badLine(file, n, QStringLiteral("\"%1\" ist kein gültiger Name.").arg(value));
    if (key == QLatin1String("Modul")) {
        project.modules.append({value, {}});
        return;
    }
    if (project.modules.isEmpty())
        badLine(file, n, QStringLiteral("Makro \"%1\" steht vor dem ersten Modul.").arg(value));
    project.modules.last().macros.append(value);
}

} // namespace

bool MacroProject::provides(const QString& module, const QString& macro) const
{
    for (const MacroModule& m : modules) {
        if (!module.isEmpty() && !sameName(m.name, module))
            continue;
        for (const QString& name : m.macros) {
            if (sameName(name, macro))
                return true;
        }
    }
    return false;
}

MacroProject parseMacroProject(const QString& text, const QString& file)
{
    MacroProject project;
    project.file = file;
    bool signed_ = false;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        if (!signed_) {
            if (line != kMacroProjectSignature)
                throw acad::Error(QStringLiteral("Die Datei ist kein Makroprojekt: %1").arg(file));
            signed_ = true;
            continue;
        }
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        if (colon < 0)
            badLine(file, i + 1, QStringLiteral("\"Eintrag: Wert\" erwartet."));
        addEntry(project, line.left(colon).trimmed(), line.mid(colon + 1).trimmed(), file, i + 1);
    }
    if (!signed_)
        throw acad::Error(QStringLiteral("Die Datei ist kein Makroprojekt: %1").arg(file));
    return project;
}

MacroProject readMacroProject(const QString& file)
{
    if (!QFileInfo::exists(file))
        throw acad::Error(QStringLiteral("Das Makroprojekt wurde nicht gefunden: %1").arg(file));
    const QByteArray bytes = readWholeFile(
        file, kMaxProjectSize, QStringLiteral("Das Makroprojekt kann nicht gelesen werden: %1 – %2"));
    return parseMacroProject(QString::fromUtf8(bytes), file);
}

} // namespace cadhost
