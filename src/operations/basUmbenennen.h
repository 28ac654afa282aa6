#pragma once

#include <QList>
#include <QString>
#include <acad/Types.h>
#include <operations/basKopieren.h>

namespace acad {
class Host;
}
namespace operations {
class BatchMark;
}
namespace basViewControls {
class ViewControls;
}
namespace explorer {
class AcadConnection;
class ViewHost;
} // namespace explorer
struct CAcadobj;

// New names for layouts: one at a time by editing its label in the tree or the list, several as a
// numbered series through the dialog. The CAD program's layout object is renamed directly, and the
// records, the tree and the list follow at once, without a refresh.
namespace basUmbenennen {

// A layout of a numbered series: its list item's key, its name now, and the name it gets.
struct NumberedName
{
    QString key;
    QString oldName;
    QString name;
};

// A name pattern: the text before the number, its zero padding and the text after it. "A-{nr:03}" gives
// …; "{nr}" the number as it is. A text without "{nr…}" is a base the number follows.
struct NamePattern
{
    QString prefix;
    QString suffix;
    int width = 0;         // digits at least, zeros in front
    bool numbered = false; // the text holds the placeholder
};
NamePattern ParsePattern(const QString& text);
QString PatternName(const NamePattern& pattern, qint32 n);

// The names a numbered series gives, the layouts taken in their order. A base gets the next free
// number from start on, each search seeing the names given before it (and no longer the ones given
// up), as the CAD program does after each rename; the next search begins step after the number given.
// A pattern gives start, start + step, … as they are; a name another layout keeps is left to the
// caller's check. Where no number is left, the series stops: the names before are returned and complete
// (when given) is false.
QList<NumberedName> NumberedNames(basKopieren::LayoutNames names, const QList<NumberedName>& layouts,
                                  const QString& base, qint16 start, bool* complete = nullptr,
                                  qint16 step = 1);

class Umbenennen final
{
public:
    // None is owned.
    Umbenennen(explorer::AcadConnection& connection, basViewControls::ViewControls& views,
               explorer::ViewHost& host);

    // The rename command: the label of the selected layout is edited in place; with two or more
    // layouts selected in the list, the dialog opens.
    void StartRename();
    // The end of a label edit: 1 (after the message) keeps the old text.
    qint16 RenameLayout(const QString& name, qint16 fromList);
    // The selected layouts of the list, in tab order, get the series' names (NumberedNames), as one
    // step that "Rückgängig" takes back. False, after a message and with nothing renamed, when the
    // numbers run out.
    bool RenameSelectedLayouts(const QString& base, qint16 start, qint16 step = 1);
    // The selected layouts of the list in tab order (the sheet order, whatever the list's sort), with
    // their names now (the new names empty).
    QList<NumberedName> SelectedLayouts() const;

    // The label edits of tree and list; a null text is an edit the user cancelled.
    void TreeAfterLabelEdit(const QString& key, const QString& text, bool* cancel);
    void ListAfterLabelEdit(const QString& key, const QString& text, bool* cancel);

private:
    bool clashes(const QString& name, bool fromList);
    qint16 renameLayout(const QString& name, bool fromList);
    QList<NumberedName> numberedNames(acad::DocId doc, const QString& base, qint16 start, qint16 step);
    void renameAll(acad::Host& app, acad::DocId doc, const QList<NumberedName>& renames, int& done,
                   operations::BatchMark& mark);
    QList<acad::ObjectId> tabOrder() const;
    void renameRecord(const QString& layoutKey, const QString& name);
    void openDialog();

    explorer::AcadConnection& m_connection;
    basViewControls::ViewControls& m_views;
    explorer::ViewHost& m_host;
};

} // namespace basUmbenennen
