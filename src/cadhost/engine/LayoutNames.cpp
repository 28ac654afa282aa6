#include "LayoutNames.h"

#include <acad/Error.h>

namespace cadhost {

namespace {

constexpr qsizetype kMaxNameLength = 255;
const QString kForbidden = QStringLiteral("<>/\\\":;?*|,=`");

bool taken(const Drawing& drawing, const QString& name)
{
    return findLayout(drawing, name) != nullptr;
}

bool isControl(QChar c)
{
    const QChar::Category cat = c.category();
    return cat == QChar::Other_Control || cat == QChar::Separator_Line || cat == QChar::Separator_Paragraph;
}

} // namespace

QString codePoint(QChar c)
{
    return QStringLiteral("U+") +
           QString::number(c.unicode(), 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

qsizetype controlCharacterAt(QStringView text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isControl(text.at(i)))
            return i;
    }
    return -1;
}

bool hasControlCharacter(QStringView text)
{
    return controlCharacterAt(text) >= 0;
}

QString printable(const QString& text)
{
    if (!hasControlCharacter(text))
        return text;
    QString out;
    for (const QChar c : text)
        out += isControl(c) ? QLatin1Char('<') + codePoint(c) + QLatin1Char('>') : QString(c);
    return out;
}

bool sameLayoutName(const QString& a, const QString& b)
{
    return a.toUpper() == b.toUpper();
}

QString layoutNameProblem(const Drawing& drawing, const QString& name, const Layout* self)
{
    if (name.isEmpty())
        return QStringLiteral("Der Layoutname darf nicht leer sein.");
    if (name.size() > kMaxNameLength)
        return QStringLiteral("Der Layoutname ist länger als %1 Zeichen.").arg(kMaxNameLength);
    if (const qsizetype at = controlCharacterAt(name); at >= 0)
        return QStringLiteral("Layoutname enthält ein Steuerzeichen (%1): %2 – Zeilenumbrüche, Escape und "
                              "andere Steuerzeichen sind in Layoutnamen nicht erlaubt.")
            .arg(codePoint(name.at(at)), printable(name));
    for (const QChar c : name) {
        if (kForbidden.contains(c))
            return QStringLiteral("Layoutname enthält ungültige Zeichen: %1").arg(name);
    }
    const Layout* other = findLayout(drawing, name);
    if (other && other != self)
        return QStringLiteral("Layoutname ist bereits vorhanden: %1").arg(name);
    return {};
}

void checkLayoutName(const Drawing& drawing, const QString& name, const Layout* self)
{
    const QString problem = layoutNameProblem(drawing, name, self);
    if (!problem.isEmpty())
        throw acad::Error(problem);
}

Layout* findLayout(Drawing& drawing, const QString& name)
{
    const QString wanted = name.toUpper();
    for (Layout& l : drawing.layouts) {
        if (l.name.toUpper() == wanted)
            return &l;
    }
    return nullptr;
}

const Layout* findLayout(const Drawing& drawing, const QString& name)
{
    return findLayout(const_cast<Drawing&>(drawing), name);
}

QString freeLayoutName(const Drawing& drawing, const QString& base)
{
    for (qint32 n = 1;; ++n) {
        const QString candidate = base + QString::number(n);
        if (!taken(drawing, candidate))
            return candidate;
    }
}

QString freeCopyName(const Drawing& drawing, const QString& name)
{
    if (!taken(drawing, name))
        return name;
    for (qint32 n = 2;; ++n) {
        const QString candidate = QStringLiteral("%1 (%2)").arg(name).arg(n);
        if (!taken(drawing, candidate))
            return candidate;
    }
}

} // namespace cadhost
