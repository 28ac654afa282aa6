#pragma once

#include <QList>
#include <QMetaType>
#include <QString>
#include <QVariant>

// Plain values that cross the automation interface. Every enumeration comes as one snapshot,
// so that a refresh costs one call per document and not one per property.
namespace acad {

using DocId = qint32;    // host-assigned, unique within one host run; 0 = none
using ObjectId = qint32; // host-assigned, unique within one host run, stable while a drawing stays open

enum EntityType : qint32
{
    BlockReference = 7, // AcDbBlockReference
    PViewport = 35,     // paper-space viewport
};

enum ActiveSpace : qint32
{
    PaperSpace = 0,
    ModelSpace = 1,
};

struct DocumentRef
{
    DocId id = 0;
    QString name; // file name, e.g. "Zeichnung1.dwg"
    QString path; // folder, without a trailing separator
    friend bool operator==(const DocumentRef&, const DocumentRef&) = default;
};

struct ApplicationSnapshot
{
    QList<DocumentRef> documents; // in the host's order
    DocId activeDocument = 0;     // 0 = no drawing open
    bool visible = false;
    friend bool operator==(const ApplicationSnapshot&, const ApplicationSnapshot&) = default;
};

struct LayoutRef
{
    ObjectId id = 0;
    QString name;
    qint32 tabOrder = 0; // Model = 0
    // The name holds a control character (CR, LF, ESC, ...), as a file may bring it: it must never
    // go onto a command line, where it would end answers or cancel. Address such a layout by id.
    bool unsafeName = false;
    friend bool operator==(const LayoutRef&, const LayoutRef&) = default;
};

struct DocumentSnapshot
{
    DocumentRef ref;
    bool modified = false;
    QString activeLayout; // "Model" while the drawing is in model space
    qint32 activeSpace = PaperSpace;
    QList<LayoutRef> layouts; // in tab order, "Model" first
    friend bool operator==(const DocumentSnapshot&, const DocumentSnapshot&) = default;
};

struct PlotSettings
{
    QString configName;         // plotter, e.g. "DWG To PDF.pc3"
    QString canonicalMediaName; // e.g. "ISO_full_bleed_A3_(420.00_x_297.00_MM)"
    double paperWidth = 0;      // mm
    double paperHeight = 0;     // mm
    qint32 plotRotation = 0;    // 0..3
    qint32 plotType = 5;        // 0..5 (5 = layout, 4 = window)
    QString styleSheet;         // empty for none
    // The plot scale: a standard scale (AcPlotScale, 16 = 1:1, 0 = scaled to fit) or a custom
    // ratio of paper units to drawing units.
    bool useStandardScale = true;
    qint32 standardScale = 16; // 0..32
    double scaleNumerator = 1;
    double scaleDenominator = 1;
    friend bool operator==(const PlotSettings&, const PlotSettings&) = default;
};

// Which values of PlotSettings setPlotSettings and copyPlotSettings take; OR them together.
// Scale covers useStandardScale, standardScale and the custom ratio.
enum PlotSetting : quint32
{
    Plotter = 1,
    Paper = 2,
    Orientation = 4,
    StyleTable = 8,
    PlotArea = 16,
    Scale = 32,
};

// What a plotted page holds: entities drawn, and those the host cannot draw and skipped.
struct PlotResult
{
    qint32 drawn = 0;
    qint32 skipped = 0;
    friend bool operator==(const PlotResult&, const PlotResult&) = default;
};

struct EntityInfo
{
    ObjectId id = 0;
    qint32 entityType = 0;  // EntityType, or another AutoCAD entity number
    QString name;           // block name of a block reference
    double customScale = 0; // of a paper-space viewport
    friend bool operator==(const EntityInfo&, const EntityInfo&) = default;
};

// Extended data of one application as AutoCAD hands it out: element 0 is code 1001 with the
// application name, the values follow. Both lists are empty when the object has no such data.
struct XData
{
    QList<qint16> codes;
    QList<QVariant> values;
    friend bool operator==(const XData&, const XData&) = default;
};

// One layout's plot settings as the details show them: read after the plot device information was
// refreshed, with the localized name of its paper (empty when the layout names no paper).
struct LayoutPlotSettings
{
    ObjectId id = 0;
    QString name;
    PlotSettings plot;
    QString localeMediaName;
    friend bool operator==(const LayoutPlotSettings&, const LayoutPlotSettings&) = default;
};

// One paper-space entity with its extended data of the application asked for (empty when none).
struct EntityWithXData
{
    EntityInfo entity;
    XData xdata;
    friend bool operator==(const EntityWithXData&, const EntityWithXData&) = default;
};

// One paper-space layout's block: the layout and its entities, each with its extended data.
struct LayoutBlockWithXData
{
    ObjectId layout = 0;
    QList<EntityWithXData> entities;
    friend bool operator==(const LayoutBlockWithXData&, const LayoutBlockWithXData&) = default;
};

// What a sheet list needs of one open document: its layouts' plot settings and their blocks with
// the extended data of one application. error: why the document could not be read (the lists are
// empty then); the other documents still come.
struct DocumentSheets
{
    DocumentRef ref;
    QList<LayoutPlotSettings> layouts;
    QList<LayoutBlockWithXData> blocks;
    QString error;
    friend bool operator==(const DocumentSheets&, const DocumentSheets&) = default;
};

// What ObjectIdToObject found.
struct ObjectInfo
{
    enum Kind : qint32
    {
        None = 0,
        Layout = 1,
        Entity = 2
    };
    qint32 kind = None;
    LayoutRef layout;  // when kind == Layout
    EntityInfo entity; // when kind == Entity
    friend bool operator==(const ObjectInfo&, const ObjectInfo&) = default;
};

struct MenuPopup
{
    QString name; // the popup's caption, e.g. "KV&+"
    QString alias;
    friend bool operator==(const MenuPopup&, const MenuPopup&) = default;
};

} // namespace acad
