#pragma once

#include "Document.h"

#include <QHash>
#include <functional>
#include <memory>
#include <vector>

namespace cadhost {

class Engine;

// What the documents tell the command line: it writes the history, keeps a command line per drawing
// and shows the active drawing's prompt.
class DocumentEvents
{
public:
    virtual void log(const QString& line) = 0;
    virtual void documentClosed(acad::DocId id) = 0;
    virtual void promptMayHaveChanged() = 0; // the active drawing changed, or one closed

protected:
    ~DocumentEvents() = default;
};

// The open drawings, the active one and where they are read from and written to.
class Documents final
{
public:
    Documents(Engine* engine, std::shared_ptr<DrawingStore> store, DocumentEvents& events);

    DrawingStore& store() const;
    IdSource& ids();
    const std::vector<std::unique_ptr<Document>>& all() const;
    acad::DocId active() const;

    Document* find(acad::DocId id) const;
    Document& doc(acad::DocId id) const; // throws for a document that is not open
    Document* findByPath(const QString& fullPath) const;
    QString normalPath(const QString& path, const QString& relativeTo = {}) const;

    // Opens a file (or activates the drawing that has it); filedia: the value a new drawing starts with.
    acad::DocId open(const QString& path, qint16 filedia);
    // A new unnamed drawing from a template file (empty: the host's default drawing).
    acad::DocId add(const QString& templatePath, qint16 filedia);
    void activate(acad::DocId id);
    void write(Document& d, const QString& path); // save through the store, then take the path
    void close(acad::DocId id);
    void closeAll();
    // Runs an edit of a document as one undo step and tells the window about it.
    void edit(Document& d, const std::function<void()>& change);

private:
    acad::DocId takeDocId();

    Engine* m_engine;
    std::shared_ptr<DrawingStore> m_store;
    DocumentEvents& m_events;
    IdSource m_ids;
    std::vector<std::unique_ptr<Document>> m_docs;
    acad::DocId m_active = 0;
    // The names of closed drawings, for the message of a call that still names one. Ids are never
    // given twice, and one name per closed drawing stays small beside what the drawings held.
    QHash<acad::DocId, QString> m_closedNames;
    acad::DocId m_nextDocId = 1;
    qint32 m_untitled = 0;
};

} // namespace cadhost
