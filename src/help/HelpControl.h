#pragma once

#include "HelpContents.h"

#include <QByteArray>
#include <QString>
#include <QUrl>
#include <memory>
#include <optional>

namespace help {

class ChmFile;
class Shell;

// "Kvarto - Hilfe": the caption of the help's messages and of the help window.
QString helpCaption();

// What the help window does, without its widgets: opens the help file at a topic, hands out the
// pages, pictures and style sheets inside it, and decides where a link goes. Pages inside the file
// have addresses of the scheme "chm" ("chm:/Kvarto_1.htm"), so relative links resolve as usual.
class HelpControl final
{
public:
    explicit HelpControl(Shell& shell);
    ~HelpControl();
    HelpControl(const HelpControl&) = delete;
    HelpControl& operator=(const HelpControl&) = delete;

    static QUrl pageUrl(const QString& path);
    // The path inside the help file that an address names; "" for an address outside of it.
    static QString helpPath(const QUrl& url);

    // Opens the help file at topic + ".htm" and returns the page's address. Opens the file anew,
    // so that a replaced file is read as it is now. After a message, nullopt: the file is missing
    // or damaged, or lacks the topic; the file shown until then stays open.
    std::optional<QUrl> OpenTopic(const QString& fileName, const QString& topic);

    // A link followed from the page at current: the page to show next, or nullopt when the link
    // went to the desktop or led nowhere (with a message).
    std::optional<QUrl> followLink(const QUrl& link, const QUrl& current);

    // The bytes behind an address inside the open file; nullopt when there are none.
    std::optional<QByteArray> resource(const QUrl& url) const;

    const QList<TocEntry>& contents() const { return m_contents; }
    const QString& fileName() const { return m_fileName; }

private:
    void cannotOpen() const;
    void pageMissing(const QString& path, const QString& fileName) const;

    Shell& m_shell;
    std::unique_ptr<ChmFile> m_file;
    QString m_fileName;
    QList<TocEntry> m_contents;
};

} // namespace help
