#pragma once

#include "Drawing.h"

#include <deque>
#include <optional>

namespace cadhost {

// Hands out the engine's object ids: unique within one engine run, never wrapped.
class IdSource
{
public:
    acad::ObjectId take();

private:
    acad::ObjectId m_next = 1000;
};

// Gives every layout and entity of a freshly read drawing an id and brings it into the shape the
// engine relies on: "Model" first, at least one paper-space layout, tab orders 0..n, a valid
// active layout.
void adoptDrawing(Drawing& drawing, IdSource& ids);

// A fresh copy of a layout with new ids for it and its entities; everything else is copied along.
Layout cloneLayout(const Layout& source, IdSource& ids);

// What the automation interface tells about an entity.
acad::EntityInfo entityInfo(const Entity& entity);

// The plot settings of a layout the host makes itself (a new drawing's, "LAYOUT Neu", KV_Layout from
// model space): rotation 0 is portrait, 1 landscape, and paper width and height follow the orientation.
acad::PlotSettings defaultPaperPlot();

// A drawing as a new one starts without a template: "Model", "Layout1" and "Layout2".
Drawing makeDefaultDrawing();

// What one undo step brings back: the layouts as they were (names, tab order, plot settings,
// paper-space contents) and the current one. The lists share their data with the drawing until one
// of them changes, so a step costs little more than the layouts it changes.
struct UndoStep
{
    QList<Layout> layouts;
    QString activeLayout;
};

// One open drawing. Every edit checks the CAD program's rules and throws acad::Error.
class Document
{
public:
    Document(acad::DocId id, const QString& fullPath, Drawing drawing);

    acad::DocId id() const { return m_id; }
    QString name() const { return m_name; }
    QString folder() const { return m_folder; }
    QString fullPath() const;
    void setFullPath(const QString& path);
    bool named() const { return m_named; }
    void setNamed(bool named) { m_named = named; }
    bool modified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }
    qint16 filedia() const { return m_filedia; }
    void setFiledia(qint16 value) { m_filedia = value; }

    const Drawing& drawing() const { return m_drawing; }
    acad::DocumentRef ref() const;
    acad::DocumentSnapshot snapshot() const;
    qint32 activeSpace() const;
    QString currentLayout() const { return m_drawing.activeLayout; }

    const Layout& layoutById(acad::ObjectId id) const; // throws when there is none
    Layout& layoutById(acad::ObjectId id);
    const Layout& layoutNamed(const QString& name) const; // without regard to case; throws
    Entity* entityById(acad::ObjectId id);
    acad::ObjectInfo objectInfo(acad::ObjectId id) const;

    void setActiveLayout(const QString& name);
    void setActiveSpace(qint32 space);
    Layout& newLayout(const QString& name, const acad::PlotSettings& plot, IdSource& ids);
    Layout& copyLayout(const QString& source, const QString& name, IdSource& ids);
    void renameLayout(acad::ObjectId id, const QString& name);
    void deleteLayout(const QString& name);
    // Moves a paper layout's tab to the position (1 .. number of paper layouts); the others shift.
    void moveLayout(acad::ObjectId id, qint32 tabOrder);
    // Replaces a layout's plot settings, checked by the caller.
    void setPlot(acad::ObjectId id, const acad::PlotSettings& plot);
    // A copy of another drawing's paper layout as the last tab; source is the drawing it is in.
    Layout& adoptLayout(const Drawing& source, const Layout& layout, const QString& name, IdSource& ids);
    // Inserts layouts of a template; names empty = all. A name that clashes gets a free one;
    // returns one line per inserted layout for the command history.
    QStringList insertLayouts(const Drawing& from, const QStringList& names, IdSource& ids);
    // A drawing that holds this document's model layout and the one layout, for a template file.
    Drawing templateOf(const QString& layoutName) const;

    // --- undo, as the CAD program keeps it for each drawing
    // Counts every change, so that an edit or a mark that changed nothing leaves no step.
    quint64 revision() const { return m_revision; }
    // Counts every change of the drawing since it was opened, edits and undo alike, also those that
    // make no undo step (extended data); what was drawn of the drawing stays valid while it stays.
    qint64 changes() const { return m_changes; }
    void countChange() { ++m_changes; }
    UndoStep undoState() const { return {m_drawing.layouts, m_drawing.activeLayout}; }
    // Keeps the state an edit started from, unless a mark is open (the mark's state covers it) or
    // nothing changed since.
    void recordUndoStep(UndoStep before, quint64 revisionBefore);
    // "_undo _begin": from here to the end of the mark is one step. A mark already open ends first.
    void beginUndoMark();
    // "_undo _end": false when no mark was open.
    bool endUndoMark();
    bool undoMarkOpen() const { return m_mark.has_value(); }
    // Goes back count steps (an open mark ends first); the number of steps gone back.
    qint32 undo(qint32 count);
    qint32 undoSteps() const { return qint32(m_undo.size()); }

private:
    void renumberTabs();
    void touch()
    {
        m_modified = true;
        ++m_revision;
        ++m_changes;
    }

    acad::DocId m_id;
    QString m_name;
    QString m_folder;
    bool m_named = true;
    bool m_modified = false;
    qint16 m_filedia = 1;
    Drawing m_drawing;
    QString m_lastPaperLayout;
    quint64 m_revision = 0;
    qint64 m_changes = 0;
    std::deque<UndoStep> m_undo;
    struct OpenMark
    {
        UndoStep state;
        quint64 revision = 0;
    };
    std::optional<OpenMark> m_mark;
};

} // namespace cadhost
