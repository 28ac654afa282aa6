#pragma once

#include <QtGlobal>

namespace explorer {

// The drawing operations that the tree's own procedures start. The operations module implements
// them; the program hands them to the views, so that the views need not know that module.
class DrawingOperations
{
public:
    virtual ~DrawingOperations() = default;

    // Flags: 1 set, 0 clear.
    virtual void ActivateDrawing(qint16 layoutNode, qint16 ask, qint16 listLayout) = 0;
    virtual void OpenVorlage(qint16 ask) = 0;
};

} // namespace explorer
