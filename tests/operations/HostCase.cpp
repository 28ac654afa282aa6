#include "HostCase.h"

#include <QtTest>
#include <acad/BusNames.h>
#include <acad/Connector.h>
#include <explorer/frmMain.h>

void endHostCase(PrivateBus& bus, std::unique_ptr<basMain::Program>& program,
                 std::shared_ptr<acad::Host>& user, std::unique_ptr<testsupport::MsgBoxRecorder>& boxes)
{
    if (program && program->MainForm)
        program->MainForm->close();
    program.reset();
    user.reset();
    bus.stopHost();
    const QString host = acad::bus::busNameForProgId(acad::kAcadProgId);
    bus.killOwnerOf(host);
    QTRY_VERIFY(!bus.hasOwner(host));
    QVERIFY2(!boxes->unexpected(), qPrintable(boxes->failures()));
    QVERIFY(boxes->scriptDone());
    boxes.reset();
}
