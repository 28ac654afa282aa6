#include "basAllgemein.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <cmath>
#include <platform/MsgBox.h>
#include <platform/SystemError.h>

namespace basAllgemein {

namespace {

QString deletionFailure(const QString& path, QFile& file)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return QStringLiteral("Die Datei gibt es nicht (mehr).");
    if (info.isDir())
        return QStringLiteral("Das ist ein Ordner und keine Datei.");
    if (!QFileInfo(info.absolutePath()).isWritable())
        return QStringLiteral("Der Ordner \"%1\" ist schreibgeschützt.").arg(info.absolutePath());
    return platform::germanReason(file);
}

} // namespace

QString FormatZahl(double value)
{
    return FormatZahl(value, QLocale().decimalPoint());
}

QString FormatZahl(double value, const QString& decimalPoint)
{
    if (!std::isfinite(value))
        return QString::number(value);
    // The pattern "0.00" has ASCII digits, "-" and no grouping; only the decimal separator is the
    // user's, so the number is formed in the C locale and the separator exchanged afterwards.
    QString text = QString::number(value, 'f', 2);
    if (text.endsWith(QLatin1String("00")))
        text.chop(3);
    // A value that rounds to zero has no sign: -0.004 gives "0" like 0.004.
    if (text == QLatin1String("-0"))
        return QStringLiteral("0");
    return text.replace(QLatin1Char('.'), decimalPoint);
}

bool DateiLoeschen(const QString& path, bool& deleted)
{
    const platform::MsgBoxResult answer =
        platform::MsgBox(QStringLiteral("Datei: ") + path + QStringLiteral(" wirklich löschen?"),
                         platform::vbQuestion | platform::vbYesNo);
    if (answer != platform::vbYes) {
        deleted = false;
        return false;
    }
    QFile file(path);
    if (QFileInfo(path).isFile() && file.remove()) {
        deleted = true;
        return false;
    }
    platform::MsgBox(QStringLiteral("Die Datei \"%1\" konnte nicht gelöscht werden.\n%2")
                         .arg(path, deletionFailure(path, file)),
                     platform::vbExclamation);
    return true;
}

} // namespace basAllgemein
