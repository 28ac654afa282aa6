// Writes the sample template library from its description with the CAD host's own writer, so that the
// files are what the host itself would save.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointF>
#include <QSaveFile>
#include <cadhost/dxf/DxfPreserved.h>
#include <cadhost/dxf/DxfWriter.h>
#include <cstdio>

using namespace cadhost;

namespace {

struct Paper
{
    const char* name;
    double longSide, shortSide;
};

constexpr Paper kPapers[] = {{"A4", 297, 210}, {"A3", 420, 297}, {"A2", 594, 420}, {"A1", 841, 594}};

QString number(double v)
{
    return QString::number(v, 'f', 2);
}

// Rotation 0 is portrait and 1 landscape, as the explorer names them.
acad::PlotSettings plotSettings(const QJsonObject& o)
{
    acad::PlotSettings p;
    const QString media = o.value(QLatin1String("media")).toString();
    const bool landscape = o.value(QLatin1String("landscape")).toBool();
    for (const Paper& paper : kPapers) {
        if (media != QLatin1String(paper.name))
            continue;
        p.paperWidth = landscape ? paper.longSide : paper.shortSide;
        p.paperHeight = landscape ? paper.shortSide : paper.longSide;
    }
    p.configName = QStringLiteral("DWG To PDF.pc3");
    p.canonicalMediaName = QStringLiteral("ISO_full_bleed_%1_(%2_x_%3_MM)")
                               .arg(media, number(p.paperWidth), number(p.paperHeight));
    p.plotRotation = landscape ? 1 : 0;
    p.plotType = o.value(QLatin1String("plotType")).toInt(5);
    p.styleSheet = o.value(QLatin1String("style")).toString();
    return p;
}

Point3 point(const QJsonValue& v)
{
    const QJsonArray a = v.toArray();
    return {a.at(0).toDouble(), a.at(1).toDouble(), 0};
}

XDataApp kvarto(const QList<QPair<int, QString>>& values)
{
    XDataApp app{QStringLiteral("Kvarto"), {}};
    for (const auto& [type, value] : values) {
        app.items.append({1071, QString::number(type)});
        app.items.append({qint16(type < 100 ? 1005 : 1000), value});
    }
    return app;
}

// A layout's own viewport shows the whole sheet; the product's viewports carry their name and scale.
Entity viewport(const Point3& center, double width, double height, double denominator, qint32 id)
{
    Entity e;
    e.dxfType = QStringLiteral("VIEWPORT");
    e.entityType = acad::PViewport;
    e.layer = id == 1 ? QStringLiteral("0") : QStringLiteral("KV_Fenster");
    e.viewport.center = center;
    e.viewport.width = width;
    e.viewport.height = height;
    e.viewport.viewportId = id;
    // Custom scale = paper mm per model unit = 1000 / denominator with the model in metres.
    e.viewport.viewHeight = id == 1 ? height : height * denominator / 1000.0;
    e.viewport.viewCenter = id == 1 ? center : Point3{50, 40, 0};
    return e;
}

Entity productViewport(const QJsonObject& o, qint32 id)
{
    const QJsonArray size = o.value(QLatin1String("size")).toArray();
    Entity e = viewport(point(o.value(QLatin1String("center"))), size.at(0).toDouble(), size.at(1).toDouble(),
                        o.value(QLatin1String("scale")).toDouble(), id);
    e.xdata.append(kvarto({{0, QStringLiteral("1")},
                           {21, QString::number(o.value(QLatin1String("overview")).toInt())},
                           {121, o.value(QLatin1String("name")).toString()}}));
    return e;
}

struct Kind
{
    int kind = 0, numberType = 0;
    const char* layer = "0";
};

// Kind 8 title block (number under 81), 9 north arrow (91), 14 legend (71), on the layers that the
// definition database names for them.
Entity productBlock(const QJsonObject& o)
{
    static const QHash<QString, Kind> kinds = {{QStringLiteral("title"), {8, 81, "KV_Schriftfeld"}},
                                               {QStringLiteral("north"), {9, 91, "KV_Nordpfeil"}},
                                               {QStringLiteral("legend"), {14, 71, "KV_Legende"}}};
    const auto [kind, numberType, layer] = kinds.value(o.value(QLatin1String("kind")).toString());
    Entity e;
    e.dxfType = QStringLiteral("INSERT");
    e.entityType = acad::BlockReference;
    e.layer = QString::fromLatin1(layer);
    e.block.blockName = o.value(QLatin1String("block")).toString();
    e.block.insertion = point(o.value(QLatin1String("at")));
    e.xdata.append(kvarto({{0, QString::number(kind)},
                           {numberType, QString::number(o.value(QLatin1String("number")).toInt())}}));
    return e;
}

Layout layout(const QJsonObject& o, qint32 tab)
{
    Layout l;
    l.name = o.value(QLatin1String("name")).toString();
    l.tabOrder = tab;
    l.plot = plotSettings(o);
    const Point3 middle{l.plot.paperWidth / 2, l.plot.paperHeight / 2, 0};
    l.entities.append(viewport(middle, l.plot.paperWidth, l.plot.paperHeight, 1000, 1));
    qint32 id = 2;
    for (const QJsonValue& v : o.value(QLatin1String("viewports")).toArray())
        l.entities.append(productViewport(v.toObject(), id++));
    for (const QJsonValue& b : o.value(QLatin1String("blocks")).toArray())
        l.entities.append(productBlock(b.toObject()));
    return l;
}

QList<DxfGroup> lineGroups(const QString& layer, double x1, double y1, double x2, double y2)
{
    return {{100, QStringLiteral("AcDbEntity")},
            {8, layer},
            {100, QStringLiteral("AcDbLine")},
            {10, number(x1)},
            {20, number(y1)},
            {30, QStringLiteral("0.0")},
            {11, number(x2)},
            {21, number(y2)},
            {31, QStringLiteral("0.0")}};
}

Entity line(const QString& layer, double x1, double y1, double x2, double y2)
{
    Entity e;
    e.dxfType = QStringLiteral("LINE");
    e.entityType = 19;
    e.layer = layer;
    e.extra = lineGroups(layer, x1, y1, x2, y2);
    return e;
}

// The outer walls of a small building, so that the drawings have model-space content to keep.
void addWalls(Drawing& d)
{
    const double corners[][2] = {{0, 0}, {24, 0}, {24, 14}, {0, 14}};
    for (double inset : {0.0, 0.365}) {
        for (int i = 0; i < 4; ++i) {
            const auto* a = corners[i];
            const auto* b = corners[(i + 1) % 4];
            const double ax = a[0] ? a[0] - inset : inset, ay = a[1] ? a[1] - inset : inset;
            const double bx = b[0] ? b[0] - inset : inset, by = b[1] ? b[1] - inset : inset;
            d.modelSpace.append(line(QStringLiteral("Wände"), ax, ay, bx, by));
        }
    }
}

QString handleOf(const QList<DxfGroup>& groups)
{
    for (const DxfGroup& g : groups) {
        if (g.code == 5)
            return g.value;
    }
    return {};
}

// A block definition drawn as a closed outline, under handles of its own.
void defineBlock(Preserved& p, const QString& name, const QList<QPointF>& outline, quint64& next)
{
    const auto handle = [&next] { return QString::number(next++, 16).toUpper(); };
    const QString record = handle();
    DxfBlock b;
    b.name = name;
    b.begin = {QStringLiteral("BLOCK"),
               {{5, handle()},
                {330, record},
                {100, QStringLiteral("AcDbEntity")},
                {8, QStringLiteral("0")},
                {100, QStringLiteral("AcDbBlockBegin")},
                {2, name},
                {70, QStringLiteral("0")},
                {10, QStringLiteral("0.0")},
                {20, QStringLiteral("0.0")},
                {30, QStringLiteral("0.0")},
                {3, name},
                {1, QString()}}};
    for (qsizetype i = 0; i < outline.size(); ++i) {
        const QPointF from = outline.at(i), to = outline.at((i + 1) % outline.size());
        const QList<DxfGroup> own{{5, handle()}, {330, record}};
        b.entities.append({QStringLiteral("LINE"),
                           own + lineGroups(QStringLiteral("0"), from.x(), from.y(), to.x(), to.y())});
    }
    b.end = {QStringLiteral("ENDBLK"),
             {{5, handle()},
              {330, record},
              {100, QStringLiteral("AcDbEntity")},
              {8, QStringLiteral("0")},
              {100, QStringLiteral("AcDbBlockEnd")}}};
    p.blocks.append(b);
    for (DxfTable& t : p.tables) {
        if (t.name == QLatin1String("BLOCK_RECORD"))
            t.records.append({QStringLiteral("BLOCK_RECORD"),
                              {{5, record},
                               {330, handleOf(t.head)},
                               {100, QStringLiteral("AcDbSymbolTableRecord")},
                               {100, QStringLiteral("AcDbBlockTableRecord")},
                               {2, name}}});
    }
}

// The product's blocks in outline: title blocks, north arrows as an arrow head, legends as a frame.
std::shared_ptr<Preserved> withProductBlocks(const Preserved& base)
{
    auto p = std::make_shared<Preserved>(base);
    quint64 next = 0x200;
    const QList<QPointF> title{{-180, 0}, {0, 0}, {0, 55}, {-180, 55}};
    for (const char* name : {"KV_SF_A3", "KV_SF_A1"})
        defineBlock(*p, QString::fromLatin1(name), title, next);
    defineBlock(*p, QStringLiteral("KV_SF_A4"), {{-185, 0}, {0, 0}, {0, 40}, {-185, 40}}, next);
    defineBlock(*p, QStringLiteral("KV_NORD_1"), {{0, 20}, {-6, -10}, {0, -4}, {6, -10}}, next);
    defineBlock(*p, QStringLiteral("KV_NORD_2"), {{0, 22}, {-8, -8}, {8, -8}}, next);
    for (const char* name : {"KV_LEG_PLAN", "KV_LEG_LEIT"})
        defineBlock(*p, QString::fromLatin1(name), {{0, 0}, {100, 0}, {100, 80}, {0, 80}}, next);
    return p;
}

Drawing drawing(const QJsonObject& o)
{
    Drawing d = emptyDrawing();
    d.preserved = withProductBlocks(*d.preserved);
    d.layouts.first().origin = d.preserved;
    d.layouts.erase(d.layouts.begin() + 1, d.layouts.end()); // keep Model
    qint32 tab = 1;
    for (const QJsonValue& v : o.value(QLatin1String("layouts")).toArray())
        d.layouts.append(layout(v.toObject(), tab++));
    d.activeLayout = o.value(QLatin1String("active")).toString(QStringLiteral("Model"));
    if (o.value(QLatin1String("walls")).toBool())
        addWalls(d);
    return d;
}

bool save(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(file.errorString()));
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "Aufruf: bw_make_library BESCHREIBUNG ZIELORDNER\n");
        return 2;
    }
    QFile description(args.at(1));
    if (!description.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(args.at(1)), qPrintable(description.errorString()));
        return 1;
    }
    const QJsonObject root = QJsonDocument::fromJson(description.readAll()).object();
    const QDir target(args.at(2));
    if (!target.mkpath(QStringLiteral(".")))
        return 1;
    bool ok = true;
    for (const QJsonValue& v : root.value(QLatin1String("drawings")).toArray()) {
        const QJsonObject o = v.toObject();
        ok = save(target.filePath(o.value(QLatin1String("file")).toString()), writeDxf(drawing(o))) && ok;
    }
    for (const QJsonValue& v : root.value(QLatin1String("others")).toArray()) {
        const QJsonObject o = v.toObject();
        ok = save(target.filePath(o.value(QLatin1String("file")).toString()),
                  o.value(QLatin1String("text")).toString().toUtf8()) &&
             ok;
    }
    return ok ? 0 : 1;
}
