#pragma once

#include <acad/Types.h>

namespace acad {
class Host;
}
namespace basViewControls {
class ViewControls;
}
namespace explorer {
class AcadConnection;
}

// A batch of changes that the CAD program can take back as one step, as its undo marks group them.
namespace operations {

class BatchMark final
{
public:
    // Opens the mark in the drawing. A host that does not take it fails the batch's first step
    // as well, and that step says why.
    BatchMark(acad::Host& app, acad::DocId doc, basViewControls::ViewControls& views);
    // Closes the mark, also after an error; a batch that changed something becomes the one
    // "Rückgängig" takes back.
    ~BatchMark();
    BatchMark(const BatchMark&) = delete;
    BatchMark& operator=(const BatchMark&) = delete;

    // At least one step of the batch reached the drawing.
    void changed() { m_changed = true; }

private:
    acad::Host& m_app;
    acad::DocId m_doc;
    basViewControls::ViewControls& m_views;
    bool m_open = false;
    bool m_changed = false;
};

// "Rückgängig": the CAD program takes back the last batch of the active drawing, and the tree shows
// what the drawing holds then.
void UndoLastBatch(explorer::AcadConnection& connection, basViewControls::ViewControls& views);

} // namespace operations
