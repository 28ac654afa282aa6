#include "basAutoCAD.h"

#include <acad/CommandString.h>
#include <acad/Error.h>
#include <platform/Error.h>
#include <platform/MsgBox.h>
#include <records/CAcadobj.h>
#include <settings/basDatenbank.h>

namespace basAutoCAD {

namespace {

// The plain report of the services: the error's text, OK only, no icon, the program's title.
void report(const QString& text)
{
    platform::MsgBox(text, platform::vbOKOnly);
}

QString fullPath(const acad::DocumentRef& ref)
{
    return gesamtOf(ref.path, ref.name);
}

} // namespace

Connection::Connection(acad::Connector& connector, basDatenbank::Definitions& definitions)
    : m_connector(connector), m_definitions(definitions)
{
}

std::shared_ptr<acad::Host> Connection::acadApp() const
{
    return AcadApp;
}

acad::DocId Connection::activeDoc() const
{
    return ActiveDoc;
}

std::shared_ptr<acad::Host> Connection::attachRunning()
{
    try {
        return m_connector.attach(acad::kAcadProgId);
    } catch (const acad::Error&) {
        return {};
    }
}

void Connection::BringAcadToFront()
{
    if (AcadApp)
        BringWindowToFront(AcadApp->hwnd());
}

void Connection::ReadActiveDoc()
{
    ActiveDoc = AcadApp ? AcadApp->application().activeDocument : 0;
}

void Connection::BringWindowToFront(qint64 hwnd)
{
    Q_UNUSED(hwnd);
    if (AcadApp)
        AcadApp->bringToFront();
}

// The folder of library type 1, the template folder.
QString Connection::libraryFolder() const
{
    const auto typ = m_definitions.gTypen.Item(QStringLiteral("1"));
    if (!typ)
        throw acad::Error(QStringLiteral("Ungültiger Prozeduraufruf oder ungültiges Argument"));
    return typ->Verzeichnis;
}

bool Connection::IsAutoCADRunning()
{
    return m_connector.isRunning(acad::kAcadProgId);
}

void Connection::ConnectAutoCAD()
{
    AcadApp = attachRunning();
    ActiveDoc = 0;
    if (!AcadApp)
        return;
    try {
        ActiveDoc = AcadApp->application().activeDocument;
    } catch (const acad::Error&) {
        // Attached but not answering: the next watch tick finds out more.
        ActiveDoc = 0;
    }
}

void Connection::StartAutoCAD()
{
    AcadApp = attachRunning();
    if (!AcadApp) {
        try {
            AcadApp = m_connector.create(acad::kAcadProgId);
        } catch (const acad::Error& e) {
            AcadApp.reset();
            report(e.description());
            return;
        }
    }
    platform::ignoringErrors([this] { m_definitions.LoadTypen(AcadApp.get()); });
    platform::ignoringErrors([this] { AcadApp->setVisible(true); });
    platform::ignoringErrors([this] { ActiveDoc = AcadApp->application().activeDocument; });
    // Before the window exists the start-up's own refresh follows anyway.
    if (FillTreeView)
        platform::ignoringErrors(FillTreeView);
}

QString Connection::GetActiveDrawingPath()
{
    if (!AcadApp || ActiveDoc == 0)
        return {};
    try {
        return fullPath(AcadApp->document(ActiveDoc).ref);
    } catch (const acad::Error&) {
        // Closed in the CAD program since it was read: both parts count as empty.
        return QStringLiteral("/");
    }
}

QString Connection::GetActiveLayoutName(const QString& path)
{
    QString result;
    if (!AcadApp)
        return result;
    try {
        const QString wanted = path.toUpper();
        const acad::ApplicationSnapshot app = AcadApp->application();
        for (const acad::DocumentRef& ref : app.documents) {
            if (fullPath(ref).toUpper() == wanted)
                result = AcadApp->document(ref.id).activeLayout;
        }
    } catch (const acad::Error& e) {
        report(e.description());
    }
    return result;
}

void Connection::OpenDesignCenter(qint16 mode, const QString& templatePath)
{
    try {
        QString path;
        if (mode == 0)
            path = libraryFolder();
        else if (mode == 1)
            path = templatePath;
        if (!AcadApp)
            throw acad::Error(QStringLiteral("AutoCAD ist nicht aktiv!"));
        if (ActiveDoc != 0) {
            AcadApp->sendCommand(ActiveDoc, acad::CommandString(QStringLiteral("ADCNAVIGIEREN"))
                                                .defaultAnswer()
                                                .value(path, mode == 1 ? QStringLiteral("Die Vorlage")
                                                                       : QStringLiteral("Der Ordner"))
                                                .text());
        }
        BringAcadToFront();
    } catch (const acad::Error& e) {
        report(e.description());
    }
}

void Connection::NewDrawingFromTemplate(const QString& templatePath)
{
    try {
        if (!AcadApp)
            throw acad::Error(QStringLiteral("AutoCAD ist nicht aktiv!"));
        AcadApp->addDocument(templatePath);
        BringAcadToFront();
    } catch (const acad::Error& e) {
        report(e.description());
    }
}

} // namespace basAutoCAD
