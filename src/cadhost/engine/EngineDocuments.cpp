#include "EnginePrivate.h"
#include "FileInput.h"

#include <QDir>
#include <QFileInfo>
#include <acad/Error.h>
#include <limits>

namespace cadhost {

Document* Engine::Private::find(acad::DocId id) const
{
    if (id == 0)
        return nullptr;
    for (const auto& d : docs) {
        if (d->id() == id)
            return d.get();
    }
    return nullptr;
}

Document& Engine::Private::doc(acad::DocId id) const
{
    Document* d = find(id);
    if (d)
        return *d;
    // The user knows drawings by their names, never by the host's numbers.
    if (id == 0)
        throw acad::Error(QStringLiteral("Es ist keine Zeichnung geöffnet."));
    const auto closed = closedNames.constFind(id);
    if (closed != closedNames.constEnd())
        throw acad::Error(QStringLiteral("Die Zeichnung „%1“ ist nicht mehr geöffnet.").arg(*closed));
    throw acad::Error(QStringLiteral("Die Zeichnung ist nicht geöffnet."));
}

Document* Engine::Private::findByPath(const QString& fullPath) const
{
    const QString wanted = fullPath.toUpper();
    for (const auto& d : docs) {
        if (d->fullPath().toUpper() == wanted)
            return d.get();
    }
    return nullptr;
}

QString Engine::Private::normalPath(const QString& path, const QString& relativeTo) const
{
    if (path.trimmed().isEmpty())
        throw acad::Error(QStringLiteral("Kein Dateiname angegeben."));
    const QString absolute = relativeTo.isEmpty() || QDir::isAbsolutePath(path)
                                 ? QFileInfo(path).absoluteFilePath()
                                 : QDir(relativeTo).absoluteFilePath(path);
    return QDir::cleanPath(absolute);
}

acad::DocId Engine::Private::takeDocId()
{
    if (nextDocId == std::numeric_limits<acad::DocId>::max())
        throw acad::Error(
            QStringLiteral("Keine weiteren Dokumente möglich: der CAD-Host muss neu gestartet werden."));
    return nextDocId++;
}

acad::DocId Engine::Private::open(const QString& path)
{
    const QString file = normalPath(path);
    if (Document* already = findByPath(file)) {
        activate(already->id());
        return already->id();
    }
    if (nextDocId == std::numeric_limits<acad::DocId>::max())
        throw acad::Error(
            QStringLiteral("Keine weiteren Dokumente möglich: der CAD-Host muss neu gestartet werden."));
    Drawing drawing;
    try {
        drawing = store->load(file);
    } catch (const acad::Error& e) {
        if (e.description().contains(file))
            throw;
        throw acad::Error(QStringLiteral("Fehler beim Öffnen von %1: %2").arg(file, e.description()));
    } catch (const std::exception& e) {
        throw acad::Error(QStringLiteral("Fehler beim Öffnen von %1: %2").arg(file, germanReason(e)));
    }
    adoptDrawing(drawing, ids);
    docs.push_back(std::make_unique<Document>(takeDocId(), file, std::move(drawing)));
    docs.back()->setFiledia(filedia);
    const acad::DocId id = docs.back()->id();
    log(QStringLiteral("Zeichnung geöffnet: %1").arg(file));
    emit q->documentsChanged();
    activate(id);
    return id;
}

void Engine::Private::activate(acad::DocId id)
{
    doc(id);
    if (active == id)
        return;
    active = id;
    emit q->activeDocumentChanged();
    notifyPrompt();
}

void Engine::Private::write(Document& d, const QString& path)
{
    store->save(d.drawing(), path);
    const bool renamed = path != d.fullPath();
    const bool wasModified = d.modified();
    d.setFullPath(path);
    d.setNamed(true);
    d.setModified(false);
    log(QStringLiteral("Zeichnung gespeichert: %1").arg(d.fullPath()));
    if (renamed)
        emit q->documentsChanged();
    if (wasModified)
        emit q->modifiedChanged(d.id());
}

void Engine::Private::close(acad::DocId id)
{
    const auto it = std::find_if(docs.begin(), docs.end(), [id](const auto& d) { return d->id() == id; });
    if (it == docs.end())
        return;
    const QString name = (*it)->fullPath();
    closedNames.insert(id, name);
    const auto index = it - docs.begin();
    docs.erase(it);
    const bool waited = lineBusy(id);
    lines.remove(id);
    if (waited)
        emit q->promptEnded(id);
    log(QStringLiteral("Zeichnung geschlossen: %1").arg(name));
    emit q->documentsChanged();
    if (active == id) {
        // The neighbour on the right takes over, else the one on the left.
        active = docs.empty() ? 0 : docs.at(qMin<size_t>(index, docs.size() - 1))->id();
        emit q->activeDocumentChanged();
    }
    notifyPrompt();
}

void Engine::Private::closeAll()
{
    while (!docs.empty())
        close(docs.back()->id());
}

void Engine::Private::edit(Document& d, const std::function<void()>& change)
{
    const acad::DocId id = d.id();
    const bool wasModified = d.modified();
    // Each edit outside an undo mark is a step of its own, also one that was refused half way.
    UndoStep before = d.undoState();
    const quint64 revision = d.revision();
    const auto tell = [&] {
        if (Document* after = find(id))
            after->recordUndoStep(std::move(before), revision);
        emit q->layoutsChanged(id);
        if (Document* after = find(id); after && after->modified() != wasModified)
            emit q->modifiedChanged(id);
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
