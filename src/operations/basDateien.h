#pragma once

#include <QString>
#include <acad/Types.h>
#include <explorer/DrawingOperations.h>
#include <memory>

namespace acad {
class Host;
}
namespace basViewControls {
class ViewControls;
}
namespace explorer {
class AcadConnection;
class ViewHost;
} // namespace explorer
struct CAcadobj;

// The operations on whole drawings: make one current, open a template or a file, close, save, switch
// to model space. Every one runs under its own error trap and works through the CAD program only.
namespace basDateien {

class Dateien final : public explorer::DrawingOperations
{
public:
    // The connection to the CAD program, the explorer's views and the window around them (for the
    // status bar); none is owned.
    Dateien(explorer::AcadConnection& connection, basViewControls::ViewControls& views,
            explorer::ViewHost& host);

    void ActivateDrawing(qint16 layoutNode, qint16 ask, qint16 listLayout) override;
    void OpenVorlage(qint16 ask) override;
    void OpenDrawingFile(const QString& path);
    void CloseDrawing();
    void SaveDrawing(qint16 saveAs);
    void SetModelSpace();

private:
    struct DrawingTarget
    {
        QString path;   // the drawing's folder and file name
        QString layout; // the layout's name; empty for a drawing target
        bool valid = true;
    };

    std::shared_ptr<acad::Host> app() const;
    DrawingTarget activationTarget(bool layoutNode, bool listLayout) const;
    bool switchDocument(const DrawingTarget& target, bool ask, bool layoutNode);
    void selectLayout(const QString& layout);
    void redoBoldMarks(bool layoutNode, bool listLayout);
    QList<acad::DocId> selectedDrawingDocuments(QString& gesamt);
    void saveEach(const QString& gesamt, const QList<acad::DocId>& docs, bool saveAs);

    explorer::AcadConnection& m_connection;
    basViewControls::ViewControls& m_views;
    explorer::ViewHost& m_host;
};

// Activates every document of docs in turn, each time reading the active document back and showing
// it in the status bar.
void activateEach(acad::Host& app, const QList<acad::DocId>& docs, explorer::AcadConnection& connection,
                  explorer::ViewHost& host);
// Makes the layout of that name (ignoring case) the document's current layout, unless it is already.
// False when the document has no layout of that name.
bool activateLayout(acad::Host& app, acad::DocId doc, const QString& layout);
// Tells the user that the chosen drawing is no longer open in the CAD program; the tree was out of
// date. The caller then refreshes it.
void reportNotLoaded(const QString& gesamt);
// The CAD program's application object; fails when Blattwart is not attached.
std::shared_ptr<acad::Host> attachedApp(const explorer::AcadConnection& connection);

} // namespace basDateien
