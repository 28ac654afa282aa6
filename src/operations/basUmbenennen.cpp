#include "basUmbenennen.h"

#include "BatchMark.h"
#include "NameCountForm.h"
#include "UmbenennenControl.h"
#include "basDateien.h"
#include "basDateienTargets.h"
#include "basKopieren.h"

#include <QRegularExpression>
#include <QSet>
#include <acad/Host.h>
#include <algorithm>
#include <explorer/AcadConnection.h>
#include <explorer/basViewControls.h>
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
        if (m_views.selectedKind() != NodeKind::Drawing || m_views.selectedItems().size() < 2)
            m_views.EditSelectedName();
        else
            openDialog();
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
        const QString selected = m_views.selectedItem().key;
        for (const QString& key : m_views.items()) {
            if (key != selected && basDateien::sameName(m_views.itemText(key), name))
                found();
        }
        return clash;
    }
    const QString selected = m_views.selectedNode().key;
    for (const QString& key : m_views.childNodes(m_views.parentNode(selected))) {
        if (key != selected && basDateien::sameName(m_views.nodeText(key), name))
            found();
    }
    return clash;
}

// The collection knows its records by their identity: the new one goes through it.
void Umbenennen::renameRecord(const QString& layoutKey, const QString& name)
{
    CAcadobj& record = basDateien::RecordOf(m_views.Layouts, layoutKey, kNoLayout);
    if (record.Gesamt.contains(QLatin1Char(';')))
        m_views.Layouts.setGesamt(QString::number(record.Nummer),
                                  drawingGesamtOf(record) + QLatin1Char(';') + name);
    record.Layout = name;
}

// The CAD program renames first: a name it refuses leaves the record, the tree and the list as they
// were, and the edit returns to the old text.
qint16 Umbenennen::renameLayout(const QString& name, bool fromList)
{
    if (clashes(name, fromList))
        return 1;
    const QString node = m_views.selectedNode().key;
    const QString layoutKey = fromList ? m_views.selectedItem().key : node;
    const QString drawingKey = fromList ? node : m_views.parentNode(node);
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
    if (fromList && m_views.hasNode(layoutKey))
        m_views.ShowLayoutName(layoutKey, name);
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
    if (m_views.State.LabelEditMode == basViewControls::LabelEditKind::RenameLayout)
        *cancel = RenameLayout(text, 0) != 0;
}

void Umbenennen::ListAfterLabelEdit(const QString&, const QString& text, bool* cancel)
{
    if (text.isNull())
        return;
    // A name typed in the list is checked as one typed in the tree.
    *cancel = basKopieren::CheckEingabe(text) != 0 || RenameLayout(text, 1) != 0;
}

NamePattern ParsePattern(const QString& text)
{
    static const QRegularExpression placeholder(QStringLiteral("\\{nr(?::0?([1-9]))?\\}"));
    const QRegularExpressionMatch match = placeholder.match(text);
    if (!match.hasMatch())
        return {text, QString(), 0, false};
    return {text.left(match.capturedStart()), text.mid(match.capturedEnd()), match.captured(1).toInt(), true};
}

QString PatternName(const NamePattern& pattern, qint32 n)
{
    return pattern.prefix + QStringLiteral("%1").arg(n, pattern.width, 10, QLatin1Char('0')) + pattern.suffix;
}

namespace {

QList<NumberedName> patternNames(const QList<NumberedName>& layouts, const NamePattern& pattern, qint32 start,
                                 qint32 step, bool& found)
{
    QList<NumberedName> renames;
    qint32 n = start;
    for (const NumberedName& layout : layouts) {
        if (n > kMaxNumber) {
            found = false;
            break;
        }
        renames.append({layout.key, layout.oldName, PatternName(pattern, n)});
        n += step;
    }
    return renames;
}

} // namespace

QList<NumberedName> NumberedNames(basKopieren::LayoutNames names, const QList<NumberedName>& layouts,
                                  const QString& base, qint16 start, bool* complete, qint16 step)
{
    bool found = true;
    const NamePattern pattern = ParsePattern(base);
    if (pattern.numbered) {
        const QList<NumberedName> renames =
            patternNames(layouts, pattern, start, qMax<qint16>(step, 1), found);
        if (complete)
            *complete = found;
        return renames;
    }
    QList<NumberedName> renames;
    qint32 n = start;
    for (const NumberedName& layout : layouts) {
        qint16 counter = qint16(n);
        if (n <= kMaxNumber)
            n = basKopieren::FindFreeLayoutNumber(names, base, counter, &found);
        if (n > kMaxNumber || !found) {
            found = false;
            break;
        }
        const QString name = basKopieren::numberedName(base, n);
        names.remove(layout.oldName);
        names.add(name);
        renames.append({layout.key, layout.oldName, name});
        n += qMax<qint16>(step, 1);
    }
    if (complete)
        *complete = found;
    return renames;
}

