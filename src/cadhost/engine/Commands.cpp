#include "EnginePrivate.h"
#include "LayoutNames.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <acad/Error.h>

namespace cadhost {

namespace {

using Private = Engine::Private;
using acad::DocId;

QString quoted(const QString& s)
{
    return QLatin1Char('"') + s + QLatin1Char('"');
}

QString withSuffix(const QString& path, const QString& suffix)
{
    return QFileInfo(path).suffix().isEmpty() ? path + suffix : path;
}

// --- LAYOUT

enum LayoutOption
{
    Copy,
    Delete,
    New,
    Template,
    Rename,
    SaveAs,
    Set,
    List
};

QList<Keyword> layoutOptions()
{
    return {{QStringLiteral("Kopieren"), QStringLiteral("Copy")},
            {QStringLiteral("Löschen"), QStringLiteral("Delete")},
            {QStringLiteral("Neu"), QStringLiteral("New")},
            {QStringLiteral("Vorlage"), QStringLiteral("Template")},
            {QStringLiteral("Umbenennen"), QStringLiteral("Rename")},
            {QStringLiteral("SIchals"), QStringLiteral("SAveas")},
            {QStringLiteral("Setzen"), QStringLiteral("Set")},
            {QStringLiteral("?"), QStringLiteral("?")}};
}

QString withDefault(const char* text, const QString& value)
{
    if (value.isEmpty())
        return QString::fromUtf8(text) + QLatin1Char(':');
    return QStringLiteral("%1 <%2>:").arg(QString::fromUtf8(text), value);
}

// Asks for a name (an empty answer takes the proposal) and runs the step on the document; an
// automation error ends the command with its message.
void askName(Private& e, DocId doc, const char* text, const QString& name,
             const std::function<void(Document&, const QString&)>& step)
{
    // A name with control characters (from a file) is never offered: the command line takes no such answer.
    const QString proposal = hasControlCharacter(name) ? QString() : name;
    e.commandLine.askText(doc, withDefault(text, proposal), proposal, [&e, doc, step](const QString& name) {
        e.commandLine.guarded([&] { step(e.documents.doc(doc), name); });
    });
}

void layoutCopy(Private& e, DocId doc)
{
    askName(e, doc, "Name des zu kopierenden Layouts eingeben", e.documents.doc(doc).currentLayout(),
            [&e, doc](Document& d, const QString& source) {
                const QString from = d.layoutNamed(source).name;
                askName(e, doc, "Layout-Namen für Kopie eingeben", freeCopyName(d.drawing(), from),
                        [&e, from](Document& d, const QString& name) {
                            e.documents.edit(d, [&] { d.copyLayout(from, name, e.documents.ids()); });
                            e.commandLine.log(
                                QStringLiteral("Layout %1 nach %2 kopiert.").arg(quoted(from), quoted(name)));
                        });
            });
}

void layoutDelete(Private& e, DocId doc)
{
    askName(e, doc, "Name des zu löschenden Layouts eingeben", e.documents.doc(doc).currentLayout(),
            [&e](Document& d, const QString& name) {
                const QString deleted = d.layoutNamed(name).name;
                e.documents.edit(d, [&] { d.deleteLayout(name); });
                e.commandLine.log(QStringLiteral("Layout %1 gelöscht.").arg(quoted(deleted)));
            });
}

void layoutNew(Private& e, DocId doc)
{
    askName(e, doc, "Name des neuen Layouts eingeben", freeLayoutName(e.documents.doc(doc).drawing()),
            [&e](Document& d, const QString& name) {
                e.documents.edit(d, [&] { d.newLayout(name, defaultPaperPlot(), e.documents.ids()); });
                e.commandLine.log(QStringLiteral("Layout %1 erstellt.").arg(quoted(name)));
            });
}

void layoutRename(Private& e, DocId doc)
{
    askName(e, doc, "Name des umzubenennenden Layouts eingeben", e.documents.doc(doc).currentLayout(),
            [&e, doc](Document& d, const QString& old) {
                const Layout& layout = d.layoutNamed(old);
                const acad::ObjectId id = layout.id;
                const QString oldName = layout.name;
                askName(
                    e, doc, "Neuen Layout-Namen eingeben", oldName,
                    [&e, id, oldName](Document& d, const QString& name) {
                        e.documents.edit(d, [&] { d.renameLayout(id, name); });
                        e.commandLine.log(
                            QStringLiteral("Layout %1 in %2 umbenannt.").arg(quoted(oldName), quoted(name)));
                    });
            });
}

void layoutSet(Private& e, DocId doc)
{
    askName(e, doc, "Als aktuell festzulegendes Layout eingeben", e.documents.doc(doc).currentLayout(),
            [&e](Document& d, const QString& name) {
                d.setActiveLayout(name);
                emit e.q->layoutsChanged(d.id());
            });
}

void layoutList(Private& e, DocId doc)
{
    QStringList names;
    for (const Layout& l : e.documents.doc(doc).drawing().layouts)
        names.append(printable(l.name));
    e.commandLine.log(QStringLiteral("Aktive Layouts: ") + names.join(QStringLiteral(", ")));
}

// "*", "A,B" or names with wildcards; empty list = all.
QStringList chosenLayouts(const Drawing& from, const QString& answer)
{
    const QString wanted = answer.trimmed();
    if (wanted == QLatin1String("*"))
        return {};
    QStringList names;
    for (const QString& part : wanted.split(QLatin1Char(','))) {
        const QString name = part.trimmed();
        if (name.isEmpty())
            continue;
        if (!name.contains(QLatin1Char('*')) && !name.contains(QLatin1Char('?'))) {
            names.append(name);
            continue;
        }
        const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(name),
                                    QRegularExpression::CaseInsensitiveOption);
        for (const Layout& l : from.layouts) {
            if (!l.isModel() && re.match(l.name).hasMatch())
                names.append(l.name);
        }
    }
    return names;
}

// What the template offers, as the answer "?" lists it.
void logTemplateLayouts(Private& e, const Drawing& from)
{
    QStringList names;
    for (const Layout& l : from.layouts) {
        if (!l.isModel())
            names.append(printable(l.name));
    }
    e.commandLine.log(QStringLiteral("Layouts der Vorlage: ") + names.join(QStringLiteral(", ")));
}

void askTemplateLayouts(Private& e, DocId doc, const Drawing& from)
{
    e.commandLine.ask(
        doc, {QStringLiteral("Layout-Name(n) eingeben oder [?]:"), [&e, doc, from](const QString& answer) {
                  if (answer.trimmed() == QLatin1String("?")) {
                      logTemplateLayouts(e, from);
                      askTemplateLayouts(e, doc, from);
                      return;
                  }
                  if (answer.trimmed().isEmpty())
                      return;
                  const QStringList names = chosenLayouts(from, answer);
                  if (names.isEmpty() && answer.trimmed() != QLatin1String("*")) {
                      e.commandLine.log(QStringLiteral("Keine passenden Layouts in der Vorlage."));
                      return;
                  }
                  e.commandLine.guarded([&] {
                      Document& d = e.documents.doc(doc);
                      QStringList lines;
                      e.documents.edit(d, [&] { lines = d.insertLayouts(from, names, e.documents.ids()); });
                      for (const QString& line : lines)
                          e.commandLine.log(line);
                  });
              }});
}

void layoutTemplate(Private& e, DocId doc)
{
    e.commandLine.askPath(doc, QStringLiteral("Dateiname der Vorlage eingeben:"),
                          Engine::FileDialog::OpenTemplate, QString(), [&e, doc](const QString& path) {
                              if (path.isEmpty())
                                  return;
                              e.commandLine.guarded([&] {
                                  const QString file =
                                      e.documents.normalPath(path, e.documents.doc(doc).folder());
                                  const Drawing from = e.documents.store().load(file);
                                  // The choice is offered with the prompt, in the window and headless alike.
                                  logTemplateLayouts(e, from);
                                  askTemplateLayouts(e, doc, from);
                              });
                          });
}

void writeTemplate(Private& e, DocId doc, const QString& layout, const QString& file)
{
    e.commandLine.guarded([&] {
        e.documents.store().save(e.documents.doc(doc).templateOf(layout), file);
        e.commandLine.log(QStringLiteral("Layout %1 als Vorlage gespeichert: %2").arg(quoted(layout), file));
    });
}

void askReplace(Private& e, DocId line, const QString& file, const std::function<void()>& replace)
{
    e.commandLine.askKeyword(
        line, QStringLiteral("Die Datei %1 ist bereits vorhanden. Ersetzen? [Ja/Nein] <Nein>:").arg(file),
        yesNoCancel().mid(0, 2), 1, [replace](int k) {
            if (k == 0)
                replace();
        });
}

void askTemplateFile(Private& e, DocId doc, const QString& layout)
{
    const QString folder = e.profile.templatePath();
    const QString proposal = (folder.isEmpty() ? e.documents.doc(doc).folder() : folder) + QLatin1Char('/') +
                             layout + QStringLiteral(".dwt");
    e.commandLine.askPath(
        doc, withDefault("Dateiname der Layout-Vorlage eingeben", proposal), Engine::FileDialog::SaveTemplate,
        proposal, [&e, doc, layout](const QString& path) {
            e.commandLine.guarded([&] {
                const QString file = withSuffix(e.documents.normalPath(path, e.documents.doc(doc).folder()),
                                                QStringLiteral(".dwt"));
                const auto write = [&e, doc, layout, file] { writeTemplate(e, doc, layout, file); };
                if (e.documents.store().exists(file))
                    askReplace(e, doc, file, write);
                else
                    write();
            });
        });
}

void layoutSaveAs(Private& e, DocId doc)
{
    askName(e, doc, "Layout zum Speichern als Vorlage eingeben", e.documents.doc(doc).currentLayout(),
            [&e, doc](Document& d, const QString& name) {
                const QString layout = d.layoutNamed(name).name;
                d.templateOf(layout); // refuses "Model" before the file is asked for
                askTemplateFile(e, doc, layout);
            });
}

void layoutCommand(Private& e, DocId doc)
{
    e.commandLine.askKeyword(
        doc,
        QStringLiteral("Layout-Option eingeben [Kopieren/Löschen/Neu/Vorlage/Umbenennen/SIchals/Setzen/?] "
                       "<Setzen>:"),
        layoutOptions(), Set, [&e, doc](int option) {
            using Step = void (*)(Private&, DocId);
            static const Step steps[] = {layoutCopy,   layoutDelete, layoutNew, layoutTemplate,
                                         layoutRename, layoutSaveAs, layoutSet, layoutList};
            steps[option](e, doc);
        });
}

// --- drawings

void closeCommand(Private& e, DocId doc)
{
    if (!e.documents.doc(doc).modified()) {
        e.documents.close(doc);
        return;
    }
    e.commandLine.askKeyword(doc, QStringLiteral("Änderungen speichern? [Ja/Nein/Abbrechen]"), yesNoCancel(),
                             -1, [&e, doc](int k) {
                                 if (k == 0)
                                     e.saveFlow(doc, doc, [&e, doc] { e.documents.close(doc); });
                                 else if (k == 1)
                                     e.documents.close(doc);
                             });
}

void qsaveCommand(Private& e, DocId doc)
{
    e.saveFlow(doc, doc, [] {});
}

void saveasCommand(Private& e, DocId doc)
{
    e.saveAsFlow(doc, doc, [] {});
}

void openCommand(Private& e, DocId line)
{
    e.commandLine.askPath(line, QStringLiteral("Name der zu öffnenden Zeichnung eingeben:"),
                          Engine::FileDialog::OpenDrawing, QString(), [&e](const QString& path) {
                              if (!path.isEmpty())
                                  e.commandLine.guarded(
                                      [&] { e.documents.open(path, e.commandLine.filedia()); });
                          });
}

void quitCommand(Private& e, DocId line)
{
    QList<DocId> modified;
    for (const auto& d : e.documents.all()) {
        if (d->modified())
            modified.append(d->id());
    }
    e.quitFlow(line, modified);
}

void adcCommand(Private& e, DocId doc)
{
    e.commandLine.askKeyword(
        doc, QStringLiteral("DesignCenter-Option eingeben [Öffnen] <Öffnen>:"),
        {{QStringLiteral("Öffnen"), QStringLiteral("Open")}}, 0, [&e, doc](int) {
            e.commandLine.askPath(
                doc, withDefault("Pfadname eingeben", e.designCenter), std::nullopt, e.designCenter,
                [&e](const QString& path) {
                    if (path.isEmpty())
                        return;
                    if (!QFileInfo::exists(path) && !e.documents.store().exists(path)) {
                        e.commandLine.log(QStringLiteral("Ordner oder Datei nicht gefunden: %1").arg(path));
                        return;
                    }
                    e.designCenter = path;
                    e.commandLine.log(QStringLiteral("DesignCenter: %1").arg(path));
                    emit e.q->designCenterNavigated(path);
                });
        });
}

void vbarunCommand(Private& e, DocId line)
{
    e.commandLine.askText(line, QStringLiteral("Makroname:"), QString(), [&e](const QString& name) {
        if (!name.trimmed().isEmpty())
            e.commandLine.guarded([&] { e.macros.run(name.trimmed(), e.interactive); });
    });
}

// --- undo

void undoSteps(Private& e, DocId doc, qint32 count)
{
    Document& d = e.documents.doc(doc);
    const bool wasModified = d.modified();
    const qint32 done = d.undo(count);
    if (done == 0) {
        e.commandLine.log(QStringLiteral("Es gibt nichts rückgängig zu machen."));
        return;
    }
    e.commandLine.log(done == 1 ? QStringLiteral("Ein Schritt rückgängig gemacht.")
                                : QStringLiteral("%1 Schritte rückgängig gemacht.").arg(done));
    emit e.q->layoutsChanged(doc);
    if (!wasModified)
        emit e.q->modifiedChanged(doc);
}

void uCommand(Private& e, DocId doc)
{
    undoSteps(e, doc, 1);
}

void undoCommand(Private& e, DocId doc)
{
    const QList<Keyword> options = {{QStringLiteral("Anfang"), QStringLiteral("BEgin")},
                                    {QStringLiteral("ENde"), QStringLiteral("End")}};
    const QString text = QStringLiteral("Anzahl der rückgängig zu machenden Operationen eingeben oder "
                                        "[Anfang/ENde] <1>:");
    e.commandLine.ask(doc, {text, [&e, doc, options](const QString& answer) {
                                bool number = false;
                                const qint32 count =
                                    answer.trimmed().isEmpty() ? 1 : answer.trimmed().toInt(&number);
                                if (answer.trimmed().isEmpty() || number) {
                                    if (count < 1) {
                                        e.commandLine.log(QStringLiteral("Ungültige Anzahl: %1").arg(answer));
                                        return;
                                    }
                                    e.commandLine.guarded([&] { undoSteps(e, doc, count); });
                                    return;
                                }
                                const int k = matchKeyword(answer, options);
                                if (k < 0) {
                                    e.commandLine.log(QStringLiteral("Ungültige Option: %1").arg(answer));
                                    undoCommand(e, doc);
                                    return;
                                }
                                e.commandLine.guarded([&] {
                                    if (k == 0)
                                        e.documents.doc(doc).beginUndoMark();
                                    else if (!e.documents.doc(doc).endUndoMark())
                                        e.commandLine.log(QStringLiteral("Keine Gruppe offen."));
                                });
                            }});
}

struct CommandDef
{
    const char* local;
    const char* global;
    bool needsDrawing;
    void (*start)(Private&, DocId);
};

const CommandDef kCommands[] = {
    {"LAYOUT", "LAYOUT", true, layoutCommand},
    {"SCHLIESSEN", "CLOSE", true, closeCommand},
    {"KSICH", "QSAVE", true, qsaveCommand},
    {"SICHALS", "SAVEAS", true, saveasCommand},
    {"ÖFFNEN", "OPEN", false, openCommand},
    {"QUIT", "QUIT", false, quitCommand},
    {"ADCNAVIGIEREN", "ADCNAVIGATE", true, adcCommand},
    {"VBARUN", "VBARUN", false, vbarunCommand},
    {"Z", "U", true, uCommand},
    {"U", "U", true, uCommand},
    {"ZLÖSCH", "UNDO", true, undoCommand},
    {"PLOT", "PLOT", true, plotCommand},
};

const CommandDef* findCommand(QString name)
{
    // "_" asks for the English name; "." (built-in) and "-" (command-line form) change nothing here.
    bool global = false;
    while (!name.isEmpty() && QStringLiteral("._-").contains(name.front())) {
        global = global || name.front() == QLatin1Char('_');
        name.remove(0, 1);
    }
    const QString upper = name.toUpper();
    for (const CommandDef& c : kCommands) {
        if (upper == QString::fromUtf8(global ? c.global : c.local))
            return &c;
    }
    return nullptr;
}

} // namespace

