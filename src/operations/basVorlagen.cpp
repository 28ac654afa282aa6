#include "basVorlagen.h"

#include "basDateien.h"
#include "basDateienTargets.h"
#include "basKopieren.h"

#include <QDir>
#include <QFile>
#include <acad/CommandString.h>
#include <acad/Host.h>
#include <explorer/AcadConnection.h>
#include <explorer/basViewControls.h>
#include <platform/Error.h>
#include <platform/MsgBox.h>
#include <records/CAcadobj.h>
#include <records/CVorlage.h>

using explorer::kindOf;
using explorer::NodeKind;
using platform::ignoringErrors;

namespace basVorlagen {

namespace {

const QString kProvisional = QStringLiteral("D0");
const QString kExtension = QStringLiteral(".dwt");
// A file name may have 255 bytes; the CAD program writes through a temporary file whose name is
// longer by a few characters, and the rest is room for that.
constexpr qsizetype kMaxFileNameBytes = 240;

void report(const std::exception& error)
{
    platform::MsgBox(platform::describe(error), platform::vbOKOnly);
}

void refuse(const QString& text)
{
    platform::MsgBox(text, platform::vbExclamation);
}

// Whether the folder holds a file of that name, ignoring case: one the last refresh has not seen.
bool fileInFolder(const QString& folder, const QString& fileName)
{
    const QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden);
    return std::any_of(files.begin(), files.end(),
                       [&](const QString& f) { return basDateien::sameName(f, fileName); });
}

} // namespace

QString FileNameProblem(const QString& name)
{
    if (acad::hasControlCharacter(name))
        return QStringLiteral("Eingabe enthält ungültige Zeichen!");
    if (name.endsWith(QLatin1Char('.')) || name.endsWith(QLatin1Char(' ')))
        return QStringLiteral("Der Name der Vorlage darf nicht mit einem Punkt oder Leerzeichen enden!");
    // A leading dot hides the file: the library would never show it.
    if (name.startsWith(QLatin1Char('.')))
        return QStringLiteral("Der Name der Vorlage darf nicht mit einem Punkt beginnen!");
    if (QFile::encodeName(name + kExtension).size() > kMaxFileNameBytes)
        return QStringLiteral("Der Name der Vorlage ist zu lang!");
    return {};
}

Vorlagen::Vorlagen(explorer::AcadConnection& connection, basViewControls::ViewControls& views)
    : m_connection(connection), m_views(views)
{
}

void Vorlagen::setFiledia(qint16 value)
{
    basDateien::attachedApp(m_connection)
        ->setVariable(m_connection.activeDoc(), QStringLiteral("FILEDIA"), value);
}

// --- inserting layouts from a template

void Vorlagen::InsertVorlageLayouts()
{
    bool filediaOff = false;
    try {
        const basDateien::Target target = basDateien::SelectedObject(m_views, NodeKind::LibraryRoot);
        const QString gesamt =
            basDateien::RecordOf(m_views.Vorlagen, target.key, "Keine Vorlage ausgewählt!").Gesamt;
        const QString command = acad::CommandString(QStringLiteral("layout"))
                                    .keyword(QStringLiteral("vorlage"))
                                    .value(gesamt, QStringLiteral("Die Vorlage"))
                                    .text();
        const std::shared_ptr<acad::Host> app = basDateien::attachedApp(m_connection);
        setFiledia(0);
        filediaOff = true;
        m_connection.BringAcadToFront();
        app->sendCommand(m_connection.activeDoc(), command);
        // One command of the CAD program, and so one step it can take back, whatever the user picks.
        m_views.State.LastBatchDoc = m_connection.activeDoc();
    } catch (const std::exception& error) {
        report(error);
    }
    // File dialogs come back on also when the command could not be sent.
    if (filediaOff)
        ignoringErrors([this] { setFiledia(1); });
}

// --- a new template from a layout

void Vorlagen::StartNewVorlage()
{
    // Started again while a name is being typed: the same node and source.
    if (m_views.State.ProvisionalTemplateNode && m_views.hasNode(kProvisional)) {
        m_views.EditProvisionalTemplateNode(false);
        return;
    }
    ignoringErrors([&] { VorlageQuelleKey = m_views.selectedNode().key; });
    ignoringErrors([&] { VorlageQuelleLayout = m_views.selectedItem().text; });
    // A drawing without a layout chosen in the list has nothing to save.
    if (kindOf(VorlageQuelleKey) == NodeKind::Drawing && VorlageQuelleLayout.isEmpty()) {
        refuse(QStringLiteral("Kein Layout ausgewählt!"));
        return;
    }
    m_views.EditProvisionalTemplateNode(true);
}

