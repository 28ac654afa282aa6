#pragma once

#include <QString>
#include <memory>

class frmHilfe;

namespace help {
class Shell;
}

namespace basHTMLHelp {

// The help file's topics: "Help/Kvarto.chm" of the program folder, shown in the one help window
// that frmHilfe owns. frmHilfe is loaded with the first request.
class HTMLHelp final
{
public:
    HTMLHelp(const QString& programFolder, help::Shell& shell);
    ~HTMLHelp();
    HTMLHelp(const HTMLHelp&) = delete;
    HTMLHelp& operator=(const HTMLHelp&) = delete;

    // Opens the help file at topic + ".htm". A missing or damaged file, or a missing topic, gives
    // a message and no window.
    void ShowHelpTopic(const QString& topic);

    QString helpFile() const;
    // nullptr until the first request.
    frmHilfe* hilfe() const { return m_frmHilfe.get(); }

private:
    QString m_programFolder;
    help::Shell& m_shell;
    std::unique_ptr<frmHilfe> m_frmHilfe;
};

} // namespace basHTMLHelp
