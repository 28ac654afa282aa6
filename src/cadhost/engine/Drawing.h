#pragma once

#include <acad/Types.h>

#include <QList>
#include <QString>
#include <memory>

// The host's model of one drawing. The engine works on the modelled parts; the file layer keeps
// everything else (tables, unmodelled entities and objects, unknown group codes) so that opening and
// saving a drawing never loses content.
namespace cadhost {

// One DXF group exactly as read: code and value text.
struct DxfGroup
{
    qint32 code = 0;
    QString value;
    friend bool operator==(const DxfGroup&, const DxfGroup&) = default;
};

struct XDataItem
{
    qint16 code = 0; // 1000, 1005, 1071, ...
    QString value;   // kept as written, e.g. the text of a 1005 value ("3", "-1")
    friend bool operator==(const XDataItem&, const XDataItem&) = default;
};

struct XDataApp
{
    QString application; // "Kvarto", "ACAD", ...
    QList<XDataItem> items;
    friend bool operator==(const XDataApp&, const XDataApp&) = default;
};

struct Point3
{
    double x = 0, y = 0, z = 0;
    friend bool operator==(const Point3&, const Point3&) = default;
};

struct Viewport
{
    Point3 center;             // on the sheet
    double width = 0;          // paper units
    double height = 0;
    Point3 viewCenter;         // model space
    double viewHeight = 1;     // model units; CustomScale = height / viewHeight
    qint32 status = 1;         // 0 off, >0 on with its stack order
    qint32 viewportId = 2;     // 1 = the layout's own paper-space viewport
    friend bool operator==(const Viewport&, const Viewport&) = default;
};

struct BlockRef
{
    QString blockName;
    Point3 insertion;
    Point3 scale{1, 1, 1};
    double rotation = 0;
    friend bool operator==(const BlockRef&, const BlockRef&) = default;
};

struct Entity
{
    acad::ObjectId id = 0;     // assigned by the engine; the file layer leaves it 0
    QString handle;            // as read; the file layer's business
    QString dxfType;           // "VIEWPORT", "INSERT", "LINE", ...
    qint32 entityType = 0;     // acad::EntityType or another AutoCAD entity number
    QString layer = QStringLiteral("0");
    Viewport viewport;         // when entityType == PViewport
    BlockRef block;            // when entityType == BlockReference
    QList<XDataApp> xdata;
    // Groups of this entity that the host does not model, in file order; for an unmodelled entity
    // this is the whole entity after its type.
    QList<DxfGroup> extra;
    friend bool operator==(const Entity&, const Entity&) = default;

    double customScale() const;
};

// What the file layer keeps beyond the model. The engine copies it along and never looks inside.
struct Preserved;

struct Layout
{
    acad::ObjectId id = 0;     // assigned by the engine; the file layer leaves it 0
    QString handle;            // as read; the file layer's business
    QString name;
    qint32 tabOrder = 0;       // Model = 0
    acad::PlotSettings plot;
    QList<Entity> entities;    // paper-space entities in order (empty for Model)
    QList<DxfGroup> extra;     // unmodelled groups of the LAYOUT object
    // What the file that the layout was read from holds beyond the model (its block definitions), so
    // that a layout taken into another drawing brings the blocks its references need. The file layer's
    // business, like handle and extra.
    std::shared_ptr<const Preserved> origin;
    friend bool operator==(const Layout&, const Layout&) = default;

    bool isModel() const { return name == QLatin1String("Model"); }
};

struct Drawing
{
    QList<Layout> layouts;     // in tab order, "Model" first
    QString activeLayout;      // name; "Model" for model space
    QList<Entity> modelSpace;  // model-space entities in order
    std::shared_ptr<const Preserved> preserved;

    Layout* layout(const QString& name);       // exact name, nullptr if none
    const Layout* layout(const QString& name) const;
};

// Where drawings come from and go to. The in-memory store serves tests; the DXF store reads and
// writes real files. Both throw acad::Error with a German text that names the file.
class DrawingStore
{
public:
    virtual ~DrawingStore() = default;
    virtual Drawing load(const QString& path) = 0;
    virtual void save(const Drawing& drawing, const QString& path) = 0;
    virtual bool exists(const QString& path) = 0;
};

} // namespace cadhost
