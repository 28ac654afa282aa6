#include "HelpControl.h"

#include "ChmFile.h"
#include "Shell.h"

#include <platform/MsgBox.h>

namespace help {

namespace {

const QString kScheme = QStringLiteral("chm");

// Schemes that the desktop opens: the browser and the mail program.
bool isDesktopScheme(const QString& scheme)
{
    static const QStringList schemes{QStringLiteral("http"), QStringLiteral("https"),
                                     QStringLiteral("mailto"), QStringLiteral("ftp")};
    return schemes.contains(scheme.toLower());
}

} // namespace

QString helpCaption()
{
    return QStringLiteral("Kvarto - Hilfe");
}

HelpControl::HelpControl(Shell& shell) : m_shell(shell) {}

HelpControl::~HelpControl() = default;

QUrl HelpControl::pageUrl(const QString& path)
{
    QUrl url;
    url.setScheme(kScheme);
    url.setPath(path.startsWith(QLatin1Char('/')) ? path : QLatin1Char('/') + path);
    return url;
}

QString HelpControl::helpPath(const QUrl& url)
{
    const QString scheme = url.scheme().toLower();
    if (scheme == kScheme)
        return url.path();
    // Links written for the family's home platform: "ms-its:Kvarto.chm::/Seite.htm".
    if (scheme == QLatin1String("ms-its") || scheme == QLatin1String("mk")) {
        const QString text = url.toString(QUrl::RemoveFragment | QUrl::RemoveQuery);
        const qsizetype at = text.indexOf(QLatin1String("::"));
        if (at >= 0)
            return pageUrl(text.mid(at + 2)).path();
    }
    return {};
}

std::optional<QUrl> HelpControl::OpenTopic(const QString& fileName, const QString& topic)
{
    std::unique_ptr<ChmFile> file = ChmFile::open(fileName);
    if (!file) {
        cannotOpen();
        return std::nullopt;
    }
    const QString path = QLatin1Char('/') + topic + QStringLiteral(".htm");
    if (!file->contains(path)) {
        pageMissing(path, fileName);
        return std::nullopt;
    }
    if (!file->read(path)) {
        cannotOpen();
        return std::nullopt;
    }
    const QString contentsPath = file->contentsPath();
    const std::optional<QByteArray> sitemap =
        contentsPath.isEmpty() ? std::nullopt : file->read(contentsPath);
    m_contents = sitemap ? parseSitemap(*sitemap) : QList<TocEntry>{};
    m_file = std::move(file);
    m_fileName = fileName;
    return pageUrl(path);
}

std::optional<QUrl> HelpControl::followLink(const QUrl& link, const QUrl& current)
{
    const QUrl target = current.resolved(link);
    const QString path = helpPath(target);
    if (!path.isEmpty()) {
        if (m_file && m_file->contains(path)) {
            QUrl page = pageUrl(path);
            page.setFragment(target.fragment(QUrl::FullyEncoded), QUrl::StrictMode);
            return page;
        }
        pageMissing(path, m_fileName);
        return std::nullopt;
    }
    if (isDesktopScheme(target.scheme()))
        m_shell.openUrl(target);
    else
        platform::MsgBox(
            QStringLiteral("Der Verweis „%1“ kann nicht geöffnet werden.").arg(target.toString()),
            platform::vbExclamation, helpCaption());
    return std::nullopt;
}

std::optional<QByteArray> HelpControl::resource(const QUrl& url) const
{
    const QString path = helpPath(url);
    if (path.isEmpty() || !m_file)
        return std::nullopt;
    return m_file->read(path);
}

void HelpControl::cannotOpen() const
{
    platform::MsgBox(QStringLiteral("Kann Hilfedatei nicht öffnen!"), platform::vbCritical, helpCaption());
}

void HelpControl::pageMissing(const QString& path, const QString& fileName) const
{
    platform::MsgBox(
        QStringLiteral("Die Hilfeseite „%1“ fehlt in der Hilfedatei „%2“.").arg(path.mid(1), fileName),
        platform::vbCritical, helpCaption());
}

} // namespace help
