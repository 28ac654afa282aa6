#include <QApplication>
#include <acad/BusConnector.h>
#include <cstdio>
#include <platform/QtMessageBox.h>
#include <startup/basMain.h>

int main(int argc, char** argv)
{
    // Answered before the application exists, so that it needs no screen.
    const QString version = basMain::versionRequested(argc, argv);
    if (!version.isEmpty()) {
        std::fprintf(stdout, "%s\n", qPrintable(version));
        return 0;
    }
    QApplication app(argc, argv);
    // The desktop finds the program's menu entry and icon by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("de.velmora.Blattwart"));
    const platform::QtMessageBoxes boxes;
    acad::BusConnector connector;
    basMain::Program program(connector);
    return program.Main() ? app.exec() : 0;
}
