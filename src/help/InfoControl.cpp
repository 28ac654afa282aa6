#include "InfoControl.h"

#include "Shell.h"
#include "basHTMLHelp.h"

#include <QFileInfo>
#include <platform/FamilyKeyStore.h>
#include <platform/MsgBox.h>
#include <platform/ProgramFolder.h>

namespace {

const QString kMsinfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString kLocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");

} // namespace

InfoControl::InfoControl(basHTMLHelp::HTMLHelp& htmlHelp, help::Shell& shell)
    : m_htmlHelp(htmlHelp), m_shell(shell)
{
}

QVersionNumber InfoControl::buildVersion()
{
    return QVersionNumber(BW_VERSION_MAJOR, BW_VERSION_MINOR, BW_VERSION_PATCH);
}

QString InfoControl::versionText(const QVersionNumber& version)
{
    return QStringLiteral("Version %1.%2.%3")
        .arg(version.majorVersion())
        .arg(version.minorVersion())
        .arg(version.microVersion());
}

QStringList InfoControl::makerTexts()
{
    return {QStringLiteral("Velmora Software GmbH"),
            QStringLiteral("Lindenallee 12"),
            QStringLiteral("04109 Leipzig"),
            QStringLiteral("Telefon: 0341 555 01 00"),
            QStringLiteral("Telefax: 0341 555 01 99"),
            QStringLiteral("Hotline: 0341 555 01 50"),
            QStringLiteral("© Velmora Software GmbH. Alle Rechte vorbehalten.")};
}

QString InfoControl::eMailText()
{
    return QStringLiteral("info@velmora.example");
}

QString InfoControl::internetText()
{
    return QStringLiteral("www.velmora.example");
}

QUrl InfoControl::eMailUrl()
{
    return QUrl(QStringLiteral("mailto:") + eMailText());
}

QUrl InfoControl::internetUrl()
{
    return QUrl(QStringLiteral("https://") + internetText() + QLatin1Char('/'));
}

void InfoControl::lblEMail_Click()
{
    m_shell.openUrl(eMailUrl());
}

void InfoControl::lblInternet_Click()
{
    m_shell.openUrl(internetUrl());
}

void InfoControl::cmdFirmaInfo_Click()
{
    m_htmlHelp.ShowHelpTopic(QStringLiteral("Kvarto_17"));
}

void InfoControl::StartSysInfo()
{
    QString value;
    if (GetKeyValue(kMsinfoKey, QStringLiteral("PATH"), value)) {
        if (m_shell.startProgram(value))
            return;
    } else if (GetKeyValue(kLocationKey, QStringLiteral("MSINFO"), value)) {
        const QString program = platform::joinPath(value, QStringLiteral("MSINFO32.EXE"));
        if (QFileInfo(program).isFile() && m_shell.startProgram(program))
            return;
    }
    platform::MsgBox(QStringLiteral("Systeminformationen sind momentan nicht verfügbar"));
}

bool InfoControl::GetKeyValue(const QString& KeyName, const QString& SubKeyRef, QString& KeyVal)
{
    return platform::tryReadFamilyValue(KeyName, SubKeyRef, &KeyVal);
}
