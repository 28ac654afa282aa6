#pragma once

// The engine's inner state, shared by its parts (automation calls, command line, commands, macros).
#include "Document.h"
#include "Engine.h"
#include "MacroProject.h"
#include "Profile.h"

#include <QHash>
#include <functional>
#include <optional>
#include <vector>

namespace cadhost {

// The prompt a command waits at. The handler gets the answer; it may ask the next question or
// return, which ends the command.
struct Prompt
{
    QString text;
    std::function<void(const QString& answer)> onAnswer;
    std::optional<Engine::FileDialog> dialog = std::nullopt; // a file prompt: a dialog when FILEDIA is 1
    QString defaultValue = {};                               // what an empty answer stands for
};

// One keyword of a prompt: the German word with its capitals as the shortest abbreviation, and the
// English word that answers with a leading "_" reach.
struct Keyword
{
    QString local;
    QString global;
};

// The command line of one document, or of the application while no drawing is open (id 0).
struct CommandLine
{
    QString buffer; // typed text that no carriage return has ended yet
    std::optional<Prompt> prompt;
    QString command;        // the running command, empty when idle
    qint16 filedia = 1;     // FILEDIA as it was when the command's input was sent
    bool dialogDue = false; // a file prompt waits and its dialog has not been asked for yet
};

struct QueuedInput
{
    acad::DocId doc = 0;
    QString text;
    qint16 filedia = 1;
};

struct Engine::Private
{
    explicit Private(Engine* engine) : q(engine) {}

    Engine* q;
    std::shared_ptr<DrawingStore> store;
    IdSource ids;
    std::vector<std::unique_ptr<Document>> docs;
    acad::DocId active = 0;
    acad::DocId nextDocId = 1;
    qint32 untitled = 0;
    bool visible = false;
    bool interactive = false;
    bool started = false;
    qint64 hwnd = 0;
    QString designCenter;
    QList<MacroProject> projects;
    Profile profile;

    QStringList history;
    QHash<acad::DocId, CommandLine> lines;
    QList<QueuedInput> queue;
    bool scheduled = false;
    bool running = false;
    QString shownPrompt;

    // --- documents (EngineDocuments.cpp)
    Document* find(acad::DocId id) const;
    Document& doc(acad::DocId id) const; // throws for a document that is not open
    Document* findByPath(const QString& fullPath) const;
    acad::DocId takeDocId();
    acad::DocId open(const QString& path);
    void activate(acad::DocId id);
    void write(Document& d, const QString& path); // save through the store, then take the path
    void close(acad::DocId id);
    void closeAll();
    // Runs an edit of a document and tells the window about it.
    void edit(Document& d, const std::function<void()>& change);
    QString normalPath(const QString& path, const QString& relativeTo = {}) const;

    // --- command line (CommandLine.cpp)
    void log(const QString& line);
    void message(const QString& text); // a message a macro shows
    void enqueue(acad::DocId doc, const QString& text, qint16 filedia);
    void enqueueRun();
    void runQueue();
    void feed(const QueuedInput& input);
    void answer(acad::DocId line, const QString& text);
    void cancel(acad::DocId line);
    void ask(acad::DocId line, Prompt prompt);
    void askKeyword(acad::DocId line, const QString& text, const QList<Keyword>& keywords, int defaultIndex,
                    const std::function<void(int)>& onKeyword);
    // Name prompt: an empty answer takes the default.
    void askText(acad::DocId line, const QString& text, const QString& defaultValue,
                 const std::function<void(const QString&)>& onText);
    // A path answer, quotes taken off; kind: the file dialog FILEDIA 1 shows for it.
    void askPath(acad::DocId line, const QString& text, std::optional<Engine::FileDialog> kind,
                 const QString& defaultPath, const std::function<void(const QString&)>& onPath);
    // Runs a step of a command; an automation error becomes a message and ends the command.
    void guarded(const std::function<void()>& step);
    void notifyPrompt();
    bool lineBusy(acad::DocId line) const;

    // --- commands (Commands.cpp)
    bool startCommand(acad::DocId line, const QString& name);
    void saveAsFlow(acad::DocId line, acad::DocId doc, const std::function<void()>& done);
    void saveFlow(acad::DocId line, acad::DocId doc, const std::function<void()>& done);
    void quitFlow(acad::DocId line, QList<acad::DocId> pending);

    // --- macros (Macros.cpp)
    void runMacro(const QString& name);
};

QList<Keyword> yesNoCancel();

} // namespace cadhost
