#include "frmHilfe.h"

#include "HelpViewer.h"
#include "basHTMLHelp.h"

frmHilfe::frmHilfe(basHTMLHelp::HTMLHelp& htmlHelp, help::Shell& shell)
    : m_htmlHelp(htmlHelp), m_control(shell)
{
    setObjectName(QStringLiteral("frmHilfe"));
    setWindowTitle(QStringLiteral("Hilfe"));
}

frmHilfe::~frmHilfe() = default;

void frmHilfe::ShowStartHelp()
{
    m_htmlHelp.ShowHelpTopic(QStringLiteral("Kvarto_1"));
}

bool frmHilfe::DisplayTopic(const QString& fileName, const QString& topic)
{
    const std::optional<QUrl> page = m_control.OpenTopic(fileName, topic);
    if (!page)
        return false;
    if (!m_viewer)
        m_viewer = new help::HelpViewer(m_control, this);
    m_viewer->showPage(*page);
    return true;
}
