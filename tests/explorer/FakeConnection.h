#pragma once

#include <explorer/AcadConnection.h>

// The views' connection to the CAD program without the program: the host the test hands in, and the
// active document read from it. Errors of the host are shown as the program shows them.
class FakeConnection final : public explorer::AcadConnection
{
public:
    std::shared_ptr<acad::Host> AcadApp;
    acad::DocId ActiveDoc = 0;
    int bringToFrontCalls = 0;

    std::shared_ptr<acad::Host> acadApp() const override;
    acad::DocId activeDoc() const override;
    QString GetActiveDrawingPath() override;
    QString GetActiveLayoutName(const QString& fullPath) override;
    void ReadActiveDoc() override;
    void BringAcadToFront() override;
};
