#include "BusTypes.h"

#include <QDBusMetaType>
#include <QDBusVariant>

namespace acad {

void registerBusTypes()
{
    qDBusRegisterMetaType<DocumentRef>();
    qDBusRegisterMetaType<QList<DocumentRef>>();
    qDBusRegisterMetaType<ApplicationSnapshot>();
    qDBusRegisterMetaType<LayoutRef>();
    qDBusRegisterMetaType<QList<LayoutRef>>();
    qDBusRegisterMetaType<DocumentSnapshot>();
    qDBusRegisterMetaType<QList<DocumentSnapshot>>();
    qDBusRegisterMetaType<PlotSettings>();
    qDBusRegisterMetaType<PlotResult>();
    qDBusRegisterMetaType<EntityInfo>();
    qDBusRegisterMetaType<QList<EntityInfo>>();
    qDBusRegisterMetaType<XData>();
    qDBusRegisterMetaType<ObjectInfo>();
    qDBusRegisterMetaType<MenuPopup>();
    qDBusRegisterMetaType<QList<MenuPopup>>();
    qDBusRegisterMetaType<QList<qint16>>();
    qDBusRegisterMetaType<LayoutPlotSettings>();
    qDBusRegisterMetaType<QList<LayoutPlotSettings>>();
    qDBusRegisterMetaType<EntityWithXData>();
    qDBusRegisterMetaType<QList<EntityWithXData>>();
    qDBusRegisterMetaType<LayoutBlockWithXData>();
    qDBusRegisterMetaType<QList<LayoutBlockWithXData>>();
    qDBusRegisterMetaType<DocumentSheets>();
    qDBusRegisterMetaType<QList<DocumentSheets>>();
}

QVariant fromBusVariant(const QVariant& v)
{
    if (v.metaType() == QMetaType::fromType<QDBusVariant>())
        return fromBusVariant(qvariant_cast<QDBusVariant>(v).variant());
    return v;
}

QDBusArgument& operator<<(QDBusArgument& arg, const DocumentRef& v)
{
    arg.beginStructure();
    arg << v.id << v.name << v.path;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, DocumentRef& v)
{
    arg.beginStructure();
    arg >> v.id >> v.name >> v.path;
    arg.endStructure();
    return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const ApplicationSnapshot& v)
{
    arg.beginStructure();
    arg << v.documents << v.activeDocument << v.visible;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, ApplicationSnapshot& v)
{
    arg.beginStructure();
    arg >> v.documents >> v.activeDocument >> v.visible;
    arg.endStructure();
    return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const LayoutRef& v)
{
    arg.beginStructure();
    // unsafeName came last: clients that read only the first three fields still read the rest.
    arg << v.id << v.name << v.tabOrder << v.unsafeName;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, LayoutRef& v)
{
    arg.beginStructure();
    arg >> v.id >> v.name >> v.tabOrder;
    if (!arg.atEnd()) // an older host sends three fields
        arg >> v.unsafeName;
    arg.endStructure();
    return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const DocumentSnapshot& v)
{
    arg.beginStructure();
    arg << v.ref << v.modified << v.activeLayout << v.activeSpace << v.layouts;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, DocumentSnapshot& v)
{
    arg.beginStructure();
    arg >> v.ref >> v.modified >> v.activeLayout >> v.activeSpace >> v.layouts;
    arg.endStructure();
    return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const PlotSettings& v)
{
    arg.beginStructure();
    // The scale came last: clients that read only the first seven fields still read the rest.
    arg << v.configName << v.canonicalMediaName << v.paperWidth << v.paperHeight << v.plotRotation
        << v.plotType << v.styleSheet << v.useStandardScale << v.standardScale << v.scaleNumerator
        << v.scaleDenominator;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, PlotSettings& v)
{
    arg.beginStructure();
    arg >> v.configName >> v.canonicalMediaName >> v.paperWidth >> v.paperHeight >> v.plotRotation >>
        v.plotType >> v.styleSheet;
    if (!arg.atEnd()) // an older host sends seven fields
        arg >> v.useStandardScale >> v.standardScale >> v.scaleNumerator >> v.scaleDenominator;
    arg.endStructure();
    return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const PlotResult& v)
{
    arg.beginStructure();
    arg << v.drawn << v.skipped;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, PlotResult& v)
{
    arg.beginStructure();
    arg >> v.drawn >> v.skipped;
    arg.endStructure();
    return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const EntityInfo& v)
{
    arg.beginStructure();
    arg << v.id << v.entityType << v.name << v.customScale;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, EntityInfo& v)
{
    arg.beginStructure();
    arg >> v.id >> v.entityType >> v.name >> v.customScale;
    arg.endStructure();
    return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const XData& v)
{
    arg.beginStructure();
    arg << v.codes;
    arg.beginArray(QMetaType::fromType<QDBusVariant>());
    // D-Bus has no empty variant; an empty value travels as empty text.
    for (const QVariant& value : v.values)
        arg << QDBusVariant(value.isValid() ? value : QVariant(QString()));
    arg.endArray();
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, XData& v)
{
    arg.beginStructure();
    arg >> v.codes;
    v.values.clear();
    arg.beginArray();
    while (!arg.atEnd()) {
        QDBusVariant value;
        arg >> value;
        v.values.append(fromBusVariant(value.variant()));
    }
    arg.endArray();
    arg.endStructure();
    return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const ObjectInfo& v)
{
    arg.beginStructure();
    arg << v.kind << v.layout << v.entity;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, ObjectInfo& v)
{
    arg.beginStructure();
    arg >> v.kind >> v.layout >> v.entity;
    arg.endStructure();
    return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const LayoutPlotSettings& v)
{
    arg.beginStructure();
    arg << v.id << v.name << v.plot << v.localeMediaName;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, LayoutPlotSettings& v)
{
    arg.beginStructure();
    arg >> v.id >> v.name >> v.plot >> v.localeMediaName;
    arg.endStructure();
    return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const EntityWithXData& v)
{
    arg.beginStructure();
    arg << v.entity << v.xdata;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, EntityWithXData& v)
{
    arg.beginStructure();
    arg >> v.entity >> v.xdata;
    arg.endStructure();
    return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const LayoutBlockWithXData& v)
{
    arg.beginStructure();
    arg << v.layout << v.entities;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, LayoutBlockWithXData& v)
{
    arg.beginStructure();
    arg >> v.layout >> v.entities;
    arg.endStructure();
    return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const DocumentSheets& v)
{
    arg.beginStructure();
    arg << v.ref << v.layouts << v.blocks << v.error;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, DocumentSheets& v)
{
    arg.beginStructure();
    arg >> v.ref >> v.layouts >> v.blocks >> v.error;
    arg.endStructure();
    return arg;
}

QDBusArgument& operator<<(QDBusArgument& arg, const MenuPopup& v)
{
    arg.beginStructure();
    arg << v.name << v.alias;
    arg.endStructure();
    return arg;
}

const QDBusArgument& operator>>(const QDBusArgument& arg, MenuPopup& v)
{
    arg.beginStructure();
    arg >> v.name >> v.alias;
    arg.endStructure();
    return arg;
}

} // namespace acad
