#include "basKopieren.h"

#include <QLocale>
#include <acad/CommandString.h>
#include <acad/Host.h>
#include <algorithm>
#include <cmath>
#include <platform/Error.h>
#include <platform/MsgBox.h>

namespace basKopieren {

namespace {

// The characters a typed name must not hold; the last one is the acute accent.
const QString kForbidden = QStringLiteral("<>/\\\":?*|='\u00B4");
// What the CAD program itself refuses in a layout name.
const QString kHostForbidden = QStringLiteral("<>/\\\":;?*|,=`");
constexpr qsizetype kHostMaxLength = 255;
const QString kInvalidCharacters = QStringLiteral("Eingabe enthält ungültige Zeichen!");
constexpr qint32 kSearchLimit = 2500;
constexpr qint32 kMaxNumber = 32767;

const char kInvalidInput[] = "Eingabe ist ungültig!";
const char kInvalidCount[] = "Ungültige Anzahl!";

// A number as the user types it: with a decimal comma or a decimal point, no digit grouping.
bool readNumber(const QString& text, double& value)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    for (QLocale locale : {QLocale(QLocale::German), QLocale::c()}) {
        locale.setNumberOptions(QLocale::RejectGroupSeparator);
        value = locale.toDouble(trimmed, &ok);
        if (ok)
            return std::isfinite(value);
    }
    return false;
}

// Spaces at either end would make a name that looks like another one; a name of spaces alone
// looks like none. A series' start may end in a space: its number follows.
QString spacesProblem(const QString& text, bool seriesStart = false)
{
    const QString trimmed = text.trimmed();
    if (text.isEmpty() || trimmed == text)
        return {};
    if (trimmed.isEmpty())
        return QStringLiteral("Der Name darf nicht nur aus Leerzeichen bestehen!");
    if (seriesStart && text.startsWith(trimmed))
        return {};
    return QStringLiteral("Der Name darf nicht mit Leerzeichen beginnen oder enden!");
}

qint16 refuseInput(const QString& text, bool seriesStart)
{
    // A control character would reach the CAD program's command line as a return or an escape.
    const bool forbidden = acad::hasControlCharacter(text) ||
                           std::any_of(text.begin(), text.end(), [](QChar c) { return kForbidden.contains(c); });
    const QString problem = forbidden ? kInvalidCharacters : spacesProblem(text, seriesStart);
    if (problem.isEmpty())
        return 0;
    platform::MsgBox(problem, platform::vbExclamation);
    return 1;
}

} // namespace

qint16 CheckEingabe(const QString& text)
{
    return refuseInput(text, false);
}

qint16 CheckSerienName(const QString& text)
{
    return refuseInput(text, true);
}

QString SerienNameProblem(const QString& text)
{
    if (acad::hasControlCharacter(text))
        return kInvalidCharacters;
    for (const QChar c : text) {
        if (kForbidden.contains(c))
            return kInvalidCharacters;
    }
    return spacesProblem(text, true);
}

QString NameProblem(const QString& name)
{
    if (acad::hasControlCharacter(name))
        return kInvalidCharacters;
    for (const QChar c : name) {
        if (kForbidden.contains(c))
            return kInvalidCharacters;
        if (kHostForbidden.contains(c))
            return QStringLiteral("AutoCAD lässt das Zeichen „%1“ in Layoutnamen nicht zu!").arg(c);
    }
    if (const QString spaces = spacesProblem(name); !spaces.isEmpty())
        return spaces;
    if (name.size() > kHostMaxLength)
        return QStringLiteral("Der Name ist länger als %1 Zeichen!").arg(kHostMaxLength);
    return QString();
}

LayoutNames::LayoutNames(const acad::DocumentSnapshot& doc)
{
    m_upper.reserve(doc.layouts.size());
    for (const acad::LayoutRef& layout : doc.layouts)
        add(layout.name);
}

bool LayoutNames::contains(const QString& name) const
{
    return m_upper.contains(name.toUpper());
}

void LayoutNames::add(const QString& name)
{
    m_upper.insert(name.toUpper());
}

void LayoutNames::remove(const QString& name)
{
    m_upper.remove(name.toUpper());
}

QString numberedName(const QString& base, qint32 n)
{
    return base + QString::number(n);
}

qint16 FindFreeLayoutNumber(const LayoutNames& doc, const QString& base, qint16& counter, bool* found)
{
    qint32 n = counter;
    qint16 result = 0;
    bool taken = true;
    // Above the limit the search goes on upwards, but never beyond the range of the number.
    while (n != kSearchLimit && taken && n <= kMaxNumber) {
        taken = doc.contains(n == 0 ? base : numberedName(base, n));
        if (!taken)
            result = qint16(n);
        ++n;
    }
    counter = qint16(qMin(n, kMaxNumber));
    if (found)
        *found = !taken;
    return result;
}

QString CountProblem(const QString& text)
{
    double value = 0;
    if (!readNumber(text, value))
        return QString::fromUtf8(kInvalidInput);
    if (value != std::floor(value) || value < 1 || value > kMaxNumber)
        return QString::fromUtf8(kInvalidCount);
    return {};
}

qint16 CountOf(const QString& text)
{
    double value = 0;
    readNumber(text, value);
    return qint16(value);
}

QStringList CopyNames(const LayoutNames& doc, QString& base, qint16 count)
{
    QStringList names;
    bool found = false;
    if (count == 1) {
        qint16 counter = 0;
        const qint16 k = FindFreeLayoutNumber(doc, base, counter, &found);
        if (found && k > 0)
            base = numberedName(base, k);
        names.append(base);
    }
    qint16 n = 1;
    for (qint32 i = 1; count != 1 && i <= count; ++i) {
        n = FindFreeLayoutNumber(doc, base, n, &found);
        if (!found)
            break;
        names.append(numberedName(base, n));
        if (n == kMaxNumber) {
            // The next number would leave the range: only the last copy may take this one.
            found = i == count;
            break;
        }
        ++n;
    }
    if (!found) {
        platform::MsgBox(QStringLiteral("Für \"%1\" ist keine freie Layout-Nummer mehr vorhanden!").arg(base),
                         platform::vbExclamation);
        return {};
    }
    return names;
}

BatchResult CopyLayout(acad::Host& app, acad::DocId doc, const QString& source, const QStringList& names)
{
    const QString layoutName = QStringLiteral("Der Name des Layouts");
    BatchResult result;
    try {
        // Every string is built before the first is sent: a refused name sends nothing.
        QStringList copies;
        for (const QString& name : names) {
            copies.append(acad::CommandString(QStringLiteral("_layout"))
                              .keyword(QStringLiteral("_copy"))
                              .value(source, layoutName)
                              .value(name, layoutName)
                              .text());
        }
        const QString makeCurrent = names.isEmpty() ? QString()
                                                    : acad::CommandString(QStringLiteral("_layout"))
                                                          .keyword(QStringLiteral("_set"))
                                                          .value(names.first(), layoutName)
                                                          .text();
        for (const QString& command : std::as_const(copies)) {
            app.sendCommand(doc, command);
            ++result.done;
        }
        if (!makeCurrent.isEmpty())
            app.sendCommand(doc, makeCurrent);
    } catch (const std::exception& error) {
        result.failure = platform::describe(error);
    }
    return result;
}

} // namespace basKopieren
