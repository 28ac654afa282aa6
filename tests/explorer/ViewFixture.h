#pragma once

#include "FakeConnection.h"
#include "FakeHost.h"
#include "MsgBoxRecorder.h"

#include <QTemporaryDir>
#include <QTreeWidget>
#include <explorer/ViewHost.h>
#include <explorer/basViewControls.h>
#include <explorer/controls/ListControl.h>
#include <explorer/controls/TreeControl.h>
#include <memory>
#include <operations/basKvartoObjekte.h>
#include <settings/basDatenbank.h>

// The window around the tree and the list, reduced to what they ask of it.
class FakeView final : public explorer::ViewHost
{
public:
    int statusBarUpdates = 0;
    int commandUpdates = 0;
    int viewBySetting = 0;
    QString title;
    bool viewModesEnabled = true;
    bool selectionEnabled = false;
    int pressed = 0;

    void UpdateStatusBar() override { ++statusBarUpdates; }
    void VisbibleMnuMenu() override { ++commandUpdates; }
    void SetTreeViewViewBySetting() override { ++viewBySetting; }
    void setListTitle(const QString& text) override { title = text; }
    void setViewModeCommandsEnabled(bool enabled) override { viewModesEnabled = enabled; }
    void setSelectionCommandsEnabled(bool enabled) override { selectionEnabled = enabled; }
    int pressedViewMode() const override { return pressed; }
};

// A tree and a list attached to the view logic, a CAD host and a template folder of their own.
// Starts each test with an empty settings store and a fresh tree.
class ViewFixture final
{
public:
    ViewFixture();
    ~ViewFixture();
    ViewFixture(const ViewFixture&) = delete;
    ViewFixture& operator=(const ViewFixture&) = delete;

    // Every message box must be expected; first, so that it outlives everything that may show one.
    testsupport::MsgBoxRecorder boxes;
    QTreeWidget widget;
    explorer::TreeControl tree{&widget};
    explorer::ListControl list;
    FakeView view;
    std::shared_ptr<FakeHost> host = std::make_shared<FakeHost>();
    QTemporaryDir library;
    basDatenbank::Definitions definitions;
    FakeConnection connection;
    basKvarto::LayoutReader layoutContents;
    basViewControls::ViewControls views{tree, list, view, connection, definitions, layoutContents};

    void addTemplate(const QString& name) const;
    void removeTemplate(const QString& name) const;
    // The key of the node that shows text under parent ("" = anywhere), "" when none.
    QString keyOf(const QString& text, const QString& parent = QString()) const;
    // What a click on the node does.
    void click(const QString& key);
    void detachHost();
};
