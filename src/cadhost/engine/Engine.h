#pragma once

#include "Drawing.h"
#include "Plotting.h"

#include <QObject>
#include <acad/Host.h>
#include <memory>

namespace cadhost {

// The stand-in CAD program: drawings, command line, macros, menus and preferences. It is the
// in-process implementation of acad::Host; the bus service and the host window sit on top of it.
//
// Automation calls act at once. Command-line input (sendCommand, submitInput) is only queued; it runs
// when the caller's event loop runs again, as the CAD program runs SendCommand text when it is idle.
class Engine final : public QObject, public acad::Host
{
    Q_OBJECT

public:
    // What a FILEDIA 1 prompt wants the window to ask with a file dialog.
    enum class FileDialog
    {
        OpenDrawing,  // "_open"
        SaveDrawing,  // "_saveas", "_qsave" of an unnamed drawing, "Ja" to a save question
        OpenTemplate, // LAYOUT template
        SaveTemplate, // LAYOUT save as
    };
    Q_ENUM(FileDialog)

    // A null store gives a MemoryStore.
    explicit Engine(std::shared_ptr<DrawingStore> store = nullptr, QObject* parent = nullptr);
    ~Engine() override;

    DrawingStore& store() const;

    // --- acad::Host
    acad::ApplicationSnapshot application() override;
    void setVisible(bool visible) override;
    qint64 hwnd() override;
    void bringToFront() override;
    void update() override;
    void quit() override;

    QString supportPath() override;
    void setSupportPath(const QString& path) override;
    QString templatePath() override;
    void setTemplatePath(const QString& path) override;

    void loadDVB(const QString& path) override;
    void runMacro(const QString& name) override;

    QStringList menuGroups() override;
    void loadMenuGroup(const QString& file, bool baseMenu) override;
    QList<acad::MenuPopup> menuGroupPopups(const QString& group) override;
    void insertPopupInMenuBar(const QString& group, qint32 popupIndex, qint32 barIndex) override;
    QList<acad::MenuPopup> menuBar() override;

    acad::DocId openDocument(const QString& path) override;
    acad::DocId addDocument(const QString& templatePath) override;
    acad::DocumentSnapshot document(acad::DocId doc) override;
    QList<acad::DocumentSnapshot> documentSnapshots() override;
    void activateDocument(acad::DocId doc) override;
    void saveDocument(acad::DocId doc) override;
    void closeDocument(acad::DocId doc, bool saveChanges) override;
    void setActiveLayout(acad::DocId doc, const QString& layoutName) override;
    void setActiveSpace(acad::DocId doc, qint32 space) override;
    void sendCommand(acad::DocId doc, const QString& text) override;
    void setVariable(acad::DocId doc, const QString& name, const QVariant& value) override;
    QVariant variable(acad::DocId doc, const QString& name) override;
    acad::ObjectInfo objectIdToObject(acad::DocId doc, acad::ObjectId id) override;

    void setLayoutName(acad::DocId doc, acad::ObjectId layout, const QString& name) override;
    acad::PlotSettings plotSettings(acad::DocId doc, acad::ObjectId layout) override;
    void refreshPlotDeviceInfo(acad::DocId doc, acad::ObjectId layout) override;
    QString localeMediaName(acad::DocId doc, acad::ObjectId layout, const QString& canonicalName) override;
    QList<acad::EntityInfo> blockEntities(acad::DocId doc, acad::ObjectId layout) override;
    QList<acad::LayoutPlotSettings> layoutPlotSettings(acad::DocId doc) override;
    QList<acad::EntityWithXData> blockEntitiesWithXData(acad::DocId doc, acad::ObjectId layout,
                                                        const QString& application) override;
    QList<acad::LayoutBlockWithXData> layoutBlocksWithXData(acad::DocId doc,
                                                            const QString& application) override;
    void setLayoutTabOrder(acad::DocId doc, acad::ObjectId layout, qint32 tabOrder) override;
    acad::ObjectId copyLayoutToDocument(acad::DocId source, acad::ObjectId layout, acad::DocId target,
                                        const QString& newName) override;
    QStringList plotDeviceNames(acad::DocId doc) override;
    QStringList canonicalMediaNames(acad::DocId doc, acad::ObjectId layout) override;
    void setPlotSettings(acad::DocId doc, acad::ObjectId layout, const acad::PlotSettings& values,
                         quint32 which) override;
    void copyPlotSettings(acad::DocId sourceDoc, acad::ObjectId sourceLayout, acad::DocId targetDoc,
                          acad::ObjectId targetLayout, quint32 which) override;

