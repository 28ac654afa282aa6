#pragma once

#include <acad/Connector.h>
#include <functional>
#include <memory>
#include <operations/CadServices.h>

namespace basDatenbank {
class Definitions;
}

// The program's two references into the CAD program and the small services around them.
namespace basAutoCAD {

class Connection final : public operations::CadServices
{
public:
    // The running-object lookup (the bus connector in the program, an in-process one in tests) and
    // the definitions that a start of the CAD program reloads; neither is owned.
    Connection(acad::Connector& connector, basDatenbank::Definitions& definitions);

    // Empty when Blattwart is not attached.
    std::shared_ptr<acad::Host> AcadApp;
    // The active document as last read; 0 = empty (not attached, or no drawing open).
    acad::DocId ActiveDoc = 0;
    // The view's refresh, run at the end of StartAutoCAD; empty before the window exists.
    std::function<void()> FillTreeView;

    bool IsAutoCADRunning();
    void ConnectAutoCAD();
    void StartAutoCAD() override;
    QString GetActiveDrawingPath() override;
    QString GetActiveLayoutName(const QString& fullPath) override;
    // Mode 0 the library folder, 1 the template the caller names, any other value no path.
    void OpenDesignCenter(qint16 mode, const QString& templatePath) override;
    // A new drawing from the template the caller names.
    void NewDrawingFromTemplate(const QString& templatePath) override;
    // The handle names the CAD program's window; the host shows, raises and activates it itself.
    void BringWindowToFront(qint64 hwnd);
    void ReadActiveDoc() override;
    void BringAcadToFront() override;

    std::shared_ptr<acad::Host> acadApp() const override;
    acad::DocId activeDoc() const override;

private:
    std::shared_ptr<acad::Host> attachRunning();
    QString libraryFolder() const;

    acad::Connector& m_connector;
    basDatenbank::Definitions& m_definitions;
};

} // namespace basAutoCAD
