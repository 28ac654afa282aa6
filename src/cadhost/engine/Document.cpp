#include "Document.h"

#include "LayoutNames.h"

#include <QDir>
#include <QFileInfo>
#include <acad/Error.h>
#include <algorithm>
#include <limits>

namespace cadhost {

namespace {

const QString kModel = QStringLiteral("Model");

Layout makeLayout(const QString& name, qint32 tabOrder)
{
    Layout layout;
    layout.name = name;
    layout.tabOrder = tabOrder;
    layout.plot = defaultPaperPlot();
    return layout;
}

// A name from a file may hold control characters; clients must not put it on a command line.
acad::LayoutRef layoutRef(const Layout& l)
{
    return {l.id, l.name, l.tabOrder, hasControlCharacter(l.name)};
}

// Model first, then the paper-space layouts in their tab order.
void orderLayouts(Drawing& drawing)
{
    std::stable_sort(drawing.layouts.begin(), drawing.layouts.end(), [](const Layout& a, const Layout& b) {
        if (a.isModel() != b.isModel())
            return a.isModel();
        return a.tabOrder < b.tabOrder;
    });
    if (drawing.layouts.isEmpty() || !drawing.layouts.first().isModel())
        drawing.layouts.prepend(makeLayout(kModel, 0));
    if (drawing.layouts.size() == 1)
        drawing.layouts.append(makeLayout(QStringLiteral("Layout1"), 1));
}

void assignIds(QList<Entity>& entities, IdSource& ids)
{
    for (Entity& e : entities)
        e.id = ids.take();
}

} // namespace

acad::ObjectId IdSource::take()
{
    if (m_next == std::numeric_limits<acad::ObjectId>::max())
        throw acad::Error(
            QStringLiteral("Keine freien Objekt-IDs mehr: der CAD-Host muss neu gestartet werden."));
    return m_next++;
}

void adoptDrawing(Drawing& drawing, IdSource& ids)
{
    orderLayouts(drawing);
    for (qint32 i = 0; i < drawing.layouts.size(); ++i) {
        Layout& layout = drawing.layouts[i];
        layout.tabOrder = i;
        layout.id = ids.take();
        assignIds(layout.entities, ids);
    }
    assignIds(drawing.modelSpace, ids);
    const Layout* active = findLayout(drawing, drawing.activeLayout);
    drawing.activeLayout = active ? active->name : kModel;
}

Layout cloneLayout(const Layout& source, IdSource& ids)
{
    Layout copy = source;
    copy.id = ids.take();
    assignIds(copy.entities, ids);
    return copy;
}

acad::EntityInfo entityInfo(const Entity& entity)
{
    acad::EntityInfo info;
    info.id = entity.id;
    info.entityType = entity.entityType;
    if (entity.entityType == acad::BlockReference)
        info.name = entity.block.blockName;
    if (entity.entityType == acad::PViewport)
        info.customScale = entity.customScale();
    return info;
}

acad::PlotSettings defaultPaperPlot()
{
    // A3 landscape, as the new drawing's file and the sample library's "A3 quer": rotation 1 is
    // landscape, and width and height are those of the sheet as it lies.
    acad::PlotSettings plot;
    plot.configName = QStringLiteral("DWG To PDF.pc3");
    plot.canonicalMediaName = QStringLiteral("ISO_full_bleed_A3_(420.00_x_297.00_MM)");
    plot.paperWidth = 420;
    plot.paperHeight = 297;
    plot.plotRotation = 1;
    plot.plotType = 5;
    return plot;
}

Drawing makeDefaultDrawing()
{
    Drawing drawing;
    drawing.layouts = {makeLayout(kModel, 0), makeLayout(QStringLiteral("Layout1"), 1),
                       makeLayout(QStringLiteral("Layout2"), 2)};
    drawing.activeLayout = QStringLiteral("Layout1");
    return drawing;
}

Document::Document(acad::DocId id, const QString& fullPath, Drawing drawing)
    : m_id(id), m_drawing(std::move(drawing))
{
    setFullPath(fullPath);
    for (const Layout& layout : m_drawing.layouts) {
        if (!layout.isModel()) {
            m_lastPaperLayout = layout.name;
            break;
        }
    }
    if (activeSpace() == acad::PaperSpace)
        m_lastPaperLayout = m_drawing.activeLayout;
}

QString Document::fullPath() const
{
    return m_folder + QLatin1Char('/') + m_name;
}

void Document::setFullPath(const QString& path)
{
    const QString clean = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    const qsizetype slash = clean.lastIndexOf(QLatin1Char('/'));
    m_folder = clean.left(slash);
    m_name = clean.mid(slash + 1);
}

acad::DocumentRef Document::ref() const
{
    return {m_id, m_name, m_folder};
}

acad::DocumentSnapshot Document::snapshot() const
{
    acad::DocumentSnapshot s;
    s.ref = ref();
    s.modified = m_modified;
    s.activeLayout = m_drawing.activeLayout;
    s.activeSpace = activeSpace();
    s.layouts.reserve(m_drawing.layouts.size());
    for (const Layout& l : m_drawing.layouts)
        s.layouts.append(layoutRef(l));
    return s;
}

qint32 Document::activeSpace() const
{
    return m_drawing.activeLayout == kModel ? acad::ModelSpace : acad::PaperSpace;
}

const Layout& Document::layoutById(acad::ObjectId id) const
{
    return const_cast<Document*>(this)->layoutById(id);
}

Layout& Document::layoutById(acad::ObjectId id)
{
    for (Layout& l : m_drawing.layouts) {
        if (l.id == id)
            return l;
    }
    throw acad::Error(QStringLiteral("Objekt-ID %1 ist kein Layout der Zeichnung %2.").arg(id).arg(m_name));
}

const Layout& Document::layoutNamed(const QString& name) const
{
    const Layout* layout = findLayout(m_drawing, name);
    if (!layout)
        throw acad::Error(QStringLiteral("Layout nicht gefunden: %1").arg(name));
    return *layout;
}

Entity* Document::entityById(acad::ObjectId id)
{
    for (Layout& l : m_drawing.layouts) {
        for (Entity& e : l.entities) {
            if (e.id == id)
                return &e;
        }
    }
    for (Entity& e : m_drawing.modelSpace) {
        if (e.id == id)
            return &e;
    }
    return nullptr;
}

acad::ObjectInfo Document::objectInfo(acad::ObjectId id) const
{
    acad::ObjectInfo info;
    for (const Layout& l : m_drawing.layouts) {
        if (l.id == id) {
            info.kind = acad::ObjectInfo::Layout;
            info.layout = layoutRef(l);
            return info;
        }
    }
    if (const Entity* e = const_cast<Document*>(this)->entityById(id)) {
        info.kind = acad::ObjectInfo::Entity;
        info.entity = entityInfo(*e);
        return info;
    }
    throw acad::Error(QStringLiteral("Objekt-ID nicht gefunden: %1").arg(id));
}

void Document::setActiveLayout(const QString& name)
{
    const Layout& layout = layoutNamed(name);
    m_drawing.activeLayout = layout.name;
    if (!layout.isModel())
        m_lastPaperLayout = layout.name;
}

void Document::setActiveSpace(qint32 space)
{
    if (space == acad::ModelSpace) {
        m_drawing.activeLayout = kModel;
        return;
    }
    if (space != acad::PaperSpace)
        throw acad::Error(QStringLiteral("Ungültiger Wert für ActiveSpace: %1").arg(space));
    if (activeSpace() == acad::PaperSpace)
        return;
    const Layout* last = findLayout(m_drawing, m_lastPaperLayout);
    m_drawing.activeLayout = last ? last->name : m_drawing.layouts.at(1).name;
}

Layout& Document::newLayout(const QString& name, const acad::PlotSettings& plot, IdSource& ids)
{
    checkLayoutName(m_drawing, name);
    Layout layout = makeLayout(name, qint32(m_drawing.layouts.size()));
    layout.plot = plot;
    layout.id = ids.take();
    m_drawing.layouts.append(layout);
    touch();
    return m_drawing.layouts.last();
}

Layout& Document::copyLayout(const QString& source, const QString& name, IdSource& ids)
{
    const Layout& from = layoutNamed(source);
    if (from.isModel())
        throw acad::Error(QStringLiteral("Das Layout \"Model\" kann nicht kopiert werden."));
    checkLayoutName(m_drawing, name);
    Layout copy = cloneLayout(from, ids);
    copy.name = name;
    copy.tabOrder = qint32(m_drawing.layouts.size());
    m_drawing.layouts.append(copy);
    touch();
    return m_drawing.layouts.last();
}

void Document::renameLayout(acad::ObjectId id, const QString& name)
{
    Layout& layout = layoutById(id);
    if (layout.isModel())
        throw acad::Error(QStringLiteral("Das Layout \"Model\" kann nicht umbenannt werden."));
    checkLayoutName(m_drawing, name, &layout);
    if (m_drawing.activeLayout == layout.name)
        m_drawing.activeLayout = name;
    if (m_lastPaperLayout == layout.name)
        m_lastPaperLayout = name;
    layout.name = name;
    touch();
}

void Document::deleteLayout(const QString& name)
{
    const Layout& layout = layoutNamed(name);
    if (layout.isModel())
        throw acad::Error(QStringLiteral("Das Layout \"Model\" kann nicht gelöscht werden."));
    if (m_drawing.layouts.size() <= 2)
        throw acad::Error(QStringLiteral("Das letzte Layout einer Zeichnung kann nicht gelöscht werden."));
    const qsizetype index = &layout - m_drawing.layouts.constData();
    const QString deleted = layout.name;
    m_drawing.layouts.removeAt(index);
    // The tab on the left takes over, or the one on the right when the first paper tab goes.
    const QString neighbour = m_drawing.layouts.at(index > 1 ? index - 1 : 1).name;
    if (m_drawing.activeLayout == deleted)
        m_drawing.activeLayout = neighbour;
    if (m_lastPaperLayout == deleted)
        m_lastPaperLayout = neighbour;
    renumberTabs();
    touch();
}

void Document::moveLayout(acad::ObjectId id, qint32 tabOrder)
{
    const Layout& layout = layoutById(id);
    if (layout.isModel())
        throw acad::Error(QStringLiteral("Das Layout \"Model\" ist immer der erste Reiter und kann nicht "
                                         "verschoben werden."));
    const qint32 last = qint32(m_drawing.layouts.size()) - 1;
    if (tabOrder < 1 || tabOrder > last)
        throw acad::Error(
            QStringLiteral("Ungültige Position %1 für das Layout \"%2\" (erlaubt sind 1 bis %3).")
                .arg(tabOrder)
                .arg(printable(layout.name))
                .arg(last));
    const qsizetype from = &layout - m_drawing.layouts.constData();
    if (from == tabOrder)
        return;
    m_drawing.layouts.move(from, tabOrder);
    renumberTabs();
    touch();
}

void Document::setPlot(acad::ObjectId id, const acad::PlotSettings& plot)
{
    layoutById(id).plot = plot;
    touch();
}

Layout& Document::adoptLayout(const Drawing& source, const Layout& layout, const QString& name, IdSource& ids)
{
    if (layout.isModel())
        throw acad::Error(QStringLiteral("Das Layout \"Model\" kann nicht kopiert werden."));
    checkLayoutName(m_drawing, name);
    Layout copy = cloneLayout(layout, ids);
    // The blocks its references need come from the drawing it was in, as for a template's layout.
    if (!copy.origin)
        copy.origin = source.preserved;
    copy.name = name;
    copy.tabOrder = qint32(m_drawing.layouts.size());
    m_drawing.layouts.append(copy);
    touch();
    return m_drawing.layouts.last();
}

QStringList Document::insertLayouts(const Drawing& from, const QStringList& names, IdSource& ids)
{
    QStringList lines;
    QList<const Layout*> chosen;
    for (const Layout& l : from.layouts) {
        if (!l.isModel() &&
            (names.isEmpty() || std::any_of(names.begin(), names.end(),
                                            [&](const QString& n) { return sameLayoutName(n, l.name); })))
            chosen.append(&l);
    }
    for (const QString& n : names) {
        const Layout* l = findLayout(from, n);
        if (!l || l->isModel())
            lines.append(QStringLiteral("Layout \"%1\" ist in der Vorlage nicht vorhanden.").arg(n));
    }
    for (const Layout* l : chosen) {
        Layout copy = cloneLayout(*l, ids);
        copy.name = freeCopyName(m_drawing, l->name);
        checkLayoutName(m_drawing, copy.name);
        copy.tabOrder = qint32(m_drawing.layouts.size());
        lines.append(copy.name == l->name
                         ? QStringLiteral("Layout \"%1\" eingefügt.").arg(copy.name)
                         : QStringLiteral("Layout \"%1\" eingefügt als \"%2\".").arg(l->name, copy.name));
        m_drawing.layouts.append(copy);
        touch();
    }
    return lines;
}

Drawing Document::templateOf(const QString& layoutName) const
{
    const Layout& layout = layoutNamed(layoutName);
    if (layout.isModel())
        throw acad::Error(QStringLiteral("Das Layout \"Model\" kann nicht als Vorlage gespeichert werden."));
    Drawing t;
    t.layouts = {m_drawing.layouts.first(), layout};
    t.layouts[1].tabOrder = 1;
    t.activeLayout = layout.name;
    t.preserved = m_drawing.preserved;
    return t;
}

void Document::renumberTabs()
{
    for (qint32 i = 0; i < m_drawing.layouts.size(); ++i)
        m_drawing.layouts[i].tabOrder = i;
}

// --- undo

namespace {

// The steps a drawing keeps; the oldest go first. Together with the shared lists this bounds what
// undo costs however long a session runs.
constexpr std::size_t kUndoLimit = 100;

} // namespace

void Document::recordUndoStep(UndoStep before, quint64 revisionBefore)
{
    if (m_mark || m_revision == revisionBefore)
        return;
    m_undo.push_back(std::move(before));
    while (m_undo.size() > kUndoLimit)
        m_undo.pop_front();
}

void Document::beginUndoMark()
{
    endUndoMark();
    m_mark = OpenMark{undoState(), m_revision};
}

bool Document::endUndoMark()
{
    if (!m_mark)
        return false;
    OpenMark mark = std::move(*m_mark);
    m_mark.reset();
    recordUndoStep(std::move(mark.state), mark.revision);
    return true;
}

qint32 Document::undo(qint32 count)
{
    endUndoMark();
    qint32 done = 0;
    while (done < count && !m_undo.empty()) {
        UndoStep step = std::move(m_undo.back());
        m_undo.pop_back();
        m_drawing.layouts = std::move(step.layouts);
        m_drawing.activeLayout = step.activeLayout;
        ++done;
    }
    if (done > 0) {
        if (!findLayout(m_drawing, m_lastPaperLayout) || m_lastPaperLayout == kModel)
            m_lastPaperLayout = m_drawing.layouts.size() > 1 ? m_drawing.layouts.at(1).name : QString();
        if (m_drawing.activeLayout != kModel)
            m_lastPaperLayout = m_drawing.activeLayout;
        touch();
    }
    return done;
}

} // namespace cadhost
