// Reads and writes a drawing of 100 layouts and 20,000 model-space entities (about 10 MB), then lets
// ezdxf read the same file, and prints both times and their ratio. The target: at least 10 times
// faster than ezdxf.
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cadhost/dxf/DxfStore.h>
#include <cadhost/dxf/DxfWriter.h>
#include <cstdio>

using namespace cadhost;

namespace {

constexpr int kLayouts = 100;
constexpr int kEntities = 20000;
constexpr int kRuns = 5;

QString num(double v)
{
    return QString::number(v, 'f', 4);
}

// A closed polyline of twelve vertices with a little extended data: a typical room outline.
Entity room(int i)
{
    Entity e;
    e.dxfType = QStringLiteral("LWPOLYLINE");
    e.entityType = 24;
    e.layer = QStringLiteral("Räume %1").arg(i % 20);
    e.extra = {{100, QStringLiteral("AcDbEntity")},
               {8, e.layer},
               {100, QStringLiteral("AcDbPolyline")},
               {90, QStringLiteral("12")},
               {70, QStringLiteral("1")}};
    for (int v = 0; v < 12; ++v) {
        e.extra.append({10, num(i * 1.5 + v * 0.731)});
        e.extra.append({20, num(i * 0.25 + v * 1.113)});
    }
    e.xdata.append({QStringLiteral("Kvarto"),
                    {{1071, QStringLiteral("0")},
                     {1005, QStringLiteral("3")},
                     {1071, QStringLiteral("121")},
                     {1000, QStringLiteral("Raum %1").arg(i)}}});
    return e;
}

Layout sheet(int i)
{
    Drawing skeleton = emptyDrawing();
    Layout l = skeleton.layouts.at(1);
    l.handle.clear();
    l.name = QStringLiteral("Blatt %1").arg(i);
    l.tabOrder = i;
    for (int v = 0; v < 3; ++v) {
        Entity vp = l.entities.at(0);
        vp.handle.clear();
        vp.extra.clear();
        vp.viewport.viewportId = v + 2;
        vp.viewport.viewHeight = 40;
        vp.xdata.append({QStringLiteral("Kvarto"),
                         {{1071, QStringLiteral("0")},
                          {1005, QStringLiteral("1")},
                          {1071, QStringLiteral("121")},
                          {1000, QStringLiteral("Fenster %1").arg(v)}}});
        l.entities.append(vp);
    }
    Entity title;
    title.dxfType = QStringLiteral("INSERT");
    title.entityType = acad::BlockReference;
    title.block.blockName = QStringLiteral("KV_Stempel_A3");
    title.xdata.append({QStringLiteral("Kvarto"),
                        {{1071, QStringLiteral("0")},
                         {1005, QStringLiteral("8")},
                         {1071, QStringLiteral("81")},
                         {1005, QStringLiteral("1")}}});
    l.entities.append(title);
    return l;
}

Drawing bigDrawing()
{
    Drawing d = emptyDrawing();
    d.layouts.removeLast();
    for (int i = 1; i <= kLayouts; ++i)
        d.layouts.append(sheet(i));
    for (int i = 0; i < kEntities; ++i)
        d.modelSpace.append(room(i));
    d.activeLayout = QStringLiteral("Blatt 1");
    return d;
}

double ezdxfSeconds(const QString& file)
{
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"),
            {QStringLiteral(BW_EZDXF_PEER), QStringLiteral("bench"), file});
    if (!p.waitForFinished(600000) || p.exitCode() != 0)
        return -1;
    return p.readAllStandardOutput().trimmed().toDouble();
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("gross.dwg"));
    DxfStore store;
    store.save(bigDrawing(), file);
    std::printf("file: %d layouts, %d model-space entities, %.1f MB\n", kLayouts, kEntities,
                QFileInfo(file).size() / 1e6);

    double readBest = 1e9, writeBest = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        QElapsedTimer t;
        t.start();
        const Drawing d = store.load(file);
        readBest = std::min(readBest, t.nsecsElapsed() / 1e9);
        t.restart();
        store.save(d, dir.filePath(QStringLiteral("kopie.dwg")));
        writeBest = std::min(writeBest, t.nsecsElapsed() / 1e9);
    }
    std::printf("host read:  %.3f s (best of %d)\n", readBest, kRuns);
    std::printf("host write: %.3f s (best of %d)\n", writeBest, kRuns);
    const double ezdxf = ezdxfSeconds(file);
    if (ezdxf < 0) {
        std::printf("ezdxf read: not measured (/usr/bin/python3 with python3-ezdxf is missing)\n");
        return 0;
    }
    std::printf("ezdxf read: %.3f s\n", ezdxf);
    std::printf("ratio:      host reads %.1f times faster than ezdxf (target: 10)\n", ezdxf / readBest);
    return 0;
}
