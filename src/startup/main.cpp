#include <QApplication>
#include <acad/BusConnector.h>
#include <platform/QtMessageBox.h>
#include <startup/basAutoCAD.h>
#include <startup/basMain.h>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    platform::installQtMessageBox();
    acad::BusConnector connector;
    basAutoCAD::setConnector(&connector);
    const int rc = basMain::Main() ? app.exec() : 0;
    basMain::Shutdown();
    basAutoCAD::setConnector(nullptr);
    return rc;
}
