#include "XDataCodec.h"

#include "LayoutNames.h"

#include <QLocale>
#include <acad/Error.h>
#include <limits>

namespace cadhost {

namespace {

constexpr qint16 kAppName = 1001;

bool isReal(qint16 code)
{
    return code >= 1010 && code <= 1059;
}

QVariant typedValue(const XDataItem& item)
{
    bool ok = false;
    if (item.code == 1070) {
        const qint16 v = item.value.toShort(&ok);
        if (ok)
            return QVariant::fromValue(v);
    } else if (item.code == 1071) {
        const qint32 v = item.value.toInt(&ok);
        if (ok)
            return QVariant::fromValue(v);
    } else if (isReal(item.code)) {
        const double v = item.value.toDouble(&ok);
        if (ok)
            return v;
    }
    return item.value;
}

[[noreturn]] void refuse(const QString& why)
{
    throw acad::Error(QStringLiteral("Ungültige erweiterte Daten: %1").arg(why));
}

template <typename Int> QString integerText(const QVariant& value, qint16 code)
{
    bool ok = false;
    const qlonglong v = value.toLongLong(&ok);
    if (!ok || value.toDouble() != double(v))
        refuse(QStringLiteral("Gruppencode %1 verlangt eine ganze Zahl, nicht \"%2\".")
                   .arg(code)
                   .arg(value.toString()));
    if (v < std::numeric_limits<Int>::min() || v > std::numeric_limits<Int>::max())
        refuse(QStringLiteral("Der Wert %1 passt nicht zu Gruppencode %2.").arg(v).arg(code));
    return QString::number(v);
}

// A line end in a value would split it into groups of its own in the file (and a NUL byte make the
// file binary), so text values take no control characters but the tab.
QString checkedText(qint16 code, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x20 && c != QLatin1Char('\t'))
            refuse(QStringLiteral("der Text zu Gruppencode %1 enthält ein Steuerzeichen (%2), etwa einen "
                                  "Zeilenumbruch: %3")
                       .arg(code)
                       .arg(codePoint(c))
                       .arg(printable(text)));
    }
    return text;
}

QString valueText(qint16 code, const QVariant& value)
{
    if (code == 1070)
        return integerText<qint16>(value, code);
    if (code == 1071)
        return integerText<qint32>(value, code);
    if (isReal(code)) {
        bool ok = false;
        const double v = value.toDouble(&ok);
        if (!ok)
            refuse(QStringLiteral("Gruppencode %1 verlangt eine Zahl, nicht \"%2\".")
                       .arg(code)
                       .arg(value.toString()));
        return QString::number(v, 'g', QLocale::FloatingPointShortest);
    }
    return checkedText(code, value.toString());
}

QList<XDataApp> parse(const acad::XData& data)
{
    if (data.codes.size() != data.values.size())
        refuse(
            QStringLiteral("%1 Gruppencodes, aber %2 Werte.").arg(data.codes.size()).arg(data.values.size()));
    if (data.codes.isEmpty() || data.codes.first() != kAppName)
        refuse(QStringLiteral("das erste Element muss den Anwendungsnamen (Gruppencode 1001) tragen."));
    QList<XDataApp> apps;
    for (qsizetype i = 0; i < data.codes.size(); ++i) {
        const qint16 code = data.codes.at(i);
        if (code < 1000 || code > 1071)
            refuse(QStringLiteral("Gruppencode %1 ist nicht erlaubt.").arg(code));
        if (code == kAppName) {
            const QString name = checkedText(code, data.values.at(i).toString());
            if (name.trimmed().isEmpty())
                refuse(QStringLiteral("leerer Anwendungsname."));
            apps.append({name, {}});
            continue;
        }
        apps.last().items.append({code, valueText(code, data.values.at(i))});
    }
    return apps;
}

} // namespace

acad::XData toAutomation(const QList<XDataApp>& apps, const QString& application)
{
    acad::XData out;
    for (const XDataApp& app : apps) {
        if (!application.isEmpty() && app.application.toUpper() != application.toUpper())
            continue;
        out.codes.append(kAppName);
        out.values.append(app.application);
        for (const XDataItem& item : app.items) {
            out.codes.append(item.code);
            out.values.append(typedValue(item));
        }
    }
    return out;
}

void applyXData(QList<XDataApp>& apps, const acad::XData& data)
{
    const QList<XDataApp> incoming = parse(data);
    for (const XDataApp& app : incoming) {
        const auto same = [&](const XDataApp& a) {
            return a.application.toUpper() == app.application.toUpper();
        };
        const auto it = std::find_if(apps.begin(), apps.end(), same);
        if (app.items.isEmpty()) {
            if (it != apps.end())
                apps.erase(it);
        } else if (it != apps.end()) {
            it->items = app.items;
        } else {
            apps.append(app);
        }
    }
}

} // namespace cadhost
