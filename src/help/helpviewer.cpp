#include "Shell.h"
#include "basHTMLHelp.h"
#include "frmHilfe.h"

#include <QApplication>
#include <platform/ProgramFolder.h>
#include <platform/QtMessageBox.h>

// Shows a topic of the program folder's help file as Blattwart does: bw_helpviewer [TOPIC]
// (default "Kvarto_1"). For authors of the help pages, and for the README's picture.
int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const platform::QtMessageBoxes boxes;
    help::DesktopShell shell;
    basHTMLHelp::HTMLHelp htmlHelp(platform::programFolder(), shell);
    htmlHelp.ShowHelpTopic(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("Kvarto_1"));
    if (!htmlHelp.hilfe() || !htmlHelp.hilfe()->helpViewer())
        return 1;
    return app.exec();
}
