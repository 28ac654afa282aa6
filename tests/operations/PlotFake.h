#pragma once

#include "ForwardingHost.h"

#include <QIODevice>
#include <QList>
#include <QSet>
#include <QString>
#include <functional>

// A CAD host that plots: over another host (the in-process engine), it writes a small stand-in PDF
// for each plot and counts the calls; chosen layouts fail as the host's own errors do.
class PlotFake final : public testsupport::ForwardingHost
{
public:
    using ForwardingHost::ForwardingHost;

    QList<acad::ObjectId> plotted; // plotToFile and plotJobPage, in order
    QStringList paths;             // the paths plotToFile and beginPlotJob were given
    QList<bool> ended;             // endPlotJob's keep, in order
    QSet<acad::ObjectId> failing;  // these layouts fail
    bool writesNothing = false;    // succeeds without a file
    bool endFails = false;         // endPlotJob fails as a host that has gone
    qint32 skipped = 0;            // entities skipped per page
    std::function<void()> onPage;  // runs before each page is plotted

    acad::PlotResult plotToFile(acad::DocId doc, acad::ObjectId layout, const QString& path) override;
    qint32 beginPlotJob(const QString& path) override;
    acad::PlotResult plotJobPage(qint32 job, acad::DocId doc, acad::ObjectId layout) override;
    void endPlotJob(qint32 job, bool keep) override;

private:
    acad::PlotResult plot(acad::ObjectId layout, const QString& path, QIODevice::OpenMode mode);
    QString m_jobPath;
};
