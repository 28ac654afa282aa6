#pragma once

#include <QMainWindow>
#include <QTextBrowser>

class QAction;
class QTreeWidget;
class QTreeWidgetItem;

namespace help {

class HelpControl;
struct TocEntry;

// The page view: takes pages, pictures and style sheets from the help file instead of the disk.
class HelpPage final : public QTextBrowser
{
    Q_OBJECT

public:
    HelpPage(HelpControl& control, QWidget* parent);
    QVariant loadResource(int type, const QUrl& name) override;

private:
    HelpControl& m_control;
};

// The help window: back and forward, the file's table of contents beside the page. Every link goes
// through the control, which says whether the window follows it.
class HelpViewer final : public QMainWindow
{
    Q_OBJECT

public:
    HelpViewer(HelpControl& control, QWidget* owner);

    // Shows the page, brings the window up and refills the table of contents.
    void showPage(const QUrl& url);

    HelpPage* page() const { return m_page; }
    QTreeWidget* contentsTree() const { return m_contents; }

private:
    void buildToolBar();
    void ownByModalDialog();
    void fillContents();
    void addEntries(QTreeWidgetItem* parent, const QList<TocEntry>& entries);
    void follow(const QUrl& link);
    void contentsActivated(QTreeWidgetItem* item);
    void markCurrentEntry(const QUrl& page);

    HelpControl& m_control;
    HelpPage* m_page = nullptr;
    QTreeWidget* m_contents = nullptr;
    QAction* m_back = nullptr;
    QAction* m_forward = nullptr;
};

} // namespace help
