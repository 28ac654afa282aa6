#include "EnginePrivate.h"
#include "LayoutNames.h"

#include <QFileInfo>
#include <acad/Error.h>

namespace cadhost {

namespace {

using Private = Engine::Private;

struct MacroName
{
    QString file; // "Kvarto.dvb" of "Kvarto.dvb!Programm.KV_Layout", else empty
    QString module;
    QString macro;
};

MacroName splitMacroName(const QString& text)
{
    MacroName name;
    QString rest = text.trimmed();
    const qsizetype bang = rest.lastIndexOf(QLatin1Char('!'));
    if (bang >= 0) {
        name.file = QFileInfo(rest.left(bang)).fileName();
        rest = rest.mid(bang + 1);
    }
    const qsizetype dot = rest.lastIndexOf(QLatin1Char('.'));
    name.module = dot < 0 ? QString() : rest.left(dot);
    name.macro = rest.mid(dot + 1);
    return name;
}

Document& activeDocument(Private& e, const QString& macro)
{
    Document* d = e.find(e.active);
    if (!d)
        throw acad::Error(QStringLiteral("Das Makro %1 braucht eine geöffnete Zeichnung.").arg(macro));
    return *d;
}

void createLayout(Private& e, acad::DocId id, const QString& name)
{
    Document& d = e.doc(id);
    // Like the layout in front; model space has no sheet to copy.
    const Layout& current = d.layoutNamed(d.currentLayout());
    const acad::PlotSettings plot = current.isModel() ? defaultPaperPlot() : current.plot;
    e.edit(d, [&] {
        d.newLayout(name, plot, e.ids);
        d.setActiveLayout(name);
    });
    e.log(QStringLiteral("Layout \"%1\" erstellt.").arg(name));
}

void askLayoutName(Private& e, acad::DocId id)
{
    const QString proposal = freeLayoutName(e.doc(id).drawing());
    e.askText(id, QStringLiteral("Name des neuen Layouts eingeben <%1>:").arg(proposal), proposal,
              [&e, id](const QString& name) {
                  try {
                      createLayout(e, id, name);
                  } catch (const acad::Error& error) {
                      // A user sits at the window: let him try another name.
                      e.log(error.description());
                      askLayoutName(e, id);
                  }
              });
}

void kvStarten(Private& e)
{
    e.started = true;
    e.log(QStringLiteral("Kvarto ist gestartet."));
}

void kvLayout(Private& e)
{
    Document& d = activeDocument(e, QStringLiteral("KV_Layout"));
    if (!e.interactive) {
        createLayout(e, d.id(), freeLayoutName(d.drawing()));
        return;
    }
    if (e.lineBusy(d.id()))
        throw acad::Error(
            QStringLiteral("Das Makro KV_Layout kann nicht laufen, solange ein Befehl auf Eingabe wartet."));
    e.lines[d.id()].command = QStringLiteral("KV_Layout");
    askLayoutName(e, d.id());
}

void kvDelLayout(Private& e)
{
    Document& d = activeDocument(e, QStringLiteral("KV_DelLayout"));
    const QString layout = d.currentLayout();
    try {
        e.edit(d, [&] { d.deleteLayout(layout); });
        e.log(QStringLiteral("Layout \"%1\" gelöscht.").arg(layout));
    } catch (const acad::Error& error) {
        e.message(error.description());
    }
}

} // namespace

void Engine::Private::runMacro(const QString& text)
{
    const MacroName name = splitMacroName(text);
    const bool provided = std::any_of(projects.begin(), projects.end(), [&](const MacroProject& p) {
        return (name.file.isEmpty() || QFileInfo(p.file).fileName().toUpper() == name.file.toUpper()) &&
               p.provides(name.module, name.macro);
    });
    if (name.macro.isEmpty() || !provided)
        throw acad::Error(
            QStringLiteral("Makro nicht gefunden: \"%1\". Kein geladenes Projekt stellt es bereit.")
                .arg(text));
    using Run = void (*)(Private&);
    static const QList<std::pair<QString, Run>> builtIn = {{QStringLiteral("KV_STARTEN"), kvStarten},
                                                           {QStringLiteral("KV_LAYOUT"), kvLayout},
                                                           {QStringLiteral("KV_DELLAYOUT"), kvDelLayout}};
    for (const auto& [macro, run] : builtIn) {
        if (macro == name.macro.toUpper()) {
            log(QStringLiteral("Makro: %1").arg(text));
            run(*this);
            return;
        }
    }
    throw acad::Error(QStringLiteral("Das Makro \"%1\" kann der CAD-Host nicht ausführen.").arg(text));
}

} // namespace cadhost
