#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The help file's table of contents and the decoding of its texts.
namespace help {

struct TocEntry
{
    QString name;
    QString local; // the page inside the help file, as written ("Kvarto_1.htm"); may be empty
    QList<TocEntry> children;
};

// A sitemap (.hhc): nested lists of objects of type "text/sitemap" with the parameters "Name" and
// "Local". Whatever else the file holds is passed over.
QList<TocEntry> parseSitemap(const QByteArray& data);

// Text of a help file: the charset its HTML names, else UTF-8 when it is valid UTF-8, else
// Windows-1252 as the family's older files are written.
QString decodeHelpText(const QByteArray& data);

} // namespace help
