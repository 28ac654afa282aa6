#pragma once

#include "MsgBoxRecorder.h"

#include <QList>
#include <QStringList>
#include <QWidget>
#include <acad/Connector.h>
#include <acad/Host.h>
#include <cadhost/engine/Engine.h>
#include <cadhost/engine/MemoryStore.h>
#include <memory>
#include <platform/MsgBox.h>

// A CAD host that passes every call on and counts it; once "gone" every call fails as a host that
// has quit does.
class CountingHost final : public acad::Host
{
public:
    explicit CountingHost(std::shared_ptr<acad::Host> inner);

    int calls = 0;
    int bringToFrontCalls = 0;
    QStringList sentCommands;
    bool gone = false;

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
    acad::XData xdata(acad::DocId doc, acad::ObjectId object, const QString& application) override;
    void setXData(acad::DocId doc, acad::ObjectId object, const acad::XData& data) override;
    QStringList commandHistory() override;

private:
    acad::Host& next();
    std::shared_ptr<acad::Host> m_inner;
};

// The in-process CAD program behind a counting connector, as the tests of start-up and window use it.
class CadFixture
{
public:
    CadFixture();
    ~CadFixture();

    // A drawing with the model layout and the named paper-space layouts, opened in the engine.
    acad::DocId open(const QString& path, const QStringList& layouts, const QString& active = {});

    std::shared_ptr<cadhost::MemoryStore> store;
    std::shared_ptr<cadhost::Engine> engine;
    std::shared_ptr<CountingHost> host;
    acad::FunctionConnector connector;
    bool running = true;   // the host answers the running-object lookup
    bool creatable = true; // creating a new instance succeeds
    int lookups = 0;       // isRunning, attach and create calls
    int creates = 0;
};

// Runs the start-up routine against the fixture's CAD program; the window is shown and active.
// Ends with the window closed (unload handler) and dropped.
class BlattwartSession
{
public:
    explicit BlattwartSession(CadFixture& cad);
    ~BlattwartSession();

    bool start();    // basMain::Main(); true when the window is shown
    bool activate(); // makes the main window the active one
    bool leave();    // makes another window the active one
    void close();    // the unload handler, then the window is dropped
    int endings = 0; // calls of basMain::EndProgram

private:
    CadFixture& m_cad;
    std::unique_ptr<QWidget> m_other;
};

// What one test case of the window needs: an empty settings store, the CAD program, the message boxes
// and a session of Blattwart against them.
struct WindowHarness
{
    WindowHarness();
    CadFixture cad;
    testsupport::MsgBoxRecorder boxes;
    BlattwartSession session{cad};
};

// Removes the per-user settings file so that a test starts from an empty store.
void clearUserSettings();
bool userSettingsExist();
