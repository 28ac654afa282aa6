#include "HostWindow.h"

#include "SheetView.h"

#include <QCloseEvent>
#include <QDir>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QStatusBar>
#include <QTabBar>
#include <QVBoxLayout>
#include <acad/Error.h>
#include <optional>

namespace cadhost {

namespace {

const QString kTitle = QStringLiteral("CAD-Host");
const int kMessageMs = 10000;

QString fullPath(const acad::DocumentRef& ref)
{
    return ref.path.isEmpty() ? ref.name : ref.path + u'/' + ref.name;
}

struct DialogSetup
{
    QString title;
    QString filter;
    bool save = false;
};

DialogSetup dialogSetup(Engine::FileDialog kind)
{
    const QString drawings =
        QStringLiteral("Zeichnung (*.dwg);;DXF (*.dxf);;Vorlage (*.dwt);;Alle Dateien (*)");
    const QString templates = QStringLiteral("Vorlage (*.dwt);;Zeichnung (*.dwg);;Alle Dateien (*)");
    switch (kind) {
    case Engine::FileDialog::OpenDrawing:
        return {QStringLiteral("Datei auswählen"), drawings, false};
    case Engine::FileDialog::SaveDrawing:
        return {QStringLiteral("Zeichnung speichern unter"), drawings, true};
    case Engine::FileDialog::OpenTemplate:
        return {QStringLiteral("Layout aus Vorlage wählen"), templates, false};
    case Engine::FileDialog::SaveTemplate:
        return {QStringLiteral("Layout als Vorlage speichern"), templates, true};
    }
    return {};
}

} // namespace

QString menuEntryCaption(const QString& entry)
{
    const qsizetype open = entry.indexOf(u'[');
    const qsizetype close = entry.indexOf(u']', open + 1);
    if (open < 0 || close < 0)
        return entry.trimmed();
    return entry.mid(open + 1, close - open - 1);
}

QString menuMacroInput(const QString& entry)
{
    const qsizetype close = entry.indexOf(u']', entry.indexOf(u'[') + 1);
    QString macro = (close < 0 ? entry : entry.mid(close + 1)).trimmed();
    if (macro.isEmpty())
        return macro;
    macro.replace(QStringLiteral("^C"), QString(QChar(27)), Qt::CaseInsensitive);
    macro.replace(u';', u'\r');
    if (!macro.endsWith(u'\r'))
        macro.append(u'\r');
    return macro;
}

HostWindow::HostWindow(Engine& engine, QWidget* parent) : QMainWindow(parent), m_engine(engine)
{
    setObjectName(QStringLiteral("HostWindow"));
    setWindowTitle(kTitle);
    resize(900, 640);
    m_refreshTimer.setSingleShot(true);
    m_refreshTimer.setInterval(0);
    connect(&m_refreshTimer, &QTimer::timeout, this, &HostWindow::refresh);
    buildWidgets();
    buildDesignCenter();
    connectEngine();
    for (const QString& line : m_engine.commandHistory())
        m_history->appendPlainText(line);
    m_prompt->setText(m_engine.currentPrompt());
    refresh();
    refreshMenuBar();
}

HostWindow::~HostWindow() = default;

void HostWindow::buildWidgets()
{
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    m_documentTabs = new QTabBar(central);
    m_documentTabs->setObjectName(QStringLiteral("documentTabs"));
    m_documentTabs->setExpanding(false);
    m_sheet = new SheetView(m_engine, central);
    m_layoutTabs = new QTabBar(central);
    m_layoutTabs->setObjectName(QStringLiteral("layoutTabs"));
    m_layoutTabs->setShape(QTabBar::RoundedSouth);
    m_layoutTabs->setExpanding(false);
    layout->addWidget(m_documentTabs);
    layout->addWidget(m_sheet, 1);
    layout->addWidget(m_layoutTabs);
    layout->addWidget(buildCommandLine());
    setCentralWidget(central);
    statusBar();
    connect(m_documentTabs, &QTabBar::tabBarClicked, this, &HostWindow::documentTabClicked);
    connect(m_layoutTabs, &QTabBar::tabBarClicked, this, &HostWindow::layoutTabClicked);
}

QWidget* HostWindow::buildCommandLine()
{
    auto* box = new QWidget(this);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    m_history = new QPlainTextEdit(box);
    m_history->setObjectName(QStringLiteral("history"));
    m_history->setReadOnly(true);
    m_history->setMaximumBlockCount(5000);
    m_history->setFixedHeight(120);
    auto* line = new QHBoxLayout;
    m_prompt = new QLabel(box);
    m_prompt->setObjectName(QStringLiteral("prompt"));
    m_input = new QLineEdit(box);
    m_input->setObjectName(QStringLiteral("commandInput"));
    line->addWidget(m_prompt);
    line->addWidget(m_input, 1);
    layout->addWidget(m_history);
    layout->addLayout(line);
    connect(m_input, &QLineEdit::returnPressed, this, &HostWindow::submitInput);
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), m_input);
    escape->setContext(Qt::WidgetShortcut);
    connect(escape, &QShortcut::activated, this, &HostWindow::cancelInput);
    return box;
}

