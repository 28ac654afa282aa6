#pragma once

#include <QString>
#include <acad/Types.h>
#include <memory>

namespace acad {
class Host;
}

namespace explorer {

// What the views ask of the program's connection to the CAD program. The start-up module's
// connection implements it; tests hand in their own.
class AcadConnection
{
public:
    virtual ~AcadConnection() = default;

    // The CAD program's application object; empty when Blattwart is not attached.
    virtual std::shared_ptr<acad::Host> acadApp() const = 0;
    // The active document as last read; 0 when there is none.
    virtual acad::DocId activeDoc() const = 0;
    // Folder + "/" + file name of the active document; "" without one.
    virtual QString GetActiveDrawingPath() = 0;
    // The current layout of the open drawing with that full path ("Model" in model space); "" when
    // no open drawing has it. Reports an error and returns what it found so far.
    virtual QString GetActiveLayoutName(const QString& fullPath) = 0;
    // Sets the active-document reference from the CAD program's active document; fails as the CAD
    // program's call does.
    virtual void ReadActiveDoc() = 0;
    // Brings the CAD program's window to the front through the host's own call; nothing when
    // Blattwart is not attached.
    virtual void BringAcadToFront() = 0;
};

} // namespace explorer
