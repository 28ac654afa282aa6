#include "CommandLine.h"

#include "FileInput.h"
#include "LayoutNames.h"

#include <acad/Error.h>

namespace cadhost {

namespace {

constexpr qsizetype kHistoryLimit = 20000;
const QString kIdlePrompt = QStringLiteral("Befehl:");
constexpr QChar kReturn = QChar(13);
constexpr QChar kEscape = QChar(27);

// The shortest abbreviation of a keyword: its leading capitals ("SIchals" -> "SI"), at least one
// character.
QString abbreviation(const QString& word)
{
    qsizetype n = 0;
    while (n < word.size() && word.at(n).isUpper())
        ++n;
    return word.left(qMax<qsizetype>(n, 1)).toUpper();
}

QString unquoted(const QString& path)
{
    const QString t = path.trimmed();
    if (t.size() >= 2 && t.startsWith(QLatin1Char('"')) && t.endsWith(QLatin1Char('"')))
        return t.mid(1, t.size() - 2);
    return t;
}

} // namespace

int matchKeyword(const QString& answer, const QList<Keyword>& keywords)
{
    const bool global = answer.startsWith(QLatin1Char('_'));
    const QString typed = (global ? answer.mid(1) : answer).trimmed().toUpper();
    if (typed.isEmpty())
        return -1;
    for (int i = 0; i < keywords.size(); ++i) {
        const QString& word = global ? keywords[i].global : keywords[i].local;
        if (typed.startsWith(abbreviation(word)) && word.toUpper().startsWith(typed))
            return i;
    }
    return -1;
}

CommandLine::CommandLine(Engine* engine, const Documents& documents, CommandStarter start)
    : m_engine(engine), m_documents(documents), m_start(std::move(start))
{
}

void CommandLine::log(const QString& line)
{
    m_history.append(line);
    // Trimmed in steps, so that a long session does not move the whole list at every line.
    if (m_history.size() > kHistoryLimit + kHistoryLimit / 10)
        m_history.remove(0, m_history.size() - kHistoryLimit);
    emit m_engine->historyAppended(line);
}

void CommandLine::message(const QString& text)
{
    log(text);
    emit m_engine->messageShown(text);
}

void CommandLine::enqueue(acad::DocId doc, const QString& text, qint16 filedia)
{
    m_queue.append({doc, text, filedia});
    enqueueRun();
}

const QStringList& CommandLine::history() const
{
    return m_history;
}

void CommandLine::enqueueAnswer(acad::DocId doc, quint64 ticket, const QString& text)
{
    m_queue.append({doc, text, m_filedia, ticket});
    enqueueRun();
}

void CommandLine::documentClosed(acad::DocId id)
{
    const bool waited = lineBusy(id);
    m_lines.remove(id);
    if (waited)
        emit m_engine->promptEnded(id);
}

void CommandLine::runQueue()
{
    m_scheduled = false;
    if (m_running) {
        // A slot ran an event loop while input was being worked off: keep the order, come back later.
        enqueueRun();
        return;
    }
    m_running = true;
    const QList<QueuedInput> batch = std::exchange(m_queue, {});
    for (const QueuedInput& input : batch)
        feed(input);
    m_running = false;
    // Dialogs are asked for last: the window may run a modal dialog inside the slot.
    QList<std::pair<acad::DocId, Engine::FileDialog>> dialogs;
    for (auto it = m_lines.begin(); it != m_lines.end(); ++it) {
        if (it->dialogDue && it->prompt)
            dialogs.append({it.key(), *it->prompt->dialog});
        it->dialogDue = false;
    }
    promptMayHaveChanged();
    for (const auto& [doc, kind] : dialogs)
        emit m_engine->fileDialogRequested(kind, doc);
}

void CommandLine::enqueueRun()
{
    if (m_scheduled)
        return;
    m_scheduled = true;
    QMetaObject::invokeMethod(
        m_engine, [this] { runQueue(); }, Qt::QueuedConnection);
}

void CommandLine::feed(const QueuedInput& input)
{
    if (input.doc != 0 && !m_documents.find(input.doc)) {
        log(QStringLiteral("Eingabe verworfen, die Zeichnung ist geschlossen: %1")
                .arg(input.text.simplified()));
        return;
    }
    if (input.ticket != 0) {
        // A file dialog's late choice: its prompt has been answered meanwhile, and the answer must not
        // reach the next one.
        if (ticket(input.doc) != input.ticket) {
            if (input.text != QString(kEscape))
                log(QStringLiteral("Dateiauswahl verworfen, die Eingabe ist bereits beantwortet: %1")
                        .arg(input.text.simplified()));
            return;
        }
        m_lines[input.doc].buffer.clear(); // the choice replaces what was half typed
    }
    qint16 filedia = input.filedia;
    for (qsizetype i = 0; i < input.text.size(); ++i) {
        const QChar c = input.text.at(i);
        if (input.doc != 0 && !m_documents.find(input.doc)) {
            const QString rest = input.text.mid(i).simplified();
            if (!rest.isEmpty())
                log(QStringLiteral("Eingabe verworfen, die Zeichnung ist geschlossen: %1").arg(rest));
            return;
        }
        Line& line = m_lines[input.doc];
        if (c == kEscape) {
            line.buffer.clear();
            cancel(input.doc);
        } else if (c == kReturn) {
            if (!line.prompt)
                line.filedia = filedia;
            answer(input.doc, std::exchange(line.buffer, {}));
            // "FILEDIA", "0" in the same text: the commands after it run with the new value.
            if (const std::optional<qint16> answered = std::exchange(m_filediaAnswered, std::nullopt))
                filedia = *answered;
        } else {
            line.buffer.append(c);
        }
    }
}

void CommandLine::answer(acad::DocId lineId, const QString& text)
{
    if (!m_lines[lineId].prompt) {
        const QString name = text.trimmed();
        if (name.isEmpty())
            return;
        log(kIdlePrompt + QLatin1Char(' ') + name);
        m_lines[lineId].command = name;
        m_start(lineId, name);
    } else {
        Line& line = m_lines[lineId];
        if (const qsizetype at = controlCharacterAt(text); at >= 0) {
            // Names are data: an answer with a line feed or another control character is no name,
            // and the prompt keeps waiting for a real answer.
            log(QStringLiteral("Ungültige Eingabe, die Antwort enthält ein Steuerzeichen (%1): %2")
                    .arg(codePoint(text.at(at)))
                    .arg(printable(text)));
            log(line.prompt->text);
            promptMayHaveChanged();
            return;
        }
        Prompt prompt = std::move(*line.prompt);
        line.prompt.reset();
        line.dialogDue = false;
        log(text);
        // A drawing that the answer refers to may have gone meanwhile; that ends the command.
        guarded([&] { prompt.onAnswer(text); });
        emit m_engine->promptEnded(lineId);
    }
    // The command may have closed its own document; its command line is gone then.
    const auto it = m_lines.find(lineId);
    if (it != m_lines.end() && !it->prompt)
        it->command.clear();
    promptMayHaveChanged();
}

void CommandLine::cancel(acad::DocId lineId)
{
    const auto it = m_lines.find(lineId);
    if (it == m_lines.end() || !it->prompt)
        return;
    it->prompt.reset();
    it->command.clear();
    it->dialogDue = false;
    log(QStringLiteral("*Abbruch*"));
    promptMayHaveChanged();
    emit m_engine->promptEnded(lineId);
}

void CommandLine::ask(acad::DocId lineId, Prompt prompt)
{
    log(prompt.text);
    prompt.ticket = ++m_lastTicket;
    Line& line = m_lines[lineId];
    line.dialogDue = prompt.dialog.has_value() && line.filedia == 1;
    line.prompt = std::move(prompt);
    promptMayHaveChanged();
}

void CommandLine::askKeyword(acad::DocId lineId, const QString& text, const QList<Keyword>& keywords,
                             int defaultIndex, const std::function<void(int)>& onKeyword)
{
    ask(lineId, {text, [=, this](const QString& answer) {
                     const int k = answer.trimmed().isEmpty() ? defaultIndex : matchKeyword(answer, keywords);
                     if (k < 0) {
                         log(QStringLiteral("Ungültige Option: %1").arg(answer));
                         askKeyword(lineId, text, keywords, defaultIndex, onKeyword);
                         return;
                     }
                     onKeyword(k);
                 }});
}

void CommandLine::askText(acad::DocId lineId, const QString& text, const QString& defaultValue,
                          const std::function<void(const QString&)>& onText)
{
    ask(lineId, {text, [=](const QString& answer) { onText(answer.isEmpty() ? defaultValue : answer); },
                 std::nullopt, defaultValue});
}

void CommandLine::askPath(acad::DocId lineId, const QString& text, std::optional<Engine::FileDialog> kind,
                          const QString& defaultPath, const std::function<void(const QString&)>& onPath)
{
    ask(lineId, {text,
                 [=](const QString& answer) {
                     const QString path = unquoted(answer);
                     onPath(path.isEmpty() ? defaultPath : path);
                 },
                 kind, defaultPath});
}

void CommandLine::guarded(const std::function<void()>& step)
{
    try {
        step();
    } catch (const acad::Error& e) {
        log(e.description());
    } catch (const std::exception& e) {
        // Never out through the event loop: the command ends, the drawings stay as they are.
        log(QStringLiteral("Der Befehl wurde abgebrochen: %1").arg(germanReason(e)));
    }
}

void CommandLine::promptMayHaveChanged()
{
    const QString now = prompt(m_documents.active());
    if (now == m_shownPrompt)
        return;
    m_shownPrompt = now;
    emit m_engine->promptChanged(now);
}

bool CommandLine::lineBusy(acad::DocId lineId) const
{
    const auto it = m_lines.constFind(lineId);
    return it != m_lines.constEnd() && it->prompt.has_value();
}

bool CommandLine::busy() const
{
    if (!m_queue.isEmpty())
        return true;
    return std::any_of(m_lines.cbegin(), m_lines.cend(), [](const Line& l) { return l.prompt.has_value(); });
}

void CommandLine::setCommand(acad::DocId lineId, const QString& name)
{
    m_lines[lineId].command = name;
}

QString CommandLine::prompt(acad::DocId lineId) const
{
    const auto it = m_lines.constFind(lineId);
    if (it == m_lines.constEnd() || !it->prompt)
        return kIdlePrompt;
    return it->prompt->text;
}

QString CommandLine::promptDefault(acad::DocId lineId) const
{
    const auto it = m_lines.constFind(lineId);
    return it == m_lines.constEnd() || !it->prompt ? QString() : it->prompt->defaultValue;
}

quint64 CommandLine::ticket(acad::DocId lineId) const
{
    const auto it = m_lines.constFind(lineId);
    return it != m_lines.constEnd() && it->prompt ? it->prompt->ticket : 0;
}

QList<Keyword> yesNoCancel()
{
    return {{QStringLiteral("Ja"), QStringLiteral("Yes")},
            {QStringLiteral("Nein"), QStringLiteral("No")},
            {QStringLiteral("Abbrechen"), QStringLiteral("Cancel")}};
}

} // namespace cadhost
