#include "PlotFake.h"

#include <QFile>
#include <acad/Error.h>

acad::PlotResult PlotFake::plot(acad::ObjectId layout, const QString& path, QIODevice::OpenMode mode)
{
    if (onPage)
        onPage();
    plotted.append(layout);
    if (failing.contains(layout))
        throw acad::Error(QStringLiteral("Das Layout kann nicht geplottet werden."));
    if (!writesNothing) {
        QFile file(path);
        if (!file.open(mode))
            throw acad::Error(QStringLiteral("Die Datei kann nicht geschrieben werden."));
        file.write(QByteArrayLiteral("%PDF-1.4 page ") + QByteArray::number(layout) + '\n');
    }
    return {1, skipped};
}

acad::PlotResult PlotFake::plotToFile(acad::DocId, acad::ObjectId layout, const QString& path)
{
    paths.append(path);
    return plot(layout, path, QIODevice::WriteOnly);
}

qint32 PlotFake::beginPlotJob(const QString& path)
{
    paths.append(path);
    m_jobPath = path;
    return 7;
}

acad::PlotResult PlotFake::plotJobPage(qint32, acad::DocId, acad::ObjectId layout)
{
    return plot(layout, m_jobPath, QIODevice::Append);
}

void PlotFake::endPlotJob(qint32, bool keep)
{
    ended.append(keep);
    if (endFails)
        throw acad::Error(QStringLiteral("Der Remoteprozeduraufruf ist fehlgeschlagen."));
    if (!keep)
        QFile::remove(m_jobPath);
}
