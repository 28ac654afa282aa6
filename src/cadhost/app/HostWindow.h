#pragma once

#include <QFileDialog>
#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <cadhost/engine/Engine.h>

class QDockWidget;

class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QTabBar;

namespace cadhost {
class SheetView;
}

namespace cadhost {

// The host's window: a tab per open drawing, the active drawing's layout tabs ("Model" first),
// the command history with the command line, the menu bar of the loaded menu groups and the
// DesignCenter. It only shows the engine and hands it what the user does; nothing here waits in
// a nested event loop, so the host keeps answering the bus while a prompt or a dialog is open.
class HostWindow final : public QMainWindow
{
    Q_OBJECT
public:
    explicit HostWindow(Engine& engine, QWidget* parent = nullptr);
    ~HostWindow() override;

    // Shows or hides the window as the engine's Visible says.
    void followVisibility();
    // A line of the host's own in the history, e.g. that it runs without the bus.
    void showNote(const QString& text);

    // For tests.
    QTabBar* documentTabs() const { return m_documentTabs; }
    QTabBar* layoutTabs() const { return m_layoutTabs; }
    SheetView* sheet() const { return m_sheet; }
    QPlainTextEdit* history() const { return m_history; }
    QLabel* promptLabel() const { return m_prompt; }
    QLineEdit* input() const { return m_input; }
    QDockWidget* designCenter() const { return m_designCenter; }
    QLabel* designCenterPath() const { return m_designCenterPath; }
    QListWidget* designCenterFiles() const { return m_designCenterFiles; }
    QFileDialog* fileDialog() const { return m_fileDialog.data(); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWidgets();
    QWidget* buildCommandLine();
    void buildDesignCenter();
    void connectEngine();

    void scheduleRefresh();
    void refresh();
    void refreshDocumentTabs(const acad::ApplicationSnapshot& app);
    void refreshLayoutTabs(const acad::DocumentSnapshot* active);
    void refreshSheet(const acad::DocumentSnapshot* active);
    void refreshMenuBar();
    void addPopup(const acad::MenuPopup& popup);

    void documentTabClicked(int index);
    void layoutTabClicked(int index);
    void submitInput();
    void cancelInput();
    void navigateDesignCenter(const QString& path);
    void askForFile(Engine::FileDialog kind, acad::DocId doc);
    void abandonAnsweredDialog(acad::DocId doc);
    void bringToFront();
    void reportError(const QString& text);

    Engine& m_engine;
    QTabBar* m_documentTabs = nullptr;
    QTabBar* m_layoutTabs = nullptr;
    SheetView* m_sheet = nullptr;
    QPlainTextEdit* m_history = nullptr;
    QLabel* m_prompt = nullptr;
    QLineEdit* m_input = nullptr;
    QDockWidget* m_designCenter = nullptr;
    QLabel* m_designCenterPath = nullptr;
    QListWidget* m_designCenterFiles = nullptr;
    QPointer<QFileDialog> m_fileDialog;
    acad::DocId m_fileDialogDoc = 0;
    quint64 m_fileDialogTicket = 0; // the prompt the dialog answers
    QTimer m_refreshTimer;
    bool m_refreshing = false;
    bool m_quitting = false; // the engine has quit: closing is no longer a request
};

// A menu entry's macro as command-line input: "^C" is Escape (character 27, cancels), ";" is Enter,
// and the macro ends with Enter. Empty for an entry without a macro, such as a popup's caption.
QString menuMacroInput(const QString& entry);
// The caption of a menu entry: the text in brackets, or the whole entry.
QString menuEntryCaption(const QString& entry);

} // namespace cadhost