bool Engine::Private::startCommand(DocId line, const QString& name)
{
    const CommandDef* command = findCommand(name);
    if (!command && commandLine.startVariable(line, name))
        return true;
    if (!command) {
        commandLine.log(QStringLiteral("Unbekannter Befehl %1. Drücken Sie F1, um Hilfe zu erhalten.")
                            .arg(quoted(name.toUpper())));
        return false;
    }
    if (command->needsDrawing && !documents.find(line)) {
        commandLine.log(QStringLiteral("Der Befehl %1 braucht eine geöffnete Zeichnung.").arg(quoted(name)));
        return false;
    }
    commandLine.guarded([&] { command->start(*this, line); });
    return true;
}

void Engine::Private::saveFlow(DocId line, DocId id, const std::function<void()>& done)
{
    Document& d = documents.doc(id);
    if (!d.named()) {
        saveAsFlow(line, id, done);
        return;
    }
    commandLine.guarded([&] {
        documents.write(d, d.fullPath());
        done();
    });
}

void Engine::Private::saveAsFlow(DocId line, DocId id, const std::function<void()>& done)
{
    const QString current = documents.doc(id).fullPath();
    commandLine.askPath(
        line, withDefault("Zeichnungsdateiname eingeben", current), Engine::FileDialog::SaveDrawing, current,
        [this, line, id, done](const QString& answer) {
            commandLine.guarded([&] {
                Document& d = documents.doc(id);
                const QString path =
                    withSuffix(documents.normalPath(answer, d.folder()), QStringLiteral(".dwg"));
                const Document* other = documents.findByPath(path);
                if (other && other != &d)
                    throw acad::Error(QStringLiteral("Die Zeichnung ist bereits geöffnet: %1").arg(path));
                const auto save = [this, id, path, done] {
                    commandLine.guarded([&] {
                        documents.write(documents.doc(id), path);
                        done();
                    });
                };
                if (other != &d && documents.store().exists(path))
                    askReplace(*this, line, path, save);
                else
                    save();
            });
        });
}

void Engine::Private::quitFlow(DocId line, QList<DocId> pending)
{
    if (pending.isEmpty()) {
        documents.closeAll();
        emit q->quitRequested();
        return;
    }
    const DocId id = pending.takeFirst();
    const Document* d = documents.find(id);
    if (!d) {
        quitFlow(line, pending);
        return;
    }
    commandLine.askKeyword(line,
                           QStringLiteral("Änderungen an %1 speichern? [Ja/Nein/Abbrechen]").arg(d->name()),
                           yesNoCancel(), -1, [this, line, id, pending](int k) {
                               if (k == 0 && documents.find(id))
                                   saveFlow(line, id, [this, line, pending] { quitFlow(line, pending); });
                               else if (k != 2)
                                   quitFlow(line, pending); // "Nein", or the drawing was closed meanwhile
                           });
}

} // namespace cadhost
