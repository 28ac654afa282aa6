// Takes a picture of the main window as the user sees it after the start:
//   bw_screenshot [--layout NAME] OUT.png DRAWING...
// With --layout the picture shows that layout's details, else the list of the loaded drawings.
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

// The key of the first tree node that shows text; "" when none does.
QString nodeShowing(const frmMain& window, const QString& text)
{
    const explorer::TreeControl& tree = *window.tvTreeView();
    for (const QString& key : tree.allKeys()) {
        if (tree.text(key) == text)
            return key;
    }
    return {};
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString layout;
    if (args.size() > 1 && args.first() == QLatin1String("--layout")) {
        layout = args.at(1);
        args = args.mid(2);
    }
    if (args.size() < 2)
        return fail(QStringLiteral("Aufruf: bw_screenshot [--layout NAME] BILD.png ZEICHNUNG..."));
    const platform::QtMessageBoxes boxes;
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
    // The drawings root with its list, or the layout's details, as the user sees it after one click.
    const QString node = layout.isEmpty() ? QStringLiteral("A") : nodeShowing(*program.MainForm, layout);
    if (node.isEmpty())
        return fail(QStringLiteral("Kein Layout ") + layout);
    program.MainForm->tvTreeView()->select(node);
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
