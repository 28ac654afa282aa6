#pragma once

#include <acad/Connector.h>
#include <memory>

// The program's two references into the CAD program and the small services around them.
namespace basAutoCAD {

// Empty when Blattwart is not attached.
extern std::shared_ptr<acad::Host> AcadApp;
// The active document as last read; 0 = empty (not attached, or no drawing open).
extern acad::DocId ActiveDoc;

// The running-object lookup used by the services; the program installs the bus connector, tests an
// in-process one. Not owned.
void setConnector(acad::Connector* connector);
acad::Connector* connector();

bool IsAutoCADRunning();
void ConnectAutoCAD();
void StartAutoCAD();
QString GetActiveDrawingPath();
QString GetActiveLayoutName(const QString& fullPath);
void OpenDesignCenter(qint16 mode);
void NewDrawingFromTemplate();

} // namespace basAutoCAD
