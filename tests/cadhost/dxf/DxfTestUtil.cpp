#include "DxfTestUtil.h"

#include <QFile>
#include <QProcess>
#include <QTest>

namespace dxftest {

QString dataPath(const QString& name)
{
    return qEnvironmentVariable("BW_SOURCE_DIR") + QStringLiteral("/tests/cadhost/dxf/data/") + name;
}

QString samplePath(const QString& name)
{
    return qEnvironmentVariable("KVARTO_PROGRAM_DIR") + QStringLiteral("/Bibliothek/Vorlagen/") + name;
}

QByteArray readAll(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    return f.readAll();
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

cadhost::Entity viewport(double customScale, const QString& name, qint32 id)
{
    cadhost::Entity e;
    e.dxfType = QStringLiteral("VIEWPORT");
    e.entityType = acad::PViewport;
    e.layer = QStringLiteral("KV_Fenster");
    e.viewport.center = {150, 120, 0};
    e.viewport.width = 200;
    e.viewport.height = 160;
    e.viewport.viewCenter = {12.5, 7.25, 0};
    e.viewport.viewHeight = 160 / customScale;
    e.viewport.viewportId = id;
    e.xdata.append({QStringLiteral("Kvarto"),
                    {{1071, QStringLiteral("0")},
                     {1005, QStringLiteral("1")},
                     {1071, QStringLiteral("21")},
                     {1005, QStringLiteral("-1")},
                     {1071, QStringLiteral("121")},
                     {1000, name}}});
    return e;
}

cadhost::Entity blockRef(const QString& block, int kind, int number)
{
    cadhost::Entity e;
    e.dxfType = QStringLiteral("INSERT");
    e.entityType = acad::BlockReference;
    e.block.blockName = block;
    e.block.insertion = {340, 10, 0};
    e.block.scale = {2, 2, 1};
    e.block.rotation = 90;
    const int numberType = kind == 8 ? 81 : kind == 9 ? 91 : 71;
    e.xdata.append({QStringLiteral("Kvarto"),
                    {{1071, QStringLiteral("0")},
                     {1005, QString::number(kind)},
                     {1071, QString::number(numberType)},
                     {1005, QString::number(number)}}});
    return e;
}

cadhost::Layout paperLayout(const QString& name, qint32 tab)
{
    cadhost::Layout l;
    l.name = name;
    l.tabOrder = tab;
    l.plot = {QStringLiteral("DWG To PDF.pc3"),
              QStringLiteral("ISO_full_bleed_A4_(210.00_x_297.00_MM)"),
              210,
              297,
              0,
              4,
              QStringLiteral("monochrome.ctb")};
    cadhost::Entity own = viewport(1, QString(), 1);
    own.xdata.clear();
    l.entities = {own, viewport(10, QStringLiteral("Grundriss"))};
    return l;
}

QStringList handles(const QByteArray& dxf, QString* seed)
{
    const QList<QByteArray> lines = dxf.split('\n');
    QStringList result;
    for (qsizetype i = 0; i + 1 < lines.size(); i += 2) {
        const QByteArray code = lines.at(i).trimmed();
        const QString value = QString::fromLatin1(lines.at(i + 1).trimmed());
        if (code == "9" && value == QLatin1String("$HANDSEED") && i + 3 < lines.size()) {
            if (seed)
                *seed = QString::fromLatin1(lines.at(i + 3).trimmed());
            i += 2; // the seed is no handle of an object
        } else if (code == "5" || code == "105") {
            result.append(value);
        }
    }
    return result;
}

bool ezdxfAvailable(QString* why)
{
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QStringLiteral("import ezdxf")});
    if (p.waitForFinished(30000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0)
        return true;
    *why = QStringLiteral("ezdxf fehlt: /usr/bin/python3 kann ezdxf nicht laden (Debian-Paket python3-ezdxf, "
                          "scripts/setup.sh installiert es).");
    return false;
}

QByteArray runPeer(const QStringList& arguments)
{
    QProcess p;
    p.start(QStringLiteral("/usr/bin/python3"),
            QStringList{qEnvironmentVariable("BW_SOURCE_DIR") + QStringLiteral("/tests/cadhost/dxf/ezdxf_peer.py")} +
                arguments);
    if (!p.waitForFinished(120000) || p.exitCode() != 0)
        qWarning("ezdxf peer failed: %s", p.readAllStandardError().constData());
    return p.readAllStandardOutput();
}

} // namespace dxftest
