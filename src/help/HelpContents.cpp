#include "HelpContents.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QTextDocumentFragment>

namespace help {

namespace {

QString unescape(const QString& html)
{
    if (!html.contains(QLatin1Char('&')))
        return html;
    return QTextDocumentFragment::fromHtml(html).toPlainText();
}

QString attribute(const QString& attributes, const QString& name)
{
    static const QRegularExpression pattern(
        QStringLiteral(R"re(([A-Za-z-]+)\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s>"']+)))re"));
    for (const QRegularExpressionMatch& m : pattern.globalMatch(attributes)) {
        if (m.captured(1).compare(name, Qt::CaseInsensitive) == 0)
            return unescape(m.captured(2) + m.captured(3) + m.captured(4));
    }
    return {};
}

// Builds the tree while the tags pass by: each <ul> opens a level below the entry before it.
class SitemapBuilder final
{
public:
    void tag(const QString& name, bool closing, const QString& attributes);
    QList<TocEntry> result() { return m_roots; }

private:
    void list(bool closing);
    void param(const QString& attributes);

    QList<TocEntry> m_roots;
    // The lists of the open levels. Only the innermost one grows, so the pointers stay valid.
    QList<QList<TocEntry>*> m_open;
    bool m_inEntry = false;
    TocEntry m_entry;
};

void SitemapBuilder::list(bool closing)
{
    if (closing) {
        if (!m_open.isEmpty())
            m_open.removeLast();
    } else if (m_open.isEmpty()) {
        m_open.append(&m_roots);
    } else {
        // A list without an entry before it stays on its level.
        QList<TocEntry>* current = m_open.last();
        m_open.append(current->isEmpty() ? current : &current->last().children);
    }
}

void SitemapBuilder::tag(const QString& name, bool closing, const QString& attributes)
{
    if (name == QLatin1String("ul")) {
        list(closing);
    } else if (name == QLatin1String("object")) {
        if (!closing) {
            m_inEntry = attribute(attributes, QStringLiteral("type"))
                            .compare(QLatin1String("text/sitemap"), Qt::CaseInsensitive) == 0;
            m_entry = {};
        } else if (m_inEntry) {
            m_inEntry = false;
            if (!m_open.isEmpty())
                m_open.last()->append(m_entry);
        }
    } else if (name == QLatin1String("param") && m_inEntry) {
        param(attributes);
    }
}

void SitemapBuilder::param(const QString& attributes)
{
    const QString name = attribute(attributes, QStringLiteral("name"));
    if (name.compare(QLatin1String("Name"), Qt::CaseInsensitive) == 0 && m_entry.name.isEmpty())
        m_entry.name = attribute(attributes, QStringLiteral("value"));
    else if (name.compare(QLatin1String("Local"), Qt::CaseInsensitive) == 0 && m_entry.local.isEmpty())
        m_entry.local = attribute(attributes, QStringLiteral("value"));
}

} // namespace

QList<TocEntry> parseSitemap(const QByteArray& data)
{
    static const QRegularExpression tagPattern(QStringLiteral(R"re(<(/?)([A-Za-z]+)([^>]*)>)re"));
    SitemapBuilder builder;
    for (const QRegularExpressionMatch& m : tagPattern.globalMatch(decodeHelpText(data)))
        builder.tag(m.captured(2).toLower(), !m.captured(1).isEmpty(), m.captured(3));
    return builder.result();
}

QString decodeHelpText(const QByteArray& data)
{
    static const QRegularExpression charset(
        QStringLiteral(R"re(<meta[^>]*charset\s*=\s*["']?([A-Za-z0-9_-]+))re"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = charset.match(QString::fromLatin1(data.left(2048)));
    if (m.hasMatch()) {
        QStringDecoder named(m.captured(1).toLatin1().constData());
        if (named.isValid())
            return named.decode(data);
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(data);
    if (!utf8.hasError())
        return text;
    QStringDecoder windows("windows-1252");
    return windows.isValid() ? QString(windows.decode(data)) : QString::fromLatin1(data);
}

} // namespace help
