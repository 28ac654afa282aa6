#pragma once

#include "HelpControl.h"

#include <QWidget>

namespace basHTMLHelp {
class HTMLHelp;
}

namespace help {
class HelpViewer;
class Shell;
} // namespace help

// The owner of the help window, captioned "Hilfe". It is never shown itself; the help window is
// created with the first topic that can be shown, and every later topic reuses it.
class frmHilfe final : public QWidget
{
    Q_OBJECT

public:
    frmHilfe(basHTMLHelp::HTMLHelp& htmlHelp, help::Shell& shell);
    ~frmHilfe() override;

    // Opens topic "Kvarto_1".
    void ShowStartHelp();

    // Shows the topic of the help file in the help window; false after a message when it cannot.
    bool DisplayTopic(const QString& fileName, const QString& topic);

    // nullptr until a topic has been shown.
    help::HelpViewer* helpViewer() const { return m_viewer; }

private:
    basHTMLHelp::HTMLHelp& m_htmlHelp;
    help::HelpControl m_control;
    help::HelpViewer* m_viewer = nullptr;
};
