#pragma once

#include "Types.h"

#include <QDBusArgument>

// How the automation values cross the bus. Every struct is a D-Bus struct of its fields in
// declaration order; XData values and variables travel as variants.
namespace acad {

// Registers the values with Qt's meta-type system and with Qt D-Bus. Call once before the first
// bus call or export; repeated calls are harmless.
void registerBusTypes();

QDBusArgument& operator<<(QDBusArgument& arg, const DocumentRef& v);
const QDBusArgument& operator>>(const QDBusArgument& arg, DocumentRef& v);
QDBusArgument& operator<<(QDBusArgument& arg, const ApplicationSnapshot& v);
const QDBusArgument& operator>>(const QDBusArgument& arg, ApplicationSnapshot& v);
QDBusArgument& operator<<(QDBusArgument& arg, const LayoutRef& v);
const QDBusArgument& operator>>(const QDBusArgument& arg, LayoutRef& v);
QDBusArgument& operator<<(QDBusArgument& arg, const DocumentSnapshot& v);
const QDBusArgument& operator>>(const QDBusArgument& arg, DocumentSnapshot& v);
QDBusArgument& operator<<(QDBusArgument& arg, const PlotSettings& v);
const QDBusArgument& operator>>(const QDBusArgument& arg, PlotSettings& v);
QDBusArgument& operator<<(QDBusArgument& arg, const PlotResult& v);
const QDBusArgument& operator>>(const QDBusArgument& arg, PlotResult& v);
QDBusArgument& operator<<(QDBusArgument& arg, const EntityInfo& v);
const QDBusArgument& operator>>(const QDBusArgument& arg, EntityInfo& v);
QDBusArgument& operator<<(QDBusArgument& arg, const XData& v);
const QDBusArgument& operator>>(const QDBusArgument& arg, XData& v);
QDBusArgument& operator<<(QDBusArgument& arg, const ObjectInfo& v);
const QDBusArgument& operator>>(const QDBusArgument& arg, ObjectInfo& v);
QDBusArgument& operator<<(QDBusArgument& arg, const LayoutPlotSettings& v);
const QDBusArgument& operator>>(const QDBusArgument& arg, LayoutPlotSettings& v);
QDBusArgument& operator<<(QDBusArgument& arg, const EntityWithXData& v);
const QDBusArgument& operator>>(const QDBusArgument& arg, EntityWithXData& v);
QDBusArgument& operator<<(QDBusArgument& arg, const LayoutBlockWithXData& v);
const QDBusArgument& operator>>(const QDBusArgument& arg, LayoutBlockWithXData& v);
QDBusArgument& operator<<(QDBusArgument& arg, const DocumentSheets& v);
const QDBusArgument& operator>>(const QDBusArgument& arg, DocumentSheets& v);
QDBusArgument& operator<<(QDBusArgument& arg, const MenuPopup& v);
const QDBusArgument& operator>>(const QDBusArgument& arg, MenuPopup& v);

// A variant as it came off the bus (QDBusVariant or a plain value) back to a plain QVariant;
// nested D-Bus arguments of the basic types are unwrapped.
QVariant fromBusVariant(const QVariant& v);

} // namespace acad

Q_DECLARE_METATYPE(acad::DocumentRef)
Q_DECLARE_METATYPE(acad::ApplicationSnapshot)
Q_DECLARE_METATYPE(acad::LayoutRef)
Q_DECLARE_METATYPE(acad::DocumentSnapshot)
Q_DECLARE_METATYPE(acad::PlotSettings)
Q_DECLARE_METATYPE(acad::PlotResult)
Q_DECLARE_METATYPE(acad::EntityInfo)
Q_DECLARE_METATYPE(acad::XData)
Q_DECLARE_METATYPE(acad::ObjectInfo)
Q_DECLARE_METATYPE(acad::MenuPopup)
Q_DECLARE_METATYPE(acad::LayoutPlotSettings)
Q_DECLARE_METATYPE(acad::EntityWithXData)
Q_DECLARE_METATYPE(acad::LayoutBlockWithXData)
Q_DECLARE_METATYPE(acad::DocumentSheets)
