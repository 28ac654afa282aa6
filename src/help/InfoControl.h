#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <QVersionNumber>

namespace basHTMLHelp {
class HTMLHelp;
}

namespace help {
class Shell;
}

// What the about box does, without its widgets: its texts, the two addresses, the maker's help
// topic and the system information program.
class InfoControl final
{
public:
    InfoControl(basHTMLHelp::HTMLHelp& htmlHelp, help::Shell& shell);

    // The version of this build (the project's version).
    static QVersionNumber buildVersion();
    // "Version " + major.minor.revision.
    static QString versionText(const QVersionNumber& version);

    // The maker's static texts, in the order of Label1, Label5 to Label10.
    static QStringList makerTexts();
    static QString eMailText();
    static QString internetText();
    static QUrl eMailUrl();
    static QUrl internetUrl();

    void lblEMail_Click();
    void lblInternet_Click();
    void cmdFirmaInfo_Click();

    // Starts the system information program that the family key store names (the MSINFO keys),
    // else says "Systeminformationen sind momentan nicht verfügbar".
    void StartSysInfo();

    // One value of a key below the machine-wide store; false (and an empty KeyVal) when the key or
    // the value is missing.
    static bool GetKeyValue(const QString& KeyName, const QString& SubKeyRef, QString& KeyVal);

private:
    basHTMLHelp::HTMLHelp& m_htmlHelp;
    help::Shell& m_shell;
};
