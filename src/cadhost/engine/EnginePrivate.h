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
    quint64 ticket = 0; // set by ask: tells this prompt from every later one
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
    quint64 ticket = 0; // not 0: only for that prompt (a file dialog's answer), dropped once it is gone
};

struct Engine::Private
{
    explicit Private(Engine* engine) : q(engine) {}

    Engine* q;
    std::shared_ptr<DrawingStore> store;
    IdSource ids;
    std::vector<std::unique_ptr<Document>> docs;
    acad::DocId active = 0;
    // The names of closed drawings, for the message of a call that still names one. Ids are never
    // given twice, and one name per closed drawing stays small beside what the drawings held.
    QHash<acad::DocId, QString> closedNames;
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
    quint64 lastTicket = 0;
    // FILEDIA as the CAD program keeps it: the application's command line and new drawings take it.
    qint16 filedia = 1;
    std::optional<qint16> filediaAnswered; // a FILEDIA answer: the rest of the same input takes it

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
    quint64 ticket(acad::DocId line) const;

    // --- commands (Commands.cpp)
    bool startCommand(acad::DocId line, const QString& name);
    void saveAsFlow(acad::DocId line, acad::DocId doc, const std::function<void()>& done);
    void saveFlow(acad::DocId line, acad::DocId doc, const std::function<void()>& done);
    void quitFlow(acad::DocId line, QList<acad::DocId> pending);

    // --- system variables (Variables.cpp)
    // Read-only variables of a drawing need a document; FILEDIA without one is the host's own value.
    // Invalid for a name the host does not know.
    QVariant variableOf(const Document* document, const QString& upperName) const;
    void setFiledia(Document* document, const QVariant& value); // throws for anything but 0 and 1
    // A variable's name typed at the command prompt: shows it and asks for a new value.
    bool startVariable(acad::DocId line, const QString& name);

    // --- macros (Macros.cpp)
    void runMacro(const QString& name);
};

QList<Keyword> yesNoCancel();
// The keyword an answer chooses (German, or English after "_"), -1 for none.
int matchKeyword(const QString& answer, const QList<Keyword>& keywords);

} // namespace cadhost
