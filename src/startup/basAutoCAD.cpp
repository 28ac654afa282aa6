#include "basAutoCAD.h"

#include "basMain.h"

#include <acad/Error.h>
#include <explorer/basViewControls.h>
#include <explorer/controls/TreeControl.h>
#include <platform/MsgBox.h>
#include <settings/basDatenbank.h>

namespace basAutoCAD {

std::shared_ptr<acad::Host> AcadApp;
acad::DocId ActiveDoc = 0;

namespace {

acad::Connector* gConnector = nullptr;

// The plain report of the services: the error's text, OK only, no icon, the program's title.
void report(const QString& text)
{
    platform::MsgBox(text, platform::vbOKOnly);
}

// "Errors are ignored step by step": one step, its automation or library error swallowed.
template <typename Step> void ignoringErrors(Step&& step)
{
    try {
        step();
    } catch (const acad::Error&) {
    } catch (const std::exception&) {
    }
}

std::shared_ptr<acad::Host> attachRunning()
{
    if (!gConnector)
        return {};
    try {
        return gConnector->attach(acad::kAcadProgId);
    } catch (const acad::Error&) {
        return {};
    }
}

QString fullPath(const acad::DocumentRef& ref)
{
    return ref.path + QLatin1Char('/') + ref.name;
}

void bringAcadToFront()
{
    if (AcadApp)
        basMain::BringWindowToFront(AcadApp->hwnd());
}

// The selected template, from the list when the tree's selection is the library root.
QString selectedTemplatePath()
{
    const explorer::TreeControl* tree = basViewControls::tvTreeView();
    const bool fromList = tree && tree->selectedKey().startsWith(QLatin1Char('B'));
    return basViewControls::GetVorlageGesamt(fromList);
}

// The folder of library type 1, the template folder.
QString libraryFolder()
{
    const auto typ = basDatenbank::gTypen.Item(QStringLiteral("1"));
    if (!typ)
        throw acad::Error(QStringLiteral("Ungültiger Prozeduraufruf oder ungültiges Argument"));
    return typ->Verzeichnis;
}

} // namespace

void setConnector(acad::Connector* connector)
{
    gConnector = connector;
}

acad::Connector* connector()
{
    return gConnector;
}

bool IsAutoCADRunning()
{
    return gConnector && gConnector->isRunning(acad::kAcadProgId);
}

void ConnectAutoCAD()
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

void StartAutoCAD()
{
    AcadApp = attachRunning();
    if (!AcadApp) {
        try {
            if (!gConnector)
                throw acad::Error(QStringLiteral("Das Programm \"%1\" kann nicht gestartet werden.")
                                      .arg(acad::kAcadProgId));
            AcadApp = gConnector->create(acad::kAcadProgId);
        } catch (const acad::Error& e) {
            AcadApp.reset();
            report(e.description());
            return;
        }
    }
    ignoringErrors([] { basDatenbank::LoadTypen(AcadApp.get()); });
    ignoringErrors([] { AcadApp->setVisible(true); });
    ignoringErrors([] { ActiveDoc = AcadApp->application().activeDocument; });
    // Before the window exists the start-up's own refresh follows anyway.
    if (basMain::MainForm)
        ignoringErrors([] { basViewControls::FillTreeView(); });
}

QString GetActiveDrawingPath()
{
    if (!AcadApp || ActiveDoc == 0)
        return {};
    acad::DocumentRef ref;
    try {
        ref = AcadApp->document(ActiveDoc).ref;
    } catch (const acad::Error&) {
        // Closed in the CAD program since it was read: both parts count as empty.
    }
    return fullPath(ref);
}

QString GetActiveLayoutName(const QString& path)
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

void OpenDesignCenter(qint16 mode)
{
    try {
        QString path;
        if (mode == 0)
            path = libraryFolder();
        else if (mode == 1)
            path = selectedTemplatePath();
        if (!AcadApp)
            throw acad::Error(QStringLiteral("AutoCAD ist nicht aktiv!"));
        if (ActiveDoc != 0)
            AcadApp->sendCommand(ActiveDoc, QStringLiteral("ADCNAVIGIEREN\r\r") + path + QLatin1Char('\r'));
        bringAcadToFront();
    } catch (const acad::Error& e) {
        report(e.description());
    }
}

void NewDrawingFromTemplate()
{
    try {
        const QString path = selectedTemplatePath();
        if (!AcadApp)
            throw acad::Error(QStringLiteral("AutoCAD ist nicht aktiv!"));
        AcadApp->addDocument(path);
        bringAcadToFront();
    } catch (const acad::Error& e) {
        report(e.description());
    }
}

} // namespace basAutoCAD
