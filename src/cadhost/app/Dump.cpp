#include "Dump.h"

#include <QJsonArray>

namespace cadhost {

namespace {

QJsonObject plotJson(const acad::PlotSettings& p)
{
    return {{QStringLiteral("configName"), p.configName},
            {QStringLiteral("canonicalMediaName"), p.canonicalMediaName},
            {QStringLiteral("paperWidth"), p.paperWidth},
            {QStringLiteral("paperHeight"), p.paperHeight},
            {QStringLiteral("plotRotation"), p.plotRotation},
            {QStringLiteral("plotType"), p.plotType},
            {QStringLiteral("styleSheet"), p.styleSheet}};
}

QJsonArray xdataJson(const QList<XDataApp>& xdata)
{
    QJsonArray apps;
    for (const XDataApp& app : xdata) {
        QJsonArray codes, values;
        for (const XDataItem& item : app.items) {
            codes.append(item.code);
            values.append(item.value);
        }
        apps.append(QJsonObject{{QStringLiteral("application"), app.application},
                                {QStringLiteral("codes"), codes},
                                {QStringLiteral("values"), values}});
    }
    return apps;
}

QJsonObject entityJson(const Entity& e)
{
    QJsonObject o{{QStringLiteral("type"), e.entityType},
                  {QStringLiteral("dxfType"), e.dxfType},
                  {QStringLiteral("objectId"), e.id}};
    if (e.entityType == acad::BlockReference)
        o.insert(QStringLiteral("name"), e.block.blockName);
    if (e.entityType == acad::PViewport) {
        o.insert(QStringLiteral("viewportId"), e.viewport.viewportId);
        if (e.viewport.viewHeight != 0)
            o.insert(QStringLiteral("customScale"), e.viewport.height / e.viewport.viewHeight);
    }
    if (!e.xdata.isEmpty())
        o.insert(QStringLiteral("xdata"), xdataJson(e.xdata));
    return o;
}

bool isModelled(const Entity& e)
{
    return e.entityType == acad::PViewport || e.entityType == acad::BlockReference;
}

} // namespace

QJsonObject dumpDrawing(const Drawing& drawing)
{
    QJsonArray layouts;
    qint64 unmodelled = 0;
    for (const Entity& e : drawing.modelSpace)
        unmodelled += isModelled(e) ? 0 : 1;
    for (const Layout& l : drawing.layouts) {
        QJsonArray entities;
        for (const Entity& e : l.entities) {
            entities.append(entityJson(e));
            unmodelled += isModelled(e) ? 0 : 1;
        }
        layouts.append(QJsonObject{{QStringLiteral("name"), l.name},
                                   {QStringLiteral("objectId"), l.id},
                                   {QStringLiteral("tabOrder"), l.tabOrder},
                                   {QStringLiteral("plot"), plotJson(l.plot)},
                                   {QStringLiteral("entities"), entities}});
    }
    return {{QStringLiteral("activeLayout"), drawing.activeLayout},
            {QStringLiteral("layouts"), layouts},
            {QStringLiteral("modelSpaceEntities"), drawing.modelSpace.size()},
            {QStringLiteral("unmodelledEntities"), unmodelled}};
}

} // namespace cadhost