void HostWindow::buildDesignCenter()
{
    m_designCenter = new QDockWidget(QStringLiteral("DesignCenter"), this);
    m_designCenter->setObjectName(QStringLiteral("designCenter"));
    auto* box = new QWidget(m_designCenter);
    auto* layout = new QVBoxLayout(box);
    m_designCenterPath = new QLabel(box);
    m_designCenterPath->setObjectName(QStringLiteral("designCenterPath"));
    m_designCenterPath->setWordWrap(true);
    m_designCenterFiles = new QListWidget(box);
    m_designCenterFiles->setObjectName(QStringLiteral("designCenterFiles"));
    layout->addWidget(m_designCenterPath);
    layout->addWidget(m_designCenterFiles, 1);
    m_designCenter->setWidget(box);
    addDockWidget(Qt::RightDockWidgetArea, m_designCenter);
    m_designCenter->hide();
}

void HostWindow::connectEngine()
{
    connect(&m_engine, &Engine::documentsChanged, this, &HostWindow::scheduleRefresh);
    connect(&m_engine, &Engine::activeDocumentChanged, this, &HostWindow::scheduleRefresh);
    connect(&m_engine, &Engine::layoutsChanged, this, &HostWindow::scheduleRefresh);
    connect(&m_engine, &Engine::modifiedChanged, this, &HostWindow::scheduleRefresh);
    connect(&m_engine, &Engine::historyAppended, m_history, &QPlainTextEdit::appendPlainText);
    connect(&m_engine, &Engine::promptChanged, m_prompt, &QLabel::setText);
    connect(&m_engine, &Engine::menuBarChanged, this, &HostWindow::refreshMenuBar);
    connect(&m_engine, &Engine::designCenterNavigated, this, &HostWindow::navigateDesignCenter);
    connect(&m_engine, &Engine::fileDialogRequested, this, &HostWindow::askForFile);
    connect(&m_engine, &Engine::promptEnded, this, &HostWindow::abandonAnsweredDialog);
    connect(&m_engine, &Engine::messageShown, this, &HostWindow::reportError);
    connect(&m_engine, &Engine::visibleChanged, this, &HostWindow::followVisibility);
    connect(&m_engine, &Engine::bringToFrontRequested, this, &HostWindow::bringToFront);
    connect(&m_engine, &Engine::quitRequested, this, [this] { m_quitting = true; });
    connect(&m_engine, &Engine::updateRequested, this, qOverload<>(&QWidget::update));
}

void HostWindow::followVisibility()
{
    const bool visible = m_engine.isVisible();
    m_engine.setInteractive(visible);
    setVisible(visible);
}

void HostWindow::showNote(const QString& text)
{
    m_history->appendPlainText(text);
    statusBar()->showMessage(text, kMessageMs);
}

