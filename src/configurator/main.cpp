#include "RendloControl.h"
#include "frmRendlo.h"

#include <QApplication>
#include <acad/BusConnector.h>
#include <platform/QtMessageBox.h>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(RendloControl::title());
    QGuiApplication::setDesktopFileName(QStringLiteral("de.velmora.Rendlo"));
    const platform::QtMessageBoxes boxes;
    acad::BusConnector connector;
    RendloControl control(connector);
    frmRendlo window(control);
    window.show();
    return QApplication::exec();
}