    acad::PlotResult plotToFile(acad::DocId doc, acad::ObjectId layout, const QString& path) override;
    qint32 beginPlotJob(const QString& path) override;
    acad::PlotResult plotJobPage(qint32 job, acad::DocId doc, acad::ObjectId layout) override;
    void endPlotJob(qint32 job, bool keep) override;
    QByteArray layoutPreview(acad::DocId doc, acad::ObjectId layout, qint32 width, qint32 height) override;
    qint64 documentRevision(acad::DocId doc) override;

    acad::XData xdata(acad::DocId doc, acad::ObjectId object, const QString& application) override;
    void setXData(acad::DocId doc, acad::ObjectId object, const acad::XData& data) override;

    QStringList commandHistory() override;

    // --- for the host window, the bus service and tests
    // Whether a user sits at the window: KV_Layout then asks for the name on the command line.
    bool isInteractive() const;
    void setInteractive(bool interactive);
    bool isVisible() const;
    void setHwnd(qint64 hwnd);

    // An answer typed in the window; the same as sendCommand text to the active document (or to the
    // application's own command line while no drawing is open). Queued like sendCommand.
    void submitInput(const QString& text);
    // Escape: ends the command waiting in that document (0 = the application's command line).
    void cancelCommand(acad::DocId doc);
    // The prompt the active document's command line shows, "Befehl:" when no command runs.
    QString currentPrompt() const;
    // What an empty answer to the prompt waiting in that document stands for (a proposed name or
    // file), for the window's dialog; empty when there is none.
    QString promptDefault(acad::DocId doc) const;
    // Whether input is queued or a command waits for an answer in any document.
    bool isBusy() const;
    // The prompt waiting in that document's command line (0 = the application's): a number no later
    // prompt gets, 0 when none waits. A file dialog keeps it, so that it answers only its own prompt.
    quint64 promptTicket(acad::DocId doc) const;
    // An answer for that prompt only, queued like submitInput ("\x1b" cancels it); dropped, with a
    // line in the history, when that prompt no longer waits by the time it runs.
    void answerPrompt(acad::DocId doc, quint64 ticket, const QString& text);

    // What draws for plotToFile, the plot jobs and layoutPreview; without one the engine refuses them.
    void setPlotter(std::shared_ptr<Plotter> plotter);

    // The drawing model of an open document, for the window and for tests; nullptr if none.
    const Drawing* drawing(acad::DocId doc) const;
    bool productStarted() const; // "KV_Starten" has run
    QString designCenterPath() const;
    QStringList loadedProjects() const; // macro project files, as loaded

    // Unloads a menu group and takes its popups off the menu bar.
    void unloadMenuGroup(const QString& group);
    // Entries (lines after the caption) of one popup of a group.
    QStringList menuEntries(const QString& group, qint32 popupIndex);

signals:
    void historyAppended(const QString& line);
    void promptChanged(const QString& prompt);
    void documentsChanged();
    void activeDocumentChanged();
    void layoutsChanged(acad::DocId doc);
    void modifiedChanged(acad::DocId doc);
    void visibleChanged(bool visible);
    void bringToFrontRequested();
    void updateRequested();
    void quitRequested();
    void menuBarChanged();
    void designCenterNavigated(const QString& path);
    // A FILEDIA 1 prompt: the window shows a file dialog and answers with answerPrompt (path + "\r",
    // or Escape) for promptTicket(doc). Headless the prompt simply waits for sendCommand input.
    void fileDialogRequested(cadhost::Engine::FileDialog kind, acad::DocId doc);
    // The prompt waiting in that document's command line was answered or cancelled, or the document
    // closed: a dialog opened for it has nothing left to answer.
    void promptEnded(acad::DocId doc);
    // A message a macro shows to the user (also in the command history).
    void messageShown(const QString& text);

public:
    // The inner state, shared by the engine's own source files.
    struct Private;

private:
    std::unique_ptr<Private> d;
};

} // namespace cadhost
