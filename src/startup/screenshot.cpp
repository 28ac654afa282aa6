// Takes a picture of the main window as the user sees it after the start:
//   bw_screenshot OUT.png DRAWING...
// It starts the CAD host when none runs, opens the drawings in it, runs the start-up, grabs the window
// and ends the host it started. Run it with a display (Xvfb will do) and a session bus of its own.
#include <QApplication>
#include <QTextStream>
#include <QTimer>
#include <acad/BusConnector.h>
#include <acad/Error.h>
#include <explorer/basViewControls.h>
#include <explorer/controls/TreeControl.h>
#include <explorer/frmMain.h>
#include <platform/QtMessageBox.h>
#include <platform/UserSettings.h>
#include <startup/basMain.h>

namespace {

int fail(const QString& text)
{
    QTextStream(stderr) << text << Qt::endl;
    return 1;
}

// A placement that shows tree, list and columns at a readable size.
void placeWindow()
{
    platform::SaveSetting(QStringLiteral("MainLeft"), QStringLiteral("600"));
    platform::SaveSetting(QStringLiteral("MainTop"), QStringLiteral("600"));
    platform::SaveSetting(QStringLiteral("MainWidth"), QStringLiteral("13500"));
    platform::SaveSetting(QStringLiteral("MainHeight"), QStringLiteral("7800"));
    platform::SaveSetting(QStringLiteral("ViewMode"), QStringLiteral("3"));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 2)
        return fail(QStringLiteral("Aufruf: bw_screenshot BILD.png ZEICHNUNG..."));
    platform::installQtMessageBox();
    acad::BusConnector connector;
    std::shared_ptr<acad::Host> host;
    try {
        host = connector.isRunning(acad::kAcadProgId) ? connector.attach(acad::kAcadProgId)
                                                      : connector.create(acad::kAcadProgId);
        for (const QString& drawing : args.mid(1))
            host->openDocument(drawing);
    } catch (const acad::Error& e) {
        return fail(e.description());
    }
    placeWindow();
    basMain::Program program(connector);
    if (!program.Main())
        return fail(QStringLiteral("Der Blattwart ist nicht gestartet."));
    // The drawings root with its list, as the user sees it after one click.
    program.MainForm->tvTreeView()->select(QStringLiteral("A"));
    program.MainForm->views().TreeSelectionChanged();
    bool saved = false;
    QTimer::singleShot(1500, [&] {
        saved = program.MainForm->grab().save(args.first());
        app.quit();
    });
    app.exec();
    try {
        host->quit();
    } catch (const acad::Error&) {
        // Gone already.
    }
    return saved ? 0 : fail(QStringLiteral("Das Bild kann nicht gespeichert werden: ") + args.first());
}
