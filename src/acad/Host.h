#pragma once

#include "Types.h"

#include <QStringList>

namespace acad {

// The CAD program's automation server, flattened: objects are addressed by document and object ids.
// Implemented by the cadhost engine (in-process, for tests) and by the D-Bus client (for the programs).
// Every call is synchronous and may throw acad::Error.
class Host
{
public:
    virtual ~Host() = default;

    // --- application
    virtual ApplicationSnapshot application() = 0; // documents, active document, visible
    virtual void setVisible(bool visible) = 0;
    virtual qint64 hwnd() = 0;
    virtual void bringToFront() = 0; // show, raise and activate the host window
    virtual void update() = 0;       // repaint the host window
    virtual void quit() = 0;

    // --- preferences
    virtual QString supportPath() = 0;
    virtual void setSupportPath(const QString& path) = 0;
    virtual QString templatePath() = 0; // the folder GetAcadPrefPfad returns
    virtual void setTemplatePath(const QString& path) = 0;

    // --- macros
    virtual void loadDVB(const QString& path) = 0;
    virtual void runMacro(const QString& name) = 0; // "Programm.KV_Layout"

    // --- menus
    virtual QStringList menuGroups() = 0;
    virtual void loadMenuGroup(const QString& file, bool baseMenu) = 0;
    virtual QList<MenuPopup> menuGroupPopups(const QString& group) = 0; // fails when the group is missing
    virtual void insertPopupInMenuBar(const QString& group, qint32 popupIndex, qint32 barIndex) = 0;
    virtual QList<MenuPopup> menuBar() = 0;

    // --- documents
    virtual DocId openDocument(const QString& path) = 0;
    virtual DocId addDocument(const QString& templatePath) = 0;
    virtual DocumentSnapshot document(DocId doc) = 0; // one call: names, ids, active layout
    // Every open document's snapshot in the host's order: a whole refresh in one call. The default
    // asks document() for each document of application().
    virtual QList<DocumentSnapshot> documentSnapshots();
    virtual void activateDocument(DocId doc) = 0;
    virtual void saveDocument(DocId doc) = 0;
    virtual void closeDocument(DocId doc, bool saveChanges) = 0;
    virtual void setActiveLayout(DocId doc, const QString& layoutName) = 0;
    virtual void setActiveSpace(DocId doc, qint32 space) = 0;
    virtual void sendCommand(DocId doc, const QString& text) = 0; // queued; runs when the host is idle
    virtual void setVariable(DocId doc, const QString& name, const QVariant& value) = 0;
    virtual QVariant variable(DocId doc, const QString& name) = 0;
    virtual ObjectInfo objectIdToObject(DocId doc, ObjectId id) = 0;

    // --- layouts
    virtual void setLayoutName(DocId doc, ObjectId layout, const QString& name) = 0;
    virtual PlotSettings plotSettings(DocId doc, ObjectId layout) = 0;
    virtual void refreshPlotDeviceInfo(DocId doc, ObjectId layout) = 0;
    virtual QString localeMediaName(DocId doc, ObjectId layout, const QString& canonicalName) = 0;
    virtual QList<EntityInfo> blockEntities(DocId doc, ObjectId layout) = 0; // paper-space entities in order
    // What the details of a selection need in one answer each; the single calls above stay for the
    // step-by-step semantics. Both fail as a whole. The defaults are built on the single calls.
    //
    // Every layout of the document in tab order, "Model" first (as in its snapshot), each refreshed
    // (refreshPlotDeviceInfo) before its settings are read, so sizes are those the details show.
    virtual QList<LayoutPlotSettings> layoutPlotSettings(DocId doc);
    // The layout's entities as blockEntities gives them, each with its xdata(…, application).
    virtual QList<EntityWithXData> blockEntitiesWithXData(DocId doc, ObjectId layout,
                                                          const QString& application);
    // Every paper-space layout's block of the document in tab order, "Model" left out, each as
    // blockEntitiesWithXData gives it: a whole drawing's sheets in one answer.
    virtual QList<LayoutBlockWithXData> layoutBlocksWithXData(DocId doc, const QString& application);
    // The layout's TabOrder property: moves its tab to that position (1 .. number of paper layouts),
    // the other paper tabs shift; "Model" stays 0. One undo step.
    virtual void setLayoutTabOrder(DocId doc, ObjectId layout, qint32 tabOrder) = 0;
    // Copies a paper layout with its plot settings and entities (and the blocks they need) into
    // another open drawing as its last tab; the new layout's id. One undo step in the target.
    virtual ObjectId copyLayoutToDocument(DocId source, ObjectId layout, DocId target,
                                          const QString& newName) = 0;
    // Every open document in the host's order with its layoutPlotSettings and
    // layoutBlocksWithXData(…, xdataApplication): a sheet list in one answer. A document that cannot
    // be read comes with its error. The default is built on application() and the per-document calls.
    virtual QList<DocumentSheets> documentSheets(const QString& xdataApplication);
    // The host's plotters (GetPlotDeviceNames) and the paper sizes the layout's plotter takes
    // (GetCanonicalMediaNames), as canonical names.
    virtual QStringList plotDeviceNames(DocId doc) = 0;
    virtual QStringList canonicalMediaNames(DocId doc, ObjectId layout) = 0;
    // Sets only the values chosen in `which` (PlotSetting flags) on a paper layout. Values the host
    // cannot plot (unknown plotter or style table, a paper its plotter lacks) are refused and the
    // layout stays as it was. One undo step.
    virtual void setPlotSettings(DocId doc, ObjectId layout, const PlotSettings& values, quint32 which) = 0;
    // CopyFrom limited to the values chosen in `which`, also between drawings; checked as
    // setPlotSettings checks. One undo step in the target.
    virtual void copyPlotSettings(DocId sourceDoc, ObjectId sourceLayout, DocId targetDoc,
                                  ObjectId targetLayout, quint32 which) = 0;

    // --- plotting, as the CAD program's Plot object has it. Every page is drawn at the layout's paper
    // size and rotation, 1:1 in millimetres for a plot scale of 1:1. An entity the host cannot draw is
    // skipped and counted, never a failure. The defaults refuse: a host without plotting.
    //
    // Plots one paper layout to a PDF file (PlotToFile); the file is written whole or not at all.
    virtual PlotResult plotToFile(DocId doc, ObjectId layout, const QString& path);
    // A multi-page PDF: pages come in the order they are added; endPlotJob(job, true) finishes the
    // file, endPlotJob(job, false) discards it. A job is the caller's until it ends it.
    virtual qint32 beginPlotJob(const QString& path);
    virtual PlotResult plotJobPage(qint32 job, DocId doc, ObjectId layout);
    virtual void endPlotJob(qint32 job, bool keep);
    // A PNG picture of the layout (or "Model"), fitted into width x height pixels.
    virtual QByteArray layoutPreview(DocId doc, ObjectId layout, qint32 width, qint32 height);
    // Counts every change to the drawing since it was opened (edits and undo alike), so that what
    // was drawn of it can be kept until it changes.
    virtual qint64 documentRevision(DocId doc);

    // --- entities
    virtual XData xdata(DocId doc, ObjectId object, const QString& application) = 0;
    virtual void setXData(DocId doc, ObjectId object, const XData& data) = 0;

    // --- the command line, for the host window and for tests
    virtual QStringList commandHistory() = 0; // every prompt, answer and message, oldest first
};

} // namespace acad