void HostWindow::reportError(const QString& text)
{
    statusBar()->showMessage(text, kMessageMs);
}

void HostWindow::closeEvent(QCloseEvent* event)
{
    // The program ends through the engine's quit, as on "_quit".
    if (m_quitting) {
        event->accept();
        return;
    }
    event->ignore();
    try {
        m_engine.quit();
    } catch (const acad::Error& e) {
        reportError(e.description());
    }
}

// --- documents and layouts

void HostWindow::scheduleRefresh()
{
    m_refreshTimer.start();
}

void HostWindow::refresh()
{
    m_refreshing = true;
    acad::ApplicationSnapshot app;
    std::optional<acad::DocumentSnapshot> active;
    try {
        app = m_engine.application();
        if (app.activeDocument != 0)
            active = m_engine.document(app.activeDocument);
    } catch (const acad::Error& e) {
        reportError(e.description());
    }
    const acad::DocumentSnapshot* activeSnapshot = active ? &*active : nullptr;
    refreshDocumentTabs(app);
    refreshLayoutTabs(activeSnapshot);
    refreshSheet(activeSnapshot);
    setWindowTitle(active ? QStringLiteral("%1 - [%2]").arg(kTitle, fullPath(active->ref)) : kTitle);
    m_refreshing = false;
}

void HostWindow::refreshDocumentTabs(const acad::ApplicationSnapshot& app)
{
    while (m_documentTabs->count() > 0)
        m_documentTabs->removeTab(0);
    for (const acad::DocumentRef& ref : app.documents) {
        const int index = m_documentTabs->addTab(ref.name);
        m_documentTabs->setTabData(index, ref.id);
        m_documentTabs->setTabToolTip(index, fullPath(ref));
        if (ref.id == app.activeDocument)
            m_documentTabs->setCurrentIndex(index);
    }
}

void HostWindow::refreshLayoutTabs(const acad::DocumentSnapshot* active)
{
    while (m_layoutTabs->count() > 0)
        m_layoutTabs->removeTab(0);
    if (!active)
        return;
    for (const acad::LayoutRef& layout : active->layouts) {
        const int index = m_layoutTabs->addTab(layout.name);
        if (layout.name == active->activeLayout)
            m_layoutTabs->setCurrentIndex(index);
    }
}

void HostWindow::refreshSheet(const acad::DocumentSnapshot* active)
{
    if (!active)
        m_sheet->showLayout(0, QString());
    else
        m_sheet->showLayout(active->ref.id, active->activeLayout);
}

void HostWindow::documentTabClicked(int index)
{
    if (m_refreshing || index < 0)
        return;
    try {
        m_engine.activateDocument(m_documentTabs->tabData(index).toInt());
    } catch (const acad::Error& e) {
        reportError(e.description());
    }
    scheduleRefresh();
}

void HostWindow::layoutTabClicked(int index)
{
    if (m_refreshing || index < 0)
        return;
    try {
        const acad::ApplicationSnapshot app = m_engine.application();
        m_engine.setActiveLayout(app.activeDocument, m_layoutTabs->tabText(index));
    } catch (const acad::Error& e) {
        reportError(e.description());
    }
    scheduleRefresh();
}

// --- the command line

void HostWindow::submitInput()
{
    const QString text = m_input->text();
    m_input->clear();
    m_engine.submitInput(text + u'\r');
}

void HostWindow::cancelInput()
{
    m_input->clear();
    try {
        m_engine.cancelCommand(m_engine.application().activeDocument);
    } catch (const acad::Error& e) {
        reportError(e.description());
    }
}

