#include "EnginePrivate.h"
#include "LayoutNames.h"
#include "Plotters.h"

#include <QDir>
#include <QFileInfo>
#include <acad/Error.h>

// "-PLOT": the command-line form of plotting, as scripts and SendCommand use it. The detailed
// configuration is the layout's page setup; the answers choose the layout and the file.
namespace cadhost {

namespace {

using Private = Engine::Private;
using acad::DocId;

struct PlotChoice
{
    acad::ObjectId layout = 0;
    QString layoutName;
    QString file;
};

QList<Keyword> yesNo()
{
    return yesNoCancel().mid(0, 2);
}

QString proposedFile(const Document& d, const QString& layoutName)
{
    return QDir(d.folder())
        .filePath(QStringLiteral("%1-%2.pdf").arg(QFileInfo(d.name()).completeBaseName(), layoutName));
}

void confirmPlot(Private& e, DocId doc, const PlotChoice& choice)
{
    e.commandLine.askKeyword(
        doc, QStringLiteral("Mit Plotten fortfahren? [Ja/Nein] <J>:"), yesNo(), 0, [&e, doc, choice](int k) {
            if (k != 0)
                return;
            e.commandLine.guarded([&] {
                const acad::PlotResult r = e.q->plotToFile(doc, choice.layout, choice.file);
                e.commandLine.log(QStringLiteral("Layout \"%1\" geplottet: %2 (%3 Objekte gezeichnet, "
                                                 "%4 übersprungen).")
                                      .arg(printable(choice.layoutName), choice.file)
                                      .arg(r.drawn)
                                      .arg(r.skipped));
            });
        });
}

void askPlotFile(Private& e, DocId doc, PlotChoice choice)
{
    const Document& d = e.documents.doc(doc);
    const QString proposal = proposedFile(d, choice.layoutName);
    e.commandLine.askPath(
        doc, QStringLiteral("Namen der Plotdatei eingeben <%1>:").arg(QFileInfo(proposal).fileName()),
        std::nullopt, proposal, [&e, doc, choice](const QString& path) mutable {
            e.commandLine.guarded([&] {
                QString file = e.documents.normalPath(path, e.documents.doc(doc).folder());
                if (QFileInfo(file).suffix().isEmpty())
                    file += QStringLiteral(".pdf");
                choice.file = file;
                confirmPlot(e, doc, choice);
            });
        });
}

void askToFile(Private& e, DocId doc, const PlotChoice& choice)
{
    e.commandLine.askKeyword(
        doc, QStringLiteral("Plot in Datei schreiben? [Ja/Nein] <J>:"), yesNo(), 0, [&e, doc, choice](int k) {
            if (k == 0)
                askPlotFile(e, doc, choice);
            else
                e.commandLine.log(
                    QStringLiteral("Der CAD-Host hat keinen Drucker; er plottet nur in Dateien."));
        });
}

void askDevice(Private& e, DocId doc, const PlotChoice& choice, const QString& proposal)
{
    e.commandLine.askText(
        doc, QStringLiteral("Ausgabegerätname eingeben oder [?] <%1>:").arg(proposal), proposal,
        [&e, doc, choice, proposal](const QString& answer) {
            const QString device = answer.trimmed();
            if (device == QLatin1String("?")) {
                e.commandLine.log(QStringLiteral("Ausgabegeräte: ") +
                                  plotterNames().join(QStringLiteral(", ")));
                askDevice(e, doc, choice, proposal);
            } else if (!plotterNames().contains(device, Qt::CaseInsensitive)) {
                e.commandLine.log(
                    QStringLiteral("Das Ausgabegerät \"%1\" gibt es nicht.").arg(printable(device)));
                askDevice(e, doc, choice, proposal);
            } else {
                askToFile(e, doc, choice);
            }
        });
}

void askLayout(Private& e, DocId doc)
{
    const QString current = e.documents.doc(doc).currentLayout();
    const QString proposal = hasControlCharacter(current) ? QString() : current;
    e.commandLine.askText(
        doc, QStringLiteral("Layoutname eingeben oder [?] <%1>:").arg(proposal), proposal,
        [&e, doc](const QString& answer) {
            e.commandLine.guarded([&] {
                const Document& d = e.documents.doc(doc);
                if (answer.trimmed() == QLatin1String("?")) {
                    QStringList names;
                    for (const Layout& l : d.drawing().layouts)
                        names.append(printable(l.name));
                    e.commandLine.log(QStringLiteral("Layouts: ") + names.join(QStringLiteral(", ")));
                    askLayout(e, doc);
                    return;
                }
                const Layout& layout = d.layoutNamed(answer.trimmed());
                const QString device = layout.plot.configName.isEmpty() ? QStringLiteral("DWG To PDF.pc3")
                                                                        : layout.plot.configName;
                askDevice(e, doc, PlotChoice{layout.id, layout.name, {}}, device);
            });
        });
}

} // namespace

void plotCommand(Private& e, DocId doc)
{
    e.commandLine.askKeyword(doc, QStringLiteral("Detaillierte Plotkonfiguration? [Ja/Nein] <Nein>:"),
                             yesNo(), 1, [&e, doc](int k) {
                                 if (k == 0)
                                     e.commandLine.log(QStringLiteral(
                                         "Die Plotkonfiguration ist die Seiteneinrichtung des Layouts."));
                                 askLayout(e, doc);
                             });
}

} // namespace cadhost
