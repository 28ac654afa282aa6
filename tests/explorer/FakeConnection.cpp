#include "FakeConnection.h"

#include <acad/Error.h>
#include <acad/Host.h>
#include <platform/MsgBox.h>
#include <records/CAcadobj.h>

std::shared_ptr<acad::Host> FakeConnection::acadApp() const
{
    return AcadApp;
}

acad::DocId FakeConnection::activeDoc() const
{
    return ActiveDoc;
}

QString FakeConnection::GetActiveDrawingPath()
{
    if (!AcadApp || ActiveDoc == 0)
        return {};
    try {
        const acad::DocumentRef ref = AcadApp->document(ActiveDoc).ref;
        return gesamtOf(ref.path, ref.name);
    } catch (const acad::Error&) {
        return QStringLiteral("/"); // closed since it was read, as the program's connection has it
    }
}

QString FakeConnection::GetActiveLayoutName(const QString& fullPath)
{
    QString result;
    try {
        for (const acad::DocumentRef& ref :
             AcadApp ? AcadApp->application().documents : QList<acad::DocumentRef>()) {
            if (gesamtOf(ref.path, ref.name).toUpper() == fullPath.toUpper())
                result = AcadApp->document(ref.id).activeLayout;
        }
    } catch (const acad::Error& e) {
        platform::MsgBox(e.description(), platform::vbOKOnly);
    }
    return result;
}

void FakeConnection::ReadActiveDoc()
{
    ActiveDoc = AcadApp ? AcadApp->application().activeDocument : 0;
}

void FakeConnection::BringAcadToFront()
{
    ++bringToFrontCalls;
}
