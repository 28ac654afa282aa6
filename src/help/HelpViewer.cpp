#include "HelpViewer.h"

#include "HelpControl.h"

#include <QAction>
#include <QApplication>
#include <QSplitter>
#include <QStyle>
#include <QTextDocument>
#include <QToolBar>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QWindow>

namespace help {

namespace {

constexpr int kPageRole = Qt::UserRole;

QIcon themeIcon(const QString& name, QStyle::StandardPixmap fallback)
{
    return QIcon::fromTheme(name, QApplication::style()->standardIcon(fallback));
}

bool samePage(const QUrl& a, const QUrl& b)
{
    return a.path().compare(b.path(), Qt::CaseInsensitive) == 0;
}

} // namespace

HelpPage::HelpPage(HelpControl& control, QWidget* parent) : QTextBrowser(parent), m_control(control)
{
    setObjectName(QStringLiteral("txtPage"));
    setAccessibleName(QStringLiteral("Hilfeseite"));
    setOpenLinks(false);
}

QVariant HelpPage::loadResource(int type, const QUrl& name)
{
    const QUrl url = name.isRelative() ? source().resolved(name) : name;
    const std::optional<QByteArray> bytes = m_control.resource(url);
    if (!bytes)
        return {};
    if (type == QTextDocument::HtmlResource || type == QTextDocument::StyleSheetResource)
        return decodeHelpText(*bytes);
    return *bytes;
}

HelpViewer::HelpViewer(HelpControl& control, QWidget* owner)
    : QMainWindow(owner, Qt::Window), m_control(control)
{
    setObjectName(QStringLiteral("HelpViewer"));
    setWindowTitle(helpCaption());
    auto* splitter = new QSplitter(this);
    m_contents = new QTreeWidget(splitter);
    m_contents->setObjectName(QStringLiteral("tvContents"));
    m_contents->setAccessibleName(QStringLiteral("Inhalt"));
    m_contents->setHeaderHidden(true);
    m_page = new HelpPage(control, splitter);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({220, 580});
    setCentralWidget(splitter);
    buildToolBar();
    connect(m_page, &QTextBrowser::anchorClicked, this, &HelpViewer::follow);
    connect(m_page, &QTextBrowser::sourceChanged, this, &HelpViewer::markCurrentEntry);
    connect(m_contents, &QTreeWidget::itemActivated, this, &HelpViewer::contentsActivated);
    connect(m_contents, &QTreeWidget::itemClicked, this, &HelpViewer::contentsActivated);
    resize(820, 600);
}

void HelpViewer::buildToolBar()
{
    QToolBar* bar = addToolBar(QStringLiteral("Navigation"));
    bar->setObjectName(QStringLiteral("tbNavigation"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_back = bar->addAction(themeIcon(QStringLiteral("go-previous"), QStyle::SP_ArrowBack),
                            QStringLiteral("Zurück"));
    m_back->setObjectName(QStringLiteral("actBack"));
    m_back->setShortcut(QKeySequence::Back);
    m_forward = bar->addAction(themeIcon(QStringLiteral("go-next"), QStyle::SP_ArrowForward),
                               QStringLiteral("Vorwärts"));
    m_forward->setObjectName(QStringLiteral("actForward"));
    m_forward->setShortcut(QKeySequence::Forward);
    m_back->setEnabled(false);
    m_forward->setEnabled(false);
    connect(m_back, &QAction::triggered, m_page, &QTextBrowser::backward);
    connect(m_forward, &QAction::triggered, m_page, &QTextBrowser::forward);
    connect(m_page, &QTextBrowser::backwardAvailable, m_back, &QAction::setEnabled);
    connect(m_page, &QTextBrowser::forwardAvailable, m_forward, &QAction::setEnabled);
}

void HelpViewer::showPage(const QUrl& url)
{
    fillContents();
    m_page->setSource(url, QTextDocument::HtmlResource);
    markCurrentEntry(m_page->source());
    if (isMinimized())
        showNormal();
    ownByModalDialog();
    show();
    raise();
    activateWindow();
}

// A modal dialog (the about box's "Herstellerinformationen") blocks every other window and stays in
// front of them: the help would open behind it, out of reach. Owned by the dialog it comes to the
// front and takes input; without one it is a window of its own again.
void HelpViewer::ownByModalDialog()
{
    QWidget* modal = QApplication::activeModalWidget();
    QWindow* owner = modal && modal != this ? modal->windowHandle() : nullptr;
    winId(); // the window exists before it is given its owner
    if (windowHandle()->transientParent() != owner)
        windowHandle()->setTransientParent(owner);
}

void HelpViewer::fillContents()
{
    m_contents->clear();
    addEntries(nullptr, m_control.contents());
    m_contents->expandAll();
}

void HelpViewer::addEntries(QTreeWidgetItem* parent, const QList<TocEntry>& entries)
{
    for (const TocEntry& entry : entries) {
        auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(m_contents);
        item->setText(0, entry.name);
        if (!entry.local.isEmpty())
            item->setData(0, kPageRole,
                          HelpControl::pageUrl(QStringLiteral("/")).resolved(QUrl(entry.local)));
        addEntries(item, entry.children);
    }
}

void HelpViewer::follow(const QUrl& link)
{
    if (const std::optional<QUrl> page = m_control.followLink(link, m_page->source()))
        m_page->setSource(*page, QTextDocument::HtmlResource);
}

void HelpViewer::contentsActivated(QTreeWidgetItem* item)
{
    const QUrl page = item->data(0, kPageRole).toUrl();
    if (!page.isEmpty() && !samePage(page, m_page->source()))
        follow(page);
}

void HelpViewer::markCurrentEntry(const QUrl& page)
{
    const QSignalBlocker blocker(m_contents);
    for (QTreeWidgetItemIterator it(m_contents); *it; ++it) {
        if (samePage((*it)->data(0, kPageRole).toUrl(), page)) {
            m_contents->setCurrentItem(*it);
            return;
        }
    }
    m_contents->setCurrentItem(nullptr);
}

} // namespace help
