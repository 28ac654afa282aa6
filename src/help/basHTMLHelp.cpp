#include "basHTMLHelp.h"

#include "frmHilfe.h"

#include <exception>
#include <platform/MsgBox.h>
#include <platform/ProgramFolder.h>

namespace basHTMLHelp {

HTMLHelp::HTMLHelp(const QString& programFolder, help::Shell& shell)
    : m_programFolder(programFolder), m_shell(shell)
{
}

HTMLHelp::~HTMLHelp() = default;

QString HTMLHelp::helpFile() const
{
    return platform::joinPath(m_programFolder, QStringLiteral("Help/Kvarto.chm"));
}

void HTMLHelp::ShowHelpTopic(const QString& topic)
{
    try {
        if (!m_frmHilfe)
            m_frmHilfe = std::make_unique<frmHilfe>(*this, m_shell);
        m_frmHilfe->DisplayTopic(helpFile(), topic);
    } catch (const std::exception& e) {
        platform::MsgBox(QString::fromLocal8Bit(e.what()));
    }
}

} // namespace basHTMLHelp