void Vorlagen::TreeAfterLabelEdit(const QString&, const QString& text, bool* cancel)
{
    if (text.isNull())
        return;
    // Nothing typed and the focus went elsewhere: the naming was left as with Escape, and the next
    // move of the selection removes the node.
    if (text.isEmpty() && m_views.LabelEditLeft()) {
        *cancel = true;
        return;
    }
    if (basKopieren::CheckEingabe(text) != 0) {
        *cancel = true;
        return;
    }
    CreateVorlage(text);
    // The node's text is the one CreateVorlage gave it.
    *cancel = true;
}

// Every failed check shows its message; the duplicate check one for each template it matches.
bool Vorlagen::nameRefused(const QString& name)
{
    if (name.isEmpty()) {
        refuse(QStringLiteral("Bezeichnung der neuen Vorlage eingeben!"));
        return true;
    }
    if (const QString problem = FileNameProblem(name); !problem.isEmpty()) {
        refuse(problem);
        return true;
    }
    const QString file = name + kExtension;
    bool taken = false;
    for (const CVorlage& record : m_views.Vorlagen) {
        if (basDateien::sameName(record.Datei, file)) {
            refuse(QStringLiteral("Vorlage bereits vorhanden!"));
            taken = true;
        }
    }
    if (!taken && fileInFolder(m_views.State.VorlagenPfad, file)) {
        refuse(QStringLiteral("Vorlage bereits vorhanden!"));
        taken = true;
    }
    return taken;
}

// A drawing node with the layout chosen in the list, or a layout node below its drawing.
Vorlagen::Source Vorlagen::source() const
{
    if (kindOf(VorlageQuelleKey) == NodeKind::Drawing)
        return {VorlageQuelleKey, VorlageQuelleLayout};
    if (kindOf(VorlageQuelleKey) != NodeKind::Layout || !m_views.hasNode(VorlageQuelleKey))
        throw platform::Error(QStringLiteral("Kein Layout ausgewählt!"));
    return {m_views.parentNode(VorlageQuelleKey), m_views.nodeText(VorlageQuelleKey)};
}

void Vorlagen::sendSaveAs(const Source& from, const QString& file)
{
    if (from.layout.isEmpty())
        throw platform::Error(QStringLiteral("Kein Layout ausgewählt!"));
    const QString command = acad::CommandString(QStringLiteral("_layout"))
                                .keyword(QStringLiteral("SI"))
                                .value(from.layout, QStringLiteral("Der Name des Layouts"))
                                .value(file, QStringLiteral("Die Vorlage"))
                                .text();
    const acad::DocId doc = m_views.FindDocument(from.drawingKey);
    const std::shared_ptr<acad::Host> app = basDateien::attachedApp(m_connection);
    if (doc == 0)
        throw platform::Error(QStringLiteral("Die Zeichnung des Layouts ist nicht mehr geladen!"));
    app->activateDocument(doc);
    m_connection.ReadActiveDoc();
    setFiledia(0);
    app->sendCommand(m_connection.activeDoc(), command);
}

// The record and node stand for the file from now on; the next refresh drops them when the CAD
// program has not written it.
void Vorlagen::addTemplate(const QString& name)
{
    m_views.NextNodeNummer();
    CVorlage record;
    record.Datei = name + kExtension;
    record.Gesamt = gesamtOf(m_views.State.VorlagenPfad, record.Datei);
    record.Vorhanden = 1;
    record.Nummer = m_views.State.NodeNummer;
    m_views.Vorlagen.add(QString::number(record.Nummer), record);
    m_views.ConfirmProvisionalTemplateNode(explorer::keyOf(NodeKind::Template, record.Nummer), record.Datei);
}

qint16 Vorlagen::CreateVorlage(const QString& name)
{
    qint16 failed = 1;
    try {
        if (!nameRefused(name)) {
            const QString file = gesamtOf(m_views.State.VorlagenPfad, name + kExtension);
            sendSaveAs(source(), file);
            addTemplate(name);
            m_views.TreeSelectionChanged();
            failed = 0;
        }
    } catch (const std::exception& error) {
        report(error);
    }
    // No template is coming: the provisional node would stand for nothing.
    if (failed)
        m_views.RemoveProvisionalTemplateNode();
    ignoringErrors([this] { setFiledia(1); });
    return failed;
}

} // namespace basVorlagen
