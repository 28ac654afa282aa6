#include "CommandLine.h"

#include <acad/Error.h>

namespace cadhost {

namespace {

const QString kFiledia = QStringLiteral("FILEDIA");

bool isDrawingVariable(const QString& upper)
{
    for (const char* name : {"CTAB", "TILEMODE", "DWGNAME", "DWGPREFIX", "DBMOD", "DWGTITLED"}) {
        if (upper == QLatin1String(name))
            return true;
    }
    return false;
}

// As the CAD program shows a value: text in quotes, numbers as they are.
QString shown(const QVariant& value)
{
    if (value.typeId() == QMetaType::QString)
        return QLatin1Char('"') + value.toString() + QLatin1Char('"');
    return value.toString();
}

} // namespace

qint16 CommandLine::filedia() const
{
    return m_filedia;
}

void CommandLine::askFiledia(acad::DocId line)
{
    const Document* document = m_documents.find(line);
    const QString current = variableOf(document, kFiledia).toString();
    ask(line, {QStringLiteral("Neuen Wert für FILEDIA eingeben <%1>:").arg(current),
               [this, line](const QString& answer) {
                   const QString value = answer.trimmed();
                   if (value.isEmpty())
                       return; // keeps the value
                   // The drawing the prompt belongs to may have been closed meanwhile: that ends it.
                   Document* target = line == 0 ? nullptr : &m_documents.doc(line);
                   setFiledia(target, value);
                   m_filediaAnswered = target ? target->filedia() : m_filedia;
               }});
}

QVariant CommandLine::variableOf(const Document* document, const QString& upper) const
{
    if (upper == kFiledia)
        return QVariant::fromValue(document ? document->filedia() : m_filedia);
    if (!document || !isDrawingVariable(upper))
        return {};
    if (upper == QLatin1String("CTAB"))
        return document->currentLayout();
    if (upper == QLatin1String("TILEMODE"))
        return QVariant::fromValue(qint16(document->activeSpace() == acad::ModelSpace ? 1 : 0));
    if (upper == QLatin1String("DWGNAME"))
        return document->name();
    if (upper == QLatin1String("DWGPREFIX"))
        return document->folder() + QLatin1Char('/');
    // 0 for a new drawing that has no file of its own yet.
    if (upper == QLatin1String("DWGTITLED"))
        return QVariant::fromValue(qint16(document->named() ? 1 : 0));
    return QVariant::fromValue(qint16(document->modified() ? 1 : 0)); // DBMOD
}

void CommandLine::setFiledia(Document* document, const QVariant& value)
{
    bool ok = false;
    const int v = value.toInt(&ok);
    if (!ok || (v != 0 && v != 1))
        throw acad::Error(
            QStringLiteral("Ungültiger Wert für FILEDIA: %1 (erlaubt sind 0 und 1).").arg(value.toString()));
    // A setting of the program: new drawings start with the value last set.
    m_filedia = qint16(v);
    if (document)
        document->setFiledia(qint16(v));
}

bool CommandLine::startVariable(acad::DocId line, const QString& name)
{
    // Names of variables are the same in every language: "_" and "." change nothing.
    QString upper = name.trimmed().toUpper();
    while (upper.startsWith(QLatin1Char('_')) || upper.startsWith(QLatin1Char('.')))
        upper.remove(0, 1);
    if (upper == kFiledia) {
        askFiledia(line);
        return true;
    }
    if (!isDrawingVariable(upper))
        return false;
    const Document* document = m_documents.find(line);
    if (!document)
        log(QStringLiteral("Die Systemvariable %1 gehört zu einer Zeichnung, und es ist keine geöffnet.")
                .arg(upper));
    else
        log(QStringLiteral("%1 = %2 (schreibgeschützt)").arg(upper, shown(variableOf(document, upper))));
    return true;
}

} // namespace cadhost
