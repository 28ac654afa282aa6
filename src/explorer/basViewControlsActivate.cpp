#include "DrawingOperations.h"
#include "basViewControls.h"
#include "controls/TreeControl.h"

namespace basViewControls {

void ViewControls::setDrawingOperations(explorer::DrawingOperations* operations)
{
    m_operations = operations;
}

// A drawing node hands the flag on as the opposite of the list-layout flag: 0 (the command) makes the
// layout chosen in the list current, 1 (the double click) the drawing alone.
void ViewControls::ActivateSelectedNode(qint16 flag)
{
    if (!m_operations)
        return;
    try {
        switch (selectedKind()) {
        case NodeKind::Drawing:
            m_operations->ActivateDrawing(0, 1, flag == 0 ? 1 : 0);
            break;
        case NodeKind::Layout:
            m_operations->ActivateDrawing(1, 1, 0);
            break;
        case NodeKind::Template:
            m_operations->OpenVorlage(1);
            break;
        default:
            break;
        }
    } catch (const std::exception& error) {
        showError(error);
    }
}

} // namespace basViewControls
