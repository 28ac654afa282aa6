// Inserts the layout of a template whose block nests LEVELS deep (ezdxf writes the template) into a
// drawing and saves it, at 1,000, 9,000 and 12,000 levels. Prints the times and the time per level:
// a save that grows linearly keeps the time per level flat. Exit code 1 when a step fails.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <acad/Error.h>
#include <cadhost/dxf/DxfStore.h>
#include <cadhost/dxf/DxfWriter.h>
#include <cadhost/engine/Engine.h>
#include <cstdio>

using namespace cadhost;

namespace {

constexpr int kLevels[] = {1000, 9000, 12000};
constexpr int kRuns = 3;

bool writeTemplate(const QString& file, int levels)
{
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"),
            {QStringLiteral(BW_EZDXF_PEER), QStringLiteral("deep"), file, QString::number(levels)});
    return p.waitForFinished(600000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

struct Times
{
    double insert = 1e9;
    double save = 1e9;
};

bool hasLayout(Engine& engine, acad::DocId doc, const QString& name)
{
    for (const acad::LayoutRef& l : engine.document(doc).layouts) {
        if (l.name == name)
            return true;
    }
    return false;
}

// One run: a new drawing file, the template's layout "Tief" inserted on the command line, saved.
Times run(const QTemporaryDir& dir, const QString& templ)
{
    auto store = std::make_shared<DxfStore>();
    const QString drawing = dir.filePath(QStringLiteral("Blatt.dwg"));
    store->save(emptyDrawing(), drawing);
    Engine engine(store);
    const acad::DocId doc = engine.openDocument(drawing);
    engine.setVariable(doc, QStringLiteral("FILEDIA"), 0);
    Times t;
    QElapsedTimer timer;
    timer.start();
    engine.sendCommand(doc, QStringLiteral("_layout\r_template\r\"%1\"\rTief\r").arg(templ));
    while (!hasLayout(engine, doc, QStringLiteral("Tief")) && timer.elapsed() < 600000)
        QCoreApplication::processEvents();
    t.insert = timer.nsecsElapsed() / 1e9;
    timer.restart();
    engine.saveDocument(doc);
    t.save = timer.nsecsElapsed() / 1e9;
    return t;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    std::printf("%8s %12s %12s %18s\n", "levels", "insert [s]", "save [s]", "save per level [us]");
    for (const int levels : kLevels) {
        const QString templ = dir.filePath(QStringLiteral("Tief%1.dwt").arg(levels));
        if (!writeTemplate(templ, levels)) {
            std::printf("the template could not be written (/usr/bin/python3 with python3-ezdxf?)\n");
            return 1;
        }
        Times best;
        try {
            for (int i = 0; i < kRuns; ++i) {
                const Times t = run(dir, templ);
                best.insert = std::min(best.insert, t.insert);
                best.save = std::min(best.save, t.save);
            }
        } catch (const acad::Error& e) {
            std::printf("%8d failed: %s\n", levels, qPrintable(e.description()));
            return 1;
        }
        std::printf("%8d %12.3f %12.3f %18.1f\n", levels, best.insert, best.save, best.save / levels * 1e6);
        std::fflush(stdout); // a crash at the next depth keeps the figures so far
    }
    return 0;
}
