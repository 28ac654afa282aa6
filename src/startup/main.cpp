#include <QApplication>
#include <acad/BusConnector.h>
#include <platform/QtMessageBox.h>
#include <startup/basMain.h>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const platform::QtMessageBoxes boxes;
    acad::BusConnector connector;
    basMain::Program program(connector);
    return program.Main() ? app.exec() : 0;
}
