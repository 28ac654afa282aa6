#include "Documents.h"

#include "Engine.h"
#include "FileInput.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <acad/Error.h>
#include <limits>

namespace cadhost {

Documents::Documents(Engine* engine, std::shared_ptr<DrawingStore> store, DocumentEvents& events)
    : m_engine(engine), m_store(std::move(store)), m_events(events)
{
}

DrawingStore& Documents::store() const
{
    return *m_store;
}

IdSource& Documents::ids()
{
    return m_ids;
}

const std::vector<std::unique_ptr<Document>>& Documents::all() const
{
    return m_docs;
}

acad::DocId Documents::active() const
{
    return m_active;
}

Document* Documents::find(acad::DocId id) const
{
    if (id == 0)
        return nullptr;
    for (const auto& d : m_docs) {
        if (d->id() == id)
            return d.get();
    }
    return nullptr;
}

Document& Documents::doc(acad::DocId id) const
{
    Document* d = find(id);
    if (d)
        return *d;
    // The user knows drawings by their names, never by the host's numbers.
    if (id == 0)
        throw acad::Error(QStringLiteral("Es ist keine Zeichnung geöffnet."));
    const auto closed = m_closedNames.constFind(id);
    if (closed != m_closedNames.constEnd())
        throw acad::Error(QStringLiteral("Die Zeichnung „%1“ ist nicht mehr geöffnet.").arg(*closed));
    throw acad::Error(QStringLiteral("Die Zeichnung ist nicht geöffnet."));
}

Document* Documents::findByPath(const QString& fullPath) const
{
    const QString wanted = fullPath.toUpper();
    for (const auto& d : m_docs) {
        if (d->fullPath().toUpper() == wanted)
            return d.get();
    }
    return nullptr;
}

QString Documents::normalPath(const QString& path, const QString& relativeTo) const
{
    if (path.trimmed().isEmpty())
        throw acad::Error(QStringLiteral("Kein Dateiname angegeben."));
    const QString absolute = relativeTo.isEmpty() || QDir::isAbsolutePath(path)
                                 ? QFileInfo(path).absoluteFilePath()
                                 : QDir(relativeTo).absoluteFilePath(path);
    return QDir::cleanPath(absolute);
}

acad::DocId Documents::takeDocId()
{
    if (m_nextDocId == std::numeric_limits<acad::DocId>::max())
        throw acad::Error(
            QStringLiteral("Keine weiteren Dokumente möglich: der CAD-Host muss neu gestartet werden."));
    return m_nextDocId++;
}

acad::DocId Documents::open(const QString& path, qint16 filedia)
{
    const QString file = normalPath(path);
    if (Document* already = findByPath(file)) {
        activate(already->id());
        return already->id();
    }
    if (m_nextDocId == std::numeric_limits<acad::DocId>::max())
        throw acad::Error(
            QStringLiteral("Keine weiteren Dokumente möglich: der CAD-Host muss neu gestartet werden."));
    Drawing drawing;
    try {
        drawing = m_store->load(file);
    } catch (const acad::Error& e) {
        if (e.description().contains(file))
            throw;
        throw acad::Error(QStringLiteral("Fehler beim Öffnen von %1: %2").arg(file, e.description()));
    } catch (const std::exception& e) {
        throw acad::Error(QStringLiteral("Fehler beim Öffnen von %1: %2").arg(file, germanReason(e)));
    }
    adoptDrawing(drawing, m_ids);
    m_docs.push_back(std::make_unique<Document>(takeDocId(), file, std::move(drawing)));
    m_docs.back()->setFiledia(filedia);
    const acad::DocId id = m_docs.back()->id();
    m_events.log(QStringLiteral("Zeichnung geöffnet: %1").arg(file));
    emit m_engine->documentsChanged();
    activate(id);
    return id;
}

acad::DocId Documents::add(const QString& templatePath, qint16 filedia)
{
    Drawing drawing = makeDefaultDrawing();
    if (!templatePath.isEmpty())
        drawing = m_store->load(normalPath(templatePath));
    adoptDrawing(drawing, m_ids);
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString name = QStringLiteral("Zeichnung%1.dwg").arg(++m_untitled);
    m_docs.push_back(
        std::make_unique<Document>(takeDocId(), folder + QLatin1Char('/') + name, std::move(drawing)));
    Document& doc = *m_docs.back();
    doc.setNamed(false);
    doc.setFiledia(filedia);
    emit m_engine->documentsChanged();
    activate(doc.id());
    return doc.id();
}

void Documents::activate(acad::DocId id)
{
    doc(id);
    if (m_active == id)
        return;
    m_active = id;
    emit m_engine->activeDocumentChanged();
    m_events.promptMayHaveChanged();
}

void Documents::write(Document& d, const QString& path)
{
    m_store->save(d.drawing(), path);
    const bool renamed = path != d.fullPath();
    const bool wasModified = d.modified();
    d.setFullPath(path);
    d.setNamed(true);
    d.setModified(false);
    m_events.log(QStringLiteral("Zeichnung gespeichert: %1").arg(d.fullPath()));
    if (renamed)
        emit m_engine->documentsChanged();
    if (wasModified)
        emit m_engine->modifiedChanged(d.id());
}

void Documents::close(acad::DocId id)
{
    const auto it = std::find_if(m_docs.begin(), m_docs.end(), [id](const auto& d) { return d->id() == id; });
    if (it == m_docs.end())
        return;
    const QString name = (*it)->fullPath();
    m_closedNames.insert(id, name);
    const auto index = it - m_docs.begin();
    m_docs.erase(it);
    m_events.documentClosed(id);
    m_events.log(QStringLiteral("Zeichnung geschlossen: %1").arg(name));
    emit m_engine->documentsChanged();
    if (m_active == id) {
        // The neighbour on the right takes over, else the one on the left.
        m_active = m_docs.empty() ? 0 : m_docs.at(qMin<size_t>(index, m_docs.size() - 1))->id();
        emit m_engine->activeDocumentChanged();
    }
    m_events.promptMayHaveChanged();
}

void Documents::closeAll()
{
    while (!m_docs.empty())
        close(m_docs.back()->id());
}

void Documents::edit(Document& d, const std::function<void()>& change)
{
    const acad::DocId id = d.id();
    const bool wasModified = d.modified();
    // Each edit outside an undo mark is a step of its own, also one that was refused half way.
    UndoStep before = d.undoState();
    const quint64 revision = d.revision();
    const auto tell = [&] {
        if (Document* after = find(id)) {
            after->recordUndoStep(std::move(before), revision);
            after->countChange();
        }
        emit m_engine->layoutsChanged(id);
        if (Document* after = find(id); after && after->modified() != wasModified)
            emit m_engine->modifiedChanged(id);
    };
    try {
        change();
    } catch (...) {
        tell();
        throw;
    }
    tell();
}

} // namespace cadhost
