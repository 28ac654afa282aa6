#include "Macros.h"

#include "CommandLine.h"
#include "Documents.h"
#include "LayoutNames.h"

#include <QFileInfo>
#include <acad/Error.h>

namespace cadhost {

namespace {

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

Document& activeDocument(const Documents& documents, const QString& macro)
{
    Document* d = documents.find(documents.active());
    if (!d)
        throw acad::Error(QStringLiteral("Das Makro %1 braucht eine geöffnete Zeichnung.").arg(macro));
    return *d;
}

} // namespace

Macros::Macros(Documents& documents, CommandLine& commandLine)
    : m_documents(documents), m_commandLine(commandLine)
{
}

void Macros::load(const MacroProject& project)
{
    const auto same = std::find_if(m_projects.begin(), m_projects.end(), [&](const MacroProject& p) {
        return p.file.toUpper() == project.file.toUpper();
    });
    if (same != m_projects.end())
        *same = project;
    else
        m_projects.append(project);
    m_commandLine.log(QStringLiteral("Makroprojekt geladen: %1").arg(project.file));
}

QStringList Macros::files() const
{
    QStringList files;
    for (const MacroProject& p : m_projects)
        files.append(p.file);
    return files;
}

bool Macros::productStarted() const
{
    return m_started;
}

void Macros::createLayout(acad::DocId id, const QString& name)
{
    Document& d = m_documents.doc(id);
    // Like the layout in front; model space has no sheet to copy.
    const Layout& current = d.layoutNamed(d.currentLayout());
    const acad::PlotSettings plot = current.isModel() ? defaultPaperPlot() : current.plot;
    m_documents.edit(d, [&] {
        d.newLayout(name, plot, m_documents.ids());
        d.setActiveLayout(name);
    });
    m_commandLine.log(QStringLiteral("Layout \"%1\" erstellt.").arg(name));
}

void Macros::askLayoutName(acad::DocId id)
{
    const QString proposal = freeLayoutName(m_documents.doc(id).drawing());
    m_commandLine.askText(id, QStringLiteral("Name des neuen Layouts eingeben <%1>:").arg(proposal), proposal,
                          [this, id](const QString& name) {
                              try {
                                  createLayout(id, name);
                              } catch (const acad::Error& error) {
                                  // A user sits at the window: let him try another name.
                                  m_commandLine.log(error.description());
                                  askLayoutName(id);
                              }
                          });
}

void Macros::kvStarten()
{
    m_started = true;
    m_commandLine.log(QStringLiteral("Kvarto ist gestartet."));
}

void Macros::kvLayout(bool interactive)
{
    Document& d = activeDocument(m_documents, QStringLiteral("KV_Layout"));
    if (!interactive) {
        createLayout(d.id(), freeLayoutName(d.drawing()));
        return;
    }
    if (m_commandLine.lineBusy(d.id()))
        throw acad::Error(
            QStringLiteral("Das Makro KV_Layout kann nicht laufen, solange ein Befehl auf Eingabe wartet."));
    m_commandLine.setCommand(d.id(), QStringLiteral("KV_Layout"));
    askLayoutName(d.id());
}

void Macros::kvDelLayout()
{
    Document& d = activeDocument(m_documents, QStringLiteral("KV_DelLayout"));
    const QString layout = d.currentLayout();
    try {
        m_documents.edit(d, [&] { d.deleteLayout(layout); });
        m_commandLine.log(QStringLiteral("Layout \"%1\" gelöscht.").arg(layout));
    } catch (const acad::Error& error) {
        m_commandLine.message(error.description());
    }
}

void Macros::run(const QString& text, bool interactive)
{
    const MacroName name = splitMacroName(text);
    const bool provided = std::any_of(m_projects.begin(), m_projects.end(), [&](const MacroProject& p) {
        return (name.file.isEmpty() || QFileInfo(p.file).fileName().toUpper() == name.file.toUpper()) &&
               p.provides(name.module, name.macro);
    });
    if (name.macro.isEmpty() || !provided)
        throw acad::Error(
            QStringLiteral("Makro nicht gefunden: \"%1\". Kein geladenes Projekt stellt es bereit.")
                .arg(text));
    const QString macro = name.macro.toUpper();
    const auto started = [&] { m_commandLine.log(QStringLiteral("Makro: %1").arg(text)); };
    if (macro == QLatin1String("KV_STARTEN")) {
        started();
        kvStarten();
    } else if (macro == QLatin1String("KV_LAYOUT")) {
        started();
        kvLayout(interactive);
    } else if (macro == QLatin1String("KV_DELLAYOUT")) {
        started();
        kvDelLayout();
    } else {
        throw acad::Error(QStringLiteral("Das Makro \"%1\" kann der CAD-Host nicht ausführen.").arg(text));
    }
}

} // namespace cadhost
