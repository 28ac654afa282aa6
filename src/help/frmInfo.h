#pragma once

#include <QDialog>
#include <array>

class InfoControl;
class QLabel;
class QPushButton;

namespace basHTMLHelp {
class HTMLHelp;
}

namespace help {
class Shell;
}

// The about box "Info zum KV+ -Blattwart": product picture, version, the maker's texts and
// addresses, and the buttons for the maker's help topic and the system information.
class frmInfo final : public QDialog
{
    Q_OBJECT

public:
    explicit frmInfo(InfoControl& control, QWidget* parent = nullptr);

    // Created on use, shown modally, and unloaded when closed.
    static void ShowModal(QWidget* parent, basHTMLHelp::HTMLHelp& htmlHelp, help::Shell& shell);

    QLabel* Picture1 = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* Label1 = nullptr;
    std::array<QLabel*, 6> Label{}; // Label5 to Label10
    QLabel* lblEMail = nullptr;
    QLabel* lblInternet = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdFirmaInfo = nullptr;
    QPushButton* cmdSysInfo = nullptr;

private:
    QLabel* addLabel(const QString& name, const QString& text);
    QLabel* addLink(const QString& name, const QString& text);
    void buildPicture();
    void buildButtons();

    InfoControl& m_control;
};
