#pragma once

#include "Documents.h"
#include "Engine.h"

#include <QHash>
#include <QStringList>
#include <functional>
#include <optional>

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

QList<Keyword> yesNoCancel();
// The keyword an answer chooses (German, or English after "_"), -1 for none.
int matchKeyword(const QString& answer, const QList<Keyword>& keywords);

// The command lines (one per document, id 0 for the application's while no drawing is open), their
// history, the queue of sent input, the prompts with their tickets and FILEDIA.
class CommandLine final : public DocumentEvents
{
public:
    // Starts the command (or shows the variable) a line names; false when there is none.
    using CommandStarter = std::function<bool(acad::DocId line, const QString& name)>;

    CommandLine(Engine* engine, const Documents& documents, CommandStarter start);

    // --- DocumentEvents
    void log(const QString& line) override;
    void documentClosed(acad::DocId id) override;
    void promptMayHaveChanged() override;

    void message(const QString& text); // a message a macro shows
    const QStringList& history() const;

    // Input as sendCommand and the window send it; runs when the event loop runs again.
    void enqueue(acad::DocId doc, const QString& text, qint16 filedia);
    // A file dialog's answer, only for the prompt with that ticket.
    void enqueueAnswer(acad::DocId doc, quint64 ticket, const QString& text);
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

    // The command a line runs, for a macro that asks on it.
    void setCommand(acad::DocId line, const QString& name);
    bool lineBusy(acad::DocId line) const;
    bool busy() const; // input queued or a prompt waiting anywhere
    quint64 ticket(acad::DocId line) const;
    QString prompt(acad::DocId line) const; // "Befehl:" when no command runs
    QString promptDefault(acad::DocId line) const;

    // --- system variables (Variables.cpp)
    // FILEDIA as the CAD program keeps it: the application's command line and new drawings take it.
    qint16 filedia() const;
    // Read-only variables of a drawing need a document; FILEDIA without one is the host's own value.
    // Invalid for a name the host does not know.
    QVariant variableOf(const Document* document, const QString& upperName) const;
    void setFiledia(Document* document, const QVariant& value); // throws for anything but 0 and 1
    // A variable's name typed at the command prompt: shows it and asks for a new value.
    bool startVariable(acad::DocId line, const QString& name);

private:
    // The command line of one document.
    struct Line
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

    void enqueueRun();
    void runQueue();
    void feed(const QueuedInput& input);
    void answer(acad::DocId line, const QString& text);
    void askFiledia(acad::DocId line);

    Engine* m_engine;
    const Documents& m_documents;
    CommandStarter m_start;
    QStringList m_history;
    QHash<acad::DocId, Line> m_lines;
    QList<QueuedInput> m_queue;
    bool m_scheduled = false;
    bool m_running = false;
    QString m_shownPrompt;
    quint64 m_lastTicket = 0;
    qint16 m_filedia = 1;
    std::optional<qint16> m_filediaAnswered; // a FILEDIA answer: the rest of the same input takes it
};

} // namespace cadhost
