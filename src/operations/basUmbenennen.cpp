#include "basUmbenennen.h"

#include "BatchMark.h"
#include "NameCountForm.h"
#include "UmbenennenControl.h"
#include "basDateien.h"
#include "basDateienTargets.h"
#include "basKopieren.h"

#include <acad/Host.h>
#include <explorer/AcadConnection.h>
#include <explorer/basViewControls.h>
#include <explorer/controls/ListControl.h>
#include <explorer/controls/TreeControl.h>
#include <platform/Error.h>
#include <platform/MsgBox.h>
#include <records/CAcadobj.h>

using explorer::kindOf;
using explorer::NodeKind;

namespace basUmbenennen {

namespace {

const char* const kNoLayout = "Kein Layout ausgewählt!";
const char* const kNoDrawing = "Keine Zeichnung ausgewählt!";
constexpr qint16 kMaxNumber = 32767;

void report(const std::exception& error)
{
    platform::MsgBox(platform::describe(error), platform::vbOKOnly);
}

} // namespace

Umbenennen::Umbenennen(explorer::AcadConnection& connection, basViewControls::ViewControls& views,
                       explorer::ViewHost& host)
    : m_connection(connection), m_views(views), m_host(host)
{
}

void Umbenennen::StartRename()
{
    platform::ignoringErrors([this] {
        explorer::TreeControl& tree = m_views.tvTreeView();
        explorer::ListControl& list = m_views.lvListView();
        if (kindOf(tree.selectedKey()) != NodeKind::Drawing) {
            tree.startLabelEdit(tree.selectedKey());
        } else if (list.selectedKeys().size() < 2) {
            list.startLabelEdit(list.selectedKey());
        } else {
            openDialog();
        }
    });
}

void Umbenennen::openDialog()
{
    operations::UmbenennenControl control(m_connection, m_views, m_host, *this);
    frmUmbenennen form(control);
    form.exec();
}

// Each other layout of the same drawing with that name, ignoring case, is a clash.
bool Umbenennen::clashes(const QString& name, bool fromList)
{
    bool clash = false;
    auto found = [&clash] {
        platform::MsgBox(QStringLiteral("Bezeichnung ist bereits vergeben!"), platform::vbExclamation);
        clash = true;
    };
    if (fromList) {
        const explorer::ListControl& list = m_views.lvListView();
        for (const QString& key : list.keys()) {
            if (key != list.selectedKey() && basDateien::sameName(list.text(key), name))
                found();
        }
        return clash;
    }
    const explorer::TreeControl& tree = m_views.tvTreeView();
    const QString selected = tree.selectedKey();
    for (const QString& key : tree.childKeys(tree.parentKey(selected))) {
        if (key != selected && basDateien::sameName(tree.text(key), name))
            found();
    }
    return clash;
}

// The collection knows its records by their identity: the new one goes through it.
void Umbenennen::renameRecord(const QString& layoutKey, const QString& name)
{
    CAcadobj& record = basDateien::RecordOf(m_views.Layouts, layoutKey, kNoLayout);
    const qsizetype semicolon = record.Gesamt.indexOf(QLatin1Char(';'));
    if (semicolon >= 0)
        m_views.Layouts.setGesamt(QString::number(record.Nummer), record.Gesamt.left(semicolon + 1) + name);
    record.Layout = name;
}

// The CAD program renames first: a name it refuses leaves the record, the tree and the list as they
// were, and the edit returns to the old text.
qint16 Umbenennen::renameLayout(const QString& name, bool fromList)
{
    if (clashes(name, fromList))
        return 1;
    const explorer::TreeControl& tree = m_views.tvTreeView();
    const QString layoutKey = fromList ? m_views.lvListView().selectedKey() : tree.selectedKey();
    const QString drawingKey = fromList ? tree.selectedKey() : tree.parentKey(tree.selectedKey());
    const CAcadobj& record = basDateien::RecordOf(m_views.Layouts, layoutKey, kNoLayout);
    const QString gesamt = basDateien::RecordOf(m_views.Zeichnungen, drawingKey, kNoDrawing).Gesamt;
    const std::shared_ptr<acad::Host> app = basDateien::attachedApp(m_connection);
    const QList<acad::DocId> docs = basDateien::MatchingDocuments(*app, gesamt);
    if (docs.isEmpty()) {
        basDateien::reportNotLoaded(gesamt);
        return 1;
    }
    for (acad::DocId doc : docs)
        app->setLayoutName(doc, record.AObjId, name);
    renameRecord(layoutKey, name);
    if (fromList && m_views.tvTreeView().contains(layoutKey))
        m_views.tvTreeView().setText(layoutKey, name);
    return 0;
}

qint16 Umbenennen::RenameLayout(const QString& name, qint16 fromList)
{
    try {
        return renameLayout(name, fromList != 0);
    } catch (const std::exception& error) {
        report(error);
        return 1;
    }
}

void Umbenennen::TreeAfterLabelEdit(const QString&, const QString& text, bool* cancel)
{
    if (text.isNull())
        return;
    if (basKopieren::CheckEingabe(text) != 0) {
        *cancel = true;
        return;
    }
    if (m_views.LabelEditMode == basViewControls::LabelEditKind::RenameLayout)
        *cancel = RenameLayout(text, 0) != 0;
}

void Umbenennen::ListAfterLabelEdit(const QString&, const QString& text, bool* cancel)
{
    if (text.isNull())
        return;
    // A name typed in the list is checked as one typed in the tree.
    *cancel = basKopieren::CheckEingabe(text) != 0 || RenameLayout(text, 1) != 0;
}

QList<NumberedName> NumberedNames(basKopieren::LayoutNames names, const QList<NumberedName>& layouts,
                                  const QString& base, qint16 start, bool* complete)
{
    QList<NumberedName> renames;
    qint16 n = start;
    bool found = true;
    bool exhausted = false; // the last number of the range is given
    for (const NumberedName& layout : layouts) {
        if (!exhausted)
            n = basKopieren::FindFreeLayoutNumber(names, base, n, &found);
        if (exhausted || !found) {
            found = false;
            break;
        }
        const QString name = basKopieren::numberedName(base, n);
        names.remove(layout.oldName);
        names.add(name);
        renames.append({layout.key, layout.oldName, name});
        exhausted = n == kMaxNumber;
        if (!exhausted)
            ++n;
    }
    if (complete)
        *complete = found;
    return renames;
}

QList<NumberedName> Umbenennen::SelectedLayouts() const
{
    const explorer::ListControl& list = m_views.lvListView();
    QList<NumberedName> selected;
    for (const QString& key : list.displayedKeys()) {
        if (list.isSelected(key))
            selected.append({key, basDateien::RecordOf(m_views.Layouts, key, kNoLayout).Layout, QString()});
    }
    return selected;
}

// Every new name of the series, worked out before anything is renamed.
QList<NumberedName> Umbenennen::numberedNames(acad::DocId doc, const QString& base, qint16 start)
{
    const std::shared_ptr<acad::Host> app = basDateien::attachedApp(m_connection);
    bool found = true;
    const QList<NumberedName> renames =
        NumberedNames(basKopieren::LayoutNames(app->document(doc)), SelectedLayouts(), base, start, &found);
    if (!found) {
        platform::MsgBox(QStringLiteral("Für \"%1\" ist keine freie Layout-Nummer mehr vorhanden!").arg(base),
                         platform::vbExclamation);
        return {};
    }
    return renames;
}

bool Umbenennen::RenameSelectedLayouts(const QString& base, qint16 start)
{
    qint32 done = 0;
    qsizetype asked = 0;
    try {
        const acad::DocId doc = m_views.FindDocument(m_views.tvTreeView().selectedKey());
        const QList<NumberedName> renames = numberedNames(doc, base, start);
        if (renames.isEmpty())
            return m_views.lvListView().selectedKeys().isEmpty();
        asked = renames.size();
        const std::shared_ptr<acad::Host> app = basDateien::attachedApp(m_connection);
        operations::BatchMark mark(*app, doc, m_views);
        for (const NumberedName& rename : renames) {
            const CAcadobj& record = basDateien::RecordOf(m_views.Layouts, rename.key, kNoLayout);
            app->setLayoutName(doc, record.AObjId, rename.name);
            mark.changed();
            ++done;
            renameRecord(rename.key, rename.name);
            m_views.lvListView().setText(rename.key, rename.name);
            if (m_views.tvTreeView().contains(rename.key))
                m_views.tvTreeView().setText(rename.key, rename.name);
        }
    } catch (const std::exception& error) {
        if (asked == 0) {
            report(error);
        } else {
            // The names the drawing holds now, not those the series would have given.
            platform::MsgBox(QStringLiteral("%1 von %2 Layouts umbenannt: %3")
                                 .arg(done)
                                 .arg(asked)
                                 .arg(platform::describe(error)),
                             platform::vbCritical);
            m_views.FillTreeView();
        }
    }
    return true;
}

} // namespace basUmbenennen