QList<NumberedName> Umbenennen::SelectedLayouts() const
{
    QList<std::pair<qsizetype, NumberedName>> selected;
    const QList<acad::ObjectId> tabs = tabOrder();
    for (const QString& key : m_views.shownItems()) {
        if (!m_views.itemSelected(key))
            continue;
        const CAcadobj& record = basDateien::RecordOf(m_views.Layouts, key, kNoLayout);
        selected.append({tabs.indexOf(record.AObjId), {key, record.Layout, QString()}});
    }
    // A layout the drawing does not name (-1) keeps its place in the list's order, in front.
    std::stable_sort(selected.begin(), selected.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QList<NumberedName> layouts;
    for (const auto& entry : selected)
        layouts.append(entry.second);
    return layouts;
}

// The layouts of the tree's drawing in tab order; empty when the drawing cannot be read.
QList<acad::ObjectId> Umbenennen::tabOrder() const
{
    QList<acad::ObjectId> ids;
    platform::ignoringErrors([this, &ids] {
        const acad::DocId doc = m_views.FindDocument(m_views.selectedNode().key);
        const std::shared_ptr<acad::Host> app = m_connection.acadApp();
        if (doc == 0 || !app)
            return;
        for (const acad::LayoutRef& layout : app->document(doc).layouts)
            ids.append(layout.id);
    });
    return ids;
}

// Every new name of the series, worked out before anything is renamed.
QList<NumberedName> Umbenennen::numberedNames(acad::DocId doc, const QString& base, qint16 start, qint16 step)
{
    const std::shared_ptr<acad::Host> app = basDateien::attachedApp(m_connection);
    bool found = true;
    const QList<NumberedName> renames = NumberedNames(basKopieren::LayoutNames(app->document(doc)),
                                                      SelectedLayouts(), base, start, &found, step);
    if (!found) {
        platform::MsgBox(QStringLiteral("Für \"%1\" ist keine freie Layout-Nummer mehr vorhanden!").arg(base),
                         platform::vbExclamation);
        return {};
    }
    return renames;
}

// A new name that another layout of the series still holds is taken in two passes: first every
// layout gets a name of its own that nothing else has, then its new one.
void Umbenennen::renameAll(acad::Host& app, acad::DocId doc, const QList<NumberedName>& renames, int& done,
                           operations::BatchMark& mark)
{
    QSet<QString> held;
    for (const NumberedName& rename : renames)
        held.insert(rename.oldName.toUpper());
    const bool swaps = std::any_of(renames.begin(), renames.end(), [&held](const NumberedName& r) {
        return r.name.toUpper() != r.oldName.toUpper() && held.contains(r.name.toUpper());
    });
    if (swaps) {
        for (const NumberedName& rename : renames) {
            const CAcadobj& record = basDateien::RecordOf(m_views.Layouts, rename.key, kNoLayout);
            app.setLayoutName(doc, record.AObjId, QStringLiteral("~%1~").arg(record.AObjId));
            mark.changed();
        }
    }
    for (const NumberedName& rename : renames) {
        const CAcadobj& record = basDateien::RecordOf(m_views.Layouts, rename.key, kNoLayout);
        app.setLayoutName(doc, record.AObjId, rename.name);
        mark.changed();
        ++done;
        renameRecord(rename.key, rename.name);
        m_views.ShowLayoutName(rename.key, rename.name);
    }
}

bool Umbenennen::RenameSelectedLayouts(const QString& base, qint16 start, qint16 step)
{
    int done = 0;
    qsizetype asked = 0;
    try {
        const acad::DocId doc = m_views.FindDocument(m_views.selectedNode().key);
        const QList<NumberedName> renames = numberedNames(doc, base, start, step);
        if (renames.isEmpty())
            return m_views.selectedItems().isEmpty();
        asked = renames.size();
        const std::shared_ptr<acad::Host> app = basDateien::attachedApp(m_connection);
        operations::BatchMark mark(*app, doc, m_views);
        renameAll(*app, doc, renames, done, mark);
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