// Not modal in a nested loop: the dialog answers the waiting prompt when it closes. The prompt may
// be answered meanwhile by typed or sent input; the dialog then closes, and a choice that races
// with that input is for its own prompt only (the ticket), never for a later one.
void HostWindow::askForFile(Engine::FileDialog kind, acad::DocId doc)
{
    if (m_fileDialog)
        m_fileDialog->reject();
    const DialogSetup setup = dialogSetup(kind);
    m_fileDialog = new QFileDialog(this, setup.title, QString(), setup.filter);
    m_fileDialog->setObjectName(QStringLiteral("fileDialog"));
    m_fileDialog->setAttribute(Qt::WA_DeleteOnClose);
    m_fileDialog->setAcceptMode(setup.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    m_fileDialog->setFileMode(setup.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    m_fileDialog->setOption(QFileDialog::DontUseNativeDialog);
    const quint64 ticket = m_engine.promptTicket(doc);
    m_fileDialogDoc = doc;
    m_fileDialogTicket = ticket;
    connect(m_fileDialog, &QFileDialog::fileSelected, this,
            [this, doc, ticket](const QString& path) { m_engine.answerPrompt(doc, ticket, path + u'\r'); });
    connect(m_fileDialog, &QFileDialog::rejected, this,
            [this, doc, ticket] { m_engine.answerPrompt(doc, ticket, QString(QChar(27))); });
    // Not even window-modal: the command line stays open for typed answers, as the prompt waits there too.
    m_fileDialog->setWindowModality(Qt::NonModal);
    m_fileDialog->show();
}

void HostWindow::abandonAnsweredDialog(acad::DocId doc)
{
    if (!m_fileDialog || doc != m_fileDialogDoc || m_engine.promptTicket(doc) == m_fileDialogTicket)
        return;
    // Closed without an answer: the prompt it was opened for is gone.
    disconnect(m_fileDialog, nullptr, this, nullptr);
    m_fileDialog->close();
}

// --- menus

void HostWindow::refreshMenuBar()
{
    menuBar()->clear();
    try {
        for (const acad::MenuPopup& popup : m_engine.menuBar())
            addPopup(popup);
    } catch (const acad::Error& e) {
        reportError(e.description());
    }
}

void HostWindow::addPopup(const acad::MenuPopup& popup)
{
    QMenu* menu = menuBar()->addMenu(popup.name);
    for (const QString& group : m_engine.menuGroups()) {
        const QList<acad::MenuPopup> popups = m_engine.menuGroupPopups(group);
        const qsizetype index = popups.indexOf(popup);
        if (index < 0)
            continue;
        for (const QString& entry : m_engine.menuEntries(group, qint32(index))) {
            const QString caption = menuEntryCaption(entry);
            if (caption.startsWith(QLatin1String("--"))) {
                menu->addSeparator();
                continue;
            }
            const QString input = menuMacroInput(entry);
            QAction* action = menu->addAction(caption.isEmpty() ? entry.trimmed() : caption);
            action->setEnabled(!input.isEmpty());
            connect(action, &QAction::triggered, this, [this, input] { m_engine.submitInput(input); });
        }
        return;
    }
}

// --- DesignCenter

void HostWindow::navigateDesignCenter(const QString& path)
{
    const QFileInfo target(path);
    const QString folder = target.isFile() ? target.absolutePath() : path;
    m_designCenterPath->setText(path);
    m_designCenterFiles->clear();
    const QStringList drawings =
        QDir(folder).entryList({QStringLiteral("*.dwg"), QStringLiteral("*.dwt"), QStringLiteral("*.dxf")},
                               QDir::Files, QDir::Name | QDir::IgnoreCase);
    m_designCenterFiles->addItems(drawings);
    if (target.isFile()) {
        const QList<QListWidgetItem*> found =
            m_designCenterFiles->findItems(target.fileName(), Qt::MatchExactly);
        if (!found.isEmpty())
            m_designCenterFiles->setCurrentItem(found.constFirst());
    }
    m_designCenter->show();
    m_designCenter->raise();
}

void HostWindow::bringToFront()
{
    if (!m_engine.isVisible())
        m_engine.setVisible(true);
    show();
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    raise();
    activateWindow();
}

} // namespace cadhost
