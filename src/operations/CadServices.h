#pragma once

#include <QString>
#include <explorer/AcadConnection.h>

namespace operations {

// What the commands ask of the CAD program beyond what the views ask: starting it, its design centre
// and a new drawing from a template. The program's connection implements it; tests hand in their own.
class CadServices : public explorer::AcadConnection
{
public:
    // Starts the CAD program (or attaches to one that runs) and loads what the product needs.
    virtual void StartAutoCAD() = 0;
    // Mode 0 the library folder, 1 the template the caller names, any other value no path.
    virtual void OpenDesignCenter(qint16 mode, const QString& templatePath) = 0;
    // A new drawing from the template the caller names.
    virtual void NewDrawingFromTemplate(const QString& templatePath) = 0;
};

} // namespace operations
